// The ZARKOLT and SUPER ZARKOLT savers on our game data: the attract
// replies, a long attract run without a game starting, the sound latch and
// the work-buffer pictures against the game's golden pictures.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "boards/superzar/superzar.h"
#include "boards/zarkolt/zarkolt.h"
#include "boards/zarkolt/zarkolt_board.h"
#include "tests/common/golden.h"
#include "tests/saver/fake_calls.h"

namespace {

constexpr uint16_t StateByte = 0x8103, StartLock = 0x8023, IdleFlag = 0x85AD;
enum { Title = 0, Fleet = 1, Demo = 2, Scores = 3 };

// What the replies were at each flip, right after the frame's refresh.
struct Refresh {
    uint8_t idleFlag, reply0, reply1, reply2, button2Up;
};
std::vector<Refresh> Refreshes;

void NoteReplies() {
    Refreshes.push_back({*zarkolt::Ram(IdleFlag), zarkolt::IoReplyPage[0], zarkolt::IoReplyPage[1],
                         zarkolt::IoReplyPage[2], uint8_t(zarkolt::SwitchPage[0] & 1)});
}

int Traps;
void CountTrap(Z80Context*, uint16_t, int) {
    Traps++;
}

// A sound device that logs what it is asked.
std::vector<std::string> SoundCalls;
void Nothing() {}
uint32_t Status(int) {
    return 0;
}
zarkolt::PlayResult Play(int buffer, bool) {
    SoundCalls.push_back("play " + std::to_string(buffer));
    return zarkolt::PlayResult::Ok;
}
void Stop(int buffer) {
    SoundCalls.push_back("stop " + std::to_string(buffer));
}
void Restore(int) {}
bool Fill(int, const void*, uint32_t) {
    return true;
}
void Set(int, uint32_t) {}
void SetVolume(int buffer, int32_t volume) {
    SoundCalls.push_back("volume " + std::to_string(buffer) + " " + std::to_string(volume));
}
const zarkolt::SoundSeam Device = {
    zarkolt::PrimaryBuffer, Nothing, Nothing, Status, Play, Stop, Restore, Fill, Set, Set, SetVolume};

const saver::SaverBoard ZarkoltSaver =
    saver::BoardSaver(zarkolt::Face, 16, saver::ModeRule::Portrait, true, nullptr, nullptr);
const saver::SaverBoard SuperZarkoltSaver =
    saver::BoardSaver(superzar::Face, 16, saver::ModeRule::Portrait, true, nullptr, nullptr);

class ZarkoltSaverTest : public ::testing::Test {
  protected:
    void Start(bool super, bool device = false) {
        fake.Install();
        fake.onFlip = NoteReplies;
        saver::Board = super ? &SuperZarkoltSaver : &ZarkoltSaver;
        Refreshes.clear();
        SoundCalls.clear();
        Traps = 0;
        Z80SetTrapHook(CountTrap);
        saver::Board->face->attachSound(device ? &Device : nullptr);
        ASSERT_TRUE(saver::Board->build(saver::WorkBuffer, saver::Palette));
        saver::State.directDraw = saver_test::HandleNumber(100);
        ASSERT_TRUE(saver::SetUpDisplay());
    }
    void TearDown() override {
        zarkolt::Face.attachSound(nullptr);
        Z80SetTrapHook(NullTrapHook);
    }

    void RunFrames(int count) {
        for (int i = 0; i < count; i++)
            saver::Board->frame();
    }
    bool RunUntilState(int state, int limit) {
        for (int i = 0; i < limit; i++) {
            if (*zarkolt::Ram(StateByte) == state) return true;
            RunFrames(1);
        }
        return false;
    }

    saver_test::FakeSystem fake;
};

TEST_F(ZarkoltSaverTest, ZarkoltRepliesIdleWhileTheGameIsNotReadyThenNobodyPlays) {
    Start(false);
    zarkolt::SwitchPage[0] &= ~1;
    RunFrames(600);
    std::set<int> forms;
    for (const Refresh& r : Refreshes) {
        if (r.idleFlag == 0) {
            EXPECT_EQ(r.reply0, 0x80);
            EXPECT_EQ(r.reply1, 0x38);
            EXPECT_EQ(r.reply2, 0x38);
        } else {
            EXPECT_EQ(r.reply0, 0x00);
            EXPECT_EQ(r.reply1, 0x30);
            EXPECT_EQ(r.button2Up, 1);
        }
        forms.insert(r.idleFlag != 0);
    }
    EXPECT_EQ(forms, (std::set<int>{0, 1}));
    EXPECT_EQ(fake.flips, 600);
}

TEST_F(ZarkoltSaverTest, SuperZarkoltNeverTakesTheIdleForm) {
    Start(true);
    RunFrames(300);
    ASSERT_EQ(Refreshes.front().idleFlag, 0);
    for (const Refresh& r : Refreshes) {
        EXPECT_EQ(r.reply0, 0x00);
        EXPECT_EQ(r.reply1, 0x30);
        EXPECT_EQ(r.reply2, 0xF8);
        EXPECT_EQ(r.button2Up, 1);
    }
    EXPECT_EQ(zarkolt::SwitchPage[7], 2);
}

// Half an hour of attract: no game starts, no trap is taken, the ROM keeps
// its bytes and the title comes round again.
TEST_F(ZarkoltSaverTest, AttractRunsWithoutAGameStarting) {
    Start(false);
    std::vector<uint8_t> rom(zarkolt::GameImages.cpu1.data,
                             zarkolt::GameImages.cpu1.data + zarkolt::GameImages.cpu1.size);
    ASSERT_TRUE(std::equal(rom.begin(), rom.end(), zarkolt::Cpu1Rom));
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(zarkolt::SwitchPage[i], 3) << "no settings applied, switch byte " << i;
    int titles = 0, previous = -1;
    for (int frame = 0; frame < 30000; frame++) {
        RunFrames(1);
        ASSERT_EQ(*zarkolt::Ram(StartLock), 0) << "frame " << frame;
        int state = *zarkolt::Ram(StateByte);
        if (state == Title && previous != Title) titles++;
        previous = state;
    }
    EXPECT_GT(titles, 1);
    EXPECT_EQ(Traps, 0);
    EXPECT_TRUE(std::equal(rom.begin(), rom.end(), zarkolt::Cpu1Rom));
}

TEST_F(ZarkoltSaverTest, SoundLatchOffSilencesEverything) {
    for (bool device : {true, false}) {
        Start(false, device);
        Z80WriteByte(&zarkolt::Cpus[zarkolt::Cpu1], 0x6823, 1);
        zarkolt::Samples[1].playing = 1;
        SoundCalls.clear();
        Z80WriteByte(&zarkolt::Cpus[zarkolt::Cpu1], 0x6823, 0);
        if (device) {
            std::vector<std::string> expected;
            for (int buffer = 0; buffer < 6; buffer++) {
                expected.push_back("volume " + std::to_string(buffer) + " -10000");
                expected.push_back("stop " + std::to_string(buffer));
            }
            expected.push_back("stop 6");
            EXPECT_EQ(SoundCalls, expected);
        }
        // Without a device the samples' state is left alone.
        EXPECT_EQ(zarkolt::Samples[1].playing, device ? 0u : 1u)
            << (device ? "with a device" : "without one");
        EXPECT_EQ(zarkolt::SoundEnable, 0u);
    }
}

TEST_F(ZarkoltSaverTest, AttractPlaysTheVoicesWithADevice) {
    Start(false, true);
    RunFrames(2000);
    int plays = 0;
    for (const std::string& call : SoundCalls)
        plays += call.rfind("play ", 0) == 0;
    EXPECT_GT(plays, 0);
}

// The work buffer holds the game's pictures; the presented surface shows them
// centred in the black field.
TEST_F(ZarkoltSaverTest, WorkBufferPicturesAreTheGames) {
    Start(false);
    const struct {
        int state, after;
        const char* name;
    } shots[] = {{Title, 200, "title"}, {Demo, 500, "demo"}};
    for (const auto& shot : shots) {
        ASSERT_TRUE(RunUntilState(shot.state, 3000)) << shot.name;
        RunFrames(shot.after);
        EXPECT_TRUE(golden::Matches(zarkolt::Face, GOLDEN_DIR, shot.name));
        // The last present put the same picture on the surface.
        for (int y = 0; y < 288; y++)
            ASSERT_TRUE(std::equal(saver::WorkBuffer + (16 + y) * 512 + 16,
                                   saver::WorkBuffer + (16 + y) * 512 + 240,
                                   fake.back.begin() + (96 + y) * fake.pitch + 208))
                << shot.name << " row " << y;
    }
}

} // namespace
