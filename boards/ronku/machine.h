// The RONKU machine: KLUNO's board (boards/kluno/machine.h) as an edition.
// CPU 1's program ROM is 24 KB at 0xA000 (0x8000-0x9FFF read open bus), and
// the latch's sound-off leaves the voices alone while the user's mute is on;
// every other page, the latch, the scroll register and the machine state are
// KLUNO's. RONKU has no high-score traps (the ROM is never patched), fixed
// game settings, and its own I/O-chip refresh: the chips answer the game's
// boot check, and the credits live in chip 1 (byte 2 the tens, byte 3 the
// units), counted by the host's coin and start keys.
//
// Driving the board:
//   BuildRonkuMachine(data)     maps, DIP bytes, wave table, graphics
//   ResetMachine()              CPU 1 starts, CPU 2 waits for the game
//   RunFrame(hooks)             once per 17 ms tick (frame.h)
//   Key...(flags, pressed)      the keys' handlers (flags: the key message's
//                               high word, bit 14 the auto-repeat)
// Every function expects the caller to hold the frame mutex, but the
// direction and shot handlers, which change single bits of IoChipInputs.
#pragma once

#include <cstdint>

#include "boards/key_message.h"
#include "boards/kluno/machine.h"
#include "boards/ronku/game_data.h"

namespace ronku {

using kluno::Cpu1;
using kluno::Cpu2;
using kluno::CpuCount;
using kluno::Cpus;
using kluno::IoChipHold;
using kluno::IoChipRegs;
using kluno::IrqEnable;
using kluno::MainRam;
using kluno::ScrollValue;
using kluno::SharedRam;
using kluno::SoundEnable;

inline constexpr kluno::Edition RonkuEdition = {0xA000, true};
// The screen saver's machine: RONKU's map with KLUNO's latch (no user mute).
inline constexpr kluno::Edition AttractEdition = {0xA000, false};

// Host-side bytes: 4-7 go to chip 1 bytes 4-7 each frame; the direction and
// shot keys write the bytes the game names (7 - m and 8 - m, m = chip 1 byte 8).
extern uint8_t IoChipInputs[16];
extern uint8_t DipBytes[8]; // chip 2 bytes 0-7 each frame

// The game settings that reach the DIP bytes; RONKU's are fixed.
struct GameSettings {
    uint32_t s1, s2, s3, s4;
};
inline constexpr GameSettings FixedSettings = {0, 0, 0, 1};

// The seven bytes the chips answer the game's boot check with (0x480F = 0x0E).
inline constexpr uint8_t BootCheckMode = 0x0E;
inline constexpr uint8_t BootAnswer[7] = {0x08, 0x04, 0x06, 0x0E, 0x0D, 0x09, 0x0D};

// The settings into the DIP bytes, each only when in range, other bits kept.
void ApplyDipSwitches(const GameSettings& settings = FixedSettings);

// Once a frame while the chips are not held: when chip 1 byte 15 is exactly
// 0x0E, the boot answer into bytes 1-7 of both chips and nothing else;
// otherwise IoChipInputs 4-7 into chip 1 bytes 4-7, the DIP bytes into chip
// 2 bytes 0-7, then bit 0 of IoChipInputs byte 8 - m cleared, so that a shot
// is a pulse of one frame (only when that byte is one of the sixteen).
void UpdateIoChipInputs();

// The machine reset: the voices stopped (with a device), sound off, CPU 1
// restarted from its reset vector, CPU 2 held. Nothing is saved; RAM, the
// chips, the interrupt enables, the chip hold and the scroll keep their values.
void ResetMachine();

// Credits as chip 1 keeps them: (byte 2 & 15) x 10 + (byte 3 & 15), 0-165.
uint32_t Credits();

using boards::KeyRepeatFlag;

// F2: on a fresh press, unless there are 150 credits or more: one more (99
// stays 99) and chip 1 byte 0 := 1, the coin signal.
void KeyCoin(uint16_t flags, uint32_t pressed);
// F3 and F4: on a fresh press while chip 1 byte 9 is 0, the player bit (0 or
// 1) in chip 1 byte 1, taking 1 or 2 credits: free at 150 or more, nothing
// without enough.
void KeyStart1(uint16_t flags, uint32_t pressed);
void KeyStart2(uint16_t flags, uint32_t pressed);
// A start as the keys give it (player 1 or 2); true when the game got it.
bool StartPlayer(int player);

// The arrows and Space, with m read at each call: a fresh press sets the
// key's bit of byte 7 - m (up bit 0, right 1, down 2, left 3), a release
// clears it; the opposite direction is left alone. Space sets bits 0 and 1 of
// byte 8 - m and its release clears bit 1. Auto-repeat changes nothing, and
// nothing changes when the byte is not one of the sixteen.
void KeyUp(uint16_t flags, uint32_t pressed);
void KeyDown(uint16_t flags, uint32_t pressed);
void KeyLeft(uint16_t flags, uint32_t pressed);
void KeyRight(uint16_t flags, uint32_t pressed);
void KeyShot(uint16_t flags, uint32_t pressed);

// Builds the machine from the game data for an edition (the game's, or the
// saver's attract edition): KLUNO's family machine with RONKU's map, the
// host bytes cleared, the fixed DIP bytes, the graphics decoded, the palette
// built and the rate meter off. Both CPUs idle until ResetMachine. False
// (nothing built) when an image is missing or of the wrong size.
bool BuildRonkuMachine(const GameData& data, const kluno::Edition& edition = RonkuEdition);

} // namespace ronku
