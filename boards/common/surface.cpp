// Rectangle copies and fills, row by row.
#include "boards/common/surface.h"

#include <cstring>

void CopyBytes(uint8_t* destination, ptrdiff_t destinationPitch, const uint8_t* source, ptrdiff_t sourcePitch,
               int width, int rows) {
    for (int row = 0; row < rows; row++)
        std::memcpy(destination + row * destinationPitch, source + row * sourcePitch, size_t(width));
}

void FillBytes(uint8_t* destination, ptrdiff_t pitch, int width, int rows, uint8_t value) {
    for (int row = 0; row < rows; row++)
        std::memset(destination + row * pitch, value, size_t(width));
}
