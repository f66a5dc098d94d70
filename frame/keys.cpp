// The key-function table, its handlers and the credit rules. This file is
// compiled with code page 932 as its execution character set, so the key
// names are the bytes the settings pages hand to the ANSI list-box calls.
#include "frame/keys.h"

#include <cstring>

#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/machine.h"
#include "frame/frame_lock.h"

namespace frame {

namespace {

constexpr void CopyName(char (&to)[16], const char* from) {
    int i = 0;
    for (; from[i] && i < 15; i++)
        to[i] = from[i];
    for (; i < 16; i++)
        to[i] = 0;
}

// Rows 46-63: the keys that have names of their own.
struct NamedKey {
    uint32_t code;
    const char* name;
};
constexpr NamedKey NamedKeys[] = {
    {0x20, "Space"},    {0x0D, "Enter"},       {0x09, "Tab"},    {0x10, "Shift"}, {0x14, "Caps Lock"},
    {0x11, "Control"},  {0x26, "↑"},           {0x28, "↓"},      {0x25, "←"},     {0x27, "→"},
    {0x24, "Home"},     {0x2D, "Insert"},      {0x2E, "Delete"}, {0x23, "End"},   {0x21, "PageUp"},
    {0x22, "PageDown"}, {0x91, "Scroll Lock"}, {0x13, "Pause"},
};

constexpr std::array<KeyNameEntry, KeyNameCount> MakeKeyNames() {
    std::array<KeyNameEntry, KeyNameCount> rows{};
    int row = 0;
    for (int i = 0; i < 26; i++, row++) {
        rows[row].code = uint32_t('A' + i);
        char name[2] = {char('A' + i), 0};
        CopyName(rows[row].name, name);
    }
    for (int i = 0; i < 10; i++, row++) {
        rows[row].code = uint32_t('0' + i);
        char name[2] = {char('0' + i), 0};
        CopyName(rows[row].name, name);
    }
    for (int i = 0; i < 10; i++, row++) {
        rows[row].code = uint32_t(0x60 + i);
        char name[16] = "KEYPAD ";
        name[7] = char('0' + i);
        CopyName(rows[row].name, name);
    }
    for (const NamedKey& key : NamedKeys) {
        rows[row].code = key.code;
        CopyName(rows[row].name, key.name);
        row++;
    }
    for (int button = 0; button < ButtonCount; button++, row++) {
        rows[row].code = uint32_t(button);
        char name[16] = "ﾎﾞﾀﾝ ";
        int end = 0;
        while (name[end])
            end++;
        int number = button + 1;
        if (number >= 10) name[end++] = char('0' + number / 10);
        name[end] = char('0' + number % 10);
        CopyName(rows[row].name, name);
    }
    return rows;
}

static_assert(MakeKeyNames()[46].code == 0x20 && MakeKeyNames()[63].code == 0x13 &&
              MakeKeyNames()[79].code == 15);

using zarkolt::InputState;

// A direction press clears the opposite direction first; a release clears
// only its own bit. Auto-repeat changes nothing.
void Direction(uint16_t flags, uint32_t pressed, uint8_t bit, uint8_t opposite) {
    if (!pressed) {
        InputState.input = uint8_t(InputState.input & ~bit);
    } else if (!(flags & KeyRepeatFlag)) {
        InputState.input = uint8_t((InputState.input & ~opposite) | bit);
    }
}

void Button(uint16_t flags, uint32_t pressed, uint8_t bit) {
    Direction(flags, pressed, bit, 0);
}

bool FreshPress(uint16_t flags, uint32_t pressed) {
    return pressed && !(flags & KeyRepeatFlag);
}

} // namespace

const std::array<KeyNameEntry, KeyNameCount> KeyNames = MakeKeyNames();

KeyHandler KeyTable[256];

void KeyNone(uint16_t, uint32_t) {}
void KeyUp(uint16_t flags, uint32_t pressed) {
    Direction(flags, pressed, zarkolt::InputUp, zarkolt::InputDown);
}
void KeyDown(uint16_t flags, uint32_t pressed) {
    Direction(flags, pressed, zarkolt::InputDown, zarkolt::InputUp);
}
void KeyLeft(uint16_t flags, uint32_t pressed) {
    Direction(flags, pressed, zarkolt::InputLeft, zarkolt::InputRight);
}
void KeyRight(uint16_t flags, uint32_t pressed) {
    Direction(flags, pressed, zarkolt::InputRight, zarkolt::InputLeft);
}
void KeyButton1(uint16_t flags, uint32_t pressed) {
    Button(flags, pressed, zarkolt::InputButton1);
}
void KeyButton2(uint16_t flags, uint32_t pressed) {
    Button(flags, pressed, zarkolt::InputButton2);
}

void KeyCoin(uint16_t flags, uint32_t pressed) {
    if (FreshPress(flags, pressed)) CreditCoin();
}
void KeyStart1(uint16_t flags, uint32_t pressed) {
    if (FreshPress(flags, pressed)) StartGame(1, 1);
}
void KeyStart2(uint16_t flags, uint32_t pressed) {
    if (FreshPress(flags, pressed)) StartGame(2, 2);
}

void CreditCoin() {
    FrameMutexHold hold;
    if (InputState.testMode) return;
    uint32_t value = CreditValue(InputState.credits);
    if (value < 99) InputState.credits = CreditBcd(value + 1);
}

void StartGame(uint32_t needed, uint32_t most) {
    FrameMutexHold hold;
    uint32_t value = CreditValue(InputState.credits);
    if (*zarkolt::Ram(0x8023) != 0 || value < needed) return;
    InputState.credits = CreditBcd(value - (value < most ? value : most));
}

void RebuildKeyTable(const ControlAssignment& assignment) {
    for (KeyHandler& entry : KeyTable)
        entry = KeyNone;
    constexpr KeyHandler SlotHandlers[KeyboardSlotCount] = {KeyUp,    KeyDown,    KeyLeft,
                                                            KeyRight, KeyButton1, KeyButton2};
    for (int slot = 0; slot < KeyboardSlotCount; slot++) {
        uint32_t row =
            assignment[slot] < uint32_t(KeyboardRowCount) ? assignment[slot] : DefaultControlAssignment[slot];
        KeyTable[KeyNames[row].code] = SlotHandlers[slot];
    }
    KeyTable[KeyF2] = KeyCoin;
    KeyTable[KeyF3] = KeyStart1;
    KeyTable[KeyF4] = KeyStart2;
}

void KeyDispatch(uint32_t virtualKey, uint16_t flags, uint32_t pressed) {
    if (virtualKey > 255) return;
    if (InputState.testMode) zarkolt::IoReplyPage[1] = 0xFF;
    KeyTable[virtualKey](flags, pressed);
}

} // namespace frame
