// The Windows side of the saver frame. A saver program links the saver
// frame and our screen-saver library and defines ProgramSaver, its board's
// table; the library's WinMain does the rest.
#pragma once

#include <windows.h>

#include "saver/saver.h"

namespace saver {

extern const SaverBoard* const ProgramSaver;

// The saver's window, from its creation on.
HWND SaverWindow();

// A board saver's sound set-up and release: the board's sound buffers as
// DirectSound voices (false only when a buffer could not be made; no device:
// true and silent).
bool InitFaceSound();
void ReleaseFaceSound();

} // namespace saver
