// The help requests in order.
#include "frame/help_queue.h"

namespace frame {

bool QueueHelp(HelpQueue& queue, const HelpRequest& request) {
    queue.waiting.push_back(request);
    return !queue.serving;
}

bool NextHelp(HelpQueue& queue, HelpRequest* request) {
    queue.serving = !queue.waiting.empty();
    if (!queue.serving) return false;
    *request = queue.waiting.front();
    queue.waiting.pop_front();
    return true;
}

bool HelpIdle(const HelpQueue& queue) {
    return queue.waiting.empty() && !queue.serving;
}

} // namespace frame
