// One frame of the KLUNO board.
#include "boards/kluno/frame.h"

#include "boards/kluno/machine.h"
#include "boards/kluno/renderer.h"
#include "boards/kluno/sound.h"

namespace kluno {

void RunFrame(const FrameHooks& hooks) {
    if (SoundActive()) UpdateSoundVoices(SharedRam + VoiceRegisterOffset);
    boards::RunHook(hooks.present);
    if (!IoChipHold) {
        boards::RunHook(hooks.pollInput);
        UpdateIoChipInputs();
    }
    RunCpus();
    boards::RenderStep(hooks, RenderFrame);
}

void RunCpus() {
    M6809Run(CpuCount, Cpus, PassesPerFrame);
    if (IrqEnable[Cpu1]) M6809Irq(&Cpus[Cpu1]);
    if (IrqEnable[Cpu2]) M6809Irq(&Cpus[Cpu2]);
}

} // namespace kluno
