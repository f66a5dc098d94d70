// One emulated frame of the KLUNO board, as the emulation thread runs it once
// per 17 ms tick with the frame mutex held:
//   voice update (when sound is active); present of the last picture; unless
//   the I/O chips are held: joystick poll, then the I/O-chip refresh; 8,192
//   passes of both CPUs; IRQ to CPU 1, then to CPU 2, each when its enable
//   latch is set; render.
// The platform steps are hooks; a null hook is skipped (render: RenderFrame).
#pragma once

#include <cstdint>

#include "boards/board.h"

namespace kluno {

inline constexpr uint32_t PassesPerFrame = 8192;

// The platform's steps: present shows the picture rendered in the previous
// frame, pollInput polls the joystick while it is in use, render is
// RenderFrame or RenderFrameModeX. The board has no sound tick.
using FrameHooks = boards::FrameHooks;

void RunFrame(const FrameHooks& hooks);

// The CPUs' part of a frame: 8,192 passes of both, then an IRQ to CPU 1 and
// to CPU 2, each when its enable latch is set.
void RunCpus();

} // namespace kluno
