// The saver's start-up tick, its shut-down and the window procedure's
// decisions.
#include <cstring>

#include "saver/saver.h"

namespace saver {

SaverState State;
const SaverBoard* Board;
const SaverCalls* Calls;
uint8_t WorkBuffer[WorkWidth * WorkHeight];
PaletteEntry Palette[256];

namespace {

// Steps 2 to 8 of the first tick; false at the first failure.
bool StartSaver() {
    if (!Calls->versionSupported()) return false;
    State.frameEvent = Calls->createEvent();
    if (!State.frameEvent) return false;
    State.quitEvent = Calls->createEvent();
    if (!State.quitEvent) return false;
    State.frameMutex = Calls->createMutex();
    if (!State.frameMutex) return false;

    std::memset(WorkBuffer, 0, sizeof WorkBuffer);
    std::memset(Palette, 0, sizeof Palette);
    if (!Board->build(WorkBuffer, Palette)) return false;

    State.directDraw = Calls->createDirectDraw();
    if (!State.directDraw) return false;
    if (!SetUpDisplay()) return false;

    State.soundSetUp = true;
    if (!Board->initSound()) return false;

    State.frameTimer = Calls->startFrameTimer(Board->framePeriod);
    State.thread = Calls->createThread();
    return State.thread != nullptr;
}

void CloseIfMade(Handle& handle) {
    if (handle) Calls->closeHandle(handle);
    handle = nullptr;
}

void ReleaseIfMade(Handle& object) {
    if (object) Calls->release(object);
    object = nullptr;
}

} // namespace

void SaverStartupTick() {
    if (State.directDraw) {
        State.mouseMoves = 0;
        return;
    }
    if (!StartSaver()) Calls->postClose();
}

void SaverShutdown() {
    if (State.thread) {
        Calls->setEvent(State.quitEvent);
        Calls->waitThread(State.thread);
        CloseIfMade(State.thread);
    }
    if (State.startupTimer) Calls->killStartupTimer(State.startupTimer);
    State.startupTimer = 0;
    if (State.frameTimer) Calls->killFrameTimer(State.frameTimer);
    State.frameTimer = 0;
    if (State.directDraw) {
        Calls->setNormalLevel(State.directDraw);
        Calls->restoreDisplayMode(State.directDraw);
    }
    if (State.soundSetUp) Board->releaseSound();
    State.soundSetUp = false;
    // The back buffer goes with its primary surface.
    ReleaseIfMade(State.border);
    ReleaseIfMade(State.primary);
    State.backBuffer = nullptr;
    ReleaseIfMade(State.palette);
    ReleaseIfMade(State.directDraw);
    CloseIfMade(State.frameEvent);
    CloseIfMade(State.quitEvent);
    CloseIfMade(State.frameMutex);
    Calls->destroyWindow();
}

bool CountMouseMove() {
    return ++State.mouseMoves > 4;
}

Point PreviewIconPlace(int32_t right, int32_t bottom) {
    return {right / 2 - 16, bottom / 2 - 16};
}

} // namespace saver
