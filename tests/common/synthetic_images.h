// Synthetic game data for the board tests: every image of a board's slot
// table at its exact size, all zero until a test writes into it.
//
//   SyntheticImages<zarkolt::GameData, zarkolt::ImageSlots> images;
//   images[&zarkolt::GameData::waveform][0] = 0x0F;
//   zarkolt::BuildBoard(images.Data());
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "boards/common/game_data.h"

namespace test_support {

template <typename GameData, const auto& Slots> struct SyntheticImages {
    SyntheticImages() {
        for (const auto& slot : Slots)
            bytes.emplace_back(slot.size, 0);
    }
    std::vector<uint8_t>& operator[](boards::Image GameData::*member) {
        for (size_t i = 0; i < std::size(Slots); i++)
            if (Slots[i].member == member) return bytes[i];
        throw std::logic_error("no such image");
    }
    GameData Data() const {
        GameData data;
        for (size_t i = 0; i < std::size(Slots); i++)
            data.*Slots[i].member = {bytes[i].data(), bytes[i].size()};
        return data;
    }
    std::vector<std::vector<uint8_t>> bytes; // in slot order
};

// Writes bytes at an offset of an image.
inline void Place(std::vector<uint8_t>& image, size_t offset, std::initializer_list<uint8_t> bytes) {
    std::memcpy(image.data() + offset, bytes.begin(), bytes.size());
}

} // namespace test_support
