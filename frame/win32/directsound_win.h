// DirectSound voices: the sound buffers a board asks for (boards/sound_seam.h)
// made as DirectSound buffers, behind a sound seam. Knows no window beyond
// the one DirectSound's cooperative level needs and no menu, so that the
// game programs and the screen savers share it.
//
//   OpenVoices(window, board.soundBuffers(), lock, unlock)  once at start-up
//   board.attachSound(VoiceSeam())                          when Opened
//   CloseVoices()                                           at shut-down
#pragma once

#include <windows.h>

#include <dsound.h>

#include <span>

#include "boards/sound_seam.h"
#include "frame/sound_setup.h"

namespace frame {

// The primary buffer gets the format its entry asks (16-bit mono at its rate);
// without it the voices still play (MakeSoundBuffers). lock and unlock are
// called around every use of the buffers after start-up (null: no lock).
VoicesResult OpenVoices(HWND window, std::span<const boards::SoundBufferSpec> buffers, void (*lock)(),
                        void (*unlock)());

// The seam over the buffers; valid from a successful OpenVoices to CloseVoices.
const boards::SoundSeam* VoiceSeam();

// Stops and releases every buffer and the DirectSound object.
void CloseVoices();

} // namespace frame
