#include "tests/zarkolt/support.h"

#include <cstring>
#include <iterator>

namespace zarkolt_test {

using namespace zarkolt;

void BoardTest::Build(const Edition& edition) {
    ASSERT_TRUE(BuildBoard(images.Data(), edition));
}

void BoardTest::TearDown() {
    EXPECT_EQ(recorder.locks, 0);
    Sound = nullptr;
    SoundMute = 0;
}

} // namespace zarkolt_test
