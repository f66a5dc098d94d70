// Sound: voice registers, rates, the voice caches' decisions and their mends
// (failed locks, no primary buffer), silencing, through the recording seam.
#include "tests/kluno/support.h"

namespace kluno_test {
namespace {

using namespace kluno;
using Calls = std::vector<std::string>;

class KlunoSound : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        recorder.status[PrimaryBuffer] = boards::StatusPlaying | boards::StatusLooping;
        recorder.Install();
        SoundEnable = 1;
    }
    uint8_t* Registers() { return SharedRam + VoiceRegisterOffset; }
    void SetVoice(int voice, uint32_t frequency, uint8_t wave, uint8_t volume) {
        uint8_t* r = Registers() + 8 * voice;
        r[0] = volume;
        r[1] = uint8_t(frequency);
        r[2] = uint8_t(frequency >> 8);
        r[3] = uint8_t(wave << 4 | (frequency >> 16 & 0x0F));
    }
    // The calls of one update that concern voice 2's buffer.
    Calls UpdateVoice2(RateRange range = AnyRate) {
        UpdateSoundVoices(Registers(), range);
        Calls mine;
        for (const std::string& call : recorder.Take())
            if (call.rfind("2 ", 0) == 0) mine.push_back(call);
        return mine;
    }
};

TEST_F(KlunoSound, VoicesFromTheRegisters) {
    struct Case {
        uint8_t bytes[4];
        uint32_t wave, frequency, volume, rate;
    };
    const Case cases[] = {
        {{0x0F, 0x00, 0x10, 0x00}, 0, 4096, 15, 2925},
        {{0x01, 0x01, 0x00, 0x00}, 0, 1, 1, 0},
        {{0x01, 0x02, 0x00, 0x00}, 0, 2, 1, 1},
        {{0xF7, 0x00, 0x00, 0x85}, 0, 0x50000, 7, 234000}, // bit 7 of byte 3 ignored
        {{0x00, 0x00, 0x00, 0x7F}, 7, 0xF0000, 0, 702000},
        {{0x03, 0xE6, 0x33, 0x0B}, 0, 734182, 3, 524287},  // the last f whose product fits 31 bits
        {{0x03, 0xE7, 0x33, 0x0B}, 0, 734183, 3, 524288},  // and the first that does not
        {{0x03, 0xFF, 0xFF, 0x3F}, 3, 0xFFFFF, 3, 748799}, // exact up to the top
    };
    for (const Case& c : cases) {
        uint8_t registers[64] = {};
        std::memcpy(registers + 8 * 6, c.bytes, 4);
        Voice v = VoiceFromRegisters(registers, 6);
        EXPECT_EQ(v.wave, c.wave) << c.frequency;
        EXPECT_EQ(v.frequency, c.frequency);
        EXPECT_EQ(v.volume, c.volume);
        EXPECT_EQ(v.rate, c.rate);
        EXPECT_EQ(uint64_t(v.rate), uint64_t(c.frequency) * 2925 / 4096);
    }
}

// The caches' decisions and the wave table are the boards' shared voice logic
// (tested with the ZARKOLT voices); here the eight-voice registers drive them.
TEST_F(KlunoSound, VoiceRestartsRetunesAndRewinds) {
    images[&GameData::waveform][2 * 32] = 0x0F;
    Build();
    recorder.Install();
    SoundEnable = 1;

    SetVoice(2, 1, 2, 15); // a rate of 0: silence
    EXPECT_EQ(UpdateVoice2(), (Calls{"2 volume -10000", "2 stop"}));
    SetVoice(2, 4096, 2, 15); // the first sound loads the waveform and rewinds
    EXPECT_EQ(UpdateVoice2(),
              (Calls{"2 fill 64 3584", "2 position 0", "2 rate 2925", "2 volume -56", "2 loop"}));
    SetVoice(2, 8192, 2, 0); // volume 0 and back with a new rate: restart in place
    UpdateVoice2();
    SetVoice(2, 8192, 2, 9);
    EXPECT_EQ(UpdateVoice2(), (Calls{"2 rate 5850", "2 volume -500", "2 loop"}));

    // A new waveform: playing and looping is not exactly "playing", so the
    // buffer is not stopped first; a buffer lost at play is restored,
    // refilled and played again.
    SetVoice(2, 8192, 3, 9);
    recorder.loseNextPlay = true;
    EXPECT_EQ(UpdateVoice2(),
              (Calls{"2 fill 64 -4096", "2 position 0", "2 rate 5850", "2 volume -500", "2 loop", "2 restore",
                     "2 fill 64 -4096", "2 position 0", "2 rate 5850", "2 volume -500", "2 loop"}));
}

TEST_F(KlunoSound, FailedLockCopiesNothingAndRetriesNextFrame) {
    SetVoice(2, 4096, 1, 15);
    recorder.failFills = 1;
    EXPECT_EQ(UpdateVoice2(),
              (Calls{"2 fill failed", "2 position 0", "2 rate 2925", "2 volume -56", "2 loop"}));
    EXPECT_EQ(WaveCache[2], -1);
    EXPECT_EQ(UpdateVoice2(),
              (Calls{"2 fill 64 -4096", "2 position 0", "2 rate 2925", "2 volume -56", "2 loop"}));
    EXPECT_EQ(WaveCache[2], 1);

    // The refill after a buffer lost at play fails too: retried next frame.
    SetVoice(2, 4096, 5, 15);
    recorder.loseNextPlay = true;
    recorder.failFills = 2;
    UpdateVoice2();
    EXPECT_EQ(WaveCache[2], -1);
    Calls calls = UpdateVoice2();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "2 fill 64 -4096");
    EXPECT_EQ(WaveCache[2], 5);
}

TEST_F(KlunoSound, PrimaryBufferAndSilencing) {
    for (int voice = 0; voice < VoiceCount; voice++)
        SetVoice(voice, 4096, uint8_t(voice), 8);
    recorder.status[PrimaryBuffer] = 0;
    UpdateSoundVoices(Registers());
    Calls calls = recorder.Take();
    EXPECT_EQ(calls.front(), "8 loop");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "8 loop"), 1);
    UpdateSoundVoices(Registers());
    EXPECT_TRUE(recorder.Take().empty());

    StopAllSound();
    Calls stops;
    for (int buffer = 0; buffer < VoiceCount; buffer++) {
        stops.push_back(std::to_string(buffer) + " volume -10000");
        stops.push_back(std::to_string(buffer) + " stop");
    }
    stops.push_back("8 stop");
    EXPECT_EQ(recorder.Take(), stops);
    EXPECT_EQ(WaveCache[7], 7); // kept
    // The next update restarts every voice in place and the primary buffer.
    UpdateSoundVoices(Registers());
    calls = recorder.Take();
    EXPECT_EQ(calls.front(), "8 loop");
    for (int voice = 0; voice < VoiceCount; voice++)
        EXPECT_NE(std::find(calls.begin(), calls.end(), std::to_string(voice) + " loop"), calls.end());
    for (const std::string& call : calls)
        EXPECT_EQ(call.find("position"), std::string::npos) << call;
}

// Only a change costs device calls: with the registers unchanged an update
// asks the primary buffer's status and nothing else. A silent voice is the
// exception: it is silenced and stopped again at every update.
TEST_F(KlunoSound, UnchangedRegistersCostNoCalls) {
    for (int voice = 0; voice < VoiceCount; voice++)
        SetVoice(voice, 4096 + 1000 * uint32_t(voice), uint8_t(voice), uint8_t(8 + voice));
    UpdateSoundVoices(Registers());
    recorder.Take();
    const struct {
        int voice;
        uint32_t frequency;
        uint8_t wave, volume;
        Calls calls; // of the update after the change
    } changes[] = {
        {3, 4096, 3, 11, {"3 rate 2925"}},
        {4, 8096, 4, 5, {"4 volume -1010"}},
        {5, 9096, 6, 13, {"5 fill 64 -4096", "5 position 0", "5 rate 6495", "5 volume -180", "5 loop"}},
        {6, 10096, 6, 14, {}}, // unchanged
        {6, 10096, 6, 0, {"6 volume -10000", "6 stop"}},
        {6, 10096, 6, 14, {"6 volume -116", "6 loop"}}, // back in place, no copy
    };
    for (const auto& c : changes) {
        SetVoice(c.voice, c.frequency, c.wave, c.volume);
        UpdateSoundVoices(Registers());
        EXPECT_EQ(recorder.Take(), c.calls) << c.voice;
        recorder.queries = 0;
        UpdateSoundVoices(Registers());
        EXPECT_EQ(recorder.Take(), c.volume ? Calls{} : c.calls) << c.voice;
        EXPECT_EQ(recorder.queries, 1) << c.voice; // the primary buffer's
    }
}

TEST_F(KlunoSound, WithoutAPrimaryBufferItsStepsAreSkipped) {
    recorder.primary = false;
    recorder.Install();
    SetVoice(0, 4096, 0, 8);
    UpdateSoundVoices(Registers());
    StopAllSound();
    for (const std::string& call : recorder.Take())
        EXPECT_NE(call[0], '8') << call;
}

TEST_F(KlunoSound, ARateRangeHoldsAudibleRates) {
    const RateRange range = {100, 100000};
    const std::pair<uint32_t, Calls> cases[] = {
        {1, {"2 volume -10000", "2 stop"}},
        {2, {"2 fill 64 -4096", "2 position 0", "2 rate 100", "2 volume -56", "2 loop"}},
        {140035, {"2 rate 100000"}},
        {0xFFFFF, {}},
        {4096, {"2 rate 2925"}},
    };
    for (const auto& [frequency, calls] : cases) {
        SetVoice(2, frequency, 0, 15);
        EXPECT_EQ(UpdateVoice2(range), calls) << frequency;
    }
}

TEST_F(KlunoSound, LatchAndResetSilenceOnlyWithADevice) {
    SetVoice(0, 4096, 0, 8);
    UpdateSoundVoices(Registers());
    recorder.Take();
    Write(Cpu1, 0x5006, 0);
    EXPECT_EQ(recorder.Take().size(), 17u);
    EXPECT_EQ(VolumeCache[0], 0u);
    Sound = nullptr;
    Write(Cpu1, 0x5007, 0);
    Write(Cpu1, 0x5006, 0); // no device: nothing to silence
    EXPECT_EQ(SoundEnable, 0u);
    EXPECT_FALSE(SoundActive());
}

} // namespace
} // namespace kluno_test
