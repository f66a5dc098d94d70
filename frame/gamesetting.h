// The game-settings dialog "GAME_SETTING": ships, difficulty and bonus score
// (the DIP switches), the upright full-screen choice and the high-score
// reset. Run it modally with DialogBoxParamA (instance, "GAME_SETTING",
// main window, GameSettingDlgProc, 0); it always ends with result 1.
#pragma once

#include <windows.h>

namespace frame {

INT_PTR CALLBACK GameSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace frame
