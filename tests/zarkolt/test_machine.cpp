// Memory maps, latches, switches, the code chip, reset and set-up.
#include "boards/superzar/superzar.h"
#include "tests/zarkolt/support.h"

namespace zarkolt_test {
namespace {

using namespace zarkolt;

class MachineTest : public BoardTest {};

TEST_F(MachineTest, UnmappedReadsOpenBusOnEveryCpuAndPort) {
    for (uint16_t address : {0xD010, 0xD020, 0xD030, 0xD070})
        Write(Cpu1, address, 0x55);
    for (int cpu : {Cpu1, Cpu2, Cpu3}) {
        for (uint16_t address :
             {0x4000, 0x5000, 0x6000, 0x8800, 0x9800, 0xA800, 0xD000, 0xD010, 0xE000, 0xFFFF})
            EXPECT_EQ(Read(cpu, address), 0xFF) << cpu << " " << address;
        for (uint16_t port : {0x0000, 0x6800, 0x7000, 0xFFFF})
            EXPECT_EQ(Z80InByte(&Cpus[cpu], port), 0xFF);
        Write(cpu, 0x5000, 0x12);
        EXPECT_EQ(Read(cpu, 0x5000), 0xFF);
    }
    EXPECT_EQ(Read(Cpu2, 0x2000), 0xFF);
    EXPECT_EQ(Read(Cpu3, 0x1000), 0xFF);
    for (uint16_t address : {0x6400, 0x7000, 0x7100, 0x7400}) {
        EXPECT_EQ(Read(Cpu2, address), 0xFF);
        EXPECT_EQ(Read(Cpu3, address), 0xFF);
    }
    EXPECT_EQ(Read(Cpu1, 0xF000), 0xFF);
    EXPECT_EQ(Read(Cpu3, 0xF000), 0xFF);
    EXPECT_EQ(Read(Cpu1, 0x6400), 0xFF);
}

TEST_F(MachineTest, RomsAreMappedPerCpuAndIgnoreWrites) {
    images[&GameData::cpu1][0x3FFF] = 0x11;
    images[&GameData::cpu1][0x1234] = 0x12;
    images[&GameData::cpu2][0x1FFF] = 0x22;
    images[&GameData::cpu3][0x0FFF] = 0x33;
    Build();
    EXPECT_EQ(Read(Cpu1, 0x3FFF), 0x11);
    EXPECT_EQ(Read(Cpu1, 0x1234), 0x12);
    EXPECT_EQ(Read(Cpu2, 0x1FFF), 0x22);
    EXPECT_EQ(Read(Cpu3, 0x0FFF), 0x33);
    Write(Cpu1, 0x3FFF, 0);
    Write(Cpu2, 0x1FFF, 0);
    Write(Cpu3, 0x0FFF, 0);
    EXPECT_EQ(Read(Cpu1, 0x3FFF), 0x11);
    EXPECT_EQ(Read(Cpu2, 0x1FFF), 0x22);
    EXPECT_EQ(Read(Cpu3, 0x0FFF), 0x33);
    // The board keeps its own copy: the caller's image is never written.
    EXPECT_EQ(Cpus[Cpu1].pages[0x12].memory, Cpu1Rom + 0x1200);
}

TEST_F(MachineTest, RamBlocksAreSharedByAllThreeCpus) {
    int block = 0;
    for (uint16_t base : RamBlockAddress) {
        Write(Cpu1, base, uint8_t(block + 1));
        Write(Cpu2, uint16_t(base + 0x400), uint8_t(block + 0x10));
        Write(Cpu3, uint16_t(base + 0x7FF), uint8_t(block + 0x20));
        for (int cpu : {Cpu1, Cpu2, Cpu3}) {
            EXPECT_EQ(Read(cpu, base), block + 1);
            EXPECT_EQ(Read(cpu, uint16_t(base + 0x400)), block + 0x10);
            EXPECT_EQ(Read(cpu, uint16_t(base + 0x7FF)), block + 0x20);
        }
        EXPECT_EQ(SharedRam[block * 0x800 + 0x7FF], block + 0x20);
        block++;
    }
    EXPECT_EQ(RamOffset(0x8800), -1);
    EXPECT_EQ(RamOffset(0x77FF), -1);
    EXPECT_EQ(RamOffset(0xCFFF), 0x3FFF);
}

TEST_F(MachineTest, ScrollRegister) {
    Write(Cpu1, 0xD000, 0x34);
    EXPECT_EQ(ScrollValue, 0x034);
    Write(Cpu1, 0xD001, 0x34);
    EXPECT_EQ(ScrollValue, 0x134);
    Write(Cpu2, 0xD000, 0x56);
    EXPECT_EQ(ScrollValue, 0x056);
    for (uint16_t address : {0xD002, 0xD010, 0xD020, 0xD030, 0xD070})
        Write(Cpu1, address, 0x77);
    Write(Cpu3, 0xD001, 0x77);
    EXPECT_EQ(ScrollValue, 0x056);
    EXPECT_EQ(Read(Cpu1, 0xD000), 0xFF);
}

TEST_F(MachineTest, OnlyCpu3ReachesTheVoiceRegisters) {
    Write(Cpu3, 0x6805, 0x27);
    EXPECT_EQ(SoundRegisters[5], 0x07);
    Write(Cpu3, 0x681F, 0xFF);
    EXPECT_EQ(SoundRegisters[31], 0x0F);
    Write(Cpu1, 0x6805, 0x09);
    Write(Cpu2, 0x6805, 0x09);
    EXPECT_EQ(SoundRegisters[5], 0x07);

    ResetMachine();
    Cpus[Cpu2].PC = 0x1234;
    Write(Cpu3, 0x6822, 1);
    Write(Cpu3, 0x6820, 1);
    EXPECT_EQ(Cpus[Cpu2].held, 1u);
    EXPECT_EQ(Cpus[Cpu2].PC, 0x1234);
    EXPECT_EQ(IrqEnable, 0u);
    EXPECT_EQ(Read(Cpu3, 0x6805), 0x03); // reads stay the switch page
}

TEST_F(MachineTest, RunLineStartsRestartsAndHoldsCpus2And3) {
    ResetMachine();
    EXPECT_EQ(Cpus[Cpu2].running, 0u);
    EXPECT_EQ(Cpus[Cpu3].held, 1u);
    Write(Cpu1, 0x6822, 1);
    for (int cpu : {Cpu2, Cpu3}) {
        EXPECT_EQ(Cpus[cpu].running, 1u);
        EXPECT_EQ(Cpus[cpu].held, 0u);
        Cpus[cpu].PC = 0x0456;
        Cpus[cpu].SP = 0x8000;
    }
    Write(Cpu2, 0x6822, 0x80); // a second start restarts both at 0x0000
    for (int cpu : {Cpu2, Cpu3}) {
        EXPECT_EQ(Cpus[cpu].PC, 0);
        EXPECT_EQ(Cpus[cpu].SP, 0);
    }
    Write(Cpu1, 0x6822, 0);
    for (int cpu : {Cpu2, Cpu3}) {
        EXPECT_EQ(Cpus[cpu].running, 0u);
        EXPECT_EQ(Cpus[cpu].held, 1u);
    }
    EXPECT_EQ(Cpus[Cpu1].running, 1u);
}

TEST_F(MachineTest, InterruptAndSoundEnableLatches) {
    recorder.Install();
    Write(Cpu1, 0x6820, 0x40);
    EXPECT_EQ(IrqEnable, 1u);
    Write(Cpu2, 0x6820, 0);
    EXPECT_EQ(IrqEnable, 0u);
    Write(Cpu1, 0x6823, 1);
    EXPECT_EQ(SoundEnable, 1u);
    EXPECT_TRUE(recorder.Take().empty());
    Write(Cpu1, 0x6823, 0);
    EXPECT_EQ(SoundEnable, 0u);
    auto calls = recorder.Take();
    EXPECT_EQ(calls.back(), "6 stop"); // the whole mute, ending with the primary buffer
    Sound = nullptr;
    Write(Cpu1, 0x6823, 0); // without a device nothing is called
    for (uint16_t address : {0x6800, 0x6821, 0x6824, 0x68FF})
        Write(Cpu1, address, 1);
    EXPECT_EQ(IrqEnable, 0u);
    EXPECT_EQ(SoundEnable, 0u);
}

TEST_F(MachineTest, SampleTriggerPlaysOnlyWhenSoundIsOnAndEnabled) {
    recorder.Install();
    Write(Cpu1, 0x6803, 0x01); // before the game enables sound
    EXPECT_TRUE(recorder.Take().empty());
    Write(Cpu1, 0x6823, 1);
    SoundMute = 1;
    Write(Cpu1, 0x6803, 0x01);
    EXPECT_TRUE(recorder.Take().empty());
    SoundMute = 0;
    for (uint8_t value : {0x00, 0x03, 0x04, 0x40, 0x81, 0xFF})
        Write(Cpu1, 0x6803, value);
    EXPECT_TRUE(recorder.Take().empty());

    const std::pair<uint8_t, int> triggers[] = {{0x01, 0}, {0x02, 1}, {0x80, 2}};
    for (auto [value, sample] : triggers) {
        Write(Cpu2, 0x6803, value);
        EXPECT_EQ(LastSample, sample);
        EXPECT_EQ(recorder.Take().back(), std::to_string(SampleBuffer0 + sample) + " once");
    }
    Sound = nullptr;
    Write(Cpu1, 0x6803, 0x01);
    EXPECT_EQ(LastSample, 2);
}

TEST_F(MachineTest, CodeChipAnswersItsChallenges) {
    EXPECT_EQ(Read(Cpu1, 0x7403), 0x00);
    Write(Cpu1, 0x6400, 0x80);
    EXPECT_EQ(Read(Cpu1, 0x7403), 0x05);
    Write(Cpu1, 0x64FF, 0x12);
    EXPECT_EQ(Read(Cpu1, 0x7403), 0x05);
    Write(Cpu1, 0x6433, 0xE5);
    EXPECT_EQ(Read(Cpu1, 0x7403), 0x95);
    Write(Cpu1, 0x7403, 0x00); // the answer page ignores writes
    ResetMachine();            // and a reset keeps the answer
    EXPECT_EQ(Read(Cpu1, 0x7403), 0x95);
    EXPECT_EQ(Read(Cpu1, 0x6400), 0xFF);
}

// Expected switch bytes 0-7 for the given settings, from the settings table.
std::array<uint8_t, 8> ExpectedSwitches(uint32_t lives, uint32_t bonus, uint32_t difficulty) {
    const uint8_t livesBits[4][2] = {{0, 1}, {1, 0}, {1, 1}, {0, 0}};
    const uint8_t difficultyBits[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    std::array<uint8_t, 8> bytes = {3, 3, 3, 3, 3, 3, 3, 3};
    for (int i = 0; i < 3; i++)
        if (bonus >> i & 1) bytes[2 + i] = 1;
    for (int i = 0; i < 2; i++)
        bytes[5 + i] = uint8_t(livesBits[lives][i] << 1 | difficultyBits[difficulty][i]);
    return bytes;
}

TEST_F(MachineTest, DipSwitchesForEverySetting) {
    ApplyDipSwitches({});
    for (uint16_t address = 0x6800; address < 0x6808; address++)
        EXPECT_EQ(Read(Cpu1, address), 0x03);
    for (int address = 0x6808; address < 0x6900; address++)
        EXPECT_EQ(Read(Cpu2, uint16_t(address)), 0xFF);

    for (uint32_t lives = 0; lives < 4; lives++)
        for (uint32_t bonus = 0; bonus < 8; bonus++)
            for (uint32_t difficulty = 0; difficulty < 4; difficulty++) {
                ApplyDipSwitches({lives, bonus, difficulty});
                auto expected = ExpectedSwitches(lives, bonus, difficulty);
                for (int i = 0; i < 8; i++)
                    ASSERT_EQ(SwitchPage[i], expected[i]) << lives << bonus << difficulty << " byte " << i;
            }

    ApplyDipSwitches({3, 0, 1});
    EXPECT_EQ(Read(Cpu3, 0x6805), 0x01);
    EXPECT_EQ(Read(Cpu3, 0x6806), 0x01);
    ApplyDipSwitches({2, 5, 1});
    EXPECT_EQ(Read(Cpu1, 0x6802), 0x01);
    EXPECT_EQ(Read(Cpu1, 0x6803), 0x03);
    EXPECT_EQ(Read(Cpu1, 0x6804), 0x01);

    // Button 2 in byte 0 bit 0 is left alone, and indices out of range wrap.
    SwitchPage[0] = 0x02;
    ApplyDipSwitches({6, 8 + 5, 5});
    EXPECT_EQ(SwitchPage[0], 0x02);
    EXPECT_EQ(SwitchPage[2], ExpectedSwitches(2, 5, 1)[2]);
    EXPECT_EQ(SwitchPage[5], ExpectedSwitches(2, 5, 1)[5]);
}

TEST_F(MachineTest, ResetMachineRestartsOnlyCpu1) {
    recorder.Install();
    Write(Cpu1, 0x6823, 1);
    Write(Cpu1, 0x6820, 1);
    Write(Cpu1, 0xD001, 0x22);
    Write(Cpu1, 0x6822, 1);
    Write(Cpu1, 0x8100, 0x5A);
    Write(Cpu2, 0xF000, 0x44);
    InputState.credits = 0x12;
    InputState.input = InputLeft;
    Cpus[Cpu1].PC = 0x1000;
    Cpus[Cpu1].iff = 3;
    Cpus[Cpu1].im = 1;
    Cpus[Cpu1].HL = 0xBEEF;
    recorder.Take();

    ResetMachine();
    EXPECT_EQ(Cpus[Cpu1].PC, 0);
    EXPECT_EQ(Cpus[Cpu1].iff, 0);
    EXPECT_EQ(Cpus[Cpu1].im, 0);
    EXPECT_EQ(Cpus[Cpu1].running, 1u);
    EXPECT_EQ(Cpus[Cpu1].HL, 0xBEEF);
    for (int cpu : {Cpu2, Cpu3}) {
        EXPECT_EQ(Cpus[cpu].running, 0u);
        EXPECT_EQ(Cpus[cpu].held, 1u);
    }
    EXPECT_EQ(InputState.credits, 0);
    EXPECT_EQ(InputState.input, InputLeft);
    EXPECT_EQ(SoundEnable, 0u);
    EXPECT_EQ(recorder.Take().back(), "6 stop");
    EXPECT_EQ(IrqEnable, 1u);
    EXPECT_EQ(ScrollValue, 0x122);
    EXPECT_EQ(Read(Cpu3, 0x8100), 0x5A);
    EXPECT_EQ(LookupChipPage[0], 0x44);
    EXPECT_EQ(IoReplyPage[0], 0x80);
}

TEST_F(MachineTest, SetUpStartValuesAndEditions) {
    EXPECT_EQ(ScrollValue, 0x00FF);
    EXPECT_EQ(IrqEnable, 0u);
    EXPECT_EQ(Read(Cpu1, 0x7000), 0x80);
    EXPECT_EQ(Read(Cpu1, 0x7001), 0xF8);
    EXPECT_EQ(Read(Cpu1, 0x7002), 0xF8);
    EXPECT_EQ(Read(Cpu1, 0x7003), 0x00);
    EXPECT_EQ(Read(Cpu1, 0x7100), 0x00);
    EXPECT_EQ(Read(Cpu2, 0xF000), 0x00);
    EXPECT_EQ(Read(Cpu1, 0x6807), 0x03);
    for (Z80Context& cpu : Cpus)
        EXPECT_EQ(cpu.running, 0u);

    const Edition& other = superzar::SuperZarkoltEdition;
    Build(other);
    EXPECT_EQ(Read(Cpu1, 0x7000), 0x00);
    EXPECT_EQ(Read(Cpu1, 0x6807), 0x02);
    ApplyDipSwitches({});
    EXPECT_EQ(Read(Cpu1, 0x6807), 0x02);
    EXPECT_EQ(CurrentEdition, &other);
    Build();
}

TEST_F(MachineTest, RefusesGameDataOfTheWrongSize) {
    GameData data = images.Data();
    EXPECT_EQ(FindBadImage(data), nullptr);
    data.sprites3.size--;
    ASSERT_NE(FindBadImage(data), nullptr);
    EXPECT_STREQ(FindBadImage(data)->name, "sprites3.rom");
    EXPECT_FALSE(BuildBoard(data));
    data = images.Data();
    data.sample1.data = nullptr;
    EXPECT_FALSE(BuildBoard(data));
}

} // namespace
} // namespace zarkolt_test
