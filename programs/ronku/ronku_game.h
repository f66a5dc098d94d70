// The game description of RONKU.EXE (frame/game.h): the reduced frame of a
// game with fixed settings. No registry, no settings dialogs, no joystick,
// no help and no test mode; the arrow keys and Space play, F2-F4 are coin
// and the two starts; the menu has reset, exit, full screen, sound and the
// version box. Full screen is the 640 x 480 one without an instruction card.
#pragma once

#include "frame/game.h"

namespace ronku_program {

enum Slot : int { SlotUp = 0, SlotDown, SlotLeft, SlotRight, SlotShot, SlotCount };

// The cursor keys and "Space", as rows of the key-name table.
inline constexpr frame::ControlAssignment FixedControls = {52, 53, 54, 55, 46};

enum : int {
    CmdAbout = 102,
    CmdReset = 104,
    CmdExit = 105,
    CmdFullScreen = 150,
    CmdSound = 151,
};

frame::GameDescription RonkuGame();

} // namespace ronku_program
