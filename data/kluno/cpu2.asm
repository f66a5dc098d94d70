; stub
        INCLUDE "board.inc"
        ORG $E000
Reset   SYNC
        BRA Reset
        ORG $FFEF
        FCB 0
        FDB Reset,Reset,Reset,Reset,Reset,Reset,Reset,Reset
