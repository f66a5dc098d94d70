// ZARKOLT for Windows: the game program frame with the ZARKOLT board's face
// and the ZARKOLT game description.
#include <windows.h>

#include "boards/zarkolt/zarkolt_board.h"
#include "frame/win32/program_win.h"
#include "programs/zarkolt/zarkolt_game.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static const frame::GameDescription game = zarkolt_program::ZarkoltGame(
        "ZARKOLT", "ZARKOLT - ﾃｽﾄﾓｰﾄﾞ", zarkolt::Face, frame::ShowGameSettingForm);
    return frame::FrameMain(instance, game);
}
