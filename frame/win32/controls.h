// The control-settings property sheet: the "KEYBOARD" page (the game's
// keys) and the "JOYSTICK" page (use, axis exchange, the game's buttons and
// the system's calibration). ShowControlSettings runs it modally over the main
// window.
#pragma once

#include <windows.h>

#include "frame/keys.h"

namespace frame {

void ShowControlSettings(HWND owner);

INT_PTR CALLBACK KeyboardPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK JoystickPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the keyboard slots' lists (ZARKOLT: 1051-1056) with key rows 0-63
// and selects the work slots.
void FillKeyCombos(HWND page, const ControlAssignment& work);

// Fills the joystick slots' lists (ZARKOLT: 1055-1058) with the button
// names, selects the work slots and sets the two check boxes.
void FillJoystickCombos(HWND page, const ControlAssignment& work, uint32_t use, uint32_t exchange);

} // namespace frame
