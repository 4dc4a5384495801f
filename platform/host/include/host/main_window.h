#pragma once
// The CAD host's main window: the owner of modeless dialogs and the window that gets the focus back.
#include "host/export.h"
#include "win/wnd.h"

namespace vtl::host {
// Creates the main window, covering the screen, and makes it the framework's main window.
VTLHOST_API HWND createMainWindow();
}  // namespace vtl::host

VTLHOST_API CWnd* adsw_acadMainWnd();
