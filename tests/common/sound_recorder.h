// A sound seam for the board tests that records every call as text ("1 loop",
// "3 fill 64 -4096"; a "!" in front of a call made outside the sound lock)
// and keeps a status per buffer as a sound device would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "boards/sound_seam.h"

namespace test_support {

struct SoundRecorder {
    std::vector<std::string> calls;
    uint32_t status[16] = {};
    bool loseNextPlay = false; // the next play reports a lost buffer
    int failFills = 0;         // the next fills fail to lock and copy nothing
    int locks = 0;             // lock depth, 0 between calls
    int queries = 0;           // status queries, which the calls leave out

    // Makes this the recorder the seam records into and points sound at the
    // seam, whose primary buffer is primary (NoBuffer: the device has none).
    void Install(const boards::SoundSeam*& sound, int primary);
    std::vector<std::string> Take(); // the calls so far, then clears them
};

} // namespace test_support
