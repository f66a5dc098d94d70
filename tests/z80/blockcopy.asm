; Block moves: copies a message to 0x8000 with LDIR, slides it up four bytes
; in place with LDDR, fills 0x8100-0x81FF with 0xA5 by the overlapping-LDIR
; trick, and finds the first 'Z' of the message with CPIR, storing its
; address at 0x8200 and the count left in BC at 0x8202.
        org 0
start:  ld sp, 0xF000
        ld hl, message
        ld de, 0x8000
        ld bc, length
        ldir

        ld hl, 0x8000 + length - 1
        ld de, 0x8000 + length - 1 + 4
        ld bc, length
        lddr

        ld hl, 0x8100
        ld (hl), 0xA5
        ld de, 0x8101
        ld bc, 255
        ldir

        ld hl, message
        ld bc, length
        ld a, 'Z'
        cpir
        dec hl
        ld (0x8200), hl
        ld (0x8202), bc
        halt

message: db "THE QUICK BROWN FOX JUMPS OVER A LAZY DOG"
length  equ $ - message
