// The main window: activation, painting, the size rules, closing, keys.
#include <windows.h>

#include <mmsystem.h>

#include "frame/commands.h"
#include "frame/frame_lock.h"
#include "frame/keys.h"
#include "frame/settings.h"
#include "frame/win32/program_win.h"

namespace frame {

namespace {

// A surface that reports itself lost is restored; true when it was lost.
bool RestoreIfLost(IDirectDrawSurface* surface) {
    if (!surface || surface->IsLost() != DDERR_SURFACELOST) return false;
    surface->Restore();
    return true;
}

void OnActivateApp(HWND window, bool active) {
    FrameMutexHold hold;
    if (active) {
        if (InFullScreen()) SetWindowLongPtrA(window, GWL_STYLE, WS_VISIBLE);
        if (RestoreIfLost(Program.card)) DrawInstructionCard();
        RestoreIfLost(Program.primary);
        Program.paused = 0;
        if (!Program.frameTimer)
            Program.frameTimer = timeSetEvent(Board().frameMilliseconds, Board().frameMilliseconds,
                                              FrameTimerProc, 0, TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
    } else {
        Program.paused = 1;
        if (Program.frameTimer) {
            timeKillEvent(Program.frameTimer);
            Program.frameTimer = 0;
            ResetEvent(Program.frameEvent);
        }
        if (HasSound() && !(Game().mutedStaysOnDeactivate && Settings.soundMute)) Board().silence();
        if (InFullScreen())
            SetWindowLongPtrA(window, GWL_STYLE, WS_VISIBLE | WS_SYSMENU);
        else
            InvalidateRect(window, nullptr, FALSE);
    }
}

void PaintWindow(HWND window) {
    {
        FrameMutexHold hold;
        if (Program.paused) {
            HDC dc = GetDC(window);
            if (dc) {
                PresentToWindow(dc, Program.backgroundPalette);
                ReleaseDC(window, dc);
            }
        }
    }
    ValidateRect(window, nullptr);
}

LRESULT OnWindowSize(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (InFullScreen() || !(GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE))
        return DefWindowProcA(window, message, wParam, lParam);
    if (!ApplySizeType(int(wParam), &Program.minimized, &Settings.maximize)) return 0;
    if (CorrectWindowSize(&Program.sizes, Settings.maximize != 0, LOWORD(lParam), HIWORD(lParam))) {
        RECT rect;
        GetWindowRect(window, &rect);
        bool zoomed = Settings.maximize != 0;
        MoveWindow(window, rect.left, rect.top,
                   zoomed ? Program.sizes.zoomedWidth : Program.sizes.normalWidth,
                   zoomed ? Program.sizes.zoomedHeight : Program.sizes.normalHeight, TRUE);
    }
    return 0;
}

LRESULT OnGetMinMaxInfo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (InFullScreen()) return DefWindowProcA(window, message, wParam, lParam);
    MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMaxSize = {Program.sizes.zoomedWidth, Program.sizes.zoomedHeight};
    if (!Program.minimized) {
        RECT rect;
        GetWindowRect(window, &rect);
        info->ptMaxPosition = {rect.left, rect.top};
    }
    return 0;
}

void OnClose(HWND window) {
    SaveSettings();
    CloseSettingsKey();
    {
        FrameMutexHold hold;
        if (InFullScreen()) ReleaseFullScreen();
    }
    if (Game().commands.helpContents) QuitHelp(window);
    DestroyWindow(window);
}

} // namespace

bool InFullScreen() {
    return Settings.fullScreen != 0;
}

void PresentToWindow(HDC dc, HPALETTE palette) {
    if (Program.gamePalette && palette) {
        SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    const boards::BoardFace& board = Board();
    int width = board.pictureWidth, height = board.pictureHeight;
    if (Settings.maximize)
        StretchBlt(dc, 0, 0, Zoom * width, Zoom * height, Program.memoryDc, board.pictureLeft,
                   board.pictureTop, width, height, SRCCOPY);
    else
        BitBlt(dc, 0, 0, width, height, Program.memoryDc, board.pictureLeft, board.pictureTop, SRCCOPY);
    GdiFlush();
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY: PostQuitMessage(0); return 0;
        case WM_SIZE: return OnWindowSize(window, message, wParam, lParam);
        case WM_PAINT: PaintWindow(window); return 0;
        case WM_CLOSE: OnClose(window); return 0;
        case WM_ACTIVATEAPP: OnActivateApp(window, wParam != 0); return 0;
        case WM_SETCURSOR:
            if (!InFullScreen()) break;
            SetCursor(nullptr);
            return TRUE;
        case WM_GETMINMAXINFO: return OnGetMinMaxInfo(window, message, wParam, lParam);
        case WM_KEYDOWN:
        case WM_KEYUP: KeyDispatch(uint32_t(wParam), HIWORD(lParam), message == WM_KEYDOWN); return 0;
        case WM_COMMAND: OnCommand(window, LOWORD(wParam), lParam, HIWORD(wParam)); return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_PALETTECHANGED: InvalidateRect(window, nullptr, FALSE); return 0;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace frame
