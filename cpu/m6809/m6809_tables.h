// Result-and-flag lookup tables of the 6809 interpreter.
//
// Each 16-bit entry holds the 8-bit result in its low byte and, in its high
// byte, the condition-code bits the operation produces (H, N, Z, V, C; never
// E, F or I). Instructions merge the bits they own into CC and keep the rest.
// M6809BuildFlagTables fills the tables once at start-up.
#pragma once

#include <cstdint>

// carry*65536 + operand*256 + accumulator: accumulator + operand + carry
extern uint16_t M6809AddTable[2 * 256 * 256];
// borrow*65536 + operand*256 + accumulator: accumulator - operand - borrow
extern uint16_t M6809SubTable[2 * 256 * 256];
// N and Z of a value
extern uint8_t M6809NzTable[256];
// (H*2 + C)*256 + A: decimal-adjusted A
extern uint16_t M6809DaaTable[4 * 256];
// carry*256 + v: (v << 1) | carry, C from bit 7, V from bit 7 xor bit 6
extern uint16_t M6809RolTable[2 * 256];
// carry*256 + v: (v >> 1) | (carry << 7), C from bit 0
extern uint16_t M6809RorTable[2 * 256];

// Fills the tables above; part of M6809BuildFlagTables.
void M6809BuildArithmeticTables();
