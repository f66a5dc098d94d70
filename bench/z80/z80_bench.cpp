// Interpreter throughput on a fixed instruction mix (mix.asm), with one
// context and with three run round-robin as on the ZARKOLT board. The
// "items" rate is instructions per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "cpu/z80/z80.h"

namespace {

struct Machine {
    std::vector<Z80Context> cpus;
    std::vector<std::vector<uint8_t>> ram;
};

std::vector<uint8_t> LoadMix() {
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen(Z80_BENCH_MIX, "rb")) {
        int ch;
        while ((ch = std::fgetc(f)) != EOF)
            bytes.push_back(uint8_t(ch));
        std::fclose(f);
    }
    return bytes;
}

void SetUp(Machine& m, int count) {
    static const std::vector<uint8_t> mix = LoadMix();
    Z80BuildFlagTables();
    m.cpus.assign(count, Z80Context{});
    m.ram.assign(count, std::vector<uint8_t>(65536, 0));
    for (int i = 0; i < count; i++) {
        Z80Context& c = m.cpus[i];
        Z80InitPageTables(&c);
        std::memcpy(m.ram[i].data(), mix.data(), mix.size());
        for (int page = 0; page < 256; page++)
            c.pages[page] = {m.ram[i].data() + page * 256, RamWrite};
        Z80Reset(&c);
    }
}

void RunMix(benchmark::State& state) {
    const int count = int(state.range(0));
    const uint32_t passes = 4096;
    Machine m;
    SetUp(m, count);
    for (auto _ : state) {
        Z80Run(count, m.cpus.data(), passes);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * passes * count);
    state.counters["MIPS"] =
        benchmark::Counter(double(passes) * count * 1e-6, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(RunMix)->Arg(1)->Arg(3);

BENCHMARK_MAIN();
