// One emulated frame of the RONKU board, as the emulation thread runs it once
// per 17 ms tick with the frame mutex held:
//   voice update (when sound is active); unless the I/O chips are held, the
//   I/O-chip refresh; the rate meter's sample (when it is on and the
//   platform has a counter); present of the last picture; 8,192 passes of
//   both CPUs; IRQ to CPU 1, then to CPU 2, each when its enable latch is
//   set; render.
// The platform steps are hooks; a null hook is skipped (render: RenderFrame).
#pragma once

#include "boards/board.h"

namespace ronku {

void RunFrame(const boards::FrameHooks& hooks);

} // namespace ronku
