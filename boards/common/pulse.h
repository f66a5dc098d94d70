// A coin or start signal that a board face holds for the game program, which
// counts the signal's rising edges: each press queued is on for two frames,
// then off for one before the next press starts, so quick presses each count.
// Press() queues one; Advance() once a frame, before the game reads the
// signal, gives its level for that frame.
#pragma once

#include <cstdint>

namespace boards {

struct Pulse {
    uint32_t queued = 0;
    uint32_t step = 0; // frames left of the one under way: on, on, off

    void Press() { queued++; }

    bool Advance() {
        if (step == 0 && queued) {
            queued--;
            step = 3;
        }
        bool on = step >= 2;
        if (step) step--;
        return on;
    }
};

} // namespace boards
