// The "LISTBOX" class: a single-selection list of text items with data, scrolling by a top index.
#include <algorithm>

#include "item_list.h"
#include "gfx/text_layout.h"
#include "json_writer.h"
#include "look.h"
#include "pump_internal.h"
#include "utf8.h"
#include "window_system.h"
#include "win/keys.h"
#include "win/pump.h"

namespace vtl::win::detail {
namespace {
constexpr int kDefaultItemHeight = 16;

struct ListBoxState : ControlState {
    ItemList items;
    int selected = -1;
    int top = 0;
    int itemHeight = kDefaultItemHeight;
    void describe(JsonWriter& j) const override {
        j.key("items").beginArray();
        for (int i = 0; i < items.count(); ++i) j.value(items.at(i).text);
        j.endArray();
        j.key("selected").value(selected);
        j.key("top").value(top);
    }
    bool paint(const Window& w, PaintContext& pc) const override {
        auto& l = pc.list;
        const SIZE cs = WindowSystem::get().clientSize(w);
        l.fillRect({0, 0, cs.cx, cs.cy}, pc.enabled ? sys(COLOR_WINDOW) : sys(COLOR_BTNFACE));
        for (int i = top; i < items.count(); ++i) {
            const int y = (i - top) * itemHeight;
            if (y >= cs.cy) break;
            const bool sel = i == selected;
            if (sel) l.fillRect({0, y, cs.cx, y + itemHeight}, pc.focused ? sys(COLOR_HIGHLIGHT) : sys(COLOR_BTNFACE));
            const COLORREF ink = !pc.enabled ? sys(COLOR_GRAYTEXT) : (sel && pc.focused) ? sys(COLOR_HIGHLIGHTTEXT) : sys(COLOR_WINDOWTEXT);
            label(l, {2, y, cs.cx - 2, y + itemHeight}, items.at(i).text, pc.font, ink,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            if (sel && pc.focused) focusRect(l, {0, y, cs.cx, y + itemHeight});
        }
        return true;
    }
};

ListBoxState& stateOf(Window& w) {
    if (!w.state) w.state = std::make_unique<ListBoxState>();
    return static_cast<ListBoxState&>(*w.state);
}

int visibleCount(WindowSystem& ws, Window& w, const ListBoxState& s) {
    return std::max(1, static_cast<int>(ws.clientSize(w).cy) / std::max(1, s.itemHeight));
}

void ensureVisible(WindowSystem& ws, Window& w, ListBoxState& s, int index) {
    if (!s.items.valid(index)) return;
    const int n = visibleCount(ws, w, s);
    if (index < s.top) s.top = index;
    if (index >= s.top + n) s.top = index - n + 1;
}

void notify(Window& w, WORD code) {
    if (w.style & LBS_NOTIFY) notifyParent(w, code);
}

// A person's selection: moves the selection and tells the parent.
void select(HWND h, int index) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    ListBoxState& s = stateOf(*w);
    if (!s.items.valid(index)) return;
    s.selected = index;
    ensureVisible(ws, *w, s, index);
    ws.touch();
    notify(*w, LBN_SELCHANGE);
}

int itemAt(WindowSystem& ws, Window& w, ListBoxState& s, POINT client) {
    const SIZE cs = ws.clientSize(w);
    if (client.x < 0 || client.y < 0 || client.x >= cs.cx || client.y >= cs.cy) return -1;
    const int i = s.top + client.y / std::max(1, s.itemHeight);
    return s.items.valid(i) ? i : -1;
}
}  // namespace

LRESULT ListBoxProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w) return 0;
    ListBoxState& s = stateOf(*w);
    const int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        const int at = s.items.insert(msg == LB_ADDSTRING ? -1 : index, text, msg == LB_ADDSTRING && (w->style & LBS_SORT));
        if (s.selected >= at) ++s.selected;
        ws.touch();
        return at;
    }
    case LB_DELETESTRING:
        if (!s.items.erase(index)) return LB_ERR;
        if (s.selected == index) s.selected = -1;
        else if (s.selected > index) --s.selected;
        s.top = std::clamp(s.top, 0, std::max(0, s.items.count() - 1));
        ws.touch();
        return s.items.count();
    case LB_RESETCONTENT:
        s.items.clear();
        s.selected = -1;
        s.top = 0;
        ws.touch();
        return 0;
    case LB_GETCOUNT:
        return s.items.count();
    case LB_SETCURSEL:
        s.selected = s.items.valid(index) ? index : -1;
        ensureVisible(ws, *w, s, s.selected);
        ws.touch();
        return s.selected < 0 ? LB_ERR : s.selected;
    case LB_GETCURSEL:
        return s.selected;
    case LB_GETTEXT:
        // The text comes back in the std::string lParam points at.
        if (!s.items.valid(index) || !lParam) return LB_ERR;
        *reinterpret_cast<std::string*>(lParam) = s.items.at(index).text;
        return codePointCountOf(s.items.at(index).text);
    case LB_GETTEXTLEN:
        return s.items.valid(index) ? codePointCountOf(s.items.at(index).text) : LB_ERR;
    case LB_GETITEMDATA:
        return s.items.valid(index) ? s.items.at(index).data : LB_ERR;
    case LB_SETITEMDATA:
        if (!s.items.valid(index)) return LB_ERR;
        s.items.at(index).data = lParam;
        return 0;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
        const std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        const int found = msg == LB_FINDSTRINGEXACT ? s.items.findExact(index, text) : s.items.findPrefix(index, text);
        if (found < 0) return LB_ERR;
        if (msg == LB_SELECTSTRING) {
            s.selected = found;
            ensureVisible(ws, *w, s, found);
            ws.touch();
        }
        return found;
    }
    case LB_GETTOPINDEX:
        return s.top;
    case LB_SETTOPINDEX:
        if (!s.items.valid(index)) return LB_ERR;
        s.top = index;
        ws.touch();
        return 0;
    case LB_GETITEMHEIGHT:
        return s.itemHeight;
    case LB_SETITEMHEIGHT:
        s.itemHeight = std::clamp(static_cast<int>(LOWORD(static_cast<DWORD_PTR>(lParam))), 1, 255);
        ws.touch();
        return 0;
    case LB_GETITEMRECT: {
        if (!s.items.valid(index) || !lParam) return LB_ERR;
        const SIZE cs = ws.clientSize(*w);
        const int y = (index - s.top) * s.itemHeight;
        *reinterpret_cast<RECT*>(lParam) = {0, y, cs.cx, y + s.itemHeight};
        return 0;
    }
    case LB_ITEMFROMPOINT: {
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const int i = itemAt(ws, *w, s, p);
        return i < 0 ? MAKELONG(static_cast<WORD>(std::max(0, s.items.count() - 1)), 1) : MAKELONG(static_cast<WORD>(i), 0);
    }
    case WM_LBUTTONDOWN: {
        if (ws.focus != h) SetFocus(h);
        if (!(w = ws.find(h))) return 0;
        const int i = itemAt(ws, *w, stateOf(*w), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (i >= 0) select(h, i);
        return 0;
    }
    case WM_LBUTTONDBLCLK: {
        const int i = itemAt(ws, *w, s, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (i >= 0) notify(*w, LBN_DBLCLK);
        return 0;
    }
    case WM_MOUSEWHEEL: {
        const int lines = -static_cast<short>(HIWORD(wParam)) / 120 * 3;
        s.top = std::clamp(s.top + lines, 0, std::max(0, s.items.count() - visibleCount(ws, *w, s)));
        ws.touch();
        return 0;
    }
    case WM_KEYDOWN: {
        const int n = s.items.count();
        if (n == 0) return 0;
        const int page = visibleCount(ws, *w, s);
        int to = s.selected;
        switch (wParam) {
        case VK_UP: to = std::max(0, s.selected - 1); break;
        case VK_DOWN: to = std::min(n - 1, s.selected + 1); break;
        case VK_HOME: to = 0; break;
        case VK_END: to = n - 1; break;
        case VK_PRIOR: to = std::max(0, s.selected - page); break;
        case VK_NEXT: to = std::min(n - 1, s.selected + page); break;
        default: return 0;
        }
        if (to != s.selected) select(h, to);
        return 0;
    }
    case WM_CHAR: {
        // Typing a character selects the next item that starts with it.
        std::string ch;
        appendUtf8(ch, static_cast<char32_t>(wParam));
        const int found = s.items.findPrefix(s.selected, ch);
        if (found >= 0 && found != s.selected) select(h, found);
        return 0;
    }
    case WM_SETFOCUS:
        notify(*w, LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        notify(*w, LBN_KILLFOCUS);
        return 0;
    case WMX_SELECT_ITEM: {
        auto* req = reinterpret_cast<SelectRequest*>(lParam);
        const int i = s.items.findExact(-1, *req->item);
        if (i < 0) {
            *req->error = "the list has no item \"" + *req->item + "\"";
            return FALSE;
        }
        // Scroll it into view as a person would, then click it.
        req->actions->emplace_back(std::function<void()>([h, i] {
            Window* lw = WindowSystem::get().find(h);
            if (!lw) return;
            ensureVisible(WindowSystem::get(), *lw, stateOf(*lw), i);
            RECT r{};
            SendMessage(h, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
            POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            ClientToScreen(h, &p);
            deliverInput(InputEvent::mouse(InputEvent::Kind::MouseDown, p.x, p.y));
            deliverInput(InputEvent::mouse(InputEvent::Kind::MouseUp, p.x, p.y));
        }));
        return TRUE;
    }
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

}  // namespace vtl::win::detail
