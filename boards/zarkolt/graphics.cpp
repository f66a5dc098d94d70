// Graphics decoding: characters, the two tile orders, sprites, the colour
// lookups and the palettes.
#include "boards/zarkolt/graphics.h"

#include <cstring>

#include "boards/zarkolt/machine.h"

namespace zarkolt {

uint8_t Characters[1024 * 64];
uint8_t Tiles[128 * 512 * 64];
uint8_t Sprites[320 * 256];
uint8_t BlankSprite[256];
uint8_t TileColorLookup[512];
uint8_t CharColorTable[64];
uint8_t SpriteColorLookup[512];
PaletteEntry GamePalette[128];
PaletteEntry CardPalette[256];

namespace {

int Bit(int byte, int bit) {
    return byte >> bit & 1;
}

// Writes image (size x size) into out with its rows and/or columns reversed.
void FlipImage(const uint8_t* image, uint8_t* out, int size, bool rows, bool columns) {
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++)
            out[y * size + x] = image[(rows ? size - 1 - y : y) * size + (columns ? size - 1 - x : x)];
}

// The raw pixels (0-3) of the 512 tiles; rotated picks the turned order.
void DecodeRawTiles(uint8_t* raw, bool rotated) {
    const uint8_t* planeA = GameImages.tilesA.data;
    const uint8_t* planeB = GameImages.tilesB.data;
    for (int tile = 0; tile < 512; tile++) {
        for (int row = 0; row < 8; row++) {
            for (int col = 0; col < 8; col++) {
                int j = rotated ? row : 7 - col;
                int bit = rotated ? 7 - col : 7 - row;
                int a = planeA[tile * 8 + j], b = planeB[tile * 8 + j];
                raw[tile * 64 + row * 8 + col] = uint8_t(Bit(a, bit) * 2 + Bit(b, bit));
            }
        }
    }
}

// Every copy of every tile, translated to pens through its colour.
void DecodeTiles(bool rotated) {
    static uint8_t raw[512 * 64];
    DecodeRawTiles(raw, rotated);
    for (int copy = 0; copy < 128; copy++) {
        const uint8_t* lookup = TileColorLookup + TileCopyOffset(copy);
        uint8_t* out = Tiles + copy * 512 * 64;
        for (int i = 0; i < 512 * 64; i++)
            out[i] = lookup[raw[i]];
    }
}

// One 16 x 16 sprite of the given planes; third is null for sprite set 1,
// else the sprite's 64 bytes of the third-plane ROM and thirdShift 0 (low
// nibbles) or 4 (high nibbles).
void DecodeSprite(const uint8_t* bytes, const uint8_t* third, int thirdShift, uint8_t* out) {
    for (int row = 0; row < 16; row++) {
        int q = row >> 2, k = 3 - (row & 3);
        for (int col = 0; col < 16; col++) {
            int b = col < 8 ? 32 + 8 * q + (7 - col) : 8 * q + (15 - col);
            int pixel = Bit(bytes[b], k + 4) * 2 + Bit(bytes[b], k);
            if (third) pixel += Bit(third[b], k + thirdShift) * 4;
            out[row * 16 + col] = uint8_t(pixel);
        }
    }
}

PaletteEntry GameColour(int n) {
    auto level = [](const Image& prom, int n) { return uint8_t((prom.data[n] & 0x0F) * 255 / 15); };
    return {level(GameImages.redProm, n), level(GameImages.greenProm, n), level(GameImages.blueProm, n), PaletteReserved};
}

} // namespace

void DecodeCharacters() {
    const uint8_t* rom = GameImages.characters.data;
    for (int c = 0; c < 256; c++)
        for (int row = 0; row < 8; row++)
            for (int col = 0; col < 8; col++)
                Characters[c * 64 + row * 8 + col] = uint8_t(Bit(rom[c * 8 + 7 - col], 7 - row));
    for (int c = 0; c < 256; c++) {
        const uint8_t* image = Characters + c * 64;
        for (int set = 1; set < 4; set++)
            FlipImage(image, Characters + (set >> 1) * 512 * 64 + (set & 1) * 256 * 64 + c * 64, 8, set & 1,
                      set & 2);
    }

    for (int i = 0; i < 512; i++)
        TileColorLookup[i] = uint8_t((GameImages.tileColorProm.data[i] & 0x3F) + FirstGamePen);
    for (int i = 0; i < 64; i++)
        CharColorTable[i] = uint8_t(FirstGamePen + ((i & 3) << 4 | i >> 2));
}

void DecodeTilesWindow() {
    DecodeTiles(false);
}

void DecodeTilesModeX() {
    DecodeTiles(true);
}

void DecodeSprites() {
    const uint8_t* plane3 = GameImages.spritePlane3.data;
    for (int n = 0; n < 64; n++)
        DecodeSprite(GameImages.sprites1.data + n * 64, nullptr, 0, Sprites + (SpriteSet1 + n) * 256);
    for (int n = 0; n < 128; n++) {
        DecodeSprite(GameImages.sprites2.data + n * 64, plane3 + n * 64, 0,
                     Sprites + (SpriteSet23 + n) * 256);
        DecodeSprite(GameImages.sprites3.data + n * 64, plane3 + n * 64, 4,
                     Sprites + (SpriteSet23 + 128 + n) * 256);
    }
    std::memset(BlankSprite, 3, sizeof BlankSprite);

    for (int i = 0; i < 512; i++) {
        uint8_t value = GameImages.spriteColorProm.data[i];
        bool transparentRange = i >= 0x100 && i < 0x160;
        bool adjust = transparentRange ? value != 0 : (i & 7) != 0;
        SpriteColorLookup[i] = adjust ? uint8_t(value + FirstGamePen) : value;
    }
}

void BuildPalette() {
    for (int n = 0; n < 128; n++)
        GamePalette[n] = GameColour(n);
}

void BuildCardPalette(const uint8_t* colourTable, size_t entries) {
    if (!colourTable) return;
    CardPalette[0] = {0, 0, 0, 0};
    for (size_t i = 1; i < 254; i++) {
        CardPalette[i] = {0, 0, 0, 0};
        if (i >= entries) continue;
        const uint8_t* quad = colourTable + i * 4;
        CardPalette[i] = {quad[2], quad[1], quad[0], 0};
    }
    CardPalette[254] = {0, 0, 0, 0};
    CardPalette[255] = {255, 255, 255, 0};
}

} // namespace zarkolt
