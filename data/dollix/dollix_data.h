// The game data images of the DOLLIX board.
//
// Every image is a read-only byte span in the exact size and layout the board
// maps or decodes; DollixData() (library data_dollix) gives them, valid for
// the whole run. The build makes them from the sources beside this header,
// or takes the user's own files (option VELTO_GAME_DATA_DIR).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

using ImageSpan = std::span<const uint8_t>;

struct DollixImages {
    ImageSpan mainProgram;     // 32 KB, main CPU program at 0x8000-0xFFFF
    ImageSpan soundProgram;    // 8 KB, sound CPU program at 0xE000-0xFFFF
    ImageSpan tiles;           // 4 KB, 256 tiles x 16 bytes
    ImageSpan sprites;         // 16 KB, 256 sprites x 64 bytes
    ImageSpan tileColorProm;   // 256 bytes, low nibble significant
    ImageSpan spriteColorProm; // 256 bytes
    ImageSpan colorLookupProm; // 256 bytes, colour numbers 1-84
    ImageSpan colorTable;      // 252 bytes, 84 x R, G, B
    ImageSpan waveform;        // 256 bytes, 8 waveforms x 32 samples
    ImageSpan pictures;        // 32 KB, the bitmap screens' pictures
};

const DollixImages& DollixData();
