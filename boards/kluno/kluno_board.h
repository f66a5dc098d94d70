// The KLUNO board behind the board face (boards/board.h).
//
// The face's controls are chip 1's host input bits: up, down, left, right,
// shot, the service switch, coin, start 1 and start 2, each a plain level.
// A coin or a start given to the face (insertCoin, pressStart) is held for
// two frames and then released for one, so that the game counts every one
// on its edge.
// Settings are the ships, bonus, difficulty and demo-sound choices, in the
// order of the "Configuration" record.
#pragma once

#include <cstdint>

#include "boards/board.h"

namespace kluno {

// The face's control bits, in the order of its control names.
inline constexpr uint32_t ControlUp = 1, ControlDown = 2, ControlLeft = 4, ControlRight = 8, ControlShot = 16,
                          ControlService = 32, ControlCoin = 64, ControlStart1 = 128, ControlStart2 = 256;

extern const boards::BoardFace Face;

} // namespace kluno
