// Runs our KLUNO game data headless on the board, through its face: builds
// the board from the embedded images, with the high-score traps or unpatched
// (as the screen saver runs it), runs frames with scripted controls and hands
// out the picture and the RAM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "boards/kluno/machine.h"

namespace klunoharness {

struct Options {
    bool traps = true;       // patch the high-score traps as the game program does
    kluno::DipSettings dips; // ships, bonus, difficulty, demo sound
    bool testSwitch = false; // the test switch on before the reset
};

// What the trap hook saw.
struct TrapLog {
    int loads = 0;
    int saves = 0;
    std::vector<uint8_t> saved; // the last 164 bytes saved: top score, then the table
};
extern TrapLog Traps;

void Start(const Options& options);
void RunFrames(int count);

// Chip 1's host bytes: byte 0 (coin bit 0, service bit 3), byte 1 (up,
// right, down, left), byte 3 (shot bit 0, start 1 bit 2, start 2 bit 3).
enum : uint8_t { Up = 1, Right = 2, Down = 4, Left = 8 };
void SetControls(uint8_t byte0, uint8_t directions, uint8_t byte3);
void SetTestSwitch(bool on);
// A coin, or a start button (1 or 2), through the board's face (two frames
// on, then off), and four frames run.
void InsertCoin();
void PressStart(int players);

uint8_t ReadRam(uint16_t address); // as CPU 1 reads it

constexpr int Width = 224;
constexpr int Height = 288;
// The 224 x 288 picture as pens.
std::vector<uint8_t> Picture();
// The picture in its colours, as a binary PPM; false when it cannot be written.
bool WritePpm(const std::string& path, const std::vector<uint8_t>& picture);

} // namespace klunoharness
