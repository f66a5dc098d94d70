// One frame of the DOLLIX board.
#include "boards/dollix/frame.h"

#include "boards/dollix/bitmap.h"
#include "boards/dollix/machine.h"
#include "boards/dollix/renderer.h"
#include "boards/dollix/sound.h"

namespace dollix {

namespace {

void Call(void (*hook)()) {
    if (hook) hook();
}

} // namespace

void RunFrame(const FrameHooks& hooks) {
    if (SoundActive()) UpdateSoundVoices();
    Call(hooks.present);
    Call(hooks.pollInput);
    UpdateIoChipInputs();
    M6809Run(CpuCount, Cpus, PassesPerFrame);
    M6809Irq(&Cpus[MainCpu]);
    M6809Irq(&Cpus[SoundCpu]);
    RunBitmapCommands();
    Call(hooks.render ? hooks.render : RenderFrame);
}

} // namespace dollix
