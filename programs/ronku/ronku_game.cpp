// RONKU.EXE's game description.
#include "programs/ronku/ronku_game.h"

#include "boards/ronku/ronku_board.h"
#include "frame/keys.h"

namespace ronku_program {

namespace {

using frame::FixedAction;
using frame::SlotAction;

// The five keys go whole to the board's own key handlers (controlKey), which
// clear no opposite direction; F2-F4 take the credits through the board.
constexpr frame::ControlLayout Controls = {
    .slotCount = SlotCount,
    .keyboardSlotCount = SlotCount,
    .defaults = FixedControls,
    .slots = {{
        {SlotAction::Input, ronku::ControlUp, 0},
        {SlotAction::Input, ronku::ControlDown, 0},
        {SlotAction::Input, ronku::ControlLeft, 0},
        {SlotAction::Input, ronku::ControlRight, 0},
        {SlotAction::Input, ronku::ControlShot, 0},
    }},
    .stick = {},
    .fixedKeys = {{{frame::KeyF2, FixedAction::Coin},
                   {frame::KeyF3, FixedAction::Start1},
                   {frame::KeyF4, FixedAction::Start2}}},
    .fixedKeyCount = 3,
    .listIds = {},
    .storedSlotCount = 0,
    .serviceBit = 0,
};

} // namespace

frame::GameDescription RonkuGame() {
    return {
        .title = "RONKU",
        .windowClass = "RONKU",
        .testCaption = nullptr,
        .commands = {.testMode = 0,
                     .about = CmdAbout,
                     .reset = CmdReset,
                     .exit = CmdExit,
                     .sound = CmdSound,
                     .gameSettings = 0,
                     .fullScreen = CmdFullScreen,
                     .controlSettings = 0,
                     .helpContents = 0,
                     .helpOnHelp = 0},
        .board = &ronku::Face,
        .controls = Controls,
        .configuration = {},
        .keyboardHelp = {},
        .joystickHelp = {},
        .gameSettingsDialog = nullptr,
        .gameSettingForm = nullptr,
        .card = {},
        .fixedSettings = true,
        .mutedStaysOnDeactivate = true,
    };
}

} // namespace ronku_program
