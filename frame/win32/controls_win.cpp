// The control-settings property sheet with its "KEYBOARD" and "JOYSTICK"
// pages. The decisions are in frame/control_pages.h; this file is the
// window side.
#include "frame/win32/controls.h"

#include <commctrl.h>
#include <cstddef>
#include <prsht.h>

#include "frame/control_pages.h"
#include "frame/dialog_ids.h"
#include "frame/joystick.h"
#include "frame/win32/dialogs_win.h"
#include "frame/win32/program_win.h"

namespace frame {

namespace {

// Each page's work copy, taken when the page is created.
ControlAssignment KeyboardWork;
JoystickPageWork JoystickWork;

constexpr const char* SheetTopic = "操作の設定";
constexpr const char* DefaultsQuestion = "操作の設定を標準の設定に戻します。\nよろしいですか?";

void SetResult(HWND page, LONG_PTR result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
}

void Changed(HWND page) {
    PropSheet_Changed(GetParent(page), page);
}

// The notifications both pages answer alike; fill and apply are the page's.
INT_PTR OnNotify(HWND page, LPARAM lParam, void (*fill)(HWND), bool (*apply)(), const char* duplicateText) {
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
        case PSN_SETACTIVE:
            fill(page);
            SetResult(page, 0);
            return TRUE;
        case PSN_KILLACTIVE: SetResult(page, FALSE); return TRUE;
        case PSN_APPLY:
            if (!apply()) {
                Notice(page, SheetTopic, duplicateText);
                SetResult(page, PSNRET_INVALID_NOCHANGEPAGE);
                return TRUE;
            }
            PropSheet_UnChanged(GetParent(page), page);
            SetResult(page, PSNRET_NOERROR);
            return TRUE;
        case PSN_RESET:
            PropSheet_UnChanged(GetParent(page), page);
            SetResult(page, 0);
            return TRUE;
        default: return FALSE;
    }
}

// The slot in [first, end) whose list has this id, or -1.
int SlotOfList(int id, int first, int end) {
    for (int slot = first; slot < end; slot++)
        if (Game().controls.listIds[size_t(slot)] == id) return slot;
    return -1;
}

// A list of the page changed its selection: slot := the selection.
void OnListChosen(HWND page, int id, uint32_t* slot) {
    int index = ListSelection(page, id);
    if (index < 0 || uint32_t(index) == *slot) return;
    *slot = uint32_t(index);
    Changed(page);
}

void FillKeyboardPage(HWND page) {
    FillKeyCombos(page, KeyboardWork);
}
bool ApplyKeyboard() {
    return ApplyKeyboardPage(KeyboardWork);
}

void FillJoystickPage(HWND page) {
    FillJoystickCombos(page, JoystickWork.controls, JoystickWork.use, JoystickWork.exchange);
    EnableWindow(GetDlgItem(page, IDC_CALIBRATE), IsJoystickPresent());
}
bool ApplyJoystick() {
    return ApplyJoystickPage(JoystickWork);
}

void Calibrate(HWND page) {
    HMODULE applet = LoadLibraryA("joy.cpl");
    if (applet && IsJoystickPresent()) {
        using ShowJoyCpl = void(WINAPI*)(HWND);
        if (FARPROC entry = GetProcAddress(applet, "ShowJoyCPL"))
            reinterpret_cast<ShowJoyCpl>(reinterpret_cast<void*>(entry))(nullptr);
        FreeLibrary(applet);
        return;
    }
    if (applet) FreeLibrary(applet);
    Notice(page, "ジョイスティックの調整",
           "ジョイスティックからの応答がありません。\n"
           "ジョイスティックが正しく接続されていないか、またはドライバがインストールされていません。\n"
           "設定を確認してください。");
}

} // namespace

void FillKeyCombos(HWND page, const ControlAssignment& work) {
    const ControlLayout& controls = Game().controls;
    for (int slot = 0; slot < controls.keyboardSlotCount; slot++)
        FillList(
            page, controls.listIds[size_t(slot)], KeyboardRowCount,
            [](int row) { return KeyNames[row].name; }, work[size_t(slot)]);
}

void FillJoystickCombos(HWND page, const ControlAssignment& work, uint32_t use, uint32_t exchange) {
    const ControlLayout& controls = Game().controls;
    for (int slot = controls.keyboardSlotCount; slot < controls.slotCount; slot++)
        FillList(
            page, controls.listIds[size_t(slot)], ButtonCount,
            [](int button) { return KeyNames[FirstButtonRow + button].name; }, work[size_t(slot)]);
    SetChecked(page, IDC_USE_JOYSTICK, use);
    SetChecked(page, IDC_EXCHANGE_AXES, exchange);
}

INT_PTR CALLBACK KeyboardPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: KeyboardWork = Settings.controls; return TRUE;
        case WM_NOTIFY:
            return OnNotify(page, lParam, FillKeyboardPage, ApplyKeyboard,
                            "同じｷｰに複数の機能が割り当てられています。\nｷｰの設定を変更してください。");
        case WM_COMMAND: {
            int id = LOWORD(wParam), code = HIWORD(wParam);
            if (id == IDC_DEFAULTS && code == BN_CLICKED) {
                if (!AskYesNo(page, SheetTopic, DefaultsQuestion)) return TRUE;
                KeyboardPageDefaults(&KeyboardWork);
                FillKeyCombos(page, KeyboardWork);
                Changed(page);
                return TRUE;
            }
            int slot = SlotOfList(id, 0, Game().controls.keyboardSlotCount);
            if (slot < 0 || code != CBN_SELENDOK) return FALSE;
            OnListChosen(page, id, &KeyboardWork[size_t(slot)]);
            return TRUE;
        }
        case WM_HELP: ShowContextHelp(page, lParam, KeyboardHelpContext); return TRUE;
        default: return FALSE;
    }
}

INT_PTR CALLBACK JoystickPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            JoystickWork = {Settings.controls, Settings.joystickUse, Settings.joyAxisExchange};
            return TRUE;
        case WM_NOTIFY:
            return OnNotify(page, lParam, FillJoystickPage, ApplyJoystick,
                            "同じﾎﾞﾀﾝに複数の機能が割り当てられています。\nﾎﾞﾀﾝの設定を変更してください。");
        case WM_COMMAND: {
            int id = LOWORD(wParam), code = HIWORD(wParam);
            switch (id) {
                case IDC_USE_JOYSTICK:
                    JoystickWork.use = IsChecked(page, id);
                    Changed(page);
                    return TRUE;
                case IDC_EXCHANGE_AXES:
                    JoystickWork.exchange = IsChecked(page, id);
                    Changed(page);
                    return TRUE;
                case IDC_CALIBRATE: Calibrate(page); return TRUE;
                case IDC_DEFAULTS:
                    if (!AskYesNo(page, SheetTopic, DefaultsQuestion)) return TRUE;
                    JoystickPageDefaults(&JoystickWork);
                    FillJoystickCombos(page, JoystickWork.controls, JoystickWork.use, JoystickWork.exchange);
                    Changed(page);
                    return TRUE;
                default: {
                    const ControlLayout& controls = Game().controls;
                    int slot = SlotOfList(id, controls.keyboardSlotCount, controls.slotCount);
                    if (slot < 0) return FALSE;
                    if (code == CBN_SELENDOK) OnListChosen(page, id, &JoystickWork.controls[size_t(slot)]);
                    return TRUE;
                }
            }
        }
        case WM_HELP: ShowContextHelp(page, lParam, JoystickHelpContext); return TRUE;
        default: return FALSE;
    }
}

#ifndef _WIN64
static_assert(sizeof(PROPSHEETPAGEA_V1) == 40 &&
              offsetof(PROPSHEETHEADERA, pfnCallback) + sizeof(PFNPROPSHEETCALLBACK) == 40);
#endif

void ShowControlSettings(HWND owner) {
    // The records of the first layout (40 bytes on 32-bit Windows); the
    // sheet steps through the array by each record's size.
    PROPSHEETPAGEA_V1 pages[2] = {};
    const char* templates[2] = {"KEYBOARD", "JOYSTICK"};
    const char* titles[2] = {"ｷｰﾎﾞｰﾄﾞ", "ｼﾞｮｲｽﾃｨｯｸ"};
    DLGPROC procs[2] = {KeyboardPageProc, JoystickPageProc};
    for (int i = 0; i < 2; i++) {
        pages[i].dwSize = sizeof(PROPSHEETPAGEA_V1);
        pages[i].dwFlags = PSP_USETITLE;
        pages[i].hInstance = Program.instance;
        pages[i].pszTemplate = templates[i];
        pages[i].pfnDlgProc = procs[i];
        pages[i].pszTitle = titles[i];
    }
    std::string caption = DialogCaption(SheetTopic);
    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = owner;
    header.hInstance = Program.instance;
    header.pszCaption = caption.c_str();
    header.nPages = 2;
    header.nStartPage = 0;
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(pages);
    PropertySheetA(&header);
}

} // namespace frame
