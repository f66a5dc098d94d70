// Golden pictures for the game-data tests: a board's picture, taken through
// its face, compared pen for pen with a grey PNG (tools/png/png_file.h).
//
//   EXPECT_TRUE(golden::Matches(face, GOLDEN_DIR, "title"));
//
// On a difference the result names the first differing pixel and writes the
// picture in its colours to "<name>-actual.png" in the working directory.
// With VELTO_UPDATE_GOLDEN set in the environment the golden picture is
// rewritten instead (and the check passes).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "boards/board.h"

namespace golden {

::testing::AssertionResult Matches(const boards::BoardFace& face, const std::string& dir,
                                   const std::string& name, bool turned = false);

} // namespace golden
