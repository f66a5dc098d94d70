// The game description of DOLLIX.EXE (frame/game.h): two players on one
// keyboard and two joysticks. Sixteen control slots, all stored in
// "Configuration": ten keys (each player's stick and button), then each
// joystick's button, coin and start. F2, F3 and F4 hold the coin and the two
// starts as plain input levels. The options lives, bonus, difficulty and
// stage select (a switch byte); five flags (no "JoyAxisExchange").
#pragma once

#include "frame/game.h"

namespace dollix_program {

enum Option : int { Lives = 0, Bonus, Difficulty, StageSelect, OptionCount };

enum Slot : int {
    SlotUp1 = 0,
    SlotDown1,
    SlotLeft1,
    SlotRight1,
    SlotButton1,
    SlotUp2,
    SlotDown2,
    SlotLeft2,
    SlotRight2,
    SlotButton2,
    SlotJoyButton1,
    SlotJoyCoin1,
    SlotJoyStart1,
    SlotJoyButton2,
    SlotJoyCoin2,
    SlotJoyStart2,
    SlotCount
};
inline constexpr int KeyboardSlotCount = 10;

// Player 1: the cursor keys and "Space"; player 2: "W", "X", "A", "D" and
// "Shift"; each joystick's buttons 1, 3 and 4.
inline constexpr frame::ControlAssignment DefaultControlAssignment = {52, 53, 54, 55, 46, 22, 23, 0,
                                                                      3,  49, 0,  2,  3,  0,  2,  3};

// Control ids of DOLLIX's own dialogs (the others are frame/dialog_ids.h's).
enum : int {
    IdcLives = 1016,
    IdcDifficulty = 1021,
    IdcBonus = 1032,
    IdcModeX = 1042,
    IdcResetScores = 1065,
    IdcStageSelect = 1067,
    IdcKeyUp2 = 1066,
    IdcKeyDown2 = 1057,
    IdcKeyLeft2 = 1058,
    IdcKeyRight2 = 1059,
    IdcKeyButton2 = 1060,
    IdcJoyCoin1 = 1061,
    IdcJoyStart1 = 1062,
    IdcJoyCoin2 = 1063,
    IdcJoyStart2 = 1064,
};

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

// DOLLIX's description with the runner of its game-settings dialog (the
// frame's ShowGameSettingForm in the program; null in the tests).
frame::GameDescription DollixGame(void (*gameSettingsDialog)(void* owner));

} // namespace dollix_program
