// The arithmetic of the game window and of the full-screen displays, kept
// apart from the Windows calls that use it so that it can be tested natively.
//
//   ComputeWindowSizes   the outer sizes at zoom 1 and zoom 2 from the metrics
//   CentredPosition      where the window starts on the screen
//   ApplySizeType        the minimized and "Maximize" flags after a WM_SIZE
//   CorrectWindowSize    the outer size that gives the exact client area
//   BuildPaths           help file and launcher beside the program
//   NoteDisplayMode      the capable flags from the enumerated display modes
//   ChooseFullScreenMode 640 x 480 with the card, or the turned 320 x 240
//   CardLayout           where the instruction card and the picture go
#pragma once

#include <cstdint>
#include <string>

namespace frame {

inline constexpr int GameWidth = 224; // the upright picture of ZARKOLT, the default
inline constexpr int GameHeight = 288;
inline constexpr int Zoom = 2;

struct WindowMetrics {
    int cxEdge, cyEdge, cxBorder, cyBorder, cyCaption, cyMenu;
};

struct WindowSizes {
    int normalWidth, normalHeight; // outer size at zoom 1
    int zoomedWidth, zoomedHeight; // outer size when maximized
    int pictureWidth = GameWidth, pictureHeight = GameHeight;
};

// For a picture of the board's size (DOLLIX: 288 x 224).
WindowSizes ComputeWindowSizes(const WindowMetrics& metrics, int pictureWidth = GameWidth,
                               int pictureHeight = GameHeight);

struct Point {
    int x, y;
};

// (screen - size) / 2 on each axis, truncated toward zero, 0 when not positive.
Point CentredPosition(int screenWidth, int screenHeight, int width, int height);

// WM_SIZE size types.
enum : int { SizeRestored = 0, SizeMinimized = 1, SizeMaximized = 2 };

// Updates the flags for a size message; returns false for a minimize (the
// size rules stop there).
bool ApplySizeType(int sizeType, uint32_t* minimized, uint32_t* maximize);

// When the client area differs from the picture size in force (zoom 1, or
// zoom 2 with maximize), corrects the stored outer size by the difference
// and returns true: the window is then to be moved to that size.
bool CorrectWindowSize(WindowSizes* sizes, bool maximize, int clientWidth, int clientHeight);

struct ProgramPaths {
    std::string help;     // the program's path with the extension ".HLP"
    std::string launcher; // the parent of the program's directory + "\LAUNCHER.EXE"
};

// From the command line: a quoted program path up to the last double quote,
// else the text up to the last blank (the whole line when there is none).
ProgramPaths BuildPaths(const char* commandLine);

struct DisplayCapability {
    uint32_t fullScreenCapable; // 640 x 480 x 8 offered
    uint32_t modeXCapable;      // 320 x 240 x 8 offered
};

void NoteDisplayMode(DisplayCapability* capability, uint32_t width, uint32_t height, uint32_t bitsPerPixel);

struct FullScreenMode {
    uint32_t width, height;
    bool rotated;  // the picture turned a quarter turn, no card
    bool withCard; // the instruction card beside the picture
};

FullScreenMode ChooseFullScreenMode(bool modeXCapable, bool modeX);

struct Rect {
    int left, top, right, bottom;
};

// The 640 x 480 screen: background pen 1, a black frame of pen 0 around the
// picture at (208, 96), and the 168 x 264 card on both sides.
struct CardLayout {
    static constexpr int ScreenWidth = 640, ScreenHeight = 480;
    static constexpr uint8_t BackgroundPen = 1, FramePen = 0;
    static constexpr int CardWidth = 168, CardHeight = 264;
    static constexpr int Margin = 16, FrameWidth = 8;
    static constexpr int PictureLeft = (ScreenWidth - GameWidth) / 2;  // 208
    static constexpr int PictureTop = (ScreenHeight - GameHeight) / 2; // 96
    static constexpr Rect Frame = {PictureLeft - FrameWidth, PictureTop - FrameWidth,
                                   PictureLeft + GameWidth + FrameWidth,
                                   PictureTop + GameHeight + FrameWidth};
    static constexpr int CardTop = (ScreenHeight - CardHeight) / 2; // 108
    static constexpr Point LeftCard = {Margin, CardTop};
    static constexpr Point RightCard = {ScreenWidth - Margin - CardWidth, CardTop};
};

// Where a game's instruction card goes on the 640 x 480 screen: the whole
// surface in the background pen, the frame rectangle in the frame pen, the
// card bitmap (its size) at two places. The game description carries them.
struct CardPlaces {
    uint8_t backgroundPen, framePen;
    Rect frame;
    int cardWidth, cardHeight;
    Point left, right;
};

// The places of CardLayout (ZARKOLT's).
inline constexpr CardPlaces DefaultCardPlaces = {
    CardLayout::BackgroundPen, CardLayout::FramePen, CardLayout::Frame,    CardLayout::CardWidth,
    CardLayout::CardHeight,    CardLayout::LeftCard, CardLayout::RightCard};

} // namespace frame
