// One frame of the KLUNO board.
#include "boards/kluno/frame.h"

#include "boards/kluno/machine.h"
#include "boards/kluno/renderer.h"
#include "boards/kluno/sound.h"

namespace kluno {

namespace {

void Call(void (*hook)()) {
    if (hook) hook();
}

} // namespace

void RunFrame(const FrameHooks& hooks) {
    if (SoundActive()) UpdateSoundVoices(SharedRam + VoiceRegisterOffset);
    Call(hooks.present);
    if (!IoChipHold) {
        Call(hooks.pollInput);
        UpdateIoChipInputs();
    }
    RunCpus();
    Call(hooks.render ? hooks.render : RenderFrame);
}

void RunCpus() {
    M6809Run(CpuCount, Cpus, PassesPerFrame);
    if (IrqEnable[Cpu1]) M6809Irq(&Cpus[Cpu1]);
    if (IrqEnable[Cpu2]) M6809Irq(&Cpus[Cpu2]);
}

} // namespace kluno
