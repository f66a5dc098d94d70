// Canvas drawing for the program bitmaps and icons.
//
// A canvas source is a list of commands, one a line; file names are taken
// relative to the source's directory:
//   canvas W H BPP [COLOURS]       picture size, 4 or 8 bits a pixel, colour-table size
//   colour N RRGGBB                colour-table entry N
//   palette FILE                   the game palette (palette.txt)
//   gamepalette DST SRC COUNT      entries DST.. := game colours SRC.. (nibble x 17)
//   font FILE                      the character drawings, for text
//   sprites ART1 ART23 SETS        the sprite drawings and colour sets, for sprite
//   transparent N                  entry N is see-through (icons)
//   fill N | rect X Y W H N | frame X Y W H N
//   text X Y N SCALE "STRING"      the game's characters, pixels in entry N
//   sprite X Y SET CODE COLOURSET SCALE BASE   a drawing of set 1 or 23, pens at BASE + palette index
//   ink C N                        art character C paints entry N
//   art X Y SCALE ... end          a drawing in ink characters, '.' leaves the canvas
#include "canvas.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "art.h"

namespace {

struct Canvas {
    int width = 0, height = 0, bpp = 8, colours = 256;
    std::vector<uint8_t> pixels;
    std::vector<uint32_t> table = std::vector<uint32_t>(256, 0);
    int transparent = -1;
    void Set(int x, int y, int v) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[y * width + x] = static_cast<uint8_t>(v);
    }
};

void Put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, unsigned v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// BITMAPINFOHEADER, colour table and bottom-up rows; heightFactor 2 for icons.
std::vector<uint8_t> DibBits(const Canvas& c, int heightFactor) {
    std::vector<uint8_t> out;
    int stride = ((c.width * c.bpp + 31) / 32) * 4;
    Put32(out, 40);
    Put32(out, static_cast<unsigned>(c.width));
    Put32(out, static_cast<unsigned>(c.height * heightFactor));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(c.bpp));
    Put32(out, 0);
    Put32(out, static_cast<unsigned>(stride * c.height));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<unsigned>(c.colours));
    Put32(out, 0);
    for (int i = 0; i < c.colours; ++i) {
        uint32_t rgb = c.table[i];
        out.push_back(static_cast<uint8_t>(rgb & 0xFF));         // blue
        out.push_back(static_cast<uint8_t>((rgb >> 8) & 0xFF));  // green
        out.push_back(static_cast<uint8_t>((rgb >> 16) & 0xFF)); // red
        out.push_back(0);
    }
    for (int y = c.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < c.width; ++x) {
            int v = c.pixels[y * c.width + x];
            if (v == c.transparent) v = 0;
            if (c.bpp == 8)
                row[x] = static_cast<uint8_t>(v);
            else
                row[x / 2] |= static_cast<uint8_t>(x & 1 ? v : v << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> Bmp(const Canvas& c) {
    std::vector<uint8_t> dib = DibBits(c, 1);
    std::vector<uint8_t> out = {'B', 'M'};
    Put32(out, static_cast<unsigned>(14 + dib.size()));
    Put32(out, 0);
    Put32(out, static_cast<unsigned>(14 + 40 + 4 * c.colours));
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

std::vector<uint8_t> Ico(const Canvas& c) {
    std::vector<uint8_t> image = DibBits(c, 2);
    int maskStride = ((c.width + 31) / 32) * 4;
    for (int y = c.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < c.width; ++x)
            if (c.pixels[y * c.width + x] == c.transparent)
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x & 7));
        image.insert(image.end(), row.begin(), row.end());
    }
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.push_back(static_cast<uint8_t>(c.width & 255));
    out.push_back(static_cast<uint8_t>(c.height & 255));
    out.push_back(static_cast<uint8_t>(c.bpp == 4 ? 16 : 0));
    out.push_back(0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(c.bpp));
    Put32(out, static_cast<unsigned>(image.size()));
    Put32(out, 22);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

} // namespace

// Bounds of the numbers on a line, so that no size, place or colour computed
// from them overflows: pictures up to 1024 pixels a side, places up to 4096
// pixels off the picture, scales up to 64.
constexpr int LargestSide = 1024, FarthestPlace = 4096, LargestScale = 64;

void DrawCanvas(const std::vector<std::string>& args) {
    const std::string& source = args[0];
    std::filesystem::path dir = std::filesystem::path(source).parent_path();
    auto local = [&](const std::string& name) { return (dir / name).string(); };
    Canvas c;
    std::vector<Rgb> palette;
    std::map<int, Glyph> font, sprites1, sprites23;
    std::vector<std::vector<long>> spriteSets;
    std::map<char, int> ink;
    std::vector<std::string> lines = ReadLines(source);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string where = source + ":" + std::to_string(i + 1);
        if (lines[i].empty() || lines[i][0] == '#') continue;
        std::vector<std::string> w = SplitWords(lines[i]);
        auto word = [&](size_t k) -> const std::string& {
            if (k >= w.size()) Fail(where + ": missing argument");
            if (w[k].empty()) Fail(where + ": an empty word");
            return w[k];
        };
        auto n = [&](size_t k, int low, int high) { return ParseNumberIn(word(k), low, high, where); };
        auto place = [&](size_t k) { return n(k, -FarthestPlace, FarthestPlace); };
        auto side = [&](size_t k) { return n(k, 0, FarthestPlace); };
        auto entry = [&](size_t k) { return n(k, 0, 255); };
        auto scale = [&](size_t k) { return n(k, 1, LargestScale); };
        const std::string& op = word(0);
        if (op == "canvas") {
            c.width = n(1, 1, LargestSide);
            c.height = n(2, 1, LargestSide);
            c.bpp = n(3, 4, 8);
            if (c.bpp != 4 && c.bpp != 8) Fail(where + ": 4 or 8 bits a pixel");
            c.colours = w.size() > 4 ? n(4, 1, 1 << c.bpp) : 1 << c.bpp;
            c.pixels.assign(static_cast<size_t>(c.width) * static_cast<size_t>(c.height), 0);
        } else if (op == "colour") {
            c.table[entry(1)] = static_cast<uint32_t>(ParseNumberIn("0x" + word(2), 0, 0xFFFFFF, where));
        } else if (op == "palette") {
            palette = ReadPalette(local(word(1)));
        } else if (op == "gamepalette") {
            if (palette.empty()) Fail(where + ": 'palette' first");
            int to = entry(1), from = n(2, 0, static_cast<int>(palette.size()) - 1);
            int count = n(3, 0, std::min(256 - to, static_cast<int>(palette.size()) - from));
            for (int k = 0; k < count; ++k) {
                const Rgb& p = palette[from + k];
                c.table[to + k] = static_cast<uint32_t>(p.r * 17 << 16 | p.g * 17 << 8 | p.b * 17);
            }
        } else if (op == "font") {
            font = ReadFont(local(word(1)));
        } else if (op == "sprites") {
            sprites1 = ReadArt(local(word(1)));
            sprites23 = ReadArt(local(word(2)));
            spriteSets = ReadNumbers(local(word(3)));
        } else if (op == "transparent") {
            c.transparent = entry(1);
        } else if (op == "fill") {
            std::fill(c.pixels.begin(), c.pixels.end(), static_cast<uint8_t>(entry(1)));
        } else if (op == "rect" || op == "frame") {
            int x0 = place(1), y0 = place(2), wd = side(3), ht = side(4), v = entry(5);
            for (int y = y0; y < y0 + ht; ++y)
                for (int x = x0; x < x0 + wd; ++x)
                    if (op == "rect" || y == y0 || x == x0 || y == y0 + ht - 1 || x == x0 + wd - 1)
                        c.Set(x, y, v);
        } else if (op == "text") {
            if (font.empty()) Fail(where + ": 'font' first");
            int x = place(1), y = place(2), v = entry(3), size = scale(4);
            const std::string& text = word(5);
            for (char ch : text) {
                int code = CharCode(ch);
                if (code < 0) Fail(where + ": no character for '" + std::string(1, ch) + "'");
                auto glyph = font.find(code);
                if (glyph != font.end())
                    for (int gy = 0; gy < 8; ++gy)
                        for (int gx = 0; gx < 8; ++gx)
                            if (glyph->second.At(gx, gy))
                                for (int s = 0; s < size * size; ++s)
                                    c.Set(x + gx * size + s % size, y + gy * size + s / size, v);
                if (x > FarthestPlace) break; // the rest lies off the picture
                x += 8 * size;
            }
        } else if (op == "sprite") {
            if (spriteSets.empty()) Fail(where + ": 'sprites' first");
            int x = place(1), y = place(2), set = n(3, 1, 23), code = n(4, 0, 0xFFFF);
            int colourSet = n(5, 0, static_cast<int>(spriteSets.size()) - 1), size = scale(6),
                base = n(7, -255, 255);
            if (set != 1 && set != 23) Fail(where + ": the sprite drawings are sets 1 and 23");
            const std::map<int, Glyph>& art = set == 1 ? sprites1 : sprites23;
            auto glyph = art.find(code);
            if (glyph == art.end()) Fail(where + ": no sprite drawing " + std::to_string(code));
            const std::vector<long>& colours = spriteSets[colourSet];
            for (int gy = 0; gy < glyph->second.height; ++gy)
                for (int gx = 0; gx < glyph->second.width; ++gx) {
                    int p = glyph->second.At(gx, gy);
                    if (!p) continue;
                    if (p >= static_cast<int>(colours.size()) || colours[p] < -base ||
                        colours[p] > 255 - base)
                        Fail(where + ": colour set " + std::to_string(colourSet) + " gives pen " +
                             std::to_string(p) + " no entry from " + std::to_string(base) + " to 255");
                    int pen = base + static_cast<int>(colours[p]);
                    for (int s = 0; s < size * size; ++s)
                        c.Set(x + gx * size + s % size, y + gy * size + s / size, pen);
                }
        } else if (op == "ink") {
            ink[word(1)[0]] = entry(2);
        } else if (op == "art") {
            int x = place(1), y = place(2), size = scale(3);
            for (int row = 0;; ++row) {
                if (++i >= lines.size()) Fail(where + ": 'art' without 'end'");
                if (lines[i] == "end") break;
                std::string rowWhere = source + ":" + std::to_string(i + 1);
                if (lines[i].size() > static_cast<size_t>(LargestSide) || row >= LargestSide)
                    Fail(rowWhere + ": a drawing is at most " + std::to_string(LargestSide) +
                         " pixels a side");
                for (size_t col = 0; col < lines[i].size(); ++col) {
                    char ch = lines[i][col];
                    if (ch == '.' || ch == ' ') continue;
                    auto found = ink.find(ch);
                    if (found == ink.end()) Fail(rowWhere + ": no ink for '" + std::string(1, ch) + "'");
                    for (int s = 0; s < size * size; ++s)
                        c.Set(x + static_cast<int>(col) * size + s % size, y + row * size + s / size,
                              found->second);
                }
            }
        } else {
            Fail(where + ": unknown command '" + op + "'");
        }
    }
    const std::string& out = args[1];
    bool icon = out.size() > 4 && out.substr(out.size() - 4) == ".ico";
    WriteFile(out, icon ? Ico(c) : Bmp(c));
}
