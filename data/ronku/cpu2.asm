; RONKU CPU 2 program: the sound. The engine is the two-6809 boards' sound
; program (sound.inc); here are RONKU's effects and tunes (1 title, 2 start,
; 3 game over, 4 round over).

        INCLUDE "board.inc"
        INCLUDE "sound.inc"

; Effects: frames, volume, start f, step, waveform (bit 7: turns to a pulse
; near its end), pad.
FxTable FCB 8,14
        FDB 30000,2200
        FCB $20,0               ; 0 pebble: a short rising square
        FCB 32,15
        FDB 6000,0
        FCB $70,0               ; 1 puff or a lost life: noise, only its volume changes
        FCB 14,13
        FDB 40000,1800
        FCB $80,0               ; 2 seed: a rising sine, then a pulse
        FCB 24,14
        FDB 20000,1200
        FCB $10,0               ; 3 coin: a rising triangle

        INCLUDE "notes.inc"

; Tunes: three parts each (melody, bass, harmony), each part its start and
; where it loops (0: it ends). A part is note, frames pairs and TUNE_END.
Tunes   FDB TitleMel,TitleMel,TitleBass,TitleBass,TitleHarm,TitleHarm
        FDB StartMel,0,StartBass,0,StartHarm,0
        FDB OverMel,0,OverBass,0,OverHarm,0
        FDB RoundMel,0,RoundBass,0,RoundHarm,0

TitleMel
        FCB G4,6,A4,6,B4,6,D5,12,B4,6,D5,12,REST,6
        FCB E5,6,D5,6,B4,6,A4,12,G4,12,REST,12
        FCB C5,6,B4,6,A4,6,G4,12,E4,6,G4,12,REST,6
        FCB A4,6,B4,6,A4,6,G4,24,REST,12
        FCB TUNE_END
TitleBass
        FCB G3,12,D3,12,G3,12,D3,12,C3,12,G3,12,D3,24
        FCB C3,12,G3,12,C3,12,E3,12,D3,12,A3,12,G3,24
        FCB TUNE_END
TitleHarm
        FCB B3,24,B3,24,C4,24,B3,24
        FCB E4,24,C4,24,FS4,24,D4,24
        FCB TUNE_END
StartMel
        FCB D5,5,B4,5,G4,5,D5,5,G5,20,TUNE_END
StartBass
        FCB G3,10,D3,10,G3,20,TUNE_END
StartHarm
        FCB B4,10,B4,10,B4,20,TUNE_END
OverMel
        FCB D5,10,C5,10,A4,10,FS4,10,G4,30,TUNE_END
OverBass
        FCB D3,20,D3,20,G3,30,TUNE_END
OverHarm
        FCB FS4,20,C4,20,B3,30,TUNE_END
RoundMel
        FCB G4,5,B4,5,D5,5,G5,5,D5,5,G5,20,TUNE_END
RoundBass
        FCB G3,10,B3,10,D3,10,G3,20,TUNE_END
RoundHarm
        FCB D4,10,D4,10,FS4,10,B4,20,TUNE_END

        ORG $FFEF
        FCB 0                   ; makes the ROM's 8-bit sum 0
        FDB Reset,Reset,Reset,Reset,Reset,Reset,Reset,Reset
