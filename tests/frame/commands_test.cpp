// Test mode and the sound switch as the commands change them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/sound.h"
#include "frame/commands.h"
#include "frame/frame_lock.h"
#include "frame/settings.h"

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
zarkolt::PlayResult Played(int, bool) {
    return zarkolt::PlayResult::Ok;
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
const zarkolt::SoundSeam Recorder = {zarkolt::PrimaryBuffer,
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
    zarkolt::InputState = {};
    zarkolt::IoReplyPage[0] = 0x12;
    EXPECT_TRUE(ToggleTestMode()); // on: reset wanted
    EXPECT_EQ(zarkolt::InputState.testMode, 1u);
    EXPECT_EQ(zarkolt::IoReplyPage[0], 0x92);
    EXPECT_FALSE(ToggleTestMode()); // off: no reset, reply byte left to the next frame
    EXPECT_EQ(zarkolt::InputState.testMode, 0u);
    EXPECT_EQ(zarkolt::IoReplyPage[0], 0x92);
    EXPECT_TRUE(ToggleTestMode());
    EXPECT_FALSE(ToggleTestMode());
}

TEST(Commands, SoundSwitch) {
    FrameLock = {Acquire, Release};
    Settings.soundMute = 0;
    zarkolt::SoundMute = 0;

    zarkolt::Sound = nullptr; // no device: nothing changes
    EXPECT_FALSE(ToggleSound());
    EXPECT_EQ(Settings.soundMute, 0u);

    zarkolt::Sound = &Recorder;
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
    zarkolt::Sound = nullptr;
}
