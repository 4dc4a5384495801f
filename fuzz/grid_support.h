#pragma once
// A grid window for the grid harnesses, made once: the grid class registered and a top-level grid of
// this system's own class.
#include "grid/ss.h"

namespace vtl::fuzz {
HWND scratchGrid(int which = 0);
}
