// The meter's arithmetic and its glyphs.
#include "boards/ronku/rate_meter.h"

#include <array>
#include <cstring>

#include "boards/kluno/renderer.h"
#include "boards/ronku/graphics.h"

namespace ronku {

RateMeter Meter;

namespace {

constexpr int Row = 32, PercentColumn = 232;
constexpr int DigitSet = 66; // the colour set of the game's digits
constexpr uint8_t PercentPen = 0x62;

// The percent sign, '1' in PercentPen on pen 0.
constexpr const char* PercentRows[8] = {"01110001", "01010010", "01110100", "00001000",
                                        "00010111", "00100101", "01000111", "00000000"};
constexpr auto PercentGlyph = [] {
    std::array<uint8_t, 64> glyph{};
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
            glyph[size_t(y * 8 + x)] = PercentRows[y][x] == '1' ? PercentPen : 0;
    return glyph;
}();

void CopyGlyph(uint8_t* frameBuffer, int column, const uint8_t* glyph) {
    for (int y = 0; y < 8; y++)
        std::memcpy(frameBuffer + (Row + y) * kluno::FrameWidth + column, glyph + y * 8, 8);
}

void CopyDigit(uint8_t* frameBuffer, int column, uint32_t digit) {
    CopyGlyph(frameBuffer, column, CharacterImages + ((DigitSet << 8) | (0x30 + digit)) * 64);
}

} // namespace

bool StartRateMeter(bool queried, uint64_t frequency, uint64_t now) {
    Meter = {};
    if (!queried || frequency >> 32) return false;
    Meter.available = true;
    Meter.scaledFrequency = frequency * 16 / 10;
    Meter.lastCount = now;
    return true;
}

void SampleRate(uint64_t now) {
    uint64_t ticks = now - Meter.lastCount;
    if (ticks) Meter.accumulator += uint32_t(Meter.scaledFrequency / ticks);
    Meter.lastCount = now;
}

void DrawRate(uint8_t* frameBuffer) {
    if (!Meter.available) return;
    if ((Meter.frameCounter & 31) == 0) {
        Meter.shown = Meter.accumulator >> 5;
        Meter.accumulator = 0;
    }
    Meter.frameCounter++;
    uint32_t value = Meter.shown;
    if (value > 99) {
        CopyDigit(frameBuffer, PercentColumn - 24, 1);
        value = 0;
    }
    CopyDigit(frameBuffer, PercentColumn - 16, value / 10);
    CopyDigit(frameBuffer, PercentColumn - 8, value % 10);
    CopyGlyph(frameBuffer, PercentColumn, PercentGlyph.data());
}

} // namespace ronku
