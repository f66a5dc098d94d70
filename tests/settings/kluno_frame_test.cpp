// KLUNO on the frame's portable steps: the joystick poll and the coin and
// start keys into chip 1, the sound set-up's outcomes, and the render step's
// choice of picture.
#include <string>
#include <vector>

#include "boards/kluno/kluno.h"
#include "boards/kluno/kluno_board.h"
#include "frame/commands.h"
#include "frame/fullscreen.h"
#include "frame/joystick.h"
#include "frame/keys.h"
#include "frame/settings.h"
#include "frame/sound_setup.h"
#include "tests/common/sound_recorder.h"
#include "tests/settings/kluno_fixture.h"

namespace settings_test {
namespace {

using frame::Settings;

class KlunoOnTheFrame : public KlunoTest {
  protected:
    void SetUp() override {
        KlunoTest::SetUp();
        std::string error;
        ASSERT_TRUE(kluno::Face.buildEmbedded(error)) << error;
        kluno::Face.reset();
        Settings.joystickUse = 1;
    }
    void TearDown() override {
        frame::AttachSound(nullptr);
        KlunoTest::TearDown();
    }
    // Chip 1's host bytes as the poll and the frames leave them.
    uint8_t* chip = kluno::IoChipInputs[0];

    void Poll(uint32_t x, uint32_t y, uint32_t buttons = 0) {
        joystick.position = {x, y, buttons};
        frame::PollJoystickInUse();
    }
    void Frame() { kluno::Face.runFrame({}); }
};

// Directions in chip 1 byte 1: bit 0 up, bit 1 right, bit 2 down, bit 3 left.
constexpr uint8_t Up = 1, Right = 2, Down = 4, Left = 8;

TEST_F(KlunoOnTheFrame, StickThresholdsAndTheExchangedAxes) {
    // x 100-200 (low 137, high 162), y 0-100 (low 37, high 62): a position
    // on a threshold is centred.
    joystick.range = {100, 200, 0, 100};
    struct Case {
        uint32_t x, y;
        uint8_t plain, exchanged;
    };
    const Case cases[] = {
        {137, 37, 0, 0},
        {162, 62, 0, 0},
        {136, 50, Left, Up},
        {163, 50, Right, Down},
        {150, 36, Up, Right},
        {150, 63, Down, Left},
        {100, 100, Left | Down, Up | Left},
    };
    // Only all four conditions together exchange the axes.
    for (int conditions = 0; conditions < 16; conditions++) {
        Settings.fullScreen = conditions & 1;
        frame::JoystickModeXCapable = conditions & 2;
        Settings.modeX = conditions >> 2 & 1;
        Settings.joyAxisExchange = conditions >> 3 & 1;
        for (const Case& c : cases) {
            frame::ResetJoystickPoll();
            chip[1] = 0;
            Poll(c.x, c.y);
            EXPECT_EQ(chip[1], conditions == 15 ? c.exchanged : c.plain)
                << "conditions " << conditions << " at " << c.x << "," << c.y;
        }
    }
    Settings.joystickUse = 0; // not in use: no poll
    chip[1] = 0;
    frame::ResetJoystickPoll();
    Poll(100, 100);
    EXPECT_EQ(chip[1], 0);
}

TEST_F(KlunoOnTheFrame, ButtonsAndCoinAndStartKeysAreLevels) {
    // Defaults: shot button 1, coin button 3, start button 4.
    Poll(32767, 32767, 1 << 0);
    EXPECT_EQ(chip[3] & 0x01, 0x01);
    chip[3] = 0; // the shot key released meanwhile: a held button sets nothing again
    Poll(32767, 32767, 1 << 0);
    EXPECT_EQ(chip[3], 0);
    chip[3] = 0x01;
    Poll(32767, 32767, 0);
    EXPECT_EQ(chip[3], 0);

    // Coin (byte 0 bit 0) and the starts (byte 3 bits 2 and 3) from the
    // coin button, the start button (both starts) and F2, F3, F4: set on the
    // press, still set after many frames held (auto-repeat changes nothing),
    // clear on the release.
    frame::RebuildKeyTable(Settings.controls);
    struct Case {
        const char* what;
        uint32_t buttons, key; // the button word held, or the key
        uint8_t byte0, byte3;
    };
    const Case cases[] = {
        {"coin button", 1 << 2, 0, 0x01, 0}, {"start button", 1 << 3, 0, 0, 0x0C},
        {"F2", 0, frame::KeyF2, 0x01, 0},    {"F3", 0, frame::KeyF3, 0, 0x04},
        {"F4", 0, frame::KeyF4, 0, 0x08},
    };
    const uint8_t* read = kluno::IoChipRegs; // chip 1 as the game reads it in the frame
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto hold = [&](bool down, uint16_t flags) {
            if (c.key)
                frame::KeyDispatch(c.key, flags, down);
            else
                Poll(32767, 32767, down ? c.buttons : 0);
        };
        hold(true, 0);
        for (int frame = 0; frame < 30; frame++) {
            Frame();
            ASSERT_EQ(chip[0] & 0x01, c.byte0) << "frame " << frame;
            ASSERT_EQ(chip[3] & 0x0C, c.byte3) << "frame " << frame;
            ASSERT_EQ(read[0] & 0x01, c.byte0) << "frame " << frame;
            ASSERT_EQ(read[3] & 0x0C, c.byte3) << "frame " << frame;
            hold(true, frame::KeyRepeatFlag);
        }
        hold(false, 0);
        EXPECT_EQ(chip[0] & 0x01, 0);
        EXPECT_EQ(chip[3] & 0x0C, 0);
    }
}

// The buffer maker of the tests: records the ids asked for and refuses one.
std::vector<int> Made;
int Refused;
bool Make(int id, const boards::SoundBufferSpec&) {
    Made.push_back(id);
    return id != Refused;
}

TEST_F(KlunoOnTheFrame, SoundSetUp) {
    struct Case {
        const char* what;
        int refused;
        frame::VoicesResult result;
        std::vector<int> made;
        int primary;
    };
    const Case cases[] = {
        {"every buffer", -1, frame::VoicesResult::Opened, {8, 0, 1, 2, 3, 4, 5, 6, 7}, 8},
        {"no primary buffer: the voices still play",
         8,
         frame::VoicesResult::Opened,
         {8, 0, 1, 2, 3, 4, 5, 6, 7},
         boards::NoBuffer},
        {"voice 3 refused: the set-up ends there", 3, frame::VoicesResult::Failed, {8, 0, 1, 2, 3}, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Made.clear();
        Refused = c.refused;
        int primary = 0;
        EXPECT_EQ(frame::MakeSoundBuffers(kluno::Face.soundBuffers(), Make, &primary), c.result);
        EXPECT_EQ(Made, c.made);
        EXPECT_EQ(primary, c.primary);
    }

    struct Outcome {
        frame::VoicesResult result;
        bool startUp, sound;
    };
    const Outcome outcomes[] = {
        {frame::VoicesResult::Opened, true, true},
        {frame::VoicesResult::NoDevice, true, false}, // silent, the Sound item greyed
        {frame::VoicesResult::Failed, false, false},  // the start-up fails
    };
    test_support::SoundRecorder recorder;
    const boards::SoundSeam* device = nullptr;
    recorder.Install(device, kluno::PrimaryBuffer);
    for (const Outcome& o : outcomes) {
        SCOPED_TRACE(int(o.result));
        EXPECT_EQ(frame::TakeSoundDevice(o.result, device), o.startUp);
        EXPECT_EQ(frame::HasSound(), o.sound);
        EXPECT_EQ(kluno::Sound, o.sound ? device : nullptr);
        EXPECT_EQ(frame::ToggleSound(), o.sound);
        EXPECT_EQ(Settings.soundMute, o.sound ? 1u : 0u);
        Settings.soundMute = 0;
        kluno::Face.setSoundMute(false);
        kluno::SoundEnable = 1;
        EXPECT_EQ(kluno::SoundActive(), o.sound);
        Frame(); // runs silent without a device
    }
}

// Surfaces of the full screen: pixels with a pitch; counts its locks.
struct Surface {
    std::vector<uint8_t> pixels;
    ptrdiff_t pitch;
    int locks = 0;
};
bool Lock(void* surface, bool, uint8_t** pixels, ptrdiff_t* pitch) {
    Surface& s = *static_cast<Surface*>(surface);
    s.locks++;
    *pixels = s.pixels.data();
    *pitch = s.pitch;
    return true;
}
void Unlock(void*, uint8_t*) {}
constexpr frame::SurfaceSeam Surfaces = {Lock, Unlock};

TEST_F(KlunoOnTheFrame, RenderStepChoosesThePicture) {
    std::vector<uint8_t> pixels(kluno::FrameWidth * kluno::FrameHeight);
    kluno::Face.setFrameBuffer(pixels.data());
    for (int i = 0; i < 0x800; i++)
        kluno::MainRam[i] = uint8_t(i);
    struct Case {
        const char* what;
        bool fullScreen, rotated, backBuffer;
        bool upright; // the plain picture drawn, else the turned one
        int backLocks, cardLocks;
    };
    const Case cases[] = {
        {"window", false, false, true, true, 0, 0},
        {"window, a turned full screen left behind", false, true, true, true, 0, 0},
        {"640 x 480 with the card", true, false, true, true, 1, 1},
        {"turned 320 x 240", true, true, true, false, 1, 0},
        {"full screen without a back buffer", true, false, false, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        kluno::Face.setTurned(c.fullScreen && c.rotated);
        std::fill(pixels.begin(), pixels.end(), 0xEE);
        Surface back = {std::vector<uint8_t>(640 * 480, 0xEE), 640};
        Surface card = {std::vector<uint8_t>(640 * 480, 0x33), 640};
        frame::RenderStep(kluno::Face, Surfaces,
                          {c.fullScreen, c.rotated, c.backBuffer ? &back : nullptr, &card});
        // The plain picture covers rows 16-303 of columns 16-239, the turned
        // one rows 16-239 of columns 16-303.
        EXPECT_EQ(pixels[300 * kluno::FrameWidth + 20] != 0xEE, c.upright);
        EXPECT_EQ(pixels[20 * kluno::FrameWidth + 300] != 0xEE, !c.upright);
        EXPECT_EQ(back.locks, c.backLocks);
        EXPECT_EQ(card.locks, c.cardLocks);
        if (c.backLocks) {
            const uint8_t* picture = c.upright ? &back.pixels[96 * 640 + 208] : &back.pixels[8 * 640 + 16];
            EXPECT_EQ(picture[0], pixels[16 * kluno::FrameWidth + 16]);
            EXPECT_EQ(back.pixels[0], c.upright ? 0x33 : 0x00); // the card, or the cleared screen
        }
    }
    kluno::Face.setTurned(false);
}

} // namespace
} // namespace settings_test
