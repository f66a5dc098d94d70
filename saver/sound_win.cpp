// The saver's sound: the board's sound buffers as DirectSound voices for the
// saver's window, without a lock (only the emulation thread plays) and
// without any menu. No sound device: silent, and the start-up goes on.
#include "frame/win32/directsound_win.h"
#include "saver/saver_win.h"

namespace saver {

bool InitFaceSound() {
    frame::VoicesResult result =
        frame::OpenVoices(SaverWindow(), Board->face->soundBuffers(), nullptr, nullptr);
    if (result == frame::VoicesResult::Opened) Board->face->attachSound(frame::VoiceSeam());
    return result != frame::VoicesResult::Failed;
}

void ReleaseFaceSound() {
    Board->face->attachSound(nullptr);
    frame::CloseVoices();
}

} // namespace saver
