// The frame mutex as the portable parts of the frame see it.
//
// The Windows program points FrameLock at its recursive frame mutex (a Win32
// mutex, which the owning thread may take again); the native tests point it at
// counters or leave the default no-ops. Every user of the emulated machine
// outside the emulation thread's frame holds it through FrameMutexHold:
//   { FrameMutexHold hold; ... change credits, reset the machine ... }
#pragma once

namespace frame {

struct FrameLockSeam {
    void (*acquire)();
    void (*release)();
};

extern FrameLockSeam FrameLock;

struct FrameMutexHold {
    FrameMutexHold() { FrameLock.acquire(); }
    ~FrameMutexHold() { FrameLock.release(); }
    FrameMutexHold(const FrameMutexHold&) = delete;
    FrameMutexHold& operator=(const FrameMutexHold&) = delete;
};

} // namespace frame
