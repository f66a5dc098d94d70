// Entry points of the 6809 interpreter other than the run loop: page tables,
// breakpoints, reset, the three interrupt entries and the byte-access
// functions.
#include "cpu/m6809/m6809.h"

#include <cstring>

#include "cpu/m6809/m6809_access.h"

void M6809InitPageTables(M6809Context* context) {
    for (PageEntry& entry : context->pages)
        entry = {OpenBusPage, NullWrite};
    std::memset(context->breakpoints, 0, sizeof context->breakpoints);
}

void M6809SetBreakpoint(M6809Context* context, uint16_t address) {
    context->breakpoints[address >> 3] |= uint8_t(1 << (address & 7));
}

void M6809ClearBreakpoint(M6809Context* context, uint16_t address) {
    context->breakpoints[address >> 3] &= uint8_t(~(1 << (address & 7)));
}

void M6809Reset(M6809Context* context) {
    context->running = 1;
    context->held = 0;
    context->DP = 0;
    context->CC = M6809FlagF | M6809FlagI;
    context->PC = M6809Read16(context, 0xFFFE);
}

namespace {

// Stacks the registers with E set or cleared, masks the interrupts that mask
// names and jumps through the vector.
void EnterInterrupt(M6809Context* context, bool entire, uint8_t mask, uint16_t vector) {
    if (entire) {
        context->CC |= M6809FlagE;
        M6809PushEntireState(context);
    } else {
        context->CC &= uint8_t(~M6809FlagE);
        M6809PushRegisters<&M6809Context::S, &M6809Context::U>(context, 0x81);
    }
    context->CC |= mask;
    context->PC = M6809Read16(context, vector);
}

// IRQ and FIRQ: a held CPU ignores them; otherwise the CPU runs again, and
// takes the interrupt unless its mask bit is set.
int32_t MaskableInterrupt(M6809Context* context, uint8_t maskBit, bool entire, uint16_t vector) {
    if (context->held) return 0;
    context->running = 1;
    if (context->CC & maskBit) return 0;
    EnterInterrupt(context, entire, uint8_t(maskBit | M6809FlagI), vector);
    return 1;
}

} // namespace

int32_t M6809Irq(M6809Context* context) {
    return MaskableInterrupt(context, M6809FlagI, true, 0xFFF8);
}

int32_t M6809Firq(M6809Context* context) {
    return MaskableInterrupt(context, M6809FlagF, false, 0xFFF6);
}

void M6809Nmi(M6809Context* context) {
    if (context->held) return;
    context->running = 1;
    EnterInterrupt(context, true, M6809FlagF | M6809FlagI, 0xFFFC);
}

void M6809RunOne(M6809Context* context, uint32_t passes) {
    M6809Run(1, context, passes);
}

uint8_t M6809ReadByte(M6809Context* context, uint16_t address) {
    return M6809Read(context, address);
}

void M6809WriteByte(M6809Context* context, uint16_t address, uint8_t value) {
    M6809Write(context, address, value);
}
