// The frame's game-settings dialog "GAME_SETTING" over the description's
// form. The decisions are in frame/game_setting.h; this file is the window
// side.
#include "frame/dialog_ids.h"
#include "frame/frame_lock.h"
#include "frame/game_setting.h"
#include "frame/highscore.h"
#include "frame/win32/dialogs_win.h"
#include "frame/win32/program_win.h"

namespace frame {

namespace {

GameSettingWork Work; // reset at each opening

const GameSettingForm& Form() {
    return *Game().gameSettingForm;
}

const char* const* TextsOf(const OptionList& list) {
    return list.textsOf ? list.textsOf(Work.options.data()) : list.texts;
}

void FillOptionList(HWND dialog, const OptionList& list) {
    const char* const* texts = TextsOf(list);
    FillList(
        dialog, list.controlId, list.count, [texts](int n) { return texts[n]; },
        Work.options[size_t(list.option)]);
}

// Shows the working values in the controls.
void ShowWork(HWND dialog) {
    const GameSettingForm& form = Form();
    for (int i = 0; i < form.listCount; i++)
        FillOptionList(dialog, form.lists[size_t(i)]);
    for (int i = 0; i < form.checkCount; i++) {
        const OptionCheck& check = form.checks[size_t(i)];
        SetChecked(dialog, check.controlId, Work.options[size_t(check.option)]);
    }
    SetChecked(dialog, IDC_UPRIGHT, Work.upright);
}

// A list or check box of the form: its new value into the working copy.
bool OnOption(HWND dialog, int id, int code) {
    const GameSettingForm& form = Form();
    for (int i = 0; i < form.listCount; i++) {
        const OptionList& list = form.lists[size_t(i)];
        if (list.controlId != id) continue;
        int index = ListSelection(dialog, id);
        if (code != (list.takenOnSelEndOk ? CBN_SELENDOK : CBN_SELCHANGE) || index < 0) return true;
        std::array<const char* const*, MaxOptions> before{};
        for (int other = 0; other < form.listCount; other++)
            before[size_t(other)] = TextsOf(form.lists[size_t(other)]);
        Work.options[size_t(list.option)] = uint32_t(index);
        // Lists whose texts follow this choice are filled again.
        for (int other = 0; other < form.listCount; other++)
            if (TextsOf(form.lists[size_t(other)]) != before[size_t(other)])
                FillOptionList(dialog, form.lists[size_t(other)]);
        return true;
    }
    for (int i = 0; i < form.checkCount; i++) {
        const OptionCheck& check = form.checks[size_t(i)];
        if (check.controlId != id) continue;
        if (code == BN_CLICKED) Work.options[size_t(check.option)] = IsChecked(dialog, id);
        return true;
    }
    return false;
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
    if (TakeOverGameSetting(Work, testMode) == GameSettingOutcome::ResetMachine) ResetForNewSettings(true);
    EndDialog(dialog, 1);
}

void OnDefaults(HWND dialog) {
    if (!AskYesNo(dialog, "ｹﾞｰﾑの設定を標準に戻す", "ｹﾞｰﾑの設定を標準の設定に戻します。\nよろしいですか?"))
        return;
    DefaultGameSetting(&Work);
    ShowWork(dialog);
}

uint32_t HelpContext(int controlId) {
    return HelpContextOf(Form().help, controlId);
}

INT_PTR CALLBACK GameSettingFormProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowTextA(dialog, DialogCaption("ｹﾞｰﾑの設定").c_str());
            Work = OpenGameSetting(Settings);
            ShowWork(dialog);
            EnableWindow(GetDlgItem(dialog, IDC_UPRIGHT),
                         Program.display.fullScreenCapable && Program.display.modeXCapable);
            return TRUE;
        case WM_COMMAND: {
            int id = LOWORD(wParam), code = HIWORD(wParam);
            if (OnOption(dialog, id, code)) return TRUE;
            if (code != BN_CLICKED) return FALSE;
            if (id == (Form().resetScoresId ? Form().resetScoresId : IDC_RESET_SCORES)) {
                OnResetScores(dialog);
                return TRUE;
            }
            switch (id) {
                case IDC_UPRIGHT: Work.upright = IsChecked(dialog, id); break;
                case IDOK: OnOk(dialog); break;
                case IDCANCEL: EndDialog(dialog, 1); break;
                case IDC_DEFAULTS_GAME: OnDefaults(dialog); break;
                default: return FALSE;
            }
            return TRUE;
        }
        case WM_HELP: ShowContextHelp(dialog, lParam, HelpContext); return TRUE;
        default: return FALSE;
    }
}

} // namespace

void ShowGameSettingForm(void* owner) {
    DialogBoxParamA(Program.instance, "GAME_SETTING", static_cast<HWND>(owner), GameSettingFormProc, 0);
}

} // namespace frame
