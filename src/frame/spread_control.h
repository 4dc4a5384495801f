#pragma once
// The module's view of the grid control.
#include "grid/spread.h"
