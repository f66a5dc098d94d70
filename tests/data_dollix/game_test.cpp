// Our DOLLIX game data running headless on the board: the boot with and
// without the host's score traps, the attract mode, a two-player game, the
// idle game's end, a new entry in the best ten, the switches and the test
// screen.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>
#include <vector>

#include "boards/dollix/dollix.h"
#include "data/dollix/dollix_data.h"

namespace {

using dollix::InputPorts;
using dollix::Ram;

// Addresses in the game's RAM.
constexpr uint16_t State = 0x0C01, Speed = 0x0C10, Bonus = 0x0C14, TestItem = 0x0C1C, Score1 = 0x0C30,
                   Lives1 = 0x0C36, Player1 = 0x0D00, Player2 = 0x0D08, Shot1 = 0x0D10, Shot2 = 0x0D18;
enum { Title = 0, Demo = 1, Scores = 2, Ready = 3, Select = 4, Play = 5, Over = 7, Name = 8, TestScreen = 9 };

int Loads, Saves;

void Start(const dollix::DipSettings& dips = {}, bool traps = true) {
    const DollixImages& d = DollixData();
    auto image = [](ImageSpan span) { return dollix::Image{span.data(), span.size()}; };
    dollix::GameData data{image(d.mainProgram),     image(d.soundProgram),  image(d.tiles),
                          image(d.sprites),         image(d.tileColorProm), image(d.spriteColorProm),
                          image(d.colorLookupProm), image(d.colorTable),    image(d.waveform),
                          image(d.pictures)};
    Loads = Saves = 0;
    dollix::Hooks = {};
    dollix::Hooks.loadHighScores = [] {
        ++Loads;
        const uint8_t bests[6] = {0, 1, 0, 0, 1, 0};
        std::memcpy(Ram + 0x0849, bests, 6);
        std::memcpy(Ram + 0x09B2, dollix::MainRom + 0x4ED9, 96);
    };
    dollix::Hooks.saveHighScores = [] { ++Saves; };
    ASSERT_TRUE(dollix::BuildBoard(data, dips, traps));
    dollix::ResetMachine();
}

void RunFrames(int count) {
    for (int i = 0; i < count; ++i)
        dollix::RunFrame(dollix::FrameHooks{});
}

// Runs until the game's state is `state`; false after limit frames.
bool RunUntil(int state, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (Ram[State] == state) return true;
        RunFrames(1);
    }
    return Ram[State] == state;
}

// A control held for two frames (the game counts its edges), then let go.
void Press(int input, uint8_t bit) {
    InputPorts.input[input] |= bit;
    RunFrames(2);
    InputPorts.input[input] &= uint8_t(~bit);
    RunFrames(2);
}

// The boot: the layer's handshake, the chip checks, the scores, a second of
// its message, then the title.
void Boot() {
    RunFrames(90);
    ASSERT_EQ(Ram[State], Title);
}

void StartGame(int players) {
    Boot();
    for (int i = 0; i < players; ++i)
        Press(0, dollix::InputCoin);
    ASSERT_EQ(Ram[State], Ready);
    Press(3, players == 2 ? dollix::Start2 : dollix::Start1);
}

uint32_t Checksum() {
    uint32_t sum = 0;
    for (uint8_t b : Ram)
        sum = sum * 31 + b;
    for (uint8_t b : dollix::BitmapPlane)
        sum = sum * 31 + b;
    return sum;
}

TEST(DollixGame, UnpatchedBootLeavesTheHostsDefaultScores) {
    for (bool traps : {false, true}) {
        Start({}, traps);
        Boot();
        EXPECT_EQ(Loads, traps ? 1 : 0);
        const uint8_t bests[6] = {0, 1, 0, 0, 1, 0};
        EXPECT_EQ(std::memcmp(Ram + 0x0849, bests, 6), 0) << traps;
        EXPECT_EQ(std::memcmp(Ram + 0x09B2, dollix::MainRom + 0x4ED9, 96), 0) << traps;
    }
}

TEST(DollixGame, AttractModeCyclesForeverTheSameWayWithSound) {
    uint32_t sums[2];
    for (uint32_t& sum : sums) {
        Start();
        std::vector<int> order;
        bool sound = false;
        for (int frame = 0; frame < 7000; ++frame) {
            RunFrames(1);
            if (order.empty() || order.back() != Ram[State]) order.push_back(Ram[State]);
            for (int v = 0; v < 8; ++v)
                sound = sound || (dollix::SoundEnable && (Ram[0x6803 + 8 * v] & 15) != 0);
        }
        std::vector<int> cycle = {Title, Demo, Scores, Title, Demo, Scores, Title, Demo};
        ASSERT_GE(order.size(), cycle.size());
        EXPECT_TRUE(std::equal(cycle.begin(), cycle.end(), order.begin()));
        EXPECT_TRUE(sound);
        sum = Checksum();
    }
    EXPECT_EQ(sums[0], sums[1]);
}

TEST(DollixGame, TwoPlayersPlayAtOnceForTwoCredits) {
    Start();
    Boot();
    Press(0, dollix::InputCoin);
    Press(3, dollix::Start2); // one credit: no two-player game
    EXPECT_EQ(Ram[State], Ready);
    Press(0, dollix::InputCoin);
    Press(3, dollix::Start2);
    ASSERT_EQ(Ram[State], Play);
    EXPECT_EQ(Ram[Player1], 1);
    EXPECT_EQ(Ram[Player2], 1);
    uint8_t x1 = Ram[Player1 + 1], x2 = Ram[Player2 + 1];
    InputPorts.input[1] = dollix::StickRight;
    InputPorts.input[2] = dollix::StickLeft;
    InputPorts.input[3] = dollix::Button1 | dollix::Button2;
    RunFrames(10);
    EXPECT_GT(Ram[Player1 + 1], x1);
    EXPECT_LT(Ram[Player2 + 1], x2);
    EXPECT_EQ(Ram[Shot1], 1);
    EXPECT_EQ(Ram[Shot2], 1);
    InputPorts = {};
}

TEST(DollixGame, AnIdleGameIsOverWithinAMinute) {
    Start();
    StartGame(1);
    EXPECT_TRUE(RunUntil(Over, 60 * 60));
}

// The player lines up with an enemy and throws until the score passes the
// lowest place of the best ten (300), then waits for the end.
uint8_t Aim() {
    for (uint16_t e = 0x0D28; e < 0x0D68; e += 8) {
        if (Ram[e] != 1) continue;
        int dy = Ram[e + 2] - Ram[Player1 + 2];
        if (dy > -6 && dy < 6) return Ram[e + 1] > Ram[Player1 + 1] ? dollix::StickRight : dollix::StickLeft;
        return dy > 0 ? dollix::StickDown : dollix::StickUp;
    }
    return 0;
}

TEST(DollixGame, AShortPlayEntersTheBestTenAndIsSaved) {
    Start();
    StartGame(1);
    for (int frame = 0; Ram[State] != Over && frame < 60 * 60; ++frame) {
        bool enough = Ram[Score1] != 0 || Ram[Score1 + 1] >= 0x04;
        InputPorts.input[1] = enough ? 0 : Aim();
        InputPorts.input[3] = enough ? 0 : dollix::Button1;
        RunFrames(1);
    }
    InputPorts = {};
    ASSERT_TRUE(RunUntil(Name, 400)) << "score " << std::hex << int(Ram[Score1]) << int(Ram[Score1 + 1])
                                     << int(Ram[Score1 + 2]) << " state " << int(Ram[State]);
    uint8_t score[3];
    std::memcpy(score, Ram + Score1, 3);
    EXPECT_EQ(Ram[0x6863], 1); // the name-entry chime
    Press(3, dollix::Button1);
    Press(1, dollix::StickUp);
    Press(3, dollix::Button1);
    Press(3, dollix::Button1);
    ASSERT_TRUE(RunUntil(Title, 100));
    EXPECT_EQ(Saves, 1);
    EXPECT_EQ(Ram[0x6863], 0);
    bool found = false;
    for (int i = 0; i < 10; ++i)
        found = found || (std::memcmp(Ram + 0x09B2 + 8 * i, score, 3) == 0 &&
                          std::memcmp(Ram + 0x09B2 + 8 * i + 3, "AB", 2) == 0);
    EXPECT_TRUE(found);
    EXPECT_EQ(std::memcmp(Ram + 0x0A02, dollix::MainRom + 0x4F29, 16), 0); // the heading is never written
}

TEST(DollixGame, SwitchesChangeLivesDifficultyBonusAndTheStart) {
    const int lives[] = {1, 2, 3, 5};
    for (uint32_t choice = 0; choice < 4; ++choice) {
        Start({.lives = choice});
        StartGame(1);
        EXPECT_EQ(Ram[Lives1], lives[choice] - 1) << choice; // one doll is on the field
    }
    const int speeds[] = {100, 140, 180, 220};
    for (uint32_t difficulty = 0; difficulty < 4; ++difficulty) {
        Start({.difficulty = difficulty});
        StartGame(1);
        EXPECT_EQ(Ram[Speed], speeds[difficulty]) << difficulty;
    }
    Start({.bonus = 1});
    StartGame(1);
    EXPECT_EQ(Ram[Bonus], 200);
    Start({.stageSelect = 1});
    StartGame(1);
    EXPECT_EQ(Ram[State], Select);
    // All switches off are the defaults.
    Start({.lives = 2, .bonus = 0, .difficulty = 1, .stageSelect = 0});
    StartGame(1);
    EXPECT_EQ(Ram[Lives1], 2);
    EXPECT_EQ(Ram[Speed], 140);
    EXPECT_EQ(Ram[Bonus], 150);
    EXPECT_EQ(Ram[State], Play);
}

TEST(DollixGame, TestScreenPlaysTheToneEveryWaveformAndBothRateEnds) {
    Start();
    Boot();
    dollix::SetTestSwitch(true);
    RunFrames(3);
    ASSERT_EQ(Ram[State], TestScreen);
    auto voice0 = [] {
        const uint8_t* v = Ram + 0x6803;
        return std::array<uint32_t, 3>{v[0] & 15u, uint32_t((v[3] & 15) << 16 | v[2] << 8 | v[1]),
                                       v[3] & 0xF0u};
    };
    EXPECT_EQ(voice0()[1], 19717u); // 19,717 x 2925 / 4096 / 32 = 440 Hz
    EXPECT_EQ(voice0()[2], 0u);
    EXPECT_GT(voice0()[0], 0u);
    std::set<uint32_t> waves;
    for (int item = 2; item <= 9; ++item) {
        Press(1, dollix::StickUp);
        EXPECT_EQ(Ram[TestItem], item);
        waves.insert(voice0()[2]);
        EXPECT_EQ(voice0()[1], 19717u);
    }
    EXPECT_EQ(waves.size(), 8u);
    Press(1, dollix::StickUp);
    EXPECT_EQ(voice0()[1], 100u); // below 141: the lowest rate
    Press(1, dollix::StickUp);
    EXPECT_EQ(voice0()[1], 0xFFFFFu);
    EXPECT_EQ(Ram[0x6803 + 3], 0xFF); // bit 7 of byte 3 set
    // The pen map flips by itself; the switch off starts the game over.
    uint8_t select = Ram[0x2902];
    RunFrames(70);
    EXPECT_NE(Ram[0x2902], select);
    dollix::SetTestSwitch(false);
    Boot();
    EXPECT_EQ(dollix::Cpus[dollix::SoundCpu].held, 0u);
}

TEST(DollixGame, AScreenLostToAHostResetIsDrawnAgain) {
    Start();
    Boot();
    RunFrames(2);
    std::vector<uint8_t> title(dollix::BitmapPlane + 0x0200, dollix::BitmapPlane + 0x10000);
    dollix::BitmapInitialised = 0;
    RunFrames(3);
    EXPECT_TRUE(std::equal(title.begin(), title.end(), dollix::BitmapPlane + 0x0200));
}

} // namespace
