#include "tests/kluno/support.h"

#include <cstring>
#include <iterator>
#include <stdexcept>

#include "tools/asm6809/asm6809.h"

namespace kluno_test {

using namespace kluno;

void Assemble(std::vector<uint8_t>& rom, uint16_t base, const std::string& source) {
    asm6809::Options options;
    options.base = base;
    options.size = uint32_t(rom.size());
    asm6809::Result result = asm6809::AssembleSource("test.asm", source, options);
    ASSERT_TRUE(result.errors.empty()) << result.errors.front();
    rom = result.image;
}

namespace {

SoundRecorder* Active;

void Record(int buffer, const std::string& what) {
    Active->calls.push_back(std::to_string(buffer) + " " + what);
}

void NoLock() {}
uint32_t Status(int buffer) {
    return Active->status[buffer];
}

boards::PlayResult Play(int buffer, bool looping) {
    Record(buffer, looping ? "loop" : "once");
    if (Active->loseNextPlay) {
        Active->loseNextPlay = false;
        Active->status[buffer] = boards::StatusBufferLost;
        return boards::PlayResult::BufferLost;
    }
    Active->status[buffer] = boards::StatusPlaying | (looping ? uint32_t(boards::StatusLooping) : 0u);
    return boards::PlayResult::Ok;
}

void Stop(int buffer) {
    Record(buffer, "stop");
    Active->status[buffer] &= ~(boards::StatusPlaying | boards::StatusLooping);
}

void Restore(int buffer) {
    Record(buffer, "restore");
    Active->status[buffer] &= ~boards::StatusBufferLost;
}

bool Fill(int buffer, const void* bytes, uint32_t size) {
    if (Active->failFills > 0) {
        Active->failFills--;
        Record(buffer, "fill failed");
        return false;
    }
    int16_t first;
    std::memcpy(&first, bytes, sizeof first);
    Record(buffer, "fill " + std::to_string(size) + " " + std::to_string(first));
    return true;
}

void SetPosition(int buffer, uint32_t position) {
    Record(buffer, "position " + std::to_string(position));
}
void SetRate(int buffer, uint32_t hertz) {
    Record(buffer, "rate " + std::to_string(hertz));
}
void SetVolume(int buffer, int32_t volume) {
    Record(buffer, "volume " + std::to_string(volume));
}

boards::SoundSeam RecorderSeam = {PrimaryBuffer, NoLock, NoLock,      Status,  Play,     Stop,
                                  Restore,       Fill,   SetPosition, SetRate, SetVolume};

} // namespace

void SoundRecorder::Install() {
    Active = this;
    RecorderSeam.primary = primary ? PrimaryBuffer : boards::NoBuffer;
    Sound = &RecorderSeam;
}

std::vector<std::string> SoundRecorder::Take() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

void BoardTest::Build(M6809TrapHook hook, const DipSettings& settings) {
    ASSERT_TRUE(BuildKlunoMachine(images.Data(), hook, settings));
}

void BoardTest::TearDown() {
    Sound = nullptr;
    SoundMute = 0;
    SaveSettings = nullptr;
    Active = nullptr;
}

} // namespace kluno_test
