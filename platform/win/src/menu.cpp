// Pop-up menus: the menu records by handle, and TrackPopupMenu's menu windows (class "#32768") with the
// loop that runs while one is open. Only one menu is tracked at a time, as on the platform.
#include "win/menu.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "gfx/text_layout.h"
#include "json_writer.h"
#include "look.h"
#include "pump_internal.h"
#include "text_metrics.h"
#include "window_system.h"
#include "win/keys.h"
#include "win/pump.h"
#include "win/window_tree.h"
#include "win/wnd.h"

namespace vtl::win::detail {
namespace {
struct MenuItem {
    UINT flags = 0;
    UINT_PTR id = 0;
    HMENU subMenu;
    std::string text;
    bool separator() const { return flags & MF_SEPARATOR; }
    bool enabled() const { return !(flags & (MF_GRAYED | MF_DISABLED)) && !separator(); }
};

struct MenuData {
    std::vector<MenuItem> items;
    std::unique_ptr<CMenu> object;  // what CMenu::FromHandle hands out
};

struct MenuStore {
    std::map<int, MenuData> menus;
    int next = 1;
};

MenuStore& store() {
    static MenuStore s;
    return s;
}

MenuData* menuOf(HMENU m) {
    auto it = store().menus.find(m.value());
    return it == store().menus.end() ? nullptr : &it->second;
}

// The item an operation names: by command id (searching sub-menus too) or by position.
struct Found {
    MenuData* menu = nullptr;
    std::size_t index = 0;
};

Found findItem(HMENU m, UINT item, UINT flags) {
    MenuData* d = menuOf(m);
    if (!d) return {};
    if (flags & MF_BYPOSITION) {
        if (item >= d->items.size()) return {};
        return {d, item};
    }
    for (std::size_t i = 0; i < d->items.size(); ++i) {
        const MenuItem& it = d->items[i];
        if (it.subMenu) {
            if (Found f = findItem(it.subMenu, item, flags); f.menu) return f;
        } else if (!it.separator() && it.id == item) {
            return {d, i};
        }
    }
    return {};
}

std::string withoutMnemonics(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            if (text[i + 1] == '&') out += '&';
            ++i;
            if (text[i] != '&') out += text[i];
            continue;
        }
        if (text[i] == '\t') break;  // accelerator text
        out += text[i];
    }
    return out;
}

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;

// The open menu windows of the menu being tracked, outermost first, and the loop's outcome.
struct Tracking {
    std::vector<HWND> windows;
    UINT_PTR result = 0;
    bool done = false;
    UINT flags = 0;
};
Tracking* gTracking = nullptr;

struct MenuWindowState : ControlState {
    HMENU menu;
    int hot = -1;
    void describe(JsonWriter& j) const override {
        j.key("menu").beginArray();
        if (MenuData* d = menuOf(menu)) {
            for (const auto& it : d->items) {
                j.beginObject();
                j.key("text").value(it.separator() ? std::string("-") : withoutMnemonics(it.text));
                j.key("enabled").value(it.enabled());
                j.key("checked").value((it.flags & MF_CHECKED) != 0);
                j.key("radio").value((it.flags & MFT_RADIOCHECK) != 0);
                j.key("popup").value(static_cast<bool>(it.subMenu));
                j.endObject();
            }
        }
        j.endArray();
        j.key("hot").value(hot);
    }
    bool paint(const Window& w, PaintContext& pc) const override;
};

MenuWindowState& stateOf(Window& w) {
    if (!w.state) w.state = std::make_unique<MenuWindowState>();
    return static_cast<MenuWindowState&>(*w.state);
}

SIZE menuSize(const MenuData& d) {
    int width = 100, height = 2;
    for (const auto& it : d.items) {
        height += it.separator() ? kSeparatorHeight : kItemHeight;
        width = std::max(width, static_cast<int>(detail::measureText(HFONT(), withoutMnemonics(it.text)).cx) + 48);
    }
    return {width, height};
}

RECT itemRect(const MenuData& d, std::size_t index, int width) {
    int y = 1;
    for (std::size_t i = 0; i < index; ++i) y += d.items[i].separator() ? kSeparatorHeight : kItemHeight;
    return {1, y, width - 1, y + (d.items[index].separator() ? kSeparatorHeight : kItemHeight)};
}

bool MenuWindowState::paint(const Window& w, PaintContext& pc) const {
    auto& l = pc.list;
    const SIZE cs = WindowSystem::get().clientSize(w);
    l.fillRect({0, 0, cs.cx, cs.cy}, sys(COLOR_MENU));
    raisedEdge(l, {0, 0, cs.cx, cs.cy});
    MenuData* d = menuOf(menu);
    if (!d) return true;
    for (std::size_t i = 0; i < d->items.size(); ++i) {
        const MenuItem& it = d->items[i];
        const RECT r = itemRect(*d, i, cs.cx + 2);
        if (it.separator()) {
            const int y = (r.top + r.bottom) / 2;
            l.fillRect({r.left + 2, y - 1, r.right - 3, y}, sys(COLOR_BTNSHADOW));
            l.fillRect({r.left + 2, y, r.right - 3, y + 1}, sys(COLOR_BTNHIGHLIGHT));
            continue;
        }
        const bool isHot = static_cast<int>(i) == hot && it.enabled();
        if (isHot) l.fillRect({r.left + 1, r.top, r.right - 2, r.bottom}, sys(COLOR_HIGHLIGHT));
        const COLORREF ink = !it.enabled() ? sys(COLOR_GRAYTEXT) : isHot ? sys(COLOR_HIGHLIGHTTEXT) : sys(COLOR_MENUTEXT);
        if (it.flags & MF_CHECKED) {
            const RECT box{r.left + 4, r.top + 4, r.left + 17, r.top + 17};
            if (it.flags & MFT_RADIOCHECK) l.ellipse({box.left + 3, box.top + 3, box.right - 4, box.bottom - 4}, ink, std::nullopt);
            else checkMark(l, box, ink);
        }
        label(l, {r.left + 22, r.top, r.right - 20, r.bottom}, it.text, HFONT(), ink, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (it.subMenu) arrow(l, {r.right - 18, r.top, r.right - 4, r.bottom}, false, ink);
    }
    return true;
}

HWND openMenuWindow(HMENU menu, int x, int y, HWND owner) {
    MenuData* d = menuOf(menu);
    if (!d) return {};
    const SIZE size = menuSize(*d);
    const SIZE screen = screenSize();
    x = std::clamp(x, 0, std::max(0, static_cast<int>(screen.cx - size.cx)));
    y = std::clamp(y, 0, std::max(0, static_cast<int>(screen.cy - size.cy)));
    const HWND h = CreateWindowEx(WS_EX_TOPMOST, "#32768", "", WS_POPUP | WS_BORDER, x, y, size.cx, size.cy, owner, 0);
    if (!h) return {};
    stateOf(WindowSystem::get().require(h)).menu = menu;
    ShowWindow(h, SW_SHOWNA);
    return h;
}

// Closes the menu windows after `level` (0 closes all but the outermost).
void closeAfter(std::size_t level) {
    if (!gTracking) return;
    while (gTracking->windows.size() > level + 1) {
        const HWND h = gTracking->windows.back();
        gTracking->windows.pop_back();
        DestroyWindow(h);
    }
}

void finish(UINT_PTR result) {
    if (!gTracking) return;
    gTracking->result = result;
    gTracking->done = true;
}

// Where a screen point falls: the menu window's level and item, innermost window first.
struct Hit {
    int level = -1;
    int item = -1;
};

Hit hitTest(POINT screen) {
    auto& ws = WindowSystem::get();
    for (int level = static_cast<int>(gTracking->windows.size()) - 1; level >= 0; --level) {
        const HWND h = gTracking->windows[static_cast<std::size_t>(level)];
        Window* w = ws.find(h);
        if (!w) continue;
        const RECT r = ws.screenRect(*w);
        if (!CRect(r).PtInRect(screen)) continue;
        MenuData* d = menuOf(stateOf(*w).menu);
        POINT client = screen;
        ScreenToClient(h, &client);
        for (std::size_t i = 0; d && i < d->items.size(); ++i)
            if (CRect(itemRect(*d, i, r.right - r.left)).PtInRect(client)) return {level, static_cast<int>(i)};
        return {level, -1};
    }
    return {};
}

void setHot(int level, int item) {
    auto& ws = WindowSystem::get();
    if (Window* w = ws.find(gTracking->windows[static_cast<std::size_t>(level)])) {
        stateOf(*w).hot = item;
        ws.touch();
    }
}

// Opens the sub-menu of item `item` at `level` beside it.
void openSubMenu(int level, int item) {
    auto& ws = WindowSystem::get();
    closeAfter(static_cast<std::size_t>(level));
    const HWND h = gTracking->windows[static_cast<std::size_t>(level)];
    Window* w = ws.find(h);
    MenuData* d = menuOf(stateOf(*w).menu);
    const MenuItem& it = d->items[static_cast<std::size_t>(item)];
    if (!it.subMenu || !it.enabled()) return;
    const RECT r = ws.screenRect(*w);
    const RECT ir = itemRect(*d, static_cast<std::size_t>(item), r.right - r.left);
    const HWND sub = openMenuWindow(it.subMenu, r.right - 2, r.top + ir.top - 1, w->owner);
    if (sub) gTracking->windows.push_back(sub);
}

void activate(int level, int item) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(gTracking->windows[static_cast<std::size_t>(level)]);
    if (!w) return;
    MenuData* d = menuOf(stateOf(*w).menu);
    if (!d || item < 0 || item >= static_cast<int>(d->items.size())) return;
    const MenuItem& it = d->items[static_cast<std::size_t>(item)];
    if (!it.enabled()) return;
    if (it.subMenu) {
        openSubMenu(level, item);
        return;
    }
    finish(it.id);
}

int nextEnabled(const MenuData& d, int from, int step) {
    const int n = static_cast<int>(d.items.size());
    for (int k = 1; k <= n; ++k) {
        const int i = ((from + step * k) % n + n) % n;
        if (!d.items[static_cast<std::size_t>(i)].separator()) return i;
    }
    return from;
}

// Every key and mouse message while a menu is open goes here.
bool menuFilter(MSG& msg) {
    if (!gTracking || gTracking->done) return false;
    auto& ws = WindowSystem::get();
    switch (msg.message) {
    case WM_MOUSEMOVE: {
        const Hit hit = hitTest(msg.pt);
        if (hit.level >= 0) {
            setHot(hit.level, hit.item);
            if (hit.item >= 0) {
                Window* w = ws.find(gTracking->windows[static_cast<std::size_t>(hit.level)]);
                MenuData* d = menuOf(stateOf(*w).menu);
                if (d->items[static_cast<std::size_t>(hit.item)].subMenu) openSubMenu(hit.level, hit.item);
                else closeAfter(static_cast<std::size_t>(hit.level));
            }
        }
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (hitTest(msg.pt).level < 0) finish(0);  // a click outside every menu closes it
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        if (msg.message == WM_RBUTTONUP && !(gTracking->flags & TPM_RIGHTBUTTON)) return true;
        const Hit hit = hitTest(msg.pt);
        if (hit.level >= 0 && hit.item >= 0) activate(hit.level, hit.item);
        return true;
    }
    case WM_KEYDOWN: {
        const int level = static_cast<int>(gTracking->windows.size()) - 1;
        Window* w = ws.find(gTracking->windows.back());
        MenuWindowState& s = stateOf(*w);
        MenuData* d = menuOf(s.menu);
        switch (msg.wParam) {
        case VK_UP:
        case VK_DOWN:
            if (d && !d->items.empty()) setHot(level, nextEnabled(*d, s.hot < 0 ? (msg.wParam == VK_UP ? 0 : -1) : s.hot,
                                                               msg.wParam == VK_UP ? -1 : 1));
            break;
        case VK_RIGHT:
            if (s.hot >= 0) openSubMenu(level, s.hot);
            break;
        case VK_LEFT:
            if (level > 0) closeAfter(static_cast<std::size_t>(level - 1));
            break;
        case VK_RETURN:
            if (s.hot >= 0) activate(level, s.hot);
            break;
        case VK_ESCAPE:
            if (level > 0) closeAfter(static_cast<std::size_t>(level - 1));
            else finish(0);
            break;
        default:
            break;
        }
        return true;
    }
    case WM_KEYUP:
    case WM_CHAR:
        return true;
    default:
        return false;
    }
}
}  // namespace

LRESULT MenuWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    if (Window* w = WindowSystem::get().find(h)) stateOf(*w);
    return DefWindowProc(h, msg, wParam, lParam);
}

}  // namespace vtl::win::detail

using namespace vtl::win::detail;

HMENU CreatePopupMenu() {
    const int h = store().next++;
    store().menus[h];
    return HMENU(h);
}

HMENU CreateMenu() { return CreatePopupMenu(); }

BOOL IsMenu(HMENU menu) { return menuOf(menu) ? TRUE : FALSE; }

BOOL DestroyMenu(HMENU menu) {
    MenuData* d = menuOf(menu);
    if (!d) return FALSE;
    std::vector<HMENU> subs;
    for (const auto& it : d->items)
        if (it.subMenu) subs.push_back(it.subMenu);
    if (d->object) d->object->m_hMenu = HMENU();
    auto node = store().menus.extract(menu.value());  // the object dies after its handle is forgotten
    for (HMENU s : subs) DestroyMenu(s);
    return TRUE;
}

namespace {
MenuItem makeItem(UINT flags, UINT_PTR idOrSubMenu, const char* text) {
    MenuItem it;
    it.flags = flags & ~MF_BYPOSITION;
    if (flags & MF_POPUP) {
        it.subMenu = HMENU(static_cast<int>(idOrSubMenu));
    } else {
        it.id = idOrSubMenu;
    }
    if (!(flags & MF_SEPARATOR)) it.text = text ? text : "";
    return it;
}
}  // namespace

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, const char* text) {
    MenuData* d = menuOf(menu);
    if (!d) return FALSE;
    if ((flags & MF_POPUP) && !menuOf(HMENU(static_cast<int>(idOrSubMenu)))) return FALSE;
    d->items.push_back(makeItem(flags, idOrSubMenu, text));
    return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, const char* text) {
    MenuData* d = menuOf(menu);
    if (!d) return FALSE;
    if ((flags & MF_POPUP) && !menuOf(HMENU(static_cast<int>(idOrSubMenu)))) return FALSE;
    std::size_t at = d->items.size();
    if (flags & MF_BYPOSITION) {
        at = std::min<std::size_t>(position, d->items.size());
    } else if (Found f = findItem(menu, position, MF_BYCOMMAND); f.menu) {
        d = f.menu;
        at = f.index;
    }
    d->items.insert(d->items.begin() + static_cast<std::ptrdiff_t>(at), makeItem(flags, idOrSubMenu, text));
    return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    Found f = findItem(menu, position, flags);
    if (!f.menu) return FALSE;
    f.menu->items.erase(f.menu->items.begin() + static_cast<std::ptrdiff_t>(f.index));
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    Found f = findItem(menu, position, flags);
    if (!f.menu) return FALSE;
    const HMENU sub = f.menu->items[f.index].subMenu;
    f.menu->items.erase(f.menu->items.begin() + static_cast<std::ptrdiff_t>(f.index));
    if (sub) DestroyMenu(sub);
    return TRUE;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    Found f = findItem(menu, item, flags);
    if (!f.menu) return static_cast<DWORD>(-1);
    MenuItem& it = f.menu->items[f.index];
    const DWORD old = it.flags & MF_CHECKED;
    it.flags = (it.flags & ~(MF_CHECKED | MFT_RADIOCHECK)) | (flags & MF_CHECKED);
    return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
    bool found = false;
    for (UINT id = first; id <= last; ++id) {
        Found f = findItem(menu, id, flags);
        if (!f.menu) continue;
        MenuItem& it = f.menu->items[f.index];
        if (id == check) {
            it.flags |= MF_CHECKED | MFT_RADIOCHECK;
            found = true;
        } else {
            it.flags &= ~(MF_CHECKED | MFT_RADIOCHECK);
        }
        if (id == last) break;  // last may be the largest UINT
    }
    return found ? TRUE : FALSE;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    Found f = findItem(menu, item, flags);
    if (!f.menu) return -1;
    MenuItem& it = f.menu->items[f.index];
    const UINT old = it.flags & (MF_GRAYED | MF_DISABLED);
    it.flags = (it.flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(old);
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    Found f = findItem(menu, item, flags);
    if (!f.menu) return static_cast<UINT>(-1);
    const MenuItem& it = f.menu->items[f.index];
    UINT state = it.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MFT_RADIOCHECK);
    if (it.subMenu) state |= MF_POPUP | (static_cast<UINT>(menuOf(it.subMenu)->items.size()) << 8);
    return state;
}

std::string GetMenuString(HMENU menu, UINT item, UINT flags) {
    Found f = findItem(menu, item, flags);
    return f.menu ? f.menu->items[f.index].text : std::string();
}

int GetMenuString(HMENU menu, UINT item, char* buffer, int max, UINT flags) {
    Found f = findItem(menu, item, flags);
    if (!f.menu) return 0;
    const std::string& text = f.menu->items[f.index].text;
    if (!buffer || max <= 0) return static_cast<int>(text.size());
    std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(max - 1));
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

int GetMenuItemCount(HMENU menu) {
    MenuData* d = menuOf(menu);
    return d ? static_cast<int>(d->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    MenuData* d = menuOf(menu);
    if (!d || position < 0 || position >= static_cast<int>(d->items.size())) return static_cast<UINT>(-1);
    const MenuItem& it = d->items[static_cast<std::size_t>(position)];
    return it.subMenu ? static_cast<UINT>(-1) : static_cast<UINT>(it.id);
}

HMENU GetSubMenu(HMENU menu, int position) {
    MenuData* d = menuOf(menu);
    if (!d || position < 0 || position >= static_cast<int>(d->items.size())) return {};
    return d->items[static_cast<std::size_t>(position)].subMenu;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    MenuData* d = menuOf(menu);
    if (!d || d->items.empty() || gTracking) return FALSE;
    const SIZE size = menuSize(*d);
    if (flags & TPM_RIGHTALIGN) x -= size.cx;
    else if (flags & TPM_CENTERALIGN) x -= size.cx / 2;
    if (flags & TPM_BOTTOMALIGN) y -= size.cy;
    else if (flags & TPM_VCENTERALIGN) y -= size.cy / 2;

    auto& ws = WindowSystem::get();
    Tracking tracking;
    tracking.flags = flags;
    const HWND root = openMenuWindow(menu, x, y, owner ? ws.root(owner) : HWND());
    if (!root) return FALSE;
    tracking.windows.push_back(root);
    gTracking = &tracking;
    const HWND oldCapture = SetCapture(root);
    {
        ScopedInputFilter filter(menuFilter);
        vtl::win::WaitInfo wait;
        wait.kind = vtl::win::WaitKind::Menu;
        wait.window = root;
        wait.cancel = [] { finish(0); };
        vtl::win::runLoop(wait, [&] { return tracking.done || !ws.find(root); });
    }
    gTracking = nullptr;
    if (ws.capture == root) ReleaseCapture();
    (void)oldCapture;
    for (auto it = tracking.windows.rbegin(); it != tracking.windows.rend(); ++it) DestroyWindow(*it);
    const UINT_PTR chosen = tracking.result;
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen && owner && !(flags & TPM_NONOTIFY)) PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    return chosen ? TRUE : FALSE;
}

namespace vtl::win {
bool openMenuItemRect(const std::string& text, RECT& rect) {
    if (!gTracking) return false;
    auto& ws = WindowSystem::get();
    for (auto h = gTracking->windows.rbegin(); h != gTracking->windows.rend(); ++h) {
        Window* w = ws.find(*h);
        if (!w) continue;
        MenuData* d = menuOf(stateOf(*w).menu);
        const RECT r = ws.screenRect(*w);
        for (std::size_t i = 0; d && i < d->items.size(); ++i) {
            if (d->items[i].separator() || withoutMnemonics(d->items[i].text) != withoutMnemonics(text)) continue;
            RECT ir = itemRect(*d, i, r.right - r.left);
            POINT o{0, 0};
            ClientToScreen(*h, &o);
            rect = {ir.left + o.x, ir.top + o.y, ir.right + o.x, ir.bottom + o.y};
            return true;
        }
    }
    return false;
}

int liveMenuCount() { return static_cast<int>(store().menus.size()); }
}  // namespace vtl::win

CMenu::~CMenu() {
    if (m_hMenu) {
        MenuData* d = menuOf(m_hMenu);
        if (d && d->object.get() != this) ::DestroyMenu(m_hMenu);
    }
}

CMenu* CMenu::FromHandle(HMENU menu) {
    MenuData* d = menuOf(menu);
    if (!d) return nullptr;
    if (!d->object) {
        d->object = std::make_unique<CMenu>();
        d->object->m_hMenu = menu;
    }
    return d->object.get();
}

BOOL CMenu::CreatePopupMenu() {
    if (m_hMenu) return FALSE;
    m_hMenu = ::CreatePopupMenu();
    return TRUE;
}
BOOL CMenu::CreateMenu() { return CreatePopupMenu(); }
BOOL CMenu::DestroyMenu() {
    const HMENU m = m_hMenu;
    m_hMenu = HMENU();
    return m ? ::DestroyMenu(m) : FALSE;
}
BOOL CMenu::Attach(HMENU menu) {
    if (m_hMenu || !menuOf(menu)) return FALSE;
    m_hMenu = menu;
    return TRUE;
}
HMENU CMenu::Detach() {
    const HMENU m = m_hMenu;
    m_hMenu = HMENU();
    return m;
}
BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text) { return ::AppendMenu(m_hMenu, flags, id, text); }
BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR id, const char* text) {
    return ::InsertMenu(m_hMenu, position, flags, id, text);
}
BOOL CMenu::RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
BOOL CMenu::DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
UINT CMenu::CheckMenuItem(UINT item, UINT flags) { return ::CheckMenuItem(m_hMenu, item, flags); }
BOOL CMenu::CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags) {
    return ::CheckMenuRadioItem(m_hMenu, first, last, check, flags);
}
UINT CMenu::EnableMenuItem(UINT item, UINT flags) { return static_cast<UINT>(::EnableMenuItem(m_hMenu, item, flags)); }
UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
int CMenu::GetMenuString(UINT item, std::string& text, UINT flags) const {
    text = ::GetMenuString(m_hMenu, item, flags);
    return static_cast<int>(text.size());
}
int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* rect) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : HWND(), rect);
}
