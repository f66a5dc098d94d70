// One emulated frame of the DOLLIX board, as the emulation thread runs it
// once per 17 ms tick with the frame mutex held:
//   sound update (with a device, not muted, the game's sound on); present of the last
//   picture; joystick poll; I/O chip refresh; 6,144 passes of both CPUs; one
//   IRQ to the main CPU, then one to the sound CPU; the bitmap commands;
//   render.
// The platform steps are hooks; a null hook is skipped (render: RenderFrame).
#pragma once

#include <cstdint>

#include "boards/board.h"

namespace dollix {

inline constexpr uint32_t PassesPerFrame = 6144;

// The platform's steps: present shows the picture rendered in the previous
// frame, pollInput polls the joystick while it is in use, render is
// RenderFrame and the full-screen copy. The board has no sound tick.
using FrameHooks = boards::FrameHooks;

void RunFrame(const FrameHooks& hooks);

} // namespace dollix
