// DOLLIX's differences from the 6809 boards' sound.
#include "boards/dollix/sound.h"

#include "boards/dollix/machine.h"

namespace dollix {

bool SoundActive() {
    return kluno::Sound && !kluno::SoundMute && SoundEnable;
}

void UpdateSoundVoices() {
    kluno::UpdateSoundVoices(Ram + VoiceRegisterBase, RateLimits, boards::PlayingTest::AnyBit);
}

void StopAllSound() {
    kluno::Silence();
}

} // namespace dollix
