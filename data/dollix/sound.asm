* DOLLIX: the sound CPU's program (0xE000-0xFFFF).
*
* The main CPU releases this CPU (it starts from its reset vector each time)
* and talks to it through the shared RAM at $0000-$07FF: a tune number, an
* effect number, the test screen's sound item and the name-entry flag. Once a
* frame, woken by the IRQ, it plays the tune on voices 0-2, effects on voices
* 3-5 and the name-entry chime on voice 6, by writing the eight voices'
* registers (volume, 20-bit frequency, waveform).

        INCLUDE "board.inc"

SOUNDON EQU $4000               ; a write turns the sound on

* Variables in the shared RAM (the main program leaves $70-$FF alone).
TICKS   EQU $70
TUNE    EQU $71                 ; tune now playing
CHAN    EQU $80                 ; 3 channels of 8 bytes: pointer, start,
*                                 frames left, volume, waveform, note
FXV     EQU $A0                 ; 3 effect voices of 8 bytes: frames left,
*                                 frequency (word), step (word), volume, waveform
FXNEXT  EQU $B8
CHIME   EQU $B9                 ; chime step
WAVE    EQU $BA                 ; waveform for NoteOn
STACK   EQU $0800

* Notes: the number is 1 + semitones above C2; 0 is a rest.
C3      EQU 13
D3      EQU 15
E3      EQU 17
F3      EQU 18
G3      EQU 20
A3      EQU 22
B3      EQU 24
C4      EQU 25
D4      EQU 27
E4      EQU 29
F4      EQU 30
G4      EQU 32
A4      EQU 34
B4      EQU 36
C5      EQU 37
D5      EQU 39
E5      EQU 41
F5      EQU 42
G5      EQU 44
A5      EQU 46
LOOP    EQU $FF
STOP    EQU $FE

        ORG $E000
Reset   ORCC #$50
        LDS #STACK
        LDA #$00
        TFR A,DP
        STA SOUNDON
        JSR Silence
        LDX #TICKS
Rs1     CLR ,X+
        CMPX #$100
        BNE Rs1
        ANDCC #$EF
Main    LDA TICKS
Mn1     CMPA TICKS
        BEQ Mn1
        STA SNDALIVE
        LDA SNDTEST
        BEQ Mn2
        JSR TestSound
        BRA Main
Mn2     JSR Music
        JSR Effects
        JSR Chime
        BRA Main

Irq     INC TICKS
        RTI

Nothing RTI

* All eight voices quiet.
Silence LDX #VOICES
Si1     CLR ,X+
        CMPX #VOICES+64
        BNE Si1
        RTS

* X = voice registers: volume A, frequency from note B (1-48), waveform in
* WAVE (high nibble).
NoteOn  PSHS D,Y
        STA ,X
        LDY #NoteTable-2
        ASLB
        LDD B,Y
        STB 1,X
        STA 2,X
        LDA WAVE
        STA 3,X
        PULS D,Y,PC

* The test screen's sound on voice 0 alone: item 1 the steady 440 Hz tone,
* 2-9 the eight waveforms at 440 Hz, 10 a rate below the lowest the board
* plays, 11 the highest frequency with bit 7 of byte 3 set.
TestSound
        LDX #VOICES+8
Ts1     CLR ,X+
        CMPX #VOICES+64
        BNE Ts1
        LDX #VOICES
        LDA SNDTEST
        CMPA #10
        BEQ Ts3
        BHI Ts4
        DECA
        BEQ Ts2
        DECA
Ts2     ASLA
        ASLA
        ASLA
        ASLA
        STA 3,X                 ; waveform, frequency bits 16-19 = 0
        LDD #19717              ; 440 Hz
        STB 1,X
        STA 2,X
        LDA #10
        STA ,X
        RTS
Ts3     LDD #100                ; 100 x 2925 / 4096 = 71 Hz: the lowest
        STB 1,X
        STA 2,X
        CLR 3,X
        LDA #10
        STA ,X
        RTS
Ts4     LDD #$FFFF
        STB 1,X
        STA 2,X
        LDA #$FF                ; bit 7 set, waveform 7, bits 16-19 = 15
        STA 3,X
        LDA #6
        STA ,X
        RTS

* The tunes on voices 0-2. A channel's data: note, frames; LOOP goes back
* to the start, STOP ends the channel.
Music   LDA MUSIC
        CMPA TUNE
        BEQ Mu2
        STA TUNE                ; a new tune: the channels from its start
        LDX #VOICES
        CLR ,X
        CLR 8,X
        CLR 16,X
        LDB #6
        MUL
        LDY #Tunes
        LEAY D,Y
        LDU #CHAN
        LDB #3
Mu1     LDX ,Y++
        STX ,U
        STX 2,U
        LDA #1
        STA 4,U
        CLR 5,U
        PSHS B
        LDA #3
        SUBA ,S+
        LDX #ChannelWaves
        LDA A,X
        STA 6,U
        LEAU 8,U
        DECB
        BNE Mu1
Mu2     LDA TUNE
        BEQ Mu9
        LDU #CHAN
        LDX #VOICES
        LDB #3
Mu3     PSHS B
        JSR Channel
        PULS B
        LEAU 8,U
        LEAX 8,X
        DECB
        BNE Mu3
Mu9     RTS

* U = channel, X = its voice: the next note when this one is over, else
* the volume falls to a sustain level.
Channel LDY ,U
        BEQ Ch9
        DEC 4,U
        BNE Ch5
Ch1     LDA ,Y+
        CMPA #LOOP
        BNE Ch2
        LDY 2,U
        BRA Ch1
Ch2     CMPA #STOP
        BNE Ch3
        CLR ,X
        LDY #0
        STY ,U
        RTS
Ch3     LDB ,Y+
        STB 4,U
        STY ,U
        TSTA
        BNE Ch4
        CLR ,X                  ; a rest
        CLR 5,U
        RTS
Ch4     TFR A,B
        LDA 6,U
        STA WAVE
        LDA #12
        STA 5,U
        JMP NoteOn
Ch5     LDA 4,U
        ANDA #3
        BNE Ch9
        LDA 5,U
        CMPA #5
        BLS Ch9
        DECA
        STA 5,U
        STA ,X
Ch9     RTS

ChannelWaves FCB $50,$20,$00

* Effects on voices 3-5, started in turn: frames, start frequency, step,
* volume, waveform.
Effects LDA SFX
        BEQ Ef3
        CLR SFX
        CMPA #FX_BONUS
        BHI Ef3
        DECA
        LDB #7
        MUL
        LDY #EffectTable
        LEAY D,Y
        LDU #FXV
        LDA FXNEXT
        LDB #8
        MUL
        LEAU D,U
        LDB #7
Ef1     LDA ,Y+
        STA ,U+
        DECB
        BNE Ef1
        LDA FXNEXT
        INCA
        CMPA #3
        BNE Ef2
        CLRA
Ef2     STA FXNEXT
Ef3     LDU #FXV
        LDX #VOICES+24
        LDB #3
Ef4     PSHS B
        LDA ,U
        BEQ Ef5
        DEC ,U
        LDD 1,U
        ADDD 3,U
        STD 1,U
        STB 1,X
        STA 2,X
        LDA 6,U
        STA 3,X
        LDA ,U
        LSRA
        CMPA 5,U
        BLS Ef6
        LDA 5,U
Ef6     STA ,X                  ; the volume fades with the frames left
        BRA Ef7
Ef5     CLR ,X
Ef7     PULS B
        LEAU 8,U
        LEAX 8,X
        DECB
        BNE Ef4
        RTS

* The name-entry chime on voice 6: a rising arpeggio while the flag is on.
Chime   LDX #VOICES+48
        LDA NAMETUNE
        BNE Cm1
        CLR ,X
        CLR CHIME
        RTS
Cm1     INC CHIME
        LDA CHIME
        ANDA #7
        BNE Cm9
        LDA CHIME
        LSRA
        LSRA
        LSRA
        ANDA #3
        LDY #ChimeNotes
        LDB A,Y
        LDA #$50
        STA WAVE
        LDA #9
        JMP NoteOn
Cm9     LDA ,X
        BEQ Cm8
        DEC ,X
Cm8     RTS

ChimeNotes FCB C5,E5,G5,C5

* Frames, start frequency, step, volume, waveform (and frequency bits 16-19).
EffectTable
        FCB 10
        FDB 30000,-2000
        FCB 10,$30              ; a ball: a falling saw
        FCB 16
        FDB 8000,600
        FCB 12,$60              ; a hit: rough, rising
        FCB 20
        FDB 20000,800
        FCB 9,$00               ; the gem: a rising sine
        FCB 40
        FDB 12000,-250
        FCB 12,$10              ; a doll falls
        FCB 8
        FDB 26000,0
        FCB 8,$40               ; a coin
        FCB 30
        FDB 15000,900
        FCB 10,$20              ; an extra doll

* The tunes: none, title, play, game over, stage clear; three channels each.
Tunes   FDB 0,0,0
        FDB TitleA,TitleB,TitleC
        FDB PlayA,PlayB,PlayC
        FDB OverA,OverB,OverC
        FDB ClearA,ClearB,ClearC

TitleA  FCB C4,8,E4,8,G4,8,C5,8,B4,8,G4,8,E4,16
        FCB F4,8,A4,8,C5,8,A4,8,G4,24,0,8
        FCB E4,8,G4,8,C5,8,E5,8,D5,8,B4,8,G4,16
        FCB A4,8,F4,8,D4,8,B3,8,C4,24,0,8,LOOP
TitleB  FCB C3,16,G3,16,C3,16,G3,16,F3,16,C3,16,G3,16,C3,16
        FCB C3,16,G3,16,C3,16,G3,16,G3,16,D3,16,C3,32,LOOP
TitleC  FCB E4,64,F4,32,E4,32,E4,64,D4,32,E4,32,LOOP
PlayA   FCB A4,6,C5,6,E5,6,C5,6,A4,6,E4,6,A4,12
        FCB G4,6,B4,6,D5,6,B4,6,G4,6,D4,6,G4,12
        FCB F4,6,A4,6,C5,6,A4,6,F4,6,C4,6,F4,12
        FCB E4,6,G4,6,B4,6,E5,6,D5,6,B4,6,C5,12,LOOP
PlayB   FCB A3,12,A3,12,A3,12,A3,12,G3,12,G3,12,G3,12,G3,12
        FCB F3,12,F3,12,F3,12,F3,12,E3,12,E3,12,E3,12,E3,12,LOOP
PlayC   FCB 0,192,LOOP
OverA   FCB G4,12,E4,12,C4,12,G3,24,C3,48,STOP
OverB   FCB C3,60,STOP
OverC   FCB STOP
ClearA  FCB C4,6,E4,6,G4,6,C5,18,G4,6,C5,30,STOP
ClearB  FCB C3,24,G3,24,C3,30,STOP
ClearC  FCB E4,24,D4,24,E4,30,STOP

NoteTable
        FDB 2931,3105,3290,3485,3693,3912,4145,4391,4653,4929,5222,5533
        FDB 5862,6210,6580,6971,7385,7825,8290,8783,9305,9858,10445,11066
        FDB 11724,12421,13159,13942,14771,15649,16580,17566,18610,19717,20889,22131
        FDB 23447,24842,26319,27884,29542,31298,33160,35131,37220,39434,41778,44263

        ORG $FFF0
        FDB Nothing,Nothing,Nothing,Nothing,Irq,Nothing,Nothing,Reset
