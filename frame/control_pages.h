// The decisions of the control-settings pages, apart from their windows.
//
// Each page edits its own work copy of the control assignment: the
// "KEYBOARD" page the game's keyboard slots (key-name rows; ZARKOLT 0-5),
// the "JOYSTICK" page its joystick slots (button numbers; ZARKOLT 6-9) and
// the two joystick flags. A page refuses to apply an
// assignment that gives one key, or one button, to two functions; an
// accepted apply takes over the page's own part under the frame mutex,
// rebuilds the key table and saves the settings. The window side lives in
// frame/win32/controls_win.cpp.
#pragma once

#include <cstdint>

#include "frame/game.h"

namespace frame {

struct JoystickPageWork {
    ControlAssignment controls;
    uint32_t use;      // "JoystickUse"
    uint32_t exchange; // "JoyAxisExchange"
};

// 1 when two keyboard slots hold the same key row or two slots of one
// joystick the same button number, else 0.
int CheckDuplicateKeys(const ControlAssignment& work);

// The defaults buttons: the page's slots := the game's defaults (ZARKOLT:
// the cursor keys, "X", "Z"; buttons 1-4) and both joystick flags off.
void KeyboardPageDefaults(ControlAssignment* work);
void JoystickPageDefaults(JoystickPageWork* work);

// Apply: 0 (nothing taken over) when the work copy has a duplicate; else,
// under the frame mutex, the page's part into the settings, RebuildKeyTable
// and SaveSettings, and 1.
int ApplyKeyboardPage(const ControlAssignment& work);
int ApplyJoystickPage(const JoystickPageWork& work);

// Context-help numbers of the pages' controls, 0 for any other.
uint32_t KeyboardHelpContext(int controlId);
uint32_t JoystickHelpContext(int controlId);

} // namespace frame
