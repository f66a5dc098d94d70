// The implemented opcode sets of the six dispatch tables and the two- and
// four-byte traps of every other slot.
#include <algorithm>
#include <set>
#include <sstream>
#include <string>

#include "tests/z80/z80_rig.h"

namespace {

std::set<int> HexSet(const char* text) {
    std::set<int> out;
    std::istringstream in(text);
    std::string word;
    while (in >> word)
        out.insert(std::stoi(word, nullptr, 16));
    return out;
}

const std::set<int> kIndexed = HexSet(
    "09 19 21 22 23 24 25 26 29 2A 2B 2C 2D 2E 34 35 36 39 44 45 46 4C 4D 4E 54 55 56 5C 5D 5E 60 61 62 63 "
    "66 67 68 69 6A 6B 6E 6F 70 71 72 73 74 75 77 7C 7D 7E 84 85 86 8C 8D 8E 94 95 96 9C 9D 9E A4 A5 A6 AC "
    "AD AE B4 B5 B6 BC BD BE CB E1 E3 E5 E9 F9");
const std::set<int> kEd =
    HexSet("40 41 42 43 44 45 46 47 48 49 4A 4B 4D 4F 50 51 52 53 56 57 58 59 5A 5B 5E 5F "
           "60 61 62 67 68 69 6A 6F 72 73 78 79 7A 7B A0 A1 A2 A3 A8 A9 AA AB B0 B1 B2 B3 "
           "B8 B9 BA BB");
const std::set<int> kIndexedBit = [] {
    std::set<int> s = HexSet("06 0E 16 1E 26 2E 3E");
    for (int b = 0; b < 8; b++) {
        s.insert(0x46 + 8 * b);
        s.insert(0x86 + 8 * b);
        s.insert(0xC6 + 8 * b);
    }
    return s;
}();

class Z80Traps : public Z80Rig {
  protected:
    static constexpr uint16_t kAt = 0x4000;

    void SetUp() override {
        Z80Rig::SetUp();
        for (int i = 0; i < 65536; i++)
            ram[0][i] = uint8_t(i * 13 + 7);
    }

    // Runs the bytes at kAt for one pass and checks that the hook received
    // the prefix address and the length, that PC is past the bytes, that R
    // counted the pass and that nothing else of the context or memory moved.
    void ExpectTrap(std::initializer_list<uint8_t> bytes, int length) {
        std::ostringstream name;
        for (uint8_t b : bytes)
            name << std::hex << int(b) << ' ';
        SCOPED_TRACE(name.str());
        FillRegisters();
        cpu[0].PC = kAt;
        Load(kAt, bytes);
        std::vector<uint8_t> before(ram[0], ram[0] + 65536);
        Z80Context was = cpu[0];
        Run(1);
        ASSERT_EQ(traps.size(), 1u);
        EXPECT_EQ(traps[0].context, &cpu[0]);
        EXPECT_EQ(traps[0].address, kAt);
        EXPECT_EQ(traps[0].length, length);
        EXPECT_EQ(traps[0].pc, kAt + length); // PC stored before the call
        EXPECT_EQ(cpu[0].PC, kAt + length);
        EXPECT_EQ(cpu[0].R, uint8_t(was.R + 1));
        EXPECT_TRUE(SameButPcAndR(cpu[0], was));
        EXPECT_TRUE(writes.empty());
        EXPECT_TRUE(std::equal(before.begin(), before.end(), ram[0]));
    }

    // Runs one instruction and checks that the hook was not called.
    void ExpectNoTrap(std::initializer_list<uint8_t> bytes) {
        FillRegisters();
        cpu[0].running = 1;
        cpu[0].PC = kAt;
        Load(kAt, bytes);
        Run(1);
        EXPECT_TRUE(traps.empty()) << std::hex << int(*bytes.begin()) << ' ' << int(*(bytes.begin() + 1))
                                   << ' ' << int(*(bytes.begin() + 3));
    }
};

TEST_F(Z80Traps, ImplementedSetsHaveTheirSizes) {
    EXPECT_EQ(kIndexed.size(), 82u);
    EXPECT_EQ(kEd.size(), 56u);
    EXPECT_EQ(kIndexedBit.size(), 31u);
}

TEST_F(Z80Traps, UndefinedCbSlotsTrapWithTwoBytes) {
    for (int op = 0x30; op <= 0x37; op++)
        ExpectTrap({0xCB, uint8_t(op)}, 2);
}

TEST_F(Z80Traps, UndefinedIndexSlotsTrapWithTwoBytes) {
    for (uint8_t prefix : {0xDD, 0xFD})
        for (int op = 0; op < 256; op++)
            if (!kIndexed.count(op)) ExpectTrap({prefix, uint8_t(op), 0x3E, 0x12}, 2);
}

TEST_F(Z80Traps, UndefinedEdSlotsTrapWithTwoBytes) {
    for (int op = 0; op < 256; op++)
        if (!kEd.count(op)) ExpectTrap({0xED, uint8_t(op), 0x00, 0x00}, 2);
}

TEST_F(Z80Traps, UndefinedIndexedBitSlotsTrapWithFourBytes) {
    for (uint8_t prefix : {0xDD, 0xFD})
        for (int op = 0; op < 256; op++)
            if (!kIndexedBit.count(op)) {
                ExpectTrap({prefix, 0xCB, 0x05, uint8_t(op)}, 4);
                ExpectTrap({prefix, 0xCB, 0xFB, uint8_t(op)}, 4);
            }
}

TEST_F(Z80Traps, ImplementedSlotsDoNotTrap) {
    for (int op = 0; op < 256; op++) {
        switch (op) {
            case 0xCB: ExpectNoTrap({0xCB, 0x00, 0, 0}); break;
            case 0xDD: ExpectNoTrap({0xDD, 0x09, 0, 0}); break;
            case 0xED: ExpectNoTrap({0xED, 0x40, 0, 0}); break;
            case 0xFD: ExpectNoTrap({0xFD, 0x09, 0, 0}); break;
            default: ExpectNoTrap({uint8_t(op), 0, 0, 0});
        }
        if (op < 0x30 || op > 0x37) ExpectNoTrap({0xCB, uint8_t(op), 0, 0});
    }
    for (int op : kIndexed) {
        ExpectNoTrap({0xDD, uint8_t(op), 0x10, 0x06});
        ExpectNoTrap({0xFD, uint8_t(op), 0x10, 0x06});
    }
    for (int op : kEd)
        ExpectNoTrap({0xED, uint8_t(op), 0, 0});
    for (int op : kIndexedBit) {
        ExpectNoTrap({0xDD, 0xCB, 0x10, uint8_t(op)});
        ExpectNoTrap({0xFD, 0xCB, 0x10, uint8_t(op)});
    }
}

TEST_F(Z80Traps, NamedUndefinedForms) {
    ExpectTrap({0xDD, 0xDD}, 2); // a second prefix
    ExpectTrap({0xDD, 0xED}, 2);
    ExpectTrap({0xDD, 0xFD}, 2);
    ExpectTrap({0xFD, 0xDD}, 2);
    ExpectTrap({0xFD, 0xED}, 2);
    ExpectTrap({0xFD, 0xFD}, 2);
    ExpectTrap({0xFD, 0x00}, 2); // the high-score trap bytes
    ExpectTrap({0xDD, 0xEB}, 2); // no EX DE,IX
    for (uint8_t op : {0x64, 0x65, 0x6C, 0x6D})
        ExpectTrap({0xDD, op}, 2); // LD IXh,IXh ...
    ExpectTrap({0xED, 0x63}, 2);   // not LD (nn),HL
    ExpectTrap({0xED, 0x70}, 2);   // not IN (C)
    ExpectTrap({0xED, 0x71}, 2);
    ExpectTrap({0xDD, 0xCB, 0x01, 0x36}, 4);
    ExpectTrap({0xDD, 0xCB, 0x01, 0x00}, 4); // the form that also loads B
    ExpectTrap({0xFD, 0xCB, 0x80, 0xC7}, 4);
}

TEST_F(Z80Traps, DefaultHookSkipsTheBytesAndRunsWhatFollows) {
    Z80SetTrapHook(NullTrapHook);
    FillRegisters();
    Z80Context was = cpu[0];
    Exec({0xDD, 0x00});
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);
    EXPECT_TRUE(SameButPcAndR(cpu[0], was));

    // DD 3E 05: A stays, then 05 (DEC B) runs
    FillRegisters();
    Exec({0xDD, 0x3E, 0x05}, 2);
    EXPECT_EQ(A(), 0x77);
    EXPECT_EQ(cpu[0].BC, 0x1022);
    EXPECT_EQ(cpu[0].PC, kOrigin + 3);
}

TEST_F(Z80Traps, HookMayMovePcAndSeesItsOwnContext) {
    // The hook sends CPU 1 to 0x2000, where LD A,0x42 runs at its next turn.
    static Z80Context* target;
    target = &cpu[1];
    Z80SetTrapHook([](Z80Context* c, uint16_t, int) {
        if (c == target) c->PC = 0x2000;
    });
    Z80Reset(&cpu[1]);
    Load(0, 0x0000, {0xFD, 0x00, 0x00}); // CPU 0 traps too, but is left alone
    Load(1, 0x0000, {0xFD, 0x00});
    Load(1, 0x2000, {0x3E, 0x42});
    Run(2, 2);
    EXPECT_EQ(cpu[0].PC, 0x0003);
    EXPECT_EQ(cpu[1].PC, 0x2002);
    EXPECT_EQ(cpu[1].AF >> 8, 0x42);
}

TEST_F(Z80Traps, IndexedBitTrapWrapsAroundTheTopOfMemory) {
    Load(0xFFFE, {0xDD, 0xCB});
    Load(0x0000, {0x00, 0x36});
    cpu[0].PC = 0xFFFE;
    Run(1);
    ASSERT_EQ(traps.size(), 1u);
    EXPECT_EQ(traps[0].address, 0xFFFE);
    EXPECT_EQ(traps[0].length, 4);
    EXPECT_EQ(cpu[0].PC, 0x0002);
}

} // namespace
