#include "host/main_window.h"

#include "win/window_tree.h"

namespace vtl::host {
HWND createMainWindow() {
    const SIZE s = win::screenSize();
    const HWND h = CreateWindowEx(0, "VtlFrame", "CAD host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, s.cx, s.cy,
                                  HWND(), 0);
    win::setMainWindow(h);
    return h;
}
}  // namespace vtl::host

CWnd* adsw_acadMainWnd() { return CWnd::FromHandle(vtl::win::mainWindow()); }
