// Joystick 1 as a second way to play.
//
// When "JoystickUse" is set the emulation thread calls PollJoystick once per
// frame, before the I/O chip's replies are refreshed. The stick's position,
// compared with thresholds a quarter of the way from the centre to each end,
// drives the game's four direction bits; only bits whose state changed since
// the last poll are touched, so a key held at the same time keeps its effect.
// The assigned buttons (the game's joystick slots; ZARKOLT: button 1, button
// 2, coin and start) act on their edges. In the upright full screen the
// player may have the axes exchanged ("JoyAxisExchange"). A game for two
// players (ControlLayout::second) has joystick 1 polled the same way for
// player 2 after joystick 0, and only when joystick 0 answered.
//
// The platform's joystick calls go through the Joystick seam. It starts as
// "no joystick"; the Windows program sets it to WindowsJoystick
// (joyGetNumDevs, joyGetDevCapsA, joyGetPosEx asking for every value with
// the driver's dead zone; in frame/win32/joystick_win.cpp) at start-up; the
// tests fake it.
#pragma once

#include <cstdint>

namespace frame {

struct JoystickRange {
    uint32_t xMin, xMax, yMin, yMax;
};

struct JoystickPosition {
    uint32_t x, y;
    uint32_t buttons; // bit n = button n
};

struct JoystickSeam {
    uint32_t (*deviceCount)();
    bool (*range)(uint32_t id, JoystickRange* range);          // the device's capabilities
    bool (*position)(uint32_t id, JoystickPosition* position); // every value, dead zone applied
};

extern JoystickSeam Joystick;
extern const JoystickSeam NoJoystick;
extern const JoystickSeam WindowsJoystick; // Windows builds only

// Direction codes of the poll (not the input byte's order).
enum : uint16_t { JoyUp = 1, JoyDown = 2, JoyLeft = 4, JoyRight = 8 };

struct AxisThresholds {
    uint32_t low, high; // below low or above high: off centre
};

// centre = (min + max) / 2; low = (min + 3 centre) / 4; high = (max + 3 centre) / 4.
AxisThresholds ThresholdsOf(uint32_t min, uint32_t max);

// The direction code of a position; exchanged maps X to up/down and Y to
// right/left (the upright display).
uint16_t DirectionOf(const JoystickRange& range, uint32_t x, uint32_t y, bool exchanged);

// Whether the axes are exchanged now: "FullScreen", ModeX capable, "ModeX"
// and "JoyAxisExchange" all set.
bool AxesExchanged(bool modeXCapable);

// Set by the frame: the display offers 320 x 240 x 8.
extern bool JoystickModeXCapable;

// One poll of joystick 0 (and 1); called by the emulation thread holding the frame mutex.
void PollJoystick();

// The emulation thread's joystick step: PollJoystick while "JoystickUse" is set.
void PollJoystickInUse();

// Forgets the previous direction and buttons (a fresh start).
void ResetJoystickPoll();

// The action of joystick slot `slot` for the button's new level: its input
// bit, or on a press a coin or a start (needs 1 credit, takes up to 2).
void JoyButton(int slot, uint32_t pressed);

// 1 when a device is reported and one of the ids answers a position query.
int IsJoystickPresent();

} // namespace frame
