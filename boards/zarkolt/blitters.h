// The drawing primitives of the renderers: 16 x 16 sprite parts and 8 x 8
// characters, upright and turned a quarter turn anticlockwise, written
// straight into FrameBuffer. A sprite part is accepted or rejected whole by
// one test on its place; the 16-pixel border of the frame buffer takes every
// overhang, so no pixel is clipped.
#pragma once

#include <cstdint>

namespace zarkolt {

inline constexpr int FrameWidth = 512; // bytes a row of the frame buffer
inline constexpr int FrameHeight = 512;

// The 512 x 512 8-bit picture the renderers draw into: the board's own
// buffer after BuildBoard; the frame may point it at its own bitmap (same
// layout) after BuildBoard.
extern uint8_t* FrameBuffer;

// Sprite blitter members, indexed by (sets 2 and 3 ? 4 : 0) | order, where
// order bit 0 reverses the rows and bit 1 the columns (a sprite's form >> 2).
//   upright: place = (top row + 24) x 512 + column; drawn when the column is
//            1-239 and the top row 1-303.
//   turned:  place = top row x 512 + Y term (left column + 24); drawn when the
//            left column is 1-303 and the top row 1-239.
// codeColour = code x 256 + colour; colour & 63 picks the colour set.
using SpriteBlitter = void (*)(uint32_t place, uint32_t codeColour);
extern const SpriteBlitter BlitSprite16[8];
extern const SpriteBlitter BlitSprite16ModeX[8];

// Writes pen wherever the 8 x 8 image is non-zero; destination is the frame
// buffer position of the character's top-left pixel.
void DrawCharacter(uint8_t* destination, const uint8_t* image, uint8_t pen);
// The same turned: image pixel (v, u) lands at destination + (7 - u) rows + v.
void DrawCharacterModeX(uint8_t* destination, const uint8_t* image, uint8_t pen);

} // namespace zarkolt
