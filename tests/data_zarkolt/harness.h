// Runs our ZARKOLT game data headless on the board, through the board face
// of an edition: builds it from the embedded images, optionally with the
// host's high-score traps, runs frames with scripted controls and hands out
// the picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "boards/board.h"
#include "boards/zarkolt/zarkolt.h"

namespace harness {

struct Options {
    bool super = false;        // the SUPER ZARKOLT edition
    bool traps = true;         // patch the high-score traps as the game program does
    zarkolt::DipSettings dips; // lives, bonus, difficulty
    bool testMode = false;     // the test switch on before the reset
};

// What the trap hook saw.
struct TrapLog {
    int loads = 0;
    int saves = 0;
    std::vector<uint8_t> saved; // the last 83 bytes saved
};
extern TrapLog Traps;

// What the sound device was asked to play.
struct SoundLog {
    int samplePlays[3] = {};
    int voicePlays[3] = {};
};
extern SoundLog Sounds;

void Start(const Options& options);
// The face of the edition started last.
const boards::BoardFace& Face();
void RunFrames(int count);

// Host controls: the input byte (zarkolt::Input...), coins and starts.
void SetInput(uint8_t input);
void AddCoin();
bool PressStart(int players); // as F3 / F4: only while the start lock is 0

uint8_t ReadRam(uint16_t address);

// The 224 x 288 picture as pens.
std::vector<uint8_t> Picture();
// The picture in its colours as a PNG; false when it cannot be written.
bool WritePng(const std::string& path);

} // namespace harness
