// Cost of one headless KLUNO frame on a busy scene (8,192 passes of both
// CPUs plus the render, upright and turned), of the emulation thread's whole
// frame body without Windows (board frame, eight voices, joystick poll), of
// the renderers alone, and of the start-up decoding and the turned character
// decoding.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <vector>

#include "boards/kluno/kluno.h"
#include "frame/fullscreen.h"
#include "frame/game.h"
#include "frame/joystick.h"
#include "frame/settings.h"
#include "programs/kluno/kluno_game.h"
#include "tools/asm6809/asm6809.h"

namespace {

using namespace kluno;

// CPU 1 stirs the video RAM and counts its interrupts; CPU 2 sweeps the voices.
const char Cpu1Program[] = R"(
        org $8000
start   lds #$2800
        sta $5003
        sta $500B
        sta $5001
        sta $5007
        andcc #$EF
main    ldx #$0000
        ldy #$9000
copy    lda ,y+
        adda ,x
        sta ,x+
        cmpx #$0780
        bne copy
        bra main
irq     inc $2700
        rti
        org $FFF8
        fdb irq
        org $FFFE
        fdb start
)";
const char Cpu2Program[] = R"(
        org $E000
start   lds #$0400
        andcc #$EF
loop    ldx #$0003
voice   inc 1,x
        lda #$0F
        sta ,x
        ldb 3,x
        addb #$11
        stb 3,x
        leax 8,x
        cmpx #$0043
        bne voice
        bra loop
irq     rti
        org $FFF8
        fdb irq
        org $FFFE
        fdb start
)";

std::vector<std::vector<uint8_t>> Images;

std::vector<uint8_t> Assemble(const char* source, uint16_t base, size_t size) {
    asm6809::Options options;
    options.base = base;
    options.size = uint32_t(size);
    asm6809::Result result = asm6809::AssembleSource("bench.asm", source, options);
    if (!result.errors.empty()) {
        std::fprintf(stderr, "%s\n", result.errors.front().c_str());
        std::exit(1);
    }
    return result.image;
}

// Random graphics and PROMs; the two programs above.
GameData BusyGameData() {
    std::mt19937 random(2024);
    Images.clear();
    for (const ImageSlot& slot : ImageSlots) {
        Images.emplace_back(slot.size);
        for (uint8_t& byte : Images.back())
            byte = uint8_t(random());
    }
    Images[4] = Assemble(Cpu1Program, 0x8000, 0x8000);
    Images[5] = Assemble(Cpu2Program, 0xE000, 0x2000);
    GameData data;
    for (size_t i = 0; i < std::size(ImageSlots); i++)
        data.*ImageSlots[i].member = {Images[i].data(), Images[i].size()};
    return data;
}

// A busy screen: random characters, a third of them in front, all 64 sprites
// in four pieces inside the picture, both CPUs running.
void BuildBusyBoard() {
    BuildKlunoMachine(BusyGameData(), nullptr);
    ResetMachine();
    std::mt19937 random(77);
    for (int i = 0; i < 0x1000; i++)
        MainRam[i] = uint8_t(random());
    for (int i = 0; i < 64; i++) {
        MainRam[0x1780 + 2 * i] = uint8_t(random());
        MainRam[0x1781 + 2 * i] = uint8_t(random());
        MainRam[0x1F80 + 2 * i] = uint8_t(20 + random() % 190);
        MainRam[0x1F81 + 2 * i] = uint8_t(60 + random() % 190);
        MainRam[0x2780 + 2 * i] = uint8_t(12 | (random() & 3));
        MainRam[0x2781 + 2 * i] = 0;
    }
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

// A sound device that only counts the calls made on it: the primary buffer
// plays, every voice buffer plays looping (not exactly "playing"), so a new
// waveform goes straight to its copy.
uint64_t SeamCalls;
void CountedLock() {
    SeamCalls++;
}
uint32_t CountedStatus(int buffer) {
    SeamCalls++;
    return buffer == PrimaryBuffer ? uint32_t(boards::StatusPlaying)
                                   : uint32_t(boards::StatusPlaying | boards::StatusLooping);
}
boards::PlayResult CountedPlay(int, bool) {
    SeamCalls++;
    return boards::PlayResult::Ok;
}
void CountedBuffer(int) {
    SeamCalls++;
}
bool CountedFill(int, const void*, uint32_t) {
    SeamCalls++;
    return true;
}
void CountedValue(int, uint32_t) {
    SeamCalls++;
}
void CountedVolume(int, int32_t) {
    SeamCalls++;
}
const boards::SoundSeam CountingSeam = {PrimaryBuffer, CountedLock,   CountedLock,   CountedStatus,
                                        CountedPlay,   CountedBuffer, CountedBuffer, CountedFill,
                                        CountedValue,  CountedValue,  CountedVolume};

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

// Every voice gets another waveform, rate and volume: each frame all eight
// take the full path (copy, rewind, rate, volume, play).
void ChangeEveryVoice(uint32_t frame) {
    uint8_t* registers = SharedRam + VoiceRegisterOffset;
    for (uint32_t v = 0; v < VoiceCount; v++) {
        uint32_t frequency = 0x1000 + (frame * 37 + v * 511) % 0x8000;
        uint8_t* r = registers + 8 * v;
        r[0] = uint8_t(1 + (frame + v) % 15);
        r[1] = uint8_t(frequency);
        r[2] = uint8_t(frequency >> 8);
        r[3] = uint8_t(((frame + v) & 7) << 4 | (frequency >> 16 & 0x0F));
    }
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
    frame::Board().attachSound(&CountingSeam);
    frame::Board().setSoundMute(false);
    SoundEnable = 1; // as the game's latch left it
    const boards::FrameHooks hooks = {nullptr, nullptr, frame::PollJoystickInUse, nullptr, RenderInWindow};
    uint32_t frames = 0;
    SeamCalls = 0;
    for (auto _ : state) {
        ChangeEveryVoice(frames);
        JoystickFrame = frames++;
        frame::Board().runFrame(hooks);
    }
    state.counters["seam calls/frame"] = double(SeamCalls) / double(frames);
    frame::Board().attachSound(nullptr);
    frame::Joystick = frame::NoJoystick;
}
BENCHMARK(FrameBody)->Unit(benchmark::kMicrosecond);

void FrameModeX(benchmark::State& state) {
    BuildBusyBoard();
    DecodeCharactersModeX();
    const FrameHooks hooks = {nullptr, nullptr, nullptr, nullptr, RenderFrameModeX};
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
