// DOLLIX for Windows: the game program frame with the DOLLIX board's face
// and DOLLIX's game description.
#include <windows.h>

#include "frame/win32/program_win.h"
#include "programs/dollix/dollix_game.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static const frame::GameDescription game = dollix_program::DollixGame(frame::ShowGameSettingForm);
    return frame::FrameMain(instance, game);
}
