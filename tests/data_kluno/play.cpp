// kluno_play: runs our game data headless and writes pictures, for looking at
// the game while developing it.
//   kluno_play [test] [unpatched] OUTDIR STEP...
// Steps: "f N" runs N frames, "p NAME" writes OUTDIR/NAME.ppm, "coin",
// "start1", "start2", "in DIR BTN" sets the directions and byte 3 (hex),
// "test 0|1" the test switch, "held N" runs N frames without the I/O-chip
// refresh, "ram ADDR" prints a byte, "dump ADDR N".
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness.h"

int main(int argc, char** argv) {
    std::vector<std::string> a(argv + 1, argv + argc);
    klunoharness::Options options;
    size_t i = 0;
    while (i < a.size() && (a[i] == "test" || a[i] == "unpatched")) {
        if (a[i] == "test") options.testSwitch = true;
        if (a[i] == "unpatched") options.traps = false;
        ++i;
    }
    if (i >= a.size()) return 2;
    std::string dir = a[i++];
    klunoharness::Start(options);
    int frame = 0;
    auto number = [&](int base) { return static_cast<unsigned>(std::strtol(a[i++].c_str(), nullptr, base)); };
    while (i < a.size()) {
        std::string step = a[i++];
        if (step == "f") {
            int n = static_cast<int>(number(10));
            klunoharness::RunFrames(n);
            frame += n;
        } else if (step == "p") {
            klunoharness::WritePpm(dir + "/" + a[i++] + ".ppm", klunoharness::Picture());
        } else if (step == "coin") {
            klunoharness::InsertCoin();
            frame += 4;
        } else if (step == "start1" || step == "start2") {
            klunoharness::PressStart(step == "start1" ? 1 : 2);
            frame += 4;
        } else if (step == "in") {
            uint8_t directions = static_cast<uint8_t>(number(16));
            klunoharness::SetControls(0, directions, static_cast<uint8_t>(number(16)));
        } else if (step == "test") {
            klunoharness::SetTestSwitch(number(10) != 0);
        } else if (step == "ram" || step == "dump") {
            unsigned address = number(16);
            unsigned count = step == "dump" ? number(10) : 1;
            std::printf("frame %d %04X:", frame, address);
            for (unsigned k = 0; k < count; ++k)
                std::printf(" %02X", klunoharness::ReadRam(static_cast<uint16_t>(address + k)));
            std::printf("\n");
        } else if (step == "held") { // N frames without the chips' refresh
            int n = static_cast<int>(number(10));
            for (int k = 0; k < n; ++k, ++frame) {
                kluno::IoChipHold = 1;
                klunoharness::RunFrames(1);
            }
        } else if (step == "pc") {
            std::printf("frame %d PC %04X %04X\n", frame, kluno::Cpus[0].PC, kluno::Cpus[1].PC);
        }
    }
    std::printf("loads %d saves %d\n", klunoharness::Traps.loads, klunoharness::Traps.saves);
    return 0;
}
