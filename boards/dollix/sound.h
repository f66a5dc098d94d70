// DOLLIX sound: the eight-voice waveform chip of the 6809 boards
// (boards/kluno/sound.h, whose device, mute switch, wave table and voice
// caches it uses), with the registers at main 0x6803, every audible rate
// held inside 100-100,000 Hz, and a voice whose waveform changes stopped
// first whenever its buffer has the playing bit.
#pragma once

#include "boards/kluno/sound.h"

namespace dollix {

inline constexpr kluno::RateRange RateLimits = {100, 100000};

// A device, not muted, and the game's sound on.
bool SoundActive();
// The voices from the registers; callers call it only when SoundActive().
void UpdateSoundVoices();
// Every voice and the primary buffer stopped, when there is a device.
void StopAllSound();

} // namespace dollix
