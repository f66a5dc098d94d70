// The embedded DOLLIX images: their sizes, the places the host's high-score
// traps replace and what the replaced calls do, the value ranges of the
// colour tables, the instruction card's colours, and the picture block's
// validator on our block and on broken ones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "boards/dollix/game_data.h"
#include "cpu/m6809/m6809.h"
#include "data/dollix/dollix_data.h"
#include "data/dollix/picture_uses.h"
#include "tests/common/manifest.h"

namespace {

// The embedded image of a member of the board's game data.
ImageSpan Embedded(boards::Image dollix::GameData::*member) {
    return boards::ImageOf(DollixData(), dollix::ImageSlots, member);
}

uint8_t MainByte(uint16_t address) {
    return Embedded(&dollix::GameData::mainProgram)[address - 0x8000];
}

TEST(DollixImages, EveryImageHasItsManifestSizeAndIsTheOneBuiltHere) {
    std::vector<manifest::Entry> entries = manifest::Read(DOLLIX_MANIFEST);
    ASSERT_EQ(entries.size(), DollixData().size());
    bool own = std::string(USER_IMAGES).empty();
    for (size_t i = 0; i < entries.size(); ++i) {
        ImageSpan image = DollixData()[i];
        EXPECT_EQ(entries[i].file, dollix::ImageSlots[i].name);
        EXPECT_EQ(image.size(), entries[i].size) << entries[i].file;
        EXPECT_EQ(entries[i].file.rfind("dollix_", 0), 0u) << entries[i].file;
        if (!own) continue;
        std::vector<uint8_t> file =
            manifest::ReadBytes(std::filesystem::path(DOLLIX_OWN_IMAGES) / entries[i].file);
        ASSERT_EQ(file.size(), image.size()) << entries[i].file;
        EXPECT_EQ(std::memcmp(file.data(), image.data(), file.size()), 0) << entries[i].file;
    }
    EXPECT_EQ(Embedded(&dollix::GameData::mainProgram).size(), 32768u);
    EXPECT_EQ(Embedded(&dollix::GameData::soundProgram).size(), 8192u);
    EXPECT_EQ(Embedded(&dollix::GameData::waveform).size(), 256u);
    EXPECT_EQ(Embedded(&dollix::GameData::pictures).size(), 32768u);
}

TEST(DollixImages, TrapSitesHoldTheCallsAndTheClearTheHostReplaces) {
    const uint8_t calls[] = {0xBD, 0xDD, 0x31, 0xBD};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(MainByte(uint16_t(0xC529 + i)), calls[i]) << i;
    EXPECT_EQ(MainByte(0xC52F), 0x7E); // a jump: nothing after the calls reads their registers
    EXPECT_EQ(MainByte(0xEA33), 0x7F);
    EXPECT_EQ(MainByte(0xEA34), 0x68);
    EXPECT_EQ(MainByte(0xEA35), 0x63);
    // The vectors end both images and point into them.
    const ImageSpan programs[] = {Embedded(&dollix::GameData::mainProgram),
                                  Embedded(&dollix::GameData::soundProgram)};
    const uint16_t bases[] = {0x8000, 0xE000};
    for (int p = 0; p < 2; ++p)
        for (int v = 0xFFF2; v <= 0xFFFE; v += 2) {
            size_t at = v - bases[p];
            uint16_t target = uint16_t(programs[p][at] << 8 | programs[p][at + 1]);
            EXPECT_GE(target, bases[p]) << p << " vector " << std::hex << v;
        }
}

// The main CPU alone, all 64 KB RAM with the main program at 0x8000: the two
// calls at 0xC529 run unpatched, as in the screen saver.
uint8_t Memory[0x10000];

TEST(DollixImages, UnpatchedScoreCallsWriteTheDefaultsAndNothingElse) {
    M6809BuildFlagTables();
    std::memset(Memory, 0xA5, sizeof Memory);
    std::memcpy(Memory + 0x8000, Embedded(&dollix::GameData::mainProgram).data(), 0x8000);
    static uint8_t before[0x10000];
    std::memcpy(before, Memory, sizeof Memory);
    M6809Context cpu{};
    M6809InitPageTables(&cpu);
    for (int page = 0; page < 256; ++page)
        cpu.pages[page] = {Memory + page * 256, RamWrite};
    M6809Reset(&cpu);
    cpu.S = 0x7000;
    cpu.PC = 0xC529;
    for (int steps = 0; cpu.PC != 0xC52F && steps < 2000; ++steps)
        M6809RunOne(&cpu, 1);
    ASSERT_EQ(cpu.PC, 0xC52F);
    const uint8_t bests[6] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x00};
    for (unsigned a = 0; a < 0x10000; ++a) {
        if (a >= 0x0849 && a <= 0x084E) {
            ASSERT_EQ(Memory[a], bests[a - 0x0849]) << std::hex << a;
        } else if (a >= 0x09B2 && a <= 0x0A11) {
            ASSERT_EQ(Memory[a], MainByte(uint16_t(0xCED9 + a - 0x09B2))) << std::hex << a;
        } else if (a < 0x6FF0 || a >= 0x7000) {
            ASSERT_EQ(Memory[a], before[a]) << "wrote " << std::hex << a;
        }
    }
    // The default table: ten entries in falling order.
    for (int i = 1; i < 10; ++i)
        EXPECT_LE(std::memcmp(&Memory[0x09B2 + 8 * i], &Memory[0x09B2 + 8 * (i - 1)], 3), 0) << i;
}

TEST(DollixImages, ColourTablesStayInTheirRanges) {
    const ImageSpan lookup = Embedded(&dollix::GameData::colorLookupProm);
    const ImageSpan spriteColours = Embedded(&dollix::GameData::spriteColorProm);

    for (uint8_t v : lookup) {
        EXPECT_GE(v, 1);
        EXPECT_LE(v, 84);
    }
    for (ImageSpan prom : {Embedded(&dollix::GameData::tileColorProm), Embedded(&dollix::GameData::waveform)})
        for (uint8_t v : prom)
            EXPECT_LE(v, 15);
    // Pen 0 of every sprite colour is see-through (the lookup's colour 1).
    for (int c = 0; c < 64; ++c)
        EXPECT_EQ(lookup[spriteColours[4 * c]], 1) << c;
}

TEST(DollixImages, InstructionCardCarriesTheEmbeddedColours) {
    std::vector<uint8_t> card = manifest::ReadBytes(std::filesystem::path(DOLLIX_ART_DIR) / "INSTCARD.bmp");
    ASSERT_GT(card.size(), 54u + 1024u);
    auto word = [&](size_t at) {
        return uint32_t(card[at] | card[at + 1] << 8 | card[at + 2] << 16 | card[at + 3] << 24);
    };
    EXPECT_EQ(word(18), 100u);
    EXPECT_EQ(word(22), 176u);
    EXPECT_EQ(card[28], 8);
    const ImageSpan colours = Embedded(&dollix::GameData::colorTable);
    for (int k = 0; k < 84; ++k) {
        const uint8_t* entry = &card[54 + 4 * (112 + k)];
        EXPECT_EQ(entry[2], colours[3 * k]) << k;
        EXPECT_EQ(entry[1], colours[3 * k + 1]) << k;
        EXPECT_EQ(entry[0], colours[3 * k + 2]) << k;
    }
    size_t bits = word(10);
    EXPECT_EQ(card[bits], 1); // the bottom-left corner: the background
}

// The validator, run through the packer tool as the build runs it.
std::string Validate(const std::vector<uint8_t>& block) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "dollix_pictures_test";
    std::filesystem::create_directories(dir);
    std::ofstream((dir / "block.bin").string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(block.data()), std::streamsize(block.size()));
    std::string log = (dir / "log.txt").string();
    std::string command =
        std::string(DATAPACK) + " dollix-check-pictures " + (dir / "block.bin").string() + " 2> " + log;
    int status = std::system(command.c_str());
    std::ifstream in(log);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove_all(dir);
    return status == 0 ? "" : text.empty() ? "refused" : text;
}

// A small block the validator takes: every picture 1 x 1 but the first,
// 17 x 2 with a 16-run, a clear run across the row end and a 16-run.
std::vector<uint8_t> SmallBlock() {
    std::vector<uint8_t> block(dollix_pictures::BlockSize, 0xFF);
    std::fill(block.begin() + dollix_pictures::FirstPicture, block.begin() + dollix_pictures::PictureEnd, 0);
    for (const auto& use : dollix_pictures::AllUses()) {
        block[use.source] = 1;
        block[use.source + 1] = 1;
        block[use.source + 2] = 0x11;
    }
    const uint8_t first[] = {17, 2, 0x10, 0x02, 0x10};
    std::copy(std::begin(first), std::end(first), block.begin() + 2088);
    return block;
}

TEST(DollixImages, PictureValidatorTakesOurBlockAndRefusesBrokenOnes) {
    EXPECT_EQ(Validate(std::vector<uint8_t>(Embedded(&dollix::GameData::pictures).begin(),
                                            Embedded(&dollix::GameData::pictures).end())),
              "");
    EXPECT_EQ(Validate(SmallBlock()), "");
    struct Case {
        const char* what;
        void (*breakIt)(std::vector<uint8_t>&);
        const char* message;
    };
    const Case cases[] = {
        {"a width of 0", [](std::vector<uint8_t>& b) { b[4602] = 0; }, "width 0"},
        {"a height of 0", [](std::vector<uint8_t>& b) { b[4602 + 1] = 0; }, "height 0"},
        {"runs past the picture's size", [](std::vector<uint8_t>& b) { b[4602 + 2] = 0x12; },
         "runs give 2 pixels"},
        {"runs past the room",
         [](std::vector<uint8_t>& b) {
             b[11176] = 255;
             b[11176 + 1] = 255;
             std::fill(b.begin() + 11178, b.begin() + 11358, 0x01);
         },
         "go past its room"},
        {"a byte after the pictures", [](std::vector<uint8_t>& b) { b[32190] = 0; }, "byte 32190"},
        {"a block of the wrong size", [](std::vector<uint8_t>& b) { b.pop_back(); }, "32767 bytes"},
        {"a use off the screen",
         [](std::vector<uint8_t>& b) {
             b[8654] = 100;
             b[8654 + 2] = 0x10;
             std::fill(b.begin() + 8657, b.begin() + 8662, 0x10);
             b[8662] = 0x14;
         },
         "leaves the screen"},
        {"no run across a row end",
         [](std::vector<uint8_t>& b) {
             const uint8_t p[] = {16, 2, 0x00, 0x10};
             std::copy(std::begin(p), std::end(p), b.begin() + 2088);
         },
         "no run crosses"},
        {"no length nibble 0",
         [](std::vector<uint8_t>& b) {
             const uint8_t p[] = {17, 2, 0x1F, 0x03, 0x1F, 0x11};
             std::copy(std::begin(p), std::end(p), b.begin() + 2088);
         },
         "length nibble 0"},
        {"no pen 0",
         [](std::vector<uint8_t>& b) {
             const uint8_t p[] = {17, 2, 0x10, 0x12, 0x10};
             std::copy(std::begin(p), std::end(p), b.begin() + 2088);
         },
         "no run has pen 0"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> block = SmallBlock();
        c.breakIt(block);
        std::string answer = Validate(block);
        EXPECT_NE(answer.find(c.message), std::string::npos) << c.what << ": " << answer;
    }
    // The places of the pictures: even, inside the block, each used.
    std::set<int> sources;
    for (const auto& use : dollix_pictures::AllUses())
        sources.insert(use.source);
    EXPECT_EQ(sources.size(), 26u);
    for (int s : sources)
        EXPECT_EQ(s % 2, 0) << s;
}

} // namespace
