; RONKU CPU 1 program: the game.
;
; Ronku gathers seeds in a windy garden. The stick walks Ronku up, down, left
; and right; the shot button throws a pebble the way Ronku faces (held, a new
; one every twelve frames). Mites come out of the corners and close in on
; Ronku; a crow, a toad or a mole crosses the garden now and then. Seed 50,
; mite 100, crow, toad or mole 500; twelve seeds end a round, and from round
; 3 the mites are quicker. A mite or a visitor that touches Ronku costs a
; life, so a Ronku that stands still is soon caught: the game is over within
; a minute without input. One or two players take turns.
;
; The host keeps the credits in I/O chip 1 (byte 2 tens, byte 3 units) and
; sets byte 0 on a coin and byte 1 bit 0 or 1 on a start it has paid for; the
; game shows the credits, acknowledges the coin and the starts by clearing
; them, and keeps byte 9 at 0 while a start is allowed. Byte 8 holds m = 1:
; the stick is then chip byte 7 - m (bit 0 up, 1 right, 2 down, 3 left), the
; shot byte 8 - m (bit 0 the press, one frame, bit 1 held). At boot the game
; asks both chips for their seven-byte answer (byte 15 = $0E), shows it, and
; then clears chip 1's bytes 1-3, which the answer filled.
;
; Attract mode goes round the title, the garden folk (all sixteen sprite
; forms, a mite under the leaves that stay in front of sprites, sprites cut
; by the picture's edges) and a demonstration game, with music unless chip 2
; byte 4 bit 1 (the demo-sound switch) is set; chip 2 byte 1 bits 2-3 add
; lives. All switches off: three lives, sound on. The wind moves the garden
; (the scroll register) while Ronku plays; the leaves stay in front of the
; sprites.
;
; The program runs one pass of its main loop per frame: it sleeps in SYNC
; with the IRQ masked and wakes at the frame's interrupt.

        INCLUDE "board.inc"

; Variables, direct page $10
        SETDP $10
Frame           EQU $1000
Mode            EQU $1001
ModeTimer       EQU $1002       ; 2 bytes, frames since the mode began
Coarse          EQU $1004       ; scroll >> 3
ScrollPos       EQU $1005
CreditsOn       EQU $1006       ; 1 once the boot check has cleared chip 1's bytes 1-3
Wind            EQU $1007       ; counts frames between scroll steps
TxtCol          EQU $1008
TxtRow          EQU $1009
CharCode        EQU $100A
CharAttr        EQU $100B
Tmp             EQU $100C       ; 4 bytes of scratch
Lead            EQU $1010
Loop1           EQU $1011
Loop2           EQU $1012
SprCode         EQU $1013
SprSet          EQU $1014
SprCol          EQU $1015
SprV            EQU $1016       ; 2 bytes
SprForm         EQU $1018
Seed            EQU $1019       ; 2 bytes
InDir           EQU $101B       ; bit 0 up, 1 right, 2 down, 3 left
ShotPress       EQU $101C       ; the shot's one-frame press
ShotHeld        EQU $101D
StartReq        EQU $101E       ; the start bits the host set (bit 0 one player, 1 two)
Demo            EQU $101F
Players         EQU $1020
CurPlayer       EQU $1021
PlrPtr          EQU $1022       ; 2 bytes, the current player's record
Phase           EQU $1024
PhaseTimer      EQU $1025       ; 2 bytes
PlayerX         EQU $1027       ; picture column of the sprite's left edge
PlayerY         EQU $1028       ; picture row - 16 of its top edge
Facing          EQU $1029       ; 0 up, 1 right, 2 down, 3 left
Walking         EQU $102A
FireWait        EQU $102B
Quiet           EQU $102C       ; 1 when the demo sound is off
ExtraLives      EQU $102D
RomSum          EQU $102E
ChipBad         EQU $102F       ; bit 0 chip 1's answer wrong, bit 1 chip 2's
Speed           EQU $1030       ; mite step mask: a mite moves on frames where (Frame & Speed) = 0
PilotWait       EQU $1031
NextVisitor     EQU $1032       ; who crosses the garden next: 0 the crow, 1 the toad, 2 the mole
HiScore         EQU $1034       ; 4 bytes BCD
TextBuf         EQU $1038       ; 8 characters of a score
; the two players' records
PLAYER1         EQU $1080
PLAYER2         EQU $1090
P_LIVES         EQU 0
P_ROUND         EQU 1
P_SCORE         EQU 2           ; 4 bytes BCD
P_SEEDS         EQU 6           ; seeds still to gather this round

; Objects
PEBBLE          EQU $1100       ; active (frames left), column, row, direction
MITES           EQU $1110       ; 6 x 8 bytes
M_STATE         EQU 0           ; 0 waiting, 1 crawling
M_X             EQU 1
M_Y             EQU 2
M_DIR           EQU 3
M_WAIT          EQU 4           ; frames until it comes out
M_KIND          EQU 5           ; colour set
NMITE           EQU 6
SEEDS           EQU $1140       ; 4 x 4: active, column, row
NSEED           EQU 4
PUFFS           EQU $1150       ; 2 x 4: frames left, column, row
NPUFF           EQU 2
VISITOR         EQU $1158       ; the visitor: frames left (0 away), column byte, row, direction
                                ; (1 right, 3 left), who (as NextVisitor)
GARDEN          EQU $1900       ; the garden's codes, 1 KB (repeats every 32 columns)
GARDENATTR      EQU $2000       ; and their attributes
BACKDROP        EQU GARDEN      ; the playfield's backdrop (screen.inc)
BACKDROPATTR    EQU GARDENATTR
STACK_TOP       EQU $1700
ROM_START       EQU $A000       ; where the ROM begins (romsum.inc)

; Sprite slots
SL_PLAYER       EQU 0
SL_PEBBLE       EQU 1
SL_MITE         EQU 2
SL_SEED         EQU 8
SL_PUFF         EQU 12
SL_VISITOR      EQU 14
SL_SHOW         EQU 16
HIDDEN_V        EQU 24+400      ; row value of a hidden sprite

; Modes
M_BOOT          EQU 0
M_TITLE         EQU 1
M_FOLK          EQU 2
M_DEMO          EQU 3
M_CREDIT        EQU 4
M_GAME          EQU 5
; Game phases
PH_READY        EQU 0
PH_PLAY         EQU 1
PH_DEAD         EQU 2
PH_OVER         EQU 3

; Colour sets (attributes) of the characters
C_WHITE         EQU 0
C_YELLOW        EQU 1
C_TEXT          EQU 2
C_CYAN          EQU 3
C_GREEN         EQU 4
C_ORANGE        EQU 5
C_MAGENTA       EQU 6
C_GREY          EQU 7
C_GRASS         EQU 8
C_FLOWER        EQU 9
C_LOGO          EQU 10
C_ICON          EQU 13
C_LEAVES        EQU 16
C_GRID          EQU 17
FRONT           EQU $40         ; attribute bit 6: in front of sprites

CH_BLANK        EQU $20
CH_GRASS        EQU $80
CH_FLOWER       EQU $83
CH_STONES       EQU $84
CH_LEAVES       EQU $85
CH_LIFE         EQU $88
CH_SEED         EQU $89
CH_LINE         EQU $8A
CH_BLOCK        EQU $8B
CH_GRIDC        EQU $90

; Sprite codes and colour sets
SP_RONKU        EQU $00
SP_RONKU_UP     EQU $02
SP_MITE         EQU $04
SP_SEED         EQU $06
SP_PEBBLE       EQU $07
SP_PUFF         EQU $08
SP_MOLE         EQU $0C
SP_CROW         EQU $10
SP_CROW2        EQU $14
SP_TOAD         EQU $18
SP_DIZZY        EQU $1C
S_RONKU         EQU 0
S_MITE          EQU 1
S_SEED          EQU 3
S_PEBBLE        EQU 4
S_PUFF          EQU 5
S_MOLE          EQU 6
S_CROW          EQU 7
S_TOAD          EQU 8
S_RONKU2        EQU 9

; Tunes of the sound program
T_TITLE         EQU 1
T_START         EQU 2
T_OVER          EQU 3
T_ROUND         EQU 4

; Where Ronku may walk (picture column, picture row - 16)
X_MIN           EQU 0
X_MAX           EQU 208
Y_MIN           EQU 8
Y_MAX           EQU 240

; ---------------------------------------------------------------------------
        ORG $A000
        INCLUDE "boot.inc"
        LDA #1
        STA IOCHIP1+9           ; no start while the check runs
        STA IOCHIP1+8           ; m = 1: stick in chip byte 6, shot in byte 7
        LDD #$5A17
        STD Seed
        LDD #$0000
        STD HiScore
        LDD #$5000
        STD HiScore+2
        JSR SumRom
; interrupts on for both CPUs, the sound CPU started, sound on
        STA LATCH+L_IRQ1_ON
        STA LATCH+L_IRQ2_ON
        STA LATCH+L_CPU2_RUN
        STA LATCH+L_SOUND_ON
        JSR MakeGarden
        LDA #$0E                ; ask both chips for their answer
        STA IOCHIP1+15
        LDA #M_BOOT
        JSR SetMode

MainLoop
        SYNC
        INC Frame
        JSR ReadInputs
        LDD ModeTimer
        ADDD #1
        STD ModeTimer
        LDA Mode
        LSLA
        LDX #ModeRun
        JSR [A,X]
        JSR ShowCredits
        BRA MainLoop

        INCLUDE "romsum.inc"

; ---------------------------------------------------------------------------
; Inputs: the coin signal and the paid starts, acknowledged by clearing them;
; the stick and the shot from the bytes m chose.
ReadInputs
        LDA CreditsOn
        BEQ InNoChip
        LDA IOCHIP1+0
        BEQ InNoCoin
        CLR IOCHIP1+0
        LDA #1
        STA SHARED+SND_FX+FX_EXTRA
InNoCoin
        LDA IOCHIP1+1
        TFR A,B
        ANDA #3
        ORA StartReq
        STA StartReq
        ANDB #$FC
        STB IOCHIP1+1
InNoChip
        LDA IOCHIP1+6
        ANDA #$0F
        STA InDir
        LDA IOCHIP1+7
        TFR A,B
        ANDA #1
        STA ShotPress
        ANDB #2
        STB ShotHeld
        RTS

; The switches: lives (chip 2 byte 1 bits 2-3 add 0-3), demo sound (byte 4
; bit 1 set = off).
ReadDips
        LDA IOCHIP2+1
        LSRA
        LSRA
        ANDA #3
        STA ExtraLives
        LDA IOCHIP2+4
        LSRA
        ANDA #1
        STA Quiet
        RTS

; The credits from chip 1 bytes 2 (tens) and 3 (units) on the last row.
ShowCredits
        LDA CreditsOn
        BEQ ScEnd
        LDD #$1623              ; column 22, row 35
        STD TxtCol
        LDA #C_WHITE
        STA CharAttr
        LDA IOCHIP1+2
        ANDA #$0F
        CMPA #10
        BLO ScTens
        SUBA #10
        PSHS A
        LDA #'1
        JSR PutNext
        PULS A
        BRA ScDigit
ScTens  PSHS A
        LDA #CH_BLANK
        JSR PutNext
        PULS A
        TSTA
        BNE ScDigit
        LDA #CH_BLANK-'0
ScDigit ADDA #'0
        JSR PutNext
        LDA IOCHIP1+3
        ANDA #$0F
        ADDA #'0
        JMP PutNext
ScEnd   RTS

; Z clear when the host holds any credit
HasCredits
        LDA IOCHIP1+2
        ORA IOCHIP1+3
        ANDA #$0F
        RTS

; ---------------------------------------------------------------------------
; Modes
        INCLUDE "modes.inc"

ModeStart
        FDB BootStart,TitleStart,FolkStart,DemoStart,CreditStart,GameStart
ModeRun FDB BootRun,TitleRun,FolkRun,DemoRun,CreditRun,GameRun

; In the attract modes a paid start begins a game, a credit leads to the
; credit screen.
AttractCommon
        LDA StartReq
        BEQ AcNoStart
        CLR StartReq
        LDB #1
        BITA #2
        BEQ AcPlayers
        LDB #2
AcPlayers
        STB Players
        CLR Demo
        LDA #M_GAME
        JSR SetMode
        LEAS 2,S                ; the mode's frame ends here
        RTS
AcNoStart
        LDA Mode
        CMPA #M_CREDIT
        BEQ AcEnd
        JSR HasCredits
        BEQ AcEnd
        LDA #M_CREDIT
        JSR SetMode
        LEAS 2,S
AcEnd   RTS

; attract sound: music only when the demo-sound switch allows it
AttractSound
        CLR IOCHIP1+9           ; a start is allowed
        JSR ReadDips
        LDA #1
        LDB Quiet
        BEQ AsLoud
        CLRA
AsLoud  STA SHARED+SND_MODE
        RTS

; The check screen: the ROM sum, both chips' answers, the sound CPU.
BootStart
        JSR HideAll
        CLRA
        JSR SetScroll
        JSR BlankScreen
        LDY #BootText
        JMP PrintList

BootRun LDD ModeTimer
        CMPD #3
        BNE BootWait
        JSR CheckChips
        CLR IOCHIP1+15          ; the answer is taken: plain inputs from now on
        CLR IOCHIP1+1
        CLR IOCHIP1+2
        CLR IOCHIP1+3
        LDA #1
        STA CreditsOn
        STA LATCH+L_HOLD        ; a short hold of the chips while the check screen settles
        LDY #CreditText
        JMP PrintList
BootWait
        CMPD #6
        BNE BootSound
        STA LATCH+L_RELEASE
BootSound
        CMPD #20
        BNE BootEnd
        JSR ShowSound
BootEnd LDD ModeTimer
        CMPD #150
        BLO BootStay
        LDA ChipBad
        ORA RomSum
        BEQ BootDone
        LDD ModeTimer
        CMPD #360               ; a fault stays on the screen longer, then the game goes on
        BLO BootStay
BootDone
        LDA #M_TITLE
        JMP SetMode
BootStay
        RTS

; Both chips' bytes 1-7 against the answer, each shown in hex with OK or BAD.
CheckChips
        CLR ChipBad
        LDX #IOCHIP1+1
        LDD #$0108              ; chip 1: fault bit 0, row 8
        BSR CheckOne
        LDX #IOCHIP2+1
        LDD #$020A              ; chip 2: fault bit 1, row 10
        BSR CheckOne
        LDD #$0706
        STD TxtCol
        LDA RomSum
        JSR PrintHex
        LDY #TxtOk
        LDA RomSum
        BEQ CcRom
        LDY #TxtBad
CcRom   LDD #$1606
        STD TxtCol
        JMP PrintN3

; X = the chip's byte 1, A = its fault bit, B = row: the seven bytes at
; column 7, then OK or BAD
CheckOne
        STA Tmp+1
        STB TxtRow
        LDA #7
        STA TxtCol
        LDU #Answer
        CLR Tmp
CoLoop  LDA ,X+
        ANDA #$0F
        CMPA ,U+
        BEQ CoSame
        INC Tmp
CoSame  JSR PrintDigit
        INC TxtCol
        CMPU #Answer+7
        BNE CoLoop
        LDY #TxtOk
        LDA Tmp
        BEQ CoOk
        LDY #TxtBad
        LDA ChipBad
        ORA Tmp+1
        STA ChipBad
CoOk    LDA #22
        STA TxtCol
        ; fall through
; Y = three characters at TxtCol, TxtRow
PrintN3 TFR Y,X
        LDB #3
        JMP PrintN

Answer  FCB $08,$04,$06,$0E,$0D,$09,$0D

; The sound CPU's reply and its ROM sum.
ShowSound
        LDD #$070C
        STD TxtCol
        LDA SHARED+SND_SUM
        JSR PrintHex
        LDY #TxtOk
        LDA SHARED+SND_READY
        CMPA #$A5
        BNE SsBad
        LDA SHARED+SND_SUM
        BEQ SsShow
SsBad   LDY #TxtBad
        LDA ChipBad
        ORA #4
        STA ChipBad
SsShow  LDD #$160C
        STD TxtCol
        BRA PrintN3

; The title: the logo, Ronku and the points, the garden still.
TitleStart
        JSR AttractSound
        JSR ScreenReset
        JSR DrawLogo
        LDY #TitleText
        JSR PrintList
        LDA #T_TITLE
        STA SHARED+SND_TUNE
        RTS

TitleRun
        JSR AttractCommon
        JSR Blink
        ; Ronku walks along under the logo
        LDA #SP_RONKU
        LDB Frame
        ANDB #8
        BEQ TrStep
        INCA
TrStep  STA SprCode
        LDA #S_RONKU
        STA SprSet
        LDA ModeTimer+1
        ADDA #17
        STA SprCol
        LDD #96+56
        STD SprV
        CLR SprForm
        LDB #SL_SHOW
        JSR SetSprite
        LDD ModeTimer
        CMPD #400
        BLO TrStay
        LDA #M_FOLK
        JMP SetMode
TrStay  RTS

; "INSERT COIN" or "PUSH START", on for 32 frames, off for 16
Blink   LDY #TxtInsert
        JSR HasCredits
        BEQ BlWhich
        LDY #TxtPush
BlWhich LDA Frame
        ANDA #$30
        CMPA #$30
        BNE BlShow
        LDY #TxtBlankLine
BlShow  JMP Print

; The garden folk: every sprite form, a mite under the leaves, sprites cut
; by the picture's edges.
FolkStart
        JSR AttractSound
        JSR ScreenReset
        LDY #FolkText
        JSR PrintList
        ; a bank of leaves in front of the sprites on row 29
        LDA #4
        STA Tmp+1
FsLeaf  LDA Tmp+1
        LDB #29
        JSR CellAddr
        LDA #CH_LEAVES+1
        LDB Tmp+1
        CMPB #4
        BNE FsNotLeft
        LDA #CH_LEAVES
FsNotLeft
        CMPB #23
        BNE FsNotRight
        LDA #CH_LEAVES+2
FsNotRight
        STA VIDEO,X
        LDA #C_LEAVES|FRONT
        STA ATTRS,X
        INC Tmp+1
        LDA Tmp+1
        CMPA #24
        BNE FsLeaf
        ; the sixteen forms: four rows of four
        LDU #FolkSprites
        LDB #SL_SHOW
        CLR Tmp
FsForm  LDA ,U
        STA SprCode
        LDA 1,U
        STA SprSet
        LDA Tmp
        ANDA #3
        LDB #48
        MUL
        ADDB #17+16
        STB SprCol
        LDA Tmp
        LSRA
        LSRA
        LDB #48
        MUL
        ADDD #56+40
        STD SprV
        LDA Tmp
        STA SprForm
        LDB Tmp
        ADDB #SL_SHOW
        JSR SetSprite
        INC Tmp
        LDA Tmp
        ANDA #3
        BNE FsForm
        LEAU 2,U
        LDA Tmp
        CMPA #16
        BNE FsForm
        ; cut by the edges: a mole half out on the left, a toad on the right
        LDD #SP_MOLE*256+S_MOLE
        STD SprCode
        LDA #17-8
        STA SprCol
        LDD #56+200
        STD SprV
        LDA #4
        STA SprForm
        LDB #SL_SHOW+16
        JSR SetSprite
        LDD #SP_TOAD*256+S_TOAD
        STD SprCode
        LDA #17+208
        STA SprCol
        LDD #56+196
        STD SprV
        LDA #12
        STA SprForm
        LDB #SL_SHOW+17
        JMP SetSprite

FolkRun JSR AttractCommon
        ; a mite crawls along row 29, under the leaves
        LDA #SP_MITE
        LDB Frame
        ANDB #4
        BEQ FrLeg
        INCA
FrLeg   STA SprCode
        LDA #S_MITE
        STA SprSet
        LDA ModeTimer+1
        ADDA #1
        STA SprCol
        LDD #40+228
        STD SprV
        CLR SprForm
        LDB #SL_SHOW+18
        JSR SetSprite
        ; the crow flies across the top, out of one edge and in at the other
        LDD #SP_CROW*256+S_CROW
        LDB Frame
        ANDB #16
        BEQ FrWing
        LDA #SP_CROW2
FrWing  LDB #S_CROW
        STD SprCode
        LDA ModeTimer+1
        NEGA
        STA SprCol
        LDD #40+256
        STD SprV
        LDA #8+2
        STA SprForm
        LDB #SL_SHOW+19
        JSR SetSprite
        LDD ModeTimer
        CMPD #400
        BLO FrStay
        LDA #M_DEMO
        JMP SetMode
FrStay  RTS

; Every form's sprite: Ronku, the mole, the crow, the toad
FolkSprites
        FCB SP_RONKU,S_RONKU,SP_MOLE,S_MOLE,SP_CROW,S_CROW,SP_TOAD,S_TOAD

; The demonstration: the game with a pilot, until it ends or 40 seconds.
DemoStart
        JSR AttractSound
        LDA #1
        STA Demo
        STA Players
        JMP NewGame

DemoRun JSR AttractCommon
        JSR Pilot
        JSR GameFrame
        LDA Phase
        CMPA #PH_OVER
        BEQ DemoDone
        LDD ModeTimer
        CMPD #2400
        BLO DemoStay
DemoDone
        LDA #M_TITLE
        JMP SetMode
DemoStay
        RTS

; Credits in hand: push start.
CreditStart
        JSR AttractSound
        JSR ScreenReset
        LDY #CreditScreen
        JMP PrintList

CreditRun
        JSR AttractCommon
        JSR Blink
        JSR HasCredits
        BNE CrStay
        LDA #M_TITLE            ; the credits went (a reset of the host's count)
        JMP SetMode
CrStay  RTS

GameStart
        LDA #1
        STA IOCHIP1+9           ; no start while a game runs
        STA SHARED+SND_MODE
        LDA #T_START
        STA SHARED+SND_TUNE
        JMP NewGame

GameRun JSR GameFrame
        LDA Phase
        CMPA #PH_OVER
        BNE GrStay
        LDD PhaseTimer
        CMPD #180
        BLO GrStay
        LDA #M_TITLE
        JMP SetMode
GrStay  RTS

; ---------------------------------------------------------------------------
; The picture

; The picture as every screen starts: sprites hidden, scroll 0, the garden,
; the score lines.
ScreenReset
        JSR HideAll
        CLRA
        JSR SetScroll
        JSR ClearScreen
        JMP ShowHud

; The wind moves the garden one pixel every fourth frame.
Drift   INC Wind
        LDA Wind
        ANDA #3
        BNE DrEnd
        LDA ScrollPos
        INCA
        BRA SetScroll
DrEnd   RTS

        INCLUDE "screen.inc"

; The garden: bare ground with tufts, blades, flowers and stones at random,
; and a few clumps of leaves that stay in front of the sprites.
MakeGarden
        LDX #0
GdLoop  JSR Rand
        LDA #CH_GRASS
        LDY #C_GRASS
        CMPB #160
        BHS GdSet
        LDA #CH_GRASS+1
        CMPB #40
        BLO GdSet
        LDA #CH_GRASS+2
        CMPB #80
        BLO GdSet
        LDA #CH_GRASS
        CMPB #150
        BLO GdSet
        LDY #C_FLOWER
        LDA #CH_FLOWER
        CMPB #155
        BLO GdSet
        LDA #CH_STONES
GdSet   STA GARDEN,X
        TFR Y,D
        STB GARDENATTR,X
        LEAX 1,X
        CMPX #$400
        BNE GdLoop
        ; clumps of leaves: three cells across, right edge first
        LDU #LeafPlaces
GdClump LDD ,U++
        CMPD #$FFFF
        BEQ GdDone
        TFR D,X
        LDA #CH_LEAVES+2
        LDB #3
GdLeaf  STA GARDEN,X
        PSHS A
        LDA #C_LEAVES|FRONT
        STA GARDENATTR,X
        PULS A
        DECA
        LEAX 32,X
        DECB
        BNE GdLeaf
        BRA GdClump
GdDone  RTS
; offsets of the right-hand cell of each clump (column 32 x k + row)
LeafPlaces
        FDB 4*32+6, 11*32+20, 19*32+12, 26*32+27, 15*32+2, 2*32+24
        FDB $FFFF

        INCLUDE "rand.inc"

; "RONKU" in blocks, four cells wide and five high a letter.
DrawLogo
        LDU #LogoBits
        LDA #2
        STA Tmp+2               ; column of the letter
        LDA #C_LOGO
        STA CharAttr
DlLetter
        LDB #4
        STB TxtRow
DlRow   LDA ,U+
        LDB Tmp+2
        STB TxtCol
        LDB #4
        STB Loop2
DlCell  LSLA
        PSHS A
        LDA #CH_BLOCK
        BCS DlPut
        LDA #CH_BLANK
DlPut   JSR PutNext
        PULS A
        DEC Loop2
        BNE DlCell
        INC TxtRow
        LDB TxtRow
        CMPB #9
        BNE DlRow
        LDA CharAttr
        INCA
        CMPA #C_LOGO+3
        BNE DlAttr
        LDA #C_LOGO
DlAttr  STA CharAttr
        LDA Tmp+2
        ADDA #5
        STA Tmp+2
        CMPA #27
        BNE DlLetter
        RTS
LogoBits
        FCB $E0,$90,$E0,$A0,$90 ; R
        FCB $60,$90,$90,$90,$60 ; O
        FCB $90,$D0,$B0,$90,$90 ; N
        FCB $90,$A0,$C0,$A0,$90 ; K
        FCB $90,$90,$90,$90,$60 ; U

; The score lines: "1UP", "HI-SCORE", "2UP" and the three scores.
ShowHud LDY #HudText
        JSR PrintList
        ; fall through
ShowScores
        LDA #C_WHITE
        STA CharAttr
        LDD #$0001
        STD TxtCol
        LDX #PLAYER1+P_SCORE
        JSR PrintBcd
        LDD #$0801
        STD TxtCol
        LDX #HiScore
        JSR PrintBcd
        LDA Players
        CMPA #2
        BNE SsEnd
        LDD #$1001
        STD TxtCol
        LDX #PLAYER2+P_SCORE
        JMP PrintBcd
SsEnd   RTS

; The lives left and the round on row 34.
ShowLives
        LDD #$0022
        STD TxtCol
        LDA #C_ICON
        STA CharAttr
        LDX PlrPtr
        LDA P_LIVES,X
        DECA                    ; the one in play is not shown
        LDB #6
        STB Loop2
SlLoop  PSHS A
        LDB #CH_LIFE
        TSTA
        BGT SlShow
        LDB #CH_BLANK
SlShow  TFR B,A
        JSR PutNext
        PULS A
        DECA
        DEC Loop2
        BNE SlLoop
        LDY #TxtRound
        JSR Print
        LDX PlrPtr
        LDA P_ROUND,X
        JSR PrintHex
        LDY #TxtSeeds
        JSR Print
        LDX PlrPtr
        LDA P_SEEDS,X
        JMP PrintHex

        INCLUDE "text.inc"

; ---------------------------------------------------------------------------
; The game, shared by play and the demonstration.

; Both players' records from the switches, player 1 up first.
NewGame JSR ReadDips
        LDX #PLAYER1
NgPlr   LDA #3
        ADDA ExtraLives
        STA P_LIVES,X
        LDA #1
        STA P_ROUND,X
        LDA #$12
        STA P_SEEDS,X
        LDD #0
        STD P_SCORE,X
        STD P_SCORE+2,X
        LEAX 16,X
        CMPX #PLAYER2+16
        BNE NgPlr
        LDA Players
        CMPA #2
        BEQ NgTwo
        CLR PLAYER2+P_LIVES
NgTwo   CLR CurPlayer
        CLR NextVisitor         ; the crow first
        LDX #PLAYER1
        STX PlrPtr
        JSR ScreenReset
        ; fall through
; A life begins: the field empty, "PLAYER n" and "READY".
ReadyStart
        LDA #PH_READY
        JSR SetPhase
        JSR HideAll
        LDX #PEBBLE
RsClr   CLR ,X+
        CMPX #VISITOR+4
        BNE RsClr
        LDA #104
        STA PlayerX
        LDA #120
        STA PlayerY
        LDA #1
        STA Facing
        CLR Walking
        CLR FireWait
        ; the mites come out one after another
        LDX #MITES
        LDA #20
RsMite  STA M_WAIT,X
        ADDA #45
        LEAX 8,X
        CMPX #MITES+NMITE*8
        BNE RsMite
        ; quicker mites in later rounds
        LDX PlrPtr
        LDA P_ROUND,X
        LDB #1
        CMPA #3
        BLO RsSpeed
        CLRB
RsSpeed STB Speed
        JSR ShowScores
        JSR ShowLives
        LDY #TxtPlayer1
        LDA CurPlayer
        BEQ RsWho
        LDY #TxtPlayer2
RsWho   LDA Demo
        BEQ RsShow
        LDY #TxtDemo
RsShow  JSR Print
        LDY #TxtReady
        JMP Print

; A = phase
SetPhase
        STA Phase
        LDD #0
        STD PhaseTimer
        RTS

GameFrame
        LDD PhaseTimer
        ADDD #1
        STD PhaseTimer
        LDA Phase
        LSLA
        LDX #PhaseRun
        JMP [A,X]
PhaseRun
        FDB ReadyRun,PlayRun,DeadRun,OverRun

ReadyRun
        LDD PhaseTimer
        CMPD #120
        BLO RrStay
        LDA #12                 ; the messages away again
        STA TxtRow
        LDB #3
        JSR RestoreRows
        LDA #PH_PLAY
        JSR SetPhase
        JSR PlaceSeeds
RrStay  JMP DrawObjects

PlayRun JSR Drift
        JSR MovePlayer
        JSR MovePebble
        JSR MoveMites
        JSR MoveVisitor
        JSR MovePuffs
        JSR Collide
        JMP DrawObjects

; Ronku lies dizzy, then the next life, the other player, or the end.
DeadRun LDD PhaseTimer
        CMPD #100
        BLO DrDraw
        LDX PlrPtr
        DEC P_LIVES,X
        ; the other player, if any lives are left there
        LDA Players
        CMPA #2
        BNE DrSame
        LDA CurPlayer
        EORA #1
        LDX #PLAYER1
        TSTA
        BEQ DrOther
        LDX #PLAYER2
DrOther TST P_LIVES,X
        BEQ DrSame
        STA CurPlayer
        STX PlrPtr
        JMP ReadyStart
DrSame  LDX PlrPtr
        TST P_LIVES,X
        BEQ DrOver
        JMP ReadyStart
DrOver  LDA #PH_OVER
        JSR SetPhase
        JSR ShowLives
        LDA #T_OVER
        STA SHARED+SND_TUNE
        LDY #TxtGameOver
        JMP Print
DrDraw  JMP DrawObjects

OverRun RTS

; The stick walks Ronku two pixels a frame; the shot throws a pebble.
MovePlayer
        CLR Walking
        LDB InDir
        BITB #1
        BEQ MpNoUp
        CLR Facing
        LDA PlayerY
        SUBA #2
        CMPA #Y_MIN
        BLO MpNoUp
        STA PlayerY
        INC Walking
MpNoUp  BITB #4
        BEQ MpNoDown
        LDA #2
        STA Facing
        LDA PlayerY
        ADDA #2
        CMPA #Y_MAX
        BHI MpNoDown
        STA PlayerY
        INC Walking
MpNoDown
        BITB #8
        BEQ MpNoLeft
        LDA #3
        STA Facing
        LDA PlayerX
        SUBA #2
        BCS MpNoLeft
        STA PlayerX
        INC Walking
MpNoLeft
        BITB #2
        BEQ MpNoRight
        LDA #1
        STA Facing
        LDA PlayerX
        ADDA #2
        CMPA #X_MAX
        BHI MpNoRight
        STA PlayerX
        INC Walking
MpNoRight
        LDA FireWait
        BEQ MpFireOk
        DEC FireWait
MpFireOk
        LDA ShotPress
        BNE MpFire
        LDA ShotHeld
        BEQ MpEnd
        LDA FireWait
        BNE MpEnd
MpFire  LDA PEBBLE
        BNE MpEnd               ; one pebble at a time
        LDA #40
        STA PEBBLE
        LDD PlayerX
        STD PEBBLE+1
        LDA Facing
        STA PEBBLE+3
        LDA #12
        STA FireWait
        LDA #1
        STA SHARED+SND_FX+FX_SHOT
MpEnd   RTS

; The pebble flies four pixels a frame until it leaves the garden or lands.
MovePebble
        LDA PEBBLE
        BEQ MbEnd
        DEC PEBBLE
        LDX #PEBBLE+1
        LDA 2,X
        BSR StepDir
        BSR StepDir
        BSR StepDir
        BSR StepDir
        LDD PEBBLE+1
        CMPA #X_MAX+8
        BHI MbGone
        CMPB #Y_MIN
        BLO MbGone
        CMPB #Y_MAX+8
        BLS MbEnd
MbGone  CLR PEBBLE
MbEnd   RTS

; X = column, row of an object, A = direction: one pixel that way (A kept)
StepDir PSHS A
        TSTA
        BNE SdNoUp
        DEC 1,X
        PULS A,PC
SdNoUp  CMPA #2
        BNE SdNoDown
        INC 1,X
        PULS A,PC
SdNoDown
        CMPA #3
        BNE SdRight
        DEC ,X
        PULS A,PC
SdRight INC ,X
        PULS A,PC

; Mites come out of the edges, then crawl towards Ronku, choosing anew every
; 16 frames (now and then a random way), and turn back at the edges.
MoveMites
        LDX #MITES
        CLR Tmp+3               ; mite number
MmLoop  LDA M_STATE,X
        BNE MmCrawl
        LDA M_WAIT,X
        BEQ MmOut
        DEC M_WAIT,X
        LBRA MmNext
MmOut   LDA #1
        STA M_STATE,X
        LDA Tmp+3
        ANDA #1
        ADDA #S_MITE
        STA M_KIND,X
        ; out of a corner, by the mite's number
        LDA Tmp+3
        ANDA #3
        LSLA
        LDU #MiteCorners
        LDD A,U
        STD M_X,X
        LDA #2
        STA M_DIR,X
        BRA MmNext
MmCrawl LDA Frame
        ANDA Speed
        BNE MmNext
        LDA Tmp+3
        LSLA
        ADDA Frame
        ANDA #15
        BNE MmStep
        JSR Rand
        CMPB #48
        BLO MmRandom
        ; the longer way towards Ronku
        LDA PlayerX
        SUBA M_X,X
        BCC MmDxPos
        NEGA
MmDxPos STA Tmp
        LDA PlayerY
        SUBA M_Y,X
        BCC MmDyPos
        NEGA
MmDyPos CMPA Tmp
        BHI MmVert
        LDA #1
        LDB PlayerX
        CMPB M_X,X
        BHS MmSetDir
        LDA #3
        BRA MmSetDir
MmVert  LDA #2
        LDB PlayerY
        CMPB M_Y,X
        BHS MmSetDir
        CLRA
        BRA MmSetDir
MmRandom
        TFR B,A
        ANDA #3
MmSetDir
        STA M_DIR,X
MmStep  LDA M_DIR,X
        PSHS X
        LEAX M_X,X
        JSR StepDir
        PULS X
        ; turn back at the edges
        LDA M_X,X
        CMPA #X_MAX
        BLS MmXok
        CMPA #232               ; past column 0 it wrapped round
        BLO MmXmax
        CLRA
        BRA MmXturn
MmXmax  LDA #X_MAX
MmXturn STA M_X,X
        BSR MmTurn
MmXok   LDA M_Y,X
        CMPA #Y_MIN
        BHS MmYlow
        LDA #Y_MIN
        BRA MmYturn
MmYlow  CMPA #Y_MAX
        BLS MmNext
        LDA #Y_MAX
MmYturn STA M_Y,X
        BSR MmTurn
MmNext  LEAX 8,X
        INC Tmp+3
        LDA Tmp+3
        CMPA #NMITE
        LBNE MmLoop
        RTS
MmTurn  LDA M_DIR,X
        EORA #2
        STA M_DIR,X
        RTS
MiteCorners
        FCB 8,Y_MIN+4, X_MAX-8,Y_MIN+4, 8,Y_MAX-4, X_MAX-8,Y_MAX-4

; The visitor: every 256 frames of a life one crosses Ronku's row, the way
; that Ronku is from the middle, out of one edge and in at the other; the
; crow, the toad and the mole take turns through the game.
MoveVisitor
        LDA VISITOR
        BNE McFly
        LDD PhaseTimer
        TSTB
        BNE McEnd
        TSTA
        BEQ McEnd
        LDA NextVisitor
        STA VISITOR+4
        INCA
        CMPA #3
        BLO McNext
        CLRA
McNext  STA NextVisitor
        LDA #255
        STA VISITOR
        LDA PlayerY
        STA VISITOR+2
        LDA #241                ; column 240: neither half is drawn
        STA VISITOR+1
        LDB #1                  ; to the right when Ronku is on the right
        LDA PlayerX
        CMPA #104
        BHS McSide
        LDB #3
McSide  STB VISITOR+3
        RTS
McFly   DEC VISITOR
        LDA VISITOR+3
        CMPA #1
        BNE McLeft
        INC VISITOR+1
        RTS
McLeft  DEC VISITOR+1
McEnd   RTS

MovePuffs
        LDX #PUFFS
MpLoop  LDA ,X
        BEQ MpNext
        DEC ,X
MpNext  LEAX 4,X
        CMPX #PUFFS+NPUFF*4
        BNE MpLoop
        RTS

; Seeds on the field at random places, as many as are still to gather.
PlaceSeeds
        LDX #SEEDS
PsLoop  BSR NewSeed
        LEAX 4,X
        CMPX #SEEDS+NSEED*4
        BNE PsLoop
        RTS

; X = a seed: a new place, away from the edges
NewSeed JSR Rand
        ANDB #$7F
        ADDB #40
        STB 1,X
        JSR Rand
        ANDB #$7F
        ADDB #48
        STB 2,X
        LDA #1
        STA ,X
        RTS

; Touches: the pebble with the mites and the visitor, Ronku with the seeds,
; the mites and the visitor.
Collide LDX #MITES
ClMite  LDA M_STATE,X
        BEQ ClNextMite
        LDD M_X,X
        STD Tmp
        ; the pebble
        LDA PEBBLE
        BEQ ClNoPebble
        LDD PEBBLE+1
        JSR Near
        BCC ClNoPebble
        CLR PEBBLE
        JSR MiteHit
        BRA ClNextMite
ClNoPebble
        LDD PlayerX
        JSR Near
        BCC ClNextMite
        JMP PlayerDie
ClNextMite
        LEAX 8,X
        CMPX #MITES+NMITE*8
        BNE ClMite
        ; the seeds
        LDX #SEEDS
ClSeed  LDA ,X
        BEQ ClNextSeed
        LDD 1,X
        STD Tmp
        LDD PlayerX
        JSR Near
        BCC ClNextSeed
        JSR TakeSeed
ClNextSeed
        LEAX 4,X
        CMPX #SEEDS+NSEED*4
        BNE ClSeed
        ; the visitor, only while all of it is inside the picture
        LDA VISITOR
        BEQ ClEnd
        LDA VISITOR+1
        CMPA #17
        BLO ClEnd
        CMPA #209
        BHI ClEnd
        SUBA #9                 ; the visitor's middle, as a 16-wide object's column
        LDB VISITOR+2
        STD Tmp
        LDA PEBBLE
        BEQ ClVisitorBody
        LDD PEBBLE+1
        JSR Near
        BCC ClVisitorBody
        CLR PEBBLE
        CLR VISITOR
        LDD Tmp
        JSR StartPuff
        LDD #$0500
        JMP AddScore
ClVisitorBody
        LDD PlayerX
        JSR Near
        BCC ClEnd
        JMP PlayerDie
ClEnd   RTS

; D = column, row; Tmp, Tmp+1 another's: C set when they are within 11
; pixels both ways
Near    SUBA Tmp
        BCC NrX
        NEGA
NrX     CMPA #11
        BHS NrFar
        SUBB Tmp+1
        BCC NrY
        NEGB
NrY     CMPB #11
        RTS                     ; C set when below
NrFar   ANDCC #$FE
        RTS

; X = a mite the pebble hit: a puff, 100 points, and it waits to come again
MiteHit CLR M_STATE,X
        LDA #90
        STA M_WAIT,X
        LDD Tmp
        JSR StartPuff
        PSHS X
        LDD #$0100
        JSR AddScore
        PULS X,PC

; D = column, row of a puff
StartPuff
        PSHS X
        LDX #PUFFS
SpFind  TST ,X
        BEQ SpSet
        LEAX 4,X
        CMPX #PUFFS+NPUFF*4
        BNE SpFind
        LDX #PUFFS              ; all busy: the first one starts again
SpSet   STD 1,X
        LDA #32
        STA ,X
        LDA #1
        STA SHARED+SND_FX+FX_BLAST
        PULS X,PC

; X = a seed Ronku reached: 50 points, one fewer to gather, a new one
TakeSeed
        PSHS X
        LDA #1
        STA SHARED+SND_FX+FX_HIT
        LDD #$0050
        JSR AddScore
        LDX PlrPtr
        LDA P_SEEDS,X
        ADDA #$99               ; one less, in BCD
        DAA
        STA P_SEEDS,X
        BEQ TsRound
        JSR ShowLives
        PULS X
        JMP NewSeed
TsRound ; the round is over: the next one, quicker
        LDA #$12
        STA P_SEEDS,X
        LDA P_ROUND,X
        ADDA #1
        DAA
        STA P_ROUND,X
        LDA #T_ROUND
        STA SHARED+SND_TUNE
        LEAS 2,S
        LEAS 2,S                ; out of Collide as well
        JMP ReadyStart

PlayerDie
        LDA #PH_DEAD
        JSR SetPhase
        LDA #1
        STA SHARED+SND_FX+FX_BLAST
        CLR PEBBLE
        LDA VISITOR
        BEQ PdEnd
        CLR VISITOR
PdEnd   RTS

; D = BCD points (hundreds and tens): to the current player's score, and to
; the best score when it goes past it (not in the demonstration).
AddScore
        PSHS D
        LDX PlrPtr
        LDA P_SCORE+3,X
        ADDA 1,S
        DAA
        STA P_SCORE+3,X
        LDA P_SCORE+2,X
        ADCA ,S
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
        PULS D
        LDA Demo
        BNE AsShow
        LDD P_SCORE,X
        CMPD HiScore
        BHI AsBest
        BLO AsShow
        LDD P_SCORE+2,X
        CMPD HiScore+2
        BLS AsShow
AsBest  LDD P_SCORE,X
        STD HiScore
        LDD P_SCORE+2,X
        STD HiScore+2
AsShow  JMP ShowScores

; The sprites of the game from the objects.
DrawObjects
        ; Ronku
        LDA Phase
        CMPA #PH_DEAD
        BNE DoAlive
        LDD #SP_DIZZY*256
        BRA DoRonku
DoAlive LDU #FacingForms
        LDA Facing
        ASLA
        LDD A,U                 ; code, form
        TST Walking
        BEQ DoRonku
        PSHS B
        LDB Frame
        ANDB #4
        BEQ DoStill
        INCA
DoStill PULS B
DoRonku STA SprCode
        STB SprForm
        LDA #S_RONKU
        LDB CurPlayer
        BEQ DoSet
        LDA #S_RONKU2
DoSet   STA SprSet
        LDD PlayerX
        JSR PlaceAt
        LDB #SL_PLAYER
        JSR SetSprite
        ; the pebble
        LDB #SL_PEBBLE
        LDA PEBBLE
        BEQ DoNoPebble
        LDD #SP_PEBBLE*256+S_PEBBLE
        STD SprCode
        CLR SprForm
        LDD PEBBLE+1
        JSR PlaceAt
        LDB #SL_PEBBLE
        JSR SetSprite
        BRA DoMites
DoNoPebble
        JSR HideSprite
DoMites LDX #MITES
        LDB #SL_MITE
DoMite  LDA M_STATE,X
        BNE DoMiteOn
        JSR HideSprite
        BRA DoMiteNext
DoMiteOn
        LDA #SP_MITE
        PSHS B
        LDB Frame
        ANDB #4
        BEQ DoLegs
        INCA
DoLegs  STA SprCode
        LDA M_KIND,X
        STA SprSet
        LDA M_DIR,X
        CMPA #2
        BEQ DoDown
        CLRA
DoDown  LSRA                    ; 1 (rows reversed) when crawling down
        STA SprForm
        LDD M_X,X
        JSR PlaceAt
        PULS B
        JSR SetSprite
DoMiteNext
        LEAX 8,X
        INCB
        CMPB #SL_MITE+NMITE
        BNE DoMite
        ; seeds
        LDX #SEEDS
        LDB #SL_SEED
DoSeed  LDA ,X
        BNE DoSeedOn
        JSR HideSprite
        BRA DoSeedNext
DoSeedOn
        PSHS B
        LDD #SP_SEED*256+S_SEED
        STD SprCode
        CLR SprForm
        LDD 1,X
        JSR PlaceAt
        PULS B
        JSR SetSprite
DoSeedNext
        LEAX 4,X
        INCB
        CMPB #SL_SEED+NSEED
        BNE DoSeed
        ; puffs
        LDX #PUFFS
        LDB #SL_PUFF
DoPuff  LDA ,X
        BNE DoPuffOn
        JSR HideSprite
        BRA DoPuffNext
DoPuffOn
        PSHS B
        NEGA
        ADDA #32
        LSRA
        LSRA
        LSRA                    ; 0-3: growing, full, fading
        ADDA #SP_PUFF
        LDB #S_PUFF
        STD SprCode
        CLR SprForm
        LDD 1,X
        JSR PlaceAt
        PULS B
        JSR SetSprite
DoPuffNext
        LEAX 4,X
        INCB
        CMPB #SL_PUFF+NPUFF
        BNE DoPuff
        ; the visitor, 32 columns wide from its column byte (the mole, 16
        ; wide, in their middle), on Ronku's row (the tall ones around it)
        LDB #SL_VISITOR
        LDA VISITOR
        BNE DoVisitorOn
        JMP HideSprite
DoVisitorOn
        LDA VISITOR+4
        LSLA
        LSLA
        LDU #VisitorForms
        LEAU A,U
        LDD ,U                  ; code, colour set
        STD SprCode
        LDA VISITOR+3
        ANDA #2                 ; going left: columns reversed
        ORA 2,U
        STA SprForm
        LDA VISITOR+1
        ADDA 3,U
        STA SprCol
        LDB VISITOR+2
        CLRA
        ADDD #56
        STD SprV
        LDA Frame
        ANDA #16
        BEQ DoVisit
        LDA VISITOR+4
        BNE DoHop
        LDA #SP_CROW2           ; the crow's wings down
        STA SprCode
        BRA DoVisit
DoHop   CMPA #1
        BNE DoVisit
        LDD SprV                ; the toad in the air
        SUBD #4
        STD SprV
DoVisit LDA SprForm
        BITA #4
        BEQ DoVisitSet
        LDD SprV                ; 32 rows high: 8 above Ronku's and 8 below
        SUBD #8
        STD SprV
DoVisitSet
        LDB #SL_VISITOR
        JMP SetSprite

; A = picture column, B = picture row - 16: SprCol and SprV
PlaceAt ADDA #17
        STA SprCol
        CLRA
        ADDD #56
        STD SprV
        RTS

; Ronku's code and form by the way it faces: up, right, down, left
FacingForms
        FCB SP_RONKU_UP,0, SP_RONKU,0, SP_RONKU_UP,1, SP_RONKU,2

; The visitors' code, colour set, form and column offset: the crow, the
; toad, the mole
VisitorForms
        FCB SP_CROW,S_CROW,8,0, SP_TOAD,S_TOAD,12,0, SP_MOLE,S_MOLE,4,8

; The demonstration's pilot: to the nearest seed along the longer way, and
; a pebble every 20 frames the way Ronku faces.
Pilot   CLR InDir
        CLR ShotPress
        CLR ShotHeld
        LDA Phase
        CMPA #PH_PLAY
        BNE PiEnd
        LDX #SEEDS
PiFind  TST ,X
        BNE PiAim
        LEAX 4,X
        CMPX #SEEDS+NSEED*4
        BNE PiFind
        BRA PiFire
PiAim   LDA 1,X
        SUBA PlayerX
        BCC PiDx
        NEGA
PiDx    STA Tmp
        LDA 2,X
        SUBA PlayerY
        BCC PiDy
        NEGA
PiDy    CMPA Tmp
        BHI PiVert
        LDA #2
        LDB 1,X
        CMPB PlayerX
        BHS PiSet
        LDA #8
        BRA PiSet
PiVert  LDA #4
        LDB 2,X
        CMPB PlayerY
        BHS PiSet
        LDA #1
PiSet   STA InDir
PiFire  INC PilotWait
        LDA PilotWait
        CMPA #20
        BLO PiEnd
        CLR PilotWait
        LDA #1
        STA ShotPress
PiEnd   RTS

; ---------------------------------------------------------------------------
; Texts: column, row, attribute, characters, 0; a column of $FF ends a list.

BootText
        FCB 8,2,C_YELLOW
        FCC "RONKU CHECK"
        FCB 0
        FCB 1,6,C_WHITE
        FCC "ROM"
        FCB 0
        FCB 1,8,C_WHITE
        FCC "I/O 1"
        FCB 0
        FCB 1,10,C_WHITE
        FCC "I/O 2"
        FCB 0
        FCB 1,12,C_WHITE
        FCC "SOUND"
        FCB 0
        FCB $FF
CreditText
        FCB 16,35,C_WHITE
        FCC "CREDIT"
        FCB 0
        FCB $FF
TxtOk   FCC "OK "
TxtBad  FCC "BAD"

; The three scores end in columns 7, 15 and 23: the last four columns of the
; top rows stay free, so nothing of ours stands over the frame-rate figure
; that the host may draw at the right end of row 2.
HudText FCB 1,0,C_ORANGE
        FCC "1UP"
        FCB 0
        FCB 8,0,C_ORANGE
        FCC "HI-SCORE"
        FCB 0
        FCB 20,0,C_ORANGE
        FCC "2UP"
        FCB 0
        FCB 16,35,C_WHITE
        FCC "CREDIT"
        FCB 0
        FCB $FF
TxtRound
        FCB 7,34,C_WHITE
        FCC "ROUND "
        FCB 0
TxtSeeds
        FCB 17,34,C_GREEN
        FCC "SEEDS "
        FCB 0

TitleText
        FCB 5,11,C_YELLOW
        FCC "GATHER THE SEEDS"
        FCB 0
        FCB 4,13,C_CYAN
        FCC "AND MIND THE MITES"
        FCB 0
        FCB 5,18,C_WHITE
        FCC "SEED            50"
        FCB 0
        FCB 5,20,C_WHITE
        FCC "MITE           100"
        FCB 0
        FCB 5,22,C_WHITE
        FCC "CROW TOAD MOLE 500"
        FCB 0
        FCB 3,30,C_MAGENTA
        FCC "ONE OR TWO PLAYERS"
        FCB 0
        FCB $FF
TxtInsert
        FCB 8,26,C_TEXT
        FCC "INSERT COIN"
        FCB 0
TxtPush FCB 8,26,C_TEXT
        FCC "PUSH  START"
        FCB 0
TxtBlankLine
        FCB 8,26,C_TEXT
        FCC "           "
        FCB 0

FolkText
        FCB 7,3,C_YELLOW
        FCC "THE GARDEN FOLK"
        FCB 0
        FCB 1,5,C_WHITE
        FCC "RONKU"
        FCB 0
        FCB 1,11,C_WHITE
        FCC "MOLE"
        FCB 0
        FCB 1,17,C_WHITE
        FCC "CROW"
        FCB 0
        FCB 1,23,C_WHITE
        FCC "TOAD"
        FCB 0
        FCB $FF

CreditScreen
        FCB 4,14,C_YELLOW
        FCC "ONE PLAYER   1 CREDIT"
        FCB 0
        FCB 4,17,C_YELLOW
        FCC "TWO PLAYERS  2 CREDITS"
        FCB 0
        FCB $FF

TxtPlayer1
        FCB 10,12,C_CYAN
        FCC "PLAYER 1"
        FCB 0
TxtPlayer2
        FCB 10,12,C_CYAN
        FCC "PLAYER 2"
        FCB 0
TxtDemo FCB 10,12,C_CYAN
        FCC "  DEMO  "
        FCB 0
TxtReady
        FCB 11,14,C_YELLOW
        FCC "READY!"
        FCB 0
TxtGameOver
        FCB 9,14,C_ORANGE
        FCC "GAME  OVER"
        FCB 0

        ORG $FFEF
        FCB 0                   ; makes the ROM's 8-bit sum 0
        FDB Reset,Reset,Reset,Reset,Reset,Reset,Reset,Reset
