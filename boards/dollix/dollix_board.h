// The DOLLIX board behind the board face (boards/board.h): two players'
// controls, coin and starts held for two frames (the game counts their
// edges), the 288 x 224 picture with its 84 colours, the 6809 boards' eight
// voices, and the high scores through the two ROM traps.
#pragma once

#include <span>

#include "boards/board.h"
#include "boards/dollix/game_data.h"

namespace dollix {

extern const boards::BoardFace Face;

// The face's controls, bit i of its control word: player 1's stick and
// button, player 2's, the coin and the two starts.
enum : uint32_t {
    ControlUp1 = 1u << 0,
    ControlRight1 = 1u << 1,
    ControlDown1 = 1u << 2,
    ControlLeft1 = 1u << 3,
    ControlButton1 = 1u << 4,
    ControlUp2 = 1u << 5,
    ControlRight2 = 1u << 6,
    ControlDown2 = 1u << 7,
    ControlLeft2 = 1u << 8,
    ControlButton2 = 1u << 9,
    ControlCoin = 1u << 10,
    ControlStart1 = 1u << 11,
    ControlStart2 = 1u << 12,
};
inline constexpr uint32_t FramesHeld = 2; // a coin or start from insertCoin/pressStart

// The score table of the record "Score": RAM 0x0849-0x084E, then 0x09B2-0x0A01.
inline constexpr uint32_t ScoreTableSize = 86;
void ScoresOut(uint8_t* table);
// Into RAM, after RAM 0x0A02-0x0A11 := ROM 0xCF29-0xCF38.
void ScoresIn(const uint8_t* table);
// 00 01 00 00 01 00, then ROM 0xCED9-0xCF28.
void DefaultScores(uint8_t* table);

} // namespace dollix
