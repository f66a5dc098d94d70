// The game-settings dialog "GAME_SETTING": ships, difficulty and bonus score
// (the DIP switches), the upright full-screen choice and the high-score
// reset. ShowGameSettings runs it modally over the main window (the game
// description's gameSettingsDialog); it always ends with result 1.
#pragma once

#include <windows.h>

namespace zarkolt_program {

INT_PTR CALLBACK GameSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// owner: the main window (an HWND).
void ShowGameSettings(void* owner);

} // namespace zarkolt_program
