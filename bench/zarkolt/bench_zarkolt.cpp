// Cost of one headless ZARKOLT frame on a busy scene (both halves of 4,096
// passes on three CPUs plus the render), of the renderers alone, and of the
// start-up build, all driven through the board face (boards/board.h); only
// the busy scene is written straight into the board's RAM.
#include <benchmark/benchmark.h>

#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "boards/zarkolt/zarkolt.h"
#include "boards/zarkolt/zarkolt_board.h"

namespace {

using namespace zarkolt;

// CPU 1: ld sp,0x8000 / im 1 / ld a,1 / ld (0x6820),a / ld (0x6822),a / ei
//   main: ld hl,0x0100 / ld de,0x7800 / ld b,0
//   copy: ld a,(hl) / add a,e / ld (de),a / inc hl / inc de / djnz copy / call mix / jr main
//   mix:  push bc / ld bc,0x1234 / ex de,hl / sbc hl,bc / pop bc / ret
//   0x38: push af / ld a,(0x8010) / inc a / ld (0x8010),a / pop af / ei / reti
const uint8_t Cpu1Main[] = {0x31, 0x00, 0x80, 0xED, 0x56, 0x3E, 0x01, 0x32, 0x20, 0x68, 0x32,
                            0x22, 0x68, 0xFB, 0x21, 0x00, 0x01, 0x11, 0x00, 0x78, 0x06, 0x00,
                            0x7E, 0x83, 0x12, 0x23, 0x13, 0x10, 0xF9, 0xCD, 0x22, 0x00, 0x18,
                            0xEC, 0xC5, 0x01, 0x34, 0x12, 0xEB, 0xED, 0x42, 0xC1, 0xC9};
const uint8_t Cpu1Irq[] = {0xF5, 0x3A, 0x10, 0x80, 0x3C, 0x32, 0x10, 0x80, 0xF1, 0xFB, 0xED, 0x4D};
// CPU 2: ld sp,0x8400 / ld hl,0x8100
//   loop: ld a,l / ld (0xF000),a / ld a,h / ld (0xF001),a / ld a,(0xF000) / ld (hl),a / inc hl
//         ld a,h / and 3 / or 0x80 / ld h,a / jr loop
const uint8_t Cpu2Main[] = {0x31, 0x00, 0x84, 0x21, 0x00, 0x81, 0x7D, 0x32, 0x00,
                            0xF0, 0x7C, 0x32, 0x01, 0xF0, 0x3A, 0x00, 0xF0, 0x77,
                            0x23, 0x7C, 0xE6, 0x03, 0xF6, 0x80, 0x67, 0x18, 0xEB};
// CPU 3: ld sp,0x7C00
//   loop: inc a / ld (0x6810),a / ld (0x6816),a / ld (0x681B),a / rrca / ld (0x6815),a / jr loop
//   0x66: push af / ld a,(0x7B00) / inc a / ld (0x7B00),a / pop af / retn
const uint8_t Cpu3Main[] = {0x31, 0x00, 0x7C, 0x3C, 0x32, 0x10, 0x68, 0x32, 0x16, 0x68,
                            0x32, 0x1B, 0x68, 0x0F, 0x32, 0x15, 0x68, 0x18, 0xF0};
const uint8_t Cpu3Nmi[] = {0xF5, 0x3A, 0x00, 0x7B, 0x3C, 0x32, 0x00, 0x7B, 0xF1, 0xED, 0x45};

std::vector<std::vector<uint8_t>> Images;

// Random graphics, PROMs and maps; the three programs above.
std::vector<boards::ImageBytes> BusyImages() {
    std::mt19937 random(2024);
    Images.clear();
    for (const boards::ImageFile& image : zarkolt::Face.images) {
        Images.emplace_back(image.size);
        for (uint8_t& byte : Images.back())
            byte = uint8_t(random());
    }
    auto place = [](int slot, size_t offset, const uint8_t* bytes, size_t size) {
        std::memset(Images[size_t(slot)].data(), 0, Images[size_t(slot)].size() / 2);
        std::memcpy(Images[size_t(slot)].data() + offset, bytes, size);
    };
    place(0, 0, Cpu1Main, sizeof Cpu1Main);
    std::memcpy(Images[0].data() + 0x38, Cpu1Irq, sizeof Cpu1Irq);
    place(1, 0, Cpu2Main, sizeof Cpu2Main);
    place(2, 0, Cpu3Main, sizeof Cpu3Main);
    std::memcpy(Images[2].data() + 0x66, Cpu3Nmi, sizeof Cpu3Nmi);
    return std::vector<boards::ImageBytes>(Images.begin(), Images.end());
}

// A busy screen: random background and characters (none blank), all 64
// sprites in four parts inside the picture, the CPUs running.
const boards::BoardFace& Board = zarkolt::Face;

void RenderUpright() {
    Board.render(false);
}
void RenderTurned() {
    Board.render(true);
}
const boards::FrameHooks Upright = {nullptr, nullptr, nullptr, nullptr, RenderUpright, nullptr};
const boards::FrameHooks Turned = {nullptr, nullptr, nullptr, nullptr, RenderTurned, nullptr};

void BuildBusyBoard() {
    std::string error;
    std::vector<boards::ImageBytes> images = BusyImages();
    Board.buildFromImages(images, error);
    Board.reset();
    std::mt19937 random(77);
    for (uint16_t address = 0xB000; address < 0xD000; address++)
        *Ram(address) = uint8_t(random());
    for (uint16_t address = 0xC000; address < 0xC800; address++)
        if (*Ram(address) == 0x24) *Ram(address) = 0x25;
    for (int i = 0; i < 64; i++) {
        Ram(0x8780)[2 * i] = uint8_t(16 + random() % 190);     // X
        Ram(0x8780)[2 * i + 1] = uint8_t(40 + random() % 200); // Y low
        Ram(0x9780)[2 * i] = uint8_t((random() & 0x8C) | 3);   // four parts, any set and flip
        Ram(0x9780)[2 * i + 1] = 0;                            // Y high
        Ram(0xA780)[2 * i] = uint8_t(random() & 0x3F);         // code
        Ram(0xA780)[2 * i + 1] = uint8_t(random());            // colour
    }
    for (int frame = 0; frame < 4; frame++)
        Board.runFrame(Upright);
}

void Frame(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state)
        Board.runFrame(Upright);
    state.counters["instructions/s"] = benchmark::Counter(
        double(state.iterations()) * 2 * PassesPerHalf * int(CpuCount), benchmark::Counter::kIsRate);
}
BENCHMARK(Frame)->Unit(benchmark::kMicrosecond);

void FrameModeX(benchmark::State& state) {
    BuildBusyBoard();
    Board.setTurned(true);
    for (auto _ : state)
        Board.runFrame(Turned);
}
BENCHMARK(FrameModeX)->Unit(benchmark::kMicrosecond);

void Render(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state)
        Board.render(false);
}
BENCHMARK(Render)->Unit(benchmark::kMicrosecond);

void RenderModeX(benchmark::State& state) {
    BuildBusyBoard();
    Board.setTurned(true);
    for (auto _ : state)
        Board.render(true);
}
BENCHMARK(RenderModeX)->Unit(benchmark::kMicrosecond);

// The start-up build: memory maps, every decoder, the lookup-chip table,
// the palette, the wave table and the samples.
void StartupDecode(benchmark::State& state) {
    std::vector<boards::ImageBytes> images = BusyImages();
    std::string error;
    for (auto _ : state)
        Board.buildFromImages(images, error);
}
BENCHMARK(StartupDecode)->Unit(benchmark::kMillisecond);

void DecodeTilesForModeX(benchmark::State& state) {
    BuildBusyBoard();
    for (auto _ : state)
        Board.setTurned(true);
}
BENCHMARK(DecodeTilesForModeX)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
