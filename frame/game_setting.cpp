// The decisions of the game-settings dialog.
#include "frame/game_setting.h"

#include "frame/frame_lock.h"

namespace frame {

GameSettingWork OpenGameSetting(const GameSettings& settings) {
    return {settings.options, settings.modeX, 0};
}

void DefaultGameSetting(GameSettingWork* work) {
    work->options = Game().configuration.defaults;
    work->upright = 0;
}

GameSettingOutcome TakeOverGameSetting(const GameSettingWork& work, bool testMode) {
    // The emulation thread reads the switches and "ModeX" in every frame.
    FrameMutexHold hold;
    Settings.modeX = work.upright;
    const int count = Game().configuration.optionCount;
    bool same = !work.scoresReset;
    for (int i = 0; i < count; i++)
        same = same && work.options[size_t(i)] == Settings.options[size_t(i)];
    if (same) {
        SaveSettings();
        return GameSettingOutcome::Saved;
    }
    for (int i = 0; i < count; i++)
        Settings.options[size_t(i)] = work.options[size_t(i)];
    Board().applySettings(OptionsOf(Settings));
    return testMode ? GameSettingOutcome::TestModeApply : GameSettingOutcome::ResetMachine;
}

} // namespace frame
