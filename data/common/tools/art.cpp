// Readers for the text sources of the game data (see art.h).
#include "art.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

[[noreturn]] void Fail(const std::string& message) {
    std::cerr << "datapack: " << message << "\n";
    std::exit(1);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) Fail("cannot write " + path);
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    if (!in) Fail("cannot read " + path);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> SplitWords(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            size_t end = line.find('"', i + 1);
            if (end == std::string::npos) end = line.size();
            words.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        size_t end = line.find_first_of(" \t", i);
        if (end == std::string::npos) end = line.size();
        words.push_back(line.substr(i, end - i));
        i = end;
    }
    return words;
}

long ParseNumber(const std::string& text, const std::string& where) {
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0') Fail(where + ": not a number: '" + text + "'");
    return value;
}

int ParseNumberIn(const std::string& text, int low, int high, const std::string& where) {
    long value = ParseNumber(text, where);
    if (value < low || value > high)
        Fail(where + ": " + text + " is not between " + std::to_string(low) + " and " + std::to_string(high));
    return static_cast<int>(value);
}

// The words of a table line: without a trailing '#' comment and without the
// "N:" labels. An empty quoted word is no number and no label.
static std::vector<std::string> TableWords(std::string line, const std::string& where) {
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.resize(hash);
    std::vector<std::string> words;
    for (const std::string& word : SplitWords(line)) {
        if (word.empty()) Fail(where + ": an empty word");
        if (word.back() != ':') words.push_back(word);
    }
    return words;
}

static bool IsComment(const std::string& line) {
    size_t i = line.find_first_not_of(" \t");
    return i == std::string::npos || line[i] == '#' || line[i] == ';';
}

// "16x32": a drawing's own size.
static bool IsSize(const std::string& word) {
    size_t x = word.find('x');
    if (x == std::string::npos || x == 0 || x + 1 == word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (i != x && (word[i] < '0' || word[i] > '9')) return false;
    return true;
}

// No drawing is larger than a four-part sprite; the bound keeps a drawing's
// size product far from overflowing.
constexpr int LargestDrawing = 256;

std::map<int, Glyph> ReadArt(const std::string& path) {
    std::vector<std::string> lines = ReadLines(path);
    std::map<int, Glyph> glyphs;
    int width = 8, height = 8;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string where = path + ":" + std::to_string(i + 1);
        if (IsComment(lines[i])) continue;
        std::vector<std::string> words = SplitWords(lines[i]);
        if (words[0] == "size" && words.size() == 3) {
            width = ParseNumberIn(words[1], 1, LargestDrawing, where);
            height = ParseNumberIn(words[2], 1, LargestDrawing, where);
            continue;
        }
        if (words[0] != "@" || words.size() < 2) Fail(where + ": expected '@ index' or 'size W H'");
        Glyph glyph;
        glyph.width = width;
        glyph.height = height;
        glyph.line = static_cast<int>(i + 1);
        int index = ParseNumberIn(words[1], 0, 0xFFFF, where);
        if (words.size() >= 3 && IsSize(words[2])) {
            size_t x = words[2].find('x');
            glyph.width = ParseNumberIn(words[2].substr(0, x), 1, LargestDrawing, where);
            glyph.height = ParseNumberIn(words[2].substr(x + 1), 1, LargestDrawing, where);
        }
        if (glyphs.count(index)) Fail(where + ": drawing " + std::to_string(index) + " given twice");
        for (int y = 0; y < glyph.height; ++y) {
            ++i;
            std::string rowWhere = path + ":" + std::to_string(i + 1);
            if (i >= lines.size()) Fail(rowWhere + ": drawing ends early");
            const std::string& row = lines[i];
            if (static_cast<int>(row.size()) != glyph.width)
                Fail(rowWhere + ": row is " + std::to_string(row.size()) + " wide, expected " +
                     std::to_string(glyph.width));
            for (char c : row) {
                if (c == '.')
                    glyph.pixels.push_back(0);
                else if (c == '#')
                    glyph.pixels.push_back(1);
                else if (c >= '0' && c <= '9')
                    glyph.pixels.push_back(static_cast<uint8_t>(c - '0'));
                else
                    Fail(rowWhere + ": unknown pixel '" + std::string(1, c) + "'");
            }
        }
        glyphs[index] = glyph;
    }
    return glyphs;
}

std::map<int, Glyph> ReadFont(const std::string& path) {
    std::map<int, Glyph> font = ReadArt(path);
    for (const auto& [index, glyph] : font)
        if (glyph.width != 8 || glyph.height != 8)
            Fail(path + ":" + std::to_string(glyph.line) + ": characters are 8x8");
    return font;
}

std::vector<std::vector<long>> ReadNumbers(const std::string& path) {
    std::vector<std::vector<long>> rows;
    std::vector<std::string> lines = ReadLines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsComment(lines[i])) continue;
        std::string where = path + ":" + std::to_string(i + 1);
        std::vector<long> row;
        for (const std::string& word : TableWords(lines[i], where))
            row.push_back(ParseNumber(word, where));
        if (!row.empty()) rows.push_back(row);
    }
    return rows;
}

std::vector<ManifestEntry> ReadManifest(const std::string& path) {
    std::vector<ManifestEntry> entries;
    std::vector<std::string> lines = ReadLines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsComment(lines[i])) continue;
        std::vector<std::string> words = SplitWords(lines[i]);
        if (words.size() < 4) Fail(path + ":" + std::to_string(i + 1) + ": expected file size field text");
        ManifestEntry entry{words[0], ParseNumber(words[1], path), words[2], ""};
        for (size_t w = 3; w < words.size(); ++w)
            entry.what += (w > 3 ? " " : "") + words[w];
        entries.push_back(entry);
    }
    return entries;
}

std::vector<Rgb> ReadPalette(const std::string& path) {
    std::vector<Rgb> colours;
    std::vector<std::string> lines = ReadLines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsComment(lines[i])) continue;
        std::string where = path + ":" + std::to_string(i + 1);
        for (const std::string& word : TableWords(lines[i], where)) {
            if (word.size() != 3) Fail(where + ": colour '" + word + "' is not RGB");
            long v = ParseNumber("0x" + word, where);
            colours.push_back(Rgb{static_cast<uint8_t>(v >> 8), static_cast<uint8_t>((v >> 4) & 15),
                                  static_cast<uint8_t>(v & 15)});
        }
    }
    if (colours.size() != 128) Fail(path + ": expected 128 colours, found " + std::to_string(colours.size()));
    return colours;
}

int CharCode(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    static const std::string punctuation = " .-!:/?',()=+*@";
    size_t i = punctuation.find(c);
    if (i == std::string::npos) return -1;
    return 0x24 + static_cast<int>(i);
}
