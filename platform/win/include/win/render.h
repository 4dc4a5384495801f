#pragma once
// Pictures of the screen: every visible window drawn in the classic desktop look, each window's own
// painting (WM_ERASEBKGND, WM_PAINT) replayed on top of its class's look.
#include <vector>

#include "gfx/image.h"
#include "win/export.h"
#include "win/types.h"

namespace vtl::win {
VTLWIN_API gfx::Image renderScreen();
// One top-level window (with its children), cropped to its window rectangle; empty for a hidden window.
VTLWIN_API gfx::Image renderWindow(HWND topLevel);
// A top-level window with the visible dialogs it owns, directly or through others, drawn over it in their
// z-order (a modeless dialog and its message box over a dialog), cropped to the area they cover.
VTLWIN_API gfx::Image renderWindowWithOwned(HWND topLevel);
VTLWIN_API std::vector<unsigned char> renderScreenPng();
VTLWIN_API std::vector<unsigned char> renderWindowPng(HWND topLevel);
}  // namespace vtl::win
