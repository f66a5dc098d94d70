// The game data that the DOLLIX board runs: the two program ROMs, the tile
// and sprite ROMs, three colour PROMs, the table of the game's 84 colours,
// the waveform PROM and the 32 KB block of bitmap pictures. The board never
// reads files: the caller hands each image in as a byte span, and the spans
// must stay valid for as long as the board runs. ImageSlots names every
// image with its exact size, by the file names of the game data's manifest.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boards/common/game_data.h"

namespace dollix {

using boards::Image;

// One image per line of the game data's manifest (data/dollix/manifest.txt),
// by its field name: mainProgram (main CPU 0x8000-0xFFFF), soundProgram
// (sound CPU 0xE000-0xFFFF), tiles (256 x 16 bytes, 2 bits per pixel),
// sprites (256 x 64 bytes, 2 bits per pixel), tileColorProm (low nibble
// significant), spriteColorProm, colorLookupProm (colour number 1-84 per
// entry), colorTable (84 x red, green, blue), waveform (8 waveforms x 32
// samples, low nibble significant) and pictures (the bitmap pictures of the
// layer's screens). datapack writes the list from the manifest.
struct GameData {
#define IMAGE(field, file, size) Image field;
#include "data/dollix/dollix_images.inc"
#undef IMAGE
};

using ImageSlot = boards::ImageSlot<GameData>;

inline constexpr size_t PictureBlockSize = 0x8000;

inline constexpr ImageSlot ImageSlots[] = {
#define IMAGE(field, file, size) {file, size, &GameData::field},
#include "data/dollix/dollix_images.inc"
#undef IMAGE
};

// The first slot whose image is missing or of the wrong size, or null.
inline const ImageSlot* FindBadImage(const GameData& data) {
    return boards::FindBadImage(data, ImageSlots);
}

} // namespace dollix
