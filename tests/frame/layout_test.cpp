// Window sizes, the size rules, paths, display modes and the full-screen
// composition.
#include <gtest/gtest.h>

#include <vector>

#include "boards/zarkolt/blitters.h"
#include "boards/zarkolt/renderer.h"
#include "boards/zarkolt/zarkolt_board.h"
#include "frame/fullscreen.h"
#include "frame/layout.h"

using namespace frame;

TEST(WindowSizes, FromTheMetrics) {
    WindowSizes sizes = ComputeWindowSizes({2, 2, 1, 1, 18, 19});
    EXPECT_EQ(sizes.normalWidth, 224 + 8 + 2);
    EXPECT_EQ(sizes.normalHeight, 288 + 8 + 2 + 18 + 19);
    EXPECT_EQ(sizes.zoomedWidth, sizes.normalWidth + 224);
    EXPECT_EQ(sizes.zoomedHeight, sizes.normalHeight + 288);

    struct Case {
        int screenWidth, screenHeight, width, height, x, y;
    };
    const Case cases[] = {
        {1024, 768, 234, 335, 395, 216}, {1024, 768, 235, 336, 394, 216}, // truncated
        {640, 480, 458, 623, 91, 0},     {400, 300, 458, 623, 0, 0},      // never negative
        {458, 623, 458, 623, 0, 0},      {459, 624, 458, 623, 0, 0},
    };
    for (const Case& c : cases) {
        Point at = CentredPosition(c.screenWidth, c.screenHeight, c.width, c.height);
        EXPECT_EQ(at.x, c.x) << c.screenWidth << " " << c.width;
        EXPECT_EQ(at.y, c.y) << c.screenHeight << " " << c.height;
    }
}

TEST(WindowSizes, SizeMessagesKeepTheFlags) {
    uint32_t minimized = 0, maximize = 0;
    EXPECT_TRUE(ApplySizeType(SizeMaximized, &minimized, &maximize));
    EXPECT_EQ(maximize, 1u);
    // Minimizing a maximized window and restoring it from the task bar gives
    // the maximized window back.
    EXPECT_FALSE(ApplySizeType(SizeMinimized, &minimized, &maximize));
    EXPECT_EQ(minimized, 1u);
    EXPECT_TRUE(ApplySizeType(SizeRestored, &minimized, &maximize));
    EXPECT_EQ(minimized, 0u);
    EXPECT_EQ(maximize, 1u);
    // A restore of a window that was not minimized leaves zoom 2.
    EXPECT_TRUE(ApplySizeType(SizeRestored, &minimized, &maximize));
    EXPECT_EQ(maximize, 0u);
    EXPECT_TRUE(ApplySizeType(3, &minimized, &maximize)); // other types change nothing
    EXPECT_EQ(maximize, 0u);
    EXPECT_EQ(minimized, 0u);
}

TEST(WindowSizes, CorrectionGivesTheExactClientArea) {
    WindowSizes sizes = {234, 335, 458, 623};
    EXPECT_FALSE(CorrectWindowSize(&sizes, false, 224, 288));
    EXPECT_FALSE(CorrectWindowSize(&sizes, true, 448, 576));

    // The real frame is 2 pixels wider and 20 higher than the metrics said.
    EXPECT_TRUE(CorrectWindowSize(&sizes, false, 222, 268));
    EXPECT_EQ(sizes.normalWidth, 236);
    EXPECT_EQ(sizes.normalHeight, 355);
    EXPECT_EQ(sizes.zoomedWidth, 458);
    EXPECT_TRUE(CorrectWindowSize(&sizes, true, 446, 556));
    EXPECT_EQ(sizes.zoomedWidth, 460);
    EXPECT_EQ(sizes.zoomedHeight, 643);
    EXPECT_TRUE(CorrectWindowSize(&sizes, false, 230, 290)); // too large shrinks
    EXPECT_EQ(sizes.normalWidth, 230);
    EXPECT_EQ(sizes.normalHeight, 353);
}

TEST(Paths, HelpAndLauncherBesideTheProgram) {
    struct Case {
        const char* commandLine;
        const char* help;
        const char* launcher;
    };
    const Case cases[] = {
        {"\"D:\\A\\B\\PROG.EXE\" /x", "D:\\A\\B\\PROG.HLP", "D:\\A\\LAUNCHER.EXE"},
        {"D:\\A\\B\\PROG.EXE /x", "D:\\A\\B\\PROG.HLP", "D:\\A\\LAUNCHER.EXE"},
        {"\"D:\\A\\B\\PROG.EXE\"", "D:\\A\\B\\PROG.HLP", "D:\\A\\LAUNCHER.EXE"},
        {"D:\\A\\B\\PROG.EXE", "D:\\A\\B\\PROG.HLP", "D:\\A\\LAUNCHER.EXE"},
        {"\"C:\\Program Files\\Velto\\ZARKOLT\\ZARKOLT.EXE\" ",
         "C:\\Program Files\\Velto\\ZARKOLT\\ZARKOLT.HLP", "C:\\Program Files\\Velto\\LAUNCHER.EXE"},
        {"\"Z:\\G\\Z.B\\ZARKOLT.EXE\"", "Z:\\G\\Z.B\\ZARKOLT.HLP", "Z:\\G\\LAUNCHER.EXE"},
    };
    for (const Case& c : cases) {
        ProgramPaths paths = BuildPaths(c.commandLine);
        EXPECT_EQ(paths.help, c.help) << c.commandLine;
        EXPECT_EQ(paths.launcher, c.launcher) << c.commandLine;
    }
}

TEST(DisplayModes, CapabilityAndChoice) {
    DisplayCapability capability = {};
    NoteDisplayMode(&capability, 640, 480, 16);
    NoteDisplayMode(&capability, 320, 240, 32);
    NoteDisplayMode(&capability, 800, 600, 8);
    EXPECT_EQ(capability.fullScreenCapable, 0u);
    EXPECT_EQ(capability.modeXCapable, 0u);
    NoteDisplayMode(&capability, 640, 480, 8);
    EXPECT_EQ(capability.fullScreenCapable, 1u);
    EXPECT_EQ(capability.modeXCapable, 0u);
    NoteDisplayMode(&capability, 320, 240, 8);
    EXPECT_EQ(capability.modeXCapable, 1u);

    for (bool capable : {false, true}) {
        for (bool modeX : {false, true}) {
            FullScreenMode mode = ChooseFullScreenMode(capable, modeX);
            bool rotated = capable && modeX;
            EXPECT_EQ(mode.rotated, rotated);
            EXPECT_EQ(mode.withCard, !rotated);
            EXPECT_EQ(mode.width, rotated ? 320u : 640u);
            EXPECT_EQ(mode.height, rotated ? 240u : 480u);
        }
    }
}

TEST(CardLayout, CardsFrameAndPicture) {
    EXPECT_EQ(CardLayout::PictureLeft, 208);
    EXPECT_EQ(CardLayout::PictureTop, 96);
    constexpr Rect frame = CardLayout::Frame;
    EXPECT_EQ(frame.left, 200);
    EXPECT_EQ(frame.top, 88);
    EXPECT_EQ(frame.right, 440);
    EXPECT_EQ(frame.bottom, 392);
    EXPECT_EQ(CardLayout::LeftCard.x, 16);
    EXPECT_EQ(CardLayout::RightCard.x, 456);
    EXPECT_EQ(CardLayout::LeftCard.y, 108);
    EXPECT_EQ(CardLayout::RightCard.y, 108);
    // 16-pixel gaps on both sides of the frame, and the last card row 371.
    EXPECT_EQ(frame.left - (CardLayout::LeftCard.x + CardLayout::CardWidth), 16);
    EXPECT_EQ(CardLayout::RightCard.x - frame.right, 16);
    EXPECT_EQ(CardLayout::ScreenWidth - (CardLayout::RightCard.x + CardLayout::CardWidth), 16);
    EXPECT_EQ(CardLayout::LeftCard.y + CardLayout::CardHeight - 1, 371);
}

namespace {

// A frame buffer whose picture pixel (x, y) is (x + 3y) & 0xFF, and a surface
// of the given size and pitch filled with 0xEE.
struct Composition {
    std::vector<uint8_t> frame = std::vector<uint8_t>(zarkolt::FrameWidth * zarkolt::FrameHeight, 0x55);
    std::vector<uint8_t> surface;
    int pitch;
    Composition(int width, int height, int pitch) : surface(size_t(pitch) * height, 0xEE), pitch(pitch) {
        for (int y = 0; y < 288; y++)
            for (int x = 0; x < 288; x++)
                frame[(16 + y) * zarkolt::FrameWidth + 16 + x] = uint8_t(x + 3 * y);
        zarkolt::FrameBuffer = frame.data();
        (void)width;
    }
    uint8_t At(int x, int y) const { return surface[size_t(y) * pitch + x]; }
};

} // namespace

TEST(Composition, PictureLandsInsideTheFrame) {
    // 640 x 480 with a pitch wider than the row, as surfaces may have.
    Composition full(640, 480, 704);
    zarkolt::CopyPictureFullScreen(full.surface.data(), full.pitch);
    int count = 0;
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x < 704; x++) {
            bool inside = x >= CardLayout::PictureLeft && x < CardLayout::PictureLeft + GameWidth &&
                          y >= CardLayout::PictureTop && y < CardLayout::PictureTop + GameHeight;
            if (inside) {
                count += full.At(x, y) == uint8_t(x - 208 + 3 * (y - 96));
            } else {
                ASSERT_EQ(full.At(x, y), 0xEE) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(count, GameWidth * GameHeight);

    // 320 x 240: the turned picture, 288 x 224, at (16, 8).
    Composition turned(320, 240, 320);
    zarkolt::CopyPictureModeX(turned.surface.data(), turned.pitch);
    EXPECT_EQ(turned.At(16, 8), 0);
    EXPECT_EQ(turned.At(16 + 287, 8 + 223), uint8_t(287 + 3 * 223));
    EXPECT_EQ(turned.At(15, 8), 0xEE);
    EXPECT_EQ(turned.At(304, 8), 0xEE);
    EXPECT_EQ(turned.At(16, 7), 0xEE);
    EXPECT_EQ(turned.At(16, 232), 0xEE);
}

namespace {

// Surfaces of the composition: the back buffer and the card, each a byte
// vector with its pitch; a lock can be made to fail.
struct FakeSurface {
    std::vector<uint8_t> pixels;
    ptrdiff_t pitch;
    bool lockFails = false;
    int locks = 0, unlocks = 0;
};

bool LockFake(void* surface, bool, uint8_t** pixels, ptrdiff_t* pitch) {
    FakeSurface& s = *static_cast<FakeSurface*>(surface);
    if (s.lockFails) return false;
    s.locks++;
    *pixels = s.pixels.data();
    *pitch = s.pitch;
    return true;
}

void UnlockFake(void* surface, uint8_t*) {
    static_cast<FakeSurface*>(surface)->unlocks++;
}

constexpr SurfaceSeam FakeSurfaces = {LockFake, UnlockFake};

} // namespace

TEST(Composition, TheProgramsStepsOverTheBoardFace) {
    Composition picture(640, 480, 704); // sets the board's frame buffer
    struct Case {
        const char* what;
        bool turned, backFails, cardFails;
        uint8_t outside; // a pixel outside the picture afterwards
    };
    const Case cases[] = {
        {"card beneath the picture", false, false, false, 0x33},
        {"card lock fails: the back buffer keeps its pixels", false, false, true, 0xEE},
        {"back buffer lock fails: nothing composed", false, true, false, 0xEE},
        {"turned: the screen cleared first", true, false, false, 0x00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSurface back = {std::vector<uint8_t>(704 * 480, 0xEE), 704, c.backFails};
        FakeSurface card = {std::vector<uint8_t>(640 * 480, 0x33), 640, c.cardFails};
        ComposeFullScreen(zarkolt::Face, FakeSurfaces, &back, &card, c.turned);
        EXPECT_EQ(back.pixels[5 * 704 + 5], c.outside);
        EXPECT_EQ(back.locks, back.unlocks);
        EXPECT_EQ(card.locks, card.unlocks);
        if (c.backFails) {
            EXPECT_EQ(card.locks, 0);
            EXPECT_EQ(back.pixels[96 * 704 + 208], 0xEE);
        } else if (c.turned) {
            EXPECT_EQ(card.locks, 0);
            EXPECT_EQ(back.pixels[8 * 704 + 16 + 287], uint8_t(287)); // turned picture pixel (287, 0)
            EXPECT_EQ(back.pixels[239 * 704 + 319], 0x00);
            EXPECT_EQ(back.pixels[239 * 704 + 320], 0xEE); // the 320 x 240 screen only
        } else {
            EXPECT_EQ(back.pixels[96 * 704 + 208], 0); // picture (0, 0)
            EXPECT_EQ(back.pixels[(96 + 287) * 704 + 208 + 223], uint8_t(223 + 3 * 287));
            EXPECT_EQ(back.pixels[479 * 704 + 639], c.outside);
        }
    }
}
