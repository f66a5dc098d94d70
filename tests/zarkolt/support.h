// Shared pieces of the board tests: synthetic game data, a fixture that
// builds a fresh board for every case, and a sound seam that records calls.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "boards/zarkolt/zarkolt.h"

namespace zarkolt_test {

// Every image of the game data at its exact size, all zero until a test
// writes into it.
struct SyntheticImages {
    SyntheticImages();
    std::vector<uint8_t>& operator[](zarkolt::Image zarkolt::GameData::*member);
    zarkolt::GameData Data() const;
    std::vector<std::vector<uint8_t>> bytes; // in ImageSlots order
};

// Writes bytes at an offset of an image.
void Place(std::vector<uint8_t>& image, size_t offset, std::initializer_list<uint8_t> bytes);

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
