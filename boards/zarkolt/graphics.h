// Graphics decoding and palettes. The graphics ROMs hold characters, tiles
// and sprites as bit planes; the decoders turn them once into one byte per
// pixel (tiles even into final pens, in 128 pre-coloured copies) so that the
// renderers only copy bytes and look up one pen per sprite pixel. All game
// pens lie at 0x70-0xEF; GamePalette holds their colours.
//
// The tiles exist in two pixel orders: the window order for RenderFrame and
// the rotated order for RenderFrameModeX; decode the one the display needs.
// The colour lookups are rebuilt from the PROM images each time their
// decoder runs, so every decoder may run any number of times.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boards/common/palette.h"

namespace zarkolt {

inline constexpr int FirstGamePen = 0x70;

using boards::PaletteEntry;
using boards::PaletteReserved;

// Characters: 4 flip sets x 256 x 64 bytes, pixels 0/1. Entry h x 512 + v x
// 256 + c is character c with rows reversed when v is 1 and columns when h is 1.
extern uint8_t Characters[1024 * 64];
// Tiles: 128 pre-coloured copies x 512 tiles x 64 bytes of final pens.
extern uint8_t Tiles[128 * 512 * 64];
// Sprites: set 1 (64 images, pixels 0-3), set 2 (128), set 3 (128; sets 2 and
// 3 pixels 0-7), each image 16 rows of 16 bytes.
extern uint8_t Sprites[320 * 256];
extern uint8_t BlankSprite[256]; // all pixels 3

inline constexpr int SpriteSet1 = 0;   // first image of set 1 in Sprites
inline constexpr int SpriteSet23 = 64; // first image of sets 2 and 3

extern uint8_t TileColorLookup[512];   // (PROM & 0x3F) + 0x70
extern uint8_t CharColorTable[64];     // pens of the 64 character colours
extern uint8_t SpriteColorLookup[512]; // 64 sets of 8 pens; a pen of 0 is transparent
extern PaletteEntry GamePalette[128];  // pens 0x70-0xEF
extern PaletteEntry CardPalette[256];  // the full-screen palette

void DecodeCharacters(); // Characters, TileColorLookup, CharColorTable
void DecodeTilesWindow();
void DecodeTilesModeX();
void DecodeSprites(); // Sprites, BlankSprite, SpriteColorLookup
void BuildPalette();  // GamePalette

// CardPalette from the colour table of the instruction card's 8-bit bitmap,
// which the frame finds in its resources (boards::BuildCardPalette).
inline void BuildCardPalette(const uint8_t* colourTable, size_t entries) {
    boards::BuildCardPalette(CardPalette, colourTable, entries);
}

// The 9-bit TileColorLookup offset of tile copy n (0-127).
constexpr int TileCopyOffset(int n) {
    int c = n & 63;
    return (c & 3) * 128 + (c & 0x3C) + (n >= 64 ? 64 : 0);
}

} // namespace zarkolt
