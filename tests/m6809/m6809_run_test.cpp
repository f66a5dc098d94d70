// The entry points around the instructions: page tables, reset, the byte
// access functions, the bus order of 16-bit stores and pushes, the run loop
// over several contexts, handlers that reset or hold contexts mid-run, the
// interrupt entries with SYNC and CWAI, and breakpoints.
#include <cstring>

#include "tests/m6809/m6809_rig.h"

namespace {

using M6809Entry = M6809Rig;

TEST_F(M6809Entry, PageTablesResetAndByteAccess) {
    M6809Context fresh;
    std::memset(&fresh, 0x5C, sizeof fresh);
    M6809InitPageTables(&fresh);
    for (int p = 0; p < 256; p++) {
        ASSERT_EQ(fresh.pages[p].memory, OpenBusPage);
        ASSERT_EQ(fresh.pages[p].write, &NullWrite);
    }
    for (uint8_t byte : fresh.breakpoints)
        ASSERT_EQ(byte, 0);
    EXPECT_EQ(fresh.X, 0x5C5C); // registers untouched
    EXPECT_EQ(fresh.running, 0x5C5C5C5Cu);
    EXPECT_EQ(M6809ReadByte(&fresh, 0x1234), 0xFF);
    M6809WriteByte(&fresh, 0x1234, 0x00);
    EXPECT_EQ(M6809ReadByte(&fresh, 0x1234), 0xFF);

    // Reset: running, held, DP, CC and PC from the vector; nothing else.
    fresh.pages[0xFF] = {ram[0] + 0xFF00, NullWrite};
    SetWord(0xFFFE, 0xBEEF);
    fresh.held = 1;
    fresh.running = 0;
    fresh.CC = 0xAF;
    M6809Reset(&fresh);
    EXPECT_EQ(fresh.running, 1u);
    EXPECT_EQ(fresh.held, 0u);
    EXPECT_EQ(fresh.DP, 0);
    EXPECT_EQ(fresh.CC, 0x50);
    EXPECT_EQ(fresh.PC, 0xBEEF);
    EXPECT_EQ(fresh.A, 0x5C);
    EXPECT_EQ(fresh.B, 0x5C);
    EXPECT_EQ(fresh.X, 0x5C5C);
    EXPECT_EQ(fresh.Y, 0x5C5C);
    EXPECT_EQ(fresh.U, 0x5C5C);
    EXPECT_EQ(fresh.S, 0x5C5C);

    // The byte functions go through the rig's pages and handlers.
    ram[1][0xABCD] = 0x42;
    EXPECT_EQ(M6809ReadByte(&cpu[1], 0xABCD), 0x42);
    M6809WriteByte(&cpu[1], 0xABCE, 0x43);
    EXPECT_EQ(ram[1][0xABCE], 0x43);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0], (WriteRecord{1, 0xABCE, 0x43, cpu[0].S, cpu[0].PC}));
}

TEST_F(M6809Entry, PassesAndOrder) {
    // Each CPU stores its own marker forever: LDA #m; STA $0100; BRA back.
    for (int i = 0; i < 2; i++)
        Load(i, kOrigin, {0x86, uint8_t(0xA0 + i), 0xB7, 0x01, 0x00, 0x20, 0xF9});
    M6809Reset(&cpu[1]);

    Run(0, 2);
    EXPECT_EQ(cpu[0].PC, kOrigin);
    EXPECT_EQ(cpu[1].PC, kOrigin);

    // LDA, then STA: CPU 1's write comes before CPU 2's in each pass.
    Run(2, 2);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].cpu, 0);
    EXPECT_EQ(writes[1].cpu, 1);
    EXPECT_EQ(cpu[0].PC, kOrigin + 5);
    EXPECT_EQ(cpu[1].PC, kOrigin + 5);

    // 3 passes: BRA, LDA, STA on each CPU, one instruction per CPU per pass.
    Run(3, 2);
    EXPECT_EQ(cpu[0].PC, kOrigin + 5);
    EXPECT_EQ(cpu[1].PC, kOrigin + 5);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].cpu, 0);

    // A stopped context is skipped; one that is not running at all consumes
    // the passes.
    cpu[0].running = 0;
    Run(3, 2);
    EXPECT_EQ(cpu[0].PC, kOrigin + 5);
    EXPECT_EQ(cpu[1].PC, kOrigin + 5);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].cpu, 1);
    cpu[1].running = 0;
    Run(1000, 2);
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(cpu[1].PC, kOrigin + 5);
}

TEST_F(M6809Entry, AddressesWrapAndStraddlePages) {
    // The opcode at 0xFFFF, its operand at 0x0000.
    ram[0][0xFFFF] = 0x86; // LDA #
    ram[0][0x0000] = 0x5A;
    cpu[0].PC = 0xFFFF;
    Run(1);
    EXPECT_EQ(cpu[0].A, 0x5A);
    EXPECT_EQ(cpu[0].PC, 0x0001);

    // A 16-bit load at 0x12FF takes its low byte from page 0x13's memory, and
    // a 16-bit store there calls page 0x12's handler, then page 0x13's.
    static uint8_t page12[256], page13[256];
    static std::vector<std::pair<int, int>> order;
    order.clear();
    page12[0xFF] = 0xAB;
    page13[0x00] = 0xCD;
    cpu[0].pages[0x12] = {page12, [](uint8_t*, uint16_t a, uint8_t v) {
                              order.push_back({0x12, a << 8 | v});
                          }};
    cpu[0].pages[0x13] = {page13, [](uint8_t*, uint16_t a, uint8_t v) {
                              order.push_back({0x13, a << 8 | v});
                          }};
    Exec({0xFC, 0x12, 0xFF}); // LDD $12FF
    EXPECT_EQ(D(), 0xABCD);
    SetD(0x1234);
    Exec({0xFD, 0x12, 0xFF}); // STD $12FF
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], std::make_pair(0x12, 0x12FF12));
    EXPECT_EQ(order[1], std::make_pair(0x13, 0x130034));

    // A 16-bit store at 0xFFFF puts the low byte at 0x0000.
    SetD(0x5678);
    Exec({0xFD, 0xFF, 0xFF});
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].address, 0xFFFF);
    EXPECT_EQ(writes[1].address, 0x0000);
    EXPECT_EQ(ram[0][0x0000], 0x78);
}

TEST_F(M6809Entry, HandlersSeeTheUpdatedPcAndStackPointer) {
    // STA extended: PC already past the instruction when the handler runs.
    Exec({0xB7, 0x20, 0x00});
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].pc, kOrigin + 3);

    // PSHS PC,U,Y,X,DP,B,A,CC: S is decremented before each byte, 16-bit
    // registers go low byte first, and PC is the address after the post-byte.
    FillRegisters();
    cpu[0].CC = 0x0F;
    Exec({0x34, 0xFF});
    std::vector<WriteRecord> expected;
    uint16_t s = kStack;
    auto push = [&](uint8_t value) {
        s--;
        expected.push_back({0, s, value, s, uint16_t(kOrigin + 2)});
    };
    for (uint8_t v : {0x02, 0x10, 0x00, 0x70, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11, 0x0F})
        push(v);
    EXPECT_EQ(writes, expected);
    EXPECT_EQ(cpu[0].S, kStack - 12);
    EXPECT_EQ(cpu[0].CC, 0x0F); // no flags change
}

// A write handler of CPU 1 that resets CPU 2 (value 1), holds it (value 2),
// or resets CPU 1 itself (value 3).
void Latch(uint8_t*, uint16_t, uint8_t value) {
    M6809Rig* rig = M6809Rig::current;
    if (value == 1) M6809Reset(&rig->cpu[1]);
    if (value == 2) {
        rig->cpu[1].running = 0;
        rig->cpu[1].held = 1;
    }
    if (value == 3) M6809Reset(&rig->cpu[0]);
}

TEST_F(M6809Entry, HandlersThatResetOrHoldAContext) {
    static uint8_t latch[256];
    cpu[0].pages[0x40] = {latch, Latch};
    // CPU 1: LDA #1; STA $4000; LDA #2; STA $4000; NOP...
    Load(0, 0x2000, {0x86, 0x01, 0xB7, 0x40, 0x00, 0x86, 0x02, 0xB7, 0x40, 0x00, 0x12, 0x12});
    // CPU 2 from its reset vector: INCA forever (INCA; BRA *-1).
    Load(1, kOrigin, {0x4C, 0x20, 0xFD});
    cpu[0].PC = 0x2000;
    cpu[1].A = 0;

    // Pass 2: CPU 1's store resets CPU 2, which then runs its first
    // instruction in the same pass, being later in the array.
    Run(2, 2);
    EXPECT_EQ(cpu[1].running, 1u);
    EXPECT_EQ(cpu[1].A, 1);
    EXPECT_EQ(cpu[1].PC, kOrigin + 1);
    // Passes 3 and 4: CPU 2 runs on; the store in pass 4 holds it before its
    // turn, and an IRQ is ignored while it is held.
    Run(2, 2);
    EXPECT_EQ(cpu[1].running, 0u);
    EXPECT_EQ(cpu[1].held, 1u);
    EXPECT_EQ(cpu[1].A, 1);
    EXPECT_EQ(M6809Irq(&cpu[1]), 0);
    EXPECT_EQ(cpu[1].running, 0u);
    Run(5, 2);
    EXPECT_EQ(cpu[1].A, 1);

    // A handler that resets its own CPU: the reset holds from the next turn.
    ram[0][0xFFFE] = 0x30;
    ram[0][0xFFFF] = 0x00;
    cpu[0].CC = 0;
    cpu[0].A = 3;
    Exec({0xB7, 0x40, 0x00});
    EXPECT_EQ(cpu[0].PC, 0x3000);
    EXPECT_EQ(cpu[0].CC, 0x50);
}

TEST_F(M6809Entry, IrqFirqAndNmi) {
    SetWord(0xFFF8, 0x2100);
    SetWord(0xFFF6, 0x2200);
    SetWord(0xFFFC, 0x2300);
    FillRegisters();
    cpu[0].PC = 0x1234;

    // Held: refused, nothing changes.
    cpu[0].held = 1;
    cpu[0].running = 0;
    EXPECT_EQ(M6809Irq(&cpu[0]), 0);
    EXPECT_EQ(M6809Firq(&cpu[0]), 0);
    M6809Nmi(&cpu[0]);
    EXPECT_EQ(cpu[0].running, 0u);
    EXPECT_EQ(cpu[0].PC, 0x1234);
    EXPECT_TRUE(writes.empty());

    // Masked: refused, but the CPU runs again; nothing pushed.
    cpu[0].held = 0;
    cpu[0].CC = kI;
    EXPECT_EQ(M6809Irq(&cpu[0]), 0);
    EXPECT_EQ(cpu[0].running, 1u);
    cpu[0].running = 0;
    cpu[0].CC = kF;
    EXPECT_EQ(M6809Firq(&cpu[0]), 0);
    EXPECT_EQ(cpu[0].running, 1u);
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(cpu[0].S, kStack);
    EXPECT_EQ(cpu[0].PC, 0x1234);

    // IRQ taken: 12 bytes with E set, I set, F kept (clear here).
    cpu[0].running = 0;
    cpu[0].CC = kN;
    EXPECT_EQ(M6809Irq(&cpu[0]), 1);
    EXPECT_EQ(cpu[0].running, 1u);
    EXPECT_EQ(cpu[0].PC, 0x2100);
    EXPECT_EQ(cpu[0].CC, kE | kI | kN);
    EXPECT_EQ(cpu[0].S, kStack - 12);
    const uint8_t frame[12] = {kE | kN, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x70, 0x00, 0x12, 0x34};
    EXPECT_EQ(std::memcmp(&ram[0][kStack - 12], frame, 12), 0);
    ASSERT_EQ(writes.size(), 12u);
    EXPECT_EQ(writes[0].address, kStack - 1); // PC low first
    EXPECT_EQ(writes[0].value, 0x34);

    // FIRQ taken: PC and CC only, E cleared, F and I set.
    cpu[0].S = kStack;
    cpu[0].PC = 0x1234;
    cpu[0].CC = kE | kZ;
    EXPECT_EQ(M6809Firq(&cpu[0]), 1);
    EXPECT_EQ(cpu[0].PC, 0x2200);
    EXPECT_EQ(cpu[0].CC, kF | kI | kZ);
    EXPECT_EQ(cpu[0].S, kStack - 3);
    EXPECT_EQ(ram[0][kStack - 3], kZ);
    EXPECT_EQ(Word(kStack - 2), 0x1234);

    // NMI ignores I and F and stacks the entire state.
    cpu[0].S = kStack;
    cpu[0].PC = 0x1234;
    cpu[0].CC = kF | kI;
    cpu[0].running = 0;
    M6809Nmi(&cpu[0]);
    EXPECT_EQ(cpu[0].running, 1u);
    EXPECT_EQ(cpu[0].PC, 0x2300);
    EXPECT_EQ(cpu[0].CC, kE | kF | kI);
    EXPECT_EQ(cpu[0].S, kStack - 12);
    EXPECT_EQ(ram[0][kStack - 12], kE | kF | kI);
}

TEST_F(M6809Entry, SyncAndCwaiWaitForInterrupts) {
    SetWord(0xFFF8, 0x2100);
    SetWord(0xFFF6, 0x2200);
    Load(0x2100, {0x3B}); // RTI
    Load(0x2200, {0x3B});

    // SYNC stops the CPU past its opcode; passes go by without it.
    cpu[0].CC = kI;
    Exec({0x13, 0x4C, 0x4C}, 5); // SYNC; INCA; INCA
    EXPECT_EQ(cpu[0].running, 0u);
    EXPECT_EQ(cpu[0].PC, kOrigin + 1);
    // A masked IRQ wakes it without stacking; it goes on after the SYNC.
    cpu[0].A = 0;
    EXPECT_EQ(M6809Irq(&cpu[0]), 0);
    Run(1);
    EXPECT_EQ(cpu[0].A, 1);
    EXPECT_TRUE(writes.empty());

    // With I clear, the IRQ enters its routine with all 12 bytes stacked.
    cpu[0].CC = 0;
    Exec({0x13, 0x4C}, 1);
    EXPECT_EQ(M6809Irq(&cpu[0]), 1);
    EXPECT_EQ(cpu[0].PC, 0x2100);
    EXPECT_EQ(cpu[0].S, kStack - 12);
    Run(2); // RTI pulls 12 bytes, then INCA
    EXPECT_EQ(cpu[0].S, kStack);
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);
    EXPECT_EQ(cpu[0].CC & kI, 0);

    // CWAI ANDs its immediate into CC, stops and stacks nothing; a FIRQ then
    // stacks its short frame, and RTI returns after the CWAI.
    cpu[0].CC = kF | kI | kC;
    cpu[0].A = 0;
    Exec({0x3C, 0xAF, 0x4C}, 3); // CWAI #$AF (clears F and I); INCA
    EXPECT_EQ(cpu[0].running, 0u);
    EXPECT_EQ(cpu[0].CC, kC);
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(cpu[0].S, kStack);
    EXPECT_EQ(M6809Firq(&cpu[0]), 1);
    EXPECT_EQ(cpu[0].S, kStack - 3);
    Run(2);
    EXPECT_EQ(cpu[0].A, 1);
    EXPECT_EQ(cpu[0].S, kStack);
    EXPECT_EQ(cpu[0].CC, kC);

    // A masked FIRQ after CWAI lets it continue after the CWAI.
    cpu[0].CC = 0;
    Exec({0x3C, 0xFF, 0x4C}, 1);
    cpu[0].CC |= kF;
    EXPECT_EQ(M6809Firq(&cpu[0]), 0);
    Run(1);
    EXPECT_EQ(cpu[0].A, 2);
}

TEST_F(M6809Entry, Breakpoints) {
    // INCA; INCA; INCA; BRA back to the start.
    Load(kOrigin, {0x4C, 0x4C, 0x4C, 0x20, 0xFB});
    M6809SetBreakpoint(&cpu[0], kOrigin + 1);
    EXPECT_EQ(cpu[0].breakpoints[(kOrigin + 1) >> 3], 1 << ((kOrigin + 1) & 7));
    cpu[0].PC = kOrigin;
    cpu[0].A = 0;
    Run(8); // two trips round the loop
    EXPECT_EQ(breaks, (std::vector<uint16_t>{kOrigin + 1, kOrigin + 1}));
    EXPECT_EQ(cpu[0].A, 6);

    // A hook that moves PC: the instruction at the new PC runs in this turn,
    // even when the hook stopped the CPU.
    onBreak = [](M6809Rig*, M6809Context* c) {
        c->PC = 0x2000;
        c->running = 0;
    };
    Load(0x2000, {0x86, 0x77}); // LDA #$77
    cpu[0].PC = kOrigin + 1;
    Run(1);
    EXPECT_EQ(breaks.size(), 1u);
    EXPECT_EQ(cpu[0].A, 0x77);
    EXPECT_EQ(cpu[0].PC, 0x2002);
    onBreak = nullptr;

    // Cleared, the address no longer calls the hook; neighbours never did.
    M6809ClearBreakpoint(&cpu[0], kOrigin + 1);
    for (uint8_t byte : cpu[0].breakpoints)
        ASSERT_EQ(byte, 0);
    M6809SetBreakpoint(&cpu[0], kOrigin + 5);
    M6809SetBreakpoint(&cpu[0], 0xFFFF);
    cpu[0].running = 1;
    cpu[0].PC = kOrigin;
    Run(8);
    EXPECT_TRUE(breaks.empty());

    // Breakpoints belong to their context: CPU 2 at the same address stops
    // only for its own bit.
    M6809SetBreakpoint(&cpu[1], kOrigin);
    Load(1, kOrigin, {0x12, 0x20, 0xFD});
    M6809Reset(&cpu[1]);
    cpu[0].PC = kOrigin;
    Run(2, 2);
    EXPECT_EQ(breaks, (std::vector<uint16_t>{kOrigin}));
}

} // namespace
