// Game data images as every board takes them: byte spans that stay valid
// while the board runs, and a table of image slots per board naming each
// image by its manifest's file name with its exact size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace boards {

struct Image {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// One image of a board's game data: file name, exact size, member of Data.
template <typename Data> struct ImageSlot {
    const char* name;
    size_t size;
    Image Data::*member;
};

// The first slot whose image is missing or of the wrong size, or null when
// every image is present with its exact size.
template <typename Data, size_t N>
const ImageSlot<Data>* FindBadImage(const Data& data, const ImageSlot<Data> (&slots)[N]) {
    for (const ImageSlot<Data>& slot : slots) {
        const Image& image = data.*slot.member;
        if (!image.data || image.size != slot.size) return &slot;
    }
    return nullptr;
}

// Data over byte spans given in slot order (missing ones stay empty).
template <typename Data, size_t N, typename Bytes>
Data GameDataOf(std::span<const Bytes> images, const ImageSlot<Data> (&slots)[N]) {
    Data data;
    for (size_t i = 0; i < N && i < images.size(); i++)
        data.*slots[i].member = {images[i].data(), images[i].size()};
    return data;
}

// The span of `member` among spans given in slot order, or an empty one.
template <typename Data, size_t N, typename Bytes>
Bytes ImageOf(std::span<const Bytes> images, const ImageSlot<Data> (&slots)[N], Image Data::*member) {
    for (size_t i = 0; i < N && i < images.size(); i++)
        if (slots[i].member == member) return images[i];
    return {};
}

} // namespace boards
