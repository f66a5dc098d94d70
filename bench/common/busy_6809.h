// A busy scene for the benchmarks of the two-6809 portrait boards (KLUNO and
// RONKU): CPU 1 stirs the video RAM and counts its interrupts, CPU 2 sweeps
// the eight voices, and the video RAM holds random characters (a third of
// them in front of sprites) and 64 sprites of four pieces each inside the
// picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "boards/kluno/game_data.h"

namespace bench_busy {

// The family's game data in the sizes of a board's slots: random graphics
// and PROMs, CPU 1's program in a ROM from cpu1Base to 0xFFFF and CPU 2's.
// The images stay valid until the next call.
kluno::GameData GameData(std::span<const kluno::ImageSlot> slots, uint16_t cpu1Base);
// Video RAM (CPU 1 0x0000-0x0FFF) and the three sprite banks of ram.
void FillScene(uint8_t* ram);

} // namespace bench_busy
