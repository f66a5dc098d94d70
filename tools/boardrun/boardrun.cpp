// The headless runner's options, input script and frame loop; the board
// specifics come from the board's glue.
#include "tools/boardrun/boardrun.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace boardrun {

namespace {

const BoardGlue* const Boards[] = {&ZarkoltGlue};

const char Usage[] =
    "usage: boardrun [--board NAME] [--data DIR] [--frames N] [--input FILE] [--png FILE] [--rotated]\n"
    "                [--voices FILE|-]\n";

bool ParseNumber(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [last, failure] = std::from_chars(text.data(), end, value);
    return failure == std::errc() && last == end && value >= 0;
}

std::vector<std::string> SplitKeys(const std::string& text) {
    std::vector<std::string> keys;
    if (text == "-") return keys;
    std::istringstream in(text);
    for (std::string key; std::getline(in, key, ',');)
        keys.push_back(key);
    return keys;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// The input of every frame, from the script.
bool BuildInputs(const BoardGlue& glue, const std::vector<ScriptLine>& script, int frames,
                 std::vector<FrameInput>& inputs, std::string& error) {
    inputs.assign(size_t(frames), FrameInput{});
    uint32_t held = 0;
    size_t next = 0;
    for (int frame = 0; frame < frames; frame++) {
        FrameInput& input = inputs[size_t(frame)];
        for (; next < script.size() && script[next].frame == frame; next++) {
            held = 0;
            input.coins += script[next].coins;
            for (const std::string& key : script[next].keys) {
                if (key == "start1" || key == "start2") {
                    input.starts[key == "start2"]++;
                    continue;
                }
                int control = 0;
                while (control < glue.controlCount && key != glue.controls[control])
                    control++;
                if (control == glue.controlCount) {
                    error = "input script: " + std::string(glue.name) + " has no control \"" + key + "\"";
                    return false;
                }
                held |= 1u << control;
            }
        }
        input.held = held;
    }
    return true;
}

bool Build(const BoardGlue& glue, const Options& options, std::vector<std::vector<uint8_t>>& files,
           std::string& error) {
    if (options.dataDir.empty()) {
        if (glue.buildEmbedded) return glue.buildEmbedded(options.rotated, error);
        error = std::string("no game data for ") + glue.name + " is built in: give --data DIR";
        return false;
    }
    for (const ImageFile& image : glue.imageFiles()) {
        std::string path = options.dataDir + "/" + image.name;
        files.emplace_back();
        if (!ReadFile(path, files.back())) {
            error = "cannot read " + path;
            return false;
        }
        if (files.back().size() != image.size) {
            error = path + " has " + std::to_string(files.back().size()) + " bytes, expected " +
                    std::to_string(image.size);
            return false;
        }
    }
    return glue.buildFromFiles(files, options.rotated, error);
}

} // namespace

bool ParseOptions(int argc, const char* const* argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; i++) {
        std::string option = argv[i];
        if (option == "--rotated") {
            options.rotated = true;
            continue;
        }
        if (option == "--help") {
            error = Usage;
            return false;
        }
        if (i + 1 >= argc) {
            error = "option " + option + " needs a value\n" + Usage;
            return false;
        }
        std::string value = argv[++i];
        if (option == "--board")
            options.board = value;
        else if (option == "--data")
            options.dataDir = value;
        else if (option == "--input")
            options.inputFile = value;
        else if (option == "--png")
            options.pngFile = value;
        else if (option == "--voices")
            options.voicesFile = value;
        else if (option == "--frames") {
            if (!ParseNumber(value, options.frames)) {
                error = "--frames takes a number of frames, not " + value;
                return false;
            }
        } else {
            error = "unknown option " + option + "\n" + Usage;
            return false;
        }
    }
    return true;
}

bool ParseScript(std::istream& in, std::vector<ScriptLine>& lines, std::string& error) {
    int number = 0;
    for (std::string text; std::getline(in, text);) {
        number++;
        text = text.substr(0, text.find('#'));
        std::istringstream fields(text);
        std::string frame, keys, coins, extra;
        if (!(fields >> frame)) continue;
        ScriptLine line{0, {}, 0};
        int coinCount = 0;
        fields >> keys >> coins >> extra;
        if (!ParseNumber(frame, line.frame) || keys.empty() ||
            (!coins.empty() && !ParseNumber(coins, coinCount)) || !extra.empty()) {
            error = "input script line " + std::to_string(number) + ": expected \"frame keys [coins]\"";
            return false;
        }
        if (!lines.empty() && line.frame <= lines.back().frame) {
            error = "input script line " + std::to_string(number) + ": frames must ascend";
            return false;
        }
        line.keys = SplitKeys(keys);
        line.coins = uint32_t(coinCount);
        lines.push_back(line);
    }
    return true;
}

const BoardGlue* FindBoard(const std::string& name) {
    for (const BoardGlue* glue : Boards)
        if (name == glue->name) return glue;
    return nullptr;
}

bool Run(const Options& options, std::string& error) {
    const BoardGlue* glue = FindBoard(options.board);
    if (!glue) {
        error = "unknown board " + options.board;
        return false;
    }
    std::vector<ScriptLine> script;
    if (!options.inputFile.empty()) {
        std::ifstream in(options.inputFile);
        if (!in) {
            error = "cannot read " + options.inputFile;
            return false;
        }
        if (!ParseScript(in, script, error)) return false;
    }
    std::vector<FrameInput> inputs;
    if (!BuildInputs(*glue, script, options.frames, inputs, error)) return false;

    std::vector<std::vector<uint8_t>> files; // the board reads them for the whole run
    if (!Build(*glue, options, files, error)) return false;

    std::ofstream voicesFile;
    std::ostream* voices = nullptr;
    if (options.voicesFile == "-") {
        voices = &std::cout;
    } else if (!options.voicesFile.empty()) {
        voicesFile.open(options.voicesFile);
        if (!voicesFile) {
            error = "cannot write " + options.voicesFile;
            return false;
        }
        voices = &voicesFile;
    }

    for (int frame = 0; frame < options.frames; frame++) {
        glue->runFrame(inputs[size_t(frame)], options.rotated);
        if (voices) *voices << frame << ' ' << glue->voiceLine() << '\n';
    }
    if (voices && !*voices) {
        error = "cannot write " + options.voicesFile;
        return false;
    }

    if (!options.pngFile.empty()) {
        uint8_t palette[256][3];
        glue->palette(palette);
        return WritePng(options.pngFile, glue->picture(options.rotated), palette, error);
    }
    return true;
}

int Main(int argc, const char* const* argv) {
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error) || !Run(options, error)) {
        std::fprintf(stderr, "boardrun: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

} // namespace boardrun
