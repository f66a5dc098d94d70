// High-score traps patched into a game's program copy: an opcode the CPU
// does not implement, followed by one byte chosen so that the byte sum of
// the replaced bytes, and so of the whole ROM, stays what it was.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace boards {

// The 8-bit sum of the bytes.
constexpr uint8_t ByteSum(std::span<const uint8_t> bytes) {
    uint8_t sum = 0;
    for (uint8_t byte : bytes)
        sum = uint8_t(sum + byte);
    return sum;
}

// Replaces code[0, opcode.size() + 1) by the opcode and its sum byte.
constexpr void PatchTrap(uint8_t* code, std::span<const uint8_t> opcode) {
    uint8_t sum = ByteSum({code, opcode.size() + 1});
    std::copy(opcode.begin(), opcode.end(), code);
    code[opcode.size()] = uint8_t(sum - ByteSum(opcode));
}

} // namespace boards
