// One emulated frame of the ZARKOLT board, as the emulation thread runs it
// once per 16 ms tick with the frame mutex held:
//   snapshot of the voice registers; voice update and the start of the 8 ms
//   sound tick (when sound is active); NMI to CPU 3; 4,096 passes; snapshot
//   again; joystick poll; I/O chip refresh; present of the last picture; NMI
//   to CPU 3; IRQ to CPU 1 (data 0x00) when its enable latch is set; 4,096
//   passes; render; wait for the sound tick when one was started.
// The platform steps are hooks; a null hook is skipped (render: RenderFrame).
#pragma once

#include <cstdint>

#include "boards/board.h"

namespace zarkolt {

inline constexpr uint32_t PassesPerHalf = 4096;

// The platform's steps: startSoundTick resets the sound event and starts the
// one-shot 8 ms tick, whose work is SoundTick(); pollInput polls the joystick
// while it is in use; render is RenderFrame or RenderFrameModeX.
using FrameHooks = boards::FrameHooks;

void RunFrame(const FrameHooks& hooks);

} // namespace zarkolt
