// High-score persistence through the two ROM traps of CPU 1.
#include "frame/highscore.h"

#include <cstring>

#include "boards/zarkolt/machine.h"
#include "frame/record.h"
#include "frame/settings.h"

namespace frame {

namespace {

HighScoreTraps Traps = ZarkoltTraps;
const uint8_t* DefaultImage = nullptr; // null: read the board's ROM copy

// The RAM table as the 83 bytes of the record, and back.
void TableFromRam(uint8_t* table) {
    std::memcpy(table, zarkolt::Ram(ScoreArea1), ScoreArea1Size);
    std::memcpy(table + ScoreArea1Size, zarkolt::Ram(ScoreArea2), ScoreArea2Size);
}

void TableToRam(const uint8_t* table) {
    std::memcpy(zarkolt::Ram(ScoreArea1), table, ScoreArea1Size);
    std::memcpy(zarkolt::Ram(ScoreArea2), table + ScoreArea1Size, ScoreArea2Size);
}

} // namespace

void SetHighScoreTraps(const HighScoreTraps& traps, const uint8_t* cpu1Image) {
    Traps = traps;
    DefaultImage = cpu1Image;
}

std::array<uint8_t, 3> TrapPatch(const uint8_t* code) {
    return {0xFD, 0x00, uint8_t(ByteSum(code, 3) - 0xFD)};
}

void PatchHighScoreTraps(uint8_t* rom) {
    for (uint16_t address : {Traps.loadAddress, Traps.saveAddress}) {
        std::array<uint8_t, 3> patch = TrapPatch(rom + address);
        std::memcpy(rom + address, patch.data(), patch.size());
    }
    Z80SetTrapHook(HighScoreTrapHook);
}

void HighScoreTrapHook(Z80Context* context, uint16_t address, int length) {
    if (context != &zarkolt::Cpus[zarkolt::Cpu1]) return;
    if (address == Traps.loadAddress) {
        LoadHighScores();
        context->PC = Traps.loadReturn;
    } else if (address == Traps.saveAddress) {
        SaveHighScores();
        context->PC = Traps.saveReturn;
    }
}

void LoadHighScores() {
    ScoreRecord record;
    if (ReadBinaryValue("Score", record.data(), ScoreRecordSize) &&
        RecordSumIsZero(record.data(), ScoreRecordSize)) {
        TableToRam(record.data());
        return;
    }
    DefaultHighScores();
}

void SaveHighScores() {
    ScoreRecord record;
    TableFromRam(record.data());
    SealRecord(record.data(), ScoreRecordSize);
    WriteBinaryValue("Score", record.data(), ScoreRecordSize);
}

void DefaultHighScores() {
    const uint8_t* image = DefaultImage ? DefaultImage : zarkolt::Cpu1Rom;
    TableToRam(image + Traps.defaultTable);
    SaveHighScores();
}

} // namespace frame
