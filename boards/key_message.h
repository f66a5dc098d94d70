// A key message as the frame hands it to a key handler (its own or a
// board's): the high word of the message's flags, bit 14 set for an
// auto-repeat, and 1 for a press or 0 for a release.
#pragma once

#include <cstdint>

namespace boards {

inline constexpr uint16_t KeyRepeatFlag = 0x4000;

// A press that is not an auto-repeat.
inline bool FreshPress(uint16_t flags, uint32_t pressed) {
    return pressed && !(flags & KeyRepeatFlag);
}

} // namespace boards
