; A fixed instruction mix for the interpreter benchmark: immediate, direct,
; extended and indexed loads, ALU with flags, 16-bit arithmetic, a counted
; inner loop, a subroutine call, stack and register transfers and some
; stores. It loops forever and never waits, so every pass runs one
; instruction in every context.
        ORG     $1000
start   LDS     #$8000
        LDU     #$7000
        LDX     #$2000
        LDY     #$2100
loop    LDA     1,X
        ADDA    <$10
        STA     2,Y
        LDD     #$1234
        ADDD    #$0101
        SUBD    <$12
        STD     <$14
        LDB     #5
inner   LDA     ,X+
        EORA    #$55
        ROLA
        ANDA    #$3F
        CMPA    #$20
        BCS     low
        INC     <$16
low     DECB
        BNE     inner
        LEAX    -5,X
        BSR     helper
        TFR     X,D
        PSHS    A,B
        PULS    A,B
        LDA     $2010
        BITA    #$04
        BEQ     clear
        INCA
clear   CMPX    #$2000
        BNE     start
        LBRA    loop
helper  LDA     ,Y
        LSRA
        ADCA    #3
        DAA
        RTS
