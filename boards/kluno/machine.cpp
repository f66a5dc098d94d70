// The KLUNO machine: memory maps, latch, scroll register, I/O-chip refresh,
// DIP switches, reset and the board set-up that wires the devices together.
#include "boards/kluno/machine.h"

#include <cstring>

#include "boards/common/io_chip.h"
#include "boards/kluno/graphics.h"
#include "boards/kluno/renderer.h"
#include "boards/kluno/sound.h"
#include "boards/rom_patch.h"

namespace kluno {

M6809Context Cpus[CpuCount];
uint8_t MainRam[0x2800];
uint8_t SharedRam[0x400];
uint8_t IoChipRam[0x400];
uint8_t IoChipInputs[2][8];
uint32_t IrqEnable[CpuCount];
uint32_t SoundEnable;
uint32_t IoChipHold;
uint32_t ScrollValue;
uint8_t Cpu1Rom[0x8000];
uint8_t Cpu2Rom[0x2000];
GameData GameImages;
void (*SaveSettings)();
const Edition* CurrentEdition = &KlunoEdition;

namespace {

// Maps count pages from page first; page i reads memory + i x 256.
void MapPages(M6809Context& cpu, int first, int count, uint8_t* memory, WriteHandler write) {
    for (int i = 0; i < count; i++)
        cpu.pages[first + i] = {memory ? memory + i * 256 : OpenBusPage, write};
}

void BuildMemoryMaps(uint16_t romBase) {
    std::memset(Cpus, 0, sizeof Cpus);
    for (M6809Context& cpu : Cpus)
        M6809InitPageTables(&cpu);

    M6809Context& cpu1 = Cpus[Cpu1];
    MapPages(cpu1, 0x00, 0x28, MainRam, RamWrite);
    MapPages(cpu1, 0x38, 0x08, nullptr, ScrollWrite);
    MapPages(cpu1, 0x40, 0x04, SharedRam, RamWrite);
    MapPages(cpu1, 0x48, 0x04, IoChipRam, RamWrite);
    MapPages(cpu1, 0x50, 0x01, nullptr, LatchWrite);
    int romPage = romBase >> 8;
    MapPages(cpu1, romPage, 0x100 - romPage, Cpu1Rom + (romBase - 0x8000), NullWrite);

    M6809Context& cpu2 = Cpus[Cpu2];
    MapPages(cpu2, 0x00, 0x04, SharedRam, RamWrite);
    MapPages(cpu2, 0x20, 0x01, nullptr, LatchWrite);
    MapPages(cpu2, 0xE0, 0x20, Cpu2Rom, NullWrite);
}

void SetInputBit(int byte, int bit, bool on) {
    uint8_t& input = IoChipInputs[1][byte];
    input = uint8_t((input & ~(1 << bit)) | (on ? 1 << bit : 0));
}

uint8_t FrameBufferStore[FrameWidth * FrameHeight];

} // namespace

uint8_t* FrameBuffer = FrameBufferStore;

void HoldCpu2() {
    Cpus[Cpu2].running = 0;
    Cpus[Cpu2].held = 1;
}

void PatchHighScoreTraps() {
    for (uint16_t address : {SaveTrap, LoadTrap})
        boards::PatchTrap(Cpu1Rom + (address - 0x8000), TrapOpcode);
}

void LatchWrite(uint8_t*, uint16_t address, uint8_t) {
    switch (address & 0xFF) {
        case 0: IrqEnable[Cpu2] = 0; break;
        case 1: IrqEnable[Cpu2] = 1; break;
        case 2: IrqEnable[Cpu1] = 0; break;
        case 3: IrqEnable[Cpu1] = 1; break;
        case 6:
            SoundEnable = 0;
            if (Sound && !(CurrentEdition->soundOffKeepsMutedVoices && SoundMute)) StopAllSound();
            break;
        case 7: SoundEnable = 1; break;
        case 8: IoChipHold = 1; break;
        case 9: IoChipHold = 0; break;
        case 10: HoldCpu2(); break;
        case 11: M6809Reset(&Cpus[Cpu2]); break;
        default: break;
    }
}

void ScrollWrite(uint8_t*, uint16_t address, uint8_t) {
    ScrollValue = uint32_t(address - 0x3800) >> 3;
}

void ApplyDipSwitches(const DipSettings& settings) {
    if (settings.ships < 2) SetInputBit(2, 3, settings.ships);
    if (settings.difficulty < 2) SetInputBit(4, 0, settings.difficulty);
    if (settings.bonus < 4) {
        SetInputBit(4, 1, settings.bonus & 1);
        SetInputBit(4, 2, settings.bonus & 2);
    }
    if (settings.demoSound < 2) SetInputBit(4, 3, !settings.demoSound);
}

void UpdateIoChipInputs() {
    for (int chip = 0; chip < 2; chip++) {
        std::memcpy(IoChipRegs + 16 * chip, IoChipInputs[chip], 8);
        boards::AnswerNibbleSum(IoChipRegs + 16 * chip);
    }
}

void ResetMachine() {
    SoundEnable = 0;
    if (Sound) StopAllSound();
    if (SaveSettings) SaveSettings();
    M6809Reset(&Cpus[Cpu1]);
    HoldCpu2();
}

void BuildFamilyMachine(const GameData& data, const Edition& edition) {
    GameImages = data;
    CurrentEdition = &edition;

    M6809BuildFlagTables();
    std::memset(MainRam, 0, sizeof MainRam);
    std::memset(SharedRam, 0, sizeof SharedRam);
    std::memset(IoChipRam, 0, sizeof IoChipRam);
    std::memset(IoChipInputs, 0, sizeof IoChipInputs);
    std::memset(IrqEnable, 0, sizeof IrqEnable);
    SoundEnable = 0;
    IoChipHold = 0;
    ScrollValue = 255;

    std::memset(Cpu1Rom, 0xFF, sizeof Cpu1Rom);
    std::memcpy(Cpu1Rom + (edition.cpu1RomBase - 0x8000), data.cpu1Program.data, data.cpu1Program.size);
    std::memcpy(Cpu2Rom, data.cpu2Program.data, sizeof Cpu2Rom);
    BuildMemoryMaps(edition.cpu1RomBase);
    M6809SetTrapHook(NullTrapHook);

    BuildWaveTable(data.waveform.data);
    ResetSoundState();

    FrameBuffer = FrameBufferStore;
    std::memset(FrameBufferStore, 0, sizeof FrameBufferStore);
}

bool BuildKlunoMachine(const GameData& data, M6809TrapHook trapHook, const DipSettings& settings) {
    if (FindBadImage(data)) return false;
    BuildFamilyMachine(data, KlunoEdition);
    if (trapHook) {
        PatchHighScoreTraps();
        M6809SetTrapHook(trapHook);
    }
    ApplyDipSwitches(settings);
    DecodeCharacters();
    DecodeSprites();
    BuildPalette();
    std::memset(CardPalette, 0, sizeof CardPalette); // black until the card's colours come
    return true;
}

} // namespace kluno
