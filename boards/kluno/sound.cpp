// The eight voices of the 6809 boards against the sound seam.
#include "boards/kluno/sound.h"

#include <algorithm>
#include <cstring>

#include "boards/kluno/machine.h"

namespace kluno {

const boards::SoundSeam* Sound;
uint32_t SoundMute;
boards::WaveformTable WaveTable;
uint32_t FrequencyCache[VoiceCount];
uint32_t VolumeCache[VoiceCount];
int32_t WaveCache[VoiceCount];

namespace {

constexpr boards::VoiceCaches Caches = {FrequencyCache, VolumeCache, WaveCache};

} // namespace

Voice VoiceFromRegisters(const uint8_t* registers, int voice) {
    const uint8_t* r = registers + 8 * voice;
    uint32_t frequency = uint32_t((r[3] & 0x0F) << 16 | r[2] << 8 | r[1]);
    uint32_t rate = uint32_t(uint64_t(frequency) * 2925 / 4096);
    return {uint32_t(r[3] >> 4 & 7), frequency, uint32_t(r[0] & 0x0F), rate};
}

void BuildWaveTable(const uint8_t* prom) {
    boards::BuildWaveTable(prom, WaveTable);
}

void ResetSoundState() {
    for (int voice = 0; voice < VoiceCount; voice++) {
        FrequencyCache[voice] = 0;
        VolumeCache[voice] = 0;
        WaveCache[voice] = -1;
    }
}

bool SoundActive() {
    return Sound && !SoundMute && SoundEnable;
}

void UpdateSoundVoices(const uint8_t* registers, RateRange range, boards::PlayingTest playing) {
    const boards::SoundSeam& seam = *Sound;
    seam.lock();
    boards::StartPrimary(seam);
    for (int voice = 0; voice < VoiceCount; voice++) {
        Voice v = VoiceFromRegisters(registers, voice);
        if (v.rate) v.rate = std::clamp(v.rate, range.low, range.high);
        boards::UpdateVoice(seam, voice, v, Caches, WaveTable, playing);
    }
    seam.unlock();
}

void StopAllSound() {
    const boards::SoundSeam& seam = *Sound;
    seam.lock();
    boards::SilenceVoices(seam, VoiceCount, Caches);
    boards::StopPrimary(seam);
    seam.unlock();
}

std::span<const boards::SoundBufferSpec> SoundBuffers() {
    static boards::SoundBufferSpec specs[SoundBufferCount];
    for (int voice = 0; voice < VoiceCount; voice++)
        specs[voice] = {sizeof WaveTable[0], 22050, false, nullptr};
    specs[PrimaryBuffer] = {0, 22050, true, nullptr};
    return specs;
}

void AttachSound(const boards::SoundSeam* seam) {
    ResetSoundState();
    Sound = seam;
}

void SetSoundMute(bool mute) {
    SoundMute = mute;
}

void Silence() {
    if (Sound) StopAllSound();
}

std::string VoiceLine(uint32_t) {
    std::string line;
    for (int voice = 0; voice < VoiceCount; voice++)
        line += (voice ? " v" : "v") + std::to_string(voice) + "=" +
                boards::VoiceText(Sound, voice, {FrequencyCache, VolumeCache, WaveCache});
    return line;
}

} // namespace kluno
