// The game-data tests' view of a manifest (file name, size and field of each
// image, in order) and of the image files the build made.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace manifest {

struct Entry {
    std::string file;
    size_t size = 0;
    std::string field; // the member of the board's game data
};

inline std::vector<Entry> Read(const std::string& path) {
    std::vector<Entry> entries;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        Entry entry;
        words >> entry.file >> entry.size >> entry.field;
        entries.push_back(entry);
    }
    return entries;
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace manifest
