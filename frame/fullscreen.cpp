// The full-screen composition through the surface seam.
#include "frame/fullscreen.h"

namespace frame {

void ComposeFullScreen(const boards::BoardFace& board, const SurfaceSeam& surfaces, void* backBuffer,
                       void* card, bool turned) {
    uint8_t* back = nullptr;
    ptrdiff_t backPitch = 0;
    if (!surfaces.lock(backBuffer, true, &back, &backPitch)) return;
    uint8_t* cardPixels = nullptr;
    ptrdiff_t cardPitch = 0;
    bool withCard = !turned && card && surfaces.lock(card, false, &cardPixels, &cardPitch);
    board.composeFullScreen(back, backPitch, withCard ? cardPixels : nullptr, withCard ? cardPitch : 0,
                            turned);
    if (withCard) surfaces.unlock(card, cardPixels);
    surfaces.unlock(backBuffer, back);
}

void TakeCardPalette(const boards::BoardFace& board, uint32_t bitCount, uint32_t coloursUsed,
                     const uint8_t* colourTable) {
    if (bitCount != 8 || !board.buildCardPalette) return;
    board.buildCardPalette(colourTable, coloursUsed ? coloursUsed : 256);
}

void RenderStep(const boards::BoardFace& board, const SurfaceSeam& surfaces, const RenderTarget& target) {
    board.render(target.fullScreen && target.rotated);
    if (target.fullScreen && target.backBuffer)
        ComposeFullScreen(board, surfaces, target.backBuffer, target.card, target.rotated);
}

} // namespace frame
