// Readers for the text sources of the game data: pixel art, number tables and
// manifests. Each reader stops the build with "file:line: message" on any
// malformed line, so a typo in a drawing never becomes a silent wrong image.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One drawing of an art file: its size and one value per pixel, row by row.
struct Glyph {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    int line = 0; // where the drawing starts, for messages
    uint8_t At(int x, int y) const { return pixels[y * width + x]; }
};

// An art file holds drawings:
//   size W H              default size of the drawings that follow
//   @ INDEX [WxH] [name]  a drawing; its H rows follow, W characters each
// Pixels: '.' is 0, '#' is 1, '0'-'9' are their values. '#' starts a comment
// only at the start of a line.
std::map<int, Glyph> ReadArt(const std::string& path);
// An art file of characters: every drawing 8 x 8.
std::map<int, Glyph> ReadFont(const std::string& path);

// A table file: every line that is not blank or a comment gives its list of
// integers (decimal, or hexadecimal with 0x). A leading "N:" label is skipped.
std::vector<std::vector<long>> ReadNumbers(const std::string& path);

// Splits a line into blank-separated words, honouring "double quoted" words.
std::vector<std::string> SplitWords(const std::string& line);

// Reads a whole file; stops the tool when it cannot.
std::vector<uint8_t> ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<std::string> ReadLines(const std::string& path);

long ParseNumber(const std::string& text, const std::string& where);
// A number that must lie in low-high (checked before anything is computed
// from it).
int ParseNumberIn(const std::string& text, int low, int high, const std::string& where);

[[noreturn]] void Fail(const std::string& message);

// A manifest line: file, size, field, description.
struct ManifestEntry {
    std::string file;
    long size = 0;
    std::string field;
    std::string what;
};
std::vector<ManifestEntry> ReadManifest(const std::string& path);

// The board's image list from its manifest (datapack slots, slots.cpp).
void WriteImageSlots(const std::string& manifest, const std::string& out);

// The 128 game colours as red, green and blue nibbles (palette.txt).
struct Rgb {
    uint8_t r, g, b;
};
std::vector<Rgb> ReadPalette(const std::string& path);

// The character code of an ASCII character in the game's character set:
// digits 0x00-0x09, letters 0x0A-0x23, blank 0x24, then punctuation; -1 for
// a character the set does not have.
int CharCode(char c);
