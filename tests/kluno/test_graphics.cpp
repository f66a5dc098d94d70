// Graphics decoding and palette: pixel layouts, colouring, the two
// orientations and the colour PROM.
#include <random>

#include "tests/kluno/support.h"

namespace kluno_test {
namespace {

using namespace kluno;

class KlunoGraphics : public BoardTest {};

const uint8_t* Character(int set, int code) {
    return CharacterImages + (set << 8 | code) * 64;
}

TEST_F(KlunoGraphics, CharacterPixelsAndColours) {
    // Character 1: byte 15 holds column 0 of rows 0-3, byte 7 of rows 4-7.
    std::vector<uint8_t>& rom = images[&GameData::characters];
    rom[16 + 15] = 0x11; // row 3 (bit position 0): value 3
    rom[16 + 14] = 0x10; // column 1, row 3: value 2
    rom[16 + 13] = 0x01; // column 2, row 3: value 1
    rom[16 + 7] = 0x88;  // column 0, row 4 (bit position 3): value 3
    Place(images[&GameData::characterLookup], 0, {0x05, 0x06, 0x07, 0x08});
    Place(images[&GameData::characterLookup], 63 * 4, {0xF1, 0x02, 0x03, 0x04});
    Build();
    const uint8_t* c = Character(0, 1);
    EXPECT_EQ(c[3 * 8 + 0], 0x85); // value 3 takes entry 0
    EXPECT_EQ(c[3 * 8 + 1], 0x86);
    EXPECT_EQ(c[3 * 8 + 2], 0x87);
    EXPECT_EQ(c[3 * 8 + 3], 0x88); // value 0 takes entry 3
    EXPECT_EQ(c[2 * 8 + 0], 0x88);
    EXPECT_EQ(c[4 * 8 + 0], 0x85);
    EXPECT_EQ(Character(63, 1)[3 * 8 + 0], 0x81); // high nibble of the lookup ignored
    EXPECT_EQ(Character(63, 0)[0], 0x84);
    for (int i = 0; i < 64 * 256 * 64; i++)
        ASSERT_EQ(CharacterImages[i] & 0xF0, 0x80) << i;
}

TEST_F(KlunoGraphics, TurnedCharactersAreTheUprightOnesTurned) {
    std::mt19937 random(7);
    for (uint8_t& byte : images[&GameData::characters])
        byte = uint8_t(random());
    for (uint8_t& byte : images[&GameData::characterLookup])
        byte = uint8_t(random());
    Build();
    const std::vector<uint8_t> upright(CharacterImages, CharacterImages + sizeof CharacterImages);
    DecodeCharactersModeX();
    for (int index = 0; index < 64 * 256; index += 37)
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 8; x++) // upright (row y, column x) is turned (row 7 - x, column y)
                ASSERT_EQ(CharacterImages[index * 64 + (7 - x) * 8 + y],
                          upright[size_t(index * 64 + y * 8 + x)]);
    DecodeCharacters();
    EXPECT_TRUE(std::equal(upright.begin(), upright.end(), CharacterImages));
}

TEST_F(KlunoGraphics, SpritePixelsAndColours) {
    std::vector<uint8_t>& rom = images[&GameData::sprites];
    // Sprite 2, row 0 (bit position 3): column 0 is byte 39, column 8 byte 7.
    rom[2 * 64 + 39] = 0x08;          // A bit 3: value 1
    rom[0x4000 + 2 * 64 + 39] = 0x80; // B bit 7: value 8
    rom[2 * 64 + 7] = 0x80;           // A bit 7: value 2
    rom[0x4000 + 2 * 64 + 7] = 0x08;  // B bit 3: value 4
    rom[2 * 64 + 8 * 3 + 0] = 0x01;   // row 15, column 15: A bit 0: value 1
    std::vector<uint8_t>& lookup = images[&GameData::spriteLookup];
    for (int p = 0; p < 16; p++)
        lookup[16 + p] = uint8_t(0xA0 | p); // set 1: the value itself
    lookup[0] = 0xFF;                       // set 0, value 0: the transparent pen
    Build();
    const uint8_t* s = SpriteImages + (1 << 8 | 2) * 256;
    EXPECT_EQ(s[0], 0x79);
    EXPECT_EQ(s[8], 0x76);
    EXPECT_EQ(s[15 * 16 + 15], 0x71);
    EXPECT_EQ(s[1], 0x70);
    EXPECT_EQ(SpriteImages[0], TransparentPen);
}

TEST_F(KlunoGraphics, PaletteFromTheColourProm) {
    std::vector<uint8_t>& prom = images[&GameData::colours];
    Place(prom, 0, {0xFF, 0x07, 0x38, 0xC0, 0x49});
    prom[16] = 0x92;
    Build();
    auto rgb = [](int pen) {
        const PaletteEntry& e = GamePalette[pen - FirstGamePen];
        EXPECT_EQ(e.flags, boards::PaletteReserved);
        return std::array<int, 3>{e.red, e.green, e.blue};
    };
    EXPECT_EQ(rgb(0x70), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(rgb(0x71), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(rgb(0x72), (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ(rgb(0x73), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(rgb(0x74), (std::array<int, 3>{36, 36, 85}));
    EXPECT_EQ(rgb(0x60), (std::array<int, 3>{72, 72, 170})); // PROM entry 16
    EXPECT_EQ(rgb(0x80), rgb(0x60));
    EXPECT_EQ(rgb(0x7F), (std::array<int, 3>{0, 0, 0}));

    uint8_t table[256 * 4] = {};
    table[4] = 1; // entry 1: blue 1 green 0 red 0
    table[4 * 253 + 2] = 200;
    BuildCardPalette(table, 256);
    EXPECT_EQ(CardPalette[1].blue, 1);
    EXPECT_EQ(CardPalette[253].red, 200);
    EXPECT_EQ(CardPalette[255].green, 255);
}

} // namespace
} // namespace kluno_test
