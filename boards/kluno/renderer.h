// The KLUNO renderer: once a frame, after the CPUs have run, the picture is
// drawn from the video RAM into the 512 x 512 frame buffer at (16, 16).
//
// RenderFrame draws the upright portrait picture (224 x 288) for the window
// and the 640 x 480 full screen; RenderFrameModeX draws the same scene turned
// a quarter (288 x 224) for the 320 x 240 full screen, where the upright
// position (column x, row y) lands at (column y, row 255 - x); it needs the
// turned characters (DecodeCharactersModeX). The layers, back to front: the
// scrolled playfield of 29 x 32 characters, the four fixed rows, then the 64
// sprites (a later one on top). Characters are opaque; a character whose
// attribute has bit 6 set is drawn in the front pens 0x60-0x6F, which sprites
// do not draw over. The whole picture is redrawn every frame.
//
// The scene walk takes the character drawer as an argument, so a board of the
// family with another colour method draws the same layers with its own cells.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kluno {

inline constexpr int FrameWidth = 512; // bytes a row of the frame buffer
inline constexpr int FrameHeight = 512;

// The picture the renderers draw into: the board's own buffer after
// BuildKlunoMachine; the frame may point it at its own bitmap (same layout).
extern uint8_t* FrameBuffer;

// Draws one 8 x 8 cell at destination (a frame-buffer position).
using CharacterDrawer = void (*)(uint8_t* destination, uint8_t code, uint8_t attribute);

// KLUNO's cell: CharacterImages[((attribute << 8) | code) & 0x3FFF], copied
// four bytes at a time, 0x20202020 taken off each four when bit 6 is set.
void DrawCharacter(uint8_t* destination, uint8_t code, uint8_t attribute);

// The colour-set cell: ColourSetCharacterImages[((attribute << 8) | code) &
// 0x7FFF] copied as it is (attribute bit 6 picks a front set).
void DrawColourSetCharacter(uint8_t* destination, uint8_t code, uint8_t attribute);

// The scene of a family board: video RAM (codes at 0x0000, attributes at
// 0x0800, sprite banks at 0x1780, 0x1F80 and 0x2780) and the scroll value.
void DrawScene(const uint8_t* ram, uint32_t scroll, CharacterDrawer draw, bool turned);

void RenderFrame();
void RenderFrameModeX();

// The 16 x 16 sprite piece drawers: (position = row x 512 + column, image
// index = (colour set << 8) | code). A piece is drawn only when its column is
// 1-239 and its row 1-303 (turned: column 1-303, row 1-239); a pixel only when
// its pen is not 0x7F and the pixel under it is 0x6F or more. Turned, image
// row r goes to column + r and image column c to row + 15 - c.
void BlitSprite16(uint32_t position, uint32_t image);
void BlitSprite16FlipRows(uint32_t position, uint32_t image);
void BlitSprite16FlipColumns(uint32_t position, uint32_t image);
void BlitSprite16FlipBoth(uint32_t position, uint32_t image);
void BlitSprite16ModeX(uint32_t position, uint32_t image);
void BlitSprite16ModeXFlipRows(uint32_t position, uint32_t image);
void BlitSprite16ModeXFlipColumns(uint32_t position, uint32_t image);
void BlitSprite16ModeXFlipBoth(uint32_t position, uint32_t image);

// Full screen, onto a locked surface: the upright picture at (208, 96) of the
// 640 x 480 back buffer (over the card), the turned one at (16, 8) of the
// 320 x 240 back buffer (filled with pen 0 first).
void CopyPictureFullScreen(uint8_t* surface, ptrdiff_t pitch);
void CopyPictureModeX(uint8_t* surface, ptrdiff_t pitch);

} // namespace kluno
