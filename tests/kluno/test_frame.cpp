// One frame: the order of the steps, the I/O-chip hold, the interrupts and
// the sound step, on two small counting programs.
#include "tests/kluno/support.h"

namespace kluno_test {
namespace {

using namespace kluno;

// Both CPUs count loop rounds in X and their interrupts in RAM.
const char Cpu1Program[] = R"(
        org $8000
start   lds #$2000
        andcc #$EF
loop    leax 1,x
        bra loop
irq     inc $0200
        rti
        org $FFF8
        fdb irq
        org $FFFE
        fdb start
)";
const char Cpu2Program[] = R"(
        org $E000
start   lds #$0400
        andcc #$EF
loop    leax 1,x
        bra loop
irq     inc $0300
        rti
        org $FFF8
        fdb irq
        org $FFFE
        fdb start
)";
constexpr uint16_t Cpu1Irq = 0x800A, Cpu2Irq = 0xE00A;

std::vector<std::string> Events;
void Note(const std::string& event) {
    Events.push_back(event + " x=" + std::to_string(Cpus[Cpu1].X) + " chip=" + std::to_string(IoChipRegs[1]));
}
void Present() {
    Note("present");
}
void Joystick() {
    Note("joystick");
    IoChipInputs[0][1] = 4;
}
void Render() {
    Note(Cpus[Cpu1].PC == Cpu1Irq ? "render in irq" : "render");
}
const FrameHooks Hooks = {nullptr, nullptr, Joystick, Present, Render, nullptr};

class KlunoFrame : public BoardTest {
  protected:
    void SetUp() override {
        Assemble(images[&GameData::cpu1Program], 0x8000, Cpu1Program);
        Assemble(images[&GameData::cpu2Program], 0xE000, Cpu2Program);
        BoardTest::SetUp();
        ResetMachine();
        Events.clear();
    }
};

TEST_F(KlunoFrame, StepsInOrder) {
    recorder.Install();
    SoundEnable = 1;
    IrqEnable[Cpu1] = 1;
    RunFrame(Hooks);
    // The voices first (primary buffer and eight silent voices), then the hooks.
    EXPECT_EQ(recorder.Take().size(), 1u + 2 * VoiceCount);
    EXPECT_EQ(Events, (std::vector<std::string>{"present x=0 chip=0", "joystick x=0 chip=0",
                                                "render in irq x=4095 chip=4"}));
    EXPECT_EQ(Cpus[Cpu1].CC & M6809FlagI, M6809FlagI);
}

TEST_F(KlunoFrame, HeldChipsAreNeitherPolledNorRefreshed) {
    IoChipInputs[0][1] = 9;
    IoChipHold = 1;
    RunFrame(Hooks);
    EXPECT_EQ(Events, (std::vector<std::string>{"present x=0 chip=0", "render x=4095 chip=0"}));
    IoChipHold = 0;
    RunFrame({});
    EXPECT_EQ(IoChipRegs[1], 9);
}

TEST_F(KlunoFrame, InterruptsOnlyToEnabledRunningCpus) {
    struct Case {
        uint32_t enable1, enable2;
        bool startCpu2;
        bool irq1, irq2;
    };
    const Case cases[] = {
        {0, 0, true, false, false}, {1, 0, true, true, false},  {0, 1, true, false, true},
        {1, 1, true, true, true},   {1, 1, false, true, false}, // CPU 2 held: no interrupt
    };
    for (const Case& c : cases) {
        Build();
        ResetMachine();
        if (c.startCpu2) Write(Cpu1, 0x500B, 0);
        IrqEnable[Cpu1] = c.enable1;
        IrqEnable[Cpu2] = c.enable2;
        RunFrame({});
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(Cpus[Cpu1].PC == Cpu1Irq, c.irq1);
        EXPECT_EQ(Cpus[Cpu2].PC == Cpu2Irq, c.irq2);
        RunFrame({});
        EXPECT_EQ(MainRam[0x200], c.irq1 ? 1 : 0);
        EXPECT_EQ(SharedRam[0x300], c.irq2 ? 1 : 0);
    }
    // Case 10 stops CPU 2 until case 11, whatever its enable says.
    Write(Cpu1, 0x500A, 0);
    RunFrame({});
    EXPECT_EQ(Cpus[Cpu2].running, 0u);
    EXPECT_EQ(SharedRam[0x300], 0);
    Write(Cpu1, 0x500B, 0);
    RunFrame({});
    EXPECT_EQ(Cpus[Cpu2].PC, Cpu2Irq);
}

TEST_F(KlunoFrame, SoundOnlyWhenActive) {
    struct Case {
        bool device;
        uint32_t mute, enable;
        size_t calls;
    };
    const Case cases[] = {{true, 0, 1, 17}, {true, 1, 1, 0}, {true, 0, 0, 0}, {false, 0, 1, 0}};
    for (const Case& c : cases) {
        recorder.Install();
        if (!c.device) Sound = nullptr;
        SoundMute = c.mute;
        SoundEnable = c.enable;
        recorder.status[PrimaryBuffer] = 0;
        RunFrame({nullptr, nullptr, nullptr, Present, Render, nullptr});
        EXPECT_EQ(recorder.Take().size(), c.calls) << &c - cases;
    }
}

} // namespace
} // namespace kluno_test
