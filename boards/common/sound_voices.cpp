// The voice logic of the waveform boards, against the sound seam.
#include "boards/common/sound_voices.h"

#include <cmath>

namespace boards {

namespace {

std::array<int32_t, 16> MakeVolumeTable() {
    std::array<int32_t, 16> table{};
    table[0] = SilentVolume;
    for (int v = 1; v < 16; v++)
        table[size_t(v)] = int32_t(std::lround(2000 * std::log10(v / 16.0)));
    return table;
}

// Loads waveform `wave` into the voice's buffer; a failed lock leaves the
// waveform cache empty so that the next update tries again.
void LoadWave(const SoundSeam& seam, int voice, int32_t wave, const VoiceCaches& caches,
              const WaveformTable& waves) {
    if (!seam.fill(voice, waves[wave], sizeof waves[wave])) caches.wave[voice] = -1;
}

// Rewinds and tunes a freshly loaded buffer.
void Rewind(const SoundSeam& seam, int voice, const Voice& v) {
    seam.setPosition(voice, 0);
    seam.setRate(voice, v.rate);
    seam.setVolume(voice, VolumeTable[v.volume]);
}

} // namespace

const std::array<int32_t, 16> VolumeTable = MakeVolumeTable();

void BuildWaveTable(const uint8_t* prom, WaveformTable& table) {
    for (int w = 0; w < 8; w++)
        for (int s = 0; s < 32; s++)
            table[w][s] = int16_t(((prom[w * 32 + s] & 0x0F) - 8) * 512);
}

void UpdateVoice(const SoundSeam& s, int voice, const Voice& v, const VoiceCaches& caches,
                 const WaveformTable& waves, PlayingTest playing) {
    if (v.rate == 0 || v.volume == 0) {
        caches.volume[voice] = 0;
        SilenceBuffer(s, voice);
        return;
    }
    bool restart = false;
    if (int32_t(v.wave) != caches.wave[voice]) {
        restart = true;
        caches.volume[voice] = v.volume;
        caches.wave[voice] = int32_t(v.wave);
        caches.frequency[voice] = v.rate;
        uint32_t status = s.status(voice);
        if (playing == PlayingTest::AnyBit ? (status & StatusPlaying) != 0 : status == StatusPlaying) {
            SilenceBuffer(s, voice);
        } else if (status == StatusBufferLost) {
            s.restore(voice);
        }
        LoadWave(s, voice, int32_t(v.wave), caches, waves);
        Rewind(s, voice, v);
    } else {
        if (v.rate != caches.frequency[voice]) {
            caches.frequency[voice] = v.rate;
            s.setRate(voice, v.rate);
        }
        if (v.volume != caches.volume[voice]) {
            if (caches.volume[voice] == 0) restart = true;
            caches.volume[voice] = v.volume;
            s.setVolume(voice, VolumeTable[v.volume]);
        }
    }
    if (restart && s.play(voice, true) == PlayResult::BufferLost) {
        s.restore(voice);
        LoadWave(s, voice, int32_t(v.wave), caches, waves);
        Rewind(s, voice, v);
        s.play(voice, true);
    }
}

void StartPrimary(const SoundSeam& seam) {
    if (seam.primary != NoBuffer && !(seam.status(seam.primary) & StatusPlaying))
        seam.play(seam.primary, true);
}

void StopPrimary(const SoundSeam& seam) {
    if (seam.primary != NoBuffer) seam.stop(seam.primary);
}

void SilenceBuffer(const SoundSeam& seam, int buffer) {
    seam.setVolume(buffer, SilentVolume);
    seam.stop(buffer);
}

void SilenceVoices(const SoundSeam& seam, int count, const VoiceCaches& caches) {
    for (int voice = 0; voice < count; voice++) {
        caches.volume[voice] = 0;
        SilenceBuffer(seam, voice);
    }
}

std::string VoiceText(const SoundSeam* seam, int voice, const VoiceCaches& caches) {
    if (!seam || !(seam->status(voice) & StatusPlaying)) return "off";
    return "w" + std::to_string(caches.wave[voice]) + "," + std::to_string(caches.frequency[voice]) +
           "Hz,vol" + std::to_string(caches.volume[voice]);
}

} // namespace boards
