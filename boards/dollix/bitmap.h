// The bitmap picture layer behind the tiles and sprites: a 64 KB plane of
// pens (0-15) that the host draws whole screens into when the game raises one
// of 17 command flags in its RAM. A screen is fills of the layer or of its
// bands and run-length pictures from the picture block of the game data,
// all given by one table. A handshake byte lets the game ask for the layer
// to be re-initialised.
//
// The frame calls RunBitmapCommands once after the CPUs' interrupts; the
// renderer reads the plane from offset 0x0200, 288 pens a row, 224 rows.
#pragma once

#include <cstdint>

namespace dollix {

extern uint8_t BitmapPlane[0x10000]; // offsets wrap at 64 KB

inline constexpr int PlaneRowBytes = 288;
inline constexpr uint16_t VisibleLayer = 0x0200; // 64,512 bytes to 0xFFFF
inline constexpr uint16_t CommandFlags = 0x2800; // 17 flags in main RAM
inline constexpr uint16_t PenMapSelect = 0x2902;
inline constexpr uint16_t Handshake = 0x2FFC;
inline constexpr int BitmapCommandCount = 17; // 0-15 draw, 16 is only cleared
inline constexpr uint8_t HandshakeRequest = 0x11, HandshakeReady = 0x22;

// A region of the plane and the pen a fill writes into it.
struct PlaneFill {
    uint16_t start;
    uint16_t bytes;
    uint8_t pen;
};

// One picture (source offset in the picture block, destination offset in
// the plane), drawn columns x rows times, columnStep and rowStep apart.
struct PicturePlacement {
    uint16_t source;
    uint16_t destination;
    uint8_t columns = 1;
    uint8_t rows = 1;
    uint16_t columnStep = 0;
    uint16_t rowStep = 0;
};

// A command's screen: the pen-map select it sets, its fills in order, then
// its pictures in order (unused entries have bytes 0 or source 0).
struct BitmapScreen {
    uint8_t penMap;
    PlaneFill fills[4];
    PicturePlacement pictures[6];
};
extern const BitmapScreen BitmapScreens[16];

// Writes pen into bytes bytes of the plane from start, a 32-bit word at a time.
void FillPlane(uint16_t start, uint32_t bytes, uint8_t pen);
void FillBitmap(uint8_t pen);       // the visible layer
void FillBitmapMiddle(uint8_t pen); // rows 16-207
void FillBitmapBands();             // rows 0-15 and 208-223 := 14

// Draws the picture at source in the picture block with its top-left pixel
// at destination. Pen 0 leaves the plane as it is; a run carries over a
// row's end; a picture of height 0 draws nothing. The picture block is read
// at (offset & 0x7FFF), so no picture reads past it.
void DrawPicture(uint16_t source, uint16_t destination);

// The screen of command 0-15, from the table.
void DrawBitmapScreen(int command);

// Answers the handshake (clearing 0x2FFD-0x2FFE when the game asked), clears
// the command block and the visible layer and marks the layer initialised.
void ResetBitmapLayer();

// Clears flag n and, for n 0-15, draws its screen.
void RunBitmapCommand(int n);

// Without the reset step: a raised handshake request marks the layer for
// reset, else every raised flag is served in ascending order.
void ServeBitmapCommands();

// The per-frame step: the reset when the layer is not initialised, then
// ServeBitmapCommands.
void RunBitmapCommands();

} // namespace dollix
