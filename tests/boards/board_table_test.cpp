// Every board of the board table, driven only through its face: built from
// its embedded game data, reset and run for a few hundred frames, its
// picture then matches a golden picture of its game-data tests. A board
// added to the table needs a row here.
#include <gtest/gtest.h>

#include <string>

#include "boards/board.h"
#include "tests/common/golden.h"

namespace {

struct GoldenRun {
    const char* board;
    int frames;
    const char* goldenDir; // under tests/
    const char* golden;
};

constexpr GoldenRun Runs[] = {
    {"zarkolt", 200, "data_zarkolt/golden", "title"},
    {"superzar", 300, "data_zarkolt/golden", "super-title"},
    {"kluno", 220, "data_kluno/golden", "title"},
    {"ronku", 300, "ronku/golden", "board-attract"},
    {"dollix", 200, "data_dollix/golden", "board-attract"},
};

const GoldenRun* RunOf(const boards::BoardFace& face) {
    for (const GoldenRun& run : Runs)
        if (face.name == std::string(run.board)) return &run;
    return nullptr;
}

TEST(BoardTable, EveryBoardRunsToItsGoldenPicture) {
    ASSERT_FALSE(boards::BoardTable.empty());
    for (const boards::BoardFace* face : boards::BoardTable) {
        SCOPED_TRACE(face->name);
        EXPECT_EQ(boards::FindBoard(face->name), face);
        ASSERT_FALSE(face->images.empty());
        if (!face->buildEmbedded) continue; // built without its game data
        std::string error;
        const GoldenRun* run = RunOf(*face);
        ASSERT_NE(run, nullptr) << "no golden run for this board";
        ASSERT_TRUE(face->buildEmbedded(error)) << error;
        face->reset();
        static const boards::BoardFace* running;
        running = face;
        boards::FrameHooks hooks{};
        hooks.render = [] { running->render(false); };
        for (int frame = 0; frame < run->frames; frame++)
            face->runFrame(hooks);
        boards::Picture picture = face->picture(false);
        EXPECT_EQ(picture.width, face->pictureWidth);
        EXPECT_EQ(picture.height, face->pictureHeight);
        EXPECT_TRUE(golden::Matches(*face, std::string(TESTS_DIR) + "/" + run->goldenDir, run->golden));
    }
}

} // namespace
