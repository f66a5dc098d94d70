// The ZARKOLT game description as the frame's tests use it: the ZARKOLT
// program's description with no settings dialog. UseZarkoltGame makes it the
// game in force.
#pragma once

#include "frame/game.h"

namespace test_games {

const frame::GameDescription& ZarkoltGame();
void UseZarkoltGame();

} // namespace test_games
