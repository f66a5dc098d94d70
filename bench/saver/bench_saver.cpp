// Cost of one saver frame on our game data's attract mode (the board's frame
// with the saver's steps, the render into the work buffer and the present
// into a 640 x 480 memory surface) for the ZARKOLT, KLUNO, RONKU and DOLLIX
// savers, and of the first tick's machine build.
#include <benchmark/benchmark.h>

#include <vector>

#include "boards/dollix/dollix_board.h"
#include "boards/kluno/kluno_board.h"
#include "boards/ronku/ronku_board.h"
#include "boards/zarkolt/zarkolt_board.h"
#include "saver/saver.h"

namespace {

std::vector<uint8_t> Surface(640 * 480);

void Flip(saver::Handle) {}
void Blit(saver::Handle, saver::Handle, const saver::Rect&) {}
void Fill(saver::Handle, const saver::Rect*, uint8_t) {}
bool Lock(saver::Handle, uint8_t** bits, ptrdiff_t* pitch) {
    *bits = Surface.data();
    *pitch = 640;
    return true;
}
void Unlock(saver::Handle, uint8_t*) {}

saver::SaverCalls MemoryCalls() {
    saver::SaverCalls calls = {};
    calls.flip = Flip;
    calls.blit = Blit;
    calls.colourFill = Fill;
    calls.lock = Lock;
    calls.unlock = Unlock;
    return calls;
}

const saver::SaverCalls Calls = MemoryCalls();
const saver::SaverBoard ZarkoltSaver =
    saver::BoardSaver(zarkolt::Face, 16, saver::ModeRule::Portrait, true, nullptr, nullptr);
const saver::SaverBoard KlunoSaver =
    saver::BoardSaver(kluno::Face, 17, saver::ModeRule::Portrait, true, nullptr, nullptr);
const saver::SaverBoard RonkuSaver =
    saver::BoardSaver(ronku::Face, 17, saver::ModeRule::Portrait, true, nullptr, nullptr);
const saver::SaverBoard DollixSaver =
    saver::BoardSaver(dollix::Face, 17, saver::ModeRule::Landscape, false, nullptr, nullptr);

void Start(const saver::SaverBoard* board) {
    saver::Calls = &Calls;
    saver::Board = board;
    saver::State = {};
    saver::State.primary = saver::State.backBuffer = saver::State.border = &Surface;
    saver::State.mode = {640, 480};
    saver::BuildFromFace(saver::WorkBuffer, saver::Palette);
}

void SaverFrame(benchmark::State& state, const saver::SaverBoard* board) {
    Start(board);
    for (int i = 0; i < 600; i++) // into the attract mode
        saver::RunFaceFrame();
    for (auto _ : state)
        saver::RunFaceFrame();
}
BENCHMARK_CAPTURE(SaverFrame, zarkolt, &ZarkoltSaver)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaverFrame, kluno, &KlunoSaver)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaverFrame, ronku, &RonkuSaver)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaverFrame, dollix, &DollixSaver)->Unit(benchmark::kMillisecond);

void SaverBuild(benchmark::State& state) {
    Start(&ZarkoltSaver);
    for (auto _ : state)
        saver::BuildFromFace(saver::WorkBuffer, saver::Palette);
}
BENCHMARK(SaverBuild)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
