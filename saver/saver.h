// The screen-saver frame that every saver shares: the state of the saver
// process, the table that makes one saver out of a board, the start-up tick,
// the shut-down, the display set-up and the per-frame flip and present.
//
// Everything here is portable. The platform calls (kernel, timers, windows,
// DirectDraw) go through SaverCalls, which the Windows side fills with the
// real calls (saver/frame_win.cpp) and the tests with recorders, so every
// step of the start-up can be failed and the shut-down checked.
//
// Driving it: set Board and Calls; the window's creation starts the
// one-second start-up timer (State.startupTimer); each tick calls
// SaverStartupTick(); WM_CLOSE calls SaverShutdown(). The emulation thread
// calls Board->frame() once per frame with FrameMutex held; the board glue
// calls FlipDisplay() and PresentPicture() at its own points of the frame.
#pragma once

#include <cstddef>
#include <cstdint>

#include "boards/board.h"

namespace saver {

using Handle = void*; // a kernel handle or an interface pointer of the platform

// Which display modes suit the picture.
enum class ModeRule {
    Portrait,  // landscape modes at least 304 rows high: the least height wins
    Landscape, // at least 304 x 240, not portrait: a mode smaller both ways wins
};

struct PaletteEntry {
    uint8_t red, green, blue, flags;
};

inline constexpr uint32_t NoMode = 65536;   // the chosen size before any mode fits
inline constexpr uint8_t BorderIndex = 254; // the border colour's palette index
inline constexpr PaletteEntry BorderColour = {12, 12, 20, 0};
inline constexpr int WorkWidth = 512; // the work buffer, laid out like a board's frame buffer
inline constexpr int WorkHeight = 512;

// One saver: a board and how it is shown. A board saver drives the board
// through its face with BuildFromFace and RunFaceFrame.
struct SaverBoard {
    uint32_t framePeriod; // ms of the frame timer
    ModeRule modeRule;
    bool border; // portrait picture centred in a border; else landscape at (16, 8)
    const boards::BoardFace* face;
    // Builds the machine; the board renders into workBuffer and fills the
    // game's entries of palette. False: the board could not be built.
    bool (*build)(uint8_t* workBuffer, PaletteEntry* palette);
    // One emulated frame, FrameMutex held; calls FlipDisplay and PresentPicture.
    void (*frame)();
    // The sound set-up: false only when a sound buffer could not be made (no
    // device: true, and the saver is silent). releaseSound frees what exists.
    bool (*initSound)();
    void (*releaseSound)();
};

struct Rect {
    int32_t left, top, right, bottom;
};

struct ModeSize {
    uint32_t width = NoMode;
    uint32_t height = NoMode;
};

// The platform calls of the start-up, the frame and the shut-down. Handles
// are null when an object could not be made.
struct SaverCalls {
    // Kernel and window.
    bool (*versionSupported)(); // Windows 95, or NT 4 and later
    Handle (*createEvent)();    // manual reset, not signalled
    Handle (*createMutex)();    // not owned
    uint32_t (*startFrameTimer)(uint32_t period);
    Handle (*createThread)(); // the emulation thread, running
    void (*postClose)();      // WM_CLOSE to the saver's window
    void (*setEvent)(Handle event);
    void (*waitThread)(Handle thread);
    void (*closeHandle)(Handle handle);
    void (*killStartupTimer)(uint32_t id);
    void (*killFrameTimer)(uint32_t id);
    void (*destroyWindow)();
    // DirectDraw.
    Handle (*createDirectDraw)();
    void (*setExclusiveLevel)(Handle directDraw); // full screen, exclusive, mode X allowed
    // Calls ChooseDisplayMode for every mode the display offers.
    void (*enumerateModes)(Handle directDraw, ModeRule rule, ModeSize& chosen);
    void (*setDisplayMode)(Handle directDraw, uint32_t width, uint32_t height); // 8 bits
    Handle (*createFlippingPrimary)(Handle directDraw);                         // one back buffer
    Handle (*attachedBackBuffer)(Handle primary);
    Handle (*createPalette)(Handle directDraw, const PaletteEntry* entries); // 256
    void (*setPalette)(Handle surface, Handle palette);
    Handle (*createPlainSurface)(Handle directDraw, uint32_t width, uint32_t height);
    void (*colourFill)(Handle surface, const Rect* rect, uint8_t index); // rect null: the whole surface
    void (*blit)(Handle destination, Handle source, const Rect& rect);   // the same rectangle on both
    bool (*lock)(Handle surface, uint8_t** bits, ptrdiff_t* pitch);      // whole surface, write only
    void (*unlock)(Handle surface, uint8_t* bits);
    void (*flip)(Handle primary);
    void (*setNormalLevel)(Handle directDraw);
    void (*restoreDisplayMode)(Handle directDraw);
    void (*release)(Handle object);
};

// The saver process's state; every handle null and id 0 until made.
struct SaverState {
    uint32_t startupTimer;
    uint32_t frameTimer;
    uint32_t mouseMoves; // since the last start-up tick
    Handle directDraw, primary, backBuffer, palette, border;
    ModeSize mode;
    Handle frameEvent, quitEvent, frameMutex;
    Handle thread;
    bool soundSetUp; // the sound set-up ran: its release is due
};

extern SaverState State;
extern const SaverBoard* Board;
extern const SaverCalls* Calls;
extern uint8_t WorkBuffer[WorkWidth * WorkHeight];
extern PaletteEntry Palette[256];

// --- Start-up and shut-down ---

// The one-second tick: after a successful first tick only resets the mouse
// count; the first builds everything and posts WM_CLOSE at the first failure.
void SaverStartupTick();
// Releases what exists, in order, and destroys the window.
void SaverShutdown();
// A running saver's mouse move: true when it goes on to DefScreenSaverProc
// (the fifth and later since the last tick).
bool CountMouseMove();

struct Point {
    int32_t x, y;
};
// Where the preview draws the 32 x 32 icon in a client area right x bottom.
Point PreviewIconPlace(int32_t right, int32_t bottom);

// --- A board through its face ---

// The saver's build: the face's attract build, the work buffer as the
// board's frame buffer, no mute, the reset, the game's colours. False, with
// nothing else done, when the face has no attract build or it fails.
bool BuildFromFace(uint8_t* workBuffer, PaletteEntry* palette);
// The board's own frame with the saver's steps as hooks: no sound tick and
// no input poll; at the present, the board's second sound update (where it
// has one) and the flip; at the render, the picture into the work buffer
// and its present.
void RunFaceFrame();

// The table of a board saver.
constexpr SaverBoard BoardSaver(const boards::BoardFace& face, uint32_t framePeriod, ModeRule rule,
                                bool border, bool (*initSound)(), void (*releaseSound)()) {
    return {framePeriod, rule, border, &face, BuildFromFace, RunFaceFrame, initSound, releaseSound};
}

// --- Display ---

// One mode the display offers; the choice follows the rule.
void ChooseDisplayMode(ModeRule rule, ModeSize& chosen, uint32_t width, uint32_t height, uint32_t bits);
// The black field of the border surface and where the picture's top-left lands.
Rect BorderField(uint32_t width, uint32_t height);
Point PicturePlace(bool border, uint32_t width, uint32_t height);
// The picture of the work buffer onto a locked surface (pointer, pitch).
void CopyPicture(const uint8_t* work, uint8_t* surface, ptrdiff_t pitch, bool border, uint32_t width,
                 uint32_t height);

// The set-up of the first tick: false when the start-up is to fail.
bool SetUpDisplay();
// The emulation thread's display steps (nothing happens through an object
// that does not exist).
void FlipDisplay();
void PresentPicture();

} // namespace saver
