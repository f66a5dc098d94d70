// The high-score traps of CPU 1.
#include "boards/zarkolt/score_traps.h"

#include <cstring>

#include "boards/rom_patch.h"
#include "boards/zarkolt/machine.h"

namespace zarkolt {

ScoreTraps CurrentTraps = ZarkoltTraps;

namespace {

boards::ScoreTrapHandlers Handlers = {};

constexpr uint8_t TrapOpcode[] = {0xFD, 0x00};

} // namespace

void PatchScoreTraps(uint8_t* rom) {
    for (uint16_t address : {CurrentTraps.loadAddress, CurrentTraps.saveAddress})
        boards::PatchTrap(rom + address, TrapOpcode);
}

void InstallScoreTraps(const boards::ScoreTrapHandlers& handlers) {
    Handlers = handlers;
    PatchScoreTraps(Cpu1Rom);
    Z80SetTrapHook(ScoreTrapHook);
}

void ScoreTrapHook(Z80Context* context, uint16_t address, int) {
    if (context != &Cpus[Cpu1]) return;
    if (address == CurrentTraps.loadAddress) {
        if (Handlers.load) Handlers.load();
        context->PC = CurrentTraps.loadReturn;
    } else if (address == CurrentTraps.saveAddress) {
        if (Handlers.save) Handlers.save();
        context->PC = CurrentTraps.saveReturn;
    }
}

void ScoresOut(uint8_t* table) {
    std::memcpy(table, Ram(ScoreArea1), ScoreArea1Size);
    std::memcpy(table + ScoreArea1Size, Ram(ScoreArea2), ScoreArea2Size);
}

void ScoresIn(const uint8_t* table) {
    std::memcpy(Ram(ScoreArea1), table, ScoreArea1Size);
    std::memcpy(Ram(ScoreArea2), table + ScoreArea1Size, ScoreArea2Size);
}

void DefaultScores(uint8_t* table) {
    const uint8_t* image = GameImages.cpu1.data ? GameImages.cpu1.data : Cpu1Rom;
    std::memcpy(table, image + CurrentTraps.defaultTable, ScoreTableSize);
}

} // namespace zarkolt
