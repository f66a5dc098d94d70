// The background lookup chip of CPU 2. CPU 2 writes a 15-bit map position to
// 0xF000 (low byte) and 0xF001 (high byte); the write of the high byte
// answers at once with the cell's attribute in 0xF000 (colour in bits 0-5,
// flips in bits 6-7) and its tile code in 0xF001. The answers come from two
// tables that BuildLookupChipTable derives once from the map and flag ROMs.
#pragma once

#include <cstdint>

namespace zarkolt {

extern uint16_t LookupIndex[0x8000]; // per map position: index into the result ROMs
extern uint8_t LookupFlip[0x8000];   // per map position: the group's flips in bits 6-7
extern uint8_t LookupChipPage[256];  // 0xF000-0xF0FF of CPU 2

void BuildLookupChipTable();

// Write handler of CPU 2's page 0xF0.
void LookupChipWrite(uint8_t* page, uint16_t address, uint8_t value);

} // namespace zarkolt
