// A small test bench for the 6809 interpreter (on the shared CpuRig): two
// contexts back to back, as on the 6809 boards, each with its own 64 KB of
// RAM behind a logging write handler that remembers whose RAM was written,
// where, what, and the watched context's S and PC at that moment; plus
// recording trap and breakpoint hooks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "cpu/m6809/m6809.h"
#include "tests/common/cpu_rig.h"

struct WriteRecord {
    int cpu;          // whose RAM (-1: a page outside the rig)
    uint16_t address; // as the handler received it
    uint8_t value;
    uint16_t s; // the watched context's S and PC when the handler ran
    uint16_t pc;
    bool operator==(const WriteRecord&) const = default;
};

struct TrapRecord {
    M6809Context* context;
    uint16_t address;
    uint32_t page;
    uint16_t pc; // the context's PC when the hook ran
    bool operator==(const TrapRecord&) const = default;
};

class M6809Rig : public CpuRig<M6809Rig, M6809Context, 2, 0x1000, WriteRecord, TrapRecord> {
  public:
    static constexpr uint16_t kStack = 0x8000;

    std::vector<uint16_t> breaks; // PC of each breakpoint-hook call
    // Optional extra actions, run after the record is taken.
    void (*onTrap)(M6809Rig* rig, M6809Context* context) = nullptr;
    void (*onBreak)(M6809Rig* rig, M6809Context* context) = nullptr;

    void SetUp() override {
        static const bool built = (M6809BuildFlagTables(), true);
        (void)built;
        for (int i = 0; i < kCpus; i++)
            M6809InitPageTables(&cpu[i]);
        MapRam();
        for (int i = 0; i < kCpus; i++) {
            ram[i][0xFFFE] = kOrigin >> 8;
            ram[i][0xFFFF] = kOrigin & 0xFF;
            cpu[i].S = kStack;
            cpu[i].U = 0x7000;
        }
        M6809SetTrapHook(RecordTrap);
        M6809SetBreakpointHook(RecordBreak);
        M6809Reset(&cpu[0]);
        cpu[1].running = 0;
        cpu[1].held = 1;
    }

    void TearDown() override {
        M6809SetTrapHook(NullTrapHook);
        M6809SetBreakpointHook(NullBreakpointHook);
        current = nullptr;
    }

    WriteRecord MemoryRecord(uint8_t* page, uint16_t address, uint8_t value) const {
        return {CpuOf(page), address, value, watched->S, watched->PC};
    }

    static void RecordTrap(M6809Context* context, uint16_t address, uint32_t page) {
        current->traps.push_back({context, address, page, context->PC});
        if (current->onTrap) current->onTrap(current, context);
    }

    static void RecordBreak(M6809Context* context) {
        current->breaks.push_back(context->PC);
        if (current->onBreak) current->onBreak(current, context);
    }

    static void RunCpus(int count, M6809Context* contexts, uint32_t passes) {
        M6809Run(uint32_t(count), contexts, passes);
    }
    void ClearMoreLogs() { breaks.clear(); }

    void ExecCode(const std::vector<uint8_t>& code, uint32_t passes = 1) {
        for (size_t i = 0; i < code.size(); i++)
            ram[0][uint16_t(kOrigin + i)] = code[i];
        cpu[0].PC = kOrigin;
        Run(passes);
    }
    uint16_t D() const { return uint16_t(cpu[0].A << 8 | cpu[0].B); }
    void SetD(uint16_t d) {
        cpu[0].A = uint8_t(d >> 8);
        cpu[0].B = uint8_t(d);
    }
    uint16_t Word(uint16_t address, int i = 0) const {
        return uint16_t(ram[i][address] << 8 | ram[i][uint16_t(address + 1)]);
    }
    void SetWord(uint16_t address, uint16_t value, int i = 0) {
        ram[i][address] = uint8_t(value >> 8);
        ram[i][uint16_t(address + 1)] = uint8_t(value);
    }

    // Distinct values in every register of CPU 0.
    void FillRegisters() {
        M6809Context& c = cpu[0];
        c.A = 0x11;
        c.B = 0x22;
        c.DP = 0x33;
        c.CC = 0x00;
        c.X = 0x4455;
        c.Y = 0x6677;
        c.U = 0x7000;
        c.S = kStack;
    }
};

// Condition-code bits, short names for the tests.
constexpr uint8_t kE = M6809FlagE, kF = M6809FlagF, kH = M6809FlagH, kI = M6809FlagI, kN = M6809FlagN,
                  kZ = M6809FlagZ, kV = M6809FlagV, kC = M6809FlagC;
