// The DOLLIX machine: two 6809s (the main CPU and the sound CPU), 32 KB of
// RAM whose top 2 KB both CPUs share, three custom I/O chips that are plain
// RAM pages the host refreshes once a frame, and the control latch through
// which the main CPU releases or holds the sound CPU and the sound CPU turns
// the sound on.
//
// All board state is plain global data in this namespace, as on the real
// board there is exactly one machine. BuildBoard sets every piece of it to
// its start value, so calling it again gives a fresh machine. Driving it:
//   Hooks = {...}              settings save, high-score load and save
//   BuildBoard(data, settings) maps, ROM patches, switches, decoded graphics
//   ResetMachine()             the main CPU starts, the sound CPU is held
//   RunFrame(hooks)            once per 17 ms tick (frame.h)
// Every function expects the caller to hold the frame mutex.
#pragma once

#include <cstdint>

#include "boards/dollix/game_data.h"
#include "cpu/m6809/m6809.h"

namespace dollix {

enum : int { MainCpu = 0, SoundCpu = 1, CpuCount = 2 };

// The game settings that reach the DIP switches (indices of the settings
// dialog's choices). A value out of range leaves its bits as they are.
struct DipSettings {
    uint32_t lives = 2;       // "1", "2", "3", "5"
    uint32_t bonus = 0;       // "Every 15,000", "Every 20,000"
    uint32_t difficulty = 1;  // "EASY", "NORMAL", "HARD", "VERY HARD"
    uint32_t stageSelect = 0; // non-zero: on
};

// The host's input and switch bytes, active high, copied into the I/O chips
// every frame.
struct Ports {
    uint8_t input[4]; // 0: coin; 1, 2: players' sticks (up, right, down, left); 3: buttons, starts
    uint8_t dip[4];   // 0 bit 3: test switch; 1 bit 1: stage select; 2: difficulty, bonus; 3: lives
};

// Input bits.
enum : uint8_t {
    InputCoin = 0x01, // input 0
    StickUp = 0x01,
    StickRight = 0x02,
    StickDown = 0x04,
    StickLeft = 0x08, // inputs 1, 2
    Button1 = 0x01,
    Button2 = 0x02,
    Start1 = 0x04,
    Start2 = 0x08,     // input 3
    TestSwitch = 0x08, // DIP 0
};

// What the platform does for the board: each null hook is skipped.
struct MachineHooks {
    void (*saveSettings)();   // by ResetMachine
    void (*loadHighScores)(); // by the trap at 0xC529
    void (*saveHighScores)(); // by the trap at 0xEA33, after 0x6863 is cleared
};
extern MachineHooks Hooks;

extern M6809Context Cpus[CpuCount]; // back to back, main CPU first
extern uint8_t Ram[0x8000];         // main CPU 0x0000-0x7FFF; 0x7000-0x7FFF is never mapped
extern uint8_t MainRom[0x8000];     // main CPU 0x8000-0xFFFF, high-score traps patched in
extern uint8_t SoundRom[0x2000];    // sound CPU 0xE000-0xFFFF
extern Ports InputPorts;
extern uint32_t SoundEnable;       // the game's sound-on latch
extern uint32_t BitmapInitialised; // 0: the bitmap layer is reset before the next commands
extern GameData GameImages;        // the images handed to BuildBoard

inline constexpr uint16_t SharedRamBase = 0x6800; // sound CPU 0x0000
inline constexpr uint16_t VoiceRegisterBase = 0x6803;
inline constexpr uint16_t IoChipBase = 0x6000; // chips 0, 1, 2 at 16 bytes each

// A change of the main ROM copy that puts the undefined opcode 0x01 at the
// start of an instruction; the rest keeps the ROM's byte sum.
struct RomPatch {
    uint16_t address;
    uint8_t count;
    uint8_t bytes[3];
};
inline constexpr RomPatch RomPatches[] = {
    {0xC529, 2, {0x01, 0x99}},       // BD DD: high scores loaded
    {0xEA33, 3, {0x01, 0x37, 0x12}}, // 7F 68 63: 0x6863 cleared, high scores saved
};

// What a trap does: the address of its 0x01 opcode, where the main CPU goes
// on, and whether it saves (else it loads) the high scores.
struct HighScoreTrap {
    uint16_t address;
    uint16_t resume;
    bool save;
};
inline constexpr HighScoreTrap HighScoreTraps[] = {{0xC529, 0xC52F, false}, {0xEA33, 0xEA36, true}};

// Write handler of main pages 0x80 (release the sound CPU), 0x88 (hold it)
// and of sound page 0x40 (sound on); only the address's high byte counts.
void LatchWrite(uint8_t* page, uint16_t address, uint8_t value);

// The trap hook: acts for the main CPU at the two trap addresses only.
void HighScoreTrapHook(M6809Context* context, uint16_t address, uint32_t page);

// Patches the two traps into MainRom and installs HighScoreTrapHook.
void PatchHighScoreTraps();

// Sets the switch bits of lives, difficulty, bonus and stage select.
void ApplyDipSwitches(const DipSettings& settings);

// The per-frame refresh of the I/O chips: the input and DIP bytes copied in,
// then the answers of chip 0 mode 5 and chips 1 and 2 mode 8.
void UpdateIoChipInputs();

// Sound enable off, all sound stopped, settings saved, the main CPU restarted
// from its reset vector, the sound CPU held, the bitmap layer to be reset.
// RAM, the I/O chips and InputPorts keep their values.
void ResetMachine();

// The test switch (DIP 0 bit 3). Turning it from on to off also restarts the
// sound CPU with the sound on and has the bitmap layer reset; the main CPU
// runs on.
void SetTestSwitch(bool on);

// Builds the machine from the game data in the board's order: RAM, plane
// and host bytes cleared, both memory maps, the ROM patches and trap hook
// (unless highScoreTraps is false, as for the saver), the switches, then the
// decoded graphics, colour tables and wave table, every voice without a
// waveform. CPUs stay stopped until
// ResetMachine. Returns false (and builds nothing) when an image is missing
// or has the wrong size.
bool BuildBoard(const GameData& data, const DipSettings& settings = {}, bool highScoreTraps = true);

} // namespace dollix
