// The renderers: playfield and fixed-row geometry, scrolling, front
// characters, sprite forms, clipping and priority, the piece drawers, the
// turned picture and the full-screen copies.
#include <random>

#include "tests/kluno/support.h"

namespace kluno_test {
namespace {

using namespace kluno;

constexpr uint8_t Marked = 0x8E; // the pen of character 1 in set 0

class KlunoRenderer : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp(); // every character pen 0x80, every sprite pen 0x70
        std::memset(CharacterImages + 64, Marked, 64);
        std::memset(SpriteImages, TransparentPen, sizeof SpriteImages);
        ScrollValue = 0;
    }
    // Draws on a frame buffer of plain character pens.
    void Render(bool turned = false) {
        std::memset(FrameBuffer, 0x80, FrameWidth * FrameHeight);
        turned ? RenderFrameModeX() : RenderFrame();
    }
    uint8_t Pixel(int column, int row) const { return FrameBuffer[row * FrameWidth + column]; }
    // Top-left corner and number of the pixels of pen in the picture area.
    std::tuple<int, int, int> Find(uint8_t pen) const {
        int column = -1, row = -1, count = 0;
        for (int y = 0; y < FrameHeight; y++)
            for (int x = 0; x < FrameWidth; x++)
                if (Pixel(x, y) == pen) {
                    if (!count++) row = y;
                    if (column < 0 || x < column) column = x;
                }
        return {column, row, count};
    }
    // Sprite i with code, colour set, column byte, 9-bit row byte pair and form.
    void SetSprite(int i, uint8_t code, uint8_t set, uint8_t columnByte, int rowPosition, uint8_t form) {
        MainRam[0x1780 + 2 * i] = code;
        MainRam[0x1781 + 2 * i] = set;
        MainRam[0x1F80 + 2 * i] = columnByte;
        int position = (rowPosition + 24) & 0x1FF; // the renderer takes 24 off
        MainRam[0x1F81 + 2 * i] = uint8_t(position);
        MainRam[0x2781 + 2 * i] = uint8_t(position >> 8);
        MainRam[0x2780 + 2 * i] = form;
    }
    // Gives sprite image (set 0) code the uniform pen 0x70 | (code & 15).
    void UniformSprite(uint8_t code) { std::memset(SpriteImages + code * 256, 0x70 | (code & 15), 256); }
};

TEST_F(KlunoRenderer, PlayfieldScrollAndFixedRows) {
    struct Case {
        uint32_t scroll;
        uint16_t offset;
        int column, row;
    };
    const Case cases[] = {
        {0, 0x000, 232, 32},  {7, 0x000, 239, 32},  {8, 0x020, 232, 32},   {0, 0x021, 224, 40},
        {0, 0x01F, 232, 280}, {0, 0x380, 8, 32},    {255, 0x3E0, 239, 32}, {0, 0x782, 232, 288},
        {0, 0x780, 120, 288}, {0, 0x781, 112, 288}, {0, 0x792, 104, 288},  {0, 0x79D, 16, 288},
        {0, 0x7BD, 16, 296},  {0, 0x7C2, 232, 16},  {0, 0x7E2, 232, 24},
    };
    for (const Case& c : cases) {
        std::memset(MainRam, 0, 0x1000);
        MainRam[c.offset] = 1;
        ScrollValue = c.scroll;
        Render();
        EXPECT_EQ(Find(Marked), std::make_tuple(c.column, c.row, 64)) << std::hex << c.offset;
    }
    for (uint16_t hidden : {0x790, 0x791, 0x79E, 0x79F, 0x7F0, 0x7FF}) {
        std::memset(MainRam, 0, 0x1000);
        MainRam[hidden] = 1;
        Render();
        EXPECT_EQ(std::get<2>(Find(Marked)), 0) << std::hex << hidden;
    }
}

TEST_F(KlunoRenderer, AttributesPickColourSetAndFront) {
    std::memset(CharacterImages + (0x3F << 8 | 0x22) * 64, 0x8D, 64);
    MainRam[0] = 0x22;
    MainRam[0x800] = 0xFF; // bit 7 ignored, set 63, in front
    MainRam[1] = 1;
    MainRam[0x801] = 0x40;
    Render();
    EXPECT_EQ(Pixel(232, 32), 0x6D);
    EXPECT_EQ(Pixel(239, 47), 0x6E);
    EXPECT_EQ(Pixel(224, 32), 0x80);
}

TEST_F(KlunoRenderer, SpriteFormsPlacesAndClipping) {
    for (int code = 0x40; code < 0x48; code++)
        UniformSprite(uint8_t(code));
    UniformSprite(0x01);
    struct Piece {
        int column, row;
        uint8_t pen;
    };
    struct Case {
        uint8_t code, columnByte;
        int row;
        uint8_t form;
        std::vector<Piece> pieces;
    };
    const Case cases[] = {
        {0x01, 0x65, 100, 0, {{100, 100, 0x71}}},
        {0x41, 0x65, 100, 4, {{100, 100, 0x70}, {100, 116, 0x71}}},
        {0x41, 0x65, 100, 5, {{100, 100, 0x71}, {100, 116, 0x70}}},
        {0x40, 0x65, 100, 8, {{100, 100, 0x72}, {116, 100, 0x70}}},
        {0x40, 0x65, 100, 10, {{100, 100, 0x70}, {116, 100, 0x72}}},
        {0x44, 0x65, 100, 12, {{100, 100, 0x76}, {116, 100, 0x74}, {100, 116, 0x77}, {116, 116, 0x75}}},
        {0x01, 0x00, 100, 0, {}},                 // column 255
        {0x01, 0x01, 100, 0, {}},                 // column 0
        {0x01, 0x02, 100, 0, {{1, 100, 0x71}}},   // column 1
        {0x01, 0xF0, 100, 0, {{239, 100, 0x71}}}, // column 239
        {0x01, 0xF1, 100, 0, {}},                 // column 240
        {0x01, 0x65, 0, 0, {}},                   // row 0
        {0x01, 0x65, 1, 0, {{100, 1, 0x71}}},     // row 1
        {0x01, 0x65, 303, 0, {{100, 303, 0x71}}}, // row 303
        {0x01, 0x65, 304, 0, {}},                 // row 304
        {0x01, 0x65, 496, 0, {}},                 // row -16
        {0x40, 0xE9, 100, 8, {{232, 100, 0x72}}}, // second piece at 248: skipped
        {0x40, 0xF9, 100, 8, {{8, 100, 0x70}}},   // first piece at 248, second wraps to 8
        {0x41, 0x65, 296, 4, {{100, 296, 0x70}}}, // second piece at row 312: skipped
    };
    for (const Case& c : cases) {
        std::memset(MainRam, 0, sizeof MainRam);
        SetSprite(5, c.code, 0, c.columnByte, c.row, c.form);
        Render();
        SCOPED_TRACE(testing::Message() << "code " << int(c.code) << " column byte " << int(c.columnByte)
                                        << " row " << c.row << " form " << int(c.form));
        int drawn = 0;
        for (int pen = 0x70; pen < 0x7F; pen++)
            drawn += std::get<2>(Find(uint8_t(pen)));
        EXPECT_EQ(drawn, 256 * int(c.pieces.size()));
        for (const Piece& piece : c.pieces) {
            EXPECT_EQ(Pixel(piece.column, piece.row), piece.pen);
            EXPECT_EQ(Pixel(piece.column + 15, piece.row + 15), piece.pen);
        }
    }
}

TEST_F(KlunoRenderer, SpritePriorityAndTransparency) {
    UniformSprite(0x01);
    UniformSprite(0x02);
    SpriteImages[0x01 * 256 + 17] = TransparentPen;  // (row 1, column 1)
    std::memset(CharacterImages + 2 * 64, 0x85, 64); // code 2: front pen 0x65
    std::memset(CharacterImages + 3 * 64, 0x8F, 64); // code 3: front pen 0x6F
    MainRam[0] = 2;                                  // column 232, rows 32-39
    MainRam[0x800] = 0x40;
    MainRam[0x20] = 3; // column 224, rows 32-39
    MainRam[0x820] = 0x40;
    SetSprite(0, 0x01, 0, 0xE1, 32, 0);  // columns 224-239, over both
    SetSprite(63, 0x02, 0, 0xE9, 40, 0); // columns 232-247, over sprite 0
    Render();
    EXPECT_EQ(Pixel(232, 32), 0x65); // front pen 0x65 hides the sprite
    EXPECT_EQ(Pixel(224, 32), 0x71); // 0x6F does not
    EXPECT_EQ(Pixel(225, 33), 0x6F); // a transparent pixel shows what is under it
    EXPECT_EQ(Pixel(224, 40), 0x71); // over a plain character
    EXPECT_EQ(Pixel(232, 41), 0x72); // sprite 63 over sprite 0
}

TEST_F(KlunoRenderer, PieceDrawersOfTheFamily) {
    SpriteImages[(3 << 8 | 0x10) * 256] = 0x75; // image (row 0, column 0); the rest transparent
    using Drawer = void (*)(uint32_t, uint32_t);
    struct Case {
        Drawer draw;
        int column, row; // where image (0, 0) lands for a piece at (100, 50)
    };
    const Case cases[] = {
        {BlitSprite16, 100, 50},
        {BlitSprite16FlipRows, 100, 65},
        {BlitSprite16FlipColumns, 115, 50},
        {BlitSprite16FlipBoth, 115, 65},
        {BlitSprite16ModeX, 100, 65},
        {BlitSprite16ModeXFlipRows, 115, 65},
        {BlitSprite16ModeXFlipColumns, 100, 50},
        {BlitSprite16ModeXFlipBoth, 115, 50},
    };
    for (const Case& c : cases) {
        std::memset(FrameBuffer, 0x80, FrameWidth * FrameHeight);
        c.draw(50 * FrameWidth + 100, 0xF310); // the index keeps its low 12 bits
        EXPECT_EQ(Find(0x75), std::make_tuple(c.column, c.row, 1)) << &c - cases;
    }
    // The skip tests of both orientations.
    struct Skip {
        Drawer draw;
        int column, row;
        bool drawn;
    };
    const Skip skips[] = {
        {BlitSprite16, 0, 50, false},        {BlitSprite16, 239, 50, true},
        {BlitSprite16, 240, 50, false},      {BlitSprite16, 100, 0, false},
        {BlitSprite16, 100, 303, true},      {BlitSprite16, 100, 304, false},
        {BlitSprite16ModeX, 0, 50, false},   {BlitSprite16ModeX, 303, 50, true},
        {BlitSprite16ModeX, 304, 50, false}, {BlitSprite16ModeX, 100, 0, false},
        {BlitSprite16ModeX, 100, 239, true}, {BlitSprite16ModeX, 100, 240, false},
    };
    for (const Skip& s : skips) {
        std::memset(FrameBuffer, 0x80, FrameWidth * FrameHeight);
        s.draw(uint32_t(s.row * FrameWidth + s.column), 0x310);
        EXPECT_EQ(std::get<2>(Find(0x75)), s.drawn ? 1 : 0) << s.column << "," << s.row;
    }
}

// The turned picture is the upright picture turned, for any video RAM.
TEST_F(KlunoRenderer, TurnedPictureIsTheUprightOneTurned) {
    std::mt19937 random(99);
    for (Image GameData::*image :
         {&GameData::characters, &GameData::characterLookup, &GameData::sprites, &GameData::spriteLookup})
        for (uint8_t& byte : images[image])
            byte = uint8_t(random());
    for (int round = 0; round < 4; round++) {
        Build();
        for (uint8_t& byte : MainRam)
            byte = uint8_t(random());
        for (int i = 0; i < 64; i++) // keep most sprites on the picture
            MainRam[0x2781 + 2 * i] &= uint8_t(round == 3 ? 0xFF : 0xFE);
        ScrollValue = random() & 0xFF;
        std::memset(FrameBuffer, 0x90, FrameWidth * FrameHeight);
        RenderFrame();
        std::vector<uint8_t> upright(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight);
        DecodeCharactersModeX();
        std::memset(FrameBuffer, 0x91, FrameWidth * FrameHeight);
        RenderFrameModeX();
        for (int y = 16; y < 304; y++)
            for (int x = 16; x < 240; x++)
                ASSERT_EQ(Pixel(y, 255 - x), upright[size_t(y * FrameWidth + x)]) << x << "," << y;
    }
}

TEST_F(KlunoRenderer, FullScreenCopies) {
    for (int y = 0; y < FrameHeight; y++)
        for (int x = 0; x < FrameWidth; x++)
            FrameBuffer[y * FrameWidth + x] = uint8_t(x ^ y);
    std::vector<uint8_t> surface(700 * 480, 1);
    CopyPictureFullScreen(surface.data(), 700);
    EXPECT_EQ(surface[96 * 700 + 208], Pixel(16, 16));
    EXPECT_EQ(surface[(96 + 287) * 700 + 208 + 223], Pixel(239, 303));
    EXPECT_EQ(surface[(96 + 288) * 700 + 208], 1);
    EXPECT_EQ(surface[96 * 700 + 208 + 224], 1);
    std::vector<uint8_t> small(336 * 240, 1);
    CopyPictureModeX(small.data(), 336);
    EXPECT_EQ(small[8 * 336 + 16], Pixel(16, 16));
    EXPECT_EQ(small[(8 + 223) * 336 + 16 + 287], Pixel(303, 239));
    EXPECT_EQ(small[(8 + 224) * 336 + 16], 1);
}

} // namespace
} // namespace kluno_test
