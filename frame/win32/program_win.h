// The Windows game program frame: process-wide state and the routines its
// pieces call on one another.
//
// A game program hands FrameMain its game description (frame/game.h) from
// its WinMain, and brings its own resources under the names the frame loads:
// the menu "TOPMENU", the accelerators "APPACCEL", the version box
// "ABOUTBOX", the settings dialogs, the bitmaps and the icon named like the
// window class. FrameMain builds every
// long-lived object in a fixed order (InitApplication), runs the message loop
// with the accelerators, shuts down in order and starts the launcher.
//
// Threads: the user-interface thread runs the window procedure, commands and
// painting; the emulation thread runs one board frame per tick of the
// board's frame timer (16 ms for ZARKOLT), holding FrameMutex for the whole
// frame; the timer's thread only sets events and runs the board's sound tick
// where it has one (ZARKOLT: 8 ms, taking SoundLock only).
#pragma once

#include <windows.h>

#include <ddraw.h>
#include <dsound.h>

#include <cstdint>

#include "frame/game.h"
#include "frame/layout.h"

namespace frame {

struct ProgramState {
    HINSTANCE instance;
    HWND window;
    HMENU menuCopy;
    HACCEL accelerators;
    char helpPath[256];
    char launcherPath[256];

    HANDLE frameEvent, quitEvent, soundEvent;
    HANDLE frameMutex;
    CRITICAL_SECTION soundLock;
    bool soundLockReady;

    HDC memoryDc;
    HBITMAP frameBitmap;
    HGDIOBJ oldBitmap;
    uint8_t* frameBits;
    HPALETTE gamePalette, backgroundPalette;

    IDirectDraw* directDraw;
    DisplayCapability display;
    IDirectDrawSurface* primary;
    IDirectDrawSurface* backBuffer;
    IDirectDrawSurface* card;
    IDirectDrawPalette* palette;
    bool rotated; // the full screen in force is the turned 320 x 240 one

    WindowSizes sizes;
    Point start;
    RECT savedRect;
    uint32_t minimized;
    volatile LONG paused;
    UINT frameTimer;

    HANDLE thread;
    DWORD threadId;
};

extern ProgramState Program;

int FrameMain(HINSTANCE instance, const GameDescription& game);

// Start-up, window and commands.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void OnCommand(HWND window, int id, LPARAM lParam, int notification);
void ResetForNewSettings(bool showMessage);
// The frame's game-settings dialog over the description's gameSettingForm.
void ShowGameSettingForm(void* owner);
// Whether the program is in full screen now.
bool InFullScreen();
// Leaves full screen (with the frame mutex held): display mode, surfaces.
void ReleaseFullScreen();
// Help (help_win.cpp): WinHelpA calls for the window, a dialog or a page
// (owner), made one after the other on a helper thread so that a help
// program that waits for an answer cannot stop the asking window; requests
// made meanwhile are queued. QuitHelp sends HELP_QUIT at close (queued behind
// a call still waiting); StopHelp ends the helper thread at shut-down.
void ShowHelp(HWND owner, UINT command, ULONG_PTR data);
void QuitHelp(HWND window);
void StopHelp();

// The frame mutex.
void AcquireFrameMutex();
void ReleaseFrameMutex();

// Emulation thread and timers.
DWORD WINAPI EmulationThread(LPVOID);
void CALLBACK FrameTimerProc(UINT id, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
void CALLBACK SoundTimerProc(UINT id, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
// After the emulation thread started: the board's frame-rate meter, if it
// has one; without a usable counter the user is told once.
void StartFrameRateMeter();
// Copies the picture from the frame buffer to the window's client area.
void PresentToWindow(HDC dc, HPALETTE palette);

// DirectSound for the board (sound_win.cpp, over the voice layer of
// directsound_win.h).
int InitSound();
void ReleaseSound();

// Instruction card and version box.
void DrawInstructionCard();
void LoadCardPalette();
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace frame
