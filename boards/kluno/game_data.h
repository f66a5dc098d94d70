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

struct GameData {
    Image characters;      // 256 characters x 16 bytes, 2 bits per pixel
    Image characterLookup; // 64 colour sets x 4 entries
    Image sprites;         // two halves of 16 KB, 256 sprites x 64 bytes each
    Image spriteLookup;    // 16 colour sets x 16 entries
    Image cpu1Program;     // CPU 1 0x8000-0xFFFF
    Image cpu2Program;     // CPU 2 0xE000-0xFFFF
    Image colours;         // 32 colours, blue 2 bits, green 3, red 3
    Image waveform;        // 8 waveforms x 32 samples, low nibble significant
};

using ImageSlot = boards::ImageSlot<GameData>;

inline constexpr ImageSlot ImageSlots[] = {
    {"kluno_chars.rom", 0x1000, &GameData::characters},
    {"kluno_char_clut.prom", 0x100, &GameData::characterLookup},
    {"kluno_sprites.rom", 0x8000, &GameData::sprites},
    {"kluno_sprite_clut.prom", 0x100, &GameData::spriteLookup},
    {"kluno_cpu1.rom", 0x8000, &GameData::cpu1Program},
    {"kluno_cpu2.rom", 0x2000, &GameData::cpu2Program},
    {"kluno_colours.prom", 0x20, &GameData::colours},
    {"kluno_wave.prom", 0x100, &GameData::waveform},
};

// The first slot whose image is missing or of the wrong size, or null.
inline const ImageSlot* FindBadImage(const GameData& data) {
    return boards::FindBadImage(data, ImageSlots);
}

} // namespace kluno
