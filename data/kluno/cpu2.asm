; KLUNO CPU 2 program: the sound. The engine is the two-6809 boards' sound
; program (sound.inc); here are KLUNO's effects and tunes (1 title, 2 start,
; 3 game over, 4 record). SND_MODE 2 is the test screen's tone.

        INCLUDE "board.inc"
        INCLUDE "sound.inc"

; Effects: frames, volume, start f, step, waveform (bit 7: turns to a pulse
; near its end), pad.
FxTable FCB 12,15
        FDB 60000,-3000
        FCB $A0,0               ; 0 shot: a falling saw, then a pulse
        FCB 28,15
        FDB 9000,0
        FCB $70,0               ; 1 blast: noise, only its volume changes
        FCB 10,13
        FDB 14000,2500
        FCB $20,0               ; 2 hit: a rising square
        FCB 20,14
        FDB 30000,900
        FCB $00,0               ; 3 extra ship or coin: a rising sine

        INCLUDE "notes.inc"

; Tunes: three parts each (melody, bass, harmony), each part its start and
; where it loops (0: it ends). A part is note, frames pairs and TUNE_END.
Tunes   FDB TitleMel,TitleMel,TitleBass,TitleBass,TitleHarm,TitleHarm
        FDB StartMel,0,StartBass,0,StartHarm,0
        FDB OverMel,0,OverBass,0,OverHarm,0
        FDB RecordMel,0,RecordBass,0,StartHarm,0

TitleMel
        FCB E4,8,G4,8,C5,8,G4,8,E4,8,G4,8,C5,16
        FCB D5,8,C5,8,B4,8,G4,8,A4,16,REST,8,G4,8
        FCB F4,8,A4,8,D5,8,A4,8,F4,8,A4,8,D5,16
        FCB E5,8,D5,8,C5,8,B4,8,C5,24,REST,8
        FCB TUNE_END
TitleBass
        FCB C3,16,G3,16,C3,16,G3,16,A3,16,E3,16,A3,16,HUSH,16
        FCB F3,16,C4,16,F3,16,C4,16,G3,16,D3,16,C3,16,HUSH,16
        FCB TUNE_END
TitleHarm
        FCB REST,16,E4,16,REST,16,E4,16,REST,16,C4,16,REST,16,D4,16
        FCB REST,16,F4,16,REST,16,F4,16,REST,16,D4,16,E4,16,REST,16
        FCB TUNE_END
StartMel
        FCB C4,6,E4,6,G4,6,C5,12,G4,6,C5,24,TUNE_END
StartBass
        FCB C3,12,G3,12,C3,12,C4,24,TUNE_END
StartHarm
        FCB REST,12,E4,12,E4,12,E4,24,TUNE_END
OverMel
        FCB G4,12,F4,12,DS4,12,D4,12,C4,36,TUNE_END
OverBass
        FCB C3,24,G3,24,C3,36,TUNE_END
OverHarm
        FCB DS4,24,B3,24,C4,36,TUNE_END
RecordMel
        FCB G4,6,C5,6,E5,6,G5,12,E5,6,G5,30,TUNE_END
RecordBass
        FCB C3,12,E3,12,G3,12,C4,30,TUNE_END

        ORG $FFEF
        FCB 0                   ; makes the ROM's 8-bit sum 0
        FDB Reset,Reset,Reset,Reset,Reset,Reset,Reset,Reset
