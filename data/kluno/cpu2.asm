; KLUNO CPU 2 program: the sound.
;
; CPU 2 sees only the RAM it shares with CPU 1. It sleeps in SYNC and wakes
; on its IRQ once a frame (the interrupt stays masked, so SYNC just returns).
; Each frame it takes CPU 1's requests from the mailboxes (board.inc), steps
; the tune on voices 0-2 and the effects on voices 4-7, and writes the voice
; registers. SND_MODE 2 holds a steady 440 Hz sine on voice 0 for the test
; screen; SND_MODE 0 keeps every voice silent.

        INCLUDE "board.inc"

; CPU 2 variables, direct page $02 (shared RAM CPU 1 leaves alone)
        SETDP $02
TuneNo          EQU $0200       ; tune playing, 0 none
Chan            EQU $0210       ; three tune channels of CH_SIZE bytes
CH_PTR          EQU 0           ; next note (0: channel idle)
CH_LOOP         EQU 2           ; where the channel starts again (0: it stops)
CH_LEFT         EQU 4           ; frames the note still sounds
CH_FREQ         EQU 5           ; 2 bytes
CH_VOL          EQU 7
CH_WAVE         EQU 8           ; waveform << 4, and bit 7 on the harmony voice
CH_SIZE         EQU 10
Fx              EQU $0240       ; four effects of FX_SIZE bytes (voices 4-7)
FX_LEFT         EQU 0           ; frames left, 0 idle
FX_FREQ         EQU 1           ; 2 bytes
FX_STEP         EQU 3           ; 2 bytes added to the frequency each frame
FX_VOL          EQU 5
FX_WAVE         EQU 6
FX_SIZE         EQU 8
Tmp             EQU $0260
STACK_TOP       EQU $0400

; f for a tone of F Hz: the chip plays 32 samples at f x 2925 / 4096 a second,
; so f = F x 32 x 4096 / 2925; the table gives F in hundredths of a hertz.
FSCALE          EQU 131072
FDIV            EQU 292500
TONE_440        EQU 19717       ; 19717 x 2925 / 4096 = 14080 = 32 x 440

C3      EQU 1
CS3     EQU 2
D3      EQU 3
DS3     EQU 4
E3      EQU 5
F3      EQU 6
FS3     EQU 7
G3      EQU 8
GS3     EQU 9
A3      EQU 10
AS3     EQU 11
B3      EQU 12
C4      EQU 13
CS4     EQU 14
D4      EQU 15
DS4     EQU 16
E4      EQU 17
F4      EQU 18
FS4     EQU 19
G4      EQU 20
GS4     EQU 21
A4      EQU 22
AS4     EQU 23
B4      EQU 24
C5      EQU 25
CS5     EQU 26
D5      EQU 27
DS5     EQU 28
E5      EQU 29
F5      EQU 30
FS5     EQU 31
G5      EQU 32
GS5     EQU 33
A5      EQU 34
AS5     EQU 35
B5      EQU 36
C6      EQU 37
REST            EQU 0           ; f = 0: the voice falls silent
HUSH            EQU $FE         ; f = 1: too low to sound
TUNE_END        EQU $FF

        ORG $E000
Reset   ORCC #$50
        LDS #STACK_TOP
        LDA #$02
        TFR A,DP
        STA $2000+L_IRQ2_ON
; clear the voices and this program's variables
        LDX #VOICES
ClrVoice
        CLR ,X+
        CMPX #VOICES+64
        BNE ClrVoice
        LDX #TuneNo
ClrVars CLR ,X+
        CMPX #$0300
        BNE ClrVars
; the 8-bit sum of this ROM, for CPU 1's test screen (0 when good)
        LDX #$E000
        CLRA
SumLoop ADDA ,X+
        ADDA ,X+
        ADDA ,X+
        ADDA ,X+
        CMPX #0
        BNE SumLoop
        STA SND_SUM
        LDA #$A5
        STA SND_READY

MainLoop
        SYNC
        INC SND_TICK
        LDA SND_MODE
        BEQ Quiet
        CMPA #2
        BEQ TestTone
        JSR TakeRequests
        JSR StepTune
        JSR StepEffects
        BRA MainLoop

; Every voice off; the tune and effects stop.
Quiet   JSR StopAll
        BRA MainLoop

StopAll CLR TuneNo
        LDX #Chan
        LDB #3*CH_SIZE+4*FX_SIZE+$10
StopClr CLR ,X+
        DECB
        BNE StopClr
        LDX #VOICES
StopV   CLR ,X
        LEAX 8,X
        CMPX #VOICES+64
        BNE StopV
        RTS

; 440 Hz on voice 0, sine, full volume; the rest silent.
TestTone
        JSR StopAll
        LDD #TONE_440
        STB VOICES+1
        STA VOICES+2
        LDA #$00                ; waveform 0, f bits 16-19 = 0
        STA VOICES+3
        LDA #15
        STA VOICES+0
        BRA MainLoop

; A new tune replaces the old; each effect request starts its effect.
TakeRequests
        LDA SND_TUNE
        BEQ NoTune
        CLR SND_TUNE
        JSR StartTune
NoTune  LDU #FxTable
        LDX #SND_FX
        LDY #Fx
FxReq   LDA ,X
        BEQ FxNext
        CLR ,X
        LDD ,U                  ; frames, volume
        STA FX_LEFT,Y
        STB FX_VOL,Y
        LDD 2,U
        STD FX_FREQ,Y
        LDD 4,U
        STD FX_STEP,Y
        LDA 6,U
        STA FX_WAVE,Y
FxNext  LEAX 1,X
        LEAU 8,U
        LEAY FX_SIZE,Y
        CMPX #SND_FX+4
        BNE FxReq
        RTS

; A = tune number (1-4): the three channels start at its three parts.
StartTune
        STA TuneNo
        DECA
        LDB #12
        MUL
        LDU #Tunes
        LEAU D,U
        LDX #Chan
        LDB #3
StartCh PSHS B
        LDD ,U++
        STD CH_PTR,X
        LDD ,U++
        STD CH_LOOP,X
        LDA #1
        STA CH_LEFT,X
        CLR CH_VOL,X
        LEAX CH_SIZE,X
        PULS B
        DECB
        BNE StartCh
        RTS

; Each channel: when its note ends the next is read; the volume decays one
; step every four frames and drops to 0 on the note's last frame, so repeated
; notes are heard apart (the voice keeps its waveform and comes back).
StepTune
        LDX #Chan
        LDU #VOICES
        CLRB
TuneCh  PSHS B
        LDD CH_PTR,X
        BEQ ChIdle
        DEC CH_LEFT,X
        BNE ChHold
        LDY CH_PTR,X
        LDA ,Y+
        CMPA #TUNE_END
        BNE ChNote
        LDY CH_LOOP,X
        BEQ ChStop
        LDA ,Y+
ChNote  LDB ,Y+
        STB CH_LEFT,X
        STY CH_PTR,X
        LDB #12
        STB CH_VOL,X
        CMPA #HUSH
        BEQ ChHush
        TSTA
        BEQ ChRest
        DECA
        LSLA
        LDY #NoteF
        LDD A,Y
        BRA ChFreq
ChHush  LDD #1
        BRA ChFreq
ChRest  LDD #0
ChFreq  STD CH_FREQ,X
        BRA ChOut
ChHold  LDA CH_LEFT,X
        CMPA #1
        BNE ChDecay
        CLR CH_VOL,X
        BRA ChOut
ChDecay LDA SND_TICK
        ANDA #3
        BNE ChOut
        LDA CH_VOL,X
        CMPA #5
        BLS ChOut
        DEC CH_VOL,X
        BRA ChOut
ChStop  CLR CH_PTR,X
        CLR CH_PTR+1,X
ChIdle  CLR CH_VOL,X
ChOut   LDA CH_VOL,X
        STA ,U
        LDD CH_FREQ,X
        STB 1,U
        STA 2,U
        PULS B
        LDY #ChWaves
        LDA B,Y
        STA 3,U
        INCB
        LEAX CH_SIZE,X
        LEAU 8,U
        CMPB #3
        BNE TuneCh
        RTS

; The waveform byte of voices 0-2: organ melody, triangle bass, and a reed
; harmony whose byte also has bit 7 set (the chip ignores that bit).
ChWaves FCB $50,$10,$E0

; Effects on voices 4-7: the frequency slides by its step each frame and the
; volume falls by one every other frame (the blast only changes its volume);
; the shot changes waveform half-way through.
StepEffects
        LDY #Fx
        LDU #VOICES+32
FxLoop  LDA FX_LEFT,Y
        BEQ FxOff
        DECA
        STA FX_LEFT,Y
        CMPA #4
        BNE FxSlide
        LDA FX_WAVE,Y
        ANDA #$80
        BEQ FxSlide
        LDA #$30                ; the shot's tail: narrow pulse
        STA FX_WAVE,Y
FxSlide LDD FX_FREQ,Y
        ADDD FX_STEP,Y
        STD FX_FREQ,Y
        LDA SND_TICK
        ANDA #1
        BNE FxOut
        LDA FX_VOL,Y
        BEQ FxOut
        DEC FX_VOL,Y
FxOut   LDA FX_VOL,Y
        STA ,U
        LDD FX_FREQ,Y
        STB 1,U
        STA 2,U
        LDA FX_WAVE,Y
        ANDA #$70
        STA 3,U
        BRA FxNextV
FxOff   CLR ,U
FxNextV LEAY FX_SIZE,Y
        LEAU 8,U
        CMPU #VOICES+64
        BNE FxLoop
        RTS

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

; f of notes 1-37 (C3 to C6)
NoteF
        FDB  13081*FSCALE/FDIV   ;  1 C3
        FDB  13859*FSCALE/FDIV   ;  2 CS3
        FDB  14683*FSCALE/FDIV   ;  3 D3
        FDB  15556*FSCALE/FDIV   ;  4 DS3
        FDB  16481*FSCALE/FDIV   ;  5 E3
        FDB  17461*FSCALE/FDIV   ;  6 F3
        FDB  18500*FSCALE/FDIV   ;  7 FS3
        FDB  19600*FSCALE/FDIV   ;  8 G3
        FDB  20765*FSCALE/FDIV   ;  9 GS3
        FDB  22000*FSCALE/FDIV   ; 10 A3
        FDB  23308*FSCALE/FDIV   ; 11 AS3
        FDB  24694*FSCALE/FDIV   ; 12 B3
        FDB  26163*FSCALE/FDIV   ; 13 C4
        FDB  27718*FSCALE/FDIV   ; 14 CS4
        FDB  29366*FSCALE/FDIV   ; 15 D4
        FDB  31113*FSCALE/FDIV   ; 16 DS4
        FDB  32963*FSCALE/FDIV   ; 17 E4
        FDB  34923*FSCALE/FDIV   ; 18 F4
        FDB  36999*FSCALE/FDIV   ; 19 FS4
        FDB  39200*FSCALE/FDIV   ; 20 G4
        FDB  41530*FSCALE/FDIV   ; 21 GS4
        FDB  44000*FSCALE/FDIV   ; 22 A4
        FDB  46616*FSCALE/FDIV   ; 23 AS4
        FDB  49388*FSCALE/FDIV   ; 24 B4
        FDB  52325*FSCALE/FDIV   ; 25 C5
        FDB  55437*FSCALE/FDIV   ; 26 CS5
        FDB  58733*FSCALE/FDIV   ; 27 D5
        FDB  62225*FSCALE/FDIV   ; 28 DS5
        FDB  65926*FSCALE/FDIV   ; 29 E5
        FDB  69846*FSCALE/FDIV   ; 30 F5
        FDB  73999*FSCALE/FDIV   ; 31 FS5
        FDB  78399*FSCALE/FDIV   ; 32 G5
        FDB  83061*FSCALE/FDIV   ; 33 GS5
        FDB  88000*FSCALE/FDIV   ; 34 A5
        FDB  93233*FSCALE/FDIV   ; 35 AS5
        FDB  98777*FSCALE/FDIV   ; 36 B5
        FDB 104650*FSCALE/FDIV   ; 37 C6
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
