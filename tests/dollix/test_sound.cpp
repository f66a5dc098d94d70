// DOLLIX's differences in the sound of the 6809 boards: the registers at main
// 0x6803, the rates held inside 100-100,000 Hz, the waveform bits of byte 3.
#include "tests/common/sound_recorder.h"
#include "tests/dollix/support.h"

namespace dollix_test {
namespace {

using namespace dollix;

class SoundTest : public BoardTest {
  protected:
    void SetVoice(int voice, uint8_t volume, uint32_t f, uint8_t byte3High) {
        uint8_t* r = Ram + VoiceRegisterBase + 8 * voice;
        r[0] = volume;
        r[1] = uint8_t(f);
        r[2] = uint8_t(f >> 8);
        r[3] = uint8_t(byte3High | (f >> 16 & 0x0F));
    }
    // The rate voice 0 was set to in the update just run, or -1 when it was
    // silenced.
    int64_t RateOfVoice0() {
        SoundEnable = 1;
        EXPECT_TRUE(SoundActive());
        Recorder.Take();
        UpdateSoundVoices();
        int64_t rate = -2;
        for (const std::string& call : Recorder.Take()) {
            if (call.rfind("0 rate ", 0) == 0) rate = std::stoll(call.substr(7));
            if (call == "0 stop") rate = -1;
        }
        return rate;
    }
};

TEST_F(SoundTest, RatesHeldInsideTheRange) {
    const std::pair<uint32_t, int64_t> cases[] = {
        {1, -1},         {2, 100},         {141, 100},       {142, 101},       {4096, 2925},
        {140034, 99999}, {140035, 100000}, {734182, 100000}, {734187, 100000}, {0xFFFFF, 100000},
    };
    for (auto [f, rate] : cases) {
        SCOPED_TRACE(f);
        kluno::ResetSoundState(); // each case loads its waveform afresh
        SetVoice(0, 15, f, 0x10);
        EXPECT_EQ(RateOfVoice0(), rate);
    }
    // Volume 0 silences whatever the rate.
    SetVoice(0, 0, 0x10000, 0x10);
    EXPECT_EQ(RateOfVoice0(), -1);
}

TEST_F(SoundTest, Byte3Bits) {
    // 0x85: waveform 0, frequency bits 16-19 = 5 (327,680: 234,000 Hz, held
    // at 100,000); bit 7 is ignored.
    for (int w = 0; w < 8; w++)
        images[&GameData::waveform][size_t(w * 32)] = uint8_t(w);
    Build();
    SetVoice(3, 9, 0x50000, 0x80);
    SoundEnable = 1;
    UpdateSoundVoices();
    std::vector<std::string> calls = Recorder.Take();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "3 fill 64 -4096"), calls.end()); // (0 - 8) x 512
    EXPECT_NE(std::find(calls.begin(), calls.end(), "3 rate 100000"), calls.end());
    EXPECT_EQ(kluno::WaveCache[3], 0);
    SetVoice(3, 9, 0x50000, 0xF0);
    UpdateSoundVoices();
    EXPECT_EQ(kluno::WaveCache[3], 7);
    calls = Recorder.Take();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "3 fill 64 -512"), calls.end()); // (7 - 8) x 512
}

TEST_F(SoundTest, NewWaveformStopsABufferWithThePlayingBit) {
    SoundEnable = 1;
    SetVoice(0, 8, 4096, 0x10);
    UpdateSoundVoices();
    ASSERT_EQ(Recorder.status[0], boards::StatusPlaying | boards::StatusLooping);
    SetVoice(0, 8, 4096, 0x20);
    Recorder.Take();
    UpdateSoundVoices();
    std::vector<std::string> calls = Recorder.Take();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0], "0 volume -10000");
    EXPECT_EQ(calls[1], "0 stop");
    EXPECT_EQ(calls[2], "0 fill 64 -4096");
}

TEST_F(SoundTest, SoundOnlyWhileActive) {
    SetVoice(0, 15, 4096, 0);
    SoundEnable = 0;
    EXPECT_FALSE(SoundActive());
    SoundEnable = 1;
    kluno::SoundMute = 1;
    EXPECT_FALSE(SoundActive());
    kluno::SoundMute = 0;
    kluno::Sound = nullptr;
    EXPECT_FALSE(SoundActive());
    StopAllSound(); // no device: nothing to do
    Write(MainCpu, 0x8800, 0);
    EXPECT_EQ(SoundEnable, 0u);
}

// A fill whose lock fails copies nothing and leaves the waveform unloaded,
// so the next frame fills again; a device without a primary buffer has its
// steps skipped.
TEST_F(SoundTest, FailedFillsRetriedAndNoPrimaryBuffer) {
    test_support::SoundRecorder failing;
    for (int primary : {int(kluno::PrimaryBuffer), boards::NoBuffer}) {
        SCOPED_TRACE(primary);
        failing.Install(kluno::Sound, primary);
        kluno::ResetSoundState();
        SoundEnable = 1;
        for (int voice = 0; voice < kluno::VoiceCount; voice++)
            SetVoice(voice, 9, 4096, 0x10);
        failing.failFills = kluno::VoiceCount;
        UpdateSoundVoices();
        std::vector<std::string> calls = failing.Take();
        for (int voice = 0; voice < kluno::VoiceCount; voice++) {
            EXPECT_EQ(std::count(calls.begin(), calls.end(), std::to_string(voice) + " fill failed"), 1);
            EXPECT_EQ(kluno::WaveCache[voice], -1);
        }
        UpdateSoundVoices();
        calls = failing.Take();
        for (int voice = 0; voice < kluno::VoiceCount; voice++) {
            EXPECT_EQ(std::count(calls.begin(), calls.end(), std::to_string(voice) + " fill 64 -4096"), 1);
            EXPECT_EQ(kluno::WaveCache[voice], 1);
        }
        StopAllSound();
        calls = failing.Take();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "8 stop"), primary == boards::NoBuffer ? 0 : 1);
        for (const std::string& call : calls)
            EXPECT_TRUE(primary != boards::NoBuffer || call[0] != '8') << call;
    }
}

} // namespace
} // namespace dollix_test
