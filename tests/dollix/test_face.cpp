// DOLLIX through its board face: controls, coin and starts held for two
// frames, the score table, the test switch and the picture's shape.
#include "boards/dollix/dollix_board.h"
#include "tests/dollix/support.h"

namespace dollix_test {
namespace {

using namespace dollix;

class FaceTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        std::string error;
        ASSERT_TRUE(Face.buildFromImages(Images(), error)) << error;
        Face.reset();
    }
    std::vector<boards::ImageBytes> Images() {
        std::vector<boards::ImageBytes> spans;
        for (const std::vector<uint8_t>& image : images.bytes)
            spans.emplace_back(image);
        return spans;
    }
    Ports Frame() {
        Face.runFrame({});
        return InputPorts;
    }
};

TEST_F(FaceTest, ControlsCoinAndStarts) {
    const std::pair<uint32_t, Ports> cases[] = {
        {0x001, {{0, StickUp, 0, 0}, {}}},         {0x008, {{0, StickLeft, 0, 0}, {}}},
        {0x010, {{0, 0, 0, Button1}, {}}},         {0x020, {{0, 0, StickUp, 0}, {}}},
        {0x100, {{0, 0, StickLeft, 0}, {}}},       {0x200, {{0, 0, 0, Button2}, {}}},
        {ControlCoin, {{InputCoin, 0, 0, 0}, {}}}, {ControlStart2, {{0, 0, 0, Start2}, {}}},
    };
    for (auto [bits, ports] : cases) {
        Face.setControls(bits);
        EXPECT_EQ(Face.controlBits(), bits);
        Ports seen = Frame();
        EXPECT_EQ(std::vector<uint8_t>(seen.input, seen.input + 4),
                  std::vector<uint8_t>(ports.input, ports.input + 4))
            << bits;
    }
    Face.setControls(0);
    Face.insertCoin();
    EXPECT_TRUE(Face.pressStart(2, 2));
    EXPECT_FALSE(Face.pressStart(3, 3));
    EXPECT_EQ(Frame().input[0], InputCoin);
    EXPECT_EQ(Frame().input[3], Start2);
    EXPECT_EQ(Frame().input[0], 0); // released in the third frame: one edge each
    EXPECT_EQ(Frame().input[3], 0);

    // Two coins at once: two edges, a frame apart.
    Face.insertCoin();
    Face.insertCoin();
    std::vector<uint8_t> coin;
    for (int frame = 0; frame < 6; frame++)
        coin.push_back(Frame().input[0]);
    EXPECT_EQ(coin, (std::vector<uint8_t>{InputCoin, InputCoin, 0, InputCoin, InputCoin, 0}));

    // A joystick poll's controls reach the I/O chip in the same frame.
    boards::FrameHooks hooks{};
    hooks.pollInput = [] { Face.setControls(0x001); };
    Face.runFrame(hooks);
    EXPECT_EQ(Ram[0x6005], StickUp);
}

TEST_F(FaceTest, ScoresTestSwitchAndPicture) {
    std::vector<uint8_t>& rom = images[&GameData::mainProgram];
    for (int a = 0xCED9; a <= 0xCF38; a++)
        rom[size_t(a - 0x8000)] = uint8_t(a);
    std::string error;
    ASSERT_TRUE(Face.buildFromImages(Images(), error));
    uint8_t table[ScoreTableSize];
    Face.defaultScores(table);
    EXPECT_EQ(table[1], 0x01);
    EXPECT_EQ(table[6], uint8_t(0xCED9));
    EXPECT_EQ(table[85], uint8_t(0xCF28));
    table[0] = 0x42;
    Face.scoresIn(table);
    EXPECT_EQ(Ram[0x0849], 0x42);
    EXPECT_EQ(Ram[0x09B2], uint8_t(0xCED9));
    EXPECT_EQ(Ram[0x0A01], uint8_t(0xCF28));
    EXPECT_EQ(Ram[0x0A11], uint8_t(0xCF38)); // rewritten from the ROM
    uint8_t out[ScoreTableSize];
    Face.scoresOut(out);
    EXPECT_TRUE(std::equal(out, out + ScoreTableSize, table));

    // The traps are patched only when installed, with the face's handlers.
    EXPECT_EQ(MainRom[0xC529 - 0x8000], rom[0xC529 - 0x8000]);
    Face.installScoreTraps({[] { HookCalls.push_back("load"); }, [] { HookCalls.push_back("save"); }});
    EXPECT_EQ(MainRom[0xC529 - 0x8000], 0x01);
    HookCalls.clear();
    HighScoreTrapHook(&Cpus[MainCpu], 0xEA33, 1);
    EXPECT_EQ(HookCalls, std::vector<std::string>{"save"});

    Face.setTestMode(true);
    EXPECT_TRUE(Face.testMode());
    EXPECT_FALSE(Face.testModeResets);
    Face.setTestMode(false);
    EXPECT_FALSE(Face.testMode());

    boards::Picture picture = Face.picture(false);
    EXPECT_EQ(picture.width, 288);
    EXPECT_EQ(picture.height, 224);
    EXPECT_FALSE(Face.canTurn);
    EXPECT_EQ(Face.soundBuffers().size(), 9u);
    EXPECT_EQ(Face.voiceLine(0).substr(0, 7), "v0=off ");
}

} // namespace
} // namespace dollix_test
