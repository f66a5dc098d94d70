// High-score persistence through the board's traps.
#include "frame/highscore.h"

#include <vector>

#include "frame/game.h"
#include "frame/record.h"
#include "frame/settings.h"

namespace frame {

namespace {

void Store(std::vector<uint8_t>& record) {
    SealRecord(record.data(), ScoreRecordSize());
    WriteBinaryValue("Score", record.data(), ScoreRecordSize());
}

} // namespace

uint32_t ScoreRecordSize() {
    return Board().scoreSize + 1;
}

void InstallHighScoreTraps() {
    if (Board().installScoreTraps) Board().installScoreTraps({LoadHighScores, SaveHighScores});
}

void LoadHighScores() {
    std::vector<uint8_t> record(ScoreRecordSize());
    if (ReadBinaryValue("Score", record.data(), ScoreRecordSize()) &&
        RecordSumIsZero(record.data(), ScoreRecordSize())) {
        Board().scoresIn(record.data());
        return;
    }
    DefaultHighScores();
}

void SaveHighScores() {
    std::vector<uint8_t> record(ScoreRecordSize());
    Board().scoresOut(record.data());
    Store(record);
}

void DefaultHighScores() {
    std::vector<uint8_t> record(ScoreRecordSize());
    Board().defaultScores(record.data());
    Board().scoresIn(record.data());
    Store(record);
}

void StoreDefaultHighScores() {
    std::vector<uint8_t> record(ScoreRecordSize());
    Board().defaultScores(record.data());
    Store(record);
}

} // namespace frame
