// The renderers and blitters on small synthetic graphics written straight
// into the decoded tables; the equivalence of the two renderers on random
// graphics and video RAM.
#include <random>

#include "tests/zarkolt/support.h"

namespace zarkolt_test {
namespace {

using namespace zarkolt;

constexpr uint8_t Ground = 0x70; // every tile's pen with all-zero graphics
constexpr uint8_t Fill = 0x80;   // pens of sprite pixel values: Fill + value

class RendererTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        for (int set = 0; set < 64; set++)
            for (int value = 0; value < 8; value++)
                SpriteColorLookup[set * 8 + value] = uint8_t(Fill + value);
    }
    uint8_t Pixel(int x, int y) const { return FrameBuffer[y * FrameWidth + x]; }
    void SetSprite(int i, uint8_t x, uint16_t y, uint8_t attribute, uint8_t code, uint8_t colour = 0) {
        Ram(0x8780)[2 * i] = x;
        Ram(0x8780)[2 * i + 1] = uint8_t(y);
        Ram(0x9780)[2 * i] = attribute;
        Ram(0x9780)[2 * i + 1] = uint8_t(y >> 8);
        Ram(0xA780)[2 * i] = code;
        Ram(0xA780)[2 * i + 1] = colour;
    }
    // Sprite image of a code: value code & 3 everywhere but a marker of the
    // next value in the image's top-left corner.
    static void MarkImage(bool set1, uint8_t code) {
        uint8_t* image = set1 ? Sprites + (SpriteSet1 + code) * 256 : Sprites + (SpriteSet23 + code) * 256;
        std::fill(image, image + 256, uint8_t(code & 3));
        image[0] = uint8_t((code + 1) & 3);
    }
    // Expects the marked image of code at (x, y), read in order (bit 0 rows
    // reversed, bit 1 columns reversed); turned draws it turned.
    void ExpectPart(int x, int y, uint8_t code, int order, bool turned = false) {
        int markV = order & 1 ? 15 : 0, markU = order & 2 ? 15 : 0;
        for (int v = 0; v < 16; v++)
            for (int u = 0; u < 16; u++) {
                uint8_t expected = uint8_t(Fill + ((v == markV && u == markU) ? (code + 1) & 3 : code & 3));
                int px = turned ? x + v : x + u, py = turned ? y + 15 - u : y + v;
                ASSERT_EQ(Pixel(px, py), expected) << "part of " << int(code) << " at " << u << "," << v;
            }
    }
    int CountSpritePixels() const {
        int count = 0;
        for (int i = 0; i < FrameWidth * FrameHeight; i++)
            count += FrameBuffer[i] >= Fill && FrameBuffer[i] < Fill + 8;
        return count;
    }
    void Render(bool turned = false) {
        std::fill(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight, uint8_t(0xEE));
        turned ? RenderFrameModeX() : RenderFrame();
    }
};

TEST_F(RendererTest, BackgroundPlacementAndScroll) {
    for (int t = 0; t < 64; t++)
        std::fill_n(Tiles + t * 64, 64, uint8_t(t + 1));
    for (int r = 0; r < 32; r++)
        for (int m = 0; m < 64; m++)
            Ram(0xC800)[64 * r + m] = uint8_t((m + r) & 63);
    for (uint16_t scroll : {0x000, 0x007, 0x008, 0x1E8, 0x1FF, 0x0FF}) {
        ScrollValue = scroll;
        Render();
        int fine = scroll & 7, first = (scroll >> 3 & 63) + 2;
        for (int r = 1; r < 32; r++)
            for (int y = 12 - fine; y < 12 - fine + 304; y++)
                for (int x : {248 - 8 * r, 255 - 8 * r}) {
                    int m = (first + (y - 12 + fine) / 8) & 63;
                    ASSERT_EQ(Pixel(x, y), ((m + r) & 63) + 1) << scroll << " " << x << " " << y;
                }
        EXPECT_EQ(Pixel(250, 100), 0xEE); // map row 0 is never drawn
        EXPECT_EQ(Pixel(100, 12 - fine - 1), 0xEE);
    }
    // The named cases: scroll 0 starts with map byte 2 at row 12, 7 starts
    // seven rows higher, 8 a map byte later, 0x1E8 at byte 63 then 0, 1, ...
    ScrollValue = 0;
    Render();
    EXPECT_EQ(Pixel(240, 12), ((2 + 1) & 63) + 1);
    ScrollValue = 7;
    Render();
    EXPECT_EQ(Pixel(240, 5), ((2 + 1) & 63) + 1);
    ScrollValue = 8;
    Render();
    EXPECT_EQ(Pixel(240, 12), ((3 + 1) & 63) + 1);
    ScrollValue = 0x1E8;
    Render();
    EXPECT_EQ(Pixel(240, 12), ((63 + 1) & 63) + 1);
    EXPECT_EQ(Pixel(240, 20), ((0 + 1) & 63) + 1);
    EXPECT_EQ(Pixel(240, 12 + 8 * 37), ((36 + 1) & 63) + 1);
}

TEST_F(RendererTest, BackgroundColourCopyTileNumberAndFlips) {
    // Attribute 0x21 with code 0x85: copy 33 + 64, tile 256 + 0x85.
    std::fill_n(Tiles + ((33 + 64) * 512 + 256 + 0x85) * 64, 64, uint8_t(0xD5));
    ScrollValue = 0;
    Ram(0xB800)[64 * 5 + 2] = 0x21;
    Ram(0xC800)[64 * 5 + 2] = 0x85;
    // Tile 7 of copy 0 holds distinct pens; flips at map row 6.
    uint8_t* tile = Tiles + 7 * 64;
    for (int i = 0; i < 64; i++)
        tile[i] = uint8_t(0x80 + i);
    const uint8_t flips[4] = {0x00, 0x40, 0x80, 0xC0};
    for (int k = 0; k < 4; k++) {
        Ram(0xC800)[64 * 6 + 2 + k] = 7;
        Ram(0xB800)[64 * 6 + 2 + k] = flips[k];
    }
    Render();
    EXPECT_EQ(Pixel(248 - 40, 12), 0xD5);
    EXPECT_EQ(Pixel(255 - 40, 19), 0xD5);
    for (int k = 0; k < 4; k++)
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 8; x++) {
                int sy = flips[k] & 0x40 ? 7 - y : y, sx = flips[k] & 0x80 ? 7 - x : x;
                ASSERT_EQ(Pixel(248 - 48 + x, 12 + 8 * k + y), 0x80 + sy * 8 + sx) << k;
            }
}

TEST_F(RendererTest, AllSixteenSpriteFormsInBothSets) {
    // Codes at the parts (0,0), (0,16), (16,0), (16,16); -1: no such part.
    const int expected[16][4] = {
        {0x94, -1, -1, -1}, {0x94, 0x95, -1, -1}, {0x96, -1, 0x94, -1}, {0x96, 0x97, 0x94, 0x95},
        {0x94, -1, -1, -1}, {0x95, 0x94, -1, -1}, {0x96, -1, 0x94, -1}, {0x97, 0x96, 0x95, 0x94},
        {0x94, -1, -1, -1}, {0x94, 0x95, -1, -1}, {0x94, -1, 0x96, -1}, {0x94, 0x95, 0x96, 0x97},
        {0x94, -1, -1, -1}, {0x95, 0x94, -1, -1}, {0x94, -1, 0x96, -1}, {0x95, 0x94, 0x97, 0x96},
    };
    for (bool set1 : {false, true}) {
        uint8_t base = set1 ? 0x14 : 0x94;
        for (int c = 0; c < 4; c++)
            MarkImage(set1, uint8_t(base + c));
        for (int form = 0; form < 16; form++) {
            SetSprite(0, 99, 100, uint8_t((set1 ? 0x80 : 0) | form), base);
            for (bool turned : {false, true}) {
                if (turned) DecodeTilesModeX();
                Render(turned);
                int parts = 0;
                for (int p = 0; p < 4; p++) {
                    if (expected[form][p] < 0) continue;
                    parts++;
                    uint8_t code = uint8_t(expected[form][p] - 0x94 + base);
                    int dx = p & 2 ? 16 : 0, dy = p & 1 ? 16 : 0;
                    if (turned)
                        ExpectPart(100 - 24 + dy, 239 - 99 - dx, code, form >> 2, true);
                    else
                        ExpectPart(100 + dx, 100 - 24 + dy, code, form >> 2);
                }
                EXPECT_EQ(CountSpritePixels(), parts * 256) << form;
                if (turned) DecodeTilesWindow();
            }
        }
    }
}

TEST_F(RendererTest, SpritePlacementLimits) {
    for (uint8_t code = 0x10; code < 0x14; code++)
        MarkImage(false, code);
    auto drawn = [&](uint8_t x, uint16_t y, uint8_t attribute) {
        SetSprite(0, x, y, attribute, 0x10);
        Render();
        return CountSpritePixels() / 256;
    };
    EXPECT_EQ(drawn(0x00, 100, 0), 1);
    EXPECT_EQ(drawn(0xFF, 100, 0), 0); // column 0
    for (int x = 0xEF; x <= 0xFE; x++)
        EXPECT_EQ(drawn(uint8_t(x), 100, 0), 0) << x;
    EXPECT_EQ(drawn(0xEE, 100, 0), 1);
    EXPECT_EQ(drawn(0xFE, 100, 2), 1); // the right-hand part wraps to column 15
    ExpectPart(15, 76, 0x10, 0);

    EXPECT_EQ(drawn(50, 24, 0), 0); // top row 0
    EXPECT_EQ(drawn(50, 24, 1), 1); // its lower part at row 16
    ExpectPart(51, 16, 0x11, 0);
    EXPECT_EQ(drawn(50, 25, 0), 1);
    EXPECT_EQ(drawn(50, 327, 0), 1);
    ExpectPart(51, 303, 0x10, 0);
    EXPECT_EQ(drawn(50, 328, 0), 0);
    EXPECT_EQ(drawn(50, 312, 1), 1); // only the upper part: the lower would start at row 304
    for (uint16_t y : {0x200 + 100, 0x200 + 500, 0x300 + 30, 0xFF00 + 100, 0x1F8, 0x1FF}) {
        EXPECT_EQ(drawn(50, y, 3), 0) << y;
    }
    EXPECT_EQ(Pixel(51, 16), Ground);
}

TEST_F(RendererTest, SpriteSetsColoursPriorityAndTransparency) {
    // Set 1 codes from 0x40 draw the blank sprite: a square of entry 3.
    SetSprite(0, 50, 100, 0x80, 0x40, 5);
    SpriteColorLookup[5 * 8 + 3] = 0xC3;
    Render();
    for (int y = 76; y < 92; y++)
        for (int x = 51; x < 67; x++)
            ASSERT_EQ(Pixel(x, y), 0xC3);
    SpriteColorLookup[5 * 8 + 3] = 0; // transparent only when that entry is 0
    Render();
    EXPECT_EQ(Pixel(51, 76), Ground);

    // Colours 64-255 use colour & 63.
    MarkImage(false, 0x22);
    SpriteColorLookup[7 * 8 + 2] = 0xC7;
    SetSprite(0, 50, 100, 0, 0x22, 64 + 7);
    Render();
    EXPECT_EQ(Pixel(60, 80), 0xC7);
    SetSprite(0, 50, 100, 0, 0x22, 0xC7);
    Render();
    EXPECT_EQ(Pixel(60, 80), 0xC7);

    // The higher sprite number lies on top; a pen of 0 shows what is behind.
    MarkImage(false, 0x21);
    SpriteColorLookup[1 * 8 + 1] = 0xB1;
    SpriteColorLookup[1 * 8 + 2] = 0;
    SetSprite(0, 50, 100, 0, 0x21, 1);
    SetSprite(1, 50, 100, 0, 0x22, 0);
    Render();
    EXPECT_EQ(Pixel(60, 80), Fill + 2);
    SetSprite(0, 50, 100, 0, 0x22, 0);
    SetSprite(1, 50, 100, 0, 0x21, 1);
    Render();
    EXPECT_EQ(Pixel(60, 80), 0xB1);
    EXPECT_EQ(Pixel(51, 76), Fill + 3); // the marker value 2 of code 0x21 is transparent in colour 1
}

TEST_F(RendererTest, ForegroundCharacters) {
    std::fill_n(Ram(0xC000), 0x800, uint8_t(0x24));
    std::fill_n(Characters + 0x24 * 64, 64, uint8_t(1)); // the blank code is never drawn
    std::fill_n(Characters + 0x00 * 64, 64, uint8_t(1));
    Characters[(1 * 256 + 0x31) * 64 + 0 * 8 + 6] = 1; // flip set 1 of character 0x31
    Ram(0xC000)[64 * 2 + 4] = 0x00;
    Ram(0xB000)[64 * 2 + 4] = 0x05;
    Ram(0xC000)[64 * 30 + 39] = 0x00;
    Ram(0xB000)[64 * 30 + 39] = 0x3F;
    Ram(0xC000)[64 * 10 + 20] = 0x31;
    Ram(0xB000)[64 * 10 + 20] = 0x41;
    for (int r : {0, 1, 31})
        for (int c = 0; c < 64; c++)
            Ram(0xC000)[64 * r + c] = 0x00;
    for (int r = 2; r < 31; r++)
        for (int c : {0, 1, 2, 3, 40, 63})
            Ram(0xC000)[64 * r + c] = 0x00;
    Render();
    int drawn = 0;
    for (int i = 0; i < FrameWidth * FrameHeight; i++)
        drawn += FrameBuffer[i] != Ground && FrameBuffer[i] != 0xEE;
    EXPECT_EQ(drawn, 64 + 64 + 1);
    for (int y = 16; y < 24; y++)
        for (int x = 234; x < 242; x++)
            EXPECT_EQ(Pixel(x, y), CharColorTable[5]);
    EXPECT_EQ(Pixel(10, 296), CharColorTable[63]);
    EXPECT_EQ(Pixel(17, 303), CharColorTable[63]);
    EXPECT_EQ(Pixel(250 - 80 + 6, 8 * 20 - 16), CharColorTable[1]);
}

TEST_F(RendererTest, TurnedPlacementOfSprites) {
    for (uint8_t code = 0x10; code < 0x14; code++)
        MarkImage(false, code);
    DecodeTilesModeX();
    auto drawn = [&](uint8_t x, uint16_t y, uint8_t attribute) {
        SetSprite(0, x, y, attribute, 0x10);
        Render(true);
        return CountSpritePixels() / 256;
    };
    EXPECT_EQ(drawn(99, 150, 0), 1);
    ExpectPart(126, 140, 0x10, 0, true); // rows 140-155, columns 126-141
    EXPECT_EQ(drawn(99, 150, 2), 2);
    ExpectPart(126, 124, 0x10, 0, true);
    EXPECT_EQ(drawn(0xFF, 150, 0), 0); // row 240
    EXPECT_EQ(drawn(0xFF, 150, 2), 1);
    ExpectPart(126, 224, 0x10, 0, true);
    EXPECT_EQ(drawn(0xEE, 150, 0), 1);
    ExpectPart(126, 1, 0x10, 0, true);
    EXPECT_EQ(drawn(99, 24, 0), 0);
    EXPECT_EQ(drawn(99, 24, 1), 1);
    ExpectPart(16, 140, 0x11, 0, true);
    EXPECT_EQ(drawn(99, 327, 0), 1);
    ExpectPart(303, 140, 0x10, 0, true);
    EXPECT_EQ(drawn(99, 328, 0), 0);
    for (uint16_t y : {0x200 + 30, 0x200 + 100, 0x300, 0x1F8})
        EXPECT_EQ(drawn(99, y, 3), 0) << y;
}

TEST_F(RendererTest, BlittersAcceptWholePartsOnly) {
    MarkImage(false, 0x10);
    auto count = [&](const SpriteBlitter* members, uint32_t place) {
        std::fill(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight, uint8_t(0));
        members[4](place, 0x1000);
        return CountSpritePixels();
    };
    for (uint32_t column : {0u, 240u, 255u})
        EXPECT_EQ(count(BlitSprite16, 100 * 512 + column), 0);
    EXPECT_EQ(count(BlitSprite16, 24 * 512 + 100), 0);
    EXPECT_EQ(count(BlitSprite16, 328 * 512 + 100), 0);
    EXPECT_EQ(count(BlitSprite16, 10 * 512 + 100), 0); // above the offset of 24 rows
    EXPECT_EQ(count(BlitSprite16, 25 * 512 + 1), 256);
    ExpectPart(1, 1, 0x10, 0);
    EXPECT_EQ(count(BlitSprite16, 327 * 512 + 239), 256);
    ExpectPart(239, 303, 0x10, 0);
    EXPECT_EQ(Pixel(254, 318), Fill + 0);

    EXPECT_EQ(count(BlitSprite16ModeX, 140 * 512 + 150), 256);
    ExpectPart(126, 140, 0x10, 0, true);
    EXPECT_EQ(count(BlitSprite16ModeX, 240 * 512 + 150), 0);
    EXPECT_EQ(count(BlitSprite16ModeX, 0 * 512 + 150), 0);
    EXPECT_EQ(count(BlitSprite16ModeX, 100 * 512 + 24), 0);  // column 0
    EXPECT_EQ(count(BlitSprite16ModeX, 100 * 512 + 328), 0); // column 304
    EXPECT_EQ(count(BlitSprite16ModeX, 10), 0);
    EXPECT_EQ(count(BlitSprite16ModeX, 239 * 512 + 327), 256);

    uint8_t zeros[64] = {}, ones[64];
    std::fill_n(ones, 64, uint8_t(1));
    std::fill(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight, uint8_t(0x11));
    DrawCharacter(FrameBuffer + 40 * FrameWidth + 40, zeros, 0x99);
    DrawCharacterModeX(FrameBuffer + 40 * FrameWidth + 40, zeros, 0x99);
    EXPECT_EQ(std::count(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight, 0x11),
              FrameWidth * FrameHeight);
    DrawCharacter(FrameBuffer + 40 * FrameWidth + 40, ones, 0x99);
    EXPECT_EQ(std::count(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight, 0x99), 64);
    EXPECT_EQ(Pixel(47, 47), 0x99);
    uint8_t corner[64] = {1};
    DrawCharacterModeX(FrameBuffer + 100 * FrameWidth + 100, corner, 0x77);
    EXPECT_EQ(Pixel(100, 107), 0x77);
}

// For random graphics, video RAM and scroll, the turned picture is the
// upright picture turned a quarter turn anticlockwise.
TEST_F(RendererTest, TurnedPictureIsTheUprightPictureTurned) {
    std::mt19937 random(1234);
    auto randomise = [&](std::vector<uint8_t>& bytes) {
        for (uint8_t& byte : bytes)
            byte = uint8_t(random());
    };
    for (auto member : {&GameData::characters, &GameData::tilesA, &GameData::tilesB, &GameData::sprites1,
                        &GameData::sprites2, &GameData::sprites3, &GameData::spritePlane3,
                        &GameData::tileColorProm, &GameData::spriteColorProm})
        randomise(images[member]);
    Build();
    std::vector<uint8_t> upright(FrameWidth * FrameHeight);
    for (int round = 0; round < 40; round++) {
        for (int i = 0; i < 0x4000; i++)
            SharedRam[i] = uint8_t(random());
        for (int i = 0; i < 64; i++) { // Y high bytes mostly 0 and 1, now and then above
            uint32_t pick = random() % 8;
            Ram(0x9781)[2 * i] = uint8_t(pick < 3 ? 0 : pick < 6 ? 1 : random());
        }
        ScrollValue = uint16_t(random() & 0x1FF);
        DecodeTilesWindow();
        Render();
        std::copy(FrameBuffer, FrameBuffer + upright.size(), upright.begin());
        DecodeTilesModeX();
        Render(true);
        for (int y = PictureTop; y < PictureTop + PictureHeight; y++)
            for (int x = PictureLeft; x < PictureLeft + PictureWidth; x++)
                ASSERT_EQ(Pixel(y, 255 - x), upright[y * FrameWidth + x]) << round << ": " << x << "," << y;
    }
}

TEST_F(RendererTest, FullScreenCopies) {
    for (int i = 0; i < FrameWidth * FrameHeight; i++)
        FrameBuffer[i] = uint8_t(i * 7 + i / 512);
    const ptrdiff_t pitch = 704;
    std::vector<uint8_t> surface(pitch * 480, 0xEE);
    CopyPictureFullScreen(surface.data(), pitch);
    EXPECT_EQ(surface[96 * pitch + 208], Pixel(16, 16));
    EXPECT_EQ(surface[(96 + 287) * pitch + 208 + 223], Pixel(239, 303));
    EXPECT_EQ(surface[96 * pitch + 207], 0xEE);
    EXPECT_EQ(surface[96 * pitch + 208 + 224], 0xEE);
    EXPECT_EQ(surface[(96 + 288) * pitch + 208], 0xEE);

    std::vector<uint8_t> card(640 * 480);
    for (size_t i = 0; i < card.size(); i++)
        card[i] = uint8_t(i % 251);
    CopyCard(card.data(), 640, surface.data(), pitch);
    EXPECT_EQ(surface[479 * pitch + 639], card[479 * 640 + 639]);
    EXPECT_EQ(surface[479 * pitch + 640], 0xEE);

    const ptrdiff_t modeXPitch = 336;
    std::vector<uint8_t> small(modeXPitch * 240, 0xEE);
    FillBytes(small.data(), modeXPitch, 320, 240, 0);
    CopyPictureModeX(small.data(), modeXPitch);
    EXPECT_EQ(small[8 * modeXPitch + 16], Pixel(16, 16));
    EXPECT_EQ(small[(8 + 223) * modeXPitch + 16 + 287], Pixel(303, 239));
    EXPECT_EQ(small[8 * modeXPitch + 15], 0);
    EXPECT_EQ(small[7 * modeXPitch + 16], 0);
    EXPECT_EQ(small[(8 + 224) * modeXPitch + 16], 0);
    EXPECT_EQ(small[8 * modeXPitch + 16 + 288], 0);
    EXPECT_EQ(small[8 * modeXPitch + 320], 0xEE);
}

} // namespace
} // namespace zarkolt_test
