// The game data that the KLUNO board runs: two program ROMs, the character
// and sprite ROMs, their colour-lookup PROMs, the colour PROM and the
// waveform PROM. The board never reads files: the caller hands each image in
// as a byte span that stays valid while the board runs. ImageSlots names every
// image with its exact size, by the file names of the game data's manifest.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boards/common/game_data.h"

namespace kluno {

using boards::Image;

// One image per line of the game data's manifest (data/kluno/manifest.txt),
// by its field name: characters (256 characters x 16 bytes, 2 bits per
// pixel), characterLookup (64 colour sets x 4 entries), sprites (two halves
// of 16 KB, 256 sprites x 64 bytes each), spriteLookup (16 colour sets x 16
// entries), cpu1Program (0x8000-0xFFFF), cpu2Program (0xE000-0xFFFF), colours
// (32 colours, blue 2 bits, green 3, red 3) and waveform (8 waveforms x 32
// samples, low nibble significant). datapack writes the list from the manifest.
struct GameData {
#define IMAGE(field, file, size) Image field;
#include "data/kluno/kluno_images.inc"
#undef IMAGE
};

using ImageSlot = boards::ImageSlot<GameData>;

inline constexpr ImageSlot ImageSlots[] = {
#define IMAGE(field, file, size) {file, size, &GameData::field},
#include "data/kluno/kluno_images.inc"
#undef IMAGE
};

// The first slot whose image is missing or of the wrong size, or null.
inline const ImageSlot* FindBadImage(const GameData& data) {
    return boards::FindBadImage(data, ImageSlots);
}

} // namespace kluno
