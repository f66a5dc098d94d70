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

bool Position(uint32_t id, JoystickPosition* position) {
    JOYINFOEX info = {};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNALL;
    if (joyGetPosEx(id, &info) != JOYERR_NOERROR) return false;
    *position = {info.dwXpos, info.dwYpos, info.dwButtons};
    return true;
}

} // namespace

const JoystickSeam WindowsJoystick = {DeviceCount, Range, Position};

} // namespace frame
