#include "tests/dollix/support.h"

#include <cstring>
#include <iterator>
#include <stdexcept>

#include "tools/asm6809/asm6809.h"

namespace dollix_test {

using namespace dollix;

std::vector<std::string> HookCalls;

void Assemble(TestImages& images, bool soundCpu, const std::string& source) {
    uint32_t base = soundCpu ? 0xE000 : 0x8000;
    std::string text =
        " ORG " + std::to_string(base) + "\n" + source + "\n ORG $FFF8\n FDB irq\n ORG $FFFE\n FDB reset\n";
    asm6809::Options options;
    options.base = base;
    options.size = 0x10000 - base;
    asm6809::Result result = asm6809::AssembleSource("test.asm", text, options);
    ASSERT_TRUE(result.errors.empty()) << result.errors.front();
    images[soundCpu ? &GameData::soundProgram : &GameData::mainProgram] = result.image;
}

SoundRecorder Recorder;

std::vector<std::string> SoundRecorder::Take() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

namespace {

void Note(const char* what) {
    HookCalls.push_back(what);
}

constexpr int Primary = kluno::PrimaryBuffer;

void Record(int buffer, const std::string& what) {
    Recorder.calls.push_back(std::to_string(buffer) + " " + what);
}

const boards::SoundSeam RecorderSeam = {
    Primary,
    [] {},
    [] {},
    [](int buffer) { return Recorder.status[buffer]; },
    [](int buffer, bool looping) {
        if (buffer == Primary) Note("sound");
        Record(buffer, looping ? "loop" : "once");
        Recorder.status[buffer] = boards::StatusPlaying | (looping ? uint32_t(boards::StatusLooping) : 0u);
        return boards::PlayResult::Ok;
    },
    [](int buffer) {
        if (buffer == Primary) Note("stop sound");
        Record(buffer, "stop");
        Recorder.status[buffer] &= ~(boards::StatusPlaying | boards::StatusLooping);
    },
    [](int buffer) { Record(buffer, "restore"); },
    [](int buffer, const void* bytes, uint32_t size) {
        int16_t first;
        std::memcpy(&first, bytes, sizeof first);
        Record(buffer, "fill " + std::to_string(size) + " " + std::to_string(first));
        return true;
    },
    [](int buffer, uint32_t position) { Record(buffer, "position " + std::to_string(position)); },
    [](int buffer, uint32_t hertz) { Record(buffer, "rate " + std::to_string(hertz)); },
    [](int buffer, int32_t volume) { Record(buffer, "volume " + std::to_string(volume)); },
};

} // namespace

void BoardTest::SetUp() {
    const char* idle = "reset BRA reset\nirq RTI";
    Assemble(images, false, idle);
    Assemble(images, true, idle);
    HookCalls.clear();
    Hooks = {[] { Note("save settings"); }, [] { Note("load"); }, [] { Note("save"); }};
    Recorder = {};
    kluno::Sound = &RecorderSeam;
    Build();
}

void BoardTest::TearDown() {
    kluno::Sound = nullptr;
    kluno::SoundMute = 0;
    Hooks = {};
}

void BoardTest::Build(const DipSettings& settings, bool highScoreTraps) {
    ASSERT_TRUE(BuildBoard(images.Data(), settings, highScoreTraps));
}

} // namespace dollix_test
