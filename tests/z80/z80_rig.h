// A small test bench for the Z80 interpreter (on the shared CpuRig): three
// contexts back to back, each with its own 64 KB of RAM and its own 64 K
// port bytes, a recording trap hook and logging write handlers that remember
// which context's page was written, where, what, and the watched context's SP
// and PC at that moment.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "cpu/z80/z80.h"
#include "tests/common/cpu_rig.h"

struct WriteRecord {
    int cpu;          // whose RAM or port space (-1: a page outside the rig)
    bool port;        // an I/O write
    uint16_t address; // address or port as the handler received it
    uint8_t value;
    uint16_t sp; // the watched context's SP and PC when the handler ran
    uint16_t pc;
    bool operator==(const WriteRecord&) const = default;
};

struct TrapRecord {
    Z80Context* context;
    uint16_t address;
    int length;
    uint16_t pc; // the context's PC when the hook ran
};

class Z80Rig : public CpuRig<Z80Rig, Z80Context, 3, 0x0100, WriteRecord, TrapRecord> {
  public:
    uint8_t ports[kCpus][65536] = {};

    void SetUp() override {
        static const bool built = (Z80BuildFlagTables(), true);
        (void)built;
        for (int i = 0; i < kCpus; i++)
            Z80InitPageTables(&cpu[i]);
        MapRam();
        for (int i = 0; i < kCpus; i++) {
            for (int p = 0; p < 256; p++)
                cpu[i].ioPages[p] = {ports[i] + p * 256, LogPort};
            // Every port reads a byte derived from its whole number.
            for (int port = 0; port < 65536; port++)
                ports[i][port] = PortByte(uint16_t(port));
        }
        Z80SetTrapHook(RecordTrap);
        Z80Reset(&cpu[0]);
        for (int i = 1; i < kCpus; i++) {
            cpu[i].running = 0;
            cpu[i].held = 1;
        }
    }

    void TearDown() override {
        Z80SetTrapHook(NullTrapHook);
        current = nullptr;
    }

    static uint8_t PortByte(uint16_t port) { return uint8_t((port >> 8) * 7 + (port & 0xFF) * 3 + 0x5A); }

    int CpuOf(const uint8_t* page, bool port) const {
        if (!port) return CpuRig::CpuOf(page);
        for (int i = 0; i < kCpus; i++)
            if (page >= ports[i] && page < ports[i] + 65536) return i;
        return -1;
    }

    WriteRecord MemoryRecord(uint8_t* page, uint16_t address, uint8_t value) const {
        return {CpuOf(page, false), false, address, value, watched->SP, watched->PC};
    }

    // Logs the byte; port reads keep coming from the port array.
    static void LogPort(uint8_t* page, uint16_t address, uint8_t value) {
        current->Note(
            {current->CpuOf(page, true), true, address, value, current->watched->SP, current->watched->PC});
    }

    static void RecordTrap(Z80Context* context, uint16_t address, int length) {
        current->traps.push_back({context, address, length, context->PC});
    }

    static void RunCpus(int count, Z80Context* contexts, uint32_t passes) { Z80Run(count, contexts, passes); }
    void ClearMoreLogs() {}

    // Register halves of CPU 0.
    uint8_t A() const { return uint8_t(cpu[0].AF >> 8); }
    uint8_t F() const { return uint8_t(cpu[0].AF); }
    void SetA(uint8_t a) { cpu[0].AF = uint16_t(a << 8 | (cpu[0].AF & 0xFF)); }
    void SetF(uint8_t f) { cpu[0].AF = uint16_t((cpu[0].AF & 0xFF00) | f); }
    void SetAF(uint8_t a, uint8_t f) { cpu[0].AF = uint16_t(a << 8 | f); }

    // Distinct values in every register of CPU 0 (SP in the middle of RAM).
    void FillRegisters() {
        Z80Context& c = cpu[0];
        c.BC = 0x1122;
        c.DE = 0x3344;
        c.HL = 0x5566;
        c.AF = 0x77A9;
        c.IX = 0x8899;
        c.IY = 0xAABB;
        c.altBC = 0xC1C2;
        c.altDE = 0xD1D2;
        c.altHL = 0xE1E2;
        c.altAF = 0xF1F2;
        c.SP = 0x9000;
        c.I = 0x5A;
        c.iff = 2;
        c.im = 1;
    }
};

// The 8-bit register of an opcode's 3-bit code (6, the memory operand, has
// no register).
inline uint8_t* Reg8(Z80Context& c, int code) {
    auto bytes = [](uint16_t& pair) { return reinterpret_cast<uint8_t*>(&pair); }; // low byte first
    switch (code) {
        case 0: return bytes(c.BC) + 1;
        case 1: return bytes(c.BC);
        case 2: return bytes(c.DE) + 1;
        case 3: return bytes(c.DE);
        case 4: return bytes(c.HL) + 1;
        case 5: return bytes(c.HL);
        case 7: return bytes(c.AF) + 1;
        default: return nullptr;
    }
}

// Everything of a context but PC and R compares equal.
inline bool SameButPcAndR(const Z80Context& a, const Z80Context& b) {
    auto samePages = [](const PageEntry* x, const PageEntry* y) {
        for (int i = 0; i < 256; i++)
            if (x[i].memory != y[i].memory || x[i].write != y[i].write) return false;
        return true;
    };
    return a.running == b.running && a.held == b.held && a.BC == b.BC && a.DE == b.DE && a.HL == b.HL &&
           a.AF == b.AF && a.IX == b.IX && a.IY == b.IY && a.iff == b.iff && a.im == b.im && a.I == b.I &&
           a.altBC == b.altBC && a.altDE == b.altDE && a.altHL == b.altHL && a.altAF == b.altAF &&
           a.SP == b.SP && samePages(a.pages, b.pages) && samePages(a.ioPages, b.ioPages);
}
