// SUPERZAR.SCR: the SUPER ZARKOLT edition as a screen saver, its picture centred in
// the border of the least high landscape mode of at least 304 rows.
#include "boards/superzar/superzar.h"
#include "saver/saver_win.h"

namespace {

const saver::SaverBoard Saver = saver::BoardSaver(superzar::Face, 16, saver::ModeRule::Portrait, true,
                                                  saver::InitFaceSound, saver::ReleaseFaceSound);

} // namespace

const saver::SaverBoard* const saver::ProgramSaver = &Saver;
