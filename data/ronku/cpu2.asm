; RONKU CPU 2 program: the sound.
        INCLUDE "board.inc"
        ORG $E000
Reset   ORCC #$50
        LDS #$0400
Idle    SYNC
        BRA Idle
        ORG $FFEF
        FCB 0                   ; makes the ROM's 8-bit sum 0
        FDB Reset,Reset,Reset,Reset,Reset,Reset,Reset,Reset
