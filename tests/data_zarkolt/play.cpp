// zarkolt_play: runs our game data headless and writes pictures, for looking
// at the game while developing it.
//   zarkolt_play [super] [test] OUTDIR STEP...
// Steps: "f N" runs N frames, "p NAME" writes OUTDIR/NAME.png, "coin",
// "start1", "start2", "in HEX" sets the input byte, "ram ADDR" prints a byte.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness.h"

int main(int argc, char** argv) {
    std::vector<std::string> a(argv + 1, argv + argc);
    harness::Options options;
    size_t i = 0;
    while (i < a.size() && (a[i] == "super" || a[i] == "test" || a[i] == "lives5")) {
        if (a[i] == "super") options.super = true;
        if (a[i] == "test") options.testMode = true;
        if (a[i] == "lives5") options.dips.lives = 3;
        ++i;
    }
    if (i >= a.size()) return 2;
    std::string dir = a[i++];
    harness::Start(options);
    int frame = 0;
    while (i < a.size()) {
        std::string step = a[i++];
        if (step == "f") {
            int n = std::atoi(a[i++].c_str());
            harness::RunFrames(n);
            frame += n;
        } else if (step == "p") {
            harness::WritePng(dir + "/" + a[i++] + ".png");
        } else if (step == "coin") {
            harness::AddCoin();
        } else if (step == "start1" || step == "start2") {
            std::printf("start %s\n", harness::PressStart(step == "start1" ? 1 : 2) ? "taken" : "refused");
        } else if (step == "in") {
            harness::SetInput(static_cast<uint8_t>(std::strtol(a[i++].c_str(), nullptr, 16)));
        } else if (step == "ram") {
            unsigned address = static_cast<unsigned>(std::strtol(a[i++].c_str(), nullptr, 16));
            std::printf("frame %d ram %04X = %02X\n", frame, address,
                        harness::ReadRam(static_cast<uint16_t>(address)));
        } else if (step == "dump") {
            unsigned address = static_cast<unsigned>(std::strtol(a[i++].c_str(), nullptr, 16));
            int count = std::atoi(a[i++].c_str());
            for (int k = 0; k < count; ++k)
                std::printf("%s%02X",
                            k % 16 ? " "
                            : k    ? "\n"
                                   : "",
                            harness::ReadRam(static_cast<uint16_t>(address + k)));
            std::printf("\n");
        } else if (step == "pc") {
            std::printf("frame %d PC %04X %04X %04X\n", frame, zarkolt::Cpus[0].PC, zarkolt::Cpus[1].PC,
                        zarkolt::Cpus[2].PC);
        }
    }
    std::printf("loads %d saves %d\n", harness::Traps.loads, harness::Traps.saves);
    return 0;
}
