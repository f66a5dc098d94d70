// The decisions of the game-settings dialog, apart from its window.
//
// The dialog edits a working copy of the ships (lives), bonus and difficulty
// indices and of the upright choice ("ModeX"); a list index is the stored
// value. OK takes the copy over: with no game option changed and no
// high-score reset it only saves; otherwise the switch bits follow the new
// options and the machine is reset with a notice, except in test mode, where
// the game reads the new switches as they are. These are the frame's
// decisions (frame/game_setting.h) over ZARKOLT's three options; the window
// is the frame's dialog over GameSettingForm.
#pragma once

#include <cstdint>

#include "boards/zarkolt/machine.h"
#include "frame/game_setting.h"
#include "frame/settings.h"
#include "programs/zarkolt/zarkolt_game.h"

namespace zarkolt_program {

using frame::GameSettings;

struct GameSettingWork {
    uint32_t lives, bonus, difficulty;
    uint32_t upright;     // check box 1042 ("ModeX")
    uint32_t scoresReset; // the high scores were reset while the dialog was open
};

inline constexpr const char* ShipChoices[4] = {"1", "2", "3", "5"};
inline constexpr const char* DifficultyChoices[4] = {"EASY", "NORMAL", "HARD", "VERY HARD"};
inline constexpr uint32_t FiveShips = 3; // the ships choice "5"

// The eight bonus-score choices of a ships choice.
const char* const* BonusChoices(uint32_t lives);

// Whether a change of the ships choice changes the bonus list's texts.
constexpr bool BonusListChanges(uint32_t from, uint32_t to) {
    return (from == FiveShips) != (to == FiveShips);
}

// The working copy as the dialog opens.
GameSettingWork GameSettingOpen(const GameSettings& settings);

// The defaults button: 3 ships, "NORMAL", bonus 0, not upright.
void GameSettingDefaults(GameSettingWork* work);

using frame::GameSettingOutcome;

// OK: "ModeX" := the upright choice, then saves or applies as above
// (ApplyDipSwitches for the new options).
GameSettingOutcome GameSettingTakeOver(const GameSettingWork& work, bool testMode);

// The switch settings of the settings in force.
inline zarkolt::DipSettings DipSettingsOf(const GameSettings& settings) {
    return {settings.options[Lives], settings.options[Bonus], settings.options[Difficulty]};
}

// Context-help number of a control of the dialog, 0 for any other.
uint32_t GameSettingHelpContext(int controlId);

// The dialog's lists for the frame's game-settings dialog.
extern const frame::GameSettingForm SettingsForm;

} // namespace zarkolt_program
