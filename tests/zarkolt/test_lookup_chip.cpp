// The background lookup chip: its tables and CPU 2's queries.
#include "tests/zarkolt/support.h"

namespace zarkolt_test {
namespace {

using namespace zarkolt;

class LookupChipTest : public BoardTest {
  protected:
    uint8_t Query(uint16_t position) {
        Write(Cpu2, 0xF000, uint8_t(position));
        Write(Cpu2, 0xF001, uint8_t(position >> 8));
        return Read(Cpu2, 0xF000);
    }
};

TEST_F(LookupChipTest, QuartersOfAGroupFollowItsFlipCode) {
    images[&GameData::lookupMap][0] = 5;
    // Group 0 takes the low nibble of flag byte 0; groups 2, 4 and 6 (flag
    // bytes 1, 2, 3) carry flip codes 1, 2 and 3 in bits 1-2.
    images[&GameData::lookupMap][2] = 5;
    images[&GameData::lookupMap][4] = 5;
    images[&GameData::lookupMap][6] = 5;
    images[&GameData::lookupFlags][1] = 1 << 1;
    images[&GameData::lookupFlags][2] = 2 << 1;
    images[&GameData::lookupFlags][3] = 3 << 1;
    Build();
    const int exchanged[4] = {0, 2, 1, 3};
    for (int code = 0; code < 4; code++) {
        int flip = exchanged[code];
        for (int quarter = 0; quarter < 4; quarter++) {
            int row = quarter >> 1, col = code * 4 + (quarter & 1);
            int position = row * 256 + col;
            EXPECT_EQ(LookupIndex[position], 20 + (quarter ^ flip)) << code << " " << quarter;
            EXPECT_EQ(LookupFlip[position], flip << 6);
        }
    }
    EXPECT_EQ(LookupIndex[0], 20);
    EXPECT_EQ(LookupIndex[1], 21);
    EXPECT_EQ(LookupIndex[256], 22);
    EXPECT_EQ(LookupIndex[257], 23);
    EXPECT_EQ(LookupIndex[4], 22); // flip code 01 in bits 1-2, exchanged to 2
    EXPECT_EQ(LookupFlip[4], 0x80);
}

TEST_F(LookupChipTest, BankBitAndOddGroups) {
    // Group 130 (rows 2-3, columns 4-5) is even: low nibble of flag byte 65;
    // group 131 (columns 6-7) odd: high nibble.
    images[&GameData::lookupMap][130] = 0x40;
    images[&GameData::lookupMap][131] = 0xFF;
    images[&GameData::lookupFlags][65] = 0x31;
    images[&GameData::lookupMap][0x1FFF] = 0x01;
    Build();
    EXPECT_EQ(LookupIndex[2 * 256 + 4], 0x500);
    EXPECT_EQ(LookupFlip[2 * 256 + 4], 0x00);
    EXPECT_EQ(LookupIndex[3 * 256 + 7], 0x7FC | (3 ^ 2));
    EXPECT_EQ(LookupFlip[3 * 256 + 7], 0x80);
    EXPECT_EQ(LookupIndex[0x7FFF], 0x007);
}

TEST_F(LookupChipTest, QueriesAnswerAttributeAndTile) {
    // Position 0x0305: group 130, quarter 3; flags: bank, flip code 1.
    images[&GameData::lookupMap][130] = 0x40;
    images[&GameData::lookupFlags][65] = 0x03;
    images[&GameData::lookupResultA][0x501] = 0x55; // flips 01 exchanged to 10, cancelling the group's
    images[&GameData::lookupResultB][0x501] = 0x9C;
    images[&GameData::lookupResultA][0x000] = 0x80 | 0x2A;
    images[&GameData::lookupResultB][0x000] = 0x11;
    Build();
    ASSERT_EQ(LookupIndex[0x0305], 0x501);

    EXPECT_EQ(Query(0x0305), 0x15);
    EXPECT_EQ(Read(Cpu2, 0xF001), 0x9C);
    EXPECT_EQ(Query(0x8305), 0x15); // bit 15 is ignored
    EXPECT_EQ(Read(Cpu2, 0xF001), 0x9C);
    EXPECT_EQ(Query(0x0305), 0x15); // the tables do not change with queries

    EXPECT_EQ(Query(0x0000), 0x6A); // flips 10 exchanged to 01
    EXPECT_EQ(Read(Cpu2, 0xF001), 0x11);

    // A second high byte without a new low byte reuses the attribute left in
    // byte 0 as the low byte of the position.
    images[&GameData::lookupResultA][0] = 0x05;
    images[&GameData::lookupResultB][0x501] = 0x77;
    Build();
    Query(0x0000); // leaves 0x05 in byte 0
    EXPECT_EQ(Read(Cpu2, 0xF000), 0x05);
    Write(Cpu2, 0xF001, 0x03);
    EXPECT_EQ(Read(Cpu2, 0xF001), 0x77);
}

TEST_F(LookupChipTest, OtherOffsetsOnlyStoreTheByte) {
    Write(Cpu2, 0xF000, 0x3C);
    EXPECT_EQ(Read(Cpu2, 0xF000), 0x3C);
    EXPECT_EQ(Read(Cpu2, 0xF001), 0x00);
    Write(Cpu2, 0xF0FF, 0x01);
    EXPECT_EQ(Read(Cpu2, 0xF0FF), 0x01);
    EXPECT_EQ(Read(Cpu2, 0xF000), 0x3C);
}

} // namespace
} // namespace zarkolt_test
