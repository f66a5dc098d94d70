#include "tests/common/sound_recorder.h"

#include <cstring>

namespace test_support {

namespace {

SoundRecorder* Active;

void Record(int buffer, const std::string& what) {
    Active->calls.push_back((Active->locks == 1 ? "" : "!") + std::to_string(buffer) + " " + what);
}

void Lock() {
    Active->locks++;
}
void Unlock() {
    Active->locks--;
}
uint32_t Status(int buffer) {
    Active->queries++;
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

boards::SoundSeam Seam = {boards::NoBuffer, Lock, Unlock,      Status,  Play,     Stop,
                          Restore,          Fill, SetPosition, SetRate, SetVolume};

} // namespace

void SoundRecorder::Install(const boards::SoundSeam*& sound, int primary) {
    Active = this;
    Seam.primary = primary;
    sound = &Seam;
}

std::vector<std::string> SoundRecorder::Take() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

} // namespace test_support
