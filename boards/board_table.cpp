// Every board's face, for the headless runner, the tests and the benchmarks.
#include <iterator>

#include "boards/board.h"
#include "boards/dollix/dollix_board.h"
#include "boards/kluno/kluno_board.h"
#include "boards/ronku/ronku_board.h"
#include "boards/superzar/superzar.h"
#include "boards/zarkolt/zarkolt_board.h"

namespace boards {

namespace {

const BoardFace* const Boards[] = {&zarkolt::Face, &superzar::Face, &kluno::Face, &ronku::Face,
                                   &dollix::Face};

} // namespace

const std::span<const BoardFace* const> BoardTable = Boards;

const BoardFace* FindBoard(const std::string& name) {
    for (const BoardFace* face : BoardTable)
        if (name == face->name) return face;
    return nullptr;
}

} // namespace boards
