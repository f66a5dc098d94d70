// RONKU's decoding and palettes over KLUNO's decoders.
#include "boards/ronku/graphics.h"

#include <algorithm>

#include "boards/kluno/machine.h"

namespace ronku {

PaletteEntry ScreenPalette[256];

void DecodeCharacters(const uint8_t* characters, const uint8_t* lookup) {
    kluno::DecodeColourSetCharacters(characters, lookup);
}

void DecodeSprites() {
    kluno::DecodeSpriteSets(kluno::GameImages.sprites.data, SpriteCount, kluno::GameImages.spriteLookup.data);
}

void BuildPalette() {
    kluno::BuildPalette();
    std::fill(std::begin(ScreenPalette), std::end(ScreenPalette), PaletteEntry{});
    std::copy(std::begin(GamePalette), std::end(GamePalette), ScreenPalette + kluno::FirstGamePen);
    ScreenPalette[BorderPen] = BorderColour;
}

} // namespace ronku
