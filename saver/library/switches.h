// The screen-saver command line: which of the four things the saver is asked
// to do, and the window that goes with it.
//
// Windows starts a saver with one switch, "/" or "-" followed by a letter in
// either case:  s  run full screen;  c, c:HWND or no switch at all  show the
// configure box (over HWND);  p HWND or l HWND  preview inside HWND's client
// area;  a HWND  change the password (nothing to do on the NT family). The
// window may follow the letter after blanks or a colon, in decimal. Anything
// else is taken as no switch: the configure box.
#pragma once

#include <cstdint>

namespace saver {

enum class SaverMode { Run, Configure, Preview, ChangePassword };

struct SaverSwitch {
    SaverMode mode;
    uintptr_t window; // the HWND given with the switch, 0 when none
};

SaverSwitch ParseSaverSwitch(const char* commandLine);

} // namespace saver
