// KLUNO's "Configuration" (eleven bytes with demo sound as a switch byte and
// six of the eight control slots stored), its game-settings decisions and
// its keys.
#include <vector>

#include "boards/kluno/kluno_board.h"
#include "boards/kluno/machine.h"
#include "frame/game_setting.h"
#include "frame/keys.h"
#include "frame/record.h"
#include "frame/settings.h"
#include "programs/kluno/kluno_game.h"
#include "tests/settings/fakes.h"

namespace settings_test {
namespace {

using frame::Settings;
using namespace kluno_program;

const std::vector<uint8_t> FreshRecord = {0x00, 0x00, 0x00, 0xFF, 0x34, 0x35, 0x36, 0x37, 0x2E, 0x00, 0xFD};

class KlunoConfiguration : public SettingsTest {
  protected:
    frame::GameDescription game = KlunoGame(nullptr);
    void SetUp() override {
        SettingsTest::SetUp();
        frame::UseGame(game);
        Settings = frame::DefaultSettings();
        registry.keyExists = true;
        ASSERT_EQ(frame::CreateSettingsKey("KLUNO"), 1);
    }
    void TearDown() override {
        frame::CloseSettingsKey();
        SettingsTest::TearDown();
    }
    // LoadSettings over the given record, from a marked copy of the
    // defaults; true when the record was taken.
    bool Load(uint32_t type, const std::vector<uint8_t>& bytes) {
        registry.Set("Configuration", type, bytes);
        Settings = frame::DefaultSettings();
        Settings.options[Ships] = 9; // a marker no record can set
        Settings.controls[SlotJoyCoin] = 7;
        frame::LoadSettings();
        EXPECT_EQ(Settings.controls[SlotJoyCoin], 7u) << "slot 6 is never stored";
        return Settings.options[Ships] != 9;
    }
};

TEST_F(KlunoConfiguration, DefaultsSaveTheFreshKeyRecord) {
    EXPECT_EQ(frame::ConfigurationSize(), 11u);
    frame::SaveSettings();
    EXPECT_EQ(registry.values["Configuration"].data, FreshRecord);
    EXPECT_EQ(registry.values["Configuration"].type, frame::RegTypeBinary);
    Settings.options[DemoSound] = 0;
    frame::SaveSettings();
    EXPECT_EQ(registry.values["Configuration"].data[3], 0x00);
}

TEST_F(KlunoConfiguration, GoodRecordsAreTaken) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::array<uint32_t, 4> options;
        uint32_t up, shot, joyShot;
    };
    const Case cases[] = {
        {"fresh", FreshRecord, {0, 0, 0, 1}, 52, 46, 0},
        {"ranges' upper edges, demo byte 1",
         Sealed({1, 3, 1, 1, 63, 0, 0, 0, 0, 15, 0}),
         {1, 3, 1, 1},
         63,
         0,
         15},
        {"demo sound off", Sealed({0, 2, 0, 0, 0, 1, 2, 3, 4, 5, 0}), {0, 2, 0, 0}, 0, 4, 5},
        // A key on two slots (the later slot wins in the key table) and the
        // shot button on the coin button's default are accepted.
        {"a key twice", Sealed({0, 0, 0, 0xFF, 46, 53, 54, 55, 46, 2, 0}), {0, 0, 0, 1}, 46, 46, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Load(frame::RegTypeBinary, c.bytes));
        for (int i = 0; i < OptionCount; i++)
            EXPECT_EQ(Settings.options[size_t(i)], c.options[size_t(i)]) << "option " << i;
        EXPECT_EQ(Settings.controls[SlotUp], c.up);
        EXPECT_EQ(Settings.controls[SlotShot], c.shot);
        EXPECT_EQ(Settings.controls[SlotJoyShot], c.joyShot);
    }
    frame::RebuildKeyTable(Settings.controls);
    EXPECT_EQ(frame::KeyTable[' '], frame::SlotKey(SlotShot));
}

TEST_F(KlunoConfiguration, BadRecordsLeaveEveryValueAndTheNextSaveReplacesThem) {
    struct Case {
        const char* what;
        uint32_t type;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> badSum = FreshRecord;
    badSum[10] = 0xFE;
    std::vector<uint8_t> longer = FreshRecord;
    longer.push_back(0);
    const Case cases[] = {
        {"check byte off by one", frame::RegTypeBinary, badSum},
        {"twelve bytes", frame::RegTypeBinary, longer},
        {"ten bytes", frame::RegTypeBinary, Sealed({0, 0, 0, 0xFF, 52, 53, 54, 55, 46, 0})},
        {"stored as text", frame::RegTypeSz, FreshRecord},
        {"ships 2", frame::RegTypeBinary, Sealed({2, 0, 0, 0xFF, 52, 53, 54, 55, 46, 0, 0})},
        {"bonus 4", frame::RegTypeBinary, Sealed({0, 4, 0, 0xFF, 52, 53, 54, 55, 46, 0, 0})},
        {"difficulty 2", frame::RegTypeBinary, Sealed({0, 0, 2, 0xFF, 52, 53, 54, 55, 46, 0, 0})},
        {"key row 64", frame::RegTypeBinary, Sealed({0, 0, 0, 0xFF, 52, 53, 54, 55, 64, 0, 0})},
        {"button 16", frame::RegTypeBinary, Sealed({0, 0, 0, 0xFF, 52, 53, 54, 55, 46, 16, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Load(c.type, c.bytes));
        Settings.options[Ships] = 0;
        EXPECT_EQ(Settings.options, frame::DefaultSettings().options);
        EXPECT_EQ(Settings.controls[SlotShot], 46u);
        EXPECT_EQ(Settings.controls[SlotJoyShot], 0u);
        frame::SaveSettings();
        EXPECT_EQ(registry.values["Configuration"].data, FreshRecord);
    }
}

// The game-settings dialog's decisions over KLUNO's options.
TEST_F(KlunoConfiguration, GameSettingTakeOver) {
    using frame::GameSettingOutcome;
    struct Case {
        const char* what;
        int option;
        uint32_t value;
        bool testMode, scoresReset;
        GameSettingOutcome outcome;
    };
    const Case cases[] = {
        {"unchanged", Ships, 0, false, false, GameSettingOutcome::Saved},
        {"five ships", Ships, 1, false, false, GameSettingOutcome::ResetMachine},
        {"bonus in test mode", Bonus, 3, true, false, GameSettingOutcome::TestModeApply},
        {"demo sound off", DemoSound, 0, false, false, GameSettingOutcome::ResetMachine},
        {"scores reset only", Ships, 0, false, true, GameSettingOutcome::ResetMachine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Settings = frame::DefaultSettings();
        registry.values.clear();
        kluno::IoChipInputs[1][2] = 0;
        frame::GameSettingWork work = frame::OpenGameSetting(Settings);
        work.options[size_t(c.option)] = c.value;
        work.scoresReset = c.scoresReset;
        work.upright = 1;
        EXPECT_EQ(frame::TakeOverGameSetting(work, c.testMode), c.outcome);
        EXPECT_EQ(Settings.modeX, 1u);
        EXPECT_EQ(Settings.options[size_t(c.option)], c.value);
        // Only an unchanged OK saves here; the others save in the reset.
        EXPECT_EQ(registry.values.count("Configuration"), c.outcome == GameSettingOutcome::Saved ? 1u : 0u);
    }
    // Five ships reach the switch bit.
    frame::GameSettingWork work = frame::OpenGameSetting(frame::DefaultSettings());
    work.options[Ships] = 1;
    Settings = frame::DefaultSettings();
    frame::TakeOverGameSetting(work, false);
    EXPECT_EQ(kluno::IoChipInputs[1][2] & 0x08, 0x08);
    frame::DefaultGameSetting(&work);
    EXPECT_EQ(work.options, frame::DefaultSettings().options);
    EXPECT_EQ(work.upright, 0u);
}

TEST_F(KlunoConfiguration, KeysReachChipOneAndF5OnlyInTestMode) {
    auto& chip = kluno::IoChipInputs[0];
    chip[0] = chip[1] = chip[3] = 0;
    frame::RebuildKeyTable(Settings.controls);
    // F5 outside test mode: nothing, pressed or released.
    frame::KeyDispatch(frame::KeyF5, 0, 1);
    EXPECT_EQ(chip[0], 0);
    kluno::Face.setTestMode(true);
    frame::KeyDispatch(frame::KeyF5, 0, 1);
    EXPECT_EQ(chip[0], 0x08);
    frame::KeyDispatch(frame::KeyF5, 0, 0);
    EXPECT_EQ(chip[0], 0);
    kluno::Face.setTestMode(false);
    // Right held, then left pressed: right is cleared; an auto-repeated
    // right sets nothing again.
    frame::KeyDispatch(0x27, 0, 1);
    EXPECT_EQ(chip[1], 0x02);
    frame::KeyDispatch(0x25, 0, 1);
    EXPECT_EQ(chip[1], 0x08);
    frame::KeyDispatch(0x27, frame::KeyRepeatFlag, 1);
    EXPECT_EQ(chip[1], 0x08);
    frame::KeyDispatch(' ', 0, 1);
    EXPECT_EQ(chip[3], 0x01);
    frame::KeyDispatch(' ', 0, 0);
    EXPECT_EQ(chip[3], 0x00);
    // While the latch holds the chips, key messages are dropped.
    kluno::IoChipHold = 1;
    frame::KeyDispatch(' ', 0, 1);
    frame::KeyDispatch(0x27, 0, 1);
    EXPECT_EQ(chip[3], 0x00);
    EXPECT_EQ(chip[1], 0x08);
    kluno::IoChipHold = 0;
    frame::KeyDispatch(' ', 0, 1);
    EXPECT_EQ(chip[3], 0x01);
}

} // namespace
} // namespace settings_test
