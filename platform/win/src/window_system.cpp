#include "window_system.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "gfx/font.h"
#include "win/window_tree.h"

namespace vtl::win::detail {

namespace {
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
constexpr Insets kCaptionFrame{5, 20, 5, 5};  // top-level frames: 5 px border, 20 px caption and border
}  // namespace

std::string lowerAscii(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

WindowSystem& WindowSystem::get() {
    static WindowSystem system;
    return system;
}

Window* WindowSystem::find(HWND h) {
    if (!h) return nullptr;
    auto it = windows.find(h.value());
    if (it == windows.end() || it->second->destroyed) return nullptr;
    return it->second.get();
}

Window& WindowSystem::require(HWND h) {
    Window* w = find(h);
    if (!w) throw std::logic_error("no window " + std::to_string(h.value()));
    return *w;
}

WindowClass* WindowSystem::findClass(const std::string& name) {
    ensureBuiltinClasses();
    auto it = classes.find(lowerAscii(name));
    return it == classes.end() ? nullptr : it->second.get();
}

WindowClass& WindowSystem::registerClass(WindowClass cls) {
    auto key = lowerAscii(cls.name);
    auto& slot = classes[key];
    slot = std::make_unique<WindowClass>(std::move(cls));
    return *slot;
}

Insets WindowSystem::nonClientInsets(const Window& w) const {
    if (!w.isChild()) {
        if ((w.style & WS_CAPTION) == WS_CAPTION) return kCaptionFrame;
        if (w.style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) return {1, 1, 1, 1};
        return {};
    }
    if (w.exStyle & WS_EX_CLIENTEDGE) return {2, 2, 2, 2};
    if (w.style & WS_BORDER) return {1, 1, 1, 1};
    return {};
}

RECT WindowSystem::screenRect(const Window& w) {
    if (!w.isChild() || !w.parent) return w.rect;
    Window* p = find(w.parent);
    if (!p) return w.rect;
    const POINT o = clientOrigin(*p);
    return {w.rect.left + o.x, w.rect.top + o.y, w.rect.right + o.x, w.rect.bottom + o.y};
}

POINT WindowSystem::clientOrigin(const Window& w) {
    const RECT r = screenRect(w);
    const Insets in = nonClientInsets(w);
    return {r.left + in.left, r.top + in.top};
}

SIZE WindowSystem::clientSize(const Window& w) const {
    const Insets in = nonClientInsets(w);
    return {std::max(0, w.rect.right - w.rect.left - in.left - in.right),
            std::max(0, w.rect.bottom - w.rect.top - in.top - in.bottom)};
}

HWND WindowSystem::root(HWND h) {
    Window* w = find(h);
    while (w && w->isChild() && w->parent) {
        Window* p = find(w->parent);
        if (!p) break;
        w = p;
    }
    return w ? w->handle : HWND();
}

bool WindowSystem::isDescendant(HWND ancestor, HWND h) {
    Window* w = find(h);
    while (w && w->isChild() && w->parent) {
        if (w->parent == ancestor) return true;
        w = find(w->parent);
    }
    return false;
}

bool WindowSystem::isVisible(HWND h) {
    Window* w = find(h);
    while (w) {
        if (!w->visibleFlag()) return false;
        if (!w->isChild() || !w->parent) return true;
        w = find(w->parent);
    }
    return false;
}

void WindowSystem::insertOnTop(std::vector<HWND>& list, const Window& w) {
    auto pos = list.begin();
    if (!w.isChild() && !(w.exStyle & WS_EX_TOPMOST)) {
        while (pos != list.end()) {
            Window* o = find(*pos);
            if (!o || !(o->exStyle & WS_EX_TOPMOST)) break;
            ++pos;
        }
    }
    list.insert(pos, w.handle);
}

std::vector<HWND>& WindowSystem::siblingList(Window& w) {
    if (w.isChild() && w.parent) {
        if (Window* p = find(w.parent)) return p->children;
    }
    return topLevels;
}

namespace {
bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
}  // namespace

HWND WindowSystem::hitTest(POINT screen) {
    // The deepest visible window under the point. Disabled children and windows transparent to the mouse
    // are passed over, as the platform's WindowFromPoint does.
    for (HWND top : topLevels) {
        Window* w = find(top);
        if (!w || !w->visibleFlag() || !contains(screenRect(*w), screen)) continue;
        HWND found = top;
        bool descended = true;
        while (descended) {
            descended = false;
            Window* cur = find(found);
            const POINT origin = clientOrigin(*cur);
            const SIZE cs = clientSize(*cur);
            if (!contains(RECT{origin.x, origin.y, origin.x + cs.cx, origin.y + cs.cy}, screen)) break;
            for (HWND c : cur->children) {
                Window* cw = find(c);
                if (!cw || !cw->visibleFlag() || !cw->enabledFlag()) continue;
                if (cw->cls->transparentToMouse && cw->cls->transparentToMouse(cw->style)) continue;
                if (!contains(screenRect(*cw), screen)) continue;
                found = c;
                descended = true;
                break;
            }
        }
        return found;
    }
    return {};
}

HWND WindowSystem::create(const CREATESTRUCT& cs, WindowClass& cls) {
    auto w = std::make_unique<Window>();
    const HWND h(nextHandle++);
    w->handle = h;
    w->cls = &cls;
    w->style = cs.style;
    w->exStyle = cs.dwExStyle;
    w->text = cs.lpszName ? cs.lpszName : "";
    w->instance = cs.hInstance;
    w->extra.assign(static_cast<std::size_t>((cls.wndExtraBytes + 7) / 8), 0);
    if (cls.isDialog) w->dialog = std::make_unique<DialogInfo>();
    if (cs.style & WS_CHILD) {
        w->parent = cs.hwndParent;
        w->id = cs.id;
    } else {
        // A top-level window's "parent" is its owner: always a top-level window.
        w->owner = cs.hwndParent ? root(cs.hwndParent) : HWND();
        if (w->exStyle & WS_EX_CONTROLPARENT) w->exStyle &= ~WS_EX_CONTROLPARENT;
        // A window owned by a top-most window is top-most too, so that it never hides behind its owner
        // (a message box of an always-on-top dialog).
        if (const Window* o = find(w->owner); o && (o->exStyle & WS_EX_TOPMOST)) w->exStyle |= WS_EX_TOPMOST;
    }
    w->rect = {cs.x, cs.y, cs.x + std::max(0, cs.cx), cs.y + std::max(0, cs.cy)};
    w->style &= ~WS_VISIBLE;  // shown after creation, as the platform does
    Window* raw = w.get();
    windows.emplace(h.value(), std::move(w));
    if (raw->isChild()) {
        require(raw->parent).children.push_back(h);  // new children go to the bottom of the z-order
    } else {
        // New top-level windows go on top, below top-most windows unless top-most themselves.
        insertOnTop(topLevels, *raw);
    }
    touch();

    if (pendingAttach) {
        CWnd* obj = pendingAttach;
        pendingAttach = nullptr;
        raw->object = obj;
        obj->m_hWnd = h;
    }

    CREATESTRUCT c = cs;
    c.style = raw->style;
    c.lpszClass = cls.name.c_str();
    if (!SendMessage(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&c))) {
        DestroyWindow(h);
        return {};
    }
    if (SendMessage(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&c)) == -1) {
        DestroyWindow(h);
        return {};
    }
    if (!find(h)) return {};
    const SIZE sz = clientSize(*raw);
    SendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(sz.cx), static_cast<WORD>(sz.cy)));
    SendMessage(h, WM_MOVE, 0, MAKEPOINTLPARAM(raw->rect.left, raw->rect.top));
    if (!find(h)) return {};
    if (cs.style & WS_VISIBLE) ShowWindow(h, SW_SHOW);
    return find(h) ? h : HWND();
}

namespace {
void collectSubtree(WindowSystem& ws, HWND h, std::vector<HWND>& out) {
    out.push_back(h);
    if (Window* w = ws.find(h)) {
        for (HWND c : std::vector<HWND>(w->children)) collectSubtree(ws, c, out);
    }
}

void sendDestroyMessages(WindowSystem& ws, HWND h) {
    // WM_DESTROY reaches a window before its children, WM_NCDESTROY after them. Each is sent once: when a
    // handler destroys an ancestor meanwhile, that destruction completes what is still to be sent.
    Window* self = ws.find(h);
    if (!self) return;
    if (!self->destroySent) {
        self->destroySent = true;
        SendMessage(h, WM_DESTROY, 0, 0);
    }
    if (Window* w = ws.find(h)) {
        for (HWND c : std::vector<HWND>(w->children)) sendDestroyMessages(ws, c);
    }
    Window* w = ws.find(h);
    if (!w || w->ncDestroySent) return;
    w->ncDestroySent = true;
    SendMessage(h, WM_NCDESTROY, 0, 0);
    if (!(w = ws.find(h))) return;
    killWindowTimers(h);
    if (w->dialog && w->dialog->ownedFont) {
        DeleteObject(w->dialog->ownedFont);
        w->dialog->ownedFont = HFONT();
    }
    if (w->wrapper) w->wrapper->m_hWnd = HWND();
    if (CWnd* obj = w->object) {
        w->object = nullptr;
        obj->m_hWnd = HWND();
        obj->PostNcDestroy();
    }
}
}  // namespace

bool WindowSystem::destroy(HWND h) {
    Window* w = find(h);
    if (!w || w->destroying) return false;
    const bool wasActive = (active == h);
    const HWND owner = w->owner;

    // Owned top-level windows go first, as on the platform.
    if (!w->isChild()) {
        for (HWND t : std::vector<HWND>(topLevels)) {
            Window* o = find(t);
            if (o && o->owner == h && !o->destroying) destroy(t);
        }
        w = find(h);
        if (!w || w->destroying) return false;
    }

    std::vector<HWND> subtree;
    collectSubtree(*this, h, subtree);
    for (HWND s : subtree) find(s)->destroying = true;

    // The focus and capture leave the tree without messages to it: a window being destroyed sends no
    // notifications (an edit losing the focus here must not apply its value).
    if (std::find(subtree.begin(), subtree.end(), focus) != subtree.end()) {
        Window* p = w->isChild() ? find(w->parent) : nullptr;
        focus = (p && !p->destroying) ? p->handle : HWND();
    }
    if (std::find(subtree.begin(), subtree.end(), capture) != subtree.end()) capture = HWND();
    if (w->visibleFlag()) {
        w->style &= ~WS_VISIBLE;
    }
    if (wasActive) active = HWND();
    if (mainWindow == h) mainWindow = HWND();

    sendDestroyMessages(*this, h);

    // Unlink and free (or bury, while a handler of one of them is still running). A handler that
    // destroyed an ancestor meanwhile has done this already.
    auto self = windows.find(h.value());
    if (self == windows.end()) return true;
    w = self->second.get();
    auto& siblings = siblingList(*w);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), h), siblings.end());
    for (HWND s : subtree) {
        auto it = windows.find(s.value());
        if (it == windows.end()) continue;
        Window* sw = it->second.get();
        sw->destroyed = true;
        sw->children.clear();
        if (sw->busy > 0) {
            graveyard.push_back(std::move(it->second));
        }
        windows.erase(it);
    }
    touch();
    if (wasActive) activateOther(owner);
    return true;
}

void WindowSystem::release(Window* w) {
    if (!w->destroyed || w->busy > 0) return;
    auto it = std::find_if(graveyard.begin(), graveyard.end(), [w](const auto& p) { return p.get() == w; });
    if (it != graveyard.end()) graveyard.erase(it);
}

void WindowSystem::activateOther(HWND preferred) {
    // The owner of the window that went away when it can take it, else the topmost visible, enabled
    // top-level window.
    Window* p = find(preferred);
    if (p && p->visibleFlag() && p->enabledFlag()) {
        setActive(preferred);
        return;
    }
    for (HWND t : topLevels) {
        Window* w = find(t);
        if (w && w->visibleFlag() && w->enabledFlag()) {
            setActive(t);
            return;
        }
    }
    setActive(HWND());
}

HWND WindowSystem::setActive(HWND h, bool fromSetFocus) {
    if (h) h = root(h);
    const HWND old = active;
    if (old == h) return old;
    if (old && find(old)) SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), HandleToParam(h));
    if (h && !find(h)) return old;
    active = h;
    if (!h) {
        focus = HWND();
        touch();
        return old;
    }
    // Activation brings the window to the top of its z-order band.
    if (auto it = std::find(topLevels.begin(), topLevels.end(), h); it != topLevels.end()) {
        topLevels.erase(it);
        insertOnTop(topLevels, *find(h));
        // The windows it owns stay above it (a modeless dialog over the main window it belongs to), in
        // their order.
        std::vector<HWND> owned;
        for (HWND t : topLevels) {
            const Window* o = find(t);
            for (HWND up = o ? o->owner : HWND(); up; up = find(up) ? find(up)->owner : HWND())
                if (up == h) {
                    owned.push_back(t);
                    break;
                }
        }
        for (auto o = owned.rbegin(); o != owned.rend(); ++o) {
            topLevels.erase(std::find(topLevels.begin(), topLevels.end(), *o));
            insertOnTop(topLevels, *find(*o));
        }
    }
    // The focus leaves a window that is no longer in the active tree.
    if (focus && root(focus) != h) {
        const HWND lost = focus;
        focus = HWND();
        SendMessage(lost, WM_KILLFOCUS, 0, 0);
    }
    touch();
    const bool savedSuppress = suppressDialogFocusRestore;
    suppressDialogFocusRestore = fromSetFocus;
    SendMessage(h, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), HandleToParam(old));
    suppressDialogFocusRestore = savedSuppress;
    return old;
}

// The focus moves first, then the old window is told, then the new one, unless the old one's handler
// moved the focus elsewhere meanwhile (the platform's order).
HWND WindowSystem::setFocus(HWND h) {
    const HWND old = focus;
    if (h) {
        Window* w = find(h);
        if (!w || w->destroying) return {};
        // A disabled window cannot take the focus (code may focus a hidden one, as on the platform).
        if (!w->enabledFlag()) return {};
        const HWND r = root(h);
        if (r != active) {
            setActive(r, true);
            if (!find(h)) return {};
        }
    }
    if (focus == h) return old;
    const HWND previous = focus;
    focus = h;
    touch();
    if (previous && find(previous)) SendMessage(previous, WM_KILLFOCUS, HandleToParam(h), 0);
    if (h && focus == h && find(h)) SendMessage(h, WM_SETFOCUS, HandleToParam(previous), 0);
    return old;
}

bool WindowSystem::setPos(HWND h, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* w = find(h);
    if (!w) return false;
    if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        // The window may adjust where it goes (a combo box keeps its field height).
        WINDOWPOS pos;
        pos.hwnd = h;
        pos.hwndInsertAfter = insertAfter;
        pos.x = x;
        pos.y = y;
        pos.cx = cx;
        pos.cy = cy;
        pos.flags = flags;
        SendMessage(h, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if (!(w = find(h))) return false;
        x = pos.x;
        y = pos.y;
        cx = pos.cx;
        cy = pos.cy;
    }
    RECT r = w->rect;
    if (!(flags & SWP_NOMOVE)) {
        const int wd = r.right - r.left, ht = r.bottom - r.top;
        r = {x, y, x + wd, y + ht};
    }
    if (!(flags & SWP_NOSIZE)) {
        cx = std::max(0, cx);
        cy = std::max(0, cy);
        // Top-level windows that can be resized keep their minimum and maximum tracking sizes.
        if (!w->isChild() && ((w->style & WS_THICKFRAME) || !(w->style & WS_POPUP))) {
            const SIZE screen = screenSize();
            MINMAXINFO mmi;
            const Insets in = nonClientInsets(*w);
            mmi.ptMinTrackSize = {in.left + in.right, in.top + in.bottom};
            mmi.ptMaxTrackSize = {screen.cx + 10, screen.cy + 10};
            mmi.ptMaxSize = {screen.cx + 10, screen.cy + 10};
            SendMessage(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
            w = find(h);
            if (!w) return false;
            cx = std::clamp<int>(cx, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
            cy = std::clamp<int>(cy, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
        }
        r.right = r.left + cx;
        r.bottom = r.top + cy;
    }
    const bool moved = r.left != w->rect.left || r.top != w->rect.top;
    const bool sized = (r.right - r.left) != (w->rect.right - w->rect.left) ||
                       (r.bottom - r.top) != (w->rect.bottom - w->rect.top);
    w->rect = r;

    if (!(flags & SWP_NOZORDER)) {
        auto& list = siblingList(*w);
        auto it = std::find(list.begin(), list.end(), h);
        if (it != list.end()) {
            if (insertAfter == HWND_TOPMOST && !w->isChild()) w->exStyle |= WS_EX_TOPMOST;
            if (insertAfter == HWND_NOTOPMOST && !w->isChild()) w->exStyle &= ~WS_EX_TOPMOST;
            list.erase(it);
            if (insertAfter == HWND_BOTTOM) {
                list.push_back(h);
            } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
                insertOnTop(list, *w);
            } else {
                auto after = std::find(list.begin(), list.end(), insertAfter);
                list.insert(after == list.end() ? list.begin() : after + 1, h);
            }
        }
    }
    touch();
    if (flags & SWP_SHOWWINDOW) ShowWindow(h, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(h, SW_HIDE);
    if (sized) {
        const SIZE sz = clientSize(*w);
        SendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(sz.cx), static_cast<WORD>(sz.cy)));
    }
    if (moved && find(h)) SendMessage(h, WM_MOVE, 0, MAKEPOINTLPARAM(r.left, r.top));
    return true;
}

void notifyParent(Window& control, WORD code) {
    auto& ws = WindowSystem::get();
    if (control.destroying || !control.parent) return;
    Window* p = ws.find(control.parent);
    if (!p || p->destroying) return;
    SendMessage(control.parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(control.id), code),
                HandleToParam(control.handle));
}

LRESULT notifyParentNotify(Window& control, UINT code) {
    auto& ws = WindowSystem::get();
    if (control.destroying || !control.parent) return 0;
    Window* p = ws.find(control.parent);
    if (!p || p->destroying) return 0;
    NMHDR hdr;
    hdr.hwndFrom = control.handle;
    hdr.idFrom = static_cast<UINT_PTR>(control.id);
    hdr.code = code;
    return SendMessage(control.parent, WM_NOTIFY, static_cast<WPARAM>(control.id), reinterpret_cast<LPARAM>(&hdr));
}

}  // namespace vtl::win::detail

namespace vtl::win {
SIZE screenSize() { return {detail::kScreenWidth, detail::kScreenHeight}; }
void setMainWindow(HWND h) { detail::WindowSystem::get().mainWindow = h; }
HWND mainWindow() { return detail::WindowSystem::get().mainWindow; }
}  // namespace vtl::win
