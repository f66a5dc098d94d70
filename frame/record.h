// Registry records closed by a check byte: the last byte makes the sum of all
// bytes of the record 0 modulo 256 (the byte sum is the one the ROM trap
// patches keep, boards/rom_patch.h).
#pragma once

#include <cstdint>

#include "boards/rom_patch.h"

namespace frame {

// Sets the last of size bytes to the check byte of the ones before it.
constexpr void SealRecord(uint8_t* bytes, uint32_t size) {
    bytes[size - 1] = uint8_t(0x100 - boards::ByteSum({bytes, size - 1}));
}

constexpr bool RecordSumIsZero(const uint8_t* bytes, uint32_t size) {
    return boards::ByteSum({bytes, size}) == 0;
}

} // namespace frame
