// The frame-rate meter's start through the counter seam. This file is
// compiled with code page 932 as its execution character set: the message
// goes to MessageBoxA.
#include "frame/rate_meter.h"

namespace frame {

const char* const RateMeterMessage =
    "お使いのパソコンではパフォーマンスの測定ができません。\nゲーム中、パフォーマンス値の表示は行いません。";

std::string RateMeterCaption(const char* title) {
    return std::string(title) + " : ﾊﾟﾌｫｰﾏﾝｽ測定は不可能です";
}

RateMeter StartRateMeter(const boards::BoardFace& board, const CounterSeam& counter) {
    if (!board.startRateMeter) return RateMeter::None;
    uint64_t hertz = 0;
    bool queried = counter.frequency(&hertz);
    uint64_t now = queried ? counter.counter() : 0;
    return board.startRateMeter(queried, hertz, now) ? RateMeter::Running : RateMeter::Unavailable;
}

} // namespace frame
