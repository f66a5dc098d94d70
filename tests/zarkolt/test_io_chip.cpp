// The custom I/O chip: command transfers and the three reply forms.
#include "tests/zarkolt/support.h"

namespace zarkolt_test {
namespace {

using namespace zarkolt;

class IoChipTest : public BoardTest {
  protected:
    void Transfer(uint8_t command, uint16_t source, uint16_t destination, uint16_t count,
                  uint16_t port = 0x7100) {
        Cpus[Cpu1].altHL = source;
        Cpus[Cpu1].altDE = destination;
        Cpus[Cpu1].altBC = count;
        Write(Cpu1, port, command);
    }
    void Frame(uint8_t input) {
        InputState.input = input;
        UpdateIoChipInputs();
    }
};

TEST_F(IoChipTest, CommandTransfersOfTheGame) {
    IoReplyPage[0] = 0x12;
    IoReplyPage[1] = 0x34;
    IoReplyPage[2] = 0x56;
    Transfer(0x71, 0x7000, 0x8018, 3);
    EXPECT_EQ(*Ram(0x8018), 0x12);
    EXPECT_EQ(*Ram(0x8019), 0x34);
    EXPECT_EQ(*Ram(0x801A), 0x56);
    EXPECT_EQ(*Ram(0x801B), 0x00);

    Transfer(0x70, 0x7000, 0x8020, 3); // the command's page is the reply page again
    EXPECT_EQ(*Ram(0x8022), 0x56);

    Write(Cpu1, 0x6400, 0xE5);
    CodeChipPage[0] = 0xAA;
    Transfer(0x74, 0x7000, 0x8060, 4);
    EXPECT_EQ(*Ram(0x8060), 0xAA);
    EXPECT_EQ(*Ram(0x8063), 0x95);

    images[&GameData::cpu1][0x3C01] = 0x80;
    Build();
    Transfer(0x64, 0x3C01, 0x7000, 1); // the challenge reaches the code chip at 0x6400
    EXPECT_EQ(CodeChipPage[3], 0x05);

    for (int i = 0; i < 8; i++)
        *Ram(uint16_t(0x8560 + i)) = uint8_t(0xC0 + i);
    Transfer(0xA1, 0x8560, 0x7000, 8);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(*Ram(uint16_t(0xA100 + i)), 0xC0 + i);
    EXPECT_EQ(*Ram(0xA108), 0x00);

    Transfer(0x61, 0x0C0E, 0x7000, 2); // unmapped destination: nothing
    EXPECT_EQ(Read(Cpu1, 0x6100), 0xFF);
    EXPECT_EQ(IoStatusPage[0], 0x10);
}

TEST_F(IoChipTest, LatchBytesPassThroughTheLatchHandlerInOrder) {
    recorder.Install();
    Write(Cpu1, 0x6823, 1);
    recorder.Take();
    uint8_t* bytes = Ram(0x8080);
    bytes[3] = 0x02;
    Transfer(0x68, 0x8080, 0x7000, 7);
    EXPECT_EQ(LastSample, 1);
    EXPECT_EQ(recorder.Take().back(), "4 once");

    // A longer transfer reaches the other latches: 0x6820 and 0x6822.
    bytes[0x20] = 1;
    bytes[0x22] = 1;
    bytes[0x23] = 0;
    Transfer(0x68, 0x8080, 0x7000, 0x24);
    EXPECT_EQ(IrqEnable, 1u);
    EXPECT_EQ(Cpus[Cpu2].running, 1u);
    EXPECT_EQ(SoundEnable, 0u);
}

TEST_F(IoChipTest, TransferDetails) {
    Cpus[Cpu1].BC = 0x1111;
    Cpus[Cpu1].HL = 0x2222;
    Transfer(0x10, 0x7000, 0x8000, 3); // no transfer, only the status byte
    EXPECT_EQ(*Ram(0x8000), 0x00);
    EXPECT_EQ(Read(Cpu1, 0x7100), 0x10);

    Transfer(0x71, 0x7000, 0x8000, 0); // a count of 0 copies nothing
    EXPECT_EQ(*Ram(0x8000), 0x00);

    Transfer(0x71, 0x7000, 0x8000, 3, 0x71A5); // the status lands at the written offset
    EXPECT_EQ(Read(Cpu1, 0x71A5), 0x10);
    EXPECT_EQ(Read(Cpu1, 0x71A4), 0x00);
    EXPECT_EQ(*Ram(0x8000), 0x80);
    EXPECT_EQ(Cpus[Cpu1].altHL, 0x7000); // registers unchanged
    EXPECT_EQ(Cpus[Cpu1].altDE, 0x8000);
    EXPECT_EQ(Cpus[Cpu1].altBC, 3);
    EXPECT_EQ(Cpus[Cpu1].BC, 0x1111);
    EXPECT_EQ(Cpus[Cpu1].HL, 0x2222);

    images[&GameData::cpu1][0] = 0x3C;
    Build();
    Transfer(0x71, 0xFFFE, 0x8100, 3); // the source wraps within 16 bits
    EXPECT_EQ(*Ram(0x8100), 0xFF);
    EXPECT_EQ(*Ram(0x8101), 0xFF);
    EXPECT_EQ(*Ram(0x8102), 0x3C);

    Transfer(0x80, 0x8100, 0x7803, 2); // other source: the command replaces the destination page
    EXPECT_EQ(*Ram(0x8003), 0xFF);
    EXPECT_EQ(*Ram(0x7803), 0x00);
}

TEST_F(IoChipTest, TransferIntoTheCommandPortDoesNotNest) {
    for (int i = 0; i < 4; i++)
        *Ram(uint16_t(0x8000 + i)) = 0x71;
    Transfer(0x71, 0x8000, 0x7100, 4);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(IoStatusPage[i], 0x10);
    EXPECT_EQ(IoStatusPage[4], 0x00);
}

TEST_F(IoChipTest, DirectionCodes) {
    const uint8_t expected[16] = {8, 0, 2, 1, 4, 8, 3, 8, 6, 7, 8, 8, 5, 8, 8, 8};
    for (int bits = 0; bits < 16; bits++)
        EXPECT_EQ(DirectionTable[bits], expected[bits]) << bits;
}

TEST_F(IoChipTest, NormalFormFollowsCreditsDirectionsAndButtons) {
    *Ram(0x85AD) = 1;
    InputState.credits = 0x12;
    Frame(InputUp | InputRight);
    EXPECT_EQ(IoReplyPage[0], 0x12);
    EXPECT_EQ(IoReplyPage[1], 0x31);
    EXPECT_EQ(IoReplyPage[2], 0xF8); // untouched by this form
    Frame(InputLeft | InputRight);
    EXPECT_EQ(IoReplyPage[1], 0x38);
    Frame(0);
    EXPECT_EQ(IoReplyPage[1], 0x38);

    Frame(InputButton1 | InputDown); // the frame of the press
    EXPECT_EQ(IoReplyPage[1], 0x04);
    Frame(InputButton1 | InputDown); // held
    EXPECT_EQ(IoReplyPage[1], 0x14);
    Frame(InputDown);
    EXPECT_EQ(IoReplyPage[1], 0x34);

    EXPECT_EQ(SwitchPage[0] & 1, 1);
    Frame(InputButton2);
    EXPECT_EQ(SwitchPage[0] & 1, 0);
    EXPECT_EQ(SwitchPage[0] & 2, 2);
    Frame(0);
    EXPECT_EQ(SwitchPage[0] & 1, 1);
    EXPECT_EQ(InputState.previousInput, 0);
}

TEST_F(IoChipTest, TestAndIdleForms) {
    InputState.testMode = 1;
    *Ram(0x85AD) = 1;
    InputState.previousInput = 0x3F;
    Frame(0);
    EXPECT_EQ(IoReplyPage[0], 0x7F);
    EXPECT_EQ(IoReplyPage[1], 0xFF);
    EXPECT_EQ(IoReplyPage[2], 0xFF);
    for (uint8_t input : {InputUp, InputRight, InputDown, InputLeft, InputButton1, InputButton2}) {
        Frame(input);
        EXPECT_EQ(IoReplyPage[1], 0x0F);
        EXPECT_EQ(SwitchPage[0] & 1, input == InputButton2 ? 0 : 1);
    }
    EXPECT_EQ(InputState.previousInput, 0x3F);

    InputState.testMode = 0;
    *Ram(0x85AD) = 0;
    SwitchPage[0] = 2;
    InputState.previousInput = 0;
    for (uint8_t input : {0x00, 0x3F, 0x11}) {
        Frame(input);
        EXPECT_EQ(IoReplyPage[0], 0x80);
        EXPECT_EQ(IoReplyPage[1], 0x38);
        EXPECT_EQ(IoReplyPage[2], 0x38);
    }
    EXPECT_EQ(SwitchPage[0], 2);
    EXPECT_EQ(InputState.previousInput, 0);

    // Button 1 held through the idle time still counts as a new press ...
    *Ram(0x85AD) = 1;
    Frame(InputButton1);
    EXPECT_EQ(IoReplyPage[1], 0x08);
    // ... but not when it was held in the last frame of the normal form.
    *Ram(0x85AD) = 0;
    Frame(InputButton1);
    *Ram(0x85AD) = 1;
    Frame(InputButton1);
    EXPECT_EQ(IoReplyPage[1], 0x18);
}

} // namespace
} // namespace zarkolt_test
