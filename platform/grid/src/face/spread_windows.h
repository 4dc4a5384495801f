#pragma once
// The window classes of the grid: the grid itself, the cell editor that holds the focus while a cell is
// edited, and the dropped list of a combo cell. The editor and the list are the grid's own windows and
// their class names start like the grid's ("fpSpr"), so "the grid has the focus" can be asked by name.
#include "win/types.h"

namespace vtl::grid {
inline constexpr const char* kEditorClassName = "fpSpreadEdit70";
inline constexpr const char* kDropListClassName = "fpSpreadList70";

void registerSpreadClasses();
void paintSpread(HWND grid);
void paintDropList(HWND list);
}  // namespace vtl::grid
