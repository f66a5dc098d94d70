// Shared pieces of the board tests: synthetic game data, a fixture that
// builds a fresh board for every case, and a sound seam that records calls.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "boards/zarkolt/zarkolt.h"
#include "tests/common/synthetic_images.h"

namespace zarkolt_test {

using SyntheticImages = test_support::SyntheticImages<zarkolt::GameData, zarkolt::ImageSlots>;
using test_support::Place;

// Records every call of the sound seam as text ("play 1 loop") and keeps a
// status per buffer as a sound device would.
struct SoundRecorder {
    std::vector<std::string> calls;
    uint32_t status[zarkolt::SoundBufferCount] = {};
    bool loseNextPlay = false; // the next play reports a lost buffer
    int locks = 0;             // lock depth, checked to be 0 between calls

    void Install();                  // Sound := this recorder
    std::vector<std::string> Take(); // the calls so far, then clears them
};
extern SoundRecorder* ActiveRecorder;

class BoardTest : public ::testing::Test {
  protected:
    void SetUp() override { Build(); }
    void TearDown() override;
    void Build(const zarkolt::Edition& edition = zarkolt::ZarkoltEdition); // a fresh board from images

    uint8_t Read(int cpu, uint16_t address) { return Z80ReadByte(&zarkolt::Cpus[cpu], address); }
    void Write(int cpu, uint16_t address, uint8_t value) {
        Z80WriteByte(&zarkolt::Cpus[cpu], address, value);
    }

    SyntheticImages images;
    SoundRecorder recorder;
};

} // namespace zarkolt_test
