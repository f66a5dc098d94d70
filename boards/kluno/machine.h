// The KLUNO machine: two 6809s, the RAM that both see, the scroll register,
// the control latch and the two custom I/O chips whose registers the game
// reads its controls and DIP switches from. The 6809 boards that follow
// describe themselves by their differences from this one.
//
// All board state is plain global data in this namespace, as there is exactly
// one machine. BuildKlunoMachine sets every piece of it to its start value, so
// calling it again gives a fresh machine (the tests do that for each case).
// A board of the family that differs only in a few places (RONKU) is an
// Edition of this machine: it runs on the same state, built by
// BuildFamilyMachine with its own ROM map and latch rule.
// Driving the board:
//   BuildKlunoMachine(data, hook, settings)  maps, ROM traps, DIP bits, tables, graphics
//   ResetMachine()                           CPU 1 starts, CPU 2 waits for the game
//   RunFrame(hooks)                          once per 17 ms tick (frame.h)
// Every function expects the caller to hold the frame mutex, except
// ApplyDipSwitches and the host's input bytes, which are single-byte stores.
#pragma once

#include <cstdint>

#include "boards/kluno/game_data.h"
#include "cpu/m6809/m6809.h"

namespace kluno {

enum : int { Cpu1 = 0, Cpu2 = 1, CpuCount = 2 };

// What a board of the family changes in this machine.
struct Edition {
    // CPU 1's program ROM lies from here to 0xFFFF; the pages from 0x8000 up
    // to it read open bus.
    uint16_t cpu1RomBase;
    // Latch case 6 (sound off) leaves the voices alone while the user's mute
    // is on (they are silent already); else it silences them whenever there
    // is a device.
    bool soundOffKeepsMutedVoices;
};
inline constexpr Edition KlunoEdition = {0x8000, false};
extern const Edition* CurrentEdition; // the one BuildFamilyMachine built

// The game settings that reach the DIP switches (indices of the settings
// dialog's choices); all zero are the game's own defaults but the demo sound.
struct DipSettings {
    uint32_t ships = 0;      // "3", "5"
    uint32_t bonus = 0;      // 0-3
    uint32_t difficulty = 0; // "NORMAL", "HARD"
    uint32_t demoSound = 1;  // off, on
};

extern M6809Context Cpus[CpuCount];           // back to back, CPU 1 first
extern uint8_t MainRam[0x2800];               // CPU 1 0x0000-0x27FF: video RAM, sprites, scores
extern uint8_t SharedRam[0x400];              // CPU 1 0x4000-0x43FF, CPU 2 0x0000-0x03FF
extern uint8_t IoChipRam[0x400];              // CPU 1 0x4800-0x4BFF
inline uint8_t* const IoChipRegs = IoChipRam; // chip 1 bytes 0-15, chip 2 bytes 16-31

// Host-side bytes: chip 1's eight input bytes (controls, coin, service) and
// chip 2's (DIP switches, test switch), copied into bytes 0-7 of each chip by
// UpdateIoChipInputs.
extern uint8_t IoChipInputs[2][8];
extern uint32_t IrqEnable[CpuCount]; // enable latches; 0 at start, kept by a reset
extern uint32_t SoundEnable;         // the game's sound-on latch; 0 after a reset
extern uint32_t IoChipHold;          // 1: the chips are held, not refreshed; kept by a reset
extern uint32_t ScrollValue;         // 0-255; 255 at start, kept by a reset

// Writable copies of the program ROMs as the CPUs see them; the traps are
// patched into Cpu1Rom, never into the game data. Cpu1Rom holds 0x8000-0xFFFF;
// an edition whose ROM starts higher uses its top part.
extern uint8_t Cpu1Rom[0x8000];
extern uint8_t Cpu2Rom[0x2000];

extern GameData GameImages; // the images handed to BuildFamilyMachine

// The two high-score traps: two ROM bytes replaced by the undefined opcode
// 0x01 and a byte that keeps the ROM's 8-bit sum (boards/rom_patch.h); the
// game's 7F 40 (CLR $4053, after both score areas are updated) becomes 01 BE,
// its CE C0 (LDU #$C0FF, the default table's copy loops) 01 8D.
inline constexpr uint16_t SaveTrap = 0x9BF0, LoadTrap = 0xC00E;
inline constexpr uint8_t TrapOpcode[1] = {0x01};

// Writes the trap patches into Cpu1Rom (BuildKlunoMachine does, given a hook).
void PatchHighScoreTraps();

// CPU 1's RAM seen at an address of 0x0000-0x27FF.
inline uint8_t* Ram(uint16_t address) {
    return MainRam + address;
}

// Write handlers of the board's own pages.
void LatchWrite(uint8_t* page, uint16_t address, uint8_t value);  // CPU 1 0x50, CPU 2 0x20
void ScrollWrite(uint8_t* page, uint16_t address, uint8_t value); // CPU 1 0x38-0x3F

// Sets the DIP bits of chip 2's input bytes; a setting out of range leaves
// its bits as they are, and no other bit is touched.
void ApplyDipSwitches(const DipSettings& settings);

// Once a frame while the chips are not held: both chips' bytes 0-7 from the
// host bytes, then each chip in mode 8 answers with the nibble sum of its
// bytes 9-15 in bytes 0 (high) and 1 (low).
void UpdateIoChipInputs();

// CPU 2 stopped and held until the game's latch case 11.
void HoldCpu2();

// The frame's settings save, called by ResetMachine; null: nothing.
extern void (*SaveSettings)();

// The machine reset: sound off (voices silenced), the settings saved, CPU 1
// restarted from its reset vector, CPU 2 held. RAM, the I/O-chip registers,
// the interrupt enables, the chip hold and the scroll keep their values.
void ResetMachine();

// The machine of an edition from images whose sizes the caller has checked:
// RAM, host bytes, latches and scroll to their start values, both CPUs mapped
// (CPU 1's ROM from the edition's base), the null trap hook, the wave table
// and the voices' caches, the board's own frame buffer. The graphics are left
// to the caller.
void BuildFamilyMachine(const GameData& data, const Edition& edition);

// Builds the machine from the game data: clears the RAM and the host bytes,
// maps both CPUs, patches the high-score traps into the ROM copy and installs
// trapHook (a null hook leaves the ROM unpatched, as the screen saver runs
// it), applies the DIP switches, builds the wave table, decodes the graphics
// and builds the palette. Both CPUs stay idle until ResetMachine. Returns false
// (and builds nothing) when an image is missing or has the wrong size.
bool BuildKlunoMachine(const GameData& data, M6809TrapHook trapHook, const DipSettings& settings = {});

} // namespace kluno
