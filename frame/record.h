// Registry records closed by a check byte: the last byte makes the sum of all
// bytes of the record 0 modulo 256.
#pragma once

#include <cstdint>

namespace frame {

// The 8-bit sum of size bytes.
constexpr uint8_t ByteSum(const uint8_t* bytes, uint32_t size) {
    uint8_t sum = 0;
    for (uint32_t i = 0; i < size; i++)
        sum = uint8_t(sum + bytes[i]);
    return sum;
}

// Sets the last of size bytes to the check byte of the ones before it.
constexpr void SealRecord(uint8_t* bytes, uint32_t size) {
    bytes[size - 1] = uint8_t(0x100 - ByteSum(bytes, size - 1));
}

constexpr bool RecordSumIsZero(const uint8_t* bytes, uint32_t size) {
    return ByteSum(bytes, size) == 0;
}

} // namespace frame
