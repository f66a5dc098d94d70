// The upright and the turned renderer: one scene walk, one sprite piece body.
#include "boards/kluno/renderer.h"

#include <cstring>

#include "boards/common/picture_copy.h"
#include "boards/kluno/graphics.h"
#include "boards/kluno/machine.h"

namespace kluno {

namespace {

// The entries of a fixed row's 32-byte line in drawing order, right to left.
constexpr uint8_t FixedRowEntries[28] = {2, 3, 4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                         0, 1, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29};
struct FixedRow {
    uint16_t line; // video offset of the line
    uint16_t row;  // upright frame row
};
constexpr FixedRow FixedRows[4] = {{0x780, 288}, {0x7A0, 296}, {0x7C0, 16}, {0x7E0, 24}};

// Frame-buffer position of the upright cell at (column, row).
uint8_t* Cell(bool turned, int column, int row) {
    return turned ? FrameBuffer + (248 - column) * FrameWidth + row : FrameBuffer + row * FrameWidth + column;
}

template <bool Front> void CopyCharacter(uint8_t* destination, const uint8_t* image) {
    for (int row = 0; row < 8; row++) {
        for (int half = 0; half < 8; half += 4) {
            uint32_t pixels;
            std::memcpy(&pixels, image + row * 8 + half, 4);
            if (Front) pixels -= 0x20202020; // every pen is 0x80 or more: no borrow
            std::memcpy(destination + row * FrameWidth + half, &pixels, 4);
        }
    }
}

template <bool Turned> bool PieceVisible(uint32_t row, uint32_t column) {
    return Turned ? column - 1 < 303 && row - 1 < 239 : column - 1 < 239 && row - 1 < 303;
}

// The one body of every sprite piece drawer.
template <bool Turned, bool FlipRows, bool FlipColumns>
void DrawPiece(uint32_t row, uint32_t column, uint32_t image) {
    if (!PieceVisible<Turned>(row, column)) return;
    const uint8_t* pixels = SpriteImages + (image & 0xFFF) * 256;
    uint8_t* destination = FrameBuffer + row * FrameWidth + column;
    for (int y = 0; y < 16; y++) {
        uint8_t* line = destination + y * FrameWidth;
        for (int x = 0; x < 16; x++) {
            int r = Turned ? x : y, c = Turned ? 15 - y : x;
            uint8_t pen = pixels[(FlipRows ? 15 - r : r) * 16 + (FlipColumns ? 15 - c : c)];
            line[x] = pen != TransparentPen && line[x] >= LowestCoveredPen ? pen : line[x];
        }
    }
}

template <bool Turned> void DrawPiece(int flips, uint32_t row, uint32_t column, uint32_t image) {
    switch (flips) {
        case 0: DrawPiece<Turned, false, false>(row, column, image); break;
        case 1: DrawPiece<Turned, true, false>(row, column, image); break;
        case 2: DrawPiece<Turned, false, true>(row, column, image); break;
        default: DrawPiece<Turned, true, true>(row, column, image); break;
    }
}

template <bool Turned> void DrawSprites(const uint8_t* ram) {
    for (int i = 0; i < 64; i++) {
        uint32_t image = uint32_t(ram[0x1781 + 2 * i] << 8 | ram[0x1780 + 2 * i]) & 0xFFF;
        uint32_t column = uint32_t(ram[0x1F80 + 2 * i] - 1) & 0xFF;
        uint32_t row = uint32_t(256 * ram[0x2781 + 2 * i] + ram[0x1F81 + 2 * i] - 24) & 0x1FF;
        int form = ram[0x2780 + 2 * i] & 0x0F;
        for (uint32_t down = 0; down <= (form & 4 ? 1u : 0u); down++) {
            for (uint32_t across = 0; across <= (form & 8 ? 1u : 0u); across++) {
                uint32_t piece = image;
                if (form & 4) piece = (piece & ~1u) | ((form & 1) ^ down);
                if (form & 8) piece = (piece & ~2u) | ((form >> 1 & 1) ^ 1 ^ across) << 1;
                uint32_t pieceRow = row + 16 * down, pieceColumn = (column + 16 * across) & 0xFF;
                if (Turned)
                    DrawPiece<true>(form & 3, (240 - pieceColumn) & 0xFF, pieceRow, piece);
                else
                    DrawPiece<false>(form & 3, pieceRow, pieceColumn, piece);
            }
        }
    }
}

template <bool Turned> void DrawCells(const uint8_t* ram, uint32_t scroll, CharacterDrawer draw) {
    const uint8_t* codes = ram;
    const uint8_t* attributes = ram + 0x800;
    int fine = int(scroll & 7);
    int first = int(scroll >> 3) * 32;
    for (int k = 0; k < 29; k++)
        for (int t = 0; t < 32; t++) {
            int offset = first + 32 * k + t;
            draw(Cell(Turned, 232 + fine - 8 * k, 32 + 8 * t), codes[offset], attributes[offset]);
        }
    for (const FixedRow& fixed : FixedRows)
        for (int j = 0; j < 28; j++) {
            int offset = fixed.line + FixedRowEntries[j];
            draw(Cell(Turned, 232 - 8 * j, fixed.row), codes[offset], attributes[offset]);
        }
}

template <bool Turned> void Draw(const uint8_t* ram, uint32_t scroll, CharacterDrawer draw) {
    DrawCells<Turned>(ram, scroll, draw);
    DrawSprites<Turned>(ram);
}

template <bool Turned, bool FlipRows, bool FlipColumns> void Blit(uint32_t position, uint32_t image) {
    DrawPiece<Turned, FlipRows, FlipColumns>(position / FrameWidth, position % FrameWidth, image);
}

} // namespace

void DrawCharacter(uint8_t* destination, uint8_t code, uint8_t attribute) {
    const uint8_t* image = CharacterImages + ((attribute << 8 | code) & 0x3FFF) * 64;
    if (attribute & 0x40)
        CopyCharacter<true>(destination, image);
    else
        CopyCharacter<false>(destination, image);
}

void DrawColourSetCharacter(uint8_t* destination, uint8_t code, uint8_t attribute) {
    CopyCharacter<false>(destination, ColourSetCharacterImages + ((attribute << 8 | code) & 0x7FFF) * 64);
}

void DrawScene(const uint8_t* ram, uint32_t scroll, CharacterDrawer draw, bool turned) {
    if (turned)
        Draw<true>(ram, scroll, draw);
    else
        Draw<false>(ram, scroll, draw);
}

void RenderFrame() {
    Draw<false>(MainRam, ScrollValue, DrawCharacter);
}

void RenderFrameModeX() {
    Draw<true>(MainRam, ScrollValue, DrawCharacter);
}

void BlitSprite16(uint32_t position, uint32_t image) {
    Blit<false, false, false>(position, image);
}
void BlitSprite16FlipRows(uint32_t position, uint32_t image) {
    Blit<false, true, false>(position, image);
}
void BlitSprite16FlipColumns(uint32_t position, uint32_t image) {
    Blit<false, false, true>(position, image);
}
void BlitSprite16FlipBoth(uint32_t position, uint32_t image) {
    Blit<false, true, true>(position, image);
}
void BlitSprite16ModeX(uint32_t position, uint32_t image) {
    Blit<true, false, false>(position, image);
}
void BlitSprite16ModeXFlipRows(uint32_t position, uint32_t image) {
    Blit<true, true, false>(position, image);
}
void BlitSprite16ModeXFlipColumns(uint32_t position, uint32_t image) {
    Blit<true, false, true>(position, image);
}
void BlitSprite16ModeXFlipBoth(uint32_t position, uint32_t image) {
    Blit<true, true, true>(position, image);
}

void CopyPictureFullScreen(uint8_t* surface, ptrdiff_t pitch) {
    boards::CopyUprightPicture(FrameBuffer, surface, pitch);
}

void CopyPictureModeX(uint8_t* surface, ptrdiff_t pitch) {
    boards::CopyTurnedPicture(FrameBuffer, surface, pitch);
}

} // namespace kluno
