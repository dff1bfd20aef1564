#pragma once

// The table-to-pixel mapping lives with the game layer, which places markers too.
#include "game/coordinates.h"
