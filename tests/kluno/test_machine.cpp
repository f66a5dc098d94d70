// The machine: memory maps, latch, scroll register, I/O-chip refresh, DIP
// switches, reset, set-up and the high-score trap patch.
#include <numeric>

#include "tests/kluno/support.h"

namespace kluno_test {
namespace {

using namespace kluno;

class KlunoMachine : public BoardTest {};

TEST_F(KlunoMachine, MemoryMapsOfBothCpus) {
    images[&GameData::cpu1Program][0] = 0x5A;      // 0x8000
    images[&GameData::cpu1Program][0x7FFF] = 0x5B; // 0xFFFF
    images[&GameData::cpu2Program][0] = 0x6A;      // 0xE000
    Build();
    struct Case {
        int cpu;
        uint16_t address;
        int seenBy;
        uint16_t seenAt;
        uint8_t expected; // after writing 0x42 at address
    };
    const Case cases[] = {
        {Cpu1, 0x0000, Cpu1, 0x0000, 0x42}, {Cpu1, 0x27FF, Cpu1, 0x27FF, 0x42}, // main RAM
        {Cpu1, 0x2800, Cpu1, 0x2800, 0xFF},                                     // unmapped
        {Cpu1, 0x4003, Cpu2, 0x0003, 0x42}, {Cpu2, 0x03FF, Cpu1, 0x43FF, 0x42}, // shared RAM
        {Cpu1, 0x4400, Cpu1, 0x4400, 0xFF}, {Cpu1, 0x4800, Cpu1, 0x4800, 0x42}, // I/O-chip RAM
        {Cpu1, 0x4BFF, Cpu1, 0x4BFF, 0x42}, {Cpu1, 0x4C00, Cpu1, 0x4C00, 0xFF},
        {Cpu1, 0x3800, Cpu1, 0x3800, 0xFF}, {Cpu1, 0x5003, Cpu1, 0x5003, 0xFF}, // scroll, latch
        {Cpu2, 0x2003, Cpu2, 0x2003, 0xFF}, {Cpu1, 0x5106, Cpu1, 0x5106, 0xFF},
        {Cpu1, 0x8000, Cpu1, 0x8000, 0x5A}, {Cpu1, 0xFFFF, Cpu1, 0xFFFF, 0x5B}, // ROM, writes ignored
        {Cpu2, 0xE000, Cpu2, 0xE000, 0x6A}, {Cpu2, 0x0400, Cpu2, 0x0400, 0xFF},
        {Cpu2, 0x4003, Cpu2, 0x4003, 0xFF},
    };
    for (const Case& c : cases) {
        Write(c.cpu, c.address, 0x42);
        EXPECT_EQ(Read(c.seenBy, c.seenAt), c.expected) << std::hex << c.address;
    }
    EXPECT_EQ(IoChipRegs[0], 0x42);
    EXPECT_EQ(SharedRam[3], 0x42);
}

TEST_F(KlunoMachine, ScrollRegisterTakesTheAddressOnly) {
    EXPECT_EQ(ScrollValue, 255u);
    const std::pair<uint16_t, uint32_t> cases[] = {{0x3800, 0}, {0x3807, 0}, {0x3808, 1}, {0x3FFF, 255}};
    for (auto [address, expected] : cases) {
        Write(Cpu1, address, 0x99);
        EXPECT_EQ(ScrollValue, expected) << std::hex << address;
    }
}

TEST_F(KlunoMachine, LatchCasesFromEitherCpu) {
    recorder.Install();
    Cpus[Cpu2].running = 0;
    Cpus[Cpu2].held = 1;
    struct Case {
        int cpu;
        uint16_t address;
        uint32_t irq1, irq2, sound, hold, cpu2Running;
    };
    const Case cases[] = {
        {Cpu1, 0x5001, 0, 1, 0, 0, 0}, {Cpu2, 0x2003, 1, 1, 0, 0, 0}, {Cpu1, 0x5000, 1, 0, 0, 0, 0},
        {Cpu2, 0x2002, 0, 0, 0, 0, 0}, {Cpu1, 0x5007, 0, 0, 1, 0, 0}, {Cpu1, 0x5008, 0, 0, 1, 1, 0},
        {Cpu1, 0x500B, 0, 0, 1, 1, 1}, {Cpu1, 0x5004, 0, 0, 1, 1, 1}, {Cpu1, 0x5005, 0, 0, 1, 1, 1},
        {Cpu1, 0x500C, 0, 0, 1, 1, 1}, {Cpu2, 0x20FF, 0, 0, 1, 1, 1}, {Cpu1, 0x5106, 0, 0, 1, 1, 1},
        {Cpu2, 0x2009, 0, 0, 1, 0, 1}, {Cpu2, 0x200A, 0, 0, 1, 0, 0}, {Cpu1, 0x5006, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        Write(c.cpu, c.address, 0x00);
        SCOPED_TRACE(testing::Message() << std::hex << c.address);
        EXPECT_EQ(IrqEnable[Cpu1], c.irq1);
        EXPECT_EQ(IrqEnable[Cpu2], c.irq2);
        EXPECT_EQ(SoundEnable, c.sound);
        EXPECT_EQ(IoChipHold, c.hold);
        EXPECT_EQ(Cpus[Cpu2].running, c.cpu2Running);
        EXPECT_EQ(Cpus[Cpu2].held, 1 - c.cpu2Running);
    }
    // Case 6 silenced the voices; nothing else touched the device.
    std::vector<std::string> calls = recorder.Take();
    ASSERT_EQ(calls.size(), 17u);
    EXPECT_EQ(calls.back(), "8 stop");
}

TEST_F(KlunoMachine, IoChipRefreshAndTheNibbleSum) {
    for (int i = 0; i < 8; i++) {
        IoChipInputs[0][i] = uint8_t(0x10 + i);
        IoChipInputs[1][i] = uint8_t(0x20 + i);
    }
    IoChipRegs[8] = 0x18; // chip 1 in mode 8 (the low nibble counts)
    for (int k = 9; k < 16; k++)
        IoChipRegs[k] = 0x0F;
    IoChipRegs[16 + 8] = 0x07; // chip 2 not in mode 8
    IoChipRegs[16 + 9] = 0x0F;
    UpdateIoChipInputs();
    EXPECT_EQ(IoChipRegs[0], 6); // 7 x 15 = 105 = 0x69
    EXPECT_EQ(IoChipRegs[1], 9);
    for (int i = 2; i < 8; i++)
        EXPECT_EQ(IoChipRegs[i], 0x10 + i);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(IoChipRegs[16 + i], 0x20 + i);
    EXPECT_EQ(IoChipRegs[8], 0x18); // bytes 8-15 are the game's
    EXPECT_EQ(IoChipRegs[16 + 9], 0x0F);

    IoChipRegs[16 + 8] = 0x08; // chip 2 asks too: sum 15 + 0 ...
    UpdateIoChipInputs();
    EXPECT_EQ(IoChipRegs[16], 0);
    EXPECT_EQ(IoChipRegs[17], 15);
}

TEST_F(KlunoMachine, DipSwitches) {
    struct Case {
        DipSettings settings;
        uint8_t byte2, byte4;
    };
    const Case cases[] = {
        {{0, 0, 0, 1}, 0x00, 0x00}, {{1, 0, 0, 1}, 0x08, 0x00}, {{0, 3, 0, 1}, 0x00, 0x06},
        {{0, 1, 0, 1}, 0x00, 0x02}, {{0, 2, 1, 1}, 0x00, 0x05}, {{0, 0, 0, 0}, 0x00, 0x08},
        {{1, 3, 1, 0}, 0x08, 0x0F},
    };
    for (const Case& c : cases) {
        std::memset(IoChipInputs, 0, sizeof IoChipInputs);
        ApplyDipSwitches(c.settings);
        EXPECT_EQ(IoChipInputs[1][2], c.byte2);
        EXPECT_EQ(IoChipInputs[1][4], c.byte4);
    }
    // Out of range: the bits stay; other bits are never touched.
    IoChipInputs[1][6] = 0x08;
    ApplyDipSwitches({2, 4, 2, 2});
    EXPECT_EQ(IoChipInputs[1][2], 0x08);
    EXPECT_EQ(IoChipInputs[1][4], 0x0F);
    EXPECT_EQ(IoChipInputs[1][6], 0x08);
    Build(nullptr, {1, 2, 1, 0}); // the build applies them
    EXPECT_EQ(IoChipInputs[1][2], 0x08);
    EXPECT_EQ(IoChipInputs[1][4], 0x0D);
}

int Saves;
void CountSave() {
    Saves++;
}

TEST_F(KlunoMachine, ResetStartsCpu1AndKeepsTheBoardState) {
    Assemble(images[&GameData::cpu1Program], 0x8000, " org $FFFE\n fdb $8123\n");
    Build();
    recorder.Install();
    Saves = 0;
    SaveSettings = CountSave;
    EXPECT_EQ(Cpus[Cpu1].running, 0u); // idle until the reset
    MainRam[5] = 1;
    IoChipRegs[3] = 2;
    IrqEnable[Cpu1] = IrqEnable[Cpu2] = 1;
    IoChipHold = 1;
    ScrollValue = 9;
    SoundEnable = 1;
    M6809Reset(&Cpus[Cpu2]);
    ResetMachine();
    EXPECT_EQ(Cpus[Cpu1].PC, 0x8123);
    EXPECT_EQ(Cpus[Cpu1].running, 1u);
    EXPECT_EQ(Cpus[Cpu2].running, 0u);
    EXPECT_EQ(Cpus[Cpu2].held, 1u);
    EXPECT_EQ(SoundEnable, 0u);
    EXPECT_EQ(Saves, 1);
    EXPECT_EQ(recorder.Take().size(), 17u); // eight voices silenced, primary stopped
    EXPECT_EQ(MainRam[5] + IoChipRegs[3], 3);
    EXPECT_EQ(IrqEnable[Cpu1] + IrqEnable[Cpu2] + IoChipHold, 3u);
    EXPECT_EQ(ScrollValue, 9u);
    Sound = nullptr;
    SaveSettings = nullptr;
    ResetMachine(); // no device, no save hook
    EXPECT_EQ(Cpus[Cpu1].PC, 0x8123);
}

TEST_F(KlunoMachine, BuildRefusesBadImagesAndStartsClean) {
    for (const ImageSlot& slot : ImageSlots) {
        SyntheticImages bad;
        bad.bytes[size_t(&slot - ImageSlots)].pop_back();
        EXPECT_FALSE(BuildKlunoMachine(bad.Data(), nullptr)) << slot.name;
        GameData missing = images.Data();
        missing.*slot.member = {};
        EXPECT_FALSE(BuildKlunoMachine(missing, nullptr)) << slot.name;
    }
    MainRam[0] = IoChipInputs[0][0] = 1;
    IrqEnable[Cpu1] = IoChipHold = 1;
    Build();
    EXPECT_EQ(MainRam[0] + IoChipInputs[0][0], 0);
    EXPECT_EQ(IrqEnable[Cpu1] + IoChipHold + SoundEnable, 0u);
    EXPECT_EQ(ScrollValue, 255u);
}

uint16_t Trapped;
void Trap(M6809Context* context, uint16_t address, uint32_t) {
    if (context == &Cpus[Cpu1] && !Trapped) Trapped = address;
}

uint8_t Sum(const uint8_t* bytes, size_t size) {
    return uint8_t(std::accumulate(bytes, bytes + size, 0u));
}

TEST_F(KlunoMachine, HighScoreTrapsPatchOnlyTheBoardsCopy) {
    std::vector<uint8_t>& rom = images[&GameData::cpu1Program];
    Assemble(rom, 0x8000,
             " org $9BF0\n clr $4053\n rts\n org $C00E\n ldu #$C0FF\n"
             " org $A000\n lds #$2000\n jsr $9BF0\n bra *\n org $FFFE\n fdb $A000\n");
    const std::vector<uint8_t> original = rom;

    Build(); // null hook: unpatched
    EXPECT_EQ(std::memcmp(Cpu1Rom, original.data(), sizeof Cpu1Rom), 0);

    Trapped = 0;
    Build(Trap);
    struct Patch {
        uint16_t address;
        uint8_t before[3], after[3];
    };
    const Patch patches[] = {{0x9BF0, {0x7F, 0x40, 0x53}, {0x01, 0xBE, 0x53}},
                             {0xC00E, {0xCE, 0xC0, 0xFF}, {0x01, 0x8D, 0xFF}}};
    for (const Patch& patch : patches)
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(original[size_t(patch.address - 0x8000 + i)], patch.before[i]);
            EXPECT_EQ(Read(Cpu1, uint16_t(patch.address + i)), patch.after[i]);
        }
    EXPECT_EQ(Sum(Cpu1Rom, sizeof Cpu1Rom), Sum(original.data(), original.size()));
    EXPECT_EQ(rom, original); // the game data itself is never patched
    ResetMachine();
    M6809Run(CpuCount, Cpus, 10);
    EXPECT_EQ(Trapped, 0x9BF0);
}

} // namespace
} // namespace kluno_test
