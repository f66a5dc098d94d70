* Self-checking 6809 program, assembled by the project's assembler and run on
* the interpreter as a test. It goes through every instruction group and every
* addressing mode and compares each result and the flags H N Z V C with what
* the instruction must give.
*
* The end of the program stops at PASS on opcode $01, which the interpreter
* hands to its trap hook. A failed check stops at FAILED the same way, with
* A = the step number and X = the address after the call of the failing check
* (look it up in the listing).
*
* The harness maps $0000-$DFFF as RAM and this program at $E000-$FFFF as ROM.
* Each time the CPU stops on its own (SYNC, CWAI) the harness raises one IRQ.

FH      equ $20
FN      equ $08
FZ      equ $04
FV      equ $02
FC      equ $01
ANY     equ $FF             ; flag byte of a check that looks at the value only

* Variables in the direct page
step    equ $00             ; number of the step being checked
tmp     equ $02             ; word
mask    equ $04             ; word
lmask   equ $06             ; word
flags   equ $08
irqs    equ $09             ; IRQs taken
ram     equ $10             ; scratch bytes $10-$1F
page1   equ $0180           ; scratch bytes outside page 0

sbsnip  equ $0200           ; short-branch snippet, copied to RAM
sbop    equ sbsnip+2        ; its branch opcode
lbsnip  equ $0210           ; long-branch snippet
lbop    equ lbsnip+3

sstack  equ $8000
ustack  equ $7000

        setdp 0
        org $E000
reset   lds #sstack
        ldu #ustack
        clra
        tfr a,dp
        clr irqs
        ldx #snipt
        ldy #sbsnip
        ldb #snipend-snipt
        jsr copy
        ldx #lsnipt
        ldy #lbsnip
        ldb #lsnipend-lsnipt
        jsr copy

* 1. 8-bit loads and stores: N and Z from the value, V cleared, C kept
        lda #1
        sta step
        andcc #$50
        orcc #FV|FC
        lda #$80
        jsr expa
        fcb $80,FN|FC
        andcc #$50
        ldb #0
        tfr b,a
        jsr expa
        fcb 0,FZ
        lda #$5A
        sta ram
        ldb ram
        stb >ram+1
        lda >ram+1
        jsr expa
        fcb $5A,0
        ldx #ram
        lda #$A5
        sta 2,x
        ldb ram+2
        tfr b,a
        jsr expa
        fcb $A5,FN

* 2. 16-bit loads and stores
        lda #2
        sta step
        andcc #$50
        orcc #FC
        ldd #$8000
        jsr expd
        fdb $8000
        fcb FN|FC
        andcc #$50
        ldx #0
        tfr x,d
        jsr expd
        fdb 0
        fcb FZ
        ldy #$1234
        sty tmp
        andcc #$50
        ldu tmp
        tfr u,d
        jsr expd
        fdb $1234
        fcb 0
        ldu #ustack
        ldx #$ABCD
        stx >tmp
        andcc #$50
        ldd tmp
        jsr expd
        fdb $ABCD
        fcb FN
        tfr s,y
        lds #$1357
        sts tmp
        tfr y,s
        ldd tmp
        jsr expd
        fdb $1357
        fcb 0
        ldd #$2468
        std ram
        ldx ram
        stx ram+2
        ldy ram+2
        sty ram+4
        ldu ram+4
        stu ram+6
        ldd ram+6
        jsr expd
        fdb $2468
        fcb 0
        ldu #ustack
        ldx #ram
        ldy 6,x
        tfr y,d
        jsr expd
        fdb $2468
        fcb 0

* 3. 8-bit addition
        lda #3
        sta step
        andcc #$50
        lda #$0F
        adda #$01
        jsr expa
        fcb $10,FH
        andcc #$50
        lda #$7F
        adda #$01
        jsr expa
        fcb $80,FH|FN|FV
        andcc #$50
        lda #$FF
        adda #$01
        jsr expa
        fcb $00,FH|FZ|FC
        andcc #$50
        lda #$80
        adda #$80
        jsr expa
        fcb $00,FZ|FV|FC
        andcc #$50
        orcc #FC
        lda #$10
        adca #$20
        jsr expa
        fcb $31,0
        andcc #$50
        orcc #FC
        ldb #$FE
        adcb #$01
        tfr b,a
        jsr expa
        fcb $00,FH|FZ|FC
        lda #$22
        sta ram
        andcc #$50
        ldb #$11
        addb ram
        tfr b,a
        jsr expa
        fcb $33,0
        andcc #$50
        orcc #FC
        lda #$01
        adca >ram
        jsr expa
        fcb $24,0
        ldx #ram
        andcc #$50
        lda #$E0
        adda ,x
        jsr expa
        fcb $02,FC
        andcc #$50
        orcc #FC
        ldb #$0E
        adcb ,x
        tfr b,a
        jsr expa
        fcb $31,FH

* 4. 8-bit subtraction, comparison and negation
        lda #4
        sta step
        andcc #$50
        orcc #FH
        lda #$10
        suba #$01
        jsr expa
        fcb $0F,0
        andcc #$50
        clra
        suba #$01
        jsr expa
        fcb $FF,FN|FC
        andcc #$50
        lda #$80
        suba #$01
        jsr expa
        fcb $7F,FV
        andcc #$50
        orcc #FC
        lda #$10
        sbca #$0F
        jsr expa
        fcb $00,FZ
        andcc #$50
        orcc #FC
        ldb #$00
        sbcb #$00
        tfr b,a
        jsr expa
        fcb $FF,FN|FC
        andcc #$50
        lda #$05
        cmpa #$05
        jsr expa
        fcb $05,FZ
        andcc #$50
        ldb #$05
        cmpb #$06
        tfr b,a
        jsr expa
        fcb $05,FN|FC
        andcc #$50
        lda #$80
        cmpa #$01
        jsr expa
        fcb $80,FV
        andcc #$50
        lda #$80
        nega
        jsr expa
        fcb $80,FN|FV|FC
        andcc #$50
        clra
        nega
        jsr expa
        fcb $00,FZ
        andcc #$50
        ldb #$01
        negb
        tfr b,a
        jsr expa
        fcb $FF,FN|FC
        lda #$30
        sta ram
        andcc #$50
        lda #$31
        suba ram
        jsr expa
        fcb $01,0
        andcc #$50
        ldb #$30
        cmpb >ram
        tfr b,a
        jsr expa
        fcb $30,FZ
        ldx #ram
        andcc #$50
        orcc #FC
        ldb #$40
        sbcb ,x
        tfr b,a
        jsr expa
        fcb $0F,0
        andcc #$50
        lda #$20
        cmpa 0,x
        jsr expa
        fcb $20,FN|FC
        lda #$01
        sta ram
        andcc #$50
        neg ram
        pshs cc
        lda ram
        puls cc
        jsr expa
        fcb $FF,FN|FC

* 5. 16-bit addition, subtraction and comparison
        lda #5
        sta step
        andcc #$50
        orcc #FH
        ldd #$00FF
        addd #$0001
        jsr expd
        fdb $0100
        fcb FH
        andcc #$50
        ldd #$7FFF
        addd #$0001
        jsr expd
        fdb $8000
        fcb FN|FV
        andcc #$50
        ldd #$FFFF
        addd #$0001
        jsr expd
        fdb $0000
        fcb FZ|FC
        andcc #$50
        ldd #$0000
        subd #$0001
        jsr expd
        fdb $FFFF
        fcb FN|FC
        andcc #$50
        ldd #$8000
        subd #$0001
        jsr expd
        fdb $7FFF
        fcb FV
        andcc #$50
        ldd #$4000
        cmpd #$3000
        jsr expd
        fdb $4000
        fcb 0
        andcc #$50
        ldx #$1200
        cmpx #$1200
        tfr x,d
        jsr expd
        fdb $1200
        fcb FZ
        andcc #$50
        ldx #$1200
        cmpx #$1201
        tfr x,d
        jsr expd
        fdb $1200
        fcb FN|FC
        andcc #$50
        ldy #$8000
        cmpy #$0001
        tfr y,d
        jsr expd
        fdb $8000
        fcb FV
        andcc #$50
        ldu #5
        cmpu #6
        tfr u,d
        jsr expd
        fdb 5
        fcb FN|FC
        ldu #ustack
        andcc #$50
        cmps #sstack
        tfr s,d
        jsr expd
        fdb sstack
        fcb FZ
        ldd #$1234
        std ram
        andcc #$50
        ldd #$1235
        subd ram
        jsr expd
        fdb 1
        fcb 0
        ldx #ram
        andcc #$50
        ldd #$0100
        addd ,x
        jsr expd
        fdb $1334
        fcb 0
        andcc #$50
        ldd #$1234
        cmpd >ram
        jsr expd
        fdb $1234
        fcb FZ
        andcc #$50
        ldy #$1233
        cmpy ram
        tfr y,d
        jsr expd
        fdb $1233
        fcb FN|FC
        andcc #$50
        ldu #$1234
        cmpu [ramptr]
        tfr u,d
        jsr expd
        fdb $1234
        fcb FZ
        ldu #ustack
        andcc #$50
        ldx #ram
        cmpx ramptr
        tfr x,d
        jsr expd
        fdb ram
        fcb FZ
        andcc #$50
        ldd #ustack
        std tmp
        cmps tmp            ; $8000 - $7000 overflows
        jsr expd
        fdb ustack
        fcb FV

* 6. Logic, and ANDCC and ORCC on the whole CC
        lda #6
        sta step
        andcc #$50
        lda #$F0
        orcc #FV|FC
        anda #$3C
        jsr expa
        fcb $30,FC
        andcc #$50
        lda #$0F
        ora #$F0
        jsr expa
        fcb $FF,FN
        andcc #$50
        lda #$FF
        eora #$FF
        jsr expa
        fcb $00,FZ
        andcc #$50
        lda #$80
        bita #$80
        jsr expa
        fcb $80,FN
        andcc #$50
        ldb #$0F
        andb #$F0
        tfr b,a
        jsr expa
        fcb $00,FZ
        andcc #$50
        ldb #$01
        orb #$80
        eorb #$01
        tfr b,a
        jsr expa
        fcb $80,FN
        andcc #$50
        ldb #$FE
        bitb #$01
        tfr b,a
        jsr expa
        fcb $FE,FZ
        lda #$0F
        sta ram
        andcc #$50
        lda #$FF
        anda ram
        jsr expa
        fcb $0F,0
        ldx #ram
        andcc #$50
        lda #$80
        ora ,x
        jsr expa
        fcb $8F,FN
        andcc #$50
        ldb #$0F
        eorb >ram
        tfr b,a
        jsr expa
        fcb $00,FZ
        andcc #$50
        ldb #$F0
        bitb ram
        tfr b,a
        jsr expa
        fcb $F0,FZ
        andcc #$50
        lda #$01
        bita 0,x
        jsr expa
        fcb $01,0
        andcc #$00
        tfr cc,a
        jsr expa
        fcb $00,0
        orcc #$FF
        tfr cc,a
        jsr expa
        fcb $FF,$2F
        andcc #$50

* 7. Clear, complement, increment, decrement and test
        lda #7
        sta step
        andcc #$50
        lda #$55
        orcc #FN|FV|FC
        clra
        jsr expa
        fcb 0,FZ
        andcc #$50
        lda #$55
        coma
        jsr expa
        fcb $AA,FN|FC
        andcc #$50
        lda #$7F
        inca
        jsr expa
        fcb $80,FN|FV
        andcc #$50
        lda #$FF
        orcc #FC
        inca
        jsr expa
        fcb $00,FZ|FC
        andcc #$50
        lda #$80
        deca
        jsr expa
        fcb $7F,FV
        andcc #$50
        lda #$00
        orcc #FC
        deca
        jsr expa
        fcb $FF,FN|FC
        andcc #$50
        lda #$80
        orcc #FV|FC
        tsta
        jsr expa
        fcb $80,FN|FC
        andcc #$50
        ldb #$33
        orcc #$0F
        clrb
        tfr b,a
        jsr expa
        fcb 0,FZ
        andcc #$50
        ldb #$0F
        comb
        tfr b,a
        jsr expa
        fcb $F0,FN|FC
        andcc #$50
        ldb #$01
        incb
        decb
        decb
        tfr b,a
        jsr expa
        fcb $00,FZ
        andcc #$50
        ldb #$81
        orcc #FV
        tstb
        tfr b,a
        jsr expa
        fcb $81,FN
        lda #$7F
        sta ram
        andcc #$50
        inc ram
        pshs cc
        lda ram
        puls cc
        jsr expa
        fcb $80,FN|FV
        andcc #$50
        dec >ram
        pshs cc
        lda ram
        puls cc
        jsr expa
        fcb $7F,FV
        ldx #ram
        andcc #$50
        com ,x
        pshs cc
        lda ,x
        puls cc
        jsr expa
        fcb $80,FN|FC
        andcc #$50
        orcc #FV
        tst ,x
        pshs cc
        lda ,x
        puls cc
        jsr expa
        fcb $80,FN
        andcc #$50
        orcc #FN|FV|FC
        clr ram
        pshs cc
        lda ram
        puls cc
        jsr expa
        fcb 0,FZ
        andcc #$50
        orcc #FC
        dec 0,x
        pshs cc
        lda ram
        puls cc
        jsr expa
        fcb $FF,FN|FC
        andcc #$50
        inc >ram
        pshs cc
        lda ram
        puls cc
        jsr expa
        fcb $00,FZ
        andcc #$50
        orcc #FC
        tst >ram
        pshs cc
        lda ram
        puls cc
        jsr expa
        fcb $00,FZ|FC
        lda #$01
        sta ram
        andcc #$50
        com ram
        neg >ram
        pshs cc
        lda ram
        puls cc
        jsr expa
        fcb $02,FC
        lda #$44
        sta ram
        clr >ram
        ldb #$44
        clr ,x
        orb ram
        tfr b,a
        jsr expa
        fcb $44,ANY

* 8. Shifts and rotates
        lda #8
        sta step
        andcc #$50
        lda #$C1
        orcc #FH
        asla
        jsr expa
        fcb $82,FN|FC
        andcc #$50
        lda #$40
        asla
        jsr expa
        fcb $80,FN|FV
        andcc #$50
        lda #$81
        orcc #FH|FV
        asra
        jsr expa
        fcb $C0,FN|FV|FC
        andcc #$50
        lda #$01
        orcc #FN|FH
        lsra
        jsr expa
        fcb $00,FH|FZ|FC
        andcc #$50
        lda #$80
        orcc #FV
        lsra
        jsr expa
        fcb $40,FV
        andcc #$50
        lda #$40
        orcc #FC|FH
        rola
        jsr expa
        fcb $81,FH|FN|FV
        andcc #$50
        lda #$01
        orcc #FC|FV
        rora
        jsr expa
        fcb $80,FN|FV|FC
        andcc #$50
        lda #$81
        lsla
        jsr expa
        fcb $02,FV|FC
        andcc #$50
        ldb #$81
        aslb
        tfr b,a
        jsr expa
        fcb $02,FV|FC
        andcc #$50
        ldb #$80
        asrb
        tfr b,a
        jsr expa
        fcb $C0,FN
        andcc #$50
        ldb #$02
        lsrb
        tfr b,a
        jsr expa
        fcb $01,0
        andcc #$50
        ldb #$80
        rolb
        tfr b,a
        jsr expa
        fcb $00,FZ|FV|FC
        andcc #$50
        ldb #$02
        rorb
        tfr b,a
        jsr expa
        fcb $01,0
        andcc #$50
        ldb #$40
        lslb
        tfr b,a
        jsr expa
        fcb $80,FN|FV
        lda #$81
        sta ram
        andcc #$50
        asr ram
        pshs cc
        lda ram
        puls cc
        jsr expa
        fcb $C0,FN|FC
        andcc #$50
        lsr >ram
        pshs cc
        lda ram
        puls cc
        jsr expa
        fcb $60,0
        ldx #ram
        andcc #$50
        orcc #FC
        rol ,x
        pshs cc
        lda ,x
        puls cc
        jsr expa
        fcb $C1,FN|FV
        andcc #$50
        ror ,x
        pshs cc
        lda ,x
        puls cc
        jsr expa
        fcb $60,FC
        andcc #$50
        asl ,x
        pshs cc
        lda ,x
        puls cc
        jsr expa
        fcb $C0,FN|FV
        andcc #$50
        lsl ram
        pshs cc
        lda ram
        puls cc
        jsr expa
        fcb $80,FN|FC

* 9. DAA, MUL, SEX and ABX
        lda #9
        sta step
        andcc #$50
        lda #$19
        adda #$28
        daa
        jsr expa
        fcb $47,FH
        andcc #$50
        lda #$99
        adda #$01
        daa
        jsr expa
        fcb $00,FZ|FC
        andcc #$50
        lda #$91
        adda #$91
        daa
        jsr expa
        fcb $82,FN|FC
        andcc #$50
        lda #$80
        ldb #$02
        mul
        jsr expd
        fdb $0100
        fcb 0
        andcc #$50
        lda #$01
        ldb #$81
        orcc #FN|FV
        mul
        jsr expd
        fdb $0081
        fcb FN|FV|FC
        lda #$FF
        ldb #$FF
        andcc #$50
        mul
        jsr expd
        fdb $FE01
        fcb 0
        andcc #$50
        clra
        ldb #$55
        mul
        jsr expd
        fdb 0
        fcb FZ
        andcc #$50
        ldb #$F0
        sex
        jsr expd
        fdb $FFF0
        fcb FN
        andcc #$50
        lda #$FF
        ldb #$05
        orcc #FV|FC
        sex
        jsr expd
        fdb $0005
        fcb FV|FC
        andcc #$50
        lda #$12
        ldb #$00
        sex
        jsr expd
        fdb $0000
        fcb FZ
        ldx #$10F0
        ldb #$FF
        andcc #$50
        orcc #FN|FC
        abx
        tfr x,d
        jsr expd
        fdb $11EF
        fcb FN|FC

* 10. Load effective address
        lda #10
        sta step
        ldx #1
        andcc #$50
        leax -1,x
        tfr x,d
        jsr expd
        fdb 0
        fcb FZ
        ldx #0
        andcc #$50
        orcc #FZ|FN|FC
        leax 1,x
        tfr x,d
        jsr expd
        fdb 1
        fcb FN|FC
        ldy #0
        andcc #$50
        leay 0,y
        tfr y,d
        jsr expd
        fdb 0
        fcb FZ
        ldy #$1000
        andcc #$50
        leay -1,y
        tfr y,d
        jsr expd
        fdb $0FFF
        fcb 0
        andcc #$50
        orcc #FZ|FC
        leas -4,s
        leas 4,s
        leau 3,u
        leau -3,u
        tfr cc,a
        jsr expa
        fcb $55,FZ|FC
        tfr s,d
        jsr expd
        fdb sstack
        fcb ANY
        tfr u,d
        jsr expd
        fdb ustack
        fcb ANY
        ldx #$2000
        leax ,x+
        tfr x,d
        jsr expd
        fdb $2000
        fcb ANY
        leay ,x++
        tfr y,d
        jsr expd
        fdb $2000
        fcb ANY
        tfr x,d
        jsr expd
        fdb $2002
        fcb ANY
        leax [ptrs]
        tfr x,d
        jsr expd
        fdb tbl+10
        fcb ANY

* 11. Branches: each flag pattern gives the conditions that hold, as a mask
* with BRA in bit 15 down to BLE in bit 0 (the long forms from LBRN in bit 14)
        lda #11
        sta step
        ldb #0
        jsr brmasks
        jsr expd
        fdb $AAAA
        fcb ANY
        ldd lmask
        jsr expd
        fdb $2AAA
        fcb ANY
        ldb #FC
        jsr brmasks
        jsr expd
        fdb $96AA
        fcb ANY
        ldd lmask
        jsr expd
        fdb $16AA
        fcb ANY
        ldb #FZ
        jsr brmasks
        jsr expd
        fdb $99A9
        fcb ANY
        ldd lmask
        jsr expd
        fdb $19A9
        fcb ANY
        ldb #FV
        jsr brmasks
        jsr expd
        fdb $AA65
        fcb ANY
        ldd lmask
        jsr expd
        fdb $2A65
        fcb ANY
        ldb #FN
        jsr brmasks
        jsr expd
        fdb $AA95
        fcb ANY
        ldd lmask
        jsr expd
        fdb $2A95
        fcb ANY
        ldb #FN|FV
        jsr brmasks
        jsr expd
        fdb $AA5A
        fcb ANY
        ldd lmask
        jsr expd
        fdb $2A5A
        fcb ANY
        ldb #FN|FZ|FV|FC
        jsr brmasks
        jsr expd
        fdb $9559
        fcb ANY
        ldd lmask
        jsr expd
        fdb $1559
        fcb ANY
        lbra farfwd
        fill $01,300
farfwd  bra nearfwd
        fcb $01
farback bra backok
nearfwd lbra farback
        fcb $01
backok  clra
        ldb #10
sumloop pshs b
        adda ,s+
        decb
        bne sumloop
        jsr expa
        fcb 55,ANY
        clra
        ldb #3
lloop   inca
        decb
        lbne lloop
        jsr expa
        fcb 3,ANY

* 12. Subroutines and jumps
        lda #12
        sta step
        bra subs
incx    leax 1,x
        rts
retaddr ldd ,s
        rts
subs    ldx #0
        bsr incx
        lbsr incx
        jsr incx
        jsr [incvec]
        ldy #incx
        jsr ,y
        jsr >incx
        tfr x,d
        jsr expd
        fdb 6
        fcb ANY
        bsr retaddr
retpt   jsr expd
        fdb retpt
        fcb ANY
        lbsr retaddr
lretpt  jsr expd
        fdb lretpt
        fcb ANY
        jmp jmp1
        fcb $01
jmp1    ldx #jmp2
        jmp ,x
        fcb $01
jmp2    jmp [jmpvec]
        fcb $01
jmp3    ldx #jmp4
        jmp 2,x
        fcb $01
jmp4    fcb $01,$01
        lda #$5C
        jsr expa
        fcb $5C,ANY

* 13. Stacks
        lda #13
        sta step
        lda #$11
        ldb #$22
        ldx #$3333
        ldy #$4444
        pshs cc,a,b,dp,x,y,u
        clra
        clrb
        ldx #0
        ldy #0
        ldu #0
        puls cc,a,b,dp,x,y,u
        jsr expd
        fdb $1122
        fcb ANY
        tfr x,d
        jsr expd
        fdb $3333
        fcb ANY
        tfr y,d
        jsr expd
        fdb $4444
        fcb ANY
        tfr u,d
        jsr expd
        fdb ustack
        fcb ANY
        tfr s,d
        jsr expd
        fdb sstack
        fcb ANY
        ldx #$A1B2
        pshs x
        lda ,s
        ldb 1,s
        leas 2,s
        jsr expd
        fdb $A1B2
        fcb ANY
        lda #$C3
        ldb #$D4
        pshs b,a
        ldd ,s++
        jsr expd
        fdb $C3D4
        fcb ANY
        pshs pc
pcpt    puls d
        jsr expd
        fdb pcpt
        fcb ANY
        ldx #pulspt
        pshs x
        puls pc
        fcb $01
pulspt  ldd #$5566
        pshu d,s
        pulu x,y
        tfr x,d
        jsr expd
        fdb $5566
        fcb ANY
        tfr y,d
        jsr expd
        fdb sstack
        fcb ANY
        tfr u,d
        jsr expd
        fdb ustack
        fcb ANY
        andcc #$50
        orcc #$50|FC
        pshs cc
        andcc #$50
        puls cc
        tfr cc,a
        jsr expa
        fcb $51,FC
        ldd #$7788
        pshu a,b,x,y,dp,cc
        ldd #0
        pulu cc,dp,y,x,b,a
        jsr expd
        fdb $7788
        fcb ANY
        tfr u,d
        jsr expd
        fdb ustack
        fcb ANY

* 14. Register transfers and exchanges
        lda #14
        sta step
        ldd #$1234
        tfr d,x
        tfr x,y
        exg a,b
        jsr expd
        fdb $3412
        fcb ANY
        tfr y,d
        jsr expd
        fdb $1234
        fcb ANY
        ldx #$1111
        ldy #$2222
        exg x,y
        tfr x,d
        jsr expd
        fdb $2222
        fcb ANY
        tfr y,d
        jsr expd
        fdb $1111
        fcb ANY
        ldd #$7777
        exg d,u
        jsr expd
        fdb ustack
        fcb ANY
        tfr u,d
        jsr expd
        fdb $7777
        fcb ANY
        ldu #ustack
        tfr s,x
        tfr x,s
        exg s,y
        exg y,s
        tfr s,d
        jsr expd
        fdb sstack
        fcb ANY
        lda #$05
        tfr a,dp
        tfr dp,b
        clra
        tfr a,dp
        tfr b,a
        jsr expa
        fcb $05,ANY
        exg a,a
        exg x,x
        tfr b,b
        jsr expa
        fcb $05,ANY
        andcc #$50
        lda #$0F
        tfr a,cc
        tfr cc,b
        tfr b,a
        jsr expa
        fcb $0F,$0F
        orcc #$50
        andcc #$50
        lda #$03
        exg a,cc
        jsr expa
        fcb $50,FV|FC
        orcc #$50
        andcc #$50
        tfr pc,x
tfrpt   tfr x,d
        jsr expd
        fdb tfrpt
        fcb ANY
        ldx #tfrjmp
        tfr x,pc
        fcb $01
tfrjmp  ldx #exgjmp
        exg x,pc
exgpt   fcb $01
exgjmp  tfr x,d
        jsr expd
        fdb exgpt
        fcb ANY

* 15. Software interrupts and RTI
        lda #15
        sta step
        andcc #$50
        lda #$11
        ldb #$22
        swi
swiret  jsr expd
        fdb $7722
        fcb ANY
        andcc #$00
        ldb #$33
        swi2
        tfr b,a
        jsr expa
        fcb $66,ANY
        tfr cc,a
        anda #$50
        jsr expa
        fcb $00,ANY
        ldx #0
        swi3
        tfr x,d
        jsr expd
        fdb $ABCD
        fcb ANY
        orcc #$50
        ldx #rti1
        pshs x
        lda #FC
        pshs a
        sts tmp
        rti
rti1    tfr cc,a
        jsr expa
        fcb FC,FC
        tfr s,d
        subd tmp
        jsr expd
        fdb 3
        fcb ANY
        ldx #rti2
        pshs x
        ldd #$0102
        pshs u,y,x,dp,b,a
        orcc #$80
        pshs cc
        ldd #0
        sts tmp
        rti
rti2    jsr expd
        fdb $0102
        fcb ANY
        tfr s,d
        subd tmp
        jsr expd
        fdb 12
        fcb ANY
        orcc #$50

* 16. Indexed addressing
        lda #16
        sta step
        ldx #tbl
        lda 5,x
        jsr expa
        fcb 5,ANY
        lda ,x+
        jsr expa
        fcb 0,ANY
        lda ,x++
        jsr expa
        fcb 1,ANY
        lda ,-x
        jsr expa
        fcb 2,ANY
        lda ,--x
        jsr expa
        fcb 0,ANY
        tfr x,d
        jsr expd
        fdb tbl
        fcb ANY
        ldb #3
        lda b,x
        jsr expa
        fcb 3,ANY
        lda #4
        lda a,x
        jsr expa
        fcb 4,ANY
        ldd #6
        lda d,x
        jsr expa
        fcb 6,ANY
        leax 8,x
        lda -1,x
        jsr expa
        fcb 7,ANY
        lda -8,x
        jsr expa
        fcb 0,ANY
        ldb #-2
        lda b,x
        jsr expa
        fcb 6,ANY
        ldx #tbl-100
        lda 100,x
        jsr expa
        fcb 0,ANY
        ldx #tbl+100
        lda -99,x
        jsr expa
        fcb 1,ANY
        ldx #tbl-1000
        lda 1009,x
        jsr expa
        fcb 9,ANY
        lda tbl+9,pcr
        jsr expa
        fcb 9,ANY
        lda >tbl+9,pcr
        jsr expa
        fcb 9,ANY
        lda [ptrs]
        jsr expa
        fcb 10,ANY
        lda [ptrs,pcr]
        jsr expa
        fcb 10,ANY
        ldx #ptrs
        lda [,x]
        jsr expa
        fcb 10,ANY
        lda [2,x]
        jsr expa
        fcb 11,ANY
        lda [,x++]
        jsr expa
        fcb 10,ANY
        lda [,x]
        jsr expa
        fcb 11,ANY
        lda [,--x]
        jsr expa
        fcb 10,ANY
        ldb #4
        lda [b,x]
        jsr expa
        fcb 12,ANY
        lda #2
        lda [a,x]
        jsr expa
        fcb 11,ANY
        ldd #4
        lda [d,x]
        jsr expa
        fcb 12,ANY
        lda [>2,x]
        jsr expa
        fcb 11,ANY
        lda [<4,x]
        jsr expa
        fcb 12,ANY
        ldy #tbl
        lda 13,y
        jsr expa
        fcb 13,ANY
        ldu #tbl
        lda 14,u
        ldu #ustack
        jsr expa
        fcb 14,ANY
        ldd #$0A0B
        pshs d
        lda 1,s
        leas 2,s
        jsr expa
        fcb $0B,ANY
        ldy #ram
        lda #$AA
        sta ,y+
        ldb #$BB
        stb ,y+
        ldd ram
        jsr expd
        fdb $AABB
        fcb ANY
        ldd #$CCDD
        std [ramptr]
        ldx #ram
        ldd ,x
        jsr expd
        fdb $CCDD
        fcb ANY
        ldy [ptrs]
        tfr y,d
        jsr expd
        fdb $0A0B
        fcb ANY
        ldy #ram+4
        ldd #$1357
        std ,--y
        ldd #0
        ldd ,y++
        jsr expd
        fdb $1357
        fcb ANY
        tfr y,d
        jsr expd
        fdb ram+4
        fcb ANY
        lda #$01
        tfr a,dp
        setdp $01
        lda #$42
        sta <$80
        sta page1+1
        clra
        tfr a,dp
        setdp 0
        lda page1
        jsr expa
        fcb $42,ANY
        lda >page1+1
        jsr expa
        fcb $42,ANY

* 17. SYNC and CWAI: the harness raises an IRQ each time the CPU stops
        lda #17
        sta step
        orcc #$50
        sync
        lda irqs
        jsr expa
        fcb 0,ANY
        cwai #$EF
        lda irqs
        jsr expa
        fcb 1,ANY
        orcc #$50

* 18. No operation
        lda #18
        sta step
        andcc #$50
        orcc #FC
        nop
        tfr cc,a
        jsr expa
        fcb $51,FC

pass    fcb $01

* expa and expd check A (or D) and the flags H N Z V C, as the instruction
* before the call left them, against the bytes after the call (a byte or a
* word, then the flags), and return past those bytes. ANY skips the flags.
expa    pshs cc,d,x         ; 0,s CC  1,s A  2,s B  3,s X  5,s return address
        ldx 5,s
        cmpa ,x+
        bne fail
        bra expcc
expd    pshs cc,d,x
        ldx 5,s
        cmpd ,x++
        bne fail
expcc   lda ,x+
        cmpa #ANY
        beq expok
        ldb ,s
        andb #$2F
        pshs b
        cmpa ,s+
        bne fail
expok   stx 5,s
        puls cc,d,x,pc
fail    ldx 5,s
        lda step
failed  fcb $01

* copy: B bytes from X to Y
copy    lda ,x+
        sta ,y+
        decb
        bne copy
        rts

* brmasks: runs every short branch (D := mask) and every long conditional
* branch (lmask := mask) with CC = B, through the snippets in RAM.
brmasks stb flags
        lda #$20
        ldx #sbop
        ldy #sbsnip
        bsr condmask
        std lmask
        ldb flags
        lda #$21
        ldx #lbop
        ldy #lbsnip
        bsr condmask
        pshs d
        ldd lmask
        puls x
        stx lmask
        rts

* condmask: with CC = B, runs the snippet at Y with the opcode byte at X set
* to A, A+1 ... $2F; shifts a 1 into D for each branch taken, a 0 otherwise.
condmask sta ,x
        stb flags
        clr mask
        clr mask+1
cmloop  ldb flags
        jsr ,y
        asl mask+1
        rol mask
        ora mask+1
        sta mask+1
        lda ,x
        inca
        sta ,x
        cmpa #$30
        bne cmloop
        ldd mask
        rts

* The snippets: a taken branch skips "clra rts" and returns A = 1.
snipt   tfr b,cc
        fcb $20,$02
        clra
        rts
        lda #1
        rts
snipend
lsnipt  tfr b,cc
        fcb $10,$21,$00,$02
        clra
        rts
        lda #1
        rts
lsnipend

swih    tfr cc,a
        anda #$D0
        jsr expa
        fcb $D0,ANY
        lda ,s
        anda #$80
        jsr expa
        fcb $80,ANY
        ldd 10,s
        jsr expd
        fdb swiret
        fcb ANY
        lda #$77
        sta 1,s
        rti
swi2h   tfr cc,a
        anda #$D0
        jsr expa
        fcb $80,ANY
        lda #$66
        sta 2,s
        rti
swi3h   tfr cc,a
        anda #$D0
        jsr expa
        fcb $80,ANY
        ldd #$ABCD
        std 4,s
        rti
irqh    lda ,s
        anda #$80
        jsr expa
        fcb $80,ANY
        inc irqs
        rti
badvec  fcb $01

tbl     fcb 0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15
ptrs    fdb tbl+10,tbl+11,tbl+12
ramptr  fdb ram
incvec  fdb incx
jmpvec  fdb jmp3

        org $FFF2
        fdb swi3h           ; SWI3
        fdb swi2h           ; SWI2
        fdb badvec          ; FIRQ
        fdb irqh            ; IRQ
        fdb swih            ; SWI
        fdb badvec          ; NMI
        fdb reset           ; reset
