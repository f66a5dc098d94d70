// The decisions of the game-settings dialog and of the control pages.
#include <string>

#include "boards/zarkolt/machine.h"
#include "frame/control_pages.h"
#include "frame/keys.h"
#include "frame/settings.h"
#include "programs/zarkolt/game_options.h"
#include "tests/settings/fakes.h"

namespace settings_test {
namespace {

using frame::Settings;
using zarkolt_program::GameSettingOutcome;

class GameOptions : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        registry.keyExists = true;
        frame::CreateSettingsKey("ZARKOLT");
        for (int i = 0; i < 8; i++)
            zarkolt::SwitchPage[i] = 3;
        zarkolt::ApplyDipSwitches(zarkolt_program::DipSettingsOf(Settings));
        registry.writes.clear();
    }
    void TearDown() override {
        frame::CloseSettingsKey();
        SettingsTest::TearDown();
    }
};

TEST_F(GameOptions, BonusListFollowsTheShipsChoice) {
    for (uint32_t lives = 0; lives < 4; lives++) {
        const char* const* list = zarkolt_program::BonusChoices(lives);
        EXPECT_STREQ(list[0], lives == 3 ? "1st 20,000 & every 70,000" : "1st 20,000 & Every 60,000");
        EXPECT_STREQ(list[5], lives == 3 ? "1st 30,000 & every 100,000" : "1st 20,000 & Every 80,000");
        EXPECT_STREQ(list[7], "Nothing");
    }
    EXPECT_STREQ(zarkolt_program::BonusChoices(0)[4],
                 zarkolt_program::BonusChoices(0)[0]); // entries 0 and 4 read the same
    EXPECT_TRUE(zarkolt_program::BonusListChanges(2, 3));
    EXPECT_TRUE(zarkolt_program::BonusListChanges(3, 0));
    EXPECT_FALSE(zarkolt_program::BonusListChanges(0, 2));
    EXPECT_FALSE(zarkolt_program::BonusListChanges(3, 3));
}

TEST_F(GameOptions, OpenAndDefaults) {
    Settings.options[zarkolt_program::Lives] = 3;
    Settings.options[zarkolt_program::Bonus] = 6;
    Settings.options[zarkolt_program::Difficulty] = 3;
    Settings.modeX = 1;
    zarkolt_program::GameSettingWork work = zarkolt_program::GameSettingOpen(Settings);
    EXPECT_EQ(work.lives, 3u);
    EXPECT_EQ(work.bonus, 6u);
    EXPECT_EQ(work.difficulty, 3u);
    EXPECT_EQ(work.upright, 1u);
    EXPECT_EQ(work.scoresReset, 0u);
    work.scoresReset = 1;
    zarkolt_program::GameSettingDefaults(&work);
    EXPECT_EQ(work.lives, 2u);
    EXPECT_EQ(work.bonus, 0u);
    EXPECT_EQ(work.difficulty, 1u);
    EXPECT_EQ(work.upright, 0u);
    EXPECT_EQ(work.scoresReset, 1u); // a reset already done stays
}

TEST_F(GameOptions, UnchangedOkOnlySavesTheUprightChoice) {
    zarkolt_program::GameSettingWork work = zarkolt_program::GameSettingOpen(Settings);
    work.upright = 1;
    EXPECT_EQ(zarkolt_program::GameSettingTakeOver(work, false), GameSettingOutcome::Saved);
    EXPECT_EQ(Settings.modeX, 1u);
    EXPECT_EQ(registry.Text("ModeX"), "1");
    EXPECT_EQ(registry.writes.front(), "Configuration");
}

TEST_F(GameOptions, ChangedOptionsApplyTheSwitchesAndAskForAReset) {
    zarkolt_program::GameSettingWork work = zarkolt_program::GameSettingOpen(Settings);
    work.lives = 3; // "5"
    work.bonus = 5;
    EXPECT_EQ(zarkolt_program::GameSettingTakeOver(work, false), GameSettingOutcome::ResetMachine);
    EXPECT_EQ(Settings.options[zarkolt_program::Lives], 3u);
    EXPECT_EQ(Settings.options[zarkolt_program::Bonus], 5u);
    EXPECT_EQ(zarkolt::SwitchPage[5], 0x01); // lives "5" with difficulty "NORMAL"
    EXPECT_EQ(zarkolt::SwitchPage[6], 0x01);
    EXPECT_EQ(zarkolt::SwitchPage[2], 0x01); // bonus 5
    EXPECT_EQ(zarkolt::SwitchPage[3], 0x03);
    EXPECT_EQ(zarkolt::SwitchPage[4], 0x01);
    EXPECT_TRUE(registry.writes.empty()); // the reset saves
}

TEST_F(GameOptions, ScoresResetAloneAsksForAReset) {
    zarkolt_program::GameSettingWork work = zarkolt_program::GameSettingOpen(Settings);
    work.scoresReset = 1;
    EXPECT_EQ(zarkolt_program::GameSettingTakeOver(work, false), GameSettingOutcome::ResetMachine);
}

TEST_F(GameOptions, TestModeAppliesWithoutReset) {
    zarkolt_program::GameSettingWork work = zarkolt_program::GameSettingOpen(Settings);
    work.difficulty = 3;
    EXPECT_EQ(zarkolt_program::GameSettingTakeOver(work, true), GameSettingOutcome::TestModeApply);
    EXPECT_EQ(Settings.options[zarkolt_program::Difficulty], 3u);
    EXPECT_EQ(zarkolt::SwitchPage[5] & 1, 0);
    EXPECT_EQ(zarkolt::SwitchPage[6] & 1, 0);
}

TEST_F(GameOptions, HelpContexts) {
    const std::pair<int, uint32_t> cases[] = {
        {1016, 0x10011}, {1021, 0x1000D}, {1032, 0x1000A}, {1042, 0x1000B}, {1060, 0x1000F},
        {1, 0x1000C},    {2, 0x10008},    {3, 0x1000E},    {1050, 0},       {0, 0},
    };
    for (auto [id, context] : cases)
        EXPECT_EQ(zarkolt_program::GameSettingHelpContext(id), context) << id;
}

class ControlPages : public GameOptions {};

TEST_F(ControlPages, DuplicateDetection) {
    struct Case {
        frame::ControlAssignment work;
        int duplicate;
    };
    const Case cases[] = {
        {{52, 53, 54, 55, 23, 25, 0, 1, 2, 3}, 0},
        {{23, 53, 54, 55, 23, 25, 0, 1, 2, 3}, 1}, // "X" for up and button 1
        {{52, 53, 54, 55, 23, 23, 0, 1, 2, 3}, 1},
        {{52, 53, 54, 55, 23, 25, 0, 1, 2, 0}, 1}, // one button twice
        {{0, 1, 2, 3, 4, 5, 0, 1, 2, 3}, 0},       // key rows and buttons are separate groups
        {{63, 62, 61, 60, 59, 58, 15, 14, 13, 12}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(frame::CheckDuplicateKeys(c.work), c.duplicate);
}

TEST_F(ControlPages, DefaultsTouchOnlyThePagesPart) {
    frame::ControlAssignment keys = {0, 1, 2, 3, 4, 5, 9, 8, 7, 6};
    frame::KeyboardPageDefaults(&keys);
    EXPECT_EQ(keys, (frame::ControlAssignment{52, 53, 54, 55, 23, 25, 9, 8, 7, 6}));
    frame::JoystickPageWork joy = {{0, 1, 2, 3, 4, 5, 9, 8, 7, 6}, 1, 1};
    frame::JoystickPageDefaults(&joy);
    EXPECT_EQ(joy.controls, (frame::ControlAssignment{0, 1, 2, 3, 4, 5, 0, 1, 2, 3}));
    EXPECT_EQ(joy.use, 0u);
    EXPECT_EQ(joy.exchange, 0u);
}

TEST_F(ControlPages, KeyboardApplyTakesSlots0To5RebuildsAndSaves) {
    frame::ControlAssignment work = Settings.controls;
    work[zarkolt_program::SlotUp] = 22;      // "W"
    work[zarkolt_program::SlotJoyStart] = 9; // not this page's part
    int entries = MutexEntries;
    EXPECT_EQ(frame::ApplyKeyboardPage(work), 1);
    EXPECT_EQ(MutexEntries, entries + 1);
    EXPECT_EQ(Settings.controls[zarkolt_program::SlotUp], 22u);
    EXPECT_EQ(Settings.controls[zarkolt_program::SlotJoyStart], 3u);
    EXPECT_EQ(frame::KeyTable['W'], frame::SlotKey(zarkolt_program::SlotUp));
    EXPECT_EQ(frame::KeyTable[0x26], frame::KeyNone);
    EXPECT_EQ(registry.values["Configuration"].data[3], 22);
}

TEST_F(ControlPages, JoystickApplyTakesSlots6To9AndTheFlags) {
    frame::JoystickPageWork work = {Settings.controls, 1, 1};
    work.controls[zarkolt_program::SlotJoyCoin] = 10;
    work.controls[zarkolt_program::SlotUp] = 0; // not this page's part
    EXPECT_EQ(frame::ApplyJoystickPage(work), 1);
    EXPECT_EQ(Settings.controls[zarkolt_program::SlotJoyCoin], 10u);
    EXPECT_EQ(Settings.controls[zarkolt_program::SlotUp], 52u);
    EXPECT_EQ(Settings.joystickUse, 1u);
    EXPECT_EQ(Settings.joyAxisExchange, 1u);
    EXPECT_EQ(registry.Text("JoystickUse"), "1");
    EXPECT_EQ(registry.Text("JoyAxisExchange"), "1");
}

TEST_F(ControlPages, DuplicatesAreRefusedAndNothingIsTakenOver) {
    frame::ControlAssignment keys = Settings.controls;
    keys[zarkolt_program::SlotUp] = 23; // "X", also button 1
    EXPECT_EQ(frame::ApplyKeyboardPage(keys), 0);
    frame::JoystickPageWork joy = {Settings.controls, 1, 0};
    joy.controls[zarkolt_program::SlotJoyStart] = 0;
    EXPECT_EQ(frame::ApplyJoystickPage(joy), 0);
    EXPECT_EQ(Settings.controls, zarkolt_program::DefaultControlAssignment);
    EXPECT_EQ(Settings.joystickUse, 0u);
    EXPECT_TRUE(registry.writes.empty());
}

TEST_F(ControlPages, BothPagesAppliedKeepEachOthersChanges) {
    frame::ControlAssignment keys = Settings.controls;
    frame::JoystickPageWork joy = {Settings.controls, 1, 0};
    keys[zarkolt_program::SlotButton2] = 46; // "Space"
    joy.controls[zarkolt_program::SlotJoyButton1] = 5;
    ASSERT_EQ(frame::ApplyKeyboardPage(keys), 1);
    ASSERT_EQ(frame::ApplyJoystickPage(joy), 1);
    EXPECT_EQ(Settings.controls, (frame::ControlAssignment{52, 53, 54, 55, 23, 46, 5, 1, 2, 3}));
    frame::ConfigurationRecord record = frame::EncodeConfiguration(Settings);
    EXPECT_EQ(registry.values["Configuration"].data, std::vector<uint8_t>(record.begin(), record.end()));
}

TEST_F(ControlPages, HelpContexts) {
    for (int id = 1051; id <= 1056; id++)
        EXPECT_EQ(frame::KeyboardHelpContext(id), 0x1001Bu) << id;
    EXPECT_EQ(frame::KeyboardHelpContext(1050), 0x1001Au);
    EXPECT_EQ(frame::KeyboardHelpContext(1039), 0u);
    EXPECT_EQ(frame::KeyboardHelpContext(1057), 0u);
    for (int id = 1055; id <= 1058; id++)
        EXPECT_EQ(frame::JoystickHelpContext(id), 0x10019u) << id;
    EXPECT_EQ(frame::JoystickHelpContext(1039), 0x10016u);
    EXPECT_EQ(frame::JoystickHelpContext(1040), 0x10015u);
    EXPECT_EQ(frame::JoystickHelpContext(1041), 0x10017u);
    EXPECT_EQ(frame::JoystickHelpContext(1050), 0x10018u);
    EXPECT_EQ(frame::JoystickHelpContext(1051), 0u);
}

} // namespace
} // namespace settings_test
