// Result-and-flag lookup tables of the Z80 interpreter.
//
// Each 16-bit entry holds the 8-bit result in its low byte and F in its high
// byte. The instruction handlers index these tables directly and mask the
// flag bits they need; Z80BuildFlagTables fills them once at start-up.
#pragma once

#include <cstdint>

// carry*65536 + x*256 + y: x + y + carry
extern uint16_t AddTable[2 * 256 * 256];
// borrow*65536 + y*256 + x: x - y - borrow
extern uint16_t SubTable[2 * 256 * 256];
// S, Z and P of a value
extern uint8_t SzpTable[256];
// (H*4 + N*2 + C)*256 + A: decimal-adjusted A
extern uint16_t DaaTable[8 * 256];
// bit*256 + x: (x << 1) | bit, C from bit 7
extern uint16_t ShiftLeftTable[2 * 256];
// bit*256 + x: (x >> 1) | (bit << 7), C from bit 0
extern uint16_t ShiftRightTable[2 * 256];
