// Cost of one headless KLUNO frame on a busy scene (8,192 passes of both
// CPUs plus the render, upright and turned), of the emulation thread's whole
// frame body without Windows (board frame, eight voices, joystick poll), of
// the renderers alone, and of the start-up decoding and the turned character
// decoding.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/common/busy_6809.h"
#include "bench/common/counting_seam.h"
#include "boards/kluno/kluno.h"
#include "frame/fullscreen.h"
#include "frame/game.h"
#include "frame/joystick.h"
#include "frame/settings.h"
#include "programs/kluno/kluno_game.h"

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

// A joystick that sweeps round its nine zones and presses its buttons in turn.
uint32_t JoystickFrame;
uint32_t OneDevice() {
    return 1;
}
bool FullRange(uint32_t, frame::JoystickRange* range) {
    *range = {0, 65535, 0, 65535};
    return true;
}
bool Sweeping(uint32_t, frame::JoystickPosition* position) {
    const uint32_t zones[3] = {1000, 32767, 64000};
    *position = {zones[JoystickFrame % 3], zones[JoystickFrame / 3 % 3], 1u << (JoystickFrame % 5)};
    return true;
}

uint8_t Pixels[FrameWidth * FrameHeight];

void RenderInWindow() {
    frame::RenderStep(frame::Board(), {}, {false, false, nullptr, nullptr});
}

// The emulation thread's frame body as the program runs it in the window,
// through the frame (frame/) and KLUNO's face, with the platform's devices
// replaced: the voice update through the counting seam, the joystick poll
// through the sweeping fake, and the render. Presenting the last picture is
// the platform's copy and is left out. Target: 2 % of the 17 ms period.
void FrameBody(benchmark::State& state) {
    static const frame::GameDescription game = kluno_program::KlunoGame(nullptr);
    frame::UseGame(game);
    BuildBusyBoard();
    frame::Board().setFrameBuffer(Pixels);
    frame::Settings = frame::DefaultSettings();
    frame::Settings.joystickUse = 1;
    frame::Joystick = {OneDevice, FullRange, Sweeping};
    frame::ResetJoystickPoll();
    frame::Board().attachSound(&bench_sound::CountingSeam);
    frame::Board().setSoundMute(false);
    SoundEnable = 1; // as the game's latch left it
    const boards::FrameHooks hooks = {nullptr, nullptr,        frame::PollJoystickInUse,
                                      nullptr, RenderInWindow, nullptr};
    uint32_t frames = 0;
    bench_sound::Calls = 0;
    for (auto _ : state) {
        bench_sound::ChangeEveryVoice(SharedRam + VoiceRegisterOffset, frames);
        JoystickFrame = frames++;
        frame::Board().runFrame(hooks);
    }
    state.counters["seam calls/frame"] = double(bench_sound::Calls) / double(frames);
    frame::Board().attachSound(nullptr);
    frame::Joystick = frame::NoJoystick;
}
BENCHMARK(FrameBody)->Unit(benchmark::kMicrosecond);

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
