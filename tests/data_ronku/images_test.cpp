// The embedded RONKU images: sizes as the manifest says and as built here,
// the vectors and program sums, the sprite and character colours the board
// and the frame-rate display rely on, and the program bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "data/ronku/ronku_data.h"
#include "tests/common/manifest.h"

namespace {

// The embedded image by its manifest field.
ImageSpan Embedded(const std::string& field) {
    std::vector<manifest::Entry> entries = manifest::Read(RONKU_MANIFEST);
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].field == field) return RonkuData()[i];
    return {};
}

bool Own() {
    return std::string(USER_IMAGES).empty();
}

TEST(RonkuImages, EveryImageHasItsManifestSizeAndIsTheOneBuiltHere) {
    std::vector<manifest::Entry> entries = manifest::Read(RONKU_MANIFEST);
    ASSERT_EQ(entries.size(), RonkuData().size());
    for (size_t i = 0; i < entries.size(); ++i) {
        ImageSpan image = RonkuData()[i];
        EXPECT_EQ(image.size(), entries[i].size) << entries[i].file;
        EXPECT_EQ(entries[i].file.rfind("ronku_", 0), 0u) << entries[i].file;
        if (!Own()) continue;
        std::vector<uint8_t> file =
            manifest::ReadBytes(std::filesystem::path(RONKU_OWN_IMAGES) / entries[i].file);
        ASSERT_EQ(file.size(), image.size()) << entries[i].file;
        EXPECT_EQ(std::memcmp(file.data(), image.data(), file.size()), 0) << entries[i].file;
    }
    EXPECT_EQ(Embedded("cpu1Program").size(), 24576u);
    EXPECT_EQ(Embedded("sprites").size(), 16384u);
}

TEST(RonkuImages, VectorsPointIntoTheProgramsAndTheSumsAreZero) {
    if (!Own()) GTEST_SKIP() << "built with the user's own images";
    for (const char* field : {"cpu1Program", "cpu2Program"}) {
        ImageSpan rom = Embedded(field);
        unsigned sum = 0;
        for (uint8_t b : rom)
            sum += b;
        EXPECT_EQ(sum & 0xFF, 0u) << field;
        for (size_t v = rom.size() - 16; v < rom.size(); v += 2) {
            unsigned target = unsigned(rom[v] << 8 | rom[v + 1]);
            EXPECT_GE(target, 0x10000 - rom.size()) << field << " vector " << (v - rom.size() + 16) / 2;
        }
    }
}

// Entry 15 of every sprite colour set is see-through (the board fills the
// slots above the ROM's 128 sprites with 15); colour set 2 draws the font's
// digits, which the frame-rate display copies from set 66, in a colour that
// stands out from the black background.
TEST(RonkuImages, SpriteSetsEndSeeThroughAndColourSetTwoShowsTheDigits) {
    if (!Own()) GTEST_SKIP() << "built with the user's own images";
    ImageSpan spriteLookup = Embedded("spriteLookup");
    for (int set = 0; set < 16; ++set)
        EXPECT_EQ(spriteLookup[set * 16 + 15], 0x0F) << set;
    ImageSpan lookup = Embedded("characterLookup"), colours = Embedded("colours");
    // Pixel value p of set c takes entry 4c + 3 - p; the digits are drawn in value 1.
    const uint8_t ink = colours[16 + (lookup[2 * 4 + 2] & 0x0F)],
                  paper = colours[16 + (lookup[2 * 4 + 3] & 0x0F)];
    EXPECT_EQ(paper, 0);
    EXPECT_GE((ink & 7) + ((ink >> 3) & 7) + 2 * (ink >> 6), 12) << int(ink);
    ImageSpan chars = Embedded("characters");
    for (int digit = 0x30; digit <= 0x39; ++digit) {
        int lit = 0;
        for (int i = 0; i < 16; ++i)
            lit += chars[digit * 16 + i] != 0;
        EXPECT_GT(lit, 4) << digit;
    }
}

TEST(RonkuImages, IconAndVersionBitmapAreDrawn) {
    std::vector<uint8_t> icon = manifest::ReadBytes(std::filesystem::path(RONKU_ART_DIR) / "RONKU.ico");
    ASSERT_GT(icon.size(), 22u);
    EXPECT_EQ(icon[0] | icon[1] << 8 | icon[2] << 16 | icon[3] << 24,
              0x00010000);  // reserved 0, type 1 (icon)
    EXPECT_EQ(icon[6], 32); // 32 x 32
    std::vector<uint8_t> bmp = manifest::ReadBytes(std::filesystem::path(RONKU_ART_DIR) / "DIDIRUDOR.bmp");
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
}

} // namespace
