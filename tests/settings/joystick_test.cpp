// Joystick polling: thresholds, directions, exchanged axes and button edges.
#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/machine.h"
#include "frame/joystick.h"
#include "frame/settings.h"
#include "programs/zarkolt/game_options.h"
#include "tests/settings/fakes.h"

namespace settings_test {
namespace {

using zarkolt::InputState;

class Joystick : public SettingsTest {
  protected:
    // The fake's range is 0-65535 on both axes (thresholds 24575 and 40959);
    // these positions lie well inside each zone.
    static constexpr uint32_t Low = 1000, Centre = 32767, High = 64000;

    void Poll(uint32_t x, uint32_t y, uint32_t buttons = 0) {
        joystick.position = {x, y, buttons};
        frame::PollJoystick();
    }
};

TEST_F(Joystick, ThresholdsMatchTheFormula) {
    struct Case {
        uint32_t min, max, low, high;
    };
    const Case cases[] = {
        {0, 65535, 24575, 40959}, // centre 32767
        {0, 100, 37, 62},         // centre 50
        {100, 200, 137, 162},     // centre 150
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        frame::AxisThresholds t = frame::ThresholdsOf(c.min, c.max);
        EXPECT_EQ(t.low, c.low) << c.min << "-" << c.max;
        EXPECT_EQ(t.high, c.high) << c.min << "-" << c.max;
    }
}

TEST_F(Joystick, PositionsOnAThresholdAreCentred) {
    frame::JoystickRange r = {0, 100, 0, 100}; // low 37, high 62
    struct Case {
        uint32_t x, y;
        bool exchanged;
        uint16_t code;
    };
    const Case cases[] = {
        {37, 62, false, 0},
        {36, 50, false, frame::JoyLeft},
        {63, 50, false, frame::JoyRight},
        {50, 36, false, frame::JoyUp},
        {50, 63, false, frame::JoyDown},
        {0, 100, false, frame::JoyLeft | frame::JoyDown},
        {36, 50, true, frame::JoyUp},
        {63, 50, true, frame::JoyDown},
        {50, 36, true, frame::JoyRight},
        {50, 63, true, frame::JoyLeft},
        {37, 62, true, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(frame::DirectionOf(r, c.x, c.y, c.exchanged), c.code)
            << c.x << "," << c.y << " " << c.exchanged;
}

TEST_F(Joystick, NoJoystickChangesNothing) {
    InputState.input = zarkolt::InputLeft | zarkolt::InputButton1;
    for (int which = 0; which < 2; which++) {
        joystick.rangeFails = which == 0;
        joystick.positionFails = which == 1;
        Poll(High, Low, 0xFFFF);
        EXPECT_EQ(InputState.input, zarkolt::InputLeft | zarkolt::InputButton1);
    }
    // The previous state was not touched either: the first good poll sees
    // every change from the start.
    joystick.rangeFails = joystick.positionFails = false;
    Poll(High, Centre);
    EXPECT_EQ(InputState.input, zarkolt::InputRight | zarkolt::InputButton1);
}

TEST_F(Joystick, HeldRightThenReleasedSetsOnceAndClearsOnce) {
    Poll(High, Centre);
    EXPECT_EQ(InputState.input, zarkolt::InputRight);
    // A key handler clears the bit meanwhile: a poll without change leaves it.
    InputState.input = 0;
    Poll(High, Centre);
    EXPECT_EQ(InputState.input, 0);
    InputState.input = zarkolt::InputRight;
    Poll(Centre, Centre);
    EXPECT_EQ(InputState.input, 0);
    // A key set meanwhile is kept by a poll without change.
    InputState.input = zarkolt::InputRight;
    Poll(Centre, Centre);
    EXPECT_EQ(InputState.input, zarkolt::InputRight);
}

TEST_F(Joystick, UpLeftToDownLeftChangesOnlyUpAndDown) {
    Poll(Low, Low);
    EXPECT_EQ(InputState.input, zarkolt::InputUp | zarkolt::InputLeft);
    InputState.input |= zarkolt::InputButton2; // held on the keyboard
    Poll(Low, High);
    EXPECT_EQ(InputState.input, zarkolt::InputDown | zarkolt::InputLeft | zarkolt::InputButton2);
}

TEST_F(Joystick, NewDirectionClearsTheOppositeKey) {
    InputState.input = zarkolt::InputLeft | zarkolt::InputDown; // keys
    Poll(High, Low);
    EXPECT_EQ(InputState.input, zarkolt::InputRight | zarkolt::InputUp);
}

TEST_F(Joystick, AxesAreExchangedOnlyInTheUprightFullScreen) {
    struct Case {
        uint32_t fullScreen, modeX, exchange;
        bool capable;
        uint8_t expected;
    };
    const Case cases[] = {
        {1, 1, 1, true, zarkolt::InputUp | zarkolt::InputLeft},
        {0, 1, 1, true, zarkolt::InputLeft | zarkolt::InputDown},
        {1, 0, 1, true, zarkolt::InputLeft | zarkolt::InputDown},
        {1, 1, 0, true, zarkolt::InputLeft | zarkolt::InputDown},
        {1, 1, 1, false, zarkolt::InputLeft | zarkolt::InputDown},
    };
    for (const Case& c : cases) {
        frame::Settings.fullScreen = c.fullScreen;
        frame::Settings.modeX = c.modeX;
        frame::Settings.joyAxisExchange = c.exchange;
        frame::JoystickModeXCapable = c.capable;
        frame::ResetJoystickPoll();
        InputState.input = 0;
        Poll(Low, High); // X below low, Y above high
        EXPECT_EQ(InputState.input, c.expected) << c.fullScreen << c.modeX << c.exchange << c.capable;
    }
}

TEST_F(Joystick, ButtonsActOnTheirEdges) {
    // Assigned: button 1 -> 4, button 2 -> 0, coin -> 7, start -> 15.
    frame::Settings.controls[zarkolt_program::SlotJoyButton1] = 4;
    frame::Settings.controls[zarkolt_program::SlotJoyButton2] = 0;
    frame::Settings.controls[zarkolt_program::SlotJoyCoin] = 7;
    frame::Settings.controls[zarkolt_program::SlotJoyStart] = 15;
    Poll(Centre, Centre, 1 << 4 | 1 << 0);
    EXPECT_EQ(InputState.input, zarkolt::InputButton1 | zarkolt::InputButton2);
    InputState.input = 0; // a key release meanwhile: held buttons do not set it again
    Poll(Centre, Centre, 1 << 4 | 1 << 0);
    EXPECT_EQ(InputState.input, 0);
    InputState.input = zarkolt::InputButton1 | zarkolt::InputButton2;
    Poll(Centre, Centre, 1 << 3); // an unassigned button
    EXPECT_EQ(InputState.input, 0);
}

TEST_F(Joystick, CoinCreditsOncePerPress) {
    frame::Settings.controls[zarkolt_program::SlotJoyCoin] = 2;
    Poll(Centre, Centre, 1 << 2);
    EXPECT_EQ(InputState.credits, 0x01);
    Poll(Centre, Centre, 1 << 2);
    Poll(Centre, Centre, 1 << 2);
    EXPECT_EQ(InputState.credits, 0x01);
    Poll(Centre, Centre, 0);
    EXPECT_EQ(InputState.credits, 0x01);
    Poll(Centre, Centre, 1 << 2);
    EXPECT_EQ(InputState.credits, 0x02);
    EXPECT_EQ(MutexEntries, 2); // the coin takes the frame mutex
    // Test mode refuses coins.
    InputState.testMode = 1;
    Poll(Centre, Centre, 0);
    Poll(Centre, Centre, 1 << 2);
    EXPECT_EQ(InputState.credits, 0x02);
}

TEST_F(Joystick, CoinStopsAt99) {
    InputState.credits = 0x98;
    for (int i = 0; i < 3; i++) {
        frame::JoyButton(zarkolt_program::SlotJoyCoin, 1);
        frame::JoyButton(zarkolt_program::SlotJoyCoin, 0);
    }
    EXPECT_EQ(InputState.credits, 0x99);
}

TEST_F(Joystick, StartTakesTwoCreditsOrOne) {
    struct Case {
        uint16_t before, after;
        uint8_t lock;
    };
    const Case cases[] = {
        {0x03, 0x01, 0}, {0x02, 0x00, 0}, {0x01, 0x00, 0}, {0x00, 0x00, 0}, {0x10, 0x08, 0}, {0x03, 0x03, 1},
    };
    frame::Settings.controls[zarkolt_program::SlotJoyStart] = 3;
    for (const Case& c : cases) {
        InputState.credits = c.before;
        *zarkolt::Ram(0x8023) = c.lock;
        frame::ResetJoystickPoll();
        Poll(Centre, Centre, 1 << 3);
        EXPECT_EQ(InputState.credits, c.after) << std::hex << c.before << " lock " << int(c.lock);
        Poll(Centre, Centre, 0); // the release does nothing
        EXPECT_EQ(InputState.credits, c.after);
    }
}

TEST_F(Joystick, PresenceNeedsADeviceThatAnswers) {
    joystick.devices = 0;
    EXPECT_EQ(frame::IsJoystickPresent(), 0);
    joystick.devices = 2;
    EXPECT_EQ(frame::IsJoystickPresent(), 1);
    joystick.positionFails = true;
    joystick.queries = 0;
    EXPECT_EQ(frame::IsJoystickPresent(), 0);
    EXPECT_EQ(joystick.queries, 2); // every id was asked
}

} // namespace
} // namespace settings_test
