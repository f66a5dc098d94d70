// KLUNO for Windows: the game program frame with the KLUNO board's face and
// KLUNO's game description.
#include <windows.h>

#include "frame/win32/program_win.h"
#include "programs/kluno/kluno_game.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static const frame::GameDescription game = kluno_program::KlunoGame(frame::ShowGameSettingForm);
    return frame::FrameMain(instance, game);
}
