// Sprite and character blitters. The sixteen sprite members are one template:
// the sprite set and the reading order are template arguments, so no flip or
// set test runs per pixel.
#include "boards/zarkolt/blitters.h"

#include <bit>
#include <cstring>

#include "boards/zarkolt/graphics.h"

namespace zarkolt {

namespace {

static_assert(std::endian::native == std::endian::little,
              "character rows are blended as little-endian words");

// Draws pen into the 8 bytes of a row where the matching byte of bits (each
// 0 or 1, byte 0 the leftmost) is 1: bits times 0xFF is the mask, so no
// branch depends on the picture.
void BlendRow(uint8_t* row, uint64_t bits, uint8_t pen) {
    uint64_t pixels, mask = bits * 0xFF;
    std::memcpy(&pixels, row, 8);
    pixels = (pixels & ~mask) | (pen * 0x0101010101010101u & mask);
    std::memcpy(row, &pixels, 8);
}

// Top-left frame-buffer offset of an accepted upright part, or -1.
int32_t AcceptUpright(uint32_t place) {
    uint32_t column = place & 0xFF;
    if (column == 0 || column >= 240) return -1;
    uint32_t q = place - 24 * FrameWidth;
    if (q >= 0x26000 || q < uint32_t(FrameWidth)) return -1; // top row 1-303
    return int32_t(q);
}

// Top-left frame-buffer offset of an accepted turned part, or -1.
int32_t AcceptTurned(uint32_t place) {
    if (place < 24) return -1;
    uint32_t q = place - 24;
    uint32_t column = q % FrameWidth;
    if (column == 0 || column > 303) return -1;
    if (q >= 0x1E000 || q < uint32_t(FrameWidth)) return -1; // top row 1-239
    return int32_t(q);
}

// Member bits: 1 rows reversed, 2 columns reversed, 4 sprite sets 2 and 3.
template <bool Turned, int Member> void BlitMember(uint32_t place, uint32_t codeColour) {
    constexpr bool rowsReversed = Member & 1, columnsReversed = Member & 2, sets23 = Member & 4;
    int32_t offset = Turned ? AcceptTurned(place) : AcceptUpright(place);
    if (offset < 0) return;

    uint32_t code = codeColour >> 8 & 0xFF;
    const uint8_t* image;
    if (sets23)
        image = Sprites + (SpriteSet23 + code) * 256;
    else
        image = code < 0x40 ? Sprites + (SpriteSet1 + code) * 256 : BlankSprite;
    // Colours 64-255 would index past the 64 colour sets: colour & 63.
    const uint8_t* pens = SpriteColorLookup + (codeColour & 63) * 8;

    // Pixel (v, u) of the image in reading order; turned, it lands at row
    // 15 - u, column v, so the turned loop walks the destination by rows.
    auto source = [&](int v, int u) {
        return image[(rowsReversed ? 15 - v : v) * 16 + (columnsReversed ? 15 - u : u)];
    };
    uint8_t* destination = FrameBuffer + offset;
    for (int y = 0; y < 16; y++) {
        uint8_t* row = destination + y * FrameWidth;
        for (int x = 0; x < 16; x++) {
            uint8_t pen = pens[Turned ? source(x, 15 - y) : source(y, x)];
            row[x] = pen ? pen : row[x]; // a select, not a branch: transparency is not predictable
        }
    }
}

} // namespace

const SpriteBlitter BlitSprite16[8] = {
    BlitMember<false, 0>, BlitMember<false, 1>, BlitMember<false, 2>, BlitMember<false, 3>,
    BlitMember<false, 4>, BlitMember<false, 5>, BlitMember<false, 6>, BlitMember<false, 7>,
};

const SpriteBlitter BlitSprite16ModeX[8] = {
    BlitMember<true, 0>, BlitMember<true, 1>, BlitMember<true, 2>, BlitMember<true, 3>,
    BlitMember<true, 4>, BlitMember<true, 5>, BlitMember<true, 6>, BlitMember<true, 7>,
};

void DrawCharacter(uint8_t* destination, const uint8_t* image, uint8_t pen) {
    for (int y = 0; y < 8; y++) {
        uint64_t bits;
        std::memcpy(&bits, image + y * 8, 8);
        BlendRow(destination + y * FrameWidth, bits, pen);
    }
}

void DrawCharacterModeX(uint8_t* destination, const uint8_t* image, uint8_t pen) {
    for (int y = 0; y < 8; y++) {
        uint64_t bits = 0;
        for (int x = 0; x < 8; x++)
            bits |= uint64_t(image[x * 8 + 7 - y]) << (8 * x);
        BlendRow(destination + y * FrameWidth, bits, pen);
    }
}

} // namespace zarkolt
