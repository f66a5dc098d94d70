// The full-screen composition of one frame, as the emulation thread runs it
// after the board rendered: the back buffer is locked whole and the board
// composes into it (boards/board.h, composeFullScreen): the turned picture
// on a cleared 320 x 240 screen, or the plain picture over the instruction
// card, whose surface is locked for reading. A back buffer that cannot be
// locked skips the frame's composition (the screen keeps the last one); a
// card that cannot be locked is left out (the back buffer keeps what it had
// under the picture).
//
// The surfaces are the platform's (DirectDraw in the programs) behind
// SurfaceSeam, so that the native tests run the very same steps.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boards/board.h"

namespace frame {

struct SurfaceSeam {
    // Locks the whole surface for writing or reading; false when it fails.
    bool (*lock)(void* surface, bool write, uint8_t** pixels, ptrdiff_t* pitch);
    void (*unlock)(void* surface, uint8_t* pixels);
};

// card may be null (no card: the turned screen, or none made).
void ComposeFullScreen(const boards::BoardFace& board, const SurfaceSeam& surfaces, void* backBuffer,
                       void* card, bool turned);

// The instruction card bitmap's colours to the board's full-screen palette:
// an 8-bit card (bitCount) gives its colour table, coloursUsed entries (0:
// all 256). A board that keeps no card palette takes none.
void TakeCardPalette(const boards::BoardFace& board, uint32_t bitCount, uint32_t coloursUsed,
                     const uint8_t* colourTable);

// Where the frame's picture goes: the window, or the full screen in force
// with its back buffer (null: none made) and card surface.
struct RenderTarget {
    bool fullScreen;
    bool rotated; // the full screen in force is the turned 320 x 240 one
    void* backBuffer;
    void* card;
};

// The frame's render step: the board draws the turned picture in the turned
// full screen and the plain one everywhere else; in full screen the picture
// is then composed onto the back buffer.
void RenderStep(const boards::BoardFace& board, const SurfaceSeam& surfaces, const RenderTarget& target);

} // namespace frame
