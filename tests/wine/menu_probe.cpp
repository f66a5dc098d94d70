// A message hook that the settings driver places on the game's window thread:
// loaded into the game's own process, it answers the state of one of the game
// window's menu items (menus can be read only by the process that owns them).
// The driver posts the message "VeltoMenuProbe" with the item's id in wParam;
// the answer is the window property "VeltoMenuState": the state that
// GetMenuState gives, or 0xFFFF for no such item, plus 0x10000.
#include <windows.h>

#include <cstdint>

extern "C" __declspec(dllexport) LRESULT CALLBACK MenuProbe(int code, WPARAM removed, LPARAM data) {
    static const UINT probe = RegisterWindowMessageA("VeltoMenuProbe");
    MSG* message = reinterpret_cast<MSG*>(data);
    if (code == HC_ACTION && message->message == probe && message->hwnd) {
        UINT state = GetMenuState(GetMenu(message->hwnd), UINT(message->wParam), MF_BYCOMMAND);
        SetPropA(message->hwnd, "VeltoMenuState",
                 reinterpret_cast<HANDLE>(uintptr_t(0x10000 | (state & 0xFFFF))));
        message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, removed, data);
}
