// One frame of the RONKU board.
#include "boards/ronku/frame.h"

#include "boards/kluno/frame.h"
#include "boards/kluno/sound.h"
#include "boards/ronku/machine.h"
#include "boards/ronku/rate_meter.h"
#include "boards/ronku/renderer.h"

namespace ronku {

void RunFrame(const boards::FrameHooks& hooks) {
    if (kluno::SoundActive()) kluno::UpdateSoundVoices(SharedRam + kluno::VoiceRegisterOffset);
    if (!IoChipHold) UpdateIoChipInputs();
    if (Meter.available && hooks.performanceCounter) SampleRate(hooks.performanceCounter());
    boards::RunHook(hooks.present);
    kluno::RunCpus();
    boards::RenderStep(hooks, RenderFrame);
}

} // namespace ronku
