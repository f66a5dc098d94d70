// One frame of the ZARKOLT board.
#include "boards/zarkolt/frame.h"

#include <cstring>

#include "boards/zarkolt/machine.h"
#include "boards/zarkolt/renderer.h"
#include "boards/zarkolt/sound.h"

namespace zarkolt {

namespace {

void TakeSoundSnapshot() {
    std::memcpy(SoundSnapshot, SoundRegisters, sizeof SoundSnapshot);
}

} // namespace

void RunFrame(const FrameHooks& hooks) {
    TakeSoundSnapshot();
    bool tickStarted = false;
    if (SoundActive()) {
        UpdateSoundVoices();
        tickStarted = hooks.startSoundTick && hooks.startSoundTick();
    }
    Z80Nmi(&Cpus[Cpu3]);
    Z80Run(CpuCount, Cpus, PassesPerHalf);

    TakeSoundSnapshot();
    boards::RunHook(hooks.pollInput);
    CurrentEdition->updateIoChipInputs();
    boards::RunHook(hooks.present);

    Z80Nmi(&Cpus[Cpu3]);
    if (IrqEnable) Z80Irq(&Cpus[Cpu1], 0x00);
    Z80Run(CpuCount, Cpus, PassesPerHalf);

    boards::RenderStep(hooks, RenderFrame);
    if (tickStarted) boards::RunHook(hooks.waitSoundTick);
}

} // namespace zarkolt
