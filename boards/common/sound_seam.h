// The sound device as every board sees it: a table of buffer operations
// modelled on a looping-buffer sound API, and the voice logic that the
// waveform boards share.
//
// A board plays its waveform voices in buffers 0 .. voices - 1, each looping
// one 32-sample waveform retuned by its playback rate; a board with recorded
// samples has their one-shot buffers next; the primary buffer comes last.
// Which buffers a device has is data of the seam (SoundBuffers), so one seam
// type serves three voices and three samples as well as eight voices, and a
// device without a primary buffer says so and its steps are skipped. The
// Windows programs fill the seam with DirectSound calls, the tests and the
// headless runner with recorders.
//
// UpdateVoice holds every decision of one voice against its caches: silence,
// a new waveform (rewind and reload), a new rate or volume, the restart of a
// voice coming back from silence, a lost buffer restored and refilled. A fill
// whose lock fails copies nothing and forgets the voice's waveform, so the
// next update loads it again.
#pragma once

#include <array>
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
inline constexpr int NoBuffer = -1;

struct SoundBuffers {
    int voices;  // looping voice buffers, ids 0 .. voices - 1
    int samples; // one-shot sample buffers, ids voices .. voices + samples - 1
    int primary; // id of the primary buffer (voices + samples), or NoBuffer
    constexpr int Count() const { return voices + samples + 1; } // ids a device may use
};

struct SoundSeam {
    SoundBuffers buffers;
    void (*lock)(); // the sound lock around every use of the buffers
    void (*unlock)();
    uint32_t (*status)(int buffer);
    PlayResult (*play)(int buffer, bool looping);
    void (*stop)(int buffer);
    void (*restore)(int buffer);
    // Locks the buffer from its start, copies size bytes into the one or two
    // locked parts and unlocks; false when the lock failed (nothing copied).
    bool (*fill)(int buffer, const void* bytes, uint32_t size);
    void (*setPosition)(int buffer, uint32_t position);
    void (*setRate)(int buffer, uint32_t hertz);
    void (*setVolume)(int buffer, int32_t volume);
};

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

// Brings voice `voice` (its buffer has the same id) in line with v.
void UpdateVoice(const SoundSeam& seam, int voice, const Voice& v, const VoiceCaches& caches,
                 const WaveformTable& waves);

// Plays the primary buffer looping unless it is playing; stops it. Both do
// nothing when the device has no primary buffer.
void StartPrimary(const SoundSeam& seam);
void StopPrimary(const SoundSeam& seam);

// Volume -10000, then stop.
void SilenceBuffer(const SoundSeam& seam, int buffer);

// Silences and stops voices 0 .. count - 1, each VolumeCache := 0; the rate
// and waveform caches keep their values.
void SilenceVoices(const SoundSeam& seam, int count, const VoiceCaches& caches);

} // namespace boards
