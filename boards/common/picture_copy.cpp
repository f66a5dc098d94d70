// Frame-buffer to surface copies.
#include "boards/common/picture_copy.h"

#include <cstring>

namespace boards {

void CopyBytes(uint8_t* destination, ptrdiff_t destinationPitch, const uint8_t* source, ptrdiff_t sourcePitch,
               int width, int rows) {
    for (int row = 0; row < rows; row++)
        std::memcpy(destination + row * destinationPitch, source + row * sourcePitch, size_t(width));
}

void FillBytes(uint8_t* destination, ptrdiff_t pitch, int width, int rows, uint8_t value) {
    for (int row = 0; row < rows; row++)
        std::memset(destination + row * pitch, value, size_t(width));
}

void CopyCard(const uint8_t* card, ptrdiff_t cardPitch, uint8_t* surface, ptrdiff_t pitch) {
    CopyBytes(surface, pitch, card, cardPitch, 640, 480);
}

void CopyUprightPicture(const uint8_t* frameBuffer, uint8_t* surface, ptrdiff_t pitch) {
    CopyBytes(surface + 96 * pitch + 208, pitch, frameBuffer + PictureOffset, FrameBufferWidth, 224, 288);
}

void CopyTurnedPicture(const uint8_t* frameBuffer, uint8_t* surface, ptrdiff_t pitch) {
    CopyBytes(surface + 8 * pitch + 16, pitch, frameBuffer + PictureOffset, FrameBufferWidth, 288, 224);
}

} // namespace boards
