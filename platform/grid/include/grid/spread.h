#pragma once
// The grid control's face: the window class "fpSpread70". Its cell model, formulas and files live behind
// the SS... functions on its handle.
#include "grid/export.h"
#include "win/types.h"

namespace vtl::grid {
inline constexpr const char* kSpreadClassName = "fpSpread70";
// Registers the window class; idempotent. Windows of the class can then come from templates.
VTLGRID_API void registerSpreadClass();
}  // namespace vtl::grid
