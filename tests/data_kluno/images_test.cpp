// The embedded KLUNO images: sizes as the manifest says, the fixed bytes the
// host's high-score traps rely on, the vectors and program sums, and the
// instruction card's game colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "boards/kluno/game_data.h"
#include "boards/kluno/machine.h"
#include "cpu/m6809/m6809.h"
#include "data/kluno/kluno_data.h"
#include "tests/common/manifest.h"

namespace {

// The embedded image of a member of the board's game data.
ImageSpan Embedded(boards::Image kluno::GameData::*member) {
    return boards::ImageOf(KlunoData(), kluno::ImageSlots, member);
}

// CPU 1's byte at a ROM address (0x8000-0xFFFF).
uint8_t Rom1(uint16_t address) {
    return Embedded(&kluno::GameData::cpu1Program)[address - 0x8000];
}

TEST(KlunoImages, EveryImageHasItsManifestSizeAndIsTheOneBuiltHere) {
    std::vector<manifest::Entry> entries = manifest::Read(KLUNO_MANIFEST);
    ASSERT_EQ(entries.size(), KlunoData().size());
    const bool own = std::string(USER_IMAGES).empty();
    for (size_t i = 0; i < entries.size(); ++i) {
        ImageSpan image = KlunoData()[i];
        EXPECT_EQ(entries[i].file, kluno::ImageSlots[i].name);
        EXPECT_EQ(image.size(), entries[i].size) << entries[i].file;
        if (!own) continue;
        std::vector<uint8_t> file =
            manifest::ReadBytes(std::filesystem::path(KLUNO_OWN_IMAGES) / entries[i].file);
        ASSERT_EQ(file.size(), image.size()) << entries[i].file;
        EXPECT_EQ(std::memcmp(file.data(), image.data(), file.size()), 0) << entries[i].file;
    }
}

TEST(KlunoImages, HighScorePlacesHoldWhatTheTrapsReplace) {
    if (!std::string(USER_IMAGES).empty()) GTEST_SKIP() << "built with the user's own images";
    // 0x9BF0: CLR $4053, RTS.
    const uint8_t save[] = {0x7F, 0x40, 0x53, 0x39};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Rom1(uint16_t(0x9BF0 + i)), save[i]) << i;
    // 0xC00E: LDU #$C0FF starts the copy loops; the last one's BNE ends at
    // 0xC02B, so 0xC02C starts an instruction of its own.
    EXPECT_EQ(Rom1(0xC00E), 0xCE);
    EXPECT_EQ(Rom1(0xC00F), 0xC0);
    EXPECT_EQ(Rom1(0xC010), 0xFF);
    EXPECT_EQ(Rom1(0xC02A), 0x26);
    EXPECT_EQ(uint16_t(0xC02C + int8_t(Rom1(0xC02B))), 0xC025);
    // The defaults: top score 10,000, five rows of 28 characters and 4 zeros.
    EXPECT_EQ(Rom1(0xC0FF), 0x00);
    EXPECT_EQ(Rom1(0xC100), 0x01);
    EXPECT_EQ(Rom1(0xC101), 0x00);
    EXPECT_EQ(Rom1(0xC102), 0x00);
    for (int row = 0; row < 5; ++row) {
        uint16_t at = uint16_t(0xC103 + 32 * row);
        EXPECT_EQ(Rom1(uint16_t(at + 1)), '1' + row) << row;
        for (int i = 28; i < 32; ++i)
            EXPECT_EQ(Rom1(uint16_t(at + i)), 0) << row;
    }
}

// The copy loops run on the interpreter over a plain RAM map: they write the
// two default areas and nothing else, and leave 0xC02C to go on.
TEST(KlunoImages, DefaultCopyLoopsWriteOnlyTheScoreAreas) {
    static M6809Context cpu;
    static uint8_t ram[0x8000];
    std::memset(ram, 0xAA, sizeof ram);
    const ImageSpan cpu1 = Embedded(&kluno::GameData::cpu1Program);
    std::vector<uint8_t> rom(cpu1.begin(), cpu1.end());
    M6809BuildFlagTables();
    M6809InitPageTables(&cpu);
    for (int page = 0; page < 0x80; ++page)
        cpu.pages[page] = {ram + page * 256, RamWrite};
    for (int page = 0x80; page < 0x100; ++page)
        cpu.pages[page] = {rom.data() + (page - 0x80) * 256, NullWrite};
    M6809Reset(&cpu);
    cpu.PC = 0xC00E;
    for (int i = 0; i < 2000 && cpu.PC != 0xC02C; ++i)
        M6809RunOne(&cpu, 1);
    ASSERT_EQ(cpu.PC, 0xC02C);
    for (int a = 0; a < 0x8000; ++a) {
        bool top = a >= 0x1831 && a < 0x1835, table = a >= 0x2400 && a < 0x24A0;
        uint8_t expected = top     ? rom[0xC0FF - 0x8000 + a - 0x1831]
                           : table ? rom[0xC103 - 0x8000 + a - 0x2400]
                                   : 0xAA;
        ASSERT_EQ(ram[a], expected) << std::hex << a;
    }
}

TEST(KlunoImages, VectorsPointIntoTheProgramsAndTheSumsAreZero) {
    if (!std::string(USER_IMAGES).empty()) GTEST_SKIP() << "built with the user's own images";
    for (ImageSpan rom : {Embedded(&kluno::GameData::cpu1Program), Embedded(&kluno::GameData::cpu2Program)}) {
        unsigned sum = 0;
        for (uint8_t b : rom)
            sum += b;
        EXPECT_EQ(sum & 0xFF, 0u);
        uint16_t reset = uint16_t(rom[rom.size() - 2] << 8 | rom[rom.size() - 1]);
        EXPECT_GE(reset, 0x10000 - rom.size());
    }
    // The board's trap patches keep CPU 1's sum.
    const ImageSpan cpu1 = Embedded(&kluno::GameData::cpu1Program);
    std::copy(cpu1.begin(), cpu1.end(), kluno::Cpu1Rom + (sizeof kluno::Cpu1Rom - cpu1.size()));
    kluno::PatchHighScoreTraps();
    unsigned sum = 0;
    for (size_t i = sizeof kluno::Cpu1Rom - cpu1.size(); i < sizeof kluno::Cpu1Rom; ++i)
        sum += kluno::Cpu1Rom[i];
    EXPECT_EQ(sum & 0xFF, 0u);
    EXPECT_EQ(kluno::Cpu1Rom[kluno::SaveTrap - 0x8000 + 1], 0xBE);
    EXPECT_EQ(kluno::Cpu1Rom[kluno::LoadTrap - 0x8000 + 1], 0x8D);
}

// The card: 164 x 268, 8 bits, entry 0 black, entries 0x60-0x8F the game's
// colours from the colour PROM the program carries.
TEST(KlunoImages, InstructionCardTakesItsGameColoursFromTheColourProm) {
    std::vector<uint8_t> bmp = manifest::ReadBytes(std::filesystem::path(KLUNO_ART_DIR) / "INSTCARD.bmp");
    ASSERT_GT(bmp.size(), 54u + 1024u);
    auto u32 = [&](size_t at) {
        return uint32_t(bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16 | bmp[at + 3] << 24);
    };
    EXPECT_EQ(u32(18), 164u);
    EXPECT_EQ(u32(22), 268u);
    EXPECT_EQ(bmp[28], 8);
    const uint8_t* table = &bmp[54];
    EXPECT_EQ(table[0] | table[1] | table[2], 0);
    ImageSpan prom = Embedded(&kluno::GameData::colours);
    for (int pen = 0x60; pen < 0x90; ++pen) {
        uint8_t v = prom[pen < 0x70 ? pen - 0x50 : pen - 0x70];
        const uint8_t* e = table + 4 * pen;
        EXPECT_EQ(e[2], (v & 7) * 255 / 7) << pen;
        EXPECT_EQ(e[1], ((v >> 3) & 7) * 255 / 7) << pen;
        EXPECT_EQ(e[0], (v >> 6) * 255 / 3) << pen;
    }
}

} // namespace
