// What the headless runner needs from a board: its image files, how to build
// it, its controls, one frame, the picture with its palette and a line of
// voice state. Each board supplies one BoardGlue in a small file of its own
// and is listed in the runner's board table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace boardrun {

struct ImageFile {
    std::string name; // file name in the data directory
    size_t size;      // exact size in bytes
};

struct FrameInput {
    uint32_t held;      // bit i: the board's control i is held
    uint32_t coins;     // coins inserted at this frame
    uint32_t starts[2]; // one- and two-player start presses at this frame
};

struct Picture {
    const uint8_t* pixels; // top-left pixel, one palette index a byte
    int width;
    int height;
    ptrdiff_t pitch;
};

struct BoardGlue {
    const char* name;
    std::vector<ImageFile> (*imageFiles)();
    // Builds and resets the board from the images, in imageFiles() order; the
    // bytes stay alive for the whole run.
    bool (*buildFromFiles)(const std::vector<std::vector<uint8_t>>& files, bool rotated, std::string& error);
    // From the game data embedded in the runner; null when none is linked in.
    bool (*buildEmbedded)(bool rotated, std::string& error);
    const char* const* controls; // names of the held controls, bit 0 first
    int controlCount;
    void (*runFrame)(const FrameInput& input, bool rotated);
    Picture (*picture)(bool rotated);
    void (*palette)(uint8_t rgb[256][3]);
    std::string (*voiceLine)(); // the voices after the frame just run
};

extern const BoardGlue ZarkoltGlue;

} // namespace boardrun
