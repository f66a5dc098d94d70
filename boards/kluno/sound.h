// Sound of the 6809 boards: an eight-voice waveform chip whose registers lie
// in the shared RAM. Each voice plays as a small buffer looping one
// 32-sample waveform, retuned by its playback rate; once a frame the eight
// buffers are brought in line with the registers through the boards' sound
// seam (boards/common/sound_voices.h), which also holds the voice caches'
// rules. With no seam (Sound == nullptr) the board is silent.
//
// Registers of voice v, 8 bytes from registers + 8v: byte 0 bits 0-3 the
// volume; bytes 1, 2 and byte 3 bits 0-3 the 20-bit frequency f, low byte
// first; byte 3 bits 4-6 the waveform (bit 7 ignored). The rate in Hz is
// f x 2925 / 4096, exact for every f. Boards of the family that keep their
// registers elsewhere pass their own address, and a board may hold every
// audible rate inside a range of its own.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "boards/common/sound_voices.h"

namespace kluno {

using boards::SilentVolume;
using boards::Voice;
using boards::VolumeTable;

inline constexpr int VoiceCount = 8;
inline constexpr int PrimaryBuffer = VoiceCount; // after voices 0-7
inline constexpr int SoundBufferCount = VoiceCount + 1;
inline constexpr uint16_t VoiceRegisterOffset = 3; // in SharedRam

extern const boards::SoundSeam* Sound; // null: no sound device
extern uint32_t SoundMute;             // the user's "SoundMute" setting

extern boards::WaveformTable WaveTable;
extern uint32_t FrequencyCache[VoiceCount];
extern uint32_t VolumeCache[VoiceCount];
extern int32_t WaveCache[VoiceCount];

// Audible rates are held inside [low, high]; a rate of 0 stays 0 (silence).
struct RateRange {
    uint32_t low;
    uint32_t high;
};
inline constexpr RateRange AnyRate = {0, UINT32_MAX};

Voice VoiceFromRegisters(const uint8_t* registers, int voice);

void BuildWaveTable(const uint8_t* prom); // WaveTable from a waveform PROM
void ResetSoundState();                   // every voice without a waveform, silent

// True when the voices are to be updated: a device, not muted, enabled by the game.
bool SoundActive();

// The primary buffer played when it is not, then every voice from its
// registers (registers: voice 0's byte 0). Callers call it only when SoundActive().
void UpdateSoundVoices(const uint8_t* registers, RateRange range = AnyRate,
                       boards::PlayingTest playing = boards::PlayingTest::Exactly);
// Every voice silenced and stopped (its VolumeCache 0), then the primary buffer stopped.
void StopAllSound();

// The sound of the 6809 boards' faces (boards/board.h): the eight voice
// buffers and the primary buffer; the device attached with every voice
// without a waveform; the mute switch; StopAllSound when there is a device;
// the eight voices as one line of text.
std::span<const boards::SoundBufferSpec> SoundBuffers();
void AttachSound(const boards::SoundSeam* seam);
void SetSoundMute(bool mute);
void Silence();
std::string VoiceLine(uint32_t started);

} // namespace kluno
