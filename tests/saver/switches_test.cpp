// The screen-saver command line.
#include <gtest/gtest.h>

#include "saver/library/switches.h"

namespace {

using saver::SaverMode;

TEST(SaverSwitches, EveryFormWindowsUses) {
    struct Case {
        const char* line;
        SaverMode mode;
        uintptr_t window;
    };
    const Case cases[] = {
        {"/s", SaverMode::Run, 0},
        {"-S", SaverMode::Run, 0},
        {"  /s  ", SaverMode::Run, 0},
        {"/c", SaverMode::Configure, 0},
        {"/c:1234", SaverMode::Configure, 1234},
        {"-C 99", SaverMode::Configure, 99},
        {"", SaverMode::Configure, 0},
        {nullptr, SaverMode::Configure, 0},
        {"/p 1234", SaverMode::Preview, 1234},
        {"/P:5678", SaverMode::Preview, 5678},
        {"/l 42", SaverMode::Preview, 42},
        {"/p", SaverMode::Preview, 0},
        {"/a 1234", SaverMode::ChangePassword, 1234},
        {"-A", SaverMode::ChangePassword, 0},
        // Garbage is no switch: the configure box.
        {"/x", SaverMode::Configure, 0},
        {"/sx", SaverMode::Configure, 0},
        {"s", SaverMode::Configure, 0},
        {"/", SaverMode::Configure, 0},
        {"/p abc", SaverMode::Preview, 0},
        {"/p 99999999999999999999999", SaverMode::Preview, 0},
    };
    for (const Case& c : cases) {
        saver::SaverSwitch got = saver::ParseSaverSwitch(c.line);
        EXPECT_EQ(got.mode, c.mode) << (c.line ? c.line : "(null)");
        EXPECT_EQ(got.window, c.window) << (c.line ? c.line : "(null)");
    }
}

} // namespace
