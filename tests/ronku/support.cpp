#include "tests/ronku/support.h"

namespace ronku_test {

void RonkuTest::Build(const kluno::Edition& edition) {
    ASSERT_TRUE(ronku::BuildRonkuMachine(images.Data(), edition));
}

void RonkuTest::TearDown() {
    EXPECT_EQ(recorder.locks, 0);
    kluno::Sound = nullptr;
    kluno::SoundMute = 0;
}

} // namespace ronku_test
