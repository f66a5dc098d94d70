// Drives the game program's window and its settings dialogs from outside,
// for the Wine tests: one command per run, texts in and out as UTF-8; or
// every command of a test from one run (each start of Wine costs time):
//
//   settings_driver serve DIR                 takes each command from the file DIR\request
//                                             (the desktop's name or an empty line, then the
//                                             command's words, a line each), deletes it, and
//                                             answers with DIR\answer (what the command
//                                             prints), then DIR\status (its exit status);
//                                             the command "quit" ends it
//   settings_driver window                    waits for the game window to show
//   settings_driver close                     posts WM_CLOSE to it
//   settings_driver closed                    waits until the game window is gone
//   settings_driver command ID                posts WM_COMMAND ID to it
//   settings_driver key VK [down|up]          posts a key press and release (or only one of them)
//   settings_driver client                    prints the client area's size
//   settings_driver value KEY NAME            prints a value under HKCU\KEY as reg shows it
//                                             (binary data in hex); fails when there is none
//   settings_driver fullscreen                prints 1 when the window has no menu and no caption
//   settings_driver menu ID                   prints 1 when the menu item is enabled, 0 when greyed
//   settings_driver wait WIN                  waits for a dialog
//   settings_driver gone WIN                  waits until it is gone
//   settings_driver text WIN                  prints a message box's text
//   settings_driver select WIN ID INDEX NOTE  selects a list entry (NOTE change or endok)
//   settings_driver item WIN ID INDEX         prints a list entry's text
//   settings_driver selected WIN ID           prints the selected index of a list
//   settings_driver check WIN ID 0|1          sets a check box and tells its dialog
//   settings_driver click WIN ID              clicks a button
//   settings_driver enabled WIN ID            prints 1 or 0
//   settings_driver page WIN INDEX            shows a page of a property sheet
//   settings_driver fits WIN TEMPLATE         prints every text of the window's visible
//                                             labels, buttons and boxes that does not fit
//                                             its control, measured in the font of the
//                                             game's dialog template TEMPLATE
// WIN is a caption, optionally followed by "@ID": the window must hold a
// control of that id (a message box's text is id 65535). With VELTO_DESKTOP
// set, the driver works in that desktop (the game in a virtual desktop).
#include <windows.h>

#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    out.resize(size_t(size > 0 ? size - 1 : 0));
    return out;
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

// A control of the window or of one of its child dialogs (property pages).
HWND FindControl(HWND window, int id) {
    if (HWND control = GetDlgItem(window, id)) return control;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (HWND control = FindControl(child, id)) return control;
    }
    return nullptr;
}

// The game window by its class: VELTO_GAME_CLASS, or "ZARKOLT".
HWND GameWindow() {
    const char* name = std::getenv("VELTO_GAME_CLASS");
    return FindWindowA(name && *name ? name : "ZARKOLT", nullptr);
}

struct Search {
    DWORD process;
    std::wstring caption;
    int needs;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    Search& search = *reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window) || WindowText(window) != search.caption)
        return TRUE;
    if (search.needs >= 0 && !FindControl(window, search.needs)) return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindDialog(const std::wstring& which) {
    HWND game = GameWindow();
    if (!game) return nullptr;
    Search search = {0, which, -1, nullptr};
    size_t at = which.rfind(L'@');
    if (at != std::wstring::npos) {
        search.caption = which.substr(0, at);
        search.needs = _wtoi(which.c_str() + at + 1);
    }
    GetWindowThreadProcessId(game, &search.process);
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits up to the given seconds for a condition (120 s unless said: ten times
// what a quick machine needs, for a loaded one or Wine under an emulator).
template <typename Condition> bool WaitFor(Condition condition, DWORD seconds = 120) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > seconds * 1000) return false;
        Sleep(50);
    }
    return true;
}

// The font a dialog template asks for (DIALOG or DIALOGEX with a font), made
// the way the dialog manager makes it; nullptr if the template has none.
HFONT TemplateFont(HWND game, const wchar_t* name) {
    DWORD process = 0;
    GetWindowThreadProcessId(game, &process);
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    wchar_t path[MAX_PATH];
    DWORD size = MAX_PATH;
    bool named = handle && QueryFullProcessImageNameW(handle, 0, path, &size);
    if (handle) CloseHandle(handle);
    HMODULE module = named ? LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE) : nullptr;
    HRSRC resource = module ? FindResourceW(module, name, MAKEINTRESOURCEW(5)) : nullptr; // RT_DIALOG
    const WORD* p =
        resource ? static_cast<const WORD*>(LockResource(LoadResource(module, resource))) : nullptr;
    if (!p) return nullptr;
    bool extended = p[0] == 1 && p[1] == 0xFFFF;
    DWORD style = extended ? MAKELONG(p[6], p[7]) : MAKELONG(p[0], p[1]);
    p += extended ? 13 : 9;
    auto skip = [&p] { // a name or an ordinal
        if (*p == 0xFFFF)
            p += 2;
        else
            p += std::wcslen(reinterpret_cast<const wchar_t*>(p)) + 1;
    };
    skip();                                                    // menu
    skip();                                                    // class
    p += std::wcslen(reinterpret_cast<const wchar_t*>(p)) + 1; // caption
    if (!(style & DS_SETFONT)) return nullptr;
    int points = p[0], weight = extended ? p[1] : FW_DONTCARE;
    BYTE italic = extended ? LOBYTE(p[2]) : 0, charset = extended ? HIBYTE(p[2]) : DEFAULT_CHARSET;
    const wchar_t* face = reinterpret_cast<const wchar_t*>(p + (extended ? 3 : 1));
    HDC screen = GetDC(nullptr);
    int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, weight, italic, 0, 0, charset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

struct Fit {
    HDC dc;
    int measured;
};

// Measures one control's text against its client rectangle: labels wrap
// within their width, buttons and boxes hold one line beside their frame or
// check mark.
BOOL CALLBACK MeasureText(HWND control, LPARAM data) {
    Fit& fit = *reinterpret_cast<Fit*>(data);
    std::wstring text = WindowText(control);
    wchar_t kind[32] = {};
    GetClassNameW(control, kind, 32);
    if (text.empty() || !IsWindowVisible(control)) return TRUE;
    LONG style = GetWindowLongW(control, GWL_STYLE);
    RECT client, need = {0, 0, 0, 0};
    GetClientRect(control, &client);
    LONG room = client.right, height = client.bottom;
    UINT format = DT_CALCRECT | DT_SINGLELINE;
    if (!_wcsicmp(kind, L"Static")) {
        LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
            type != SS_SIMPLE)
            return TRUE;
        if (type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE) {
            format = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
            need.right = room;
        }
        if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    } else if (!_wcsicmp(kind, L"Button")) {
        switch (style & BS_TYPEMASK) {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON: room -= 2 * 3; break; // the raised edge and the focus frame
            case BS_GROUPBOX: room -= 2 * 8; break;      // the title sits in the frame line
            default: room -= GetSystemMetrics(SM_CXMENUCHECK) + 4; break; // check box or radio button
        }
    } else {
        return TRUE;
    }
    DrawTextW(fit.dc, text.c_str(), -1, &need, format);
    fit.measured++;
    if (need.right > room || need.bottom > height) {
        std::printf("%d \"%s\": %ld x %ld in %ld x %ld\n", GetDlgCtrlID(control), Utf8(text).c_str(),
                    need.right, need.bottom, room, height);
    }
    return TRUE;
}

// The state of a menu item of the game window, read in the game's process by
// the hook of menu_probe.dll (beside this program); 0xFFFF when there is no
// such item or no answer.
UINT MenuState(HWND game, UINT id) {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dll(path, length);
    dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"menu_probe.dll";
    HMODULE probe = LoadLibraryW(dll.c_str());
    // GetProcAddress gives every export one type; the hook's own is HOOKPROC.
    auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(probe ? GetProcAddress(probe, "MenuProbe") : nullptr));
    HHOOK hook = proc ? SetWindowsHookExW(WH_GETMESSAGE, proc, probe, GetWindowThreadProcessId(game, nullptr))
                      : nullptr;
    if (!hook) return 0xFFFF;
    RemovePropA(game, "VeltoMenuState");
    PostMessageA(game, RegisterWindowMessageA("VeltoMenuProbe"), id, 0);
    uintptr_t answer = 0;
    WaitFor([&] { return (answer = reinterpret_cast<uintptr_t>(GetPropA(game, "VeltoMenuState"))) != 0; });
    UnhookWindowsHookEx(hook);
    return answer ? UINT(answer & 0xFFFF) : 0xFFFF;
}

int Fail(const char* what) {
    std::fprintf(stderr, "settings_driver: %s\n", what);
    return 1;
}

// A registry value of the current user as reg shows it: texts as they are,
// binary data as upper-case hex digits, numbers as 0x and hex digits.
int PrintValue(const std::wstring& key, const std::wstring& name) {
    HKEY opened;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return Fail("no such key");
    DWORD type = 0, size = 0;
    std::vector<BYTE> data;
    LONG status = RegQueryValueExW(opened, name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        data.resize(size + sizeof(wchar_t));
        status = RegQueryValueExW(opened, name.c_str(), nullptr, &type, data.data(), &size);
    }
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS) return Fail("no such value");
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::printf("%s\n", Utf8(reinterpret_cast<const wchar_t*>(data.data())).c_str());
    } else if (type == REG_DWORD) {
        DWORD number = 0;
        std::memcpy(&number, data.data(), sizeof number);
        std::printf("0x%lx\n", static_cast<unsigned long>(number));
    } else {
        for (DWORD i = 0; i < size; i++)
            std::printf("%02X", data[i]);
        std::printf("\n");
    }
    return 0;
}

// Works in the named desktop (none: the default one) from this thread on. A
// registry value and "quit" need none. A game that has ended may have taken
// its desktop along: then "closed" has nothing to wait for, and must make no
// window call (on the default desktop that starts Wine's desktop process for
// the X screen itself, which rewrites the display modes that the next game's
// desktop offers).
enum class Desktop { Taken, Gone, Missing };
Desktop UseDesktop(const std::string& name, const std::vector<std::wstring>& argv) {
    std::wstring command = argv.size() > 1 ? argv[1] : std::wstring();
    if (name.empty() || command == L"value" || command == L"quit") return Desktop::Taken;
    HDESK desktop = OpenDesktopA(name.c_str(), 0, FALSE, GENERIC_ALL);
    if (!desktop && command == L"closed") return Desktop::Gone;
    // The game's start makes the desktop; the 32-bit Wine through an
    // emulator on a busy machine takes its time.
    if (!desktop &&
        !WaitFor([&] { return (desktop = OpenDesktopA(name.c_str(), 0, FALSE, GENERIC_ALL)) != nullptr; },
                 300))
        return Desktop::Missing;
    return SetThreadDesktop(desktop) ? Desktop::Taken : Desktop::Missing;
}

// One command: argv[1] is its name, its arguments follow.
int Run(const std::vector<std::wstring>& argv) {
    int argc = int(argv.size());
    if (argc < 2) return Fail("no command");
    std::wstring command = argv[1];
    auto arg = [&](int i) { return i < argc ? argv[size_t(i)] : std::wstring(); };
    auto number = [&](int i) { return int(wcstol(arg(i).c_str(), nullptr, 0)); };

    if (command == L"value") return PrintValue(arg(2), arg(3));
    if (command == L"quit") return 0;
    if (command == L"window")
        return WaitFor([] { return GameWindow() && IsWindowVisible(GameWindow()); }, 300) ? 0
                                                                                          : Fail("no window");
    if (command == L"closed") return WaitFor([] { return !GameWindow(); }) ? 0 : Fail("the window stays");
    HWND game = GameWindow();
    if (!game) return Fail("no game window");
    if (command == L"close") return PostMessageA(game, WM_CLOSE, 0, 0) ? 0 : 1;
    if (command == L"command") return PostMessageA(game, WM_COMMAND, WPARAM(number(2)), 0) ? 0 : 1;
    if (command == L"key") {
        UINT key = UINT(number(2));
        if (arg(3) != L"up") PostMessageA(game, WM_KEYDOWN, key, 1);
        if (arg(3) != L"down") PostMessageA(game, WM_KEYUP, key, LPARAM(0xC0000001));
        return 0;
    }
    if (command == L"client") {
        RECT r;
        GetClientRect(game, &r);
        std::printf("%ld %ld\n", r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (command == L"fullscreen") {
        LONG_PTR style = GetWindowLongPtrA(game, GWL_STYLE);
        std::printf("%d\n", !GetMenu(game) && !(style & WS_CAPTION));
        return 0;
    }

    if (command == L"menu") {
        UINT state = MenuState(game, UINT(number(2)));
        if (state == 0xFFFF) return Fail("no such menu item");
        std::printf("%d\n", state & (MF_GRAYED | MF_DISABLED) ? 0 : 1);
        return 0;
    }

    std::wstring which = arg(2);
    if (command == L"wait")
        return WaitFor([&] { return FindDialog(which) != nullptr; }) ? 0 : Fail("no dialog");
    if (command == L"gone")
        return WaitFor([&] { return FindDialog(which) == nullptr; }) ? 0 : Fail("dialog stays");
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = FindDialog(which)) != nullptr; })) return Fail("no such dialog");
    if (command == L"text") {
        HWND text = GetDlgItem(dialog, 0xFFFF);
        std::printf("%s\n", Utf8(WindowText(text)).c_str());
        return 0;
    }
    if (command == L"fits") {
        HFONT font = TemplateFont(game, arg(3).c_str());
        if (!font) return Fail("no such dialog template with a font");
        Fit fit = {CreateCompatibleDC(nullptr), 0};
        HGDIOBJ old = SelectObject(fit.dc, font);
        EnumChildWindows(dialog, MeasureText, reinterpret_cast<LPARAM>(&fit));
        SelectObject(fit.dc, old);
        DeleteDC(fit.dc);
        DeleteObject(font);
        return fit.measured ? 0 : Fail("no texts");
    }
    if (command == L"page") {
        SendMessageA(dialog, PSM_SETCURSEL, WPARAM(number(3)), 0);
        return 0;
    }
    int id = number(3);
    HWND control = FindControl(dialog, id);
    if (!control) return Fail("no such control");
    HWND parent = GetParent(control);
    if (command == L"select") {
        SendMessageA(control, CB_SETCURSEL, WPARAM(number(4)), 0);
        WORD note = arg(5) == L"endok" ? CBN_SELENDOK : CBN_SELCHANGE;
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, note), LPARAM(control));
        return 0;
    }
    if (command == L"item") {
        int index = number(4);
        LRESULT length = SendMessageW(control, CB_GETLBTEXTLEN, WPARAM(index), 0);
        if (length == CB_ERR) return Fail("no such entry");
        std::wstring text(size_t(length) + 1, L'\0');
        SendMessageW(control, CB_GETLBTEXT, WPARAM(index), LPARAM(text.data()));
        text.resize(size_t(length));
        std::printf("%s\n", Utf8(text).c_str());
        return 0;
    }
    if (command == L"selected") {
        std::printf("%d\n", int(SendMessageA(control, CB_GETCURSEL, 0, 0)));
        return 0;
    }
    if (command == L"check") {
        SendMessageA(control, BM_SETCHECK, number(4) ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(control));
        return 0;
    }
    if (command == L"click") {
        PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(control));
        return 0;
    }
    if (command == L"enabled") {
        std::printf("%d\n", IsWindowEnabled(control) ? 1 : 0);
        return 0;
    }
    return Fail("unknown command");
}

std::wstring Wide(const std::string& text) {
    int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, out.data(), size);
    out.resize(size_t(size > 0 ? size - 1 : 0));
    return out;
}

// One command in the named desktop.
int RunIn(const std::string& desktop, const std::vector<std::wstring>& argv) {
    switch (UseDesktop(desktop, argv)) {
        case Desktop::Taken: return Run(argv);
        case Desktop::Gone: return 0;
        case Desktop::Missing: break;
    }
    return Fail("no such desktop");
}

// A command served: the desktop's name and the words of the request. Each
// runs on a thread of its own, which may take a desktop that the game made
// since the last one.
struct Served {
    std::string desktop;
    std::vector<std::wstring> argv;
    std::wstring output;
    int status;
};

DWORD WINAPI ServeOne(LPVOID data) {
    Served& served = *static_cast<Served*>(data);
    if (!_wfreopen(served.output.c_str(), L"w", stdout)) {
        served.status = Fail("cannot write the answer");
        return 0;
    }
    served.status = RunIn(served.desktop, served.argv);
    std::fflush(stdout);
    _wfreopen(L"NUL", L"w", stdout);
    return 0;
}

bool WriteText(const std::wstring& path, const std::string& text) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) && written == text.size();
    CloseHandle(file);
    return ok;
}

int Serve(const std::wstring& directory) {
    std::wstring request = directory + L"\\request", answer = directory + L"\\answer";
    for (;;) {
        HANDLE file = CreateFileW(request.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            Sleep(10);
            continue;
        }
        std::string text;
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read)
            text.append(buffer, read);
        CloseHandle(file);
        DeleteFileW(request.c_str());
        Served served{{}, {L"settings_driver"}, answer + L".tmp", 1};
        size_t from = 0, line = 0;
        for (size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1, line++) {
            if (line == 0)
                served.desktop = text.substr(from, end - from);
            else
                served.argv.push_back(Wide(text.substr(from, end - from)));
        }
        HANDLE thread = CreateThread(nullptr, 0, ServeOne, &served, 0, nullptr);
        if (thread) {
            WaitForSingleObject(thread, INFINITE);
            CloseHandle(thread);
        }
        if (!MoveFileExW(served.output.c_str(), answer.c_str(), MOVEFILE_REPLACE_EXISTING) ||
            !WriteText(answer + L".status", std::to_string(served.status) + "\n") ||
            !MoveFileExW((answer + L".status").c_str(), (directory + L"\\status").c_str(),
                         MOVEFILE_REPLACE_EXISTING))
            return Fail("cannot answer");
        if (served.argv.size() == 2 && served.argv[1] == L"quit") return 0;
    }
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** line = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> argv(line, line + argc);
    if (argc == 3 && argv[1] == L"serve") return Serve(argv[2]);
    const char* desktop = std::getenv("VELTO_DESKTOP");
    return RunIn(desktop ? desktop : "", argv);
}
