// The ZARKOLT machine: three Z80s sharing 16 KB of RAM, their memory maps,
// the control latches, the voice-register port of CPU 3, the scroll register,
// the code chip and the DIP-switch page.
//
// All board state is plain global data in this namespace, as on the real
// board there is exactly one machine. BuildBoard sets every piece of it to
// its start value, so calling it again gives a fresh machine (the tests do
// that before each case). Driving the board:
//   BuildBoard(data)            memory maps, devices, decoded graphics, sound tables
//   (patch CPU 1's ROM copy, set the trap hook, ApplyDipSwitches(settings))
//   ResetMachine()              CPU 1 starts, CPUs 2 and 3 wait for the game
//   RunFrame(hooks)             once per 16 ms tick (frame.h)
// Every function expects the caller to hold the frame mutex.
#pragma once

#include <cstdint>

#include "boards/zarkolt/game_data.h"
#include "cpu/z80/z80.h"

namespace zarkolt {

// What an edition of the game changes in the board: two start values of
// the board's pages and the way the I/O chip's replies are refreshed.
struct Edition {
    uint8_t replyStart[3];        // IoReplyPage bytes 0-2 at set-up
    uint8_t switchByte7;          // SwitchPage byte 7 before the DIP switches
    void (*updateIoChipInputs)(); // once per frame, after the joystick poll
};

extern const Edition ZarkoltEdition;
extern const Edition* CurrentEdition;

// The game settings that reach the DIP switches (indices of the settings
// dialog's choices).
struct DipSettings {
    uint32_t lives = 2;      // "1", "2", "3", "5"
    uint32_t bonus = 0;      // 0-7
    uint32_t difficulty = 1; // "EASY", "NORMAL", "HARD", "VERY HARD"
};

enum : int { Cpu1 = 0, Cpu2 = 1, Cpu3 = 2, CpuCount = 3 };

extern Z80Context Cpus[CpuCount];  // back to back, CPU 1 first
extern uint8_t SharedRam[0x4000];  // eight blocks of 2 KB
extern uint8_t SwitchPage[256];    // 0x6800-0x68FF of all three CPUs
extern uint8_t SoundRegisters[32]; // the waveform chip's voice registers, 4 bits each
extern uint8_t CodeChipPage[256];  // 0x7400-0x74FF of CPU 1; byte 3 the answer
extern uint16_t ScrollValue;       // 9 bits; 0x00FF at start, kept by a reset
extern uint32_t IrqEnable;         // CPU 1's interrupt enable latch
extern uint32_t SoundEnable;       // sound enable latch

// Writable copies of the program ROMs, as the CPUs see them; the frame
// patches its high-score traps into Cpu1Rom.
extern uint8_t Cpu1Rom[0x4000];
extern uint8_t Cpu2Rom[0x2000];
extern uint8_t Cpu3Rom[0x1000];

extern GameData GameImages; // the images handed to BuildBoard

// The Z80 addresses of the eight RAM blocks, block 0 first.
inline constexpr uint16_t RamBlockAddress[8] = {0x7800, 0x8000, 0x9000, 0xA000,
                                                0xB000, 0xB800, 0xC000, 0xC800};

// Offset in SharedRam of a Z80 address inside a RAM block, or -1.
constexpr int RamOffset(uint16_t address) {
    for (int block = 0; block < 8; block++) {
        unsigned offset = unsigned(address - RamBlockAddress[block]);
        if (offset < 0x800) return block * 0x800 + int(offset);
    }
    return -1;
}

// SharedRam seen at a Z80 address that lies inside a RAM block.
inline uint8_t* Ram(uint16_t address) {
    return SharedRam + RamOffset(address);
}

// Write handlers of the board's own pages.
void LatchWrite(uint8_t* page, uint16_t address, uint8_t value);         // CPUs 1, 2: 0x68
void SoundRegisterWrite(uint8_t* page, uint16_t address, uint8_t value); // CPU 3: 0x68
void ScrollWrite(uint8_t* page, uint16_t address, uint8_t value);        // CPUs 1, 2: 0xD0
void CodeChipWrite(uint8_t* page, uint16_t address, uint8_t value);      // CPU 1: 0x64

// Sets the switch bits of lives, bonus and difficulty; touches no other bit.
void ApplyDipSwitches(const DipSettings& settings);

// The machine reset: credits 0, sound enable off (all sound silenced), CPU 1
// restarts at 0x0000, CPUs 2 and 3 held. The frame saves its settings too.
void ResetMachine();

// Builds the machine from the game data: clears the RAM and every device
// page, fills the three memory maps, sets the switch and reply start values
// of the edition, builds the wave table, decodes characters, window-order
// tiles and sprites, builds the lookup-chip table and the game palette and
// scales the recorded samples. CPUs are left stopped until ResetMachine.
// Returns false (and builds nothing) when an image is missing or has the
// wrong size.
bool BuildBoard(const GameData& data, const Edition& edition = ZarkoltEdition);

} // namespace zarkolt
