// The "STATIC" class: labels, frames and pictures. Without SS_NOTIFY a label is transparent to the mouse.
#include "json_writer.h"
#include "window_system.h"

namespace vtl::win::detail {
namespace {
struct StaticState : ControlState {
    HBITMAP bitmap;
    HICON icon;
    void describe(JsonWriter& j) const override {
        if (bitmap) j.key("bitmap").value(bitmap.value());
        if (icon) j.key("icon").value(icon.value());
    }
};

StaticState& stateOf(Window& w) {
    if (!w.state) w.state = std::make_unique<StaticState>();
    return static_cast<StaticState&>(*w.state);
}
}  // namespace

LRESULT StaticProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = WindowSystem::get().find(h);
    if (!w) return 0;
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case STM_SETIMAGE:
    case STM_SETICON: {
        // A picture by handle; the previous one is answered so the caller can release it.
        StaticState& s = stateOf(*w);
        const bool isIcon = msg == STM_SETICON || wParam == IMAGE_ICON;
        const int handle = static_cast<int>(msg == STM_SETICON ? wParam : static_cast<WPARAM>(lParam));
        LRESULT old;
        if (isIcon) {
            old = s.icon.value();
            s.icon = HICON(handle);
        } else {
            old = s.bitmap.value();
            s.bitmap = HBITMAP(handle);
        }
        WindowSystem::get().touch();
        return old;
    }
    case STM_GETIMAGE:
        return wParam == IMAGE_ICON ? stateOf(*w).icon.value() : stateOf(*w).bitmap.value();
    case STM_GETICON:
        return stateOf(*w).icon.value();
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
