// RONKU's differences from KLUNO's machine: DIP bytes, the I/O-chip refresh,
// the reset, the credit keys and the control keys.
#include "boards/ronku/machine.h"

#include <cstring>

#include "boards/kluno/sound.h"
#include "boards/ronku/graphics.h"
#include "boards/ronku/rate_meter.h"

namespace ronku {

uint8_t IoChipInputs[16];
uint8_t DipBytes[8];

namespace {

constexpr uint32_t CreditLimit = 150; // from here on coins add nothing and starts are free

void SetBits(uint8_t& byte, int shift, int width, uint32_t value) {
    uint8_t mask = uint8_t(((1 << width) - 1) << shift);
    byte = uint8_t((byte & ~mask) | ((value << shift) & mask));
}

void SetCredits(uint32_t credits) {
    IoChipRegs[2] = uint8_t(credits / 10);
    IoChipRegs[3] = uint8_t(credits % 10);
}

// The host byte the game names for a control: `top` - m, or null when that
// is not one of the sixteen.
uint8_t* ControlByte(int top) {
    int index = top - IoChipRegs[8];
    return index >= 0 && index < int(sizeof IoChipInputs) ? &IoChipInputs[index] : nullptr;
}

// A press sets `press`, a release clears `release`; auto-repeat does nothing.
void ControlKey(int top, uint8_t press, uint8_t release, uint16_t flags, uint32_t pressed) {
    if (pressed && (flags & KeyRepeatFlag)) return;
    uint8_t* byte = ControlByte(top);
    if (!byte) return;
    *byte = pressed ? uint8_t(*byte | press) : uint8_t(*byte & ~release);
}

void DirectionKey(int bit, uint16_t flags, uint32_t pressed) {
    ControlKey(7, uint8_t(1 << bit), uint8_t(1 << bit), flags, pressed);
}

} // namespace

void ApplyDipSwitches(const GameSettings& settings) {
    if (settings.s1 < 4) SetBits(DipBytes[1], 2, 2, settings.s1);
    if (settings.s2 < 8) SetBits(DipBytes[2], 0, 3, settings.s2);
    if (settings.s3 < 8) {
        SetBits(DipBytes[0], 3, 1, settings.s3 & 1);
        SetBits(DipBytes[1], 0, 2, settings.s3 >> 1);
    }
    if (settings.s4 < 2) SetBits(DipBytes[4], 1, 1, !settings.s4);
}

void UpdateIoChipInputs() {
    if (IoChipRegs[15] == BootCheckMode) {
        std::memcpy(IoChipRegs + 1, BootAnswer, sizeof BootAnswer);
        std::memcpy(IoChipRegs + 17, BootAnswer, sizeof BootAnswer);
        return;
    }
    std::memcpy(IoChipRegs + 4, IoChipInputs + 4, 4);
    std::memcpy(IoChipRegs + 16, DipBytes, sizeof DipBytes);
    if (uint8_t* shot = ControlByte(8)) *shot &= uint8_t(~1);
}

void ResetMachine() {
    if (kluno::Sound) kluno::StopAllSound();
    SoundEnable = 0;
    M6809Reset(&Cpus[Cpu1]);
    kluno::HoldCpu2();
}

uint32_t Credits() {
    return (IoChipRegs[2] & 0x0F) * 10u + (IoChipRegs[3] & 0x0F);
}

void KeyCoin(uint16_t flags, uint32_t pressed) {
    uint32_t credits = Credits();
    if (!boards::FreshPress(flags, pressed) || credits >= CreditLimit) return;
    SetCredits(credits >= 99 ? 99 : credits + 1);
    IoChipRegs[0] = 1;
}

bool StartPlayer(int player) {
    uint32_t cost = uint32_t(player), credits = Credits();
    if (IoChipRegs[9] != 0 || (credits < CreditLimit && credits < cost)) return false;
    IoChipRegs[1] |= uint8_t(1 << (player - 1));
    if (credits < CreditLimit) SetCredits(credits - cost);
    return true;
}

void KeyStart1(uint16_t flags, uint32_t pressed) {
    if (boards::FreshPress(flags, pressed)) StartPlayer(1);
}
void KeyStart2(uint16_t flags, uint32_t pressed) {
    if (boards::FreshPress(flags, pressed)) StartPlayer(2);
}

void KeyUp(uint16_t flags, uint32_t pressed) {
    DirectionKey(0, flags, pressed);
}
void KeyRight(uint16_t flags, uint32_t pressed) {
    DirectionKey(1, flags, pressed);
}
void KeyDown(uint16_t flags, uint32_t pressed) {
    DirectionKey(2, flags, pressed);
}
void KeyLeft(uint16_t flags, uint32_t pressed) {
    DirectionKey(3, flags, pressed);
}
void KeyShot(uint16_t flags, uint32_t pressed) {
    ControlKey(8, 0x03, 0x02, flags, pressed);
}

bool BuildRonkuMachine(const GameData& data, const kluno::Edition& edition) {
    if (ronku::FindBadImage(data)) return false;
    kluno::BuildFamilyMachine(data, edition);
    std::memset(IoChipInputs, 0, sizeof IoChipInputs);
    std::memset(DipBytes, 0, sizeof DipBytes);
    ApplyDipSwitches();
    DecodeCharacters(data.characters.data, data.characterLookup.data);
    DecodeSprites();
    BuildPalette();
    Meter = {};
    return true;
}

} // namespace ronku
