// The joystick seam on Windows: the multimedia joystick calls.
#include <windows.h>

#include <mmsystem.h>

#include "frame/joystick.h"

namespace frame {

namespace {

uint32_t DeviceCount() {
    return joyGetNumDevs();
}

bool Range(uint32_t id, JoystickRange* range) {
    JOYCAPSA caps = {};
    if (joyGetDevCapsA(id, &caps, sizeof caps) != JOYERR_NOERROR) return false;
    *range = {caps.wXmin, caps.wXmax, caps.wYmin, caps.wYmax};
    return true;
}

// Every value, within the driver's dead zone (0x8FF): the poll and the
// calibrate button's presence check both ask this way.
constexpr DWORD PositionFlags = JOY_RETURNALL | JOY_USEDEADZONE;
static_assert(PositionFlags == 0x8FF);

bool Position(uint32_t id, JoystickPosition* position) {
    JOYINFOEX info = {};
    info.dwSize = sizeof info;
    info.dwFlags = PositionFlags;
    if (joyGetPosEx(id, &info) != JOYERR_NOERROR) return false;
    *position = {info.dwXpos, info.dwYpos, info.dwButtons};
    return true;
}

} // namespace

const JoystickSeam WindowsJoystick = {DeviceCount, Range, Position};

} // namespace frame
