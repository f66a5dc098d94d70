// The SaverCalls recorder.
#include "tests/saver/fake_calls.h"

#include <algorithm>

namespace saver_test {

FakeSystem* Fake;

namespace {

uintptr_t nextHandle;
saver::Handle mainSurfaceHandle; // the primary's back buffer

std::string Name(saver::Handle handle) {
    return std::to_string(reinterpret_cast<uintptr_t>(handle));
}

void Log(const std::string& call) {
    Fake->calls.push_back(call);
}

// A new handle, or null when the call is to fail.
bool Fails(const std::string& call) {
    return Fake->failing.count(call) || ++Fake->attempts == Fake->failNth;
}

saver::Handle Make(const std::string& call) {
    if (Fails(call)) {
        Log(call + " -> fail");
        return nullptr;
    }
    saver::Handle handle = HandleNumber(++nextHandle);
    Log(call + " -> " + Name(handle));
    return handle;
}

bool Succeeds(const std::string& call) {
    bool ok = !Fails(call);
    Log(ok ? call : call + " -> fail");
    return ok;
}

using saver::Handle;

bool VersionSupported() {
    return Succeeds("version");
}
Handle CreateEvent() {
    return Make("createEvent");
}
Handle CreateMutex() {
    return Make("createMutex");
}
uint32_t StartFrameTimer(uint32_t period) {
    Log("startFrameTimer " + std::to_string(period));
    return 77;
}
Handle CreateThread() {
    return Make("createThread");
}
void PostClose() {
    Log("postClose");
}
void SetEvent(Handle event) {
    Log("setEvent " + Name(event));
}
void WaitThread(Handle thread) {
    Log("waitThread " + Name(thread));
}
void CloseHandle(Handle handle) {
    Log("closeHandle " + Name(handle));
}
void KillStartupTimer(uint32_t id) {
    Log("killStartupTimer " + std::to_string(id));
}
void KillFrameTimer(uint32_t id) {
    Log("killFrameTimer " + std::to_string(id));
}
void DestroyWindow() {
    Log("destroyWindow");
}

Handle CreateDirectDraw() {
    return Make("createDirectDraw");
}
void SetExclusiveLevel(Handle) {
    Log("setExclusiveLevel");
}
void EnumerateModes(Handle, saver::ModeRule rule, saver::ModeSize& chosen) {
    Log("enumerateModes");
    for (const DisplayModeOffer& mode : Fake->modes)
        saver::ChooseDisplayMode(rule, chosen, mode.width, mode.height, mode.bits);
}
void SetDisplayMode(Handle, uint32_t width, uint32_t height) {
    Log("setDisplayMode " + std::to_string(width) + "x" + std::to_string(height));
    Fake->pitch = ptrdiff_t(width) + FakeSystem::PitchSlack;
    Fake->back.assign(size_t(Fake->pitch) * height, FakeSystem::Untouched);
}
Handle CreateFlippingPrimary(Handle) {
    return Make("createPrimary");
}
Handle AttachedBackBuffer(Handle) {
    mainSurfaceHandle = Make("backBuffer");
    return mainSurfaceHandle;
}
Handle CreatePalette(Handle, const saver::PaletteEntry* entries) {
    const saver::PaletteEntry& border = entries[saver::BorderIndex];
    Log("palette 254 = " + std::to_string(border.red) + "," + std::to_string(border.green) + "," +
        std::to_string(border.blue));
    return Make("createPalette");
}
void SetPalette(Handle surface, Handle palette) {
    Log("setPalette " + Name(surface) + " " + Name(palette));
}
Handle CreatePlainSurface(Handle, uint32_t width, uint32_t height) {
    return Make("createBorder " + std::to_string(width) + "x" + std::to_string(height));
}
void ColourFill(Handle surface, const saver::Rect* rect, uint8_t index) {
    std::string area = rect ? std::to_string(rect->left) + "," + std::to_string(rect->top) + "," +
                                  std::to_string(rect->right) + "," + std::to_string(rect->bottom)
                            : "all";
    Log("fill " + Name(surface) + " " + area + " with " + std::to_string(index));
}
void Blit(Handle destination, Handle source, const saver::Rect& rect) {
    Log("blit " + Name(source) + " to " + Name(destination) + " " + std::to_string(rect.right) + "x" +
        std::to_string(rect.bottom));
}
bool Lock(Handle surface, uint8_t** bits, ptrdiff_t* pitch) {
    if (!Succeeds("lock " + Name(surface))) return false;
    *bits = Fake->back.data();
    *pitch = Fake->pitch;
    return true;
}
void Unlock(Handle surface, uint8_t*) {
    Log("unlock " + Name(surface));
}
void Flip(Handle primary) {
    Fake->flips++;
    if (Fake->onFlip) Fake->onFlip();
    Log("flip " + Name(primary));
}
void SetNormalLevel(Handle) {
    Log("setNormalLevel");
}
void RestoreDisplayMode(Handle) {
    Log("restoreDisplayMode");
}
void Release(Handle object) {
    Log("release " + Name(object));
}

const saver::SaverCalls RecorderCalls = {
    VersionSupported,
    CreateEvent,
    CreateMutex,
    StartFrameTimer,
    CreateThread,
    PostClose,
    SetEvent,
    WaitThread,
    CloseHandle,
    KillStartupTimer,
    KillFrameTimer,
    DestroyWindow,
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
    Lock,
    Unlock,
    Flip,
    SetNormalLevel,
    RestoreDisplayMode,
    Release,
};

} // namespace

saver::Handle HandleNumber(uintptr_t n) {
    return reinterpret_cast<saver::Handle>(n);
}

void FakeSystem::Install() {
    Fake = this;
    nextHandle = 0;
    attempts = 0;
    failNth = 0;
    failing.clear();
    calls.clear();
    flips = 0;
    onFlip = nullptr;
    saver::Calls = &RecorderCalls;
    saver::State = {};
}

bool FakeSystem::Attempt(const std::string& call) {
    return Succeeds(call);
}

bool FakeSystem::Called(const std::string& call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

std::vector<std::string> FakeSystem::Take() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
}

} // namespace saver_test
