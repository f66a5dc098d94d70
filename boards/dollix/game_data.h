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

struct GameData {
    Image mainProgram;     // 32 KB, main CPU 0x8000-0xFFFF
    Image soundProgram;    // 8 KB, sound CPU 0xE000-0xFFFF
    Image tiles;           // 256 tiles x 16 bytes, 2 bits per pixel
    Image sprites;         // 256 sprites x 64 bytes, 2 bits per pixel
    Image tileColorProm;   // 256 bytes, low nibble significant
    Image spriteColorProm; // 256 bytes
    Image colorLookupProm; // 256 bytes, colour number 1-84 per entry
    Image colorTable;      // 84 x red, green, blue
    Image waveform;        // 8 waveforms x 32 samples, low nibble significant
    Image pictures;        // the bitmap pictures of the layer's screens
};

using ImageSlot = boards::ImageSlot<GameData>;

inline constexpr size_t PictureBlockSize = 0x8000;

inline constexpr ImageSlot ImageSlots[] = {
    {"dollix_main.rom", 0x8000, &GameData::mainProgram},
    {"dollix_sound.rom", 0x2000, &GameData::soundProgram},
    {"dollix_tiles.rom", 0x1000, &GameData::tiles},
    {"dollix_sprites.rom", 0x4000, &GameData::sprites},
    {"dollix_tile_color.prom", 0x100, &GameData::tileColorProm},
    {"dollix_sprite_color.prom", 0x100, &GameData::spriteColorProm},
    {"dollix_color_lookup.prom", 0x100, &GameData::colorLookupProm},
    {"dollix_colors.bin", 84 * 3, &GameData::colorTable},
    {"dollix_wave.prom", 0x100, &GameData::waveform},
    {"dollix_pictures.bin", PictureBlockSize, &GameData::pictures},
};

// The first slot whose image is missing or of the wrong size, or null.
inline const ImageSlot* FindBadImage(const GameData& data) {
    return boards::FindBadImage(data, ImageSlots);
}

} // namespace dollix
