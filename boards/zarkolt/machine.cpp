// The ZARKOLT machine: memory maps, latches, switches, reset and the board
// set-up that wires the devices together.
#include "boards/zarkolt/machine.h"

#include <cstring>

#include "boards/zarkolt/blitters.h"
#include "boards/zarkolt/graphics.h"
#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/lookup_chip.h"
#include "boards/zarkolt/sound.h"

namespace zarkolt {

const Edition ZarkoltEdition = {{0x80, 0xF8, 0xF8}, 3, UpdateIoChipInputs};
const Edition* CurrentEdition = &ZarkoltEdition;

Z80Context Cpus[CpuCount];
uint8_t SharedRam[0x4000];
uint8_t SwitchPage[256];
uint8_t SoundRegisters[32];
uint8_t CodeChipPage[256];
uint16_t ScrollValue;
uint32_t IrqEnable;
uint32_t SoundEnable;
uint8_t Cpu1Rom[0x4000];
uint8_t Cpu2Rom[0x2000];
uint8_t Cpu3Rom[0x1000];
GameData GameImages;

const ImageSlot* FindBadImage(const GameData& data) {
    for (const ImageSlot& slot : ImageSlots) {
        const Image& image = data.*slot.member;
        if (!image.data || image.size != slot.size) return &slot;
    }
    return nullptr;
}

namespace {

void HoldCpus2And3() {
    for (int cpu : {Cpu2, Cpu3}) {
        Cpus[cpu].running = 0;
        Cpus[cpu].held = 1;
    }
}

// The recorded sample that a value written to the trigger latch starts, or -1.
int TriggeredSample(uint8_t value) {
    switch (value) {
        case 0x01: return 0;
        case 0x02: return 1;
        case 0x80: return 2;
        default: return -1;
    }
}

// Maps count pages from page first; page i reads memory + i x 256.
void MapPages(Z80Context& cpu, int first, int count, uint8_t* memory, WriteHandler write) {
    for (int i = 0; i < count; i++)
        cpu.pages[first + i] = {memory + i * 256, write};
}

void MapDevice(Z80Context& cpu, int page, uint8_t* memory, WriteHandler write) {
    MapPages(cpu, page, 1, memory, write);
}

void BuildMemoryMaps() {
    std::memset(Cpus, 0, sizeof Cpus);
    for (Z80Context& cpu : Cpus)
        Z80InitPageTables(&cpu);

    MapPages(Cpus[Cpu1], 0x00, 0x40, Cpu1Rom, NullWrite);
    MapPages(Cpus[Cpu2], 0x00, 0x20, Cpu2Rom, NullWrite);
    MapPages(Cpus[Cpu3], 0x00, 0x10, Cpu3Rom, NullWrite);
    for (Z80Context& cpu : Cpus) {
        for (int block = 0; block < 8; block++)
            MapPages(cpu, RamBlockAddress[block] >> 8, 8, SharedRam + block * 0x800, RamWrite);
    }

    Z80Context& cpu1 = Cpus[Cpu1];
    MapDevice(cpu1, 0x64, OpenBusPage, CodeChipWrite);
    MapDevice(cpu1, 0x68, SwitchPage, LatchWrite);
    MapDevice(cpu1, 0x70, IoReplyPage, NullWrite);
    MapDevice(cpu1, 0x71, IoStatusPage, IoChipCommandWrite);
    MapDevice(cpu1, 0x74, CodeChipPage, NullWrite);
    MapDevice(cpu1, 0xD0, OpenBusPage, ScrollWrite);

    Z80Context& cpu2 = Cpus[Cpu2];
    MapDevice(cpu2, 0x68, SwitchPage, LatchWrite);
    MapDevice(cpu2, 0xD0, OpenBusPage, ScrollWrite);
    MapDevice(cpu2, 0xF0, LookupChipPage, LookupChipWrite);

    MapDevice(Cpus[Cpu3], 0x68, SwitchPage, SoundRegisterWrite);
}

void SetSwitchBit(int byte, int bit, bool on) {
    SwitchPage[byte] = uint8_t((SwitchPage[byte] & ~(1 << bit)) | (on ? 1 << bit : 0));
}

// Switch bits of each lives and difficulty index: {byte 5, byte 6}.
constexpr uint8_t LivesSwitches[4][2] = {{0, 1}, {1, 0}, {1, 1}, {0, 0}};      // bit 1
constexpr uint8_t DifficultySwitches[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}}; // bit 0

uint8_t FrameBufferStore[FrameWidth * FrameHeight];

} // namespace

uint8_t* FrameBuffer = FrameBufferStore;

void LatchWrite(uint8_t*, uint16_t address, uint8_t value) {
    switch (address & 0xFF) {
        case 0x20: IrqEnable = value != 0; break;
        case 0x22:
            if (value) {
                Z80Reset(&Cpus[Cpu2]);
                Z80Reset(&Cpus[Cpu3]);
            } else {
                HoldCpus2And3();
            }
            break;
        case 0x23:
            SoundEnable = value != 0;
            if (!value && Sound) SoundMuteAll();
            break;
        case 0x03: {
            int sample = TriggeredSample(value);
            if (sample >= 0 && Sound && !SoundMute && SoundEnable) PlaySample(sample);
            break;
        }
        default: break;
    }
}

void SoundRegisterWrite(uint8_t*, uint16_t address, uint8_t value) {
    unsigned offset = address & 0xFF;
    if (offset < sizeof SoundRegisters) SoundRegisters[offset] = value & 0x0F;
}

void ScrollWrite(uint8_t*, uint16_t address, uint8_t value) {
    switch (address & 0xFF) {
        case 0x00: ScrollValue = value; break;
        case 0x01: ScrollValue = uint16_t(0x100 | value); break;
        default: break;
    }
}

void CodeChipWrite(uint8_t*, uint16_t, uint8_t value) {
    if (value == 0x80) CodeChipPage[3] = 0x05;
    if (value == 0xE5) CodeChipPage[3] = 0x95;
}

void ApplyDipSwitches(const DipSettings& settings) {
    const uint8_t* lives = LivesSwitches[settings.lives & 3];
    const uint8_t* difficulty = DifficultySwitches[settings.difficulty & 3];
    for (int i = 0; i < 2; i++) {
        SetSwitchBit(5 + i, 1, lives[i]);
        SetSwitchBit(5 + i, 0, difficulty[i]);
    }
    for (int bit = 0; bit < 3; bit++)
        SetSwitchBit(2 + bit, 1, !(settings.bonus >> bit & 1));
}

void ResetMachine() {
    InputState.credits = 0;
    SoundEnable = 0;
    if (Sound) SoundMuteAll();
    Z80Reset(&Cpus[Cpu1]);
    HoldCpus2And3();
}

bool BuildBoard(const GameData& data, const Edition& edition) {
    if (FindBadImage(data)) return false;
    GameImages = data;
    CurrentEdition = &edition;

    Z80BuildFlagTables();
    Z80SetTrapHook(NullTrapHook);

    std::memset(SharedRam, 0, sizeof SharedRam);
    std::memset(SwitchPage, 0xFF, sizeof SwitchPage);
    std::memset(SoundRegisters, 0, sizeof SoundRegisters);
    std::memset(CodeChipPage, 0, sizeof CodeChipPage);
    std::memset(IoStatusPage, 0, sizeof IoStatusPage);
    std::memset(LookupChipPage, 0, sizeof LookupChipPage);
    std::memset(IoReplyPage, 0, sizeof IoReplyPage);
    std::memcpy(IoReplyPage, edition.replyStart, sizeof edition.replyStart);
    ScrollValue = 0x00FF;
    IrqEnable = 0;
    SoundEnable = 0;
    InputState = {};

    std::memcpy(Cpu1Rom, data.cpu1.data, sizeof Cpu1Rom);
    std::memcpy(Cpu2Rom, data.cpu2.data, sizeof Cpu2Rom);
    std::memcpy(Cpu3Rom, data.cpu3.data, sizeof Cpu3Rom);
    BuildMemoryMaps();

    std::memset(SwitchPage, 3, 7);
    SwitchPage[7] = edition.switchByte7;

    BuildWaveTable();
    DecodeCharacters();
    DecodeTilesWindow();
    DecodeSprites();
    BuildLookupChipTable();
    BuildPalette();
    std::memset(CardPalette, 0, sizeof CardPalette);
    ScaleSamples();
    ResetSoundState();

    FrameBuffer = FrameBufferStore;
    std::memset(FrameBufferStore, 0, sizeof FrameBufferStore);
    return true;
}

} // namespace zarkolt
