// The SUPER ZARKOLT edition of the ZARKOLT board. The machine is ZARKOLT's
// (boards/zarkolt/) with the edition's own CPU 1 and CPU 2 programs; it
// differs in two start values and in the I/O chip's reply refresh, which has
// neither the test form nor the idle form. Build it like ZARKOLT, handing in
// this edition and the edition's images:
//   zarkolt::BuildBoard(zarkolt::GameDataOf(SuperZarkoltData()), superzar::SuperZarkoltEdition)
#pragma once

#include "boards/board.h"
#include "boards/zarkolt/machine.h"

namespace superzar {

// The reply refresh, once per frame: always the normal form (credits,
// direction code, the button edges). The game's byte 0x85AD and the test
// switch are not consulted, and reply 2 keeps its start value.
void UpdateIoChipInputs();

// Replies 0x00, 0xF8, 0xF8 and switch byte 7 = 2 at set-up.
extern const zarkolt::Edition SuperZarkoltEdition;

// The edition's board face (superzar_board.cpp).
extern const boards::BoardFace Face;

} // namespace superzar
