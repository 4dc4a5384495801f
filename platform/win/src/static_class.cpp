// The "STATIC" class: labels, frames and pictures. Without SS_NOTIFY a label is transparent to the mouse.
#include "window_system.h"

namespace vtl::win::detail {

LRESULT StaticProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = WindowSystem::get().find(h);
    if (!w) return 0;
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_LBUTTONDOWN:
        if (w->style & SS_NOTIFY) notifyParent(*w, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (w->style & SS_NOTIFY) notifyParent(*w, STN_DBLCLK);
        return 0;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

}  // namespace vtl::win::detail
