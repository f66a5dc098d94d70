// The host's sound buffers as a board drives them: numbered buffers that
// loop or play once, modelled on a looping-buffer sound API. The Windows
// programs back it with DirectSound, the tests and the headless runner with
// recorders. Which buffers exist, their sizes and rates, is the board's
// (BoardFace::soundBuffers); the board keeps the seam it is given.
#pragma once

#include <cstdint>

namespace boards {

// Status bits of a buffer (the values of the Windows sound API).
enum : uint32_t {
    StatusPlaying = 0x1,
    StatusBufferLost = 0x2,
    StatusLooping = 0x4,
};

enum class PlayResult { Ok, BufferLost, Failed };

inline constexpr int32_t SilentVolume = -10000; // hundredths of a decibel

struct SoundSeam {
    void (*lock)(); // the sound lock around every use of the buffers
    void (*unlock)();
    uint32_t (*status)(int buffer);
    PlayResult (*play)(int buffer, bool looping);
    void (*stop)(int buffer);
    void (*restore)(int buffer);
    void (*fill)(int buffer, const void* bytes, uint32_t size); // from the buffer's start
    void (*setPosition)(int buffer, uint32_t position);
    void (*setRate)(int buffer, uint32_t hertz);
    void (*setVolume)(int buffer, int32_t volume);
};

// One buffer the board needs: 16-bit mono PCM of `bytes` bytes played at
// `rate` Hz. The primary buffer only takes the output format (bytes 0).
struct SoundBufferSpec {
    uint32_t bytes;
    uint32_t rate;
    bool primary;         // the device's primary buffer; the program goes on without it
    const void* contents; // copied in once at start-up, or null
};

} // namespace boards
