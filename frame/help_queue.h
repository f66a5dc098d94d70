// The help requests of a game program, in the order they were made.
//
// WinHelp may stop to ask the player (a missing help file), so the program
// makes its help calls on a helper thread rather than on the window's: the
// window, a dialog or a property page queues a request with itself as the
// owner, and the helper thread takes them one after the other. A request
// made while another is still being served waits its turn; none is dropped.
// The caller guards the queue with its own lock.
#pragma once

#include <cstdint>
#include <deque>

namespace frame {

struct HelpRequest {
    uintptr_t owner;  // the window, dialog or page that asked (an HWND)
    uint32_t command; // HELP_CONTEXTPOPUP, HELP_FINDER, ..., HELP_QUIT
    uintptr_t data;
};

struct HelpQueue {
    std::deque<HelpRequest> waiting;
    bool serving = false; // the helper thread is in a help call
};

// Adds a request; true when the helper thread is idle and must be woken.
bool QueueHelp(HelpQueue& queue, const HelpRequest& request);

// The helper thread's step: the next request (serving := true), or false
// when none waits (serving := false).
bool NextHelp(HelpQueue& queue, HelpRequest* request);

// Whether nothing waits and no call is being served.
bool HelpIdle(const HelpQueue& queue);

} // namespace frame
