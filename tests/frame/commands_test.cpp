// Test mode and the sound switch as the commands change them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/sound.h"
#include "frame/commands.h"
#include "frame/frame_lock.h"
#include "frame/help_queue.h"
#include "frame/settings.h"
#include "tests/common/zarkolt_game.h"

using namespace frame;

namespace {

std::vector<std::string> Calls;
int Depth;

void Acquire() {
    Depth++;
}
void Release() {
    Depth--;
}
void SeamLock() {
    Calls.push_back(Depth ? "lock under frame mutex" : "lock without frame mutex");
}
void Nothing() {}
uint32_t NoStatus(int) {
    return 0;
}
boards::PlayResult Played(int, bool) {
    return boards::PlayResult::Ok;
}
void Stop(int buffer) {
    Calls.push_back("stop " + std::to_string(buffer));
}
void NoBuffer(int) {}
bool NoFill(int, const void*, uint32_t) {
    return true;
}
void NoValue(int, uint32_t) {}
void NoVolume(int, int32_t) {}
const boards::SoundSeam Recorder = {zarkolt::PrimaryBuffer,
                                    SeamLock,
                                    Nothing,
                                    NoStatus,
                                    Played,
                                    Stop,
                                    NoBuffer,
                                    NoFill,
                                    NoValue,
                                    NoValue,
                                    NoVolume};

} // namespace

TEST(Commands, TestModeOnResetsOnlyOnce) {
    test_games::UseZarkoltGame();
    zarkolt::InputState = {};
    zarkolt::IoReplyPage[0] = 0x12;
    zarkolt::InputState.credits = 0x05; // the reset clears the credits
    EXPECT_TRUE(ToggleTestMode());      // on: the machine reset
    EXPECT_EQ(zarkolt::InputState.testMode, 1u);
    EXPECT_EQ(zarkolt::IoReplyPage[0], 0x92);
    EXPECT_EQ(zarkolt::InputState.credits, 0u);
    zarkolt::InputState.credits = 0x05;
    EXPECT_FALSE(ToggleTestMode()); // off: no reset, reply byte left to the next frame
    EXPECT_EQ(zarkolt::InputState.testMode, 0u);
    EXPECT_EQ(zarkolt::IoReplyPage[0], 0x92);
    EXPECT_EQ(zarkolt::InputState.credits, 0x05u);
    EXPECT_TRUE(ToggleTestMode()); // on again: reset again
    EXPECT_EQ(zarkolt::InputState.credits, 0u);
    EXPECT_FALSE(ToggleTestMode());
}

TEST(Commands, SoundSwitch) {
    test_games::UseZarkoltGame();
    FrameLock = {Acquire, Release};
    Settings.soundMute = 0;
    zarkolt::SoundMute = 0;

    frame::AttachSound(nullptr); // no device: nothing changes
    EXPECT_FALSE(ToggleSound());
    EXPECT_EQ(Settings.soundMute, 0u);

    frame::AttachSound(&Recorder);
    Calls.clear();
    EXPECT_TRUE(ToggleSound());
    EXPECT_EQ(Settings.soundMute, 1u);
    EXPECT_EQ(zarkolt::SoundMute, 1u);
    ASSERT_FALSE(Calls.empty());
    EXPECT_EQ(Calls.front(), "lock under frame mutex");
    EXPECT_EQ(Calls.back(), "stop 6"); // everything silenced, the primary buffer last

    Calls.clear();
    EXPECT_TRUE(ToggleSound());
    EXPECT_EQ(Settings.soundMute, 0u);
    EXPECT_EQ(zarkolt::SoundMute, 0u);
    EXPECT_TRUE(Calls.empty()); // turning on silences nothing
    EXPECT_EQ(Depth, 0);
    frame::AttachSound(nullptr);
}

TEST(HelpQueue, RequestsWhileOneIsServedWaitTheirTurnWithTheirOwners) {
    HelpQueue queue;
    EXPECT_TRUE(HelpIdle(queue));
    EXPECT_TRUE(QueueHelp(queue, {1, 0x0B, 0})); // idle: wake the helper
    HelpRequest request{};
    ASSERT_TRUE(NextHelp(queue, &request));             // the helper is in the call now
    EXPECT_FALSE(QueueHelp(queue, {2, 0x08, 0x1001B})); // a page asks meanwhile
    EXPECT_FALSE(QueueHelp(queue, {3, 0x08, 0x10019})); // and another
    EXPECT_FALSE(HelpIdle(queue));
    std::vector<uintptr_t> owners = {request.owner};
    while (NextHelp(queue, &request))
        owners.push_back(request.owner);
    EXPECT_EQ(owners, (std::vector<uintptr_t>{1, 2, 3})); // none dropped, in order
    EXPECT_EQ(request.data, 0x10019u);
    EXPECT_TRUE(HelpIdle(queue));
    EXPECT_TRUE(QueueHelp(queue, {1, 0x02, 0})); // HELP_QUIT at close
}
