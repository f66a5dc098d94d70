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

uint16_t PreviousDirection = 0;
uint32_t PreviousButtons = 0;

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
    PreviousDirection = 0;
    PreviousButtons = 0;
}

void PollJoystick() {
    JoystickRange range;
    JoystickPosition position;
    if (!Joystick.range(0, &range) || !Joystick.position(0, &position)) return;

    const ControlLayout& controls = Game().controls;
    const DirectionBits directions[4] = {
        {JoyUp, controls.stick.up, controls.stick.down},
        {JoyDown, controls.stick.down, controls.stick.up},
        {JoyLeft, controls.stick.left, controls.stick.right},
        {JoyRight, controls.stick.right, controls.stick.left},
    };
    uint16_t direction = DirectionOf(range, position.x, position.y, AxesExchanged(JoystickModeXCapable));
    for (const DirectionBits& d : directions) {
        if (!((direction ^ PreviousDirection) & d.code)) continue;
        if (direction & d.code) SetInputBits(d.opposite, false);
        SetInputBits(d.bit, direction & d.code);
    }
    PreviousDirection = direction;

    uint32_t changed = PreviousButtons ^ position.buttons;
    for (int slot = controls.keyboardSlotCount; slot < controls.slotCount; slot++) {
        uint32_t button = Settings.controls[size_t(slot)];
        if (button < 32 && (changed >> button & 1)) JoyButton(slot, position.buttons >> button & 1);
    }
    PreviousButtons = position.buttons;
}

void PollJoystickInUse() {
    if (Settings.joystickUse) PollJoystick();
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
