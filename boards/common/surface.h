// Byte copies and fills over (pointer, pitch) rectangles: how the boards
// put their pictures onto a locked full-screen surface, whose pitch only the
// platform knows. The platform locks and unlocks around them.
#pragma once

#include <cstddef>
#include <cstdint>

void CopyBytes(uint8_t* destination, ptrdiff_t destinationPitch, const uint8_t* source, ptrdiff_t sourcePitch,
               int width, int rows);
void FillBytes(uint8_t* destination, ptrdiff_t pitch, int width, int rows, uint8_t value);
