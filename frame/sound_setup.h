// The start-up's sound step, apart from the sound API that carries it out
// (win32/directsound_win.cpp, win32/sound_win.cpp): which buffers the program
// can go without, and what the program does when the device or a buffer is
// missing.
//
//   MakeSoundBuffers(board.soundBuffers(), make, &primary)   the buffers, in order
//   TakeSoundDevice(result, seam)                            the board's sound, or none
#pragma once

#include <span>

#include "boards/sound_seam.h"

namespace frame {

enum class VoicesResult {
    Opened,   // every buffer made
    NoDevice, // no sound device: the game is silent
    Failed,   // a voice or sample buffer could not be made
};

// Makes the buffers through make(id, buffer) -> made: the primary buffer
// first, which the program can go without (*primary: its id, or NoBuffer),
// then the others in their order; the first one that cannot be made ends
// the set-up (Failed) with the buffers made so far kept for the release.
VoicesResult MakeSoundBuffers(std::span<const boards::SoundBufferSpec> buffers,
                              bool (*make)(int id, const boards::SoundBufferSpec& buffer), int* primary);

// Hands the device's buffers to the board when every one was made (seam);
// without a device the board stays silent and HasSound() is false, so the
// Sound item is greyed. Returns false when a buffer could not be made: the
// start-up fails.
bool TakeSoundDevice(VoicesResult result, const boards::SoundSeam* seam);

} // namespace frame
