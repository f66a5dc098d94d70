; SUPER ZARKOLT CPU 1 program: the revised game, with its own enemies,
; stages and title, and without the test mode and the idle replies.
SUPER   EQU 1
        INCLUDE "game.inc"
