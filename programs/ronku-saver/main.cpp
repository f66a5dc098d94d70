// RONKU.SCR: the RONKU board as a screen saver, its picture centred in the
// border of the least high landscape mode of at least 304 rows.
#include "boards/ronku/ronku_board.h"
#include "saver/saver_win.h"

namespace {

const saver::SaverBoard Saver = saver::BoardSaver(ronku::Face, 17, saver::ModeRule::Portrait, true,
                                                  saver::InitFaceSound, saver::ReleaseFaceSound);

} // namespace

const saver::SaverBoard* const saver::ProgramSaver = &Saver;
