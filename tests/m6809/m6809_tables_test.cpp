// Every entry of every lookup table against the rules computed another way:
// flags from the carry and sign bits of full-width results rather than from
// nibble sums and signed ranges, and decimal adjust checked against real BCD
// sums.
#include <gtest/gtest.h>

#include "cpu/m6809/m6809.h"
#include "cpu/m6809/m6809_tables.h"

namespace {

constexpr unsigned kH = M6809FlagH, kN = M6809FlagN, kZ = M6809FlagZ, kV = M6809FlagV, kC = M6809FlagC;

class M6809Tables : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { M6809BuildFlagTables(); }
};

unsigned Nz(unsigned r) {
    return (r & 0x80 ? kN : 0) | ((r & 0xFF) == 0 ? kZ : 0);
}

uint16_t Expect(unsigned r, unsigned flags) {
    return uint16_t((r & 0xFF) | flags << 8);
}

TEST_F(M6809Tables, AddAndSubtract) {
    for (unsigned c = 0; c < 2; c++)
        for (unsigned b = 0; b < 256; b++)
            for (unsigned a = 0; a < 256; a++) {
                unsigned sum = a + b + c;
                unsigned addFlags = Nz(sum) | ((a ^ b ^ sum) & 0x10 ? kH : 0) |
                                    (~(a ^ b) & (a ^ sum) & 0x80 ? kV : 0) | (sum & 0x100 ? kC : 0);
                ASSERT_EQ(M6809AddTable[c << 16 | b << 8 | a], Expect(sum, addFlags))
                    << a << "+" << b << "+" << c;

                unsigned difference = (a - b - c) & 0x1FF;
                unsigned subFlags =
                    Nz(difference) | ((a ^ b) & (a ^ difference) & 0x80 ? kV : 0) | (a < b + c ? kC : 0);
                ASSERT_EQ(M6809SubTable[c << 16 | b << 8 | a], Expect(difference, subFlags))
                    << a << "-" << b << "-" << c;
            }
}

TEST_F(M6809Tables, NegativeAndZero) {
    for (unsigned v = 0; v < 256; v++)
        ASSERT_EQ(M6809NzTable[v], Nz(v)) << v;
}

TEST_F(M6809Tables, ShiftsAndRotates) {
    for (unsigned c = 0; c < 2; c++)
        for (unsigned v = 0; v < 256; v++) {
            unsigned left = (v << 1 | c) & 0xFF;
            unsigned leftFlags = Nz(left) | (v & 0x80 ? kC : 0) | (((v << 1) ^ v) & 0x80 ? kV : 0);
            ASSERT_EQ(M6809RolTable[c << 8 | v], Expect(left, leftFlags)) << v << " carry " << c;
            unsigned right = v >> 1 | c << 7;
            ASSERT_EQ(M6809RorTable[c << 8 | v], Expect(right, Nz(right) | (v & 1 ? kC : 0)))
                << v << " carry " << c;
        }
}

TEST_F(M6809Tables, DecimalAdjustRule) {
    for (unsigned k = 0; k < 4; k++)
        for (unsigned a = 0; a < 256; a++) {
            bool h = k & 2, c = k & 1;
            unsigned correction = (h || (a & 0x0F) > 9 ? 0x06 : 0) | (c || a > 0x99 ? 0x60 : 0);
            unsigned r = a + correction;
            unsigned flags = Nz(r) | (h ? kH : 0) | (c || r > 0xFF ? kC : 0);
            ASSERT_EQ(M6809DaaTable[k << 8 | a], Expect(r, flags)) << "A " << a << " k " << k;
        }
}

// Adding two BCD bytes (with a BCD carry-in) and adjusting gives the BCD
// sum and its decimal carry.
TEST_F(M6809Tables, DecimalAdjustGivesBcdSums) {
    auto bcd = [](unsigned n) { return (n / 10) << 4 | n % 10; };
    for (unsigned carry = 0; carry < 2; carry++)
        for (unsigned x = 0; x < 100; x++)
            for (unsigned y = 0; y < 100; y++) {
                uint16_t add = M6809AddTable[carry << 16 | bcd(y) << 8 | bcd(x)];
                unsigned k = (add >> 8 & kH ? 2 : 0) | (add >> 8 & kC ? 1 : 0);
                uint16_t daa = M6809DaaTable[k << 8 | (add & 0xFF)];
                unsigned total = x + y + carry;
                ASSERT_EQ(daa & 0xFF, bcd(total % 100)) << x << "+" << y << "+" << carry;
                ASSERT_EQ(bool(daa >> 8 & kC), total >= 100) << x << "+" << y << "+" << carry;
            }
}

TEST_F(M6809Tables, OpenBusPageReadsFF) {
    OpenBusPage[7] = 0;
    M6809BuildFlagTables();
    for (unsigned i = 0; i < 256; i++)
        ASSERT_EQ(OpenBusPage[i], 0xFF);
}

} // namespace
