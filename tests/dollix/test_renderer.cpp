// Decoding, colour tables and the renderer: named cases on hand-set tables,
// and the renderer against a slow per-pixel composer on random states.
#include <random>

#include "boards/common/picture_copy.h"

#include "tests/dollix/support.h"

namespace dollix_test {
namespace {

using namespace dollix;

class RendererTest : public BoardTest {
  protected:
    uint8_t Pixel(int x, int y) const { return FrameBuffer[(16 + y) * FrameWidth + 16 + x]; }
    void Render() {
        std::fill(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight, uint8_t(0xEE));
        RenderFrame();
    }
    // No tiles, all sprites off screen, bitmap pens 0 shown as 0x01.
    void Quiet() {
        std::fill(Ram, Ram + 0x400, 0x20);
        std::fill(Ram + 0x1F81, Ram + 0x2000, 0);
        for (int n = 0; n < 64; n++)
            Ram[0x1781 + 2 * n] = 0; // x = 359
        std::fill(ColorLookup, ColorLookup + 256, 0x01);
    }
    void SetSprite(int n, uint8_t code, uint8_t colour, uint8_t y, int x, uint8_t flags) {
        Ram[0x0F80 + 2 * n] = code;
        Ram[0x0F81 + 2 * n] = colour;
        Ram[0x1780 + 2 * n] = y;
        int stored = 359 - x;
        Ram[0x1781 + 2 * n] = uint8_t(stored);
        Ram[0x1F81 + 2 * n] = uint8_t(stored >> 8 & 1);
        Ram[0x1F80 + 2 * n] = flags;
    }
};

TEST_F(RendererTest, DecodersAndColourTables) {
    uint8_t pens[4];
    const std::pair<uint8_t, std::array<uint8_t, 4>> groups[] = {{0x88, {3, 0, 0, 0}},
                                                                 {0x11, {0, 0, 0, 3}},
                                                                 {0x80, {2, 0, 0, 0}},
                                                                 {0x08, {1, 0, 0, 0}},
                                                                 {0x42, {0, 2, 1, 0}}};
    for (auto [byte, expected] : groups) {
        DecodePixelGroup(byte, pens);
        EXPECT_EQ((std::array<uint8_t, 4>{pens[0], pens[1], pens[2], pens[3]}), expected) << int(byte);
    }
    auto& tiles = images[&GameData::tiles];
    tiles[5 * 16 + 8] = 0x88;  // row 0, pixels 0-3
    tiles[5 * 16 + 0] = 0x11;  // row 0, pixels 4-7
    tiles[5 * 16 + 15] = 0x80; // row 7, pixels 0-3
    auto& sprites = images[&GameData::sprites];
    for (int b : {0, 8, 24, 32, 63})
        sprites[3 * 64 + b] = 0x88;
    auto& lookup = images[&GameData::colorLookupProm];
    lookup[112] = 1;    // 0x70
    lookup[113] = 5;    // 0x74
    lookup[200] = 0xFF; // wraps to 0x6E
    for (int i = 96; i < 112; i++)
        lookup[i] = uint8_t(i), lookup[i + 128] = uint8_t(i + 1);
    auto& tileColors = images[&GameData::tileColorProm];
    tileColors[0] = 0x00; // pen 0, 0x70: transparent
    tileColors[1] = 0xF0; // pen 1, 0x70: drawn
    tileColors[4] = 0x01; // pen 0, 0x74: drawn
    auto& spriteColors = images[&GameData::spriteColorProm];
    spriteColors[8] = 112;
    spriteColors[9] = 112;
    spriteColors[12] = 200;
    auto& rgb = images[&GameData::colorTable];
    rgb[0] = 10, rgb[1] = 20, rgb[2] = 30, rgb[83 * 3 + 2] = 99;
    Build();

    EXPECT_EQ(DecodedTiles[5 * 64 + 0], 3);
    EXPECT_EQ(DecodedTiles[5 * 64 + 7], 3);
    EXPECT_EQ(DecodedTiles[5 * 64 + 3], 0);
    EXPECT_EQ(DecodedTiles[5 * 64 + 7 * 8], 2);
    const uint8_t* sprite = DecodedSprites + 3 * 256;
    for (int p : {0, 4, 12, 8 * 16, 15 * 16 + 12})
        EXPECT_EQ(sprite[p], 3) << p;
    EXPECT_EQ(std::count(sprite, sprite + 256, 3), 5);

    EXPECT_EQ(ColorLookup[112], 0x70);
    EXPECT_EQ(ColorLookup[200], 0x6E);
    EXPECT_EQ(TileColorTable[0], 0);
    EXPECT_EQ(TileColorTable[1], 0x70);
    EXPECT_EQ(TileColorTable[4], 0x74);
    EXPECT_EQ(SpriteColorTable[8], 0);
    EXPECT_EQ(SpriteColorTable[9], 0x70);
    EXPECT_EQ(SpriteColorTable[12], 0x6E);
    EXPECT_EQ(PenMap(0)[3], uint8_t(99 + 0x6F));
    EXPECT_EQ(PenMap(0x80)[3], uint8_t(100 + 0x6F));
    EXPECT_EQ(GamePalette[0].red, 10);
    EXPECT_EQ(GamePalette[0].blue, 30);
    EXPECT_EQ(GamePalette[0].flags, PaletteReserved);
    EXPECT_EQ(GamePalette[83].blue, 99);

    std::vector<uint8_t> card(256 * 4, 0x40);
    card[254 * 4] = 1;
    BuildCardPalette(card.data(), 256);
    EXPECT_EQ(CardPalette[0].red, 0);
    EXPECT_EQ(CardPalette[254].blue, 1);
    EXPECT_EQ(CardPalette[255].green, 255);
}

TEST_F(RendererTest, BitmapLayerThroughThePenMap) {
    Quiet();
    for (int p = 0; p < 16; p++)
        ColorLookup[96 + p] = uint8_t(0x80 + p), ColorLookup[224 + p] = uint8_t(0xA0 + p);
    for (int i = 0; i < 0x10000; i++)
        BitmapPlane[i] = uint8_t(i % 13);
    for (uint8_t select : {0, 1, 0x40}) {
        Ram[PenMapSelect] = select;
        Render();
        uint8_t base = select ? 0xA0 : 0x80;
        for (int y : {0, 100, 223})
            for (int x : {0, 155, 287})
                ASSERT_EQ(Pixel(x, y), base + (0x200 + 288 * y + x) % 13) << x << "," << y;
        EXPECT_EQ(Pixel(-1, 0), 0xEE);
        EXPECT_EQ(Pixel(288, 0), 0xEE);
        EXPECT_EQ(Pixel(0, 224), 0xEE);
    }
}

TEST_F(RendererTest, TilesEdgeColumnsAndBlankCode) {
    Quiet();
    std::fill(DecodedTiles, DecodedTiles + sizeof DecodedTiles, 1);
    DecodedTiles[0x41 * 64 + 9] = 0; // row 1, column 1: pen 0
    TileColorTable[7 * 4 + 1] = 0x97;
    TileColorTable[7 * 4 + 0] = 0;
    TileColorTable[9 * 4 + 1] = 0x99;
    TileColorTable[9 * 4 + 0] = 0x90; // pen 0 drawn
    struct Case {
        int column, row;
        uint16_t address;
    };
    const Case cases[] = {{2, 0, 0x0040},
                          {33, 27, 0x0040 + 32 * 27 + 31},
                          {17, 9, 0x0040 + 32 * 9 + 15},
                          {34, 5, 0x0007},
                          {35, 0, 0x0022},
                          {0, 27, 0x03C2 + 27},
                          {1, 3, 0x03E5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        Quiet();
        Ram[c.address] = 0x41;
        Ram[c.address + 0x400] = 0x47; // colour & 0x3F = 7
        Render();
        int x = 8 * c.column, y = 8 * c.row;
        EXPECT_EQ(Pixel(x, y), 0x97);
        EXPECT_EQ(Pixel(x + 7, y + 7), 0x97);
        EXPECT_EQ(Pixel(x + 1, y + 1), 0x01); // transparent pen 0
        EXPECT_EQ(Pixel(x + 8 < 288 ? x + 8 : x - 1, y), 0x01);
    }
    // Code 0x20 is never drawn, even where its colour draws pen 0; 0x21 is.
    Quiet();
    std::fill(DecodedTiles, DecodedTiles + sizeof DecodedTiles, 0);
    Ram[0x0040] = 0x20, Ram[0x0041] = 0x21;
    Ram[0x0440] = Ram[0x0441] = 9;
    Render();
    EXPECT_EQ(Pixel(16, 0), 0x01);
    EXPECT_EQ(Pixel(24, 0), 0x90);
}

TEST_F(RendererTest, SpritePlacesCodesAndFlips) {
    // Image of code k: pen 1 everywhere, pen 2 in the top-left corner, pen 3
    // at (1, 0); the colour row gives code-specific pens.
    for (int k = 0; k < 256; k++) {
        uint8_t* image = DecodedSprites + k * 256;
        std::fill(image, image + 256, 1);
        image[0] = 2;
        image[1] = 3;
    }
    for (int c = 0; c < 64; c++)
        for (int p = 0; p < 4; p++)
            SpriteColorTable[c * 4 + p] = uint8_t(p ? 0x40 + c : 0);
    for (int flags = 0; flags < 16; flags++) {
        SCOPED_TRACE(flags);
        Quiet();
        std::fill(DecodedSprites + 0xF0 * 256, DecodedSprites + 0xF4 * 256, 1);
        // Code 0xF0-0xF3 get a colour each through a per-code marker pen.
        for (int k = 0; k < 4; k++)
            DecodedSprites[(0xF0 + k) * 256 + 17] = 0; // (1, 1) transparent
        SetSprite(5, 0xF0 | uint8_t(flags & 3), 3, 40, 200, uint8_t(0xF0 | flags));
        Render();
        bool xFlip = flags & 1, yFlip = flags & 2, wide = flags & 4, tall = flags & 8;
        for (int j = 0; j <= tall; j++)
            for (int i = 0; i <= wide; i++) {
                int column = wide ? 200 - 16 + 16 * i : 200;
                int row = 47 + 16 * j;
                // The cell's own code in its transparent hole position.
                int holeX = xFlip ? 14 : 1, holeY = yFlip ? 14 : 1;
                EXPECT_EQ(FrameBuffer[(row + holeY) * FrameWidth + column + holeX], 0x01 + 0)
                    << "hole of cell " << i << "," << j;
                EXPECT_EQ(FrameBuffer[(row + 15 - holeY) * FrameWidth + column + 15 - holeX], 0x43);
            }
        EXPECT_EQ(FrameBuffer[(47 - 1) * FrameWidth + 200], 0x01);
        EXPECT_EQ(FrameBuffer[47 * FrameWidth + 216], 0x01);
    }
}

TEST_F(RendererTest, SpriteCellCodes) {
    // Each code's image is one pen, so the drawn pen names the code.
    for (int k = 0; k < 256; k++)
        std::fill(DecodedSprites + k * 256, DecodedSprites + (k + 1) * 256, uint8_t(k & 3));
    for (int c = 0; c < 64; c++)
        for (int p = 0; p < 4; p++)
            SpriteColorTable[c * 4 + p] = uint8_t(0x40 + p);
    // Stored code 0x41 wide and tall: bit 0 left 0 / right 1, bit 1 top 0 /
    // bottom 1; flips swap columns and rows.
    struct Case {
        uint8_t flags;
        uint8_t topLeft, topRight, bottomLeft, bottomRight;
    };
    const Case cases[] = {{0x0C, 0, 1, 2, 3}, {0x0D, 1, 0, 3, 2}, {0x0E, 2, 3, 0, 1}, {0x0F, 3, 2, 1, 0}};
    for (const Case& c : cases) {
        Quiet();
        SetSprite(0, 0x41, 0, 60, 100, c.flags);
        Render();
        auto at = [&](int x, int y) { return FrameBuffer[y * FrameWidth + x] - 0x40; };
        EXPECT_EQ(at(84, 67), c.topLeft) << int(c.flags);
        EXPECT_EQ(at(100, 67), c.topRight);
        EXPECT_EQ(at(84, 83), c.bottomLeft);
        EXPECT_EQ(at(100, 83), c.bottomRight);
    }
    // Single directions keep the stored bits: code 0x42 alone draws pen 2.
    Quiet();
    SetSprite(0, 0x42, 0, 60, 100, 0x03);
    Render();
    EXPECT_EQ(FrameBuffer[67 * FrameWidth + 100], 0x42);
}

TEST_F(RendererTest, SpriteClipAndColour) {
    std::fill(DecodedSprites, DecodedSprites + sizeof DecodedSprites, 1);
    for (int c = 0; c < 64; c++)
        SpriteColorTable[c * 4 + 1] = uint8_t(0x40 + c);
    auto drawnAt = [&](int x, int y) {
        uint8_t pen = FrameBuffer[y * FrameWidth + x];
        return pen >= 0x40 && pen < 0x80;
    };
    struct Case {
        int stored; // X with bit 8
        uint8_t y, flags;
        std::vector<std::pair<int, int>> drawn, skipped; // top-left pixels of cells
    };
    const Case cases[] = {
        {0x067, 0, 0x04, {{256, 7}, {240, 7}}, {}},
        {0x000, 0, 0x00, {}, {{359, 7}}}, // x = 359: off
        {0x167, 0, 0x00, {}, {{0, 7}}},   // x = 0: off
        {0x166, 0, 0x00, {{1, 7}}, {}},   // x = 1
        {0x038, 0, 0x00, {{303, 7}}, {}},
        {0x037, 0, 0x00, {}, {{304, 7}}},
        {0x166, 0, 0x04, {{1, 7}}, {}},               // the left cell at -15 is skipped alone
        {0x100, 232, 0x00, {{103, 239}}, {}},         // row 239
        {0x100, 240, 0x08, {{103, 7}}, {{103, 247}}}, // tall wrap: the bottom cell at row 7
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Quiet();
        Ram[0x0F81] = 0x45; // colour 69: colour 5
        Ram[0x1780] = c.y;
        Ram[0x1781] = uint8_t(c.stored);
        Ram[0x1F81] = uint8_t(c.stored >> 8);
        Ram[0x1F80] = c.flags;
        Render();
        for (auto [x, y] : c.drawn) {
            EXPECT_EQ(FrameBuffer[y * FrameWidth + x], 0x45) << x << "," << y;
            EXPECT_EQ(FrameBuffer[(y + 15) * FrameWidth + x + 15], 0x45) << x << "," << y;
        }
        for (auto [x, y] : c.skipped)
            EXPECT_FALSE(drawnAt(x + 8, y + 8)) << x << "," << y;
        int count = 0;
        for (int i = 0; i < FrameWidth * FrameHeight; i++)
            count += drawnAt(i % FrameWidth, i / FrameWidth);
        EXPECT_EQ(count, int(c.drawn.size()) * 256);
    }
    // A later sprite covers an earlier one.
    Quiet();
    SetSprite(0, 0, 1, 50, 100, 0);
    SetSprite(63, 0, 2, 50, 100, 0);
    Render();
    EXPECT_EQ(FrameBuffer[60 * FrameWidth + 105], 0x42);
}

// The picture composed pixel by pixel from the layers' definitions.
void SlowCompose(uint8_t* frame) {
    for (int y = 0; y < 224; y++)
        for (int x = 0; x < 288; x++)
            frame[(16 + y) * 512 + 16 + x] =
                ColorLookup[(Ram[0x2902] ? 224 : 96) + (BitmapPlane[0x0200 + 288 * y + x] & 15)];
    auto address = [](int c, int r) {
        if (c == 0) return 0x03C2 + r;
        if (c == 1) return 0x03E2 + r;
        if (c == 34) return 0x0002 + r;
        if (c == 35) return 0x0022 + r;
        return 0x0040 + 32 * r + c - 2;
    };
    for (int r = 0; r < 28; r++)
        for (int c = 0; c < 36; c++) {
            int code = Ram[address(c, r)], colour = Ram[address(c, r) + 0x400] & 63;
            if (code == 0x20) continue;
            for (int v = 0; v < 8; v++)
                for (int u = 0; u < 8; u++) {
                    uint8_t pen = TileColorTable[colour * 4 + DecodedTiles[code * 64 + v * 8 + u]];
                    if (pen) frame[(16 + 8 * r + v) * 512 + 16 + 8 * c + u] = pen;
                }
        }
    for (int n = 0; n < 64; n++) {
        int code = Ram[0x0F80 + 2 * n], colour = Ram[0x0F81 + 2 * n] & 63;
        int x = 359 - ((Ram[0x1F81 + 2 * n] & 1) << 8 | Ram[0x1781 + 2 * n]), y = Ram[0x1780 + 2 * n] + 7;
        int flags = Ram[0x1F80 + 2 * n];
        bool xFlip = flags & 1, yFlip = flags & 2, wide = flags & 4, tall = flags & 8;
        for (int j = 0; j <= tall; j++)
            for (int i = 0; i <= wide; i++) {
                int column = wide ? x - 16 + 16 * i : x, row = j ? (y + 16) % 256 : y;
                int cell = code;
                if (wide) cell = (cell & ~1) | (i ^ xFlip);
                if (tall) cell = (cell & ~2) | (j ^ yFlip) << 1;
                if (column < 1 || column > 303 || row < 0 || row > 239) continue;
                for (int v = 0; v < 16; v++)
                    for (int u = 0; u < 16; u++) {
                        int sx = xFlip ? 15 - u : u, sy = yFlip ? 15 - v : v;
                        uint8_t pen =
                            SpriteColorTable[colour * 4 + DecodedSprites[cell * 256 + sy * 16 + sx]];
                        if (pen) frame[(row + v) * 512 + column + u] = pen;
                    }
            }
    }
}

TEST_F(RendererTest, MatchesTheSlowComposerOnRandomStates) {
    std::mt19937 random(3);
    std::vector<uint8_t> expected(FrameWidth * FrameHeight);
    for (int round = 0; round < 20; round++) {
        SCOPED_TRACE(round);
        for (uint8_t& b : Ram)
            b = uint8_t(random());
        for (int i = 0; i < 0x400; i++) // about one blank cell in eight
            if (random() % 8 == 0) Ram[i] = 0x20;
        Ram[PenMapSelect] = uint8_t(random() % 3 == 0 ? 0 : random());
        for (uint8_t& pen : BitmapPlane)
            pen = uint8_t(random() & 15);
        for (uint8_t& pen : DecodedTiles)
            pen = uint8_t(random() & 3);
        for (uint8_t& pen : DecodedSprites)
            pen = uint8_t(random() & 3);
        for (uint8_t* table : {ColorLookup, TileColorTable, SpriteColorTable})
            for (int i = 0; i < 256; i++)
                table[i] = uint8_t(random() % 4 == 0 ? 0 : random());
        for (int i = 0; i < FrameWidth * FrameHeight; i++)
            expected[size_t(i)] = FrameBuffer[i] = uint8_t(random());
        RenderFrame();
        SlowCompose(expected.data());
        for (int i = 0; i < FrameWidth * FrameHeight; i++)
            ASSERT_EQ(FrameBuffer[i], expected[size_t(i)]) << "x " << i % 512 << " y " << i / 512;
    }
}

TEST_F(RendererTest, FullScreenCopies) {
    for (int i = 0; i < FrameWidth * FrameHeight; i++)
        FrameBuffer[i] = uint8_t(i * 7 >> 3);
    std::vector<uint8_t> card(640 * 480, 0x11), surface(700 * 480, 0x99);
    boards::CopyCard(card.data(), 640, surface.data(), 700);
    CopyPictureFullScreen(surface.data(), 700);
    EXPECT_EQ(surface[0], 0x11);
    EXPECT_EQ(surface[127 * 700 + 176], 0x11);
    EXPECT_EQ(surface[639], 0x11);
    EXPECT_EQ(surface[640], 0x99);
    EXPECT_EQ(surface[128 * 700 + 176], Pixel(0, 0));
    EXPECT_EQ(surface[(128 + 223) * 700 + 176 + 287], Pixel(287, 223));
    EXPECT_EQ(surface[(128 + 223) * 700 + 176 + 288], 0x11);
    std::vector<uint8_t> small(330 * 240, 0x99);
    CopyPictureModeX(small.data(), 330);
    EXPECT_EQ(small[0], 0);
    EXPECT_EQ(small[239 * 330 + 319], 0);
    EXPECT_EQ(small[320], 0x99);
    EXPECT_EQ(small[8 * 330 + 16], Pixel(0, 0));
    EXPECT_EQ(small[(8 + 223) * 330 + 16 + 287], Pixel(287, 223));
}

} // namespace
} // namespace dollix_test
