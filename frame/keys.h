// The keyboard of the game programs: a table of 256 key handlers indexed by
// virtual-key code, rebuilt from the player's control assignment plus the
// game's fixed keys (ZARKOLT: F2 coin, F3 start with one credit, F4 start
// with two credits). What each slot and fixed key does is the game's
// (GameDescription::controls, frame/game.h).
//
// Driving it: RebuildKeyTable(assignment) at start-up and after the settings
// pages accept a change (with the frame mutex held); KeyDispatch for every
// key-down and key-up message of the main window, which runs the handler
// under the frame mutex (the emulation thread's joystick poll changes the
// same input bits inside its frame). Slot handlers set and clear the board's
// input bits (BoardFace::setControls); the coin and start handlers go to the
// board under the frame mutex.
#pragma once

#include <array>
#include <cstdint>

#include "boards/key_message.h"
#include "frame/game.h"

namespace frame {

// flags: the high word of the key message's lParam (bit 14 = auto-repeat);
// pressed: 1 on key down, 0 on key up.
using KeyHandler = void (*)(uint16_t flags, uint32_t pressed);

using boards::KeyRepeatFlag;

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

// Row of the key-name table and button number in "Configuration".
using ControlAssignment = frame::ControlAssignment;

// Virtual-key codes of function keys the games fix.
inline constexpr uint32_t KeyF2 = 0x71, KeyF3 = 0x72, KeyF4 = 0x73, KeyF5 = 0x74;

extern KeyHandler KeyTable[256];

// Every entry KeyNone, then the keyboard slots (a row outside 0-63 takes
// the default row of its slot; a key given to two slots goes to the later
// one), then the game's fixed keys.
void RebuildKeyTable(const ControlAssignment& assignment);

// A key message: ignored when the virtual key is above 255; then, holding
// the frame mutex, the board's beforeKey step (ZARKOLT in test mode: the I/O
// chip's second reply byte := 0xFF) and the table entry.
void KeyDispatch(uint32_t virtualKey, uint16_t flags, uint32_t pressed);

void KeyNone(uint16_t flags, uint32_t pressed);
// The handler of a keyboard slot: its input bit while held; a fresh press
// first clears the slot's opposite bits; auto-repeat changes nothing.
KeyHandler SlotKey(int slot);
void KeyCoin(uint16_t flags, uint32_t pressed);
void KeyStart1(uint16_t flags, uint32_t pressed);
void KeyStart2(uint16_t flags, uint32_t pressed);
void KeyService(uint16_t flags, uint32_t pressed);

// The credit rules shared by the keys and the joystick, each under the frame
// mutex: CreditCoin, one coin to the board; StartGame, a start that needs
// `needed` credits and takes up to `most` (ZARKOLT's F3: 1, 1; F4: 2, 2; the
// joystick's start button: 1, 2).
void CreditCoin();
void StartGame(uint32_t needed, uint32_t most);

// Sets or clears input bits of the board (bits not in `bits` stay).
void SetInputBits(uint32_t bits, bool on);

// BCD credits (0x00-0x99) and their value 0-99.
constexpr uint32_t CreditValue(uint16_t bcd) {
    return (bcd >> 4 & 0x0F) * 10 + (bcd & 0x0F);
}
constexpr uint16_t CreditBcd(uint32_t value) {
    return uint16_t(value / 10 * 16 + value % 10);
}

} // namespace frame
