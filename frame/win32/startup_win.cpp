// Start-up, message loop and shut-down of a game program.
#include <windows.h>

#include <mmsystem.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/commands.h"
#include "frame/frame_lock.h"
#include "frame/highscore.h"
#include "frame/joystick.h"
#include "frame/keys.h"
#include "frame/registry.h"
#include "frame/settings.h"
#include "frame/win32/program_win.h"

namespace frame {

ProgramState Program;

namespace {

void LockFrame() {
    AcquireFrameMutex();
}
void UnlockFrame() {
    ReleaseFrameMutex();
}

void CopyPath(char (&to)[256], const std::string& from) {
    size_t length = from.size() < sizeof to - 1 ? from.size() : sizeof to - 1;
    std::memcpy(to, from.data(), length);
    to[length] = 0;
}

// The command line, with the program's full path in front when the line
// names the program without its directory (as a shell that started it from
// its own directory may): the help file and the launcher are found beside
// the program, not beside the current directory.
std::string ProgramCommandLine() {
    std::string line = GetCommandLineA();
    ProgramPaths named = BuildPaths(line.c_str());
    if (named.help.find('\\') != std::string::npos) return line;
    char module[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (!length || length >= MAX_PATH) return line;
    return "\"" + std::string(module, length) + "\"";
}

bool VersionSupported() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version)) return false;
#pragma GCC diagnostic pop
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return true;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 4;
}

HRESULT WINAPI DisplayModeCallback(LPDDSURFACEDESC description, LPVOID context) {
    NoteDisplayMode(static_cast<DisplayCapability*>(context), description->dwWidth, description->dwHeight,
                    description->ddpfPixelFormat.dwRGBBitCount);
    return DDENUMRET_OK;
}

// The memory DC with the board's 8-bit frame buffer (512 x 512 for ZARKOLT);
// on a palette display also the background and game palettes.
bool CreateFrameBuffer() {
    const boards::BoardFace& board = Board();
    std::vector<boards::Colour> pens(size_t(board.penCount));
    board.gamePalette(pens.data());
    Program.memoryDc = CreateCompatibleDC(nullptr);
    if (!Program.memoryDc) return false;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = board.frameWidth;
    info.header.biHeight = -board.frameHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    UINT usage = DIB_RGB_COLORS;
    if (bits == 8) {
        struct {
            WORD version, count;
            PALETTEENTRY entries[256];
        } palette = {0x300, 256, {}};
        GetSystemPaletteEntries(screen, 0, 256, palette.entries);
        int half = GetDeviceCaps(screen, NUMRESERVED) / 2;
        for (int i = half; i <= 255 - half; i++)
            palette.entries[i] = {0, 0, 0, PC_NOCOLLAPSE};
        Program.backgroundPalette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
        for (int i = 0; i < board.penCount; i++) {
            const boards::Colour& colour = pens[size_t(i)];
            palette.entries[board.firstPen + i] = {colour.red, colour.green, colour.blue, colour.flags};
        }
        Program.gamePalette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
        if (Program.gamePalette) SelectPalette(Program.memoryDc, Program.gamePalette, FALSE);
        WORD* indices = reinterpret_cast<WORD*>(info.colours);
        for (int i = 0; i < 256; i++)
            indices[i] = WORD(i);
        usage = DIB_PAL_COLORS;
    } else {
        for (int i = 0; i < board.penCount; i++) {
            const boards::Colour& colour = pens[size_t(i)];
            info.colours[board.firstPen + i] = {colour.blue, colour.green, colour.red, 0};
        }
    }
    void* pixels = nullptr;
    Program.frameBitmap =
        CreateDIBSection(Program.memoryDc, reinterpret_cast<BITMAPINFO*>(&info), usage, &pixels, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!Program.frameBitmap) return false;
    Program.frameBits = static_cast<uint8_t*>(pixels);
    Program.oldBitmap = SelectObject(Program.memoryDc, Program.frameBitmap);
    board.setFrameBuffer(Program.frameBits);
    return true;
}

// Keeps the DirectDraw object only when the display offers 640 x 480 x 8.
void SetUpDirectDraw() {
    if (DirectDrawCreate(nullptr, &Program.directDraw, nullptr) == DD_OK) {
        IDirectDraw* dd = Program.directDraw;
        if (dd->SetCooperativeLevel(Program.window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX) !=
            DD_OK) {
            dd->Release();
            Program.directDraw = nullptr;
        } else {
            bool listed = dd->EnumDisplayModes(0, nullptr, &Program.display, DisplayModeCallback) == DD_OK;
            dd->SetCooperativeLevel(Program.window, DDSCL_NORMAL);
            if (!listed || !Program.display.fullScreenCapable) {
                dd->Release();
                Program.directDraw = nullptr;
            }
        }
    }
    if (!Program.directDraw) {
        Program.display = {};
        EnableMenuItem(GetMenu(Program.window), UINT(Game().commands.fullScreen), MF_BYCOMMAND | MF_GRAYED);
    }
}

int InitApplication(HINSTANCE instance) {
    const GameDescription& game = Game();
    const boards::BoardFace& board = Board();
    Program.instance = instance;
    if (!VersionSupported()) return 0;

    WNDCLASSA windowClass = {};
    windowClass.style = CS_BYTEALIGNCLIENT;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, game.windowClass);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // the arrow
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = "TOPMENU";
    windowClass.lpszClassName = game.windowClass;
    if (!RegisterClassA(&windowClass)) return 0;

    Program.frameEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    Program.quitEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (board.soundTick) Program.soundEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    Program.frameMutex = CreateMutexA(nullptr, FALSE, nullptr);
    if (!Program.frameEvent || !Program.quitEvent || (board.soundTick && !Program.soundEvent) ||
        !Program.frameMutex)
        return 0;
    InitializeCriticalSection(&Program.soundLock);
    Program.soundLockReady = true;
    FrameLock = {LockFrame, UnlockFrame};

    Joystick = WindowsJoystick;
    // The board is built first: a new settings key takes its built-in scores.
    std::string error;
    if (!board.buildEmbedded(error)) return 0;
    StartSettings(WindowsRegistry);
    board.setSoundMute(Settings.soundMute != 0);

    WindowMetrics metrics = {GetSystemMetrics(SM_CXEDGE),    GetSystemMetrics(SM_CYEDGE),
                             GetSystemMetrics(SM_CXBORDER),  GetSystemMetrics(SM_CYBORDER),
                             GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU)};
    Program.sizes = ComputeWindowSizes(metrics, board.pictureWidth, board.pictureHeight);
    Program.start =
        CentredPosition(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                        Settings.maximize ? Program.sizes.zoomedWidth : Program.sizes.normalWidth,
                        Settings.maximize ? Program.sizes.zoomedHeight : Program.sizes.normalHeight);

    Program.window = CreateWindowExA(
        WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, game.windowClass, game.title,
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (!Program.window) return 0;

    ProgramPaths paths = BuildPaths(ProgramCommandLine().c_str());
    CopyPath(Program.helpPath, paths.help);
    CopyPath(Program.launcherPath, paths.launcher);

    Program.menuCopy = LoadMenuA(instance, "TOPMENU");
    Program.accelerators = LoadAcceleratorsA(instance, "APPACCEL");
    if (!Program.menuCopy || !Program.accelerators) return 0;
    if (!Settings.soundMute)
        CheckMenuItem(GetMenu(Program.window), UINT(game.commands.sound), MF_BYCOMMAND | MF_CHECKED);

    RebuildKeyTable(Settings.controls);

    // The board's high-score traps and switches.
    InstallHighScoreTraps();
    if (board.applySettings) board.applySettings(OptionsOf(Settings));
    LoadCardPalette();

    if (!CreateFrameBuffer()) return 0;
    SetUpDirectDraw();
    JoystickModeXCapable = Program.display.modeXCapable != 0;

    if (!InitSound()) return 0;

    ResetMachineLocked();

    MoveWindow(Program.window, Program.start.x, Program.start.y, Program.sizes.normalWidth,
               Program.sizes.normalHeight, FALSE);
    ShowWindow(Program.window, Settings.maximize ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);

    if (Settings.fullScreen) {
        Settings.fullScreen = 0;
        SendMessageA(Program.window, WM_COMMAND, game.commands.fullScreen, 0);
    }

    Program.thread = CreateThread(nullptr, 0, EmulationThread, nullptr, 0, &Program.threadId);
    if (!Program.thread) return 0;
    StartFrameRateMeter();
    return 1;
}

void Shutdown() {
    if (Program.thread) {
        SetEvent(Program.quitEvent);
        WaitForSingleObject(Program.thread, INFINITE);
        CloseHandle(Program.thread);
        Program.thread = nullptr;
    }
    if (Program.frameTimer) {
        timeKillEvent(Program.frameTimer);
        Program.frameTimer = 0;
    }
    if (Program.directDraw) {
        Program.directDraw->Release();
        Program.directDraw = nullptr;
    }
    ReleaseSound();
    if (Program.memoryDc) {
        if (Program.oldBitmap) SelectObject(Program.memoryDc, Program.oldBitmap);
        DeleteDC(Program.memoryDc);
    }
    if (Program.gamePalette) DeleteObject(Program.gamePalette);
    if (Program.backgroundPalette) DeleteObject(Program.backgroundPalette);
    if (Program.frameBitmap) DeleteObject(Program.frameBitmap);
    for (HANDLE handle : {Program.frameEvent, Program.quitEvent, Program.soundEvent, Program.frameMutex})
        if (handle) CloseHandle(handle);
    if (Program.soundLockReady) DeleteCriticalSection(&Program.soundLock);
    StopHelp();
    if (Program.launcherPath[0]) WinExec(Program.launcherPath, SW_SHOWNORMAL);
}

} // namespace

void AcquireFrameMutex() {
    WaitForSingleObject(Program.frameMutex, INFINITE);
}
void ReleaseFrameMutex() {
    ReleaseMutex(Program.frameMutex);
}

int FrameMain(HINSTANCE instance, const GameDescription& game) {
    UseGame(game);
    if (InitApplication(instance)) {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (!TranslateAcceleratorA(Program.window, Program.accelerators, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }
    Shutdown();
    return 0;
}

} // namespace frame
