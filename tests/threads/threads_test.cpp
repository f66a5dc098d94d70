// The two threads of a game program on one board, as the program runs them:
// the emulation thread runs frames (the joystick poll inside) holding the
// frame mutex, while the window's thread sends key messages for every key in
// the table and applies changed game settings through the dialog's OK.
// Built with ThreadSanitizer (preset tsan), a change to the board's inputs
// or switches made outside the frame mutex is reported as a data race and
// fails the run. Nothing here waits on time: the window's thread sends its
// keys after each new frame it sees, a fixed number of times.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "frame/frame_lock.h"
#include "frame/game.h"
#include "frame/game_setting.h"
#include "frame/joystick.h"
#include "frame/keys.h"
#include "frame/settings.h"
#include "programs/dollix/dollix_game.h"
#include "programs/kluno/kluno_game.h"
#include "programs/ronku/ronku_game.h"
#include "tests/common/zarkolt_game.h"

namespace {

// The frame mutex: recursive, as the program's is.
std::recursive_mutex FrameMutex;
void Lock() {
    FrameMutex.lock();
}
void Unlock() {
    FrameMutex.unlock();
}

// Both joysticks swing through the nine stick positions while the buttons
// go down and up in turn; only the emulation thread asks.
uint32_t Polls;
uint32_t TwoDevices() {
    return 2;
}
bool FullRange(uint32_t, frame::JoystickRange* range) {
    *range = {0, 65535, 0, 65535};
    return true;
}
bool Swing(uint32_t id, frame::JoystickPosition* position) {
    uint32_t n = Polls++ / 2 + id;
    *position = {n % 3 * 32767, n / 3 % 3 * 32767, n % 2 ? 0xFFFFu : 0u};
    return true;
}
constexpr frame::JoystickSeam SwingingJoysticks = {TwoDevices, FullRange, Swing};

void NoStep() {}

// Relaxed: they order nothing, so the race finder sees only the mutex.
std::atomic<int> FramesRun;
std::atomic<bool> WindowDone;

void EmulationThread() {
    boards::FrameHooks hooks{};
    hooks.pollInput = frame::PollJoystickInUse;
    hooks.render = NoStep; // the picture is not looked at
    while (!WindowDone.load(std::memory_order_relaxed)) {
        {
            frame::FrameMutexHold hold;
            frame::Board().runFrame(hooks);
        }
        FramesRun.fetch_add(1, std::memory_order_relaxed);
    }
}

// Forty times, each after a frame it had not seen: a press, an auto-repeat
// and a release of every key in the table, then the settings dialog's OK
// with the options turned one choice on. Counts the OKs that changed the
// switches.
int WindowThread() {
    const frame::ConfigurationLayout& configuration = frame::Game().configuration;
    frame::GameSettingWork work = frame::OpenGameSetting(frame::Settings);
    int seen = 0, applied = 0;
    for (int burst = 0; burst < 40; burst++) {
        while (FramesRun.load(std::memory_order_relaxed) == seen)
            std::this_thread::yield();
        seen = FramesRun.load(std::memory_order_relaxed);
        for (uint32_t key = 0; key < 256; key++) {
            if (frame::KeyTable[key] == frame::KeyNone) continue;
            frame::KeyDispatch(key, 0, 1);
            frame::KeyDispatch(key, frame::KeyRepeatFlag, 1);
            frame::KeyDispatch(key, 0xC000, 0);
        }
        for (int i = 0; i < configuration.optionCount; i++) {
            uint32_t limit = configuration.limits[size_t(i)];
            if (limit) work.options[size_t(i)] = (work.options[size_t(i)] + 1) % limit;
        }
        applied += frame::TakeOverGameSetting(work, false) != frame::GameSettingOutcome::Saved;
    }
    WindowDone.store(true, std::memory_order_relaxed);
    return applied;
}

struct Program {
    const char* name;
    frame::GameDescription (*game)();
};
const Program Programs[] = {
    {"DOLLIX", [] { return dollix_program::DollixGame(nullptr); }},
    {"KLUNO", [] { return kluno_program::KlunoGame(nullptr); }},
    {"RONKU", [] { return ronku_program::RonkuGame(); }},
    {"ZARKOLT", [] { return test_games::ZarkoltGame(); }},
};

TEST(HostThreads, KeysJoysticksAndSettingsDuringFrames) {
    frame::FrameLock = {Lock, Unlock};
    frame::Joystick = SwingingJoysticks;
    for (const Program& program : Programs) {
        SCOPED_TRACE(program.name);
        const frame::GameDescription game = program.game();
        frame::UseGame(game);
        std::string error;
        ASSERT_TRUE(game.board->buildEmbedded(error)) << error;
        game.board->reset();
        frame::Settings = frame::DefaultSettings();
        frame::Settings.joystickUse = 1;
        frame::RebuildKeyTable(frame::Settings.controls);
        frame::ResetJoystickPoll();
        FramesRun = 0;
        WindowDone = false;
        Polls = 0;
        std::thread emulation(EmulationThread);
        int applied = WindowThread();
        emulation.join();
        EXPECT_EQ(Polls > 0, game.controls.slotCount > game.controls.keyboardSlotCount);
        EXPECT_EQ(applied > 0, game.configuration.optionCount > 0);
    }
    frame::Joystick = frame::NoJoystick;
    frame::FrameLock = {NoStep, NoStep};
}

} // namespace
