#pragma once
// The grid control's face: the window class "fpSpread70". Its cell model, formulas and files live behind
// the SS... functions on its handle.
#include <cstddef>
#include <string_view>

#include "grid/export.h"
#include "win/types.h"

namespace vtl::grid {
inline constexpr const char* kSpreadClassName = "fpSpread70";
// Registers the window class; idempotent. Windows of the class can then come from templates.
VTLGRID_API void registerSpreadClass();
// The length of the file part of a name SSLoadFromFile takes: all of it, except for a workbook's sheet
// ("Bolts.xlsx#M-bolts" has the file part "Bolts.xlsx").
VTLGRID_API std::size_t spreadsheetFilePartLength(std::string_view fileName);
}  // namespace vtl::grid
