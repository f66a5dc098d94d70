// The entry points around the instructions: page tables, reset, the byte
// access functions, the bus order of pushes and stores, the run loop over
// several contexts, handlers that reset contexts mid-run, and interrupts.
#include <cstring>

#include "tests/z80/z80_rig.h"

namespace {

using Z80Entry = Z80Rig;

TEST_F(Z80Entry, PageTablesResetAndByteAccess) {
    Z80Context fresh;
    std::memset(&fresh, 0x5C, sizeof fresh);
    Z80InitPageTables(&fresh);
    for (int p = 0; p < 256; p++) {
        ASSERT_EQ(fresh.pages[p].memory, OpenBusPage);
        ASSERT_EQ(fresh.pages[p].write, &NullWrite);
        ASSERT_EQ(fresh.ioPages[p].memory, OpenBusPage);
        ASSERT_EQ(fresh.ioPages[p].write, &NullWrite);
    }
    EXPECT_EQ(fresh.BC, 0x5C5C); // registers untouched
    // Unmapped memory and every port of an untouched I/O map read 0xFF and
    // ignore writes.
    for (int port = 0; port < 65536; port += 251)
        ASSERT_EQ(Z80InByte(&fresh, uint16_t(port)), 0xFF);
    EXPECT_EQ(Z80InByte(&fresh, 0xFFFF), 0xFF);
    EXPECT_EQ(Z80ReadByte(&fresh, 0x1234), 0xFF);
    Z80WriteByte(&fresh, 0x1234, 0x00);
    Z80OutByte(&fresh, 0x1234, 0x00);
    EXPECT_EQ(Z80ReadByte(&fresh, 0x1234), 0xFF);
    for (int i = 0; i < 256; i++)
        ASSERT_EQ(OpenBusPage[i], 0xFF);

    // Reset sets only running, held, SP, PC, iff and im.
    fresh.iff = 3;
    fresh.im = 2;
    fresh.held = 1;
    fresh.running = 0;
    Z80Reset(&fresh);
    EXPECT_EQ(fresh.running, 1u);
    EXPECT_EQ(fresh.held, 0u);
    EXPECT_EQ(fresh.SP, 0);
    EXPECT_EQ(fresh.PC, 0);
    EXPECT_EQ(fresh.iff, 0);
    EXPECT_EQ(fresh.im, 0);
    EXPECT_EQ(fresh.AF, 0x5C5C);
    EXPECT_EQ(fresh.altHL, 0x5C5C);
    EXPECT_EQ(fresh.IY, 0x5C5C);
    EXPECT_EQ(fresh.I, 0x5C);
    EXPECT_EQ(fresh.R, 0x5C);

    // The byte functions go through the rig's pages and handlers.
    ram[0][0xABCD] = 0x42;
    EXPECT_EQ(Z80ReadByte(&cpu[0], 0xABCD), 0x42);
    Z80WriteByte(&cpu[0], 0xABCE, 0x43);
    EXPECT_EQ(ram[0][0xABCE], 0x43);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].address, 0xABCE);
    EXPECT_EQ(Z80InByte(&cpu[1], 0x1234), PortByte(0x1234));
    Z80OutByte(&cpu[1], 0x5678, 0x9A);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[1], (WriteRecord{1, true, 0x5678, 0x9A, cpu[0].SP, cpu[0].PC}));
}

// Write handlers that log which page they served.
std::vector<std::pair<int, uint16_t>> gPageLog;
template <int Tag> void TaggedWrite(uint8_t* page, uint16_t address, uint8_t value) {
    page[address & 0xFF] = value;
    gPageLog.push_back({Tag, address});
}

TEST_F(Z80Entry, WordsCrossPagesThroughEachPagesHandler) {
    cpu[0].pages[0x00].write = TaggedWrite<0>;
    cpu[0].pages[0xFF].write = TaggedWrite<0xFF>;
    // A push with SP = 0x0001: high byte at 0x0000 first, low byte at 0xFFFF.
    gPageLog.clear();
    cpu[0].SP = 0x0001;
    cpu[0].BC = 0xB1C2;
    Exec({0xC5});
    ASSERT_EQ(gPageLog.size(), 2u);
    EXPECT_EQ(gPageLog[0], (std::pair<int, uint16_t>{0, 0x0000}));
    EXPECT_EQ(gPageLog[1], (std::pair<int, uint16_t>{0xFF, 0xFFFF}));
    EXPECT_EQ(ram[0][0x0000], 0xB1);
    EXPECT_EQ(ram[0][0xFFFF], 0xC2);
    EXPECT_EQ(cpu[0].SP, 0xFFFF);

    // A 16-bit store to 0xFFFF: low byte at 0xFFFF first, high at 0x0000.
    gPageLog.clear();
    cpu[0].HL = 0xD3E4;
    Exec({0x22, 0xFF, 0xFF});
    ASSERT_EQ(gPageLog.size(), 2u);
    EXPECT_EQ(gPageLog[0], (std::pair<int, uint16_t>{0xFF, 0xFFFF}));
    EXPECT_EQ(gPageLog[1], (std::pair<int, uint16_t>{0, 0x0000}));
    EXPECT_EQ(ram[0][0xFFFF], 0xE4);
    EXPECT_EQ(ram[0][0x0000], 0xD3);

    // Reads come from the page's memory pointer, whatever it is.
    static uint8_t rom[256];
    for (int i = 0; i < 256; i++)
        rom[i] = uint8_t(255 - i);
    cpu[0].pages[0x40] = {rom, NullWrite};
    Exec({0x3A, 0x10, 0x40, 0x32, 0x10, 0x40, 0x3A, 0x10, 0x40}, 3); // a ROM byte survives a store
    EXPECT_EQ(cpu[0].AF >> 8, 0xEF);
    EXPECT_EQ(rom[0x10], 0xEF);
}

TEST_F(Z80Entry, RunCountsPassesAndVisitsInArrayOrder) {
    // Zero passes: nothing changes, R included, and the HALT waiting at PC
    // does not run.
    Load(0, 0x0000, {0x76});
    Z80Context was = cpu[0];
    Run(0, 3);
    EXPECT_EQ(cpu[0].R, was.R);
    EXPECT_EQ(cpu[0].PC, was.PC);
    EXPECT_EQ(cpu[0].running, 1u);
    EXPECT_EQ(cpu[1].R, 0);

    // Each CPU i loops storing 10*i, 10*i+1, ... to 0x8000; every pass gives
    // each running CPU one instruction, in array order.
    for (int i = 0; i < kCpus; i++) {
        Z80Reset(&cpu[i]);
        cpu[i].R = 0;
        Load(i, 0x0000,
             {0x3E, uint8_t(10 * i), 0x32, 0x00, 0x80, 0x3C, 0x18, 0xFA}); // LD A,n; LD (nn),A; INC A; JR
    }
    Run(5, 3);
    std::vector<std::pair<int, int>> order;
    for (const WriteRecord& w : writes)
        order.push_back({w.cpu, w.value});
    const std::vector<std::pair<int, int>> want = {{0, 0}, {1, 10}, {2, 20}, {0, 1}, {1, 11}, {2, 21}};
    EXPECT_EQ(order, want);
    for (int i = 0; i < kCpus; i++)
        EXPECT_EQ(cpu[i].R, 5);

    // A stopped context still counts R and executes nothing.
    cpu[1].running = 0;
    uint16_t pc1 = cpu[1].PC;
    Run(5, 3);
    EXPECT_EQ(cpu[1].R, 10);
    EXPECT_EQ(cpu[1].PC, pc1);
    ASSERT_EQ(writes.size(), 2u);
    for (const WriteRecord& w : writes)
        EXPECT_NE(w.cpu, 1);
    EXPECT_EQ(cpu[0].R, 10);
    EXPECT_EQ(cpu[2].R, 10);

    // All contexts stopped: the passes still go by.
    for (int i = 0; i < kCpus; i++)
        cpu[i].running = 0;
    Run(300, 3);
    for (int i = 0; i < kCpus; i++)
        EXPECT_EQ(cpu[i].R, uint8_t(10 + 300));

    // A run may start in the middle of the array.
    for (int i = 0; i < kCpus; i++)
        Z80Reset(&cpu[i]);
    Run(2, 2);
    EXPECT_EQ(cpu[0].PC, 5);
    EXPECT_EQ(cpu[1].PC, 5);
    EXPECT_EQ(cpu[2].PC, 0);
    writes.clear();
    Z80Run(2, &cpu[1], 2);
    EXPECT_EQ(cpu[0].PC, 5);
    EXPECT_EQ(cpu[1].PC, 2); // INC A, then JR back
    EXPECT_EQ(cpu[2].PC, 5);
}

TEST_F(Z80Entry, HandlersMayStartStopAndResetContextsMidPass) {
    // CPU 0 writes a latch at 0xC000: bit 0 resets CPU 2 (later in the
    // array), bit 1 resets CPU 1's, bit 2 stops CPU 1, bit 3 resets CPU 0
    // itself.
    onWrite = [](Z80Rig* rig, const WriteRecord& w) {
        if (w.port || w.address != 0xC000) return;
        if (w.value & 1) Z80Reset(&rig->cpu[2]);
        if (w.value & 2) Z80Reset(&rig->cpu[1]);
        if (w.value & 4) rig->cpu[1].running = 0;
        if (w.value & 8) Z80Reset(&rig->cpu[w.cpu]);
    };
    Load(0, 0x0000, {0x3E, 0x01, 0x32, 0x00, 0xC0}); // LD A,1; LD (0xC000),A
    Load(2, 0x0000, {0x32, 0x34, 0x12});             // CPU 2's first instruction stores A
    cpu[2].AF = 0x7700;
    Run(1, 3);
    EXPECT_EQ(cpu[2].PC, 0);
    Run(1, 3); // CPU 0's store starts CPU 2, which runs in the same pass
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].cpu, 0);
    EXPECT_EQ(writes[1], (WriteRecord{2, false, 0x1234, 0x77, cpu[0].SP, 5}));
    EXPECT_EQ(cpu[2].PC, 3);
    EXPECT_EQ(cpu[2].running, 1u);
    EXPECT_EQ(cpu[1].running, 0u);

    // CPU 2 resets CPU 0, which is earlier: the reset shows at the next pass.
    onWrite = [](Z80Rig* rig, const WriteRecord& w) {
        if (w.cpu == 2 && w.address == 0xC000) Z80Reset(&rig->cpu[0]);
    };
    Load(0, 0x0005, {0x00, 0x00});
    Load(2, 0x0003, {0x32, 0x00, 0xC0});
    cpu[0].PC = 5;
    Run(1, 3);
    EXPECT_EQ(cpu[0].PC, 0);
    EXPECT_EQ(cpu[0].SP, 0);
    Run(1, 3);
    EXPECT_EQ(cpu[0].PC, 2); // LD A,1 ran from address 0

    // A store that stops the context after it in the same pass.
    onWrite = [](Z80Rig* rig, const WriteRecord& w) {
        if (w.cpu == 0 && w.address == 0xC000) rig->cpu[1].running = 0;
    };
    Z80Reset(&cpu[1]);
    Load(1, 0x0000, {0x00, 0x00, 0x00});
    cpu[2].running = 0;
    Run(1, 3); // CPU 0's store stops CPU 1 before its turn
    EXPECT_EQ(cpu[1].PC, 0);

    // A handler that resets its own context: the reset holds from the next visit.
    onWrite = [](Z80Rig* rig, const WriteRecord& w) {
        if (w.address == 0xC000) Z80Reset(&rig->cpu[w.cpu]);
    };
    Load(0, 0x0200, {0x32, 0x00, 0xC0});
    cpu[0].PC = 0x0200;
    cpu[0].SP = 0x9000;
    cpu[0].iff = 3;
    cpu[0].running = 1;
    Run(1, 1);
    EXPECT_EQ(cpu[0].PC, 0);
    EXPECT_EQ(cpu[0].SP, 0);
    EXPECT_EQ(cpu[0].iff, 0);
    Run(1, 1);
    EXPECT_EQ(cpu[0].PC, 2);
    // through an OUT as well
    cpu[0].ioPages[0x00].write = [](uint8_t*, uint16_t, uint8_t) { Z80Reset(&current->cpu[0]); };
    Load(0, 0x0300, {0xD3, 0x10}); // OUT (0x10),A with A = 0: port 0x0010
    Load(0, 0x0000, {0x3E, 0x00});
    cpu[0].PC = 0x0300;
    cpu[0].AF = 0x0000;
    Run(1, 1);
    EXPECT_EQ(cpu[0].PC, 0);

    // A run line as the boards have it: CPU 1's store restarts CPU 1 itself
    // and CPU 2, which runs from 0x0000 in the same pass; CPU 1 at its next.
    onWrite = [](Z80Rig* rig, const WriteRecord& w) {
        if (w.cpu == 1 && w.address == 0xC000) {
            Z80Reset(&rig->cpu[1]);
            Z80Reset(&rig->cpu[2]);
        }
    };
    for (int i = 0; i < kCpus; i++)
        Z80Reset(&cpu[i]);
    Load(0, 0x0000, {0x00, 0x00});
    Load(1, 0x0000, {0x3E, 0x11, 0x32, 0x00, 0xC0}); // LD A,0x11; LD (0xC000),A
    Load(2, 0x0000, {0x3C, 0x3C, 0x3C});             // INC A ...
    cpu[2].AF = 0;
    Run(2, 3);
    EXPECT_EQ(cpu[1].PC, 0);
    EXPECT_EQ(cpu[2].PC, 1); // one INC, restart, one more INC from 0x0000
    EXPECT_EQ(cpu[2].AF >> 8, 2);
    Run(1, 3);
    EXPECT_EQ(cpu[1].PC, 2);
    EXPECT_EQ(cpu[2].PC, 2);
}

TEST_F(Z80Entry, TrapHookMayResetContexts) {
    Z80SetTrapHook([](Z80Context* c, uint16_t, int) {
        Z80Reset(c);
        Z80Reset(&current->cpu[1]);
    });
    Load(0, 0x0400, {0xED, 0x00});
    Load(1, 0x0000, {0x3E, 0x99});
    cpu[0].PC = 0x0400;
    Run(1, 2);
    EXPECT_EQ(cpu[0].PC, 0);
    EXPECT_EQ(cpu[1].PC, 2);
    EXPECT_EQ(cpu[1].AF >> 8, 0x99);
}

TEST_F(Z80Entry, MaskableInterrupts) {
    // After HALT with interrupts off: woken, refused, nothing pushed; the CPU
    // goes on after the HALT.
    Load(0, 0x0100, {0x76, 0x3E, 0x55});
    cpu[0].PC = 0x0100;
    cpu[0].SP = 0x9000;
    Run(3);
    EXPECT_EQ(cpu[0].running, 0u);
    EXPECT_EQ(cpu[0].PC, 0x0101);
    EXPECT_EQ(Z80Irq(&cpu[0], 0xFF), 0);
    EXPECT_EQ(cpu[0].running, 1u);
    EXPECT_EQ(cpu[0].SP, 0x9000);
    EXPECT_EQ(cpu[0].PC, 0x0101);
    EXPECT_EQ(cpu[0].iff, 0);
    Run(1);
    EXPECT_EQ(cpu[0].AF >> 8, 0x55);

    // iff 2 alone refuses as well.
    cpu[0].iff = 2;
    EXPECT_EQ(Z80Irq(&cpu[0], 0xFF), 0);
    EXPECT_EQ(cpu[0].iff, 2);

    // Held contexts refuse and stay as they were.
    for (uint32_t running : {0u, 1u}) {
        cpu[1].held = 1;
        cpu[1].running = running;
        cpu[1].iff = 3;
        cpu[1].PC = 0x1234;
        cpu[1].SP = 0x8000;
        EXPECT_EQ(Z80Irq(&cpu[1], 0xFF), 0);
        Z80Nmi(&cpu[1]);
        EXPECT_EQ(cpu[1].running, running);
        EXPECT_EQ(cpu[1].iff, 3);
        EXPECT_EQ(cpu[1].PC, 0x1234);
        EXPECT_EQ(cpu[1].SP, 0x8000);
    }
    EXPECT_TRUE(writes.empty());

    auto arm = [&](int im) {
        cpu[0].im = uint8_t(im);
        cpu[0].iff = 3;
        cpu[0].running = 0;
        cpu[0].PC = 0x1234;
        cpu[0].SP = 0x9000;
        writes.clear();
    };
    // Mode 0 with a non-RST byte: taken, interrupts off, nothing else.
    for (uint8_t data : {0x00, 0xC3, 0xC6, 0xFE}) {
        arm(0);
        EXPECT_EQ(Z80Irq(&cpu[0], data), 1);
        EXPECT_EQ(cpu[0].iff, 0);
        EXPECT_EQ(cpu[0].running, 1u);
        EXPECT_EQ(cpu[0].PC, 0x1234);
        EXPECT_EQ(cpu[0].SP, 0x9000);
        EXPECT_TRUE(writes.empty());
    }
    // Mode 0 with RST p.
    for (int p = 0; p < 8; p++) {
        arm(0);
        EXPECT_EQ(Z80Irq(&cpu[0], uint8_t(0xC7 + 8 * p)), 1);
        EXPECT_EQ(cpu[0].PC, 8 * p);
        EXPECT_EQ(cpu[0].SP, 0x8FFE);
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0], (WriteRecord{0, false, 0x8FFF, 0x12, 0x8FFF, 0x1234}));
        EXPECT_EQ(writes[1], (WriteRecord{0, false, 0x8FFE, 0x34, 0x8FFE, 0x1234}));
    }
    // Mode 1: whatever the byte, 0x0038.
    arm(1);
    EXPECT_EQ(Z80Irq(&cpu[0], 0x00), 1);
    EXPECT_EQ(cpu[0].PC, 0x0038);
    EXPECT_EQ(cpu[0].iff, 0);
    EXPECT_EQ(ram[0][0x8FFF], 0x12);
    EXPECT_EQ(ram[0][0x8FFE], 0x34);
    // Mode 2: the vector at I*256 + data, through the pages.
    arm(2);
    cpu[0].I = 0x30;
    ram[0][0x3010] = 0xCD;
    ram[0][0x3011] = 0xAB;
    EXPECT_EQ(Z80Irq(&cpu[0], 0x10), 1);
    EXPECT_EQ(cpu[0].PC, 0xABCD);
    EXPECT_EQ(cpu[0].SP, 0x8FFE);
    // I = 0xFF, data 0xFF: low byte from 0xFFFF, high from 0x0000
    arm(2);
    cpu[0].I = 0xFF;
    ram[0][0xFFFF] = 0x21;
    ram[0][0x0000] = 0x43;
    EXPECT_EQ(Z80Irq(&cpu[0], 0xFF), 1);
    EXPECT_EQ(cpu[0].PC, 0x4321);
    // A mode outside 0-2: taken, interrupts off, nothing more.
    arm(3);
    EXPECT_EQ(Z80Irq(&cpu[0], 0xFF), 1);
    EXPECT_EQ(cpu[0].iff, 0);
    EXPECT_EQ(cpu[0].PC, 0x1234);
    EXPECT_TRUE(writes.empty());
}

TEST_F(Z80Entry, NonMaskableInterrupts) {
    for (uint8_t iff : {0, 2, 3}) {
        cpu[0].iff = iff;
        cpu[0].running = 0;
        cpu[0].PC = 0x4567;
        cpu[0].SP = 0x9000;
        writes.clear();
        Z80Nmi(&cpu[0]);
        EXPECT_EQ(cpu[0].iff, iff & 2);
        EXPECT_EQ(cpu[0].running, 1u);
        EXPECT_EQ(cpu[0].PC, 0x0066);
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0], (WriteRecord{0, false, 0x8FFF, 0x45, 0x8FFF, 0x4567}));
        EXPECT_EQ(writes[1], (WriteRecord{0, false, 0x8FFE, 0x67, 0x8FFE, 0x4567}));
        // RETN at 0x0066 restores IFF1 from IFF2 and returns.
        Load(0x0066, {0xED, 0x45});
        Run(1);
        EXPECT_EQ(cpu[0].iff, iff ? 3 : 0);
        EXPECT_EQ(cpu[0].PC, 0x4567);
        EXPECT_EQ(cpu[0].SP, 0x9000);
    }
}

TEST_F(Z80Entry, InterruptInTheMiddleOfABlockInstruction) {
    // CPU 0 copies with LDIR while CPU 1 counts; R counts one per iteration.
    Z80Reset(&cpu[1]);
    Load(1, 0x0000, {0x3C, 0x18, 0xFD}); // INC A; JR -3
    cpu[1].AF = 0;
    Load(0, 0x0200, {0xED, 0xB0});
    Load(0, 0x0038, {0xFB, 0xC9}); // EI; RET
    for (int i = 0; i < 6; i++)
        ram[0][0x5000 + i] = uint8_t(0xA0 + i);
    cpu[0].PC = 0x0200;
    cpu[0].SP = 0x9000;
    cpu[0].HL = 0x5000;
    cpu[0].DE = 0x6000;
    cpu[0].BC = 6;
    cpu[0].im = 1;
    cpu[0].iff = 3;
    cpu[0].R = 0;
    Run(2, 2);
    EXPECT_EQ(cpu[0].BC, 4);
    EXPECT_EQ(cpu[0].PC, 0x0200);
    EXPECT_EQ(cpu[1].AF >> 8, 1); // CPU 1 ran between the iterations
    EXPECT_EQ(Z80Irq(&cpu[0], 0xFF), 1);
    EXPECT_EQ(ram[0][0x8FFF], 0x02); // the pushed PC is the LDIR itself
    EXPECT_EQ(ram[0][0x8FFE], 0x00);
    Run(2, 2); // EI; RET
    EXPECT_EQ(cpu[0].PC, 0x0200);
    Run(4, 2);
    EXPECT_EQ(cpu[0].BC, 0);
    EXPECT_EQ(cpu[0].PC, 0x0202);
    EXPECT_EQ(cpu[0].R, 8);
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(ram[0][0x6000 + i], 0xA0 + i);
}

} // namespace
