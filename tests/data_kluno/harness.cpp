// Headless runs of our game data on the KLUNO board (see harness.h).
#include "harness.h"

#include <cstdio>
#include <cstring>
#include <span>

#include "boards/kluno/graphics.h"
#include "boards/kluno/kluno_board.h"
#include "boards/kluno/score_traps.h"

namespace klunoharness {

TrapLog Traps;

namespace {

// Stands in for the host's records: the built-in table at every load, and
// what each save hands out kept.
void Load() {
    ++Traps.loads;
    uint8_t table[kluno::ScoreTableSize];
    kluno::DefaultScores(table);
    kluno::ScoresIn(table);
}

void Save() {
    ++Traps.saves;
    Traps.saved.resize(kluno::ScoreTableSize);
    kluno::ScoresOut(Traps.saved.data());
}

} // namespace

void Start(const Options& options) {
    Traps = {};
    std::string error;
    if (!kluno::Face.buildEmbedded(error)) std::fprintf(stderr, "%s\n", error.c_str());
    const uint32_t settings[] = {options.dips.ships, options.dips.bonus, options.dips.difficulty,
                                 options.dips.demoSound};
    kluno::Face.applySettings(std::span<const uint32_t>(settings));
    if (options.traps) kluno::Face.installScoreTraps({Load, Save});
    SetTestSwitch(options.testSwitch);
    kluno::Face.reset();
}

void RunFrames(int count) {
    const boards::FrameHooks hooks{};
    for (int i = 0; i < count; ++i)
        kluno::Face.runFrame(hooks);
}

void SetControls(uint8_t byte0, uint8_t directions, uint8_t byte3) {
    kluno::IoChipInputs[0][0] = byte0;
    kluno::IoChipInputs[0][1] = directions;
    kluno::IoChipInputs[0][3] = byte3;
}

void SetTestSwitch(bool on) {
    kluno::IoChipInputs[1][6] =
        static_cast<uint8_t>(on ? kluno::IoChipInputs[1][6] | 8 : kluno::IoChipInputs[1][6] & ~8);
}

void InsertCoin() {
    kluno::Face.insertCoin();
    RunFrames(4);
}

void PressStart(int players) {
    kluno::Face.pressStart(uint32_t(players), uint32_t(players));
    RunFrames(4);
}

uint8_t ReadRam(uint16_t address) {
    return M6809ReadByte(&kluno::Cpus[kluno::Cpu1], address);
}

std::vector<uint8_t> Picture() {
    boards::Picture picture = kluno::Face.picture(false);
    std::vector<uint8_t> pens(Width * Height);
    for (int y = 0; y < Height; ++y)
        std::memcpy(&pens[y * Width], picture.pixels + y * picture.pitch, Width);
    return pens;
}

bool WritePpm(const std::string& path, const std::vector<uint8_t>& picture) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", Width, Height);
    for (uint8_t pen : picture) {
        boards::PaletteEntry e = pen >= kluno::FirstGamePen && pen < kluno::FirstGamePen + 48
                                     ? kluno::GamePalette[pen - kluno::FirstGamePen]
                                     : boards::PaletteEntry{255, 0, 255, 0};
        const uint8_t rgb[3] = {e.red, e.green, e.blue};
        std::fwrite(rgb, 1, 3, file);
    }
    return std::fclose(file) == 0;
}

} // namespace klunoharness
