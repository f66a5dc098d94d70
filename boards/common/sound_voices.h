// The voice logic that the waveform boards share, against the sound seam
// (boards/sound_seam.h).
//
// UpdateVoice holds every decision of one voice against its caches: silence,
// a new waveform (rewind and reload), a new rate or volume, the restart of a
// voice coming back from silence, a lost buffer restored and refilled. A fill
// whose lock fails copies nothing and forgets the voice's waveform, so the
// next update loads it again.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "boards/sound_seam.h"

namespace boards {

using WaveformTable = int16_t[8][32]; // 8 waveforms of 32 samples, (nibble - 8) x 512

// Volume register value to hundredths of a decibel: -10000 for 0, else
// round(2000 x log10(v / 16)).
extern const std::array<int32_t, 16> VolumeTable;

// Fills table from a waveform PROM of 256 bytes (low nibbles significant).
void BuildWaveTable(const uint8_t* prom, WaveformTable& table);

struct Voice {
    uint32_t wave;      // 0-7
    uint32_t frequency; // as the registers hold it
    uint32_t volume;    // 0-15
    uint32_t rate;      // playback rate in Hz
};

// The caches of a board's voices, one entry per voice: the rate last set,
// the volume last applied (0 = silenced) and the waveform last loaded (-1:
// none, the next update loads one).
struct VoiceCaches {
    uint32_t* frequency;
    uint32_t* volume;
    int32_t* wave;
};

// How a new waveform finds its buffer playing, to stop it before the copy:
// the status exactly "playing", or the playing bit among others (DOLLIX).
enum class PlayingTest { Exactly, AnyBit };

// Brings voice `voice` (its buffer has the same id) in line with v.
void UpdateVoice(const SoundSeam& seam, int voice, const Voice& v, const VoiceCaches& caches,
                 const WaveformTable& waves, PlayingTest playing = PlayingTest::Exactly);

// Plays the primary buffer looping unless it is playing; stops it. Both do
// nothing when the device has no primary buffer.
void StartPrimary(const SoundSeam& seam);
void StopPrimary(const SoundSeam& seam);

// Volume -10000, then stop.
void SilenceBuffer(const SoundSeam& seam, int buffer);

// Silences and stops voices 0 .. count - 1, each VolumeCache := 0; the rate
// and waveform caches keep their values.
void SilenceVoices(const SoundSeam& seam, int count, const VoiceCaches& caches);

// A voice as the headless runs show it: "w<wave>,<rate>Hz,vol<volume>" from
// the caches while its buffer plays, else "off" (also without a device).
std::string VoiceText(const SoundSeam* seam, int voice, const VoiceCaches& caches);

} // namespace boards
