; ZARKOLT sound program (CPU 3, both editions).
;
; CPU 3 sleeps in HALT and wakes on the two NMIs of every frame. Each tick it
; runs the tune sequencer (melody on voice 0, bass on voice 1) and the sound
; effects (voice 2, and voice 1 over the bass while an effect B plays), then
; writes the three voices' waveform, frequency and volume registers.
; Requests come from CPU 1 through SND_MUSIC, SND_FX_A, SND_FX_B, SND_TEST.

        INCLUDE "board.inc"

; CPU 3 private RAM
VARS            EQU 7A00h
Ready           EQU VARS+00h    ; non-zero once the state below is set up
TunePlaying     EQU VARS+01h
V0Freq          EQU VARS+04h    ; 3 bytes, 20-bit playback value
V0Vol           EQU VARS+07h
V0Wave          EQU VARS+08h
V1Freq          EQU VARS+0Ah    ; 2 bytes
V1Vol           EQU VARS+0Ch
V1Wave          EQU VARS+0Dh
V2Freq          EQU VARS+0Eh
V2Vol           EQU VARS+10h
V2Wave          EQU VARS+11h
; a track: pointer, start (for looping), ticks left, volume, decay counter
TRK_PTR         EQU 0
TRK_LOOP        EQU 2
TRK_LEFT        EQU 4
TRK_VOL         EQU 5
TRK_DECAY       EQU 6
TRK_SIZE        EQU 8
Melody          EQU VARS+20h
Bass            EQU VARS+28h
; an effect: ticks left, frequency (2), step (2), volume, decay period, counter, wave
FX_LEFT         EQU 0
FX_FREQ         EQU 1
FX_STEP         EQU 3
FX_VOL          EQU 5
FX_PERIOD       EQU 6
FX_COUNT        EQU 7
FX_WAVE         EQU 8
FX_SIZE         EQU 10
EffectA         EQU VARS+30h
EffectB         EQU VARS+40h
STACK_TOP       EQU 7B00h

        ORG 0000h
        di
        ld sp, STACK_TOP
        jp Init

        ORG 0066h
Nmi:    push af
        push bc
        push de
        push hl
        push ix
        ld a, (Ready)
        or a
        call nz, Tick
        pop ix
        pop hl
        pop de
        pop bc
        pop af
        retn

Init:   xor a
        ld (Ready), a
        ld hl, VARS             ; clear the private RAM
        ld de, VARS+1
        ld (hl), a
        ld bc, 7Fh
        ldir
        call Silence
        ld a, 0FFh
        ld (TunePlaying), a     ; forces the first request to be taken
        ld a, 1
        ld (Ready), a
Sleep:  halt                    ; every NMI returns here
        jr Sleep

; All voice registers to 0.
Silence:
        ld hl, VOICE_REGS
        ld b, 32
_clear: ld (hl), 0
        inc hl
        djnz _clear
        ret

; ---- One tick: requests, sequencer, effects, registers ---------------------
Tick:   ld a, (SND_TEST)
        or a
        jp nz, TestTone
        ld a, (SND_MUSIC)
        ld hl, TunePlaying
        cp (hl)
        call nz, StartTune
        ld a, (SND_FX_A)
        or a
        jr z, _noA
        ld ix, EffectA
        call StartEffect
        xor a
        ld (SND_FX_A), a
_noA:   ld a, (SND_FX_B)
        or a
        jr z, _noB
        ld ix, EffectB
        call StartEffect
        xor a
        ld (SND_FX_B), a
_noB:
        ; voice 0: melody
        ld ix, Melody
        call StepTrack          ; A = note or 0FFh for rest, C = volume
        ld a, c
        ld (V0Vol), a
        ld a, b
        cp 0FFh
        jr z, _v0done
        ld l, a                 ; note -> 20-bit value
        ld h, 0
        ld e, l
        ld d, h
        add hl, hl
        add hl, de
        ld de, NoteV0
        add hl, de
        ld de, V0Freq
        ld bc, 3
        ldir
_v0done:
        ld a, 5                 ; organ
        ld (V0Wave), a
        ; voice 1: bass, unless effect B plays
        ld ix, Bass
        call StepTrack
        ld a, (EffectB+FX_LEFT)
        or a
        jr nz, _v1effect
        ld a, c
        ld (V1Vol), a
        ld a, 1                 ; triangle
        ld (V1Wave), a
        ld a, b
        cp 0FFh
        jr z, _v2
        call Note12
        ld (V1Freq), hl
        jr _v2
_v1effect:
        ld ix, EffectB
        call StepEffect
        ld (V1Freq), hl
        ld (V1Vol), a
        ld a, c
        ld (V1Wave), a
_v2:    ld a, (EffectA+FX_LEFT)
        or a
        jr z, _v2quiet
        ld ix, EffectA
        call StepEffect
        ld (V2Freq), hl
        ld (V2Vol), a
        ld a, c
        ld (V2Wave), a
        jr Output
_v2quiet:
        xor a
        ld (V2Vol), a
        ; fall through

; Write the three voices to the chip.
Output: ld hl, VOICE_REGS+05h
        ld a, (V0Wave)
        ld (hl), a
        ld hl, VOICE_REGS+10h   ; voice 0 frequency, five nibbles, lowest first
        ld de, V0Freq
        ld b, 3
        ld a, (de)
        call Nibbles2
        inc de
        ld a, (de)
        call Nibbles2
        inc de
        ld a, (de)
        ld (hl), a              ; 20th bit nibble
        inc hl
        ld a, (V0Vol)
        ld (hl), a              ; 15h
        ld hl, VOICE_REGS+0Ah
        ld a, (V1Wave)
        ld (hl), a
        ld hl, VOICE_REGS+16h
        ld de, V1Freq
        call Freq16
        ld a, (V1Vol)
        ld (hl), a              ; 1Ah
        ld hl, VOICE_REGS+0Fh
        ld a, (V2Wave)
        ld (hl), a
        ld hl, VOICE_REGS+1Bh
        ld de, V2Freq
        call Freq16
        ld a, (V2Vol)
        ld (hl), a              ; 1Fh
        ret

; Two bytes at DE to four nibble registers at HL (HL moves past them).
Freq16: ld a, (de)
        call Nibbles2
        inc de
        ld a, (de)
        ; fall through
; A's low and high nibble to (HL), (HL+1).
Nibbles2:
        ld c, a
        and 0Fh
        ld (hl), a
        inc hl
        ld a, c
        rrca
        rrca
        rrca
        rrca
        and 0Fh
        ld (hl), a
        inc hl
        ret

; 16-bit value of note A for voices 1 and 2, in HL.
Note12: ld l, a
        ld h, 0
        add hl, hl
        ld de, NoteV12
        add hl, de
        ld a, (hl)
        inc hl
        ld h, (hl)
        ld l, a
        ret

; Test tone: voice SND_TEST-1 plays A4 at full volume, the others are quiet.
TestTone:
        ld b, a
        xor a
        ld (V0Vol), a
        ld (V1Vol), a
        ld (V2Vol), a
        ld (EffectA+FX_LEFT), a
        ld (EffectB+FX_LEFT), a
        ld a, 0FFh
        ld (TunePlaying), a
        ld a, 0
        ld (V0Wave), a
        ld (V1Wave), a
        ld (V2Wave), a
        ld a, b
        dec a
        jr nz, _not0
        ld hl, NoteV0+3*N_A4
        ld de, V0Freq
        ld bc, 3
        ldir
        ld a, 15
        ld (V0Vol), a
        jp Output
_not0:  dec a
        jr nz, _not1
        ld a, N_A4
        call Note12
        ld (V1Freq), hl
        ld a, 15
        ld (V1Vol), a
        jp Output
_not1:  ld a, N_A4
        call Note12
        ld (V2Freq), hl
        ld a, 15
        ld (V2Vol), a
        jp Output

; ---- Tunes ---------------------------------------------------------------
; A track is a list of note, length (ticks) pairs; note T_REST is silence,
; T_END stops the track, T_LOOP goes back to the track's start.
T_REST            EQU 0FEh
T_END             EQU 0FFh
T_LOOP            EQU 0FDh

; A = tune number: both tracks start.
StartTune:
        ld (TunePlaying), a
        add a, a
        add a, a
        ld l, a
        ld h, 0
        ld de, TuneTable
        add hl, de
        ld e, (hl)
        inc hl
        ld d, (hl)
        inc hl
        ld ix, Melody
        call _set
        ld e, (hl)
        inc hl
        ld d, (hl)
        ld ix, Bass
_set:   ld (ix+TRK_PTR), e
        ld (ix+TRK_PTR+1), d
        ld (ix+TRK_LOOP), e
        ld (ix+TRK_LOOP+1), d
        ld (ix+TRK_LEFT), 1
        ld (ix+TRK_VOL), 0
        ret

; Advances the track at IX by one tick. B := the note sounding (0FFh for
; none), C := its volume (a gentle decay after each note starts).
StepTrack:
        ld b, 0FFh
        ld c, 0
        ld l, (ix+TRK_PTR)
        ld h, (ix+TRK_PTR+1)
        ld a, h
        or l
        ret z                   ; no track
        dec (ix+TRK_LEFT)
        jr nz, _hold
_next:  ld a, (hl)
        cp T_END
        jr nz, _notEnd
        xor a
        ld (ix+TRK_PTR), a
        ld (ix+TRK_PTR+1), a
        ret
_notEnd:
        cp T_LOOP
        jr nz, _note
        ld l, (ix+TRK_LOOP)
        ld h, (ix+TRK_LOOP+1)
        jr _next
_note:  inc hl
        ld a, (hl)
        inc hl
        ld (ix+TRK_LEFT), a
        ld (ix+TRK_PTR), l
        ld (ix+TRK_PTR+1), h
        ld (ix+TRK_VOL), 13
        ld (ix+TRK_DECAY), 0
        dec hl
        dec hl
_hold:  ld a, (ix+TRK_PTR)         ; the note of the current pair
        sub 2
        ld l, a
        ld a, (ix+TRK_PTR+1)
        sbc a, 0
        ld h, a
        ld a, (hl)
        cp T_REST
        ret z
        ld b, a
        inc (ix+TRK_DECAY)
        ld a, (ix+TRK_DECAY)
        and 7
        jr nz, _vol
        ld a, (ix+TRK_VOL)
        cp 7
        jr c, _vol
        dec (ix+TRK_VOL)
_vol:   ld c, (ix+TRK_VOL)
        ret

; ---- Effects -------------------------------------------------------------
; A = effect number: its record is copied to the effect at IX.
StartEffect:
        dec a
        ld l, a
        ld h, 0
        add hl, hl
        add hl, hl
        add hl, hl              ; 8 bytes a record
        ld de, EffectTable
        add hl, de
        push ix
        pop de
        ld a, (hl)              ; ticks
        ld (de), a
        inc hl
        inc de
        ld bc, 7                ; frequency, step, volume, period, wave
        ldir
        ld a, (ix+FX_COUNT)     ; the record's 7th byte is the wave
        ld (ix+FX_WAVE), a
        ld a, (ix+FX_PERIOD)
        ld (ix+FX_COUNT), a
        ret

; Advances the effect at IX: HL := frequency, A := volume, C := wave.
StepEffect:
        dec (ix+FX_LEFT)
        ld l, (ix+FX_FREQ)
        ld h, (ix+FX_FREQ+1)
        ld e, (ix+FX_STEP)
        ld d, (ix+FX_STEP+1)
        add hl, de
        ld (ix+FX_FREQ), l
        ld (ix+FX_FREQ+1), h
        dec (ix+FX_COUNT)
        jr nz, _same
        ld a, (ix+FX_PERIOD)
        ld (ix+FX_COUNT), a
        ld a, (ix+FX_VOL)
        or a
        jr z, _same
        dec (ix+FX_VOL)
_same:  ld a, (ix+FX_LEFT)
        or a
        ld a, (ix+FX_VOL)
        jr nz, _on
        xor a                   ; the last tick is silent
_on:    ld c, (ix+FX_WAVE)
        ret

; Effect records: ticks, start value (16-bit), step per tick (16-bit),
; volume, ticks per volume step, waveform.
EffectTable:
        DEFB 10
        DEFW 1300, -90
        DEFB 12, 2, 3           ; FX_SHOT: a falling pulse
        DEFB 24
        DEFW 500, -14
        DEFB 14, 2, 7           ; FX_HIT: a short rough burst
        DEFB 90
        DEFW 300, -2
        DEFB 15, 6, 7           ; FX_BLAST: a long rumble
        DEFB 16
        DEFW 616, 20
        DEFB 13, 3, 0           ; FX_COIN: a rising chime
        DEFB 60
        DEFW 300, 12
        DEFB 14, 8, 5           ; FX_BONUS: a long rise
        DEFB 30
        DEFW 900, -24
        DEFB 13, 3, 4           ; FX_BOMB: a falling saw
        DEFB 8
        DEFW 700, 0
        DEFB 10, 2, 2           ; FX_ZAP: enemy fire, a short blip
        DEFB 4
        DEFW 900, 0
        DEFB 9, 2, 1            ; FX_TICK: a menu click

TuneTable:
        DEFW 0, 0               ; TUNE_NONE
        DEFW TitleMelody, TitleBass
        DEFW StartMelody, StartBass
        DEFW OverMelody, OverBass
        DEFW NameMelody, NameBass
        DEFW StageMelody, StageBass

; Title: a marching theme in A minor that repeats.
TitleMelody:
        DEFB N_A4, 15, N_C5, 15, N_E5, 15, N_A5, 30, N_G5, 15, N_E5, 15, N_D5, 15
        DEFB N_E5, 45, T_REST, 15, N_C5, 15, N_D5, 15, N_E5, 15, N_G5, 30, N_F5, 15
        DEFB N_E5, 15, N_D5, 15, N_C5, 45, T_REST, 15
        DEFB N_A4, 15, N_C5, 15, N_E5, 15, N_A5, 30, N_B5, 15, N_C6, 15, N_B5, 15
        DEFB N_A5, 30, N_E5, 30, N_G5, 15, N_F5, 15, N_E5, 15, N_D5, 15, N_B4, 30
        DEFB N_A4, 60, T_REST, 60
        DEFB T_LOOP
TitleBass:
        DEFB N_A2, 30, N_A3, 30, N_A2, 30, N_A3, 30, N_C3, 30, N_C4, 30, N_E3, 30
        DEFB N_E4, 30, N_F2, 30, N_F3, 30, N_G2, 30, N_G3, 30
        DEFB N_A2, 30, N_A3, 30, N_A2, 30, N_A3, 30, N_F2, 30, N_F3, 30, N_E2, 30
        DEFB N_E3, 30, N_A2, 60, T_REST, 60
        DEFB T_LOOP

; Start of a game: a rising call.
StartMelody:
        DEFB N_E5, 10, N_A5, 10, N_C6, 10, N_E6, 40, N_D6, 10, N_E6, 60, T_END
StartBass:
        DEFB N_A2, 20, N_E3, 20, N_A3, 80, T_END

; Game over: a falling line.
OverMelody:
        DEFB N_E5, 30, N_D5, 30, N_C5, 30, N_B4, 30, N_A4, 90, T_END
OverBass:
        DEFB N_A3, 60, N_E3, 60, N_A2, 90, T_END

; Name entry: a light loop.
NameMelody:
        DEFB N_C5, 20, N_E5, 20, N_G5, 20, N_E5, 20, N_D5, 20, N_F5, 20, N_A5, 20
        DEFB N_F5, 20, T_LOOP
NameBass:
        DEFB N_C3, 40, N_G3, 40, N_D3, 40, N_A3, 40, T_LOOP

; A new stage: a short fanfare.
StageMelody:
        DEFB N_G5, 10, N_G5, 10, N_G5, 10, N_C6, 50, T_END
StageBass:
        DEFB N_C3, 30, N_G3, 50, T_END

        INCLUDE "notes.inc"
