// "Configuration", the six flags and the settings key.
#include <array>

#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/machine.h"
#include "frame/joystick.h"
#include "frame/keys.h"
#include "frame/settings.h"
#include "programs/zarkolt/zarkolt_game.h"
#include "tests/settings/fakes.h"

namespace settings_test {
namespace {

using frame::ConfigurationRecord;
using frame::GameSettings;
using frame::Settings;

const std::vector<uint8_t> DefaultRecord = {2, 0, 1, 52, 53, 54, 55, 23, 25, 0, 1, 2, 3, 0xF1};

std::vector<uint8_t> Sealed(std::vector<uint8_t> bytes) {
    uint8_t sum = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i++)
        sum = uint8_t(sum + bytes[i]);
    bytes.back() = uint8_t(0x100 - sum);
    return bytes;
}

class Configuration : public SettingsTest {
  protected:
    // A key that exists with the given record; LoadSettings; true when the
    // record was taken.
    bool LoadRecord(uint32_t type, const std::vector<uint8_t>& bytes) {
        registry.keyExists = true;
        registry.Set("Configuration", type, bytes);
        EXPECT_EQ(frame::CreateSettingsKey("ZARKOLT"), 1);
        Settings = frame::DefaultSettings();
        Settings.options[zarkolt_program::Lives] = 9; // a marker no record can set
        frame::LoadSettings();
        return Settings.options[zarkolt_program::Lives] != 9;
    }
};

TEST_F(Configuration, DefaultsEncodeToTheKnownBytes) {
    ConfigurationRecord record = frame::EncodeConfiguration(frame::DefaultSettings());
    EXPECT_EQ(std::vector<uint8_t>(record.begin(), record.end()), DefaultRecord);
}

TEST_F(Configuration, RecordRoundTripsEveryField) {
    GameSettings in = frame::DefaultSettings();
    in.options[zarkolt_program::Lives] = 3;
    in.options[zarkolt_program::Bonus] = 7;
    in.options[zarkolt_program::Difficulty] = 0;
    in.controls = {0, 1, 2, 3, 62, 63, 15, 14, 13, 12};
    GameSettings out = frame::DefaultSettings();
    ASSERT_TRUE(frame::DecodeConfiguration(frame::EncodeConfiguration(in), &out));
    EXPECT_EQ(out.options[zarkolt_program::Lives], 3u);
    EXPECT_EQ(out.options[zarkolt_program::Bonus], 7u);
    EXPECT_EQ(out.options[zarkolt_program::Difficulty], 0u);
    EXPECT_EQ(out.controls, in.controls);
}

TEST_F(Configuration, GoodRecordIsTaken) {
    std::vector<uint8_t> bytes = Sealed({3, 5, 2, 0, 1, 2, 3, 4, 5, 9, 8, 7, 6, 0});
    ASSERT_TRUE(LoadRecord(frame::RegTypeBinary, bytes));
    EXPECT_EQ(Settings.options[zarkolt_program::Lives], 3u);
    EXPECT_EQ(Settings.options[zarkolt_program::Bonus], 5u);
    EXPECT_EQ(Settings.options[zarkolt_program::Difficulty], 2u);
    EXPECT_EQ(Settings.controls, (frame::ControlAssignment{0, 1, 2, 3, 4, 5, 9, 8, 7, 6}));
}

TEST_F(Configuration, BadRecordsLeaveEveryValueAlone) {
    struct Case {
        const char* what;
        uint32_t type;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> offByOne = DefaultRecord;
    offByOne[13] = 0xF2;
    std::vector<uint8_t> longer = DefaultRecord;
    longer.push_back(0); // sums to 0 still
    std::vector<uint8_t> shorter = Sealed({2, 0, 1, 52, 53, 54, 55, 23, 25, 0, 1, 2, 0});
    const Case cases[] = {
        {"check byte off by one", frame::RegTypeBinary, offByOne},
        {"one byte longer", frame::RegTypeBinary, longer},
        {"one byte shorter", frame::RegTypeBinary, shorter},
        {"empty", frame::RegTypeBinary, {}},
        {"stored as text", frame::RegTypeSz, DefaultRecord},
        {"lives 4", frame::RegTypeBinary, Sealed({4, 0, 1, 52, 53, 54, 55, 23, 25, 0, 1, 2, 3, 0})},
        {"bonus 8", frame::RegTypeBinary, Sealed({2, 8, 1, 52, 53, 54, 55, 23, 25, 0, 1, 2, 3, 0})},
        {"difficulty 4", frame::RegTypeBinary, Sealed({2, 0, 4, 52, 53, 54, 55, 23, 25, 0, 1, 2, 3, 0})},
        {"key row 64", frame::RegTypeBinary, Sealed({2, 0, 1, 64, 53, 54, 55, 23, 25, 0, 1, 2, 3, 0})},
        {"key row 255 in slot 5", frame::RegTypeBinary,
         Sealed({2, 0, 1, 52, 53, 54, 55, 23, 255, 0, 1, 2, 3, 0})},
        {"button 16", frame::RegTypeBinary, Sealed({2, 0, 1, 52, 53, 54, 55, 23, 25, 16, 1, 2, 3, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(LoadRecord(c.type, c.bytes));
        EXPECT_EQ(Settings.options[zarkolt_program::Bonus], 0u);
        EXPECT_EQ(Settings.options[zarkolt_program::Difficulty], 1u);
        EXPECT_EQ(Settings.controls, zarkolt_program::DefaultControlAssignment);
        // Loading writes no record; the next save replaces it with a good one.
        EXPECT_EQ(registry.values["Configuration"].data, c.bytes);
        Settings.options[zarkolt_program::Lives] = 2;
        frame::SaveSettings();
        EXPECT_EQ(registry.values["Configuration"].data, DefaultRecord);
        EXPECT_EQ(registry.values["Configuration"].type, frame::RegTypeBinary);
        frame::CloseSettingsKey();
    }
}

TEST_F(Configuration, KeyOrButtonGivenTwiceIsKeptTheKeyForTheLaterSlotTheButtonForBoth) {
    // "X" for up and button 1, button 3 for coin and start: in range, so the
    // options are not lost; the key table gives "X" to the later slot.
    std::vector<uint8_t> bytes = Sealed({3, 5, 2, 23, 53, 54, 55, 23, 25, 0, 1, 2, 2, 0});
    ASSERT_TRUE(LoadRecord(frame::RegTypeBinary, bytes));
    EXPECT_EQ(Settings.options[zarkolt_program::Lives], 3u);
    EXPECT_EQ(Settings.options[zarkolt_program::Bonus], 5u);
    EXPECT_EQ(Settings.controls, (frame::ControlAssignment{23, 53, 54, 55, 23, 25, 0, 1, 2, 2}));
    frame::RebuildKeyTable(Settings.controls);
    EXPECT_EQ(frame::KeyTable['X'], frame::SlotKey(zarkolt_program::SlotButton1));
    // The poll runs the slots in order: button 3 gives a coin, then a start
    // that takes it (each under the frame mutex).
    zarkolt::InputState.credits = 0;
    *zarkolt::Ram(0x8023) = 0;
    frame::ResetJoystickPoll();
    MutexEntries = 0;
    joystick.position = {32767, 32767, 1 << 2};
    frame::PollJoystick();
    EXPECT_EQ(MutexEntries, 2);
    EXPECT_EQ(zarkolt::InputState.credits, 0u);
    frame::SaveSettings();
    EXPECT_EQ(registry.values["Configuration"].data, bytes);
    frame::CloseSettingsKey();
}

TEST_F(Configuration, RecordAtTheEdgesOfEveryRangeIsTaken) {
    EXPECT_TRUE(
        LoadRecord(frame::RegTypeBinary, Sealed({3, 7, 3, 63, 62, 61, 60, 59, 58, 15, 14, 13, 12, 0})));
    EXPECT_EQ(Settings.controls[0], 63u);
    EXPECT_EQ(Settings.controls[9], 12u);
}

class Flags : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        registry.keyExists = true;
        ASSERT_EQ(frame::CreateSettingsKey("ZARKOLT"), 1);
    }
};

TEST_F(Flags, ReadParsesTheFirstCharacter) {
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        int read;
        uint32_t flag;
    };
    const Case cases[] = {
        {"\"0\"", {'0'}, 1, 0},
        {"\"1\"", {'1'}, 1, 1},
        {"\"x\"", {'x'}, 1, 1},
        {"\"0\" with its zero", {'0', 0}, 1, 0},
        {"\"1\" with its zero", {'1', 0}, 1, 1},
        {"two characters", {'0', '7'}, 1, 0},
        {"longer text", {'0', '0', '0'}, 0, 7},
        {"empty", {}, 0, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        registry.Set("SoundMute", frame::RegTypeSz, c.data);
        uint32_t flag = 7;
        EXPECT_EQ(frame::ReadFlag("SoundMute", &flag), c.read);
        EXPECT_EQ(flag, c.flag);
        if (!c.read) {
            EXPECT_EQ(registry.Text("SoundMute"), "0");
            EXPECT_EQ(registry.values["SoundMute"].type, frame::RegTypeSz);
        }
    }
}

TEST_F(Flags, MissingFlagIsWrittenAsZero) {
    uint32_t flag = 1;
    EXPECT_EQ(frame::ReadFlag("Maximize", &flag), 0);
    EXPECT_EQ(flag, 1u);
    EXPECT_EQ(registry.Text("Maximize"), "0");
}

TEST_F(Flags, WriteStoresOneCharacterWithoutZero) {
    frame::WriteFlag("ModeX", 5);
    EXPECT_EQ(registry.values["ModeX"].data, std::vector<uint8_t>{'1'});
    EXPECT_EQ(registry.values["ModeX"].type, frame::RegTypeSz);
    frame::WriteFlag("ModeX", 0);
    EXPECT_EQ(registry.values["ModeX"].data, std::vector<uint8_t>{'0'});
}

TEST_F(Flags, LoadReadsAllSixInOrder) {
    registry.SetText("SoundMute", "x");
    registry.SetText("JoystickUse", "1");
    registry.SetText("JoyAxisExchange", "0");
    registry.SetText("FullScreen", "1");
    registry.SetText("Maximize", "a long text");
    Settings.joyAxisExchange = 1;
    frame::LoadSettings();
    EXPECT_EQ(Settings.soundMute, 1u);
    EXPECT_EQ(Settings.joystickUse, 1u);
    EXPECT_EQ(Settings.joyAxisExchange, 0u);
    EXPECT_EQ(Settings.fullScreen, 1u);
    EXPECT_EQ(Settings.modeX, 0u);    // missing: kept
    EXPECT_EQ(Settings.maximize, 0u); // too long: kept, rewritten "0"
    EXPECT_EQ(registry.Text("Maximize"), "0");
    EXPECT_EQ(registry.Text("ModeX"), "0");
    EXPECT_EQ(registry.writes, (std::vector<std::string>{"ModeX", "Maximize"}));
}

TEST_F(Flags, SaveWritesRecordThenFlagsInOrder) {
    Settings.soundMute = 1;
    Settings.maximize = 1;
    frame::SaveSettings();
    EXPECT_EQ(registry.writes,
              (std::vector<std::string>{"Configuration", "SoundMute", "JoystickUse", "JoyAxisExchange",
                                        "FullScreen", "ModeX", "Maximize"}));
    EXPECT_EQ(registry.Text("SoundMute"), "1");
    EXPECT_EQ(registry.Text("FullScreen"), "0");
    EXPECT_EQ(registry.Text("Maximize"), "1");
}

TEST_F(SettingsTest, NewKeyGetsDefaultsAndTheBuiltInTable) {
    for (int i = 0; i < 83; i++)
        zarkolt::Cpu1Rom[0x10F0 + i] = uint8_t(i + 1);
    EXPECT_EQ(frame::CreateSettingsKey("ZARKOLT"), 1);
    EXPECT_EQ(registry.values["Configuration"].data, DefaultRecord);
    for (const char* flag : frame::FlagNames)
        EXPECT_EQ(registry.Text(flag), "0") << flag;
    ASSERT_EQ(registry.values.count("Score"), 1u);
    EXPECT_EQ(registry.values.size(), 8u);
    const std::vector<uint8_t>& score = registry.values["Score"].data;
    ASSERT_EQ(score.size(), 84u);
    EXPECT_EQ(score[0], 1);
    EXPECT_EQ(score[82], 83);
    frame::LoadSettings();
    EXPECT_EQ(frame::EncodeConfiguration(Settings), frame::EncodeConfiguration(frame::DefaultSettings()));
    frame::CloseSettingsKey();
}

TEST_F(SettingsTest, ExistingKeyIsNotWritten) {
    registry.keyExists = true;
    EXPECT_EQ(frame::CreateSettingsKey("ZARKOLT"), 1);
    EXPECT_TRUE(registry.writes.empty());
}

TEST_F(SettingsTest, WithoutKeyNothingIsReadOrWritten) {
    registry.failCreate = true;
    EXPECT_EQ(frame::CreateSettingsKey("ZARKOLT"), 0);
    EXPECT_EQ(frame::SettingsKey, 0u);
    Settings.options[zarkolt_program::Lives] = 1;
    frame::LoadSettings();
    frame::SaveSettings();
    uint32_t flag = 1;
    EXPECT_EQ(frame::ReadFlag("SoundMute", &flag), 0);
    EXPECT_EQ(flag, 1u);
    EXPECT_EQ(Settings.options[zarkolt_program::Lives], 1u);
    EXPECT_TRUE(registry.values.empty());
    frame::CloseSettingsKey();
    EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(SettingsTest, CloseHoldsTheFrameMutexAndForgetsTheKey) {
    registry.keyExists = true;
    frame::CreateSettingsKey("ZARKOLT");
    int entries = MutexEntries;
    frame::CloseSettingsKey();
    EXPECT_EQ(MutexEntries, entries + 1);
    EXPECT_EQ(registry.openKeys, 0);
    EXPECT_EQ(frame::SettingsKey, 0u);
    frame::CloseSettingsKey(); // a second close does nothing
    EXPECT_EQ(registry.openKeys, 0);
    frame::SaveSettings();
    EXPECT_TRUE(registry.writes.empty());
}

TEST_F(SettingsTest, TitleNamesTheKeyAndTheCaptions) {
    registry.keyExists = true;
    frame::CreateSettingsKey("ZARKOLT");
    EXPECT_EQ(registry.path, "Software\\Velto\\ZARKOLT");
    EXPECT_STREQ(frame::SettingsTitle(), "ZARKOLT");
    frame::CloseSettingsKey();
    frame::CreateSettingsKey("SUPER ZARKOLT");
    EXPECT_EQ(registry.path, "Software\\Velto\\SUPER ZARKOLT");
    EXPECT_STREQ(frame::SettingsTitle(), "SUPER ZARKOLT");
    frame::CloseSettingsKey();
    frame::CreateSettingsKey("ZARKOLT");
    frame::CloseSettingsKey();
}

} // namespace
} // namespace settings_test
