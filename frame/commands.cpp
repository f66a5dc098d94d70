// Test mode and the sound switch.
#include "frame/commands.h"

#include "frame/frame_lock.h"
#include "frame/game.h"
#include "frame/settings.h"

namespace frame {

namespace {
bool SoundPresent = false;
} // namespace

bool ToggleTestMode() {
    const boards::BoardFace& board = Board();
    if (!board.setTestMode) return false;
    FrameMutexHold hold;
    bool on = !board.testMode();
    board.setTestMode(on);
    if (on && board.testModeResets) ResetMachineLocked();
    return on;
}

void ResetMachineLocked() {
    FrameMutexHold hold;
    Board().reset();
    SaveSettings();
}

void ResetGame() {
    FrameMutexHold hold;
    const boards::BoardFace& board = Board();
    if (board.setTestMode) board.setTestMode(false);
    ResetMachineLocked();
}

bool ToggleSound() {
    if (!SoundPresent) return false;
    FrameMutexHold hold;
    Settings.soundMute = !Settings.soundMute;
    Board().setSoundMute(Settings.soundMute != 0);
    if (Settings.soundMute) Board().silence();
    return true;
}

FullScreenMode GameFullScreenMode(bool displayModeXCapable, bool modeX) {
    const boards::BoardFace& board = Board();
    return ChooseFullScreenMode(displayModeXCapable && (board.canTurn || board.smallScreen), modeX);
}

void AttachSound(const boards::SoundSeam* seam) {
    SoundPresent = seam != nullptr;
    Board().attachSound(seam);
}

bool HasSound() {
    return SoundPresent;
}

} // namespace frame
