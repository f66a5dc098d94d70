// The high-score traps and the score table's places.
#include "boards/kluno/score_traps.h"

#include <cstring>

#include "boards/kluno/machine.h"

namespace kluno {

boards::ScoreTrapHandlers ScoreHandlers;

void HighScoreTrapHook(M6809Context* context, uint16_t address, uint32_t) {
    if (context != &Cpus[Cpu1]) return;
    if (address == SaveTrap) {
        SharedRam[0x53] = 0;
        if (ScoreHandlers.save) ScoreHandlers.save();
        context->PC = 0x9BF3;
    } else if (address == LoadTrap) {
        if (ScoreHandlers.load) ScoreHandlers.load();
        context->PC = 0xC02C;
    }
}

void InstallScoreTraps(const boards::ScoreTrapHandlers& handlers) {
    ScoreHandlers = handlers;
    PatchHighScoreTraps();
    M6809SetTrapHook(HighScoreTrapHook);
}

void ScoresOut(uint8_t* table) {
    std::memcpy(table, Ram(TopScore), TopScoreSize);
    std::memcpy(table + TopScoreSize, Ram(ScoreRows), ScoreRowsSize);
}

void ScoresIn(const uint8_t* table) {
    std::memcpy(Ram(TopScore), table, TopScoreSize);
    std::memcpy(Ram(ScoreRows), table + TopScoreSize, ScoreRowsSize);
}

void DefaultScores(uint8_t* table) {
    const uint8_t* rom = GameImages.cpu1Program.data - 0x8000;
    std::memcpy(table, rom + DefaultTopScore, TopScoreSize);
    std::memcpy(table + TopScoreSize, rom + DefaultScoreRows, ScoreRowsSize);
}

} // namespace kluno
