// The whole DOLLIX board: include this to build, run and draw it.
#pragma once

#include "boards/dollix/bitmap.h"
#include "boards/dollix/frame.h"
#include "boards/dollix/game_data.h"
#include "boards/dollix/graphics.h"
#include "boards/dollix/machine.h"
#include "boards/dollix/renderer.h"
#include "boards/dollix/sound.h"
