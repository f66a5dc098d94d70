// Palette entries shared by the boards: the game colours each board builds
// from its PROMs, and the full-screen palette taken from the instruction
// card's bitmap.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boards/board.h"

namespace boards {

using PaletteEntry = Colour;                     // laid out like a Windows palette entry
inline constexpr uint8_t PaletteReserved = 0x01; // the flag of a game colour

// The full-screen palette from the colour table of the instruction card's
// 8-bit bitmap (entries of blue, green, red, reserved, as a Windows bitmap
// stores them): entries 0 and 254 black, 1-253 the bitmap's colours (black
// past the end of a short table), 255 white. With no table card stays as it is.
void BuildCardPalette(PaletteEntry card[256], const uint8_t* colourTable, size_t entries);

} // namespace boards
