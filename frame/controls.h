// The control-settings property sheet: the "KEYBOARD" page (the six game
// keys) and the "JOYSTICK" page (use, axis exchange, four buttons and the
// system's calibration). ShowControlSettings runs it modally over the main
// window.
#pragma once

#include <windows.h>

#include "frame/keys.h"

namespace frame {

void ShowControlSettings(HWND owner);

INT_PTR CALLBACK KeyboardPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK JoystickPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Fills lists 1051-1056 with key rows 0-63 and selects work slots 0-5.
void FillKeyCombos(HWND page, const ControlAssignment& work);

// Fills lists 1055-1058 with the button names, selects work slots 6-9 and
// sets the two check boxes.
void FillJoystickCombos(HWND page, const ControlAssignment& work, uint32_t use, uint32_t exchange);

} // namespace frame
