// RONKU for Windows: the game program frame with the RONKU board's face and
// RONKU's game description.
#include <windows.h>

#include "frame/win32/program_win.h"
#include "programs/ronku/ronku_game.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static const frame::GameDescription game = ronku_program::RonkuGame();
    return frame::FrameMain(instance, game);
}
