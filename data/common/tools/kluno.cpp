// datapack commands for the KLUNO board's images:
//
//   datapack kluno-chars FONT ART OUT          character ROM (256 x 16 bytes, 2 bits a pixel)
//   datapack kluno-sprites ART OUT [CODES]     sprite ROM (two halves of CODES x 64 bytes,
//                                              256 unless given: RONKU's board has 128)
//   datapack kluno-colours COLOURS OUT_PROM OUT_CHAR_CLUT OUT_SPRITE_CLUT
//   datapack kluno-card SOURCE PROM OUT        the instruction card, its game colours from PROM
//
// FONT is a letter font in the shared text-art form (one bit a pixel, codes as
// CharCode gives them); its letters land at their ASCII codes. ART holds the
// board's own drawings (values 0-3 for characters, 0-9 for sprites) at their
// codes.
#include "kluno.h"

#include <cstdint>
#include <map>

#include "art.h"
#include "ascii_chars.h"
#include "canvas.h"
#include "sprite_art.h"

namespace {

// Character pixel p of row y, column x: rows 0-3 live in byte 15 - x at bit
// position 3 - y, rows 4-7 in byte 7 - x at 7 - y; the position's bit gives
// p bit 0 and the bit four above it p bit 1.
void PutCharacterPixel(std::vector<uint8_t>& rom, int code, int x, int y, int p) {
    int byte = code * 16 + (y < 4 ? 15 - x : 7 - x);
    int k = y < 4 ? 3 - y : 7 - y;
    if (p & 1) rom[byte] |= static_cast<uint8_t>(1 << k);
    if (p & 2) rom[byte] |= static_cast<uint8_t>(1 << (k + 4));
}

void PackCharacters(const std::string& fontPath, const std::string& artPath, const std::string& out) {
    std::vector<uint8_t> rom(4096, 0);
    PackAsciiCharacters(fontPath, artPath, 1,
                        [&](int code, int x, int y, int p) { PutCharacterPixel(rom, code, x, y, p); });
    WriteFile(out, rom);
}

void PackSprites(const std::string& art, const std::string& out, int codes) {
    const int half = codes * 64;
    std::vector<uint8_t> rom(2 * half, 0);
    PackSpriteArt(art, 9, codes, [&](int code, int byte, int bit, int v) {
        for (int h = 0; h < 2; ++h) {
            uint8_t& b = rom[h * half + code * 64 + byte];
            int pair = v >> (2 * h);
            if (pair & 1) b |= static_cast<uint8_t>(1 << bit);
            if (pair & 2) b |= static_cast<uint8_t>(1 << (bit + 4));
        }
    });
    WriteFile(out, rom);
}

// COLOURS lines:
//   colour N R G B      colour PROM entry N (0-31): red and green 0-7, blue 0-3
//   chars C a b c d     character colour set C (0-63): the colours (0-15, of
//                       PROM entries 16-31) of art values 0, 1, 2, 3
//   sprites C a b ...   sprite colour set C (0-15): the colours (0-15, of PROM
//                       entries 0-15; 15 is see-through) of art values 0, 1, ...
// Unlisted sets are all colour 15: black characters, invisible sprites.
void PackColours(const std::string& path, const std::string& outProm, const std::string& outChars,
                 const std::string& outSprites) {
    std::vector<uint8_t> prom(32, 0), chars(256, 15), sprites(256, 15);
    std::vector<std::string> lines = ReadLines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string where = path + ":" + std::to_string(i + 1);
        std::string line = lines[i];
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        std::vector<std::string> w = SplitWords(line);
        if (w.empty()) continue;
        std::vector<long> v;
        for (size_t k = 1; k < w.size(); ++k)
            v.push_back(ParseNumber(w[k], where));
        if (w[0] == "colour") {
            if (v.size() != 4 || v[0] < 0 || v[0] > 31 || v[1] < 0 || v[1] > 7 || v[2] < 0 || v[2] > 7 ||
                v[3] < 0 || v[3] > 3)
                Fail(where + ": expected 'colour N R G B' with N 0-31, R and G 0-7, B 0-3");
            prom[v[0]] = static_cast<uint8_t>(v[1] | v[2] << 3 | v[3] << 6);
        } else if (w[0] == "chars" || w[0] == "sprites") {
            bool isChars = w[0] == "chars";
            size_t values = isChars ? 4 : 16;
            long sets = isChars ? 64 : 16;
            if (v.size() < 2 || v.size() > values + 1 || (isChars && v.size() != 5) || v[0] < 0 ||
                v[0] >= sets)
                Fail(where + ": expected '" + w[0] + " SET colours...' (" + std::to_string(values) +
                     " colours at most, sets 0-" + std::to_string(sets - 1) + ")");
            for (size_t p = 1; p < v.size(); ++p) {
                if (v[p] < 0 || v[p] > 15) Fail(where + ": colours are 0-15");
                // Character pixel value p takes lookup entry 3 - p of its set.
                if (isChars)
                    chars[v[0] * 4 + 3 - (p - 1)] = static_cast<uint8_t>(v[p]);
                else
                    sprites[v[0] * 16 + p - 1] = static_cast<uint8_t>(v[p]);
            }
        } else {
            Fail(where + ": unknown line '" + w[0] + "'");
        }
    }
    WriteFile(outProm, prom);
    WriteFile(outChars, chars);
    WriteFile(outSprites, sprites);
}

// The card as the canvas draws it, then its colour-table entries 0x60-0x8F
// set from the colour PROM as the board's palette has them: 0x60-0x6F and
// 0x80-0x8F PROM entries 16-31, 0x70-0x7F entries 0-15.
void DrawCard(const std::string& source, const std::string& promPath, const std::string& out) {
    std::vector<uint8_t> prom = ReadFile(promPath);
    if (prom.size() != 32) Fail(promPath + ": the colour PROM has 32 bytes");
    DrawCanvas({source, out});
    std::vector<uint8_t> bmp = ReadFile(out);
    const size_t table = 14 + 40;
    if (bmp.size() < table + 256 * 4 || bmp[28] != 8) Fail(source + ": the card is an 8-bit picture");
    for (int pen = 0x60; pen < 0x90; ++pen) {
        uint8_t v = prom[pen < 0x70 ? pen - 0x50 : pen - 0x70];
        uint8_t* entry = &bmp[table + pen * 4];
        entry[0] = static_cast<uint8_t>((v >> 6) * 255 / 3);
        entry[1] = static_cast<uint8_t>(((v >> 3) & 7) * 255 / 7);
        entry[2] = static_cast<uint8_t>((v & 7) * 255 / 7);
        entry[3] = 0;
    }
    WriteFile(out, bmp);
}

} // namespace

int KlunoCommand(const std::vector<std::string>& a) {
    auto need = [&](size_t n) {
        if (a.size() != n + 1) Fail("wrong number of arguments for '" + a[0] + "'");
    };
    if (a[0] == "kluno-chars") {
        need(3);
        PackCharacters(a[1], a[2], a[3]);
    } else if (a[0] == "kluno-sprites") {
        if (a.size() != 3 && a.size() != 4) Fail("wrong number of arguments for '" + a[0] + "'");
        int codes = a.size() == 4 ? static_cast<int>(ParseNumber(a[3], a[0])) : 256;
        if (codes < 1 || codes > 256) Fail(a[0] + ": CODES is 1-256");
        PackSprites(a[1], a[2], codes);
    } else if (a[0] == "kluno-colours") {
        need(4);
        PackColours(a[1], a[2], a[3], a[4]);
    } else if (a[0] == "kluno-card") {
        need(3);
        DrawCard(a[1], a[2], a[3]);
    } else {
        Fail("unknown command '" + a[0] + "'");
    }
    return 0;
}
