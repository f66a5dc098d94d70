// The KLUNO board behind the board face (boards/board.h).
//
// The face's controls are chip 1's host input bits: up, down, left, right,
// shot and the service switch. A coin or a start given to the face is held for two frames and
// then released for one, so that the game counts every one on its edge.
// Settings are the ships, bonus, difficulty and demo-sound choices, in the
// order of the "Configuration" record.
#pragma once

#include <cstdint>

#include "boards/board.h"

namespace kluno {

// The face's control bits, in the order of its control names.
inline constexpr uint32_t ControlUp = 1, ControlDown = 2, ControlLeft = 4, ControlRight = 8, ControlShot = 16,
                          ControlService = 32;

extern const boards::BoardFace Face;

} // namespace kluno
