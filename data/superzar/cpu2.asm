; SUPER ZARKOLT CPU 2 program: the background builder of the revised
; edition, which also shakes the ground when CPU 1 asks (BG_SHAKE).
SUPER   EQU 1
        INCLUDE "background.inc"
