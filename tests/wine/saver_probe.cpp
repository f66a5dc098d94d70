// The screen-saver tests' helper inside Wine (not shipped), a GUI program
// that writes what it finds to OUTPUT (a file):
//   saver_probe OUTPUT run COMMAND    the 8-bit modes DirectDraw lists, "mode W H"
//                                     a line, then "listed"; runs COMMAND and waits
//                                     until it ends; then "ended" and the screen's
//                                     size "W H"
//   saver_probe OUTPUT host COMMAND   a window titled "saver preview host" whose
//                                     client area (152 x 112, white) takes a
//                                     preview: COMMAND /p HWND; "child W H" once
//                                     a saver window is its child, of that size;
//                                     3 s later the window closes itself, and
//                                     "preview ended" follows once the preview
//                                     has gone (10 s at most)
// It keeps the Wine virtual desktop open while the saver runs in it.
#include <windows.h>

#include <ddraw.h>

#include <cstdio>
#include <string>

namespace {

FILE* Output;

HRESULT WINAPI NoteMode(LPDDSURFACEDESC description, LPVOID) {
    if (description->ddpfPixelFormat.dwRGBBitCount == 8)
        std::fprintf(Output, "mode %lu %lu\n", description->dwWidth, description->dwHeight);
    return DDENUMRET_OK;
}

// The list ends with "listed", also where DirectDraw is missing.
void ListModes() {
    IDirectDraw* directDraw = nullptr;
    if (DirectDrawCreate(nullptr, &directDraw, nullptr) == DD_OK) {
        directDraw->EnumDisplayModes(0, nullptr, nullptr, NoteMode);
        directDraw->Release();
    }
    std::fprintf(Output, "listed\n");
    std::fflush(Output);
}

HANDLE Start(std::string command) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// The modes first, in the same run: each start of Wine costs time.
int Run(const std::string& command) {
    ListModes();
    HANDLE process = Start(command);
    if (!process) return 1;
    WaitForSingleObject(process, INFINITE);
    CloseHandle(process);
    std::fprintf(Output, "ended\n%d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return 0;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == 2) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_TIMER) {
        HWND child = FindWindowExA(window, nullptr, "WindowsScreenSaverClass", nullptr);
        RECT area;
        if (child && GetClientRect(child, &area)) {
            KillTimer(window, 1);
            std::fprintf(Output, "child %ld %ld\n", area.right, area.bottom);
            std::fflush(Output);
            SetTimer(window, 2, 3000, nullptr);
        }
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int Host(HINSTANCE instance, const std::string& command) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "SaverPreviewHost";
    if (!RegisterClassA(&windowClass)) return 1;
    RECT frame = {0, 0, 152, 112};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    HWND window =
        CreateWindowA("SaverPreviewHost", "saver preview host", style, 40, 40, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    UpdateWindow(window);
    HANDLE preview = Start(command + " /p " + std::to_string(reinterpret_cast<uintptr_t>(window)));
    if (!preview) return 1;
    SetTimer(window, 1, 100, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    bool ended = WaitForSingleObject(preview, 10000) == WAIT_OBJECT_0;
    CloseHandle(preview);
    std::fprintf(Output, ended ? "preview ended\n" : "preview still running\n");
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 3) return 2;
    Output = std::fopen(__argv[1], "w");
    if (!Output) return 2;
    std::string what = __argv[2];
    std::string command;
    for (int i = 3; i < __argc; i++)
        command += (i > 3 ? " " : "") + std::string(__argv[i]);
    int result = 2;
    if (what == "run") result = Run(command);
    if (what == "host") result = Host(instance, command);
    std::fclose(Output);
    return result;
}
