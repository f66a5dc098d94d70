// Short Z80 programs, assembled at build time, run to their HALT on the three
// contexts at once; the RAM they leave is compared with results computed
// here.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/z80/z80_rig.h"

namespace {

std::vector<uint8_t> ReadProgram(const std::string& name) {
    std::ifstream in(std::string(Z80_PROGRAM_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint8_t Bcd(unsigned v) {
    return uint8_t(v / 10 % 10 * 16 + v % 10);
}

using Z80Programs = Z80Rig;

TEST_F(Z80Programs, MultiplyBlockCopyAndBcdRunToTheirResults) {
    const char* names[kCpus] = {"multiply.bin", "blockcopy.bin", "bcd.bin"};
    for (int i = 0; i < kCpus; i++) {
        std::vector<uint8_t> image = ReadProgram(names[i]);
        ASSERT_FALSE(image.empty()) << names[i];
        ASSERT_LT(image.size(), 0x8000u);
        std::copy(image.begin(), image.end(), ram[i]);
        Z80Reset(&cpu[i]);
    }
    int passes = 0;
    while ((cpu[0].running || cpu[1].running || cpu[2].running) && passes < 100000) {
        Run(100, kCpus);
        passes += 100;
    }
    for (int i = 0; i < kCpus; i++)
        ASSERT_EQ(cpu[i].running, 0u) << names[i] << " did not halt";
    EXPECT_TRUE(traps.empty());

    // multiply: the products of the pair table, low byte first
    const unsigned pairs[][2] = {{0, 0},   {1, 255}, {255, 255}, {12, 34}, {200, 3},
                                 {17, 15}, {128, 2}, {99, 99},   {255, 1}, {16, 16}};
    for (size_t k = 0; k < std::size(pairs); k++) {
        unsigned product = pairs[k][0] * pairs[k][1];
        EXPECT_EQ(ram[0][0x8000 + 2 * k], product & 0xFF) << k;
        EXPECT_EQ(ram[0][0x8001 + 2 * k], product >> 8) << k;
    }
    EXPECT_EQ(cpu[0].SP, 0xF000);

    // block copy: the message slid up four bytes over its first copy
    const std::string message = "THE QUICK BROWN FOX JUMPS OVER A LAZY DOG";
    for (size_t k = 0; k < 4; k++)
        EXPECT_EQ(ram[1][0x8000 + k], message[k]) << k;
    for (size_t k = 0; k < message.size(); k++)
        EXPECT_EQ(ram[1][0x8004 + k], message[k]) << k;
    EXPECT_EQ(ram[1][0x8004 + message.size()], 0);
    for (int k = 0x8100; k < 0x8200; k++)
        EXPECT_EQ(ram[1][k], 0xA5) << k;
    EXPECT_EQ(ram[1][0x80FF], 0);
    size_t z = message.find('Z');
    size_t messageAt = size_t(std::search(ram[1], ram[1] + 0x8000, message.begin(), message.end()) - ram[1]);
    ASSERT_LT(messageAt, 0x8000u);
    EXPECT_EQ(ram[1][0x8200] | ram[1][0x8201] << 8, messageAt + z);
    EXPECT_EQ(ram[1][0x8202] | ram[1][0x8203] << 8, message.size() - z - 1);

    // BCD: 23456789 + 77553311 and 23456789 - 77553311, with carry and borrow
    unsigned a = 23456789, b = 77553311;
    unsigned sum = (a + b) % 100000000, diff = (a + 100000000 - b) % 100000000;
    for (int k = 0; k < 4; k++) {
        unsigned scale = 1;
        for (int j = 0; j < k; j++)
            scale *= 100;
        EXPECT_EQ(ram[2][0x8000 + k], Bcd(sum / scale % 100)) << k;
        EXPECT_EQ(ram[2][0x8008 + k], Bcd(diff / scale % 100)) << k;
    }
    EXPECT_EQ(ram[2][0x8004], a + b >= 100000000 ? 1 : 0);
    EXPECT_EQ(ram[2][0x800C], a < b ? 1 : 0);
    unsigned v = 0;
    for (int k = 0; k < 20; k++) {
        v = (v + 7) % 100;
        EXPECT_EQ(ram[2][0x8020 + k], Bcd(v)) << k;
    }
    for (int k = 0; k < 20; k++) {
        v = (v + 100 - 3) % 100;
        EXPECT_EQ(ram[2][0x8034 + k], Bcd(v)) << k;
    }
}

} // namespace
