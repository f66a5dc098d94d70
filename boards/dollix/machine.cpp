// The DOLLIX machine: memory maps, latch, I/O chips, switches, traps, reset
// and the board set-up that wires the devices together.
#include "boards/dollix/machine.h"

#include <cstring>

#include "boards/board.h"
#include "boards/common/io_chip.h"
#include "boards/dollix/bitmap.h"
#include "boards/dollix/graphics.h"
#include "boards/dollix/renderer.h"
#include "boards/dollix/sound.h"

namespace dollix {

MachineHooks Hooks;
M6809Context Cpus[CpuCount];
uint8_t Ram[0x8000];
uint8_t MainRom[0x8000];
uint8_t SoundRom[0x2000];
Ports InputPorts;
uint32_t SoundEnable;
uint32_t BitmapInitialised;
GameData GameImages;

namespace {

void HoldSoundCpu() {
    Cpus[SoundCpu].running = 0;
    Cpus[SoundCpu].held = 1;
}

// Maps count pages from page first; page i reads memory + i x 256.
void MapPages(M6809Context& cpu, int first, int count, uint8_t* memory, WriteHandler write) {
    for (int i = 0; i < count; i++)
        cpu.pages[first + i] = {memory + i * 256, write};
}

void BuildMemoryMaps() {
    std::memset(Cpus, 0, sizeof Cpus);
    for (M6809Context& cpu : Cpus)
        M6809InitPageTables(&cpu);
    M6809Context& main = Cpus[MainCpu];
    M6809Context& sound = Cpus[SoundCpu];
    MapPages(main, 0x80, 0x80, MainRom, NullWrite);
    MapPages(sound, 0xE0, 0x20, SoundRom, NullWrite);
    MapPages(main, 0x00, 0x70, Ram, RamWrite);
    MapPages(sound, 0x00, 0x08, Ram + SharedRamBase, RamWrite);
    main.pages[0x80].write = LatchWrite;
    main.pages[0x88].write = LatchWrite;
    sound.pages[0x40].write = LatchWrite;
}

void SetBits(uint8_t& byte, uint8_t mask, uint8_t bits) {
    byte = uint8_t((byte & ~mask) | bits);
}

// DIP bits of each lives and difficulty choice.
constexpr uint8_t LivesBits[4] = {0x01, 0x02, 0x00, 0x03};      // DIP 3 bits 0-1
constexpr uint8_t DifficultyBits[4] = {0x02, 0x00, 0x04, 0x06}; // DIP 2 bits 1-2

} // namespace

void PatchHighScoreTraps() {
    for (const RomPatch& patch : RomPatches)
        std::memcpy(MainRom + (patch.address - 0x8000), patch.bytes, patch.count);
    M6809SetTrapHook(HighScoreTrapHook);
}

void LatchWrite(uint8_t*, uint16_t address, uint8_t) {
    switch (address >> 8) {
        case 0x40: SoundEnable = 1; break;
        case 0x80: M6809Reset(&Cpus[SoundCpu]); break;
        case 0x88:
            HoldSoundCpu();
            SoundEnable = 0;
            StopAllSound();
            break;
        default: break;
    }
}

void HighScoreTrapHook(M6809Context* context, uint16_t address, uint32_t) {
    if (context != &Cpus[MainCpu]) return;
    for (const HighScoreTrap& trap : HighScoreTraps) {
        if (address != trap.address) continue;
        if (trap.save) {
            Ram[0x6863] = 0;
            boards::RunHook(Hooks.saveHighScores);
        } else {
            boards::RunHook(Hooks.loadHighScores);
        }
        context->PC = trap.resume;
    }
}

void ApplyDipSwitches(const DipSettings& settings) {
    if (settings.lives < 4) SetBits(InputPorts.dip[3], 0x03, LivesBits[settings.lives]);
    if (settings.difficulty < 4) SetBits(InputPorts.dip[2], 0x06, DifficultyBits[settings.difficulty]);
    if (settings.bonus < 2) SetBits(InputPorts.dip[2], 0x08, uint8_t(settings.bonus << 3));
    SetBits(InputPorts.dip[1], 0x02, settings.stageSelect ? 0x02 : 0x00);
}

void UpdateIoChipInputs() {
    uint8_t* chip0 = Ram + IoChipBase;
    uint8_t* chip1 = chip0 + 0x10;
    uint8_t* chip2 = chip0 + 0x20;
    std::memcpy(chip0 + 4, InputPorts.input, 4);
    std::memcpy(chip1, InputPorts.dip, 4);
    if ((chip0[8] & 0x0F) == 5) {
        chip0[2] = 0x0F;
        chip0[6] = 0x0C;
    }
    boards::AnswerNibbleSum(chip1);
    boards::AnswerNibbleSum(chip2);
}

void ResetMachine() {
    SoundEnable = 0;
    StopAllSound();
    boards::RunHook(Hooks.saveSettings);
    M6809Reset(&Cpus[MainCpu]);
    Cpus[SoundCpu].running = 0;
    BitmapInitialised = 0;
    Cpus[SoundCpu].held = 1;
}

void SetTestSwitch(bool on) {
    bool wasOn = InputPorts.dip[0] & TestSwitch;
    SetBits(InputPorts.dip[0], TestSwitch, on ? TestSwitch : 0);
    if (on || !wasOn) return;
    SoundEnable = 0;
    StopAllSound();
    M6809Reset(&Cpus[SoundCpu]);
    SoundEnable = 1;
    BitmapInitialised = 0;
}

bool BuildBoard(const GameData& data, const DipSettings& settings, bool highScoreTraps) {
    if (FindBadImage(data)) return false;
    GameImages = data;

    M6809BuildFlagTables();
    std::memset(Ram, 0, sizeof Ram);
    std::memset(BitmapPlane, 0, sizeof BitmapPlane);
    InputPorts = {};
    SoundEnable = 0;

    std::memcpy(MainRom, data.mainProgram.data, sizeof MainRom);
    std::memcpy(SoundRom, data.soundProgram.data, sizeof SoundRom);
    BuildMemoryMaps();
    BitmapInitialised = 0;
    if (highScoreTraps)
        PatchHighScoreTraps();
    else
        M6809SetTrapHook(NullTrapHook);
    ApplyDipSwitches(settings);

    BuildSpriteColorLookup();
    DecodeCharacters();
    DecodeSprites();
    BuildPalette();
    kluno::BuildWaveTable(data.waveform.data);
    kluno::ResetSoundState();
    ResetFrameBuffer();
    return true;
}

} // namespace dollix
