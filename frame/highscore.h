// High scores that outlive the program, through two traps in the game ROM.
//
// The game keeps its high-score table in shared RAM only: 3 bytes at 0x8024
// and 80 bytes at 0x8510. Two instructions of CPU 1's ROM copy are replaced by
// the undefined opcode FD 00 plus a third byte that keeps the ROM's byte sum:
// the load trap sits where the game calls its routine that copies the
// built-in table into RAM, the save trap where it jumps on after updating the
// table. The trap hook loads the table from the registry value "Score" (or
// the built-in defaults) or saves it there, then sets PC as the replaced
// instruction would have. Each edition has its own addresses (HighScoreTraps).
//
// Driving it:
//   SetHighScoreTraps(traps, image)  before the settings key is created
//   PatchHighScoreTraps(Cpu1Rom)     after the board is built; installs the hook
// Everything else runs from the hook, on the emulation thread with the frame
// mutex held, or from the settings dialog under the same mutex.
#pragma once

#include <array>
#include <cstdint>

#include "cpu/z80/z80.h"

namespace frame {

struct HighScoreTraps {
    uint16_t loadAddress;  // a 3-byte CALL of the default-table copy routine
    uint16_t loadReturn;   // PC after the load trap
    uint16_t saveAddress;  // a 3-byte JP reached after the table was updated
    uint16_t saveReturn;   // PC after the save trap (the jump's target)
    uint16_t defaultTable; // offset of the 83 built-in bytes in CPU 1's ROM
};

inline constexpr HighScoreTraps ZarkoltTraps = {0x04A4, 0x04A7, 0x126F, 0x064E, 0x10F0};
inline constexpr HighScoreTraps SuperZarkoltTraps = {0x04BF, 0x04C2, 0x12A0, 0x0669, 0x111E};

// The table's places in the game's RAM and the record "Score".
inline constexpr uint16_t ScoreArea1 = 0x8024, ScoreArea1Size = 3;
inline constexpr uint16_t ScoreArea2 = 0x8510, ScoreArea2Size = 80;
inline constexpr uint32_t ScoreTableSize = ScoreArea1Size + ScoreArea2Size; // 83
inline constexpr uint32_t ScoreRecordSize = ScoreTableSize + 1;             // 84 with the check byte
using ScoreRecord = std::array<uint8_t, ScoreRecordSize>;

// The edition's traps and its unpatched CPU 1 ROM image (16 KB, read-only,
// valid for the whole run), where the built-in table is read from.
void SetHighScoreTraps(const HighScoreTraps& traps, const uint8_t* cpu1Image);

// The three bytes that replace code at a trap: FD 00 and the byte that keeps
// the sum of the three.
std::array<uint8_t, 3> TrapPatch(const uint8_t* code);

// Patches both traps into rom (CPU 1's ROM copy, 16 KB) and installs
// HighScoreTrapHook with Z80SetTrapHook.
void PatchHighScoreTraps(uint8_t* rom);

// The trap hook: acts for CPU 1 at the two trap addresses only; any other
// undefined opcode just goes on after its two bytes.
void HighScoreTrapHook(Z80Context* context, uint16_t address, int length);

// The load trap's work: "Score" into RAM when it is a good record, else
// DefaultHighScores.
void LoadHighScores();

// The save trap's work: the RAM table into "Score" with its check byte.
void SaveHighScores();

// The built-in table into RAM and into "Score".
void DefaultHighScores();

} // namespace frame
