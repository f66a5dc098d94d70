// SUPER ZARKOLT for Windows: the game program frame with the SUPER ZARKOLT
// edition's face and the ZARKOLT game description without test mode.
#include <windows.h>

#include "boards/superzar/superzar.h"
#include "frame/win32/program_win.h"
#include "programs/zarkolt/zarkolt_game.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static const frame::GameDescription game =
        zarkolt_program::ZarkoltGame("SUPER ZARKOLT", nullptr, superzar::Face, frame::ShowGameSettingForm);
    return frame::FrameMain(instance, game);
}
