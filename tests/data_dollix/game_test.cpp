// Our DOLLIX game data running headless on the board, driven through its
// face: the boot with and without the host's score traps, the attract mode
// against golden pictures, a two-player game, the idle game's end, a new
// entry in the best ten and its time, the switches and the stage select's
// time, the test screen and the layer's handshake.
//
// VELTO_UPDATE_GOLDEN=1 in the environment rewrites the golden pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "boards/board.h"
#include "boards/dollix/dollix.h"
#include "data/dollix/picture_uses.h"
#include "tests/common/golden.h"

namespace {

const boards::BoardFace& Face = *boards::FindBoard("dollix");

// Addresses in the game's RAM.
constexpr uint16_t State = 0x0C01, Stage = 0x0C0C, Speed = 0x0C10, Bonus = 0x0C14, TestItem = 0x0C1C,
                   Score1 = 0x0C30, Lives1 = 0x0C36, Player1 = 0x0D00, Player2 = 0x0D08, Shot1 = 0x0D10,
                   Shot2 = 0x0D18, Table = 0x09B2;
enum {
    Title = 0,
    Demo = 1,
    Scores = 2,
    Ready = 3,
    Select = 4,
    Play = 5,
    Clear = 6,
    Over = 7,
    Name = 8,
    TestScreen = 9
};
// Face controls.
enum : uint32_t {
    Up = 1,
    Right = 2,
    Down = 4,
    Left = 8,
    Fire = 16,
    Up2 = 32,
    Right2 = 64,
    Down2 = 128,
    Left2 = 256,
    Fire2 = 512
};

int Loads, Saves;

uint8_t Peek(uint16_t address) {
    return Face.peek(address);
}

// Lives, bonus, difficulty, stage select as the settings dialog numbers them.
void Start(std::vector<uint32_t> settings = {2, 0, 1, 0}, bool traps = true) {
    std::string error;
    ASSERT_TRUE(Face.buildEmbedded(error)) << error;
    Face.applySettings(settings);
    Loads = Saves = 0;
    if (traps)
        Face.installScoreTraps({[] {
                                    ++Loads;
                                    uint8_t table[86];
                                    Face.defaultScores(table);
                                    Face.scoresIn(table);
                                },
                                [] { ++Saves; }});
    Face.setControls(0);
    Face.reset();
}

void RunFrames(int count) {
    boards::FrameHooks hooks{};
    hooks.render = [] { Face.render(false); };
    for (int i = 0; i < count; ++i)
        Face.runFrame(hooks);
}

// Runs until the game's state is `state`; false after limit frames.
bool RunUntil(int state, int limit) {
    for (int i = 0; i < limit && Peek(State) != state; ++i)
        RunFrames(1);
    return Peek(State) == state;
}

// A control held for two frames (the game counts its edges), then let go.
void Press(uint32_t control) {
    Face.setControls(Face.controlBits() | control);
    RunFrames(2);
    Face.setControls(Face.controlBits() & ~control);
    RunFrames(2);
}

void Coin() {
    Face.insertCoin();
    RunFrames(4);
}

void PressStart(uint32_t players) {
    Face.pressStart(players, players);
    RunFrames(4);
}

// The boot: the layer's handshake, the chip checks, the scores, a second of
// its message, then the title.
void Boot() {
    RunFrames(90);
    ASSERT_EQ(Peek(State), Title);
}

void StartGame(uint32_t players) {
    Boot();
    for (uint32_t i = 0; i < players; ++i)
        Coin();
    ASSERT_EQ(Peek(State), Ready);
    PressStart(players);
}

uint32_t Checksum() {
    uint32_t sum = 0;
    for (uint8_t b : dollix::Ram)
        sum = sum * 31 + b;
    for (uint8_t b : dollix::BitmapPlane)
        sum = sum * 31 + b;
    return sum;
}

TEST(DollixGame, UnpatchedBootLeavesTheHostsDefaultScores) {
    uint8_t defaults[86], table[86];
    for (bool traps : {false, true}) {
        Start({2, 0, 1, 0}, traps);
        Boot();
        EXPECT_EQ(Loads, traps ? 1 : 0);
        Face.defaultScores(defaults);
        Face.scoresOut(table);
        EXPECT_EQ(std::memcmp(table, defaults, sizeof table), 0) << traps;
        EXPECT_EQ(std::memcmp(dollix::Ram + 0x0A02, dollix::MainRom + 0x4F29, 16), 0) << traps;
    }
}

// Title, demo and best ten, three times round, with music; twice the same.
TEST(DollixGame, AttractModeCyclesForeverTheSameWayWithSound) {
    uint32_t sums[2];
    for (uint32_t& sum : sums) {
        Start();
        std::vector<int> order;
        bool sound = false;
        for (int frame = 0; frame < 7000; ++frame) {
            RunFrames(1);
            if (order.empty() || order.back() != Peek(State)) order.push_back(Peek(State));
            for (int v = 0; v < 8; ++v)
                sound = sound || (dollix::SoundEnable && (Peek(uint16_t(0x6803 + 8 * v)) & 15) != 0);
            if (&sum != sums) continue;
            const char* golden = frame == 300    ? "title"
                                 : frame == 1000 ? "demo"
                                 : frame == 1600 ? "scores"
                                                 : nullptr;
            if (golden) { EXPECT_TRUE(golden::Matches(Face, GOLDEN_DIR, golden)); }
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
    Coin();
    PressStart(2); // one credit: no two-player game
    EXPECT_EQ(Peek(State), Ready);
    Coin();
    PressStart(2);
    ASSERT_EQ(Peek(State), Play);
    EXPECT_EQ(Peek(Player1), 1);
    EXPECT_EQ(Peek(Player2), 1);
    uint8_t x1 = Peek(Player1 + 1), x2 = Peek(Player2 + 1);
    Face.setControls(Right | Fire | Left2 | Fire2);
    RunFrames(10);
    EXPECT_GT(Peek(Player1 + 1), x1);
    EXPECT_LT(Peek(Player2 + 1), x2);
    EXPECT_EQ(Peek(Shot1), 1);
    EXPECT_EQ(Peek(Shot2), 1);
    Face.setControls(Up | Fire | Down2 | Right2);
    RunFrames(120); // the dolls' shields are down, the first enemies in
    EXPECT_EQ(Peek(Player1 + 4), 0);
    EXPECT_TRUE(golden::Matches(Face, GOLDEN_DIR, "two-players"));
    // Left alone, both run out of dolls within a minute; their bests are kept.
    Face.setControls(0);
    ASSERT_TRUE(RunUntil(Over, 60 * 60));
    EXPECT_EQ(Peek(Lives1) | Peek(Lives1 + 1), 0);
    RunFrames(200);
    uint8_t table[86];
    Face.scoresOut(table);
    for (int player = 0; player < 2; ++player)
        EXPECT_GE(std::memcmp(table + 3 * player, dollix::Ram + Score1 + 3 * player, 3), 0) << player;
}

TEST(DollixGame, AnIdleGameIsOverWithinAMinute) {
    Start();
    StartGame(1);
    EXPECT_TRUE(RunUntil(Over, 60 * 60));
}

// The player lines up with an enemy and throws until the score passes the
// lowest place of the best ten (300), then waits for the end.
uint32_t Aim() {
    for (uint16_t e = 0x0D28; e < 0x0D68; e += 8) {
        if (Peek(e) != 1) continue;
        int dy = Peek(e + 2) - Peek(Player1 + 2);
        if (dy > -6 && dy < 6) return Peek(e + 1) > Peek(Player1 + 1) ? Right : Left;
        return dy > 0 ? Down : Up;
    }
    return 0;
}

TEST(DollixGame, AShortPlayEntersTheBestTenAndIsSaved) {
    Start();
    StartGame(1);
    for (int frame = 0; Peek(State) != Over && frame < 60 * 60; ++frame) {
        bool enough = Peek(Score1) != 0 || Peek(Score1 + 1) >= 0x04;
        Face.setControls(enough ? 0 : Aim() | Fire);
        RunFrames(1);
    }
    Face.setControls(0);
    ASSERT_TRUE(RunUntil(Name, 400));
    uint8_t score[3] = {Peek(Score1), Peek(Score1 + 1), Peek(Score1 + 2)};
    EXPECT_EQ(Peek(0x6863), 1); // the name-entry chime
    // Half a minute for the name, the seconds left counted down on the screen.
    RunFrames(25 * 60);
    ASSERT_EQ(Peek(State), Name);
    EXPECT_TRUE(golden::Matches(Face, GOLDEN_DIR, "name-entry"));
    Press(Fire);
    Press(Up);
    Press(Fire);
    Press(Fire);
    RunFrames(4);
    EXPECT_EQ(Saves, 1);
    EXPECT_EQ(Peek(0x6863), 0);
    bool found = false;
    for (uint16_t entry = Table; entry < Table + 80; entry += 8)
        found = found || (Peek(entry) == score[0] && Peek(entry + 1) == score[1] &&
                          Peek(entry + 2) == score[2] && Peek(entry + 3) == 'A' && Peek(entry + 4) == 'B');
    EXPECT_TRUE(found);
    EXPECT_EQ(std::memcmp(dollix::Ram + 0x0A02, dollix::MainRom + 0x4F29, 16), 0); // the heading is only read
}

// Eight hits clear the first stage; its screen gives way to the second
// stage's play.
TEST(DollixGame, AClearedStageGoesOnToTheNextStagesPlay) {
    Start({3, 0, 0, 0});
    StartGame(1);
    for (int frame = 0; Peek(State) != Clear && Peek(State) != Over && frame < 60 * 180; ++frame) {
        Face.setControls(Aim() | Fire);
        RunFrames(1);
    }
    Face.setControls(0);
    ASSERT_EQ(Peek(State), Clear);
    EXPECT_TRUE(RunUntil(Play, 300));
}

TEST(DollixGame, SwitchesChangeLivesDifficultyBonusAndTheStart) {
    const int lives[] = {1, 2, 3, 5};
    for (uint32_t choice = 0; choice < 4; ++choice) {
        Start({choice, 0, 1, 0});
        StartGame(1);
        EXPECT_EQ(Peek(Lives1), lives[choice] - 1) << choice; // one doll is on the field
    }
    const int speeds[] = {100, 140, 180, 220};
    for (uint32_t difficulty = 0; difficulty < 4; ++difficulty) {
        Start({2, 0, difficulty, 0});
        StartGame(1);
        EXPECT_EQ(Peek(Speed), speeds[difficulty]) << difficulty;
    }
    Start({2, 1, 1, 0});
    StartGame(1);
    EXPECT_EQ(Peek(Bonus), 200);
    Start({2, 0, 1, 1});
    StartGame(1);
    EXPECT_EQ(Peek(State), Select);
    // The choice waits twenty seconds, the time left shown, then stage 1 starts.
    RunFrames(19 * 60);
    EXPECT_EQ(Peek(State), Select);
    EXPECT_TRUE(golden::Matches(Face, GOLDEN_DIR, "stage-select"));
    EXPECT_TRUE(RunUntil(Play, 2 * 60));
    EXPECT_EQ(Peek(Stage), 0);
    // The defaults are the switches all off.
    Start();
    for (int dip = 0; dip < 4; ++dip)
        EXPECT_EQ(dollix::InputPorts.dip[dip], 0) << dip;
    StartGame(1);
    EXPECT_EQ(Peek(Lives1), 2);
    EXPECT_EQ(Peek(Speed), 140);
    EXPECT_EQ(Peek(Bonus), 150);
    EXPECT_EQ(Peek(State), Play);
}

TEST(DollixGame, TestScreenPlaysTheToneEveryWaveformAndBothRateEnds) {
    Start();
    Boot();
    Face.setTestMode(true);
    RunFrames(3);
    ASSERT_EQ(Peek(State), TestScreen);
    auto voice0 = [] {
        return std::array<uint32_t, 3>{Peek(0x6803) & 15u,
                                       uint32_t((Peek(0x6806) & 15) << 16 | Peek(0x6805) << 8 | Peek(0x6804)),
                                       Peek(0x6806) & 0xF0u};
    };
    EXPECT_EQ(voice0()[1], 19717u); // 19,717 x 2925 / 4096 / 32 samples = 440 Hz
    EXPECT_EQ(voice0()[2], 0u);
    EXPECT_GT(voice0()[0], 0u);
    RunFrames(1);
    EXPECT_TRUE(golden::Matches(Face, GOLDEN_DIR, "test-screen"));
    std::set<uint32_t> waves;
    for (int item = 2; item <= 9; ++item) {
        Press(Up);
        EXPECT_EQ(Peek(TestItem), item);
        waves.insert(voice0()[2]);
        EXPECT_EQ(voice0()[1], 19717u);
    }
    EXPECT_EQ(waves.size(), 8u);
    Press(Up);
    EXPECT_EQ(voice0()[1], 100u); // 71 Hz: below the lowest rate
    Press(Up);
    EXPECT_EQ(voice0()[1], 0xFFFFFu);
    EXPECT_EQ(Peek(0x6806), 0xFF); // bit 7 of byte 3 set
    // The pen map flips by itself; the switch off starts the game over.
    uint8_t select = Peek(0x2902);
    RunFrames(70);
    EXPECT_NE(Peek(0x2902), select);
    Face.setTestMode(false);
    Boot();
    EXPECT_EQ(dollix::Cpus[dollix::SoundCpu].held, 0u);
}

// The host resets the layer (as when the test switch goes off): the game
// sees the handshake's answer and raises its screen again.
TEST(DollixGame, AScreenLostToAHostResetIsDrawnAgain) {
    Start();
    Boot();
    RunFrames(2);
    std::vector<uint8_t> title(dollix::BitmapPlane + 0x0200, dollix::BitmapPlane + 0x10000);
    dollix::BitmapInitialised = 0;
    RunFrames(3);
    EXPECT_TRUE(std::equal(title.begin(), title.end(), dollix::BitmapPlane + 0x0200));
}

// The places the picture packer checks our block against are the ones the
// board's screens draw.
TEST(DollixGame, PicturePlacesAreTheBoardsScreens) {
    std::vector<std::array<int, 3>> board, ours;
    for (int command = 0; command < 16; ++command)
        for (const dollix::PicturePlacement& p : dollix::BitmapScreens[command].pictures)
            for (int row = 0; row < p.rows && p.source; ++row)
                for (int column = 0; column < p.columns; ++column)
                    board.push_back({command, p.source,
                                     (p.destination + row * p.rowStep + column * p.columnStep) & 0xFFFF});
    for (const dollix_pictures::Use& use : dollix_pictures::AllUses())
        ours.push_back({use.command, use.source, use.destination});
    std::sort(board.begin(), board.end());
    std::sort(ours.begin(), ours.end());
    EXPECT_EQ(board, ours);
}

} // namespace
