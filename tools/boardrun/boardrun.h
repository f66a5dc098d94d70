// The headless runner: runs a board for a number of frames with its game data
// and an optional input script, then writes the last picture as a PNG and
// the voice state of every frame as text.
//
//   boardrun [--board NAME] [--data DIR] [--frames N] [--input FILE]
//            [--png FILE] [--rotated] [--voices FILE|-]
//
// Input script: one line per change, "frame keys [coins]", frames ascending;
// keys is "-" or a comma-separated list of the board's controls (held from
// that frame until the next line) and "start1"/"start2" (pressed once at
// that frame); coins are inserted at that frame. "#" starts a comment.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "boards/board.h"

namespace boardrun {

struct Options {
    std::string board = "zarkolt";
    std::string dataDir; // empty: the embedded game data
    int frames = 60;
    std::string inputFile;  // empty: no input
    std::string pngFile;    // empty: no picture
    std::string voicesFile; // empty: none; "-": standard output
    bool rotated = false;
};

// The input of one frame: bit i of held is the board's control i.
struct FrameInput {
    uint32_t held;
    uint32_t coins;     // coins inserted at this frame
    uint32_t starts[2]; // one- and two-player start presses at this frame
};

struct ScriptLine {
    int frame;
    std::vector<std::string> keys;
    uint32_t coins;
};

bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& error);
bool ParseScript(std::istream& in, std::vector<ScriptLine>& lines, std::string& error);

bool Run(const Options& options, std::string& error);
int Main(int argc, const char* const* argv);

} // namespace boardrun
