// The game data that the RONKU board runs: the images of KLUNO's board
// family (two program ROMs, the character and sprite ROMs, their
// colour-lookup PROMs, the colour PROM and the waveform PROM) in RONKU's
// sizes: CPU 1's program is 24 KB (0xA000-0xFFFF) and the sprite ROM two
// halves of 8 KB (128 sprites x 64 bytes each). The board keeps them in
// KLUNO's GameData; ImageSlots names each by the file name of RONKU's
// manifest with its exact size.
#pragma once

#include <iterator>

#include "boards/kluno/game_data.h"

namespace ronku {

using GameData = kluno::GameData;
using ImageSlot = kluno::ImageSlot;

inline constexpr ImageSlot ImageSlots[] = {
#define IMAGE(field, file, size) {file, size, &GameData::field},
#include "data/ronku/ronku_images.inc"
#undef IMAGE
};
static_assert(std::size(ImageSlots) == std::size(kluno::ImageSlots), "every image of the family, once");

// The first slot whose image is missing or of the wrong size, or null (call
// it qualified: kluno::FindBadImage takes the same data).
inline const ImageSlot* FindBadImage(const GameData& data) {
    return boards::FindBadImage(data, ImageSlots);
}

} // namespace ronku
