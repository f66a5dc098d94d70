// The game data images of the KLUNO board.
//
// Every image is a read-only byte span in the exact size and layout the board
// maps or decodes; KlunoData() (library data_kluno) gives the set the program
// carries. The spans stay valid for the whole run. The build makes the images
// from the sources beside this header, or takes the user's own files (option
// VELTO_GAME_DATA_DIR).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

using ImageSpan = std::span<const uint8_t>;

struct KlunoImages {
    ImageSpan characters;         // 4 KB, 256 characters x 16 bytes, 2 bits per pixel
    ImageSpan characterColorProm; // 256 bytes, 64 colour sets x 4 entries
    ImageSpan sprites;            // 32 KB, two halves of 16 KB, 256 sprites x 64 bytes each
    ImageSpan spriteColorProm;    // 256 bytes, 16 colour sets x 16 entries
    ImageSpan cpu1;               // 32 KB, CPU 1 program at 0x8000-0xFFFF
    ImageSpan cpu2;               // 8 KB, CPU 2 program at 0xE000-0xFFFF
    ImageSpan colorProm;          // 32 bytes, one colour each, 3-3-2 bits
    ImageSpan waveProm;           // 256 bytes, 8 waveforms x 32 four-bit samples
};

const KlunoImages& KlunoData();
