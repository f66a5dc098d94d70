// Graphics decoding, colour tables and palettes. Tiles and sprites are
// decoded once, upright and uncoloured (one pen 0-3 a byte); the renderer
// colours them through four-entry rows of TileColorTable and
// SpriteColorTable, where an entry of 0 is transparent. The game's 84
// colours sit at palette entries 112-195; ColorLookup turns a colour number
// of the lookup PROM into that palette index.
//
// BuildSpriteColorLookup must run before both decoders; every function may
// run again, rebuilding its tables from the game data.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boards/common/palette.h"

namespace dollix {

using boards::PaletteEntry;
using boards::PaletteReserved;
inline constexpr int FirstGameColor = 112;
inline constexpr int GameColorCount = 84;
inline constexpr uint8_t TransparentLookup = 0x70; // a pen-0 entry of this value is not drawn

extern uint8_t DecodedTiles[256 * 64];           // 8 rows of 8 pens
extern uint8_t DecodedSprites[256 * 256];        // 16 rows of 16 pens
extern uint8_t ColorLookup[256];                 // lookup PROM + 0x6F
extern uint8_t TileColorTable[256];              // 64 colours x 4 pens; 0 transparent
extern uint8_t SpriteColorTable[256];            // 64 colours x 4 pens; 0 transparent
extern PaletteEntry GamePalette[GameColorCount]; // palette entries 112-195
extern PaletteEntry CardPalette[256];            // the full-screen palette

// The four pens of the byte's pixels, left to right.
void DecodePixelGroup(uint8_t byte, uint8_t pens[4]);

void BuildSpriteColorLookup(); // ColorLookup
void DecodeCharacters();       // DecodedTiles, TileColorTable
void DecodeSprites();          // DecodedSprites, SpriteColorTable
void BuildPalette();           // GamePalette

// The 16 palette indices of the bitmap layer's pens for a pen-map select
// byte: ColorLookup 96-111 for 0, 224-239 otherwise.
const uint8_t* PenMap(uint8_t select);

// CardPalette from the colour table of the instruction card's 8-bit bitmap
// (entries of blue, green, red, reserved, as a Windows bitmap stores them):
// entry 0 black, 1-254 the bitmap's colours, 255 white. With no table
// CardPalette stays as it is.
void BuildCardPalette(const uint8_t* colourTable, size_t entries);

} // namespace dollix
