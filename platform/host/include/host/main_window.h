#pragma once
// The CAD host's main window: the drawing's frame, the owner of modeless dialogs and the window that gets
// the focus back. The host keeps a frame object attached to it, which serves picks in the drawing.
#include "host/export.h"
#include "win/wnd.h"

namespace vtl::host {
// Creates the main window, covering the screen, and makes it the framework's main window. While one is
// alive, returns that one.
VTLHOST_API HWND createMainWindow();
// Activates the main window and gives it the keyboard focus; false when there is none or it is disabled.
VTLHOST_API bool focusMainWindow();
}  // namespace vtl::host

VTLHOST_API CWnd* adsw_acadMainWnd();
