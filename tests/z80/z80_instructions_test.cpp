// Instruction semantics, group by group: loads and exchanges, 8- and 16-bit
// arithmetic with the table flag rules, rotates and shifts, bit operations,
// jumps, calls and returns, CPU control, I/O and the block instructions.
#include <algorithm>
#include <iterator>
#include <vector>

#include "tests/z80/z80_reference.h"
#include "tests/z80/z80_rig.h"

namespace {

using Z80Instructions = Z80Rig;

constexpr uint8_t kIX = 0xDD, kIY = 0xFD;

// Flag mask and wanted value of condition code y (NZ Z NC C PO PE P M).
struct Condition {
    uint8_t mask, whenTrue;
};
Condition Cond(int y) {
    static const uint8_t masks[4] = {ref::Z, ref::C, ref::V, ref::S};
    uint8_t m = masks[y >> 1];
    return {m, uint8_t(y & 1 ? m : 0)};
}

// Runs one instruction already loaded at kOrigin with the given A, F and B.
struct Runner {
    Z80Rig& rig;
    void operator()(uint8_t a, uint8_t f) {
        rig.cpu[0].PC = Z80Rig::kOrigin;
        rig.SetAF(a, f);
        Z80Run(1, rig.cpu, 1);
    }
};

TEST_F(Z80Instructions, LoadsBetweenRegisters) {
    for (int y = 0; y < 8; y++)
        for (int z = 0; z < 8; z++) {
            if (y == 6 || z == 6) continue;
            FillRegisters();
            Z80Context was = cpu[0];
            Exec({uint8_t(0x40 + 8 * y + z)});
            uint8_t want = *Reg8(was, z);
            *Reg8(was, y) = want;
            EXPECT_TRUE(SameButPcAndR(cpu[0], was)) << y << "," << z;
            EXPECT_EQ(cpu[0].PC, kOrigin + 1);
        }
}

TEST_F(Z80Instructions, LoadsWithMemoryAndImmediates) {
    for (int r = 0; r < 8; r++) {
        if (r == 6) continue;
        FillRegisters();
        Exec({uint8_t(0x06 + 8 * r), 0xC3}); // LD r,n
        EXPECT_EQ(*Reg8(cpu[0], r), 0xC3);
        EXPECT_EQ(cpu[0].PC, kOrigin + 2);

        FillRegisters();
        cpu[0].HL = 0x4321;
        ram[0][0x4321] = 0x9E;
        Exec({uint8_t(0x46 + 8 * r)}); // LD r,(HL)
        EXPECT_EQ(*Reg8(cpu[0], r), 0x9E);

        FillRegisters();
        cpu[0].HL = 0x4321;
        uint8_t value = *Reg8(cpu[0], r);
        Exec({uint8_t(0x70 + r)}); // LD (HL),r
        EXPECT_EQ(ram[0][0x4321], value);
        ASSERT_EQ(writes.size(), 1u);
        EXPECT_EQ(writes[0].address, 0x4321);
    }
    FillRegisters();
    cpu[0].HL = 0x2222;
    Exec({0x36, 0x5D}); // LD (HL),n
    EXPECT_EQ(ram[0][0x2222], 0x5D);
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);

    FillRegisters();
    ram[0][0x1122] = 0x01;
    ram[0][0x3344] = 0x02;
    ram[0][0xBEEF] = 0x03;
    Exec({0x0A}); // LD A,(BC)
    EXPECT_EQ(A(), 0x01);
    Exec({0x1A}); // LD A,(DE)
    EXPECT_EQ(A(), 0x02);
    Exec({0x3A, 0xEF, 0xBE}); // LD A,(nn)
    EXPECT_EQ(A(), 0x03);
    EXPECT_EQ(cpu[0].PC, kOrigin + 3);
    SetA(0x44);
    Exec({0x02});             // LD (BC),A
    Exec({0x12});             // LD (DE),A
    Exec({0x32, 0x00, 0xC0}); // LD (nn),A
    EXPECT_EQ(ram[0][0x1122], 0x44);
    EXPECT_EQ(ram[0][0x3344], 0x44);
    EXPECT_EQ(ram[0][0xC000], 0x44);
    EXPECT_EQ(F(), 0xA9); // no load touches the flags
}

TEST_F(Z80Instructions, IndexedLoads) {
    for (uint8_t prefix : {kIX, kIY}) {
        auto index = [&]() -> uint16_t& { return prefix == kIX ? cpu[0].IX : cpu[0].IY; };
        for (int r = 0; r < 8; r++) {
            if (r == 6) continue;
            for (int d : {5, -3, 127, -128}) {
                FillRegisters();
                index() = 0x6000;
                ram[0][uint16_t(0x6000 + d)] = uint8_t(0x30 + r);
                Exec({prefix, uint8_t(0x46 + 8 * r), uint8_t(d)}); // LD r,(IX+d): H and L are the real ones
                EXPECT_EQ(*Reg8(cpu[0], r), 0x30 + r);
                EXPECT_EQ(cpu[0].PC, kOrigin + 3);
                EXPECT_EQ(index(), 0x6000);

                FillRegisters();
                index() = 0x6000;
                uint8_t value = *Reg8(cpu[0], r);
                Exec({prefix, uint8_t(0x70 + r), uint8_t(d)}); // LD (IX+d),r
                ASSERT_EQ(writes.size(), 1u);
                EXPECT_EQ(writes[0].address, uint16_t(0x6000 + d));
                EXPECT_EQ(writes[0].value, value);
                EXPECT_EQ(writes[0].pc, kOrigin + 3); // PC stored before the write
            }
        }
        // LD (IX+d),n: d first, then n; PC past both when the write happens
        FillRegisters();
        index() = 0xFFF0;
        Exec({prefix, 0x36, 0x20, 0x77});
        ASSERT_EQ(writes.size(), 1u);
        EXPECT_EQ(writes[0].address, 0x0010); // the sum wraps
        EXPECT_EQ(writes[0].value, 0x77);
        EXPECT_EQ(writes[0].pc, kOrigin + 4);
        EXPECT_EQ(cpu[0].PC, kOrigin + 4);
        index() = 0x5000;
        Exec({prefix, 0x36, 0x80, 0x78});
        EXPECT_EQ(ram[0][0x5000 - 128], 0x78);

        // The halves: LD IXh,n / LD IXl,n, to and from B C D E A
        FillRegisters();
        index() = 0x0000;
        Exec({prefix, 0x26, 0xAB, prefix, 0x2E, 0xCD}, 2);
        EXPECT_EQ(index(), 0xABCD);
        EXPECT_EQ(cpu[0].HL, 0x5566);
        for (int r : {0, 1, 2, 3, 7}) {
            FillRegisters();
            index() = 0x1357;
            Exec({prefix, uint8_t(0x44 + 8 * r)}); // LD r,IXh
            EXPECT_EQ(*Reg8(cpu[0], r), 0x13);
            Exec({prefix, uint8_t(0x45 + 8 * r)}); // LD r,IXl
            EXPECT_EQ(*Reg8(cpu[0], r), 0x57);
            FillRegisters();
            index() = 0x0000;
            uint8_t value = *Reg8(cpu[0], r);
            Exec({prefix, uint8_t(0x60 + r), prefix, uint8_t(0x68 + r)}, 2); // LD IXh,r; LD IXl,r
            EXPECT_EQ(index(), value << 8 | value);
            EXPECT_EQ(cpu[0].HL, 0x5566);
        }
    }
}

TEST_F(Z80Instructions, SixteenBitLoadsAndStores) {
    static const uint8_t opLoad[4] = {0x01, 0x11, 0x21, 0x31};
    for (int p = 0; p < 4; p++) {
        FillRegisters();
        Exec({opLoad[p], 0x34, 0x12});
        uint16_t got[4] = {cpu[0].BC, cpu[0].DE, cpu[0].HL, cpu[0].SP};
        EXPECT_EQ(got[p], 0x1234);
        EXPECT_EQ(cpu[0].PC, kOrigin + 3);
    }
    FillRegisters();
    Exec({0xDD, 0x21, 0x34, 0x12, 0xFD, 0x21, 0x78, 0x56}, 2);
    EXPECT_EQ(cpu[0].IX, 0x1234);
    EXPECT_EQ(cpu[0].IY, 0x5678);

    // Stores: low byte at n first, then high at n + 1, wrapping at 0xFFFF.
    struct Store {
        std::vector<uint8_t> prefix;
        uint16_t Z80Context::*reg;
    };
    const Store stores[] = {{{0x22}, &Z80Context::HL},       {{0xED, 0x43}, &Z80Context::BC},
                            {{0xED, 0x53}, &Z80Context::DE}, {{0xED, 0x73}, &Z80Context::SP},
                            {{0xDD, 0x22}, &Z80Context::IX}, {{0xFD, 0x22}, &Z80Context::IY}};
    for (const Store& s : stores)
        for (uint16_t at : {0x4000, 0xFFFF}) {
            FillRegisters();
            cpu[0].*s.reg = 0xA1B2;
            size_t n = s.prefix.size();
            for (size_t i = 0; i < n; i++)
                ram[0][kOrigin + i] = s.prefix[i];
            ram[0][kOrigin + n] = uint8_t(at);
            ram[0][kOrigin + n + 1] = uint8_t(at >> 8);
            cpu[0].PC = kOrigin;
            Run(1);
            ASSERT_EQ(writes.size(), 2u);
            EXPECT_EQ(writes[0].address, at);
            EXPECT_EQ(writes[0].value, 0xB2);
            EXPECT_EQ(writes[1].address, uint16_t(at + 1));
            EXPECT_EQ(writes[1].value, 0xA1);
            EXPECT_EQ(cpu[0].PC, kOrigin + n + 2);
        }
    // Loads: low byte from n, high from n + 1.
    const Store loads[] = {{{0x2A}, &Z80Context::HL},       {{0xED, 0x4B}, &Z80Context::BC},
                           {{0xED, 0x5B}, &Z80Context::DE}, {{0xED, 0x7B}, &Z80Context::SP},
                           {{0xDD, 0x2A}, &Z80Context::IX}, {{0xFD, 0x2A}, &Z80Context::IY}};
    for (const Store& s : loads) {
        FillRegisters();
        ram[0][0xFFFF] = 0xC4;
        ram[0][0x0000] = 0xD5;
        size_t n = s.prefix.size();
        for (size_t i = 0; i < n; i++)
            ram[0][kOrigin + i] = s.prefix[i];
        ram[0][kOrigin + n] = 0xFF;
        ram[0][kOrigin + n + 1] = 0xFF;
        cpu[0].PC = kOrigin;
        Run(1);
        EXPECT_EQ(cpu[0].*s.reg, 0xD5C4);
        EXPECT_EQ(cpu[0].PC, kOrigin + n + 2);
    }
    FillRegisters();
    Exec({0xF9}); // LD SP,HL
    EXPECT_EQ(cpu[0].SP, 0x5566);
    Exec({0xDD, 0xF9});
    EXPECT_EQ(cpu[0].SP, 0x8899);
    Exec({0xFD, 0xF9});
    EXPECT_EQ(cpu[0].SP, 0xAABB);
}

TEST_F(Z80Instructions, PushAndPop) {
    struct Pair {
        std::vector<uint8_t> push, pop;
        uint16_t Z80Context::*reg;
    };
    const Pair pairs[] = {{{0xC5}, {0xC1}, &Z80Context::BC},
                          {{0xD5}, {0xD1}, &Z80Context::DE},
                          {{0xE5}, {0xE1}, &Z80Context::HL},
                          {{0xF5}, {0xF1}, &Z80Context::AF},
                          {{0xDD, 0xE5}, {0xDD, 0xE1}, &Z80Context::IX},
                          {{0xFD, 0xE5}, {0xFD, 0xE1}, &Z80Context::IY}};
    for (const Pair& p : pairs) {
        FillRegisters();
        cpu[0].*p.reg = 0x12EF;
        for (size_t i = 0; i < p.push.size(); i++)
            ram[0][kOrigin + i] = p.push[i];
        cpu[0].PC = kOrigin;
        Run(1);
        // high byte at SP - 1 first, then low at SP - 2; SP stored before each write
        ASSERT_EQ(writes.size(), 2u);
        EXPECT_EQ(writes[0],
                  (WriteRecord{0, false, 0x8FFF, 0x12, 0x8FFF, uint16_t(kOrigin + p.push.size())}));
        EXPECT_EQ(writes[1],
                  (WriteRecord{0, false, 0x8FFE, 0xEF, 0x8FFE, uint16_t(kOrigin + p.push.size())}));
        EXPECT_EQ(cpu[0].SP, 0x8FFE);

        cpu[0].*p.reg = 0;
        ram[0][0x8FFE] = 0x28; // POP AF takes F whole, bits 5 and 3 included
        for (size_t i = 0; i < p.pop.size(); i++)
            ram[0][kOrigin + i] = p.pop[i];
        cpu[0].PC = kOrigin;
        Run(1);
        EXPECT_EQ(cpu[0].*p.reg, 0x1228);
        EXPECT_EQ(cpu[0].SP, 0x9000);
        EXPECT_TRUE(writes.empty());
    }
    // A pop at the top of memory wraps.
    FillRegisters();
    cpu[0].SP = 0xFFFF;
    ram[0][0xFFFF] = 0x34;
    ram[0][0x0000] = 0x12;
    Exec({0xC1});
    EXPECT_EQ(cpu[0].BC, 0x1234);
    EXPECT_EQ(cpu[0].SP, 0x0001);
}

TEST_F(Z80Instructions, Exchanges) {
    FillRegisters();
    Exec({0x08}); // EX AF,AF'
    EXPECT_EQ(cpu[0].AF, 0xF1F2);
    EXPECT_EQ(cpu[0].altAF, 0x77A9);
    Exec({0xD9}); // EXX
    EXPECT_EQ(cpu[0].BC, 0xC1C2);
    EXPECT_EQ(cpu[0].DE, 0xD1D2);
    EXPECT_EQ(cpu[0].HL, 0xE1E2);
    EXPECT_EQ(cpu[0].altBC, 0x1122);
    EXPECT_EQ(cpu[0].altDE, 0x3344);
    EXPECT_EQ(cpu[0].altHL, 0x5566);
    EXPECT_EQ(cpu[0].AF, 0xF1F2);
    Exec({0xEB}); // EX DE,HL
    EXPECT_EQ(cpu[0].DE, 0xE1E2);
    EXPECT_EQ(cpu[0].HL, 0xD1D2);

    // EX (SP),HL / IX / IY: both bytes read, then low written at SP, high at SP + 1
    struct Ex {
        std::vector<uint8_t> code;
        uint16_t Z80Context::*reg;
    };
    for (const Ex& x :
         {Ex{{0xE3}, &Z80Context::HL}, Ex{{0xDD, 0xE3}, &Z80Context::IX}, Ex{{0xFD, 0xE3}, &Z80Context::IY}})
        for (uint16_t sp : {0x7000, 0xFFFF}) {
            FillRegisters();
            cpu[0].SP = sp;
            cpu[0].*x.reg = 0xA1B2;
            ram[0][sp] = 0x0C;
            ram[0][uint16_t(sp + 1)] = 0x0D;
            for (size_t i = 0; i < x.code.size(); i++)
                ram[0][kOrigin + i] = x.code[i];
            cpu[0].PC = kOrigin;
            Run(1);
            EXPECT_EQ(cpu[0].*x.reg, 0x0D0C);
            EXPECT_EQ(cpu[0].SP, sp);
            ASSERT_EQ(writes.size(), 2u);
            EXPECT_EQ(writes[0].address, sp);
            EXPECT_EQ(writes[0].value, 0xB2);
            EXPECT_EQ(writes[1].address, uint16_t(sp + 1));
            EXPECT_EQ(writes[1].value, 0xA1);
        }
}

TEST_F(Z80Instructions, SixteenBitIncrementAndDecrementWrapWithoutFlags) {
    struct Case {
        std::vector<uint8_t> code;
        uint16_t Z80Context::*reg;
        uint16_t from, to;
    };
    const Case cases[] = {
        {{0x03}, &Z80Context::BC, 0xFFFF, 0x0000},       {{0x0B}, &Z80Context::BC, 0x0000, 0xFFFF},
        {{0x13}, &Z80Context::DE, 0x00FF, 0x0100},       {{0x1B}, &Z80Context::DE, 0x0100, 0x00FF},
        {{0x23}, &Z80Context::HL, 0x7FFF, 0x8000},       {{0x2B}, &Z80Context::HL, 0x8000, 0x7FFF},
        {{0x33}, &Z80Context::SP, 0xFFFF, 0x0000},       {{0x3B}, &Z80Context::SP, 0x0000, 0xFFFF},
        {{0xDD, 0x23}, &Z80Context::IX, 0xFFFF, 0x0000}, {{0xDD, 0x2B}, &Z80Context::IX, 0x0000, 0xFFFF},
        {{0xFD, 0x23}, &Z80Context::IY, 0x12FF, 0x1300}, {{0xFD, 0x2B}, &Z80Context::IY, 0x1300, 0x12FF},
    };
    for (const Case& k : cases) {
        FillRegisters();
        cpu[0].*k.reg = k.from;
        Z80Context was = cpu[0];
        for (size_t i = 0; i < k.code.size(); i++)
            ram[0][kOrigin + i] = k.code[i];
        cpu[0].PC = kOrigin;
        Run(1);
        was.*k.reg = k.to;
        EXPECT_TRUE(SameButPcAndR(cpu[0], was)) << int(k.code.back());
    }
}

// The expected A and F of ALU operation op (ADD ADC SUB SBC AND XOR OR CP).
ref::Result Alu(int op, unsigned a, unsigned s, unsigned carry) {
    switch (op) {
        case 0: return ref::Add(a, s, 0);
        case 1: return ref::Add(a, s, carry);
        case 2: return ref::Sub(a, s, 0);
        case 3: return ref::Sub(a, s, carry);
        case 4: return {a & s, uint8_t(ref::Szp(a & s) | ref::H)};
        case 5: return {a ^ s, ref::Szp(a ^ s)};
        case 6: return {a | s, ref::Szp(a | s)};
        default: return {a, ref::Sub(a, s, 0).f};
    }
}

TEST_F(Z80Instructions, AluOperationsCoverEveryOperandPair) {
    Runner run{*this};
    int wrong = 0;
    for (int op = 0; op < 8; op++) {
        Load(kOrigin, {uint8_t(0x80 + 8 * op)}); // op A,B
        for (unsigned a = 0; a < 256; a++)
            for (unsigned s = 0; s < 256; s++)
                for (unsigned carry = 0; carry < 2; carry++) {
                    cpu[0].BC = uint16_t(s << 8 | 0x5A);
                    uint8_t fin = uint8_t(((a ^ s) & 0xFE) | 0x28 | carry); // bits 5 and 3 set going in
                    run(uint8_t(a), fin);
                    ref::Result want = Alu(op, a, s, carry);
                    if ((A() != (want.r & 0xFF) || F() != want.f) && wrong++ < 10)
                        ADD_FAILURE()
                            << "op " << op << " A " << a << " s " << s << " C " << carry << ": A " << int(A())
                            << " F " << int(F()) << ", want " << want.r << " / " << int(want.f);
                }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Z80Instructions, AluOperandForms) {
    // Each form fetches its operand 0x3C; A = 0x25 and C set going in.
    struct Form {
        std::vector<uint8_t> before; // bytes before the operation's own byte
        int low;                     // low three bits of the operation byte
        std::vector<uint8_t> after;  // bytes after it
        void (*setup)(Z80Rig&);
    };
    const Form forms[] = {
        {{}, 0, {}, [](Z80Rig& r) { r.cpu[0].BC = 0x3C00; }},
        {{}, 1, {}, [](Z80Rig& r) { r.cpu[0].BC = 0x003C; }},
        {{}, 2, {}, [](Z80Rig& r) { r.cpu[0].DE = 0x3C00; }},
        {{}, 3, {}, [](Z80Rig& r) { r.cpu[0].DE = 0x003C; }},
        {{}, 4, {}, [](Z80Rig& r) { r.cpu[0].HL = 0x3C00; }},
        {{}, 5, {}, [](Z80Rig& r) { r.cpu[0].HL = 0x003C; }},
        {{}, 6, {}, [](Z80Rig& r) { r.cpu[0].HL = 0x7000, r.ram[0][0x7000] = 0x3C; }},
        {{0xDD}, 6, {0xFE}, [](Z80Rig& r) { r.cpu[0].IX = 0x7002, r.ram[0][0x7000] = 0x3C; }},
        {{0xFD}, 6, {0x02}, [](Z80Rig& r) { r.cpu[0].IY = 0x6FFE, r.ram[0][0x7000] = 0x3C; }},
        {{0xDD}, 4, {}, [](Z80Rig& r) { r.cpu[0].IX = 0x3C00; }},
        {{0xDD}, 5, {}, [](Z80Rig& r) { r.cpu[0].IX = 0x003C; }},
        {{0xFD}, 4, {}, [](Z80Rig& r) { r.cpu[0].IY = 0x3C00; }},
        {{0xFD}, 5, {}, [](Z80Rig& r) { r.cpu[0].IY = 0x003C; }},
    };
    for (int op = 0; op < 8; op++) {
        ref::Result want = Alu(op, 0x25, 0x3C, 1);
        for (const Form& form : forms) {
            FillRegisters();
            form.setup(*this);
            SetAF(0x25, 0x01);
            std::vector<uint8_t> code = form.before;
            code.push_back(uint8_t(0x80 + 8 * op + form.low));
            code.insert(code.end(), form.after.begin(), form.after.end());
            for (size_t i = 0; i < code.size(); i++)
                ram[0][kOrigin + i] = code[i];
            cpu[0].PC = kOrigin;
            Run(1);
            EXPECT_EQ(A(), want.r) << op << " " << form.low << " " << form.before.size();
            EXPECT_EQ(F(), want.f) << op << " " << form.low << " " << form.before.size();
            EXPECT_EQ(cpu[0].PC, kOrigin + code.size());
        }
        // immediate form
        FillRegisters();
        SetAF(0x25, 0x01);
        Exec({uint8_t(0xC6 + 8 * op), 0x3C});
        EXPECT_EQ(A(), want.r);
        EXPECT_EQ(F(), want.f);
        EXPECT_EQ(cpu[0].PC, kOrigin + 2);
        // with A itself
        ref::Result self = Alu(op, 0x25, 0x25, 1);
        SetAF(0x25, 0x01);
        Exec({uint8_t(0x87 + 8 * op)});
        EXPECT_EQ(A(), self.r);
        EXPECT_EQ(F(), self.f);
    }
}

TEST_F(Z80Instructions, IncrementAndDecrementKeepCarry) {
    constexpr uint8_t kKept = ref::S | ref::Z | ref::H | ref::V | ref::N;
    for (int r = 0; r < 8; r++) {
        if (r == 6) continue;
        for (unsigned v = 0; v < 256; v++)
            for (uint8_t fin : {0x00, 0xFF, 0x28, 0xD7}) {
                FillRegisters();
                *Reg8(cpu[0], r) = uint8_t(v);
                SetF(fin);
                Exec({uint8_t(0x04 + 8 * r)}); // INC r
                ref::Result inc = ref::Add(1, v, 0);
                ASSERT_EQ(*Reg8(cpu[0], r), inc.r) << r << " " << v;
                ASSERT_EQ(F(), (fin & ref::C) | (inc.f & kKept)) << r << " " << v;

                *Reg8(cpu[0], r) = uint8_t(v);
                SetF(fin);
                Exec({uint8_t(0x05 + 8 * r)}); // DEC r
                ref::Result dec = ref::Sub(v, 1, 0);
                ASSERT_EQ(*Reg8(cpu[0], r), dec.r) << r << " " << v;
                ASSERT_EQ(F(), (fin & ref::C) | (dec.f & kKept)) << r << " " << v;
            }
    }
    // Memory forms read, compute, then write through the handler.
    for (unsigned v : {0x00, 0x0F, 0x7F, 0x80, 0xFF}) {
        ref::Result inc = ref::Add(1, v, 0), dec = ref::Sub(v, 1, 0);
        FillRegisters();
        cpu[0].HL = 0x7100;
        ram[0][0x7100] = uint8_t(v);
        SetF(0x01);
        Exec({0x34});
        EXPECT_EQ(ram[0][0x7100], inc.r);
        EXPECT_EQ(F(), 0x01 | (inc.f & kKept));
        ASSERT_EQ(writes.size(), 1u);
        ram[0][0x7100] = uint8_t(v);
        SetF(0x00);
        Exec({0x35});
        EXPECT_EQ(ram[0][0x7100], dec.r);
        EXPECT_EQ(F(), dec.f & kKept);
        for (uint8_t prefix : {kIX, kIY}) {
            cpu[0].IX = cpu[0].IY = 0x7180;
            ram[0][0x7100] = uint8_t(v);
            SetF(0x01);
            Exec({prefix, 0x34, 0x80}); // INC (IX-128)
            EXPECT_EQ(ram[0][0x7100], inc.r);
            EXPECT_EQ(F(), 0x01 | (inc.f & kKept));
            EXPECT_EQ(cpu[0].PC, kOrigin + 3);
            SetF(0x01);
            Exec({prefix, 0x35, 0x80});
            EXPECT_EQ(ram[0][0x7100], v);
            // the halves
            uint16_t& index = prefix == kIX ? cpu[0].IX : cpu[0].IY;
            index = uint16_t(v << 8 | v);
            SetF(0x00);
            Exec({prefix, 0x24, prefix, 0x2D}, 2); // INC IXh; DEC IXl
            EXPECT_EQ(index, uint16_t(inc.r << 8 | dec.r));
            EXPECT_EQ(F(), dec.f & kKept);
        }
    }
}

TEST_F(Z80Instructions, NegDaaCplScfCcf) {
    for (unsigned a = 0; a < 256; a++) {
        SetAF(uint8_t(a), 0x29);
        Exec({0xED, 0x44});
        ref::Result neg = ref::Sub(0, a, 0);
        ASSERT_EQ(A(), neg.r);
        ASSERT_EQ(F(), neg.f);
        ASSERT_EQ(bool(F() & ref::C), a != 0);
        ASSERT_EQ(bool(F() & ref::V), a == 0x80);

        for (unsigned k = 0; k < 8; k++) {
            uint8_t fin = uint8_t((k & 4 ? ref::H : 0) | (k & 2 ? ref::N : 0) | (k & 1 ? ref::C : 0) | 0x28 |
                                  ref::S | ref::V);
            SetAF(uint8_t(a), fin);
            Exec({0x27});
            ref::Result daa = ref::Daa(a, k & 4, k & 2, k & 1);
            ASSERT_EQ(A(), daa.r) << a << " " << k;
            ASSERT_EQ(F(), daa.f) << a << " " << k;
        }
    }
    for (unsigned fin = 0; fin < 256; fin++) {
        SetAF(0x5A, uint8_t(fin));
        Exec({0x2F}); // CPL: the other flags, bits 5 and 3 included, stay
        ASSERT_EQ(A(), 0xA5);
        ASSERT_EQ(F(), fin | ref::H | ref::N);
        SetAF(0x5A, uint8_t(fin));
        Exec({0x37}); // SCF
        ASSERT_EQ(F(), (fin & (ref::S | ref::Z | ref::V)) | ref::C);
        SetAF(0x5A, uint8_t(fin));
        Exec({0x3F}); // CCF: C inverted, H cleared
        ASSERT_EQ(F(), (fin & (ref::S | ref::Z | ref::V)) | (~fin & ref::C));
        ASSERT_EQ(A(), 0x5A);
    }
    SetAF(0x00, ref::C | ref::H);
    Exec({0x3F});
    EXPECT_EQ(F(), 0x00);
}

// Deterministic pseudo-random 16-bit values.
struct Lcg {
    uint32_t state = 12345;
    uint16_t Next() {
        state = state * 1103515245u + 12345u;
        return uint16_t(state >> 12);
    }
};

TEST_F(Z80Instructions, SixteenBitAdd) {
    struct Add {
        std::vector<uint8_t> code;
        uint16_t Z80Context::*dst;
        uint16_t Z80Context::*src; // nullptr: the destination itself
    };
    using C = Z80Context;
    const Add adds[] = {
        {{0x09}, &C::HL, &C::BC},        {{0x19}, &C::HL, &C::DE},        {{0x29}, &C::HL, nullptr},
        {{0x39}, &C::HL, &C::SP},        {{0xDD, 0x09}, &C::IX, &C::BC},  {{0xDD, 0x19}, &C::IX, &C::DE},
        {{0xDD, 0x29}, &C::IX, nullptr}, {{0xDD, 0x39}, &C::IX, &C::SP},  {{0xFD, 0x09}, &C::IY, &C::BC},
        {{0xFD, 0x19}, &C::IY, &C::DE},  {{0xFD, 0x29}, &C::IY, nullptr}, {{0xFD, 0x39}, &C::IY, &C::SP},
    };
    Lcg lcg;
    for (const Add& add : adds)
        for (int i = 0; i < 600; i++) {
            uint16_t x = lcg.Next(), y = lcg.Next();
            if (i == 0) x = 0x0FFF, y = 0x0001; // carry out of bit 11: H stays clear
            if (i == 1) x = 0xFFFF, y = 0x0001; // zero result: C set, Z unchanged
            if (add.src == nullptr) y = x;
            uint8_t fin = uint8_t(lcg.Next());
            FillRegisters();
            cpu[0].*add.dst = x;
            if (add.src) cpu[0].*add.src = y;
            SetF(fin);
            Z80Context was = cpu[0];
            for (size_t k = 0; k < add.code.size(); k++)
                ram[0][kOrigin + k] = add.code[k];
            cpu[0].PC = kOrigin;
            Run(1);
            unsigned sum = unsigned(x) + y;
            ASSERT_EQ(cpu[0].*add.dst, sum & 0xFFFF);
            ASSERT_EQ(F(), (fin & (ref::S | ref::Z | ref::V)) | (sum > 0xFFFF ? ref::C : 0)) << x << "+" << y;
            was.*add.dst = uint16_t(sum);
            SetF(was.AF & 0xFF);
            ASSERT_TRUE(SameButPcAndR(cpu[0], was));
        }
}

TEST_F(Z80Instructions, SixteenBitAdcAndSbc) {
    using C = Z80Context;
    uint16_t C::*const rr[4] = {&C::BC, &C::DE, &C::HL, &C::SP};
    Lcg lcg;
    for (int p = 0; p < 4; p++)
        for (int sbc = 0; sbc < 2; sbc++)
            for (int i = 0; i < 1500; i++) {
                uint16_t x = lcg.Next(), y = lcg.Next();
                unsigned carry = i & 1;
                if (i < 64) { // around the byte and word edges
                    static const uint16_t edges[] = {0x0000, 0x0001, 0x00FF, 0x0100,
                                                     0x7FFF, 0x8000, 0xFFFF, 0x0FFF};
                    x = edges[i & 7];
                    y = edges[(i >> 3) & 7];
                }
                if (p == 2) y = x;
                FillRegisters();
                cpu[0].HL = x;
                cpu[0].*rr[p] = y;
                SetF(uint8_t((lcg.Next() & 0xFE) | carry));
                Exec({0xED, uint8_t((sbc ? 0x42 : 0x4A) + 16 * p)});
                ref::Result want = sbc ? ref::Sub16(x, y, carry) : ref::Add16(x, y, carry);
                ASSERT_EQ(cpu[0].HL, want.r) << p << " " << sbc << " " << x << " " << y << " " << carry;
                ASSERT_EQ(F(), want.f) << p << " " << sbc << " " << x << " " << y << " " << carry;
                ASSERT_EQ(cpu[0].PC, kOrigin + 2);
            }
    // SBC HL,DE giving 0x0000 sets Z; giving 0x0100 clears it though the low byte is 0
    FillRegisters();
    cpu[0].HL = 0x1234;
    cpu[0].DE = 0x1234;
    SetF(0x00);
    Exec({0xED, 0x52});
    EXPECT_EQ(cpu[0].HL, 0x0000);
    EXPECT_TRUE(F() & ref::Z);
    cpu[0].HL = 0x1334;
    cpu[0].DE = 0x1234;
    SetF(ref::Z);
    Exec({0xED, 0x52});
    EXPECT_EQ(cpu[0].HL, 0x0100);
    EXPECT_FALSE(F() & ref::Z);
    // ADC HL giving 0x0100 has a zero low byte and Z clear too
    cpu[0].HL = 0x00FF;
    cpu[0].BC = 0x0000;
    SetF(ref::C);
    Exec({0xED, 0x4A});
    EXPECT_EQ(cpu[0].HL, 0x0100);
    EXPECT_EQ(F(), 0x00);
}

TEST_F(Z80Instructions, AccumulatorRotates) {
    const uint8_t ops[4] = {0x07, 0x0F, 0x17, 0x1F}; // RLCA RRCA RLA RRA
    for (int k = 0; k < 4; k++)
        for (unsigned a = 0; a < 256; a++)
            for (uint8_t fin : {0x00, 0x01, 0xFE, 0xFF, 0x28}) {
                SetAF(uint8_t(a), fin);
                Exec({ops[k]});
                unsigned c = fin & 1;
                ref::Result want = k == 0   ? ref::ShiftLeft(a, a >> 7)
                                   : k == 1 ? ref::ShiftRight(a, a & 1)
                                   : k == 2 ? ref::ShiftLeft(a, c)
                                            : ref::ShiftRight(a, c);
                ASSERT_EQ(A(), want.r) << k << " " << a;
                ASSERT_EQ(F(), (fin & (ref::S | ref::Z | ref::V)) | (want.f & ref::C)) << k << " " << a;
            }
}

// The expected result of CB rotate or shift y (0-5, 7) on v with carry c.
ref::Result Shift(int y, unsigned v, unsigned c) {
    switch (y) {
        case 0: return ref::ShiftLeft(v, v >> 7);        // RLC
        case 1: return ref::ShiftRight(v, v & 1);        // RRC
        case 2: return ref::ShiftLeft(v, c);             // RL
        case 3: return ref::ShiftRight(v, c);            // RR
        case 4: return ref::ShiftLeft(v, 0);             // SLA
        case 5: return ref::ShiftRight(v, (v >> 7) & 1); // SRA
        default: return ref::ShiftRight(v, 0);           // SRL
    }
}

TEST_F(Z80Instructions, RotatesAndShifts) {
    for (int y = 0; y < 8; y++) {
        if (y == 6) continue;
        for (int z = 0; z < 8; z++)
            for (unsigned v = 0; v < 256; v++)
                for (unsigned c = 0; c < 2; c++) {
                    FillRegisters();
                    cpu[0].HL = 0x7200;
                    if (z == 6)
                        ram[0][0x7200] = uint8_t(v);
                    else
                        *Reg8(cpu[0], z) = uint8_t(v);
                    SetF(uint8_t(c | 0xE8));
                    Exec({0xCB, uint8_t(8 * y + z)});
                    ref::Result want = Shift(y, v, c);
                    uint8_t got = z == 6 ? ram[0][0x7200] : *Reg8(cpu[0], z);
                    ASSERT_EQ(got, want.r) << y << " " << z << " " << v << " " << c;
                    ASSERT_EQ(F(), want.f) << y << " " << z << " " << v << " " << c;
                    ASSERT_EQ(writes.size(), z == 6 ? 1u : 0u);
                }
        // Indexed forms write memory only; no register receives a copy.
        for (uint8_t prefix : {kIX, kIY})
            for (unsigned v : {0x00, 0x01, 0x80, 0x81, 0x5A, 0xFF}) {
                FillRegisters();
                cpu[0].IX = cpu[0].IY = 0x7300;
                ram[0][0x72FF] = uint8_t(v);
                SetF(0x01);
                Z80Context was = cpu[0];
                Exec({prefix, 0xCB, 0xFF, uint8_t(8 * y + 6)});
                ref::Result want = Shift(y, v, 1);
                EXPECT_EQ(ram[0][0x72FF], want.r);
                was.AF = uint16_t((was.AF & 0xFF00) | want.f);
                EXPECT_TRUE(SameButPcAndR(cpu[0], was));
                EXPECT_EQ(cpu[0].PC, kOrigin + 4);
                ASSERT_EQ(writes.size(), 1u);
                EXPECT_EQ(writes[0].pc, kOrigin + 4);
            }
    }
}

TEST_F(Z80Instructions, DigitRotates) {
    struct Case {
        uint8_t op, a, m, fin, wantA, wantM, wantF;
    };
    const Case cases[] = {
        {0x6F, 0x12, 0x34, 0xFF, 0x13, 0x42, ref::C},                   // RLD: P, Z, S of 0x13 clear
        {0x67, 0x12, 0x34, 0x00, 0x14, 0x23, ref::V},                   // RRD
        {0x6F, 0x80, 0x0F, 0x00, 0x80, 0xF0, ref::S},                   // flags from the new A
        {0x67, 0x05, 0x30, 0xFF, 0x00, 0x53, ref::Z | ref::V | ref::C}, // C kept, H and N cleared
    };
    for (const Case& k : cases) {
        FillRegisters();
        cpu[0].HL = 0x7400;
        ram[0][0x7400] = k.m;
        SetAF(k.a, k.fin);
        Exec({0xED, k.op});
        EXPECT_EQ(A(), k.wantA) << int(k.op) << " " << int(k.a);
        EXPECT_EQ(ram[0][0x7400], k.wantM) << int(k.op) << " " << int(k.a);
        EXPECT_EQ(F(), k.wantF) << int(k.op) << " " << int(k.a);
        ASSERT_EQ(writes.size(), 1u);
    }
}

TEST_F(Z80Instructions, BitResSet) {
    for (int b = 0; b < 8; b++)
        for (int z = 0; z < 8; z++)
            for (unsigned v = 0; v < 256; v += 3)
                for (uint8_t fin : {0x00, 0xFF}) {
                    FillRegisters();
                    cpu[0].HL = 0x7500;
                    auto operand = [&]() -> uint8_t& { return z == 6 ? ram[0][0x7500] : *Reg8(cpu[0], z); };
                    operand() = uint8_t(v);
                    SetF(fin);
                    Exec({0xCB, uint8_t(0x40 + 8 * b + z)}); // BIT b
                    uint8_t want = uint8_t((fin & ref::C) | ref::H | ((v >> b) & 1 ? 0 : ref::Z));
                    ASSERT_EQ(F(), want) << b << " " << z << " " << v;
                    ASSERT_EQ(operand(), v);

                    Exec({0xCB, uint8_t(0x80 + 8 * b + z)}); // RES b
                    ASSERT_EQ(operand(), v & ~(1u << b));
                    ASSERT_EQ(F(), want);
                    ASSERT_EQ(writes.size(), z == 6 ? 1u : 0u);
                    operand() = uint8_t(v);
                    Exec({0xCB, uint8_t(0xC0 + 8 * b + z)}); // SET b
                    ASSERT_EQ(operand(), v | (1u << b));
                    ASSERT_EQ(F(), want);
                }
    // BIT 7,A with A = 0x80: Z clear, S clear, H set
    SetAF(0x80, 0x00);
    Exec({0xCB, 0x7F});
    EXPECT_EQ(F(), ref::H);

    // Indexed forms, memory only.
    for (uint8_t prefix : {kIX, kIY})
        for (int b = 0; b < 8; b++)
            for (unsigned v : {0x00u, 1u << b, 0xFFu, 0xFFu ^ (1u << b)}) {
                FillRegisters();
                cpu[0].IX = cpu[0].IY = 0x7600;
                ram[0][0x7605] = uint8_t(v);
                SetF(0x01);
                Z80Context was = cpu[0];
                Exec({prefix, 0xCB, 0x05, uint8_t(0x46 + 8 * b)});
                EXPECT_EQ(F(), ref::C | ref::H | ((v >> b) & 1 ? 0 : ref::Z));
                EXPECT_TRUE(writes.empty());
                EXPECT_EQ(cpu[0].PC, kOrigin + 4);
                SetF(0x01);
                Exec({prefix, 0xCB, 0x05, uint8_t(0x86 + 8 * b)});
                EXPECT_EQ(ram[0][0x7605], v & ~(1u << b));
                ASSERT_EQ(writes.size(), 1u);
                EXPECT_EQ(writes[0].address, 0x7605);
                Exec({prefix, 0xCB, 0x05, uint8_t(0xC6 + 8 * b)});
                EXPECT_EQ(ram[0][0x7605], v | (1u << b));
                EXPECT_TRUE(SameButPcAndR(cpu[0], was));
            }
}

TEST_F(Z80Instructions, Jumps) {
    for (int y = 0; y < 8; y++)
        for (uint8_t fin : {0x00, 0xFF, 0x40, 0x01, 0x04, 0x80}) {
            Condition cc = Cond(y);
            bool taken = (fin & cc.mask) == cc.whenTrue;
            SetF(fin);
            Exec({uint8_t(0xC2 + 8 * y), 0x34, 0x12}); // JP cc,nn
            EXPECT_EQ(cpu[0].PC, taken ? 0x1234 : kOrigin + 3) << y << " " << int(fin);
            if (y < 4) {
                SetF(fin);
                Exec({uint8_t(0x20 + 8 * y), 0x10}); // JR cc,e
                EXPECT_EQ(cpu[0].PC, taken ? kOrigin + 0x12 : kOrigin + 2) << y << " " << int(fin);
            }
        }
    Exec({0xC3, 0x00, 0x80});
    EXPECT_EQ(cpu[0].PC, 0x8000);
    FillRegisters();
    Exec({0xE9});
    EXPECT_EQ(cpu[0].PC, 0x5566);
    Exec({0xDD, 0xE9});
    EXPECT_EQ(cpu[0].PC, 0x8899);
    Exec({0xFD, 0xE9});
    EXPECT_EQ(cpu[0].PC, 0xAABB);

    Exec({0x18, 0x80}); // back 128
    EXPECT_EQ(cpu[0].PC, kOrigin + 2 - 128);
    Exec({0x18, 0xFE}, 5); // JR $ loops on itself
    EXPECT_EQ(cpu[0].PC, kOrigin);
    Load(0xFFFE, {0x18, 0x10});
    cpu[0].PC = 0xFFFE;
    Run(1);
    EXPECT_EQ(cpu[0].PC, 0x0010);

    // DJNZ: B = 1 falls through with B = 0; B = 0 wraps to 0xFF and jumps
    cpu[0].BC = 0x0133;
    SetF(0xA5);
    Exec({0x10, 0xFE});
    EXPECT_EQ(cpu[0].BC, 0x0033);
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);
    EXPECT_EQ(F(), 0xA5);
    cpu[0].BC = 0x0033;
    Exec({0x10, 0xFE});
    EXPECT_EQ(cpu[0].BC, 0xFF33);
    EXPECT_EQ(cpu[0].PC, kOrigin);
    cpu[0].BC = 0x0300;
    Exec({0x10, 0xFE}, 3);
    EXPECT_EQ(cpu[0].BC, 0x0000);
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);
}

TEST_F(Z80Instructions, CallsReturnsAndRestarts) {
    FillRegisters();
    Exec({0xCD, 0x34, 0x12});
    EXPECT_EQ(cpu[0].PC, 0x1234);
    EXPECT_EQ(cpu[0].SP, 0x8FFE);
    ASSERT_EQ(writes.size(), 2u); // high byte of the return address first
    EXPECT_EQ(writes[0].address, 0x8FFF);
    EXPECT_EQ(writes[0].value, 0x01);
    EXPECT_EQ(writes[0].sp, 0x8FFF);
    EXPECT_EQ(writes[1].address, 0x8FFE);
    EXPECT_EQ(writes[1].value, 0x03);
    EXPECT_EQ(writes[1].sp, 0x8FFE);
    Load(0x1234, {0xC9});
    Run(1); // RET
    EXPECT_EQ(cpu[0].PC, kOrigin + 3);
    EXPECT_EQ(cpu[0].SP, 0x9000);

    for (int y = 0; y < 8; y++)
        for (uint8_t fin : {0x00, 0xFF, 0x40, 0x01, 0x04, 0x80}) {
            Condition cc = Cond(y);
            bool taken = (fin & cc.mask) == cc.whenTrue;
            FillRegisters();
            SetF(fin);
            Exec({uint8_t(0xC4 + 8 * y), 0x34, 0x12}); // CALL cc,nn
            EXPECT_EQ(cpu[0].PC, taken ? 0x1234 : kOrigin + 3);
            EXPECT_EQ(cpu[0].SP, taken ? 0x8FFE : 0x9000);
            EXPECT_EQ(writes.size(), taken ? 2u : 0u);
            FillRegisters();
            ram[0][0x9000] = 0x78;
            ram[0][0x9001] = 0x56;
            SetF(fin);
            Exec({uint8_t(0xC0 + 8 * y)}); // RET cc
            EXPECT_EQ(cpu[0].PC, taken ? 0x5678 : kOrigin + 1);
            EXPECT_EQ(cpu[0].SP, taken ? 0x9002 : 0x9000);
        }
    for (int p = 0; p < 8; p++) {
        FillRegisters();
        Exec({uint8_t(0xC7 + 8 * p)});
        EXPECT_EQ(cpu[0].PC, 8 * p);
        EXPECT_EQ(cpu[0].SP, 0x8FFE);
        EXPECT_EQ(ram[0][0x8FFF], kOrigin >> 8);
        EXPECT_EQ(ram[0][0x8FFE], (kOrigin + 1) & 0xFF);
    }
}

TEST_F(Z80Instructions, RetiAndRetn) {
    for (uint8_t iff : {0, 2, 3}) {
        FillRegisters();
        ram[0][0x9000] = 0x00;
        ram[0][0x9001] = 0x20;
        cpu[0].iff = iff;
        Exec({0xED, 0x4D}); // RETI leaves the flip-flops alone
        EXPECT_EQ(cpu[0].PC, 0x2000);
        EXPECT_EQ(cpu[0].SP, 0x9002);
        EXPECT_EQ(cpu[0].iff, iff);

        FillRegisters();
        cpu[0].iff = iff;
        Exec({0xED, 0x45}); // RETN: IFF1 := IFF2
        EXPECT_EQ(cpu[0].PC, 0x2000);
        EXPECT_EQ(cpu[0].SP, 0x9002);
        EXPECT_EQ(cpu[0].iff, iff ? 3 : 0);
    }
}

TEST_F(Z80Instructions, CpuControl) {
    FillRegisters();
    Exec({0xF3}); // DI
    EXPECT_EQ(cpu[0].iff, 0);
    Exec({0xFB}); // EI, effective at once
    EXPECT_EQ(cpu[0].iff, 3);
    EXPECT_EQ(Z80Irq(&cpu[0], 0xFF), 1);
    EXPECT_EQ(cpu[0].PC, 0x0038);
    EXPECT_EQ(cpu[0].iff, 0);

    Exec({0xED, 0x46});
    EXPECT_EQ(cpu[0].im, 0);
    Exec({0xED, 0x56});
    EXPECT_EQ(cpu[0].im, 1);
    Exec({0xED, 0x5E});
    EXPECT_EQ(cpu[0].im, 2);

    // HALT: PC past the HALT, the CPU stops, later passes run nothing
    FillRegisters();
    Exec({0x76, 0x3C}, 4);
    EXPECT_EQ(cpu[0].running, 0u);
    EXPECT_EQ(cpu[0].PC, kOrigin + 1);
    EXPECT_EQ(A(), 0x77);

    // LD I,A and LD A,I
    FillRegisters();
    Z80Reset(&cpu[0]);
    SetAF(0x80, 0xFF);
    Exec({0xED, 0x47});
    EXPECT_EQ(cpu[0].I, 0x80);
    for (uint8_t iff : {0, 2, 3}) {
        cpu[0].iff = iff;
        SetAF(0x00, 0xFF);
        Exec({0xED, 0x57});
        EXPECT_EQ(A(), 0x80);
        EXPECT_EQ(F(), ref::S | ref::C | (iff & 2 ? ref::V : 0));
    }
    cpu[0].I = 0x00;
    cpu[0].iff = 0;
    SetAF(0x55, 0x28);
    Exec({0xED, 0x57});
    EXPECT_EQ(F(), ref::Z);

    // LD R,A then LD A,R: R counts the pass in between, bit 7 reads 0
    SetAF(0xFE, 0x00);
    cpu[0].iff = 2;
    Exec({0xED, 0x4F, 0xED, 0x5F}, 2);
    EXPECT_EQ(A(), 0x7F);
    EXPECT_EQ(F(), ref::V); // S always 0
    EXPECT_EQ(cpu[0].R, 0xFF);
    SetAF(0xFF, 0x00);
    cpu[0].iff = 0;
    Exec({0xED, 0x4F, 0xED, 0x5F}, 2);
    EXPECT_EQ(cpu[0].R, 0x00);
    EXPECT_EQ(A(), 0x00);
    EXPECT_EQ(F(), ref::Z);
    // R reads as set with bit 7 cleared after many passes
    SetAF(0x7F, 0x00);
    Exec({0xED, 0x4F, 0x00, 0x00, 0x00, 0xED, 0x5F}, 5);
    EXPECT_EQ(cpu[0].R, 0x83);
    EXPECT_EQ(A(), 0x03);
}

TEST_F(Z80Instructions, InputAndOutput) {
    FillRegisters();
    SetAF(0x12, 0xD7);
    Exec({0xDB, 0x34}); // IN A,(n): port A*256 + n, flags untouched
    EXPECT_EQ(A(), Z80Rig::PortByte(0x1234));
    EXPECT_EQ(F(), 0xD7);
    SetAF(0x56, 0xD7);
    Exec({0xD3, 0x78}); // OUT (n),A
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0], (WriteRecord{0, true, 0x5678, 0x56, 0x9000, kOrigin + 2}));

    for (int r = 0; r < 8; r++) {
        if (r == 6) continue;
        for (uint16_t bc : {0x1234, 0xFF00, 0x00FE}) {
            FillRegisters();
            cpu[0].BC = bc;
            SetF(0xFF);
            Exec({0xED, uint8_t(0x40 + 8 * r)}); // IN r,(C)
            uint8_t v = Z80Rig::PortByte(bc);
            EXPECT_EQ(*Reg8(cpu[0], r), v);
            EXPECT_EQ(F(), ref::C | ref::Szp(v));

            FillRegisters();
            cpu[0].BC = bc;
            uint8_t out = *Reg8(cpu[0], r);
            Exec({0xED, uint8_t(0x41 + 8 * r)}); // OUT (C),r
            ASSERT_EQ(writes.size(), 1u);
            EXPECT_EQ(writes[0], (WriteRecord{0, true, bc, out, 0x9000, kOrigin + 2}));
            EXPECT_EQ(F(), 0xA9);
        }
    }
    // A value whose flags are all clear going in
    ports[0][0x0102] = 0x00;
    cpu[0].BC = 0x0102;
    SetF(0x00);
    Exec({0xED, 0x78});
    EXPECT_EQ(A(), 0x00);
    EXPECT_EQ(F(), ref::Z | ref::V);
}

TEST_F(Z80Instructions, BlockLoads) {
    // LDI and LDD: one byte, pointers stored before the write
    static uint16_t hlSeen, deSeen;
    onWrite = [](Z80Rig* rig, const WriteRecord&) {
        hlSeen = rig->cpu[0].HL;
        deSeen = rig->cpu[0].DE;
    };
    for (int dir = 0; dir < 2; dir++)
        for (uint16_t bc : {2, 1, 0}) {
            FillRegisters();
            cpu[0].HL = 0x2000;
            cpu[0].DE = 0x3000;
            cpu[0].BC = bc;
            ram[0][0x2000] = 0xAB;
            SetF(0xFF);
            Exec({0xED, uint8_t(dir ? 0xA8 : 0xA0)});
            uint16_t step = dir ? 0xFFFF : 1;
            EXPECT_EQ(ram[0][0x3000], 0xAB);
            EXPECT_EQ(cpu[0].HL, uint16_t(0x2000 + step));
            EXPECT_EQ(cpu[0].DE, uint16_t(0x3000 + step));
            EXPECT_EQ(cpu[0].BC, uint16_t(bc - 1));
            EXPECT_EQ(F(), ref::S | ref::Z | ref::C | (bc != 1 ? ref::V : 0));
            EXPECT_EQ(hlSeen, cpu[0].HL);
            EXPECT_EQ(deSeen, cpu[0].DE);
            EXPECT_EQ(cpu[0].PC, kOrigin + 2);
        }
    onWrite = nullptr;

    // LDIR with BC = 3: three passes, PC back on the ED byte after the first two
    for (int dir = 0; dir < 2; dir++) {
        FillRegisters();
        cpu[0].HL = 0x2001;
        cpu[0].DE = 0x3001;
        cpu[0].BC = 3;
        for (int i = 0; i < 3; i++)
            ram[0][0x2000 + i] = uint8_t(0xC0 + i);
        SetF(0x00);
        Load(kOrigin, {0xED, uint8_t(dir ? 0xB8 : 0xB0)});
        cpu[0].PC = kOrigin;
        uint8_t r0 = cpu[0].R;
        for (int pass = 1; pass <= 3; pass++) {
            Run(1);
            EXPECT_EQ(cpu[0].BC, 3 - pass);
            EXPECT_EQ(cpu[0].PC, pass < 3 ? kOrigin : kOrigin + 2);
            EXPECT_EQ(F(), pass < 3 ? ref::V : 0);
            EXPECT_EQ(cpu[0].R, uint8_t(r0 + pass));
            ASSERT_EQ(writes.size(), 1u);
            EXPECT_EQ(writes[0].pc, pass < 3 ? kOrigin : kOrigin + 2);
        }
        if (dir == 0) {
            EXPECT_EQ(ram[0][0x3001], 0xC1);
            EXPECT_EQ(ram[0][0x3002], 0xC2);
            EXPECT_EQ(ram[0][0x3003], 0x00);
            EXPECT_EQ(cpu[0].HL, 0x2004);
        } else {
            EXPECT_EQ(ram[0][0x3001], 0xC1);
            EXPECT_EQ(ram[0][0x3000], 0xC0);
            EXPECT_EQ(ram[0][0x2FFF], 0x00);
            EXPECT_EQ(cpu[0].DE, 0x2FFE);
        }
    }
}

uint8_t gCopy[65536];

TEST_F(Z80Instructions, BlockLoadWithZeroCountCopiesAllMemory) {
    // Reads come from RAM, writes land in a separate array, so that the copy
    // cannot overwrite the instruction.
    for (int p = 0; p < 256; p++)
        cpu[0].pages[p].write = [](uint8_t*, uint16_t address, uint8_t value) { gCopy[address] = value; };
    for (int i = 0; i < 65536; i++)
        ram[0][i] = uint8_t(i ^ (i >> 8) ^ 0x3C);
    std::fill(std::begin(gCopy), std::end(gCopy), 0);
    FillRegisters();
    cpu[0].HL = 0x1234;
    cpu[0].DE = 0x4321;
    cpu[0].BC = 0;
    Load(kOrigin, {0xED, 0xB0});
    cpu[0].PC = kOrigin;
    Run(65535);
    EXPECT_EQ(cpu[0].PC, kOrigin);
    EXPECT_EQ(cpu[0].BC, 1);
    Run(1);
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);
    EXPECT_EQ(cpu[0].BC, 0);
    EXPECT_FALSE(F() & ref::V);
    EXPECT_EQ(cpu[0].HL, 0x1234);
    for (int k = 0; k < 65536; k++)
        ASSERT_EQ(gCopy[uint16_t(0x4321 + k)], ram[0][uint16_t(0x1234 + k)]) << k;
}

TEST_F(Z80Instructions, BlockCompares) {
    constexpr uint8_t kFromTable = ref::S | ref::Z | ref::H | ref::N;
    // CPI and CPD: flags from the comparison, C kept, P/V from BC
    for (int dir = 0; dir < 2; dir++)
        for (unsigned m : {0x40u, 0x41u, 0x3Fu, 0xC0u, 0x00u})
            for (uint16_t bc : {5, 1}) {
                FillRegisters();
                cpu[0].HL = 0x2000;
                cpu[0].BC = bc;
                ram[0][0x2000] = uint8_t(m);
                for (uint8_t fin : {0x00, 0x01}) {
                    cpu[0].HL = 0x2000;
                    cpu[0].BC = bc;
                    SetAF(0x40, fin);
                    Exec({0xED, uint8_t(dir ? 0xA9 : 0xA1)});
                    EXPECT_EQ(A(), 0x40);
                    EXPECT_EQ(cpu[0].HL, dir ? 0x1FFF : 0x2001);
                    EXPECT_EQ(cpu[0].BC, bc - 1);
                    EXPECT_EQ(F(), fin | (ref::Sub(0x40, m, 0).f & kFromTable) | (bc != 1 ? ref::V : 0));
                }
            }
    // CPIR finding A at the first byte: one iteration, Z set, P/V tells BC
    for (uint16_t bc : {4, 1}) {
        FillRegisters();
        cpu[0].HL = 0x2000;
        cpu[0].BC = bc;
        ram[0][0x2000] = 0x77;
        Exec({0xED, 0xB1});
        EXPECT_EQ(cpu[0].PC, kOrigin + 2);
        EXPECT_TRUE(F() & ref::Z);
        EXPECT_EQ(bool(F() & ref::V), bc != 1);
    }
    // CPIR and CPDR searching: one iteration per pass until the match
    for (int dir = 0; dir < 2; dir++) {
        FillRegisters();
        uint8_t data[5] = {0x10, 0x20, 0x77, 0x30, 0x40};
        for (int i = 0; i < 5; i++)
            ram[0][0x2000 + i] = data[dir ? 4 - i : i];
        cpu[0].HL = dir ? 0x2004 : 0x2000;
        cpu[0].BC = 10;
        Load(kOrigin, {0xED, uint8_t(dir ? 0xB9 : 0xB1)});
        cpu[0].PC = kOrigin;
        for (int pass = 1; pass <= 3; pass++) {
            Run(1);
            EXPECT_EQ(cpu[0].PC, pass < 3 ? kOrigin : kOrigin + 2);
        }
        EXPECT_EQ(cpu[0].BC, 7);
        EXPECT_EQ(F() & (ref::Z | ref::V), ref::Z | ref::V);
        EXPECT_EQ(cpu[0].HL, dir ? 0x2001 : 0x2003);
    }
    // no match: stops when BC reaches 0, Z and P/V clear
    FillRegisters();
    for (int i = 0; i < 3; i++)
        ram[0][0x2000 + i] = 0x00;
    cpu[0].HL = 0x2000;
    cpu[0].BC = 3;
    Exec({0xED, 0xB1}, 3);
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);
    EXPECT_EQ(cpu[0].BC, 0);
    EXPECT_EQ(F() & (ref::Z | ref::V), 0);
}

TEST_F(Z80Instructions, BlockInputAndOutput) {
    // INI and IND: port BC with B before the decrement
    for (int dir = 0; dir < 2; dir++)
        for (uint8_t b : {0x01, 0x02, 0x00}) {
            FillRegisters();
            cpu[0].BC = uint16_t(b << 8 | 0xCC);
            cpu[0].HL = 0x2100;
            SetF(0xFF);
            Exec({0xED, uint8_t(dir ? 0xAA : 0xA2)});
            EXPECT_EQ(ram[0][0x2100], Z80Rig::PortByte(uint16_t(b << 8 | 0xCC)));
            EXPECT_EQ(cpu[0].HL, dir ? 0x20FF : 0x2101);
            EXPECT_EQ(cpu[0].BC >> 8, uint8_t(b - 1));
            EXPECT_EQ(F(), ref::C | ref::N | (b == 1 ? ref::Z : 0));
            EXPECT_EQ(cpu[0].PC, kOrigin + 2);
        }
    // OUTI with B = 0x10, C = 0x20: port 0x1020, B becomes 0x0F
    FillRegisters();
    cpu[0].BC = 0x1020;
    cpu[0].HL = 0x2200;
    ram[0][0x2200] = 0x99;
    SetF(0x00);
    Exec({0xED, 0xA3});
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0], (WriteRecord{0, true, 0x1020, 0x99, 0x9000, kOrigin + 2}));
    EXPECT_EQ(cpu[0].BC, 0x0F20);
    EXPECT_EQ(cpu[0].HL, 0x2201);
    EXPECT_EQ(F(), ref::N);
    ram[0][0x2201] = 0x98;
    SetF(0x01);
    cpu[0].BC = 0x0120;
    Exec({0xED, 0xAB}); // OUTD
    EXPECT_EQ(writes[0].address, 0x0120);
    EXPECT_EQ(writes[0].value, 0x98);
    EXPECT_EQ(cpu[0].HL, 0x2200);
    EXPECT_EQ(F(), ref::N | ref::Z | ref::C);

    // INIR with B = 1: one iteration, Z set, PC past the instruction
    FillRegisters();
    cpu[0].BC = 0x01CC;
    cpu[0].HL = 0x2100;
    Exec({0xED, 0xB2});
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);
    EXPECT_TRUE(F() & ref::Z);
    EXPECT_EQ(cpu[0].BC, 0x00CC);

    // INIR, INDR with B = 3: one iteration per pass, ports 0x03CC, 0x02CC, 0x01CC
    for (int dir = 0; dir < 2; dir++) {
        FillRegisters();
        cpu[0].BC = 0x03CC;
        cpu[0].HL = 0x2100;
        Load(kOrigin, {0xED, uint8_t(dir ? 0xBA : 0xB2)});
        cpu[0].PC = kOrigin;
        for (int pass = 1; pass <= 3; pass++) {
            Run(1);
            EXPECT_EQ(cpu[0].PC, pass < 3 ? kOrigin : kOrigin + 2);
            EXPECT_EQ(ram[0][uint16_t(0x2100 + (dir ? 1 - pass : pass - 1))],
                      Z80Rig::PortByte(uint16_t((4 - pass) << 8 | 0xCC)));
            EXPECT_EQ(bool(F() & ref::Z), pass == 3);
        }
    }
    // OTIR, OTDR with B = 2
    for (int dir = 0; dir < 2; dir++) {
        FillRegisters();
        cpu[0].BC = 0x0233;
        cpu[0].HL = 0x2300;
        ram[0][0x22FF] = 0xE0;
        ram[0][0x2300] = 0xE1;
        ram[0][0x2301] = 0xE2;
        Load(kOrigin, {0xED, uint8_t(dir ? 0xBB : 0xB3)});
        cpu[0].PC = kOrigin;
        std::vector<WriteRecord> all;
        for (int pass = 1; pass <= 2; pass++) {
            Run(1);
            all.insert(all.end(), writes.begin(), writes.end());
            EXPECT_EQ(cpu[0].PC, pass < 2 ? kOrigin : kOrigin + 2);
        }
        ASSERT_EQ(all.size(), 2u);
        EXPECT_EQ(all[0].address, 0x0233);
        EXPECT_EQ(all[0].value, 0xE1);
        EXPECT_EQ(all[1].address, 0x0133);
        EXPECT_EQ(all[1].value, dir ? 0xE0 : 0xE2);
        EXPECT_EQ(cpu[0].BC, 0x0033);
        EXPECT_EQ(F(), ref::N | ref::Z | (0xA9 & ref::C));
    }
}

TEST_F(Z80Instructions, FlagBits5And3OnlyComeFromPopAndExchange) {
    FillRegisters();
    ram[0][0x9000] = 0x28;
    ram[0][0x9001] = 0x10;
    Exec({0xF1, 0xF5}, 2); // POP AF; PUSH AF
    EXPECT_EQ(cpu[0].AF, 0x1028);
    EXPECT_EQ(cpu[0].SP, 0x9000);
    EXPECT_EQ(ram[0][0x9000], 0x28);
    Exec({0x00, 0x08, 0x08}, 3); // EX AF,AF' twice keeps them
    EXPECT_EQ(F(), 0x28);
    Exec({0xC6, 0x00}); // ADD A,0 clears them
    EXPECT_EQ(F(), 0x00);
    // Loads, jumps and 16-bit increments leave them alone.
    SetF(0x28);
    Exec({0x3E, 0x01, 0x23, 0x18, 0x00, 0x0B}, 4);
    EXPECT_EQ(F(), 0x28);
}

} // namespace
