// The DOLLIX renderer: bitmap layer, tilemap and sprites into FrameBuffer,
// and the full-screen copies.
#include "boards/dollix/renderer.h"

#include <cstring>

#include "boards/common/picture_copy.h"
#include "boards/dollix/bitmap.h"
#include "boards/dollix/graphics.h"
#include "boards/dollix/machine.h"

namespace dollix {

namespace {

uint8_t FrameBufferStore[FrameWidth * FrameHeight];

uint8_t* PictureAt(int x, int y) {
    return FrameBuffer + (PictureTop + y) * FrameWidth + PictureLeft + x;
}

// One 16 x 16 cell with its flips; the cell is drawn whole or not at all.
template <bool XFlip, bool YFlip> void BlitCell(int column, int row, uint8_t code, uint8_t colour) {
    if (column < 1 || column > 303 || row < 0 || row > 239) return;
    const uint8_t* image = DecodedSprites + code * 256;
    const uint8_t* colors = SpriteColorTable + (colour & 63) * 4;
    uint8_t* destination = FrameBuffer + row * FrameWidth + column;
    for (int v = 0; v < 16; v++) {
        const uint8_t* source = image + (YFlip ? 15 - v : v) * 16;
        uint8_t* line = destination + v * FrameWidth;
        for (int u = 0; u < 16; u++) {
            uint8_t pen = colors[source[XFlip ? 15 - u : u]];
            line[u] = pen ? pen : line[u];
        }
    }
}

void DrawBitmapLayer() {
    const uint8_t* map = PenMap(Ram[PenMapSelect]);
    for (int y = 0; y < PictureHeight; y++) {
        const uint8_t* pens = BitmapPlane + VisibleLayer + y * PlaneRowBytes;
        uint8_t* line = PictureAt(0, y);
        for (int x = 0; x < PictureWidth; x++)
            line[x] = map[pens[x] & 0x0F];
    }
}

void DrawCell(int c, int r, uint16_t address) {
    uint8_t code = Ram[address];
    if (code == 0x20) return;
    DrawTile(PictureAt(8 * c, 8 * r), DecodedTiles + code * 64,
             TileColorTable + (Ram[address + 0x400] & 0x3F) * 4);
}

// The 32 middle columns row by row, then the edge columns 34, 35, 0, 1.
void DrawTilemap() {
    for (int r = 0; r < 28; r++)
        for (int c = 2; c < 34; c++)
            DrawCell(c, r, uint16_t(0x0040 + 32 * r + c - 2));
    constexpr struct {
        int column;
        uint16_t base;
    } edges[] = {{34, 0x0002}, {35, 0x0022}, {0, 0x03C2}, {1, 0x03E2}};
    for (const auto& edge : edges)
        for (int r = 0; r < 28; r++)
            DrawCell(edge.column, r, uint16_t(edge.base + r));
}

void DrawSprites() {
    for (int n = 0; n < 64; n++) {
        uint8_t code = Ram[0x0F80 + 2 * n];
        uint8_t colour = Ram[0x0F81 + 2 * n];
        int y = Ram[0x1780 + 2 * n] + 7;
        int x = 359 - ((Ram[0x1F81 + 2 * n] & 1) * 256 + Ram[0x1781 + 2 * n]);
        int flags = Ram[0x1F80 + 2 * n] & 0x0F;
        bool xFlip = flags & 1, yFlip = flags & 2, wide = flags & 4, tall = flags & 8;
        SpriteBlitter blit = BlitSprite16[flags & 3];
        for (int dy = 0; dy <= (tall ? 1 : 0); dy++) {
            int row = dy ? (y + 16) & 0xFF : y;
            uint8_t rowCode = tall ? uint8_t((code & ~2) | (dy ^ yFlip) << 1) : code;
            for (int dx = 0; dx <= (wide ? 1 : 0); dx++) {
                // dx 0 is the right column at x, dx 1 the left one at x - 16.
                uint8_t cellCode = wide ? uint8_t((rowCode & ~1) | (!dx ^ xFlip)) : rowCode;
                blit(x - 16 * dx, row, cellCode, colour);
            }
        }
    }
}

} // namespace

uint8_t* FrameBuffer = FrameBufferStore;

void ResetFrameBuffer() {
    FrameBuffer = FrameBufferStore;
    std::memset(FrameBufferStore, 0, sizeof FrameBufferStore);
}

void DrawTile(uint8_t* destination, const uint8_t* tile, const uint8_t* colors) {
    for (int y = 0; y < 8; y++) {
        uint8_t* line = destination + y * FrameWidth;
        for (int x = 0; x < 8; x++) {
            uint8_t pen = colors[tile[y * 8 + x]];
            line[x] = pen ? pen : line[x];
        }
    }
}

const SpriteBlitter BlitSprite16[4] = {BlitCell<false, false>, BlitCell<true, false>, BlitCell<false, true>,
                                       BlitCell<true, true>};

void RenderFrame() {
    DrawBitmapLayer();
    DrawTilemap();
    DrawSprites();
}

void CopyPictureFullScreen(uint8_t* surface, ptrdiff_t pitch) {
    boards::CopyBytes(surface + 128 * pitch + 176, pitch, PictureAt(0, 0), FrameWidth, PictureWidth,
                      PictureHeight);
}

void CopyPictureModeX(uint8_t* surface, ptrdiff_t pitch) {
    boards::FillBytes(surface, pitch, 320, 240, 0);
    boards::CopyTurnedPicture(FrameBuffer, surface, pitch);
}

} // namespace dollix
