// The game-settings dialog "GAME_SETTING" of a game whose description gives
// its form (frame/game.h): drop-down lists and check boxes over the game's
// options, the upright check box ("ModeX"), the high-score reset and the
// defaults button. This part holds the decisions; the window side is in
// win32/gamesetting_win.cpp.
//
// The dialog edits a working copy of the options and of the upright choice;
// a list index or a check is the stored value. OK takes the copy over: with
// no option changed and no high-score reset it only saves; otherwise the
// switch bits follow the new options and the machine is reset with a notice,
// except in test mode, where the game reads the new switches as they are.
#pragma once

#include <array>
#include <cstdint>

#include "frame/game.h"
#include "frame/settings.h"

namespace frame {

struct GameSettingWork {
    std::array<uint32_t, MaxOptions> options;
    uint32_t upright;     // the upright check box ("ModeX")
    uint32_t scoresReset; // the high scores were reset while the dialog was open
};

GameSettingWork OpenGameSetting(const GameSettings& settings);

// The defaults button: the game's default options, not upright.
void DefaultGameSetting(GameSettingWork* work);

enum class GameSettingOutcome {
    Saved,         // nothing to apply: the settings were saved
    ResetMachine,  // options applied: notice, then the machine reset (which saves)
    TestModeApply, // options applied in test mode: no notice, no reset
};

// OK: "ModeX" := the upright choice, then saves or applies as above, all
// under the frame mutex.
GameSettingOutcome TakeOverGameSetting(const GameSettingWork& work, bool testMode);

} // namespace frame
