; ZARKOLT CPU 1 program: the game.
SUPER   EQU 0
        INCLUDE "game.inc"
