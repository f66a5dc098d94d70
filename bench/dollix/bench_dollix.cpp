// Cost of one headless DOLLIX frame on a busy scene (6,144 passes of both
// CPUs, their IRQs, the full render), of a frame that serves all 17 bitmap
// commands, of the game program's frame body without Windows (the board's
// frame through its face with all eight voices changing on a counting sound
// device and both joysticks polled through a fake), and of the start-up
// decoding.
#include <benchmark/benchmark.h>

#include <cstring>
#include <iterator>
#include <random>
#include <vector>

#include "bench/common/counting_seam.h"
#include "boards/dollix/dollix.h"
#include "boards/dollix/dollix_board.h"
#include "frame/joystick.h"
#include "frame/settings.h"
#include "programs/dollix/dollix_game.h"
#include "tools/asm6809/asm6809.h"

namespace {

using namespace dollix;

// Main CPU: copies and sums a block of RAM, its IRQ counts frames; sound
// CPU: sweeps the voice registers.
const char MainProgram[] = R"(
        ORG $8000
reset   LDS #$6000
        ANDCC #$EF
main    LDX #$3000
        LDY #$4000
copy    LDD ,X++
        ADDD #$1234
        STD ,Y++
        CMPX #$3100
        BNE copy
        BRA main
irq     INC $0200
        RTI
        ORG $FFF8
        FDB irq
        ORG $FFFE
        FDB reset)";
const char SoundProgram[] = R"(
        ORG $E000
reset   LDS #$0400
        ANDCC #$EF
loop    LDX #$0003
sweep   INC ,X+
        CMPX #$0043
        BNE sweep
        BRA loop
irq     RTI
        ORG $FFF8
        FDB irq
        ORG $FFFE
        FDB reset)";

std::vector<std::vector<uint8_t>> Images;

std::vector<uint8_t> AssembleRom(const char* source, uint32_t base) {
    asm6809::Options options;
    options.base = base;
    options.size = 0x10000 - base;
    return asm6809::AssembleSource("bench.asm", source, options).image;
}

// Random graphics and colour tables, the two programs, and a picture at
// every offset the commands use: as large as fits, up to 128 x 96, in runs
// of 16 pixels of random pens.
GameData BusyGameData() {
    std::mt19937 random(2024);
    Images.clear();
    for (const ImageSlot& slot : ImageSlots) {
        Images.emplace_back(slot.size);
        for (uint8_t& byte : Images.back())
            byte = uint8_t(random());
    }
    Images[0] = AssembleRom(MainProgram, 0x8000);
    Images[1] = AssembleRom(SoundProgram, 0xE000);
    for (uint8_t& colour : Images[6]) // colour-lookup PROM: colours 1-84
        colour = uint8_t(1 + colour % 84);
    const unsigned sources[] = {2088,  4602,  7216,  8654,  10130, 11176, 11358, 11598, 12870,
                                14088, 14868, 16184, 18088, 18994, 20964, 22522, 23860, 24398,
                                25458, 25974, 26792, 27382, 28130, 28596, 29570, 30906, 32190};
    std::vector<uint8_t>& block = Images[9];
    for (size_t i = 0; i + 1 < std::size(sources); i++) {
        unsigned room = sources[i + 1] - sources[i] - 2, width = 128, height = 96;
        while (width * height / 16 > room)
            width > height ? width /= 2 : height /= 2;
        block[sources[i]] = uint8_t(width);
        block[sources[i] + 1] = uint8_t(height);
        for (unsigned k = 0; k < width * height / 16; k++)
            block[sources[i] + 2 + k] = uint8_t(random() & 0xF0);
    }
    GameData data;
    for (size_t i = 0; i < std::size(ImageSlots); i++)
        data.*ImageSlots[i].member = {Images[i].data(), Images[i].size()};
    return data;
}

// A busy screen: a random bitmap, no blank tile, all 64 sprites in four
// cells inside the picture, both CPUs running.
void BuildBusyBoard() {
    BuildBoard(BusyGameData());
    ResetMachine();
    Cpus[MainCpu].pages[0x80].write(nullptr, 0x8000, 0); // release the sound CPU
    std::mt19937 random(77);
    for (int frame = 0; frame < 2; frame++)
        RunFrame({});
    for (uint8_t& pen : BitmapPlane)
        pen = uint8_t(random() & 15);
    for (int i = 0; i < 0x800; i++)
        Ram[i] = uint8_t(random());
    for (int i = 0; i < 0x400; i++)
        if (Ram[i] == 0x20) Ram[i] = 0x21;
    for (int n = 0; n < 64; n++) {
        Ram[0x0F80 + 2 * n] = uint8_t(random());
        Ram[0x0F81 + 2 * n] = uint8_t(random() & 63);
        Ram[0x1780 + 2 * n] = uint8_t(10 + random() % 180);
        Ram[0x1781 + 2 * n] = uint8_t(100 + random() % 150);
        Ram[0x1F81 + 2 * n] = 0;
        Ram[0x1F80 + 2 * n] = uint8_t(0x0C | (random() & 3));
    }
}

void Frame(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state)
        RunFrame({});
    state.counters["instructions/s"] = benchmark::Counter(
        double(state.iterations()) * PassesPerFrame * int(CpuCount), benchmark::Counter::kIsRate);
}
BENCHMARK(Frame)->Unit(benchmark::kMicrosecond);

void Render(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state)
        RenderFrame();
}
BENCHMARK(Render)->Unit(benchmark::kMicrosecond);

// A frame whose bitmap step serves all 17 command flags.
void FrameAllCommands(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state) {
        std::memset(Ram + CommandFlags, 1, BitmapCommandCount);
        RunFrame({});
    }
}
BENCHMARK(FrameAllCommands)->Unit(benchmark::kMicrosecond);

void AllCommands(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state) {
        std::memset(Ram + CommandFlags, 1, BitmapCommandCount);
        RunBitmapCommands();
    }
}
BENCHMARK(AllCommands)->Unit(benchmark::kMicrosecond);

// Two joysticks, both pushed to a corner that moves every poll, with a
// button changing.
uint32_t JoystickPolls;
uint32_t TwoJoysticks() {
    return 2;
}
bool FullRange(uint32_t, frame::JoystickRange* range) {
    *range = {0, 65535, 0, 65535};
    return true;
}
bool Moving(uint32_t id, frame::JoystickPosition* position) {
    uint32_t step = JoystickPolls++ / 2 + id;
    *position = {step & 1 ? 0u : 65535u, step & 2 ? 0u : 65535u, step & 1u};
    return true;
}

// The emulation thread's frame body as the program runs it, less the
// Windows calls: sound, the two-joystick poll and the board's frame.
void ProgramFrame(benchmark::State& state) {
    static const frame::GameDescription game = dollix_program::DollixGame(nullptr);
    frame::UseGame(game);
    frame::Settings = frame::DefaultSettings();
    frame::Settings.joystickUse = 1;
    frame::Joystick = {TwoJoysticks, FullRange, Moving};
    BuildBusyBoard();
    Face.attachSound(&bench_sound::CountingSeam);
    bench_sound::Calls = 0;
    boards::FrameHooks hooks{};
    hooks.pollInput = frame::PollJoystickInUse;
    hooks.render = [] { Face.render(false); };
    uint32_t tick = 0;
    for (auto _ : state) {
        SoundEnable = 1;
        bench_sound::ChangeEveryVoice(Ram + VoiceRegisterBase, tick++);
        Face.runFrame(hooks);
    }
    state.counters["sound calls/frame"] = double(bench_sound::Calls) / double(state.iterations());
    Face.attachSound(nullptr);
    frame::Joystick = frame::NoJoystick;
}
BENCHMARK(ProgramFrame)->Unit(benchmark::kMicrosecond);

// Every decoder and table of the start-up.
void StartupDecode(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state) {
        BuildSpriteColorLookup();
        DecodeCharacters();
        DecodeSprites();
        BuildPalette();
        kluno::BuildWaveTable(GameImages.waveform.data);
    }
}
BENCHMARK(StartupDecode)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
