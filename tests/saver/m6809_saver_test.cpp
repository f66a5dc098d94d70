// The KLUNO, RONKU and DOLLIX savers on our game data: the I/O chips'
// answers with nobody playing, a long attract run without a game starting, the sound
// latch with and without a device, the colour-set picture against KLUNO's
// own renderer, and golden work-buffer pictures with their present.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "boards/dollix/dollix.h"
#include "boards/dollix/dollix_board.h"
#include "boards/kluno/kluno.h"
#include "boards/kluno/kluno_board.h"
#include "boards/ronku/ronku.h"
#include "boards/ronku/ronku_board.h"
#include "tests/common/golden.h"
#include "tests/common/sound_recorder.h"
#include "tests/saver/fake_calls.h"

namespace {

const saver::SaverBoard KlunoSaver =
    saver::BoardSaver(kluno::Face, 17, saver::ModeRule::Portrait, true, nullptr, nullptr);
const saver::SaverBoard RonkuSaver =
    saver::BoardSaver(ronku::Face, 17, saver::ModeRule::Portrait, true, nullptr, nullptr);
const saver::SaverBoard DollixSaver =
    saver::BoardSaver(dollix::Face, 17, saver::ModeRule::Landscape, false, nullptr, nullptr);

// Where the games keep what the tests look at.
constexpr uint16_t KlunoMode = 0x1001, KlunoCredits = 0x1006;
enum { KlunoTitle = 0, KlunoCredit = 4, KlunoGame = 5 };
constexpr uint16_t RonkuMode = 0x1001, RonkuCreditsOn = 0x1006; // the boot answer's credits cleared
enum { RonkuTitle = 1, RonkuCredit = 4, RonkuGame = 5 };
constexpr uint16_t DollixState = 0x0C01;
enum { DollixTitle = 0, DollixReady = 3, DollixSelect = 4, DollixPlay = 5 };

int Traps;
void CountTrap(M6809Context*, uint16_t, uint32_t) {
    Traps++;
}

class SaverTest : public ::testing::Test {
  protected:
    void Start(const saver::SaverBoard& board, std::vector<saver_test::DisplayModeOffer> modes) {
        fake.Install();
        fake.modes = std::move(modes);
        saver::Board = &board;
        board.face->attachSound(nullptr);
        ASSERT_TRUE(board.build(saver::WorkBuffer, saver::Palette));
        Traps = 0;
        M6809SetTrapHook(CountTrap); // the build leaves the null hook: any trap taken counts
        saver::State.directDraw = saver_test::HandleNumber(100);
        ASSERT_TRUE(saver::SetUpDisplay());
    }
    void TearDown() override {
        saver::Board->face->attachSound(nullptr);
        M6809SetTrapHook(NullTrapHook);
    }
    void RunFrames(int count) {
        for (int i = 0; i < count; i++)
            saver::Board->frame();
    }
    // One frame with both CPUs stopped, so only the frame's own steps touch the chips.
    template <size_t N> void RunStoppedFrame(M6809Context (&cpus)[N]) {
        for (M6809Context& cpu : cpus) {
            cpu.running = 0;
            cpu.held = 1;
        }
        saver::Board->frame();
    }
    // The picture in the work buffer stands at `at` of the presented surface.
    void ExpectPresented(saver::Point at, int width, int height) {
        for (int y = 0; y < height; y++)
            ASSERT_TRUE(std::equal(saver::WorkBuffer + (16 + y) * 512 + 16,
                                   saver::WorkBuffer + (16 + y) * 512 + 16 + width,
                                   fake.back.begin() + (at.y + y) * fake.pitch + at.x))
                << "row " << y;
    }

    // Half an hour of attract: started(state byte) never holds, the title
    // comes round again, the game turns its sound on, no trap is taken and
    // the game's own high-score set-up filled the table (where it keeps one).
    void ExpectAttract(uint8_t (*state)(), bool (*started)(int), const uint32_t& soundEnable, int title) {
        int titles = 0, previous = -1;
        bool soundOn = false;
        for (int frame = 0; frame < 30000; frame++) {
            RunFrames(1);
            int now = state();
            ASSERT_FALSE(started(now)) << "state " << now << " at frame " << frame;
            if (now == title && previous != title) titles++;
            previous = now;
            soundOn = soundOn || soundEnable;
        }
        EXPECT_GT(titles, 1);
        EXPECT_TRUE(soundOn);
        EXPECT_EQ(Traps, 0);
        const boards::BoardFace& face = *saver::Board->face;
        if (!face.scoreSize) return;
        std::vector<uint8_t> scores(face.scoreSize), defaults(face.scoreSize);
        face.scoresOut(scores.data());
        face.defaultScores(defaults.data());
        EXPECT_EQ(scores, defaults);
    }
    // The game's sound-off write, with a device (every voice silenced, then
    // the primary buffer stopped) and without one (the latch alone).
    void ExpectSoundOff(const saver::SaverBoard& board, saver_test::DisplayModeOffer mode, void (*off)(),
                        const uint32_t& soundEnable) {
        for (bool device : {true, false}) {
            Start(board, {mode});
            if (device) recorder.Install(kluno::Sound, kluno::PrimaryBuffer);
            RunFrames(300);
            recorder.Take();
            off();
            EXPECT_EQ(soundEnable, 0u);
            if (device) {
                for (int voice = 0; voice < kluno::VoiceCount; voice++)
                    EXPECT_EQ(kluno::VolumeCache[voice], 0u);
                std::vector<std::string> calls = recorder.Take();
                ASSERT_FALSE(calls.empty());
                EXPECT_EQ(calls.back(), std::to_string(kluno::PrimaryBuffer) + " stop");
            }
            board.face->attachSound(nullptr);
        }
    }

    saver_test::FakeSystem fake;
    test_support::SoundRecorder recorder;
};

// --- KLUNO ---

TEST_F(SaverTest, KlunoBuildsWithNothingOfAPlayer) {
    Start(KlunoSaver, {{640, 480, 8}});
    EXPECT_TRUE(std::equal(kluno::Cpu1Rom, std::end(kluno::Cpu1Rom), kluno::GameImages.cpu1Program.data));
    for (const auto& chip : kluno::IoChipInputs)
        for (uint8_t byte : chip)
            EXPECT_EQ(byte, 0); // demo sound on, every switch at its first setting
    EXPECT_EQ(kluno::Cpus[kluno::Cpu2].held, 1u);
    EXPECT_TRUE(fake.Called("palette 254 = 12,12,20"));

    // A face without an attract build gives a build that fails.
    boards::BoardFace noAttract = kluno::Face;
    noAttract.buildAttract = nullptr;
    const saver::SaverBoard noSaver =
        saver::BoardSaver(noAttract, 17, saver::ModeRule::Portrait, true, nullptr, nullptr);
    saver::Board = &noSaver;
    EXPECT_FALSE(noSaver.build(saver::WorkBuffer, saver::Palette));
    saver::Board = &KlunoSaver;
}

TEST_F(SaverTest, KlunoAnswersModeEightChipsAndKeepsTheSwitchesAtZero) {
    Start(KlunoSaver, {{640, 480, 8}});
    uint8_t* chips = kluno::IoChipRegs;
    for (int i = 0; i < 32; i++)
        chips[i] = 0xFF; // what the game might have left in bytes 0-7
    const uint8_t mode[2] = {0x18, 0x07};
    for (int chip = 0; chip < 2; chip++) {
        chips[16 * chip + 8] = mode[chip];
        for (int i = 9; i < 16; i++)
            chips[16 * chip + i] = uint8_t(0xA0 + i); // low nibbles 9-15: sum 84
    }
    RunStoppedFrame(kluno::Cpus);
    EXPECT_EQ(chips[0], 84 >> 4);
    EXPECT_EQ(chips[1], 84 & 15);
    for (int i = 2; i < 8; i++)
        EXPECT_EQ(chips[i], 0) << "chip 1 byte " << i;
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(chips[16 + i], 0) << "chip 2 byte " << i << " (switches, test switch)";

    // Held by the latch, the chips keep what they hold.
    chips[16 + 6] = 0x5A;
    M6809WriteByte(&kluno::Cpus[kluno::Cpu1], 0x5008, 0);
    RunStoppedFrame(kluno::Cpus);
    EXPECT_EQ(chips[16 + 6], 0x5A);
}

TEST_F(SaverTest, KlunoAttractRunsWithoutAGameStarting) {
    Start(KlunoSaver, {{640, 480, 8}});
    ExpectAttract(
        [] { return *kluno::Ram(KlunoMode); },
        [](int mode) { return mode == KlunoGame || mode == KlunoCredit || *kluno::Ram(KlunoCredits); },
        kluno::SoundEnable, KlunoTitle);
    EXPECT_TRUE(std::equal(kluno::Cpu1Rom, std::end(kluno::Cpu1Rom), kluno::GameImages.cpu1Program.data));
}

TEST_F(SaverTest, KlunoSoundLatchOffSilencesOnlyWithADevice) {
    ExpectSoundOff(
        KlunoSaver, {640, 480, 8}, [] { M6809WriteByte(&kluno::Cpus[kluno::Cpu1], 0x5006, 0); },
        kluno::SoundEnable);
}

// The colour-set cells draw what KLUNO's own cells draw, on any video RAM
// whose attributes keep bit 7 clear (as our game's do).
TEST_F(SaverTest, KlunoSaverPictureIsTheGamesOnRandomVideoRam) {
    Start(KlunoSaver, {{640, 480, 8}});
    std::mt19937 random(18);
    static uint8_t game[512 * 512];
    for (int round = 0; round < 4; round++) {
        for (uint8_t& byte : kluno::MainRam)
            byte = uint8_t(random());
        for (int i = 0x800; i < 0x1000; i++)
            kluno::MainRam[i] &= 0x7F;
        kluno::ScrollValue = random() & 0xFF;
        std::fill(std::begin(saver::WorkBuffer), std::end(saver::WorkBuffer), 0);
        kluno::Face.render(false);
        std::fill(std::begin(game), std::end(game), 0);
        kluno::FrameBuffer = game;
        kluno::RenderFrame();
        kluno::FrameBuffer = saver::WorkBuffer;
        ASSERT_TRUE(std::equal(std::begin(game), std::end(game), saver::WorkBuffer)) << "round " << round;
    }
}

TEST_F(SaverTest, KlunoWorkBufferPictureIsCentredInTheField) {
    Start(KlunoSaver, {{640, 480, 8}});
    RunFrames(1200);
    EXPECT_TRUE(golden::Matches(kluno::Face, GOLDEN_DIR, "kluno-saver"));
    ExpectPresented({208, 96}, 224, 288);
}

// --- RONKU ---

// The saver's refresh is the game's with every host byte 0: the boot answer
// in both chips every frame for 0x0E exactly; otherwise zero inputs and
// switches, and the shot's clear finds nothing to clear.
TEST_F(SaverTest, RonkuAnswersTheBootCheckAndGivesZeroInputs) {
    Start(RonkuSaver, {{640, 480, 8}});
    EXPECT_TRUE(
        std::equal(kluno::Cpu1Rom + 0x2000, std::end(kluno::Cpu1Rom), kluno::GameImages.cpu1Program.data));
    EXPECT_EQ(kluno::Cpus[kluno::Cpu2].held, 1u);
    EXPECT_TRUE(fake.Called("palette 254 = 12,12,20"));
    uint8_t* chips = kluno::IoChipRegs;
    const std::vector<uint8_t> answer(std::begin(ronku::BootAnswer), std::end(ronku::BootAnswer));
    for (uint8_t mode : {0x0E, 0x1E, 0x0F}) {
        SCOPED_TRACE(int(mode));
        for (int frame = 0; frame < 2; frame++) {
            std::fill(chips, chips + 32, 0xFF); // whatever the game left
            chips[8] = 1;
            chips[15] = mode;
            RunStoppedFrame(kluno::Cpus);
            std::vector<uint8_t> chip1(chips + 1, chips + 8), chip2(chips + 17, chips + 24);
            if (mode == ronku::BootCheckMode) {
                EXPECT_EQ(chip1, answer);
                EXPECT_EQ(chip2, answer);
            } else {
                EXPECT_EQ(chip1, (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
                EXPECT_TRUE(std::all_of(chips + 16, chips + 24, [](uint8_t b) { return b == 0; }));
            }
        }
    }
    EXPECT_TRUE(std::all_of(std::begin(ronku::IoChipInputs), std::end(ronku::IoChipInputs),
                            [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(std::begin(ronku::DipBytes), std::end(ronku::DipBytes),
                            [](uint8_t b) { return b == 0; }));
}

TEST_F(SaverTest, RonkuAttractRunsWithoutAGameStarting) {
    Start(RonkuSaver, {{640, 480, 8}});
    ExpectAttract([] { return *kluno::Ram(RonkuMode); },
                  [](int mode) {
                      return mode == RonkuCredit || mode == RonkuGame ||
                             (*kluno::Ram(RonkuCreditsOn) && ronku::Credits());
                  },
                  kluno::SoundEnable, RonkuTitle);
    EXPECT_FALSE(ronku::Meter.available);
}

// KLUNO's latch: the sound-off silences whenever there is a device.
TEST_F(SaverTest, RonkuSoundLatchOffSilencesOnlyWithADevice) {
    ExpectSoundOff(
        RonkuSaver, {640, 480, 8}, [] { M6809WriteByte(&kluno::Cpus[kluno::Cpu1], 0x5006, 0); },
        kluno::SoundEnable);
}

TEST_F(SaverTest, RonkuWorkBufferPictureIsCentredInTheField) {
    Start(RonkuSaver, {{640, 480, 8}});
    RunFrames(1200);
    EXPECT_TRUE(golden::Matches(ronku::Face, GOLDEN_DIR, "ronku-saver"));
    ExpectPresented({208, 96}, 224, 288);
}

// --- DOLLIX ---

TEST_F(SaverTest, DollixGivesModeFiveAndEightAnswersWithEveryInputZero) {
    Start(DollixSaver, {{320, 240, 8}});
    EXPECT_EQ(dollix::BitmapInitialised, 0u);
    uint8_t* chips = dollix::Ram + dollix::IoChipBase;
    for (int i = 0; i < 48; i++)
        chips[i] = 0xFF;
    chips[8] = 0x25; // mode 5 (low nibble)
    chips[0x18] = 0x08;
    chips[0x28] = 0x38;
    for (int i = 9; i < 16; i++)
        chips[0x10 + i] = chips[0x20 + i] = uint8_t(i); // sum 84
    RunStoppedFrame(dollix::Cpus);
    EXPECT_EQ(chips[2], 0x0F);
    EXPECT_EQ(chips[6], 0x0C);
    for (int i : {4, 5, 7})
        EXPECT_EQ(chips[i], 0) << "input byte " << i;
    for (int base : {0x10, 0x20}) {
        EXPECT_EQ(chips[base], 84 >> 4);
        EXPECT_EQ(chips[base + 1], 84 & 15);
    }
    EXPECT_EQ(chips[0x12], 0);
    EXPECT_EQ(chips[0x13], 0); // the test switch's byte
}

TEST_F(SaverTest, DollixAttractRunsWithoutAGameStarting) {
    Start(DollixSaver, {{320, 240, 8}});
    std::vector<uint8_t> rom(std::begin(dollix::MainRom), std::end(dollix::MainRom));
    ASSERT_TRUE(std::equal(rom.begin(), rom.end(), dollix::GameImages.mainProgram.data));
    ExpectAttract(
        [] { return dollix::Ram[DollixState]; },
        [](int state) { return state == DollixReady || state == DollixSelect || state == DollixPlay; },
        dollix::SoundEnable, DollixTitle);
    EXPECT_TRUE(std::equal(rom.begin(), rom.end(), dollix::MainRom));
}

// The main CPU's write that holds the sound CPU turns the sound off.
TEST_F(SaverTest, DollixSoundLatchOffSilencesOnlyWithADevice) {
    ExpectSoundOff(
        DollixSaver, {320, 240, 8}, [] { M6809WriteByte(&dollix::Cpus[dollix::MainCpu], 0x8800, 0); },
        dollix::SoundEnable);
}

// 320 x 240: the picture at (16, 8) on a back buffer filled black first.
TEST_F(SaverTest, DollixWorkBufferPictureStandsAtSixteenEight) {
    Start(DollixSaver, {{640, 480, 8}, {320, 240, 8}, {400, 300, 8}});
    EXPECT_EQ(saver::State.mode.width, 320u);
    EXPECT_EQ(saver::State.mode.height, 240u);
    EXPECT_EQ(saver::State.border, nullptr);
    RunFrames(900);
    EXPECT_TRUE(golden::Matches(dollix::Face, GOLDEN_DIR, "dollix-saver"));
    fake.Take();
    RunFrames(1);
    std::vector<std::string> calls = fake.Take();
    auto name = [](saver::Handle handle) { return std::to_string(reinterpret_cast<uintptr_t>(handle)); };
    std::string back = name(saver::State.backBuffer);
    EXPECT_EQ(calls,
              (std::vector<std::string>{"flip " + name(saver::State.primary), "fill " + back + " all with 0",
                                        "lock " + back, "unlock " + back}));
    ExpectPresented({16, 8}, 288, 224);
}

} // namespace
