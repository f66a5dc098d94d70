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

// The coin and the two starts of a board whose game counts its own credits.
// A player's key or button holds its control bit as a plain level (the
// face's setControls); where nobody holds one (the headless runner, the
// tests, the screen savers) the face's insertCoin and pressStart queue
// pulses. The game reads each signal as the held level or its pulse.
struct CoinStartPulses {
    uint32_t coinBit, start1Bit, start2Bit; // the face's control bits
    Pulse coin, start1, start2;
    uint32_t on = 0; // the control bits of the pulses on in this frame

    constexpr CoinStartPulses(uint32_t coin, uint32_t start1, uint32_t start2)
        : coinBit(coin), start1Bit(start1), start2Bit(start2) {}

    // Once a frame, before the game reads the signals: the bits now on.
    uint32_t Advance() {
        on = (coin.Advance() ? coinBit : 0) | (start1.Advance() ? start1Bit : 0) |
             (start2.Advance() ? start2Bit : 0);
        return on;
    }

    void Clear() {
        coin = start1 = start2 = {};
        on = 0;
    }
};

} // namespace boards
