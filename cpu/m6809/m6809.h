// A threaded 6809 interpreter that runs several CPUs in turn.
//
// Each CPU is an M6809Context; a board keeps its contexts back to back in one
// array and calls M6809Run with the first one, the count and a number of
// passes. One pass gives every running context exactly one instruction, in
// array order. No cycles are counted and no interrupt line is sampled inside a
// run: the board calls M6809Irq, M6809Firq and M6809Nmi between runs.
//
// All bus traffic goes through the context's page table (cpu/bus.h): reads are
// a table lookup, writes call the page's handler, one call per byte. 16-bit
// values are big-endian and stored high byte first. Opcodes the interpreter
// does not implement go to the program-wide trap hook; an instruction fetch at
// an address whose breakpoint bit is set calls the breakpoint hook first.
//
// Set-up order: M6809BuildFlagTables once, M6809InitPageTables for every
// context, install the board's pages, M6809SetTrapHook if needed, M6809Reset
// on the CPU that starts.
#pragma once

#include <cstdint>

#include "cpu/bus.h"

struct M6809Context {
    uint32_t running; // 0: stopped (SYNC, CWAI or the board), skipped by M6809Run
    uint32_t held;    // non-zero: held in reset; interrupts do nothing
    uint8_t A;        // high half of D
    uint8_t B;        // low half of D
    uint8_t DP;       // high byte of direct addresses
    uint8_t CC;       // E F H I N Z V C, bit 7 to bit 0
    uint16_t X;
    uint16_t Y;
    uint16_t U;
    uint16_t S;
    uint16_t PC;
    PageEntry pages[256];        // memory map, entry n serves n*256 .. n*256+255
    uint8_t breakpoints[0x2000]; // bit (a & 7) of byte (a >> 3) marks address a
};

// Condition-code bits.
enum : uint8_t {
    M6809FlagE = 0x80,
    M6809FlagF = 0x40,
    M6809FlagH = 0x20,
    M6809FlagI = 0x10,
    M6809FlagN = 0x08,
    M6809FlagZ = 0x04,
    M6809FlagV = 0x02,
    M6809FlagC = 0x01,
};

// Called for an opcode the interpreter does not implement: the context, the
// address of the instruction's first byte and the page (1: main page; 2: after
// a 0x10 or 0x11 prefix, or an EXG/TFR naming no valid register pair). PC
// already points past the bytes consumed; the hook may change it.
using M6809TrapHook = void (*)(M6809Context* context, uint16_t address, uint32_t page);

// Called before the fetch at a marked address; PC is read again afterwards.
using BreakpointHook = void (*)(M6809Context* context);

void NullTrapHook(M6809Context* context, uint16_t address, uint32_t page);
void NullBreakpointHook(M6809Context* context);

void M6809BuildFlagTables();
void M6809InitPageTables(M6809Context* context);
void M6809Reset(M6809Context* context);
int32_t M6809Irq(M6809Context* context);
int32_t M6809Firq(M6809Context* context);
void M6809Nmi(M6809Context* context);
void M6809SetTrapHook(M6809TrapHook hook);
void M6809SetBreakpointHook(BreakpointHook hook);
void M6809SetBreakpoint(M6809Context* context, uint16_t address);
void M6809ClearBreakpoint(M6809Context* context, uint16_t address);
void M6809Run(uint32_t count, M6809Context* first, uint32_t passes);
void M6809RunOne(M6809Context* context, uint32_t passes);

uint8_t M6809ReadByte(M6809Context* context, uint16_t address);
void M6809WriteByte(M6809Context* context, uint16_t address, uint8_t value);
