// The custom I/O chip: command transfers and the per-frame reply refresh.
#include "boards/zarkolt/io_chip.h"

#include "boards/zarkolt/machine.h"

namespace zarkolt {

HostInput InputState;
uint8_t IoReplyPage[256];
uint8_t IoStatusPage[256];

namespace {

// Set while a transfer runs. A transfer whose destination reaches the
// command port again only marks the status byte there: a nested transfer
// could otherwise recurse without end.
bool transferring = false;

// Button 2 is active low in bit 0 of switch byte 0.
void SetButton2(bool held) {
    SwitchPage[0] = uint8_t(held ? SwitchPage[0] & ~1 : SwitchPage[0] | 1);
}

void SetReplies(uint8_t reply0, uint8_t reply1, uint8_t reply2) {
    IoReplyPage[0] = reply0;
    IoReplyPage[1] = reply1;
    IoReplyPage[2] = reply2;
}

} // namespace

void IoChipCommandWrite(uint8_t*, uint16_t address, uint8_t value) {
    if (value != 0x10 && !transferring) {
        Z80Context* cpu = &Cpus[Cpu1];
        uint16_t count = cpu->altBC;
        uint16_t source = cpu->altHL;
        uint16_t destination = cpu->altDE;
        if (value != 0x71) {
            if (source == 0x7000)
                source = uint16_t(value << 8);
            else
                destination = uint16_t(value << 8 | (destination & 0xFF));
        }
        transferring = true;
        for (; count; count--, source++, destination++)
            Z80WriteByte(cpu, destination, Z80ReadByte(cpu, source));
        transferring = false;
    }
    IoStatusPage[address & 0xFF] = 0x10;
}

void IoChipTestForm() {
    uint8_t input = InputState.input;
    SetReplies(0x7F, input & 0x3F ? 0x0F : 0xFF, 0xFF);
    SetButton2(input & InputButton2);
}

void IoChipIdleForm() {
    SetReplies(0x80, 0x38, 0x38);
}

void IoChipNormalForm() {
    uint8_t input = InputState.input;
    IoReplyPage[0] = uint8_t(InputState.credits);
    SetButton2(false);
    uint8_t reply = DirectionTable[input & 0x0F] | 0x30;
    if (input & InputButton1) {
        reply &= ~0x20;
        if (!(InputState.previousInput & InputButton1)) reply &= ~0x10;
    }
    IoReplyPage[1] = reply;
    if (input & InputButton2) SetButton2(true);
    InputState.previousInput = input;
}

// The input byte of a screen saver stays 0, so the button branches of the
// normal form change nothing and reply 1 keeps 0x30.
void IoChipAttractForm() {
    IoReplyPage[0] = 0x00;
    SetButton2(false);
    IoReplyPage[1] = 0x30;
}

void UpdateIoChipInputs() {
    if (InputState.testMode)
        IoChipTestForm();
    else if (*Ram(0x85AD) == 0)
        IoChipIdleForm();
    else
        IoChipNormalForm();
}

void UpdateIoChipAttract() {
    if (*Ram(0x85AD) == 0)
        IoChipIdleForm();
    else
        IoChipAttractForm();
}

} // namespace zarkolt
