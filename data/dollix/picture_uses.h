// Where the DOLLIX bitmap screens put the pictures of the picture block: every
// (source offset, plane destination) pair the sixteen screen commands draw,
// in command order. The picture packer and its validator check our block
// against it; the plane is 288 pixels a row with pixel (0, 0) at 0x0200.
#pragma once

#include <array>
#include <cstdint>

namespace dollix_pictures {

struct Use {
    uint8_t command;
    uint16_t source;
    uint16_t destination;
};

constexpr int BlockSize = 32768;
constexpr int FirstPicture = 2088;
constexpr int PictureEnd = 32190; // bytes from here to the end are 0xFF
constexpr int RowPixels = 288;
constexpr int Rows = 224;
constexpr int VisibleStart = 0x0200;

constexpr int GridUses = 54; // command 2: one picture in a 9 x 6 grid

constexpr std::array<Use, 33> Listed = {{
    {0, 2088, 7440},    {0, 4602, 7568},    {0, 7216, 28176},   {0, 8654, 26048},   {1, 14088, 13788},
    {1, 14868, 37376},  {4, 10130, 14336},  {4, 10130, 14432},  {4, 10130, 14528},  {5, 11358, 6016},
    {5, 14088, 13964},  {5, 14868, 37552},  {5, 11598, 28160},  {5, 12870, 28240},  {6, 16184, 9152},
    {6, 18088, 10144},  {6, 18994, 32768},  {6, 20964, 32896},  {7, 22522, 19827},  {7, 23860, 42864},
    {7, 24398, 10417},  {7, 25458, 9920},   {7, 25974, 37504},  {7, 26792, 37568},  {8, 27382, 7472},
    {8, 28596, 32784},  {8, 29570, 32864},  {8, 30906, 32940},  {11, 22522, 19811}, {11, 23860, 42848},
    {12, 28596, 32772}, {13, 27382, 32772}, {14, 11358, 10596},
}};

// Every use: the listed ones, command 2's grid and command 15's picture.
constexpr std::array<Use, Listed.size() + GridUses + 1> AllUses() {
    std::array<Use, Listed.size() + GridUses + 1> uses{};
    size_t n = 0;
    for (const Use& use : Listed)
        uses[n++] = use;
    for (int j = 0; j < 6; ++j)
        for (int i = 0; i < 9; ++i)
            uses[n++] = Use{2, 11176, static_cast<uint16_t>(0x1400 + 32 * i + 9216 * j)};
    uses[n++] = Use{15, 28130, 37380};
    return uses;
}

} // namespace dollix_pictures
