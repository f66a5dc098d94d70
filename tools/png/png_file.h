// Pictures of a board as PNG files, through libpng: the board's pens with
// its palette as colours (for people), or the pens themselves as grey
// values (golden pictures the tests compare pen for pen).
//
//   RgbPalette palette = PaletteOf(face);   // the game pens; others black
//   WritePalettePng(path, face.picture(turned), palette, error);
//   WritePenPng(path, picture) / ReadPenPng(path, width, height, pens)
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "boards/board.h"

namespace png_file {

using RgbPalette = std::array<std::array<uint8_t, 3>, 256>;

// The face's game colours at their pens; every other pen black.
RgbPalette PaletteOf(const boards::BoardFace& face);

// An 8-bit palette PNG; false with a message when it cannot be written.
bool WritePalettePng(const std::string& path, const boards::Picture& picture, const RgbPalette& palette,
                     std::string& error);

// An 8-bit grey PNG whose values are the pens.
bool WritePenPng(const std::string& path, const boards::Picture& picture);

// Reads a grey PNG of exactly width x height into pens (row after row);
// false when it is missing or of another size or kind.
bool ReadPenPng(const std::string& path, int width, int height, std::vector<uint8_t>& pens);

} // namespace png_file
