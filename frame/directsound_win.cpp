// The board's sound device on DirectSound: three looping voice buffers of
// one 32-sample waveform each, three one-shot sample buffers and the primary
// buffer, behind the board's sound seam. SoundLock guards every use after
// start-up. Without a sound device the seam stays unset and the game is
// silent, with the Sound item greyed.
#include <cstring>

#include "boards/zarkolt/sound.h"
#include "frame/program_win.h"

namespace frame {

namespace {

IDirectSoundBuffer* Buffers[zarkolt::SoundBufferCount];

void Lock() {
    EnterCriticalSection(&Program.soundLock);
}
void Unlock() {
    LeaveCriticalSection(&Program.soundLock);
}

uint32_t Status(int buffer) {
    DWORD status = 0;
    if (Buffers[buffer]) Buffers[buffer]->GetStatus(&status);
    return status;
}

zarkolt::PlayResult Play(int buffer, bool looping) {
    if (!Buffers[buffer]) return zarkolt::PlayResult::Failed;
    HRESULT result = Buffers[buffer]->Play(0, 0, looping ? DSBPLAY_LOOPING : 0);
    if (result == DS_OK) return zarkolt::PlayResult::Ok;
    return result == DSERR_BUFFERLOST ? zarkolt::PlayResult::BufferLost : zarkolt::PlayResult::Failed;
}

void Stop(int buffer) {
    if (Buffers[buffer]) Buffers[buffer]->Stop();
}

void Restore(int buffer) {
    if (Buffers[buffer]) Buffers[buffer]->Restore();
}

bool Fill(int buffer, const void* bytes, uint32_t size) {
    if (!Buffers[buffer]) return false;
    void* part1;
    void* part2;
    DWORD size1, size2;
    if (Buffers[buffer]->Lock(0, size, &part1, &size1, &part2, &size2, 0) != DS_OK) return false;
    const uint8_t* from = static_cast<const uint8_t*>(bytes);
    memcpy(part1, from, size1);
    if (part2) memcpy(part2, from + size1, size2);
    Buffers[buffer]->Unlock(part1, size1, part2, size2);
    return true;
}

void SetPosition(int buffer, uint32_t position) {
    if (Buffers[buffer]) Buffers[buffer]->SetCurrentPosition(position);
}

void SetRate(int buffer, uint32_t hertz) {
    if (Buffers[buffer]) Buffers[buffer]->SetFrequency(hertz);
}

void SetVolume(int buffer, int32_t volume) {
    if (Buffers[buffer]) Buffers[buffer]->SetVolume(volume);
}

zarkolt::SoundSeam DirectSoundSeam = {
    zarkolt::PrimaryBuffer, Lock, Unlock, Status, Play, Stop, Restore, Fill, SetPosition, SetRate, SetVolume};

WAVEFORMATEX MonoFormat(DWORD rate) {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = rate;
    format.nAvgBytesPerSec = rate * 2;
    format.nBlockAlign = 2;
    format.wBitsPerSample = 16;
    return format;
}

IDirectSoundBuffer* CreateBuffer(DWORD bytes, DWORD rate) {
    WAVEFORMATEX format = MonoFormat(rate);
    DSBUFFERDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    description.dwBufferBytes = bytes;
    description.lpwfxFormat = &format;
    IDirectSoundBuffer* buffer = nullptr;
    if (Program.directSound->CreateSoundBuffer(&description, &buffer, nullptr) != DS_OK) return nullptr;
    return buffer;
}

} // namespace

int InitSound() {
    zarkolt::Sound = nullptr;
    if (DirectSoundCreate(nullptr, &Program.directSound, nullptr) != DS_OK) {
        Program.directSound = nullptr;
        EnableMenuItem(GetMenu(Program.window), CmdSound, MF_BYCOMMAND | MF_GRAYED);
        return 1;
    }
    IDirectSound* ds = Program.directSound;
    ds->SetCooperativeLevel(Program.window, DSSCL_EXCLUSIVE);

    // The primary buffer: the program goes on without it when it cannot be had.
    DSBUFFERDESC primary = {};
    primary.dwSize = sizeof primary;
    primary.dwFlags = DSBCAPS_PRIMARYBUFFER;
    if (ds->CreateSoundBuffer(&primary, &Buffers[zarkolt::PrimaryBuffer], nullptr) == DS_OK) {
        WAVEFORMATEX format = MonoFormat(22050);
        Buffers[zarkolt::PrimaryBuffer]->SetFormat(&format);
    } else {
        Buffers[zarkolt::PrimaryBuffer] = nullptr;
    }
    DirectSoundSeam.primary = Buffers[zarkolt::PrimaryBuffer] ? zarkolt::PrimaryBuffer : boards::NoBuffer;

    for (int voice = 0; voice < 3; voice++) {
        Buffers[zarkolt::VoiceBuffer0 + voice] = CreateBuffer(sizeof zarkolt::WaveTable[0], 22050);
        if (!Buffers[zarkolt::VoiceBuffer0 + voice]) return 0;
        zarkolt::WaveCache[voice] = -1;
    }
    for (int sample = 0; sample < 3; sample++) {
        zarkolt::SampleEntry& entry = zarkolt::Samples[sample];
        int buffer = zarkolt::SampleBuffer0 + sample;
        Buffers[buffer] = CreateBuffer(entry.size, zarkolt::SampleRate);
        if (!Buffers[buffer]) return 0;
        Fill(buffer, entry.data, entry.size);
        SetRate(buffer, zarkolt::SampleRate);
        entry.playing = 0;
    }
    zarkolt::LastSample = -1;
    zarkolt::Sound = &DirectSoundSeam;
    return 1;
}

void ReleaseSound() {
    zarkolt::Sound = nullptr;
    if (!Program.directSound) return;
    for (int buffer = 0; buffer < zarkolt::SoundBufferCount; buffer++) {
        if (!Buffers[buffer]) continue;
        Buffers[buffer]->Stop();
        Buffers[buffer]->Release();
        Buffers[buffer] = nullptr;
    }
    Program.directSound->Release();
    Program.directSound = nullptr;
}

} // namespace frame
