// Drawings split into the boards' 16 x 16 sprite parts, shared by the sprite
// packers of the ZARKOLT and KLUNO boards (both lay a part's pixels out the
// same way).
#pragma once

#include <string>
#include <vector>

#include "art.h"

// Stops the tool when a drawing uses a value above maxValue.
inline void RequireRange(const Glyph& glyph, int index, int maxValue, const std::string& path) {
    for (uint8_t p : glyph.pixels)
        if (p > maxValue)
            Fail(path + ":" + std::to_string(glyph.line) + ": drawing " + std::to_string(index) +
                 " uses value " + std::to_string(p) + ", at most " + std::to_string(maxValue) + " allowed");
}

// The 16 x 16 parts of a drawing and the codes they go to. A drawing of
// 16x32 is a stacked pair (top code, code + 1); 32x16 a side-by-side pair
// (left code + 2, right code); 32x32 four parts (code + 2, + 3 on the left,
// code, + 1 on the right), as the board's sprite forms pick them.
struct Part {
    int code, x0, y0;
};

inline std::vector<Part> SplitSprite(const Glyph& glyph, int index, const std::string& where) {
    int w = glyph.width, h = glyph.height;
    if (w == 16 && h == 16) return {{index, 0, 0}};
    if (w == 16 && h == 32) {
        if (index & 1) Fail(where + ": a stacked sprite needs an even code");
        return {{index, 0, 0}, {index + 1, 0, 16}};
    }
    if (w == 32 && h == 16) {
        if (index & 2) Fail(where + ": a side-by-side sprite needs code bit 1 clear");
        return {{index + 2, 0, 0}, {index, 16, 0}};
    }
    if (w == 32 && h == 32) {
        if (index & 3) Fail(where + ": a four-part sprite needs a code divisible by 4");
        return {{index + 2, 0, 0}, {index + 3, 0, 16}, {index, 16, 0}, {index + 1, 16, 16}};
    }
    Fail(where + ": sprites are 16x16, 16x32, 32x16 or 32x32");
}

// Byte and bit of a sprite pixel: four vertically adjacent pixels of a column
// share a byte; bytes 32-63 hold the left half, 0-31 the right half.
inline void SpritePlace(int x, int r, int& byte, int& bit) {
    int q = r >> 2;
    bit = 3 - (r & 3);
    byte = x < 8 ? 32 + 8 * q + (7 - x) : 8 * q + (15 - x);
}

// Every drawing of an art file, split into its 16 x 16 parts: write(code,
// byte, bit, value) for each pixel, with the byte and bit of its place.
template <typename Write> void PackSpriteArt(const std::string& path, int maxValue, int codes, Write write) {
    std::vector<bool> used(codes);
    for (const auto& [index, glyph] : ReadArt(path)) {
        std::string where = path + ":" + std::to_string(glyph.line);
        RequireRange(glyph, index, maxValue, path);
        for (const Part& part : SplitSprite(glyph, index, where)) {
            if (part.code < 0 || part.code >= codes)
                Fail(where + ": codes are 0-" + std::to_string(codes - 1) + " here");
            if (used[part.code]) Fail(where + ": code " + std::to_string(part.code) + " drawn twice");
            used[part.code] = true;
            for (int r = 0; r < 16; ++r)
                for (int x = 0; x < 16; ++x) {
                    int byte, bit;
                    SpritePlace(x, r, byte, bit);
                    write(part.code, byte, bit, glyph.At(part.x0 + x, part.y0 + r));
                }
        }
    }
}
