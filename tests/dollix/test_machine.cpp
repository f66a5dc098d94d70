// The machine: memory maps, the latch, the I/O chips' answers, the DIP
// switches, the ROM patches with the trap hook, the reset and the test switch.
#include <numeric>

#include "tests/dollix/support.h"

namespace dollix_test {
namespace {

using namespace dollix;

using MachineTest = BoardTest;

TEST_F(MachineTest, MemoryMaps) {
    for (uint16_t a : {0x0000, 0x2902, 0x6FFF}) {
        Write(MainCpu, a, 0x5A);
        EXPECT_EQ(Ram[a], 0x5A) << a;
    }
    // 0x7000-0x7FFF is open bus although the RAM behind it exists.
    Ram[0x7000] = Ram[0x7FFF] = 0x12;
    Write(MainCpu, 0x7000, 0x34);
    EXPECT_EQ(Read(MainCpu, 0x7000), 0xFF);
    EXPECT_EQ(Read(MainCpu, 0x7FFF), 0xFF);
    EXPECT_EQ(Ram[0x7000], 0x12);
    // The sound CPU's 0x0000-0x07FF is main 0x6800-0x6FFF.
    Write(SoundCpu, 0x0003, 0x77);
    EXPECT_EQ(Read(MainCpu, 0x6803), 0x77);
    Write(MainCpu, 0x6FFF, 0x66);
    EXPECT_EQ(Read(SoundCpu, 0x07FF), 0x66);
    for (uint16_t a : {0x0800, 0x4000, 0x6000, 0xDFFF})
        EXPECT_EQ(Read(SoundCpu, a), 0xFF) << a;
    // ROM reads its image and ignores writes.
    uint8_t rom = Read(MainCpu, 0xFFFF);
    Write(MainCpu, 0xFFFF, uint8_t(~rom));
    EXPECT_EQ(Read(MainCpu, 0xFFFF), rom);
    EXPECT_EQ(Read(MainCpu, 0x8000), MainRom[0]);
    EXPECT_EQ(Read(SoundCpu, 0xE000), SoundRom[0]);
}

TEST_F(MachineTest, Latch) {
    struct Case {
        int cpu;
        uint16_t address;
        bool soundRunning; // afterwards, starting from held
        uint32_t soundEnable;
        bool stops;
    };
    const Case cases[] = {
        {MainCpu, 0x8000, true, 1, false},   {MainCpu, 0x80FF, true, 1, false},
        {MainCpu, 0x8100, false, 1, false},  {MainCpu, 0x8855, false, 0, true},
        {MainCpu, 0x88FF, false, 0, true},   {MainCpu, 0x8900, false, 1, false},
        {MainCpu, 0x4000, false, 1, false}, // lands in RAM
        {SoundCpu, 0x4000, false, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        ResetMachine();
        SoundEnable = 1;
        HookCalls.clear();
        Cpus[SoundCpu].PC = 0x1234;
        Write(c.cpu, c.address, 0x00);
        EXPECT_EQ(Cpus[SoundCpu].running != 0, c.soundRunning);
        EXPECT_EQ(Cpus[SoundCpu].held != 0, !c.soundRunning);
        EXPECT_EQ(Cpus[SoundCpu].PC, c.soundRunning ? 0xE000 : 0x1234);
        EXPECT_EQ(SoundEnable, c.soundEnable);
        EXPECT_EQ(HookCalls, c.stops ? std::vector<std::string>{"stop sound"} : std::vector<std::string>{});
    }
    EXPECT_EQ(Ram[0x4000], 0x00);
    Write(MainCpu, 0x4000, 0x9C);
    EXPECT_EQ(Ram[0x4000], 0x9C);

    // A release restarts a running sound CPU; the sound CPU turns sound on.
    SoundEnable = 0;
    Write(MainCpu, 0x8000, 0xFF);
    Cpus[SoundCpu].PC = 0xE123;
    Write(MainCpu, 0x8042, 0xFF);
    EXPECT_EQ(Cpus[SoundCpu].PC, 0xE000);
    Write(SoundCpu, 0x40FF, 0x00);
    EXPECT_EQ(SoundEnable, 1u);
}

TEST_F(MachineTest, IoChipAnswers) {
    struct Case {
        uint16_t mode; // address of a mode register
        uint8_t value;
        std::vector<std::pair<uint16_t, uint8_t>> expected;
    };
    const Case cases[] = {
        {0x6008, 0x05, {{0x6002, 0x0F}, {0x6006, 0x0C}, {0x6005, 0x01}, {0x6007, 0x0A}}},
        {0x6008, 0x15, {{0x6002, 0x0F}, {0x6006, 0x0C}}},
        {0x6008, 0x08, {{0x6002, 0x00}, {0x6006, 0x04}, {0x6004, 0x01}}},
        {0x6018, 0x18, {{0x6010, 6}, {0x6011, 9}, {0x6012, 0x0E}, {0x6013, 0x03}}},
        {0x6018, 0x08, {{0x6010, 6}, {0x6011, 9}}},
        {0x6018, 0x05, {{0x6010, 0x08}, {0x6011, 0x02}, {0x6012, 0x0E}}},
        {0x6028, 0x18, {{0x6020, 6}, {0x6021, 9}, {0x6022, 0x00}}},
        {0x6028, 0x07, {{0x6020, 0x00}, {0x6021, 0x00}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.mode << " " << int(c.value));
        std::fill(Ram + 0x6000, Ram + 0x6030, 0);
        for (int k = 9; k < 16; k++)
            Ram[0x6010 + k] = Ram[0x6020 + k] = 0xFF; // low nibbles 15: s = 105
        InputPorts = {{0x01, 0x01, 0x04, 0x0A}, {0x08, 0x02, 0x0E, 0x03}};
        Ram[c.mode] = c.value;
        UpdateIoChipInputs();
        for (auto [address, value] : c.expected)
            EXPECT_EQ(Ram[address], value) << std::hex << address;
        EXPECT_EQ(Ram[c.mode], c.value);
    }
    // Chip 2 receives no inputs.
    EXPECT_EQ(Ram[0x6023], 0);
}

TEST_F(MachineTest, DipSwitchesEveryValue) {
    const uint8_t lives[] = {0x01, 0x02, 0x00, 0x03};
    const uint8_t difficulty[] = {0x02, 0x00, 0x04, 0x06};
    for (uint8_t start : {0x00, 0xFF}) {
        for (uint32_t value = 0; value < 6; value++) {
            SCOPED_TRACE(testing::Message() << int(start) << " " << value);
            InputPorts.dip[0] = InputPorts.dip[1] = InputPorts.dip[2] = InputPorts.dip[3] = start;
            ApplyDipSwitches({value, value, value, value});
            EXPECT_EQ(InputPorts.dip[0], start);
            uint8_t live = value < 4 ? lives[value] : start & 0x03;
            EXPECT_EQ(InputPorts.dip[3], (start & ~0x03) | live);
            uint8_t hard = value < 4 ? difficulty[value] : start & 0x06;
            uint8_t bonus = value < 2 ? uint8_t(value << 3) : start & 0x08;
            EXPECT_EQ(InputPorts.dip[2], (start & ~0x0E) | hard | bonus);
            EXPECT_EQ(InputPorts.dip[1], (start & ~0x02) | (value ? 0x02 : 0));
        }
    }
    // The defaults: three lives and NORMAL leave their bits clear.
    InputPorts = {};
    ApplyDipSwitches({});
    EXPECT_EQ(InputPorts.dip[3], 0);
    EXPECT_EQ(InputPorts.dip[2], 0);
}

// A main ROM with the trap sites' bytes; reset runs the load site, then the
// save site, then another undefined opcode.
void TrapProgram(TestImages& images, uint16_t start) {
    Assemble(images, false,
             R"(
reset   LDS #$6000
        JMP )" + std::to_string(start) +
                 R"(
irq     RTI
sub     RTS
        ORG $C529
        JSR $DD31
        JSR sub
        LDA #$5A
        STA $0100
        JMP $EA30
        ORG $EA30
        NOP
        NOP
        NOP
        CLR $6863
        LDA #$A5
        STA $0101
        FCB $01
        STA $0102
stop    BRA stop
        ORG $DD31
        RTS)");
}

TEST_F(MachineTest, PatchesKeepTheRomSumAndTrap) {
    TrapProgram(images, 0xC529);
    const std::vector<uint8_t>& image = images[&GameData::mainProgram];
    ASSERT_EQ(image[0xC529 - 0x8000], 0xBD);
    ASSERT_EQ(image[0xEA33 - 0x8000], 0x7F);
    Build();
    auto sum = [](const uint8_t* bytes, size_t n) { return uint8_t(std::accumulate(bytes, bytes + n, 0u)); };
    EXPECT_EQ(sum(MainRom, sizeof MainRom), sum(image.data(), image.size()));
    EXPECT_EQ(MainRom[0xC529 - 0x8000], 0x01);
    EXPECT_EQ(MainRom[0xC52B - 0x8000], 0x31); // third byte kept
    EXPECT_EQ(MainRom[0xEA33 - 0x8000], 0x01);

    ResetMachine();
    HookCalls.clear();
    Ram[0x6863] = 0x77;
    M6809Run(CpuCount, Cpus, 40);
    EXPECT_EQ(HookCalls, (std::vector<std::string>{"load", "save"}));
    EXPECT_EQ(Ram[0x0100], 0x5A); // resumed at 0xC52F
    EXPECT_EQ(Ram[0x0101], 0xA5); // resumed at 0xEA36
    EXPECT_EQ(Ram[0x6863], 0x00);
    // The 0x01 at 0xEA3B is no trap: skipped, and the STA after it runs.
    EXPECT_EQ(Ram[0x0102], 0xA5);
}

TEST_F(MachineTest, UnpatchedRomRunsTheSitesAndOtherTrapsOnlySkip) {
    TrapProgram(images, 0xC529);
    Build({}, false);
    EXPECT_EQ(MainRom[0xC529 - 0x8000], 0xBD);
    ResetMachine();
    HookCalls.clear();
    Ram[0x6863] = 0x77;
    M6809Run(CpuCount, Cpus, 40);
    EXPECT_TRUE(HookCalls.empty());
    EXPECT_EQ(Ram[0x0101], 0xA5);
    EXPECT_EQ(Ram[0x6863], 0x00);

    // The sound CPU at a trap address, and the hook at any other address.
    Build();
    HookCalls.clear();
    Cpus[SoundCpu].PC = 0xEA36;
    HighScoreTrapHook(&Cpus[SoundCpu], 0xEA33, 1);
    Cpus[MainCpu].PC = 0xC52A;
    HighScoreTrapHook(&Cpus[MainCpu], 0xC528, 1);
    Ram[0x6863] = 0x44;
    Cpus[MainCpu].PC = 0xEA34;
    HighScoreTrapHook(&Cpus[MainCpu], 0xEA34, 2);
    EXPECT_TRUE(HookCalls.empty());
    EXPECT_EQ(Cpus[SoundCpu].PC, 0xEA36);
    EXPECT_EQ(Cpus[MainCpu].PC, 0xEA34);
    EXPECT_EQ(Ram[0x6863], 0x44);
}

TEST_F(MachineTest, ResetAndTestSwitch) {
    Assemble(images, false, "reset BRA reset\nirq RTI\n ORG $9000\n BRA *");
    Build();
    Write(MainCpu, 0x8000, 0);
    SoundEnable = 1;
    BitmapInitialised = 1;
    Ram[0x1234] = 0x56;
    Ram[0x6010] = 0x07;
    InputPorts.input[1] = StickUp;
    Cpus[MainCpu].PC = 0x9000;
    HookCalls.clear();
    ResetMachine();
    EXPECT_EQ(HookCalls, (std::vector<std::string>{"stop sound", "save settings"}));
    EXPECT_EQ(SoundEnable, 0u);
    EXPECT_EQ(BitmapInitialised, 0u);
    EXPECT_EQ(Cpus[MainCpu].PC, 0x8000);
    EXPECT_EQ(Cpus[MainCpu].running, 1u);
    EXPECT_EQ(Cpus[SoundCpu].running, 0u);
    EXPECT_EQ(Cpus[SoundCpu].held, 1u);
    EXPECT_EQ(Ram[0x1234], 0x56);
    EXPECT_EQ(Ram[0x6010], 0x07);
    EXPECT_EQ(InputPorts.input[1], StickUp);

    // On: only the switch. Off: the sound CPU restarts with sound on and the
    // layer is reset; the main CPU runs on.
    BitmapInitialised = 1;
    SetTestSwitch(true);
    EXPECT_EQ(InputPorts.dip[0], TestSwitch);
    EXPECT_EQ(Cpus[SoundCpu].held, 1u);
    EXPECT_EQ(BitmapInitialised, 1u);
    Cpus[MainCpu].PC = 0x9000;
    HookCalls.clear();
    SetTestSwitch(false);
    EXPECT_EQ(InputPorts.dip[0], 0);
    EXPECT_EQ(HookCalls, std::vector<std::string>{"stop sound"});
    EXPECT_EQ(Cpus[SoundCpu].running, 1u);
    EXPECT_EQ(Cpus[SoundCpu].held, 0u);
    EXPECT_EQ(SoundEnable, 1u);
    EXPECT_EQ(BitmapInitialised, 0u);
    EXPECT_EQ(Cpus[MainCpu].PC, 0x9000);
    // Off while off: nothing but the switch.
    ResetMachine();
    BitmapInitialised = 1;
    SetTestSwitch(false);
    EXPECT_EQ(Cpus[SoundCpu].held, 1u);
    EXPECT_EQ(BitmapInitialised, 1u);
}

TEST_F(MachineTest, BuildRefusesBadImages) {
    TestImages bad;
    bad[&GameData::pictures].resize(PictureBlockSize - 1);
    EXPECT_FALSE(BuildBoard(bad.Data()));
    EXPECT_STREQ(FindBadImage(bad.Data())->name, "dollix_pictures.bin");
    EXPECT_EQ(FindBadImage(images.Data()), nullptr);
}

} // namespace
} // namespace dollix_test
