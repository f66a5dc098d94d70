// The counting sound device of the benchmarks.
#include "bench/common/counting_seam.h"

namespace bench_sound {

uint64_t Calls;

namespace {

void Lock() {
    Calls++;
}
uint32_t Status(int buffer) {
    Calls++;
    return buffer == PrimaryBuffer ? uint32_t(boards::StatusPlaying)
                                   : uint32_t(boards::StatusPlaying | boards::StatusLooping);
}
boards::PlayResult Play(int, bool) {
    Calls++;
    return boards::PlayResult::Ok;
}
void Buffer(int) {
    Calls++;
}
bool Fill(int, const void*, uint32_t) {
    Calls++;
    return true;
}
void Value(int, uint32_t) {
    Calls++;
}
void Volume(int, int32_t) {
    Calls++;
}

} // namespace

const boards::SoundSeam CountingSeam = {PrimaryBuffer, Lock, Lock,  Status, Play,  Buffer,
                                        Buffer,        Fill, Value, Value,  Volume};

void ChangeEveryVoice(uint8_t* registers, uint32_t frame) {
    for (uint32_t v = 0; v < 8; v++) {
        uint32_t frequency = 0x1000 + (frame * 37 + v * 511) % 0x8000;
        uint8_t* r = registers + 8 * v;
        r[0] = uint8_t(1 + (frame + v) % 15);
        r[1] = uint8_t(frequency);
        r[2] = uint8_t(frequency >> 8);
        r[3] = uint8_t(((frame + v) & 7) << 4 | (frequency >> 16 & 0x0F));
    }
}

} // namespace bench_sound
