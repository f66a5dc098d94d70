// The machine: RONKU's map, the latch's sound-off under the user's mute, the
// I/O-chip refresh and the boot answer, the DIP bytes, the credit keys, the
// control keys and the reset.
#include <algorithm>
#include <iterator>

#include "tests/ronku/support.h"

namespace ronku_test {
namespace {

using namespace ronku;

class RonkuMachine : public RonkuTest {};

TEST_F(RonkuMachine, MapsCpu1RomAtA000AndOpenBusBelow) {
    std::vector<uint8_t>& rom = images[&GameData::cpu1Program];
    rom.front() = 0x5A; // 0xA000
    rom.back() = 0x5B;  // 0xFFFF
    images[&GameData::cpu2Program][0] = 0x6A;
    Build();
    struct Case {
        int cpu;
        uint16_t address;
        uint8_t expected; // after writing 0x42 there
    };
    const Case cases[] = {
        {Cpu1, 0x0000, 0x42}, {Cpu1, 0x27FF, 0x42}, {Cpu1, 0x2800, 0xFF}, {Cpu1, 0x4000, 0x42},
        {Cpu1, 0x4800, 0x42}, {Cpu1, 0x5000, 0xFF}, {Cpu1, 0x8000, 0xFF}, {Cpu1, 0x9FFF, 0xFF},
        {Cpu1, 0xA000, 0x5A}, {Cpu1, 0xFFFF, 0x5B}, {Cpu2, 0x0003, 0x42}, {Cpu2, 0xE000, 0x6A},
    };
    for (const Case& c : cases) {
        Write(c.cpu, c.address, 0x42);
        EXPECT_EQ(Read(c.cpu, c.address), c.expected) << std::hex << c.address;
    }
    EXPECT_EQ(Read(Cpu2, 0x0000), 0x42); // CPU 1's 0x4000
    EXPECT_TRUE(
        std::all_of(std::begin(MainRam) + 1, std::end(MainRam) - 1, [](uint8_t b) { return b == 0; }));
}

// Sound off with the user's mute on leaves the (silent) voices alone in the
// game; the saver's machine has KLUNO's latch, which silences them always.
TEST_F(RonkuMachine, SoundOffUnderTheUsersMute) {
    struct Case {
        const kluno::Edition* edition;
        uint32_t mute;
        bool silenced;
    };
    const Case cases[] = {{&RonkuEdition, 0, true},
                          {&RonkuEdition, 1, false},
                          {&AttractEdition, 0, true},
                          {&AttractEdition, 1, true}};
    for (const Case& c : cases) {
        Build(*c.edition);
        recorder.Install();
        kluno::SoundMute = c.mute;
        Write(Cpu1, 0x5007, 0);
        EXPECT_EQ(SoundEnable, 1u);
        Write(Cpu1, 0x5006, 0);
        EXPECT_EQ(SoundEnable, 0u);
        std::vector<std::string> calls = recorder.Take();
        EXPECT_EQ(calls.empty(), !c.silenced) << c.mute;
        if (c.silenced) { EXPECT_EQ(calls.back(), "8 stop"); }
    }
}

TEST_F(RonkuMachine, IoChipRefreshAndTheBootAnswer) {
    const std::vector<uint8_t> answer(std::begin(BootAnswer), std::end(BootAnswer));
    for (uint8_t mode : {0x0E, 0x1E, 0x0F}) {
        SCOPED_TRACE(int(mode));
        std::fill(IoChipRegs, IoChipRegs + 32, 0x77);
        IoChipRegs[8] = 1; // the shot at host byte 7
        IoChipRegs[15] = mode;
        for (int i = 0; i < 16; i++)
            IoChipInputs[i] = uint8_t(0x30 + i);
        std::fill(std::begin(DipBytes), std::end(DipBytes), 0x05);
        UpdateIoChipInputs();
        std::vector<uint8_t> chip1(IoChipRegs + 1, IoChipRegs + 8), chip2(IoChipRegs + 17, IoChipRegs + 24);
        if (mode == BootCheckMode) {
            EXPECT_EQ(chip1, answer);
            EXPECT_EQ(chip2, answer);
            EXPECT_EQ(IoChipRegs[16], 0x77);  // nothing else this frame
            EXPECT_EQ(IoChipInputs[7], 0x37); // no shot pulse cleared
        } else {
            EXPECT_EQ(chip1, (std::vector<uint8_t>{0x77, 0x77, 0x77, 0x34, 0x35, 0x36, 0x37}));
            EXPECT_EQ(chip2, std::vector<uint8_t>(7, 0x05));
            EXPECT_EQ(IoChipRegs[16], 0x05);
            EXPECT_EQ(IoChipInputs[7], 0x36);
        }
        EXPECT_EQ(IoChipRegs[0], 0x77);
    }
    // A game byte that names no host byte clears nothing.
    for (uint8_t m : {9, 255}) {
        IoChipRegs[15] = 0;
        IoChipRegs[8] = m;
        std::fill(std::begin(IoChipInputs), std::end(IoChipInputs), 0xFF);
        UpdateIoChipInputs();
        EXPECT_TRUE(std::all_of(std::begin(IoChipInputs), std::end(IoChipInputs), [](uint8_t b) {
            return b == 0xFF;
        })) << int(m);
    }
}

TEST_F(RonkuMachine, DipBytesFromTheSettings) {
    EXPECT_TRUE(std::all_of(std::begin(DipBytes), std::end(DipBytes), [](uint8_t b) { return b == 0; }));
    struct Case {
        GameSettings settings;
        uint8_t byte0, byte1, byte2, byte4;
    };
    const Case cases[] = {
        {{3, 0, 0, 1}, 0x00, 0x0C, 0x00, 0x00}, {{0, 7, 0, 1}, 0x00, 0x00, 0x07, 0x00},
        {{0, 0, 7, 1}, 0x08, 0x03, 0x00, 0x00}, {{0, 0, 0, 0}, 0x00, 0x00, 0x00, 0x02},
        {{4, 8, 8, 2}, 0xF0, 0xF0, 0xF0, 0xF0}, // out of range: the bits stay
    };
    for (const Case& c : cases) {
        std::fill(std::begin(DipBytes), std::end(DipBytes), c.settings.s1 == 4 ? 0xF0 : 0x00);
        ApplyDipSwitches(c.settings);
        EXPECT_EQ(DipBytes[0], c.byte0);
        EXPECT_EQ(DipBytes[1], c.byte1);
        EXPECT_EQ(DipBytes[2], c.byte2);
        EXPECT_EQ(DipBytes[4], c.byte4);
    }
}

TEST_F(RonkuMachine, CoinAndStartKeys) {
    enum Key { Coin, Start1, Start2, CoinRepeat, CoinUp };
    struct Case {
        uint32_t credits;
        uint8_t lock; // 0x4809
        Key key;
        uint32_t after;
        uint8_t coinSignal, startBits;
    };
    const Case cases[] = {
        {98, 0, Coin, 99, 1, 0},     {99, 0, Coin, 99, 1, 0},   {120, 0, Coin, 99, 1, 0},
        {150, 0, Coin, 150, 0, 0},   {155, 0, Coin, 155, 0, 0}, {5, 0, CoinRepeat, 5, 0, 0},
        {5, 0, CoinUp, 5, 0, 0},     {0, 0, Start1, 0, 0, 0},   {1, 0, Start1, 0, 0, 1},
        {1, 0, Start2, 1, 0, 0},     {2, 0, Start2, 0, 0, 2},   {150, 0, Start1, 150, 0, 1},
        {150, 0, Start2, 150, 0, 2}, {5, 1, Start1, 5, 0, 0},   {155, 3, Start2, 155, 0, 0},
    };
    for (const Case& c : cases) {
        IoChipRegs[0] = IoChipRegs[1] = 0;
        IoChipRegs[2] = uint8_t(0x50 | c.credits / 10); // high nibbles are not counted
        IoChipRegs[3] = uint8_t(c.credits % 10);
        IoChipRegs[9] = c.lock;
        switch (c.key) {
            case Coin: KeyCoin(0, 1); break;
            case Start1: KeyStart1(0, 1); break;
            case Start2: KeyStart2(0, 1); break;
            case CoinRepeat: KeyCoin(KeyRepeatFlag, 1); break;
            case CoinUp: KeyCoin(0, 0); break;
        }
        SCOPED_TRACE(testing::Message() << "credits " << c.credits << " key " << c.key);
        EXPECT_EQ(Credits(), c.after);
        EXPECT_EQ(IoChipRegs[0], c.coinSignal);
        EXPECT_EQ(IoChipRegs[1], c.startBits);
    }
}

TEST_F(RonkuMachine, ControlKeysWriteTheBytesTheGameNames) {
    IoChipRegs[8] = 2; // directions at host byte 5, the shot at 6
    KeyLeft(0, 1);
    KeyRight(0, 1);
    EXPECT_EQ(IoChipInputs[5], 0x0A); // both, no opposite cleared
    KeyLeft(0, 0);
    EXPECT_EQ(IoChipInputs[5], 0x02);
    KeyUp(0, 1);
    KeyDown(0, 1);
    KeyUp(0, 0);
    KeyUp(KeyRepeatFlag, 1); // auto-repeat after the release: nothing
    EXPECT_EQ(IoChipInputs[5], 0x06);

    // Space: a one-frame pulse on bit 0 and a held level on bit 1.
    KeyShot(0, 1);
    std::vector<uint8_t> seen;
    for (int frame = 0; frame < 3; frame++) {
        UpdateIoChipInputs();
        seen.push_back(IoChipRegs[6]);
        KeyShot(KeyRepeatFlag, 1);
    }
    KeyShot(0, 0);
    UpdateIoChipInputs();
    seen.push_back(IoChipRegs[6]);
    EXPECT_EQ(seen, (std::vector<uint8_t>{3, 2, 2, 0}));

    // m is read at each key: the release goes to the byte named then.
    KeyRight(0, 1);
    IoChipRegs[8] = 1;
    KeyRight(0, 0);
    EXPECT_EQ(IoChipInputs[5], 0x06);
    EXPECT_EQ(IoChipInputs[6], 0x00);

    // A byte outside the sixteen changes nothing; m = 8 still names the shot's byte 0.
    std::fill(std::begin(IoChipInputs), std::end(IoChipInputs), 0);
    for (uint8_t m : {8, 9, 255}) {
        IoChipRegs[8] = m;
        for (auto key : {KeyUp, KeyDown, KeyLeft, KeyRight, KeyShot})
            key(0, 1);
    }
    EXPECT_EQ(IoChipInputs[0], 0x03);
    EXPECT_EQ(std::count(std::begin(IoChipInputs), std::end(IoChipInputs), 0), 15);
}

// CPU 1 starts CPU 2 and counts; the reset stops the voices, turns the sound
// off, restarts CPU 1 from its vector and holds CPU 2; nothing else changes.
TEST_F(RonkuMachine, ResetRestartsCpu1AndHoldsCpu2) {
    Assemble(images[&GameData::cpu1Program], 0xA000, R"(
        org $A000
start   lds #$2800
        sta $500B
        sta $5007
loop    inc $0100
        bra loop
        org $FFFE
        fdb start
)");
    Assemble(images[&GameData::cpu2Program], 0xE000, R"(
        org $E000
start   inc $0010
        bra start
        org $FFFE
        fdb start
)");
    Build();
    recorder.Install();
    ResetMachine();
    RunFrame({});
    EXPECT_EQ(Cpus[Cpu2].running, 1u);
    EXPECT_EQ(SoundEnable, 1u);
    EXPECT_NE(MainRam[0x100], 0);
    Write(Cpu1, 0x5003, 0);
    Write(Cpu1, 0x5008, 0);
    ScrollValue = 9;
    IoChipRegs[2] = 4;
    uint8_t count = MainRam[0x100];
    recorder.Take();
    ResetMachine();
    std::vector<std::string> calls = recorder.Take();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "8 stop");
    EXPECT_EQ(SoundEnable, 0u);
    EXPECT_EQ(Cpus[Cpu1].PC, 0xA000);
    EXPECT_EQ(Cpus[Cpu2].running, 0u);
    EXPECT_EQ(Cpus[Cpu2].held, 1u);
    EXPECT_EQ(MainRam[0x100], count);
    EXPECT_EQ(IrqEnable[Cpu1], 1u);
    EXPECT_EQ(IoChipHold, 1u);
    EXPECT_EQ(ScrollValue, 9u);
    EXPECT_EQ(IoChipRegs[2], 4);
}

} // namespace
} // namespace ronku_test
