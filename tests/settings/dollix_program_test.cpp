// DOLLIX.EXE's description on the frame, at the board's face: two players'
// keys and both joysticks, the 21-byte "Configuration", the five flags, the
// 87-byte "Score" through the board's traps, the settings dialog and the
// control pages' decisions, the test switch and the reset, the window and
// full-screen geometry.
#include <algorithm>
#include <cstring>
#include <vector>

#include "boards/dollix/dollix.h"
#include "boards/dollix/dollix_board.h"
#include "frame/commands.h"
#include "frame/control_pages.h"
#include "frame/fullscreen.h"
#include "frame/game_setting.h"
#include "frame/highscore.h"
#include "frame/joystick.h"
#include "frame/keys.h"
#include "frame/layout.h"
#include "frame/record.h"
#include "frame/settings.h"
#include "programs/dollix/dollix_game.h"
#include "tests/settings/fakes.h"

namespace settings_test {
namespace {

using frame::Settings;
using namespace dollix_program;
using namespace dollix;

const std::vector<uint8_t> DefaultRecord = {2, 0, 1,  0, 52, 53, 54, 55, 46, 22,  23,
                                            0, 3, 49, 0, 2,  3,  0,  2,  3,  0x8E};

class Dollix : public SettingsTest {
  protected:
    frame::GameDescription game = DollixGame(nullptr);
    void SetUp() override {
        SettingsTest::SetUp();
        frame::UseGame(game);
        std::string error;
        ASSERT_TRUE(Face.buildEmbedded(error)) << error;
        Settings = frame::DefaultSettings();
        frame::RebuildKeyTable(Settings.controls);
        Face.setControls(0);
    }
    void TearDown() override {
        frame::CloseSettingsKey();
        SettingsTest::TearDown();
    }
    void OpenKey(bool exists) {
        registry.keyExists = exists;
        ASSERT_EQ(frame::CreateSettingsKey("DOLLIX"), 1);
    }
    static void Key(uint32_t code, bool down, bool repeat = false) {
        frame::KeyDispatch(code, repeat ? frame::KeyRepeatFlag : 0, down);
    }
    static uint32_t Bits() { return Face.controlBits(); }
    // Joystick id's position: x and y as -1 (low end), 0 (centre), +1 (high end).
    void Stick(uint32_t id, int x, int y, uint32_t buttons = 0) {
        auto at = [](int side) { return side < 0 ? 0u : side > 0 ? 65535u : 32767u; };
        joystick.positions[id] = {at(x), at(y), buttons};
    }
};

constexpr uint32_t KeyUp = 0x26, KeyDown = 0x28, KeyLeft = 0x25, KeyRight = 0x27, KeySpace = 0x20;

// --- Keys ---

TEST_F(Dollix, EachPlayerHasOneDirectionAtATime) {
    Key(KeyUp, true);
    Key(KeyRight, true);
    EXPECT_EQ(Bits(), ControlRight1);
    Key(KeyRight, false); // ↑ is still held but does not come back
    EXPECT_EQ(Bits(), 0u);

    // Player 2's keys W, X, A, D and Shift; player 1's nibble is not touched.
    Key(KeyLeft, true);
    const std::pair<uint32_t, uint32_t> player2[] = {
        {'W', ControlUp2}, {'X', ControlDown2}, {'A', ControlLeft2}, {'D', ControlRight2}};
    for (auto [code, bit] : player2) {
        Key(code, true);
        EXPECT_EQ(Bits(), ControlLeft1 | bit) << char(code);
    }
    Key(0x10, true);
    EXPECT_EQ(Bits(), ControlLeft1 | ControlRight2 | ControlButton2);

    // An auto-repeated key-down changes nothing, not even a direction the
    // stick set meanwhile.
    frame::SetInputBits(ControlUp1, true);
    Key(KeyLeft, true, true);
    EXPECT_TRUE(Bits() & ControlUp1);
    Key(KeySpace, true);
    Key(KeySpace, true, true);
    Key(KeySpace, false);
    EXPECT_FALSE(Bits() & ControlButton1);
    Key(0x1234, true); // no key code above 255
}

TEST_F(Dollix, CoinAndStartsAreLevelsWhateverTheSlotsHold) {
    // Every assignable key on ↑: the later slot wins, F2-F4 keep theirs.
    frame::ControlAssignment all = Settings.controls;
    std::fill_n(all.begin(), KeyboardSlotCount, 52u);
    frame::RebuildKeyTable(all);
    Key(KeyUp, true);
    EXPECT_EQ(Bits(), ControlButton2);
    const std::pair<uint32_t, uint32_t> fixed[] = {
        {frame::KeyF2, ControlCoin}, {frame::KeyF3, ControlStart1}, {frame::KeyF4, ControlStart2}};
    for (auto [code, bit] : fixed) {
        Key(code, true);
        EXPECT_TRUE(Bits() & bit);
        Key(code, true, true);
        EXPECT_TRUE(Bits() & bit);
        Key(code, false);
        EXPECT_FALSE(Bits() & bit);
    }
    EXPECT_EQ(MutexEntries, 1 + 3 * 3) << "each key message under the frame mutex";
}

// --- Joysticks ---

TEST_F(Dollix, PlayerOneHasDiagonalsPlayerTwoVerticalWins) {
    joystick.devices = 2;
    Stick(0, -1, -1);
    Stick(1, -1, -1);
    frame::PollJoystick();
    EXPECT_EQ(Bits(), ControlUp1 | ControlLeft1 | ControlUp2);
    Stick(1, 1, 0);
    frame::PollJoystick();
    EXPECT_EQ(Bits(), ControlUp1 | ControlLeft1 | ControlRight2);
    Stick(1, 1, 1);
    frame::PollJoystick();
    EXPECT_EQ(Bits(), ControlUp1 | ControlLeft1 | ControlDown2);

    // Only changed directions are touched: the key's right stays, the
    // stick's unchanged up and left do not come back.
    Key(KeyRight, true);
    frame::PollJoystick();
    EXPECT_EQ(Bits(), ControlRight1 | ControlDown2);
}

TEST_F(Dollix, JoystickOneOnlyAfterJoystickZeroAnswered) {
    joystick.devices = 2;
    joystick.firstAnswering = 1;
    Stick(1, 0, -1);
    frame::PollJoystick();
    EXPECT_EQ(Bits(), 0u);
    EXPECT_TRUE(std::find(joystick.asked.begin(), joystick.asked.end(), 1u) == joystick.asked.end());
}

TEST_F(Dollix, ButtonsBySlotCoinFromEitherJoystick) {
    joystick.devices = 2;
    struct Case {
        uint32_t id, buttons;
        uint32_t bits;
    };
    // Default buttons: 0 shot, 2 coin, 3 start.
    const Case cases[] = {
        {0, 1u << 0, ControlButton1},
        {0, 1u << 2, ControlCoin},
        {0, 1u << 3, ControlStart1},
        {1, 1u << 0, ControlButton2},
        {1, 1u << 2, ControlCoin},
        {1, 1u << 3, ControlStart2},
        {0, 1u << 1, 0},
        {1, 1u << 15, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " " << c.buttons);
        Stick(c.id, 0, 0, c.buttons);
        frame::PollJoystick();
        EXPECT_EQ(Bits(), c.bits);
        Stick(c.id, 0, 0, 0);
        frame::PollJoystick();
        EXPECT_EQ(Bits(), 0u);
    }
    // F2 and a joystick's coin set the same bit; releasing either clears it.
    Key(frame::KeyF2, true);
    Stick(1, 0, 0, 1u << 2);
    frame::PollJoystick();
    Stick(1, 0, 0, 0);
    frame::PollJoystick();
    EXPECT_EQ(Bits(), 0u);
    // Slot value 15 tests bit 15 of the button word.
    Settings.controls[SlotJoyButton2] = 15;
    Stick(1, 0, 0, 1u << 15);
    frame::PollJoystick();
    EXPECT_EQ(Bits(), ControlButton2);
}

// --- "Configuration" and the flags ---

TEST_F(Dollix, DefaultsAndStageSelectRecord) {
    OpenKey(false);
    EXPECT_EQ(registry.values["Configuration"].data, DefaultRecord);
    EXPECT_EQ(registry.values["Configuration"].type, frame::RegTypeBinary);
    for (const char* flag : {"SoundMute", "JoystickUse", "FullScreen", "ModeX", "Maximize"})
        EXPECT_EQ(registry.Text(flag), "0") << flag;
    EXPECT_EQ(registry.values.count("JoyAxisExchange"), 0u);

    // Byte 3 = 0x01 loads stage select on; saving writes 0xFF.
    std::vector<uint8_t> record = DefaultRecord;
    record[3] = 0x01;
    registry.Set("Configuration", frame::RegTypeBinary, Sealed(record));
    frame::LoadSettings();
    EXPECT_EQ(Settings.options[StageSelect], 1u);
    frame::SaveSettings();
    EXPECT_EQ(registry.values["Configuration"].data[3], 0xFF);
}

TEST_F(Dollix, RecordsRefusedWhole) {
    OpenKey(true);
    std::vector<uint8_t> changed = DefaultRecord;
    changed[0] = 3;
    struct Case {
        const char* what;
        uint32_t type;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> key64 = changed, button16 = changed, longer = changed;
    key64[4 + SlotButton2] = 64;
    button16[4 + SlotJoyStart2] = 16;
    longer.push_back(0);
    const Case cases[] = {
        {"20 bytes", frame::RegTypeBinary, Sealed({changed.begin(), changed.end() - 1})},
        {"22 bytes", frame::RegTypeBinary, Sealed(longer)},
        {"a string", frame::RegTypeSz, Sealed(changed)},
        {"bad check byte", frame::RegTypeBinary, changed},
        {"key row 64", frame::RegTypeBinary, Sealed(key64)},
        {"button 16", frame::RegTypeBinary, Sealed(button16)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        registry.Set("Configuration", c.type, c.bytes);
        Settings = frame::DefaultSettings();
        frame::LoadSettings();
        EXPECT_EQ(Settings.options, frame::DefaultSettings().options);
        EXPECT_EQ(Settings.controls, frame::DefaultSettings().controls);
    }
}

TEST_F(Dollix, AcceptedOutOfRangeValuesStayAndChangeNoSwitch) {
    OpenKey(true);
    // Lives 4, bonus 2, difficulty 9; W given to both players' up (later wins).
    std::vector<uint8_t> record = DefaultRecord;
    record[0] = 4, record[1] = 2, record[2] = 9, record[4 + SlotUp1] = 22;
    registry.Set("Configuration", frame::RegTypeBinary, Sealed(record));
    frame::LoadSettings();
    EXPECT_EQ(Settings.options[Lives], 4u);
    EXPECT_EQ(Settings.options[Difficulty], 9u);
    const uint8_t dip2 = InputPorts.dip[2], dip3 = InputPorts.dip[3];
    Face.applySettings(frame::OptionsOf(Settings));
    EXPECT_EQ(InputPorts.dip[2], dip2);
    EXPECT_EQ(InputPorts.dip[3], dip3);
    frame::SaveSettings();
    EXPECT_EQ(registry.values["Configuration"].data, Sealed(record));
    frame::RebuildKeyTable(Settings.controls);
    Key('W', true);
    EXPECT_EQ(Bits(), ControlUp2);
}

TEST_F(Dollix, FlagsFirstCharacterAndEmptyMeansMissing) {
    OpenKey(true);
    registry.SetText("SoundMute", "0x");
    registry.SetText("JoystickUse", "x");
    registry.SetText("FullScreen", "");
    registry.SetText("JoyAxisExchange", "1");
    Settings.fullScreen = 1; // an empty flag leaves the value and is rewritten
    frame::LoadSettings();
    EXPECT_EQ(Settings.soundMute, 0u);
    EXPECT_EQ(Settings.joystickUse, 1u);
    EXPECT_EQ(Settings.fullScreen, 1u);
    EXPECT_EQ(registry.Text("FullScreen"), "0");
    EXPECT_EQ(Settings.joyAxisExchange, 0u);
}

// --- "Score" ---

class DollixScore : public Dollix {
  protected:
    std::vector<uint8_t> DefaultTable() {
        std::vector<uint8_t> table = {0x00, 0x01, 0x00, 0x00, 0x01, 0x00};
        table.insert(table.end(), MainRom + (0xCED9 - 0x8000), MainRom + (0xCF29 - 0x8000));
        table.push_back(0);
        return Sealed(table);
    }
    std::vector<uint8_t> RamTable() {
        std::vector<uint8_t> table(Ram + 0x0849, Ram + 0x084F);
        table.insert(table.end(), Ram + 0x09B2, Ram + 0x0A12);
        return table;
    }
};

TEST_F(DollixScore, NewKeyTakesTheRomTableAndTrapsLoadIt) {
    OpenKey(false);
    ASSERT_EQ(frame::ScoreRecordSize(), 87u);
    EXPECT_EQ(registry.values["Score"].data, DefaultTable());
    frame::InstallHighScoreTraps();
    std::vector<uint8_t> record(86);
    for (size_t i = 0; i < record.size(); i++)
        record[i] = uint8_t(i * 3 + 1);
    record.push_back(0);
    record = Sealed(record);
    registry.Set("Score", frame::RegTypeBinary, record);
    std::memset(Ram + 0x0A02, 0xEE, 16);
    Hooks.loadHighScores();
    std::vector<uint8_t> want(record.begin(), record.end() - 1);
    want.insert(want.end(), MainRom + (0xCF29 - 0x8000), MainRom + (0xCF39 - 0x8000)); // the 16 ROM bytes
    EXPECT_EQ(RamTable(), want);
    Ram[0x0849] = 0x42;
    Hooks.saveHighScores();
    EXPECT_EQ(registry.values["Score"].data[0], 0x42);
    EXPECT_TRUE(frame::RecordSumIsZero(registry.values["Score"].data.data(), 87));
}

TEST_F(DollixScore, ShortOrBadRecordGivesTheDefaultsAtOnce) {
    OpenKey(true);
    std::vector<uint8_t> good = DefaultTable();
    good[0] = 0x77;
    good = Sealed(good);
    std::vector<uint8_t> bad = good;
    bad[10] ^= 1;
    const std::vector<uint8_t> records[] = {{good.begin(), good.end() - 1}, bad};
    for (const std::vector<uint8_t>& record : records) {
        registry.Set("Score", frame::RegTypeBinary, record);
        std::memset(Ram + 0x0849, 0x55, 6);
        std::memset(Ram + 0x09B2, 0x55, 96);
        frame::LoadHighScores();
        std::vector<uint8_t> want = DefaultTable();
        want.pop_back();
        want.insert(want.end(), MainRom + (0xCF29 - 0x8000), MainRom + (0xCF39 - 0x8000));
        EXPECT_EQ(RamTable(), want);
        EXPECT_EQ(registry.values["Score"].data, DefaultTable());
    }
}

// --- The settings dialog and the control pages ---

TEST_F(Dollix, SettingsDialogDecisions) {
    OpenKey(true);
    ResetMachine();
    MutexEntries = 0;
    frame::GameSettingWork work = frame::OpenGameSetting(Settings);
    work.upright = 1;
    EXPECT_EQ(frame::TakeOverGameSetting(work, false), frame::GameSettingOutcome::Saved);
    EXPECT_EQ(Settings.modeX, 1u);
    EXPECT_EQ(registry.Text("ModeX"), "1");

    work.options[Lives] = 3;
    EXPECT_EQ(frame::TakeOverGameSetting(work, false), frame::GameSettingOutcome::ResetMachine);
    work.options[StageSelect] = 1;
    EXPECT_EQ(frame::TakeOverGameSetting(work, true), frame::GameSettingOutcome::TestModeApply);
    EXPECT_EQ(Settings.options[StageSelect], 1u);
    EXPECT_TRUE(InputPorts.dip[1] & 0x02);
    EXPECT_EQ(MutexEntries, 3) << "each OK under the frame mutex";

    frame::DefaultGameSetting(&work);
    EXPECT_EQ(work.options, frame::DefaultSettings().options);
    EXPECT_EQ(work.upright, 0u);
}

TEST_F(Dollix, ControlPages) {
    OpenKey(true);
    struct Case {
        const char* what;
        int slot;
        uint32_t value;
        int duplicate;
    };
    const Case cases[] = {
        {"same coin button on both joysticks", SlotJoyCoin2, 2, 0},
        {"player 2's start on player 2's coin", SlotJoyStart2, 2, 1},
        {"player 1's shot on player 1's coin", SlotJoyButton1, 2, 1},
        {"player 2's shot key on player 1's up", SlotButton2, 52, 1},
        {"player 1's shot key on W", SlotButton1, 22, 1},
    };
    for (const Case& c : cases) {
        frame::ControlAssignment work = Settings.controls;
        work[size_t(c.slot)] = c.value;
        EXPECT_EQ(frame::CheckDuplicateKeys(work), c.duplicate) << c.what;
    }

    // A key changed on one page, a button on the other: both in force and saved.
    frame::ControlAssignment keys = Settings.controls;
    keys[SlotButton2] = 47; // Enter
    frame::JoystickPageWork buttons = {Settings.controls, 1, 0};
    buttons.controls[SlotJoyStart1] = 7;
    EXPECT_EQ(frame::ApplyKeyboardPage(keys), 1);
    EXPECT_EQ(frame::ApplyJoystickPage(buttons), 1);
    EXPECT_EQ(Settings.controls[SlotButton2], 47u);
    EXPECT_EQ(Settings.controls[SlotJoyStart1], 7u);
    EXPECT_EQ(registry.values["Configuration"].data[4 + SlotButton2], 47);
    EXPECT_EQ(registry.values["Configuration"].data[4 + SlotJoyStart1], 7);
    EXPECT_EQ(registry.Text("JoystickUse"), "1");
    Key(0x0D, true);
    EXPECT_EQ(Bits(), ControlButton2);

    const std::pair<int, uint32_t> keyboardHelp[] = {
        {1050, 0x10025}, {1055, 0x10026}, {1066, 0x10027}, {1060, 0x10027}, {1061, 0}};
    for (auto [id, context] : keyboardHelp)
        EXPECT_EQ(frame::KeyboardHelpContext(id), context) << id;
    const std::pair<int, uint32_t> joystickHelp[] = {
        {1039, 0x10021}, {1062, 0x10023}, {1060, 0x10024}, {1064, 0x10024}, {1041, 0}};
    for (auto [id, context] : joystickHelp)
        EXPECT_EQ(frame::JoystickHelpContext(id), context) << id;
}

// --- Test switch and reset ---

TEST_F(Dollix, TestSwitchRestartsTheSoundCpuOnlyAndResetLeavesTestMode) {
    OpenKey(true);
    ResetMachine();
    ASSERT_TRUE(Cpus[SoundCpu].held);
    Cpus[MainCpu].PC = 0x9123;
    BitmapInitialised = 1;
    MutexEntries = 0;
    EXPECT_TRUE(frame::ToggleTestMode());
    EXPECT_TRUE(InputPorts.dip[0] & TestSwitch);
    EXPECT_TRUE(Cpus[SoundCpu].held);
    EXPECT_FALSE(frame::ToggleTestMode());
    EXPECT_FALSE(InputPorts.dip[0] & TestSwitch);
    EXPECT_FALSE(Cpus[SoundCpu].held);
    EXPECT_TRUE(Cpus[SoundCpu].running);
    EXPECT_EQ(SoundEnable, 1u);
    EXPECT_EQ(BitmapInitialised, 0u);
    EXPECT_EQ(Cpus[MainCpu].PC, 0x9123);
    EXPECT_EQ(MutexEntries, 2);

    // F9 in test mode: test mode off, the machine reset, the settings saved.
    frame::ToggleTestMode();
    registry.writes.clear();
    frame::ResetGame();
    EXPECT_FALSE(InputPorts.dip[0] & TestSwitch);
    EXPECT_NE(Cpus[MainCpu].PC, 0x9123);
    EXPECT_TRUE(Cpus[SoundCpu].held);
    EXPECT_NE(std::find(registry.writes.begin(), registry.writes.end(), "Configuration"),
              registry.writes.end());
}

// --- Window and full screen ---

TEST_F(Dollix, WindowAndFullScreenGeometry) {
    frame::WindowSizes sizes =
        frame::ComputeWindowSizes({2, 2, 1, 1, 19, 19}, Face.pictureWidth, Face.pictureHeight);
    EXPECT_EQ(sizes.normalWidth, 288 + 8 + 2);
    EXPECT_EQ(sizes.normalHeight, 224 + 8 + 2 + 19 + 19);
    EXPECT_EQ(sizes.zoomedWidth - sizes.normalWidth, 288);
    EXPECT_EQ(sizes.zoomedHeight - sizes.normalHeight, 224);

    // The cards left and right of the black rectangle, which holds the picture.
    const frame::CardPlaces& card = game.card;
    EXPECT_LE(card.left.x + card.cardWidth, card.frame.left);
    EXPECT_GE(card.right.x, card.frame.right);
    EXPECT_LE(card.right.x + card.cardWidth, 640);
    EXPECT_TRUE(card.frame.left <= 176 && 176 + 288 <= card.frame.right);
    EXPECT_TRUE(card.frame.top <= 128 && 128 + 224 <= card.frame.bottom);
    EXPECT_TRUE(Face.smallScreen && !Face.canTurn);

    // The picture over the card at (176, 128); on its own at (16, 8) on black.
    boards::Picture picture = Face.picture(false);
    for (int y = 0; y < picture.height; y++)
        std::memset(const_cast<uint8_t*>(picture.pixels) + y * picture.pitch, 0x90, size_t(picture.width));
    struct Surface {
        std::vector<uint8_t> pixels;
        int width;
    };
    static Surface back, cardSurface;
    back = {std::vector<uint8_t>(640 * 480, 0x33), 640};
    cardSurface = {std::vector<uint8_t>(640 * 480, 1), 640};
    const frame::SurfaceSeam seam = {[](void* surface, bool, uint8_t** pixels, ptrdiff_t* pitch) {
                                         Surface* s = static_cast<Surface*>(surface);
                                         *pixels = s->pixels.data();
                                         *pitch = s->width;
                                         return true;
                                     },
                                     [](void*, uint8_t*) {}};
    frame::ComposeFullScreen(Face, seam, &back, &cardSurface, false);
    EXPECT_EQ(back.pixels[0], 1);
    EXPECT_EQ(back.pixels[128 * 640 + 176], 0x90);
    EXPECT_EQ(back.pixels[(128 + 223) * 640 + 176 + 287], 0x90);
    EXPECT_EQ(back.pixels[127 * 640 + 176], 1);
    back = {std::vector<uint8_t>(320 * 240, 0x33), 320};
    frame::ComposeFullScreen(Face, seam, &back, nullptr, true);
    EXPECT_EQ(back.pixels[0], 0);
    EXPECT_EQ(back.pixels[8 * 320 + 16], 0x90);
    EXPECT_EQ(back.pixels[(8 + 223) * 320 + 16 + 287], 0x90);
    EXPECT_EQ(back.pixels[7 * 320 + 16], 0);
}

} // namespace
} // namespace settings_test
