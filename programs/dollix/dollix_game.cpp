// DOLLIX.EXE's game description.
#include "programs/dollix/dollix_game.h"

#include "boards/dollix/dollix_board.h"
#include "frame/dialog_ids.h"
#include "frame/keys.h"

namespace dollix_program {

namespace {

using frame::FixedAction;
using frame::SlotAction;
using namespace dollix;

constexpr frame::HelpEntry KeyboardHelp[] = {
    {IDC_DEFAULTS, 0x10025},  {IDC_KEY_UP, 0x10026},   {IDC_KEY_DOWN, 0x10026},  {IDC_KEY_LEFT, 0x10026},
    {IDC_KEY_RIGHT, 0x10026}, {IDC_BUTTON1, 0x10026},  {IdcKeyUp2, 0x10027},     {IdcKeyDown2, 0x10027},
    {IdcKeyLeft2, 0x10027},   {IdcKeyRight2, 0x10027}, {IdcKeyButton2, 0x10027},
};

constexpr frame::HelpEntry JoystickHelp[] = {
    {IDC_USE_JOYSTICK, 0x10021}, {IDC_CALIBRATE, 0x10020}, {IDC_DEFAULTS, 0x10022},
    {IDC_BUTTON1, 0x10023},      {IdcJoyCoin1, 0x10023},   {IdcJoyStart1, 0x10023},
    {IdcKeyButton2, 0x10024},    {IdcJoyCoin2, 0x10024},   {IdcJoyStart2, 0x10024},
};

// A direction of a player: its bit, and the player's other three directions
// (a fresh press leaves one direction per player).
constexpr frame::ControlSlot Direction(uint32_t bit, uint32_t nibble) {
    return {SlotAction::Input, bit, nibble & ~bit};
}
constexpr uint32_t Stick1 = ControlUp1 | ControlRight1 | ControlDown1 | ControlLeft1;
constexpr uint32_t Stick2 = ControlUp2 | ControlRight2 | ControlDown2 | ControlLeft2;

constexpr frame::ControlLayout Controls = {
    .slotCount = SlotCount,
    .keyboardSlotCount = KeyboardSlotCount,
    .defaults = DefaultControlAssignment,
    .slots = {{
        Direction(ControlUp1, Stick1),
        Direction(ControlDown1, Stick1),
        Direction(ControlLeft1, Stick1),
        Direction(ControlRight1, Stick1),
        {SlotAction::Input, ControlButton1, 0},
        Direction(ControlUp2, Stick2),
        Direction(ControlDown2, Stick2),
        Direction(ControlLeft2, Stick2),
        Direction(ControlRight2, Stick2),
        {SlotAction::Input, ControlButton2, 0},
        {SlotAction::Input, ControlButton1, 0},
        {SlotAction::Input, ControlCoin, 0},
        {SlotAction::Input, ControlStart1, 0},
        {SlotAction::Input, ControlButton2, 0},
        {SlotAction::Input, ControlCoin, 0},
        {SlotAction::Input, ControlStart2, 0},
    }},
    .stick = {ControlUp1, ControlDown1, ControlLeft1, ControlRight1},
    .fixedKeys = {{{frame::KeyF2, FixedAction::Input, ControlCoin},
                   {frame::KeyF3, FixedAction::Input, ControlStart1},
                   {frame::KeyF4, FixedAction::Input, ControlStart2}}},
    .fixedKeyCount = 3,
    .listIds = {IDC_KEY_UP, IDC_KEY_DOWN, IDC_KEY_LEFT, IDC_KEY_RIGHT, IDC_BUTTON1, IdcKeyUp2, IdcKeyDown2,
                IdcKeyLeft2, IdcKeyRight2, IdcKeyButton2, IDC_BUTTON1, IdcJoyCoin1, IdcJoyStart1,
                IdcKeyButton2, IdcJoyCoin2, IdcJoyStart2},
    .storedSlotCount = SlotCount,
    .serviceBit = 0,
    .second = {SlotJoyButton2, {ControlUp2, ControlDown2, ControlLeft2, ControlRight2}, false},
};

// Lives "1"/"2"/"3"/"5", two bonus choices, "EASY" to "VERY HARD", stage
// select (a switch byte: 0xFF on, 0x00 off). A good record's bytes are taken
// as they are: a value out of range changes no switch.
constexpr frame::ConfigurationLayout Configuration = {
    OptionCount, {4, 2, 4, 2}, {2, 0, 1, 0}, {0, 0, 0, 0xFF}, true};

constexpr const char* LivesChoices[] = {"1", "2", "3", "5"};
constexpr const char* BonusChoices[] = {"Every 15,000", "Every 20,000"};
constexpr const char* DifficultyChoices[] = {"EASY", "NORMAL", "HARD", "VERY HARD"};

constexpr frame::HelpEntry GameSettingHelp[] = {
    {IdcLives, 0x10014},       {1, 0x10013},        {2, 0x10010},        {IDC_DEFAULTS_GAME, 0x10016},
    {IdcDifficulty, 0x10015},  {IdcBonus, 0x1000F}, {IdcModeX, 0x10012}, {IdcResetScores, 0x10018},
    {IdcStageSelect, 0x10017},
};

constexpr frame::GameSettingForm GameSetting = {
    .lists = {{
        {IdcLives, Lives, 4, LivesChoices, false, nullptr},
        {IdcDifficulty, Difficulty, 4, DifficultyChoices, false, nullptr},
        {IdcBonus, Bonus, 2, BonusChoices, true, nullptr},
    }},
    .listCount = 3,
    .checks = {{{IdcStageSelect, StageSelect}}},
    .checkCount = 1,
    .help = GameSettingHelp,
    .resetScoresId = IdcResetScores,
};

// The instruction card: 100 x 176 at (34, 152) and (506, 152) around the
// black rectangle (168, 120)-(472, 360) that holds the picture at (176, 128).
constexpr frame::CardPlaces Card = {frame::CardLayout::BackgroundPen,
                                    frame::CardLayout::FramePen,
                                    {168, 120, 472, 360},
                                    100,
                                    176,
                                    {34, 152},
                                    {506, 152}};

} // namespace

frame::GameDescription DollixGame(void (*gameSettingsDialog)(void* owner)) {
    return {
        .title = "DOLLIX",
        .windowClass = "DOLLIX",
        .testCaption = "DOLLIX - ﾃｽﾄﾓｰﾄﾞ",
        .commands = {CmdTestMode, CmdAbout, CmdReset, CmdExit, CmdSound, CmdGameSettings, CmdFullScreen,
                     CmdControlSettings, CmdHelpContents, CmdHelpOnHelp},
        .board = &dollix::Face,
        .controls = Controls,
        .configuration = Configuration,
        .keyboardHelp = KeyboardHelp,
        .joystickHelp = JoystickHelp,
        .gameSettingsDialog = gameSettingsDialog,
        .gameSettingForm = &GameSetting,
        .card = Card,
        .noAxisExchange = true,
    };
}

} // namespace dollix_program
