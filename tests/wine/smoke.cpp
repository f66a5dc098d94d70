// A tiny console program for the Windows build: it runs a short Z80 routine
// on the interpreter and prints the result, proving that the cross toolchain,
// the static runtime and Wine work together.
#include <cstdio>

#include "cpu/z80/z80.h"

namespace {
Z80Context cpu;
uint8_t ram[65536];
} // namespace

int main() {
    // 6 x 7 by repeated addition, stored at 0x8000, then HALT.
    const uint8_t program[] = {0xAF, 0x06, 0x06, 0xC6, 0x07, 0x10, 0xFC, 0x32, 0x00, 0x80, 0x76};
    Z80BuildFlagTables();
    Z80InitPageTables(&cpu);
    for (int page = 0; page < 256; page++)
        cpu.pages[page] = {ram + page * 256, RamWrite};
    for (unsigned i = 0; i < sizeof program; i++)
        ram[i] = program[i];
    Z80Reset(&cpu);
    Z80Run(1, &cpu, 100);
    std::printf("smoke: z80 result %d, running %u\n", ram[0x8000], unsigned(cpu.running));
    return ram[0x8000] == 42 && cpu.running == 0 ? 0 : 1;
}
