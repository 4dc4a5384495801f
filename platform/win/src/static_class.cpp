// The "STATIC" class: labels, frames and pictures. Without SS_NOTIFY a label is transparent to the mouse.
#include "gfx/icon.h"
#include "gfx/bitmap.h"
#include "gfx/text_layout.h"
#include "json_writer.h"
#include "look.h"
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
    bool paint(const Window& w, PaintContext& pc) const override;
};

// The glyph of a message box's icon: a round sign with a letter.
void messageIcon(gfx::DisplayList& l, const std::string& kind, const RECT& r) {
    COLORREF back = RGB(255, 255, 255), ring = RGB(0, 0, 128), ink = RGB(0, 0, 128);
    std::string mark = "i";
    if (kind == "question") mark = "?";
    if (kind == "error") {
        back = RGB(200, 0, 0);
        ring = RGB(128, 0, 0);
        ink = RGB(255, 255, 255);
        mark = "X";
    }
    if (kind == "warning") {
        l.polygon({{(r.left + r.right) / 2, r.top + 1}, {r.right - 1, r.bottom - 2}, {r.left + 1, r.bottom - 2}},
                  RGB(255, 204, 0));
        LOGFONT f;
        f.lfHeight = -20;
        f.lfWeight = FW_BOLD;
        gfx::TextStyle s;
        s.font = f;
        s.colour = RGB(0, 0, 0);
        s.format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        l.text({r.left, r.top + 6, r.right, r.bottom}, "!", s);
        return;
    }
    l.ellipse(r, back, ring);
    LOGFONT f;
    f.lfHeight = -20;
    f.lfWeight = FW_BOLD;
    gfx::TextStyle s;
    s.font = f;
    s.colour = ink;
    s.format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    l.text(r, mark, s);
}

bool StaticState::paint(const Window& w, PaintContext& pc) const {
    auto& l = pc.list;
    const SIZE cs = WindowSystem::get().clientSize(w);
    const RECT r{0, 0, cs.cx, cs.cy};
    if (!pc.transparentBackground) l.fillRect(r, pc.background);
    const DWORD kind = w.style & SS_TYPEMASK;
    switch (kind) {
    case SS_ICON:
        if (icon) l.icon({0, 0}, icon, 32);
        else messageIcon(l, w.text, {0, 0, std::min(cs.cx, 32), std::min(cs.cy, 32)});
        return true;
    case SS_BITMAP:
        if (bitmap) l.bitmap({0, 0}, bitmap);
        return true;
    case SS_BLACKRECT: l.fillRect(r, RGB(0, 0, 0)); return true;
    case SS_GRAYRECT: l.fillRect(r, sys(COLOR_BTNSHADOW)); return true;
    case SS_WHITERECT: l.fillRect(r, RGB(255, 255, 255)); return true;
    case SS_BLACKFRAME: l.frameRect(r, RGB(0, 0, 0)); return true;
    case SS_ETCHEDFRAME: etchedFrame(l, r); return true;
    case SS_OWNERDRAW: return true;
    default: break;
    }
    const TextPlace place = staticText(cs, w.style);
    if (pc.enabled) label(l, place.rect, w.text, pc.font, pc.textColour, place.format);
    else engravedLabel(l, place.rect, w.text, pc.font, place.format);
    return true;
}

StaticState& stateOf(Window& w) {
    if (!w.state) w.state = std::make_unique<StaticState>();
    return static_cast<StaticState&>(*w.state);
}
}  // namespace

LRESULT StaticProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = WindowSystem::get().find(h);
    if (!w) return 0;
    stateOf(*w);  // every label has its state, so the renderer draws its look
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
