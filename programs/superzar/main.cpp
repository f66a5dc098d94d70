// SUPER ZARKOLT for Windows: the game program frame with the SUPER ZARKOLT
// edition of the board, its game data and its high-score traps. The edition
// has no test mode.
#include <windows.h>

#include "boards/superzar/superzar.h"
#include "boards/zarkolt/embedded_data.h"
#include "frame/program_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static const zarkolt::GameData data = zarkolt::GameDataOf(SuperZarkoltData());
    static const frame::GameProgram game = {"SUPER ZARKOLT", nullptr, &superzar::SuperZarkoltEdition, &data,
                                            &frame::SuperZarkoltTraps};
    return frame::FrameMain(instance, game);
}
