// The two renderers of the ZARKOLT picture and the full-screen composition.
//
// RenderFrame draws the upright portrait picture, 224 x 288 at (16, 16) of
// FrameBuffer: the scrolled background (opaque), sprites 0 to 63 (a later one
// on top), then the foreground characters. RenderFrameModeX draws the same
// picture turned a quarter turn anticlockwise, 288 x 224 at (16, 16): the
// pixel RenderFrame puts at (x, y) lands at (y, 255 - x). It needs the tiles
// decoded in the rotated order (DecodeTilesModeX).
//
// Both read the video RAM in SharedRam and ScrollValue directly and keep no
// state. The full-screen copies below are plain byte copies over (pointer,
// pitch), so the platform only locks and unlocks its surfaces around them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boards/common/picture_copy.h"

namespace zarkolt {

inline constexpr int PictureLeft = 16;
inline constexpr int PictureTop = 16;
inline constexpr int PictureWidth = 224; // upright; the turned picture is 288 x 224
inline constexpr int PictureHeight = 288;

void RenderFrame();
void RenderFrameModeX();

using boards::CopyBytes;
using boards::CopyCard;
using boards::FillBytes;

// 640 x 480 full screen: the instruction card surface onto the back surface
// (CopyCard), then the upright picture at (208, 96).
void CopyPictureFullScreen(uint8_t* surface, ptrdiff_t pitch);

// 320 x 240 full screen: the turned picture at (16, 8) of a surface filled with 0.
void CopyPictureModeX(uint8_t* surface, ptrdiff_t pitch);

} // namespace zarkolt
