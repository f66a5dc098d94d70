// The ZARKOLT board as a screen saver (ZARKOLT and SUPER ZARKOLT): built
// without traps, settings or registry, run in attract mode with nobody
// playing, drawn into the saver's work buffer.
//
// The frame is the board's own RunFrame with the saver's steps as hooks: the
// first voice update at the frame's start (when a sound device exists and
// the game's sound latch is on); NMI and 4,096 passes; the attract replies
// (the edition's refresh); the voices again and the flip; NMI, IRQ when
// latched and 4,096 passes; RenderFrame into the work buffer and the present.
// The game's LatchWrite works as in the game program, the user's mute held
// at 0. The sound device behind zarkolt::Sound is the platform's; there is no
// sound lock, as only the emulation thread plays.
#pragma once

#include <cstdint>

#include "boards/zarkolt/game_data.h"
#include "boards/zarkolt/machine.h"
#include "saver/saver.h"

namespace zarkolt_saver {

// Builds the machine from an edition's images and start values with the
// saver's reply refresh (UpdateIoChipAttract for ZARKOLT, IoChipAttractForm
// for SUPER ZARKOLT), resets it, points the renderer at the work buffer and
// puts the game's colours into the palette.
void Build(const zarkolt::GameData& data, const zarkolt::Edition& edition, void (*refresh)(),
           uint8_t* workBuffer, saver::PaletteEntry* palette);

// One frame, the frame mutex held.
void Frame();

inline constexpr uint32_t FramePeriod = 16; // ms

} // namespace zarkolt_saver
