// ZARKOLT sound: tables, voice computation, voice caches, samples and
// silencing, all through the sound seam.
#include "boards/zarkolt/sound.h"

#include <cstring>

#include "boards/zarkolt/machine.h"

namespace zarkolt {

const SoundSeam* Sound;
uint32_t SoundMute;
boards::WaveformTable WaveTable;
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

constexpr boards::VoiceCaches Caches = {FrequencyCache, VolumeCache, WaveCache};

void Silence(int buffer) {
    boards::SilenceBuffer(*Sound, buffer);
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
    boards::BuildWaveTable(GameImages.waveform.data, WaveTable);
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
    boards::StartPrimary(*Sound);
    for (int voice = 0; voice < 3; voice++)
        boards::UpdateVoice(*Sound, VoiceBuffer0 + voice, VoiceFromRegisters(registers, voice), Caches,
                            WaveTable);
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
    boards::SilenceVoices(*Sound, 3, Caches);
    for (int sample = 0; sample < 3; sample++) {
        Silence(SampleBuffer0 + sample);
        Samples[sample].playing = 0;
    }
    boards::StopPrimary(*Sound);
    Sound->unlock();
}

void SoundTick() {
    if (SoundActive()) UpdateSoundVoices();
}

} // namespace zarkolt
