// ZARKOLT for Windows: the game program frame with the ZARKOLT board, its
// game data and its high-score traps.
#include <windows.h>

#include "boards/zarkolt/embedded_data.h"
#include "frame/program_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static const zarkolt::GameData data = zarkolt::GameDataOf(ZarkoltData());
    static const frame::GameProgram game = {"ZARKOLT", "ZARKOLT - ﾃｽﾄﾓｰﾄﾞ", &zarkolt::ZarkoltEdition, &data,
                                            &frame::ZarkoltTraps};
    return frame::FrameMain(instance, game);
}
