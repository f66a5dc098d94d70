// Shared pieces of the KLUNO board tests: synthetic game data with small
// assembled programs, a fixture that builds a fresh board for every case, and
// a sound seam that records its calls.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "boards/kluno/kluno.h"
#include "tests/common/synthetic_images.h"

namespace kluno_test {

using SyntheticImages = test_support::SyntheticImages<kluno::GameData, kluno::ImageSlots>;
using test_support::Place;

// Assembles 6809 source into the image of a program ROM that starts at base
// (CPU 1: 0x8000, CPU 2: 0xE000), bytes no statement places 0xFF; the test
// fails on an assembly error.
void Assemble(std::vector<uint8_t>& rom, uint16_t base, const std::string& source);

// Records every call of the sound seam as text ("3 loop") and keeps a status
// per buffer as a sound device would.
struct SoundRecorder {
    std::vector<std::string> calls;
    uint32_t status[kluno::SoundBufferCount] = {};
    bool loseNextPlay = false; // the next play reports a lost buffer
    int failFills = 0;         // the next fills fail to lock
    bool primary = true;       // the device has a primary buffer

    void Install();                  // Sound := this recorder
    std::vector<std::string> Take(); // the calls so far, then clears them
};

class BoardTest : public ::testing::Test {
  protected:
    void SetUp() override { Build(); }
    void TearDown() override;
    void Build(M6809TrapHook hook = nullptr, const kluno::DipSettings& settings = {});

    uint8_t Read(int cpu, uint16_t address) { return M6809ReadByte(&kluno::Cpus[cpu], address); }
    void Write(int cpu, uint16_t address, uint8_t value) {
        M6809WriteByte(&kluno::Cpus[cpu], address, value);
    }

    SyntheticImages images;
    SoundRecorder recorder;
};

} // namespace kluno_test
