; RONKU CPU 1 program: the game.
        INCLUDE "board.inc"
        ORG $A000
Reset   ORCC #$50
        LDS #$1700
        STA LATCH+L_RELEASE
Idle    SYNC
        BRA Idle
        ORG $FFEF
        FCB 0                   ; makes the ROM's 8-bit sum 0
        FDB Reset,Reset,Reset,Reset,Reset,Reset,Reset,Reset
