// The custom I/O chip of CPU 1 and the host input state behind it.
//
// CPU 1 writes a command byte to 0x71xx; the chip at once performs the block
// transfer that the game prepared in CPU 1's alternate registers (count BC',
// source HL', destination DE'), each byte through CPU 1's own memory map, and
// marks the command's status byte. The three reply bytes at 0x7000 are
// recomputed once per frame from the host input byte and the credits by the
// edition's refresh (UpdateIoChipInputs for ZARKOLT), which also drives
// button 2 in bit 0 of switch byte 0.
#pragma once

#include <array>
#include <cstdint>

namespace zarkolt {

// Bits of the host input byte; 1 = held.
enum : uint8_t {
    InputUp = 0x01,
    InputRight = 0x02,
    InputDown = 0x04,
    InputLeft = 0x08,
    InputButton1 = 0x10,
    InputButton2 = 0x20,
};

struct HostInput {
    uint8_t input;         // written by the key handlers and the joystick poll
    uint8_t previousInput; // the input the normal form saw last frame
    uint16_t credits;      // BCD, 0x00-0x99
    uint32_t testMode;     // the board's test switch as the frame sets it
};

extern HostInput InputState;

extern uint8_t IoReplyPage[256];  // 0x7000-0x70FF of CPU 1: bytes 0-2 the replies
extern uint8_t IoStatusPage[256]; // 0x7100-0x71FF of CPU 1

// The game's direction code for input bits 0-3: 0 up, 1 up-right, ... 7
// up-left, clockwise; 8 for none and for opposite directions held together.
constexpr std::array<uint8_t, 16> MakeDirectionTable() {
    std::array<uint8_t, 16> table{};
    for (int bits = 0; bits < 16; bits++) {
        bool up = bits & InputUp, right = bits & InputRight, down = bits & InputDown, left = bits & InputLeft;
        int code = 8;
        if (!(up && down) && !(left && right)) {
            if (up)
                code = right ? 1 : left ? 7 : 0;
            else if (down)
                code = right ? 3 : left ? 5 : 4;
            else if (right)
                code = 2;
            else if (left)
                code = 6;
        }
        table[bits] = uint8_t(code);
    }
    return table;
}
inline constexpr std::array<uint8_t, 16> DirectionTable = MakeDirectionTable();

// Write handler of CPU 1's page 0x71.
void IoChipCommandWrite(uint8_t* page, uint16_t address, uint8_t value);

// The three forms of the reply refresh.
void IoChipTestForm();   // test switch on: fixed replies, any control gives 0x0F
void IoChipIdleForm();   // the game is not ready for input: 0x80, 0x38, 0x38
void IoChipNormalForm(); // credits, direction code and the button-1 edge

// ZARKOLT's refresh: the test form in test mode, else the idle form while the
// game's byte 0x85AD is 0, else the normal form.
void UpdateIoChipInputs();

// The screen savers' form, nobody playing: no credits, button 2 up, reply 1
// 0x30 (the input byte stays 0). ZARKOLT's saver refreshes with the idle
// form while the game's byte 0x85AD is 0, else this form
// (UpdateIoChipAttract); SUPER ZARKOLT's always with this form.
void IoChipAttractForm();
void UpdateIoChipAttract();

} // namespace zarkolt
