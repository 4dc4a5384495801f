// The "SysTabControl32" class: a row of tabs along the top; a click on another tab asks the parent
// (TCN_SELCHANGING, which may refuse) and then tells it (TCN_SELCHANGE), both through WM_NOTIFY.
#include <algorithm>

#include "gfx/text_layout.h"
#include "json_writer.h"
#include "look.h"
#include "text_metrics.h"
#include "window_system.h"
#include "win/keys.h"

namespace vtl::win::detail {
namespace {
constexpr int kTabHeight = 20;
constexpr int kTabPadding = 12;
constexpr int kRowTop = 2;
constexpr int kBorder = 4;

struct Tab {
    std::string text;
    LPARAM param = 0;
};

struct TabState : ControlState {
    std::vector<Tab> tabs;
    int selected = -1;
    void describe(JsonWriter& j) const override {
        j.key("tabs").beginArray();
        for (const auto& t : tabs) j.value(t.text);
        j.endArray();
        j.key("selected").value(selected);
    }
    bool paint(const Window& w, PaintContext& pc) const override;
};

TabState& stateOf(Window& w) {
    if (!w.state) w.state = std::make_unique<TabState>();
    return static_cast<TabState&>(*w.state);
}

// Tab rectangles in client coordinates: one row, each as wide as its text plus padding.
RECT tabRect(const Window& w, const TabState& s, int index) {
    int x = 2;
    for (int i = 0; i < index; ++i) x += measureText(w.font, s.tabs[static_cast<std::size_t>(i)].text).cx + kTabPadding;
    const int width = measureText(w.font, s.tabs[static_cast<std::size_t>(index)].text).cx + kTabPadding;
    return {x, kRowTop, x + width, kRowTop + kTabHeight};
}

bool TabState::paint(const Window& w, PaintContext& pc) const {
    auto& l = pc.list;
    const SIZE cs = WindowSystem::get().clientSize(w);
    l.fillRect({0, 0, cs.cx, cs.cy}, sys(COLOR_BTNFACE));
    raisedEdge(l, {0, kRowTop + kTabHeight, cs.cx, cs.cy});
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
        RECT r = tabRect(w, *this, i);
        const bool sel = i == selected;
        if (sel) r = {r.left - 2, r.top - 2, r.right + 2, r.bottom + 1};
        l.fillRect(r, sys(COLOR_BTNFACE));
        l.fillRect({r.left, r.top, r.right - 1, r.top + 1}, sys(COLOR_BTNHIGHLIGHT));
        l.fillRect({r.left, r.top, r.left + 1, r.bottom}, sys(COLOR_BTNHIGHLIGHT));
        l.fillRect({r.right - 1, r.top + 1, r.right, r.bottom}, sys(COLOR_3DDKSHADOW));
        l.fillRect({r.right - 2, r.top + 1, r.right - 1, r.bottom}, sys(COLOR_BTNSHADOW));
        label(l, r, tabs[static_cast<std::size_t>(i)].text, pc.font, pc.enabled ? sys(COLOR_BTNTEXT) : sys(COLOR_GRAYTEXT),
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (sel && pc.focused) focusRect(l, {r.left + 3, r.top + 3, r.right - 3, r.bottom - 3});
    }
    return true;
}

int tabAt(const Window& w, const TabState& s, POINT p) {
    for (int i = 0; i < static_cast<int>(s.tabs.size()); ++i)
        if (CRect(tabRect(w, s, i)).PtInRect(p)) return i;
    return -1;
}

// A person's choice of tab.
void choose(HWND h, int index) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w || index == stateOf(*w).selected || index < 0 || index >= static_cast<int>(stateOf(*w).tabs.size())) return;
    if (notifyParentNotify(*w, TCN_SELCHANGING)) return;  // the parent keeps the current tab
    if (!(w = ws.find(h))) return;
    stateOf(*w).selected = index;
    ws.touch();
    notifyParentNotify(*w, TCN_SELCHANGE);
}
}  // namespace

LRESULT TabControlProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w) return 0;
    TabState& s = stateOf(*w);
    const int count = static_cast<int>(s.tabs.size());
    const int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case TCM_GETITEMCOUNT:
        return count;
    case TCM_INSERTITEM: {
        const auto* item = reinterpret_cast<const TCITEM*>(lParam);
        if (!item || index < 0) return -1;
        const int at = std::min(index, count);
        Tab t;
        if (item->mask & TCIF_TEXT) t.text = item->pszText ? item->pszText : item->text;
        if (item->mask & TCIF_PARAM) t.param = item->lParam;
        s.tabs.insert(s.tabs.begin() + at, std::move(t));
        if (s.selected < 0) s.selected = 0;
        else if (s.selected >= at && count > 0) ++s.selected;
        ws.touch();
        return at;
    }
    case TCM_SETITEM:
    case TCM_GETITEM: {
        auto* item = reinterpret_cast<TCITEM*>(lParam);
        if (!item || index < 0 || index >= count) return FALSE;
        Tab& t = s.tabs[static_cast<std::size_t>(index)];
        if (msg == TCM_SETITEM) {
            if (item->mask & TCIF_TEXT) t.text = item->pszText ? item->pszText : item->text;
            if (item->mask & TCIF_PARAM) t.param = item->lParam;
            ws.touch();
        } else {
            if (item->mask & TCIF_TEXT) item->text = t.text;
            if (item->mask & TCIF_PARAM) item->lParam = t.param;
        }
        return TRUE;
    }
    case TCM_DELETEITEM:
        if (index < 0 || index >= count) return FALSE;
        s.tabs.erase(s.tabs.begin() + index);
        if (s.selected == index) s.selected = s.tabs.empty() ? -1 : std::min(index, static_cast<int>(s.tabs.size()) - 1);
        else if (s.selected > index) --s.selected;
        ws.touch();
        return TRUE;
    case TCM_DELETEALLITEMS:
        s.tabs.clear();
        s.selected = -1;
        ws.touch();
        return TRUE;
    case TCM_GETCURSEL:
        return s.selected;
    case TCM_SETCURSEL: {
        // Set by code: no notification.
        if (index < 0 || index >= count) return -1;
        const int old = s.selected;
        s.selected = index;
        ws.touch();
        return old;
    }
    case TCM_GETITEMRECT:
        if (index < 0 || index >= count || !lParam) return FALSE;
        *reinterpret_cast<RECT*>(lParam) = tabRect(*w, s, index);
        return TRUE;
    case TCM_HITTEST:
        return lParam ? tabAt(*w, s, *reinterpret_cast<const POINT*>(lParam)) : -1;
    case TCM_ADJUSTRECT: {
        // FALSE: from the window's rectangle to the display area below the tabs; TRUE: the reverse.
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!r) return 0;
        const int top = kRowTop + kTabHeight + kBorder - 2;
        if (wParam) {
            r->left -= kBorder;
            r->right += kBorder;
            r->top -= top;
            r->bottom += kBorder;
        } else {
            r->left += kBorder;
            r->right -= kBorder;
            r->top += top;
            r->bottom -= kBorder;
        }
        return 0;
    }
    case WM_LBUTTONDOWN: {
        const int i = tabAt(*w, s, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (i < 0) return 0;
        if (ws.focus != h) SetFocus(h);
        choose(h, i);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_LEFT && s.selected > 0) choose(h, s.selected - 1);
        if (wParam == VK_RIGHT && s.selected + 1 < count) choose(h, s.selected + 1);
        return 0;
    case WMX_SELECT_ITEM: {
        auto* req = reinterpret_cast<SelectRequest*>(lParam);
        for (int i = 0; i < count; ++i) {
            if (s.tabs[static_cast<std::size_t>(i)].text != *req->item) continue;
            const RECT r = tabRect(*w, s, i);
            POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            ClientToScreen(h, &p);
            req->actions->emplace_back(InputEvent::mouse(InputEvent::Kind::MouseDown, p.x, p.y));
            req->actions->emplace_back(InputEvent::mouse(InputEvent::Kind::MouseUp, p.x, p.y));
            return TRUE;
        }
        *req->error = "the tab control has no tab \"" + *req->item + "\"";
        return FALSE;
    }
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

}  // namespace vtl::win::detail
