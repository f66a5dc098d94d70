; ZARKOLT CPU 2 program: the background builder.
SUPER   EQU 0
        INCLUDE "background.inc"
