// Our game data running headless on the ZARKOLT board: the attract mode
// against golden pictures, scripted games, the high-score save point, the
// lives switches, the test mode and the SUPER ZARKOLT edition.
//
// VELTO_UPDATE_GOLDEN=1 in the environment rewrites the golden pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "harness.h"
#include "tests/common/golden.h"

namespace {

using harness::Picture;
using harness::ReadRam;
using harness::RunFrames;

constexpr uint16_t StateByte = 0x8103;
constexpr uint16_t StartLock = 0x8023;
constexpr uint16_t Score1 = 0x8130;
enum { Title = 0, Fleet = 1, Demo = 2, Scores = 3, Credit = 4, Play = 6, Over = 8, Name = 9 };

// The character code at text column x (0-26), row y (0-35).
uint8_t TextAt(int x, int y) {
    return ReadRam(uint16_t(0xC000 + 64 * (29 - x) + 4 + y));
}

std::string TextLine(int y) {
    std::string line;
    for (int x = 0; x < 27; ++x) {
        uint8_t c = TextAt(x, y);
        line += c < 10 ? char('0' + c) : c < 36 ? char('A' + c - 10) : c == 0x24 ? ' ' : '#';
    }
    return line;
}

void ExpectGolden(const std::string& name) {
    EXPECT_TRUE(golden::Matches(harness::Face(), GOLDEN_DIR, name));
}

// Runs until the state byte reads state; false after limit frames.
bool RunUntilState(int state, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (ReadRam(StateByte) == state) return true;
        RunFrames(1);
    }
    return false;
}

// A fresh board through the first attract frames, a coin and a one-player
// start.
void StartOnePlayerGame(const harness::Options& options) {
    harness::Start(options);
    RunFrames(100);
    harness::AddCoin();
    RunFrames(20);
    ASSERT_TRUE(harness::PressStart(1));
}

// Weaves left and right with the fire button held.
void PlayWeaving(int rounds) {
    RunFrames(200);
    for (int i = 0; i < rounds && ReadRam(StateByte) != Over && ReadRam(StateByte) != Name; ++i) {
        harness::SetInput(zarkolt::InputLeft | zarkolt::InputButton1);
        RunFrames(40);
        harness::SetInput(zarkolt::InputRight | zarkolt::InputButton1);
        RunFrames(40);
    }
    harness::SetInput(0);
}

TEST(ZarkoltGame, AttractMatchesTheGoldenPictures) {
    harness::Start({});
    // Each page some frames after it begins.
    const struct {
        int state, after;
        const char* name;
    } shots[] = {{Title, 200, "title"}, {Fleet, 200, "fleet"}, {Demo, 500, "demo"}, {Scores, 100, "scores"}};
    for (const auto& shot : shots) {
        ASSERT_TRUE(RunUntilState(shot.state, 3000)) << shot.name;
        RunFrames(shot.after);
        ExpectGolden(shot.name);
    }
}

TEST(ZarkoltGame, AttractRunsForeverTheSameWayAndMakesSound) {
    harness::Start({});
    std::set<int> states;
    for (int i = 0; i < 6000; ++i) {
        RunFrames(1);
        states.insert(ReadRam(StateByte));
        ASSERT_EQ(ReadRam(StartLock), 0) << "frame " << i;
    }
    EXPECT_EQ(states, (std::set<int>{Title, Fleet, Demo, Scores}));
    std::vector<uint8_t> first = Picture();
    harness::SoundLog sounds = harness::Sounds;
    EXPECT_GT(sounds.voicePlays[0], 0);
    EXPECT_GT(sounds.voicePlays[1], 0);
    EXPECT_GT(sounds.voicePlays[2], 0);
    EXPECT_GT(sounds.samplePlays[1] + sounds.samplePlays[2], 0);
    // Without the traps (as the screen savers run it) the same pictures come.
    harness::Options saver;
    saver.traps = false;
    harness::Start(saver);
    RunFrames(6000);
    EXPECT_EQ(Picture(), first);
}

// Over one round of the attract mode the picture uses every form, both
// sprite sets, the blank sprite, the screen edges, overlaps, tile flips,
// tiles 256-511, both colour halves and every scroll (every character colour
// is on the test screen's palette page).
TEST(ZarkoltGame, AttractShowsEveryBoardFeature) {
    harness::Start({});
    std::set<int> forms, scrolls;
    bool set1 = false, sets23 = false, blank = false, yHigh = false, leftEdge = false, rightEdge = false,
         topEdge = false, overlap = false, flips[4] = {}, highTiles = false, upperHalf = false;
    for (int frame = 0; frame < 2700; ++frame) {
        RunFrames(1);
        scrolls.insert(zarkolt::ScrollValue);
        struct Box {
            int x, y, w, h;
        };
        std::vector<Box> boxes;
        for (int i = 0; i < 64; ++i) {
            int x = ReadRam(uint16_t(0x8780 + 2 * i)), attr = ReadRam(uint16_t(0x9780 + 2 * i));
            int y = ReadRam(uint16_t(0x9781 + 2 * i)) << 8 | ReadRam(uint16_t(0x8781 + 2 * i));
            int code = ReadRam(uint16_t(0xA780 + 2 * i));
            if (y < 25 || y > 327) continue; // hidden
            forms.insert(attr & 15);
            (attr & 0x80 ? set1 : sets23) = true;
            blank |= (attr & 0x80) && code >= 0x40;
            yHigh |= y >= 256;
            leftEdge |= ((x + 1) & 255) < 16;
            rightEdge |= ((x + 1) & 255) > 224 && ((x + 1) & 255) < 240;
            topEdge |= y < 40;
            boxes.push_back({(x + 1) & 255, y, attr & 2 ? 32 : 16, attr & 1 ? 32 : 16});
        }
        for (size_t a = 0; a < boxes.size(); ++a)
            for (size_t b = 0; b < a; ++b)
                overlap |= std::abs(boxes[a].x - boxes[b].x) < 16 && std::abs(boxes[a].y - boxes[b].y) < 16;
        if (frame % 50) continue;
        for (int r = 2; r < 30; ++r)
            for (int m = 0; m < 64; ++m) {
                uint8_t attr = ReadRam(uint16_t(0xB800 + 64 * r + m)),
                        code = ReadRam(uint16_t(0xC800 + 64 * r + m));
                flips[attr >> 6] = true;
                highTiles |= attr & 1;
                upperHalf |= code & 0x80;
            }
    }
    EXPECT_EQ(forms.size(), 16u);
    EXPECT_TRUE(set1 && sets23 && blank && yHigh && overlap);
    EXPECT_TRUE(leftEdge && rightEdge && topEdge);
    EXPECT_TRUE(flips[0] && flips[1] && flips[2] && flips[3]);
    EXPECT_TRUE(highTiles && upperHalf);
    EXPECT_EQ(scrolls.size(), 512u);
}

TEST(ZarkoltGame, ScriptedGameScoresAndEnds) {
    StartOnePlayerGame({});
    PlayWeaving(20);
    unsigned score = ReadRam(Score1) << 16 | ReadRam(Score1 + 1) << 8 | ReadRam(Score1 + 2);
    EXPECT_GT(score, 0u);
    ASSERT_TRUE(RunUntilState(Title, 60 * 60 * 2) || ReadRam(StateByte) == Scores);
    EXPECT_EQ(ReadRam(StartLock), 0);
}

TEST(ZarkoltGame, DoingNothingEndsTheGameWithinAMinute) {
    for (bool super : {false, true}) {
        harness::Options options;
        options.super = super;
        options.dips.lives = 3; // five ships, the most
        StartOnePlayerGame(options);
        RunFrames(1);
        EXPECT_NE(ReadRam(StartLock), 0);
        EXPECT_FALSE(harness::PressStart(1)); // locked during play
        EXPECT_TRUE(RunUntilState(Over, 60 * 60)) << (super ? "SUPER ZARKOLT" : "ZARKOLT");
    }
}

TEST(ZarkoltGame, NewHighScoreReachesTheSavePoint) {
    StartOnePlayerGame({});
    PlayWeaving(60);
    // Fire and the stick still held from the game.
    harness::SetInput(zarkolt::InputRight | zarkolt::InputButton1);
    ASSERT_TRUE(RunUntilState(Name, 60 * 60)) << "the score did not enter the table";
    EXPECT_EQ(harness::Traps.saves, 0);
    RunFrames(1);
    EXPECT_EQ(TextLine(23).substr(2, 9), "TIME LEFT"); // the seconds left at column 14
    EXPECT_EQ(TextLine(23).substr(14, 2), "20");
    auto press = [](uint8_t input, int frames) {
        harness::SetInput(input);
        RunFrames(frames);
        harness::SetInput(0);
        RunFrames(2);
    };
    RunFrames(50);
    EXPECT_EQ(TextLine(12).substr(12, 3), "A  ") << "the stick from the game moved";
    for (int i = 0; i < 20; ++i) { // fire hammered on for two seconds
        harness::SetInput(0);
        RunFrames(4);
        harness::SetInput(zarkolt::InputButton1);
        RunFrames(2);
    }
    EXPECT_EQ(TextLine(12).substr(12, 3), "A  ") << "fire from the game took a letter";
    EXPECT_EQ(TextLine(23).substr(14, 2), "18");
    harness::SetInput(0);
    RunFrames(30); // up for half a second: the next press counts
    // Initials: up held for a fifth of a second moves one letter (B); held
    // for half a second it moves again (D); down (C), right; right again
    // (C), left back and up (D); button 1 takes it, then button 1 takes the
    // third (D).
    press(zarkolt::InputUp, 12);
    EXPECT_EQ(TextLine(12).substr(12, 3), "B  ");
    press(zarkolt::InputUp, 31);
    EXPECT_EQ(TextLine(12).substr(12, 3), "D  ");
    press(zarkolt::InputDown, 2);
    press(zarkolt::InputRight, 2);
    press(zarkolt::InputRight, 2);
    EXPECT_EQ(TextLine(12).substr(12, 3), "CCC");
    press(zarkolt::InputLeft, 2);
    EXPECT_EQ(TextLine(12).substr(12, 3), "CC ");
    press(zarkolt::InputUp, 2);
    press(zarkolt::InputButton1, 2);
    press(zarkolt::InputButton1, 2);
    RunFrames(5);
    ASSERT_EQ(harness::Traps.saves, 1);
    ASSERT_EQ(harness::Traps.saved.size(), 83u);
    // The saved record holds the player's score in the table.
    bool found = false;
    for (int entry = 0; entry < 10; ++entry) {
        const uint8_t* e = &harness::Traps.saved[3 + 8 * entry];
        if (e[0] == ReadRam(Score1) && e[1] == ReadRam(Score1 + 1) && e[2] == ReadRam(Score1 + 2))
            found = true;
    }
    EXPECT_TRUE(found);
    const uint8_t initials[3] = {0x0C, 0x0D, 0x0D}; // "CDD"
    bool named = false;
    for (int entry = 0; entry < 10; ++entry)
        named |= std::equal(initials, initials + 3, &harness::Traps.saved[3 + 8 * entry + 3]);
    EXPECT_TRUE(named);
    EXPECT_EQ(harness::Traps.loads, 1);
    EXPECT_TRUE(RunUntilState(Scores, 100));
}

TEST(ZarkoltGame, TwoPlayersTakeTurns) {
    harness::Start({});
    RunFrames(100);
    harness::AddCoin();
    harness::AddCoin();
    RunFrames(20);
    ASSERT_TRUE(harness::PressStart(2));
    RunFrames(20);
    EXPECT_EQ(ReadRam(0x8106), 2); // players
    EXPECT_EQ(zarkolt::InputState.credits, 0);
    bool secondPlayed = false;
    for (int i = 0; i < 60 * 60 && !secondPlayed; ++i) {
        RunFrames(1);
        secondPlayed = ReadRam(0x8107) == 1 && ReadRam(StateByte) == Play;
    }
    EXPECT_TRUE(secondPlayed);
    EXPECT_TRUE(RunUntilState(Over, 60 * 60 * 2));
}

TEST(ZarkoltGame, LivesSwitchChangesTheShipsShown) {
    // Settings index: "1", "2", "3", "5" ships; one ship is in play, the rest show.
    const int shown[4] = {0, 1, 2, 4};
    for (uint32_t lives = 0; lives < 4; ++lives) {
        harness::Options options;
        options.dips.lives = lives;
        StartOnePlayerGame(options);
        RunFrames(60);
        int ships = 0;
        for (int x = 0; x < 10; ++x)
            ships += TextAt(x, 35) == 0x46;
        EXPECT_EQ(ships, shown[lives]) << "lives setting " << lives;
    }
}

TEST(ZarkoltGame, TestModeShowsTheTestScreenUntilTheSwitchIsOff) {
    harness::Options options;
    options.testMode = true;
    harness::Start(options);
    RunFrames(60);
    EXPECT_EQ(TextLine(1).substr(6, 9), "TEST MODE");
    // The palette page shows every character colour; no text lies on the
    // grid or the bars (the background's map byte 2 lower, tile 0 is black).
    std::set<int> colours;
    for (int r = 2; r <= 30; ++r)
        for (int c = 4; c < 40; ++c) {
            uint8_t code = ReadRam(uint16_t(0xC000 + 64 * r + c));
            if (code == 0x24) continue;
            colours.insert(ReadRam(uint16_t(0xB000 + 64 * r + c)) & 63);
            if (code != 0x40) {
                EXPECT_EQ(ReadRam(uint16_t(0xC800 + 64 * r + c - 2)), 0) << "text on the pattern";
            }
        }
    EXPECT_EQ(colours.size(), 64u);
    EXPECT_EQ(TextLine(4).substr(23, 2), "OK");       // the ROM sum
    EXPECT_EQ(TextLine(9).substr(14, 8), "33333333"); // the default switches
    harness::SetInput(zarkolt::InputButton2);
    RunFrames(2);
    EXPECT_EQ(TextLine(13).substr(16, 4), "DOWN");
    EXPECT_EQ(TextLine(11).substr(16, 2), "0F");
    // The colour pattern: a band of colour bars and a grid behind the palette.
    EXPECT_EQ(ReadRam(0xC800 + 64 * 10 + 30), 9);
    EXPECT_EQ(ReadRam(0xC800 + 64 * 10 + 22), 1);
    RunFrames(600); // the sound test goes through the voices and samples
    EXPECT_GT(harness::Sounds.samplePlays[0], 0);
    EXPECT_GT(harness::Sounds.samplePlays[1], 0);
    EXPECT_GT(harness::Sounds.samplePlays[2], 0);
    // The switch off (the frame does not reset): the game starts over by
    // itself and coins count again.
    zarkolt::InputState.testMode = 0;
    ASSERT_TRUE(RunUntilState(Title, 200));
    RunFrames(30);
    EXPECT_EQ(TextLine(1).find("TEST"), std::string::npos);
    harness::AddCoin();
    EXPECT_TRUE(RunUntilState(Credit, 10));
}

TEST(ZarkoltGame, HighScoreFollowsTheScoreOncePassed) {
    harness::Options options;
    StartOnePlayerGame(options);
    RunFrames(200);
    // A score of 12,340 put where the game keeps it; the next hit shows it.
    *zarkolt::Ram(Score1) = 0x01;
    *zarkolt::Ram(Score1 + 1) = 0x23;
    *zarkolt::Ram(Score1 + 2) = 0x40;
    EXPECT_EQ(TextLine(1).substr(10, 6), " 10000");
    for (int i = 0; i < 200 && ReadRam(Score1 + 1) == 0x23 && ReadRam(StateByte) == Play; ++i) {
        harness::SetInput(zarkolt::InputButton1);
        RunFrames(4);
        harness::SetInput(0);
        RunFrames(4);
    }
    ASSERT_NE(ReadRam(Score1 + 1), 0x23) << "nothing was hit";
    EXPECT_EQ(TextLine(1).substr(10, 3), " 12");
    EXPECT_EQ(TextLine(1).substr(0, 6), TextLine(1).substr(10, 6)); // the same number
}

TEST(ZarkoltGame, SuperEditionIsTheRevisedGame) {
    harness::Options options;
    options.super = true;
    harness::Start(options);
    RunFrames(300);
    EXPECT_EQ(TextLine(11).substr(9, 9), "# SUPER #"); // "- SUPER -"
    ExpectGolden("super-title");
    // Coins count from the first frames: no idle replies are needed.
    harness::AddCoin();
    RunFrames(5);
    EXPECT_EQ(ReadRam(StateByte), Credit);
    ASSERT_TRUE(harness::PressStart(1));
    RunFrames(400);
    ExpectGolden("super-play");
}

} // namespace
