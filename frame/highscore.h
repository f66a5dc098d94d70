// High scores that outlive the program, in the registry value "Score".
//
// The game keeps its high-score table in its RAM only. The board patches
// traps into its program copy (boards/board.h, installScoreTraps) through
// which the game's own code asks the host to load the table (where it would
// copy its built-in table into RAM) and to save it (after it updated it).
// The frame keeps the record: the board's table (scoreSize bytes, read and
// written through the face) and a check byte.
//
// Driving it:
//   InstallHighScoreTraps()   after the board is built
// Everything else runs from the traps, on the emulation thread with the
// frame mutex held, or from the settings dialog under the same mutex.
#pragma once

#include <cstdint>

namespace frame {

// The bytes of "Score": the board's table and the check byte.
uint32_t ScoreRecordSize();

// Has the board patch its traps, with LoadHighScores and SaveHighScores as
// their handlers (nothing on a board without traps).
void InstallHighScoreTraps();

// The load trap's work: "Score" into RAM when it is a good record, else
// DefaultHighScores.
void LoadHighScores();

// The save trap's work: the RAM table into "Score" with its check byte.
void SaveHighScores();

// The built-in table into RAM and into "Score".
void DefaultHighScores();

// The built-in table into "Score" only (a new settings key).
void StoreDefaultHighScores();

} // namespace frame
