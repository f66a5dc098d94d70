// DOLLIX.SCR: the DOLLIX board as a screen saver, its landscape picture at
// (16, 8) on black in the smallest landscape mode of at least 304 x 240.
#include "boards/dollix/dollix_board.h"
#include "saver/saver_win.h"

namespace {

const saver::SaverBoard Saver = saver::BoardSaver(dollix::Face, 17, saver::ModeRule::Landscape, false,
                                                  saver::InitFaceSound, saver::ReleaseFaceSound);

} // namespace

const saver::SaverBoard* const saver::ProgramSaver = &Saver;
