// Shared pieces of the DOLLIX board tests: small hand-built game data, 6809
// programs assembled from text into it, and a fixture that builds a fresh
// board for every case and counts the board's hook calls.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "boards/dollix/dollix.h"
#include "tests/common/synthetic_images.h"

namespace dollix_test {

// Every image at its exact size, all zero until a test writes into it.
using TestImages = test_support::SyntheticImages<dollix::GameData, dollix::ImageSlots>;

// Assembles source (which defines the labels reset and irq) into the main
// ROM (0x8000-0xFFFF) or the sound ROM (0xE000-0xFFFF) with its vectors.
void Assemble(TestImages& images, bool soundCpu, const std::string& source);

// Hook calls, in order: "save settings", "load", "save", and from the sound
// device "sound" (the primary buffer played) and "stop sound" (stopped).
extern std::vector<std::string> HookCalls;

// A sound device that keeps a status per buffer and records every call as
// text ("3 rate 100").
struct SoundRecorder {
    std::vector<std::string> calls;
    uint32_t status[kluno::SoundBufferCount] = {};
    std::vector<std::string> Take(); // the calls so far, then clears them
};
extern SoundRecorder Recorder; // installed as the device by the fixture

class BoardTest : public ::testing::Test {
  protected:
    // Both CPUs idle in a loop with an RTI for their IRQs until a test
    // assembles its own programs and builds again.
    void SetUp() override;
    void TearDown() override;
    void Build(const dollix::DipSettings& settings = {}, bool highScoreTraps = true);

    uint8_t Read(int cpu, uint16_t address) { return M6809ReadByte(&dollix::Cpus[cpu], address); }
    void Write(int cpu, uint16_t address, uint8_t value) {
        M6809WriteByte(&dollix::Cpus[cpu], address, value);
    }

    TestImages images;
};

} // namespace dollix_test
