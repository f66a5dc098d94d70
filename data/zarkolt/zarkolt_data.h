// The game data images of the ZARKOLT board, as the two editions carry them.
//
// Every image is a read-only byte span in the exact size and layout the board
// maps or decodes. ZarkoltData() gives the ZARKOLT set (library data_zarkolt),
// SuperZarkoltData() the SUPER ZARKOLT set (library data_superzar), which has
// its own CPU 1 and CPU 2 programs and shares every other image. The spans stay
// valid for the whole run. The build makes the images from the sources beside
// this header, or takes the user's own files (option VELTO_GAME_DATA_DIR).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

using ImageSpan = std::span<const uint8_t>;

struct ZarkoltImages {
    ImageSpan cpu1;            // 16 KB, CPU 1 program at 0x0000-0x3FFF
    ImageSpan cpu2;            // 8 KB, CPU 2 program at 0x0000-0x1FFF
    ImageSpan cpu3;            // 4 KB, CPU 3 program at 0x0000-0x0FFF
    ImageSpan characters;      // 2 KB, 256 characters x 8 bytes, 1 bit per pixel
    ImageSpan tilesA;          // 4 KB, tile plane A (pixel bit 1)
    ImageSpan tilesB;          // 4 KB, tile plane B (pixel bit 0)
    ImageSpan sprites1;        // 4 KB, sprite set 1, 64 sprites x 64 bytes
    ImageSpan sprites2;        // 8 KB, sprite set 2, planes 0 and 1
    ImageSpan sprites3;        // 8 KB, sprite set 3, planes 0 and 1
    ImageSpan spritePlane3;    // 8 KB, plane 2: set 2 low nibbles, set 3 high nibbles
    ImageSpan tileColorProm;   // 512 bytes, tile colour lookup
    ImageSpan spriteColorProm; // 512 bytes, sprite colour lookup
    ImageSpan redProm;         // 256 bytes, low nibble significant
    ImageSpan greenProm;       // 256 bytes
    ImageSpan blueProm;        // 256 bytes
    ImageSpan waveProm;        // 256 bytes, 8 waveforms x 32 samples
    ImageSpan lookupMap;       // 8 KB, lookup chip map ROM
    ImageSpan lookupFlags;     // 4 KB, lookup chip flag ROM
    ImageSpan lookupResultA;   // 2 KB, lookup chip result ROM A (attributes)
    ImageSpan lookupResultB;   // 2 KB, lookup chip result ROM B (tile codes)
    ImageSpan sample0;         // 20,850 bytes, signed 16-bit mono 11,025 Hz
    ImageSpan sample1;         // 38,710 bytes
    ImageSpan sample2;         // 11,400 bytes
};

const ZarkoltImages& ZarkoltData();
const ZarkoltImages& SuperZarkoltData();
