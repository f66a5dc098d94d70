// The DOLLIX picture, 288 x 224 at (16, 16) of FrameBuffer, composed back to
// front each frame: the bitmap layer through the pen map (every pixel), the
// 36 x 28 tilemap (code 0x20 not drawn), then sprites 0 to 63 of one, two or
// four 16 x 16 cells. RenderFrame reads the RAM, the bitmap plane and the
// decoded tables directly and keeps no state. The full-screen copies are
// byte copies over (pointer, pitch), so the platform only locks and unlocks
// its surfaces around them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dollix {

inline constexpr int FrameWidth = 512; // bytes a row of the frame buffer
inline constexpr int FrameHeight = 512;
inline constexpr int PictureLeft = 16;
inline constexpr int PictureTop = 16;
inline constexpr int PictureWidth = 288;
inline constexpr int PictureHeight = 224;

// The 512 x 512 8-bit picture the renderer draws into: the board's own
// buffer after BuildBoard; the frame may point it at its own bitmap (same
// layout) after BuildBoard.
extern uint8_t* FrameBuffer;
void ResetFrameBuffer(); // FrameBuffer := the board's own buffer, cleared

// Draws an 8 x 8 decoded tile at destination (rows FrameWidth apart) through
// a four-entry colour row; an entry of 0 leaves the pixel as it is.
void DrawTile(uint8_t* destination, const uint8_t* tile, const uint8_t* colors);

// Sprite cell drawers, indexed by the flag nibble's flip bits (bit 0 x flip,
// bit 1 y flip): one 16 x 16 cell with its top-left pixel at frame-buffer
// (column, row), drawn whole when column is 1-303 and row 0-239 (as signed
// values), else not at all; colour & 63 picks the colour row.
using SpriteBlitter = void (*)(int column, int row, uint8_t code, uint8_t colour);
extern const SpriteBlitter BlitSprite16[4];

void RenderFrame();

// 640 x 480 full screen, after boards::CopyCard: the picture at (176, 128).
void CopyPictureFullScreen(uint8_t* surface, ptrdiff_t pitch);
// 320 x 240 full screen: the surface filled with 0, the picture at (16, 8).
void CopyPictureModeX(uint8_t* surface, ptrdiff_t pitch);

} // namespace dollix
