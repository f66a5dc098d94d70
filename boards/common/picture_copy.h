// Byte copies between a board's frame buffer and the platform's surfaces.
//
// Every portrait board draws into a 512 x 512 frame buffer with its picture,
// 224 x 288 upright or 288 x 224 turned, at (16, 16). The full-screen paths
// lock a surface and hand its (pointer, pitch) to these copies, so the
// platform code never walks pixels itself.
#pragma once

#include <cstddef>
#include <cstdint>

namespace boards {

inline constexpr int FrameBufferWidth = 512; // bytes a row of a frame buffer
inline constexpr int PictureOffset = 16 * FrameBufferWidth + 16;

void CopyBytes(uint8_t* destination, ptrdiff_t destinationPitch, const uint8_t* source, ptrdiff_t sourcePitch,
               int width, int rows);
void FillBytes(uint8_t* destination, ptrdiff_t pitch, int width, int rows, uint8_t value);

// 640 x 480: the whole card surface onto the back surface.
void CopyCard(const uint8_t* card, ptrdiff_t cardPitch, uint8_t* surface, ptrdiff_t pitch);
// 640 x 480: the upright 224 x 288 picture of frameBuffer at (208, 96).
void CopyUprightPicture(const uint8_t* frameBuffer, uint8_t* surface, ptrdiff_t pitch);
// 320 x 240: the turned 288 x 224 picture of frameBuffer at (16, 8).
void CopyTurnedPicture(const uint8_t* frameBuffer, uint8_t* surface, ptrdiff_t pitch);

} // namespace boards
