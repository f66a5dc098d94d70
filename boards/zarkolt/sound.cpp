// ZARKOLT sound: tables, voice computation, voice caches, samples and
// silencing, all through the sound seam.
#include "boards/zarkolt/sound.h"

#include <cmath>
#include <cstring>

#include "boards/zarkolt/machine.h"

namespace zarkolt {

const SoundSeam* Sound;
uint32_t SoundMute;
int16_t WaveTable[8][32];
int32_t VolumeTable[16];
uint8_t SoundSnapshot[32];
uint32_t FrequencyCache[3];
uint32_t VolumeCache[3];
int32_t WaveCache[3];
SampleEntry Samples[3];
int LastSample;

namespace {

int16_t SampleStore0[20850 / 2];
int16_t SampleStore1[38710 / 2];
int16_t SampleStore2[11400 / 2];

// Where each voice finds its registers: the waveform, the frequency nibbles
// from the lowest up, the volume; and the divisor of its rate.
struct VoiceLayout {
    int wave;
    int frequency;
    int nibbles;
    int volume;
    uint32_t divisor;
};
constexpr VoiceLayout VoiceLayouts[3] = {
    {0x05, 0x10, 5, 0x15, 1024},
    {0x0A, 0x16, 4, 0x1A, 64},
    {0x0F, 0x1B, 4, 0x1F, 64},
};

// Scales one sample from the game data (little-endian 16-bit) into store.
void ScaleSample(const Image& image, int16_t* store, SampleEntry& entry) {
    for (size_t i = 0; i < image.size / 2; i++) {
        uint16_t value = uint16_t(image.data[2 * i] | image.data[2 * i + 1] << 8);
        store[i] = int16_t(uint16_t(value << 3));
    }
    entry = {store, uint32_t(image.size), 0};
}

void LoadWave(int buffer, int wave) {
    Sound->fill(buffer, WaveTable[wave], sizeof WaveTable[wave]);
}

void UpdateVoice(int voice, const Voice& v) {
    const SoundSeam& s = *Sound;
    int buffer = VoiceBuffer0 + voice;
    if (v.rate == 0 || v.volume == 0) {
        VolumeCache[voice] = 0;
        s.setVolume(buffer, SilentVolume);
        s.stop(buffer);
        return;
    }
    bool restart = false;
    if (int32_t(v.wave) != WaveCache[voice]) {
        restart = true;
        VolumeCache[voice] = v.volume;
        WaveCache[voice] = int32_t(v.wave);
        FrequencyCache[voice] = v.rate;
        uint32_t status = s.status(buffer);
        if (status == StatusPlaying) {
            s.setVolume(buffer, SilentVolume);
            s.stop(buffer);
        } else if (status == StatusBufferLost) {
            s.restore(buffer);
        }
        LoadWave(buffer, int(v.wave));
        s.setPosition(buffer, 0);
        s.setRate(buffer, v.rate);
        s.setVolume(buffer, VolumeTable[v.volume]);
    } else {
        if (v.rate != FrequencyCache[voice]) {
            FrequencyCache[voice] = v.rate;
            s.setRate(buffer, v.rate);
        }
        if (v.volume != VolumeCache[voice]) {
            if (VolumeCache[voice] == 0) restart = true;
            VolumeCache[voice] = v.volume;
            s.setVolume(buffer, VolumeTable[v.volume]);
        }
    }
    if (restart && s.play(buffer, true) == PlayResult::BufferLost) {
        s.restore(buffer);
        LoadWave(buffer, WaveCache[voice]);
        s.setPosition(buffer, 0);
        s.setRate(buffer, v.rate);
        s.setVolume(buffer, VolumeTable[v.volume]);
        s.play(buffer, true);
    }
}

void Silence(int buffer) {
    Sound->setVolume(buffer, SilentVolume);
    Sound->stop(buffer);
}

} // namespace

Voice VoiceFromRegisters(const uint8_t registers[32], int voice) {
    const VoiceLayout& layout = VoiceLayouts[voice];
    uint32_t frequency = 0;
    for (int i = layout.nibbles - 1; i >= 0; i--)
        frequency = frequency << 4 | (registers[layout.frequency + i] & 0x0F);
    uint32_t rate = uint32_t(uint64_t(frequency) * 2925 / layout.divisor);
    return {uint32_t(registers[layout.wave] & 7), frequency, uint32_t(registers[layout.volume] & 0x0F), rate};
}

void BuildWaveTable() {
    const uint8_t* prom = GameImages.waveProm.data;
    for (int w = 0; w < 8; w++)
        for (int s = 0; s < 32; s++)
            WaveTable[w][s] = int16_t(((prom[w * 32 + s] & 0x0F) - 8) * 512);
    VolumeTable[0] = SilentVolume;
    for (int v = 1; v < 16; v++)
        VolumeTable[v] = int32_t(std::lround(2000 * std::log10(v / 16.0)));
}

void ScaleSamples() {
    ScaleSample(GameImages.sample0, SampleStore0, Samples[0]);
    ScaleSample(GameImages.sample1, SampleStore1, Samples[1]);
    ScaleSample(GameImages.sample2, SampleStore2, Samples[2]);
}

void ResetSoundState() {
    std::memset(SoundSnapshot, 0, sizeof SoundSnapshot);
    for (int voice = 0; voice < 3; voice++) {
        FrequencyCache[voice] = 0;
        VolumeCache[voice] = 0;
        WaveCache[voice] = -1;
    }
    for (SampleEntry& sample : Samples)
        sample.playing = 0;
    LastSample = -1;
}

bool SoundActive() {
    return Sound && !SoundMute && SoundEnable;
}

void UpdateVoicesFrom(const uint8_t registers[32]) {
    if (!(Sound->status(PrimaryBuffer) & StatusPlaying)) Sound->play(PrimaryBuffer, true);
    for (int voice = 0; voice < 3; voice++)
        UpdateVoice(voice, VoiceFromRegisters(registers, voice));
}

void UpdateSoundVoices() {
    Sound->lock();
    UpdateVoicesFrom(SoundSnapshot);
    Sound->unlock();
}

void PlaySample(int sample) {
    if (!Sound) return;
    const SoundSeam& s = *Sound;
    s.lock();
    if (LastSample >= 0 && Samples[LastSample].playing) {
        Silence(SampleBuffer0 + LastSample);
        Samples[LastSample].playing = 0;
    }
    SampleEntry& entry = Samples[sample];
    int buffer = SampleBuffer0 + sample;
    entry.playing = 1;
    s.setVolume(buffer, 0);
    s.setPosition(buffer, 0);
    if (s.play(buffer, false) == PlayResult::BufferLost) {
        s.restore(buffer);
        s.fill(buffer, entry.data, entry.size);
        s.setPosition(buffer, 0);
        s.setVolume(buffer, 0);
        s.play(buffer, false);
    }
    LastSample = sample;
    s.unlock();
}

void SoundMuteAll() {
    Sound->lock();
    for (int voice = 0; voice < 3; voice++) {
        VolumeCache[voice] = 0;
        Silence(VoiceBuffer0 + voice);
    }
    for (int sample = 0; sample < 3; sample++) {
        Silence(SampleBuffer0 + sample);
        Samples[sample].playing = 0;
    }
    Sound->stop(PrimaryBuffer);
    Sound->unlock();
}

void SoundTick() {
    if (SoundActive()) UpdateSoundVoices();
}

} // namespace zarkolt
