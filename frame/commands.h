// The state changes behind the menu commands that do not touch windows:
// test mode and the sound switch. The Windows side (win32/commands_win.cpp)
// calls them and then updates the menu marks and the caption.
#pragma once

#include "boards/sound_seam.h"
#include "frame/layout.h"

namespace frame {

// Switches the board's test mode under the frame mutex and returns the new
// state: on, the board's test switch set, and the machine reset and the
// settings saved when the board wants it (BoardFace::testModeResets); off,
// only cleared. False when the board has none.
bool ToggleTestMode();

// The machine reset and the settings saved, under the frame mutex (the
// frame's start, new game settings).
void ResetMachineLocked();

// The reset command, under the frame mutex: the board's test mode off, then
// the machine reset and the settings saved.
void ResetGame();

// Under the frame mutex, only with a sound device: sound on -> "SoundMute"
// 1 and everything silenced; off -> "SoundMute" 0. Returns false when there
// is no sound device (nothing changes).
bool ToggleSound();

// The full screen of the game in force: 320 x 240 only when the display has
// it, "ModeX" is set and the board shows its picture there (turned, or a
// small plain one); otherwise 640 x 480 with the card.
FullScreenMode GameFullScreenMode(bool displayModeXCapable, bool modeX);

// The sound device the board plays on (null: none), handed to the board.
void AttachSound(const boards::SoundSeam* seam);
bool HasSound();

} // namespace frame
