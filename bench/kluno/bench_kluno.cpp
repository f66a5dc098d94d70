// Cost of one headless KLUNO frame on a busy scene (8,192 passes of both
// CPUs plus the render, upright and turned), of the renderers alone, and of
// the start-up decoding and the turned character decoding.
#include <benchmark/benchmark.h>

#include "bench/common/busy_6809.h"
#include "boards/kluno/kluno.h"

namespace {

using namespace kluno;

// A busy screen (bench/common/busy_6809.h), both CPUs running.
void BuildBusyBoard() {
    BuildKlunoMachine(bench_busy::GameData(ImageSlots, 0x8000), nullptr);
    ResetMachine();
    bench_busy::FillScene(MainRam);
    ScrollValue = 3;
    for (int frame = 0; frame < 4; frame++)
        RunFrame({});
}

void Frame(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state)
        RunFrame({});
    state.counters["instructions/s"] = benchmark::Counter(
        double(state.iterations()) * PassesPerFrame * int(CpuCount), benchmark::Counter::kIsRate);
}
BENCHMARK(Frame)->Unit(benchmark::kMicrosecond);

void FrameModeX(benchmark::State& state) {
    BuildBusyBoard();
    DecodeCharactersModeX();
    const FrameHooks hooks = {nullptr, nullptr, nullptr, nullptr, RenderFrameModeX, nullptr};
    for (auto _ : state)
        RunFrame(hooks);
}
BENCHMARK(FrameModeX)->Unit(benchmark::kMicrosecond);

void Render(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state)
        RenderFrame();
}
BENCHMARK(Render)->Unit(benchmark::kMicrosecond);

void RenderModeX(benchmark::State& state) {
    BuildBusyBoard();
    DecodeCharactersModeX();
    for (auto _ : state)
        RenderFrameModeX();
}
BENCHMARK(RenderModeX)->Unit(benchmark::kMicrosecond);

// The decoding of the start-up: wave table, characters, sprites, palette.
void StartupDecode(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state) {
        BuildWaveTable(GameImages.waveform.data);
        DecodeCharacters();
        DecodeSprites();
        BuildPalette();
    }
}
BENCHMARK(StartupDecode)->Unit(benchmark::kMillisecond);

void DecodeTurnedCharacters(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state)
        DecodeCharactersModeX();
}
BENCHMARK(DecodeTurnedCharacters)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
