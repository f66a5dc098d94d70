// A small test bench for the Z80 interpreter: three contexts back to back,
// each with its own 64 KB of RAM and its own 64 K port bytes, a recording
// trap hook and a logging write handler that remembers which context's page
// was written, where, what, and the watched context's SP and PC at that
// moment.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "cpu/z80/z80.h"

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

class Z80Rig : public ::testing::Test {
  public:
    static constexpr int kCpus = 3;
    static constexpr uint16_t kOrigin = 0x0100; // where Exec loads code

    Z80Context cpu[kCpus] = {};
    uint8_t ram[kCpus][65536] = {};
    uint8_t ports[kCpus][65536] = {};
    std::vector<WriteRecord> writes;
    std::vector<TrapRecord> traps;
    Z80Context* watched = &cpu[0];
    // Optional extra action of the logging handlers, run after the record.
    void (*onWrite)(Z80Rig* rig, const WriteRecord& record) = nullptr;

    static Z80Rig* current;

    void SetUp() override {
        static const bool built = (Z80BuildFlagTables(), true);
        (void)built;
        current = this;
        for (int i = 0; i < kCpus; i++) {
            Z80InitPageTables(&cpu[i]);
            for (int p = 0; p < 256; p++) {
                cpu[i].pages[p] = {ram[i] + p * 256, LogMemory};
                cpu[i].ioPages[p] = {ports[i] + p * 256, LogPort};
            }
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
        for (int i = 0; i < kCpus; i++) {
            const uint8_t* base = port ? ports[i] : ram[i];
            if (page >= base && page < base + 65536) return i;
        }
        return -1;
    }

    void Record(uint8_t* page, uint16_t address, uint8_t value, bool port) {
        WriteRecord r{CpuOf(page, port), port, address, value, watched->SP, watched->PC};
        writes.push_back(r);
        if (onWrite) onWrite(this, r);
    }

    // Stores the byte and logs it.
    static void LogMemory(uint8_t* page, uint16_t address, uint8_t value) {
        page[address & 0xFF] = value;
        current->Record(page, address, value, false);
    }

    // Logs the byte; port reads keep coming from the port array.
    static void LogPort(uint8_t* page, uint16_t address, uint8_t value) {
        current->Record(page, address, value, true);
    }

    static void RecordTrap(Z80Context* context, uint16_t address, int length) {
        current->traps.push_back({context, address, length, context->PC});
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
    void Run(uint32_t passes, int count = 1) {
        writes.clear();
        traps.clear();
        Z80Run(count, cpu, passes);
    }

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

inline Z80Rig* Z80Rig::current = nullptr;

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
