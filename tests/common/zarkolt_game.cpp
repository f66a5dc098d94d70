// The ZARKOLT game description for the frame's tests.
#include "tests/common/zarkolt_game.h"

#include "boards/zarkolt/zarkolt_board.h"
#include "programs/zarkolt/zarkolt_game.h"

namespace test_games {

const frame::GameDescription& ZarkoltGame() {
    static const frame::GameDescription game =
        zarkolt_program::ZarkoltGame("ZARKOLT", "ZARKOLT - ﾃｽﾄﾓｰﾄﾞ", zarkolt::Face, nullptr);
    return game;
}

void UseZarkoltGame() {
    frame::UseGame(ZarkoltGame());
}

} // namespace test_games
