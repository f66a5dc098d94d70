// ZARKOLT sound: three looping waveform voices programmed by CPU 3 through
// the voice registers, and three recorded samples that the sample trigger
// latch starts.
//
// The decisions live here: each voice's waveform, rate and volume from a
// snapshot of the registers, the per-voice caches that decide between
// retuning, restarting in place and rewinding, the cut-and-restart rule of
// the samples and the silencing. The sound device itself sits behind
// SoundSeam, a table of buffer operations modelled on a looping-buffer sound
// API: the Windows program fills it with DirectSound calls, the tests and the
// headless runner with recorders. With no seam (Sound == nullptr) the board
// is silent and every sound step is skipped.
#pragma once

#include <cstdint>

#include "boards/sound_seam.h"

namespace zarkolt {

// Buffers of the seam.
enum : int {
    VoiceBuffer0 = 0,  // voices 0-2
    SampleBuffer0 = 3, // samples 0-2
    PrimaryBuffer = 6,
    SoundBufferCount = 7,
};

// The shared seam (boards/sound_seam.h) under the board's own names.
using boards::PlayResult;
using boards::SilentVolume;
using boards::SoundSeam;
using boards::StatusBufferLost;
using boards::StatusLooping;
using boards::StatusPlaying;

inline constexpr uint32_t SampleRate = 11025; // of the recorded samples

extern const SoundSeam* Sound; // null: no sound device
extern uint32_t SoundMute;     // the user's "SoundMute" setting

extern int16_t WaveTable[8][32];  // (nibble - 8) x 512
extern int32_t VolumeTable[16];   // hundredths of a decibel per volume register value
extern uint8_t SoundSnapshot[32]; // the voice registers the voices are computed from

// Per voice: the rate last set, the volume register last applied (0 =
// silenced) and the waveform last loaded (-1 before the first load).
extern uint32_t FrequencyCache[3];
extern uint32_t VolumeCache[3];
extern int32_t WaveCache[3];

struct SampleEntry {
    const int16_t* data; // the scaled sample
    uint32_t size;       // in bytes
    uint32_t playing;    // set when started; not cleared when it ends by itself
};
extern SampleEntry Samples[3];
extern int LastSample; // index of the last started sample, -1 for none

struct Voice {
    uint32_t wave;      // 0-7
    uint32_t frequency; // 20 bits for voice 0, 16 for voices 1 and 2
    uint32_t volume;    // 0-15
    uint32_t rate;      // playback rate in Hz
};
Voice VoiceFromRegisters(const uint8_t registers[32], int voice);

void BuildWaveTable(); // WaveTable and VolumeTable
void ScaleSamples();   // the samples of the game data, each value x 8, into Samples

// The sound caches and sample flags at program start.
void ResetSoundState();

// True when the voices are to be updated: a device, not muted, enabled by the game.
bool SoundActive();

// Brings the three voice buffers up to date from SoundSnapshot, under the
// sound lock. Callers call it only when SoundActive().
void UpdateSoundVoices();
// The same from any 32 register bytes, without taking the lock.
void UpdateVoicesFrom(const uint8_t registers[32]);

// Plays recorded sample 0-2 from its start, cutting the last started one.
void PlaySample(int sample);

// Silences and stops every voice, every sample and the primary buffer.
void SoundMuteAll();

// The 8 ms sound tick's work: the second voice update of a frame.
void SoundTick();

} // namespace zarkolt
