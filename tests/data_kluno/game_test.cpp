// Our game data running headless on the KLUNO board: the attract screens and
// the test screen against golden pictures, attract mode for ever and the same
// way each time, the board features it shows, scripted games, the
// high-score save point, the switches and the start-up checks.
//
// VELTO_UPDATE_GOLDEN=1 in the environment rewrites the golden pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "boards/kluno/frame.h"
#include "boards/kluno/kluno_board.h"
#include "boards/kluno/machine.h"
#include "harness.h"
#include "tests/common/golden.h"

namespace {

using klunoharness::ReadRam;
using klunoharness::RunFrames;

// Where the program keeps what the tests look at.
constexpr uint16_t ModeByte = 0x1001, PhaseByte = 0x1013, CurPlayer = 0x1010;
constexpr uint16_t Ships1 = 0x1080, Score1 = 0x1082, Enemies = 0x1100, Bombs = 0x1150;
constexpr uint16_t PlayerX = 0x1016, PlayerV = 0x1017;
enum {
    TitleMode = 0,
    FleetMode = 1,
    DemoMode = 2,
    ScoresMode = 3,
    CreditMode = 4,
    GameMode = 5,
    TestMode = 6,
    NameMode = 7
};

kluno::DipSettings Dips(uint32_t ships, uint32_t bonus, uint32_t difficulty, uint32_t demoSound) {
    kluno::DipSettings dips;
    dips.ships = ships;
    dips.bonus = bonus;
    dips.difficulty = difficulty;
    dips.demoSound = demoSound;
    return dips;
}

klunoharness::Options With(const kluno::DipSettings& dips, bool traps = true) {
    klunoharness::Options options;
    options.dips = dips;
    options.traps = traps;
    return options;
}

// The character code at picture column x (0-27), row y (0-35).
uint8_t TextAt(int x, int y) {
    uint16_t offset;
    if (y >= 2 && y < 34) {
        offset = uint16_t(((kluno::ScrollValue >> 3) + 27 - x) * 32 + y - 2);
    } else {
        static const uint16_t lines[4] = {0x7C0, 0x7E0, 0x780, 0x7A0};
        int entry = 29 - x;
        if (entry == 16 || entry == 17) entry -= 16;
        offset = uint16_t(lines[y < 2 ? y : y - 32] + entry);
    }
    return ReadRam(offset);
}

std::string TextLine(int y) {
    std::string line;
    for (int x = 0; x < 28; ++x) {
        uint8_t c = TextAt(x, y);
        line += c >= 0x20 && c < 0x5B ? char(c) : '#';
    }
    return line;
}

bool Shows(int y, const std::string& text) {
    return TextLine(y).find(text) != std::string::npos;
}

// Past the start-up checks (the mode byte reads 0 before them too).
void ToTitle() {
    RunFrames(160);
    ASSERT_EQ(ReadRam(ModeByte), TitleMode);
}

bool RunUntilMode(int mode, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (ReadRam(ModeByte) == mode) return true;
        RunFrames(1);
    }
    return ReadRam(ModeByte) == mode;
}

uint32_t Score() {
    uint32_t bcd = 0;
    for (int i = 0; i < 4; ++i)
        bcd = bcd << 8 | ReadRam(uint16_t(Score1 + i));
    return bcd;
}

void StartGame(const klunoharness::Options& options, int players) {
    klunoharness::Start(options);
    RunFrames(150);
    for (int i = 0; i < players; ++i)
        klunoharness::InsertCoin();
    klunoharness::PressStart(players);
    ASSERT_EQ(ReadRam(ModeByte), GameMode);
}

// One frame of a simple player: under the first enemy, fire held, a step
// aside from a bomb close above.
void Autopilot() {
    uint8_t directions = 0;
    for (uint16_t e = Enemies; e < Enemies + 64; e += 8)
        if (ReadRam(e)) {
            int dx = ReadRam(uint16_t(e + 1)) - ReadRam(PlayerX);
            directions = dx > 2 ? klunoharness::Right : dx < -2 ? klunoharness::Left : 0;
            break;
        }
    // a bomb close above: step aside
    for (uint16_t b = Bombs; b < Bombs + 16; b += 4) {
        int dx = ReadRam(uint16_t(b + 1)) - ReadRam(PlayerX);
        int dy = (ReadRam(PlayerV) << 8 | ReadRam(PlayerV + 1)) -
                 (ReadRam(uint16_t(b + 2)) << 8 | ReadRam(uint16_t(b + 3)));
        if (ReadRam(b) && dy > 0 && dy < 60 && dx > -14 && dx < 14)
            directions = dx > 0 || ReadRam(PlayerX) > 200 ? klunoharness::Left : klunoharness::Right;
    }
    klunoharness::SetControls(0, directions, 1);
    RunFrames(1);
}

struct Voice {
    uint8_t volume, waveByte;
    uint32_t f;
};
Voice VoiceAt(int v) {
    const uint8_t* r = kluno::SharedRam + 3 + 8 * v;
    return {uint8_t(r[0] & 15), r[3], uint32_t(r[1] | r[2] << 8 | (r[3] & 15) << 16)};
}

// Everything the attract mode is meant to show, gathered frame by frame.
struct AttractLog {
    std::set<int> modes, scrolls, forms;
    bool rowBit8 = false, frontOverSprite = false, attributeBit7 = false;
    bool restAtVolume = false, f1 = false, byte3Bit7 = false, waveChange = false, volumeOnly = false,
         backFromZero = false;
    std::array<Voice, 8> last{};
    void Frame() {
        modes.insert(ReadRam(ModeByte));
        scrolls.insert(int(kluno::ScrollValue));
        for (uint16_t a = 0x800; a < 0x1000; ++a)
            attributeBit7 = attributeBit7 || (ReadRam(a) & 0x80);
        for (int i = 0; i < 64; ++i) {
            int row = (ReadRam(uint16_t(0x2781 + 2 * i)) & 1) << 8 | ReadRam(uint16_t(0x1F81 + 2 * i));
            if (row - 24 < 1 || row - 24 > 303) continue; // hidden
            forms.insert(ReadRam(uint16_t(0x2780 + 2 * i)) & 15);
            rowBit8 = rowBit8 || row >= 256;
        }
        for (int i = 0; i < 0x780 && !frontOverSprite; ++i)
            frontOverSprite = (ReadRam(uint16_t(0x800 + i)) & 0x40) && ReadRam(ModeByte) == FleetMode;
        for (int v = 0; v < 8; ++v) {
            Voice now = VoiceAt(v), was = last[v];
            restAtVolume = restAtVolume || (now.f == 0 && now.volume > 0);
            f1 = f1 || now.f == 1;
            byte3Bit7 = byte3Bit7 || (now.waveByte & 0x80);
            if (now.volume > 0 && was.volume > 0) {
                waveChange = waveChange || ((now.waveByte ^ was.waveByte) & 0x70);
                volumeOnly = volumeOnly ||
                             (now.volume != was.volume && now.f == was.f && now.waveByte == was.waveByte);
            }
            backFromZero = backFromZero || (was.volume == 0 && now.volume > 0 && now.f == was.f && now.f > 1);
            last[v] = now;
        }
    }
};

TEST(KlunoGame, AttractAndTestScreenMatchTheGoldenPictures) {
    klunoharness::Start({});
    ToTitle();
    RunFrames(60);
    EXPECT_TRUE(golden::Matches(kluno::Face, GOLDEN_DIR, "title"));
    ASSERT_TRUE(RunUntilMode(FleetMode, 600));
    RunFrames(60);
    EXPECT_TRUE(golden::Matches(kluno::Face, GOLDEN_DIR, "fleet")); // all sixteen sprite forms
    ASSERT_TRUE(RunUntilMode(ScoresMode, 2500));
    RunFrames(30);
    EXPECT_TRUE(golden::Matches(kluno::Face, GOLDEN_DIR, "scores"));
    klunoharness::SetTestSwitch(true);
    RunFrames(10);
    EXPECT_TRUE(golden::Matches(kluno::Face, GOLDEN_DIR, "test"));
}

// With the ROM unpatched (as the screen saver runs it) and no input at all,
// the attract mode goes round for ever, always the same way, with sound.
TEST(KlunoGame, AttractRunsForeverTheSameWayAndShowsTheBoard) {
    klunoharness::Start(With(Dips(0, 0, 0, 1), false));
    AttractLog log;
    std::vector<uint8_t> ramAt2000;
    for (int frame = 1; frame <= 10000; ++frame) {
        RunFrames(1);
        log.Frame();
        ASSERT_GE(kluno::Cpus[kluno::Cpu1].PC, 0x8000) << frame;
        if (!kluno::Cpus[kluno::Cpu2].held) { ASSERT_GE(kluno::Cpus[kluno::Cpu2].PC, 0xE000) << frame; }
        if (frame == 2000) ramAt2000.assign(kluno::MainRam, kluno::MainRam + sizeof kluno::MainRam);
    }
    EXPECT_EQ(log.modes, (std::set<int>{TitleMode, FleetMode, DemoMode, ScoresMode}));
    EXPECT_EQ(log.scrolls.size(), 256u);
    EXPECT_EQ(log.forms.size(), 16u);
    EXPECT_TRUE(log.rowBit8);
    EXPECT_TRUE(log.frontOverSprite);
    EXPECT_FALSE(log.attributeBit7);
    EXPECT_TRUE(log.restAtVolume);
    EXPECT_TRUE(log.f1);
    EXPECT_TRUE(log.byte3Bit7);
    EXPECT_TRUE(log.waveChange);
    EXPECT_TRUE(log.volumeOnly);
    EXPECT_TRUE(log.backFromZero);
    EXPECT_EQ(kluno::SoundEnable, 1u);

    klunoharness::Start(With(Dips(0, 0, 0, 1), false));
    RunFrames(2000);
    EXPECT_TRUE(std::equal(ramAt2000.begin(), ramAt2000.end(), kluno::MainRam));
}

TEST(KlunoGame, DoingNothingEndsTheGameWithinAMinute) {
    for (uint32_t ships : {0u, 1u}) {
        StartGame(With(Dips(ships, 0, 0, 1)), 1);
        EXPECT_EQ(ReadRam(Ships1), ships ? 5 : 3);
        int frames = 0;
        while (frames < 3600 && ReadRam(ModeByte) == GameMode) {
            RunFrames(1);
            ++frames;
        }
        EXPECT_LT(frames, 3500) << "ships choice " << ships; // 3,500 frames of 17 ms
        EXPECT_EQ(ReadRam(ModeByte), TitleMode);
        EXPECT_EQ(klunoharness::Traps.saves, 0);
    }
}

// Follows the first enemy with the fire button held until the score passes
// 500 (the fifth place), then lets go: the score enters the table, and the
// save point sees both score areas updated. No sprite is ever over the two
// score rows.
TEST(KlunoGame, ScriptedGameScoresEndsAndSavesTheNewHighScore) {
    StartGame(With(Dips(1, 0, 0, 1)), 1);
    EXPECT_EQ(ReadRam(Ships1), 5);
    int topRow = 288;
    for (int frame = 0; frame < 20000 && Score() <= 0x500 && ReadRam(ModeByte) == GameMode; ++frame) {
        Autopilot();
        for (int i = 0; i < 64; ++i) {
            int row = (ReadRam(uint16_t(0x2781 + 2 * i)) & 1) << 8 | ReadRam(uint16_t(0x1F81 + 2 * i));
            topRow = std::min(topRow, row - 40);
        }
    }
    EXPECT_GT(Score(), 0x500u);
    EXPECT_GE(topRow, 16);
    klunoharness::SetControls(0, 0, 0);
    // The name: up twice (B), shot, up (A), shot, up three times (C), left
    // (the C erased, back onto the A), up (B), shot, left (at the empty
    // place: the B erased), up three times (C), start: "BC"; each left
    // erases one letter. The seconds left count down from 20 and the entry
    // waits to the last.
    ASSERT_TRUE(RunUntilMode(NameMode, 3000));
    RunFrames(10);
    EXPECT_TRUE(Shows(17, "ENTER YOUR NAME"));
    EXPECT_TRUE(Shows(22, "TIME LEFT 20")) << TextLine(22);
    EXPECT_TRUE(golden::Matches(kluno::Face, GOLDEN_DIR, "name"));
    constexpr uint8_t up = klunoharness::Up, left = klunoharness::Left;
    const uint8_t steps[][2] = {{up, 0},   {up, 0}, {0, 1}, {up, 0},   {0, 1},  {up, 0}, {up, 0}, {up, 0},
                                {left, 0}, {up, 0}, {0, 1}, {left, 0}, {up, 0}, {up, 0}, {up, 0}};
    for (const auto& step : steps) {
        klunoharness::SetControls(0, step[0], step[1]);
        RunFrames(2);
        klunoharness::SetControls(0, 0, 0);
        RunFrames(2);
    }
    for (int i = 0; i < 1200 && !Shows(22, "TIME LEFT  1"); ++i)
        RunFrames(1);
    EXPECT_TRUE(Shows(22, "TIME LEFT  1")) << TextLine(22);
    ASSERT_EQ(ReadRam(ModeByte), NameMode);
    klunoharness::PressStart(1);
    ASSERT_TRUE(RunUntilMode(ScoresMode, 100));
    EXPECT_EQ(klunoharness::Traps.saves, 1);
    EXPECT_EQ(kluno::SharedRam[0x53], 0);
    ASSERT_EQ(klunoharness::Traps.saved.size(), 164u);
    std::string table(klunoharness::Traps.saved.begin() + 4, klunoharness::Traps.saved.end());
    EXPECT_NE(table.find("  BC      "), std::string::npos);
    EXPECT_EQ(table.substr(0, 4), " 1ST");
    // The table on the screen is the one in RAM.
    RunFrames(5);
    bool shown = false;
    for (int y = 9; y <= 21; y += 3)
        shown = shown || Shows(y, "  BC      ");
    EXPECT_TRUE(shown) << TextLine(9) << "\n" << TextLine(12) << "\n" << TextLine(21);
}

// From 9,900 the next kill reaches the first bonus mark (10,000 with the
// default switches): a ship more, the next mark at 30,000.
TEST(KlunoGame, BonusShipAtTheBonusMark) {
    StartGame({}, 1);
    RunFrames(130);
    kluno::MainRam[Score1 + 2] = 0x99;
    for (int frame = 0; frame < 5000 && Score() < 0x10000; ++frame)
        Autopilot();
    EXPECT_GE(Score(), 0x10000u);
    EXPECT_EQ(ReadRam(0x1088), 1);    // bonuses given
    EXPECT_EQ(ReadRam(0x1087), 0x03); // the next at 30,000
}

// A coin counts once however long its bit stays on; start 2 needs two
// credits, start 1 one.
TEST(KlunoGame, CoinsCountOnTheirEdgesAndStartsTakeCredits) {
    constexpr uint16_t Credits = 0x1006, Players = 0x100F;
    klunoharness::Start({});
    ToTitle();
    klunoharness::SetControls(1, 0, 0);
    for (int i = 0; i < 30; ++i) // the board's own frame: the face would pulse the coin bit
        kluno::RunFrame({});
    klunoharness::SetControls(0, 0, 0);
    RunFrames(2);
    EXPECT_EQ(ReadRam(Credits), 1);
    EXPECT_EQ(ReadRam(ModeByte), CreditMode);
    EXPECT_TRUE(Shows(10, "ONE PLAYER ONLY"));
    klunoharness::PressStart(2);
    EXPECT_EQ(ReadRam(ModeByte), CreditMode);
    klunoharness::InsertCoin();
    EXPECT_EQ(ReadRam(Credits), 2);
    EXPECT_TRUE(Shows(10, "ONE OR TWO PLAYERS"));
    klunoharness::PressStart(2);
    EXPECT_EQ(ReadRam(ModeByte), GameMode);
    EXPECT_EQ(ReadRam(Players), 2);
    EXPECT_EQ(ReadRam(Credits), 0);
}

// Both scores stay in the header after the game, through the attract mode
// and its demonstration, until the next game.
TEST(KlunoGame, TwoPlayersTakeTurns) {
    StartGame({}, 2);
    std::set<int> players;
    for (int i = 0; i < 8000 && ReadRam(ModeByte) == GameMode; ++i) {
        players.insert(ReadRam(CurPlayer));
        if (i == 100) { // 150 for player 2, too few for the table
            kluno::MainRam[0x1094] = 0x01;
            kluno::MainRam[0x1095] = 0x50;
        }
        RunFrames(1);
    }
    EXPECT_EQ(players, (std::set<int>{0, 1}));
    EXPECT_NE(ReadRam(ModeByte), GameMode);
    RunFrames(5);
    EXPECT_EQ(TextLine(1).substr(20), "     150") << TextLine(1);
    ASSERT_TRUE(RunUntilMode(DemoMode, 1500));
    ASSERT_TRUE(RunUntilMode(ScoresMode, 2000));
    RunFrames(5);
    EXPECT_EQ(TextLine(1).substr(20), "     150") << TextLine(1);
    klunoharness::InsertCoin();
    klunoharness::PressStart(1);
    EXPECT_EQ(TextLine(1).substr(20), "        ") << TextLine(1);
}

// Each switch setting shows on the title; the defaults are all-zero bytes.
TEST(KlunoGame, EachSwitchSettingShows) {
    struct Case {
        kluno::DipSettings dips;
        int row;
        const char* text;
    };
    const Case cases[] = {
        {Dips(0, 0, 0, 1), 13, "SHIPS 3"},
        {Dips(0, 0, 0, 1), 13, "NORMAL"},
        {Dips(0, 0, 0, 1), 16, "BONUS 10000 30000 +50000"},
        {Dips(0, 0, 0, 1), 19, "DEMO SOUND ON"},
        {Dips(1, 0, 0, 1), 13, "SHIPS 5"},
        {Dips(0, 0, 1, 1), 13, "HARD"},
        {Dips(0, 1, 0, 1), 16, "BONUS 20000 +50000"},
        {Dips(0, 2, 0, 1), 16, "BONUS 30000 +70000"},
        {Dips(0, 3, 0, 1), 16, "BONUS 20000 70000"},
        {Dips(0, 0, 0, 0), 19, "DEMO SOUND OFF"},
    };
    klunoharness::Start(With(Dips(0, 0, 0, 1)));
    for (uint8_t byte : kluno::IoChipInputs[1])
        EXPECT_EQ(byte, 0);
    for (const Case& c : cases) {
        klunoharness::Start(With(c.dips));
        ToTitle();
        EXPECT_TRUE(Shows(c.row, c.text)) << c.text << " on row " << c.row << ": " << TextLine(c.row);
    }
    // Without demo sound the attract mode is silent.
    klunoharness::Start(With(Dips(0, 0, 0, 0)));
    for (int i = 0; i < 1500; ++i) {
        RunFrames(1);
        for (int v = 0; v < 8; ++v)
            ASSERT_EQ(VoiceAt(v).volume, 0) << "frame " << i << " voice " << v;
    }
}

TEST(KlunoGame, TestSwitchIsReadLive) {
    klunoharness::Start({});
    ToTitle();
    klunoharness::SetTestSwitch(true);
    RunFrames(6); // the screen takes a few frames to draw
    ASSERT_EQ(ReadRam(ModeByte), TestMode);
    EXPECT_TRUE(Shows(0, "KLUNO TEST MODE"));
    EXPECT_EQ(TextLine(10), "SWITCHES  CHIP 2 54000080   ");
    EXPECT_EQ(TextLine(12), "SHIPS 3  NORMAL             ");
    EXPECT_EQ(TextLine(14), "BONUS 10000 30000 +50000    ");
    EXPECT_EQ(TextLine(20), "ROM 1 SUM      00  WANT 00  ");
    EXPECT_EQ(TextLine(21), "ROM 2 SUM      00  WANT 00  ");
    EXPECT_EQ(TextLine(23), "CHIP 1 MODE 8  1C  WANT 1C  ");
    EXPECT_EQ(TextLine(24), "CHIP 2 MODE 8  54  WANT 54  ");
    // A steady 440 Hz: 32 samples at f x 2925 / 4096 a second.
    Voice tone = VoiceAt(0);
    EXPECT_EQ(tone.volume, 15);
    EXPECT_EQ(tone.f * 2925 / 4096, 440u * 32);
    // Live inputs and the service switch.
    klunoharness::SetControls(8, klunoharness::Up | klunoharness::Left, 1);
    RunFrames(2);
    EXPECT_EQ(TextLine(4), "UP 1 RIGHT 0 DOWN 0 LEFT 1  ");
    EXPECT_TRUE(Shows(8, "SHOT 1"));
    EXPECT_TRUE(Shows(6, "SERVICE 1"));
    klunoharness::SetControls(0, 0, 0);
    klunoharness::SetTestSwitch(false);
    RunFrames(3);
    EXPECT_EQ(ReadRam(ModeByte), TitleMode);
}

// A board whose chips never answer mode 8: the check says so and the game
// still goes on to its title.
TEST(KlunoGame, AWrongModeEightAnswerIsShownNeverAHang) {
    klunoharness::Start({});
    for (int i = 0; i < 60; ++i) {
        kluno::IoChipHold = 1; // no refresh, so no answer
        RunFrames(1);
    }
    EXPECT_TRUE(Shows(13, "IO CHIP 1       BAD")) << TextLine(13);
    EXPECT_TRUE(Shows(15, "IO CHIP 2       BAD")) << TextLine(15);
    EXPECT_TRUE(Shows(17, "SOUND CPU      GOOD")) << TextLine(17);
    RunFrames(300);
    EXPECT_EQ(ReadRam(ModeByte), TitleMode);
    EXPECT_TRUE(Shows(10, "DEFEND THE OUTER STARS"));
}

} // namespace
