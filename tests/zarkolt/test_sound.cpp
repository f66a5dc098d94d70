// Sound: tables, voice computation, the voice caches' decisions, samples
// and silencing, seen through the recording seam.
#include "tests/zarkolt/support.h"

namespace zarkolt_test {
namespace {

using namespace zarkolt;
using Calls = std::vector<std::string>;

class SoundTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        recorder.Install();
        SoundEnable = 1;
        recorder.status[PrimaryBuffer] = StatusPlaying | StatusLooping;
    }
    // Voice 1: 16-bit frequency in registers 0x16-0x19, waveform 0x0A, volume 0x1A.
    void SetVoice1(uint32_t frequency, uint8_t wave, uint8_t volume) {
        for (int i = 0; i < 4; i++)
            SoundSnapshot[0x16 + i] = uint8_t(frequency >> (4 * i) & 0x0F);
        SoundSnapshot[0x0A] = wave;
        SoundSnapshot[0x1A] = volume;
    }
    // The calls of one update that concern voice 1's buffer.
    Calls UpdateVoice1() {
        UpdateSoundVoices();
        Calls mine;
        for (const std::string& call : recorder.Take())
            if (call.rfind("1 ", 0) == 0 || call[0] == '!') mine.push_back(call);
        return mine;
    }
};

TEST_F(SoundTest, RatesWaveformsAndVolumesFromTheRegisters) {
    uint8_t registers[32] = {};
    auto rate = [&](int voice, uint32_t frequency) {
        int first = voice == 0 ? 0x10 : voice == 1 ? 0x16 : 0x1B;
        int nibbles = voice == 0 ? 5 : 4;
        for (int i = 0; i < nibbles; i++)
            registers[first + i] = uint8_t(frequency >> (4 * i) & 0x0F);
        Voice v = VoiceFromRegisters(registers, voice);
        EXPECT_EQ(v.frequency, frequency);
        return v.rate;
    };
    EXPECT_EQ(rate(0, 1024), 2925u);
    EXPECT_EQ(rate(0, 1), 2u);
    EXPECT_EQ(rate(0, 0xFFFFF), uint32_t(uint64_t(0xFFFFF) * 2925 / 1024));
    EXPECT_EQ(rate(1, 64), 2925u);
    EXPECT_EQ(rate(1, 1), 45u);
    EXPECT_EQ(rate(2, 0xFFFF), uint32_t(0xFFFF * 2925 / 64));
    EXPECT_EQ(rate(2, 1), 45u);

    registers[0x05] = 0x0F;
    registers[0x15] = 0x09;
    registers[0x0A] = 0x03;
    registers[0x1F] = 0x0F;
    EXPECT_EQ(VoiceFromRegisters(registers, 0).wave, 7u);
    EXPECT_EQ(VoiceFromRegisters(registers, 0).volume, 9u);
    EXPECT_EQ(VoiceFromRegisters(registers, 1).wave, 3u);
    EXPECT_EQ(VoiceFromRegisters(registers, 2).volume, 15u);
}

TEST_F(SoundTest, WaveAndVolumeTables) {
    Place(images[&GameData::waveProm], 0, {0x00, 0x08, 0x0F, 0xF3});
    images[&GameData::waveProm][255] = 0x0C;
    Build();
    EXPECT_EQ(WaveTable[0][0], -4096);
    EXPECT_EQ(WaveTable[0][1], 0);
    EXPECT_EQ(WaveTable[0][2], 3584);
    EXPECT_EQ(WaveTable[0][3], -2560);
    EXPECT_EQ(WaveTable[7][31], 2048);
    const int32_t volumes[16] = {-10000, -2408, -1806, -1454, -1204, -1010, -852, -718,
                                 -602,   -500,  -408,  -325,  -250,  -180,  -116, -56};
    for (int v = 0; v < 16; v++)
        EXPECT_EQ(VolumeTable[v], volumes[v]) << v;
}

TEST_F(SoundTest, VoiceRestartsRetunesAndRewinds) {
    images[&GameData::waveProm][2 * 32] = 0x0F;
    Build();
    recorder.Install();
    SoundEnable = 1;

    // Silence while the frequency is 0, whatever the volume.
    SetVoice1(0, 2, 15);
    EXPECT_EQ(UpdateVoice1(), (Calls{"1 volume -10000", "1 stop"}));

    // The first sound loads the waveform and rewinds.
    SetVoice1(64, 2, 15);
    EXPECT_EQ(UpdateVoice1(),
              (Calls{"1 fill 64 3584", "1 position 0", "1 rate 2925", "1 volume -56", "1 loop"}));
    EXPECT_EQ(WaveCache[1], 2);

    // Same waveform: only what changed is set; no restart.
    SetVoice1(128, 2, 15);
    EXPECT_EQ(UpdateVoice1(), (Calls{"1 rate 5850"}));
    SetVoice1(128, 2, 7);
    UpdateVoice1();
    SetVoice1(128, 2, 9);
    EXPECT_EQ(UpdateVoice1(), (Calls{"1 volume -500"}));
    EXPECT_TRUE(UpdateVoice1().empty());

    // Volume 0, then back: restart in place, no rewind, no reload.
    SetVoice1(128, 2, 0);
    EXPECT_EQ(UpdateVoice1(), (Calls{"1 volume -10000", "1 stop"}));
    SetVoice1(128, 2, 9);
    EXPECT_EQ(UpdateVoice1(), (Calls{"1 volume -500", "1 loop"}));

    // A new waveform stops a buffer whose status is exactly "playing" first.
    recorder.status[1] = StatusPlaying;
    SetVoice1(128, 3, 9);
    EXPECT_EQ(UpdateVoice1(), (Calls{"1 volume -10000", "1 stop", "1 fill 64 -4096", "1 position 0",
                                     "1 rate 5850", "1 volume -500", "1 loop"}));
    // ... and restores a lost one.
    recorder.status[1] = StatusBufferLost;
    SetVoice1(128, 4, 9);
    EXPECT_EQ(UpdateVoice1(), (Calls{"1 restore", "1 fill 64 -4096", "1 position 0", "1 rate 5850",
                                     "1 volume -500", "1 loop"}));

    // A buffer lost at play is restored, refilled and played again.
    SetVoice1(128, 2, 9);
    recorder.loseNextPlay = true;
    EXPECT_EQ(UpdateVoice1(),
              (Calls{"1 fill 64 3584", "1 position 0", "1 rate 5850", "1 volume -500", "1 loop", "1 restore",
                     "1 fill 64 3584", "1 position 0", "1 rate 5850", "1 volume -500", "1 loop"}));

    // Raising the frequency from 0 again restarts with the kept volume.
    SetVoice1(0, 2, 15);
    UpdateVoice1();
    SetVoice1(64, 2, 15);
    EXPECT_EQ(UpdateVoice1(), (Calls{"1 rate 2925", "1 volume -56", "1 loop"}));
}

TEST_F(SoundTest, PrimaryBufferAndLock) {
    recorder.status[PrimaryBuffer] = 0;
    UpdateSoundVoices();
    Calls calls = recorder.Take();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "6 loop");
    for (const std::string& call : calls)
        EXPECT_NE(call[0], '!') << call; // all under the lock
    UpdateSoundVoices();
    EXPECT_NE(recorder.Take().front(), "6 loop");
}

TEST_F(SoundTest, MuteAllThenUpdateRestartsEveryAudibleVoice) {
    for (int voice = 0; voice < 3; voice++) {
        int first = voice == 0 ? 0x10 : voice == 1 ? 0x16 : 0x1B;
        SoundSnapshot[first + 2] = 1;
        SoundSnapshot[voice == 0 ? 0x15 : voice == 1 ? 0x1A : 0x1F] = 8;
    }
    UpdateSoundVoices();
    PlaySample(2);
    recorder.Take();
    SoundMuteAll();
    EXPECT_EQ(recorder.Take(), (Calls{"0 volume -10000", "0 stop", "1 volume -10000", "1 stop",
                                      "2 volume -10000", "2 stop", "3 volume -10000", "3 stop",
                                      "4 volume -10000", "4 stop", "5 volume -10000", "5 stop", "6 stop"}));
    EXPECT_EQ(Samples[2].playing, 0u);
    EXPECT_EQ(WaveCache[0], 0);
    UpdateSoundVoices();
    Calls calls = recorder.Take();
    for (const char* restart : {"0 loop", "1 loop", "2 loop"})
        EXPECT_NE(std::find(calls.begin(), calls.end(), restart), calls.end()) << restart;
    for (const std::string& call : calls)
        EXPECT_EQ(call.find("position"), std::string::npos) << call;
}

TEST_F(SoundTest, SamplesCutAndRestart) {
    PlaySample(0);
    EXPECT_EQ(recorder.Take(), (Calls{"3 volume 0", "3 position 0", "3 once"}));
    PlaySample(1); // cuts sample 0
    EXPECT_EQ(recorder.Take(), (Calls{"3 volume -10000", "3 stop", "4 volume 0", "4 position 0", "4 once"}));
    EXPECT_EQ(Samples[0].playing, 0u);
    PlaySample(1); // restarts itself from the start
    EXPECT_EQ(recorder.Take(), (Calls{"4 volume -10000", "4 stop", "4 volume 0", "4 position 0", "4 once"}));
    recorder.loseNextPlay = true;
    PlaySample(2);
    EXPECT_EQ(recorder.Take(),
              (Calls{"4 volume -10000", "4 stop", "5 volume 0", "5 position 0", "5 once", "5 restore",
                     "5 fill 11400 0", "5 position 0", "5 volume 0", "5 once"}));
    EXPECT_EQ(LastSample, 2);
    Samples[2].playing = 0; // a sample that ended is not cut again
    PlaySample(0);
    EXPECT_EQ(recorder.Take(), (Calls{"3 volume 0", "3 position 0", "3 once"}));
    Sound = nullptr;
    PlaySample(1);
    EXPECT_EQ(LastSample, 0);
}

TEST_F(SoundTest, SamplesAreScaledByEight) {
    Place(images[&GameData::sample0], 0, {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x20, 0x34, 0x12});
    Place(images[&GameData::sample2], 11398, {0x00, 0x80});
    Build();
    EXPECT_EQ(Samples[0].data[0], 8);
    EXPECT_EQ(Samples[0].data[1], -8);
    EXPECT_EQ(Samples[0].data[2], 0);      // 0x2000 x 8 wraps to 0
    EXPECT_EQ(Samples[0].data[3], -28256); // 0x1234 x 8 = 0x91A0
    EXPECT_EQ(Samples[0].size, 20850u);
    EXPECT_EQ(Samples[1].size, 38710u);
    EXPECT_EQ(Samples[2].data[5699], 0);
    EXPECT_EQ(GameImages.sample0.data[0], 0x01); // the caller's image is left as it was
}

} // namespace
} // namespace zarkolt_test
