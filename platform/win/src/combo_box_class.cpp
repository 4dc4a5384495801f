// The "COMBOBOX" class: a drop-down list (CBS_DROPDOWNLIST), or an edit field with a list
// (CBS_DROPDOWN, the edit is a child "EDIT" with id 1001). The list drops as a pop-up window of the
// "ComboLBox" class below the field; the window's own height is the field's, the height it was given
// is kept as the drop-down height.
#include <algorithm>

#include "item_list.h"
#include "gfx/text_layout.h"
#include "json_writer.h"
#include "look.h"
#include "utf8.h"
#include "window_system.h"
#include "win/keys.h"

namespace vtl::win::detail {
namespace {
constexpr int kFieldHeight = 22;
constexpr int kItemHeight = 16;

struct ComboState : ControlState {
    ItemList items;
    int selected = -1;
    int dropHeight = 0;
    HWND edit;
    HWND list;          // the dropped list, while it is open
    int listTop = 0;
    int hot = -1;       // the item under the pointer or the arrow keys in the open list
    int selectedAtDrop = -1;
    bool quiet = false;  // the edit's text is being set by the combo itself: no CBN_EDITCHANGE
    void describe(JsonWriter& j) const override {
        j.key("items").beginArray();
        for (int i = 0; i < items.count(); ++i) j.value(items.at(i).text);
        j.endArray();
        j.key("selected").value(selected);
        j.key("dropped").value(static_cast<bool>(list));
        j.key("dropHeight").value(dropHeight);
    }
    bool paint(const Window& w, PaintContext& pc) const override;
};

// The dropped list's window: it paints the combo box's items.
struct ComboListState : ControlState {
    HWND combo;
    bool paint(const Window& w, PaintContext& pc) const override;
};

ComboState& stateOf(Window& w) {
    if (!w.state) w.state = std::make_unique<ComboState>();
    return static_cast<ComboState&>(*w.state);
}

bool hasEdit(const Window& w) { return (w.style & 3) == CBS_DROPDOWN; }
bool ownerDrawn(const Window& w) { return !hasEdit(w) && (w.style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)); }

bool ComboState::paint(const Window& w, PaintContext& pc) const {
    auto& l = pc.list;
    const SIZE cs = WindowSystem::get().clientSize(w);
    l.fillRect({0, 0, cs.cx, cs.cy}, pc.enabled ? sys(COLOR_WINDOW) : sys(COLOR_BTNFACE));
    sunkenEdge(l, {0, 0, cs.cx, cs.cy});
    const RECT button = comboButton(cs);
    l.fillRect(button, sys(COLOR_BTNFACE));
    raisedEdge(l, button, static_cast<bool>(list));
    arrow(l, button, true, pc.enabled ? sys(COLOR_BTNTEXT) : sys(COLOR_GRAYTEXT));
    if (!edit) {
        // A drop-down list shows its selection, highlighted while it has the focus.
        const RECT field = comboField(cs);
        if (ownerDrawn(w)) {
            // The owner draws the selected item into the field.
            UINT state = ODS_COMBOBOXEDIT;
            if (pc.focused) state |= ODS_SELECTED | ODS_FOCUS;
            if (!pc.enabled) state |= ODS_DISABLED;
            const DWORD_PTR data = items.valid(selected) ? static_cast<DWORD_PTR>(items.at(selected).data) : 0;
            ownerDrawItem(l, w.handle, w.handle, ODT_COMBOBOX, selected, state, field, data, pc.font);
            return true;  // `w` may be gone once the owner has drawn
        }
        if (pc.focused) l.fillRect(field, sys(COLOR_HIGHLIGHT));
        const COLORREF ink = !pc.enabled ? sys(COLOR_GRAYTEXT) : pc.focused ? sys(COLOR_HIGHLIGHTTEXT) : sys(COLOR_WINDOWTEXT);
        const TextPlace place = comboFieldText(cs);
        label(l, place.rect, w.text, pc.font, ink, place.format);
    }
    return true;
}

bool ComboListState::paint(const Window& lw, PaintContext& pc) const {
    Window* c = WindowSystem::get().find(combo);
    if (!c || !c->state) return false;
    const auto& s = static_cast<const ComboState&>(*c->state);
    auto& l = pc.list;
    const SIZE cs = WindowSystem::get().clientSize(lw);
    l.fillRect({0, 0, cs.cx, cs.cy}, sys(COLOR_WINDOW));
    if (ownerDrawn(*c)) {
        // The owner draws each visible item; the rows are taken first, as drawing may change the items.
        struct Row {
            int index;
            RECT rc;
            DWORD_PTR data;
            UINT state;
        };
        std::vector<Row> rows;
        for (int i = s.listTop; i < s.items.count(); ++i) {
            const int y = (i - s.listTop) * kItemHeight;
            if (y >= cs.cy) break;
            rows.push_back({i, {0, y, cs.cx, y + kItemHeight}, static_cast<DWORD_PTR>(s.items.at(i).data),
                            i == s.hot ? ODS_SELECTED : 0u});
        }
        const HWND comboHandle = combo, self = lw.handle;
        const HFONT font = c->font;
        for (const Row& r : rows) {
            if (!WindowSystem::get().find(comboHandle)) break;
            ownerDrawItem(l, comboHandle, self, ODT_COMBOBOX, r.index, r.state, r.rc, r.data, font);
        }
        return true;
    }
    for (int i = s.listTop; i < s.items.count(); ++i) {
        const int y = (i - s.listTop) * kItemHeight;
        if (y >= cs.cy) break;
        const RECT row{0, y, cs.cx, y + kItemHeight};
        const bool hot = i == s.hot;
        if (hot) l.fillRect(row, sys(COLOR_HIGHLIGHT));
        label(l, {2, y, cs.cx - 2, y + kItemHeight}, s.items.at(i).text, c->font,
              hot ? sys(COLOR_HIGHLIGHTTEXT) : sys(COLOR_WINDOWTEXT), DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    return true;
}

// The text shown in the field: the edit's for a drop-down, the selected item's for a drop-down list.
void showText(HWND combo, const std::string& text) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(combo);
    if (!w) return;
    ComboState& s = stateOf(*w);
    w->text = text;
    ws.touch();
    if (s.edit) {
        s.quiet = true;
        SetWindowText(s.edit, text.c_str());
        SendMessage(s.edit, EM_SETSEL, 0, -1);
        if ((w = ws.find(combo))) stateOf(*w).quiet = false;
    }
}

void showSelection(HWND combo) {
    Window* w = WindowSystem::get().find(combo);
    if (!w) return;
    ComboState& s = stateOf(*w);
    showText(combo, s.items.valid(s.selected) ? s.items.at(s.selected).text : std::string());
}

int visibleItems(const ComboState& s) {
    const int room = std::max(kItemHeight, s.dropHeight - kFieldHeight - 2);
    return std::max(1, std::min(s.items.count(), room / kItemHeight));
}

void closeList(HWND combo, bool accept);

void openList(HWND combo) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(combo);
    if (!w || stateOf(*w).list) return;
    notifyParent(*w, CBN_DROPDOWN);  // the parent may refill the items now
    if (!(w = ws.find(combo))) return;
    ComboState& s = stateOf(*w);
    s.selectedAtDrop = s.selected;
    s.hot = s.selected;
    const RECT field = ws.screenRect(*w);
    const int shown = std::max(1, visibleItems(s));
    s.listTop = std::clamp(s.selected - shown + 1, 0, std::max(0, s.items.count() - shown));
    const HWND list = CreateWindowEx(WS_EX_TOPMOST, "ComboLBox", "", WS_POPUP | WS_BORDER, field.left, field.bottom,
                                     field.right - field.left, shown * kItemHeight + 2, ws.root(combo), 0);
    if (!list || !(w = ws.find(combo))) return;
    stateOf(*w).list = list;
    SetWindowLongPtr(list, GWLP_USERDATA, combo.value());
    if (Window* lw = ws.find(list)) {
        auto state = std::make_unique<ComboListState>();
        state->combo = combo;
        lw->state = std::move(state);
    }
    ShowWindow(list, SW_SHOWNA);
    SetCapture(list);
}

void closeList(HWND combo, bool accept) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(combo);
    if (!w) return;
    ComboState& s = stateOf(*w);
    if (!s.list) return;
    const HWND list = s.list;
    s.list = HWND();
    const int chosen = s.hot;
    if (ws.capture == list) ReleaseCapture();
    DestroyWindow(list);
    if (!(w = ws.find(combo))) return;
    notifyParent(*w, accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (!(w = ws.find(combo))) return;
    notifyParent(*w, CBN_CLOSEUP);
    if (!(w = ws.find(combo))) return;
    ComboState& st = stateOf(*w);
    if (accept && st.items.valid(chosen) && chosen != st.selected) {
        // The selection changes and the parent hears it before the field shows the new text.
        st.selected = chosen;
        ws.touch();
        notifyParent(*w, CBN_SELCHANGE);
        showSelection(combo);
    }
}

// A step of the selection by the keyboard while the list is closed.
void moveSelection(HWND combo, int to) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(combo);
    ComboState& s = stateOf(*w);
    if (!s.items.valid(to) || to == s.selected) return;
    s.selected = to;
    ws.touch();
    notifyParent(*w, CBN_SELCHANGE);
    showSelection(combo);
}

bool handleKey(HWND combo, WPARAM key) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(combo);
    ComboState& s = stateOf(*w);
    const bool alt = GetKeyState(VK_MENU) < 0;
    if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
        if (s.list) closeList(combo, true);
        else openList(combo);
        return true;
    }
    if (s.list) {
        const int n = s.items.count();
        switch (key) {
        case VK_UP:
        case VK_DOWN: {
            s.hot = std::clamp(s.hot + (key == VK_UP ? -1 : 1), 0, std::max(0, n - 1));
            const int shown = visibleItems(s);
            if (s.hot < s.listTop) s.listTop = s.hot;
            if (s.hot >= s.listTop + shown) s.listTop = s.hot - shown + 1;
            ws.touch();
            return true;
        }
        case VK_RETURN:
            closeList(combo, true);
            return true;
        case VK_ESCAPE:
            closeList(combo, false);
            return true;
        default:
            return false;
        }
    }
    if (key == VK_UP) moveSelection(combo, s.selected <= 0 ? 0 : s.selected - 1);
    else if (key == VK_DOWN) moveSelection(combo, s.selected + 1);
    else if (key == VK_HOME && !hasEdit(*w)) moveSelection(combo, 0);
    else if (key == VK_END && !hasEdit(*w)) moveSelection(combo, s.items.count() - 1);
    else return false;
    return true;
}

bool focusInside(WindowSystem& ws, HWND combo) { return ws.focus == combo || ws.isDescendant(combo, ws.focus); }
}  // namespace

// Keys an edit inside a combo box hands to the combo box (arrows, F4, Enter and Escape while dropped).
bool comboHandlesEditKey(HWND edit, WPARAM key) {
    auto& ws = WindowSystem::get();
    Window* e = ws.find(edit);
    if (!e || !e->isChild()) return false;
    Window* c = ws.find(e->parent);
    if (!c || c->cls->proc != ComboBoxProc) return false;
    const bool dropped = static_cast<bool>(stateOf(*c).list);
    if (key == VK_UP || key == VK_DOWN || key == VK_F4 || (dropped && (key == VK_RETURN || key == VK_ESCAPE)))
        return handleKey(c->handle, key);
    return false;
}

bool comboIsDropped(HWND edit) {
    auto& ws = WindowSystem::get();
    Window* e = ws.find(edit);
    if (!e || !e->isChild()) return false;
    Window* c = ws.find(e->parent);
    return c && c->cls->proc == ComboBoxProc && stateOf(*c).list;
}

LRESULT ComboBoxProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w) return 0;
    ComboState& s = stateOf(*w);
    const int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
    switch (msg) {
    case WM_CREATE: {
        s.dropHeight = w->rect.bottom - w->rect.top;
        w->rect.bottom = w->rect.top + kFieldHeight;
        if (hasEdit(*w)) {
            const int editW = std::max(0, static_cast<int>(w->rect.right - w->rect.left) - kComboButtonWidth - 2);
            s.edit = CreateWindowEx(0, "EDIT", w->text.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 1, 1, editW,
                                    kFieldHeight - 2, h, kComboEditId);
        }
        return 0;
    }
    case WM_WINDOWPOSCHANGING: {
        // A new height is the drop-down height; the window keeps the field's.
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOSIZE)) {
            s.dropHeight = pos->cy;
            pos->cy = kFieldHeight;
            if (s.edit) MoveWindow(s.edit, 1, 1, std::max(0, pos->cx - kComboButtonWidth - 2), kFieldHeight - 2, TRUE);
        }
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (s.list ? DLGC_WANTALLKEYS : 0);
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        const int at = s.items.insert(msg == CB_ADDSTRING ? -1 : index, text, msg == CB_ADDSTRING && (w->style & CBS_SORT));
        if (s.selected >= at) ++s.selected;
        ws.touch();
        return at;
    }
    case CB_DELETESTRING:
        if (!s.items.erase(index)) return CB_ERR;
        if (s.selected == index) s.selected = -1;
        else if (s.selected > index) --s.selected;
        ws.touch();
        return s.items.count();
    case CB_RESETCONTENT:
        s.items.clear();
        s.selected = -1;
        if (!hasEdit(*w)) w->text.clear();
        ws.touch();
        return 0;
    case CB_GETCOUNT:
        return s.items.count();
    case CB_GETCURSEL:
        return s.selected;
    case CB_SETCURSEL:
        // Set by code: no notification; -1 or a bad index clears the selection.
        s.selected = s.items.valid(index) ? index : -1;
        showSelection(h);
        return s.items.valid(index) ? index : CB_ERR;
    case CB_GETLBTEXT:
        // The text comes back in the std::string lParam points at.
        if (!s.items.valid(index) || !lParam) return CB_ERR;
        *reinterpret_cast<std::string*>(lParam) = s.items.at(index).text;
        return codePointCountOf(s.items.at(index).text);
    case CB_GETLBTEXTLEN:
        return s.items.valid(index) ? codePointCountOf(s.items.at(index).text) : CB_ERR;
    case CB_GETITEMDATA:
        return s.items.valid(index) ? s.items.at(index).data : CB_ERR;
    case CB_SETITEMDATA:
        if (!s.items.valid(index)) return CB_ERR;
        s.items.at(index).data = lParam;
        return 0;
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING: {
        const std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        const int found = msg == CB_FINDSTRINGEXACT ? s.items.findExact(index, text) : s.items.findPrefix(index, text);
        if (found < 0) return CB_ERR;
        if (msg == CB_SELECTSTRING) {
            s.selected = found;
            showSelection(h);
        }
        return found;
    }
    case CB_SHOWDROPDOWN:
        if (wParam) openList(h);
        else closeList(h, false);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return s.list ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: {
        if (!lParam) return CB_ERR;
        const RECT r = ws.screenRect(*w);
        *reinterpret_cast<RECT*>(lParam) = {r.left, r.top, r.right, r.top + std::max(s.dropHeight, kFieldHeight)};
        return TRUE;
    }
    case CB_GETITEMHEIGHT:
        return wParam == static_cast<WPARAM>(-1) ? kFieldHeight : kItemHeight;
    case CB_LIMITTEXT:
        if (s.edit) SendMessage(s.edit, EM_LIMITTEXT, wParam, 0);
        return TRUE;
    case CB_GETEDITSEL:
        return s.edit ? SendMessage(s.edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
        if (!s.edit) return CB_ERR;
        SendMessage(s.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lParam)))),
                    static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lParam))));
        return TRUE;
    case WM_SETTEXT: {
        const std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (hasEdit(*w)) {
            showText(h, text);
            return TRUE;
        }
        // A drop-down list shows only its items: the text selects the item that has it.
        const int found = s.items.findExact(-1, text);
        if (found < 0) return CB_ERR;
        s.selected = found;
        showSelection(h);
        return TRUE;
    }
    case WM_COMMAND:
        if (ParamToHandle(lParam) == s.edit && s.edit) {
            switch (HIWORD(wParam)) {
            case EN_CHANGE:
                w->text = GetWindowText(s.edit);
                // Typed text selects the item that is exactly that text, or no item: the selection never
                // names an item the field no longer shows.
                if (!s.quiet) s.selected = s.items.findExact(-1, w->text);
                ws.touch();
                if (!s.quiet) notifyParent(*w, CBN_EDITCHANGE);
                break;
            case EN_UPDATE:
                w->text = GetWindowText(s.edit);  // the combo box's text is its edit's
                if (!s.quiet) notifyParent(*w, CBN_EDITUPDATE);
                break;
            case EN_SETFOCUS:
                notifyParent(*w, CBN_SETFOCUS);
                break;
            case EN_KILLFOCUS:
                if (!focusInside(ws, h)) {
                    closeList(h, false);
                    if ((w = ws.find(h))) notifyParent(*w, CBN_KILLFOCUS);
                }
                break;
            default:
                break;
            }
        }
        return 0;
    case WM_SETFOCUS:
        if (s.edit) {
            SetFocus(s.edit);
            SendMessage(s.edit, EM_SETSEL, 0, -1);
        } else {
            notifyParent(*w, CBN_SETFOCUS);
        }
        return 0;
    case WM_KILLFOCUS:
        if (!s.edit && !focusInside(ws, h)) {
            closeList(h, false);
            if ((w = ws.find(h))) notifyParent(*w, CBN_KILLFOCUS);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!focusInside(ws, h)) SetFocus(h);
        if (!(w = ws.find(h))) return 0;
        if (stateOf(*w).list) closeList(h, false);
        else openList(h);
        return 0;
    case WM_KEYDOWN:
        handleKey(h, wParam);
        return 0;
    case WM_CHAR:
        if (!s.edit) {
            // Typing picks the next item that starts with the character.
            std::string ch;
            appendUtf8(ch, static_cast<char32_t>(wParam));
            const int found = s.items.findPrefix(s.selected, ch);
            if (found >= 0) moveSelection(h, found);
        }
        return 0;
    case WM_DESTROY:
        if (s.list) {
            const HWND list = s.list;
            s.list = HWND();
            DestroyWindow(list);
        }
        return 0;
    case WMX_SELECT_ITEM: {
        auto* req = reinterpret_cast<SelectRequest*>(lParam);
        if (s.items.findExact(-1, *req->item) < 0) {
            *req->error = "the combo box has no item \"" + *req->item + "\"";
            return FALSE;
        }
        // Click the drop button, then, once the list is open, scroll the item into view and click it.
        RECT r = ws.screenRect(*w);
        const POINT button{r.right - kComboButtonWidth / 2 - 1, (r.top + r.bottom) / 2};
        if (s.list) closeList(h, false);
        req->actions->emplace_back(InputEvent::mouse(InputEvent::Kind::MouseDown, button.x, button.y));
        req->actions->emplace_back(InputEvent::mouse(InputEvent::Kind::MouseUp, button.x, button.y));
        const std::string item = *req->item;
        req->actions->emplace_back(std::function<void()>([h, item] {
            auto& sys = WindowSystem::get();
            Window* cw = sys.find(h);
            if (!cw || !stateOf(*cw).list) return;
            ComboState& st = stateOf(*cw);
            const int i = st.items.findExact(-1, item);
            if (i < 0) return;
            const int shown = visibleItems(st);
            if (i < st.listTop) st.listTop = i;
            if (i >= st.listTop + shown) st.listTop = i - shown + 1;
            RECT lr{};
            GetWindowRect(st.list, &lr);
            const POINT p{(lr.left + lr.right) / 2, lr.top + 1 + (i - st.listTop) * kItemHeight + kItemHeight / 2};
            deliverInput(InputEvent::mouse(InputEvent::Kind::MouseDown, p.x, p.y));
            deliverInput(InputEvent::mouse(InputEvent::Kind::MouseUp, p.x, p.y));
        }));
        return TRUE;
    }
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

// The dropped list: it holds the capture while open; a click on an item chooses it, a click anywhere
// else closes the list without a choice.
LRESULT ComboListProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::get();
    const HWND combo = ParamToHandle(GetWindowLongPtr(h, GWLP_USERDATA));
    Window* c = ws.find(combo);
    if (!c || c->cls->proc != ComboBoxProc) return DefWindowProc(h, msg, wParam, lParam);
    ComboState& s = stateOf(*c);
    auto itemAt = [&](LPARAM lp) {
        const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT client{};
        GetClientRect(h, &client);
        if (!CRect(client).PtInRect(p)) return -2;  // outside the list
        const int i = s.listTop + p.y / kItemHeight;
        return s.items.valid(i) ? i : -1;
    };
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE: {
        const int i = itemAt(lParam);
        if (i >= 0 && i != s.hot) {
            s.hot = i;
            ws.touch();
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (itemAt(lParam) == -2) closeList(combo, false);
        return 0;
    case WM_LBUTTONUP: {
        const int i = itemAt(lParam);
        if (i >= 0) {
            s.hot = i;
            closeList(combo, true);
        }
        return 0;
    }
    case WM_MOUSEWHEEL: {
        const int lines = -static_cast<short>(HIWORD(wParam)) / 120 * 3;
        s.listTop = std::clamp(s.listTop + lines, 0, std::max(0, s.items.count() - visibleItems(s)));
        ws.touch();
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (ParamToHandle(lParam) != h && s.list == h) closeList(combo, false);
        return 0;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

}  // namespace vtl::win::detail
