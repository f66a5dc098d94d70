; Multiplies each pair of bytes in a table with a shift-and-add routine and
; stores the 16-bit products, low byte first, from 0x8000 on.
results equ 0x8000

        org 0
start:  ld sp, 0xF000
        ld ix, pairs
        ld iy, results
        ld b, count
next:   push bc
        ld h, (ix+0)
        ld e, (ix+1)
        call mul8
        ld (iy+0), l
        ld (iy+1), h
        inc ix
        inc ix
        inc iy
        inc iy
        pop bc
        djnz next
        halt

; HL := H * E, unsigned, one multiplier bit per step from the top.
mul8:   ld d, 0
        ld l, d
        ld b, 8
mloop:  add hl, hl
        jr nc, mskip
        add hl, de
mskip:  djnz mloop
        ret

pairs:  db 0, 0, 1, 255, 255, 255, 12, 34, 200, 3, 17, 15, 128, 2, 99, 99, 255, 1, 16, 16
count   equ ($ - pairs) / 2
