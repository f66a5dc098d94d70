// Cost of one headless RONKU frame on a busy scene (8,192 passes of both
// CPUs, the render and the frame-rate display), of the render alone, of the
// full-screen composition, and of the start-up decoding of the 3 MB of
// coloured characters and sprites.
#include <benchmark/benchmark.h>

#include "bench/common/busy_6809.h"
#include "boards/kluno/frame.h"
#include "boards/kluno/sound.h"
#include "boards/ronku/ronku.h"

namespace {

using namespace ronku;

uint64_t Counter;
uint64_t ReadCounter() {
    return Counter += 20284; // 17 ms of a 1,193,182 Hz counter
}

const boards::FrameHooks Hooks = {nullptr, nullptr, nullptr, nullptr, nullptr, ReadCounter};

// A busy screen (bench/common/busy_6809.h), both CPUs running, the meter on.
void BuildBusyBoard() {
    BuildRonkuMachine(bench_busy::GameData(ImageSlots, 0xA000));
    ResetMachine();
    StartRateMeter(true, 1193182, Counter);
    bench_busy::FillScene(MainRam);
    ScrollValue = 3;
    for (int frame = 0; frame < 4; frame++)
        RunFrame(Hooks);
}

void Frame(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state)
        RunFrame(Hooks);
    state.counters["instructions/s"] = benchmark::Counter(
        double(state.iterations()) * kluno::PassesPerFrame * int(CpuCount), benchmark::Counter::kIsRate);
}
BENCHMARK(Frame)->Unit(benchmark::kMicrosecond);

void Render(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state)
        RenderFrame();
}
BENCHMARK(Render)->Unit(benchmark::kMicrosecond);

void FullScreen(benchmark::State& state) {
    BuildBusyBoard();
    static uint8_t surface[640 * 480];
    for (auto _ : state)
        CopyPictureFullScreen(surface, 640);
}
BENCHMARK(FullScreen)->Unit(benchmark::kMicrosecond);

// The decoding of the start-up: wave table, characters, sprites, palettes.
void StartupDecode(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state) {
        kluno::BuildWaveTable(kluno::GameImages.waveform.data);
        DecodeCharacters(kluno::GameImages.characters.data, kluno::GameImages.characterLookup.data);
        DecodeSprites();
        BuildPalette();
    }
}
BENCHMARK(StartupDecode)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
