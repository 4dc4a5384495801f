#pragma once
// The window classes of the grid: the grid itself, the cell editor that holds the focus while a cell is
// edited, the dropped list of a combo cell and the text tip. The editor, the list and the tip are the
// grid's own windows and their class names start like the grid's ("fpSpr"), so "the grid has the focus"
// can be asked by name.
#include "win/types.h"

namespace vtl::grid {
inline constexpr const char* kEditorClassName = "fpSpreadEdit70";
inline constexpr const char* kDropListClassName = "fpSpreadList70";
inline constexpr const char* kTipClassName = "fpSpreadTip70";
// The text tip's margin around its text, inside its one-pixel border.
inline constexpr int kTipPadX = 3;
inline constexpr int kTipPadY = 1;

void registerSpreadClasses();
void paintSpread(HWND grid);
void paintDropList(HWND list);
void paintTip(HWND tip);
}  // namespace vtl::grid
