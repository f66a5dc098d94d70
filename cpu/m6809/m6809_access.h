// Bus and stack access of the 6809 interpreter, shared by the run loop and
// the interrupt entries.
//
// Reads take the byte from the page's memory with no call; writes go through
// the page's handler, one call per byte. 16-bit values are big-endian, the
// second byte at the next address modulo 0x10000 in its own page. Pushes
// decrement the stack pointer before each byte and push the low byte of a
// 16-bit register first; the stack pointer in the context is current before
// every handler call.
#pragma once

#include <cstdint>

#include "cpu/m6809/m6809.h"

#define M6809_INLINE [[gnu::always_inline]] inline

using M6809Register = uint16_t M6809Context::*;

M6809_INLINE uint8_t M6809Read(const M6809Context* c, uint16_t address) {
    return c->pages[address >> 8].memory[address & 0xFF];
}

M6809_INLINE uint16_t M6809Read16(const M6809Context* c, uint16_t address) {
    return uint16_t(M6809Read(c, address) << 8 | M6809Read(c, uint16_t(address + 1)));
}

M6809_INLINE void M6809Write(M6809Context* c, uint16_t address, uint8_t value) {
    const PageEntry& entry = c->pages[address >> 8];
    entry.write(entry.memory, address, value);
}

template <M6809Register SP> M6809_INLINE void M6809Push(M6809Context* c, uint8_t value) {
    c->*SP = uint16_t(c->*SP - 1);
    M6809Write(c, c->*SP, value);
}

template <M6809Register SP> M6809_INLINE void M6809Push16(M6809Context* c, uint16_t value) {
    M6809Push<SP>(c, uint8_t(value));
    M6809Push<SP>(c, uint8_t(value >> 8));
}

template <M6809Register SP> M6809_INLINE uint8_t M6809Pull(M6809Context* c) {
    uint8_t value = M6809Read(c, c->*SP);
    c->*SP = uint16_t(c->*SP + 1);
    return value;
}

template <M6809Register SP> M6809_INLINE uint16_t M6809Pull16(M6809Context* c) {
    uint8_t high = M6809Pull<SP>(c);
    return uint16_t(high << 8 | M6809Pull<SP>(c));
}

// Pushes the registers that mask names on the stack SP, from bit 7 down to
// bit 0: PC (the context's), the other stack pointer, Y, X, DP, B, A, CC.
template <M6809Register SP, M6809Register Other> void M6809PushRegisters(M6809Context* c, uint8_t mask) {
    if (mask & 0x80) M6809Push16<SP>(c, c->PC);
    if (mask & 0x40) M6809Push16<SP>(c, c->*Other);
    if (mask & 0x20) M6809Push16<SP>(c, c->Y);
    if (mask & 0x10) M6809Push16<SP>(c, c->X);
    if (mask & 0x08) M6809Push<SP>(c, c->DP);
    if (mask & 0x04) M6809Push<SP>(c, c->B);
    if (mask & 0x02) M6809Push<SP>(c, c->A);
    if (mask & 0x01) M6809Push<SP>(c, c->CC);
}

// Pulls the registers that mask names from the stack SP, from bit 0 up to
// bit 7; returns the pulled PC, or pc when bit 7 is clear.
template <M6809Register SP, M6809Register Other>
uint16_t M6809PullRegisters(M6809Context* c, uint8_t mask, uint16_t pc) {
    if (mask & 0x01) c->CC = M6809Pull<SP>(c);
    if (mask & 0x02) c->A = M6809Pull<SP>(c);
    if (mask & 0x04) c->B = M6809Pull<SP>(c);
    if (mask & 0x08) c->DP = M6809Pull<SP>(c);
    if (mask & 0x10) c->X = M6809Pull16<SP>(c);
    if (mask & 0x20) c->Y = M6809Pull16<SP>(c);
    if (mask & 0x40) c->*Other = M6809Pull16<SP>(c);
    if (mask & 0x80) pc = M6809Pull16<SP>(c);
    return pc;
}

// The whole register set as an interrupt or SWI stacks it on S.
inline void M6809PushEntireState(M6809Context* c) {
    M6809PushRegisters<&M6809Context::S, &M6809Context::U>(c, 0xFF);
}
