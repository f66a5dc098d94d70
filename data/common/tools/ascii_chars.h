// The 8 x 8 character sets of the boards whose programs write ASCII: the
// shared font's letters, digits and punctuation at their ASCII codes, then the
// board's own drawings (values 0-3) at their codes. Shared by the KLUNO and
// DOLLIX packers; each lays a pixel into its ROM with its own put.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "art.h"
#include "sprite_art.h"

// put(code, x, y, value) for every pixel of every character; the font's lit
// pixels have the value `lit`.
template <typename Put>
void PackAsciiCharacters(const std::string& fontPath, const std::string& artPath, int lit, Put put) {
    std::vector<bool> used(256);
    auto place = [&](int code, const Glyph& glyph, int scale, const std::string& where) {
        if (code < 0 || code > 255 || glyph.width != 8 || glyph.height != 8)
            Fail(where + ": characters are 8x8, numbered 0-255");
        if (used[code]) Fail(where + ": character " + std::to_string(code) + " drawn twice");
        used[code] = true;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                put(code, x, y, glyph.At(x, y) * scale);
    };
    std::map<int, Glyph> font = ReadFont(fontPath);
    static const std::string letters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ.-!:/?',()=+*@";
    for (char c : letters) {
        auto glyph = font.find(CharCode(c));
        if (glyph == font.end()) Fail(fontPath + ": no drawing for '" + std::string(1, c) + "'");
        RequireRange(glyph->second, glyph->first, 1, fontPath);
        place(static_cast<unsigned char>(c), glyph->second, lit,
              fontPath + ":" + std::to_string(glyph->second.line));
    }
    for (const auto& [index, glyph] : ReadArt(artPath)) {
        RequireRange(glyph, index, 3, artPath);
        place(index, glyph, 1, artPath + ":" + std::to_string(glyph.line));
    }
}
