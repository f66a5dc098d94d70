// KLUNO graphics decoding and palette. The renderer copies pre-decoded,
// pre-coloured pixels: every character and sprite is decoded once into one
// byte per pixel holding its final pen, in every colour set.
//
// Characters exist in two orientations: upright for the window and the
// 640 x 480 full screen, turned a quarter for the 320 x 240 full screen
// (upright column x becomes row 7 - x, upright row y becomes column y); the
// frame decodes the one its display needs. The pixel decoders of one
// character and one sprite are shared with the boards of the same family.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boards/common/palette.h"

namespace kluno {

using boards::PaletteEntry;

inline constexpr int FirstGamePen = 0x60;     // GamePalette[0]
inline constexpr int FrontPen = 0x60;         // characters in front of sprites: 0x60-0x6F
inline constexpr int SpritePen = 0x70;        // sprites: 0x70-0x7F
inline constexpr int TransparentPen = 0x7F;   // a sprite pen never drawn
inline constexpr int LowestCoveredPen = 0x6F; // sprites draw over pens from here up
inline constexpr int CharacterPen = 0x80;     // characters: 0x80-0x8F

// Entry (set << 8) | code, 64 bytes each (8 rows of 8), pens 0x80-0x8F.
extern uint8_t CharacterImages[64 * 256 * 64];
// The family's other colour method, which RONKU and the screen savers draw
// with: entry (set << 8) | code in 128 colour sets, 64 bytes each, the buffer
// 32-byte aligned; set c (0-63) in pens 0x80-0x8F, set 64 + c the same colour
// in the front pens 0x60-0x6F.
extern uint8_t ColourSetCharacterImages[128 * 256 * 64];
// Entry (set << 8) | code, 256 bytes each (16 rows of 16), pens 0x70-0x7F.
extern uint8_t SpriteImages[16 * 256 * 256];
extern PaletteEntry GamePalette[48]; // pens 0x60-0x8F
extern PaletteEntry CardPalette[256];

void DecodeCharacters();      // upright
void DecodeCharactersModeX(); // turned
// ColourSetCharacterImages, upright, from a character ROM (256 x 16 bytes)
// and its colour-lookup PROM (64 sets x 4 entries).
void DecodeColourSetCharacters(const uint8_t* characters, const uint8_t* lookup);
void DecodeSprites(); // KLUNO's 256 sprites
// SpriteImages from a sprite ROM of two halves of count sprites x 64 bytes
// and its colour-lookup PROM (16 sets x 16 entries); slots from count to 255
// hold pixel value 15 in every set.
void DecodeSpriteSets(const uint8_t* rom, int count, const uint8_t* lookup);
void BuildPalette(); // GamePalette from the colour PROM

// The pixel values (0-3) of one 16-byte character, row by row.
void DecodeCharacterPixels(const uint8_t* character, bool turned, uint8_t pixels[64]);
// The pixel values (0-15) of one sprite from its 64 bytes in each ROM half.
void DecodeSpritePixels(const uint8_t* low, const uint8_t* high, uint8_t pixels[256]);
// A colour PROM byte (red bits 0-2, green 3-5, blue 6-7) as a game colour.
PaletteEntry ColourOf(uint8_t value);

// CardPalette from the colour table of the instruction card's 8-bit bitmap
// (boards::BuildCardPalette).
inline void BuildCardPalette(const uint8_t* colourTable, size_t entries) {
    boards::BuildCardPalette(CardPalette, colourTable, entries);
}

} // namespace kluno
