// The game data as the embedded data library or a directory hands it out
// (one span per image, in the manifest's order), turned into the board's
// GameData. The same layout serves both editions: pass ZarkoltData() or
// SuperZarkoltData().
#pragma once

#include <span>

#include "boards/board.h"
#include "boards/zarkolt/game_data.h"
#include "data/zarkolt/zarkolt_data.h"

namespace zarkolt {

GameData GameDataOf(std::span<const boards::ImageBytes> images);

} // namespace zarkolt
