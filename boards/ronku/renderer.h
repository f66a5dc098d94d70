// The RONKU renderer: KLUNO's renderer (boards/kluno/renderer.h) with the
// colour-set cells. The layers, the geometry, the video RAM and the sprite
// banks are KLUNO's; a cell is ColourSetCharacterImages[((attribute << 8) |
// code) & 0x7FFF] copied as it is, so attribute bit 6 picks a front set that
// sprites do not draw over. The four upright sprite blitters are KLUNO's: a
// piece is skipped when its column (position & 0xFF) is 0 or 240 and more,
// its row 0, or its position 0x26000 (row 304) or more, which are exactly
// KLUNO's bounds. Over the picture goes the frame-rate meter (rate_meter.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "boards/kluno/renderer.h"

namespace ronku {

using kluno::BlitSprite16;
using kluno::BlitSprite16FlipBoth;
using kluno::BlitSprite16FlipColumns;
using kluno::BlitSprite16FlipRows;
using kluno::FrameBuffer;
using kluno::FrameHeight;
using kluno::FrameWidth;

// The picture of the video RAM, then the meter (when it is on).
void RenderFrame();

// Full screen, onto a locked 640 x 480 surface: all of it in the border pen
// 254, the field (200, 88)-(440, 392) black, the picture at (208, 96).
void CopyPictureFullScreen(uint8_t* surface, ptrdiff_t pitch);

} // namespace ronku
