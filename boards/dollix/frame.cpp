// One frame of the DOLLIX board.
#include "boards/dollix/frame.h"

#include "boards/dollix/bitmap.h"
#include "boards/dollix/machine.h"
#include "boards/dollix/renderer.h"
#include "boards/dollix/sound.h"

namespace dollix {

void RunFrame(const FrameHooks& hooks) {
    if (SoundActive()) UpdateSoundVoices();
    boards::RunHook(hooks.present);
    boards::RunHook(hooks.pollInput);
    UpdateIoChipInputs();
    M6809Run(CpuCount, Cpus, PassesPerFrame);
    M6809Irq(&Cpus[MainCpu]);
    M6809Irq(&Cpus[SoundCpu]);
    RunBitmapCommands();
    boards::RenderStep(hooks, RenderFrame);
}

} // namespace dollix
