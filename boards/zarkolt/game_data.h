// The game data that the ZARKOLT board runs: program ROMs, graphics ROMs,
// colour PROMs, the waveform PROM, the lookup-chip ROMs and the recorded
// samples. The board never reads files: the caller hands each image in as a
// byte span, and the spans must stay valid for as long as the board runs.
// ImageSlots names every image with its exact size, by the file names of the
// game data's manifest, in the order the embedded data library lists them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boards/common/game_data.h"

namespace zarkolt {

using boards::Image;

struct GameData {
    Image cpu1Program;       // 16 KB, CPU 1 0x0000-0x3FFF
    Image cpu2Program;       // 8 KB, CPU 2 0x0000-0x1FFF
    Image cpu3Program;       // 4 KB, CPU 3 0x0000-0x0FFF
    Image characters;        // 256 characters x 8 bytes, 1 bit per pixel
    Image tilesA;            // tile plane A, 512 tiles x 8 bytes
    Image tilesB;            // tile plane B
    Image sprites1;          // sprite set 1, 64 sprites x 64 bytes
    Image sprites2;          // sprite set 2, 128 sprites x 64 bytes
    Image sprites3;          // sprite set 3
    Image spritesPlane3;     // third plane of sets 2 (low nibbles) and 3 (high nibbles)
    Image tileColorLookup;   // 512 bytes
    Image spriteColorLookup; // 512 bytes
    Image red;               // 256 bytes each, low nibble significant
    Image green;
    Image blue;
    Image waveform;      // 8 waveforms x 32 samples, low nibble significant
    Image lookupMap;     // 64 group rows of 128 groups
    Image lookupFlags;   // one nibble per group
    Image lookupResultA; // attribute of each cell's result
    Image lookupResultB; // tile code of each cell's result
    Image sample0;       // signed 16-bit mono at 11,025 Hz, little-endian
    Image sample1;
    Image sample2;
};

using ImageSlot = boards::ImageSlot<GameData>;

inline constexpr ImageSlot ImageSlots[] = {
    {"cpu1.rom", 0x4000, &GameData::cpu1Program},
    {"cpu2.rom", 0x2000, &GameData::cpu2Program},
    {"cpu3.rom", 0x1000, &GameData::cpu3Program},
    {"chars.rom", 0x800, &GameData::characters},
    {"tiles_a.rom", 0x1000, &GameData::tilesA},
    {"tiles_b.rom", 0x1000, &GameData::tilesB},
    {"sprites1.rom", 0x1000, &GameData::sprites1},
    {"sprites2.rom", 0x2000, &GameData::sprites2},
    {"sprites3.rom", 0x2000, &GameData::sprites3},
    {"sprites_plane3.rom", 0x2000, &GameData::spritesPlane3},
    {"tile_clut.prom", 0x200, &GameData::tileColorLookup},
    {"sprite_clut.prom", 0x200, &GameData::spriteColorLookup},
    {"red.prom", 0x100, &GameData::red},
    {"green.prom", 0x100, &GameData::green},
    {"blue.prom", 0x100, &GameData::blue},
    {"wave.prom", 0x100, &GameData::waveform},
    {"lookup_map.rom", 0x2000, &GameData::lookupMap},
    {"lookup_flags.rom", 0x1000, &GameData::lookupFlags},
    {"lookup_result_a.rom", 0x800, &GameData::lookupResultA},
    {"lookup_result_b.rom", 0x800, &GameData::lookupResultB},
    {"sample0.raw", 20850, &GameData::sample0},
    {"sample1.raw", 38710, &GameData::sample1},
    {"sample2.raw", 11400, &GameData::sample2},
};

// The first slot whose image is missing or of the wrong size, or null when
// every image is present with its exact size.
inline const ImageSlot* FindBadImage(const GameData& data) {
    return boards::FindBadImage(data, ImageSlots);
}

} // namespace zarkolt
