// The frame-rate meter a board may draw over its picture (a board with
// BoardFace::startRateMeter), measured with the platform's high-resolution
// counter.
//
// Driving it: once the emulation thread runs, StartRateMeter with the
// frame mutex held hands the board the counter's frequency and present
// value. Running: from then on the emulation thread gives the board the
// counter through FrameHooks::performanceCounter. Unavailable: the board
// shows no rate and the program tells the user once (RateMeterMessage, with
// RateMeterCaption over the game's title, MB_OK).
//
// The counter is the platform's (QueryPerformanceFrequency and
// QueryPerformanceCounter in the programs) behind CounterSeam, so that the
// native tests run the very same steps.
#pragma once

#include <cstdint>
#include <string>

#include "boards/board.h"

namespace frame {

struct CounterSeam {
    bool (*frequency)(uint64_t* hertz); // false: the platform has no counter
    uint64_t (*counter)();
};

enum class RateMeter : uint8_t { None, Running, Unavailable };

// None on a board without a meter (the counter is not asked then).
RateMeter StartRateMeter(const boards::BoardFace& board, const CounterSeam& counter);

extern const char* const RateMeterMessage;
std::string RateMeterCaption(const char* title);

} // namespace frame
