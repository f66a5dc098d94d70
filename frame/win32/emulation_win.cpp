// The emulation thread: one board frame per tick of the board's frame timer,
// with the platform steps of the frame: the board's sound tick, the joystick
// poll, presenting the last picture and composing the full-screen surfaces.
#include <windows.h>

#include <mmsystem.h>

#include "frame/fullscreen.h"
#include "frame/joystick.h"
#include "frame/settings.h"
#include "frame/win32/program_win.h"

namespace frame {

namespace {

bool StartSoundTick() {
    ResetEvent(Program.soundEvent);
    UINT delay = Board().soundTickMilliseconds;
    return timeSetEvent(delay, delay, SoundTimerProc, 0, TIME_ONESHOT | TIME_CALLBACK_FUNCTION) != 0;
}

void WaitSoundTick() {
    WaitForSingleObject(Program.soundEvent, INFINITE);
}

void Present() {
    if (Settings.fullScreen) {
        if (Program.primary) Program.primary->Flip(nullptr, 0);
        return;
    }
    HDC dc = GetDC(Program.window);
    if (!dc) return;
    PresentToWindow(dc, Program.gamePalette);
    ReleaseDC(Program.window, dc);
}

// DirectDraw surfaces behind the composition's surface seam.
bool LockSurface(void* surface, bool write, uint8_t** pixels, ptrdiff_t* pitch) {
    DDSURFACEDESC description = {};
    description.dwSize = sizeof description;
    DWORD flags = DDLOCK_WAIT | (write ? DDLOCK_WRITEONLY : DDLOCK_READONLY);
    if (static_cast<IDirectDrawSurface*>(surface)->Lock(nullptr, &description, flags, nullptr) != DD_OK)
        return false;
    *pixels = static_cast<uint8_t*>(description.lpSurface);
    *pitch = description.lPitch;
    return true;
}

void UnlockSurface(void* surface, uint8_t* pixels) {
    static_cast<IDirectDrawSurface*>(surface)->Unlock(pixels);
}

constexpr SurfaceSeam DirectDrawSurfaces = {LockSurface, UnlockSurface};

void Render() {
    RenderStep(Board(), DirectDrawSurfaces,
               {Settings.fullScreen != 0, Program.rotated, Program.backBuffer, Program.card});
}

const boards::FrameHooks Hooks = {StartSoundTick, WaitSoundTick, PollJoystickInUse, Present, Render, nullptr};

} // namespace

void CALLBACK FrameTimerProc(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    SetEvent(Program.frameEvent);
}

void CALLBACK SoundTimerProc(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    Board().soundTick();
    SetEvent(Program.soundEvent);
}

DWORD WINAPI EmulationThread(LPVOID) {
    HANDLE events[2] = {Program.quitEvent, Program.frameEvent};
    for (;;) {
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0) return 0;
        ResetEvent(Program.frameEvent);
        AcquireFrameMutex();
        if (!Program.paused) Board().runFrame(Hooks);
        ReleaseFrameMutex();
    }
}

} // namespace frame
