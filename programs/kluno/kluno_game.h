// The game description of KLUNO.EXE (frame/game.h): eight control slots
// (five keys, three joystick buttons, of which the record "Configuration"
// stores the first six), the fixed keys F2-F5 (coin and starts as plain
// levels the game counts itself, F5 service in test mode), the options
// ships, bonus, difficulty and demo sound (stored as a switch byte), the
// commands and the help contexts of the control pages.
#pragma once

#include "frame/game.h"

namespace kluno_program {

enum Option : int { Ships = 0, Bonus, Difficulty, DemoSound, OptionCount };

enum Slot : int {
    SlotUp = 0,
    SlotDown,
    SlotLeft,
    SlotRight,
    SlotShot,
    SlotJoyShot,
    SlotJoyCoin,
    SlotJoyStart,
    SlotCount
};
inline constexpr int KeyboardSlotCount = 5;
inline constexpr int StoredSlotCount = 6; // slots 6 and 7 keep their defaults

// Cursor keys, "Space"; joystick buttons 1, 3 and 4.
inline constexpr frame::ControlAssignment DefaultControlAssignment = {52, 53, 54, 55, 46, 0, 2, 3};

enum : int {
    CmdTestMode = 101,
    CmdAbout = 102,
    CmdReset = 104,
    CmdExit = 105,
    CmdFullScreen = 150,
    CmdSound = 152,
    CmdGameSettings = 154,
    CmdControlSettings = 155,
    CmdHelpContents = 157,
    CmdHelpOnHelp = 158,
};

// KLUNO's description with the runner of its game-settings dialog (the
// frame's ShowGameSettingForm in the program; null in the tests).
frame::GameDescription KlunoGame(void (*gameSettingsDialog)(void* owner));

} // namespace kluno_program
