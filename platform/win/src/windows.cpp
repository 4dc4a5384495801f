// Tree, state, geometry, focus and capture functions of the window system.
#include <algorithm>
#include <map>

#include "pump_internal.h"
#include "utf8.h"
#include "window_system.h"
#include "win/window_tree.h"
#include "win/keys.h"

using namespace vtl::win::detail;

namespace {
WindowSystem& sys() { return WindowSystem::get(); }
}  // namespace

BOOL SetWindowText(HWND h, const char* text) {
    if (!sys().find(h)) return FALSE;
    return SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

std::string GetWindowText(HWND h) {
    Window* w = sys().find(h);
    return w ? w->text : std::string();
}

int GetWindowTextLength(HWND h) {
    Window* w = sys().find(h);
    return w ? codePointCount(w->text) : 0;
}

HWND GetParent(HWND h) {
    Window* w = sys().find(h);
    if (!w) return {};
    if (w->isChild()) return w->parent;
    return (w->style & WS_POPUP) ? w->owner : HWND();
}

HWND SetParent(HWND child, HWND newParent) {
    Window* w = sys().find(child);
    Window* p = sys().find(newParent);
    if (!w || !p || !w->isChild() || sys().isDescendant(child, newParent) || child == newParent) return {};
    const HWND old = w->parent;
    auto& siblings = sys().siblingList(*w);
    siblings.erase(std::remove(siblings.begin(), siblings.end(), child), siblings.end());
    w->parent = newParent;
    p->children.insert(p->children.begin(), child);
    sys().touch();
    return old;
}

HWND GetWindow(HWND h, UINT relation) {
    auto& ws = sys();
    Window* w = ws.find(h);
    if (!w) return {};
    if (relation == GW_CHILD) return w->children.empty() ? HWND() : w->children.front();
    if (relation == GW_OWNER) return w->isChild() ? HWND() : w->owner;
    const auto& list = ws.siblingList(*w);
    auto it = std::find(list.begin(), list.end(), h);
    if (it == list.end()) return {};
    switch (relation) {
    case GW_HWNDFIRST:
        return list.front();
    case GW_HWNDLAST:
        return list.back();
    case GW_HWNDNEXT:
        return (it + 1 == list.end()) ? HWND() : *(it + 1);
    case GW_HWNDPREV:
        return (it == list.begin()) ? HWND() : *(it - 1);
    default:
        return {};
    }
}

HWND GetAncestor(HWND h, UINT relation) {
    auto& ws = sys();
    Window* w = ws.find(h);
    if (!w) return {};
    switch (relation) {
    case GA_PARENT:
        return w->isChild() ? w->parent : HWND();
    case GA_ROOT:
        return ws.root(h);
    case GA_ROOTOWNER: {
        HWND r = ws.root(h);
        for (Window* o = ws.find(r); o && o->owner; o = ws.find(o->owner)) r = o->owner;
        return r;
    }
    default:
        return {};
    }
}

HWND GetTopWindow(HWND h) {
    if (!h) return sys().topLevels.empty() ? HWND() : sys().topLevels.front();
    return GetWindow(h, GW_CHILD);
}

BOOL IsChild(HWND parent, HWND h) { return sys().isDescendant(parent, h) ? TRUE : FALSE; }

HWND GetDlgItem(HWND dialog, int id) {
    Window* w = sys().find(dialog);
    if (!w) return {};
    for (HWND c : w->children) {
        Window* cw = sys().find(c);
        if (cw && cw->id == id) return c;
    }
    return {};
}

int GetDlgCtrlID(HWND h) {
    Window* w = sys().find(h);
    return (w && w->isChild()) ? w->id : 0;
}

BOOL ShowWindow(HWND h, int command) {
    auto& ws = sys();
    Window* w = ws.find(h);
    if (!w) return FALSE;
    const bool wasVisible = w->visibleFlag();
    if (command == SW_HIDE) {
        if (!wasVisible) return FALSE;
        SendMessage(h, WM_SHOWWINDOW, FALSE, 0);
        if (!(w = ws.find(h))) return TRUE;
        w->style &= ~WS_VISIBLE;
        ws.touch();
        if (w->isChild()) {
            // A hidden window keeps no focus: it goes to the parent, as on the platform.
            if (ws.focus == h || ws.isDescendant(h, ws.focus)) SetFocus(w->parent);
        } else if (ws.active == h) {
            ws.activateOther(w->owner);
        }
        return TRUE;
    }
    if (!wasVisible) {
        SendMessage(h, WM_SHOWWINDOW, TRUE, 0);
        if (!(w = ws.find(h))) return FALSE;
        w->style |= WS_VISIBLE;
        ws.touch();
    }
    if (!w->isChild() && command != SW_SHOWNA && w->enabledFlag() && ws.active != h) ws.setActive(h);
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND h) { return sys().isVisible(h) ? TRUE : FALSE; }

BOOL EnableWindow(HWND h, BOOL enable) {
    auto& ws = sys();
    Window* w = ws.find(h);
    if (!w) return FALSE;
    const bool wasDisabled = !w->enabledFlag();
    if (enable == wasDisabled) {
        if (enable) {
            w->style &= ~WS_DISABLED;
        } else {
            w->style |= WS_DISABLED;
            // A disabled window cannot keep the focus.
            if (w->isChild() && (ws.focus == h || ws.isDescendant(h, ws.focus))) SetFocus(HWND());
        }
        ws.touch();
        SendMessage(h, WM_ENABLE, enable ? TRUE : FALSE, 0);
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND h) {
    Window* w = sys().find(h);
    return (w && w->enabledFlag()) ? TRUE : FALSE;
}

LONG_PTR GetWindowLongPtr(HWND h, int index) {
    Window* w = sys().find(h);
    if (!w) return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(w->exStyle);
    case GWL_ID:
        return w->id;
    case GWLP_USERDATA:
        return w->userData;
    default:
        if (index >= 0 && static_cast<std::size_t>(index / 8) < w->extra.size()) return w->extra[index / 8];
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND h, int index, LONG_PTR value) {
    Window* w = sys().find(h);
    if (!w) return 0;
    LONG_PTR old = 0;
    switch (index) {
    case GWL_STYLE:
        old = static_cast<LONG_PTR>(w->style);
        w->style = static_cast<DWORD>(value);
        break;
    case GWL_EXSTYLE:
        old = static_cast<LONG_PTR>(w->exStyle);
        w->exStyle = static_cast<DWORD>(value);
        break;
    case GWL_ID:
        old = w->id;
        w->id = static_cast<int>(value);
        break;
    case GWLP_USERDATA:
        old = w->userData;
        w->userData = value;
        break;
    default:
        if (index >= 0 && static_cast<std::size_t>(index / 8) < w->extra.size()) {
            old = w->extra[index / 8];
            w->extra[index / 8] = value;
        }
        break;
    }
    sys().touch();
    return old;
}

BOOL GetWindowRect(HWND h, RECT* rect) {
    Window* w = sys().find(h);
    if (!w || !rect) return FALSE;
    *rect = sys().screenRect(*w);
    return TRUE;
}

BOOL GetClientRect(HWND h, RECT* rect) {
    Window* w = sys().find(h);
    if (!w || !rect) return FALSE;
    const SIZE s = sys().clientSize(*w);
    *rect = {0, 0, s.cx, s.cy};
    return TRUE;
}

BOOL ClientToScreen(HWND h, POINT* point) {
    Window* w = sys().find(h);
    if (!w || !point) return FALSE;
    const POINT o = sys().clientOrigin(*w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND h, POINT* point) {
    Window* w = sys().find(h);
    if (!w || !point) return FALSE;
    const POINT o = sys().clientOrigin(*w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    POINT a{0, 0}, b{0, 0};
    if (from) {
        Window* w = sys().find(from);
        if (!w) return 0;
        a = sys().clientOrigin(*w);
    }
    if (to) {
        Window* w = sys().find(to);
        if (!w) return 0;
        b = sys().clientOrigin(*w);
    }
    const int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL) {
    return SetWindowPos(h, HWND(), x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL SetWindowPos(HWND h, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    return sys().setPos(h, insertAfter, x, y, width, height, flags) ? TRUE : FALSE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD exStyle) {
    if (!rect) return FALSE;
    Window probe;
    probe.style = style;
    probe.exStyle = exStyle;
    const Insets in = sys().nonClientInsets(probe);
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}

HWND WindowFromPoint(POINT screenPoint) { return sys().hitTest(screenPoint); }

HWND ChildWindowFromPoint(HWND parent, POINT clientPoint) {
    Window* w = sys().find(parent);
    if (!w) return {};
    const SIZE s = sys().clientSize(*w);
    if (clientPoint.x < 0 || clientPoint.y < 0 || clientPoint.x >= s.cx || clientPoint.y >= s.cy) return {};
    for (HWND c : w->children) {
        Window* cw = sys().find(c);
        if (cw && CRect(cw->rect).PtInRect(clientPoint)) return c;
    }
    return parent;
}

namespace {
struct DeferredMove {
    HWND h;
    HWND insertAfter;
    int x, y, cx, cy;
    UINT flags;
};
std::map<int, std::vector<DeferredMove>>& deferBatches() {
    static std::map<int, std::vector<DeferredMove>> batches;
    return batches;
}
int nextDeferHandle = 1;
}  // namespace

HDWP BeginDeferWindowPos(int count) {
    const int h = nextDeferHandle++;
    deferBatches()[h].reserve(static_cast<std::size_t>(std::max(0, count)));
    return HDWP(h);
}

HDWP DeferWindowPos(HDWP batch, HWND h, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    auto it = deferBatches().find(batch.value());
    if (it == deferBatches().end() || !sys().find(h)) return {};
    it->second.push_back({h, insertAfter, x, y, width, height, flags});
    return batch;
}

BOOL EndDeferWindowPos(HDWP batch) {
    auto it = deferBatches().find(batch.value());
    if (it == deferBatches().end()) return FALSE;
    const auto moves = std::move(it->second);
    deferBatches().erase(it);
    for (const auto& m : moves) SetWindowPos(m.h, m.insertAfter, m.x, m.y, m.cx, m.cy, m.flags);
    return TRUE;
}

int GetSystemMetrics(int index) {
    const SIZE s = vtl::win::screenSize();
    switch (index) {
    case SM_CXSCREEN:
        return s.cx;
    case SM_CYSCREEN:
        return s.cy;
    case SM_CYCAPTION:
        return 15;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 5;
    default:
        return 0;
    }
}

HWND SetFocus(HWND h) { return sys().setFocus(h); }
HWND GetFocus() { return sys().focus; }
HWND SetActiveWindow(HWND h) { return sys().setActive(h); }
HWND GetActiveWindow() { return sys().active; }
BOOL SetForegroundWindow(HWND h) {
    if (!sys().find(h)) return FALSE;
    sys().setActive(h);
    return TRUE;
}
HWND GetForegroundWindow() { return sys().active; }

HWND SetCapture(HWND h) {
    auto& ws = sys();
    const HWND old = ws.capture;
    if (!ws.find(h)) return old;
    ws.capture = h;
    if (old && old != h) SendMessage(old, WM_CAPTURECHANGED, 0, HandleToParam(h));
    return old;
}

BOOL ReleaseCapture() {
    auto& ws = sys();
    const HWND old = ws.capture;
    ws.capture = HWND();
    if (old) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() { return sys().capture; }

BOOL GetCursorPos(POINT* point) {
    if (!point) return FALSE;
    *point = sys().cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    sys().cursor = {x, y};
    return TRUE;
}

short GetKeyState(int virtualKey) { return keyIsDown(static_cast<UINT>(virtualKey)) ? static_cast<short>(-32768) : 0; }
short GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }

BOOL SetDlgItemText(HWND dialog, int id, const char* text) { return SetWindowText(GetDlgItem(dialog, id), text); }

std::string GetDlgItemText(HWND dialog, int id) { return GetWindowText(GetDlgItem(dialog, id)); }

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    const std::string s =
        isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(static_cast<unsigned>(value));
    return SetDlgItemText(dialog, id, s.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated) *translated = FALSE;
    const HWND item = GetDlgItem(dialog, id);
    if (!item) return 0;
    const std::string s = GetWindowText(item);
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (isSigned && i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return 0;
    unsigned long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + static_cast<unsigned>(s[i] - '0');
        if (v > 0xFFFFFFFFull) return 0;  // does not fit: not translated
    }
    while (i < s.size() && s[i] == ' ') ++i;
    if (i != s.size()) return 0;
    if (isSigned && v > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return 0;
    if (translated) *translated = TRUE;
    return negative ? static_cast<UINT>(-static_cast<long long>(v)) : static_cast<UINT>(v);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND item = GetDlgItem(dialog, id);
    if (!item) return FALSE;
    SendMessage(item, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<UINT>(SendMessage(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    for (int id = firstId; id <= lastId; ++id) {
        if (const HWND item = GetDlgItem(dialog, id)) {
            SendMessage(item, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    return TRUE;
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    return SendMessage(GetDlgItem(dialog, id), msg, wParam, lParam);
}
