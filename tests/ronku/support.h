// Shared pieces of the RONKU board tests: synthetic game data in RONKU's
// sizes, with small assembled programs when a case needs the CPUs, and a
// fixture that builds a fresh board for every case.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "boards/ronku/ronku.h"
#include "boards/ronku/ronku_board.h"
#include "tests/kluno/support.h"

namespace ronku_test {

using SyntheticImages = test_support::SyntheticImages<ronku::GameData, ronku::ImageSlots>;
using kluno_test::Assemble;
using kluno_test::SoundRecorder;
using test_support::Place;

class RonkuTest : public ::testing::Test {
  protected:
    void SetUp() override { Build(); }
    void TearDown() override;
    void Build(const kluno::Edition& edition = ronku::RonkuEdition);

    uint8_t Read(int cpu, uint16_t address) { return M6809ReadByte(&ronku::Cpus[cpu], address); }
    void Write(int cpu, uint16_t address, uint8_t value) {
        M6809WriteByte(&ronku::Cpus[cpu], address, value);
    }

    SyntheticImages images;
    SoundRecorder recorder;
};

} // namespace ronku_test
