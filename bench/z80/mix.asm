; A fixed instruction mix for the interpreter benchmark: loads, ALU with
; flags, 16-bit arithmetic, jumps and calls, block moves and indexed forms.
; It loops forever and never halts, so every pass runs one instruction in
; every context.
        org 0
start:  ld sp, 0xF000
        ld ix, 0x8000
        ld iy, 0x8100
loop:   ld a, (ix+1)
        add a, b
        ld (iy+2), a
        ld hl, 0x1234
        ld de, 0x0101
        add hl, de
        sbc hl, de
        inc hl
        ld b, 5
inner:  ld a, (hl)
        xor c
        rla
        and 0x3F
        ld c, a
        inc (ix+3)
        djnz inner
        call helper
        ld hl, 0x8000
        ld de, 0x8200
        ld bc, 8
        ldir
        bit 3, a
        jr z, skip
        inc e
skip:   cp 0x10
        jp nc, loop
        push af
        pop af
        ex de, hl
        jp loop
helper: ld a, (hl)
        rrca
        adc a, 3
        daa
        ret
