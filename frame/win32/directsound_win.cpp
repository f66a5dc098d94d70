// DirectSound voices behind the sound seam.
#include "frame/win32/directsound_win.h"

#include <cstring>

namespace frame {

namespace {

constexpr int MaxBuffers = 32;

IDirectSound* Device;
IDirectSoundBuffer* Buffers[MaxBuffers];
int BufferCount;
void (*LockHook)();
void (*UnlockHook)();

void Lock() {
    if (LockHook) LockHook();
}
void Unlock() {
    if (UnlockHook) UnlockHook();
}

IDirectSoundBuffer* BufferAt(int buffer) {
    return buffer >= 0 && buffer < BufferCount ? Buffers[buffer] : nullptr;
}

uint32_t Status(int buffer) {
    DWORD status = 0;
    if (IDirectSoundBuffer* b = BufferAt(buffer)) b->GetStatus(&status);
    return status;
}

boards::PlayResult Play(int buffer, bool looping) {
    IDirectSoundBuffer* b = BufferAt(buffer);
    if (!b) return boards::PlayResult::Failed;
    HRESULT result = b->Play(0, 0, looping ? DSBPLAY_LOOPING : 0);
    if (result == DS_OK) return boards::PlayResult::Ok;
    return result == DSERR_BUFFERLOST ? boards::PlayResult::BufferLost : boards::PlayResult::Failed;
}

void Stop(int buffer) {
    if (IDirectSoundBuffer* b = BufferAt(buffer)) b->Stop();
}

void Restore(int buffer) {
    if (IDirectSoundBuffer* b = BufferAt(buffer)) b->Restore();
}

bool Fill(int buffer, const void* bytes, uint32_t size) {
    IDirectSoundBuffer* b = BufferAt(buffer);
    if (!b) return false;
    void* part1;
    void* part2;
    DWORD size1, size2;
    if (b->Lock(0, size, &part1, &size1, &part2, &size2, 0) != DS_OK) return false;
    const uint8_t* from = static_cast<const uint8_t*>(bytes);
    memcpy(part1, from, size1);
    if (part2) memcpy(part2, from + size1, size2);
    b->Unlock(part1, size1, part2, size2);
    return true;
}

void SetPosition(int buffer, uint32_t position) {
    if (IDirectSoundBuffer* b = BufferAt(buffer)) b->SetCurrentPosition(position);
}

void SetRate(int buffer, uint32_t hertz) {
    if (IDirectSoundBuffer* b = BufferAt(buffer)) b->SetFrequency(hertz);
}

void SetVolume(int buffer, int32_t volume) {
    if (IDirectSoundBuffer* b = BufferAt(buffer)) b->SetVolume(volume);
}

// Its primary buffer is named once the buffers are made.
boards::SoundSeam DirectSoundSeam = {boards::NoBuffer, Lock, Unlock,      Status,  Play,     Stop,
                                     Restore,          Fill, SetPosition, SetRate, SetVolume};

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
    if (Device->CreateSoundBuffer(&description, &buffer, nullptr) != DS_OK) return nullptr;
    return buffer;
}

IDirectSoundBuffer* CreatePrimary(DWORD rate) {
    DSBUFFERDESC primary = {};
    primary.dwSize = sizeof primary;
    primary.dwFlags = DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer* buffer = nullptr;
    if (Device->CreateSoundBuffer(&primary, &buffer, nullptr) != DS_OK) return nullptr;
    WAVEFORMATEX format = MonoFormat(rate);
    buffer->SetFormat(&format);
    return buffer;
}

bool MakeBuffer(int id, const boards::SoundBufferSpec& wanted) {
    if (wanted.primary) {
        Buffers[id] = CreatePrimary(wanted.rate);
        return Buffers[id] != nullptr;
    }
    Buffers[id] = CreateBuffer(wanted.bytes, wanted.rate);
    if (!Buffers[id]) return false;
    if (wanted.contents) Fill(id, wanted.contents, wanted.bytes);
    return true;
}

} // namespace

VoicesResult OpenVoices(HWND window, std::span<const boards::SoundBufferSpec> buffers, void (*lock)(),
                        void (*unlock)()) {
    if (buffers.size() > MaxBuffers || DirectSoundCreate(nullptr, &Device, nullptr) != DS_OK) {
        Device = nullptr;
        return VoicesResult::NoDevice;
    }
    Device->SetCooperativeLevel(window, DSSCL_EXCLUSIVE);
    LockHook = lock;
    UnlockHook = unlock;
    BufferCount = int(buffers.size());
    return MakeSoundBuffers(buffers, MakeBuffer, &DirectSoundSeam.primary);
}

const boards::SoundSeam* VoiceSeam() {
    return &DirectSoundSeam;
}

void CloseVoices() {
    if (!Device) return;
    for (int buffer = 0; buffer < BufferCount; buffer++) {
        if (!Buffers[buffer]) continue;
        Buffers[buffer]->Stop();
        Buffers[buffer]->Release();
        Buffers[buffer] = nullptr;
    }
    BufferCount = 0;
    Device->Release();
    Device = nullptr;
}

} // namespace frame
