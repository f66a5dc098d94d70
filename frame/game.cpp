// The game in force.
#include "frame/game.h"

namespace frame {

namespace {
const GameDescription* Current = nullptr;
} // namespace

void UseGame(const GameDescription& game) {
    Current = &game;
}

const GameDescription& Game() {
    return *Current;
}

const boards::BoardFace& Board() {
    return *Current->board;
}

} // namespace frame
