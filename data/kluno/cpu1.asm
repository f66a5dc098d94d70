; KLUNO CPU 1 program: the game.
;
; The klunoids come down out of the stars; the player's ship holds the bottom
; of the screen, moves on the stick and fires with the shot button. Klunoids,
; darters, probes, cruisers and, late in a round, a mothership score 100 to
; 1,000; bonus ships come at the scores the bonus switches choose. One or two
; players take turns. Attract mode cycles the title, the fleet (every sprite
; form), a demonstration game and the best-five table, with music unless the
; demo-sound switch is off. The test switch shows the test screen at once.
;
; The program runs one pass of its main loop per frame: it sleeps in SYNC
; with the IRQ masked and wakes at the frame's interrupt. The best-five table
; lives in RAM (0x2400) with the top score (0x1831); InitScores (0xC000) sets
; both from ROM at every start and SaveScores (0x9BF0) runs once both are
; updated after a game.

        INCLUDE "board.inc"

; Variables, direct page $10
        SETDP $10
Frame           EQU $1000
Mode            EQU $1001
ModeTimer       EQU $1002       ; 2 bytes, frames since the mode began
Coarse          EQU $1004       ; scroll >> 3
ScrollPos       EQU $1005
Credits         EQU $1006
PrevCoin        EQU $1007
PrevBtn         EQU $1008
TestSw          EQU $1009
InDir           EQU $100A       ; bit 0 up, 1 right, 2 down, 3 left
InBtn           EQU $100B       ; bit 0 shot, 2 start 1, 3 start 2
BtnEdge         EQU $100C       ; buttons newly pressed this frame
Seed            EQU $100D       ; 2 bytes
Players         EQU $100F
CurPlayer       EQU $1010
PlrPtr          EQU $1011       ; 2 bytes, the current player's record
Phase           EQU $1013
PhaseTimer      EQU $1014       ; 2 bytes
PlayerX         EQU $1016       ; column byte (picture column + 17)
PlayerV         EQU $1017       ; 2 bytes, row value (picture row + 40)
FireWait        EQU $1019
EnemyFire       EQU $101A
SpawnWait       EQU $101B
FireSlot        EQU $101C
Demo            EQU $101D
Mother          EQU $101E       ; 1 once this round's mothership came
Mode8Ans1       EQU $1020       ; chip 1's answer, high nibble byte 0, low byte 1
Mode8Ans2       EQU $1021
Mode8Bad        EQU $1022       ; bit 0 chip 1 wrong, bit 1 chip 2 wrong
RomSum          EQU $1023
DipShips        EQU $1024
DipHard         EQU $1025
DipBonus        EQU $1026
DipQuiet        EQU $1027       ; 1 when demo sound is off
TableChanged    EQU $1028
TxtCol          EQU $1029
TxtRow          EQU $102A
CharCode        EQU $102B
CharAttr        EQU $102C
Tmp             EQU $102D       ; 4 bytes of scratch
Lead            EQU $1031
SprCode         EQU $1032
SprSet          EQU $1033
SprCol          EQU $1034
SprV            EQU $1035       ; 2 bytes
SprForm         EQU $1037
Loop1           EQU $1038
Loop2           EQU $1039
Pts             EQU $103A       ; 2 bytes of BCD points
SignTimer       EQU $103D
TextBuf         EQU $1060       ; 8 characters of a score
NameBuf         EQU $1068       ; 8 characters of the name being entered
NamePlayer      EQU $1070       ; whose name is asked for (0, 1)
NamePos         EQU $1071       ; the place being entered, 0-7
NameLetter      EQU $1072       ; index into Alphabet
PrevDir         EQU $1073
DirEdge         EQU $1074       ; directions newly pressed this frame
DirHeld         EQU $1075       ; frames the present directions have been held
HudPlayers      EQU $1076       ; players of the last game: whose scores the header shows
Row             EQU $1040       ; 32 bytes: a best-five row being built
; the two players' records
PLAYER1         EQU $1080
PLAYER2         EQU $1090
P_SHIPS         EQU 0
P_ROUND         EQU 1
P_SCORE         EQU 2           ; 4 bytes BCD
P_BONUS         EQU 6           ; 2 bytes BCD: next bonus in units of 10,000 ($FFFF none)
P_BONUSNO       EQU 8
P_KILLS         EQU 9
DEMOREC         EQU $10A0       ; the demonstration's record: the players' last scores stay

; Objects
ENEMIES         EQU $1100       ; 8 x 8 bytes
E_TYPE          EQU 0           ; 0 free, else ENEMY_... 
E_X             EQU 1
E_V             EQU 2
E_DX            EQU 4
E_DY            EQU 5
E_HP            EQU 6
E_T             EQU 7
NENEMY          EQU 8
SHOTS           EQU $1140       ; 2 x 4: active, column, row value
NSHOT           EQU 2
BOMBS           EQU $1150       ; 4 x 4: active, column, row value
NBOMB           EQU 4
BLASTS          EQU $1160       ; 4 x 4: frames left, column, row value
NBLAST          EQU 4
STARS           EQU $1900       ; the starfield's codes, 1 KB (repeats every 32 columns)
STARATTR        EQU $2000       ; and their attributes
BACKDROP        EQU STARS       ; the playfield's backdrop (screen.inc)
BACKDROPATTR    EQU STARATTR
STACK_TOP       EQU $1700
ROM_START       EQU $8000       ; where the ROM begins (romsum.inc)

; Sprite slots
SL_PLAYER       EQU 0
SL_SHOT         EQU 1
SL_ENEMY        EQU 3
SL_BOMB         EQU 11
SL_BLAST        EQU 15
SL_SIGN         EQU 19
SL_SHOW         EQU 20
HIDDEN_V        EQU 24+400      ; row value of a hidden sprite
TOP_V           EQU 40+16       ; the playfield's top: no sprite over the two score rows

; Modes
M_TITLE         EQU 0
M_FLEET         EQU 1
M_DEMO          EQU 2
M_SCORES        EQU 3
M_CREDIT        EQU 4
M_GAME          EQU 5
M_TEST          EQU 6
M_NAME          EQU 7
; Game phases
PH_READY        EQU 0
PH_PLAY         EQU 1
PH_DEAD         EQU 2
PH_OVER         EQU 3

; Colour sets (attributes) of the characters
C_WHITE         EQU 0
C_YELLOW        EQU 1
C_RED           EQU 2
C_CYAN          EQU 3
C_GREEN         EQU 4
C_ORANGE        EQU 5
C_MAGENTA       EQU 6
C_GREY          EQU 7
C_STAR          EQU 8
C_STAR2         EQU 9
C_LOGO          EQU 10
C_CLOUD         EQU 16
C_GRID          EQU 17
FRONT           EQU $40         ; attribute bit 6: in front of sprites

CH_BLANK        EQU $20
CH_QUARTER      EQU $80
CH_STAR         EQU $90
CH_GRID         EQU $94
CH_SHIP         EQU $96
CH_FLAG         EQU $97
CH_CLOUD        EQU $98
CH_LINE         EQU $9E

; ---------------------------------------------------------------------------
        ORG $8000
        INCLUDE "boot.inc"
        LDD #$ACE1
        STD Seed
        JSR InitScores
        JSR SumRom
; interrupts on for both CPUs, the sound CPU started, sound on
        STA LATCH+L_IRQ1_ON
        STA LATCH+L_IRQ2_ON
        STA LATCH+L_CPU2_RUN
        STA LATCH+L_SOUND_ON
        JSR MakeStars
        CLRA                    ; the scroll register keeps its value over a reset
        JSR SetScroll
        JSR ClearScreen
        LDY #BootText
        JSR PrintList
; mode 8: each chip adds the low nibbles of its bytes 9-15
        LDX #IOCHIP1+9
        LDY #IOCHIP2+9
        LDB #1
Mode8Set
        STB ,X+
        PSHS B
        NEGB
        ADDB #16
        STB ,Y+
        PULS B
        INCB
        CMPB #8
        BNE Mode8Set            ; chip 1: 1..7 (sum $1C); chip 2: 15..9 (sum $54)
        LDA #8
        STA IOCHIP1+8
        STA IOCHIP2+8
        SYNC
        SYNC
        LDA IOCHIP1+0
        LDB IOCHIP1+1
        JSR Nibbles
        STA Mode8Ans1
        LDA IOCHIP2+0
        LDB IOCHIP2+1
        JSR Nibbles
        STA Mode8Ans2
        CLR Mode8Bad
        LDA Mode8Ans1
        CMPA #$1C
        BEQ Mode8Ok1
        INC Mode8Bad
Mode8Ok1
        LDA Mode8Ans2
        CMPA #$54
        BEQ Mode8Ok2
        LDA Mode8Bad
        ORA #2
        STA Mode8Bad
Mode8Ok2
        LDA #1                  ; plain input mode from now on
        STA IOCHIP1+8
        STA IOCHIP2+8
        JSR ShowChecks
; a short hold of the chips while the check screen settles
        STA LATCH+L_HOLD
        SYNC
        SYNC
        SYNC
        STA LATCH+L_RELEASE
        LDB #90
        LDA Mode8Bad
        ORA RomSum
        BEQ BootWait
        LDB #240                ; a fault stays on the screen longer, then the game goes on
BootWait
        SYNC
        DECB
        BNE BootWait
        LDA IOCHIP1+3
        ANDA #$0F
        STA PrevBtn
        LDA IOCHIP1+0
        ANDA #1
        STA PrevCoin
        LDA #M_TITLE
        JSR SetMode

MainLoop
        SYNC
        INC Frame
        JSR ReadInputs
        LDA Mode
        LDB TestSw
        BEQ TestOff
        CMPA #M_TEST
        BEQ RunMode
        LDA #M_TEST
        JSR SetMode
        BRA RunMode
TestOff CMPA #M_TEST
        BNE RunMode
        JSR LeaveTest
RunMode LDD ModeTimer
        ADDD #1
        STD ModeTimer
        LDA Mode
        LSLA
        LDX #ModeRun
        JSR [A,X]
        BRA MainLoop

; A = byte 0, B = byte 1 of a chip -> A = their low nibbles as one byte
Nibbles ANDA #$0F
        LSLA
        LSLA
        LSLA
        LSLA
        ANDB #$0F
        PSHS B
        ORA ,S+
        RTS

        INCLUDE "romsum.inc"

ShowChecks
        LDY #TxtRomOk
        LDA RomSum
        BEQ ShowRom
        LDY #TxtRomBad
ShowRom JSR Print
        LDA RomSum
        LDB #10
        LDX #$1A0B              ; column 26... row 11 (A col, B row)
        JSR HexAt
        LDY #TxtIo1Ok
        LDA Mode8Bad
        ANDA #1
        BEQ ShowIo1
        LDY #TxtIo1Bad
ShowIo1 JSR Print
        LDA Mode8Ans1
        LDX #$1A0D
        JSR HexAt
        LDY #TxtIo2Ok
        LDA Mode8Bad
        ANDA #2
        BEQ ShowIo2
        LDY #TxtIo2Bad
ShowIo2 JSR Print
        LDA Mode8Ans2
        LDX #$1A0F
        JSR HexAt
        LDY #TxtSndOk
        LDA SHARED+SND_READY
        CMPA #$A5
        BEQ ShowSnd
        LDY #TxtSndBad
ShowSnd JSR Print
        RTS

; A = value, X = column << 8 | row: two hex digits there in white
HexAt   PSHS A
        TFR X,D
        STD TxtCol
        CLR CharAttr
        PULS A
        JMP PrintHex

; ---------------------------------------------------------------------------
; Inputs: the controls, coins counted on the coin bit's rising edge, the
; start and shot edges, the test switch.
ReadInputs
        LDA IOCHIP1+0
        ANDA #1
        TFR A,B
        EORA PrevCoin
        STB PrevCoin
        ANDA PrevCoin
        BEQ NoCoin
        LDA Credits
        CMPA #9
        BHS NoCoin
        INC Credits
        LDA #1
        STA SHARED+SND_FX+FX_EXTRA
NoCoin  LDA IOCHIP1+1
        ANDA #$0F
        STA InDir
        LDA IOCHIP1+3
        ANDA #$0F
        STA InBtn
        TFR A,B
        EORB PrevBtn
        STA PrevBtn
        ANDB InBtn
        STB BtnEdge
        LDA IOCHIP1+1
        ANDA #$0F
        TFR A,B
        EORB PrevDir
        STA PrevDir
        ANDB InDir
        STB DirEdge
        LDA DirHeld
        LDB DirEdge
        BEQ DirSame
        CLRA
DirSame INCA
        BNE DirKeep
        DECA
DirKeep STA DirHeld
        LDA IOCHIP2+6
        ANDA #8
        STA TestSw
        RTS

; The game switches: ships (chip 2 byte 2 bit 3), difficulty and bonus
; (byte 4 bits 0-2), demo sound (byte 4 bit 3, set = off).
ReadDips
        LDA #3
        LDB IOCHIP2+2
        ANDB #8
        BEQ Dip3
        LDA #5
Dip3    STA DipShips
        LDA IOCHIP2+4
        TFR A,B
        ANDA #1
        STA DipHard
        TFR B,A
        LSRA
        ANDA #3
        STA DipBonus
        ANDB #8
        LSRB
        LSRB
        LSRB
        STB DipQuiet
        RTS

; ---------------------------------------------------------------------------
; Modes
        INCLUDE "modes.inc"

ModeStart
        FDB TitleStart,FleetStart,DemoStart,ScoresStart,CreditStart,GameStart,TestStart,NameStart
ModeRun FDB TitleRun,FleetRun,DemoRun,ScoresRun,CreditRun,GameRun,TestRun,NameRun

; In the attract modes a coin leads to the credit screen, a start with
; enough credits to a game.
AttractCommon
        LDA Credits
        BEQ AttractNone
        LDA #M_CREDIT
        JSR SetMode
        LEAS 2,S                ; the mode's frame ends here
AttractNone
        RTS

; attract sound: music only when the demo-sound switch allows it
AttractSound
        JSR ReadDips
        LDA #1
        LDB DipQuiet
        BEQ AttractLoud
        CLRA
AttractLoud
        STA SHARED+SND_MODE
        RTS

TitleStart
        JSR AttractSound
        JSR ScreenReset
        JSR DrawLogo
        LDY #TitleText
        JSR PrintList
        JSR ShowDips
        LDA #1
        STA SHARED+SND_TUNE
        ; a klunoid drifts across the title
        LDA #4
        STA Loop1
        RTS
TitleRun
        JSR AttractCommon
        JSR HudCommon
        ; the insert-coin line blinks
        LDA Frame
        ANDA #32
        LDY #TxtInsertCoin
        TSTA
        BEQ TitleBlink
        LDY #TxtInsertBlank
TitleBlink
        JSR Print
        ; the klunoid: across the picture at row 196
        LDA #2
        JSR FlyingKlunoid
        LDD ModeTimer
        STB SprCol
        LDD #40+196
        STD SprV
        LDB #SL_SHOW
        JSR SetSprite
        LDD ModeTimer
        CMPD #480
        BLO TitleStay
        LDA #M_FLEET
        JMP SetMode
TitleStay
        RTS

; A = colour set: a klunoid flapping its wings, form 0, into SprCode,
; SprSet and SprForm
FlyingKlunoid
        STA SprSet
        CLR SprForm
        LDA Frame
        ANDA #8
        LSRA
        LSRA
        LSRA
        ADDA #4
        STA SprCode
        RTS

; The fleet: the five kinds in all sixteen forms, a klunoid passing under a
; band of clouds in front of the sprites, one caught in a blast, and two at
; the edges of the picture.
FleetStart
        JSR ScreenReset
        LDY #FleetText
        JSR PrintList
        ; the cloud band, in front of sprites, row 30
        LDA #4
        STA TxtCol
        LDA #30
        STA TxtRow
        LDA #C_CLOUD|FRONT
        STA CharAttr
        LDB #CH_CLOUD
CloudLp STB CharCode
        LDD TxtCol
        JSR PutChar
        INC TxtCol
        LDB CharCode
        INCB
        CMPB #CH_CLOUD+3
        BNE CloudNx
        LDB #CH_CLOUD
CloudNx LDA TxtCol
        CMPA #24
        BNE CloudLp
        ; the sixteen forms
        LDU #FleetSprites
        LDB #SL_SHOW
FleetLp LDA ,U
        CMPA #$FF
        BEQ FleetEnd
        STA SprCode
        LDA 1,U
        STA SprSet
        LDA 2,U
        STA SprForm
        LDA 3,U
        STA SprCol
        LDX 4,U
        STX SprV
        JSR SetSprite
        INCB
        LEAU 6,U
        BRA FleetLp
FleetEnd
        RTS
FleetRun
        JSR AttractCommon
        JSR HudCommon
        ; the klunoid under the clouds, moving right
        LDA #3
        JSR FlyingKlunoid
        LDD ModeTimer
        LSRB
        ADDB #20
        STB SprCol
        LDD #40+236
        STD SprV
        LDB #SL_SHOW+30
        JSR SetSprite
        ; the blast over a klunoid: a slow cycle of its frames
        LDA ModeTimer+1
        LSRA
        LSRA
        LSRA
        ANDA #3
        ADDA #$20
        STA SprCode
        LDA #8
        STA SprSet
        CLR SprForm
        LDA #17+180
        STA SprCol
        LDD #40+240
        STD SprV
        LDB #SL_SHOW+31
        JSR SetSprite
        LDD ModeTimer
        CMPD #480
        BLO FleetStay
        LDA #M_DEMO
        JMP SetMode
FleetStay
        RTS

; Sprite list of the fleet screen: code, colour set, form, column byte, then
; the row value (picture row + 40); $FF ends it.
FleetSprites
        FCB $06,4,0,17+16
        FDB 40+54
        FCB $06,4,1,17+64
        FDB 40+54
        FCB $06,4,2,17+112
        FDB 40+54
        FCB $06,4,3,17+160
        FDB 40+54
        FCB $08,5,4,17+16
        FDB 40+86
        FCB $08,5,5,17+64
        FDB 40+86
        FCB $08,5,6,17+112
        FDB 40+86
        FCB $08,5,7,17+160
        FDB 40+86
        FCB $0C,6,8,17+8
        FDB 40+134
        FCB $0C,6,9,17+60
        FDB 40+134
        FCB $0C,6,10,17+112
        FDB 40+134
        FCB $0C,6,11,17+164
        FDB 40+134
        FCB $10,7,12,17+8
        FDB 40+166
        FCB $10,7,13,17+60
        FDB 40+166
        FCB $10,7,14,17+112
        FDB 40+166
        FCB $10,7,15,17+164
        FDB 40+166
        FCB $04,2,0,17+180
        FDB 40+240     ; under the blast
        FCB $06,4,0,8
        FDB 40+220     ; cut by the left edge
        FCB $04,3,0,17+100
        FDB 40+280     ; cut by the bottom edge
        FCB $05,2,0,17+216
        FDB 40+204     ; cut by the right edge
        FCB $FF

DemoStart
        JSR AttractSound
        LDA #1
        STA Demo
        STA Players
        JSR NewGame
        LDA #3
        STA DEMOREC+P_SHIPS
        JMP ShowLives
DemoRun JSR AttractCommon
        JSR DemoPilot
        JSR GameFrame
        LDD ModeTimer
        CMPD #1800
        BHS DemoDone
        LDA Phase
        CMPA #PH_OVER
        BNE DemoStay
DemoDone
        CLR Demo
        LDA #M_SCORES
        JMP SetMode
DemoStay
        RTS

ScoresStart
        JSR AttractSound
        JSR ScreenReset
        JSR DrawTable
        RTS
ScoresRun
        JSR AttractCommon
        JSR HudCommon
        LDD ModeTimer
        CMPD #420
        BLO ScoresStay
        LDA #M_TITLE
        JMP SetMode
ScoresStay
        RTS

CreditStart
        CLR Demo
        LDA #1
        STA SHARED+SND_MODE
        JSR ReadDips
        JSR ScreenReset
        LDY #CreditText
        JSR PrintList
        JSR ShowDips
        RTS
CreditRun
        JSR HudCommon
        LDY #TxtOnePlayer
        LDA Credits
        CMPA #2
        BLO CreditOne
        LDY #TxtTwoPlayers
CreditOne
        JSR Print
        LDB BtnEdge
        BITB #8
        BEQ CreditNo2
        LDA Credits
        CMPA #2
        BLO CreditNo2
        SUBA #2
        STA Credits
        LDA #2
        BRA CreditGo
CreditNo2
        BITB #4
        BEQ CreditStay
        DEC Credits
        LDA #1
CreditGo
        STA Players
        STA HudPlayers
        LDA #M_GAME
        JMP SetMode
CreditStay
        RTS

GameStart
        CLR Demo
        LDA #1
        STA SHARED+SND_MODE
        JSR NewGame
        RTS
GameRun JSR GameFrame
        LDA Phase
        CMPA #PH_OVER
        BNE GameStay
        LDD PhaseTimer
        CMPD #1
        BNE GameStay
        ; the game is over: names for the best five, then the table or the title
        CLR TableChanged
        CLR NamePlayer
        JMP NextEntry
GameStay
        RTS

; ---------------------------------------------------------------------------
; Test screen: live inputs, the switches' nibbles, the ROM sums, the mode-8
; answers, a 440 Hz tone and a grid.
TestStart
        LDA #2
        STA SHARED+SND_MODE
        JSR HideAll
        CLR Coarse
        CLRA
        JSR SetScroll
        JSR BlankScreen
        LDY #TestText
        JSR PrintList
        ; the grid: rows 28-33, columns 2-25
        LDA #C_GRID
        STA CharAttr
        LDA #CH_GRID
        STA CharCode
        LDB #28
TGridR  LDA #2
TGridC  PSHS D
        JSR PutChar
        PULS D
        INCA
        CMPA #26
        BNE TGridC
        INCB
        CMPB #34
        BNE TGridR
        ; chip 2 gives its mode-8 answer live on the test screen
        LDA #8
        STA IOCHIP2+8
        ; the ROM sums
        LDA RomSum
        LDX #$0F14
        JSR HexAt
        LDA SHARED+SND_SUM
        LDX #$0F15
        JSR HexAt
        LDA Mode8Ans1
        LDX #$0F17
        JSR HexAt
        RTS
TestRun
        ; inputs, one digit each
        LDA InDir
        LDX #UpMark
        LDB #4
        JSR ShowBits
        LDA InBtn
        LDX #ShotMark
        LDB #4
        JSR ShowBits
        LDA IOCHIP1+0
        LDX #CoinMark
        LDB #4
        JSR ShowBits
        ; chip 2's eight nibbles
        LDX #IOCHIP2
        LDA #17
        STA TxtCol
        LDA #10
        STA TxtRow
        CLR CharAttr
TNib    LDA ,X+
        ANDA #$0F
        PSHS X
        JSR PrintDigit
        PULS X
        CMPX #IOCHIP2+8
        BNE TNib
        ; chip 2's live mode-8 answer
        LDA IOCHIP2+0
        LDB IOCHIP2+1
        JSR Nibbles
        LDX #$0F18
        JSR HexAt
        JSR ReadDips
        JSR ShowDipsTest
        RTS

; When the switch goes off: back to the title, the chips as they were
LeaveTest
        LDA #1
        STA IOCHIP2+8
        STA LATCH+L_SOUND_OFF   ; silence the tone at once
        STA LATCH+L_SOUND_ON
        CLR Demo
        LDA #M_TITLE
        JMP SetMode

; A = bits, X = list of (column, row) for bits 0.., B = count: "0" or "1"
; at each place; a column of $FF skips the bit
ShowBits
        STB Loop1
        STA Loop2
        CLR CharAttr
ShowBit LDD ,X++
        CMPA #$FF
        BEQ ShowSkip
        STD TxtCol
        LDA Loop2
        ANDA #1
        PSHS X
        JSR PrintDigit
        PULS X
ShowSkip
        LSR Loop2
        DEC Loop1
        BNE ShowBit
        RTS
; up, right, down, left
UpMark  FCB 3,4, 11,4, 18,4, 25,4
; shot, (byte 3 bit 1 unused), start 1, start 2
ShotMark
        FCB 5,8, $FF,0, 17,8, 27,8
; coin, bits 1-2 unused, service
CoinMark
        FCB 5,6, $FF,0, $FF,0, 21,6

; ---------------------------------------------------------------------------
; Screen helpers

; The picture as every screen starts: sprites hidden, scroll 0, the
; starfield, the score lines.
ScreenReset
        JSR HideAll
        CLRA
        JSR SetScroll
        JSR ClearScreen
        JMP HudCommon

        INCLUDE "screen.inc"

; The starfield: faint, small, twin and bright stars at random, and a few
; banks of cloud that stay in front of the sprites.
MakeStars
        LDX #0
StarLp  JSR Rand
        LDA #CH_BLANK
        CMPB #12
        BHS StarSet
        LDA #CH_STAR
        CMPB #6
        BLO StarSet
        LDA #CH_STAR+2
        CMPB #9
        BLO StarSet
        LDA #CH_STAR+3
        CMPB #11
        BLO StarSet
        LDA #CH_STAR+1
StarSet STA STARS,X
        TFR X,D
        ANDB #$20               ; every other column twinkles in other colours
        BEQ StarC1
        LDB #C_STAR2
        BRA StarCol
StarC1  LDB #C_STAR
StarCol STB STARATTR,X
        LEAX 1,X
        CMPX #$400
        BNE StarLp
        ; cloud banks: rows 10, 20 and 27 of the field, three columns each
        LDU #CloudPlaces
CloudBk LDD ,U++
        CMPD #$FFFF
        BEQ CloudDone
        TFR D,X
        LDA #CH_CLOUD+2         ; the right edge has the lowest offset
        LDB #3
CloudCh STA STARS,X
        PSHS A
        LDA #C_CLOUD|FRONT
        STA STARATTR,X
        PULS A
        DECA
        LEAX 32,X
        DECB
        BNE CloudCh
        BRA CloudBk
CloudDone
        RTS
; offsets of the right-hand cell of each cloud (column 32 x k + row)
CloudPlaces
        FDB 3*32+8, 12*32+18, 20*32+25, 27*32+5, 16*32+12, 7*32+29
        FDB $FFFF

        INCLUDE "rand.inc"

; The title: "KLUNO" in quarter blocks, four cells for each 8 x 8 letter.
DrawLogo
        LDU #LogoBits
        LDA #2
        STA TxtCol
        LDA #C_LOGO
        STA CharAttr
LogoLet LDA #4
        STA TxtRow
        LDA #4
        STA Loop1               ; cell rows
LogoRow LDD ,U++
        STD Tmp
        LDA #4
        STA Loop2               ; cells along
LogoCel LDB #CH_QUARTER
        ASL Tmp
        BCC Logo1
        ORB #1
Logo1   ASL Tmp
        BCC Logo2
        ORB #2
Logo2   ASL Tmp+1
        BCC Logo3
        ORB #4
Logo3   ASL Tmp+1
        BCC Logo4
        ORB #8
Logo4   STB CharCode
        LDD TxtCol
        JSR PutChar
        INC TxtCol
        DEC Loop2
        BNE LogoCel
        LDA TxtCol
        SUBA #4
        STA TxtCol
        INC TxtRow
        DEC Loop1
        BNE LogoRow
        LDA TxtCol
        ADDA #5
        STA TxtCol
        INC CharAttr
        CMPU #LogoBits+40
        BNE LogoLet
        RTS
LogoBits
        FCB $C6,$CC,$D8,$F0,$D8,$CC,$C6,$00   ; K
        FCB $C0,$C0,$C0,$C0,$C0,$C0,$FE,$00   ; L
        FCB $C6,$C6,$C6,$C6,$C6,$C6,$7C,$00   ; U
        FCB $C6,$E6,$F6,$DE,$CE,$C6,$C6,$00   ; N
        FCB $7C,$C6,$C6,$C6,$C6,$C6,$7C,$00   ; O

; The score lines: the players' scores (both after a game of two, until the
; next game), the top score, credits; ships and round in play.
HudCommon
        LDY #HudText
        JSR Print
        LDA #1
        STA TxtRow
        LDA #C_WHITE|FRONT
        STA CharAttr
        CLR TxtCol
        LDX #PLAYER1+P_SCORE
        JSR PrintBcd
        LDA #10
        STA TxtCol
        LDX #TOP_SCORE
        LDA #C_YELLOW|FRONT
        STA CharAttr
        JSR PrintBcd
        LDA HudPlayers
        CMPA #2
        BNE HudNo2
        LDA #20
        STA TxtCol
        LDA #C_WHITE|FRONT
        STA CharAttr
        LDX #PLAYER2+P_SCORE
        JSR PrintBcd
HudNo2  LDY #TxtCredit
        JSR Print
        LDA Credits
        JSR PrintDigit
        RTS

; The switch settings on the title and credit screens.
ShowDips
        JSR ReadDips
        LDY #TxtShips
        JSR Print
        LDA DipShips
        JSR PrintDigit
        LDY #TxtNormal
        LDA DipHard
        BEQ ShowDif
        LDY #TxtHard
ShowDif JSR Print
        LDA DipBonus
        LSLA
        LDX #BonusTexts
        LDY A,X
        JSR Print
        LDY #TxtSoundOn
        LDA DipQuiet
        BEQ ShowSnd2
        LDY #TxtSoundOff
ShowSnd2
        JMP Print

ShowDipsTest
        LDY #TxtTShips
        JSR Print
        LDA DipShips
        JSR PrintDigit
        LDY #TxtTNormal
        LDA DipHard
        BEQ ShowTD
        LDY #TxtTHard
ShowTD  JSR Print
        LDA #C_WHITE            ; the title's bonus amounts, on the left in white
        STA CharAttr
        LDD #0*256+14
        STD TxtCol
        LDA DipBonus
        LSLA
        LDX #BonusTexts
        LDY A,X
        LEAY 3,Y
        JSR PrintLp
        LDY #TxtTSoundOn
        LDA DipQuiet
        BEQ ShowTS
        LDY #TxtTSoundOff
ShowTS  JMP Print

TableColours
        FCB C_YELLOW,C_WHITE,C_CYAN,C_GREEN,C_ORANGE
; The best five from RAM, then the top score.
DrawTable
        LDY #ScoresText
        JSR PrintList
        LDX #SCORE_TABLE
        LDA #9
        STA TxtRow
        LDU #TableColours
TabRow  LDA ,U+
        STA CharAttr
        CLR TxtCol
        LDB #28
        JSR PrintN
        LEAX 4,X
        LDA TxtRow
        ADDA #3
        STA TxtRow
        CMPX #SCORE_TABLE+160
        BNE TabRow
        LDA #17
        STA TxtCol
        LDA #26
        STA TxtRow
        LDA #C_YELLOW
        STA CharAttr
        LDX #TOP_SCORE
        JMP PrintBcd

        INCLUDE "text.inc"

; ---------------------------------------------------------------------------
; The game, shared by play and the demonstration.

; Both players' records from the switches, player 1 up first; the
; demonstration plays on its own record.
NewGame JSR ReadDips
        LDX #PLAYER1
        LDY #PLAYER2+16
        LDA Demo
        BEQ NewFrom
        LDX #DEMOREC
        LDY #DEMOREC+16
NewFrom STY Tmp
        STX PlrPtr
NewPlr  LDA DipShips
        STA P_SHIPS,X
        LDA #1
        STA P_ROUND,X
        CLR P_SCORE,X
        CLR P_SCORE+1,X
        CLR P_SCORE+2,X
        CLR P_SCORE+3,X
        CLR P_BONUSNO,X
        CLR P_KILLS,X
        LDU #BonusRules
        LDB DipBonus
        LDA #3
        MUL
        LDA B,U
        CLR P_BONUS,X
        STA P_BONUS+1,X
        LEAX 16,X
        CMPX Tmp
        BNE NewPlr
        TST Players
        BNE NewOk
        INC Players
NewOk   CLR CurPlayer
        CLR TableChanged
        LDA Demo
        BNE NewQuiet
        LDA #2
        STA SHARED+SND_TUNE
NewQuiet
        JSR ScreenReset
        JMP ReadyStart

; Bonus rules by the bonus switches: the first bonus, the second, then every
; (units of 10,000 in BCD; 0: no more).
BonusRules
        FCB $01,$03,$05         ; 1st 10,000 2nd 30,000, every 50,000
        FCB $02,$07,$05         ; 1st 20,000, every 50,000
        FCB $03,$10,$07         ; 1st 30,000, every 70,000
        FCB $02,$07,$00         ; 1st 20,000 and 2nd 70,000

; The phase "PLAYER n / READY": objects cleared, the scroll stops while the
; message shows.
ReadyStart
        LDA #PH_READY
        STA Phase
        LDD #0
        STD PhaseTimer
        JSR HideAll
        LDX #ENEMIES
        LDB #$80                ; enemies, shots, bombs and blasts
ReadyClr
        CLR ,X+
        DECB
        BNE ReadyClr
        LDA #17+104
        STA PlayerX
        LDD #40+240
        STD PlayerV
        CLR Mother
        LDA #40
        STA SpawnWait
        LDA #60
        STA EnemyFire
        LDY #TxtPlayer1
        LDA CurPlayer
        BEQ ReadyP1
        LDY #TxtPlayer2
ReadyP1 LDA Demo
        BEQ ReadyMsg
        LDY #TxtDemo
ReadyMsg
        JSR Print
        LDY #TxtReady
        JSR Print
        JMP ShowLives

; One frame of the game.
GameFrame
        LDD PhaseTimer
        ADDD #1
        STD PhaseTimer
        JSR HudCommon
        JSR ShowRound
        LDA Phase
        LSLA
        LDX #PhaseRun
        JMP [A,X]
PhaseRun
        FDB ReadyRun,PlayRun,DeadRun,OverRun

ReadyRun
        LDD PhaseTimer
        CMPD #120
        BLO ReadyStay
        LDA #15
        STA TxtRow
        LDB #4
        JSR RestoreRows
        LDA #PH_PLAY
        STA Phase
ReadyStay
        RTS

PlayRun ; the field drifts: the scroll moves one step every other frame
        LDA Frame
        ANDA #1
        BNE PlayNoScroll
        LDA ScrollPos
        INCA
        JSR SetScroll
PlayNoScroll
        JSR MovePlayer
        JSR MoveShots
        JSR SpawnEnemy
        JSR MoveEnemies
        JSR MoveBombs
        JSR Collide
        JSR MoveBlasts
        JSR DrawObjects
        RTS

DeadRun JSR MoveEnemies
        JSR MoveBombs
        JSR MoveBlasts
        JSR DrawObjects
        LDD PhaseTimer
        CMPD #120
        BLO DeadStay
        ; next: the other player if he still has ships, else this one, else
        ; the game is over
        LDA Players
        CMPA #2
        BNE DeadSame
        LDA CurPlayer
        EORA #1
        LDX #PLAYER1
        TSTA
        BEQ DeadOther
        LDX #PLAYER2
DeadOther
        LDB P_SHIPS,X
        BEQ DeadSame
        STA CurPlayer
        STX PlrPtr
        JMP ReadyStart
DeadSame
        LDX PlrPtr
        LDB P_SHIPS,X
        BEQ DeadOver
        JMP ReadyStart
DeadOver
        LDA #PH_OVER
        STA Phase
        LDD #0
        STD PhaseTimer
        LDY #TxtGameOver
        JSR Print
        LDA Demo
        BNE DeadStay
        LDA #3
        STA SHARED+SND_TUNE
DeadStay
        RTS

OverRun JSR MoveBlasts
        JSR DrawObjects
        LDD PhaseTimer
        CMPD #180
        BLO OverStay
        LDD #1                  ; the mode sees 1 and ends the game
        STD PhaseTimer
OverStay
        RTS

; Ships in reserve (row 34, left) and the round (row 34, right).
ShowLives
        LDX PlrPtr
        LDB P_SHIPS,X
        DECB
        LDA #34
        STA TxtRow
        CLR TxtCol
        LDA #C_CYAN|FRONT
        STA CharAttr
LivesLp LDA #CH_SHIP
        TSTB
        BGT LivesShip
        LDA #CH_BLANK
LivesShip
        STA CharCode
        PSHS B
        LDD TxtCol
        JSR PutChar
        PULS B
        DECB
        INC TxtCol
        LDA TxtCol
        CMPA #8
        BNE LivesLp
        RTS

ShowRound
        LDY #TxtRound
        JSR Print
        LDA #CH_FLAG
        STA CharCode
        LDD #15*256+34
        JSR PutChar
        LDX PlrPtr
        LDA P_ROUND,X
        JSR ToBcd
        JSR PrintHex
        LDY #TxtHardMark
        LDA DipHard
        BNE ShowHard
        LDY #TxtNormMark
ShowHard
        JMP Print

; A = 0-99 -> A = the same in BCD
ToBcd   CLRB
ToBcdLp CMPA #10
        BLO ToBcdEnd
        SUBA #10
        ADDB #$10
        BRA ToBcdLp
ToBcdEnd
        PSHS B
        ADDA ,S+
        RTS

; The stick moves the ship, the shot button fires (again every 10 frames
; while held); two shots at a time.
MovePlayer
        LDA InDir
        BITA #8
        BEQ MvNoLeft
        LDB PlayerX
        CMPB #17+4
        BLS MvNoLeft
        SUBB #2
        STB PlayerX
MvNoLeft
        BITA #2
        BEQ MvNoRight
        LDB PlayerX
        CMPB #17+204
        BHS MvNoRight
        ADDB #2
        STB PlayerX
MvNoRight
        BITA #1
        BEQ MvNoUp
        LDX PlayerV
        CMPX #40+200
        BLS MvNoUp
        LEAX -2,X
        STX PlayerV
MvNoUp  BITA #4
        BEQ MvNoDown
        LDX PlayerV
        CMPX #40+254
        BHS MvNoDown
        LEAX 2,X
        STX PlayerV
MvNoDown
        LDA FireWait
        BEQ MvFireOk
        DEC FireWait
MvFireOk
        LDA BtnEdge
        BITA #1
        BNE MvFire
        LDA InBtn
        BITA #1
        BEQ MvEnd
        LDA FireWait
        BNE MvEnd
MvFire  LDX #SHOTS
MvFindShot
        TST ,X
        BEQ MvShot
        LEAX 4,X
        CMPX #SHOTS+NSHOT*4
        BNE MvFindShot
        RTS
MvShot  LDA #1
        STA ,X
        LDA PlayerX
        STA 1,X
        LDD PlayerV
        SUBD #12
        STD 2,X
        LDA #10
        STA FireWait
        LDA #1
        STA SHARED+SND_FX+FX_SHOT
MvEnd   RTS

MoveShots
        LDX #SHOTS
MsLoop  TST ,X
        BEQ MsNext
        LDD 2,X
        SUBD #6
        STD 2,X
        CMPD #TOP_V
        BHS MsNext
        CLR ,X
MsNext  LEAX 4,X
        CMPX #SHOTS+NSHOT*4
        BNE MsLoop
        RTS

; A new enemy every so often (sooner in later rounds) while a slot is free:
; the kinds come by chance, cruisers from round 2, the mothership once a
; round after eight kills.
SpawnEnemy
        DEC SpawnWait
        BNE SpEnd
        LDA #36
        LDB DipHard
        BEQ SpRound
        LDA #24
SpRound LDU PlrPtr              ; two frames sooner each round, to 12 at most
        LDB P_ROUND,U
        DECB
        LSLB
        CMPB #12
        BLS SpSooner
        LDB #12
SpSooner
        PSHS B
        SUBA ,S+
SpWait  STA SpawnWait
        LDX #ENEMIES
SpFind  TST E_TYPE,X
        BEQ SpFree
        LEAX 8,X
        CMPX #ENEMIES+NENEMY*8
        BNE SpFind
SpEnd   RTS
SpFree  LDU PlrPtr
        LDA Mother
        BNE SpKind
        LDA P_KILLS,U
        CMPA #8
        BLO SpKind
        INC Mother
        LDA #5
        BRA SpMake
SpKind  JSR Rand
        ANDB #7
        LDA #1
        CMPB #4
        BLO SpMake
        LDA #2
        CMPB #6
        BLO SpMake
        LDA #3
        CMPB #7
        BLO SpMake
        LDA #4
        LDB P_ROUND,U
        CMPB #2
        BHS SpMake
        LDA #1
SpMake  STA E_TYPE,X
        DECA
        LDB #8
        MUL
        LDU #EnemyKinds
        LEAU D,U
        LDA 7,U
        STA E_HP,X
        CLR E_T,X
        JSR Rand
        LDA E_TYPE,X
        CMPA #2
        BEQ SpSide
        CMPA #4
        BEQ SpSide
        ; from the top, somewhere across
        ANDB #127
        ADDB #17+40
        STB E_X,X
        LDD #TOP_V
        STD E_V,X
        JSR Rand
        LDA #1
        ANDB #1
        BEQ SpDx
        LDA #-1
SpDx    STA E_DX,X
        LDA #1
        LDB DipHard
        BEQ SpDy
        LDA #2
SpDy    LDB E_TYPE,X
        CMPB #5
        BNE SpDy2
        CLRA                    ; the mothership stays high
SpDy2   STA E_DY,X
        RTS
SpSide  ; from the left or the right edge, across the upper field
        PSHS B
        ANDB #63
        CLRA
        ADDD #40+60
        STD E_V,X
        PULS B
        CLR E_DY,X
        ANDB #64
        BEQ SpLeft
        LDA #17+222
        STA E_X,X
        LDA #-3
        BRA SpSpd
SpLeft  LDA #2
        STA E_X,X
        LDA #3
SpSpd   LDB E_TYPE,X
        CMPB #4
        BNE SpSpd2
        ASRA                    ; cruisers are slower
SpSpd2  STA E_DX,X
SpDone  RTS

; The kinds: code, colour set, form, width, height, points (BCD, 2 bytes),
; hits to destroy.
EnemyKinds
        FCB $04,2,0,16,16,$01,$00,1     ; 1 klunoid, 100
        FCB $06,4,0,16,16,$02,$00,1     ; 2 darter, 200
        FCB $08,5,4,16,32,$03,$00,2     ; 3 probe, 300
        FCB $0C,6,8,32,16,$05,$00,3     ; 4 cruiser, 500
        FCB $10,7,12,32,32,$10,$00,6    ; 5 mothership, 1,000

; Enemies move by their steps; klunoids and the mothership turn at the
; sides; whoever leaves the picture is gone. They drop bombs now and then.
MoveEnemies
        LDX #ENEMIES
MeLoop  LDA E_TYPE,X
        LBEQ MeNext
        INC E_T,X
        LDA E_X,X
        ADDA E_DX,X
        STA E_X,X
        LDB E_TYPE,X
        CMPB #1
        BEQ MeTurn
        CMPB #3
        BEQ MeTurn
        CMPB #5
        BNE MeSide
MeTurn  CMPA #17+8
        BHS MeTurn2
        LDB #1
        STB E_DX,X
MeTurn2 CMPA #17+190
        BLS MeVert
        LDB #-1
        STB E_DX,X
        BRA MeVert
MeSide  CMPA #1
        BLS MeGone
        CMPA #17+224
        BHS MeGone
MeVert  LDB E_DY,X
        SEX
        ADDD E_V,X
        STD E_V,X
        CMPD #40+290
        BHS MeGone
        ; the klunoids sway: now and then they turn on their own
        LDA E_TYPE,X
        CMPA #1
        BNE MeNext
        LDA E_T,X
        ANDA #63
        BNE MeNext
        NEG E_DX,X
        BRA MeNext
MeGone  CLR E_TYPE,X
MeNext  LEAX 8,X
        CMPX #ENEMIES+NENEMY*8
        LBNE MeLoop
        ; bombs: one every so often from the next enemy in turn, aimed
        DEC EnemyFire
        BNE MeEnd
        LDA #28
        LDB DipHard
        BEQ MeFire
        LDA #16
MeFire  STA EnemyFire
        LDA Phase
        CMPA #PH_PLAY
        BNE MeEnd
        LDB #NENEMY
MeFind  LDA FireSlot
        INCA
        ANDA #NENEMY-1
        STA FireSlot
        LDX #ENEMIES
        LSLA
        LSLA
        LSLA
        LEAX A,X
        LDA E_TYPE,X
        BEQ MeFind2
        LDU E_V,X
        CMPU PlayerV
        BLO MeBomb
MeFind2 DECB
        BNE MeFind
MeEnd   RTS
MeBomb  LDU #BOMBS
MeBFind TST ,U
        BEQ MeBSet
        LEAU 4,U
        CMPU #BOMBS+NBOMB*4
        BNE MeBFind
        RTS
MeBSet  LDA #1
        STA ,U
        LDA E_X,X
        STA 1,U
        LDD E_V,X
        ADDD #8
        STD 2,U
        RTS

; Bombs fall and drift towards the ship until they are 24 rows above it.
MoveBombs
        LDX #BOMBS
MbLoop  TST ,X
        BEQ MbNext
        LDD 2,X
        ADDD #3
        TST DipHard
        BEQ MbSlow
        ADDD #1
MbSlow  STD 2,X
        CMPD #40+292
        BLO MbOn
        CLR ,X
        BRA MbNext
MbOn    SUBD PlayerV
        CMPD #-24               ; no last-moment turns: a bomb can be dodged
        BGE MbNext
        LDA 1,X
        CMPA PlayerX
        BEQ MbNext
        BLO MbRight
        DEC 1,X
        BRA MbNext
MbRight INC 1,X
MbNext  LEAX 4,X
        CMPX #BOMBS+NBOMB*4
        BNE MbLoop
        RTS

; Shots against enemies; bombs and enemies against the ship.
Collide LDY #SHOTS
ClShot  TST ,Y
        BEQ ClShotNext
        LDX #ENEMIES
ClEnemy LDB E_TYPE,X
        BEQ ClEnemyNext
        JSR KindOf
        LDA 1,Y
        ADDA #8
        SUBA E_X,X
        CMPA 3,U
        BHS ClEnemyNext
        LDD 2,Y
        ADDD #4
        SUBD E_V,X
        CMPA #0
        BNE ClEnemyNext
        CMPB 4,U
        BHS ClEnemyNext
        CLR ,Y                  ; the shot is spent
        JSR HitEnemy
        BRA ClShotNext
ClEnemyNext
        LEAX 8,X
        CMPX #ENEMIES+NENEMY*8
        BNE ClEnemy
ClShotNext
        LEAY 4,Y
        CMPY #SHOTS+NSHOT*4
        BNE ClShot
        LDA Phase
        CMPA #PH_PLAY
        BNE ClEnd
        ; bombs: centres closer than 7 across and 8 along
        LDY #BOMBS
ClBomb  TST ,Y
        BEQ ClBombNext
        LDA 1,Y
        SUBA PlayerX
        ADDA #6
        CMPA #13
        BHS ClBombNext
        LDD 2,Y
        SUBD PlayerV
        ADDD #7
        CMPD #15
        BHS ClBombNext
        CLR ,Y
        JMP PlayerDie
ClBombNext
        LEAY 4,Y
        CMPY #BOMBS+NBOMB*4
        BNE ClBomb
        ; enemies: the ship's centre inside one
        LDX #ENEMIES
ClBody  LDB E_TYPE,X
        BEQ ClBodyNext
        JSR KindOf
        LDA PlayerX
        ADDA #8
        SUBA E_X,X
        CMPA 3,U
        BHS ClBodyNext
        LDD PlayerV
        ADDD #8
        SUBD E_V,X
        CMPA #0
        BNE ClBodyNext
        CMPB 4,U
        BHS ClBodyNext
        JMP PlayerDie
ClBodyNext
        LEAX 8,X
        CMPX #ENEMIES+NENEMY*8
        BNE ClBody
ClEnd   RTS

; B = kind 1-5 -> U = its line of EnemyKinds
KindOf  PSHS D
        DECB
        LDA #8
        MUL
        LDU #EnemyKinds
        LEAU D,U
        PULS D,PC

; X = enemy hit by a shot (U its kind): one hit less; at none a blast, the
; points, the kill counted, and after twelve kills the next round.
HitEnemy
        DEC E_HP,X
        BEQ HitKill
        LDA #1
        STA SHARED+SND_FX+FX_HIT
        RTS
HitKill CLR E_TYPE,X
        LDA #1
        STA SHARED+SND_FX+FX_BLAST
        ; the blast at the enemy's centre
        LDA 3,U
        LSRA
        SUBA #8
        ADDA E_X,X
        STA Tmp
        LDB 4,U
        LSRB
        SUBB #8
        CLRA
        ADDD E_V,X
        STD Tmp+1
        LDA #8
        JSR StartBlast
        LDD 5,U
        STD Pts
        JSR AddScore
        LDX PlrPtr
        INC P_KILLS,X
        LDA P_KILLS,X
        CMPA #12
        BLO HitEnd
        CLR P_KILLS,X
        CLR Mother
        LDA P_ROUND,X
        CMPA #99
        BHS HitEnd
        INC P_ROUND,X
HitEnd  RTS

; A = colour set, Tmp = column byte, Tmp+1 = row value: a blast in a free slot
StartBlast
        LDX #BLASTS
SbFind  TST ,X
        BEQ SbSet
        LEAX 5,X
        CMPX #BLASTS+NBLAST*5
        BNE SbFind
        RTS
SbSet   STA 4,X
        LDA #16
        STA ,X
        LDA Tmp
        STA 1,X
        LDD Tmp+1
        STD 2,X
        RTS

MoveBlasts
        LDX #BLASTS
MblLoop TST ,X
        BEQ MblNext
        DEC ,X
MblNext LEAX 5,X
        CMPX #BLASTS+NBLAST*5
        BNE MblLoop
        LDA SignTimer
        BEQ MblEnd
        DEC SignTimer
MblEnd  RTS

PlayerDie
        LDA PlayerX
        STA Tmp
        LDD PlayerV
        STD Tmp+1
        LDA #11
        JSR StartBlast
        LDA #1
        STA SHARED+SND_FX+FX_BLAST
        LDX PlrPtr
        DEC P_SHIPS,X
        LDA #PH_DEAD
        STA Phase
        LDD #0
        STD PhaseTimer
        JMP ShowLives

; Pts (BCD) to the current player's score; a bonus ship when the score
; reaches the next bonus mark.
AddScore
        LDX PlrPtr
        LDA P_SCORE+3,X
        ADDA Pts+1
        DAA
        STA P_SCORE+3,X
        LDA P_SCORE+2,X
        ADCA Pts
        DAA
        STA P_SCORE+2,X
        LDA P_SCORE+1,X
        ADCA #0
        DAA
        STA P_SCORE+1,X
        LDA P_SCORE,X
        ADCA #0
        DAA
        STA P_SCORE,X
        LDD P_SCORE,X
        CMPD P_BONUS,X
        BLO AsEnd
        ; a bonus ship
        LDA P_SHIPS,X
        CMPA #9
        BHS AsNoShip
        INC P_SHIPS,X
AsNoShip
        LDA #1
        STA SHARED+SND_FX+FX_EXTRA
        LDA #90
        STA SignTimer
        INC P_BONUSNO,X
        LDU #BonusRules
        LDB DipBonus
        LDA #3
        MUL
        LEAU B,U
        LDA P_BONUSNO,X
        CMPA #1
        BNE AsEvery
        LDA 1,U
        STA P_BONUS+1,X
        CLR P_BONUS,X
        BRA AsShow
AsEvery LDA 2,U
        BEQ AsNoMore
        ADDA P_BONUS+1,X
        DAA
        STA P_BONUS+1,X
        LDA P_BONUS,X
        ADCA #0
        DAA
        STA P_BONUS,X
        BRA AsShow
AsNoMore
        LDD #$FFFF
        STD P_BONUS,X
AsShow  JMP ShowLives
AsEnd   RTS

; All objects into their sprites.
DrawObjects
        ; the ship
        LDB #SL_PLAYER
        LDA Phase
        CMPA #PH_PLAY
        BNE DoNoShip
        CLR SprCode
        LDA #0
        LDB CurPlayer
        BEQ DoSet
        LDA #10
DoSet   STA SprSet
        CLR SprForm
        LDA PlayerX
        STA SprCol
        LDD PlayerV
        STD SprV
        LDB #SL_PLAYER
        JSR SetSprite
        BRA DoShots
DoNoShip
        JSR HideSprite
DoShots LDX #SHOTS
        LDB #SL_SHOT
        LDA #1
        STA SprCode
        STA SprSet
        CLR SprForm
DoShot  JSR Draw4
        LEAX 4,X
        INCB
        CMPX #SHOTS+NSHOT*4
        BNE DoShot
        ; the enemies
        LDX #ENEMIES
        LDB #SL_ENEMY
DoEnemy LDA E_TYPE,X
        BNE DoEnemyOn
        JSR HideSprite
        BRA DoEnemyNext
DoEnemyOn
        PSHS B
        LDB E_TYPE,X
        JSR KindOf
        LDA ,U
        STA SprCode
        LDA 1,U
        STA SprSet
        LDA 2,U
        STA SprForm
        LDA E_TYPE,X
        CMPA #1
        BNE DoNotKlunoid
        LDA E_T,X               ; klunoids flap their wings
        LSRA
        LSRA
        LSRA
        ANDA #1
        ADDA SprCode
        STA SprCode
        LDB ,S
        ANDB #1
        ADDB SprSet
        STB SprSet
        BRA DoPlace
DoNotKlunoid
        CMPA #2
        BEQ DoFace
        CMPA #4
        BNE DoPlace
DoFace  LDA E_DX,X              ; darters and cruisers face their way
        BMI DoPlace
        LDA SprForm
        ORA #2
        STA SprForm
        LDA E_TYPE,X
        CMPA #2
        BNE DoPlace
        LDA E_T,X
        LSRA
        LSRA
        ANDA #1
        ADDA SprCode
        STA SprCode
DoPlace LDA E_X,X
        STA SprCol
        LDD E_V,X
        STD SprV
        PULS B
        JSR SetSprite
DoEnemyNext
        LEAX 8,X
        INCB
        CMPX #ENEMIES+NENEMY*8
        BNE DoEnemy
        ; bombs
        LDX #BOMBS
        LDB #SL_BOMB
        LDA #2
        STA SprCode
        LDA #1
        STA SprSet
        CLR SprForm
DoBomb  JSR Draw4
        LEAX 4,X
        INCB
        CMPX #BOMBS+NBOMB*4
        BNE DoBomb
        ; blasts: four frames over sixteen
        LDX #BLASTS
        LDB #SL_BLAST
DoBlast LDA ,X
        BNE DoBlastOn
        JSR HideSprite
        BRA DoBlastNext
DoBlastOn
        NEGA
        ADDA #16
        LSRA
        LSRA
        ADDA #$20
        STA SprCode
        LDA 4,X
        STA SprSet
        CLR SprForm
        LDA 1,X
        STA SprCol
        LDU 2,X
        STU SprV
        JSR SetSprite
DoBlastNext
        LEAX 5,X
        INCB
        CMPX #BLASTS+NBLAST*5
        BNE DoBlast
        ; the extra-ship sign above the ship
        LDB #SL_SIGN
        LDA SignTimer
        BNE DoSign
        JMP HideSprite
DoSign  LDA #$24
        STA SprCode
        LDA #9
        STA SprSet
        CLR SprForm
        LDA PlayerX
        STA SprCol
        LDD PlayerV
        SUBD #24
        STD SprV
        JMP SetSprite

; X = a shot or bomb (active, column, row value), B = slot
Draw4   TST ,X
        BNE Draw4On
        JMP HideSprite
Draw4On LDA 1,X
        STA SprCol
        LDU 2,X
        STU SprV
        JMP SetSprite

; The demonstration: the ship follows the first enemy and fires.
DemoPilot
        CLR InDir
        CLR InBtn
        CLR BtnEdge
        LDX #ENEMIES
DpFind  LDA E_TYPE,X
        BNE DpFound
        LEAX 8,X
        CMPX #ENEMIES+NENEMY*8
        BNE DpFind
        RTS
DpFound LDA E_X,X
        LDB E_TYPE,X
        CMPB #4
        BLO DpAim
        ADDA #8                 ; the middle of a wide one
DpAim   SUBA PlayerX
        BEQ DpFire
        BMI DpLeft
        CMPA #2
        BLO DpFire
        LDA #2
        STA InDir
        BRA DpFire
DpLeft  CMPA #-2
        BGT DpFire
        LDA #8
        STA InDir
DpFire  LDA Frame
        ANDA #15
        BNE DpEnd
        LDA #1
        STA InBtn
        STA BtnEdge
DpEnd   RTS

; ---------------------------------------------------------------------------
; The best five after a game. For each player in turn whose score beats the
; fifth row, the name screen; his row then goes where it belongs and his
; score over the top score when higher. Once both areas are updated,
; SaveScores; then the table (or the title when nothing changed).
NextEntry
        LDA NamePlayer
        CMPA Players
        BHS EntriesDone
        LDX #PLAYER1
        TSTA
        BEQ NeScore
        LDX #PLAYER2
NeScore LEAX P_SCORE,X
        JSR BcdText
        LDX #TextBuf
        LDU #SCORE_TABLE+4*32+4
        LDB #8
NeCmp   LDA ,X+
        CMPA ,U+
        BHI NeName
        BLO NeSkip
        DECB
        BNE NeCmp
NeSkip  INC NamePlayer
        BRA NextEntry
NeName  LDA #M_NAME
        JMP SetMode
EntriesDone
        LDA TableChanged
        BEQ EntriesNone
        LDA #1
        STA SHARED+SND_SAVED
        JSR SaveScores
        LDA #4
        STA SHARED+SND_TUNE
        LDA #M_SCORES
        JMP SetMode
EntriesNone
        LDA #M_TITLE
        JMP SetMode

; The name screen: up and down choose the letter (held, they run on), shot
; or right takes it and moves on, left erases one letter (this place's and
; back onto the one before, whose letter stays chosen; at an empty place the
; one before); start 1 ends. It ends by itself after eight letters or twenty seconds, whose
; seconds left show under the name.
NameStart
        JSR ScreenReset
        LDY #NameText
        JSR PrintList
        LDY #TxtPlayer1
        LDA NamePlayer
        BEQ NameWho
        LDY #TxtPlayer2
NameWho JSR Print
        LDX #NameBuf
        LDD #CH_BLANK*256+CH_BLANK
        STD ,X
        STD 2,X
        STD 4,X
        STD 6,X
        CLR NamePos
        CLR NameLetter
        RTS
NameRun JSR HudCommon
        LDA DirEdge
        BITA #1
        BNE NameUp
        BITA #4
        BNE NameDown
        LDA DirHeld             ; held: the letters run on every eighth frame
        CMPA #24
        BLO NameMove
        LDA Frame
        ANDA #7
        BNE NameMove
        LDA InDir
        BITA #1
        BNE NameUp
        BITA #4
        BEQ NameMove
NameDown
        DEC NameLetter
        BPL NameMove
        LDA #ALPHABET_SIZE-1
        STA NameLetter
        BRA NameMove
NameUp  INC NameLetter
        LDA NameLetter
        CMPA #ALPHABET_SIZE
        BLO NameMove
        CLR NameLetter
NameMove
        JSR NamePut
        LDA DirEdge
        BITA #8
        BEQ NameNoLeft
        LDX #NameBuf
        LDA NamePos
        LDB A,X
        CMPB #CH_BLANK
        BEQ NameBackEmpty
        LDB #CH_BLANK           ; a letter here: erased, and back onto the place
        STB A,X                 ; before, whose letter stays chosen
        CLR NameLetter
        TSTA
        BEQ NameNoLeft
        DECA
        STA NamePos
        LDB A,X
        LDX #Alphabet
        CLRA
NameFind
        CMPB A,X
        BEQ NameFound
        INCA
        CMPA #ALPHABET_SIZE
        BLO NameFind
        CLRA
NameFound
        STA NameLetter
        BRA NameNoLeft
NameBackEmpty                   ; an empty place: back one, erasing the letter there
        TSTA
        BEQ NameNoLeft
        DECA
        STA NamePos
        STB A,X
        CLR NameLetter
NameNoLeft
        LDA BtnEdge
        BITA #4
        BNE NameEnd
        LDA DirEdge
        BITA #2
        BNE NameNext
        LDA BtnEdge
        BITA #1
        BEQ NameShow
NameNext
        INC NamePos
        CLR NameLetter
        LDA NamePos
        CMPA #8
        BHS NameEnd
NameShow
        ; the name with the place being entered blinking
        LDA #11
        STA TxtCol
        LDA #20
        STA TxtRow
        LDA #C_YELLOW
        STA CharAttr
        LDX #NameBuf
        CLRB
NameCh  LDA ,X+
        CMPA #CH_BLANK
        BNE NameChLetter
        LDA #CH_LINE            ; an empty place
NameChLetter
        CMPB NamePos
        BNE NameChPut
        PSHS A
        LDA Frame
        ANDA #16
        PULS A
        BEQ NameChPut
        LDA #CH_BLANK           ; the place being entered blinks
NameChPut
        JSR PutNext
        INCB
        CMPB #8
        BNE NameCh
        LDD #NAME_FRAMES
        SUBD ModeTimer
        BLS NameEnd
        JMP NameTime
NameEnd ; an empty name becomes "PLAYER n"
        LDX #NameBuf
        LDB #8
NameBlank
        LDA ,X+
        CMPA #CH_BLANK
        BNE NameEnter
        DECB
        BNE NameBlank
        LDU #NameP1
        LDA NamePlayer
        BEQ NameDefault
        LDU #NameP2
NameDefault
        LDX #NameBuf
        LDB #8
NameCopy
        LDA ,U+
        STA ,X+
        DECB
        BNE NameCopy
NameEnter
        LDA NamePlayer
        LDX #PLAYER1
        TSTA
        BEQ NameRec
        LDX #PLAYER2
NameRec JSR EnterOne
        INC NamePlayer
        JMP NextEntry

NAME_FRAMES     EQU 1200            ; twenty seconds
; The seconds left (D = frames left, 1-1199), rounded up, under the name: red
; for the last five.
NameTime
        ADDD #59
        CLR Tmp
NameSec CMPD #60
        BLO NameSecs
        SUBD #60
        INC Tmp
        BRA NameSec
NameSecs
        LDY #TxtTimeLeft
        JSR Print
        LDA #C_YELLOW
        LDB Tmp
        CMPB #5
        BHI NameTimeCol
        LDA #C_RED
NameTimeCol
        STA CharAttr
        LDA Tmp
        CMPA #10
        BHS NameTens
        LDA #CH_BLANK
        JSR PutNext
        LDA Tmp
        JMP PrintDigit
NameTens
        JSR ToBcd
        JMP PrintHex

; The chosen letter into its place, while there is a place.
NamePut LDA NamePos
        CMPA #8
        BHS NamePutEnd
        LDX #Alphabet
        LDB NameLetter
        LDB B,X
        LDX #NameBuf
        STB A,X
NamePutEnd
        RTS

Alphabet
        FCC " ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-!"
ALPHABET_SIZE   EQU *-Alphabet

; X = a player's record, NameBuf his name
EnterOne
        PSHS X
        LEAX P_SCORE,X
        LDU #TOP_SCORE
        LDB #4
EoTop   LDA ,X+
        CMPA ,U+
        BHI EoTopNew
        BLO EoTopKeep
        DECB
        BNE EoTop
        BRA EoTopKeep
EoTopNew
        LDX ,S
        LDD P_SCORE,X
        STD TOP_SCORE
        LDD P_SCORE+2,X
        STD TOP_SCORE+2
        INC TableChanged
EoTopKeep
        ; the row: blanks, score, round, name, four zero bytes
        LDU #Row
        LDB #28
        LDA #CH_BLANK
EoBlank STA ,U+
        DECB
        BNE EoBlank
        CLR ,U+
        CLR ,U+
        CLR ,U+
        CLR ,U+
        LDX ,S
        LEAX P_SCORE,X
        JSR BcdText
        LDX #TextBuf
        LDU #Row+4
        LDB #8
EoScore LDA ,X+
        STA ,U+
        DECB
        BNE EoScore
        PULS X
        LDA P_ROUND,X
        JSR ToBcd
        TFR A,B
        ANDB #$0F
        ADDB #'0
        STB Row+15
        LSRA
        LSRA
        LSRA
        LSRA
        BEQ EoRound
        ADDA #'0
        STA Row+14
EoRound LDX #NameBuf
        LDU #Row+18
        LDB #8
EoNameC LDA ,X+
        STA ,U+
        DECB
        BNE EoNameC
        ; the place: the first row whose score is lower
        LDU #SCORE_TABLE
EoFind  LDX #Row+4
        LEAY 4,U
        LDB #8
EoCmp   LDA ,X+
        CMPA ,Y+
        BHI EoHere
        BLO EoNext
        DECB
        BNE EoCmp
EoNext  LEAU 32,U
        CMPU #SCORE_TABLE+160
        BNE EoFind
        RTS
EoHere  STU Tmp
        LDX #SCORE_TABLE+128
        LDY #SCORE_TABLE+160
EoShift CMPX Tmp
        BLS EoPut
        LDA ,-X
        STA ,-Y
        BRA EoShift
EoPut   LDX #Row
        LDB #32
EoCopy  LDA ,X+
        STA ,U+
        DECB
        BNE EoCopy
        ; the ranks stay in their places
        LDX #RankText
        LDU #SCORE_TABLE
EoRank  LDD ,X++
        STD ,U
        LDD ,X++
        STD 2,U
        LEAU 32,U
        CMPU #SCORE_TABLE+160
        BNE EoRank
        INC TableChanged
        RTS

NameP1  FCC "PLAYER 1"
NameP2  FCC "PLAYER 2"
RankText
        FCC " 1ST 2ND 3RD 4TH 5TH"

; ---------------------------------------------------------------------------
; Texts: column, row, attribute, the characters, 0. Rows 0, 1, 34 and 35 are
; the fixed rows.
BootText
        FCB 5,4,C_YELLOW
        FCC "KLUNO SYSTEM CHECK"
        FCB 0
        FCB 2,6,C_GREY
        FCC "VELTO ARCADE BOARD"
        FCB 0
        FCB $FF
TxtRomOk
        FCB 2,11,C_WHITE
        FCC "ROM SUM        GOOD"
        FCB 0
TxtRomBad
        FCB 2,11,C_RED
        FCC "ROM SUM         BAD"
        FCB 0
TxtIo1Ok
        FCB 2,13,C_WHITE
        FCC "IO CHIP 1      GOOD"
        FCB 0
TxtIo1Bad
        FCB 2,13,C_RED
        FCC "IO CHIP 1       BAD"
        FCB 0
TxtIo2Ok
        FCB 2,15,C_WHITE
        FCC "IO CHIP 2      GOOD"
        FCB 0
TxtIo2Bad
        FCB 2,15,C_RED
        FCC "IO CHIP 2       BAD"
        FCB 0
TxtSndOk
        FCB 2,17,C_WHITE
        FCC "SOUND CPU      GOOD"
        FCB 0
TxtSndBad
        FCB 2,17,C_RED
        FCC "SOUND CPU   NO REPLY"
        FCB 0

HudText FCB 0,0,C_RED|FRONT
        FCC "  1UP     HIGH SCORE   2UP  "
        FCB 0
TxtCredit
        FCB 0,35,C_WHITE|FRONT
        FCC "CREDIT "
        FCB 0
TxtRound
        FCB 17,34,C_WHITE|FRONT
        FCC "ROUND "
        FCB 0
TxtHardMark
        FCB 22,35,C_RED|FRONT
        FCC "  HARD"
        FCB 0
TxtNormMark
        FCB 22,35,C_GREEN|FRONT
        FCC "NORMAL"
        FCB 0

TitleText
        FCB 3,10,C_CYAN
        FCC "DEFEND THE OUTER STARS"
        FCB 0
        FCB 8,26,C_WHITE
        FCC "1 COIN 1 PLAY"
        FCB 0
        FCB 9,31,C_GREY
        FCC "@ VELTO"
        FCB 0
        FCB $FF
TxtInsertCoin
        FCB 8,23,C_YELLOW
        FCC "INSERT COIN"
        FCB 0
TxtInsertBlank
        FCB 8,23,C_YELLOW
        FCC "           "
        FCB 0
TxtShips
        FCB 5,13,C_WHITE
        FCC "SHIPS "
        FCB 0
TxtNormal
        FCB 15,13,C_GREEN
        FCC "NORMAL"
        FCB 0
TxtHard FCB 15,13,C_RED
        FCC "HARD  "
        FCB 0
BonusTexts
        FDB TxtBonus0,TxtBonus1,TxtBonus2,TxtBonus3
TxtBonus0
        FCB 2,16,C_ORANGE
        FCC "BONUS 10000 30000 +50000"
        FCB 0
TxtBonus1
        FCB 2,16,C_ORANGE
        FCC "BONUS 20000 +50000      "
        FCB 0
TxtBonus2
        FCB 2,16,C_ORANGE
        FCC "BONUS 30000 +70000      "
        FCB 0
TxtBonus3
        FCB 2,16,C_ORANGE
        FCC "BONUS 20000 70000       "
        FCB 0
TxtSoundOn
        FCB 7,19,C_GREY
        FCC "DEMO SOUND ON "
        FCB 0
TxtSoundOff
        FCB 7,19,C_MAGENTA
        FCC "DEMO SOUND OFF"
        FCB 0

FleetText
        FCB 6,3,C_YELLOW
        FCC "THE KLUNO FLEET"
        FCB 0
        FCB 3,5,C_WHITE
        FCC "DARTER      200 POINTS"
        FCB 0
        FCB 3,9,C_WHITE
        FCC "PROBE       300 POINTS"
        FCB 0
        FCB 3,15,C_WHITE
        FCC "CRUISER     500 POINTS"
        FCB 0
        FCB 3,19,C_WHITE
        FCC "MOTHERSHIP 1000 POINTS"
        FCB 0
        FCB 3,26,C_GREEN
        FCC "KLUNOID     100 POINTS"
        FCB 0
        FCB $FF

ScoresText
        FCB 9,4,C_YELLOW
        FCC "BEST FIVE"
        FCB 0
        FCB 0,7,C_CYAN
        FCC "RANK   SCORE RND  NAME"
        FCB 0
        FCB 5,26,C_YELLOW
        FCC "TOP SCORE"
        FCB 0
        FCB $FF

CreditText
        FCB 6,8,C_YELLOW
        FCC "PUSH START BUTTON"
        FCB 0
        FCB $FF
TxtOnePlayer
        FCB 5,10,C_WHITE
        FCC "ONE PLAYER ONLY   "
        FCB 0
TxtTwoPlayers
        FCB 5,10,C_WHITE
        FCC "ONE OR TWO PLAYERS"
        FCB 0

TxtPlayer1
        FCB 10,15,C_CYAN
        FCC "PLAYER 1"
        FCB 0
TxtPlayer2
        FCB 10,15,C_MAGENTA
        FCC "PLAYER 2"
        FCB 0
TxtDemo FCB 8,15,C_ORANGE
        FCC "DEMONSTRATION"
        FCB 0
TxtReady
        FCB 11,17,C_YELLOW
        FCC "READY"
        FCB 0
TxtGameOver
        FCB 9,17,C_RED
        FCC "GAME OVER"
        FCB 0

NameText
        FCB 4,11,C_WHITE
        FCC "A NEW BEST FIVE SCORE"
        FCB 0
        FCB 6,17,C_CYAN
        FCC "ENTER YOUR NAME"
        FCB 0
        FCB 3,25,C_GREY
        FCC "UP DOWN  CHOOSE A LETTER"
        FCB 0
        FCB 3,27,C_GREY
        FCC "SHOT     NEXT LETTER"
        FCB 0
        FCB 3,29,C_GREY
        FCC "LEFT     BACK"
        FCB 0
        FCB 3,31,C_GREY
        FCC "START 1  DONE"
        FCB 0
        FCB $FF
TxtTimeLeft
        FCB 9,22,C_WHITE
        FCC "TIME LEFT "
        FCB 0

TestText
        FCB 0,0,C_RED|FRONT
        FCC "       KLUNO TEST MODE      "
        FCB 0
        FCB 0,2,C_YELLOW
        FCC "INPUTS"
        FCB 0
        FCB 0,4,C_WHITE
        FCC "UP   RIGHT   DOWN   LEFT"
        FCB 0
        FCB 0,6,C_WHITE
        FCC "COIN         SERVICE"
        FCB 0
        FCB 0,8,C_WHITE
        FCC "SHOT     START 1   START 2"
        FCB 0
        FCB 0,10,C_YELLOW
        FCC "SWITCHES"
        FCB 0
        FCB 10,10,C_WHITE
        FCC "CHIP 2"
        FCB 0
        FCB 0,18,C_YELLOW
        FCC "CHECKS"
        FCB 0
        FCB 0,20,C_WHITE
        FCC "ROM 1 SUM          WANT 00"
        FCB 0
        FCB 0,21,C_WHITE
        FCC "ROM 2 SUM          WANT 00"
        FCB 0
        FCB 0,23,C_WHITE
        FCC "CHIP 1 MODE 8      WANT 1C"
        FCB 0
        FCB 0,24,C_WHITE
        FCC "CHIP 2 MODE 8      WANT 54"
        FCB 0
        FCB 0,26,C_CYAN
        FCC "SOUND  440 HZ SINE"
        FCB 0
        FCB 0,34,C_CYAN|FRONT
        FCC "0123456789ABCDEFGHIJKLMNOPQR"
        FCB 0
        FCB 2,35,C_RED|FRONT
        FCC "TEST SWITCH OFF TO LEAVE"
        FCB 0
        FCB $FF
TxtTShips
        FCB 0,12,C_WHITE
        FCC "SHIPS "
        FCB 0
TxtTNormal
        FCB 9,12,C_GREEN
        FCC "NORMAL"
        FCB 0
TxtTHard
        FCB 9,12,C_RED
        FCC "HARD  "
        FCB 0
TxtTSoundOn
        FCB 0,16,C_WHITE
        FCC "DEMO SOUND ON "
        FCB 0
TxtTSoundOff
        FCB 0,16,C_MAGENTA
        FCC "DEMO SOUND OFF"
        FCB 0

; ---------------------------------------------------------------------------
; SaveScores: called once the best five and the top score are both updated.
        ORG $9BF0
SaveScores
        CLR SHARED+SND_SAVED
        RTS

; ---------------------------------------------------------------------------
; InitScores: the best five and the top score from ROM, at every start.
        ORG $C000
InitScores
        CLR TableChanged
        FILL $12,$C00E-*        ; NOPs up to the copy loops
        ; $C00E: the two copy loops, ending at $C02B
        LDU #TopScoreRom
        LDX #TOP_SCORE
        LDB #4
InitTop LDA ,U+
        STA ,X+
        DECB
        BNE InitTop
        LDU #TableRom
        LDX #SCORE_TABLE
        LDB #160
InitTab LDA ,U+
        STA ,X+
        DECB
        BNE InitTab
        ; $C02C: on with no register from the loops
        CLR SHARED+SND_SAVED
        RTS

        ORG $C0FF
TopScoreRom
        FCB $00,$01,$00,$00     ; 10,000
TableRom
        FCC " 1ST   10000   5  VELTO     "
        FCB 0,0,0,0
        FCC " 2ND    5000   4  KLUNO     "
        FCB 0,0,0,0
        FCC " 3RD    2000   3  DARTER    "
        FCB 0,0,0,0
        FCC " 4TH    1000   2  PROBE     "
        FCB 0,0,0,0
        FCC " 5TH     500   1  CRUISER   "
        FCB 0,0,0,0

; ---------------------------------------------------------------------------
        ORG $FFEF
        FCB 0                   ; makes the ROM's 8-bit sum 0
        FDB Reset,Reset,Reset,Reset,Reset,Reset,Reset,Reset
