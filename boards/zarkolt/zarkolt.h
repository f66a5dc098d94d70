// The whole ZARKOLT board: include this to build, run and draw it.
#pragma once

#include "boards/zarkolt/blitters.h"
#include "boards/zarkolt/frame.h"
#include "boards/zarkolt/game_data.h"
#include "boards/zarkolt/graphics.h"
#include "boards/zarkolt/io_chip.h"
#include "boards/zarkolt/lookup_chip.h"
#include "boards/zarkolt/machine.h"
#include "boards/zarkolt/renderer.h"
#include "boards/zarkolt/sound.h"
