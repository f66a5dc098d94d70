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

const char* const* BonusTexts(const uint32_t* options) {
    return BonusChoices(options[Lives]);
}

GameSettingWork FromFrame(const frame::GameSettingWork& work) {
    return {work.options[Lives], work.options[Bonus], work.options[Difficulty], work.upright,
            work.scoresReset};
}

frame::GameSettingWork ToFrame(const GameSettingWork& work) {
    frame::GameSettingWork common = frame::OpenGameSetting(Settings);
    common.options[Lives] = work.lives;
    common.options[Bonus] = work.bonus;
    common.options[Difficulty] = work.difficulty;
    common.upright = work.upright;
    common.scoresReset = work.scoresReset;
    return common;
}

} // namespace

const frame::GameSettingForm SettingsForm = {
    .lists = {{
        {IDC_SHIPS, Lives, 4, ShipChoices, false, nullptr},
        {IDC_BONUS, Bonus, 8, nullptr, true, BonusTexts},
        {IDC_DIFFICULTY, Difficulty, 4, DifficultyChoices, false, nullptr},
    }},
    .listCount = 3,
    .checks = {},
    .checkCount = 0,
    .help = GameSettingHelp,
};

const char* const* BonusChoices(uint32_t lives) {
    return lives == FiveShips ? BonusFiveShips : BonusFewShips;
}

GameSettingWork GameSettingOpen(const GameSettings& settings) {
    return FromFrame(frame::OpenGameSetting(settings));
}

void GameSettingDefaults(GameSettingWork* work) {
    frame::GameSettingWork common = ToFrame(*work);
    frame::DefaultGameSetting(&common);
    *work = FromFrame(common);
}

GameSettingOutcome GameSettingTakeOver(const GameSettingWork& work, bool testMode) {
    return frame::TakeOverGameSetting(ToFrame(work), testMode);
}

uint32_t GameSettingHelpContext(int controlId) {
    return frame::HelpContextOf(GameSettingHelp, controlId);
}

} // namespace zarkolt_program
