// The saver's display: mode rules, places, copies and the per-frame present.
#include <gtest/gtest.h>

#include <vector>

#include "tests/saver/fake_calls.h"

namespace {

using saver::ModeRule;
using saver_test::DisplayModeOffer;
using saver_test::FakeSystem;

saver::ModeSize Choose(ModeRule rule, const std::vector<DisplayModeOffer>& offers) {
    saver::ModeSize chosen;
    for (const DisplayModeOffer& mode : offers)
        saver::ChooseDisplayMode(rule, chosen, mode.width, mode.height, mode.bits);
    return chosen;
}

TEST(SaverDisplay, ModeRules) {
    struct Case {
        ModeRule rule;
        std::vector<DisplayModeOffer> offers;
        uint32_t width, height; // NoMode: none fits
    };
    const uint32_t none = saver::NoMode;
    const Case cases[] = {
        {ModeRule::Portrait, {{320, 240, 8}, {640, 480, 8}, {800, 600, 8}}, 640, 480},
        {ModeRule::Landscape, {{320, 240, 8}, {640, 480, 8}, {800, 600, 8}}, 320, 240},
        {ModeRule::Portrait, {{640, 480, 8}, {640, 400, 8}}, 640, 400},
        // Portrait and square modes never under the portrait rule; the landscape rule takes a square one.
        {ModeRule::Portrait, {{480, 640, 8}, {480, 480, 8}}, none, none},
        {ModeRule::Landscape, {{480, 640, 8}, {480, 480, 8}}, 480, 480},
        // Equal heights: the first enumerated stays.
        {ModeRule::Portrait, {{800, 480, 8}, {640, 480, 8}}, 800, 480},
        // Smaller in height but not in width never replaces the choice.
        {ModeRule::Landscape, {{640, 480, 8}, {800, 400, 8}}, 640, 480},
        // Only 8-bit modes take part.
        {ModeRule::Portrait, {{640, 480, 16}, {800, 600, 8}, {640, 400, 32}}, 800, 600},
        {ModeRule::Landscape, {{320, 240, 16}, {640, 480, 8}}, 640, 480},
        // At the limits: 304 rows, and 304 x 240, fit; one less does not.
        {ModeRule::Portrait, {{640, 304, 8}}, 640, 304},
        {ModeRule::Portrait, {{640, 303, 8}, {320, 240, 8}}, none, none},
        {ModeRule::Landscape, {{304, 240, 8}}, 304, 240},
        {ModeRule::Landscape, {{303, 240, 8}, {320, 239, 8}}, none, none},
        {ModeRule::Portrait, {}, none, none},
    };
    for (size_t i = 0; i < std::size(cases); i++) {
        saver::ModeSize chosen = Choose(cases[i].rule, cases[i].offers);
        EXPECT_EQ(chosen.width, cases[i].width) << "case " << i;
        EXPECT_EQ(chosen.height, cases[i].height) << "case " << i;
    }
}

TEST(SaverDisplay, FieldAndPicturePlaces) {
    saver::Rect field = saver::BorderField(640, 480);
    EXPECT_EQ(field.left, 200);
    EXPECT_EQ(field.top, 88);
    EXPECT_EQ(field.right, 440);
    EXPECT_EQ(field.bottom, 392);
    saver::Point picture = saver::PicturePlace(true, 640, 480);
    EXPECT_EQ(picture.x, 208);
    EXPECT_EQ(picture.y, 96);
    // Odd sizes: the halves drop their remainder.
    field = saver::BorderField(801, 601);
    EXPECT_EQ(field.left, 280);
    EXPECT_EQ(field.top, 148);
    EXPECT_EQ(field.right, 520);
    EXPECT_EQ(field.bottom, 452);
    picture = saver::PicturePlace(true, 801, 601);
    EXPECT_EQ(picture.x, 288);
    EXPECT_EQ(picture.y, 156);
    // The landscape picture stands at (16, 8) in any mode.
    for (uint32_t width : {320u, 640u, 1024u}) {
        picture = saver::PicturePlace(false, width, width * 3 / 4);
        EXPECT_EQ(picture.x, 16);
        EXPECT_EQ(picture.y, 8);
    }
}

class PresentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake.Install();
        for (int i = 0; i < saver::WorkWidth * saver::WorkHeight; i++)
            saver::WorkBuffer[i] = uint8_t(i * 7 + i / saver::WorkWidth);
    }

    // Sets up a mode with its surfaces as the first tick leaves them.
    void Mode(const saver::SaverBoard& board, uint32_t width, uint32_t height) {
        saver::Board = &board;
        fake.modes = {{width, height, 8}};
        saver::State.directDraw = saver_test::HandleNumber(100);
        ASSERT_TRUE(saver::SetUpDisplay());
        fake.Take();
    }

    // Every byte of the fake back buffer outside the picture is untouched,
    // every byte inside holds the work buffer's picture.
    void ExpectPictureOnly(int left, int top, int width, int height) {
        for (size_t row = 0; row < fake.back.size() / size_t(fake.pitch); row++)
            for (ptrdiff_t x = 0; x < fake.pitch; x++) {
                uint8_t got = fake.back[row * size_t(fake.pitch) + size_t(x)];
                bool inside = x >= left && x < left + width && int(row) >= top && int(row) < top + height;
                if (inside) {
                    uint8_t want = saver::WorkBuffer[(16 + int(row) - top) * 512 + 16 + int(x) - left];
                    ASSERT_EQ(got, want) << x << "," << row;
                } else {
                    ASSERT_EQ(got, FakeSystem::Untouched) << x << "," << row;
                }
            }
    }

    FakeSystem fake;
};

const saver::SaverBoard BorderBoard = {16,     ModeRule::Portrait, true, nullptr, nullptr, nullptr, nullptr,
                                       nullptr};
const saver::SaverBoard PlainBoard = {17,     ModeRule::Landscape, false, nullptr, nullptr, nullptr, nullptr,
                                      nullptr};

TEST_F(PresentTest, CentredPictureOverTheBorder) {
    Mode(BorderBoard, 641, 481);
    saver::PresentPicture();
    EXPECT_EQ(fake.Take(), (std::vector<std::string>{"blit 4 to 2 641x481", "lock 2", "unlock 2"}));
    ExpectPictureOnly(208, 96, 224, 288);
}

TEST_F(PresentTest, LandscapePictureOnBlack) {
    Mode(PlainBoard, 320, 240);
    saver::PresentPicture();
    EXPECT_EQ(fake.Take(), (std::vector<std::string>{"fill 2 all with 0", "lock 2", "unlock 2"}));
    ExpectPictureOnly(16, 8, 288, 224);
}

TEST_F(PresentTest, FailedLockCopiesNothing) {
    Mode(BorderBoard, 640, 480);
    fake.failing = {"lock 2"};
    saver::PresentPicture();
    EXPECT_EQ(fake.Take(), (std::vector<std::string>{"blit 4 to 2 640x480", "lock 2 -> fail"}));
    ExpectPictureOnly(0, 0, 0, 0);
}

TEST_F(PresentTest, NothingThroughMissingSurfaces) {
    saver::Board = &BorderBoard;
    saver::PresentPicture();
    saver::FlipDisplay();
    EXPECT_TRUE(fake.Take().empty());
    Mode(BorderBoard, 640, 480);
    saver::FlipDisplay();
    EXPECT_EQ(fake.Take(), (std::vector<std::string>{"flip 1"}));
}

} // namespace
