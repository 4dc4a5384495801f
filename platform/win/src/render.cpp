// The renderer: the screen's windows, bottom of the z-order first, each as its class's look with its own
// painting replayed over it, its children on top.
#include "win/render.h"

#include "gdi_state.h"
#include "gfx/png.h"
#include "gfx/rasterise.h"
#include "gfx/text_layout.h"
#include "gfx/text_metrics.h"
#include "look.h"
#include "window_system.h"
#include "win/input.h"
#include "win/window_tree.h"

namespace vtl::win {
namespace {
using detail::PaintContext;
using detail::sys;
using detail::Window;
using detail::WindowSystem;

bool enabledWithAncestors(WindowSystem& ws, const Window& w) {
    for (const Window* a = &w; a; a = a->isChild() ? ws.find(a->parent) : nullptr)
        if (!a->enabledFlag()) return false;
    return true;
}

void drawCaptionFrame(gfx::DisplayList& l, WindowSystem& ws, const Window& w, const RECT& r) {
    l.fillRect(r, sys(COLOR_BTNFACE));
    detail::raisedEdge(l, r);
    const bool active = ws.active == w.handle;
    const RECT caption{r.left + 3, r.top + 3, r.right - 3, r.top + 19};
    l.fillRect(caption, active ? sys(COLOR_ACTIVECAPTION) : sys(COLOR_INACTIVECAPTION));
    LOGFONT f = gfx::resolveFont(gfx::defaultGuiFont());
    f.lfWeight = FW_BOLD;
    gfx::TextStyle s;
    s.font = f;
    s.colour = active ? sys(COLOR_CAPTIONTEXT) : sys(COLOR_INACTIVECAPTIONTEXT);
    s.format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    l.text({caption.left + 4, caption.top, caption.right - 22, caption.bottom}, w.text, s);
    if (w.style & WS_SYSMENU) {
        // The close box's place on the screen, moved as the window's frame is for this picture.
        const RECT onScreen = closeBoxRect(w.handle);
        const RECT frame = ws.screenRect(w);
        const RECT box{onScreen.left - frame.left + r.left, onScreen.top - frame.top + r.top,
                       onScreen.right - frame.left + r.left, onScreen.bottom - frame.top + r.top};
        l.fillRect(box, sys(COLOR_BTNFACE));
        detail::raisedEdge(l, box);
        const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
        for (int d = 0; d < 2; ++d) {
            l.line({cx - 4 + d, cy - 3}, {cx + 3 + d, cy + 4}, RGB(0, 0, 0));
            l.line({cx + 3 + d, cy - 3}, {cx - 4 + d, cy + 4}, RGB(0, 0, 0));
        }
    }
}

void paintWindow(gfx::DisplayList& l, WindowSystem& ws, HWND h, POINT parentOrigin) {
    Window* w = ws.find(h);
    if (!w || !w->visibleFlag()) return;
    const RECT screen = ws.screenRect(*w);
    const RECT outer{screen.left - parentOrigin.x, screen.top - parentOrigin.y, screen.right - parentOrigin.x,
                     screen.bottom - parentOrigin.y};
    const detail::Insets in = ws.nonClientInsets(*w);
    if (!w->isChild() && (w->style & WS_CAPTION) == WS_CAPTION) {
        drawCaptionFrame(l, ws, *w, outer);
    } else if (in.left == 2) {
        detail::sunkenEdge(l, outer);
    } else if (in.left == 1) {
        l.frameRect(outer, w->isChild() ? sys(COLOR_WINDOWFRAME) : sys(COLOR_BTNSHADOW));
    }
    const POINT origin = ws.clientOrigin(*w);
    const SIZE cs = ws.clientSize(*w);
    l.pushOrigin({origin.x - parentOrigin.x, origin.y - parentOrigin.y});
    l.pushClip({0, 0, cs.cx, cs.cy});

    PaintContext pc{l, w->font};
    pc.enabled = enabledWithAncestors(ws, *w);
    pc.focused = ws.focus == h || (w->cls->name == "COMBOBOX" && ws.isDescendant(h, ws.focus));
    pc.textColour = sys(COLOR_WINDOWTEXT);
    pc.background = sys(COLOR_BTNFACE);
    if (w->cls->name == "STATIC" && w->parent) {
        // The parent chooses a label's colours and background, as the platform asks it.
        const HDC dc = detail::createRecordingDc(l, h);
        const LRESULT brush = SendMessage(w->parent, WM_CTLCOLORSTATIC, static_cast<WPARAM>(dc.value()), HandleToParam(h));
        if (detail::DeviceContext* d = detail::dcOf(dc)) {
            pc.textColour = resolveColour(d->state.text);
            COLORREF fill;
            pc.transparentBackground = d->state.bkMode == TRANSPARENT || !brushColour(HBRUSH(static_cast<int>(brush)), fill);
            if (!pc.transparentBackground) pc.background = fill;
        }
        detail::deleteDc(dc);
        if (!(w = ws.find(h))) {
            l.popClip();
            l.popOrigin();
            return;
        }
    }
    const bool drewLook = w->state && w->state->paint(*w, pc);
    if (!drewLook) {
        const bool drawing = h == ws.mainWindow;  // the host's drawing area
        l.fillRect({0, 0, cs.cx, cs.cy}, drawing ? RGB(46, 52, 64) : sys(COLOR_BTNFACE));
    }
    // The window's own painting, recorded through a device context.
    const HDC dc = detail::createRecordingDc(l, h);
    detail::setPaintDc(h, dc);
    SendMessage(h, WM_ERASEBKGND, static_cast<WPARAM>(dc.value()), 0);
    if (ws.find(h)) SendMessage(h, WM_PAINT, 0, 0);
    detail::setPaintDc(h, HDC());
    detail::deleteDc(dc);
    if ((w = ws.find(h))) {
        const std::vector<HWND> children = w->children;
        for (auto it = children.rbegin(); it != children.rend(); ++it) paintWindow(l, ws, *it, origin);
    }
    l.popClip();
    l.popOrigin();
}
}  // namespace

gfx::Image renderScreen() {
    auto& ws = WindowSystem::get();
    const SIZE screen = screenSize();
    gfx::DisplayList l;
    const std::vector<HWND> tops = ws.topLevels;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) paintWindow(l, ws, *it, {0, 0});
    return gfx::render(l, screen.cx, screen.cy, sys(COLOR_BACKGROUND));
}

gfx::Image renderWindow(HWND topLevel) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(topLevel);
    if (!w || !w->visibleFlag()) return {};
    const RECT r = ws.screenRect(*w);
    gfx::DisplayList l;
    paintWindow(l, ws, topLevel, {r.left, r.top});
    return gfx::render(l, r.right - r.left, r.bottom - r.top, sys(COLOR_BTNFACE));
}

gfx::Image renderWindowWithOwned(HWND topLevel) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(topLevel);
    if (!w || !w->visibleFlag()) return {};
    // The window and the visible windows it owns, in z-order, cropped to the rectangle they cover.
    std::vector<HWND> drawn;
    RECT area = ws.screenRect(*w);
    auto ownedByTop = [&](const Window& o) {
        for (HWND owner = o.owner; owner; owner = ws.find(owner) ? ws.find(owner)->owner : HWND())
            if (owner == topLevel) return true;
        return false;
    };
    for (HWND h : ws.topLevels) {
        Window* o = ws.find(h);
        // Owned dialogs and message boxes; an owned tool window (a tip, a dropped list) is no part of the
        // picture of a dialog.
        if (!o || !o->visibleFlag() || (h != topLevel && (!ownedByTop(*o) || !o->cls->isDialog))) continue;
        drawn.push_back(h);
        const RECT r = ws.screenRect(*o);
        area = {std::min(area.left, r.left), std::min(area.top, r.top), std::max(area.right, r.right),
                std::max(area.bottom, r.bottom)};
    }
    gfx::DisplayList l;
    for (auto it = drawn.rbegin(); it != drawn.rend(); ++it) paintWindow(l, ws, *it, {area.left, area.top});
    return gfx::render(l, area.right - area.left, area.bottom - area.top, sys(COLOR_BACKGROUND));
}

std::vector<unsigned char> renderScreenPng() { return gfx::encodePng(renderScreen()); }

std::vector<unsigned char> renderWindowPng(HWND topLevel) { return gfx::encodePng(renderWindow(topLevel)); }

}  // namespace vtl::win
