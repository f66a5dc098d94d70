// The upright and the turned renderer. Both walk the same video RAM with the
// same code; a template argument picks where each tile, sprite part and
// character lands and which blitters draw it.
#include "boards/zarkolt/renderer.h"

#include <cstring>

#include "boards/zarkolt/blitters.h"
#include "boards/zarkolt/graphics.h"
#include "boards/zarkolt/machine.h"

namespace zarkolt {

namespace {

// Copies one 8 x 8 tile, every byte, with its rows and/or the bytes within
// its rows reversed.
void CopyTile(uint8_t* destination, const uint8_t* tile, bool rowsReversed, bool bytesReversed) {
    for (int row = 0; row < 8; row++) {
        uint64_t bytes;
        std::memcpy(&bytes, tile + (rowsReversed ? 7 - row : row) * 8, 8);
        if (bytesReversed) bytes = __builtin_bswap64(bytes);
        std::memcpy(destination + row * FrameWidth, &bytes, 8);
    }
}

// Map rows 1-31 of 38 tiles each, scrolled. Upright, map row r is the strip
// at column 248 - 8r and the scroll moves it up; turned, it is the band at
// row 8r and the scroll moves it left.
template <bool Turned> void DrawBackground() {
    const uint8_t* attributes = Ram(0xB800);
    const uint8_t* codes = Ram(0xC800);
    int fine = ScrollValue & 7;
    int first = (ScrollValue >> 3 & 63) + 2;
    for (int r = 1; r < 32; r++) {
        for (int k = 0; k < 38; k++) {
            int m = (first + k) & 63;
            uint8_t a = attributes[64 * r + m];
            uint8_t n = codes[64 * r + m];
            int copy = (a & 63) + (n & 0x80 ? 64 : 0);
            int tile = (a & 1) * 256 + n;
            const uint8_t* image = Tiles + (copy * 512 + tile) * 64;
            int along = 12 - fine + 8 * k;
            if (Turned)
                CopyTile(FrameBuffer + 8 * r * FrameWidth + along, image, a & 0x80, a & 0x40);
            else
                CopyTile(FrameBuffer + along * FrameWidth + 248 - 8 * r, image, a & 0x40, a & 0x80);
        }
    }
}

// The code of a sprite part at (dx, dy): on a doubled axis the code's bit
// for that axis says which half the part is, mirrored by the flip.
uint32_t PartCode(uint32_t code, uint8_t attribute, int dx, int dy) {
    if (attribute & 1) code = (code & ~1u) | ((dy == 16) ^ (attribute >> 2 & 1));
    if (attribute & 2) code = (code & ~2u) | ((dx == 0) ^ (attribute >> 3 & 1)) << 1;
    return code;
}

template <bool Turned> void DrawSprites() {
    const uint8_t* xy = Ram(0x8780);         // X, Y low byte
    const uint8_t* attributes = Ram(0x9780); // attribute, Y high byte
    const uint8_t* codes = Ram(0xA780);      // code, colour
    for (int i = 0; i < 64; i++) {
        uint32_t x = xy[2 * i];
        uint32_t y = attributes[2 * i + 1] << 8 | xy[2 * i + 1];
        // A Y of 512 or more lies below every visible row of the upright
        // picture; both renderers skip it, so the two pictures stay turns
        // of each other.
        if (y >= 512) continue;
        uint8_t attribute = attributes[2 * i];
        uint32_t code = codes[2 * i];
        uint32_t colour = codes[2 * i + 1];
        int member = (attribute & 0x80 ? 0 : 4) | (attribute >> 2 & 3);
        for (int dy = 0; dy <= (attribute & 1 ? 16 : 0); dy += 16) {
            for (int dx = 0; dx <= (attribute & 2 ? 16 : 0); dx += 16) {
                uint32_t codeColour = PartCode(code, attribute, dx, dy) << 8 | colour;
                if (Turned) {
                    uint32_t row = (239 - x - dx) & 255;
                    BlitSprite16ModeX[member](row * FrameWidth + y + dy, codeColour);
                } else {
                    uint32_t column = (x + 1 + dx) & 255;
                    BlitSprite16[member]((y + dy) * FrameWidth + column, codeColour);
                }
            }
        }
    }
}

// Map rows 2-30, bytes 4-39; code 0x24 is blank.
template <bool Turned> void DrawForeground() {
    const uint8_t* codes = Ram(0xC000);
    const uint8_t* attributes = Ram(0xB000);
    for (int r = 2; r < 31; r++) {
        for (int c = 4; c < 40; c++) {
            uint8_t n = codes[64 * r + c];
            if (n == 0x24) continue;
            uint8_t a = attributes[64 * r + c];
            const uint8_t* image = Characters + ((a >> 6) * 256 + n) * 64;
            uint8_t pen = CharColorTable[a & 63];
            if (Turned)
                DrawCharacterModeX(FrameBuffer + (8 * r - 2) * FrameWidth + 8 * c - 16, image, pen);
            else
                DrawCharacter(FrameBuffer + (8 * c - 16) * FrameWidth + 250 - 8 * r, image, pen);
        }
    }
}

template <bool Turned> void Render() {
    DrawBackground<Turned>();
    DrawSprites<Turned>();
    DrawForeground<Turned>();
}

} // namespace

void RenderFrame() {
    Render<false>();
}

void RenderFrameModeX() {
    Render<true>();
}

void CopyPictureFullScreen(uint8_t* surface, ptrdiff_t pitch) {
    boards::CopyUprightPicture(FrameBuffer, surface, pitch);
}

void CopyPictureModeX(uint8_t* surface, ptrdiff_t pitch) {
    boards::CopyTurnedPicture(FrameBuffer, surface, pitch);
}

} // namespace zarkolt
