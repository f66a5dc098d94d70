// RONKU.EXE's description at the frame: its settings never reach a registry,
// its keys are fixed, its frame-rate meter starts or tells the user once,
// and its full screen is the plain 640 x 480 one.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "boards/ronku/ronku_board.h"
#include "frame/commands.h"
#include "frame/fullscreen.h"
#include "frame/highscore.h"
#include "frame/keys.h"
#include "frame/layout.h"
#include "frame/rate_meter.h"
#include "frame/registry.h"
#include "frame/settings.h"
#include "programs/kluno/kluno_game.h"
#include "programs/ronku/ronku_game.h"

namespace {

using namespace ronku_program;

// A registry that only counts what it is asked.
std::vector<std::string> RegistryCalls;
frame::RegKey CountCreate(const char* path, bool* created) {
    RegistryCalls.push_back(std::string("create ") + path);
    *created = true;
    return 1;
}
void CountClose(frame::RegKey) {
    RegistryCalls.push_back("close");
}
bool CountQuery(frame::RegKey, const char* name, uint32_t*, uint8_t*, uint32_t*) {
    RegistryCalls.push_back(std::string("query ") + name);
    return false;
}
bool CountSet(frame::RegKey, const char* name, uint32_t, const uint8_t*, uint32_t) {
    RegistryCalls.push_back(std::string("set ") + name);
    return true;
}
constexpr frame::RegistrySeam CountingRegistry = {CountCreate, CountClose, CountQuery, CountSet};

class RonkuProgram : public ::testing::Test {
  protected:
    frame::GameDescription game = RonkuGame();
    void SetUp() override {
        frame::UseGame(game);
        RegistryCalls.clear();
        frame::Registry = frame::NoRegistry;
        frame::SettingsKey = 0;
        std::string error;
        ASSERT_TRUE(ronku::Face.buildEmbedded(error)) << error;
    }
    void TearDown() override {
        frame::Registry = frame::NoRegistry;
        frame::SettingsKey = 0;
    }
};

TEST_F(RonkuProgram, SettingsAreFixedAndNoRegistryIsTouched) {
    frame::StartSettings(CountingRegistry);
    frame::InstallHighScoreTraps();
    frame::SaveSettings(); // as a reset and the close would
    frame::CloseSettingsKey();
    EXPECT_TRUE(RegistryCalls.empty()) << RegistryCalls.front();
    EXPECT_EQ(frame::Settings.soundMute, 0u);
    EXPECT_EQ(frame::Settings.fullScreen, 0u);
    EXPECT_EQ(frame::Settings.maximize, 0u);

    // The same steps with KLUNO's description do reach the registry.
    frame::GameDescription kluno = kluno_program::KlunoGame(nullptr);
    frame::UseGame(kluno);
    frame::StartSettings(CountingRegistry);
    frame::CloseSettingsKey();
    ASSERT_FALSE(RegistryCalls.empty());
    EXPECT_EQ(RegistryCalls.front(), "create Software\\Velto\\KLUNO");
}

TEST_F(RonkuProgram, FixedKeyTable) {
    frame::StartSettings(CountingRegistry);
    frame::RebuildKeyTable(frame::Settings.controls);
    struct Row {
        uint32_t key;
        frame::KeyHandler handler;
    };
    const Row rows[] = {
        {0x26, frame::SlotKey(SlotUp)},    {0x28, frame::SlotKey(SlotDown)}, {0x25, frame::SlotKey(SlotLeft)},
        {0x27, frame::SlotKey(SlotRight)}, {0x20, frame::SlotKey(SlotShot)}, {0x71, frame::KeyCoin},
        {0x72, frame::KeyStart1},          {0x73, frame::KeyStart2},
    };
    int taken = 0;
    for (const Row& row : rows)
        EXPECT_EQ(frame::KeyTable[row.key], row.handler) << "key " << row.key;
    for (frame::KeyHandler handler : frame::KeyTable)
        taken += handler != frame::KeyNone;
    EXPECT_EQ(taken, 8) << "F5, F10 and every other key do nothing";
}

TEST_F(RonkuProgram, ControlKeysReachTheBoardsOwnHandlers) {
    frame::StartSettings(CountingRegistry);
    frame::RebuildKeyTable(frame::Settings.controls);
    ronku::Face.reset();
    constexpr uint32_t VkLeft = 0x25, VkUp = 0x26, VkRight = 0x27;
    frame::KeyDispatch(VkLeft, 0, 1);
    frame::KeyDispatch(VkRight, 0, 1);
    EXPECT_EQ(ronku::Face.controlBits(), ronku::ControlLeft | ronku::ControlRight)
        << "no opposite is cleared";
    frame::KeyDispatch(VkLeft, 0, 0);
    EXPECT_EQ(ronku::Face.controlBits(), ronku::ControlRight);
    frame::KeyDispatch(VkUp, frame::KeyRepeatFlag, 1);
    EXPECT_EQ(ronku::Face.controlBits(), ronku::ControlRight) << "auto-repeat changes nothing";
}

// The counter the meter is started with.
bool CounterQueried;
uint64_t CounterHertz;
int CounterReads;
bool Frequency(uint64_t* hertz) {
    *hertz = CounterHertz;
    return CounterQueried;
}
uint64_t Counter() {
    CounterReads++;
    return 1000;
}
constexpr frame::CounterSeam FakeCounter = {Frequency, Counter};

TEST_F(RonkuProgram, RateMeterStartsOrTellsTheUser) {
    struct Row {
        bool queried;
        uint64_t hertz;
        frame::RateMeter result;
    };
    const Row rows[] = {
        {true, 1193182, frame::RateMeter::Running},
        {true, 0xFFFFFFFFu, frame::RateMeter::Running},
        {true, uint64_t(1) << 32, frame::RateMeter::Unavailable},
        {false, 3579545, frame::RateMeter::Unavailable},
    };
    for (const Row& row : rows) {
        CounterQueried = row.queried;
        CounterHertz = row.hertz;
        EXPECT_EQ(frame::StartRateMeter(ronku::Face, FakeCounter), row.result) << row.hertz;
    }
    EXPECT_EQ(frame::RateMeterCaption("RONKU"), "RONKU : ﾊﾟﾌｫｰﾏﾝｽ測定は不可能です");

    // A board without a meter asks no counter.
    CounterReads = 0;
    frame::GameDescription kluno = kluno_program::KlunoGame(nullptr);
    EXPECT_EQ(frame::StartRateMeter(*kluno.board, FakeCounter), frame::RateMeter::None);
    EXPECT_EQ(CounterReads, 0);
}

TEST_F(RonkuProgram, PlainFullScreenAndSoundCommand) {
    // Whatever the display offers, full screen is 640 x 480, with no card.
    frame::FullScreenMode mode = frame::GameFullScreenMode(true, true);
    EXPECT_EQ(mode.width, 640u);
    EXPECT_EQ(mode.height, 480u);
    EXPECT_FALSE(mode.rotated);
    EXPECT_EQ(game.card.cardWidth, 0);
    // Without a sound device the Sound command (151) changes nothing.
    EXPECT_EQ(game.commands.sound, 151);
    frame::Settings.soundMute = 0;
    frame::AttachSound(nullptr);
    EXPECT_FALSE(frame::ToggleSound());
    EXPECT_EQ(frame::Settings.soundMute, 0u);
    // Its board keeps no card palette: a card bitmap's colours go nowhere.
    const uint8_t colours[256 * 4] = {};
    frame::TakeCardPalette(ronku::Face, 8, 0, colours);
}

} // namespace
