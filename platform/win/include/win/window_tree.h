#pragma once
// A JSON dump of the window tree (class, id, text, rectangles, state, children), for tests, the demo host
// and debugging.
#include <string>

#include "win/export.h"
#include "win/types.h"

namespace vtl::win {
// Every top-level window, top of the z-order first, with focus, active and capture handles.
VTLWIN_API std::string windowTreeJson();
// One window and its children.
VTLWIN_API std::string windowTreeJson(HWND root);
// The screen size, in pixels.
VTLWIN_API SIZE screenSize();
// The application main window (the host's); the default owner of dialogs.
VTLWIN_API void setMainWindow(HWND h);
VTLWIN_API HWND mainWindow();
}  // namespace vtl::win
