// The game data as the embedded data library hands it out (one span per
// image), turned into the board's GameData. The same layout serves both
// editions: pass ZarkoltData() or SuperZarkoltData().
#pragma once

#include "boards/zarkolt/game_data.h"
#include "data/zarkolt/zarkolt_data.h"

namespace zarkolt {

GameData GameDataOf(const ZarkoltImages& images);

} // namespace zarkolt
