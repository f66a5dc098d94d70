// Character and sprite decoding, colouring and the game palette.
#include "boards/kluno/graphics.h"

#include <cstring>

#include "boards/kluno/machine.h"

namespace kluno {

uint8_t CharacterImages[64 * 256 * 64];
alignas(32) uint8_t ColourSetCharacterImages[128 * 256 * 64];
alignas(32) uint8_t SpriteImages[16 * 256 * 256];
PaletteEntry GamePalette[48];
PaletteEntry CardPalette[256];

namespace {

int Bit(int byte, int bit) {
    return byte >> bit & 1;
}

// The four pixels of a character byte sit at bit positions 0-3, each with
// its high bit four places up.
int CharacterPixel(int byte, int k) {
    return Bit(byte, k + 4) * 2 + Bit(byte, k);
}

// Every character in as many colour sets as asked: set s draws colour s & 63 in the
// character pens, less 0x20 (the front pens) from set 64 on.
void DecodeAndColourCharacters(const uint8_t* rom, const uint8_t* lookup, bool turned, uint8_t* images,
                               int sets) {
    static uint8_t raw[256 * 64];
    for (int code = 0; code < 256; code++)
        DecodeCharacterPixels(rom + code * 16, turned, raw + code * 64);
    for (int set = 0; set < sets; set++) {
        int colour = set & 63, front = set >= 64 ? CharacterPen - FrontPen : 0;
        uint8_t pens[4];
        for (int p = 0; p < 4; p++) // the lookup entries in reverse order of the pixel value
            pens[p] = uint8_t(((lookup[colour * 4 + 3 - p] & 0x0F) | CharacterPen) - front);
        uint8_t* out = images + set * sizeof raw;
        for (size_t i = 0; i < sizeof raw; i++)
            out[i] = pens[raw[i]];
    }
}

} // namespace

void DecodeCharacterPixels(const uint8_t* character, bool turned, uint8_t pixels[64]) {
    for (int y = 0; y < 8; y++) {
        for (int x = 0; x < 8; x++) {
            int pixel;
            if (turned)
                pixel = x < 4 ? CharacterPixel(character[8 + y], 3 - x) : CharacterPixel(character[y], 7 - x);
            else
                pixel = y < 4 ? CharacterPixel(character[15 - x], 3 - y)
                              : CharacterPixel(character[7 - x], 7 - y);
            pixels[y * 8 + x] = uint8_t(pixel);
        }
    }
}

void DecodeSpritePixels(const uint8_t* low, const uint8_t* high, uint8_t pixels[256]) {
    for (int y = 0; y < 16; y++) {
        int q = y >> 2, k = 3 - (y & 3);
        for (int x = 0; x < 16; x++) {
            int i = x < 8 ? 32 + 8 * q + (7 - x) : 8 * q + (15 - x);
            pixels[y * 16 + x] = uint8_t(Bit(low[i], k) + 2 * Bit(low[i], k + 4) + 4 * Bit(high[i], k) +
                                         8 * Bit(high[i], k + 4));
        }
    }
}

PaletteEntry ColourOf(uint8_t v) {
    return {uint8_t((v & 7) * 255 / 7), uint8_t((v >> 3 & 7) * 255 / 7), uint8_t((v >> 6) * 255 / 3),
            boards::PaletteReserved};
}

void DecodeCharacters() {
    DecodeAndColourCharacters(GameImages.characters.data, GameImages.characterLookup.data, false,
                              CharacterImages, 64);
}

void DecodeCharactersModeX() {
    DecodeAndColourCharacters(GameImages.characters.data, GameImages.characterLookup.data, true,
                              CharacterImages, 64);
}

void DecodeColourSetCharacters(const uint8_t* characters, const uint8_t* lookup) {
    DecodeAndColourCharacters(characters, lookup, false, ColourSetCharacterImages, 128);
}

void DecodeSprites() {
    DecodeSpriteSets(GameImages.sprites.data, 256, GameImages.spriteLookup.data);
}

void DecodeSpriteSets(const uint8_t* rom, int count, const uint8_t* lookup) {
    static uint8_t raw[256 * 256];
    std::memset(raw, 15, sizeof raw);
    for (int code = 0; code < count; code++)
        DecodeSpritePixels(rom + code * 64, rom + count * 64 + code * 64, raw + code * 256);
    for (int set = 0; set < 16; set++) {
        uint8_t pens[16];
        for (int p = 0; p < 16; p++)
            pens[p] = uint8_t((lookup[set * 16 + p] & 0x0F) | SpritePen);
        uint8_t* out = SpriteImages + set * sizeof raw;
        for (size_t i = 0; i < sizeof raw; i++)
            out[i] = pens[raw[i]];
    }
}

void BuildPalette() {
    const uint8_t* prom = GameImages.colours.data;
    for (int i = 0; i < 16; i++) {
        GamePalette[i] = ColourOf(prom[16 + i]);      // 0x60-0x6F: front characters
        GamePalette[16 + i] = ColourOf(prom[i]);      // 0x70-0x7F: sprites
        GamePalette[32 + i] = ColourOf(prom[16 + i]); // 0x80-0x8F: characters
    }
}

} // namespace kluno
