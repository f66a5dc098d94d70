// KLUNO's high scores through the two traps patched into CPU 1's ROM copy
// (machine.h).
//
// The game keeps its table in RAM: the top score, 4 bytes at 0x1831, and
// five rows of 32 bytes at 0x2400. At 0x9BF0, once both areas are updated,
// the game would clear 0x4053 and return: the trap does that, calls the
// host's save handler and goes on at 0x9BF3. At 0xC00E the game would copy
// its built-in table from ROM 0xC0FF and 0xC103: the trap calls the host's
// load handler instead and goes on at 0xC02C, behind the copy loops.
#pragma once

#include <cstdint>

#include "boards/board.h"
#include "cpu/m6809/m6809.h"

namespace kluno {

inline constexpr uint16_t TopScore = 0x1831, TopScoreSize = 4;
inline constexpr uint16_t ScoreRows = 0x2400, ScoreRowsSize = 160;
inline constexpr uint32_t ScoreTableSize = TopScoreSize + ScoreRowsSize; // 164
inline constexpr uint16_t DefaultTopScore = 0xC0FF, DefaultScoreRows = 0xC103;

// The handlers the trap hook calls; null ones are skipped.
extern boards::ScoreTrapHandlers ScoreHandlers;

// The trap hook: acts for CPU 1 at the two trap addresses only; any other
// undefined opcode just goes on after its byte.
void HighScoreTrapHook(M6809Context* context, uint16_t address, uint32_t page);

// Keeps the handlers, patches Cpu1Rom and installs HighScoreTrapHook.
void InstallScoreTraps(const boards::ScoreTrapHandlers& handlers);

// The 164 bytes of the table out of RAM, into RAM, and the built-in table of
// the unpatched CPU 1 image the board was built from.
void ScoresOut(uint8_t* table);
void ScoresIn(const uint8_t* table);
void DefaultScores(uint8_t* table);

} // namespace kluno
