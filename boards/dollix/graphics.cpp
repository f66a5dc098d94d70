// Tile and sprite decoding, the colour tables and the palettes.
#include "boards/dollix/graphics.h"

#include "boards/dollix/machine.h"

namespace dollix {

uint8_t DecodedTiles[256 * 64];
uint8_t DecodedSprites[256 * 256];
uint8_t ColorLookup[256];
uint8_t TileColorTable[256];
uint8_t SpriteColorTable[256];
PaletteEntry GamePalette[GameColorCount];
PaletteEntry CardPalette[256];

namespace {

// A colour row entry: pen 0 of a colour whose lookup is the transparent
// value is not drawn; everything else is.
uint8_t ColorEntry(int v, uint8_t lookedUp) {
    return v % 4 == 0 && lookedUp == TransparentLookup ? 0 : lookedUp;
}

} // namespace

void DecodePixelGroup(uint8_t byte, uint8_t pens[4]) {
    for (int i = 3; i >= 0; i--)
        pens[3 - i] = uint8_t((byte >> (i + 4) & 1) * 2 + (byte >> i & 1));
}

void BuildSpriteColorLookup() {
    const uint8_t* prom = GameImages.colorLookupProm.data;
    for (int i = 0; i < 256; i++)
        ColorLookup[i] = uint8_t(prom[i] + 0x6F);
}

void DecodeCharacters() {
    const uint8_t* rom = GameImages.tiles.data;
    for (int t = 0; t < 256; t++) {
        const uint8_t* source = rom + t * 16;
        uint8_t* tile = DecodedTiles + t * 64;
        for (int r = 0; r < 8; r++) {
            DecodePixelGroup(source[r + 8], tile + r * 8);
            DecodePixelGroup(source[r], tile + r * 8 + 4);
        }
    }
    const uint8_t* prom = GameImages.tileColorProm.data;
    for (int v = 0; v < 256; v++)
        TileColorTable[v] = ColorEntry(v, ColorLookup[112 + (prom[v] & 0x0F)]);
}

void DecodeSprites() {
    const uint8_t* rom = GameImages.sprites.data;
    for (int s = 0; s < 256; s++) {
        const uint8_t* source = rom + s * 64;
        uint8_t* sprite = DecodedSprites + s * 256;
        for (int row = 0; row < 16; row++) {
            int base = row < 8 ? row : 32 + row - 8;
            for (int group = 0; group < 4; group++)
                DecodePixelGroup(source[base + 8 * group], sprite + row * 16 + group * 4);
        }
    }
    const uint8_t* prom = GameImages.spriteColorProm.data;
    for (int v = 0; v < 256; v++)
        SpriteColorTable[v] = ColorEntry(v, ColorLookup[prom[v]]);
}

void BuildPalette() {
    const uint8_t* rgb = GameImages.colorTable.data;
    for (int k = 0; k < GameColorCount; k++)
        GamePalette[k] = {rgb[3 * k], rgb[3 * k + 1], rgb[3 * k + 2], PaletteReserved};
}

const uint8_t* PenMap(uint8_t select) {
    return ColorLookup + (select ? 224 : 96);
}

void BuildCardPalette(const uint8_t* colourTable, size_t entries) {
    if (!colourTable) return;
    for (size_t i = 0; i < 255; i++) {
        const uint8_t* quad = colourTable + i * 4;
        CardPalette[i] =
            i == 0 || i >= entries ? PaletteEntry{0, 0, 0, 0} : PaletteEntry{quad[2], quad[1], quad[0], 0};
    }
    CardPalette[255] = {255, 255, 255, 0};
}

} // namespace dollix
