// The game description of the ZARKOLT programs (frame/game.h), shared by
// ZARKOLT and SUPER ZARKOLT: the control slots, the fixed keys F2-F4, the
// "Configuration" options (ships, bonus, difficulty), the commands, the help
// contexts of the control pages and the game-settings dialog.
#pragma once

#include "boards/board.h"
#include "frame/game.h"

namespace zarkolt_program {

// The game options in "Configuration".
enum Option : int { Lives = 0, Bonus, Difficulty, OptionCount };

// The ten control slots: 0-5 key-name rows, 6-9 joystick button numbers.
enum Slot : int {
    SlotUp = 0,
    SlotDown,
    SlotLeft,
    SlotRight,
    SlotButton1,
    SlotButton2,
    SlotJoyButton1,
    SlotJoyButton2,
    SlotJoyCoin,
    SlotJoyStart,
    SlotCount
};
inline constexpr int KeyboardSlotCount = 6;

// Cursor keys, "X", "Z"; joystick buttons 1-4.
inline constexpr frame::ControlAssignment DefaultControlAssignment = {52, 53, 54, 55, 23, 25, 0, 1, 2, 3};

// The menu commands.
enum : int {
    CmdTestMode = 101,
    CmdAbout = 102,
    CmdReset = 104,
    CmdExit = 105,
    CmdSound = 146,
    CmdGameSettings = 148,
    CmdFullScreen = 149,
    CmdControlSettings = 151,
    CmdHelpContents = 157,
    CmdHelpOnHelp = 158,
};

// The description of a program on the ZARKOLT board: title, test-mode
// caption (null: none), the edition's face and the game-settings dialog.
frame::GameDescription ZarkoltGame(const char* title, const char* testCaption, const boards::BoardFace& board,
                                   void (*gameSettingsDialog)(void* owner));

} // namespace zarkolt_program
