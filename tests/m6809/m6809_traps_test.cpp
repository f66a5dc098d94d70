// Undefined encodings and the trap hook: every opcode of each of the three
// pages and every EXG and TFR post-byte, with the page argument, the address
// and PC that the hook sees, and what PC does with the default hook or a hook
// that moves it.
#include <algorithm>
#include <set>

#include "tests/m6809/m6809_rig.h"

namespace {

using M6809Traps = M6809Rig;

const std::set<int> kMainTraps = {0x01, 0x02, 0x05, 0x0B, 0x14, 0x15, 0x18, 0x1B, 0x38, 0x3E, 0x41,
                                  0x42, 0x45, 0x4B, 0x4E, 0x51, 0x52, 0x55, 0x5B, 0x5E, 0x61, 0x62,
                                  0x65, 0x6B, 0x71, 0x72, 0x75, 0x7B, 0x87, 0x8F, 0xC7, 0xCD, 0xCF};

std::set<int> Page10Opcodes() {
    std::set<int> ops = {0x3F, 0x83, 0x8C, 0x8E, 0x93, 0x9C, 0x9E, 0x9F, 0xA3, 0xAC, 0xAE, 0xAF,
                         0xB3, 0xBC, 0xBE, 0xBF, 0xCE, 0xDE, 0xDF, 0xEE, 0xEF, 0xFE, 0xFF};
    for (int op = 0x21; op <= 0x2F; op++)
        ops.insert(op);
    return ops;
}

const std::set<int> kPage11Opcodes = {0x3F, 0x83, 0x8C, 0x93, 0x9C, 0xA3, 0xAC, 0xB3, 0xBC};

// Runs one instruction at kOrigin with zero operand bytes and returns the
// traps it raised.
std::vector<TrapRecord> TrapsOf(M6809Rig& rig, std::initializer_list<uint8_t> code) {
    rig.FillRegisters();
    rig.cpu[0].running = 1; // SYNC and CWAI stop it
    rig.Load(M6809Rig::kOrigin, {0, 0, 0, 0, 0});
    rig.Exec(code);
    return rig.traps;
}

TEST_F(M6809Traps, MainPage) {
    int implemented = 0;
    for (int op = 0; op < 256; op++) {
        if (op == 0x10 || op == 0x11) continue; // prefixes
        std::vector<TrapRecord> traps = TrapsOf(*this, {uint8_t(op)});
        if (kMainTraps.count(op)) {
            ASSERT_EQ(traps, (std::vector<TrapRecord>{{&cpu[0], kOrigin, 1, kOrigin + 1}}))
                << "opcode " << op;
            EXPECT_EQ(cpu[0].PC, kOrigin + 1) << "opcode " << op;
        } else {
            ASSERT_TRUE(traps.empty()) << "opcode " << op;
            implemented++;
        }
    }
    EXPECT_EQ(implemented, 256 - 2 - 33);
}

TEST_F(M6809Traps, PrefixedPages) {
    const std::set<int> page10 = Page10Opcodes();
    ASSERT_EQ(page10.size(), 38u);
    for (int prefix : {0x10, 0x11}) {
        const std::set<int>& defined = prefix == 0x10 ? page10 : kPage11Opcodes;
        for (int op = 0; op < 256; op++) {
            std::vector<TrapRecord> traps = TrapsOf(*this, {uint8_t(prefix), uint8_t(op)});
            if (defined.count(op)) {
                ASSERT_TRUE(traps.empty()) << prefix << " " << op;
            } else {
                ASSERT_EQ(traps, (std::vector<TrapRecord>{{&cpu[0], kOrigin, 2, kOrigin + 2}}))
                    << prefix << " " << op;
                EXPECT_EQ(cpu[0].PC, kOrigin + 2) << prefix << " " << op;
            }
        }
    }
}

TEST_F(M6809Traps, ExchangeAndTransferPostBytes) {
    auto valid = [](int code) { return code <= 5 || (code >= 8 && code <= 11); };
    for (int opcode : {0x1E, 0x1F}) {
        int trapped = 0;
        for (int post = 0; post < 256; post++) {
            int first = post >> 4, second = post & 15;
            bool ok = valid(first) && valid(second) && (first <= 5) == (second <= 5);
            std::vector<TrapRecord> traps = TrapsOf(*this, {uint8_t(opcode), uint8_t(post)});
            if (ok) {
                ASSERT_TRUE(traps.empty()) << opcode << " " << post;
            } else {
                trapped++;
                ASSERT_EQ(traps, (std::vector<TrapRecord>{{&cpu[0], kOrigin, 2, kOrigin + 2}}))
                    << opcode << " " << post;
                EXPECT_EQ(cpu[0].PC, kOrigin + 2);
                // No register changed.
                EXPECT_EQ(cpu[0].X, 0x4455);
                EXPECT_EQ(cpu[0].A, 0x11);
            }
        }
        EXPECT_EQ(trapped, 204);
    }
}

TEST_F(M6809Traps, DefaultHookSkipsAndAHookMayMovePc) {
    // NullTrapHook: one byte on the main page, two after a prefix or for a
    // bad EXG/TFR post-byte.
    M6809SetTrapHook(NullTrapHook);
    Exec({0x01});
    EXPECT_EQ(cpu[0].PC, kOrigin + 1);
    Exec({0x10, 0x20});
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);
    Exec({0x11, 0x11});
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);
    Exec({0x1F, 0x81}); // TFR A,X
    EXPECT_EQ(cpu[0].PC, kOrigin + 2);

    // The hook may set PC and registers; the run goes on from there, and the
    // trap counts as the CPU's instruction for the pass.
    M6809SetTrapHook(RecordTrap);
    onTrap = [](M6809Rig*, M6809Context* c) {
        c->PC = 0x2000;
        c->B = 0x99;
    };
    Load(0x2000, {0x86, 0x42}); // LDA #$42
    Exec({0x01}, 1);
    EXPECT_EQ(cpu[0].PC, 0x2000);
    EXPECT_EQ(cpu[0].B, 0x99);
    Run(1);
    EXPECT_EQ(cpu[0].A, 0x42);

    // Two contexts: the trapping CPU's hook sees its own context.
    M6809Reset(&cpu[1]);
    Load(1, kOrigin, {0x12, 0x11, 0x00});
    Exec({0x12, 0x12}, 2);
    Run(2, 2);
    ASSERT_EQ(traps.size(), 1u);
    EXPECT_EQ(traps[0].context, &cpu[1]);
    EXPECT_EQ(traps[0].address, kOrigin + 1);
    EXPECT_EQ(traps[0].page, 2u);
}

} // namespace
