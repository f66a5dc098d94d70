// What the Z80 and 6809 test benches share: several contexts back to back,
// each with its own 64 KB of RAM behind a logging write handler, the logs of
// writes and traps, and loading and running code. Each CPU's bench derives
// from CpuRig with itself as Rig and supplies
//   Write MemoryRecord(page, address, value)  the log entry of a RAM write
//   static void RunCpus(count, contexts, passes)
//   void ClearMoreLogs()                      its own logs besides writes and traps
// and calls MapRam() from its SetUp.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

template <typename Rig, typename Context, int Cpus, uint16_t Origin, typename Write, typename Trap>
class CpuRig : public ::testing::Test {
  public:
    static constexpr int kCpus = Cpus;
    static constexpr uint16_t kOrigin = Origin; // where Exec loads code

    Context cpu[kCpus] = {};
    uint8_t ram[kCpus][65536] = {};
    std::vector<Write> writes;
    std::vector<Trap> traps;
    Context* watched = &cpu[0];
    // Optional extra action of the logging handlers, run after the record.
    void (*onWrite)(Rig* rig, const Write& record) = nullptr;

    static inline Rig* current = nullptr;

    // Whose RAM a page lies in (-1: a page outside the rig).
    int CpuOf(const uint8_t* page) const {
        for (int i = 0; i < kCpus; i++)
            if (page >= ram[i] && page < ram[i] + 65536) return i;
        return -1;
    }

    // Stores the byte and logs it.
    static void LogMemory(uint8_t* page, uint16_t address, uint8_t value) {
        page[address & 0xFF] = value;
        current->Note(current->MemoryRecord(page, address, value));
    }

    void Note(const Write& record) {
        writes.push_back(record);
        if (onWrite) onWrite(current, record);
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
        current->ClearMoreLogs();
        Rig::RunCpus(count, cpu, passes);
    }

  protected:
    // Makes this bench the current one and maps every page of every context
    // to its RAM through LogMemory.
    void MapRam() {
        current = static_cast<Rig*>(this);
        for (int i = 0; i < kCpus; i++)
            for (int p = 0; p < 256; p++)
                cpu[i].pages[p] = {ram[i] + p * 256, LogMemory};
    }
};
