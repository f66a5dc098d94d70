// Joystick 1: thresholds, direction changes and button edges.
#include "frame/joystick.h"

#include "boards/zarkolt/io_chip.h"
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
    uint8_t bit, opposite;
};
constexpr DirectionBits Directions[4] = {
    {JoyUp, zarkolt::InputUp, zarkolt::InputDown},
    {JoyDown, zarkolt::InputDown, zarkolt::InputUp},
    {JoyLeft, zarkolt::InputLeft, zarkolt::InputRight},
    {JoyRight, zarkolt::InputRight, zarkolt::InputLeft},
};

void SetInputBit(uint8_t bit, uint32_t on) {
    uint8_t& input = zarkolt::InputState.input;
    input = on ? uint8_t(input | bit) : uint8_t(input & ~bit);
}

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

    uint16_t direction = DirectionOf(range, position.x, position.y, AxesExchanged(JoystickModeXCapable));
    for (const DirectionBits& d : Directions) {
        if (!((direction ^ PreviousDirection) & d.code)) continue;
        if (direction & d.code) SetInputBit(d.opposite, 0);
        SetInputBit(d.bit, direction & d.code);
    }
    PreviousDirection = direction;

    constexpr KeyHandler actions[4] = {JoyButton1, JoyButton2, JoyCoin, JoyStart};
    uint32_t changed = PreviousButtons ^ position.buttons;
    for (int i = 0; i < 4; i++) {
        uint32_t button = Settings.controls[SlotJoyButton1 + i];
        if (button < 32 && (changed >> button & 1)) actions[i](0, position.buttons >> button & 1);
    }
    PreviousButtons = position.buttons;
}

void JoyButton1(uint16_t, uint32_t pressed) {
    SetInputBit(zarkolt::InputButton1, pressed);
}
void JoyButton2(uint16_t, uint32_t pressed) {
    SetInputBit(zarkolt::InputButton2, pressed);
}

void JoyCoin(uint16_t, uint32_t pressed) {
    if (pressed) CreditCoin();
}

void JoyStart(uint16_t, uint32_t pressed) {
    if (pressed) StartGame(1, 2);
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
