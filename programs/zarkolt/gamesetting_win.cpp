// The game-settings dialog "GAME_SETTING". The decisions are in
// game_options.h; this file is the window side.
#include "programs/zarkolt/gamesetting.h"

#include "frame/dialog_ids.h"
#include "frame/frame_lock.h"
#include "frame/highscore.h"
#include "frame/win32/dialogs_win.h"
#include "frame/win32/program_win.h"
#include "programs/zarkolt/game_options.h"

namespace zarkolt_program {

using namespace frame;

namespace {

GameSettingWork Work; // reset at each opening

void FillBonus(HWND dialog) {
    const char* const* texts = BonusChoices(Work.lives);
    FillList(
        dialog, IDC_BONUS, 8, [texts](int i) { return texts[i]; }, Work.bonus);
}

// Shows the working values in the controls.
void ShowWork(HWND dialog) {
    FillList(
        dialog, IDC_SHIPS, 4, [](int i) { return ShipChoices[i]; }, Work.lives);
    FillBonus(dialog);
    FillList(
        dialog, IDC_DIFFICULTY, 4, [](int i) { return DifficultyChoices[i]; }, Work.difficulty);
    SetChecked(dialog, IDC_UPRIGHT, Work.upright);
}

void OnShips(HWND dialog) {
    int index = ListSelection(dialog, IDC_SHIPS);
    if (index < 0) return;
    uint32_t lives = uint32_t(index);
    bool refill = BonusListChanges(Work.lives, lives);
    Work.lives = lives;
    if (refill) FillBonus(dialog);
}

void OnResetScores(HWND dialog) {
    if (!AskYesNo(dialog, "ﾊｲｽｺｱのﾘｾｯﾄ", "ｹﾞｰﾑのﾊｲｽｺｱをﾘｾｯﾄします。よろしいですか?")) return;
    {
        FrameMutexHold hold;
        DefaultHighScores();
    }
    Work.scoresReset = 1;
}

void OnOk(HWND dialog) {
    bool testMode = Board().testMode && Board().testMode();
    if (GameSettingTakeOver(Work, testMode) == GameSettingOutcome::ResetMachine) ResetForNewSettings(true);
    EndDialog(dialog, 1);
}

void OnDefaults(HWND dialog) {
    if (!AskYesNo(dialog, "ｹﾞｰﾑの設定を標準に戻す", "ｹﾞｰﾑの設定を標準の設定に戻します。\nよろしいですか?"))
        return;
    GameSettingDefaults(&Work);
    ShowWork(dialog);
}

} // namespace

INT_PTR CALLBACK GameSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowTextA(dialog, DialogCaption("ｹﾞｰﾑの設定").c_str());
            Work = GameSettingOpen(Settings);
            ShowWork(dialog);
            EnableWindow(GetDlgItem(dialog, IDC_UPRIGHT),
                         Program.display.fullScreenCapable && Program.display.modeXCapable);
            return TRUE;
        case WM_COMMAND: {
            int id = LOWORD(wParam), code = HIWORD(wParam);
            switch (id) {
                case IDC_SHIPS:
                    if (code == CBN_SELCHANGE) OnShips(dialog);
                    break;
                case IDC_DIFFICULTY:
                    if (code == CBN_SELCHANGE && ListSelection(dialog, id) >= 0)
                        Work.difficulty = uint32_t(ListSelection(dialog, id));
                    break;
                case IDC_BONUS:
                    if (code == CBN_SELENDOK && ListSelection(dialog, id) >= 0)
                        Work.bonus = uint32_t(ListSelection(dialog, id));
                    break;
                case IDC_UPRIGHT:
                    if (code == BN_CLICKED) Work.upright = IsChecked(dialog, id);
                    break;
                case IDC_RESET_SCORES:
                    if (code == BN_CLICKED) OnResetScores(dialog);
                    break;
                case IDOK:
                    if (code == BN_CLICKED) OnOk(dialog);
                    break;
                case IDCANCEL:
                    if (code == BN_CLICKED) EndDialog(dialog, 1);
                    break;
                case IDC_DEFAULTS_GAME:
                    if (code == BN_CLICKED) OnDefaults(dialog);
                    break;
                default: return FALSE;
            }
            return TRUE;
        }
        case WM_HELP: ShowContextHelp(dialog, lParam, GameSettingHelpContext); return TRUE;
        default: return FALSE;
    }
}

void ShowGameSettings(void* owner) {
    DialogBoxParamA(Program.instance, "GAME_SETTING", static_cast<HWND>(owner), GameSettingDlgProc, 0);
}

} // namespace zarkolt_program
