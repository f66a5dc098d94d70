// A small test bench for the 6809 interpreter: two contexts back to back, as
// on the 6809 boards, each with its own 64 KB of RAM behind a logging write
// handler that remembers whose RAM was written, where, what, and the watched
// context's S and PC at that moment; plus recording trap and breakpoint hooks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "cpu/m6809/m6809.h"

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

class M6809Rig : public ::testing::Test {
  public:
    static constexpr int kCpus = 2;
    static constexpr uint16_t kOrigin = 0x1000; // where Exec loads code
    static constexpr uint16_t kStack = 0x8000;

    M6809Context cpu[kCpus] = {};
    uint8_t ram[kCpus][65536] = {};
    std::vector<WriteRecord> writes;
    std::vector<TrapRecord> traps;
    std::vector<uint16_t> breaks; // PC of each breakpoint-hook call
    M6809Context* watched = &cpu[0];
    // Optional extra actions, run after the record is taken.
    void (*onWrite)(M6809Rig* rig, const WriteRecord& record) = nullptr;
    void (*onTrap)(M6809Rig* rig, M6809Context* context) = nullptr;
    void (*onBreak)(M6809Rig* rig, M6809Context* context) = nullptr;

    static M6809Rig* current;

    void SetUp() override {
        static const bool built = (M6809BuildFlagTables(), true);
        (void)built;
        current = this;
        for (int i = 0; i < kCpus; i++) {
            M6809InitPageTables(&cpu[i]);
            for (int p = 0; p < 256; p++)
                cpu[i].pages[p] = {ram[i] + p * 256, LogMemory};
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

    int CpuOf(const uint8_t* page) const {
        for (int i = 0; i < kCpus; i++)
            if (page >= ram[i] && page < ram[i] + 65536) return i;
        return -1;
    }

    // Stores the byte and logs it.
    static void LogMemory(uint8_t* page, uint16_t address, uint8_t value) {
        page[address & 0xFF] = value;
        WriteRecord r{current->CpuOf(page), address, value, current->watched->S, current->watched->PC};
        current->writes.push_back(r);
        if (current->onWrite) current->onWrite(current, r);
    }

    static void RecordTrap(M6809Context* context, uint16_t address, uint32_t page) {
        current->traps.push_back({context, address, page, context->PC});
        if (current->onTrap) current->onTrap(current, context);
    }

    static void RecordBreak(M6809Context* context) {
        current->breaks.push_back(context->PC);
        if (current->onBreak) current->onBreak(current, context);
    }

    void Load(int i, uint16_t address, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes)
            ram[i][address++] = b;
    }
    void Load(uint16_t address, std::initializer_list<uint8_t> bytes) { Load(0, address, bytes); }

    // Loads code at kOrigin on CPU 0, points PC at it, clears the logs and
    // runs the given number of passes over CPU 0 alone.
    void Exec(std::initializer_list<uint8_t> code, uint32_t passes = 1) {
        Load(kOrigin, code);
        cpu[0].PC = kOrigin;
        Run(passes);
    }
    void ExecCode(const std::vector<uint8_t>& code, uint32_t passes = 1) {
        for (size_t i = 0; i < code.size(); i++)
            ram[0][uint16_t(kOrigin + i)] = code[i];
        cpu[0].PC = kOrigin;
        Run(passes);
    }
    void Run(uint32_t passes, uint32_t count = 1) {
        writes.clear();
        traps.clear();
        breaks.clear();
        M6809Run(count, cpu, passes);
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

inline M6809Rig* M6809Rig::current = nullptr;

// Condition-code bits, short names for the tests.
constexpr uint8_t kE = M6809FlagE, kF = M6809FlagF, kH = M6809FlagH, kI = M6809FlagI, kN = M6809FlagN,
                  kZ = M6809FlagZ, kV = M6809FlagV, kC = M6809FlagC;
