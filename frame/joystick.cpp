// Joystick 1: thresholds, direction changes and button edges.
#include "frame/joystick.h"

#include "frame/keys.h"
#include "frame/settings.h"

namespace frame {

bool JoystickModeXCapable = false;

namespace {

uint32_t NoDevices() {
    return 0;
}
bool NoRange(uint32_t, JoystickRange*) {
    return false;
}
bool NoPosition(uint32_t, JoystickPosition*) {
    return false;
}

// Per joystick (0: player 1, 1: player 2): the direction code and the
// button word of the last poll.
uint16_t PreviousDirection[2] = {};
uint32_t PreviousButtons[2] = {};

// Each poll direction in the order the poll handles them, with the input
// bit it sets and the opposite bit it clears.
struct DirectionBits {
    uint16_t code;
    uint32_t bit, opposite;
};

// -1 below the low threshold, +1 above the high one, 0 between (inclusive).
int AxisSide(uint32_t min, uint32_t max, uint32_t position) {
    AxisThresholds t = ThresholdsOf(min, max);
    return position < t.low ? -1 : position > t.high ? 1 : 0;
}

} // namespace

const JoystickSeam NoJoystick = {NoDevices, NoRange, NoPosition};
JoystickSeam Joystick = {NoDevices, NoRange, NoPosition};

AxisThresholds ThresholdsOf(uint32_t min, uint32_t max) {
    uint32_t centre = (min + max) / 2;
    return {(min + 3 * centre) / 4, (max + 3 * centre) / 4};
}

uint16_t DirectionOf(const JoystickRange& range, uint32_t x, uint32_t y, bool exchanged) {
    int xSide = AxisSide(range.xMin, range.xMax, x);
    int ySide = AxisSide(range.yMin, range.yMax, y);
    uint16_t code = 0;
    if (!exchanged) {
        if (xSide) code |= xSide < 0 ? JoyLeft : JoyRight;
        if (ySide) code |= ySide < 0 ? JoyUp : JoyDown;
    } else {
        if (xSide) code |= xSide < 0 ? JoyUp : JoyDown;
        if (ySide) code |= ySide < 0 ? JoyRight : JoyLeft;
    }
    return code;
}

bool AxesExchanged(bool modeXCapable) {
    return Settings.fullScreen && modeXCapable && Settings.modeX && Settings.joyAxisExchange;
}

void ResetJoystickPoll() {
    for (int id = 0; id < 2; id++) {
        PreviousDirection[id] = 0;
        PreviousButtons[id] = 0;
    }
}

namespace {

// One joystick's poll: its stick drives `stick`, its buttons the slots
// [firstSlot, endSlot). False when the joystick does not answer.
bool PollOne(uint32_t id, const StickBits& stick, bool diagonals, int firstSlot, int endSlot) {
    JoystickRange range;
    JoystickPosition position;
    if (!Joystick.range(id, &range) || !Joystick.position(id, &position)) return false;

    const DirectionBits directions[4] = {
        {JoyUp, stick.up, stick.down},
        {JoyDown, stick.down, stick.up},
        {JoyLeft, stick.left, stick.right},
        {JoyRight, stick.right, stick.left},
    };
    bool exchanged = id == 0 && AxesExchanged(JoystickModeXCapable);
    uint16_t direction = DirectionOf(range, position.x, position.y, exchanged);
    if (!diagonals && direction & (JoyUp | JoyDown)) direction &= JoyUp | JoyDown;
    uint16_t& previous = PreviousDirection[id];
    for (const DirectionBits& d : directions) {
        if (!((direction ^ previous) & d.code)) continue;
        if (direction & d.code) SetInputBits(d.opposite, false);
        SetInputBits(d.bit, direction & d.code);
    }
    previous = direction;

    uint32_t changed = PreviousButtons[id] ^ position.buttons;
    for (int slot = firstSlot; slot < endSlot; slot++) {
        uint32_t button = Settings.controls[size_t(slot)];
        if (button < 32 && (changed >> button & 1)) JoyButton(slot, position.buttons >> button & 1);
    }
    PreviousButtons[id] = position.buttons;
    return true;
}

} // namespace

void PollJoystick() {
    const ControlLayout& controls = Game().controls;
    const SecondJoystick& second = controls.second;
    int firstEnd = second.firstSlot ? second.firstSlot : controls.slotCount;
    if (!PollOne(0, controls.stick, true, controls.keyboardSlotCount, firstEnd)) return;
    if (second.firstSlot) PollOne(1, second.stick, second.diagonals, second.firstSlot, controls.slotCount);
}

void JoyButton(int slot, uint32_t pressed) {
    const ControlSlot& action = Game().controls.slots[size_t(slot)];
    switch (action.action) {
        case SlotAction::Input: SetInputBits(action.bit, pressed); break;
        case SlotAction::Coin:
            if (pressed) CreditCoin();
            break;
        case SlotAction::Start:
            if (pressed) StartGame(1, 2);
            break;
    }
}

int IsJoystickPresent() {
    uint32_t count = Joystick.deviceCount();
    for (uint32_t id = 0; id < count; id++) {
        JoystickPosition position;
        if (Joystick.position(id, &position)) return 1;
    }
    return 0;
}

} // namespace frame
