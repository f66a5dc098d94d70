// The decisions of the game-settings dialog.
#include "programs/zarkolt/game_options.h"

#include "frame/dialog_ids.h"
#include "frame/game.h"
#include "frame/help_context.h"

namespace zarkolt_program {

using frame::HelpEntry;
using frame::Settings;

namespace {

constexpr const char* BonusFewShips[8] = {
    "1st 20,000 & Every 60,000", "1st 10,000 & Every 40,000",
    "1st 10,000 & Every 50,000", "1st 20,000 & Every 50,000",
    "1st 20,000 & Every 60,000", "1st 20,000 & Every 80,000",
    "1st 20,000 & 2nd 60,000",   "Nothing",
};

constexpr const char* BonusFiveShips[8] = {
    "1st 20,000 & every 70,000", "1st 10,000 & every 50,000",
    "1st 20,000 & every 50,000", "1st 20,000 & every 60,000",
    "1st 20,000 & every 80,000", "1st 30,000 & every 100,000",
    "1st 20,000 & 2nd 80,000",   "Nothing",
};

constexpr HelpEntry GameSettingHelp[] = {
    {IDC_SHIPS, 0x10011},   {IDC_DIFFICULTY, 0x1000D},    {IDC_BONUS, 0x1000A},
    {IDC_UPRIGHT, 0x1000B}, {IDC_RESET_SCORES, 0x1000F},  {1, 0x1000C},
    {2, 0x10008},           {IDC_DEFAULTS_GAME, 0x1000E},
};

} // namespace

const char* const* BonusChoices(uint32_t lives) {
    return lives == FiveShips ? BonusFiveShips : BonusFewShips;
}

GameSettingWork GameSettingOpen(const GameSettings& settings) {
    return {settings.options[Lives], settings.options[Bonus], settings.options[Difficulty], settings.modeX,
            0};
}

void GameSettingDefaults(GameSettingWork* work) {
    GameSettings defaults = frame::DefaultSettings();
    work->lives = defaults.options[Lives];
    work->difficulty = defaults.options[Difficulty];
    work->bonus = defaults.options[Bonus];
    work->upright = 0;
}

GameSettingOutcome GameSettingTakeOver(const GameSettingWork& work, bool testMode) {
    Settings.modeX = work.upright;
    std::array<uint32_t, frame::MaxOptions>& options = Settings.options;
    if (work.lives == options[Lives] && work.difficulty == options[Difficulty] &&
        work.bonus == options[Bonus] && !work.scoresReset) {
        frame::SaveSettings();
        return GameSettingOutcome::Saved;
    }
    options[Lives] = work.lives;
    options[Difficulty] = work.difficulty;
    options[Bonus] = work.bonus;
    frame::Board().applySettings(frame::OptionsOf(Settings));
    return testMode ? GameSettingOutcome::TestModeApply : GameSettingOutcome::ResetMachine;
}

uint32_t GameSettingHelpContext(int controlId) {
    return frame::HelpContextOf(GameSettingHelp, controlId);
}

} // namespace zarkolt_program
