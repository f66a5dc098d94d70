// RONKU through its board face: build, the frame's order, the frame-rate
// meter with a fake counter, the controls, coin and start.
#include "tests/ronku/support.h"

namespace ronku_test {
namespace {

using namespace ronku;

uint64_t Counter;
uint64_t ReadCounter() {
    return Counter;
}

class RonkuFace : public RonkuTest {};

TEST_F(RonkuFace, BuildsFromImagesInManifestOrder) {
    EXPECT_EQ(boards::FindBoard("ronku"), &Face);
    ASSERT_EQ(Face.images.size(), std::size(ImageSlots));
    EXPECT_STREQ(Face.images[4].name, "ronku_cpu1.rom");
    EXPECT_EQ(Face.images[4].size, 0x6000u);
    EXPECT_FALSE(Face.canTurn);
    std::vector<boards::ImageBytes> spans(images.bytes.begin(), images.bytes.end());
    std::string error;
    EXPECT_TRUE(Face.buildFromImages(spans, error)) << error;
    images[&GameData::sprites].resize(0x8000); // KLUNO's size
    spans.assign(images.bytes.begin(), images.bytes.end());
    EXPECT_FALSE(Face.buildFromImages(spans, error));
    EXPECT_EQ(error, "game data image ronku_sprites.rom is missing or of the wrong size");
}

// What a frame hook sees: whether sound calls came before it, the refreshed
// chip byte and whether CPU 1's count has started.
std::vector<std::string> Steps;
SoundRecorder* FrameSound;
void Step(const char* name) {
    Steps.push_back(std::string(name) + (FrameSound->Take().empty() ? "" : " after sound") + ", chips " +
                    std::to_string(IoChipRegs[4]) + (MainRam[0x100] | MainRam[0x101] ? ", cpus ran" : ""));
}

// Sound, I/O refresh, the counter's sample, present, the CPUs, render.
TEST_F(RonkuFace, FrameOrder) {
    Assemble(images[&GameData::cpu1Program], 0xA000, R"(
        org $A000
start   ldx #0
loop    leax 1,x
        stx $0100
        bra loop
        org $FFFE
        fdb start
)");
    Build();
    ResetMachine();
    FrameSound = &recorder;
    recorder.Install();
    SoundEnable = 1;
    Steps.clear();
    IoChipInputs[4] = 0x0C;
    ASSERT_TRUE(Face.startRateMeter(true, 1000, 0));
    boards::FrameHooks hooks{};
    hooks.performanceCounter = [] {
        Step("counter");
        return uint64_t(16);
    };
    hooks.present = [] { Step("present"); };
    hooks.render = [] { Step("render"); };
    Face.runFrame(hooks);
    EXPECT_EQ(Steps, (std::vector<std::string>{"counter after sound, chips 12", "present, chips 12",
                                               "render, chips 12, cpus ran"}));
    EXPECT_EQ(Meter.accumulator, 1600u / 16);
    // Held chips: no refresh; the meter's sample is still taken.
    IoChipHold = 1;
    IoChipInputs[4] = 0x03;
    Face.runFrame(hooks);
    EXPECT_EQ(Steps.at(3), "counter after sound, chips 12, cpus ran");
}

TEST_F(RonkuFace, RateMeterWithAFakeCounter) {
    // No counter, or one too fast for 32 bits: off, and nothing is drawn or sampled.
    const std::pair<bool, uint64_t> refused[] = {{false, 1193182}, {true, uint64_t(1) << 32}};
    for (auto [queried, frequency] : refused) {
        EXPECT_FALSE(Face.startRateMeter(queried, frequency, 5));
        EXPECT_FALSE(Meter.available);
    }
    ASSERT_TRUE(Face.startRateMeter(true, 1193182, 1000));
    EXPECT_EQ(Meter.scaledFrequency, 1909091u);
    boards::FrameHooks hooks{};
    hooks.performanceCounter = ReadCounter; // and RenderFrame, with the meter's display
    Counter = 1000;
    const uint64_t frame = 1193182 * 17 / 1000; // 17 ms
    auto run = [&](int frames, uint64_t step) {
        for (int i = 0; i < frames; i++) {
            Counter += step;
            Face.runFrame(hooks);
        }
    };
    run(1, frame);
    EXPECT_EQ(Meter.shown, 94u / 32); // the first frame's value, one sample of 32
    run(32, frame);
    EXPECT_EQ(Meter.shown, 94u);
    // The same counter again adds nothing; a ten-second pause pulls the next value down.
    run(1, 0);
    EXPECT_EQ(Meter.accumulator, 0u);
    run(1, 1193182 * 10);
    run(30, frame);
    EXPECT_EQ(Meter.shown, 30u * 94 / 32);
}

TEST_F(RonkuFace, ControlsCoinsAndStarts) {
    IoChipRegs[8] = 3; // directions at host byte 4, the shot at 5
    struct Case {
        uint32_t bits;
        uint8_t directions, shot;
    };
    const Case cases[] = {
        {ControlLeft | ControlRight, 0x0A, 0x00},
        {ControlRight, 0x02, 0x00},
        {ControlUp | ControlShot, 0x01, 0x03},
        {ControlUp | ControlShot | ControlDown, 0x05, 0x03},
        {0, 0x00, 0x01},
    };
    for (const Case& c : cases) {
        Face.setControls(c.bits);
        EXPECT_EQ(IoChipInputs[4], c.directions) << c.bits;
        EXPECT_EQ(IoChipInputs[5], c.shot) << c.bits;
        EXPECT_EQ(Face.controlBits(), c.bits);
    }
    // A key straight to its handler: auto-repeat ignored, a press of Space
    // pulses again though its level is still up.
    Face.controlKey(4, 0, 1);
    IoChipInputs[5] = 0x02;
    Face.controlKey(4, KeyRepeatFlag, 1);
    EXPECT_EQ(IoChipInputs[5], 0x02);
    Face.controlKey(4, 0, 1);
    EXPECT_EQ(IoChipInputs[5], 0x03);
    Face.controlKey(2, 0, 1);
    EXPECT_EQ(IoChipInputs[4], 0x08);

    Face.insertCoin();
    Face.insertCoin();
    EXPECT_EQ(Credits(), 2u);
    EXPECT_TRUE(Face.pressStart(2, 2)); // two players take both credits
    EXPECT_EQ(Credits(), 0u);
    EXPECT_EQ(IoChipRegs[1], 0x02);
    EXPECT_FALSE(Face.pressStart(1, 1));
    EXPECT_TRUE(Face.beforeKey());
    IoChipHold = 1;
    EXPECT_FALSE(Face.beforeKey()); // key messages dropped while the chips are held
}

} // namespace
} // namespace ronku_test
