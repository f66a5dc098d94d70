#include "tests/zarkolt/support.h"

#include <cstring>
#include <iterator>

namespace zarkolt_test {

using namespace zarkolt;

SoundRecorder* ActiveRecorder;

namespace {

void Record(int buffer, const std::string& what) {
    SoundRecorder& r = *ActiveRecorder;
    r.calls.push_back((r.locks == 1 ? "" : "!") + std::to_string(buffer) + " " + what);
}

void Lock() {
    ActiveRecorder->locks++;
}
void Unlock() {
    ActiveRecorder->locks--;
}
uint32_t Status(int buffer) {
    return ActiveRecorder->status[buffer];
}

PlayResult Play(int buffer, bool looping) {
    Record(buffer, looping ? "loop" : "once");
    if (ActiveRecorder->loseNextPlay) {
        ActiveRecorder->loseNextPlay = false;
        ActiveRecorder->status[buffer] = StatusBufferLost;
        return PlayResult::BufferLost;
    }
    ActiveRecorder->status[buffer] = StatusPlaying | (looping ? uint32_t(StatusLooping) : 0u);
    return PlayResult::Ok;
}

void Stop(int buffer) {
    Record(buffer, "stop");
    ActiveRecorder->status[buffer] &= ~(StatusPlaying | StatusLooping);
}

void Restore(int buffer) {
    Record(buffer, "restore");
    ActiveRecorder->status[buffer] &= ~StatusBufferLost;
}

bool Fill(int buffer, const void* bytes, uint32_t size) {
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

const SoundSeam RecorderSeam = {PrimaryBuffer, Lock, Unlock,      Status,  Play,     Stop,
                                Restore,       Fill, SetPosition, SetRate, SetVolume};

} // namespace

void SoundRecorder::Install() {
    ActiveRecorder = this;
    Sound = &RecorderSeam;
}

std::vector<std::string> SoundRecorder::Take() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

void BoardTest::Build(const Edition& edition) {
    ASSERT_TRUE(BuildBoard(images.Data(), edition));
}

void BoardTest::TearDown() {
    EXPECT_EQ(recorder.locks, 0);
    Sound = nullptr;
    SoundMute = 0;
    ActiveRecorder = nullptr;
}

} // namespace zarkolt_test
