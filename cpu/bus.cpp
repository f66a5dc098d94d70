// The paged bus shared by both interpreters: the two stock write handlers and
// the open-bus page.
#include "cpu/bus.h"

#include <cstring>

uint8_t OpenBusPage[256];

void NullWrite(uint8_t*, uint16_t, uint8_t) {}

void RamWrite(uint8_t* page, uint16_t address, uint8_t value) {
    page[address & 0xFF] = value;
}

void FillOpenBusPage() {
    std::memset(OpenBusPage, 0xFF, sizeof OpenBusPage);
}
