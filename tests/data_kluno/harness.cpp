// Headless runs of our game data on the KLUNO board (see harness.h).
#include "harness.h"

#include <cstdio>
#include <cstring>

#include "boards/kluno/embedded_data.h"
#include "boards/kluno/frame.h"
#include "boards/kluno/graphics.h"
#include "boards/kluno/renderer.h"

namespace klunoharness {

TrapLog Traps;

namespace {

// Stands in for the host's traps: counts the loads and saves, loads the
// ROM's own table and keeps what was saved.
void Hook(M6809Context* context, uint16_t address, uint32_t) {
    if (context != &kluno::Cpus[kluno::Cpu1]) return;
    if (address == 0xC00E) {
        ++Traps.loads;
        std::memcpy(kluno::Ram(0x1831), kluno::Cpu1Rom + 0xC0FF - 0x8000, 4);
        std::memcpy(kluno::Ram(0x2400), kluno::Cpu1Rom + 0xC103 - 0x8000, 160);
        context->PC = 0xC02C;
    } else if (address == 0x9BF0) {
        ++Traps.saves;
        kluno::SharedRam[0x53] = 0;
        Traps.saved.assign(kluno::Ram(0x1831), kluno::Ram(0x1831) + 4);
        Traps.saved.insert(Traps.saved.end(), kluno::Ram(0x2400), kluno::Ram(0x2400) + 160);
        context->PC = 0x9BF3;
    }
}

} // namespace

void Start(const Options& options) {
    Traps = {};
    static kluno::GameData data;
    data = kluno::GameDataOf(KlunoData());
    kluno::BuildKlunoMachine(data, options.traps ? Hook : nullptr, options.dips);
    SetTestSwitch(options.testSwitch);
    kluno::ResetMachine();
}

void RunFrames(int count) {
    kluno::FrameHooks hooks{};
    for (int i = 0; i < count; ++i)
        kluno::RunFrame(hooks);
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
    kluno::IoChipInputs[0][0] |= 1;
    RunFrames(2);
    kluno::IoChipInputs[0][0] &= ~1;
    RunFrames(2);
}

void PressStart(int players) {
    uint8_t bit = players == 2 ? 8 : 4;
    kluno::IoChipInputs[0][3] |= bit;
    RunFrames(2);
    kluno::IoChipInputs[0][3] &= static_cast<uint8_t>(~bit);
    RunFrames(2);
}

uint8_t ReadRam(uint16_t address) {
    return M6809ReadByte(&kluno::Cpus[kluno::Cpu1], address);
}

std::vector<uint8_t> Picture() {
    std::vector<uint8_t> picture(Width * Height);
    for (int y = 0; y < Height; ++y)
        std::memcpy(&picture[y * Width], kluno::FrameBuffer + (y + 16) * kluno::FrameWidth + 16, Width);
    return picture;
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
