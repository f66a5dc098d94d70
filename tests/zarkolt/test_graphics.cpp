// Graphics decoding, colour lookups and palettes.
#include <random>

#include "tests/zarkolt/support.h"

namespace zarkolt_test {
namespace {

using namespace zarkolt;

class GraphicsTest : public BoardTest {};

const uint8_t* Character(int set, int code) {
    return Characters + (set * 256 + code) * 64;
}

TEST_F(GraphicsTest, CharactersInTheirFourFlipSets) {
    images[&GameData::characters][7 * 8 + 7] = 0x80; // character 7: the last byte is the leftmost column
    images[&GameData::characters][9 * 8 + 2] = 0x01; // character 9: column 5, bottom row
    Build();
    const int corner[4] = {0 * 8 + 0, 7 * 8 + 0, 0 * 8 + 7, 7 * 8 + 7};
    for (int set = 0; set < 4; set++) {
        for (int i = 0; i < 64; i++)
            EXPECT_EQ(Character(set, 7)[i], i == corner[set]) << set << " " << i;
    }
    EXPECT_EQ(Character(0, 9)[7 * 8 + 5], 1);
    EXPECT_EQ(Character(1, 9)[0 * 8 + 5], 1);
    EXPECT_EQ(Character(2, 9)[7 * 8 + 2], 1);
    EXPECT_EQ(Character(3, 9)[0 * 8 + 2], 1);
}

TEST_F(GraphicsTest, ColourTables) {
    EXPECT_EQ(CharColorTable[0], 0x70);
    EXPECT_EQ(CharColorTable[1], 0x80);
    EXPECT_EQ(CharColorTable[4], 0x71);
    EXPECT_EQ(CharColorTable[63], 0xAF);

    auto& prom = images[&GameData::tileColorProm];
    prom[0] = 0xFF;
    prom[511] = 0x41;
    auto& sprites = images[&GameData::spriteColorProm];
    sprites[0x108] = 0;
    sprites[0x008] = 0x0C;
    sprites[0x009] = 5;
    sprites[0x00A] = 0;
    sprites[0x100] = 2;
    sprites[0x109] = 0;
    sprites[0x10A] = 3;
    sprites[0x15F] = 0;
    sprites[0x160] = 0;
    Build();
    EXPECT_EQ(TileColorLookup[0], 0xAF);
    EXPECT_EQ(TileColorLookup[511], 0x71);
    EXPECT_EQ(TileColorLookup[5], 0x70);

    EXPECT_EQ(SpriteColorLookup[0x108], 0x00);
    EXPECT_EQ(SpriteColorLookup[0x008], 0x0C);
    EXPECT_EQ(SpriteColorLookup[0x009], 0x75);
    EXPECT_EQ(SpriteColorLookup[0x00A], 0x70); // a 0 outside 0x100-0x15F becomes pen 0x70
    EXPECT_EQ(SpriteColorLookup[0x100], 0x72);
    EXPECT_EQ(SpriteColorLookup[0x109], 0x00);
    EXPECT_EQ(SpriteColorLookup[0x10A], 0x73);
    EXPECT_EQ(SpriteColorLookup[0x15F], 0x00);
    EXPECT_EQ(SpriteColorLookup[0x160], 0x00);
    EXPECT_EQ(SpriteColorLookup[0x161], 0x70);

    DecodeCharacters(); // decoding again starts from the PROMs, not from the tables
    DecodeSprites();
    EXPECT_EQ(TileColorLookup[0], 0xAF);
    EXPECT_EQ(SpriteColorLookup[0x009], 0x75);
}

TEST_F(GraphicsTest, TilesInBothPixelOrders) {
    images[&GameData::tilesA][0] = 0x01;
    images[&GameData::tilesB][8 + 3] = 0x80;
    auto& prom = images[&GameData::tileColorProm];
    for (int i = 0; i < 512; i++)
        prom[i] = uint8_t(i & 3);
    Build();
    for (int i = 0; i < 64; i++)
        EXPECT_EQ(Tiles[i], 0x70 + (i == 7 * 8 + 7 ? 2 : 0)) << i;
    EXPECT_EQ(Tiles[64 + 0 * 8 + 4], 0x71);
    DecodeTilesModeX();
    for (int i = 0; i < 64; i++)
        EXPECT_EQ(Tiles[i], 0x70 + (i == 0 * 8 + 7 ? 2 : 0)) << i;
    EXPECT_EQ(Tiles[64 + 3 * 8 + 0], 0x71);
}

TEST_F(GraphicsTest, TileCopiesCarryTheirColourInBothOrders) {
    EXPECT_EQ(TileCopyOffset(0), 0);
    EXPECT_EQ(TileCopyOffset(64), 64); // copy 64 differs from copy 0 only in bit 6
    EXPECT_EQ(TileCopyOffset(1), 128);
    EXPECT_EQ(TileCopyOffset(0x3F), 0x1BC);
    EXPECT_EQ(TileCopyOffset(0x7F), 0x1FC);

    std::mt19937 random(4);
    for (auto member : {&GameData::tilesA, &GameData::tilesB, &GameData::tileColorProm})
        for (uint8_t& byte : images[member])
            byte = uint8_t(random());
    Place(images[&GameData::tileColorProm], 0, {0, 1, 2, 3}); // copy 0 shows the raw pixels
    Build();
    std::vector<uint8_t> window(Tiles, Tiles + sizeof Tiles);
    for (int copy = 0; copy < 128; copy++)
        for (int i = 0; i < 512 * 64; i += 7) {
            int raw = window[i] - 0x70;
            ASSERT_EQ(window[copy * 512 * 64 + i], TileColorLookup[raw + TileCopyOffset(copy)])
                << copy << " " << i;
        }

    // The rotated order is the window order turned: pixel (y, x) of a window
    // tile is pixel (7 - x, y) of the rotated one.
    DecodeTilesModeX();
    for (int copy : {0, 77, 127})
        for (int tile = 0; tile < 512; tile++) {
            int base = (copy * 512 + tile) * 64;
            for (int y = 0; y < 8; y++)
                for (int x = 0; x < 8; x++)
                    ASSERT_EQ(Tiles[base + (7 - x) * 8 + y], window[base + y * 8 + x]);
        }
}

TEST_F(GraphicsTest, SpritesOfTheThreeSets) {
    images[&GameData::sprites2][5 * 64 + 39] = 0x88;
    images[&GameData::sprites3][5 * 64 + 39] = 0x88;
    images[&GameData::spritePlane3][5 * 64 + 39] = 0x08;
    images[&GameData::sprites1][63 * 64 + 0] = 0x21; // column 15, rows 0-3
    Build();
    const uint8_t* set2 = Sprites + (SpriteSet23 + 5) * 256;
    const uint8_t* set3 = Sprites + (SpriteSet23 + 128 + 5) * 256;
    EXPECT_EQ(set2[0], 7);
    EXPECT_EQ(set3[0], 3);
    for (int i = 1; i < 256; i++)
        EXPECT_EQ(set2[i] | set3[i], 0) << i;

    const uint8_t* set1 = Sprites + (SpriteSet1 + 63) * 256;
    EXPECT_EQ(set1[0 * 16 + 15], 0);
    EXPECT_EQ(set1[1 * 16 + 15], 0);
    EXPECT_EQ(set1[2 * 16 + 15], 2);
    EXPECT_EQ(set1[3 * 16 + 15], 1);

    // Bytes 32-63 hold the left half, 0-31 the right half; row quads go down.
    images[&GameData::sprites1][0 * 64 + 32 + 8 * 3 + 7] = 0x10; // column 0, row 15, plane 1
    Build();
    EXPECT_EQ(Sprites[SpriteSet1 * 256 + 15 * 16 + 0], 2);
    for (int i = 0; i < 256; i++)
        EXPECT_EQ(BlankSprite[i], 3);
}

TEST_F(GraphicsTest, GameAndCardPalettes) {
    images[&GameData::redProm][0] = 0x0F;
    images[&GameData::greenProm][0] = 0x18;
    images[&GameData::blueProm][127] = 0x07;
    images[&GameData::redProm][128] = 0x0F; // beyond the 128 colours used
    Build();
    EXPECT_EQ(GamePalette[0].red, 255);
    EXPECT_EQ(GamePalette[0].green, 136);
    EXPECT_EQ(GamePalette[0].blue, 0);
    EXPECT_EQ(GamePalette[0].flags, PaletteReserved);
    EXPECT_EQ(GamePalette[127].blue, 119);
    EXPECT_EQ(GamePalette[127].red, 0);

    uint8_t table[256 * 4];
    for (int i = 0; i < 256; i++) {
        table[i * 4 + 0] = uint8_t(i);     // blue
        table[i * 4 + 1] = uint8_t(i + 1); // green
        table[i * 4 + 2] = uint8_t(i + 2); // red
        table[i * 4 + 3] = 0x55;
    }
    BuildCardPalette(table, 256);
    EXPECT_EQ(CardPalette[0].red | CardPalette[0].green | CardPalette[0].blue, 0);
    EXPECT_EQ(CardPalette[1].red, 3);
    EXPECT_EQ(CardPalette[1].green, 2);
    EXPECT_EQ(CardPalette[1].blue, 1);
    EXPECT_EQ(CardPalette[1].flags, 0);
    EXPECT_EQ(CardPalette[253].red, 255);
    EXPECT_EQ(CardPalette[254].red | CardPalette[254].green | CardPalette[254].blue, 0);
    EXPECT_EQ(CardPalette[255].red & CardPalette[255].green & CardPalette[255].blue, 255);

    BuildCardPalette(nullptr, 0); // no bitmap: unchanged
    EXPECT_EQ(CardPalette[1].red, 3);
    BuildCardPalette(table, 100); // a short colour table: the rest stays black
    EXPECT_EQ(CardPalette[99].red, 101);
    EXPECT_EQ(CardPalette[100].red, 0);
}

} // namespace
} // namespace zarkolt_test
