// Reference results and flags for the Z80 tests, computed from the flag rules
// with plain unsigned arithmetic and explicit bit tests, independently of the
// interpreter's table builder.
#pragma once

#include <cstdint>

namespace ref {

constexpr uint8_t S = 0x80, Z = 0x40, H = 0x10, V = 0x04, N = 0x02, C = 0x01;

struct Result {
    unsigned r; // 8 or 16 bits
    uint8_t f;
};

inline uint8_t Szp(unsigned v) {
    v &= 0xFF;
    int ones = 0;
    for (int b = 0; b < 8; b++)
        ones += (v >> b) & 1;
    uint8_t f = 0;
    if (v & 0x80) f |= S;
    if (v == 0) f |= Z;
    if (ones % 2 == 0) f |= V;
    return f;
}

// x + y + carry and x - y - borrow on words of the given width (8 or 16
// bits): H is the carry or borrow out of the low 4 bits of the top byte.
inline Result AddWidth(unsigned x, unsigned y, unsigned carry, unsigned bits) {
    unsigned mask = (1u << bits) - 1, sign = 1u << (bits - 1), half = mask >> 4;
    unsigned sum = x + y + carry;
    unsigned r = sum & mask;
    uint8_t f = 0;
    if (r & sign) f |= S;
    if (r == 0) f |= Z;
    if ((x & half) + (y & half) + carry > half) f |= H;
    if ((x ^ r) & (y ^ r) & sign) f |= V; // both operands differ in sign from the result
    if (sum > mask) f |= C;
    return {r, f};
}

inline Result SubWidth(unsigned x, unsigned y, unsigned borrow, unsigned bits) {
    unsigned mask = (1u << bits) - 1, sign = 1u << (bits - 1), half = mask >> 4;
    unsigned r = (x - y - borrow) & mask;
    uint8_t f = N;
    if (r & sign) f |= S;
    if (r == 0) f |= Z;
    if ((x & half) < (y & half) + borrow) f |= H;
    if ((x ^ y) & (x ^ r) & sign) f |= V; // operands of unlike sign, result unlike x
    if (x < y + borrow) f |= C;
    return {r, f};
}

inline Result Add(unsigned x, unsigned y, unsigned carry) {
    return AddWidth(x, y, carry, 8);
}
inline Result Sub(unsigned x, unsigned y, unsigned borrow) {
    return SubWidth(x, y, borrow, 8);
}
// As ADC HL and SBC HL flag them.
inline Result Add16(unsigned x, unsigned y, unsigned carry) {
    return AddWidth(x, y, carry, 16);
}
inline Result Sub16(unsigned x, unsigned y, unsigned borrow) {
    return SubWidth(x, y, borrow, 16);
}

// Decimal adjust of a after an operation that left the flags h, n and c.
inline Result Daa(unsigned a, bool h, bool n, bool c) {
    unsigned low = a & 0x0F;
    unsigned r = a;
    bool half = h, carry = c;
    if (!n) {
        if ((h && low < 4) || low > 9) {
            r = a + 6;
            if (r >= 0x100) carry = true;
            half = true;
        }
        unsigned high = r & 0xF0;
        if ((carry && high < 0x40) || high > 0x90) {
            r += 0x60;
            carry = true;
        }
    } else {
        if ((h && low > 5) || low > 9) {
            r = a - 6; // may wrap below zero; only the low byte counts
            half = true;
        }
        unsigned high = r & 0xF0;
        if ((carry && high > 0x50) || high > 0x90) {
            r -= 0x60;
            carry = true;
        }
    }
    r &= 0xFF;
    uint8_t f = Szp(r);
    if (half) f |= H;
    if (n) f |= N;
    if (carry) f |= C;
    return {r, f};
}

// One place left or right with the given bit fed in; C is the bit shifted out.
inline Result ShiftLeft(unsigned x, unsigned bit) {
    unsigned r = ((x << 1) | bit) & 0xFF;
    return {r, uint8_t(Szp(r) | ((x & 0x80) ? C : 0))};
}

inline Result ShiftRight(unsigned x, unsigned bit) {
    unsigned r = (x >> 1) | (bit ? 0x80 : 0);
    return {r, uint8_t(Szp(r) | ((x & 0x01) ? C : 0))};
}

} // namespace ref
