#include "host/main_window.h"

#include <memory>

#include "host_internal.h"
#include "win/window_tree.h"

namespace vtl::host {
namespace {
// The object on the main window: it hands key and mouse input in the drawing to a pick that waits.
class MainFrame : public CWnd {
public:
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg && detail::offerToPick(m_hWnd, *msg)) return TRUE;
        return CWnd::PreTranslateMessage(msg);
    }
};

std::unique_ptr<MainFrame>& frame() {
    static std::unique_ptr<MainFrame> f;
    return f;
}
}  // namespace

HWND createMainWindow() {
    auto& f = frame();
    if (f && IsWindow(f->m_hWnd)) return f->m_hWnd;
    f = std::make_unique<MainFrame>();
    const SIZE s = win::screenSize();
    if (!f->CreateEx(0, "VtlFrame", "CAD host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, s.cx, s.cy), nullptr,
                     0)) {
        f.reset();
        return HWND();
    }
    win::setMainWindow(f->m_hWnd);
    return f->m_hWnd;
}

bool focusMainWindow() {
    const HWND h = win::mainWindow();
    if (!IsWindow(h) || !IsWindowEnabled(h)) return false;
    SetActiveWindow(h);
    SetFocus(h);
    return GetFocus() == h;
}

namespace detail {
void resetMainWindow() {
    auto& f = frame();
    if (f && f->m_hWnd && win::mainWindow() == f->m_hWnd) win::setMainWindow(HWND());
    f.reset();  // destroys the window when it is still there
}
}  // namespace detail

}  // namespace vtl::host

CWnd* adsw_acadMainWnd() { return CWnd::FromHandle(vtl::win::mainWindow()); }
