; Packed BCD arithmetic with DAA: a four-byte sum and difference (least
; significant byte first) with their carries, and two counters, one stepping
; up by 7 and one down by 3.
;   0x8000: numA + numB (4 bytes), 0x8004: carry
;   0x8008: numA - numB (4 bytes), 0x800C: borrow
;   0x8020: 20 bytes of 7, 14, 21, ... (mod 100), then 20 bytes stepping down by 3
        org 0
start:  ld sp, 0xF000
        ld hl, numA
        ld de, 0x8000
        ld bc, 4
        ldir
        ld hl, numA
        ld de, 0x8008
        ld bc, 4
        ldir

        ld de, 0x8000
        ld hl, numB
        ld b, 4
        call bcdadd
        ld (0x8004), a

        ld de, 0x8008
        ld hl, numB
        ld b, 4
        call bcdsub
        ld (0x800C), a

        ld hl, 0x8020
        xor a
        ld b, 20
up:     add a, 0x07
        daa
        ld (hl), a
        inc hl
        djnz up
        ld b, 20
down:   sub 0x03
        daa
        ld (hl), a
        inc hl
        djnz down
        halt

; (DE) := (DE) + (HL) over B bytes; A := the carry out.
bcdadd: or a
addl:   ld a, (de)
        adc a, (hl)
        daa
        ld (de), a
        inc hl
        inc de
        djnz addl
        ld a, 0
        adc a, 0
        ret

; (DE) := (DE) - (HL) over B bytes; A := the borrow out.
bcdsub: or a
subl:   ld a, (de)
        sbc a, (hl)
        daa
        ld (de), a
        inc hl
        inc de
        djnz subl
        ld a, 0
        adc a, 0
        ret

numA:   db 0x89, 0x67, 0x45, 0x23 ; 23456789
numB:   db 0x11, 0x33, 0x55, 0x77 ; 77553311
