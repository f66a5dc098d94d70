// The whole RONKU board: include this to build, run and draw it.
#pragma once

#include "boards/ronku/frame.h"
#include "boards/ronku/game_data.h"
#include "boards/ronku/graphics.h"
#include "boards/ronku/machine.h"
#include "boards/ronku/rate_meter.h"
#include "boards/ronku/renderer.h"
