// Test mode and the sound switch.
#include "frame/commands.h"

#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/sound.h"
#include "frame/frame_lock.h"
#include "frame/settings.h"

namespace frame {

bool ToggleTestMode() {
    if (zarkolt::InputState.testMode) {
        zarkolt::InputState.testMode = 0;
        return false;
    }
    zarkolt::IoReplyPage[0] |= 0x80;
    zarkolt::InputState.testMode = 1;
    return true;
}

bool ToggleSound() {
    if (!zarkolt::Sound) return false;
    FrameMutexHold hold;
    if (!Settings.soundMute) {
        Settings.soundMute = zarkolt::SoundMute = 1;
        zarkolt::SoundMuteAll();
    } else {
        Settings.soundMute = zarkolt::SoundMute = 0;
    }
    return true;
}

} // namespace frame
