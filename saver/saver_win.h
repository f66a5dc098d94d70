// The Windows side of the saver frame. A saver program links the saver
// frame and our screen-saver library and defines ProgramSaver, its board's
// table; the library's WinMain does the rest.
#pragma once

#include "saver/saver.h"

namespace saver {

extern const SaverBoard* const ProgramSaver;

} // namespace saver
