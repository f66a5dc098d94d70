// Entry points of the Z80 interpreter other than the run loop: page tables,
// reset, interrupts and the byte-access functions.
#include "cpu/z80/z80.h"

void Z80InitPageTables(Z80Context* context) {
    for (int i = 0; i < 256; i++) {
        context->pages[i] = {OpenBusPage, NullWrite};
        context->ioPages[i] = {OpenBusPage, NullWrite};
    }
}

void Z80Reset(Z80Context* context) {
    context->running = 1;
    context->held = 0;
    context->SP = 0;
    context->PC = 0;
    context->iff = 0;
    context->im = 0;
}

uint8_t Z80ReadByte(Z80Context* context, uint16_t address) {
    return context->pages[address >> 8].memory[address & 0xFF];
}

void Z80WriteByte(Z80Context* context, uint16_t address, uint8_t value) {
    PageEntry& entry = context->pages[address >> 8];
    entry.write(entry.memory, address, value);
}

uint8_t Z80InByte(Z80Context* context, uint16_t port) {
    return context->ioPages[port >> 8].memory[port & 0xFF];
}

void Z80OutByte(Z80Context* context, uint16_t port, uint8_t value) {
    PageEntry& entry = context->ioPages[port >> 8];
    entry.write(entry.memory, port, value);
}

namespace {

void Push(Z80Context* context, uint16_t value) {
    context->SP = uint16_t(context->SP - 1);
    Z80WriteByte(context, context->SP, uint8_t(value >> 8));
    context->SP = uint16_t(context->SP - 1);
    Z80WriteByte(context, context->SP, uint8_t(value));
}

bool IsRst(uint8_t data) {
    return (data & 0xC7) == 0xC7;
}

} // namespace

int Z80Irq(Z80Context* context, uint8_t data) {
    if (context->held) return 0;
    context->running = 1;
    if (context->iff != 3) return 0;
    context->iff = 0;
    switch (context->im) {
        case 0:
            if (IsRst(data)) {
                Push(context, context->PC);
                context->PC = data & 0x38;
            }
            break;
        case 1:
            Push(context, context->PC);
            context->PC = 0x0038;
            break;
        case 2: {
            Push(context, context->PC);
            uint16_t vector = uint16_t(context->I << 8 | data);
            uint8_t low = Z80ReadByte(context, vector);
            uint8_t high = Z80ReadByte(context, uint16_t(vector + 1));
            context->PC = uint16_t(high << 8 | low);
            break;
        }
        default: break;
    }
    return 1;
}

void Z80Nmi(Z80Context* context) {
    if (context->held) return;
    context->iff &= 2;
    context->running = 1;
    Push(context, context->PC);
    context->PC = 0x0066;
}
