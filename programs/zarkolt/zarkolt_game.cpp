// The ZARKOLT programs' game description.
#include "programs/zarkolt/zarkolt_game.h"

#include "boards/zarkolt/io_chip.h"
#include "frame/dialog_ids.h"
#include "frame/keys.h"
#include "programs/zarkolt/game_options.h"

namespace zarkolt_program {

namespace {

using frame::ControlSlot;
using frame::FixedAction;
using frame::SlotAction;

constexpr frame::HelpEntry KeyboardHelp[] = {
    {IDC_DEFAULTS, 0x1001A},  {IDC_KEY_UP, 0x1001B},  {IDC_KEY_DOWN, 0x1001B}, {IDC_KEY_LEFT, 0x1001B},
    {IDC_KEY_RIGHT, 0x1001B}, {IDC_BUTTON1, 0x1001B}, {IDC_BUTTON2, 0x1001B},
};

constexpr frame::HelpEntry JoystickHelp[] = {
    {IDC_USE_JOYSTICK, 0x10016}, {IDC_CALIBRATE, 0x10015}, {IDC_EXCHANGE_AXES, 0x10017},
    {IDC_DEFAULTS, 0x10018},     {IDC_BUTTON1, 0x10019},   {IDC_BUTTON2, 0x10019},
    {IDC_COIN, 0x10019},         {IDC_START, 0x10019},
};

using namespace zarkolt;

constexpr frame::ControlLayout Controls = {
    .slotCount = SlotCount,
    .keyboardSlotCount = KeyboardSlotCount,
    .defaults = DefaultControlAssignment,
    .slots = {{
        {SlotAction::Input, InputUp, InputDown},
        {SlotAction::Input, InputDown, InputUp},
        {SlotAction::Input, InputLeft, InputRight},
        {SlotAction::Input, InputRight, InputLeft},
        {SlotAction::Input, InputButton1, 0},
        {SlotAction::Input, InputButton2, 0},
        {SlotAction::Input, InputButton1, 0},
        {SlotAction::Input, InputButton2, 0},
        {SlotAction::Coin, 0, 0},
        {SlotAction::Start, 0, 0},
    }},
    .stick = {InputUp, InputDown, InputLeft, InputRight},
    .fixedKeys = {{{frame::KeyF2, FixedAction::Coin},
                   {frame::KeyF3, FixedAction::Start1},
                   {frame::KeyF4, FixedAction::Start2}}},
    .fixedKeyCount = 3,
    .listIds = {IDC_KEY_UP, IDC_KEY_DOWN, IDC_KEY_LEFT, IDC_KEY_RIGHT, IDC_BUTTON1, IDC_BUTTON2, IDC_BUTTON1,
                IDC_BUTTON2, IDC_COIN, IDC_START},
    .storedSlotCount = SlotCount,
    .serviceBit = 0,
};

// "1", "2", "3", "5" ships; 8 bonus choices; "EASY" to "VERY HARD".
constexpr frame::ConfigurationLayout Configuration = {OptionCount, {4, 8, 4}, {2, 0, 1}, {}};

} // namespace

frame::GameDescription ZarkoltGame(const char* title, const char* testCaption, const boards::BoardFace& board,
                                   void (*gameSettingsDialog)(void* owner)) {
    return {
        .title = title,
        .windowClass = "ZARKOLT",
        .testCaption = testCaption,
        .commands = {testCaption ? int(CmdTestMode) : 0, CmdAbout, CmdReset, CmdExit, CmdSound,
                     CmdGameSettings, CmdFullScreen, CmdControlSettings, CmdHelpContents, CmdHelpOnHelp},
        .board = &board,
        .controls = Controls,
        .configuration = Configuration,
        .keyboardHelp = KeyboardHelp,
        .joystickHelp = JoystickHelp,
        .gameSettingsDialog = gameSettingsDialog,
        .gameSettingForm = &SettingsForm,
        .card = frame::DefaultCardPlaces,
    };
}

} // namespace zarkolt_program
