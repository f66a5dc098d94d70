// The frame-rate meter drawn over RONKU's picture. The program measures each
// frame with the platform's performance counter: a sample is the scaled
// counter frequency (frequency x 1.6) over the ticks since the last frame,
// so 62.5 frames a second read 100. Every 32 frames the mean of the samples
// becomes the shown value, drawn as two digits and a percent sign in the top
// right of the picture (any value above 99 as "100").
//
// Driving it: StartRateMeter once after the start-up with the result of the
// counter's frequency query (the meter stays off without a usable counter);
// SampleRate once a frame with the counter's value; DrawRate at the end of
// the render. Only the emulation thread touches it after the start.
#pragma once

#include <cstdint>

namespace ronku {

struct RateMeter {
    bool available;           // a counter of at most 32 bits of frequency
    uint64_t scaledFrequency; // frequency x 16 / 10
    uint64_t lastCount;       // the counter at the last sample
    uint32_t frameCounter;    // frames drawn
    uint32_t accumulator;     // samples since the last shown value
    uint32_t shown;           // the value on the screen
};
extern RateMeter Meter;

// queried: the frequency query succeeded. False (the meter off) without a
// counter or with a frequency of 2^32 or more.
bool StartRateMeter(bool queried, uint64_t frequency, uint64_t now);
// Adds scaledFrequency / (now - lastCount) (nothing when no tick has passed).
void SampleRate(uint64_t now);
// When the meter is on: every 32nd frame from the first, the mean of the
// samples becomes the shown value; then the value into frameBuffer (512
// bytes a row) at row 32, its last glyph (the percent sign) at column 232.
void DrawRate(uint8_t* frameBuffer);

} // namespace ronku
