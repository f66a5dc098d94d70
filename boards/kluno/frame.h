// One emulated frame of the KLUNO board, as the emulation thread runs it once
// per 17 ms tick with the frame mutex held:
//   voice update (when sound is active); present of the last picture; unless
//   the I/O chips are held: joystick poll, then the I/O-chip refresh; 8,192
//   passes of both CPUs; IRQ to CPU 1, then to CPU 2, each when its enable
//   latch is set; render.
// The platform steps are hooks; a null hook is skipped (render: RenderFrame).
#pragma once

#include <cstdint>

namespace kluno {

inline constexpr uint32_t PassesPerFrame = 8192;

struct FrameHooks {
    void (*present)();      // shows the picture rendered in the previous frame
    void (*pollJoystick)(); // only while the joystick is in use
    void (*render)();       // RenderFrame or RenderFrameModeX
};

void RunFrame(const FrameHooks& hooks);

} // namespace kluno
