// Our screen-saver library: the program entry point, the switches, the
// saver's window and DefScreenSaverProc, around the three callbacks a saver
// supplies (ScreenSaverProc, ScreenSaverConfigureDialog,
// RegisterDialogClasses) and its resources (string 1, icon 100, dialog 2003).
//
// Running (/s), the saver's window is a topmost pop-up over the whole screen
// titled by string 1, without a cursor; DefScreenSaverProc closes it on a
// key (system keys too), a mouse button, the loss of activation, or a mouse
// move away from where the cursor stood when the window was made. In preview
// (/p HWND) the window is a child filling HWND's client area; none of those
// rules apply and the window ends with its parent.
#include <windows.h>

#include <scrnsave.h>

#include "saver/library/switches.h"

HINSTANCE hMainInstance;
HWND hMainWindow;
WINBOOL fChildPreview;

namespace {

constexpr const char* ClassName = "WindowsScreenSaverClass";

POINT StartCursor;  // where the cursor stood when the running window was made
HWND PreviewParent; // the window a preview lives in
bool Closing;       // WM_CLOSE has been posted

void CloseSaver(HWND window) {
    if (Closing) return;
    Closing = true;
    PostMessageA(window, WM_CLOSE, 0, 0);
}

INT_PTR CALLBACK ConfigureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return ScreenSaverConfigureDialog(dialog, message, wParam, lParam);
}

// The preview ends with its parent, which belongs to another program; the
// parent's end may have taken the preview window with it unannounced.
void CALLBACK WatchPreviewParent(HWND, UINT, UINT_PTR, DWORD) {
    if (IsWindow(PreviewParent)) return;
    if (IsWindow(hMainWindow))
        CloseSaver(hMainWindow);
    else
        PostQuitMessage(0);
}

bool RegisterSaverClass(HINSTANCE instance, bool preview) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ScreenSaverProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ID_APP));
    windowClass.hCursor = preview ? LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)) : nullptr; // the arrow
    windowClass.lpszClassName = ClassName;
    return RegisterClassA(&windowClass) != 0;
}

int MessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return int(message.wParam);
}

int RunSaver(HINSTANCE instance, const char* title) {
    if (!RegisterSaverClass(instance, false)) return 0;
    GetCursorPos(&StartCursor);
    hMainWindow = CreateWindowExA(WS_EX_TOPMOST, ClassName, title, WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                  nullptr, instance, nullptr);
    if (!hMainWindow) return 0;
    return MessageLoop();
}

int PreviewSaver(HINSTANCE instance, const char* title, HWND parent) {
    RECT client;
    if (!parent || !IsWindow(parent) || !GetClientRect(parent, &client)) return 0;
    if (!RegisterSaverClass(instance, true)) return 0;
    fChildPreview = TRUE;
    PreviewParent = parent;
    hMainWindow = CreateWindowExA(0, ClassName, title, WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                                  client.bottom, parent, nullptr, instance, nullptr);
    if (!hMainWindow) return 0;
    UINT_PTR watch = SetTimer(nullptr, 0, 250, WatchPreviewParent);
    int result = MessageLoop();
    if (watch) KillTimer(nullptr, watch);
    return result;
}

bool KeyOrButton(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN: return true;
        default: return false;
    }
}

} // namespace

LRESULT WINAPI DefScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client,
                     static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            return 1;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_SCREENSAVE) return FALSE;
            break;
        default: break;
    }
    if (!fChildPreview) {
        if (KeyOrButton(message)) {
            CloseSaver(window);
            return 0;
        }
        switch (message) {
            case WM_SETCURSOR: SetCursor(nullptr); return TRUE;
            case WM_MOUSEMOVE: {
                POINT now;
                GetCursorPos(&now);
                if (now.x != StartCursor.x || now.y != StartCursor.y) CloseSaver(window);
                return 0;
            }
            case WM_ACTIVATE:
                if (LOWORD(wParam) == WA_INACTIVE) CloseSaver(window);
                break;
            case WM_ACTIVATEAPP:
                if (!wParam) CloseSaver(window);
                break;
            default: break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    hMainInstance = instance;
    char title[TITLEBARNAMELEN] = "";
    LoadStringA(instance, IDS_DESCRIPTION, title, sizeof title);
    saver::SaverSwitch choice = saver::ParseSaverSwitch(commandLine);
    HWND window = reinterpret_cast<HWND>(choice.window);
    switch (choice.mode) {
        case saver::SaverMode::Run: return RunSaver(instance, title);
        case saver::SaverMode::Preview: return PreviewSaver(instance, title, window);
        case saver::SaverMode::ChangePassword: return 0;
        case saver::SaverMode::Configure:
            if (!RegisterDialogClasses(instance)) return 0;
            return int(DialogBoxParamA(instance, MAKEINTRESOURCEA(DLG_SCRNSAVECONFIGURE),
                                       window && IsWindow(window) ? window : nullptr, ConfigureDialogProc,
                                       0));
    }
    return 0;
}
