// The saver's window procedure, its configure box, the start-up timer, the
// frame timer and the emulation thread, and the Windows calls behind
// SaverCalls (kernel objects, timers, DirectDraw).
#include <windows.h>

#include <ddraw.h>
#include <mmsystem.h>
#include <scrnsave.h>

#include "saver/saver_win.h"

namespace saver {

namespace {

HWND Window;

void CALLBACK FrameTimerProc(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    SetEvent(State.frameEvent);
}

DWORD WINAPI EmulationThread(LPVOID) {
    HANDLE events[2] = {State.quitEvent, State.frameEvent};
    for (;;) {
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return 0;
        ResetEvent(State.frameEvent);
        WaitForSingleObject(State.frameMutex, INFINITE);
        Board->frame();
        ReleaseMutex(State.frameMutex);
    }
}

void CALLBACK SaverStartupTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    SaverStartupTick();
}

// --- Kernel and window ---

bool VersionSupported() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version; // 148
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version)) return false;
#pragma GCC diagnostic pop
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return true;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 3;
}

Handle CreateManualEvent() {
    return CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

Handle CreateFrameMutex() {
    return CreateMutexA(nullptr, FALSE, nullptr);
}

uint32_t StartFrameTimer(uint32_t period) {
    return timeSetEvent(period, period, FrameTimerProc, DWORD_PTR(Window),
                        TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
}

Handle StartEmulationThread() {
    DWORD id;
    return CreateThread(nullptr, 0, EmulationThread, nullptr, 0, &id);
}

void PostClose() {
    PostMessageA(Window, WM_CLOSE, 0, 0);
}

void SetEventOf(Handle event) {
    SetEvent(event);
}

void WaitThread(Handle thread) {
    WaitForSingleObject(thread, INFINITE);
}

void CloseHandleOf(Handle handle) {
    CloseHandle(handle);
}

void KillStartupTimer(uint32_t id) {
    KillTimer(Window, id);
}

void KillFrameTimer(uint32_t id) {
    timeKillEvent(id);
}

void DestroySaverWindow() {
    ::DestroyWindow(Window);
}

// --- DirectDraw ---

IDirectDraw* DirectDraw(Handle object) {
    return static_cast<IDirectDraw*>(object);
}

IDirectDrawSurface* Surface(Handle object) {
    return static_cast<IDirectDrawSurface*>(object);
}

Handle CreateDirectDraw() {
    IDirectDraw* directDraw = nullptr;
    if (DirectDrawCreate(nullptr, &directDraw, nullptr) != DD_OK) return nullptr;
    return directDraw;
}

void SetExclusiveLevel(Handle directDraw) {
    DirectDraw(directDraw)
        ->SetCooperativeLevel(Window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX);
}

struct ModeSearch {
    ModeRule rule;
    ModeSize* chosen;
};

HRESULT WINAPI ChooseDisplayMode(LPDDSURFACEDESC description, LPVOID context) {
    ModeSearch* search = static_cast<ModeSearch*>(context);
    saver::ChooseDisplayMode(search->rule, *search->chosen, description->dwWidth, description->dwHeight,
                             description->ddpfPixelFormat.dwRGBBitCount);
    return DDENUMRET_OK;
}

void EnumerateModes(Handle directDraw, ModeRule rule, ModeSize& chosen) {
    ModeSearch search = {rule, &chosen};
    DirectDraw(directDraw)->EnumDisplayModes(0, nullptr, &search, ChooseDisplayMode);
}

void SetDisplayMode(Handle directDraw, uint32_t width, uint32_t height) {
    DirectDraw(directDraw)->SetDisplayMode(width, height, 8);
}

Handle CreateSurface(Handle directDraw, DDSURFACEDESC& description) {
    IDirectDrawSurface* surface = nullptr;
    if (DirectDraw(directDraw)->CreateSurface(&description, &surface, nullptr) != DD_OK) return nullptr;
    return surface;
}

Handle CreateFlippingPrimary(Handle directDraw) {
    DDSURFACEDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.dwBackBufferCount = 1;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    return CreateSurface(directDraw, description);
}

Handle AttachedBackBuffer(Handle primary) {
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    IDirectDrawSurface* back = nullptr;
    if (Surface(primary)->GetAttachedSurface(&caps, &back) != DD_OK) return nullptr;
    return back;
}

Handle CreatePalette(Handle directDraw, const PaletteEntry* entries) {
    PALETTEENTRY colours[256];
    for (int i = 0; i < 256; i++)
        colours[i] = {entries[i].red, entries[i].green, entries[i].blue, entries[i].flags};
    IDirectDrawPalette* palette = nullptr;
    if (DirectDraw(directDraw)->CreatePalette(DDPCAPS_8BIT, colours, &palette, nullptr) != DD_OK)
        return nullptr;
    return palette;
}

void SetPalette(Handle surface, Handle palette) {
    Surface(surface)->SetPalette(static_cast<IDirectDrawPalette*>(palette));
}

Handle CreatePlainSurface(Handle directDraw, uint32_t width, uint32_t height) {
    DDSURFACEDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    description.dwWidth = width;
    description.dwHeight = height;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    return CreateSurface(directDraw, description);
}

RECT WindowsRect(const Rect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void ColourFill(Handle surface, const Rect* rect, uint8_t index) {
    DDBLTFX effects = {};
    effects.dwSize = sizeof effects;
    effects.dwFillColor = index;
    RECT area = rect ? WindowsRect(*rect) : RECT{};
    Surface(surface)->Blt(rect ? &area : nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
}

void Blit(Handle destination, Handle source, const Rect& rect) {
    RECT area = WindowsRect(rect);
    Surface(destination)->Blt(&area, Surface(source), &area, DDBLT_WAIT, nullptr);
}

bool LockSurface(Handle surface, uint8_t** bits, ptrdiff_t* pitch) {
    DDSURFACEDESC description = {};
    description.dwSize = sizeof description;
    if (Surface(surface)->Lock(nullptr, &description, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr) != DD_OK)
        return false;
    *bits = static_cast<uint8_t*>(description.lpSurface);
    *pitch = description.lPitch;
    return true;
}

void UnlockSurface(Handle surface, uint8_t* bits) {
    Surface(surface)->Unlock(bits);
}

void Flip(Handle primary) {
    Surface(primary)->Flip(nullptr, 0);
}

void SetNormalLevel(Handle directDraw) {
    DirectDraw(directDraw)->SetCooperativeLevel(Window, DDSCL_NORMAL);
}

void RestoreDisplayMode(Handle directDraw) {
    DirectDraw(directDraw)->RestoreDisplayMode();
}

void Release(Handle object) {
    static_cast<IUnknown*>(object)->Release();
}

const SaverCalls WindowsCalls = {
    VersionSupported,
    CreateManualEvent,
    CreateFrameMutex,
    StartFrameTimer,
    StartEmulationThread,
    PostClose,
    SetEventOf,
    WaitThread,
    CloseHandleOf,
    KillStartupTimer,
    KillFrameTimer,
    DestroySaverWindow,
    CreateDirectDraw,
    SetExclusiveLevel,
    EnumerateModes,
    SetDisplayMode,
    CreateFlippingPrimary,
    AttachedBackBuffer,
    CreatePalette,
    SetPalette,
    CreatePlainSurface,
    ColourFill,
    Blit,
    LockSurface,
    UnlockSurface,
    Flip,
    SetNormalLevel,
    RestoreDisplayMode,
    Release,
};

} // namespace

HWND SaverWindow() {
    return Window;
}

} // namespace saver

using namespace saver;

LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            Window = window;
            Board = ProgramSaver;
            Calls = &WindowsCalls;
            if (!fChildPreview)
                State.startupTimer = uint32_t(SetTimer(window, 1, 1000, SaverStartupTimerProc));
            return 0;
        case WM_CLOSE: SaverShutdown(); return 0;
        case WM_ERASEBKGND: {
            if (!fChildPreview) return DefScreenSaverProc(window, WM_ERASEBKGND, wParam, 0);
            RECT client;
            GetClientRect(window, &client);
            HICON icon = LoadIconA(hMainInstance, MAKEINTRESOURCEA(ID_APP));
            Point at = PreviewIconPlace(client.right, client.bottom);
            DrawIcon(reinterpret_cast<HDC>(wParam), at.x, at.y, icon);
            return 1;
        }
        case WM_MOUSEMOVE:
            if (fChildPreview || CountMouseMove()) DefScreenSaverProc(window, WM_MOUSEMOVE, wParam, lParam);
            return 0;
        default: return DefScreenSaverProc(window, message, wParam, lParam);
    }
}

WINBOOL WINAPI RegisterDialogClasses(HANDLE) {
    return TRUE;
}

WINBOOL WINAPI ScreenSaverConfigureDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 1);
            return TRUE;
        default: return FALSE;
    }
}
