* DOLLIX: the main CPU's program (0x8000-0xFFFF).
*
* One or two dolls defend their garden against bugs and ghosts: the stick
* walks, the button throws a ball in the facing direction. A stage is won
* when its quota of enemies is down; seven stages each show their own bitmap
* screen. The attract mode shows the title with a parade of dolls, a demo
* played by the program and the best ten; test mode shows the controls, the
* switches, the chip checks, the colours and the sound test.
*
* The main loop runs once a frame, woken by the IRQ's tick; every state has an
* init routine and a frame routine (StateInit, StateFrame).

        INCLUDE "board.inc"

* Variables, in the direct page $0C.
        SETDP $0C
TICK    EQU $0C00       ; frames, counted by the IRQ
STATE   EQU $0C01
TIMER   EQU $0C02       ; word: frames left in this state
RNG     EQU $0C04       ; word: random numbers
CREDITS EQU $0C06
COINWAS EQU $0C07
BTNWAS  EQU $0C08       ; buttons and starts last frame
SCREEN  EQU $0C09       ; bitmap screen shown, $FF none
IOOK    EQU $0C0A       ; mode checks passed: bit 0-2 chip 0-2
PLAYERS EQU $0C0B       ; players in the game
STAGE   EQU $0C0C       ; 0-6
KILLS   EQU $0C0D       ; enemies left to win the stage
TOSPAWN EQU $0C0E       ; enemies left to come
SPAWNT  EQU $0C0F       ; frames to the next enemy
SPEED   EQU $0C10       ; enemy speed, of 256
ACC     EQU $0C11
DIFF    EQU $0C12       ; 0 easy - 3 very hard
LIVESET EQU $0C13
BONUS   EQU $0C14       ; lives every BONUS hundred points
DEMO    EQU $0C15
IN1     EQU $0C16       ; this frame: stick in bits 0-3, button bit 4
IN2     EQU $0C17
NEW1    EQU $0C18       ; inputs that came on this frame
NEW2    EQU $0C19
WAS1    EQU $0C1A
WAS2    EQU $0C1B
TESTSEL EQU $0C1C
STEPS   EQU $0C1D       ; enemies move this frame
PARX    EQU $0C1E       ; word: the parade's position
TMP0    EQU $0C20
TMP1    EQU $0C21
TMP2    EQU $0C22
TMP3    EQU $0C23
TMPW    EQU $0C24       ; word
SCORE1  EQU $0C30       ; 3 BCD bytes
SCORE2  EQU $0C33
LIVES1  EQU $0C36
LIVES2  EQU $0C37
PTS1    EQU $0C38       ; word: hundreds of points, binary
PTS2    EQU $0C3A
NEXT1   EQU $0C3C       ; word: hundreds for the next life
NEXT2   EQU $0C3E
NPLAYER EQU $0C40       ; name entry: player 0 or 1
NSLOT   EQU $0C41       ; word: table entry
NPOS    EQU $0C43
NLETTER EQU $0C44
SELSTG  EQU $0C45
MSGT    EQU $0C46       ; frames the stage's greeting stays
SECS    EQU $0C47       ; a time limit: seconds left (BCD)
SECF    EQU $0C48       ; frames left of this second

* Objects of 8 bytes: state, x (0-240), y (16-190), direction, timer,
* animation, kind, owner.
OSTATE  EQU 0
OX      EQU 1
OY      EQU 2
ODIR    EQU 3
OTIME   EQU 4
OANIM   EQU 5
OKIND   EQU 6
OOWNER  EQU 7
PLAYER1 EQU $0D00
PLAYER2 EQU $0D08
SHOT1   EQU $0D10
SHOT2   EQU $0D18
GEM     EQU $0D20
ENEMIES EQU $0D28
NENEMY  EQU 8
OBJEND  EQU $0D68

* States.
ST_TITLE EQU 0
ST_DEMO  EQU 1
ST_SCORE EQU 2
ST_READY EQU 3
ST_SELECT EQU 4
ST_PLAY  EQU 5
ST_CLEAR EQU 6
ST_OVER  EQU 7
ST_NAME  EQU 8
ST_TEST  EQU 9

* Colour sets of the text.
C_WHITE EQU 1
C_YELLOW EQU 2
C_RED   EQU 3
C_CYAN  EQU 4
C_GREEN EQU 5
C_ORANGE EQU 6
C_PINK  EQU 7
C_BLUE  EQU 8
C_GREY  EQU 9
C_LIFE1 EQU 32
ONBLACK EQU 16          ; added to a text colour: on opaque black
BLANK   EQU $89         ; a blank that is drawn (pen 0), for backings
C_LIFE2 EQU 33

        ORG $8000
        FCC "DOLLIX MAIN PROGRAM"
        FCB 0

Reset   ORCC #$50
        LDS #$0F80
        LDA #$0C
        TFR A,DP
        STA SNDHOLD
        LDX #$0000              ; clear the RAM the game uses
        LDD #0
Clr1    STD ,X++
        STD ,X++
        STD ,X++
        STD ,X++
        CMPX #$2800
        BNE Clr1
        LDX #SHARED
Clr2    STD ,X++
        CMPX #SHARED+$100
        BNE Clr2
        LDD #$ACE1
        STD RNG
        LDA #$FF
        STA SCREEN
        STA SNDGO               ; the sound program starts over
        JSR ClearTiles
        JSR HideSprites
        ANDCC #$EF
        LDA #$11                ; ask for a fresh bitmap layer
        STA BMSHAKE
Boot1   JSR WaitFrame
        LDA BMSHAKE
        CMPA #$22
        BNE Boot1
        CLR BMSHAKE
        JSR ModeChecks
        JMP HiLoad              ; the high scores, then BootScores

BootScores
        LDU #BootText
        JSR Texts
        LDX #TILEROW+32*14+12
        LDB #C_GREEN
        LDU #OkText
        LDA IOOK
        CMPA #7
        BEQ Boot2
        LDB #C_RED
        LDU #NgText
Boot2   JSR PrintStr
        LDB #60
Boot3   JSR WaitFrame
        DECB
        BNE Boot3
        LDB #ST_TITLE
        JSR GoState

MainLoop
        JSR WaitFrame
        JSR ReadControls
        JSR CheckLayer
        LDX #StateFrame
        LDB STATE
        ASLB
        JSR [B,X]
        BRA MainLoop

* The three chips' mode checks: chip 0 in mode 5 answers $0F and $0C, chips 1
* and 2 in mode 8 answer the sum of registers 9-15 in registers 1 and 0.
ModeChecks
        CLR IOOK
        LDA #5
        STA IOCHIP0+8
        LDX #IOCHIP1+9
        LDA #1
Mc1     STA ,X+                 ; 1 + 2 + ... + 7 = $1C
        INCA
        CMPA #8
        BNE Mc1
        LDX #IOCHIP2+9
        LDA #$0F
Mc2     STA ,X+                 ; 7 x 15 = $69
        CMPX #IOCHIP2+16
        BNE Mc2
        LDA #8
        STA IOCHIP1+8
        STA IOCHIP2+8
        JSR WaitFrame
        JSR WaitFrame
        LDA IOCHIP0+2
        ANDA #$0F
        CMPA #$0F
        BNE Mc3
        LDA IOCHIP0+6
        CMPA #$0C
        BNE Mc3
        INC IOOK
Mc3     LDA IOCHIP1+1
        ANDA #$0F
        CMPA #$0C
        BNE Mc4
        LDA IOCHIP1
        ANDA #$0F
        CMPA #$01
        BNE Mc4
        LDA IOOK
        ORA #2
        STA IOOK
Mc4     LDA IOCHIP2+1
        ANDA #$0F
        CMPA #$09
        BNE Mc5
        LDA IOCHIP2
        ANDA #$0F
        CMPA #$06
        BNE Mc5
        LDA IOOK
        ORA #4
        STA IOOK
Mc5     CLR IOCHIP0+8           ; leave the check modes
        CLR IOCHIP1+8
        CLR IOCHIP2+8
        JSR WaitFrame
        JMP WaitFrame

Irq     INC >TICK
        RTI

Nothing RTI

WaitFrame
        PSHS A
        LDA TICK
Wf1     CMPA TICK
        BEQ Wf1
        PULS A,PC

* Controls, coins and the test switch, once a frame.
ReadControls
        LDA DIP0
        BITA #8
        BEQ Rc1
        LDA STATE
        CMPA #ST_TEST
        BEQ Rc2
        LDB #ST_TEST
        JMP GoState
Rc1     LDA STATE
        CMPA #ST_TEST
        LBEQ Reset              ; test switch off: start over
Rc2     LDA COIN
        ANDA #1
        TFR A,B
        EORA COINWAS
        STB COINWAS
        ANDA COINWAS
        BEQ Rc3
        LDA #FX_COIN
        STA SHARED+SFX
        LDA CREDITS
        CMPA #9
        BHS Rc3
        INC CREDITS
        LDA STATE
        CMPA #ST_SCORE
        BHI Rc3
        LDB #ST_READY
        JSR GoState
Rc3     LDA DEMO
        BNE Rc4
        LDA STICK1
        ANDA #$0F
        LDB BUTTONS
        ANDB #1
        BEQ Rc5
        ORA #$10
Rc5     STA IN1
        LDA STICK2
        ANDA #$0F
        LDB BUTTONS
        ANDB #2
        BEQ Rc6
        ORA #$10
Rc6     STA IN2
Rc4     LDA IN1
        TFR A,B
        EORA WAS1
        STB WAS1
        ANDA WAS1
        STA NEW1
        LDA IN2
        TFR A,B
        EORA WAS2
        STB WAS2
        ANDA WAS2
        STA NEW2
        RTS

* Starts from the buttons byte: A := starts that came on (bit 2 one player,
* bit 3 two players).
StartEdges
        LDA BUTTONS
        ANDA #$0C
        TFR A,B
        EORA BTNWAS
        STB BTNWAS
        ANDA BTNWAS
        RTS

* The host may reset the bitmap layer (it answers $22 then): show the screen
* again.
CheckLayer
        LDA BMSHAKE
        CMPA #$22
        BNE Cl9
        CLR BMSHAKE
        LDA STATE
        CMPA #ST_TEST
        BNE Cl1
        LDA #3
        JSR RaiseFlag
Cl1     LDA SCREEN
        BMI Cl9
        JSR RaiseFlag
Cl9     RTS

* A = screen command: draws it in this frame and remembers it.
ShowScreen
        STA SCREEN
RaiseFlag
        LDX #BMFLAGS
        LDB #1
        STB A,X
        RTS

GoState STB STATE
        LDX #StateInit
        ASLB
        JMP [B,X]

StateInit
        FDB TitleInit,DemoInit,ScoreInit,ReadyInit,SelectInit
        FDB PlayInit,ClearInit,OverInit,NameInit,TestInit
StateFrame
        FDB TitleFrame,DemoFrame,ScoreFrame,ReadyFrame,SelectFrame
        FDB PlayFrame,ClearFrame,OverFrame,NameFrame,TestFrame

* Random numbers: a 16-bit Galois shift register; A and B hold it after.
Random  LSR RNG
        ROR RNG+1
        BCC Rn1
        LDA RNG
        EORA #$B4
        STA RNG
Rn1     LDD RNG
        RTS

* Tiles: all blank.
ClearTiles
        PSHS D,X
        LDX #TILES
        LDD #$2020
Ct1     STD ,X++
        STD ,X++
        STD ,X++
        STD ,X++
        CMPX #COLOURS
        BNE Ct1
        LDD #0
Ct2     STD ,X++
        STD ,X++
        STD ,X++
        STD ,X++
        CMPX #COLOURS+$400
        BNE Ct2
        PULS D,X,PC

* Every sprite off the screen (X 0 lies left of the clip).
HideSprites
        PSHS D,X
        LDX #SPRB
        LDD #$F000
Hs1     STD ,X++
        CMPX #SPRB+128
        BNE Hs1
        LDX #SPRC
        LDD #0
Hs2     STD ,X++
        CMPX #SPRC+128
        BNE Hs2
        PULS D,X,PC

* PrintStr: X tile address, U text (0 ends it), B colour set.
PrintStr
        LDA ,U+
        BEQ Ps9
        STA ,X
        STB $400,X
        LEAX 1,X
        BRA PrintStr
Ps9     RTS

* Texts: U a list of (address, colour, text, 0), ended by address 0.
Texts   LDX ,U++
        BEQ Tx9
        LDB ,U+
        BSR PrintStr
        BRA Texts
Tx9     RTS

* PrintBcd: X tile address, U three BCD bytes, B colour set.
PrintBcd
        PSHS A
        LDA #3
        STA TMP0
Pb1     LDA ,U+
        BSR PrintBcdByte
        DEC TMP0
        BNE Pb1
        PULS A,PC

* PrintBcdByte: the two digits of A at X, colour B; X moves on by two.
PrintBcdByte
        PSHS A
        LSRA
        LSRA
        LSRA
        LSRA
        ADDA #'0
        STA ,X
        STB $400,X
        PULS A
        ANDA #$0F
        ADDA #'0
        STA 1,X
        STB $401,X
        LEAX 2,X
        RTS

* A time limit of A seconds (BCD, up to 99).
StartClock
        STA SECS
        LDA #60
        STA SECF
        RTS

* One frame of the time limit: the seconds left shown at X in colour B;
* Z set when the time has run out.
Countdown
        DEC SECF
        BNE Cd1
        LDA #60
        STA SECF
        LDA SECS
        ADDA #$99               ; one second less, in BCD
        DAA
        STA SECS
Cd1     LDA SECS
        BSR PrintBcdByte
        TST SECS
        RTS

* Backing: the tiles of a box on opaque black, so that the text in it reads
* over any picture; blanks become drawn ones. X the top left tile, A rows,
* B columns.
Backing PSHS A,B,X
Bk1     LDB 1,S
Bk2     LDA ,X
        CMPA #$20
        BNE Bk3
        LDA #BLANK
        STA ,X
Bk3     LDA $400,X
        ORA #ONBLACK
        STA $400,X
        LEAX 1,X
        DECB
        BNE Bk2
        LDX 2,S
        LEAX 32,X
        STX 2,S
        DEC ,S
        BNE Bk1
        PULS A,B,X,PC

* Blanks: B tiles from X back to the undrawn blank, colour 0.
Blanks  LDA #$20
        STA ,X
        CLR $400,X
        LEAX 1,X
        DECB
        BNE Blanks
        RTS

* PrintDigit: A 0-9 at X, colour B.
PrintDigit
        ADDA #'0
        STA ,X
        STB $400,X
        RTS

* Sprite B (0-63) for object Y: code A, colour TMP1, flags TMP2; picture
* position x + 16, y: X = 327 - x, Y byte = y + 9.
PutSprite
        PSHS D,X,U
        LDX #SPRA
        ASLB
        ABX
        STA ,X
        LDA TMP1
        STA 1,X
        LDA OY,Y
        ADDA #9
        STA $800,X
        LDB OX,Y
        CLRA
        STD TMPW
        LDD #327
        SUBD TMPW
        STB $801,X
        STA $1001,X
        LDA TMP2
        STA $1000,X
        PULS D,X,U,PC

* HideSprite: B = sprite.
HideSprite
        PSHS D,X
        LDX #SPRB
        ASLB
        ABX
        LDD #$F000
        STD ,X
        CLR $801,X
        PULS D,X,PC

*---------------------------------------------------------------- attract

TitleInit
        JSR ClearTiles
        JSR HideSprites
        CLR DEMO
        LDA #0
        JSR ShowScreen
        LDU #TitleText
        JSR Texts
        LDA #1
        STA SHARED+MUSIC
        LDD #480
        STD TIMER
        LDD #0
        STD PARX
        RTS

TitleFrame
        JSR ShowCredits
        JSR Parade
        JSR StartEdges
        LDD TIMER
        SUBD #1
        STD TIMER
        BNE Tf9
        LDB #ST_DEMO
        JMP GoState
Tf9     RTS

* Credits on the bottom line, or the coin invitation.
ShowCredits
        LDX #TILEROW+32*27+20
        LDB #C_WHITE
        LDU #CreditText
        JSR PrintStr
        LDA CREDITS
        JMP PrintDigit

* The parade: the big doll in all sixteen forms (flip, wide and tall bits),
* sliding across the whole X range so that they cross both clip edges and
* X bit 8, in two rows over the chequered band, clear of the text; and the
* tall doll wrapping from the bottom to the top, its lower half into the
* lines above the picture, where nothing of it shows.
Parade  LDD PARX
        ADDD #1
        ANDB #$FF
        ANDA #1
        STD PARX
        CLRB
Pa1     PSHS B
        LDX #SPRA
        ASLB
        ABX
        LDA #12
        STA ,X
        LDA #8
        STA 1,X
        LDA ,S
        ANDA #8                 ; rows: first eight at y 96, then 132
        LSRA
        LSRA
        LSRA
        LDB #36
        MUL
        ADDB #105
        STB $800,X
        LDB ,S
        ANDB #7
        LDA #64
        MUL
        ADDD PARX
        ANDA #1
        STB $801,X
        STA $1001,X
        LDA ,S
        STA $1000,X
        PULS B
        INCB
        CMPB #16
        BNE Pa1
        LDX #SPRA+32            ; sprite 16: the tall doll, Y 233
        LDD #$1400
        STD ,X
        LDA #233
        STA $800,X
        LDD PARX
        ADDD #100
        ANDA #1
        STB $801,X
        STA $1001,X
        LDA #8
        STA $1000,X
        RTS

DemoInit
        LDA #1
        STA DEMO
        LDA #2
        STA PLAYERS
        CLR STAGE
        LDA #2                  ; the play tune
        STA SHARED+MUSIC
        JSR NewGame
        JSR StartStage
        LDD #900
        STD TIMER
        RTS

DemoFrame
        JSR AiInputs
        JSR PlayStep
        JSR StartEdges
        LDD TIMER
        SUBD #1
        STD TIMER
        BEQ Df1
        LDA PLAYER1+OSTATE
        ORA PLAYER2+OSTATE
        BNE Df9
Df1     CLR DEMO
        LDB #ST_SCORE
        JMP GoState
Df9     RTS

* The demo's players: each goes for an enemy (player 1 the first, player 2
* the last), lines up with it and throws.
AiInputs
        LDY #PLAYER1
        LDX #ENEMIES
        LDB #1
        JSR AiOne
        STA IN1
        LDY #PLAYER2
        LDX #ENEMIES+8*(NENEMY-1)
        LDB #-1
        JSR AiOne
        STA IN2
        RTS

AiOne   LDA #NENEMY
        STA TMP0
        LDA #8
        MUL
        STB TMP1                ; step between enemies, +8 or -8
Ai1     LDA OSTATE,X
        CMPA #1
        BEQ Ai2
        LDB TMP1
        LEAX B,X
        DEC TMP0
        BNE Ai1
        CLRA
        RTS
Ai2     LDA OY,X
        SUBA OY,Y
        BPL Ai3
        NEGA
Ai3     CMPA #6
        BHS Ai5
        LDA OX,X                ; in line: face it and throw
        CMPA OX,Y
        BHS Ai4
        LDA #$18
        RTS
Ai4     LDA #$12
        RTS
Ai5     LDA OY,X
        CMPA OY,Y
        BHS Ai6
        LDA #$11
        RTS
Ai6     LDA #$14
        RTS

ScoreInit
        JSR ClearTiles
        JSR HideSprites
        LDA #11
        JSR ShowScreen
        LDX #TILEROW+32*2+8      ; the heading, kept with the table
        LDU #HEADING
        LDB #16
Si1     LDA ,U+
        STA ,X
        LDA #C_YELLOW
        STA $400,X
        LEAX 1,X
        DECB
        BNE Si1
        LDY #TABLE
        LDX #TILEROW+32*5+6
        CLRA
Si2     PSHS A,X
        INCA
        CMPA #10
        BNE Si3
        LDA #'1
        STA ,X
        LDA #'0
        STA 1,X
        BRA Si4
Si3     ADDA #'0
        STA 1,X
Si4     LDA #C_CYAN
        STA $400,X
        STA $401,X
        LEAX 3,X
        LEAU ,Y
        LDB #C_WHITE
        JSR PrintBcd
        LEAX 2,X
        LDB #3
Si5     LDA ,U+
        STA ,X
        LDA #C_YELLOW
        STA $400,X
        LEAX 1,X
        DECB
        BNE Si5
        LEAX 2,X
        LDA 6,Y
        INCA
        LDB #C_GREEN
        JSR PrintDigit
        PULS A,X
        LEAX 64,X
        LEAY 8,Y
        INCA
        CMPA #10
        BNE Si2
        LDX #TILEROW+32*1+4     ; the table on a plain backing
        LDD #24*256+22
        JSR Backing
        LDU #BestText
        JSR Texts
        LDX #TILEROW+32*26+8
        LDU #BESTS
        LDB #C_PINK
        JSR PrintBcd
        LDX #TILEROW+32*26+24
        LDB #C_BLUE
        JSR PrintBcd
        LDD #360
        STD TIMER
        RTS

ScoreFrame
        JSR ShowCredits
        JSR StartEdges
        LDD TIMER
        SUBD #1
        STD TIMER
        BNE Sf9
        LDB #ST_TITLE
        JMP GoState
Sf9     RTS

ReadyInit
        JSR ClearTiles
        JSR HideSprites
        CLR DEMO
        LDA #14
        JSR ShowScreen
        LDU #ReadyText
        JSR Texts
        CLR SHARED+MUSIC
        RTS

ReadyFrame
        JSR ShowCredits
        JSR StartEdges
        BITA #8
        BEQ Rf1
        LDB CREDITS
        CMPB #2
        BLO Rf1
        SUBB #2
        STB CREDITS
        LDA #2
        BRA Rf2
Rf1     BITA #4
        BEQ Rf9
        LDB CREDITS
        BEQ Rf9
        DEC CREDITS
        LDA #1
Rf2     STA PLAYERS
        JSR NewGame
        LDA DIP1
        BITA #2
        BEQ Rf3
        LDB #ST_SELECT
        JMP GoState
Rf3     CLR STAGE
        LDB #ST_PLAY
        JMP GoState
Rf9     RTS

* The switches into the game: lives, bonus, difficulty.
NewGame LDA DIP3
        ANDA #3
        LDX #LivesTable
        LDA A,X
        STA LIVESET
        STA LIVES1
        STA LIVES2
        LDA DIP2
        LSRA
        ANDA #3
        LDX #DiffTable
        LDA A,X
        STA DIFF
        LDB #150
        LDA DIP2
        BITA #8
        BEQ Ng1
        LDB #200
Ng1     STB BONUS
        CLRA
        STD NEXT1
        STD NEXT2
        LDD #0
        STD PTS1
        STD PTS2
        STD SCORE1
        STD SCORE1+2
        STD SCORE1+4
        LDA PLAYERS
        CMPA #2
        BEQ Ng2
        CLR LIVES2
Ng2     LDX #PLAYER1
        LDD #0
Ng3     STD ,X++
        CMPX #OBJEND
        BNE Ng3
        LDA #1
        STA PLAYER1+OSTATE
        LDA LIVES2
        BEQ Ng4
        LDA #1
        STA PLAYER2+OSTATE
Ng4     DEC LIVES1              ; the doll on the field is one of them
        LDA LIVES2
        BEQ Ng5
        DEC LIVES2
Ng5     RTS

LivesTable FCB 3,1,2,5
DiffTable  FCB 1,0,2,3
SpeedTable FCB 100,140,180,220

SelectInit
        JSR ClearTiles
        JSR HideSprites
        LDA #13
        JSR ShowScreen
        LDU #SelectText
        JSR Texts
        CLR SELSTG
        LDA #$20                ; 20 seconds to choose
        JMP StartClock

SelectFrame
        LDA NEW1
        BITA #2
        BEQ Sl1
        LDA SELSTG
        CMPA #6
        BEQ Sl1
        INC SELSTG
Sl1     LDA NEW1
        BITA #8
        BEQ Sl2
        LDA SELSTG
        BEQ Sl2
        DEC SELSTG
Sl2     LDX #TILEROW+32*12+20
        LDA SELSTG
        INCA
        LDB #C_YELLOW
        JSR PrintDigit
        LDX #TILEROW+32*23+17
        LDB #C_WHITE
        JSR Countdown
        BEQ Sl3
        LDA NEW1
        BITA #$10
        BEQ Sl9
Sl3     LDA SELSTG
        STA STAGE
        LDB #ST_PLAY
        JMP GoState
Sl9     RTS

*---------------------------------------------------------------- the game

PlayInit
        LDA #2
        STA SHARED+MUSIC
        JMP StartStage

* A stage: its screen, the HUD, the dolls in their places, no enemies yet.
StartStage
        JSR ClearTiles
        JSR HideSprites
        LDX #StageScreens
        LDA STAGE
        LDA A,X
        JSR ShowScreen
        LDA #16                 ; a second flag in the same frame
        JSR RaiseFlag
        LDU #HudText
        JSR Texts
        LDX #TILEROW+32*27+8
        LDA STAGE
        INCA
        LDB #C_WHITE
        JSR PrintDigit
        LDX #ENEMIES
        LDD #0
Ss1     STD ,X++
        CMPX #OBJEND
        BNE Ss1
        CLR SHOT1+OSTATE
        CLR SHOT2+OSTATE
        LDX #PLAYER1
        LDD #$5064              ; x 80, y 100
        STD OX,X
        LDA #120
        STA OTIME,X
        LDA #1
        STA ODIR,X
        LDX #PLAYER2
        LDD #$A064
        STD OX,X
        LDA #120
        STA OTIME,X
        LDA #3
        STA ODIR,X
        LDA STAGE
        ASLA
        ADDA #8
        STA KILLS
        STA TOSPAWN
        LDA #90
        STA SPAWNT
        LDX #SpeedTable
        LDA DIFF
        LDA A,X
        LDB STAGE
        ASLB
        ASLB
        ASLB
        PSHS B
        ADDA ,S+
        BCC Ss2
        LDA #250
Ss2     STA SPEED
        LDA #100                ; the gem once the greeting has gone
        STA GEM+OTIME
        LDU #GreetText          ; the greeting until the enemies come, above
        JSR Texts               ; the dolls, on its own backing
        LDX #TILEROW+32*8+16
        LDA STAGE
        INCA
        LDB #C_YELLOW
        JSR PrintDigit
        LDX #TILEROW+32*7+9
        LDD #3*256+15
        JSR Backing
        LDA #90
        STA MSGT
        JMP DrawHud

StageScreens FCB 1,5,2,4,6,7,8

PlayFrame
        JSR PlayStep
        LDA KILLS
        BNE Pf1
        LDB #ST_CLEAR
        JMP GoState
Pf1     LDA PLAYER1+OSTATE
        ORA PLAYER2+OSTATE
        BNE Pf9
        LDB #ST_OVER
        JMP GoState
Pf9     RTS

* One frame of play, for the game and the demo.
PlayStep
        LDA MSGT
        BEQ Pl1
        DEC MSGT
        BNE Pl1
        LDA #3                  ; the greeting goes
        LDX #TILEROW+32*7+9
Pl2     LDB #15
        PSHS A,X
        JSR Blanks
        PULS A,X
        LEAX 32,X
        DECA
        BNE Pl2
Pl1
        LDA ACC
        ADDA SPEED
        STA ACC
        LDA #0
        ROLA
        STA STEPS
        LDY #PLAYER1
        LDA IN1
        LDU #SHOT1
        JSR MovePlayer
        LDY #PLAYER2
        LDA IN2
        LDU #SHOT2
        JSR MovePlayer
        LDY #SHOT1
        JSR MoveShot
        LDY #SHOT2
        JSR MoveShot
        JSR Spawner
        JSR GemStep
        LDY #ENEMIES
Ps1     JSR MoveEnemy
        LEAY 8,Y
        CMPY #OBJEND
        BNE Ps1
        JSR Collide
        JSR DrawObjects
        JMP DrawHud

* Y = player, A = input, U = its ball.
MovePlayer
        LDB OSTATE,Y
        CMPB #1
        BEQ Mp1
        CMPB #2
        LBNE Mp9
        DEC OTIME,Y             ; falling: then the next doll or out
        LBNE Mp9
        LDX #LIVES1
        CMPY #PLAYER1
        BEQ Mp0
        LEAX 1,X
Mp0     LDB ,X
        BEQ Mpout
        DEC ,X
        LDB #1
        STB OSTATE,Y
        LDB #120
        STB OTIME,Y
        JMP DrawHud
Mpout   CLR OSTATE,Y
        RTS
Mp1     STA TMP0
        LDB OTIME,Y
        BEQ Mp2
        DEC OTIME,Y
Mp2     BITA #1
        BEQ Mp3
        CLR ODIR,Y
        LDB OY,Y
        CMPB #18
        BLO Mp3
        SUBB #2
        STB OY,Y
Mp3     BITA #4
        BEQ Mp4
        LDB #2
        STB ODIR,Y
        LDB OY,Y
        CMPB #189
        BHS Mp4
        ADDB #2
        STB OY,Y
Mp4     BITA #2
        BEQ Mp5
        LDB #1
        STB ODIR,Y
        LDB OX,Y
        CMPB #239
        BHS Mp5
        ADDB #2
        STB OX,Y
Mp5     BITA #8
        BEQ Mp6
        LDB #3
        STB ODIR,Y
        LDB OX,Y
        CMPB #2
        BLO Mp6
        SUBB #2
        STB OX,Y
Mp6     BITA #$0F
        BEQ Mp7
        INC OANIM,Y
Mp7     BITA #$10
        BEQ Mp9
        LDB OSTATE,U
        BNE Mp9
        LDB #1
        STB OSTATE,U
        LDD OX,Y
        STD OX,U
        LDB ODIR,Y
        STB ODIR,U
        LDA #FX_SHOT
        STA SHARED+SFX
Mp9     RTS

* Y = ball: four pixels a frame in its direction, gone at the edges.
MoveShot
        LDA OSTATE,Y
        BEQ Ms9
        LDA ODIR,Y
        LDX #StepX
        LDB A,X
        ADDB OX,Y
        CMPB #244
        BHS Ms8
        STB OX,Y
        LDX #StepY
        LDB A,X
        ADDB OY,Y
        CMPB #12
        BLO Ms8
        CMPB #194
        BHS Ms8
        STB OY,Y
        RTS
Ms8     CLR OSTATE,Y
Ms9     RTS

StepX   FCB 0,4,0,-4
StepY   FCB -4,0,4,0

* New enemies from the edges while the stage's quota lasts.
Spawner DEC SPAWNT
        BNE Sp9
        LDA #50
        SUBA STAGE
        SUBA STAGE
        SUBA STAGE
        STA SPAWNT
        LDA TOSPAWN
        BEQ Sp9
        LDA STAGE               ; at most 4 + stage / 2 at once
        LSRA
        ADDA #4
        STA TMP0
        LDX #ENEMIES
        CLRB
        CLR TMP1
Sp1     LDA OSTATE,X
        BEQ Sp2
        INC TMP1
        BRA Sp3
Sp2     TSTB
        BNE Sp3
        TFR X,U
        INCB
Sp3     LEAX 8,X
        CMPX #OBJEND
        BNE Sp1
        TSTB
        BEQ Sp9
        LDA TMP1
        CMPA TMP0
        BHS Sp9
        DEC TOSPAWN
        JSR Random
        ANDA #1
        STA OKIND,U
        LDA #1
        STA OSTATE,U
        ANDB #3
        JSR Random
        ANDA #3
        LDX #SpawnSides
        ASLA
        LEAX A,X
        LDA ,X
        CMPA #$FF
        BNE Sp4
        TFR B,A
        ANDA #$7F
        ADDA #50
Sp4     STA OX,U
        LDA 1,X
        CMPA #$FF
        BNE Sp5
        TFR B,A
        ANDA #$7F
        ADDA #40
Sp5     STA OY,U
Sp9     RTS

* Sides: x, y; -1 for a random place along the side.
SpawnSides
        FCB -1,16, -1,190, 0,-1, 240,-1

* The gem: comes back a while after it is taken.
GemStep LDA GEM+OSTATE
        BNE Gs9
        DEC GEM+OTIME
        BNE Gs9
        JSR Random
        ANDA #$7F
        ADDA #56
        STA GEM+OX
        ANDB #$7F
        ADDB #40
        STB GEM+OY
        LDA #1
        STA GEM+OSTATE
Gs9     RTS

* Y = enemy: bugs walk straight at the nearest doll, ghosts glide along the
* longer way; a burst fades.
MoveEnemy
        LDA OSTATE,Y
        BEQ Me9
        CMPA #2
        BNE Me1
        DEC OTIME,Y
        BNE Me9
        CLR OSTATE,Y
Me9     RTS
Me1     INC OANIM,Y
        LDA STEPS
        BEQ Me9
        LDX #PLAYER1            ; the target: a doll on the field
        LDA PLAYER1+OSTATE
        CMPA #1
        BNE Me2
        LDA PLAYER2+OSTATE
        CMPA #1
        BNE Me3
        LDA OY,Y                ; both: the nearer in y
        SUBA PLAYER1+OY
        BPL Me4
        NEGA
Me4     STA TMP0
        LDA OY,Y
        SUBA PLAYER2+OY
        BPL Me5
        NEGA
Me5     CMPA TMP0
        BHS Me3
Me2     LDX #PLAYER2
        LDA OSTATE,X
        CMPA #1
        BEQ Me3
        LDX #GEM                ; nobody: they gather round the gem
Me3     LDA OKIND,Y
        BEQ Me6
        LDA OX,X                ; ghost: the longer way only
        SUBA OX,Y
        BPL Me7
        NEGA
Me7     STA TMP0
        LDA OY,X
        SUBA OY,Y
        BPL Me8
        NEGA
Me8     CMPA TMP0
        BHS MeY
        BRA MeX
Me6     BSR MeX
MeY     LDA OY,Y
        CMPA OY,X
        BEQ Mey9
        BHI Mey1
        INC OY,Y
        RTS
Mey1    DEC OY,Y
Mey9    RTS
MeX     LDA OX,Y
        CMPA OX,X
        BEQ Mex9
        BHI Mex1
        INC OX,Y
        RTS
Mex1    DEC OX,Y
Mex9    RTS

* Balls against enemies, dolls against enemies and the gem.
Collide LDY #ENEMIES
Co1     LDA OSTATE,Y
        CMPA #1
        BNE Co5
        LDX #SHOT1
        BSR Near12
        BCC Co2
        LDX #SCORE1
        BRA Co3
Co2     LDX #SHOT2
        BSR Near12
        BCC Co4
        LDX #SCORE2
Co3     CLR OSTATE,U
        LDA #2
        STA OSTATE,Y
        LDA #16
        STA OTIME,Y
        DEC KILLS
        LDA #FX_KILL
        STA SHARED+SFX
        LDA OKIND,Y
        INCA
        JSR AddScore
        BRA Co5
Co4     LDX #PLAYER1
        BSR HitDoll
        LDX #PLAYER2
        BSR HitDoll
Co5     LEAY 8,Y
        CMPY #OBJEND
        BNE Co1
        LDY #GEM
        LDA OSTATE,Y
        BEQ Co9
        LDX #PLAYER1
        BSR Near12
        BCC Co6
        LDX #SCORE1
        BRA Co7
Co6     LDX #PLAYER2
        BSR Near12
        BCC Co9
        LDX #SCORE2
Co7     CLR OSTATE,Y
        LDA #150
        STA OTIME,Y
        LDA #FX_GEM
        STA SHARED+SFX
        LDA #5
        JMP AddScore
Co9     RTS

* Carry set when object X is live (state 1) and within 12 pixels of Y;
* U := X.
Near12  TFR X,U
        LDA OSTATE,X
        CMPA #1
        BNE Nr9
        LDA OX,X
        SUBA OX,Y
        BPL Nr1
        NEGA
Nr1     CMPA #12
        BHS Nr9
        LDA OY,X
        SUBA OY,Y
        BPL Nr2
        NEGA
Nr2     CMPA #12
        BHS Nr9
        ORCC #1
        RTS
Nr9     ANDCC #$FE
        RTS

* Doll X against enemy Y: a doll not shielded falls.
HitDoll BSR Near12
        BCC Hd9
        LDA OTIME,X
        BNE Hd9
        LDA #2
        STA OSTATE,X
        LDA #60
        STA OTIME,X
        STA OTIME,Y
        LDA #2
        STA OSTATE,Y
        DEC KILLS               ; the enemy is spent too
        LDA #FX_DIE
        STA SHARED+SFX
Hd9     RTS

* A = hundreds (BCD 1-9) for the player whose score X is: the score, the
* points count and the extra dolls.
AddScore
        PSHS X,Y,U
        PSHS A
        ADDA 1,X
        DAA
        STA 1,X
        LDA ,X
        ADCA #0
        DAA
        STA ,X
        PULS B
        LDU #PTS1
        LDY #LIVES1
        CMPX #SCORE1
        BEQ As1
        LEAU 2,U
        LEAY 1,Y
As1     CLRA
        ADDD ,U
        STD ,U
        CMPD 4,U                ; NEXT1 / NEXT2 follow PTS1 / PTS2
        BLO As9
        LDB BONUS
        CLRA
        ADDD 4,U
        STD 4,U
        LDA ,Y
        CMPA #9
        BHS As9
        INC ,Y
        LDA #FX_BONUS
        STA SHARED+SFX
As9     PULS X,Y,U,PC

* The sprites of the dolls, the balls, the gem and the enemies.
DrawObjects
        LDY #PLAYER1
        CLRB
Do1     PSHS B
        LDA OSTATE,Y
        BEQ Do8
        CMPY #SHOT1
        BHS Do2
        LDA OTIME,Y             ; a doll: blinks while shielded
        BITA #4
        BNE Do8
        TFR B,A
        STA TMP1
        LDA OSTATE,Y
        CMPA #2
        BEQ Do4
        LDA ODIR,Y
        LDB #0
        CMPA #3
        BNE Do3
        LDB #1                  ; facing left: mirrored
Do3     STB TMP2
        LDA OANIM,Y
        LSRA
        LSRA
        LSRA
        ANDA #1
        BRA Do7
Do4     LDA #6                  ; falling
        STA TMP1
        CLR TMP2
        LDA #8
        BRA Do7
Do2     CMPY #GEM
        BHS Do5
        LDA #2                  ; a ball
        STA TMP1
        CLR TMP2
        BRA Do7
Do5     BNE Do6
        LDA #3                  ; the gem
        STA TMP1
        CLR TMP2
        BRA Do7
Do6     CLR TMP2
        LDA OSTATE,Y
        CMPA #2
        BNE Do9
        LDA #6
        STA TMP1
        LDA #8
        BRA Do7
Do9     LDA OKIND,Y
        ADDA #4
        STA TMP1
        LDA OKIND,Y
        ASLA
        ADDA #4
        LDB OANIM,Y
        BITB #8
        BEQ Do7
        INCA
Do7     LDB ,S
        JSR PutSprite
        BRA Do10
Do8     LDB ,S
        JSR HideSprite
Do10    PULS B
        INCB
        LEAY 8,Y
        CMPY #OBJEND
        LBNE Do1
        RTS

* Scores, the best score and the dolls left (edge columns).
DrawHud LDX #TILEROW+2
        LDU #SCORE1
        LDB #C_PINK
        JSR PrintBcd
        LDX #TILEROW+13
        LDU #TABLE
        LDB #C_YELLOW
        JSR PrintBcd
        LDA PLAYERS
        CMPA #2
        BNE Dh1
        LDX #TILEROW+24
        LDU #SCORE2
        LDB #C_BLUE
        JSR PrintBcd
Dh1     LDX #EDGE1+4            ; column 1: player 1's dolls
        LDA LIVES1
        LDB #C_LIFE1
        BSR LifeColumn
        LDX #EDGE34+4           ; column 34: player 2's
        LDA LIVES2
        LDB #C_LIFE2
        BSR LifeColumn
        LDD #'1*256+'P           ; columns 0 and 35 name them
        STA EDGE0+2
        STB EDGE0+3
        LDA #C_PINK
        STA EDGE0+2+$400
        STA EDGE0+3+$400
        LDA PLAYERS
        CMPA #2
        BNE Dh9
        LDD #'2*256+'P
        STA EDGE35+2
        STB EDGE35+3
        LDA #C_BLUE
        STA EDGE35+2+$400
        STA EDGE35+3+$400
Dh9     RTS

* X = edge column from row 4, A dolls (up to 9 shown), B colour set.
LifeColumn
        STA TMP0
        LDA #9
        STA TMP1
Lc1     LDA #$81
        TST TMP0
        BNE Lc2
        LDA #$20
        BRA Lc3
Lc2     DEC TMP0
Lc3     STA ,X
        STB $400,X
        LEAX 1,X
        DEC TMP1
        BNE Lc1
        RTS

ClearInit
        LDA #15
        JSR ShowScreen
        JSR HideSprites
        LDU #ClearText
        JSR Texts
        LDX #TILEROW+32*12+12
        LDA STAGE
        INCA
        LDB #C_RED
        JSR PrintDigit
        LDA #4
        STA SHARED+MUSIC
        LDD #150
        STD TIMER
        RTS

ClearFrame
        LDD TIMER
        SUBD #1
        STD TIMER
        BNE Cf9
        LDA STAGE
        INCA
        CMPA #7
        BNE Cf1
        CLRA
Cf1     STA STAGE
        LDB #ST_PLAY            ; the next stage's play (its tune, its screen)
        JMP GoState
Cf9     RTS

OverInit
        LDA #12
        JSR ShowScreen
        JSR HideSprites
        LDU #OverText
        JSR Texts
        LDA #3
        STA SHARED+MUSIC
        LDD #180
        STD TIMER
        CLR NPLAYER
        RTS

OverFrame
        LDD TIMER
        SUBD #1
        STD TIMER
        BNE Of9
        CLR SHARED+MUSIC
        LDX #SCORE1             ; the bests of the day
        LDU #BESTS
        BSR KeepBest
        LDX #SCORE2
        LDU #BESTS+3
        BSR KeepBest
        LDB #ST_NAME
        JMP GoState
Of9     RTS

KeepBest
        PSHS X,U
        JSR CompareScores
        PULS X,U
        BLS Kb9
        LDD ,X
        STD ,U
        LDA 2,X
        STA 2,U
Kb9     RTS

* Flags as for an unsigned compare of the 3-byte BCD at X with the one at U.
CompareScores
        LDB #3
Cs1     LDA ,X+
        CMPA ,U+
        BNE Cs9
        DECB
        BNE Cs1
Cs9     RTS

* A player whose score enters the ten gets a place and a name; the table is
* saved after the last letter.
NameInit
        LDA NPLAYER
        CMPA PLAYERS
        LBHS NiDone
        LDX #SCORE1
        TSTA
        BEQ Ni1
        LDX #SCORE2
Ni1     STX TMPW
        LDY #TABLE
Ni2     LDX TMPW
        LEAU ,Y
        BSR CompareScores
        BHI Ni3
        LEAY 8,Y
        CMPY #TABLE+80
        BNE Ni2
        INC NPLAYER             ; not in the ten
        BRA NameInit
Ni3     LDX #TABLE+71           ; make room: entries move down one
Ni7     PSHS Y
        CMPX ,S++
        BLO Ni8
        LDA ,X
        STA 8,X
        LEAX -1,X
        BRA Ni7
Ni8     LDX TMPW
        LDD ,X
        STD ,Y
        LDA 2,X
        STA 2,Y
        LDD #'A*256+32
        STD 3,Y
        STB 5,Y
        LDA STAGE
        STA 6,Y
        CLR 7,Y
        STY NSLOT
        CLR NPOS
        LDA #'A
        STA NLETTER
        LDA #1
        STA SHARED+NAMETUNE
        JSR ClearTiles
        LDA #11
        JSR ShowScreen
        LDU #NameText
        JSR Texts
        LDX #TILEROW+32*8+19
        LDA NPLAYER
        INCA
        LDB #C_YELLOW
        JSR PrintDigit
        LDX #TILEROW+32*5+2     ; all of it on a plain backing
        LDD #16*256+28
        JSR Backing
        LDA #$30                ; 30 seconds for the name
        JMP StartClock
NiDone  JMP AfterGame

NameFrame
        LDY NSLOT
        LDA NLETTER
        LDB NEW1
        TST NPLAYER
        BEQ Nf0
        LDB NEW2
Nf0     BITB #1
        BEQ Nf1
        INCA
        CMPA #'Z+1
        BNE Nf1
        LDA #'A
Nf1     BITB #4
        BEQ Nf2
        DECA
        CMPA #'A-1
        BNE Nf2
        LDA #'Z
Nf2     STA NLETTER
        LDX NSLOT
        LDB NPOS
        ABX
        STA 3,X                 ; the letter under the cursor
        LDX #TILEROW+32*11+14   ; the name as it stands
        LDU NSLOT
        LEAU 3,U
        LDB #C_WHITE+ONBLACK
        LDA #3
        STA TMP3
Nf3     LDA ,U+
        CMPA #$20
        BNE Nf6
        LDA #BLANK
Nf6     STA ,X
        STB $400,X
        LEAX 1,X
        DEC TMP3
        BNE Nf3
        LDX #TILEROW+32*19+17   ; the time left
        JSR Countdown
        BEQ Nf5
        LDB NEW1
        TST NPLAYER
        BEQ Nf4
        LDB NEW2
Nf4     BITB #$10
        BEQ Nf9
        INC NPOS
        LDA NPOS
        CMPA #3
        BEQ Nf5
        LDA #'A
        STA NLETTER
Nf9     RTS
Nf5     LDX NSLOT               ; done: the last letter, then saved
        LEAX 5,X
        LDA ,X
        JSR SaveTable
        INC NPLAYER
        LDB #ST_NAME
        JMP GoState

* After a game: the title, or ready for the next one with credits left.
AfterGame
        LDB #ST_TITLE
        LDA CREDITS
        BEQ Ag1
        LDB #ST_READY
Ag1     JMP GoState

*---------------------------------------------------------------- test mode

TestInit
        JSR ClearTiles
        JSR HideSprites
        LDA #3                  ; two screens in one frame: cleared, then
        JSR RaiseFlag           ; the bands in pen 3
        LDA #9
        JSR ShowScreen
        CLR SHARED+MUSIC
        LDA #1
        STA TESTSEL
        STA SHARED+SNDTEST
        LDU #TestText
        JSR Texts
        LDX #TILEROW+32*11+13   ; the chip checks
        LDA IOOK
        LDB #3
Ti1     PSHS A,B
        LDU #NgText
        LDB #C_RED
        LSRA
        BCC Ti2
        LDU #OkText
        LDB #C_GREEN
Ti2     JSR PrintStr
        LEAX 1,X
        PULS A,B
        LSRA
        DECB
        BNE Ti1
        LDX #TILEROW+32*14+4    ; colours: the 16 tile colours in bars
        LDB #0
Ti3     LDA #$87
        STA ,X
        STB $400,X
        LDA #$80
        STA 32,X
        STB $420,X
        LEAX 1,X
        INCB
        CMPB #16
        BNE Ti3
        LDX #TILEROW+32*15+20
        LDB #16
Ti4     LDA #$80
        STA ,X
        STB $400,X
        LEAX 1,X
        INCB
        CMPB #24
        BNE Ti4
        LDB #0                  ; the sprite colour sets 0-9 on the doll
Ti5     PSHS B
        LDX #SPRA
        ASLB
        ABX
        LDA #0
        STA ,X
        LDA ,S
        STA 1,X
        LDA #197
        STA $800,X
        LDA ,S
        LDB #24
        MUL
        PSHS B
        LDD #300
        SUBB ,S+
        SBCA #0
        STB $801,X
        STA $1001,X
        CLR $1000,X
        PULS B
        INCB
        CMPB #10
        BNE Ti5
        RTS

TestFrame
        LDA TICK                ; pen maps: the select flips every second
        ANDA #63
        BNE Tf1
        LDA PENSEL
        EORA #1
        STA PENSEL
Tf1     LDX #TILEROW+32*17+17
        LDA PENSEL
        ANDA #1
        LDB #C_WHITE
        JSR PrintDigit
        LDX #TILEROW+32*5+10    ; inputs: the raw bytes as bits
        LDA COIN
        JSR Bits4
        LDX #TILEROW+32*3+10
        LDA STICK1
        JSR Bits4
        LDX #TILEROW+32*3+24
        LDA STICK2
        JSR Bits4
        LDX #TILEROW+32*5+24
        LDA BUTTONS
        JSR Bits4
        LDX #TILEROW+32*7+10    ; switches
        LDA DIP0
        JSR Bits4
        LDX #TILEROW+32*7+15
        LDA DIP1
        JSR Bits4
        LDX #TILEROW+32*7+20
        LDA DIP2
        JSR Bits4
        LDX #TILEROW+32*7+25
        LDA DIP3
        JSR Bits4
        LDA DIP3                ; what they mean
        ANDA #3
        LDX #LivesTable
        LDA A,X
        LDX #TILEROW+32*9+8
        LDB #C_YELLOW
        JSR PrintDigit
        LDA DIP2
        LSRA
        ANDA #3
        LDX #DiffTable
        LDA A,X
        LDX #TILEROW+32*9+15
        JSR PrintDigit
        LDA DIP2
        LSRA
        LSRA
        LSRA
        ANDA #1
        LDX #TILEROW+32*9+23
        JSR PrintDigit
        LDA DIP1
        LSRA
        ANDA #1
        LDX #TILEROW+32*9+30
        JSR PrintDigit
        LDA NEW1                ; the sound test: up and down pick the item
        BITA #1
        BEQ Tf2
        LDA TESTSEL
        INCA
        CMPA #12
        BNE Tf3
        LDA #1
        BRA Tf3
Tf2     BITA #4
        BEQ Tf4
        LDA TESTSEL
        DECA
        BNE Tf3
        LDA #11
Tf3     STA TESTSEL
        STA SHARED+SNDTEST
Tf4     LDX #TILEROW+32*21+4
        LDA TESTSEL
        DECA
        LDB #12
        MUL
        LDU #SoundNames
        LEAU D,U
        LDB #C_CYAN
        LDA #12
        STA TMP3
Tf5     LDA ,U+
        STA ,X
        STB $400,X
        LEAX 1,X
        DEC TMP3
        BNE Tf5
        RTS

* Bits 3-0 of A as four digits at X.
Bits4   LDB #4
        STB TMP3
Bt1     LDB #'0
        BITA #8
        BEQ Bt2
        LDB #'1
Bt2     STB ,X
        LDB #C_WHITE
        STB $400,X
        LEAX 1,X
        ASLA
        DEC TMP3
        BNE Bt1
        RTS

*---------------------------------------------------------------- texts

BootText
        FDB TILEROW+32*10+13
        FCB C_YELLOW
        FCC "DOLLIX"
        FCB 0
        FDB TILEROW+32*14+4
        FCB C_WHITE
        FCC "I/O CHIPS"
        FCB 0
        FDB 0
OkText  FCC "OK"
        FCB 0
NgText  FCC "NG"
        FCB 0
CreditText
        FCC "CREDIT "
        FCB 0
TitleText
        FDB TILEROW+32*22+7
        FCB C_WHITE
        FCC "INSERT COIN"
        FCB 0
        FDB TILEROW+32*25+5
        FCB C_CYAN
        FCC "ONE OR TWO PLAYERS"
        FCB 0
        FDB 0
BestText
        FDB TILEROW+32*26+0
        FCB C_PINK
        FCC "1P BEST"
        FCB 0
        FDB TILEROW+32*26+16
        FCB C_BLUE
        FCC "2P BEST"
        FCB 0
        FDB 0
ReadyText
        FDB TILEROW+32*6+9
        FCB C_YELLOW
        FCC "PUSH START"
        FCB 0
        FDB TILEROW+32*9+5
        FCB C_WHITE
        FCC "1 PLAYER   1 CREDIT"
        FCB 0
        FDB TILEROW+32*11+5
        FCB C_WHITE
        FCC "2 PLAYERS  2 CREDITS"
        FCB 0
        FDB TILEROW+32*14+4
        FCB C_RED
        FCC "SHOOT BUGS AND GHOSTS"
        FCB 0
        FDB TILEROW+32*16+4
        FCB C_RED
        FCC "PICK THE GEMS"
        FCB 0
        FDB 0
SelectText
        FDB TILEROW+32*8+9
        FCB C_YELLOW
        FCC "SELECT STAGE"
        FCB 0
        FDB TILEROW+32*12+12
        FCB C_WHITE
        FCC "STAGE"
        FCB 0
        FDB TILEROW+32*20+5
        FCB C_CYAN
        FCC "STICK AND BUTTON"
        FCB 0
        FDB TILEROW+32*23+12
        FCB C_WHITE
        FCC "TIME"
        FCB 0
        FDB 0
HudText
        FDB TILEROW+32*27+2
        FCB C_WHITE
        FCC "STAGE"
        FCB 0
        FDB TILEROW+10
        FCB C_ORANGE
        FCC "HI"
        FCB 0
        FDB 0
GreetText
        FDB TILEROW+32*8+10
        FCB C_YELLOW
        FCC "STAGE   READY"
        FCB 0
        FDB 0
ClearText
        FDB TILEROW+32*12+6
        FCB C_RED
        FCC "STAGE   CLEAR"
        FCB 0
        FDB 0
OverText
        FDB TILEROW+32*8+11
        FCB C_RED
        FCC "GAME OVER"
        FCB 0
        FDB 0
NameText
        FDB TILEROW+32*6+9
        FCB C_YELLOW
        FCC "A NEW BEST TEN"
        FCB 0
        FDB TILEROW+32*8+12
        FCB C_WHITE
        FCC "PLAYER"
        FCB 0
        FDB TILEROW+32*14+7
        FCB C_CYAN
        FCC "STICK UP AND DOWN,"
        FCB 0
        FDB TILEROW+32*16+3
        FCB C_CYAN
        FCC "BUTTON FOR THE NEXT LETTER"
        FCB 0
        FDB TILEROW+32*19+12
        FCB C_WHITE
        FCC "TIME"
        FCB 0
        FDB 0
TestText
        FDB TILEROW+32*1+11
        FCB C_YELLOW
        FCC "TEST MODE"
        FCB 0
        FDB TILEROW+32*3+2
        FCB C_CYAN
        FCC "1P"
        FCB 0
        FDB TILEROW+32*3+16
        FCB C_CYAN
        FCC "2P"
        FCB 0
        FDB TILEROW+32*5+2
        FCB C_CYAN
        FCC "COIN"
        FCB 0
        FDB TILEROW+32*5+16
        FCB C_CYAN
        FCC "BUTTONS"
        FCB 0
        FDB TILEROW+32*7+2
        FCB C_CYAN
        FCC "DIP"
        FCB 0
        FDB TILEROW+32*9+2
        FCB C_GREY
        FCC "LIVES   DIFF   BONUS    SEL"
        FCB 0
        FDB TILEROW+32*11+2
        FCB C_CYAN
        FCC "I/O CHIPS"
        FCB 0
        FDB TILEROW+32*13+2
        FCB C_CYAN
        FCC "COLOURS"
        FCB 0
        FDB TILEROW+32*17+2
        FCB C_CYAN
        FCC "BITMAP PEN MAP"
        FCB 0
        FDB TILEROW+32*19+2
        FCB C_CYAN
        FCC "SOUND (STICK UP, DOWN)"
        FCB 0
        FDB 0
SoundNames
        FCC "TONE 440 HZ "
        FCC "WAVEFORM 0  "
        FCC "WAVEFORM 1  "
        FCC "WAVEFORM 2  "
        FCC "WAVEFORM 3  "
        FCC "WAVEFORM 4  "
        FCC "WAVEFORM 5  "
        FCC "WAVEFORM 6  "
        FCC "WAVEFORM 7  "
        FCC "LOWEST RATE "
        FCC "HIGHEST RATE"

*---------------------------------------------------------------- high scores

* The score load: two calls that set up the defaults. The game program
* replaces the first with its trap, which loads the saved table instead and
* goes on at BootScores' jump. Nothing after them uses their registers.
        ORG $C529
HiLoad  JSR DefaultBests        ; $C529: BD DD 31
        JSR DefaultTable        ; $C52C
        JMP BootScores          ; $C52F

* The default table: ten entries (score, name, stage, spare) and the
* heading, 96 bytes copied to TABLE.
        ORG $CED9
DefaultScores
        FCB $00,$50,$00
        FCC "DOL"
        FCB 6,0
        FCB $00,$40,$00
        FCC "LIX"
        FCB 5,0
        FCB $00,$30,$00
        FCC "TIA"
        FCB 4,0
        FCB $00,$25,$00
        FCC "MEM"
        FCB 3,0
        FCB $00,$20,$00
        FCC "ANN"
        FCB 3,0
        FCB $00,$15,$00
        FCC "BOB"
        FCB 2,0
        FCB $00,$12,$00
        FCC "KIT"
        FCB 1,0
        FCB $00,$10,$00
        FCC "ROY"
        FCB 1,0
        FCB $00,$08,$00
        FCC "SUE"
        FCB 0,0
        FCB $00,$03,$00
        FCC "JOE"
        FCB 0,0
        FCC "THE BEST DOLLIES"

        ORG $DD31
DefaultBests
        LDX #BESTS
        LDD #$0001
        STD ,X
        LDD #$0000
        STD 2,X
        LDD #$0100
        STD 4,X
        RTS
DefaultTable
        LDX #DefaultScores
        LDU #TABLE
Dt1     LDD ,X++
        STD ,U++
        CMPX #DefaultScores+96
        BNE Dt1
        RTS

* The table's last change and the save: X = the letter's place, A the
* letter. The game program traps the clear at $EA33 and saves the table.
        ORG $EA31
SaveTable
        STA ,X                  ; $EA31
        CLR SHARED+NAMETUNE     ; $EA33: 7F 68 63
        RTS                     ; $EA36

        ORG $FFF0
        FDB Nothing,Nothing,Nothing,Nothing,Irq,Nothing,Nothing,Reset
