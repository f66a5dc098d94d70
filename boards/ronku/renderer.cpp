// The RONKU picture and its full-screen composition.
#include "boards/ronku/renderer.h"

#include "boards/common/picture_copy.h"
#include "boards/kluno/machine.h"
#include "boards/ronku/graphics.h"
#include "boards/ronku/rate_meter.h"

namespace ronku {

void RenderFrame() {
    kluno::DrawScene(kluno::MainRam, kluno::ScrollValue, kluno::DrawColourSetCharacter, false);
    DrawRate(FrameBuffer);
}

void CopyPictureFullScreen(uint8_t* surface, ptrdiff_t pitch) {
    boards::FillBytes(surface, pitch, 640, 480, BorderPen);
    boards::FillBytes(surface + 88 * pitch + 200, pitch, 240, 304, 0);
    boards::CopyUprightPicture(FrameBuffer, surface, pitch);
}

} // namespace ronku
