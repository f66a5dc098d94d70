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

// The images in the order of the manifest (manifest.txt; the board's
// ImageSlots follow it).
std::span<const ImageSpan> DollixData();
