// Instruction semantics: every accumulator, 16-bit and single-operand opcode
// in every addressing mode against a reference computed here, the indexed
// post-byte forms, branches on every flag combination, stacks, subroutines,
// software interrupts, register transfers and the documented edge cases.
#include <cstring>
#include <string>

#include "tests/m6809/m6809_rig.h"

namespace {

using M6809Instructions = M6809Rig;

enum Mode { Immediate, Direct, Indexed, Extended };
constexpr Mode kAllModes[] = {Immediate, Direct, Indexed, Extended};
constexpr Mode kMemoryModes[] = {Direct, Indexed, Extended};
const char* const kModeNames[] = {"immediate", "direct", "indexed", "extended"};

constexpr uint8_t kDp = 0x20;
constexpr uint16_t kDirectAddress = 0x2040, kExtendedAddress = 0x4567;

// An instruction whose immediate form is `base` (prefixed when prefix is not
// 0) in the given mode, its operand address placed as the mode wants it: the
// direct page is kDp, the indexed form is n,PCR pointing 16 bytes past the
// instruction. Returns the code; `ea` receives the operand's address.
std::vector<uint8_t> Encode(uint8_t prefix, uint8_t base, Mode mode, int width, uint16_t& ea) {
    std::vector<uint8_t> code;
    if (prefix) code.push_back(prefix);
    code.push_back(uint8_t(base + 0x10 * mode));
    switch (mode) {
        case Immediate:
            ea = uint16_t(M6809Rig::kOrigin + code.size());
            code.resize(code.size() + width);
            break;
        case Direct:
            code.push_back(kDirectAddress & 0xFF);
            ea = kDirectAddress;
            break;
        case Indexed:
            code.push_back(0x8C);
            code.push_back(0x10);
            ea = uint16_t(M6809Rig::kOrigin + code.size() + 0x10);
            break;
        case Extended:
            code.push_back(kExtendedAddress >> 8);
            code.push_back(kExtendedAddress & 0xFF);
            ea = kExtendedAddress;
            break;
    }
    return code;
}

unsigned Nz8(unsigned r) {
    return (r & 0x80 ? kN : 0) | ((r & 0xFF) == 0 ? kZ : 0);
}
unsigned Nz16(unsigned r) {
    return (r & 0x8000 ? kN : 0) | ((r & 0xFFFF) == 0 ? kZ : 0);
}

uint8_t Merge(uint8_t cc, unsigned mask, unsigned flags) {
    return uint8_t((cc & ~mask) | (flags & mask));
}

struct Outcome {
    unsigned value;
    uint8_t cc;
};

// The accumulator instructions of columns 0-B (but 3, 7).
Outcome Accumulator(int column, unsigned a, unsigned m, uint8_t cc) {
    unsigned carry = cc & kC;
    switch (column) {
        case 0x0:
        case 0x1:
        case 0x2: {
            unsigned borrow = column == 2 ? carry : 0;
            unsigned r = (a - m - borrow) & 0x1FF;
            unsigned flags = Nz8(r) | ((a ^ m) & (a ^ r) & 0x80 ? kV : 0) | (a < m + borrow ? kC : 0);
            return {column == 1 ? a : r & 0xFF, Merge(cc, kH | kN | kZ | kV | kC, flags)};
        }
        case 0x9:
        case 0xB: {
            unsigned c = column == 9 ? carry : 0;
            unsigned r = a + m + c;
            unsigned flags = Nz8(r) | ((a ^ m ^ r) & 0x10 ? kH : 0) | (~(a ^ m) & (a ^ r) & 0x80 ? kV : 0) |
                             (r > 0xFF ? kC : 0);
            return {r & 0xFF, Merge(cc, kH | kN | kZ | kV | kC, flags)};
        }
        default: {
            unsigned r = column == 0x4 || column == 0x5 ? a & m
                         : column == 0x6                ? m
                         : column == 0x8                ? a ^ m
                                                        : a | m;
            return {column == 0x5 ? a : r, Merge(cc, kN | kZ | kV, Nz8(r))};
        }
    }
}

const uint8_t kSamples[] = {0x00, 0x01, 0x0F, 0x10, 0x7F, 0x80, 0x81, 0x99, 0xA5, 0x5A, 0xFE, 0xFF};
const uint8_t kPresets[] = {0x00, 0xFE}; // CC before, to which the carry-in is added

TEST_F(M6809Instructions, AccumulatorOpcodesInEveryMode) {
    for (int acc = 0; acc < 2; acc++)
        for (int column : {0x0, 0x1, 0x2, 0x4, 0x5, 0x6, 0x8, 0x9, 0xA, 0xB})
            for (Mode mode : kAllModes)
                for (uint8_t a : kSamples)
                    for (uint8_t m : kSamples)
                        for (uint8_t preset : kPresets)
                            for (uint8_t carry = 0; carry < 2; carry++) {
                                uint16_t ea;
                                std::vector<uint8_t> code =
                                    Encode(0, uint8_t(0x80 + 0x40 * acc + column), mode, 1, ea);
                                cpu[0].DP = kDp;
                                cpu[0].A = acc ? 0x3C : a;
                                cpu[0].B = acc ? a : 0x3C;
                                cpu[0].CC = uint8_t(preset | carry);
                                ExecCode(code, 0); // the immediate operand lies in the code
                                ram[0][ea] = m;
                                Run(1);
                                Outcome expected = Accumulator(column, a, m, uint8_t(preset | carry));
                                std::string what = "acc " + std::to_string(acc) + " column " +
                                                   std::to_string(column) + " " + kModeNames[mode] + " a " +
                                                   std::to_string(a) + " m " + std::to_string(m) + " cc " +
                                                   std::to_string(preset | carry);
                                ASSERT_EQ(acc ? cpu[0].B : cpu[0].A, expected.value) << what;
                                ASSERT_EQ(acc ? cpu[0].A : cpu[0].B, 0x3C) << what;
                                ASSERT_EQ(cpu[0].CC, expected.cc) << what;
                                ASSERT_EQ(cpu[0].PC, kOrigin + code.size()) << what;
                                ASSERT_TRUE(writes.empty()) << what;
                            }
}

TEST_F(M6809Instructions, AccumulatorStores) {
    for (int acc = 0; acc < 2; acc++)
        for (Mode mode : kMemoryModes)
            for (uint8_t value : kSamples) {
                uint16_t ea;
                std::vector<uint8_t> code = Encode(0, uint8_t(0x87 + 0x40 * acc), mode, 1, ea);
                cpu[0].DP = kDp;
                cpu[0].A = acc ? 0x3C : value;
                cpu[0].B = acc ? value : 0x3C;
                cpu[0].CC = 0xFF;
                ExecCode(code);
                ASSERT_EQ(writes,
                          (std::vector<WriteRecord>{{0, ea, value, kStack, uint16_t(kOrigin + code.size())}}))
                    << acc << " " << kModeNames[mode];
                ASSERT_EQ(cpu[0].CC, Merge(0xFF, kN | kZ | kV, Nz8(value)));
            }
}

// 16-bit registers by EXG/TFR code: 0 D, 1 X, 2 Y, 3 U, 4 S; 8-bit 8 A, 9 B,
// 10 CC, 11 DP; 5 is PC.
uint16_t Get(const M6809Context& c, int code) {
    switch (code) {
        case 0: return uint16_t(c.A << 8 | c.B);
        case 1: return c.X;
        case 2: return c.Y;
        case 3: return c.U;
        case 4: return c.S;
        case 5: return c.PC;
        case 8: return c.A;
        case 9: return c.B;
        case 10: return c.CC;
        default: return c.DP;
    }
}

void Set(M6809Context& c, int code, uint16_t v) {
    switch (code) {
        case 0:
            c.A = uint8_t(v >> 8);
            c.B = uint8_t(v);
            break;
        case 1: c.X = v; break;
        case 2: c.Y = v; break;
        case 3: c.U = v; break;
        case 4: c.S = v; break;
        case 5: c.PC = v; break;
        case 8: c.A = uint8_t(v); break;
        case 9: c.B = uint8_t(v); break;
        case 10: c.CC = uint8_t(v); break;
        default: c.DP = uint8_t(v); break;
    }
}

enum Kind16 { Subtract16, Add16, Compare16, Load16 };

struct Op16 {
    uint8_t prefix, base;
    int reg;
    Kind16 kind;
};

const Op16 kOps16[] = {
    {0x00, 0x83, 0, Subtract16}, {0x00, 0xC3, 0, Add16},     {0x10, 0x83, 0, Compare16},
    {0x00, 0x8C, 1, Compare16},  {0x10, 0x8C, 2, Compare16}, {0x11, 0x83, 3, Compare16},
    {0x11, 0x8C, 4, Compare16},  {0x00, 0xCC, 0, Load16},    {0x00, 0x8E, 1, Load16},
    {0x10, 0x8E, 2, Load16},     {0x00, 0xCE, 3, Load16},    {0x10, 0xCE, 4, Load16},
};

Outcome Reference16(Kind16 kind, unsigned a, unsigned m, uint8_t cc) {
    switch (kind) {
        case Load16: return {m, Merge(cc, kN | kZ | kV, Nz16(m))};
        case Add16: {
            unsigned r = a + m;
            unsigned flags = Nz16(r) | (~(a ^ m) & (a ^ r) & 0x8000 ? kV : 0) | (r > 0xFFFF ? kC : 0);
            return {r & 0xFFFF, Merge(cc, kN | kZ | kV | kC, flags)};
        }
        default: {
            unsigned r = (a - m) & 0x1FFFF;
            unsigned flags = Nz16(r) | ((a ^ m) & (a ^ r) & 0x8000 ? kV : 0) | (a < m ? kC : 0);
            return {kind == Compare16 ? a : r & 0xFFFF, Merge(cc, kN | kZ | kV | kC, flags)};
        }
    }
}

TEST_F(M6809Instructions, SixteenBitOpcodesInEveryMode) {
    const uint16_t samples[] = {0x0000, 0x0001, 0x00FF, 0x0100, 0x7FFF,
                                0x8000, 0x8001, 0xFFFF, 0x1234, 0xEDCC};
    for (const Op16& op : kOps16)
        for (Mode mode : kAllModes)
            for (uint16_t a : samples)
                for (uint16_t m : samples)
                    for (uint8_t preset : {0x00, 0xFF}) {
                        uint16_t ea;
                        std::vector<uint8_t> code = Encode(op.prefix, op.base, mode, 2, ea);
                        FillRegisters();
                        cpu[0].DP = kDp;
                        Set(cpu[0], op.reg, a);
                        cpu[0].CC = preset;
                        // Write the code first: the immediate operand lies in it.
                        ExecCode(code, 0);
                        SetWord(ea, m);
                        M6809Context before = cpu[0];
                        Run(1);
                        Outcome expected = Reference16(op.kind, a, m, preset);
                        std::string what = std::to_string(op.prefix) + " " + std::to_string(op.base) + " " +
                                           kModeNames[mode] + " " + std::to_string(a) + " " +
                                           std::to_string(m);
                        ASSERT_EQ(Get(cpu[0], op.reg), expected.value) << what;
                        ASSERT_EQ(cpu[0].CC, expected.cc) << what;
                        ASSERT_EQ(cpu[0].PC, kOrigin + code.size()) << what;
                        for (int other : {0, 1, 2, 3, 4}) {
                            if (other != op.reg) {
                                ASSERT_EQ(Get(cpu[0], other), Get(before, other)) << what;
                            }
                        }
                    }
}

TEST_F(M6809Instructions, SixteenBitStores) {
    struct Store16 {
        uint8_t prefix, base;
        int reg;
    };
    for (Store16 op : {Store16{0, 0xCD, 0}, {0, 0x8F, 1}, {0x10, 0x8F, 2}, {0, 0xCF, 3}, {0x10, 0xCF, 4}})
        for (Mode mode : kMemoryModes)
            for (uint16_t value : {0x0000, 0x8001, 0x1234}) {
                uint16_t ea;
                std::vector<uint8_t> code = Encode(op.prefix, op.base, mode, 2, ea);
                FillRegisters();
                cpu[0].DP = kDp;
                Set(cpu[0], op.reg, value);
                cpu[0].CC = kV | kC;
                ExecCode(code);
                uint16_t s = cpu[0].S, pc = uint16_t(kOrigin + code.size());
                EXPECT_EQ(writes, (std::vector<WriteRecord>{{0, ea, uint8_t(value >> 8), s, pc},
                                                            {0, uint16_t(ea + 1), uint8_t(value), s, pc}}))
                    << int(op.base) << " " << kModeNames[mode];
                EXPECT_EQ(cpu[0].CC, Merge(kV | kC, kN | kZ | kV, Nz16(value)));
            }
}

// Single-operand instructions, by low nibble.
Outcome SingleOperand(int k, unsigned v, uint8_t cc) {
    unsigned carry = cc & kC;
    switch (k) {
        case 0x0: {
            unsigned r = (0 - v) & 0xFF;
            return {r, Merge(cc, kH | kN | kZ | kV | kC, Nz8(r) | (v == 0x80 ? kV : 0) | (v ? kC : 0))};
        }
        case 0x3: return {~v & 0xFF, Merge(cc, kN | kZ | kV | kC, Nz8(~v) | kC)};
        case 0x4: return {v >> 1, Merge(cc, kN | kZ | kC, Nz8(v >> 1) | (v & 1))};
        case 0x6: {
            unsigned r = v >> 1 | carry << 7;
            return {r, Merge(cc, kN | kZ | kC, Nz8(r) | (v & 1))};
        }
        case 0x7: {
            unsigned r = v >> 1 | (v & 0x80);
            return {r, Merge(cc, kH | kN | kZ | kC, Nz8(r) | (v & 1))};
        }
        case 0x8:
        case 0x9: {
            unsigned r = (v << 1 | (k == 9 ? carry : 0)) & 0xFF;
            unsigned flags = Nz8(r) | (v >> 7) | ((v ^ v << 1) & 0x80 ? kV : 0);
            return {r, Merge(cc, (k == 8 ? kH : 0) | kN | kZ | kV | kC, flags)};
        }
        case 0xA: return {(v - 1) & 0xFF, Merge(cc, kN | kZ | kV, Nz8(v - 1) | (v == 0x80 ? kV : 0))};
        case 0xC: return {(v + 1) & 0xFF, Merge(cc, kN | kZ | kV, Nz8(v + 1) | (v == 0x7F ? kV : 0))};
        case 0xD: return {v, Merge(cc, kN | kZ | kV, Nz8(v))};
        default: return {0, Merge(cc, kN | kZ | kV | kC, kZ)};
    }
}

TEST_F(M6809Instructions, SingleOperandOpcodesOnRegistersAndMemory) {
    for (int k : {0x0, 0x3, 0x4, 0x6, 0x7, 0x8, 0x9, 0xA, 0xC, 0xD, 0xF})
        for (int form = 0; form < 5; form++) // A, B, direct, indexed, extended
            for (unsigned v = 0; v < 256; v++)
                for (uint8_t preset : {0x00, 0x01, 0xFE, 0xFF}) {
                    static const uint8_t kBases[] = {0x40, 0x50, 0x00, 0x60, 0x70};
                    std::vector<uint8_t> code = {uint8_t(kBases[form] + k)};
                    uint16_t ea = 0;
                    if (form == 2) {
                        code.push_back(kDirectAddress & 0xFF);
                        ea = kDirectAddress;
                    } else if (form == 3) {
                        code.push_back(0xA4); // ,Y
                        ea = 0x6677;
                    } else if (form == 4) {
                        code.push_back(kExtendedAddress >> 8);
                        code.push_back(kExtendedAddress & 0xFF);
                        ea = kExtendedAddress;
                    }
                    FillRegisters();
                    cpu[0].DP = kDp;
                    cpu[0].CC = preset;
                    if (form == 0) cpu[0].A = uint8_t(v);
                    if (form == 1) cpu[0].B = uint8_t(v);
                    if (form >= 2) ram[0][ea] = uint8_t(v);
                    ExecCode(code);
                    Outcome expected = SingleOperand(k, v, preset);
                    std::string what = std::to_string(kBases[form] + k) + " v " + std::to_string(v) + " cc " +
                                       std::to_string(preset);
                    ASSERT_EQ(cpu[0].CC, expected.cc) << what;
                    ASSERT_EQ(cpu[0].PC, kOrigin + code.size()) << what;
                    if (form < 2) { ASSERT_EQ(form ? cpu[0].B : cpu[0].A, expected.value) << what; }
                    if (form >= 2) {
                        // One write of the result; TST only reads.
                        std::vector<WriteRecord> once = {
                            {0, ea, uint8_t(expected.value), kStack, uint16_t(kOrigin + code.size())}};
                        ASSERT_EQ(writes, k == 0xD ? std::vector<WriteRecord>{} : once) << what;
                    }
                }
}

// Each valid indexed form, through JMP (which makes PC the effective
// address) and LDA, for each index register.
TEST_F(M6809Instructions, IndexedForms) {
    struct Case {
        uint8_t post;               // with register bits 00
        std::vector<uint8_t> extra; // offset bytes
        int32_t offset;             // EA - register, for register forms
        int32_t change;             // register change
        bool indirect;
    };
    const std::vector<Case> cases = {
        {0x00, {}, 0, 0, false},        {0x0F, {}, 15, 0, false},
        {0x10, {}, -16, 0, false},      {0x1F, {}, -1, 0, false},
        {0x80, {}, 0, 1, false},        {0x81, {}, 0, 2, false},
        {0x82, {}, -1, -1, false},      {0x83, {}, -2, -2, false},
        {0x84, {}, 0, 0, false},        {0x85, {}, -0x80, 0, false},
        {0x86, {}, 0x7F, 0, false},     {0x88, {0x80}, -0x80, 0, false},
        {0x88, {0x7F}, 0x7F, 0, false}, {0x89, {0x80, 0x01}, -0x7FFF, 0, false},
        {0x8B, {}, 0x7F80, 0, false},   {0x91, {}, 0, 2, true},
        {0x93, {}, -2, -2, true},       {0x94, {}, 0, 0, true},
        {0x95, {}, -0x80, 0, true},     {0x96, {}, 0x7F, 0, true},
        {0x98, {0xFE}, -2, 0, true},    {0x99, {0x12, 0x34}, 0x1234, 0, true},
        {0x9B, {}, 0x7F80, 0, true},
    };
    const uint16_t base = 0x8008;
    for (int rr = 0; rr < 4; rr++) {
        const int reg = rr + 1; // X, Y, U, S by EXG code
        for (const Case& t : cases)
            for (uint8_t opcode : {0x6E, 0xA6}) { // JMP, LDA
                uint8_t post = uint8_t(t.post | rr << 5);
                std::vector<uint8_t> code = {opcode, post};
                for (uint8_t byte : t.extra)
                    code.push_back(byte);
                FillRegisters();
                cpu[0].A = 0x7F;
                cpu[0].B = 0x80;
                Set(cpu[0], reg, base);
                uint16_t ea = uint16_t(base + t.offset);
                if (t.indirect) {
                    SetWord(ea, 0x2468);
                    ea = 0x2468;
                }
                ram[0][ea] = 0xA5;
                ExecCode(code);
                std::string what = "post " + std::to_string(post) + " opcode " + std::to_string(opcode);
                if (opcode == 0x6E) {
                    ASSERT_EQ(cpu[0].PC, ea) << what;
                } else {
                    ASSERT_EQ(cpu[0].A, 0xA5) << what;
                    ASSERT_EQ(cpu[0].PC, kOrigin + code.size()) << what;
                }
                ASSERT_EQ(Get(cpu[0], reg), uint16_t(base + t.change)) << what;
            }
    }

    // The PC-relative forms ignore the register bits; PC is that past the
    // offset bytes.
    for (int rr = 0; rr < 4; rr++) {
        uint8_t r = uint8_t(rr << 5);
        ExecCode({0x6E, uint8_t(0x8C | r), 0xF0});
        EXPECT_EQ(cpu[0].PC, kOrigin + 3 - 0x10);
        ExecCode({0x6E, uint8_t(0x8D | r), 0x10, 0x00});
        EXPECT_EQ(cpu[0].PC, kOrigin + 4 + 0x1000);
        SetWord(kOrigin + 3 + 5, 0x3456);
        ExecCode({0x6E, uint8_t(0x9C | r), 0x05});
        EXPECT_EQ(cpu[0].PC, 0x3456);
        SetWord(kOrigin + 4 + 0x20, 0x3457);
        ExecCode({0x6E, uint8_t(0x9D | r), 0x00, 0x20});
        EXPECT_EQ(cpu[0].PC, 0x3457);
        // [n]: the word at the address that follows.
        SetWord(0x5000, 0x3458);
        ExecCode({0x6E, uint8_t(0x9F | r), 0x50, 0x00});
        EXPECT_EQ(cpu[0].PC, 0x3458);
    }

    // Register arithmetic wraps at 16 bits.
    cpu[0].X = 0x0000;
    ExecCode({0x6E, 0x82}); // JMP ,-X
    EXPECT_EQ(cpu[0].PC, 0xFFFF);
    EXPECT_EQ(cpu[0].X, 0xFFFF);
    cpu[0].Y = 0xFFF0;
    ExecCode({0x6E, 0xA9, 0x00, 0x20}); // JMP $20,Y
    EXPECT_EQ(cpu[0].PC, 0x0010);
}

// The 36 post-bytes that name no form address 0xFFFF and take no further
// byte; PC moves past the post-byte, so the CPU goes on instead of repeating
// the instruction.
TEST_F(M6809Instructions, InvalidIndexedPostBytes) {
    const uint8_t invalid[] = {0x87, 0x8A, 0x8E, 0x8F, 0x90, 0x92, 0x97, 0x9A, 0x9E};
    for (int rr = 0; rr < 4; rr++)
        for (uint8_t low : invalid) {
            uint8_t post = uint8_t(low | rr << 5);
            FillRegisters();
            ram[0][0xFFFF] = 0x3E;
            ExecCode({0xA6, post, 0x4C}, 2); // LDA with the bad post-byte; INCA
            ASSERT_EQ(cpu[0].A, 0x3F) << int(post);
            ASSERT_EQ(cpu[0].PC, kOrigin + 3) << int(post);
            ASSERT_EQ(cpu[0].X, 0x4455);
            ASSERT_EQ(cpu[0].S, kStack);

            ExecCode({0x30, post}); // LEAX: 0xFFFF, Z clear
            ASSERT_EQ(cpu[0].X, 0xFFFF);
            ExecCode({0xA7, post}); // STA there
            ASSERT_EQ(writes.size(), 1u);
            ASSERT_EQ(writes[0].address, 0xFFFF);
            ExecCode({0xAD, post}); // JSR there, returning past the post-byte
            ASSERT_EQ(cpu[0].PC, 0xFFFF);
            ASSERT_EQ(Word(kStack - 2), kOrigin + 2);
        }
}

// Reference branch conditions on N, Z, V, C.
bool Taken(int condition, unsigned cc) {
    bool n = cc & kN, z = cc & kZ, v = cc & kV, c = cc & kC;
    const bool results[16] = {true, false, !c && !z, c || z, !c,     c,      !z,           z,
                              !v,   v,     !n,       n,      n == v, n != v, !z && n == v, z || n != v};
    return results[condition];
}

TEST_F(M6809Instructions, BranchesOnEveryFlagCombination) {
    for (int condition = 0; condition < 16; condition++)
        for (unsigned flags = 0; flags < 16; flags++) {
            uint8_t cc = uint8_t(flags | 0xF0);
            bool taken = Taken(condition, flags);
            cpu[0].CC = cc;
            ExecCode({uint8_t(0x20 + condition), 0x80}); // short: back 128
            ASSERT_EQ(cpu[0].PC, taken ? kOrigin + 2 - 0x80 : kOrigin + 2) << condition << " " << flags;
            ASSERT_EQ(cpu[0].CC, cc);
            if (condition == 0) continue; // 0x10 0x20 is not LBRA
            ExecCode({0x10, uint8_t(0x20 + condition), 0x12, 0x34});
            ASSERT_EQ(cpu[0].PC, taken ? kOrigin + 4 + 0x1234 : kOrigin + 4) << condition << " " << flags;
            ASSERT_TRUE(traps.empty());
        }
    // LBRA, and a long branch whose target wraps past 0xFFFF.
    ExecCode({0x16, 0xF0, 0x00});
    EXPECT_EQ(cpu[0].PC, uint16_t(kOrigin + 3 + 0xF000));
    cpu[0].CC = kZ;
    ram[0][0xFFF0] = 0x10;
    ram[0][0xFFF1] = 0x27; // LBEQ +$0100
    ram[0][0xFFF2] = 0x01;
    ram[0][0xFFF3] = 0x00;
    cpu[0].PC = 0xFFF0;
    Run(1);
    EXPECT_EQ(cpu[0].PC, 0x00F4);
}

TEST_F(M6809Instructions, SubroutinesAndReturn) {
    // BSR, LBSR and JSR push the address after the instruction; RTS pulls it.
    ExecCode({0x8D, 0x10});
    EXPECT_EQ(cpu[0].PC, kOrigin + 2 + 0x10);
    EXPECT_EQ(cpu[0].S, kStack - 2);
    EXPECT_EQ(Word(kStack - 2), kOrigin + 2);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0], (WriteRecord{0, kStack - 1, (kOrigin + 2) & 0xFF, kStack - 1, kOrigin + 2}));

    cpu[0].S = kStack;
    ExecCode({0x17, 0x80, 0x00});
    EXPECT_EQ(cpu[0].PC, uint16_t(kOrigin + 3 + 0x8000));
    EXPECT_EQ(Word(kStack - 2), kOrigin + 3);

    cpu[0].S = kStack;
    cpu[0].X = 0x2000;
    ExecCode({0xAD, 0x89, 0x01, 0x00}); // JSR $100,X
    EXPECT_EQ(cpu[0].PC, 0x2100);
    EXPECT_EQ(Word(kStack - 2), kOrigin + 4);
    Load(0x2100, {0x39}); // RTS
    Run(1);
    EXPECT_EQ(cpu[0].PC, kOrigin + 4);
    EXPECT_EQ(cpu[0].S, kStack);

    // JSR direct and extended, JMP direct and extended.
    cpu[0].DP = 0x21;
    ExecCode({0x9D, 0x00});
    EXPECT_EQ(cpu[0].PC, 0x2100);
    ExecCode({0xBD, 0x21, 0x00});
    EXPECT_EQ(cpu[0].PC, 0x2100);
    ExecCode({0x0E, 0x34});
    EXPECT_EQ(cpu[0].PC, 0x2134);
    ExecCode({0x7E, 0x43, 0x21});
    EXPECT_EQ(cpu[0].PC, 0x4321);
}

TEST_F(M6809Instructions, PushAndPull) {
    // PSHS 0x7F then PULS 0x7F restores U, Y, X, DP, B, A, CC; S ends where it
    // started, the 10 bytes below it written.
    FillRegisters();
    cpu[0].CC = 0x5A;
    M6809Context before = cpu[0];
    ExecCode({0x34, 0x7F, 0x4F, 0x5F, 0x8E, 0x00, 0x00, 0x10, 0x8E, 0x00,
              0x00, 0xCE, 0x00, 0x00, 0x1F, 0x8B, 0x1A, 0xFF, 0x35, 0x7F},
             9);
    EXPECT_EQ(cpu[0].S, kStack);
    EXPECT_EQ(cpu[0].A, before.A);
    EXPECT_EQ(cpu[0].B, before.B);
    EXPECT_EQ(cpu[0].DP, before.DP);
    EXPECT_EQ(cpu[0].CC, before.CC);
    EXPECT_EQ(cpu[0].X, before.X);
    EXPECT_EQ(cpu[0].Y, before.Y);
    EXPECT_EQ(cpu[0].U, before.U);
    EXPECT_EQ(ram[0][kStack - 10], 0x5A);
    EXPECT_EQ(ram[0][kStack - 11], 0x00); // nothing below

    // PSHU with S, PULU into S; the U stack holds S at bit 6.
    FillRegisters();
    ExecCode({0x36, 0x40});
    EXPECT_EQ(cpu[0].U, 0x7000 - 2);
    EXPECT_EQ(Word(0x7000 - 2), kStack);
    SetWord(0x7000 - 2, 0x1357);
    ExecCode({0x37, 0x40});
    EXPECT_EQ(cpu[0].S, 0x1357);
    EXPECT_EQ(cpu[0].U, 0x7000);

    // PULS order from bit 0 up, PC last: a hand-built frame.
    FillRegisters();
    const uint8_t frame[] = {0x0F, 0xA1, 0xB2, 0xC3, 0x11, 0x12, 0x21, 0x22, 0x31, 0x32, 0x20, 0x00};
    std::memcpy(&ram[0][kStack], frame, sizeof frame);
    Load(0x2000, {0x12});
    ExecCode({0x35, 0xFF});
    EXPECT_EQ(cpu[0].CC, 0x0F);
    EXPECT_EQ(cpu[0].A, 0xA1);
    EXPECT_EQ(cpu[0].B, 0xB2);
    EXPECT_EQ(cpu[0].DP, 0xC3);
    EXPECT_EQ(cpu[0].X, 0x1112);
    EXPECT_EQ(cpu[0].Y, 0x2122);
    EXPECT_EQ(cpu[0].U, 0x3132);
    EXPECT_EQ(cpu[0].PC, 0x2000);
    EXPECT_EQ(cpu[0].S, kStack + 12);
}

TEST_F(M6809Instructions, SoftwareInterruptsAndRti) {
    struct Swi {
        std::vector<uint8_t> code;
        uint16_t vector;
        uint8_t masks;
    };
    for (const Swi& swi :
         {Swi{{0x3F}, 0xFFFA, kF | kI}, Swi{{0x10, 0x3F}, 0xFFF4, 0}, Swi{{0x11, 0x3F}, 0xFFF2, 0}}) {
        FillRegisters();
        cpu[0].CC = kN;
        SetWord(swi.vector, 0x2000);
        ExecCode(swi.code);
        EXPECT_EQ(cpu[0].PC, 0x2000);
        EXPECT_EQ(cpu[0].CC, kE | kN | swi.masks);
        EXPECT_EQ(cpu[0].S, kStack - 12);
        EXPECT_EQ(ram[0][kStack - 12], kE | kN); // the CC stacked, E set
        EXPECT_EQ(Word(kStack - 2), kOrigin + swi.code.size());
        ASSERT_EQ(writes.size(), 12u);
        // RTI with E set pulls the 12 bytes back.
        cpu[0].A = cpu[0].B = 0;
        cpu[0].X = 0;
        Load(0x2000, {0x3B});
        Run(1);
        EXPECT_EQ(cpu[0].PC, kOrigin + swi.code.size());
        EXPECT_EQ(cpu[0].CC, kE | kN);
        EXPECT_EQ(cpu[0].A, 0x11);
        EXPECT_EQ(cpu[0].X, 0x4455);
        EXPECT_EQ(cpu[0].S, kStack);
    }
    // RTI with E clear in the pulled CC pulls CC and PC only.
    FillRegisters();
    const uint8_t frame[] = {kZ, 0x23, 0x45};
    std::memcpy(&ram[0][kStack - 3], frame, 3);
    cpu[0].S = kStack - 3;
    ExecCode({0x3B});
    EXPECT_EQ(cpu[0].CC, kZ);
    EXPECT_EQ(cpu[0].PC, 0x2345);
    EXPECT_EQ(cpu[0].S, kStack);
    EXPECT_EQ(cpu[0].A, 0x11);
}

TEST_F(M6809Instructions, ExchangeAndTransfer) {
    const int codes[] = {0, 1, 2, 3, 4, 5, 8, 9, 10, 11};
    for (int first : codes)
        for (int second : codes) {
            if ((first <= 5) != (second <= 5)) continue;
            for (bool exchange : {false, true}) {
                FillRegisters();
                cpu[0].CC = 0x5A;
                ExecCode({uint8_t(exchange ? 0x1E : 0x1F), uint8_t(first << 4 | second)}, 0);
                M6809Context before = cpu[0];
                before.PC = kOrigin + 2; // PC as a source: past the post-byte
                Run(1);
                M6809Context expected = before;
                Set(expected, second, Get(before, first));
                if (exchange) Set(expected, first, Get(before, second));
                std::string what =
                    std::to_string(first) + " " + std::to_string(second) + (exchange ? " EXG" : " TFR");
                for (int code : codes)
                    ASSERT_EQ(Get(cpu[0], code), Get(expected, code)) << what << " reg " << code;
                ASSERT_TRUE(traps.empty()) << what;
            }
        }
}

TEST_F(M6809Instructions, ConditionCodesAndMiscellany) {
    // ORCC and ANDCC include E, F and I.
    cpu[0].CC = 0x00;
    ExecCode({0x1A, 0xD0});
    EXPECT_EQ(cpu[0].CC, 0xD0);
    ExecCode({0x1C, 0x3F});
    EXPECT_EQ(cpu[0].CC, 0x10);

    // NOP changes nothing but PC; ABX adds B unsigned.
    FillRegisters();
    M6809Context before = cpu[0];
    ExecCode({0x12});
    EXPECT_EQ(cpu[0].PC, kOrigin + 1);
    EXPECT_EQ(cpu[0].CC, before.CC);
    cpu[0].X = 0xFFF0;
    cpu[0].B = 0xF0;
    cpu[0].CC = 0;
    ExecCode({0x3A});
    EXPECT_EQ(cpu[0].X, 0x00E0);
    EXPECT_EQ(cpu[0].CC, 0);

    // Direct addresses take DP as their high byte.
    cpu[0].DP = 0x9A;
    ram[0][0x9ABC] = 0x77;
    ExecCode({0x96, 0xBC});
    EXPECT_EQ(cpu[0].A, 0x77);

    // LEA: X and Y set Z from the address, S and U change no flag.
    cpu[0].X = 0x1234;
    cpu[0].CC = kZ | kN;
    ExecCode({0x30, 0x80}); // LEAX ,X+: X keeps the old X
    EXPECT_EQ(cpu[0].X, 0x1234);
    EXPECT_EQ(cpu[0].CC, kN);
    cpu[0].Y = 0;
    ExecCode({0x31, 0x20}); // LEAY 0,Y
    EXPECT_EQ(cpu[0].CC, kZ | kN);
    cpu[0].S = 0x0001;
    cpu[0].CC = 0;
    ExecCode({0x32, 0x7F}); // LEAS -1,S
    EXPECT_EQ(cpu[0].S, 0);
    EXPECT_EQ(cpu[0].CC, 0);
    cpu[0].U = 0x1000;
    ExecCode({0x33, 0xC8, 0xF0}); // LEAU -16,U
    EXPECT_EQ(cpu[0].U, 0x0FF0);
    EXPECT_EQ(cpu[0].CC, 0);
}

TEST_F(M6809Instructions, DocumentedEdgeCases) {
    auto run = [&](std::initializer_list<uint8_t> code, uint8_t a, uint8_t b, uint8_t cc) {
        cpu[0].A = a;
        cpu[0].B = b;
        cpu[0].CC = cc;
        Exec(code);
    };
    // Half carry: ADDA sets it, SUBA clears it, ADDD leaves it.
    run({0x8B, 0x01}, 0x0F, 0, 0);
    EXPECT_EQ(cpu[0].A, 0x10);
    EXPECT_EQ(cpu[0].CC, kH);
    run({0x80, 0x01}, 0x10, 0, kH);
    EXPECT_EQ(cpu[0].CC & kH, 0);
    run({0xC3, 0x0F, 0x0F}, 0x00, 0x0F, kH);
    EXPECT_EQ(D(), 0x0F1E);
    EXPECT_EQ(cpu[0].CC, kH);
    run({0xC3, 0x00, 0x01}, 0x00, 0x0F, 0);
    EXPECT_EQ(cpu[0].CC & kH, 0);

    // CMPX equal and one above.
    cpu[0].X = 0x1200;
    run({0x8C, 0x12, 0x00}, 0, 0, kN | kV | kC);
    EXPECT_EQ(cpu[0].CC, kZ);
    run({0x8C, 0x12, 0x01}, 0, 0, kZ);
    EXPECT_EQ(cpu[0].CC, kN | kC);

    // NEGA of 0x80 and of 0.
    run({0x40}, 0x80, 0, 0);
    EXPECT_EQ(cpu[0].A, 0x80);
    EXPECT_EQ(cpu[0].CC, kN | kV | kC);
    run({0x40}, 0x00, 0, kC);
    EXPECT_EQ(cpu[0].A, 0x00);
    EXPECT_EQ(cpu[0].CC, kZ);

    // INCA of 0x7F and DECA of 0x80 set V and leave C.
    run({0x4C}, 0x7F, 0, kC);
    EXPECT_EQ(cpu[0].CC, kN | kV | kC);
    run({0x4A}, 0x80, 0, 0);
    EXPECT_EQ(cpu[0].A, 0x7F);
    EXPECT_EQ(cpu[0].CC, kV);

    // ASRA keeps bit 7 and V; LSRA clears N.
    run({0x47}, 0x81, 0, kV);
    EXPECT_EQ(cpu[0].A, 0xC0);
    EXPECT_EQ(cpu[0].CC, kN | kV | kC);
    run({0x44}, 0x01, 0, kN);
    EXPECT_EQ(cpu[0].A, 0x00);
    EXPECT_EQ(cpu[0].CC, kZ | kC);

    // DAA after 0x19 + 0x28 and after 0x99 + 0x01.
    run({0x8B, 0x28, 0x19}, 0x19, 0, 0);
    EXPECT_EQ(cpu[0].A, 0x41);
    EXPECT_TRUE(cpu[0].CC & kH);
    Run(1);
    EXPECT_EQ(cpu[0].A, 0x47);
    run({0x8B, 0x01, 0x19}, 0x99, 0, kV);
    EXPECT_EQ(cpu[0].A, 0x9A);
    Run(1);
    EXPECT_EQ(cpu[0].A, 0x00);
    EXPECT_EQ(cpu[0].CC & (kC | kZ | kV), kC | kZ);

    // MUL: D = A * B, Z from D, C from bit 7 of B.
    run({0x3D}, 0x80, 0x02, kZ | kC | kN);
    EXPECT_EQ(D(), 0x0100);
    EXPECT_EQ(cpu[0].CC, kN);
    run({0x3D}, 0x01, 0x81, 0);
    EXPECT_EQ(D(), 0x0081);
    EXPECT_EQ(cpu[0].CC, kC);
    run({0x3D}, 0x00, 0x81, 0);
    EXPECT_EQ(cpu[0].CC, kZ);

    // SEX: A from bit 7 of B, N and Z from B, V left alone.
    run({0x1D}, 0x33, 0x05, kN | kZ | kV);
    EXPECT_EQ(cpu[0].A, 0x00);
    EXPECT_EQ(cpu[0].CC, kV);
    run({0x1D}, 0x33, 0x00, 0);
    EXPECT_EQ(cpu[0].CC, kZ);
    run({0x1D}, 0x00, 0xF0, 0);
    EXPECT_EQ(cpu[0].A, 0xFF);
    EXPECT_EQ(cpu[0].CC, kN);

    // CLR on memory writes 0 once.
    cpu[0].DP = 0x20;
    ram[0][0x2030] = 0x55;
    run({0x0F, 0x30}, 0, 0, kN | kV | kC);
    EXPECT_EQ(cpu[0].CC, kZ);
    EXPECT_EQ(writes, (std::vector<WriteRecord>{{0, 0x2030, 0x00, kStack, kOrigin + 2}}));
}

} // namespace
