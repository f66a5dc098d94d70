// The key-function table, the key handlers and the credit rules.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/machine.h"
#include "frame/frame_lock.h"
#include "frame/keys.h"
#include "programs/zarkolt/zarkolt_game.h"
#include "tests/common/zarkolt_game.h"

using namespace frame;
using namespace zarkolt_program;
using zarkolt::InputState;

namespace {

int LockDepth = 0;
int LocksTaken = 0;
int Messages = 0; // key messages dispatched
void CountAcquire() {
    LockDepth++;
    LocksTaken++;
}
void CountRelease() {
    LockDepth--;
}

constexpr uint16_t Repeat = KeyRepeatFlag;

class Keys : public ::testing::Test {
  protected:
    void SetUp() override {
        test_games::UseZarkoltGame();
        InputState = {};
        std::memset(zarkolt::SharedRam, 0, sizeof zarkolt::SharedRam);
        zarkolt::IoReplyPage[1] = 0x38;
        FrameLock = {CountAcquire, CountRelease};
        LockDepth = LocksTaken = Messages = 0;
        RebuildKeyTable(DefaultControlAssignment);
    }
    void TearDown() override { EXPECT_EQ(LockDepth, 0); }

    static void Press(uint32_t key, uint16_t flags = 0) {
        Messages++;
        KeyDispatch(key, flags, 1);
    }
    static void Release(uint32_t key) {
        Messages++;
        KeyDispatch(key, 0xC000, 0);
    }
};

constexpr uint32_t VkLeft = 0x25, VkUp = 0x26, VkRight = 0x27, VkDown = 0x28;

} // namespace

TEST(KeyNames, RowsAndCodes) {
    struct Row {
        int row;
        uint32_t code;
        std::string name;
    };
    const Row rows[] = {
        {0, 0x41, "A"},
        {25, 0x5A, "Z"},
        {26, 0x30, "0"},
        {35, 0x39, "9"},
        {36, 0x60, "KEYPAD 0"},
        {45, 0x69, "KEYPAD 9"},
        {46, 0x20, "Space"},
        {49, 0x10, "Shift"},
        {52, 0x26, "\x81\xAA"},
        {53, 0x28, "\x81\xAB"},
        {54, 0x25, "\x81\xA9"},
        {55, 0x27, "\x81\xA8"},
        {62, 0x91, "Scroll Lock"},
        {63, 0x13, "Pause"},
        {64, 0, "\xCE\xDE\xC0\xDD 1"},
        {73, 9, "\xCE\xDE\xC0\xDD 10"},
        {79, 15, "\xCE\xDE\xC0\xDD 16"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(KeyNames[row.row].code, row.code) << row.row;
        EXPECT_EQ(std::string(KeyNames[row.row].name), row.name) << row.row;
    }
    std::set<uint32_t> keyboardCodes;
    for (int row = 0; row < KeyboardRowCount; row++)
        keyboardCodes.insert(KeyNames[row].code);
    EXPECT_EQ(keyboardCodes.size(), size_t(KeyboardRowCount));
}

TEST(CodePage932, ExecutionCharacterSet) {
    // Second bytes of 0x5C (a backslash in ASCII) survive the conversion.
    EXPECT_EQ(std::string("表能"), std::string("\x95\x5C\x94\x5C"));
    EXPECT_EQ(std::string("ﾃｽﾄﾓｰﾄﾞ"), std::string("\xC3\xBD\xC4\xD3\xB0\xC4\xDE"));
}

TEST_F(Keys, TableFromTheAssignment) {
    int assigned = 0;
    for (KeyHandler handler : KeyTable)
        assigned += handler != KeyNone;
    EXPECT_EQ(assigned, 9);
    EXPECT_EQ(KeyTable[VkUp], SlotKey(SlotUp));
    EXPECT_EQ(KeyTable[VkDown], SlotKey(SlotDown));
    EXPECT_EQ(KeyTable[VkLeft], SlotKey(SlotLeft));
    EXPECT_EQ(KeyTable[VkRight], SlotKey(SlotRight));
    EXPECT_EQ(KeyTable['X'], SlotKey(SlotButton1));
    EXPECT_EQ(KeyTable['Z'], SlotKey(SlotButton2));
    EXPECT_EQ(KeyTable[KeyF2], KeyCoin);
    EXPECT_EQ(KeyTable[KeyF3], KeyStart1);
    EXPECT_EQ(KeyTable[KeyF4], KeyStart2);
    for (uint32_t key : {0x70u, 0x74u, 0x78u, 0x79u, 0x7Au, 0x7Bu, 0x20u})
        EXPECT_EQ(KeyTable[key], KeyNone) << key;

    // Rows chosen by the player; a row beyond the keyboard keeps its slot's
    // default key; the previous keys are free again.
    ControlAssignment custom = {0, 18, 64, 1000, 46, 36, 0, 1, 2, 3};
    RebuildKeyTable(custom);
    EXPECT_EQ(KeyTable['A'], SlotKey(SlotUp));
    EXPECT_EQ(KeyTable['S'], SlotKey(SlotDown));
    EXPECT_EQ(KeyTable[VkLeft], SlotKey(SlotLeft));
    EXPECT_EQ(KeyTable[VkRight], SlotKey(SlotRight));
    EXPECT_EQ(KeyTable[0x20], SlotKey(SlotButton1));
    EXPECT_EQ(KeyTable[0x60], SlotKey(SlotButton2));
    EXPECT_EQ(KeyTable[VkUp], KeyNone);
    EXPECT_EQ(KeyTable['X'], KeyNone);

    // Two slots on one key: the later slot wins.
    ControlAssignment twice = DefaultControlAssignment;
    twice[SlotButton1] = 52; // "↑"
    RebuildKeyTable(twice);
    EXPECT_EQ(KeyTable[VkUp], SlotKey(SlotButton1));
}

TEST_F(Keys, DirectionsAndButtons) {
    Press(VkUp);
    EXPECT_EQ(InputState.input, zarkolt::InputUp);
    Press(VkUp, Repeat);
    Release(VkUp);
    EXPECT_EQ(InputState.input, 0);
    Press(VkUp, Repeat); // auto-repeat never sets a bit
    EXPECT_EQ(InputState.input, 0);

    // Holding left, then right: right wins; releasing right leaves neither.
    Press(VkLeft);
    Press(VkRight);
    EXPECT_EQ(InputState.input, zarkolt::InputRight);
    Press(VkLeft, Repeat);
    EXPECT_EQ(InputState.input, zarkolt::InputRight);
    Release(VkRight);
    EXPECT_EQ(InputState.input, 0);
    Release(VkLeft);

    Press(VkDown);
    Press(VkUp);
    EXPECT_EQ(InputState.input, zarkolt::InputUp);
    Press(VkDown);
    EXPECT_EQ(InputState.input, zarkolt::InputDown);
    Press(VkLeft);
    Press('X');
    Press('Z');
    EXPECT_EQ(InputState.input,
              zarkolt::InputDown | zarkolt::InputLeft | zarkolt::InputButton1 | zarkolt::InputButton2);
    Release('X');
    EXPECT_EQ(InputState.input, zarkolt::InputDown | zarkolt::InputLeft | zarkolt::InputButton2);
    Release('Z');
    Release(VkDown);
    Release(VkLeft);
    EXPECT_EQ(InputState.input, 0);
    EXPECT_EQ(LocksTaken, Messages); // each key message is handled under the frame mutex
}

TEST_F(Keys, CoinsCountInBcdUpTo99) {
    for (int press = 1; press <= 100; press++) {
        Press(KeyF2);
        Release(KeyF2);
        uint32_t expected = press < 99 ? uint32_t(press) : 99;
        ASSERT_EQ(InputState.credits, CreditBcd(expected)) << press;
    }
    EXPECT_EQ(InputState.credits, 0x99);
    EXPECT_EQ(LocksTaken, 200 + 100); // each message, and each coin once more inside it

    InputState.credits = 0x09;
    Press(KeyF2);
    EXPECT_EQ(InputState.credits, 0x10);
    Press(KeyF2, Repeat);
    EXPECT_EQ(InputState.credits, 0x10);

    InputState.testMode = 1;
    Press(KeyF2);
    EXPECT_EQ(InputState.credits, 0x10);
}

TEST_F(Keys, StartsTakeCredits) {
    InputState.credits = 0x10;
    Press(KeyF3);
    EXPECT_EQ(InputState.credits, 0x09);
    Press(KeyF3, Repeat);
    EXPECT_EQ(InputState.credits, 0x09);

    InputState.credits = 0x01;
    Press(KeyF4); // two credits needed
    EXPECT_EQ(InputState.credits, 0x01);
    InputState.credits = 0x03;
    Press(KeyF4);
    EXPECT_EQ(InputState.credits, 0x01);
    Press(KeyF3);
    EXPECT_EQ(InputState.credits, 0x00);
    Press(KeyF3); // never below 0
    EXPECT_EQ(InputState.credits, 0x00);

    // The game's start lock refuses every start.
    InputState.credits = 0x05;
    *zarkolt::Ram(0x8023) = 1;
    Press(KeyF3);
    Press(KeyF4);
    EXPECT_EQ(InputState.credits, 0x05);
    *zarkolt::Ram(0x8023) = 0;

    // The joystick's start: needs one, takes up to two.
    StartGame(1, 2);
    EXPECT_EQ(InputState.credits, 0x03);
    InputState.credits = 0x01;
    StartGame(1, 2);
    EXPECT_EQ(InputState.credits, 0x00);
    StartGame(1, 2);
    EXPECT_EQ(InputState.credits, 0x00);
    EXPECT_GT(LocksTaken, 0);
}

TEST_F(Keys, DispatchInTestModeAndOutOfRangeKeys) {
    Press(0x41); // an unassigned key
    EXPECT_EQ(zarkolt::IoReplyPage[1], 0x38);
    InputState.testMode = 1;
    Press(0x41);
    EXPECT_EQ(zarkolt::IoReplyPage[1], 0xFF);
    zarkolt::IoReplyPage[1] = 0x0F;
    Release(VkUp);
    EXPECT_EQ(zarkolt::IoReplyPage[1], 0xFF);
    InputState.testMode = 0;

    // A virtual key above 255 is ignored, even where its low byte is bound.
    InputState.credits = 0;
    zarkolt::IoReplyPage[1] = 0x38;
    for (uint32_t key : {0x100u + KeyF2, 0x171u, 0xFFFFu, 0xFFFFFFFFu})
        Press(key);
    EXPECT_EQ(InputState.credits, 0);
    InputState.testMode = 1;
    Press(0x1FF);
    EXPECT_EQ(zarkolt::IoReplyPage[1], 0x38);
}

TEST(Credits, BcdConversion) {
    for (uint32_t value = 0; value <= 99; value++)
        EXPECT_EQ(CreditValue(CreditBcd(value)), value);
    EXPECT_EQ(CreditBcd(42), 0x42);
    EXPECT_EQ(CreditValue(0x99), 99u);
}
