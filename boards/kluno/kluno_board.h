// The KLUNO board behind the board face (boards/board.h).
//
// The face's controls are chip 1's host input bits: up, down, left, right,
// shot and the service switch. A coin or a start given to the face is held for two frames and
// then released for one, so that the game counts every one on its edge.
// Settings are the ships, bonus, difficulty and demo-sound choices, in the
// order of the "Configuration" record.
#pragma once

#include "boards/board.h"

namespace kluno {

extern const boards::BoardFace Face;

} // namespace kluno
