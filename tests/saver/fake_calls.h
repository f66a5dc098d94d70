// A recorder behind SaverCalls for the saver tests: every call is logged as
// text ("createEvent -> 2", "release 7"), any call named in `failing` fails
// (null handle, false), and the surfaces are memory with a pitch wider than
// the mode, so copies that stray show up.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "saver/saver.h"

namespace saver_test {

struct DisplayModeOffer {
    uint32_t width, height, bits;
};

struct FakeSystem {
    std::vector<std::string> calls;
    std::set<std::string> failing; // calls that fail by name
    int failNth = 0;               // the n-th call that can fail fails (1, 2, ...; 0: none)
    int attempts = 0;
    std::vector<DisplayModeOffer> modes = {{640, 480, 8}};
    static constexpr ptrdiff_t PitchSlack = 64;
    static constexpr uint8_t Untouched = 0xA5;
    std::vector<uint8_t> back; // the back buffer's memory
    ptrdiff_t pitch = 0;
    int flips = 0;
    void (*onFlip)() = nullptr; // called at every flip

    void Install(); // Calls := the recorder, State cleared
    // Logs a call that can fail and says whether it succeeds.
    bool Attempt(const std::string& call);
    bool Called(const std::string& call) const;
    std::vector<std::string> Take();
};
extern FakeSystem* Fake;

// The handle the recorder gave out n-th (1, 2, ...), as the log names it.
saver::Handle HandleNumber(uintptr_t n);

} // namespace saver_test
