// The state changes behind the menu commands that do not touch windows:
// test mode and the sound switch. The Windows side (commands_win.cpp) calls
// them and then updates the menu marks and the caption.
#pragma once

namespace frame {

// Test mode on: bit 7 of the I/O chip's first reply byte, the flag set, and
// true returned (the machine is to be reset). Off: the flag cleared, false
// (leaving test mode does not reset).
bool ToggleTestMode();

// Under the frame mutex, only with a sound device: sound on -> "SoundMute"
// 1 and everything silenced; off -> "SoundMute" 0. Returns false when there
// is no sound device (nothing changes).
bool ToggleSound();

} // namespace frame
