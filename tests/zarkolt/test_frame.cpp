// One frame: the order of interrupts, passes and hooks, run on small Z80
// programs that count instructions and log their interrupts into RAM.
#include "tests/zarkolt/support.h"

namespace zarkolt_test {
namespace {

using namespace zarkolt;

// CPU 1:        ld sp,0x8000 / im 1 / ei / loop: inc bc / jr loop
// at 0x0038:    ld (0x8002),bc / ld hl,(0x8004) / inc hl / ld (0x8004),hl / ei / reti
constexpr std::initializer_list<uint8_t> Cpu1Main = {0x31, 0x00, 0x80, 0xED, 0x56, 0xFB, 0x03, 0x18, 0xFD};
constexpr std::initializer_list<uint8_t> Cpu1Irq = {0xED, 0x43, 0x02, 0x80, 0x2A, 0x04, 0x80,
                                                    0x23, 0x22, 0x04, 0x80, 0xFB, 0xED, 0x4D};
// CPU 3 counting: loop: inc bc / jr loop
// at 0x0066:    ld (ix+0),c / ld (ix+1),b / inc ix / inc ix / retn
constexpr std::initializer_list<uint8_t> Cpu3Count = {0x03, 0x18, 0xFD};
constexpr std::initializer_list<uint8_t> Cpu3LogNmi = {0xDD, 0x71, 0x00, 0xDD, 0x70, 0x01,
                                                       0xDD, 0x23, 0xDD, 0x23, 0xED, 0x45};
// CPU 3 sounding: loop: jr loop
// at 0x0066:    ld hl,0x7A00 / inc (hl) / ld a,(hl) / ld (0x6816),a / retn
constexpr std::initializer_list<uint8_t> Cpu3Idle = {0x18, 0xFE};
constexpr std::initializer_list<uint8_t> Cpu3SoundNmi = {0x21, 0x00, 0x7A, 0x34, 0x7E,
                                                         0x32, 0x16, 0x68, 0xED, 0x45};

std::vector<std::string> Events;
struct Snapshot {
    uint16_t cpu1Count;
    uint16_t irqs;
    uint16_t nmis;
    uint8_t reply1;
};
std::vector<Snapshot> Seen;

uint16_t Word(uint16_t address) {
    return uint16_t(*Ram(address) | *Ram(uint16_t(address + 1)) << 8);
}
uint16_t NmiCount() {
    return uint16_t((Cpus[Cpu3].IX - 0x7A00) / 2);
}
void Note(const char* event) {
    Events.push_back(event);
    Seen.push_back({Cpus[Cpu1].BC, Word(0x8004), NmiCount(), IoReplyPage[1]});
}

bool StartTick() {
    Note("start tick");
    return true;
}
void WaitTick() {
    Note("wait tick");
    SoundTick();
}
void Joystick() {
    Note("joystick");
    InputState.input = InputRight;
}
void Present() {
    Note("present");
}
void Render() {
    Note("render");
}

const FrameHooks Hooks = {StartTick, WaitTick, Joystick, Present, Render, nullptr};

class FrameTest : public BoardTest {
  protected:
    void SetUp() override {
        Place(images[&GameData::cpu1], 0, Cpu1Main);
        Place(images[&GameData::cpu1], 0x38, Cpu1Irq);
        BoardTest::SetUp();
        Events.clear();
        Seen.clear();
    }
    void StartCpu3(std::initializer_list<uint8_t> main, std::initializer_list<uint8_t> nmi) {
        Place(images[&GameData::cpu3], 0, main);
        Place(images[&GameData::cpu3], 0x66, nmi);
        Build();
        ResetMachine();
        Z80Reset(&Cpus[Cpu3]);
        Cpus[Cpu3].SP = 0x7C00;
        Cpus[Cpu3].IX = 0x7A00;
    }
};

TEST_F(FrameTest, InterruptsPassesAndHooksInOrder) {
    StartCpu3(Cpu3Count, Cpu3LogNmi);
    recorder.Install();
    Write(Cpu1, 0x6823, 1);
    IrqEnable = 1;
    *Ram(0x85AD) = 1;
    RunFrame(Hooks);

    EXPECT_EQ(Events, (std::vector<std::string>{"start tick", "joystick", "present", "render", "wait tick"}));
    // The first half ran 4,096 passes after CPU 3's first NMI, before the poll.
    EXPECT_EQ(Seen[0].cpu1Count, 0);
    EXPECT_EQ(Seen[0].nmis, 0);
    EXPECT_EQ(Seen[1].nmis, 1);
    EXPECT_EQ(Seen[1].cpu1Count, (4096 - 3 + 1) / 2); // three set-up instructions, then inc bc first
    EXPECT_EQ(Seen[1].irqs, 0);
    // The I/O chip was refreshed between the poll and the present.
    EXPECT_EQ(Seen[1].reply1, 0xF8);
    EXPECT_EQ(Seen[2].reply1, 0x32);
    // Then the second NMI, the IRQ and the second half, then the render.
    EXPECT_EQ(Seen[3].nmis, 2);
    EXPECT_EQ(Seen[3].irqs, 1);
    EXPECT_EQ(Word(0x8002), Seen[2].cpu1Count);
    EXPECT_EQ(Seen[3].cpu1Count, Seen[2].cpu1Count + (4096 - 6) / 2); // six in the handler, then jr first
    // CPU 3's log: BC at the first NMI (0) and at the second.
    EXPECT_EQ(Word(0x7A00), 0);
    EXPECT_EQ(Word(0x7A02), (4096 - 5 + 1) / 2);
}

TEST_F(FrameTest, IrqOnlyWithTheEnableLatch) {
    StartCpu3(Cpu3Count, Cpu3LogNmi);
    RunFrame({});
    EXPECT_EQ(Word(0x8004), 0);
    EXPECT_EQ(NmiCount(), 2); // CPU 3's NMIs come regardless of any latch
    Write(Cpu1, 0x6820, 1);
    RunFrame({});
    RunFrame({});
    EXPECT_EQ(Word(0x8004), 2);
    Write(Cpu1, 0x6820, 0);
    RunFrame({});
    EXPECT_EQ(Word(0x8004), 2);
    EXPECT_EQ(NmiCount(), 8);
}

TEST_F(FrameTest, HeldCpu3GetsNoNmi) {
    StartCpu3(Cpu3Count, Cpu3LogNmi);
    Write(Cpu1, 0x6822, 0);
    Cpus[Cpu3].SP = 0x7C00;
    RunFrame({});
    EXPECT_EQ(Cpus[Cpu3].PC, 0);
    EXPECT_EQ(Cpus[Cpu3].running, 0u);
    EXPECT_EQ(Cpus[Cpu3].SP, 0x7C00);
    EXPECT_EQ(NmiCount(), 0);
    EXPECT_GT(Cpus[Cpu1].BC, 4000); // CPU 1 ran both halves
}

TEST_F(FrameTest, VoicesFollowTheTwoSnapshots) {
    // Each NMI writes its count into voice 1's lowest frequency nibble; the
    // frame's first update sees the count before its first NMI, the tick the
    // count after it.
    StartCpu3(Cpu3Idle, Cpu3SoundNmi);
    recorder.Install();
    Write(Cpu1, 0x6823, 1);
    SoundRegisters[0x1A] = 15;
    recorder.status[PrimaryBuffer] = StatusPlaying;
    auto rates = [&] {
        std::vector<std::string> found;
        for (const std::string& call : recorder.Take())
            if (call.rfind("1 rate", 0) == 0 || call == "1 stop") found.push_back(call);
        return found;
    };
    RunFrame(Hooks);
    EXPECT_EQ(rates(), (std::vector<std::string>{"1 stop", "1 rate 45"}));
    RunFrame(Hooks);
    EXPECT_EQ(rates(), (std::vector<std::string>{"1 rate 91", "1 rate 137"}));
    EXPECT_EQ(SoundSnapshot[0x16], 3);
    EXPECT_EQ(SoundRegisters[0x16], 4);
}

TEST_F(FrameTest, NoSoundTickWithoutActiveSound) {
    StartCpu3(Cpu3Idle, Cpu3SoundNmi);
    recorder.Install();
    Write(Cpu1, 0x6823, 1);
    SoundMute = 1;
    RunFrame(Hooks);
    SoundMute = 0;
    Write(Cpu1, 0x6823, 0);
    RunFrame(Hooks);
    Sound = nullptr;
    SoundEnable = 1;
    RunFrame(Hooks);
    EXPECT_EQ(std::count(Events.begin(), Events.end(), "start tick"), 0);
    EXPECT_EQ(std::count(Events.begin(), Events.end(), "wait tick"), 0);
    EXPECT_EQ(std::count(Events.begin(), Events.end(), "render"), 3);
}

TEST_F(FrameTest, NullHooksRenderTheUprightPicture) {
    StartCpu3(Cpu3Idle, Cpu3SoundNmi);
    std::fill(FrameBuffer, FrameBuffer + FrameWidth * FrameHeight, uint8_t(0));
    RunFrame({});
    EXPECT_EQ(FrameBuffer[100 * FrameWidth + 100], 0x70);
}

} // namespace
} // namespace zarkolt_test
