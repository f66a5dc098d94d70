// Small pieces shared by the settings dialogs: message boxes captioned with
// the game's title, drop-down lists filled in table order, help pop-ups.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "frame/settings.h"

namespace frame {

// "ZARKOLT: topic".
inline std::string DialogCaption(const char* topic) {
    return std::string(SettingsTitle()) + ": " + topic;
}

// A Yes/No question with the question icon; true on Yes.
inline bool AskYesNo(HWND owner, const char* topic, const char* text) {
    return MessageBoxA(owner, text, DialogCaption(topic).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// A notice with the OK button and the exclamation icon.
inline void Notice(HWND owner, const char* topic, const char* text) {
    MessageBoxA(owner, text, DialogCaption(topic).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

// Empties a drop-down list and appends the texts in order (never sorted, so
// that an index is the stored value even in a list of sorted style), then
// selects one.
template <typename TextOf> void FillList(HWND dialog, int id, int count, TextOf textOf, uint32_t selected) {
    HWND list = GetDlgItem(dialog, id);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; i++)
        SendMessageA(list, CB_INSERTSTRING, WPARAM(-1), LPARAM(textOf(i)));
    SendMessageA(list, CB_SETCURSEL, WPARAM(selected), 0);
}

// The selected index of a list, or -1 when none is selected.
inline int ListSelection(HWND dialog, int id) {
    LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : int(index);
}

inline uint32_t IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

inline void SetChecked(HWND dialog, int id, uint32_t on) {
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

// The context-help pop-up of the control a WM_HELP names, owned by the
// dialog or page that received it.
void ShowContextHelp(HWND owner, LPARAM helpInfo, uint32_t (*contextOf)(int controlId));

} // namespace frame
