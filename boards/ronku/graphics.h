// RONKU graphics: KLUNO's decoders (boards/kluno/graphics.h) with RONKU's
// colour method and sizes. Characters are coloured in 128 sets, the upper 64
// being the front copies in pens 0x60-0x6F (no pen offset at drawing time);
// the sprite ROM holds 128 sprites, slots 128-255 are blank (pixel value 15,
// whatever colour the set gives it). The palette is KLUNO's 48 game colours
// plus the full screen's border colour at 254.
#pragma once

#include <cstdint>

#include "boards/kluno/graphics.h"

namespace ronku {

using kluno::PaletteEntry;

inline constexpr int SpriteCount = 128; // in the ROM; the other slots are blank
inline constexpr uint8_t BorderPen = 254;
inline constexpr PaletteEntry BorderColour = {12, 20, 12, boards::PaletteReserved};

// The decoded images the renderer copies: kluno::ColourSetCharacterImages
// (entry (set << 8) | code, 64 bytes) and kluno::SpriteImages.
inline uint8_t* const CharacterImages = kluno::ColourSetCharacterImages;
using kluno::GamePalette; // pens 0x60-0x8F
using kluno::SpriteImages;

// The full-screen palette: black, the game colours at 0x60-0x8F, the border at 254.
extern PaletteEntry ScreenPalette[256];

// In this order at the build: the 256 characters of `characters` in 128
// colour sets by `lookup`; the sprites of the game data; the palettes.
void DecodeCharacters(const uint8_t* characters, const uint8_t* lookup);
void DecodeSprites();
void BuildPalette();

} // namespace ronku
