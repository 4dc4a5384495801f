#pragma once
// The module's view of the grid control: its window class and the SS... functions on its handle.
#include "grid/spread.h"
#include "grid/ss.h"
