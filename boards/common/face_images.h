// A board's game data as its face shows it: the image list for
// BoardFace::images, and the build's message when an image is missing or of
// the wrong size.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "boards/board.h"
#include "boards/common/game_data.h"

namespace boards {

// The image list, in slot order.
template <typename Data, size_t N>
constexpr std::array<ImageFile, N> ImageFilesOf(const ImageSlot<Data> (&slots)[N]) {
    std::array<ImageFile, N> files{};
    for (size_t i = 0; i < N; i++)
        files[i] = {slots[i].name, slots[i].size};
    return files;
}

// The message naming the first image missing or of the wrong size; empty
// when every image is right.
template <typename Data, size_t N>
std::string BadImageMessage(const Data& data, const ImageSlot<Data> (&slots)[N]) {
    const ImageSlot<Data>* bad = FindBadImage(data, slots);
    if (!bad) return {};
    return std::string("game data image ") + bad->name + " is missing or of the wrong size";
}

} // namespace boards
