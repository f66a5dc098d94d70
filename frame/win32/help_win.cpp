// Help through WinHelp on a helper thread that serves the queued requests
// (frame/help_queue.h) one after the other.
#include "frame/help_queue.h"
#include "frame/win32/program_win.h"

namespace frame {

namespace {

CRITICAL_SECTION Lock;
HelpQueue Queue;
HANDLE Wake;   // auto-reset: a request came
HANDLE Thread; // the helper thread, started with the first request
volatile LONG Stopping;

DWORD WINAPI HelpThread(LPVOID) {
    for (;;) {
        HelpRequest request;
        EnterCriticalSection(&Lock);
        bool got = NextHelp(Queue, &request);
        LeaveCriticalSection(&Lock);
        if (got) {
            WinHelpA(reinterpret_cast<HWND>(request.owner), Program.helpPath, request.command, request.data);
            continue;
        }
        if (Stopping) return 0;
        WaitForSingleObject(Wake, INFINITE);
    }
}

bool Started() {
    if (Thread) return true;
    InitializeCriticalSection(&Lock);
    Wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    Thread = Wake ? CreateThread(nullptr, 0, HelpThread, nullptr, 0, nullptr) : nullptr;
    if (!Thread && Wake) {
        CloseHandle(Wake);
        Wake = nullptr;
        DeleteCriticalSection(&Lock);
    }
    return Thread != nullptr;
}

} // namespace

void ShowHelp(HWND owner, UINT command, ULONG_PTR data) {
    if (!Started()) return;
    EnterCriticalSection(&Lock);
    bool wake = QueueHelp(Queue, {reinterpret_cast<uintptr_t>(owner), command, data});
    LeaveCriticalSection(&Lock);
    if (wake) SetEvent(Wake);
}

void QuitHelp(HWND window) {
    bool idle = true;
    if (Thread) {
        EnterCriticalSection(&Lock);
        idle = HelpIdle(Queue);
        LeaveCriticalSection(&Lock);
    }
    // Behind a call that still waits (it may be stuck on a question), the quit
    // waits its turn on the helper thread instead of stopping the window.
    if (idle)
        WinHelpA(window, Program.helpPath, HELP_QUIT, 0);
    else
        ShowHelp(window, HELP_QUIT, 0);
}

void StopHelp() {
    if (!Thread) return;
    Stopping = 1;
    SetEvent(Wake);
    // A help program still waiting for an answer must not keep the game alive.
    WaitForSingleObject(Thread, 1000);
    CloseHandle(Thread);
    Thread = nullptr;
}

} // namespace frame
