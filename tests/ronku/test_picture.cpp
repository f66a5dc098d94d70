// The picture: the colour-set characters, RONKU's sprites and palette, the
// priority of front characters, the blitters' bounds, the frame-rate display
// and the full-screen composition.
#include <algorithm>
#include <random>

#include "tests/ronku/support.h"

namespace ronku_test {
namespace {

using namespace ronku;

class RonkuPicture : public RonkuTest {
  protected:
    void SetUp() override {
        std::mt19937 random(102);
        for (auto member : {&GameData::characters, &GameData::characterLookup, &GameData::sprites,
                            &GameData::spriteLookup, &GameData::colours})
            for (uint8_t& byte : images[member])
                byte = uint8_t(random());
        for (int set = 0; set < 16; set++)
            images[&GameData::spriteLookup][size_t(set * 16 + 15)] = 0x0F; // pixel 15: transparent
        Place(images[&GameData::characterLookup], 8, {1, 2, 3, 4});        // colour 2: no pen 0x6F in front
        Build();
        ScrollValue = 0;
        std::fill(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight, 0);
    }
    const uint8_t* Glyph(int set, int code) const { return CharacterImages + ((set << 8) | code) * 64; }
    // The 8 x 8 block of the frame buffer at (column, row) equals glyph.
    bool BlockIs(int column, int row, const uint8_t* glyph) const {
        for (int y = 0; y < 8; y++)
            if (!std::equal(glyph + y * 8, glyph + y * 8 + 8, FrameBuffer + (row + y) * FrameWidth + column))
                return false;
        return true;
    }
};

TEST_F(RonkuPicture, CharactersSpritesAndPalette) {
    EXPECT_EQ(reinterpret_cast<uintptr_t>(CharacterImages) % 32, 0u);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(SpriteImages) % 32, 0u);
    const uint8_t* lookup = images[&GameData::characterLookup].data();
    for (int colour : {0, 2, 63}) {
        for (int p = 0; p < 4; p++) {
            uint8_t pen = uint8_t((lookup[4 * colour + 3 - p] & 0x0F) | 0x80);
            // the first pixel of value p in character 0x41 of set `colour`, and in its front set
            const uint8_t* raw = nullptr;
            uint8_t pixels[64];
            kluno::DecodeCharacterPixels(images[&GameData::characters].data() + 0x41 * 16, false, pixels);
            raw = std::find(pixels, pixels + 64, p);
            if (raw == pixels + 64) continue;
            EXPECT_EQ(Glyph(colour, 0x41)[raw - pixels], pen);
            EXPECT_EQ(Glyph(64 + colour, 0x41)[raw - pixels], pen - 0x20);
        }
    }
    // Sprite 5 from the two 8 KB halves; the slots from 128 on blank (pen 0x7F).
    uint8_t pixels[256];
    const uint8_t* rom = images[&GameData::sprites].data();
    kluno::DecodeSpritePixels(rom + 5 * 64, rom + 0x2000 + 5 * 64, pixels);
    const uint8_t* spriteLookup = images[&GameData::spriteLookup].data();
    for (int i = 0; i < 256; i++)
        ASSERT_EQ(SpriteImages[(3 << 8 | 5) * 256 + i], (spriteLookup[48 + pixels[i]] & 0x0F) | 0x70) << i;
    for (int set = 0; set < 16; set++)
        EXPECT_TRUE(std::all_of(SpriteImages + (set << 8 | 128) * 256, SpriteImages + (set << 8 | 256) * 256,
                                [](uint8_t pen) { return pen == kluno::TransparentPen; }));
    uint8_t colour = images[&GameData::colours][20];
    EXPECT_EQ(GamePalette[4].red, (colour & 7) * 255 / 7);
    EXPECT_EQ(ScreenPalette[0x64].green, (colour >> 3 & 7) * 255 / 7);
    EXPECT_EQ(ScreenPalette[0x84].blue, (colour >> 6) * 255 / 3);
    const boards::Colour border = ScreenPalette[254];
    EXPECT_EQ(std::vector<int>({border.red, border.green, border.blue, border.flags}),
              std::vector<int>({12, 20, 12, 1}));
    EXPECT_EQ(ScreenPalette[0x90].red + ScreenPalette[0x5F].green + ScreenPalette[255].blue, 0);
}

TEST_F(RonkuPicture, FrontCharactersAndTheSpriteBounds) {
    std::fill(SpriteImages, SpriteImages + 128 * 256, 0x75); // set 0: the ROM's sprites solid 0x75
    struct Case {
        uint8_t attribute; // of every cell
        uint8_t columnByte;
        int row; // after the game's 24 are taken off
        uint8_t code;
        bool drawn;
    };
    const Case cases[] = {
        {0x02, 101, 100, 3, true},  {0x42, 101, 100, 3, false},   {0x02, 1, 100, 3, false},
        {0x02, 2, 100, 3, true},    {0x02, 240, 100, 3, true},    {0x02, 241, 100, 3, false},
        {0x02, 101, 0, 3, false},   {0x02, 101, 1, 3, true},      {0x02, 101, 303, 3, true},
        {0x02, 101, 304, 3, false}, {0x02, 101, 100, 200, false},
    };
    for (const Case& c : cases) {
        std::fill(MainRam, MainRam + 0x800, 0x41);
        std::fill(MainRam + 0x800, MainRam + 0x1000, c.attribute);
        for (int i = 0; i < 64; i++)
            MainRam[0x2780 + 2 * i] = MainRam[0x1F80 + 2 * i] = 0; // column byte 0: off
        int position = (c.row + 24) & 0x1FF;
        MainRam[0x1780] = c.code;
        MainRam[0x1781] = 0;
        MainRam[0x1F80] = c.columnByte;
        MainRam[0x1F81] = uint8_t(position);
        MainRam[0x2781] = uint8_t(position >> 8);
        RenderFrame();
        long sprite = std::count(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight, 0x75);
        SCOPED_TRACE(testing::Message() << "attribute " << int(c.attribute) << " column byte "
                                        << int(c.columnByte) << " row " << c.row << " code " << int(c.code));
        EXPECT_EQ(sprite > 0, c.drawn);
    }
    // The blitters' own bounds: column 0 or 240 and more, row 0, position 0x26000 (row 304) and more.
    const std::pair<uint32_t, bool> positions[] = {
        {100 * 512 + 0, false}, {100 * 512 + 1, true},  {100 * 512 + 239, true}, {100 * 512 + 240, false},
        {0 * 512 + 50, false},  {303 * 512 + 50, true}, {0x26000 + 50, false}};
    for (auto [position, drawn] : positions)
        for (auto blit :
             {BlitSprite16, BlitSprite16FlipRows, BlitSprite16FlipColumns, BlitSprite16FlipBoth}) {
            std::fill(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight, 0x80);
            blit(position, 3);
            EXPECT_EQ(FrameBuffer[position] == 0x75, drawn) << std::hex << position;
        }
    // Sprites draw over pen 0x6F and over plain characters, never over the front pens below it.
    for (uint8_t under : {0x6E, 0x6F, 0x80}) {
        std::fill(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight, under);
        BlitSprite16FlipBoth(100 * FrameWidth + 50, 3);
        EXPECT_EQ(FrameBuffer[100 * FrameWidth + 50], under == 0x6E ? 0x6E : 0x75) << int(under);
    }
}

TEST_F(RonkuPicture, FrameRateDisplay) {
    std::fill(MainRam, MainRam + 0x1000, 0);
    RenderFrame();
    EXPECT_TRUE(BlockIs(232, 32, Glyph(0, 0))); // the meter is off: the picture alone
    ASSERT_TRUE(StartRateMeter(true, 1000, 0));
    uint8_t percent[64];
    const char* rows[8] = {"01110001", "01010010", "01110100", "00001000",
                           "00010111", "00100101", "01000111", "00000000"};
    for (int i = 0; i < 64; i++)
        percent[i] = rows[i / 8][i % 8] == '1' ? 0x62 : 0;
    struct Case {
        uint32_t accumulated; // over the 32 frames before
        int hundreds, tens, units;
    };
    const Case cases[] = {
        {7 * 32, -1, 0, 7}, {99 * 32 + 31, -1, 9, 9}, {100 * 32, 1, 0, 0}, {4000 * 32, 1, 0, 0}};
    for (const Case& c : cases) {
        Meter.frameCounter = 64;
        Meter.accumulator = c.accumulated;
        RenderFrame();
        EXPECT_EQ(Meter.shown, c.accumulated >> 5);
        EXPECT_EQ(BlockIs(208, 32, Glyph(66, 0x31)), c.hundreds == 1);
        EXPECT_TRUE(BlockIs(216, 32, Glyph(66, 0x30 + c.tens)));
        EXPECT_TRUE(BlockIs(224, 32, Glyph(66, 0x30 + c.units)));
        EXPECT_TRUE(BlockIs(232, 32, percent));
    }
    // From the first frame a value, then a new one every 32 frames.
    ASSERT_TRUE(StartRateMeter(true, 1000, 0));
    std::vector<std::pair<int, uint32_t>> changes; // frame, value
    for (int frame = 0; frame < 66; frame++) {
        Meter.accumulator += uint32_t(frame);
        RenderFrame();
        if (changes.empty() || changes.back().second != Meter.shown) changes.push_back({frame, Meter.shown});
    }
    EXPECT_EQ(changes, (std::vector<std::pair<int, uint32_t>>{{0, 0}, {32, 528 >> 5}, {64, 1552 >> 5}}));
}

TEST_F(RonkuPicture, FullScreenInTheBorder) {
    for (int i = 0; i < FrameWidth * FrameHeight; i++)
        FrameBuffer[i] = uint8_t(i * 7 + i / FrameWidth);
    std::vector<uint8_t> surface(700 * 480, 0x33);
    Face.composeFullScreen(surface.data(), 700, nullptr, 0, false);
    auto at = [&](int x, int y) { return surface[size_t(y * 700 + x)]; };
    const std::tuple<int, int, int> cases[] = {
        {0, 0, 254},   {639, 479, 254}, {199, 88, 254},  {200, 87, 254}, {200, 88, 0},
        {439, 391, 0}, {440, 391, 254}, {439, 392, 254}, {207, 96, 0},   {660, 10, 0x33},
    };
    for (auto [x, y, pen] : cases)
        EXPECT_EQ(at(x, y), pen) << x << "," << y;
    for (int y = 0; y < 288; y++)
        ASSERT_TRUE(std::equal(surface.begin() + (96 + y) * 700 + 208, surface.begin() + (96 + y) * 700 + 432,
                               FrameBuffer + (16 + y) * FrameWidth + 16))
            << y;
}

} // namespace
} // namespace ronku_test
