// The menu commands: test mode, reset, exit, sound, the settings dialogs,
// the switch between the window and the exclusive full screen, help and the
// version box.
#include <string>
#include <utility>

#include "frame/commands.h"
#include "frame/frame_lock.h"
#include "frame/settings.h"
#include "frame/win32/controls.h"
#include "frame/win32/program_win.h"

namespace frame {

namespace {

constexpr DWORD WindowExStyle = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

void MarkItem(int id, bool checked) {
    if (!id) return;
    if (HMENU menu = GetMenu(Program.window))
        CheckMenuItem(menu, UINT(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void GreyItem(HMENU menu, int id, bool grey) {
    if (menu && id) EnableMenuItem(menu, UINT(id), MF_BYCOMMAND | (grey ? MF_GRAYED : MF_ENABLED));
}

void SetTestMode(bool on) {
    MarkItem(Game().commands.testMode, on);
    SetWindowTextA(Program.window, on ? Game().testCaption : Game().title);
}

void SwitchTestMode() {
    SetTestMode(ToggleTestMode());
}

void SwitchSound() {
    FrameMutexHold hold;
    if (ToggleSound()) MarkItem(Game().commands.sound, !Settings.soundMute);
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
    const CommandIds& commands = Game().commands;
    MarkItem(commands.testMode, Board().testMode && Board().testMode());
    MarkItem(commands.sound, !Settings.soundMute);
    GreyItem(Program.menuCopy, commands.sound, !HasSound());
    GreyItem(Program.menuCopy, commands.fullScreen, !Program.display.fullScreenCapable);
    if (Program.rotated) {
        if (Board().canTurn) Board().setTurned(false);
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

    FullScreenMode mode = GameFullScreenMode(Program.display.modeXCapable, Settings.modeX);
    bool ok = dd->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX) == DD_OK;
    if (ok && mode.rotated) {
        if (Board().canTurn) Board().setTurned(true);
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
        boards::Colour colours[256];
        Board().cardPalette(colours);
        PALETTEENTRY entries[256];
        for (int i = 0; i < 256; i++)
            entries[i] = {colours[i].red, colours[i].green, colours[i].blue, colours[i].flags};
        ok =
            dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &Program.palette, nullptr) == DD_OK &&
            Program.primary->SetPalette(Program.palette) == DD_OK;
    }
    if (ok && mode.withCard && Game().card.cardWidth) {
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
        GreyItem(Program.menuCopy, Game().commands.fullScreen, true);
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

void ResetForNewSettings(bool showMessage) {
    if (showMessage) {
        std::string caption = std::string(Game().title) + ": ｹﾞｰﾑの設定";
        MessageBoxA(Program.window, "ｹﾞｰﾑの設定の変更を有効にするためにｹﾞｰﾑをﾘｾｯﾄします。", caption.c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
    }
    ResetMachineLocked();
}

// The command of a menu id; the ids are the game's (a 0 id is no command).
enum class Command {
    None,
    TestMode,
    About,
    Reset,
    Exit,
    Sound,
    GameSettings,
    FullScreen,
    ControlSettings,
    Help,
    HelpOnHelp
};

Command CommandOf(int id) {
    const CommandIds& c = Game().commands;
    const std::pair<int, Command> table[] = {
        {c.testMode, Command::TestMode},     {c.about, Command::About},
        {c.reset, Command::Reset},           {c.exit, Command::Exit},
        {c.sound, Command::Sound},           {c.gameSettings, Command::GameSettings},
        {c.fullScreen, Command::FullScreen}, {c.controlSettings, Command::ControlSettings},
        {c.helpContents, Command::Help},     {c.helpOnHelp, Command::HelpOnHelp},
    };
    for (const auto& [commandId, command] : table)
        if (commandId != 0 && commandId == id) return command;
    return Command::None;
}

void OnCommand(HWND window, int id, LPARAM lParam, int notification) {
    switch (CommandOf(id)) {
        case Command::TestMode: SwitchTestMode(); return;
        case Command::About:
            if (InFullScreen()) SendMessageA(window, WM_COMMAND, Game().commands.fullScreen, 0);
            DialogBoxParamA(Program.instance, "ABOUTBOX", window, AboutDlgProc, 0);
            return;
        case Command::Reset:
            ResetGame();
            if (Game().testCaption) SetTestMode(false);
            return;
        case Command::Exit: SendMessageA(window, WM_CLOSE, 0, 0); return;
        case Command::Sound: SwitchSound(); return;
        case Command::GameSettings:
            if (Game().gameSettingsDialog) Game().gameSettingsDialog(window);
            return;
        case Command::FullScreen: SwitchFullScreen(); return;
        case Command::ControlSettings: ShowControlSettings(window); return;
        case Command::Help: ShowHelp(window, HELP_FINDER, 0); return;
        case Command::HelpOnHelp: ShowHelp(window, HELP_HELPONHELP, 0); return;
        case Command::None: break;
    }
    DefWindowProcA(window, WM_COMMAND, MAKEWPARAM(id, notification), lParam);
}

} // namespace frame
