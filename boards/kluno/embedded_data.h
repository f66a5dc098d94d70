// The game data as the embedded data library hands it out (one span per
// image), turned into the board's GameData.
#pragma once

#include "boards/kluno/game_data.h"
#include "data/kluno/kluno_data.h"

namespace kluno {

GameData GameDataOf(const KlunoImages& images);

} // namespace kluno
