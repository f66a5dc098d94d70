; stub
        INCLUDE "board.inc"
        ORG $8000
Reset   SYNC
        BRA Reset
        ORG $FFEF
        FCB 0
        FDB Reset,Reset,Reset,Reset,Reset,Reset,Reset,Reset
