// The paged bus shared by both interpreters.
//
// A CPU sees its 64 KB address space (and the Z80 its 64 K ports) as 256
// pages of 256 bytes. Each page has a byte array that reads come from with
// no call, and a write handler that every write to the page goes through.
// Boards build their memory maps by filling page tables with these entries;
// devices are write handlers plus byte arrays that the board keeps current.
#pragma once

#include <cstdint>

// Called for every byte written to a page: the page's memory pointer, the
// full 16-bit address (or port) and the byte.
using WriteHandler = void (*)(uint8_t* page, uint16_t address, uint8_t value);

struct PageEntry {
    uint8_t* memory;    // 256 bytes that reads of this page return
    WriteHandler write; // handler for writes to this page
};

// Ignores the byte: ROM and unmapped pages.
void NullWrite(uint8_t* page, uint16_t address, uint8_t value);

// Stores the byte into the page.
void RamWrite(uint8_t* page, uint16_t address, uint8_t value);

// 256 bytes of 0xFF that every unmapped page of every context reads.
// Filled by Z80BuildFlagTables (and M6809BuildFlagTables).
extern uint8_t OpenBusPage[256];

// Fills OpenBusPage with 0xFF.
void FillOpenBusPage();
