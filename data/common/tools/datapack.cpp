// datapack: turns the readable sources of the ZARKOLT game data into the
// images the board carries, and embeds finished images into C++.
//
//   datapack chars ART OUT                      character ROM (256 x 8 bytes)
//   datapack tiles ART OUT_A OUT_B              tile ROM planes (512 x 8 bytes each)
//   datapack sprites ART1 ART23 OUT1 OUT2 OUT3 OUT_P2
//   datapack colours PALETTE TILESETS SPRITESETS OUT_R OUT_G OUT_B OUT_TILE OUT_SPRITE
//   datapack lookup METATILES MAP OUT_MAP OUT_FLAGS OUT_A OUT_B
//   datapack wave OUT                           waveform PROM
//   datapack samples OUT0 OUT1 OUT2             the three recorded samples
//   datapack notes OUT.inc                      note frequency tables for the sound program
//   datapack rom FILE SIZE [OFFSET]             pads a program to SIZE, last byte (or the one at OFFSET)
//                                               making the 8-bit sum 0
//   datapack canvas SOURCE OUT [FONT PALETTE SPRITES1 SPRITES23 SPRITESETS]
//   datapack check MANIFEST DIR                 every image present with its size
//   datapack kluno-...                          the KLUNO images (kluno.cpp)
//   datapack dollix-...                         the DOLLIX images (dollix.cpp)
//   datapack embed MANIFEST DIR FUNCTION OUT.cpp [HEADER]  (default: the ZARKOLT header)
//   datapack slots MANIFEST OUT.inc               the board's image list (slots.cpp)
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "art.h"
#include "canvas.h"
#include "dollix.h"
#include "kluno.h"
#include "sound.h"
#include "sprite_art.h"

namespace {

// Characters: each ROM byte is one column (the last byte the leftmost), bit 7
// the top row.
void PackCharacters(const std::string& art, const std::string& out) {
    std::vector<uint8_t> rom(2048, 0);
    for (const auto& [index, glyph] : ReadArt(art)) {
        if (index < 0 || index > 255 || glyph.width != 8 || glyph.height != 8)
            Fail(art + ":" + std::to_string(glyph.line) + ": characters are 8x8, numbered 0-255");
        RequireRange(glyph, index, 1, art);
        for (int r = 0; r < 8; ++r)
            for (int x = 0; x < 8; ++x)
                if (glyph.At(x, r)) rom[index * 8 + (7 - x)] |= static_cast<uint8_t>(0x80 >> r);
    }
    WriteFile(out, rom);
}

// Tiles: pixel = plane A bit x 2 + plane B bit, laid out like the characters.
void PackTiles(const std::string& art, const std::string& outA, const std::string& outB) {
    std::vector<uint8_t> a(4096, 0), b(4096, 0);
    for (const auto& [index, glyph] : ReadArt(art)) {
        if (index < 0 || index > 511 || glyph.width != 8 || glyph.height != 8)
            Fail(art + ":" + std::to_string(glyph.line) + ": tiles are 8x8, numbered 0-511");
        RequireRange(glyph, index, 3, art);
        for (int r = 0; r < 8; ++r)
            for (int x = 0; x < 8; ++x) {
                uint8_t p = glyph.At(x, r);
                uint8_t bit = static_cast<uint8_t>(0x80 >> r);
                if (p & 2) a[index * 8 + (7 - x)] |= bit;
                if (p & 1) b[index * 8 + (7 - x)] |= bit;
            }
    }
    WriteFile(outA, a);
    WriteFile(outB, b);
}

void PackSprites(const std::string& art1, const std::string& art23, const std::string& out1,
                 const std::string& out2, const std::string& out3, const std::string& outPlane) {
    std::vector<uint8_t> set1(4096, 0), set2(8192, 0), set3(8192, 0), plane(8192, 0);
    auto planes01 = [](uint8_t& s, int bit, int v) {
        if (v & 1) s |= static_cast<uint8_t>(1 << bit);
        if (v & 2) s |= static_cast<uint8_t>(1 << (bit + 4));
    };
    PackSpriteArt(art1, 3, 64,
                  [&](int code, int byte, int bit, int v) { planes01(set1[code * 64 + byte], bit, v); });
    PackSpriteArt(art23, 7, 256, [&](int code, int byte, int bit, int v) {
        bool third = code >= 128;
        int offset = (code & 127) * 64 + byte;
        planes01((third ? set3 : set2)[offset], bit, v);
        if (v & 4) plane[offset] |= static_cast<uint8_t>(1 << (bit + (third ? 4 : 0)));
    });
    WriteFile(out1, set1);
    WriteFile(out2, set2);
    WriteFile(out3, set3);
    WriteFile(outPlane, plane);
}

// Colour PROMs. The tile sets are listed by copy number n (0-127, 64 and up
// the upper half) with four palette indexes each, and land at the board's
// lookup index; the sprite sets are 64 lists of eight palette indexes.
void PackColours(const std::string& palettePath, const std::string& tilePath, const std::string& spritePath,
                 const std::string& outR, const std::string& outG, const std::string& outB,
                 const std::string& outTile, const std::string& outSprite) {
    std::vector<Rgb> palette = ReadPalette(palettePath);
    std::vector<uint8_t> red(256, 0), green(256, 0), blue(256, 0);
    for (int i = 0; i < 128; ++i) {
        red[i] = palette[i].r;
        green[i] = palette[i].g;
        blue[i] = palette[i].b;
    }
    WriteFile(outR, red);
    WriteFile(outG, green);
    WriteFile(outB, blue);

    std::vector<std::vector<long>> tileSets = ReadNumbers(tilePath);
    if (tileSets.size() != 128) Fail(tilePath + ": expected 128 colour sets");
    std::vector<uint8_t> tileProm(512, 0);
    for (int n = 0; n < 128; ++n) {
        if (tileSets[n].size() != 4) Fail(tilePath + ": set " + std::to_string(n) + " needs 4 colours");
        int c = n & 63;
        int offset = (c & 3) * 128 + (c & 0x3C) + (n >= 64 ? 64 : 0);
        for (int p = 0; p < 4; ++p) {
            long v = tileSets[n][p];
            if (v < 0 || v > 63) Fail(tilePath + ": tile colours are palette entries 0-63");
            tileProm[offset + p] = static_cast<uint8_t>(v);
        }
    }
    WriteFile(outTile, tileProm);

    std::vector<std::vector<long>> spriteSets = ReadNumbers(spritePath);
    if (spriteSets.size() != 64) Fail(spritePath + ": expected 64 colour sets");
    std::vector<uint8_t> spriteProm(512, 0);
    for (int s = 0; s < 64; ++s) {
        if (spriteSets[s].size() != 8) Fail(spritePath + ": set " + std::to_string(s) + " needs 8 colours");
        if (spriteSets[s][0] != 0) Fail(spritePath + ": entry 0 of every set is 0 (transparent)");
        for (int p = 0; p < 8; ++p) {
            long v = spriteSets[s][p];
            if (v < 0 || v > 127) Fail(spritePath + ": sprite colours are palette entries 0-127");
            spriteProm[s * 8 + p] = static_cast<uint8_t>(v);
        }
    }
    WriteFile(outSprite, spriteProm);
}

// Lookup chip ROMs from the metatile list and the lane maps.
//
// Metatiles: "ID: TL TR BL BR", each cell TILE:COLOUR with optional h
// (columns reversed) and v (rows reversed), as seen on the screen. ID 0-511:
// map byte ID & 255 with the bank bit ID >> 8.
// Map: "legend C ID [h][v]" gives a map character; "lane N" starts one of the
// four lanes, 128 rows of 16 characters from the far end (top) to the start;
// a row may end in "*N" to repeat it. A lane's column 0 is the left edge.
void PackLookup(const std::string& metaPath, const std::string& mapPath, const std::string& outMap,
                const std::string& outFlags, const std::string& outA, const std::string& outB) {
    std::vector<uint8_t> resultA(2048, 0), resultB(2048, 0), map(8192, 0), flags(4096, 0);
    std::vector<bool> defined(512);
    std::vector<std::string> lines = ReadLines(metaPath);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string where = metaPath + ":" + std::to_string(i + 1);
        std::string line = lines[i];
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        std::vector<std::string> words = SplitWords(line);
        if (words.empty()) continue;
        if (words.size() != 5 || words[0].empty() || words[0].back() != ':')
            Fail(where + ": expected 'ID: TL TR BL BR'");
        int id = ParseNumberIn(words[0].substr(0, words[0].size() - 1), 0, 511, where);
        if (defined[id]) Fail(where + ": metatile " + std::to_string(id) + " defined twice");
        defined[id] = true;
        int base = static_cast<int>((id & 255) * 4 | (id >> 8) * 0x400);
        // Screen order TL, TR, BL, BR; the chip's cell index is (along & 1) +
        // 2 x (across & 1), where "along" runs up the screen and "across" to
        // the left: 0 bottom right, 1 top right, 2 bottom left, 3 top left.
        static const int chipCell[4] = {3, 1, 2, 0};
        for (int c = 0; c < 4; ++c) {
            const std::string& cell = words[c + 1];
            size_t colon = cell.find(':');
            if (colon == std::string::npos) Fail(where + ": cell '" + cell + "' is not TILE:COLOUR");
            long tile = ParseNumber("0x" + cell.substr(0, colon), where);
            size_t end = cell.find_first_of("hv", colon);
            long colour =
                ParseNumber(cell.substr(colon + 1, end == std::string::npos ? end : end - colon - 1), where);
            bool h = end != std::string::npos && cell.find('h', end) != std::string::npos;
            bool v = end != std::string::npos && cell.find('v', end) != std::string::npos;
            if (tile < 0 || tile > 511 || colour < 0 || colour > 63)
                Fail(where + ": bad cell '" + cell + "'");
            if ((colour & 1) != (tile >> 8))
                Fail(where + ": tile " + cell.substr(0, colon) + " needs an " + (tile >> 8 ? "odd" : "even") +
                     " colour (colour bit 0 is tile bit 8)");
            // The chip exchanges bits 6 and 7 of result A on the way out.
            int index = base | chipCell[c];
            resultA[index] = static_cast<uint8_t>(colour | (v ? 0x80 : 0) | (h ? 0x40 : 0));
            resultB[index] = static_cast<uint8_t>(tile & 255);
        }
    }

    struct Legend {
        int id = -1;
        int flip = 0; // the chip's flip code: bit 0 rows, bit 1 columns
    };
    std::map<char, Legend> legend;
    int lane = -1, row = 0;
    std::vector<int> rowsInLane(4, 0);
    lines = ReadLines(mapPath);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string where = mapPath + ":" + std::to_string(i + 1);
        const std::string& line = lines[i];
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> words = SplitWords(line);
        if (words[0] == "legend") {
            if (words.size() < 3 || words[1].size() != 1) Fail(where + ": expected 'legend C ID [hv]'");
            Legend entry;
            entry.id = ParseNumberIn(words[2], 0, 511, where);
            if (words.size() > 3) {
                if (words[3].find('v') != std::string::npos) entry.flip |= 1;
                if (words[3].find('h') != std::string::npos) entry.flip |= 2;
            }
            legend[words[1][0]] = entry;
            continue;
        }
        if (words[0] == "lane") {
            if (words.size() != 2) Fail(where + ": expected 'lane N'");
            lane = ParseNumberIn(words[1], 0, 3, where);
            row = 0;
            continue;
        }
        if (lane < 0) Fail(where + ": map row before 'lane'");
        std::string cells = line.substr(0, 16);
        if (cells.size() != 16) Fail(where + ": map rows are 16 characters");
        int repeat = 1;
        if (line.size() > 16) {
            std::vector<std::string> tail = SplitWords(line.substr(16));
            if (tail.size() != 1 || tail[0].empty() || tail[0][0] != '*')
                Fail(where + ": expected '*N' after the row");
            repeat = ParseNumberIn(tail[0].substr(1), 1, 128, where);
        }
        for (int n = 0; n < repeat; ++n, ++row) {
            if (row >= 128) Fail(where + ": a lane has 128 rows");
            int along = 127 - row;
            for (int column = 0; column < 16; ++column) {
                auto found = legend.find(cells[column]);
                if (found == legend.end())
                    Fail(where + ": no legend for '" + std::string(1, cells[column]) + "'");
                if (!defined[found->second.id])
                    Fail(where + ": metatile " + std::to_string(found->second.id) + " is not defined");
                int across = lane * 16 + (15 - column);
                int k = across * 128 + along;
                map[k] = static_cast<uint8_t>(found->second.id & 255);
                // Stored flip: the chip exchanges codes 1 and 2.
                int stored = found->second.flip == 1 ? 2 : found->second.flip == 2 ? 1 : found->second.flip;
                int nibble = (found->second.id >> 8) | stored << 1;
                flags[k >> 1] |= static_cast<uint8_t>(k & 1 ? nibble << 4 : nibble);
            }
        }
        rowsInLane[lane] = row;
    }
    for (int l = 0; l < 4; ++l)
        if (rowsInLane[l] != 128)
            Fail(mapPath + ": lane " + std::to_string(l) + " has " + std::to_string(rowsInLane[l]) +
                 " rows, expected 128");
    WriteFile(outMap, map);
    WriteFile(outFlags, flags);
    WriteFile(outA, resultA);
    WriteFile(outB, resultB);
}

// No board carries an image larger than ZARKOLT's second recorded sample.
constexpr long LargestImage = 38710;

// A program ROM: the assembled bytes, zeros up to the ROM's size, and in the
// last byte (or the byte at sumOffset, for programs whose last bytes are
// vectors) the value that makes the 8-bit sum of the whole ROM 0 (the test
// screen checks it).
void FinishRom(const std::string& path, long size, long sumOffset) {
    if (size < 1 || size > LargestImage)
        Fail("rom " + path + ": size " + std::to_string(size) + " is not between 1 and " +
             std::to_string(LargestImage) + " bytes");
    std::vector<uint8_t> bytes = ReadFile(path);
    if (static_cast<long>(bytes.size()) > size)
        Fail(path + ": " + std::to_string(bytes.size()) + " bytes, more than the " + std::to_string(size) +
             " the ROM holds");
    bytes.resize(static_cast<size_t>(size), 0);
    if (sumOffset < 0 || sumOffset >= size) Fail(path + ": the sum byte lies outside the ROM");
    uint8_t& sumByte = bytes[static_cast<size_t>(sumOffset)];
    if (sumByte != 0) Fail(path + ": the sum byte must be left 0");
    unsigned sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    sumByte = static_cast<uint8_t>(-sum);
    WriteFile(path, bytes);
}

bool CheckImages(const std::string& manifest, const std::string& dir) {
    bool good = true;
    for (const ManifestEntry& entry : ReadManifest(manifest)) {
        std::filesystem::path path = std::filesystem::path(dir) / entry.file;
        std::error_code error;
        auto size = std::filesystem::file_size(path, error);
        if (error) {
            std::cerr << "datapack: game data image " << entry.file << " is missing in " << dir
                      << " (expected " << entry.size << " bytes: " << entry.what << ")\n";
            good = false;
        } else if (static_cast<long>(size) != entry.size) {
            std::cerr << "datapack: game data image " << entry.file << " has " << size << " bytes, expected "
                      << entry.size << " bytes (" << entry.what << ")\n";
            good = false;
        }
    }
    return good;
}

void Embed(const std::string& manifest, const std::string& dir, const std::string& function,
           const std::string& out, const std::string& header = "data/zarkolt/zarkolt_data.h") {
    if (!CheckImages(manifest, dir)) std::exit(1);
    std::vector<ManifestEntry> entries = ReadManifest(manifest);
    std::ofstream cpp(out);
    cpp << "// Generated by datapack from " << std::filesystem::path(manifest).filename().string()
        << "; do not edit.\n#include \"" << header << "\"\n\nnamespace {\n";
    for (const ManifestEntry& entry : entries) {
        std::vector<uint8_t> bytes = ReadFile((std::filesystem::path(dir) / entry.file).string());
        cpp << "\n// " << entry.file << ": " << entry.what << "\nconst uint8_t k_" << entry.field << "["
            << bytes.size() << "] = {";
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (i % 24 == 0) cpp << "\n   ";
            cpp << " " << static_cast<int>(bytes[i]) << ",";
        }
        cpp << "\n};\n";
    }
    cpp << "\n} // namespace\n\nstd::span<const ImageSpan> " << function
        << "() {\n    static const ImageSpan images[] = {\n";
    for (const ManifestEntry& entry : entries)
        cpp << "        ImageSpan(k_" << entry.field << "),\n";
    cpp << "    };\n    return images;\n}\n";
    if (!cpp) Fail("cannot write " + out);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> a(argv + 1, argv + argc);
    auto need = [&](size_t n) {
        if (a.size() != n + 1) Fail("wrong number of arguments for '" + (a.empty() ? "" : a[0]) + "'");
    };
    if (a.empty()) Fail("usage: datapack COMMAND ARGS... (see datapack.cpp)");
    const std::string& command = a[0];
    if (command == "chars") {
        need(2);
        PackCharacters(a[1], a[2]);
    } else if (command == "tiles") {
        need(3);
        PackTiles(a[1], a[2], a[3]);
    } else if (command == "sprites") {
        need(6);
        PackSprites(a[1], a[2], a[3], a[4], a[5], a[6]);
    } else if (command == "colours") {
        need(8);
        PackColours(a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]);
    } else if (command == "lookup") {
        need(6);
        PackLookup(a[1], a[2], a[3], a[4], a[5], a[6]);
    } else if (command == "wave") {
        need(1);
        WriteFile(a[1], MakeWaveProm());
    } else if (command == "samples") {
        need(3);
        for (int i = 0; i < 3; ++i)
            WriteFile(a[1 + i], MakeSample(i));
    } else if (command == "notes") {
        need(1);
        WriteNoteTables(a[1]);
    } else if (command == "rom") {
        if (a.size() != 3 && a.size() != 4) Fail("rom needs FILE SIZE [OFFSET]");
        long size = ParseNumber(a[2], "rom " + a[1] + ": size");
        FinishRom(a[1], size, a.size() == 4 ? ParseNumber(a[3], "rom " + a[1] + ": offset") : size - 1);
    } else if (command == "canvas") {
        if (a.size() < 3) Fail("canvas needs SOURCE OUT");
        DrawCanvas(std::vector<std::string>(a.begin() + 1, a.end()));
    } else if (command == "check") {
        need(2);
        return CheckImages(a[1], a[2]) ? 0 : 1;
    } else if (command.rfind("kluno-", 0) == 0) {
        return KlunoCommand(a);
    } else if (command.rfind("dollix-", 0) == 0) {
        return DollixCommand(a);
    } else if (command == "embed") {
        if (a.size() == 6)
            Embed(a[1], a[2], a[3], a[4], a[5]);
        else {
            need(4);
            Embed(a[1], a[2], a[3], a[4]);
        }
    } else if (command == "slots") {
        need(2);
        WriteImageSlots(a[1], a[2]);
    } else {
        Fail("unknown command '" + command + "'");
    }
    return 0;
}
