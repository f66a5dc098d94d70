// The keyboard of the ZARKOLT game programs: a table of 256 key handlers
// indexed by virtual-key code, rebuilt from the player's control assignment
// plus the fixed keys F2 (coin), F3 (start with one credit) and F4 (start with
// two credits).
//
// Driving it: RebuildKeyTable(assignment) at start-up and after the settings
// pages accept a change (with the frame mutex held); KeyDispatch for every
// key-down and key-up message of the main window. Direction and button
// handlers set and clear bits of the host input byte (zarkolt::InputState);
// the coin and start handlers change the BCD credits under the frame mutex.
#pragma once

#include <array>
#include <cstdint>

namespace frame {

// flags: the high word of the key message's lParam (bit 14 = auto-repeat);
// pressed: 1 on key down, 0 on key up.
using KeyHandler = void (*)(uint16_t flags, uint32_t pressed);

inline constexpr uint16_t KeyRepeatFlag = 0x4000;

// One row of the key-name table: rows 0-63 keyboard keys (code = virtual-key
// code), rows 64-79 joystick buttons (code = button number 0-15). Names are
// code page 932 bytes, as the settings pages show them.
struct KeyNameEntry {
    uint32_t code;
    char name[16];
};

inline constexpr int KeyNameCount = 80;
inline constexpr int KeyboardRowCount = 64; // rows 0-63
inline constexpr int FirstButtonRow = 64;   // rows 64-79: "ﾎﾞﾀﾝ 1" to "ﾎﾞﾀﾝ 16"
inline constexpr int ButtonCount = 16;

extern const std::array<KeyNameEntry, KeyNameCount> KeyNames;

// The ten control slots stored in "Configuration": slots 0-5 hold key-name
// rows 0-63, slots 6-9 joystick button numbers 0-15.
enum ControlSlot : int {
    SlotUp = 0,
    SlotDown,
    SlotLeft,
    SlotRight,
    SlotButton1,
    SlotButton2,
    SlotJoyButton1,
    SlotJoyButton2,
    SlotJoyCoin,
    SlotJoyStart,
    ControlSlotCount
};
inline constexpr int KeyboardSlotCount = 6;

using ControlAssignment = std::array<uint32_t, ControlSlotCount>;

// Cursor keys, "X", "Z"; joystick buttons 1-4.
inline constexpr ControlAssignment DefaultControlAssignment = {52, 53, 54, 55, 23, 25, 0, 1, 2, 3};

// Virtual-key codes of the fixed keys.
inline constexpr uint32_t KeyF2 = 0x71, KeyF3 = 0x72, KeyF4 = 0x73;

extern KeyHandler KeyTable[256];

// Every entry KeyNone, then slots 0-5 (a row outside 0-63 takes the
// default row of its slot), then F2, F3, F4.
void RebuildKeyTable(const ControlAssignment& assignment);

// A key message: ignored when the virtual key is above 255; in test mode
// first sets the I/O chip's second reply byte to 0xFF; then the table entry.
void KeyDispatch(uint32_t virtualKey, uint16_t flags, uint32_t pressed);

void KeyNone(uint16_t flags, uint32_t pressed);
void KeyUp(uint16_t flags, uint32_t pressed);
void KeyDown(uint16_t flags, uint32_t pressed);
void KeyLeft(uint16_t flags, uint32_t pressed);
void KeyRight(uint16_t flags, uint32_t pressed);
void KeyButton1(uint16_t flags, uint32_t pressed);
void KeyButton2(uint16_t flags, uint32_t pressed);
void KeyCoin(uint16_t flags, uint32_t pressed);
void KeyStart1(uint16_t flags, uint32_t pressed);
void KeyStart2(uint16_t flags, uint32_t pressed);

// The credit rules shared by the keys and the joystick, each under the frame
// mutex. CreditCoin: unless test mode is on, one credit more, at most 99.
// StartGame: when the game's start-lock byte (0x8023) is 0 and at least
// `needed` credits are there, takes as many as there are, at most `most`
// (F3: 1, 1; F4: 2, 2; the joystick's start button: 1, 2).
void CreditCoin();
void StartGame(uint32_t needed, uint32_t most);

// BCD credits (0x00-0x99) and their value 0-99.
constexpr uint32_t CreditValue(uint16_t bcd) {
    return (bcd >> 4 & 0x0F) * 10 + (bcd & 0x0F);
}
constexpr uint16_t CreditBcd(uint32_t value) {
    return uint16_t(value / 10 * 16 + value % 10);
}

} // namespace frame
