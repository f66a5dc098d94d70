#include "tests/kluno/support.h"

#include "tools/asm6809/asm6809.h"

namespace kluno_test {

using namespace kluno;

void Assemble(std::vector<uint8_t>& rom, uint16_t base, const std::string& source) {
    asm6809::Options options;
    options.base = base;
    options.size = uint32_t(rom.size());
    asm6809::Result result = asm6809::AssembleSource("test.asm", source, options);
    ASSERT_TRUE(result.errors.empty()) << result.errors.front();
    rom = result.image;
}

void BoardTest::Build(M6809TrapHook hook, const DipSettings& settings) {
    ASSERT_TRUE(BuildKlunoMachine(images.Data(), hook, settings));
}

void BoardTest::TearDown() {
    EXPECT_EQ(recorder.locks, 0);
    Sound = nullptr;
    SoundMute = 0;
    SaveSettings = nullptr;
}

} // namespace kluno_test
