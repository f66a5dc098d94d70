// The result-and-flag lookup tables, entry by entry, against the reference
// computations, and the open-bus page.
#include <gtest/gtest.h>

#include "cpu/z80/z80.h"
#include "cpu/z80/z80_tables.h"
#include "tests/z80/z80_reference.h"

namespace {

class Z80Tables : public ::testing::Test {
  protected:
    void SetUp() override {
        static const bool built = (Z80BuildFlagTables(), true);
        (void)built;
    }
};

uint16_t Entry(const ref::Result& e) {
    return uint16_t(e.r | e.f << 8);
}

TEST_F(Z80Tables, AddAndSubTablesHoldEverySumAndDifference) {
    int wrong = 0;
    for (unsigned carry = 0; carry < 2; carry++)
        for (unsigned x = 0; x < 256; x++)
            for (unsigned y = 0; y < 256; y++) {
                uint16_t add = AddTable[carry * 65536 + x * 256 + y];
                uint16_t sub = SubTable[carry * 65536 + y * 256 + x];
                if (add != Entry(ref::Add(x, y, carry)) && wrong++ < 10)
                    ADD_FAILURE() << "AddTable carry " << carry << " x " << x << " y " << y << ": "
                                  << std::hex << add;
                if (sub != Entry(ref::Sub(x, y, carry)) && wrong++ < 10)
                    ADD_FAILURE() << "SubTable borrow " << carry << " x " << x << " y " << y << ": "
                                  << std::hex << sub;
                if (((add | sub) >> 8) & 0x28) wrong++;
            }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Z80Tables, ArithmeticEdgeCases) {
    // carry 1, 0x7F + 0x00: 0x80 with S, H, V; C clear
    EXPECT_EQ(AddTable[65536 + 0x7F * 256 + 0x00], 0x80 | (ref::S | ref::H | ref::V) << 8);
    // borrow 0, 0x00 - 0x01: 0xFF with S, H, N, C
    EXPECT_EQ(SubTable[0x01 * 256 + 0x00], 0xFF | (ref::S | ref::H | ref::N | ref::C) << 8);
    // 0x80 - 0x01 overflows
    EXPECT_TRUE((SubTable[0x01 * 256 + 0x80] >> 8) & ref::V);
    EXPECT_EQ(SubTable[0x01 * 256 + 0x80] & 0xFF, 0x7F);
    // x - x: zero with Z and N only
    for (int x = 0; x < 256; x++)
        ASSERT_EQ(SubTable[x * 256 + x], (ref::Z | ref::N) << 8) << x;
    // both argument orders of the sum agree
    for (int x = 0; x < 256; x++)
        for (int y = 0; y < 256; y++)
            ASSERT_EQ(AddTable[x * 256 + y], AddTable[y * 256 + x]);
}

TEST_F(Z80Tables, SzpTable) {
    EXPECT_EQ(SzpTable[0x00], 0x44);
    EXPECT_EQ(SzpTable[0x80], 0x80);
    EXPECT_EQ(SzpTable[0x03], 0x04);
    EXPECT_EQ(SzpTable[0x01], 0x00);
    EXPECT_EQ(SzpTable[0xFF], 0x84);
    for (unsigned v = 0; v < 256; v++)
        ASSERT_EQ(SzpTable[v], ref::Szp(v)) << v;
}

TEST_F(Z80Tables, DaaTable) {
    for (unsigned k = 0; k < 8; k++)
        for (unsigned a = 0; a < 256; a++)
            ASSERT_EQ(DaaTable[k * 256 + a], Entry(ref::Daa(a, k & 4, k & 2, k & 1)))
                << "k " << k << " A " << a;

    // 0x9A after an addition: 0x00 with Z, H, P, C
    EXPECT_EQ(DaaTable[0x9A], (ref::Z | ref::H | ref::V | ref::C) << 8);
    // 0xFA: the low adjust passes 0xFF (C), the high adjust then gives 0x60
    EXPECT_EQ(DaaTable[0xFA] & 0xFF, 0x60);
    EXPECT_TRUE((DaaTable[0xFA] >> 8) & ref::C);
    // 0x45 with H: no adjustment, H kept
    EXPECT_EQ(DaaTable[4 * 256 + 0x45], 0x45 | (ref::H | ref::Szp(0x45)) << 8);
    // N and an incoming C always survive
    for (unsigned k = 0; k < 8; k++)
        for (unsigned a = 0; a < 256; a++) {
            uint8_t f = uint8_t(DaaTable[k * 256 + a] >> 8);
            ASSERT_EQ(bool(f & ref::N), bool(k & 2));
            if (k & 1) { ASSERT_TRUE(f & ref::C); }
        }
    // Every BCD sum and difference of two BCD bytes comes out right.
    for (unsigned x = 0; x < 100; x++)
        for (unsigned y = 0; y < 100; y++) {
            unsigned bx = x / 10 * 16 + x % 10, by = y / 10 * 16 + y % 10;
            ref::Result sum = ref::Add(bx, by, 0);
            unsigned k = ((sum.f & ref::H) ? 4 : 0) | ((sum.f & ref::C) ? 1 : 0);
            uint16_t d = DaaTable[k * 256 + sum.r];
            unsigned want = (x + y) % 100;
            ASSERT_EQ(d & 0xFF, want / 10 * 16 + want % 10) << x << "+" << y;
            ASSERT_EQ(bool((d >> 8) & ref::C), x + y >= 100) << x << "+" << y;
            ref::Result diff = ref::Sub(bx, by, 0);
            k = ((diff.f & ref::H) ? 4 : 0) | 2 | ((diff.f & ref::C) ? 1 : 0);
            d = DaaTable[k * 256 + diff.r];
            want = (x + 100 - y) % 100;
            ASSERT_EQ(d & 0xFF, want / 10 * 16 + want % 10) << x << "-" << y;
            ASSERT_EQ(bool((d >> 8) & ref::C), x < y) << x << "-" << y;
        }
}

TEST_F(Z80Tables, ShiftTables) {
    for (unsigned bit = 0; bit < 2; bit++)
        for (unsigned x = 0; x < 256; x++) {
            ASSERT_EQ(ShiftLeftTable[bit * 256 + x], Entry(ref::ShiftLeft(x, bit))) << bit << " " << x;
            ASSERT_EQ(ShiftRightTable[bit * 256 + x], Entry(ref::ShiftRight(x, bit))) << bit << " " << x;
        }
    // 0x80 left with 1 fed in: 0x01, C set, P clear
    EXPECT_EQ(ShiftLeftTable[256 + 0x80], 0x01 | ref::C << 8);
    // 0x01 right with 0 fed in: 0x00 with Z, P, C
    EXPECT_EQ(ShiftRightTable[0x01], (ref::Z | ref::V | ref::C) << 8);
}

TEST_F(Z80Tables, OpenBusPageIsAllOnes) {
    for (int i = 0; i < 256; i++)
        ASSERT_EQ(OpenBusPage[i], 0xFF) << i;
}

} // namespace
