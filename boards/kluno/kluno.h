// The whole KLUNO board: include this to build, run and draw it.
#pragma once

#include "boards/kluno/frame.h"
#include "boards/kluno/game_data.h"
#include "boards/kluno/graphics.h"
#include "boards/kluno/machine.h"
#include "boards/kluno/renderer.h"
#include "boards/kluno/sound.h"
