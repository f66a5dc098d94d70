// Our RONKU game data running headless on the board, driven through its face:
// the boot's check of the I/O chips' answer, attract mode for ever and the
// same way each time (golden pictures, sound), coin, start, moving, throwing
// and the idle game's end with the crow, the toad and the mole met in round
// 1, two players taking turns with the scores clear of the frame-rate figure,
// and the screen saver's inputs for 10,000 frames.
//
// VELTO_UPDATE_GOLDEN=1 in the environment rewrites the golden pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "boards/board.h"
#include "tests/common/golden.h"

namespace {

const boards::BoardFace* Face = boards::FindBoard("ronku");

// Where the program keeps what the tests look at.
constexpr uint16_t FrameByte = 0x1000, ModeByte = 0x1001, CoarseByte = 0x1004, Players = 0x1020,
                   CurPlayer = 0x1021, PhaseByte = 0x1024, PlayerX = 0x1027, ChipBad = 0x102F,
                   Pebble = 0x1100, Lives1 = 0x1080, Round1 = 0x1081, Lives2 = 0x1090, Visitor = 0x1158;
// The visitor's sprite code register, and the codes of the crow (wings up and
// down), the toad and the mole.
constexpr uint16_t VisitorCode = 0x1780 + 2 * 14;
enum { CrowUp = 0x10, CrowDown = 0x14, Toad = 0x18, Mole = 0x0C };
enum { BootMode = 0, TitleMode = 1, FolkMode = 2, DemoMode = 3, CreditMode = 4, GameMode = 5 };
enum { Ready = 0, Play = 1, Dead = 2, Over = 3 };
// I/O chip 1 as CPU 1 sees it.
constexpr uint16_t Chip1 = 0x4800, Chip2 = 0x4810;

uint8_t Peek(uint16_t address) {
    return Face->peek(address);
}

// The face's control bit of a named control ("up", "shot", ...).
uint32_t Control(const std::string& name) {
    for (int i = 0; i < Face->controlCount; ++i) {
        std::string c = Face->controls[i];
        for (char& ch : c)
            ch = char(std::tolower(static_cast<unsigned char>(ch)));
        if (c == name) return 1u << i;
    }
    ADD_FAILURE() << "no control " << name;
    return 0;
}

int FramesRun; // since the last build

void RunFrames(int count) {
    boards::FrameHooks hooks{};
    hooks.render = [] { Face->render(false); };
    for (int i = 0; i < count; ++i)
        Face->runFrame(hooks);
    FramesRun += count;
}

bool RunUntilMode(int mode, int limit) {
    for (int i = 0; i < limit && Peek(ModeByte) != mode; ++i)
        RunFrames(1);
    return Peek(ModeByte) == mode;
}

bool RunUntilPhase(int phase, int limit) {
    for (int i = 0; i < limit && Peek(PhaseByte) != phase; ++i)
        RunFrames(1);
    return Peek(PhaseByte) == phase;
}

// The character code at picture column x (0-27), row y (0-35).
uint8_t TextAt(int x, int y) {
    uint16_t offset;
    if (y >= 2 && y < 34) {
        offset = uint16_t(((Peek(CoarseByte) + 27 - x) * 32 + y - 2) & 0x7FF);
    } else {
        static const uint16_t lines[4] = {0x7C0, 0x7E0, 0x780, 0x7A0};
        int entry = 29 - x;
        if (entry == 16 || entry == 17) entry -= 16;
        offset = uint16_t(lines[y < 2 ? y : y - 32] + entry);
    }
    return Peek(offset);
}

bool Shows(int y, const std::string& text) {
    std::string line;
    for (int x = 0; x < 28; ++x) {
        uint8_t c = TextAt(x, y);
        line += c >= 0x20 && c < 0x5B ? char(c) : '#';
    }
    return line.find(text) != std::string::npos;
}

// Any voice sounding: the volume byte of each of the eight voices in the
// shared RAM (CPU 1 0x4003 + 8v).
bool Sounding() {
    for (int v = 0; v < 8; ++v)
        if (Peek(uint16_t(0x4003 + 8 * v)) & 0x0F) return true;
    return false;
}

uint32_t RamChecksum() {
    uint32_t sum = 0;
    for (uint16_t a = 0; a < 0x2800; ++a)
        sum = sum * 31 + Peek(a);
    return sum;
}

class RonkuGame : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Face) GTEST_SKIP() << "no board named ronku";
        std::string error;
        ASSERT_TRUE(Face->buildEmbedded(error)) << error;
        Face->setControls(0);
        Face->reset();
        FramesRun = 0;
    }
    void Boot() { ASSERT_TRUE(RunUntilMode(TitleMode, 400)); }
    void StartGame(uint32_t players) {
        Boot();
        for (uint32_t i = 0; i < players; ++i) {
            Face->insertCoin();
            RunFrames(4);
        }
        ASSERT_EQ(Peek(ModeByte), CreditMode);
        ASSERT_TRUE(Face->pressStart(players, players));
        RunFrames(4);
        ASSERT_EQ(Peek(ModeByte), GameMode);
    }
};

// The boot asks both chips for their answer ($0E in chip 1 byte 15), finds
// it in bytes 1-7 of both, shows it, then leaves the mode and clears chip 1
// bytes 1-3, so the credits shown are the host's own: none.
TEST_F(RonkuGame, BootChecksBothChipsAnswerThenClearsIt) {
    const uint8_t answer[7] = {0x08, 0x04, 0x06, 0x0E, 0x0D, 0x09, 0x0D};
    int frames = 0;
    while (Peek(Chip1 + 15) != 0x0E && frames++ < 30)
        RunFrames(1);
    ASSERT_EQ(Peek(Chip1 + 15), 0x0E);
    RunFrames(1);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Peek(uint16_t(Chip1 + 1 + i)), answer[i]) << i;
        EXPECT_EQ(Peek(uint16_t(Chip2 + 1 + i)), answer[i]) << i;
    }
    EXPECT_EQ(Peek(Chip1 + 9), 1); // no start during the check
    RunFrames(40);
    EXPECT_NE(Peek(Chip1 + 15), 0x0E);
    for (uint16_t a = Chip1 + 1; a <= Chip1 + 3; ++a)
        EXPECT_EQ(Peek(a), 0) << a;
    EXPECT_EQ(Peek(Chip1 + 8), 1); // m
    EXPECT_EQ(Peek(ChipBad), 0);
    EXPECT_TRUE(Shows(8, "I/O 1 8 4 6 E D 9 D  OK"));
    EXPECT_TRUE(Shows(10, "I/O 2 8 4 6 E D 9 D  OK"));
    EXPECT_TRUE(Shows(35, "CREDIT  0"));
    EXPECT_TRUE(golden::Matches(*Face, GOLDEN_DIR, "boot"));
    Boot();
    EXPECT_EQ(Peek(Chip1 + 9), 0);
}

// Title, garden folk and demonstration, twice round with zero inputs, with
// music and effects; a second run gives the same RAM.
TEST_F(RonkuGame, AttractGoesRoundForeverTheSameWayWithSound) {
    Boot();
    ASSERT_TRUE(RunUntilMode(TitleMode, 10));
    RunFrames(120);
    EXPECT_TRUE(golden::Matches(*Face, GOLDEN_DIR, "title"));
    ASSERT_TRUE(RunUntilMode(FolkMode, 600));
    RunFrames(100);
    EXPECT_TRUE(golden::Matches(*Face, GOLDEN_DIR, "folk"));
    ASSERT_TRUE(RunUntilMode(DemoMode, 600));
    RunFrames(300);
    EXPECT_TRUE(golden::Matches(*Face, GOLDEN_DIR, "demo"));
    std::vector<int> modes;
    bool sound = false;
    for (int i = 0; i < 7000; ++i) {
        RunFrames(1);
        if (modes.empty() || modes.back() != Peek(ModeByte)) modes.push_back(Peek(ModeByte));
        sound = sound || Sounding();
        ASSERT_EQ(Peek(Chip1 + 9), 0) << i;
    }
    EXPECT_TRUE(sound);
    const std::vector<int> round = {DemoMode, TitleMode, FolkMode, DemoMode, TitleMode, FolkMode, DemoMode};
    EXPECT_EQ(std::vector<int>(modes.begin(), modes.begin() + std::min(modes.size(), round.size())), round);
    const uint32_t first = RamChecksum();
    const int frames = FramesRun;
    SetUp();
    RunFrames(frames);
    EXPECT_EQ(RamChecksum(), first);
}

TEST_F(RonkuGame, CoinStartWalkThrowAndTheIdleGameEnds) {
    Boot();
    Face->insertCoin();
    RunFrames(4);
    EXPECT_EQ(Peek(Chip1), 0); // the coin signal acknowledged
    EXPECT_TRUE(Shows(35, "CREDIT  1"));
    EXPECT_EQ(Peek(ModeByte), CreditMode);
    ASSERT_TRUE(Face->pressStart(1, 1));
    RunFrames(4);
    EXPECT_EQ(Peek(ModeByte), GameMode);
    EXPECT_NE(Peek(Chip1 + 9), 0);
    EXPECT_EQ(Peek(Chip1 + 1) & 3, 0); // the start bit taken
    EXPECT_TRUE(Shows(35, "CREDIT  0"));
    EXPECT_FALSE(Face->pressStart(1, 1)); // no start while a game runs
    ASSERT_TRUE(RunUntilPhase(Play, 200));
    const int x = Peek(PlayerX);
    Face->setControls(Control("right"));
    RunFrames(20);
    EXPECT_EQ(Peek(PlayerX), x + 40);
    Face->setControls(Control("up"));
    RunFrames(10);
    Face->setControls(Control("up") | Control("shot"));
    RunFrames(2);
    EXPECT_NE(Peek(Pebble), 0);
    EXPECT_TRUE(golden::Matches(*Face, GOLDEN_DIR, "play"));
    Face->setControls(0);
    int frames = 0;
    bool over = false;
    std::set<int> visitors; // the creatures of the garden folk page met in play
    while (Peek(ModeByte) == GameMode && frames < 3600) {
        RunFrames(1);
        ++frames;
        over = over || (Peek(PhaseByte) == Over && Shows(14, "GAME  OVER"));
        if (Peek(Visitor) && Peek(Round1) == 1)
            visitors.insert(Peek(VisitorCode) == CrowDown ? int(CrowUp) : int(Peek(VisitorCode)));
    }
    EXPECT_TRUE(over);
    EXPECT_EQ(visitors, (std::set<int>{CrowUp, Toad, Mole})) << "the visitors of round 1";
    EXPECT_EQ(Peek(ModeByte), TitleMode) << "still playing after a minute";
    EXPECT_EQ(Peek(Chip1 + 9), 0);
}

TEST_F(RonkuGame, TwoPlayersTakeTurns) {
    StartGame(2);
    EXPECT_EQ(Peek(Players), 2);
    EXPECT_TRUE(Shows(35, "CREDIT  0"));
    // The 2UP score ends in column 23: nothing of the top rows' last four
    // columns stands over the frame-rate figure the host draws below them.
    EXPECT_TRUE(Shows(0, " 1UP    HI-SCORE    2UP     "));
    EXPECT_TRUE(Shows(1, "      00    5000      00    "));
    ASSERT_TRUE(RunUntilPhase(Dead, 1500));
    EXPECT_EQ(Peek(CurPlayer), 0);
    ASSERT_TRUE(RunUntilPhase(Ready, 200));
    EXPECT_EQ(Peek(CurPlayer), 1);
    EXPECT_EQ(Peek(Lives1), 2);
    EXPECT_EQ(Peek(Lives2), 3);
    EXPECT_TRUE(Shows(12, "PLAYER 2"));
}

// As the screen saver runs it: the answer only while byte 15 asks for it,
// zeros otherwise; the game stays in attract mode and keeps going.
TEST_F(RonkuGame, SaverInputsKeepItInAttractModeFor10000Frames) {
    if (!Face->buildAttract) GTEST_SKIP() << "the board has no saver build";
    std::string error;
    ASSERT_TRUE(Face->buildAttract(error)) << error;
    Face->reset();
    std::set<int> modes;
    uint8_t lastFrame = 0;
    int still = 0;
    for (int i = 0; i < 10000; ++i) {
        RunFrames(1);
        modes.insert(Peek(ModeByte));
        still = Peek(FrameByte) == lastFrame ? still + 1 : 0;
        ASSERT_LT(still, 60) << "stopped at frame " << i;
        lastFrame = Peek(FrameByte);
    }
    EXPECT_EQ(modes, (std::set<int>{BootMode, TitleMode, FolkMode, DemoMode}));
    EXPECT_EQ(Peek(Chip1 + 9), 0);
    EXPECT_EQ(Peek(ChipBad), 0);
}

} // namespace
