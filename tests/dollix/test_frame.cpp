// The frame: the order of its steps, seen from the hooks and a program.
#include "tests/dollix/support.h"

namespace dollix_test {
namespace {

using namespace dollix;

using FrameTest = BoardTest;
std::vector<std::string>& Steps = HookCalls;

TEST_F(FrameTest, StepsInOrder) {
    // The main CPU copies player 1's stick into RAM and raises flag 9; its
    // IRQ counts. The sound CPU turns the sound on.
    Assemble(images, false, R"(
reset   LDS #$6000
        STA $8000
loop    LDA $6005
        STA $0100
        LDA #1
        STA $2809
        ANDCC #$EF
        BRA loop
irq     INC $0101
        RTI)");
    Assemble(images, true, R"(
reset   STA $4000
        ANDCC #$EF
loop    BRA loop
irq     RTI)");
    Build();
    ResetMachine();
    Steps.clear();
    static FrameHooks hooks;
    hooks = {
        .startSoundTick = nullptr,
        .waitSoundTick = nullptr,
        .pollInput =
            [] {
                Steps.push_back("joystick");
                InputPorts.input[1] = StickLeft;
            },
        .present = [] { Steps.push_back("present " + std::to_string(Ram[0x6005])); },
        .render =
            [] {
                Steps.push_back("render " + std::to_string(Ram[0x0100]) + " " + std::to_string(Ram[0x0101]) +
                                " " + std::to_string(Ram[CommandFlags + 9]) + " " +
                                std::to_string(BitmapPlane[0x0200]));
                RenderFrame();
            },
        .performanceCounter = nullptr,
    };
    RunFrame(hooks);
    // No sound yet in the first frame; the stick reached the CPU; the
    // bitmap reset cleared the flag the CPU raised, the IRQs were taken
    // after the passes (the handler runs in the next frame), whose flag 9
    // is drawn before its render.
    EXPECT_EQ(Steps, (std::vector<std::string>{"present 0", "joystick", "render 8 0 0 0"}));
    EXPECT_EQ(Cpus[MainCpu].PC, Read(MainCpu, 0xFFF8) << 8 | Read(MainCpu, 0xFFF9));
    EXPECT_EQ(Cpus[SoundCpu].PC, Read(SoundCpu, 0xFFF8) << 8 | Read(SoundCpu, 0xFFF9));
    EXPECT_EQ(SoundEnable, 1u);
    Steps.clear();
    RunFrame(hooks);
    EXPECT_EQ(Steps, (std::vector<std::string>{"sound", "present 8", "joystick", "render 8 1 0 3"}));
}

} // namespace
} // namespace dollix_test
