// A sound device for the benchmarks that only counts the calls a board makes
// on it: every buffer is there and plays (the voice buffers looping, so a new
// waveform goes straight to its copy), every lock and fill succeeds; and
// voice registers that change every frame.
//   face.attachSound(&bench_sound::CountingSeam); bench_sound::Calls = 0; ...
#pragma once

#include <cstdint>

#include "boards/sound_seam.h"

namespace bench_sound {

inline constexpr int PrimaryBuffer = 8; // after the eight waveform voices

extern uint64_t Calls;
extern const boards::SoundSeam CountingSeam;

// Gives each of the eight voices whose registers start at `registers` another
// waveform, rate and volume for frame `frame`, so that every voice takes the
// full path (copy, rewind, rate, volume, play) in that frame's update.
void ChangeEveryVoice(uint8_t* registers, uint32_t frame);

} // namespace bench_sound
