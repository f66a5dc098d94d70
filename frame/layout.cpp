// Window sizes, paths, display modes and the full-screen layout.
#include "frame/layout.h"

namespace frame {

WindowSizes ComputeWindowSizes(const WindowMetrics& m, int pictureWidth, int pictureHeight) {
    WindowSizes sizes;
    sizes.normalWidth = pictureWidth + 4 * m.cxEdge + 2 * m.cxBorder;
    sizes.normalHeight = pictureHeight + 4 * m.cyEdge + 2 * m.cyBorder + m.cyCaption + m.cyMenu;
    sizes.zoomedWidth = sizes.normalWidth + pictureWidth;
    sizes.zoomedHeight = sizes.normalHeight + pictureHeight;
    sizes.pictureWidth = pictureWidth;
    sizes.pictureHeight = pictureHeight;
    return sizes;
}

Point CentredPosition(int screenWidth, int screenHeight, int width, int height) {
    int x = (screenWidth - width) / 2;
    int y = (screenHeight - height) / 2;
    return {x > 0 ? x : 0, y > 0 ? y : 0};
}

bool ApplySizeType(int sizeType, uint32_t* minimized, uint32_t* maximize) {
    switch (sizeType) {
        case SizeMinimized: *minimized = 1; return false;
        case SizeMaximized:
            *minimized = 0;
            *maximize = 1;
            break;
        case SizeRestored:
            if (*minimized)
                *minimized = 0;
            else
                *maximize = 0;
            break;
        default: break;
    }
    return true;
}

bool CorrectWindowSize(WindowSizes* sizes, bool maximize, int clientWidth, int clientHeight) {
    int wantWidth = maximize ? Zoom * sizes->pictureWidth : sizes->pictureWidth;
    int wantHeight = maximize ? Zoom * sizes->pictureHeight : sizes->pictureHeight;
    if (clientWidth == wantWidth && clientHeight == wantHeight) return false;
    int& width = maximize ? sizes->zoomedWidth : sizes->normalWidth;
    int& height = maximize ? sizes->zoomedHeight : sizes->normalHeight;
    width += wantWidth - clientWidth;
    height += wantHeight - clientHeight;
    return true;
}

namespace {

// The text before the last backslash (all of it when there is none).
std::string CutAtLastBackslash(const std::string& text) {
    size_t last = text.rfind('\\');
    return last == std::string::npos ? text : text.substr(0, last);
}

} // namespace

ProgramPaths BuildPaths(const char* commandLine) {
    std::string line = commandLine ? commandLine : "";
    std::string path;
    if (!line.empty() && line[0] == '"') {
        size_t last = line.rfind('"');
        path = line.substr(1, last == 0 ? std::string::npos : last - 1);
    } else {
        size_t blank = line.rfind(' ');
        path = blank == std::string::npos ? line : line.substr(0, blank);
    }
    ProgramPaths paths;
    size_t dot = path.rfind('.');
    paths.help = (dot == std::string::npos ? path : path.substr(0, dot)) + ".HLP";
    std::string directory = CutAtLastBackslash(paths.help);
    paths.launcher = CutAtLastBackslash(directory) + "\\LAUNCHER.EXE";
    return paths;
}

void NoteDisplayMode(DisplayCapability* capability, uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
    if (bitsPerPixel != 8) return;
    if (width == 640 && height == 480) capability->fullScreenCapable = 1;
    if (width == 320 && height == 240) capability->modeXCapable = 1;
}

FullScreenMode ChooseFullScreenMode(bool modeXCapable, bool modeX) {
    if (modeXCapable && modeX) return {320, 240, true, false};
    return {640, 480, false, true};
}

} // namespace frame
