// Interpreter throughput on a fixed instruction mix (mix.asm, assembled at
// 0x1000), with one context and with two run round-robin as on the 6809
// boards. The "items" rate and the MIPS counter are instructions per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "cpu/m6809/m6809.h"

namespace {

constexpr uint16_t kOrigin = 0x1000;

std::vector<uint8_t> LoadMix() {
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen(M6809_BENCH_MIX, "rb")) {
        int ch;
        while ((ch = std::fgetc(f)) != EOF)
            bytes.push_back(uint8_t(ch));
        std::fclose(f);
    }
    return bytes;
}

struct Machine {
    std::vector<M6809Context> cpus;
    std::vector<std::vector<uint8_t>> ram;
};

void SetUp(Machine& m, int count) {
    static const std::vector<uint8_t> mix = LoadMix();
    M6809BuildFlagTables();
    m.cpus.assign(count, M6809Context{});
    m.ram.assign(count, std::vector<uint8_t>(65536, 0));
    for (int i = 0; i < count; i++) {
        M6809Context& c = m.cpus[i];
        std::vector<uint8_t>& ram = m.ram[i];
        M6809InitPageTables(&c);
        std::memcpy(ram.data() + kOrigin, mix.data(), mix.size());
        ram[0xFFFE] = kOrigin >> 8;
        ram[0xFFFF] = kOrigin & 0xFF;
        for (int page = 0; page < 256; page++)
            c.pages[page] = {ram.data() + page * 256, RamWrite};
        M6809Reset(&c);
    }
}

void RunMix(benchmark::State& state) {
    const int count = int(state.range(0));
    const uint32_t passes = 1 << 16;
    Machine m;
    SetUp(m, count);
    if (m.cpus[0].PC != kOrigin) {
        state.SkipWithError("the instruction mix was not assembled");
        return;
    }
    for (auto _ : state) {
        M6809Run(uint32_t(count), m.cpus.data(), passes);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * passes * count);
    state.counters["MIPS"] =
        benchmark::Counter(double(passes) * count * 1e-6, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(RunMix)->Arg(1)->Arg(2);

BENCHMARK_MAIN();
