// The game program's sound: the board's buffers as DirectSound voices. A
// board with a sound tick (which runs on the timer's thread) has its seam
// guarded by SoundLock; the others use the buffers only with the frame mutex
// held. Without a sound device the game is silent and the Sound item greyed.
#include "frame/commands.h"
#include "frame/sound_setup.h"
#include "frame/win32/directsound_win.h"
#include "frame/win32/program_win.h"

namespace frame {

namespace {

void Lock() {
    EnterCriticalSection(&Program.soundLock);
}
void Unlock() {
    LeaveCriticalSection(&Program.soundLock);
}

} // namespace

int InitSound() {
    AttachSound(nullptr);
    bool tick = Board().soundTick != nullptr;
    VoicesResult result =
        OpenVoices(Program.window, Board().soundBuffers(), tick ? Lock : nullptr, tick ? Unlock : nullptr);
    if (!TakeSoundDevice(result, VoiceSeam())) return 0;
    if (!HasSound())
        EnableMenuItem(GetMenu(Program.window), UINT(Game().commands.sound), MF_BYCOMMAND | MF_GRAYED);
    return 1;
}

void ReleaseSound() {
    AttachSound(nullptr);
    CloseVoices();
}

} // namespace frame
