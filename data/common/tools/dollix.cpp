// The DOLLIX images: tiles, sprites, colour table and PROMs, the waveform
// PROM and the picture block of the bitmap screens, from the text sources in
// data/dollix/art, and the picture block's validator.
//
//   datapack dollix-tiles FONT ART OUT                 tile ROM (256 x 16 bytes)
//   datapack dollix-sprites ART OUT                    sprite ROM (256 x 64 bytes)
//   datapack dollix-colours COLOURS LOOKUP TILESETS SPRITESETS OUT_COLOURS OUT_LOOKUP OUT_TILE OUT_SPRITE
//   datapack dollix-wave TEXT OUT                      waveform PROM (8 x 32 nibbles)
//   datapack dollix-pictures SOURCE FONT OUT           picture block (32 KB), validated
//   datapack dollix-check-pictures BLOCK               the validator alone
//   datapack dollix-card SOURCE COLOURS OUT            the instruction card, its game colours from COLOURS
#include "dollix.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "../../dollix/picture_uses.h"
#include "art.h"
#include "ascii_chars.h"
#include "canvas.h"
#include "sprite_art.h"

namespace {

using dollix_pictures::BlockSize;

// One 2-bit pixel of a decoded group: bits (7 - c) and (3 - c) of the byte
// give the pen of column c (0-3, left to right).
void PutGroupPixel(uint8_t& byte, int column, int pen) {
    int i = 3 - column;
    if (pen & 2) byte |= static_cast<uint8_t>(1 << (i + 4));
    if (pen & 1) byte |= static_cast<uint8_t>(1 << i);
}

// Tiles are ASCII: the game's letters, digits and punctuation come from the
// shared font (lit pixels pen 3), everything else from the tile art.
void PackTiles(const std::string& fontPath, const std::string& artPath, const std::string& out) {
    std::vector<uint8_t> rom(4096, 0);
    PackAsciiCharacters(fontPath, artPath, 3, [&](int code, int x, int y, int pen) {
        PutGroupPixel(rom[code * 16 + (x < 4 ? y + 8 : y)], x & 3, pen);
    });
    WriteFile(out, rom);
}

// Sprites: a 16 x 16 drawing is one cell; wider or taller drawings are split
// into the cells the board picks for two-cell sprites: the right column has
// code bit 0 set, the lower row code bit 1.
void PackSprites(const std::string& artPath, const std::string& out) {
    std::vector<uint8_t> rom(16384, 0);
    std::vector<bool> used(256);
    for (const auto& [index, glyph] : ReadArt(artPath)) {
        std::string where = artPath + ":" + std::to_string(glyph.line);
        RequireRange(glyph, index, 3, artPath);
        int columns = glyph.width / 16, rows = glyph.height / 16;
        if (glyph.width % 16 || glyph.height % 16 || columns < 1 || columns > 2 || rows < 1 || rows > 2)
            Fail(where + ": sprites are 16x16, 32x16, 16x32 or 32x32");
        if ((columns == 2 && (index & 1)) || (rows == 2 && (index & 2)))
            Fail(where + ": a two-cell drawing needs the code bits of its other cells clear");
        for (int cy = 0; cy < rows; ++cy)
            for (int cx = 0; cx < columns; ++cx) {
                int code = index | cx | cy << 1;
                if (code < 0 || code > 255) Fail(where + ": codes are 0-255");
                if (used[code]) Fail(where + ": code " + std::to_string(code) + " drawn twice");
                used[code] = true;
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x) {
                        int byte = (y < 8 ? y : 32 + y - 8) + 8 * (x >> 2);
                        PutGroupPixel(rom[code * 64 + byte], x & 3, glyph.At(cx * 16 + x, cy * 16 + y));
                    }
            }
    }
    WriteFile(out, rom);
}

std::vector<long> Flatten(const std::string& path, size_t count, long low, long high) {
    std::vector<long> values;
    for (const std::vector<long>& row : ReadNumbers(path))
        values.insert(values.end(), row.begin(), row.end());
    if (values.size() != count)
        Fail(path + ": expected " + std::to_string(count) + " values, found " +
             std::to_string(values.size()));
    for (long v : values)
        if (v < low || v > high)
            Fail(path + ": value " + std::to_string(v) + " outside " + std::to_string(low) + "-" +
                 std::to_string(high));
    return values;
}

// The 84 colours (0xRRGGBB each); the lookup PROM names colours 0-83 and holds
// them as colour numbers 1-84; the tile sets pick lookup entries 112-127
// (0-15), the sprite sets any lookup entry.
void PackColours(const std::vector<std::string>& a) {
    std::vector<long> colours = Flatten(a[0], 84, 0, 0xFFFFFF);
    std::vector<uint8_t> table;
    for (long c : colours)
        table.insert(table.end(),
                     {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)});
    WriteFile(a[4], table);
    std::vector<uint8_t> lookup;
    for (long v : Flatten(a[1], 256, 0, 83))
        lookup.push_back(static_cast<uint8_t>(v + 1));
    WriteFile(a[5], lookup);
    std::vector<uint8_t> tiles;
    for (long v : Flatten(a[2], 256, 0, 15))
        tiles.push_back(static_cast<uint8_t>(v));
    WriteFile(a[6], tiles);
    std::vector<uint8_t> sprites;
    for (long v : Flatten(a[3], 256, 0, 255))
        sprites.push_back(static_cast<uint8_t>(v));
    WriteFile(a[7], sprites);
}

// Eight lines of 32 hexadecimal digits, one sample a digit.
void PackWave(const std::string& path, const std::string& out) {
    std::vector<uint8_t> prom;
    for (const std::string& line : ReadLines(path)) {
        if (line.empty() || line[0] == '#') continue;
        if (line.size() != 32) Fail(path + ": waveform lines are 32 hexadecimal digits");
        for (char c : line) {
            if (!std::isxdigit(static_cast<unsigned char>(c))) Fail(path + ": not a hexadecimal digit");
            prom.push_back(static_cast<uint8_t>(std::stoi(std::string(1, c), nullptr, 16)));
        }
    }
    if (prom.size() != 256) Fail(path + ": expected 8 waveforms");
    WriteFile(out, prom);
}

// A picture drawn from its description, 16 pens, pen 0 see-through.
struct Drawing {
    int offset = 0, width = 0, height = 0, line = 0;
    std::vector<uint8_t> pens;
    void Set(int x, int y, int pen) {
        if (x >= 0 && y >= 0 && x < width && y < height) pens[y * width + x] = static_cast<uint8_t>(pen);
    }
};

// Picture descriptions:
//   picture OFFSET W H          starts a picture at its block offset, all pen 0
//   fill PEN | rect X Y W H PEN | frame X Y W H PEN
//   disc CX CY R PEN            a filled circle
//   checker X Y W H SIZE PEN1 PEN2
//   text X Y PEN SCALE "TEXT"   the shared font's characters
//   art X Y ... end             rows of hexadecimal pens, '.' leaves the picture
std::vector<Drawing> DrawPictures(const std::string& path, const std::string& fontPath) {
    // A picture's width and height are bytes; places and sizes further than
    // this off a picture change nothing and are refused, so that nothing
    // computed from them overflows.
    constexpr int Far = 1024, LargestScale = 16;
    std::map<int, Glyph> font = ReadFont(fontPath);
    std::vector<Drawing> drawings;
    std::vector<std::string> lines = ReadLines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string where = path + ":" + std::to_string(i + 1);
        size_t first = lines[i].find_first_not_of(" \t");
        if (first == std::string::npos || lines[i][first] == '#') continue;
        std::vector<std::string> w = SplitWords(lines[i]);
        auto n = [&](size_t k, int low, int high) {
            if (k >= w.size()) Fail(where + ": missing argument");
            return ParseNumberIn(w[k], low, high, where);
        };
        auto place = [&](size_t k) { return n(k, -Far, Far); };
        auto size = [&](size_t k) { return n(k, 0, Far); };
        if (w[0] == "picture") {
            Drawing d;
            d.offset = n(1, dollix_pictures::FirstPicture, dollix_pictures::PictureEnd - 1);
            d.width = n(2, 1, 255);
            d.height = n(3, 1, 255);
            d.line = static_cast<int>(i + 1);
            d.pens.assign(static_cast<size_t>(d.width * d.height), 0);
            drawings.push_back(d);
            continue;
        }
        if (drawings.empty()) Fail(where + ": 'picture' first");
        Drawing& d = drawings.back();
        auto pen = [&](size_t k) { return n(k, 0, 15); };
        if (w[0] == "fill") {
            std::fill(d.pens.begin(), d.pens.end(), static_cast<uint8_t>(pen(1)));
        } else if (w[0] == "rect" || w[0] == "frame") {
            int x0 = place(1), y0 = place(2), wd = size(3), ht = size(4), p = pen(5);
            for (int y = y0; y < y0 + ht; ++y)
                for (int x = x0; x < x0 + wd; ++x)
                    if (w[0] == "rect" || y == y0 || x == x0 || y == y0 + ht - 1 || x == x0 + wd - 1)
                        d.Set(x, y, p);
        } else if (w[0] == "disc") {
            int cx = place(1), cy = place(2), r = size(3), p = pen(4);
            for (int y = cy - r; y <= cy + r; ++y)
                for (int x = cx - r; x <= cx + r; ++x)
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) d.Set(x, y, p);
        } else if (w[0] == "checker") {
            int x0 = place(1), y0 = place(2), wd = size(3), ht = size(4), square = n(5, 1, Far), p1 = pen(6),
                p2 = pen(7);
            for (int y = 0; y < ht; ++y)
                for (int x = 0; x < wd; ++x)
                    d.Set(x0 + x, y0 + y, ((x / square) + (y / square)) & 1 ? p2 : p1);
        } else if (w[0] == "text") {
            int x = place(1), y = place(2), p = pen(3), scale = n(4, 1, LargestScale);
            for (char c : w.size() > 5 ? w[5] : std::string()) {
                if (c != ' ') {
                    auto glyph = font.find(CharCode(c));
                    if (glyph == font.end()) Fail(where + ": no character '" + std::string(1, c) + "'");
                    for (int gy = 0; gy < 8 * scale; ++gy)
                        for (int gx = 0; gx < 8 * scale; ++gx)
                            if (glyph->second.At(gx / scale, gy / scale)) d.Set(x + gx, y + gy, p);
                }
                if (x > Far) break; // the rest lies off the picture
                x += 8 * scale;
            }
        } else if (w[0] == "art") {
            int x0 = place(1), y0 = place(2);
            for (int row = 0;; ++row) {
                if (++i >= lines.size()) Fail(where + ": 'art' without 'end'");
                std::string rowWhere = path + ":" + std::to_string(i + 1);
                std::string text =
                    lines[i].substr(std::min(lines[i].size(), lines[i].find_first_not_of(" ")));
                if (text == "end") break;
                if (row >= Far || text.size() > static_cast<size_t>(Far))
                    Fail(rowWhere + ": a drawing is at most " + std::to_string(Far) + " pixels a side");
                for (size_t col = 0; col < text.size(); ++col) {
                    if (text[col] == '.') continue;
                    if (!std::isxdigit(static_cast<unsigned char>(text[col])))
                        Fail(rowWhere + ": pens are hexadecimal digits or '.'");
                    d.Set(x0 + static_cast<int>(col), y0 + row,
                          std::stoi(std::string(1, text[col]), nullptr, 16));
                }
            }
        } else {
            Fail(where + ": unknown command '" + w[0] + "'");
        }
    }
    return drawings;
}

// Run bytes: pen in the high nibble, length 1-16 in the low one (16 as 0).
// Runs go on across row ends, as the board reads them.
std::vector<uint8_t> Encode(const Drawing& d) {
    std::vector<uint8_t> bytes = {static_cast<uint8_t>(d.width), static_cast<uint8_t>(d.height)};
    size_t i = 0;
    while (i < d.pens.size()) {
        uint8_t pen = d.pens[i];
        size_t run = 1;
        while (run < 16 && i + run < d.pens.size() && d.pens[i + run] == pen)
            ++run;
        bytes.push_back(static_cast<uint8_t>(pen << 4 | (run & 15)));
        i += run;
    }
    return bytes;
}

void PackPictures(const std::string& source, const std::string& fontPath, const std::string& out) {
    std::vector<uint8_t> block(BlockSize, 0xFF);
    // The bytes before the first picture are never drawn; they carry a note.
    const std::string note = "DOLLIX PICTURE DATA";
    std::copy(note.begin(), note.end(), block.begin());
    std::vector<Drawing> drawings = DrawPictures(source, fontPath);
    std::sort(drawings.begin(), drawings.end(),
              [](const Drawing& a, const Drawing& b) { return a.offset < b.offset; });
    for (size_t k = 0; k < drawings.size(); ++k) {
        const Drawing& d = drawings[k];
        std::string where = source + ":" + std::to_string(d.line);
        int end = k + 1 < drawings.size() ? drawings[k + 1].offset : dollix_pictures::PictureEnd;
        std::vector<uint8_t> bytes = Encode(d);
        if (d.offset < dollix_pictures::FirstPicture || d.offset + static_cast<int>(bytes.size()) > end)
            Fail(where + ": the picture takes " + std::to_string(bytes.size()) + " bytes, its room is " +
                 std::to_string(end - d.offset));
        std::copy(bytes.begin(), bytes.end(), block.begin() + d.offset);
        std::fill(block.begin() + d.offset + static_cast<int>(bytes.size()), block.begin() + end, 0);
    }
    std::string problem = dollix_pictures_check::Check(block);
    if (!problem.empty()) Fail(source + ": " + problem);
    WriteFile(out, block);
}

// The instruction card: the canvas, with the game colours at entries
// 112-195 from the colour table (three bytes a colour).
void DrawCard(const std::string& source, const std::string& coloursPath, const std::string& out) {
    std::vector<uint8_t> colours = ReadFile(coloursPath);
    if (colours.size() != 252) Fail(coloursPath + ": the colour table has 252 bytes");
    DrawCanvas({source, out});
    std::vector<uint8_t> bmp = ReadFile(out);
    if (bmp.size() < 54 + 1024 || bmp[28] != 8) Fail(source + ": the card is an 8-bit picture");
    for (int k = 0; k < 84; ++k) {
        uint8_t* entry = &bmp[54 + 4 * (112 + k)];
        entry[0] = colours[3 * k + 2];
        entry[1] = colours[3 * k + 1];
        entry[2] = colours[3 * k];
        entry[3] = 0;
    }
    WriteFile(out, bmp);
}

} // namespace

namespace dollix_pictures_check {

std::string Check(const std::vector<uint8_t>& block) {
    using namespace dollix_pictures;
    if (block.size() != BlockSize)
        return "the picture block has " + std::to_string(block.size()) + " bytes, not 32768";
    for (int i = PictureEnd; i < BlockSize; ++i)
        if (block[i] != 0xFF) return "byte " + std::to_string(i) + " after the pictures is not 0xFF";
    std::set<int> sources;
    for (const Use& use : AllUses())
        sources.insert(use.source);
    bool crossing = false, sixteen = false, clear = false;
    std::map<int, std::pair<int, int>> sizes;
    for (auto it = sources.begin(); it != sources.end(); ++it) {
        int offset = *it;
        int end = std::next(it) == sources.end() ? PictureEnd : *std::next(it);
        std::string at = "picture at " + std::to_string(offset);
        if (offset & 1) return at + ": odd offset";
        int width = block[offset], height = block[offset + 1];
        if (width == 0) return at + ": width 0";
        if (height == 0) return at + ": height 0";
        long pixels = 0, total = static_cast<long>(width) * height;
        int p = offset + 2;
        while (pixels < total) {
            if (p >= end) return at + ": runs go past its room (" + std::to_string(end - offset) + " bytes)";
            uint8_t run = block[p++];
            int length = run & 15 ? run & 15 : 16;
            if (!(run & 15)) sixteen = true;
            if (!(run >> 4)) clear = true;
            if (pixels / width != (pixels + length - 1) / width) crossing = true;
            pixels += length;
        }
        if (pixels != total)
            return at + ": runs give " + std::to_string(pixels) + " pixels, not " + std::to_string(total);
        sizes[offset] = {width, height};
    }
    for (const Use& use : AllUses()) {
        auto [width, height] = sizes[use.source];
        int place = use.destination - VisibleStart;
        int x = place % RowPixels, y = place / RowPixels;
        if (use.destination < VisibleStart || x + width > RowPixels || y + height > Rows)
            return "picture at " + std::to_string(use.source) + " leaves the screen in command " +
                   std::to_string(use.command);
    }
    if (!crossing) return "no run crosses a row end";
    if (!sixteen) return "no run has length nibble 0";
    if (!clear) return "no run has pen 0";
    return "";
}

} // namespace dollix_pictures_check

int DollixCommand(const std::vector<std::string>& a) {
    const std::string& command = a[0];
    auto need = [&](size_t n) {
        if (a.size() != n + 1) Fail("wrong number of arguments for '" + command + "'");
    };
    if (command == "dollix-tiles") {
        need(3);
        PackTiles(a[1], a[2], a[3]);
    } else if (command == "dollix-sprites") {
        need(2);
        PackSprites(a[1], a[2]);
    } else if (command == "dollix-colours") {
        need(8);
        PackColours(std::vector<std::string>(a.begin() + 1, a.end()));
    } else if (command == "dollix-wave") {
        need(2);
        PackWave(a[1], a[2]);
    } else if (command == "dollix-pictures") {
        need(3);
        PackPictures(a[1], a[2], a[3]);
    } else if (command == "dollix-check-pictures") {
        need(1);
        std::string problem = dollix_pictures_check::Check(ReadFile(a[1]));
        if (!problem.empty()) Fail(a[1] + ": " + problem);
    } else if (command == "dollix-card") {
        need(3);
        DrawCard(a[1], a[2], a[3]);
    } else {
        Fail("unknown command '" + command + "'");
    }
    return 0;
}
