// The menu commands: test mode, reset, exit, sound, the settings dialogs,
// the switch between the window and the exclusive full screen, help and the
// version box.
#include <string>

#include "boards/zarkolt/graphics.h"
#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/sound.h"
#include "frame/commands.h"
#include "frame/frame_lock.h"
#include "frame/program_win.h"
#include "frame/settings.h"

// The settings dialogs, when this build has them (frame/CMakeLists.txt).
#ifdef FRAME_HAS_SETTINGS_DIALOGS
#include "frame/gamesetting.h"
#endif
#ifdef FRAME_HAS_CONTROL_SHEET
#include "frame/controls.h"
#endif

namespace frame {

namespace {

constexpr DWORD WindowExStyle = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

void MarkItem(int id, bool checked) {
    if (HMENU menu = GetMenu(Program.window))
        CheckMenuItem(menu, UINT(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void GreyItem(HMENU menu, int id, bool grey) {
    if (menu) EnableMenuItem(menu, UINT(id), MF_BYCOMMAND | (grey ? MF_GRAYED : MF_ENABLED));
}

void SetTestMode(bool on) {
    MarkItem(CmdTestMode, on);
    SetWindowTextA(Program.window, on ? Program.game->testCaption : Program.game->title);
}

void SwitchTestMode() {
    bool reset = ToggleTestMode();
    if (reset) ResetMachineLocked();
    SetTestMode(reset);
}

void SwitchSound() {
    FrameMutexHold hold;
    if (ToggleSound()) MarkItem(CmdSound, !Settings.soundMute);
}

// The window as it was before full screen, with the menu marks of the
// present state.
void RestoreWindow() {
    HWND window = Program.window;
    ShowWindow(window, SW_HIDE);
    SetWindowLongPtrA(window, GWL_EXSTYLE, WindowExStyle);
    SetWindowLongPtrA(window, GWL_STYLE, WindowStyle);
    SetMenu(window, Program.menuCopy);
    MoveWindow(window, Program.savedRect.left, Program.savedRect.top, Program.sizes.normalWidth,
               Program.sizes.normalHeight, FALSE);
    MarkItem(CmdTestMode, zarkolt::InputState.testMode != 0);
    MarkItem(CmdSound, !Settings.soundMute);
    GreyItem(Program.menuCopy, CmdSound, !zarkolt::Sound);
    GreyItem(Program.menuCopy, CmdFullScreen, !Program.display.fullScreenCapable);
    if (Program.rotated) {
        zarkolt::DecodeTilesWindow();
        Program.rotated = false;
    }
    ShowWindow(window, Settings.maximize ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void LeaveFullScreen() {
    ReleaseFullScreen();
    RestoreWindow();
}

// Every DirectDraw call is checked: on the first failure the full screen is
// undone, the window comes back and full screen is offered no more.
bool EnterFullScreen() {
    HWND window = Program.window;
    IDirectDraw* dd = Program.directDraw;
    Settings.fullScreen = 1;
    GetWindowRect(window, &Program.savedRect);
    SetWindowLongPtrA(window, GWL_EXSTYLE, 0);
    SetWindowLongPtrA(window, GWL_STYLE, 0);
    SetMenu(window, nullptr);

    FullScreenMode mode = ChooseFullScreenMode(Program.display.modeXCapable, Settings.modeX);
    bool ok = dd->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX) == DD_OK;
    if (ok && mode.rotated) {
        zarkolt::DecodeTilesModeX();
        Program.rotated = true;
    }
    ok = ok && dd->SetDisplayMode(mode.width, mode.height, 8) == DD_OK;
    if (ok) {
        DDSURFACEDESC description = {};
        description.dwSize = sizeof description;
        description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        description.dwBackBufferCount = 1;
        description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        ok = dd->CreateSurface(&description, &Program.primary, nullptr) == DD_OK;
    }
    if (ok) {
        DDSCAPS caps = {DDSCAPS_BACKBUFFER};
        ok = Program.primary->GetAttachedSurface(&caps, &Program.backBuffer) == DD_OK;
    }
    if (ok) {
        PALETTEENTRY entries[256];
        for (int i = 0; i < 256; i++) {
            const zarkolt::PaletteEntry& colour = zarkolt::CardPalette[i];
            entries[i] = {colour.red, colour.green, colour.blue, colour.flags};
        }
        ok =
            dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &Program.palette, nullptr) == DD_OK &&
            Program.primary->SetPalette(Program.palette) == DD_OK;
    }
    if (ok && mode.withCard) {
        DDSURFACEDESC description = {};
        description.dwSize = sizeof description;
        description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
        description.dwWidth = CardLayout::ScreenWidth;
        description.dwHeight = CardLayout::ScreenHeight;
        description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        ok = dd->CreateSurface(&description, &Program.card, nullptr) == DD_OK;
        if (ok) DrawInstructionCard();
    }
    if (!ok) {
        LeaveFullScreen();
        Program.display = {};
        GreyItem(Program.menuCopy, CmdFullScreen, true);
    }
    return ok;
}

void SwitchFullScreen() {
    if (!Program.display.fullScreenCapable || !Program.directDraw) return;
    FrameMutexHold hold;
    if (InFullScreen())
        LeaveFullScreen();
    else
        EnterFullScreen();
}

[[maybe_unused]] void NotAvailable(HWND window) {
    std::string caption = std::string(Program.game->title) + ": ｹﾞｰﾑの設定";
    MessageBoxA(window, "This setting is not available yet.", caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// The help call of a help thread: the window, the command and its data.
struct HelpRequest {
    HWND window;
    UINT command;
    ULONG_PTR data;
};
HelpRequest PendingHelp;

DWORD WINAPI HelpThread(LPVOID) {
    WinHelpA(PendingHelp.window, Program.helpPath, PendingHelp.command, PendingHelp.data);
    return 0;
}

} // namespace

void ReleaseFullScreen() {
    if (Program.directDraw) {
        Program.directDraw->SetCooperativeLevel(Program.window, DDSCL_NORMAL);
        Program.directDraw->RestoreDisplayMode();
    }
    for (IDirectDrawSurface** surface : {&Program.card, &Program.backBuffer, &Program.primary}) {
        if (*surface) (*surface)->Release();
        *surface = nullptr;
    }
    if (Program.palette) Program.palette->Release();
    Program.palette = nullptr;
    Settings.fullScreen = 0;
}

void ResetMachineLocked() {
    FrameMutexHold hold;
    zarkolt::ResetMachine();
    SaveSettings();
}

void ResetForNewSettings(bool showMessage) {
    if (showMessage) {
        std::string caption = std::string(Program.game->title) + ": ｹﾞｰﾑの設定";
        MessageBoxA(Program.window, "ｹﾞｰﾑの設定の変更を有効にするためにｹﾞｰﾑをﾘｾｯﾄします。", caption.c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
    }
    ResetMachineLocked();
}

void ShowHelp(UINT command, ULONG_PTR data) {
    if (Program.helpThread) {
        if (WaitForSingleObject(Program.helpThread, 0) != WAIT_OBJECT_0) return; // one at a time
        CloseHandle(Program.helpThread);
        Program.helpThread = nullptr;
    }
    PendingHelp = {Program.window, command, data};
    Program.helpThread = CreateThread(nullptr, 0, HelpThread, nullptr, 0, nullptr);
}

void OnCommand(HWND window, int id, LPARAM lParam, int notification) {
    switch (id) {
        case CmdTestMode:
            if (!Program.game->testCaption) break;
            SwitchTestMode();
            return;
        case CmdAbout:
            if (InFullScreen()) SendMessageA(window, WM_COMMAND, CmdFullScreen, 0);
            DialogBoxParamA(Program.instance, "ABOUTBOX", window, AboutDlgProc, 0);
            return;
        case CmdReset:
            zarkolt::InputState.testMode = 0;
            if (Program.game->testCaption) SetTestMode(false);
            ResetMachineLocked();
            return;
        case CmdExit: SendMessageA(window, WM_CLOSE, 0, 0); return;
        case CmdSound: SwitchSound(); return;
        case CmdGameSettings:
#ifdef FRAME_HAS_SETTINGS_DIALOGS
            DialogBoxParamA(Program.instance, "GAME_SETTING", window, GameSettingDlgProc, 0);
#else
            NotAvailable(window);
#endif
            return;
        case CmdFullScreen: SwitchFullScreen(); return;
        case CmdControlSettings:
#ifdef FRAME_HAS_CONTROL_SHEET
            ShowControlSettings(window);
#else
            NotAvailable(window);
#endif
            return;
        case CmdHelpContents: ShowHelp(HELP_FINDER, 0); return;
        case CmdHelpOnHelp: ShowHelp(HELP_HELPONHELP, 0); return;
        default: break;
    }
    DefWindowProcA(window, WM_COMMAND, MAKEWPARAM(id, notification), lParam);
}

} // namespace frame
