// The emulation thread: one board frame per tick of the 16 ms frame timer,
// with the platform steps of the frame: the 8 ms sound tick, the joystick
// poll, presenting the last picture and composing the full-screen surfaces.
#include <windows.h>

#include <mmsystem.h>

#include "boards/zarkolt/frame.h"
#include "boards/zarkolt/renderer.h"
#include "boards/zarkolt/sound.h"
#include "frame/joystick.h"
#include "frame/program_win.h"
#include "frame/settings.h"

namespace frame {

namespace {

bool StartSoundTick() {
    ResetEvent(Program.soundEvent);
    return timeSetEvent(8, 8, SoundTimerProc, 0, TIME_ONESHOT | TIME_CALLBACK_FUNCTION) != 0;
}

void WaitSoundTick() {
    WaitForSingleObject(Program.soundEvent, INFINITE);
}

void PollJoystickInUse() {
    if (Settings.joystickUse) PollJoystick();
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

// Locks the whole back buffer, lets copy write into it, unlocks it; a failed
// lock skips the copy for this frame.
void CopyIntoBackBuffer(void (*copy)(uint8_t* surface, ptrdiff_t pitch)) {
    DDSURFACEDESC description = {};
    description.dwSize = sizeof description;
    if (Program.backBuffer->Lock(nullptr, &description, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr) != DD_OK)
        return;
    copy(static_cast<uint8_t*>(description.lpSurface), description.lPitch);
    Program.backBuffer->Unlock(description.lpSurface);
}

void Render() {
    if (Settings.fullScreen && Program.rotated) {
        zarkolt::RenderFrameModeX();
        if (!Program.backBuffer) return;
        DDBLTFX effects = {};
        effects.dwSize = sizeof effects;
        effects.dwFillColor = 0;
        Program.backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
        CopyIntoBackBuffer(zarkolt::CopyPictureModeX);
        return;
    }
    zarkolt::RenderFrame();
    if (!Settings.fullScreen || !Program.backBuffer) return;
    if (Program.card) {
        RECT whole = {0, 0, CardLayout::ScreenWidth, CardLayout::ScreenHeight};
        Program.backBuffer->Blt(&whole, Program.card, &whole, DDBLT_WAIT, nullptr);
    }
    CopyIntoBackBuffer(zarkolt::CopyPictureFullScreen);
}

const zarkolt::FrameHooks Hooks = {StartSoundTick, WaitSoundTick, PollJoystickInUse, Present, Render};

} // namespace

void CALLBACK FrameTimerProc(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    SetEvent(Program.frameEvent);
}

void CALLBACK SoundTimerProc(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    zarkolt::SoundTick();
    SetEvent(Program.soundEvent);
}

DWORD WINAPI EmulationThread(LPVOID) {
    HANDLE events[2] = {Program.quitEvent, Program.frameEvent};
    for (;;) {
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0) return 0;
        ResetEvent(Program.frameEvent);
        AcquireFrameMutex();
        if (!Program.paused) zarkolt::RunFrame(Hooks);
        ReleaseFrameMutex();
    }
}

} // namespace frame
