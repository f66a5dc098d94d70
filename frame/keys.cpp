// The key-function table, its handlers and the credit rules. This file is
// compiled with code page 932 as its execution character set, so the key
// names are the bytes the settings pages hand to the ANSI list-box calls.
#include "frame/keys.h"

#include <bit>
#include <cstring>
#include <utility>

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

using boards::FreshPress;

// A key that holds `bits` while it is down; auto-repeat changes nothing.
void HoldBits(uint32_t bits, uint16_t flags, uint32_t pressed) {
    if (!pressed || FreshPress(flags, pressed)) SetInputBits(bits, pressed != 0);
}

// A press clears the opposite bits first; a release clears only its own
// bit. Auto-repeat changes nothing. A board with its own key rules takes the
// message whole.
template <int Slot> void SlotHandler(uint16_t flags, uint32_t pressed) {
    const ControlSlot& slot = Game().controls.slots[Slot];
    if (Board().controlKey) {
        Board().controlKey(std::countr_zero(slot.bit), flags, pressed);
    } else if (!pressed) {
        SetInputBits(slot.bit, false);
    } else if (!(flags & KeyRepeatFlag)) {
        const boards::BoardFace& board = Board();
        board.setControls((board.controlBits() & ~slot.opposite) | slot.bit);
    }
}

template <int... Slots>
constexpr std::array<KeyHandler, sizeof...(Slots)> SlotHandlers(std::integer_sequence<int, Slots...>) {
    return {SlotHandler<Slots>...};
}

constexpr std::array<KeyHandler, MaxControlSlots> SlotHandlerTable =
    SlotHandlers(std::make_integer_sequence<int, MaxControlSlots>());

// A fixed key that holds an input bit: set while down, auto-repeat ignored.
template <int Index> void FixedInputHandler(uint16_t flags, uint32_t pressed) {
    HoldBits(Game().controls.fixedKeys[Index].bit, flags, pressed);
}

template <int... Indices>
constexpr std::array<KeyHandler, sizeof...(Indices)>
FixedInputHandlers(std::integer_sequence<int, Indices...>) {
    return {FixedInputHandler<Indices>...};
}

constexpr auto FixedInputTable = FixedInputHandlers(
    std::make_integer_sequence<int, std::tuple_size_v<decltype(ControlLayout::fixedKeys)>>());

} // namespace

const std::array<KeyNameEntry, KeyNameCount> KeyNames = MakeKeyNames();

KeyHandler KeyTable[256];

void KeyNone(uint16_t, uint32_t) {}

KeyHandler SlotKey(int slot) {
    return SlotHandlerTable[size_t(slot)];
}

void SetInputBits(uint32_t bits, bool on) {
    const boards::BoardFace& board = Board();
    uint32_t now = board.controlBits();
    board.setControls(on ? now | bits : now & ~bits);
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
void KeyService(uint16_t flags, uint32_t pressed) {
    if (!Board().testMode || !Board().testMode()) return;
    HoldBits(Game().controls.serviceBit, flags, pressed);
}

void CreditCoin() {
    FrameMutexHold hold;
    if (Board().insertCoin) Board().insertCoin();
}

void StartGame(uint32_t needed, uint32_t most) {
    FrameMutexHold hold;
    if (Board().pressStart) Board().pressStart(needed, most);
}

void RebuildKeyTable(const ControlAssignment& assignment) {
    const ControlLayout& controls = Game().controls;
    for (KeyHandler& entry : KeyTable)
        entry = KeyNone;
    for (int slot = 0; slot < controls.keyboardSlotCount; slot++) {
        uint32_t row = assignment[size_t(slot)] < uint32_t(KeyboardRowCount)
                           ? assignment[size_t(slot)]
                           : controls.defaults[size_t(slot)];
        KeyTable[KeyNames[row].code] = SlotKey(slot);
    }
    constexpr KeyHandler FixedHandlers[] = {KeyCoin, KeyStart1, KeyStart2, KeyService};
    for (int i = 0; i < controls.fixedKeyCount; i++) {
        const FixedKey& key = controls.fixedKeys[size_t(i)];
        KeyTable[key.virtualKey & 0xFF] =
            key.action == FixedAction::Input ? FixedInputTable[size_t(i)] : FixedHandlers[int(key.action)];
    }
}

void KeyDispatch(uint32_t virtualKey, uint16_t flags, uint32_t pressed) {
    if (virtualKey > 255) return;
    // The key's changes to the board's inputs are made between frames: the
    // joystick poll of the emulation thread changes the same bits.
    FrameMutexHold hold;
    if (Board().beforeKey && !Board().beforeKey()) return;
    KeyTable[virtualKey](flags, pressed);
}

} // namespace frame
