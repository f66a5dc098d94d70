// The headless runner's options, input script and frame loop; the board
// is driven only through its face, with a sound device that keeps the
// buffer states and notes which buffers were started in each frame.
#include "tools/boardrun/boardrun.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "tools/png/png_file.h"

namespace boardrun {

namespace {

using boards::BoardFace;

uint32_t BufferStatus[32];
uint32_t Started; // bit b: buffer b started during the frame

void NoLock() {}
uint32_t Status(int buffer) {
    return BufferStatus[buffer & 31];
}
boards::PlayResult Play(int buffer, bool looping) {
    BufferStatus[buffer & 31] = boards::StatusPlaying | (looping ? uint32_t(boards::StatusLooping) : 0u);
    Started |= 1u << (buffer & 31);
    return boards::PlayResult::Ok;
}
void Stop(int buffer) {
    BufferStatus[buffer & 31] = 0;
}
void Restore(int) {}
bool Fill(int, const void*, uint32_t) {
    return true;
}
void SetPosition(int, uint32_t) {}
void SetRate(int, uint32_t) {}
void SetVolume(int, int32_t) {}

boards::SoundSeam RunnerSound = {boards::NoBuffer, NoLock, NoLock,      Status,  Play,     Stop,
                                 Restore,          Fill,   SetPosition, SetRate, SetVolume};

// The id of the board's primary buffer, or none.
int PrimaryOf(const BoardFace& face) {
    std::span<const boards::SoundBufferSpec> specs = face.soundBuffers();
    for (size_t id = 0; id < specs.size(); id++)
        if (specs[id].primary) return int(id);
    return boards::NoBuffer;
}

bool StartSoundTick() {
    return true;
}

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
bool BuildInputs(const BoardFace& face, const std::vector<ScriptLine>& script, int frames,
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
                while (control < face.controlCount && key != face.controls[control])
                    control++;
                if (control == face.controlCount) {
                    error = "input script: " + std::string(face.name) + " has no control \"" + key + "\"";
                    return false;
                }
                held |= 1u << control;
            }
        }
        input.held = held;
    }
    return true;
}

bool Build(const BoardFace& face, const Options& options, std::vector<std::vector<uint8_t>>& files,
           std::string& error) {
    bool built = false;
    if (options.dataDir.empty()) {
        if (!face.buildEmbedded) {
            error = std::string("no game data for ") + face.name + " is built in: give --data DIR";
            return false;
        }
        built = face.buildEmbedded(error);
    } else {
        std::vector<boards::ImageBytes> images;
        for (const boards::ImageFile& image : face.images) {
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
        for (const std::vector<uint8_t>& file : files)
            images.emplace_back(file);
        built = face.buildFromImages(images, error);
    }
    if (!built) return false;
    if (options.rotated) face.setTurned(true);
    std::fill(std::begin(BufferStatus), std::end(BufferStatus), 0u);
    RunnerSound.primary = PrimaryOf(face);
    face.attachSound(&RunnerSound);
    face.reset();
    return true;
}

// One frame: the held controls, the coins and starts as the game program's
// keys give them, the frame with the sound tick run at its end.
void RunOneFrame(const BoardFace& face, const FrameInput& input, bool rotated) {
    face.setControls(input.held);
    for (uint32_t coin = 0; coin < input.coins && face.insertCoin; coin++)
        face.insertCoin();
    for (uint32_t players = 1; players <= 2; players++)
        for (uint32_t press = 0; press < input.starts[players - 1] && face.pressStart; press++)
            face.pressStart(players, players);
    Started = 0;
    static const BoardFace* running;
    static bool turned;
    running = &face;
    turned = rotated;
    boards::FrameHooks hooks = {face.soundTick ? StartSoundTick : nullptr,
                                running->soundTick,
                                nullptr,
                                nullptr,
                                [] { running->render(turned); },
                                nullptr};
    face.runFrame(hooks);
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

bool Run(const Options& options, std::string& error) {
    const BoardFace* face = boards::FindBoard(options.board);
    if (!face) {
        error = "unknown board " + options.board;
        return false;
    }
    if (options.rotated && !face->canTurn) {
        error = options.board + " has no turned picture: --rotated does not apply";
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
    if (!BuildInputs(*face, script, options.frames, inputs, error)) return false;

    std::vector<std::vector<uint8_t>> files; // the board reads them for the whole run
    if (!Build(*face, options, files, error)) return false;

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
        RunOneFrame(*face, inputs[size_t(frame)], options.rotated);
        if (voices) *voices << frame << ' ' << face->voiceLine(Started) << '\n';
    }
    if (voices && !*voices) {
        error = "cannot write " + options.voicesFile;
        return false;
    }

    if (!options.pngFile.empty()) {
        return png_file::WritePalettePng(options.pngFile, face->picture(options.rotated),
                                         png_file::PaletteOf(*face), error);
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
