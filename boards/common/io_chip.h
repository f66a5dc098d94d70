// The custom I/O chips of the 6809 boards: 16 registers each, the low nibble
// of each significant, plain RAM that the host refreshes once a frame.
#pragma once

#include <cstdint>

namespace boards {

// Mode 8 (low nibble of register 8): the sum of the low nibbles of registers
// 9-15, its next nibble in register 0 and its low nibble in register 1. In
// any other mode the chip is left as it is.
inline void AnswerNibbleSum(uint8_t* chip) {
    if ((chip[8] & 0x0F) != 8) return;
    unsigned sum = 0;
    for (int k = 9; k < 16; k++)
        sum += chip[k] & 0x0F;
    chip[0] = uint8_t(sum >> 4 & 0x0F);
    chip[1] = uint8_t(sum & 0x0F);
}

} // namespace boards
