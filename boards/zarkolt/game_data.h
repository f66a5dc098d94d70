// The game data that the ZARKOLT board runs: program ROMs, graphics ROMs,
// colour PROMs, the waveform PROM, the lookup-chip ROMs and the recorded
// samples. The board never reads files: the caller hands each image in as a
// byte span, and the spans must stay valid for as long as the board runs.
// ImageSlots names every image with its exact size, by the file names of the
// game data's manifest, in the manifest's order (which the embedded data
// library keeps).
#pragma once

#include <cstddef>
#include <cstdint>

namespace zarkolt {

struct Image {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// One image per line of the game data's manifest (data/zarkolt/manifest.txt),
// by its field name: cpu1, cpu2, cpu3 (the programs), characters, tilesA,
// tilesB, sprites1-3, spritePlane3, the colour PROMs, waveProm, the lookup
// chip's ROMs and sample0-2. datapack writes the list from the manifest.
struct GameData {
#define IMAGE(field, file, size) Image field;
#include "data/zarkolt/zarkolt_images.inc"
#undef IMAGE
};

struct ImageSlot {
    const char* name;
    size_t size;
    Image GameData::*member;
};

inline constexpr ImageSlot ImageSlots[] = {
#define IMAGE(field, file, size) {file, size, &GameData::field},
#include "data/zarkolt/zarkolt_images.inc"
#undef IMAGE
};

// The first slot whose image is missing or of the wrong size, or null when
// every image is present with its exact size.
const ImageSlot* FindBadImage(const GameData& data);

} // namespace zarkolt
