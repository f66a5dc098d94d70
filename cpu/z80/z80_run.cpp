// The threaded run loop of the Z80 interpreter.
//
// Z80Run is one function: every handler is a label in it, reached through
// the 256-entry dispatch tables of labels (z80_ops.inc, written by
// z80_gen.py). Each handler ends with its own copy of NEXT, which stores PC,
// moves to the next context (wrapping to the first and counting the pass
// down), bumps R, skips a stopped context and fetches and dispatches the next
// opcode; no call or return separates two instructions.
//
// Only PC lives in a local variable. It is stored before every write-handler
// and trap-hook call and read back after it, so a handler may reset any
// context, its own included, and the change holds from the next visit on.
#include <bit>

#include "cpu/z80/z80.h"
#include "cpu/z80/z80_tables.h"

static_assert(std::endian::native == std::endian::little, "register halves assume a little-endian host");

namespace {
Z80TrapHook trapHook = NullTrapHook;
}

void NullTrapHook(Z80Context*, uint16_t, int) {}

void Z80SetTrapHook(Z80TrapHook hook) {
    trapHook = hook ? hook : NullTrapHook;
}

// High and low halves of a 16-bit register in the context.
#define HI(r) (reinterpret_cast<uint8_t*>(&(r))[1])
#define LO(r) (reinterpret_cast<uint8_t*>(&(r))[0])
#define A HI(c->AF)
#define F LO(c->AF)
#define B HI(c->BC)
#define C LO(c->BC)
#define D HI(c->DE)
#define E LO(c->DE)
#define H HI(c->HL)
#define L LO(c->HL)

// Reads are a table lookup; the address expression must have no side effect.
#define RD(a) (c->pages[uint16_t(a) >> 8].memory[uint16_t(a) & 0xFF])
#define IN_(p) (c->ioPages[uint16_t(p) >> 8].memory[uint16_t(p) & 0xFF])

#define FETCH(dst)                                                                                           \
    do {                                                                                                     \
        (dst) = c->pages[pc >> 8].memory[pc & 0xFF];                                                         \
        pc = (pc + 1) & 0xFFFF;                                                                              \
    } while (0)

#define FETCH16(dst)                                                                                         \
    do {                                                                                                     \
        uint8_t lo_;                                                                                         \
        FETCH(lo_);                                                                                          \
        uint8_t hi_;                                                                                         \
        FETCH(hi_);                                                                                          \
        (dst) = uint16_t(hi_ << 8 | lo_);                                                                    \
    } while (0)

// A write through the page's handler: PC is stored first and read back after,
// because the handler may reset this very context.
#define CALL_HANDLER(table, addr, val)                                                                       \
    do {                                                                                                     \
        uint16_t a_ = uint16_t(addr);                                                                        \
        uint8_t v_ = uint8_t(val);                                                                           \
        PageEntry* e_ = &c->table[a_ >> 8];                                                                  \
        c->PC = pc;                                                                                          \
        e_->write(e_->memory, a_, v_);                                                                       \
        pc = c->PC;                                                                                          \
    } while (0)
#define WR(addr, val) CALL_HANDLER(pages, addr, val)
#define OUT_(port, val) CALL_HANDLER(ioPages, port, val)

// Push: high byte at SP - 1, then low byte at SP - 2, SP stored before each.
#define PUSH(value)                                                                                          \
    do {                                                                                                     \
        uint16_t pv_ = uint16_t(value);                                                                      \
        c->SP = uint16_t(c->SP - 1);                                                                         \
        WR(c->SP, pv_ >> 8);                                                                                 \
        c->SP = uint16_t(c->SP - 1);                                                                         \
        WR(c->SP, pv_ & 0xFF);                                                                               \
    } while (0)

#define POP(dst)                                                                                             \
    do {                                                                                                     \
        uint16_t sp_ = c->SP;                                                                                \
        (dst) = uint16_t(RD(sp_) | RD(uint16_t(sp_ + 1)) << 8);                                              \
        c->SP = uint16_t(sp_ + 2);                                                                           \
    } while (0)

// The step to the next instruction, copied into the end of every handler.
#define NEXT                                                                                                 \
    c->PC = pc;                                                                                              \
    if (++c == end) {                                                                                        \
        c = first;                                                                                           \
        if (--passes == 0) return;                                                                           \
    }                                                                                                        \
    c->R++;                                                                                                  \
    if (!c->running) goto skip;                                                                              \
    pc = c->PC;                                                                                              \
    op = c->pages[pc >> 8].memory[pc & 0xFF];                                                                \
    pc = (pc + 1) & 0xFFFF;                                                                                  \
    goto* mainTable[op]

void Z80Run(int count, Z80Context* first, uint32_t passes) {
    if (passes == 0 || count < 1) return;

#define Z80_DISPATCH_TABLES
#include "cpu/z80/z80_ops.inc"
#undef Z80_DISPATCH_TABLES

    Z80Context* c = first;
    Z80Context* const end = first + count;
    uint32_t pc = 0; // always 0-0xFFFF
    uint8_t op, t, v;
    uint16_t w, ea = 0;
    uint32_t e, l;

    // Enter at the first context of the first pass.
    c->R++;
    if (c->running) {
        pc = c->PC;
        op = c->pages[pc >> 8].memory[pc & 0xFF];
        pc = (pc + 1) & 0xFFFF;
        goto* mainTable[op];
    }

skip: // a stopped context: count R and move on
    if (++c == end) {
        c = first;
        if (--passes == 0) return;
    }
    c->R++;
    if (!c->running) goto skip;
    pc = c->PC;
    op = c->pages[pc >> 8].memory[pc & 0xFF];
    pc = (pc + 1) & 0xFFFF;
    goto* mainTable[op];

trap2 : {
    c->PC = pc;
    trapHook(c, uint16_t(pc - 2), 2);
    pc = c->PC;
}
    NEXT;

trap4 : {
    c->PC = pc;
    trapHook(c, uint16_t(pc - 4), 4);
    pc = c->PC;
}
    NEXT;

#include "cpu/z80/z80_ops.inc"
}
