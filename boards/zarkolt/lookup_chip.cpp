// The background lookup chip: its two position tables and the query handler.
#include "boards/zarkolt/lookup_chip.h"

#include "boards/zarkolt/machine.h"

namespace zarkolt {

uint16_t LookupIndex[0x8000];
uint8_t LookupFlip[0x8000];
uint8_t LookupChipPage[256];

namespace {

// Bits 0 and 1 of a two-bit flip code exchanged.
constexpr uint8_t SwapFlipBits(uint8_t flip) {
    return uint8_t((flip & 1) << 1 | (flip >> 1 & 1));
}

} // namespace

void BuildLookupChipTable() {
    const uint8_t* map = GameImages.lookupMap.data;
    const uint8_t* flags = GameImages.lookupFlags.data;
    for (int row = 0; row < 128; row++) {
        for (int col = 0; col < 256; col++) {
            int group = (row >> 1) * 128 + (col >> 1);
            int base = map[group] * 4;
            uint8_t nibble = uint8_t(flags[group >> 1] >> (group & 1 ? 4 : 0) & 0x0F);
            if (nibble & 1) base |= 0x400;
            uint8_t flip = SwapFlipBits(nibble >> 1 & 3);
            int position = row * 256 + col;
            LookupFlip[position] = uint8_t(flip << 6);
            LookupIndex[position] = uint16_t(base | (((col & 1) + 2 * (row & 1)) ^ flip));
        }
    }
}

void LookupChipWrite(uint8_t* page, uint16_t address, uint8_t value) {
    page[address & 0xFF] = value;
    if (address != 0xF001) return;
    int position = (LookupChipPage[1] << 8 | LookupChipPage[0]) & 0x7FFF;
    int index = LookupIndex[position];
    uint8_t attribute = GameImages.lookupResultA.data[index];
    uint8_t flips = uint8_t(LookupFlip[position] ^ SwapFlipBits(attribute >> 6) << 6);
    LookupChipPage[0] = uint8_t((attribute & 0x3F) | flips);
    LookupChipPage[1] = GameImages.lookupResultB.data[index];
}

} // namespace zarkolt
