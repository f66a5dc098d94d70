// A threaded Z80 interpreter that runs several CPUs in turn.
//
// Each CPU is a Z80Context; a board keeps its contexts back to back in one
// array and calls Z80Run with the first one and a number of passes. One pass
// gives every running context exactly one instruction, in array order. No
// cycles are counted and no interrupt is tested inside a run: the board raises
// Z80Irq and Z80Nmi between runs.
//
// All bus traffic goes through the context's page tables (cpu/bus.h): reads
// are a table lookup, writes call the page's handler. Opcodes the interpreter
// does not implement go to the program-wide trap hook.
//
// Set-up order: Z80BuildFlagTables once, Z80InitPageTables for every context,
// install the board's pages, Z80SetTrapHook if needed, Z80Reset.
#pragma once

#include <cstdint>

#include "cpu/bus.h"

struct Z80Context {
    uint32_t running; // 0: stopped (HALT or the board), skipped by Z80Run
    uint32_t held;    // non-zero: held in reset; interrupts do nothing
    uint16_t BC;
    uint16_t DE;
    uint16_t HL;
    uint16_t AF;
    uint16_t IX;
    uint16_t IY;
    uint8_t iff; // bit 0 IFF1, bit 1 IFF2
    uint8_t im;  // interrupt mode 0, 1 or 2
    uint8_t I;
    uint8_t R; // counts every visit of Z80Run, running or not
    uint16_t altBC;
    uint16_t altDE;
    uint16_t altHL;
    uint16_t altAF;
    uint16_t SP;
    uint16_t PC;
    PageEntry pages[256];   // memory map, entry n serves n*256 .. n*256+255
    PageEntry ioPages[256]; // I/O map, entry n serves the ports with high byte n
};

// Flag bits of F.
enum : uint8_t {
    Z80FlagS = 0x80,
    Z80FlagZ = 0x40,
    Z80FlagH = 0x10,
    Z80FlagPV = 0x04,
    Z80FlagN = 0x02,
    Z80FlagC = 0x01,
};

// Called for an opcode the interpreter does not implement: the context, the
// address of the instruction's first byte and its length (2 or 4). PC already
// points past the opcode; the hook may change it.
using Z80TrapHook = void (*)(Z80Context* context, uint16_t address, int length);

void NullTrapHook(Z80Context* context, uint16_t address, int length);

void Z80BuildFlagTables();
void Z80InitPageTables(Z80Context* context);
void Z80Reset(Z80Context* context);
int Z80Irq(Z80Context* context, uint8_t data);
void Z80Nmi(Z80Context* context);
void Z80SetTrapHook(Z80TrapHook hook);
void Z80Run(int count, Z80Context* first, uint32_t passes);

uint8_t Z80ReadByte(Z80Context* context, uint16_t address);
void Z80WriteByte(Z80Context* context, uint16_t address, uint8_t value);
uint8_t Z80InByte(Z80Context* context, uint16_t port);
void Z80OutByte(Z80Context* context, uint16_t port, uint8_t value);
