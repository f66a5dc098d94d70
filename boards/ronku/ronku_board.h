// The RONKU board behind the board face (boards/board.h).
//
// The face's controls are up, down, left, right and shot; their keys go to
// the board's own handlers (controlKey), which write the byte the game names
// at the moment of each key. setControls gives the same handlers the changes
// of a held set of controls (the runner's and the tests' way). A coin or a
// start given to the face is counted at once into the credits of chip 1.
// There are no settings, no test mode, no score record and no turned
// picture; the full screen is 640 x 480 with the picture in a border.
#pragma once

#include <cstdint>

#include "boards/board.h"

namespace ronku {

// The face's control bits, in the order of its control names.
inline constexpr uint32_t ControlUp = 1, ControlDown = 2, ControlLeft = 4, ControlRight = 8, ControlShot = 16;

extern const boards::BoardFace Face;

} // namespace ronku
