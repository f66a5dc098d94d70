// KLUNO.EXE's game description.
#include "programs/kluno/kluno_game.h"

#include "boards/kluno/kluno_board.h"
#include "frame/dialog_ids.h"
#include "frame/keys.h"

namespace kluno_program {

namespace {

using frame::FixedAction;
using frame::SlotAction;

constexpr frame::HelpEntry KeyboardHelp[] = {
    {IDC_DEFAULTS, 0x1001A}, {IDC_KEY_UP, 0x1001B},    {IDC_KEY_DOWN, 0x1001B},
    {IDC_KEY_LEFT, 0x1001B}, {IDC_KEY_RIGHT, 0x1001B}, {IDC_BUTTON1, 0x1001B},
};

constexpr frame::HelpEntry JoystickHelp[] = {
    {IDC_USE_JOYSTICK, 0x10015}, {IDC_CALIBRATE, 0x10014}, {IDC_EXCHANGE_AXES, 0x10016},
    {IDC_DEFAULTS, 0x10017},     {IDC_BUTTON1, 0x10018},   {IDC_COIN, 0x10018},
    {IDC_START, 0x10018},
};

constexpr frame::ControlLayout Controls = {
    .slotCount = SlotCount,
    .keyboardSlotCount = KeyboardSlotCount,
    .defaults = DefaultControlAssignment,
    .slots = {{
        {SlotAction::Input, kluno::ControlUp, kluno::ControlDown},
        {SlotAction::Input, kluno::ControlDown, kluno::ControlUp},
        {SlotAction::Input, kluno::ControlLeft, kluno::ControlRight},
        {SlotAction::Input, kluno::ControlRight, kluno::ControlLeft},
        {SlotAction::Input, kluno::ControlShot, 0},
        {SlotAction::Input, kluno::ControlShot, 0},
        {SlotAction::Input, kluno::ControlCoin, 0},
        {SlotAction::Input, kluno::ControlStart1 | kluno::ControlStart2, 0},
    }},
    .stick = {kluno::ControlUp, kluno::ControlDown, kluno::ControlLeft, kluno::ControlRight},
    .fixedKeys = {{{frame::KeyF2, FixedAction::Input, kluno::ControlCoin},
                   {frame::KeyF3, FixedAction::Input, kluno::ControlStart1},
                   {frame::KeyF4, FixedAction::Input, kluno::ControlStart2},
                   {frame::KeyF5, FixedAction::Service}}},
    .fixedKeyCount = 4,
    .listIds = {IDC_KEY_UP, IDC_KEY_DOWN, IDC_KEY_LEFT, IDC_KEY_RIGHT, IDC_BUTTON1, IDC_BUTTON1, IDC_COIN,
                IDC_START},
    .storedSlotCount = StoredSlotCount,
    .serviceBit = kluno::ControlService,
};

// Ships "3"/"5", four bonus choices, "NORMAL"/"HARD", demo sound on (a
// switch byte: 0xFF on, 0x00 off).
constexpr frame::ConfigurationLayout Configuration = {
    OptionCount, {2, 4, 2, 2}, {0, 0, 0, 1}, {0, 0, 0, 0xFF}};

constexpr const char* ShipChoices[] = {"3", "5"};
constexpr const char* BonusChoices[] = {
    "1st 10,000 2nd 30,000 & Every 50,000",
    "1st 20,000 & Every 50,000",
    "1st 30,000 & Every 70,000",
    "1st 20,000 & 2nd 70,000",
};
constexpr const char* DifficultyChoices[] = {"NORMAL", "HARD"};

constexpr int IdcDemoSound = 1063;

constexpr frame::HelpEntry GameSettingHelp[] = {
    {1, 0x1000C},
    {2, 0x10007},
    {IDC_DEFAULTS_GAME, 0x1000E},
    {IDC_SHIPS, 0x1000B},
    {IDC_DIFFICULTY, 0x1000D},
    {IDC_BONUS, 0x10009},
    {IDC_UPRIGHT, 0x1000A},
    {IDC_RESET_SCORES, 0x1000F},
    {IdcDemoSound, 0x10011},
};

constexpr frame::GameSettingForm GameSetting = {
    .lists = {{
        {IDC_SHIPS, Ships, 2, ShipChoices, false, nullptr},
        {IDC_DIFFICULTY, Difficulty, 2, DifficultyChoices, false, nullptr},
        {IDC_BONUS, Bonus, 4, BonusChoices, true, nullptr},
    }},
    .listCount = 3,
    .checks = {{{IdcDemoSound, DemoSound}}},
    .checkCount = 1,
    .help = GameSettingHelp,
};

// The instruction card: 164 x 268 at (18, 106) and (458, 106) around the
// black 240 x 304 frame of the picture.
constexpr frame::CardPlaces Card = {frame::CardLayout::BackgroundPen,
                                    frame::CardLayout::FramePen,
                                    {200, 88, 440, 392},
                                    164,
                                    268,
                                    {18, 106},
                                    {458, 106}};

} // namespace

frame::GameDescription KlunoGame(void (*gameSettingsDialog)(void* owner)) {
    return {
        .title = "KLUNO",
        .windowClass = "KLUNO",
        .testCaption = "KLUNO - ﾃｽﾄﾓｰﾄﾞ",
        .commands = {CmdTestMode, CmdAbout, CmdReset, CmdExit, CmdSound, CmdGameSettings, CmdFullScreen,
                     CmdControlSettings, CmdHelpContents, CmdHelpOnHelp},
        .board = &kluno::Face,
        .controls = Controls,
        .configuration = Configuration,
        .keyboardHelp = KeyboardHelp,
        .joystickHelp = JoystickHelp,
        .gameSettingsDialog = gameSettingsDialog,
        .gameSettingForm = &GameSetting,
        .card = Card,
        .mutedStaysOnDeactivate = true,
    };
}

} // namespace kluno_program
