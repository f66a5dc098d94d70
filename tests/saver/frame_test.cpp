// The saver frame's start-up tick and shut-down over the recorder: each step
// failed in turn, and the shut-down releasing exactly what exists, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/saver/fake_calls.h"

namespace {

using saver_test::FakeSystem;
using Log = std::vector<std::string>;

bool Build(uint8_t*, saver::PaletteEntry* palette) {
    palette[200] = {1, 2, 3, 1};
    return saver_test::Fake->Attempt("build");
}
void Frame() {}
bool InitSound() {
    return saver_test::Fake->Attempt("initSound");
}
void ReleaseSound() {
    saver_test::Fake->calls.push_back("releaseSound");
}

const saver::SaverBoard TestBoard = {
    16, saver::ModeRule::Portrait, true, nullptr, Build, Frame, InitSound, ReleaseSound};

class SaverFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake.Install();
        saver::Board = &TestBoard;
        saver::State.startupTimer = 1; // as the window's creation leaves it
    }

    FakeSystem fake;
};

const Log FullStart = {
    "version",
    "createEvent -> 1",
    "createEvent -> 2",
    "createMutex -> 3",
    "build",
    "createDirectDraw -> 4",
    "setExclusiveLevel",
    "enumerateModes",
    "setDisplayMode 640x480",
    "createPrimary -> 5",
    "backBuffer -> 6",
    "palette 254 = 12,12,20",
    "createPalette -> 7",
    "setPalette 5 7",
    "createBorder 640x480 -> 8",
    "fill 8 all with 254",
    "fill 8 200,88,440,392 with 0",
    "initSound",
    "startFrameTimer 16",
    "createThread -> 9",
};

TEST_F(SaverFrameTest, FirstTickBuildsEverythingAndLaterTicksOnlyResetTheMouseCount) {
    saver::SaverStartupTick();
    EXPECT_EQ(fake.Take(), FullStart);
    EXPECT_EQ(saver::Palette[200].blue, 3);
    saver::State.mouseMoves = 3;
    saver::SaverStartupTick();
    EXPECT_TRUE(fake.Take().empty());
    EXPECT_EQ(saver::State.mouseMoves, 0u);

    saver::SaverShutdown();
    EXPECT_EQ(fake.Take(), (Log{"setEvent 2", "waitThread 9", "closeHandle 9", "killStartupTimer 1",
                                "killFrameTimer 77", "setNormalLevel", "restoreDisplayMode", "releaseSound",
                                "release 8", "release 5", "release 7", "release 4", "closeHandle 1",
                                "closeHandle 2", "closeHandle 3", "destroyWindow"}));
}

TEST_F(SaverFrameTest, EachFailedStepClosesAndTheShutDownReleasesWhatExists) {
    const Log closeKernel = {"closeHandle 1", "closeHandle 2", "closeHandle 3"};
    struct Case {
        int failNth;     // the failing call among those that can fail
        Log releasedMid; // the shut-down between the start-up timer and the kernel objects
        int kernelMade;  // events and mutex made
    };
    const Case cases[] = {
        {1, {}, 0},                                                                 // version
        {2, {}, 0},                                                                 // frame event
        {3, {}, 1},                                                                 // quit event
        {4, {}, 2},                                                                 // mutex
        {5, {}, 3},                                                                 // the board's build
        {6, {}, 3},                                                                 // DirectDraw
        {7, {"setNormalLevel", "restoreDisplayMode", "release 4"}, 3},              // primary
        {8, {"setNormalLevel", "restoreDisplayMode", "release 5", "release 4"}, 3}, // back buffer
        {10, {"setNormalLevel", "restoreDisplayMode", "release 5", "release 7", "release 4"}, 3}, // border
        {11,
         {"setNormalLevel", "restoreDisplayMode", "releaseSound", "release 8", "release 5", "release 7",
          "release 4"},
         3}, // sound
        {12,
         {"killFrameTimer 77", "setNormalLevel", "restoreDisplayMode", "releaseSound", "release 8",
          "release 5", "release 7", "release 4"},
         3}, // thread
    };
    for (const Case& c : cases) {
        SetUp();
        fake.failNth = c.failNth;
        saver::SaverStartupTick();
        Log started = fake.Take();
        ASSERT_FALSE(started.empty());
        EXPECT_EQ(started.back(), "postClose") << "step " << c.failNth;
        EXPECT_EQ(started[started.size() - 2].substr(started[started.size() - 2].size() - 4), "fail")
            << "step " << c.failNth;

        saver::SaverShutdown();
        Log expected = {"killStartupTimer 1"};
        expected.insert(expected.end(), c.releasedMid.begin(), c.releasedMid.end());
        expected.insert(expected.end(), closeKernel.begin(), closeKernel.begin() + c.kernelMade);
        expected.push_back("destroyWindow");
        EXPECT_EQ(fake.Take(), expected) << "step " << c.failNth;
    }
}

TEST_F(SaverFrameTest, APaletteThatCannotBeMadeIsNotSet) {
    fake.failNth = 9;
    saver::SaverStartupTick();
    Log started = fake.Take();
    EXPECT_FALSE(fake.Called("postClose"));
    EXPECT_EQ(started[12], "createPalette -> fail");
    EXPECT_EQ(started[13], "createBorder 640x480 -> 7");
    saver::SaverShutdown();
    Log stopped = fake.Take();
    EXPECT_EQ(std::count(stopped.begin(), stopped.end(), "release 7"), 1);
    EXPECT_EQ(stopped.size(), 15u); // the palette's release is the one missing
}

TEST_F(SaverFrameTest, NoModeFitsClosesAtTheFirstTick) {
    fake.modes = {{640, 480, 16}, {320, 240, 8}, {512, 300, 8}};
    saver::SaverStartupTick();
    Log started = fake.Take();
    EXPECT_EQ(started.back(), "postClose");
    EXPECT_EQ(started[started.size() - 2], "enumerateModes");
    saver::SaverShutdown();
    EXPECT_EQ(fake.Take(), (Log{"killStartupTimer 1", "setNormalLevel", "restoreDisplayMode", "release 4",
                                "closeHandle 1", "closeHandle 2", "closeHandle 3", "destroyWindow"}));
}

TEST_F(SaverFrameTest, CloseBeforeTheFirstTickReleasesTheTimerAndTheWindow) {
    saver::SaverShutdown();
    EXPECT_EQ(fake.Take(), (Log{"killStartupTimer 1", "destroyWindow"}));
    // The preview has not even the timer.
    SetUp();
    saver::State.startupTimer = 0;
    saver::SaverShutdown();
    EXPECT_EQ(fake.Take(), (Log{"destroyWindow"}));
}

TEST_F(SaverFrameTest, MouseMovesBeyondFourASecondPassOn) {
    // Before DirectDraw exists a tick does not reset the count.
    fake.failNth = 1;
    for (int i = 0; i < 3; i++)
        EXPECT_FALSE(saver::CountMouseMove());
    saver::SaverStartupTick();
    EXPECT_FALSE(saver::CountMouseMove());
    EXPECT_TRUE(saver::CountMouseMove());

    SetUp();
    saver::SaverStartupTick();
    for (int second = 0; second < 2; second++) {
        for (int i = 0; i < 4; i++)
            EXPECT_FALSE(saver::CountMouseMove());
        EXPECT_TRUE(saver::CountMouseMove());
        EXPECT_TRUE(saver::CountMouseMove());
        saver::SaverStartupTick();
    }
}

TEST(SaverPreview, IconCentredWithDivisionTowardZero) {
    struct Case {
        int32_t right, bottom, x, y;
    };
    const Case cases[] = {{152, 112, 60, 40}, {31, 31, -1, -1}, {-5, -5, -18, -18}, {0, 0, -16, -16}};
    for (const Case& c : cases) {
        saver::Point at = saver::PreviewIconPlace(c.right, c.bottom);
        EXPECT_EQ(at.x, c.x);
        EXPECT_EQ(at.y, c.y);
    }
}

} // namespace
