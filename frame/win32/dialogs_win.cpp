// Help pop-ups of the settings dialogs.
#include "frame/win32/dialogs_win.h"

#include "frame/win32/program_win.h"

namespace frame {

void ShowContextHelp(HWND owner, LPARAM helpInfo, uint32_t (*contextOf)(int controlId)) {
    const HELPINFO* info = reinterpret_cast<const HELPINFO*>(helpInfo);
    // Through the frame's help thread: a help program that stops to ask
    // cannot block the dialog.
    ShowHelp(owner, HELP_CONTEXTPOPUP, contextOf(info->iCtrlId));
}

} // namespace frame
