// The Windows game program frame: process-wide state and the routines its
// pieces call on one another.
//
// A game program hands FrameMain a GameProgram (its title, test-mode
// caption, board edition, game data and high-score traps) from its WinMain,
// and brings its own resources under the names the frame loads: the menu
// "TOPMENU", the accelerators "APPACCEL", the version box "ABOUTBOX", the
// settings dialogs, the bitmaps and the icon "ZARKOLT". FrameMain builds every
// long-lived object in a fixed order (InitApplication), runs the message loop
// with the accelerators, shuts down in order and starts the launcher.
//
// Threads: the user-interface thread runs the window procedure, commands and
// painting; the emulation thread runs one board frame per tick of the 16 ms
// multimedia timer, holding FrameMutex for the whole frame; the timer's thread
// only sets events and runs the 8 ms sound tick (which takes SoundLock only).
#pragma once

#include <windows.h>

#include <ddraw.h>
#include <dsound.h>

#include <cstdint>

#include "boards/zarkolt/game_data.h"
#include "boards/zarkolt/machine.h"
#include "frame/highscore.h"
#include "frame/layout.h"

namespace frame {

struct GameProgram {
    const char* title;       // caption, registry key, dialog captions
    const char* testCaption; // caption in test mode; null: the game has no test mode
    const zarkolt::Edition* edition;
    const zarkolt::GameData* data;
    const HighScoreTraps* traps;
};

// Every edition's window class and icon resource.
inline constexpr const char* WindowClassName = "ZARKOLT";

// Menu command ids.
enum : int {
    CmdTestMode = 101,
    CmdAbout = 102,
    CmdReset = 104,
    CmdExit = 105,
    CmdSound = 146,
    CmdGameSettings = 148,
    CmdFullScreen = 149,
    CmdControlSettings = 151,
    CmdHelpContents = 157,
    CmdHelpOnHelp = 158,
};

struct ProgramState {
    const GameProgram* game;
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

    IDirectSound* directSound;
    HANDLE helpThread;
};

extern ProgramState Program;

int FrameMain(HINSTANCE instance, const GameProgram& game);

// Start-up, window and commands.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void OnCommand(HWND window, int id, LPARAM lParam, int notification);
void ResetForNewSettings(bool showMessage);
// The machine reset: ResetMachine and SaveSettings, under the frame mutex.
void ResetMachineLocked();
// Whether the program is in full screen now.
bool InFullScreen();
// Leaves full screen (with the frame mutex held): display mode, surfaces.
void ReleaseFullScreen();
// Calls WinHelpA on a helper thread, so that a help program that waits for
// an answer cannot stop the window.
void ShowHelp(UINT command, ULONG_PTR data);

// The frame mutex.
void AcquireFrameMutex();
void ReleaseFrameMutex();

// Emulation thread and timers.
DWORD WINAPI EmulationThread(LPVOID);
void CALLBACK FrameTimerProc(UINT id, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
void CALLBACK SoundTimerProc(UINT id, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
// Copies the picture from the frame buffer to the window's client area.
void PresentToWindow(HDC dc, HPALETTE palette);

// DirectSound.
int InitSound();
void ReleaseSound();

// Instruction card and version box.
void DrawInstructionCard();
void LoadCardPalette();
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace frame
