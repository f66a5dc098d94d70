// ZARKOLT's high scores through two traps in CPU 1's ROM copy.
//
// The game keeps its high-score table in shared RAM only: 3 bytes at 0x8024
// and 80 bytes at 0x8510. Two 3-byte instructions of CPU 1's ROM copy are
// replaced by the undefined opcode FD 00 plus a byte that keeps the ROM's
// byte sum (boards/rom_patch.h): the load trap where the game calls its
// routine that copies the built-in table into RAM, the save trap where it
// jumps on after updating the table. The trap hook calls the host's load or
// save handler, then sets PC as the replaced instruction would have. Each
// edition has its own places (ScoreTraps); the board face installs them.
#pragma once

#include <cstdint>

#include "boards/board.h"
#include "cpu/z80/z80.h"

namespace zarkolt {

struct ScoreTraps {
    uint16_t loadAddress;  // a 3-byte CALL of the default-table copy routine
    uint16_t loadReturn;   // PC after the load trap
    uint16_t saveAddress;  // a 3-byte JP reached after the table was updated
    uint16_t saveReturn;   // PC after the save trap (the jump's target)
    uint16_t defaultTable; // offset of the 83 built-in bytes in CPU 1's ROM
};

inline constexpr ScoreTraps ZarkoltTraps = {0x04A4, 0x04A7, 0x126F, 0x064E, 0x10F0};
inline constexpr ScoreTraps SuperZarkoltTraps = {0x04BF, 0x04C2, 0x12A0, 0x0669, 0x111E};

// The table's places in the game's RAM.
inline constexpr uint16_t ScoreArea1 = 0x8024, ScoreArea1Size = 3;
inline constexpr uint16_t ScoreArea2 = 0x8510, ScoreArea2Size = 80;
inline constexpr uint32_t ScoreTableSize = ScoreArea1Size + ScoreArea2Size; // 83

// The places in force: those of the edition built last.
extern ScoreTraps CurrentTraps;

// Patches both traps into rom (a 16 KB CPU 1 image) at the places in force.
void PatchScoreTraps(uint8_t* rom);

// Patches Cpu1Rom and installs ScoreTrapHook with the handlers.
void InstallScoreTraps(const boards::ScoreTrapHandlers& handlers);

// The trap hook: acts for CPU 1 at the two trap addresses only; any other
// undefined opcode just goes on after its two bytes.
void ScoreTrapHook(Z80Context* context, uint16_t address, int length);

// The 83 bytes of the table out of RAM, into RAM, and the built-in table of
// the unpatched CPU 1 image the board was built from.
void ScoresOut(uint8_t* table);
void ScoresIn(const uint8_t* table);
void DefaultScores(uint8_t* table);

} // namespace zarkolt
