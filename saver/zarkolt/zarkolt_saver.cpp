// The ZARKOLT board's screen-saver glue.
#include "saver/zarkolt/zarkolt_saver.h"

#include "boards/zarkolt/blitters.h"
#include "boards/zarkolt/frame.h"
#include "boards/zarkolt/graphics.h"
#include "boards/zarkolt/renderer.h"
#include "boards/zarkolt/sound.h"

namespace zarkolt_saver {

namespace {

zarkolt::Edition AttractEdition;

// Between the attract replies and the second half: the voices again, then
// the picture presented last frame comes to the screen.
void VoicesAndFlip() {
    if (zarkolt::SoundActive()) zarkolt::UpdateSoundVoices();
    saver::FlipDisplay();
}

void RenderAndPresent() {
    zarkolt::RenderFrame();
    saver::PresentPicture();
}

const zarkolt::FrameHooks Hooks = {nullptr, nullptr, nullptr, VoicesAndFlip, RenderAndPresent};

} // namespace

void Build(const zarkolt::GameData& data, const zarkolt::Edition& edition, void (*refresh)(),
           uint8_t* workBuffer, saver::PaletteEntry* palette) {
    AttractEdition = edition;
    AttractEdition.updateIoChipInputs = refresh;
    zarkolt::BuildBoard(data, AttractEdition);
    zarkolt::SoundMute = 0;
    zarkolt::FrameBuffer = workBuffer;
    zarkolt::ResetMachine();
    for (int i = 0; i < 128; i++) {
        const zarkolt::PaletteEntry& colour = zarkolt::GamePalette[i];
        palette[zarkolt::FirstGamePen + i] = {colour.red, colour.green, colour.blue, colour.flags};
    }
}

void Frame() {
    zarkolt::RunFrame(Hooks);
}

} // namespace zarkolt_saver
