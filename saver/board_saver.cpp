// A board as a screen saver, driven through its face.
#include <string>

#include "saver/saver.h"

namespace saver {

namespace {

void SoundAndFlip() {
    if (Board->face->soundTick) Board->face->soundTick();
    FlipDisplay();
}

void RenderAndPresent() {
    Board->face->render(false);
    PresentPicture();
}

const boards::FrameHooks SaverHooks = {nullptr, nullptr, nullptr, SoundAndFlip, RenderAndPresent, nullptr};

} // namespace

bool BuildFromFace(uint8_t* workBuffer, PaletteEntry* palette) {
    const boards::BoardFace& face = *Board->face;
    std::string error;
    if (!face.buildAttract || !face.buildAttract(error)) return false;
    face.setFrameBuffer(workBuffer);
    face.setSoundMute(false);
    face.reset();
    boards::Colour pens[256];
    face.gamePalette(pens);
    for (int i = 0; i < face.penCount && face.firstPen + i < 256; i++)
        palette[face.firstPen + i] = {pens[i].red, pens[i].green, pens[i].blue, pens[i].flags};
    return true;
}

void RunFaceFrame() {
    Board->face->runFrame(SaverHooks);
}

} // namespace saver
