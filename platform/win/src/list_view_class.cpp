// The "SysListView32" class in its icon view: items with a picture and a label in rows that wrap at the
// client width, scrolled by rows; single selection. And the image lists it draws from.
#include <algorithm>
#include <map>

#include "gfx/bitmap.h"
#include "gfx/text_layout.h"
#include "json_writer.h"
#include "look.h"
#include "text_metrics.h"
#include "window_system.h"
#include "win/keys.h"
#include "win/list_ctrl.h"

namespace vtl::win::detail {
namespace {
struct ImageListData {
    int cx = 16, cy = 16;
    std::vector<HBITMAP> images;
};

std::map<int, ImageListData>& imageLists() {
    static std::map<int, ImageListData> lists;
    return lists;
}

ImageListData* imageListOf(HIMAGELIST h) {
    auto it = imageLists().find(h.value());
    return it == imageLists().end() ? nullptr : &it->second;
}

int gNextImageList = 1;

struct Item {
    std::string text;
    int image = 0;
    LPARAM param = 0;
    UINT state = 0;
};

struct ListViewState : ControlState {
    std::vector<Item> items;
    HIMAGELIST images;
    int spacingX = 0, spacingY = 0;  // 0: from the picture size
    int topRow = 0;
    void describe(JsonWriter& j) const override {
        j.key("items").beginArray();
        for (const auto& it : items) j.value(it.text);
        j.endArray();
        int selected = -1;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].state & LVIS_SELECTED) selected = static_cast<int>(i);
        j.key("selected").value(selected);
        j.key("topRow").value(topRow);
    }
    bool paint(const Window& w, PaintContext& pc) const override;
};

ListViewState& stateOf(Window& w) {
    if (!w.state) w.state = std::make_unique<ListViewState>();
    return static_cast<ListViewState&>(*w.state);
}

SIZE cellSize(const Window& w, const ListViewState& s) {
    int cx = 32, cy = 32;
    if (ImageListData* d = imageListOf(s.images)) {
        cx = d->cx;
        cy = d->cy;
    }
    const int cellW = s.spacingX > 0 ? s.spacingX : std::max(cx + 16, 76);
    const int cellH = s.spacingY > 0 ? s.spacingY : cy + 8 + lineHeight(w.font) + 6;
    return {cellW, cellH};
}

int columns(WindowSystem& ws, const Window& w, const ListViewState& s) {
    return std::max(1, static_cast<int>(ws.clientSize(w).cx) / std::max(1, static_cast<int>(cellSize(w, s).cx)));
}

RECT itemRect(WindowSystem& ws, const Window& w, const ListViewState& s, int index) {
    const SIZE cell = cellSize(w, s);
    const int cols = columns(ws, w, s);
    const int row = index / cols - s.topRow, col = index % cols;
    return {col * cell.cx, row * cell.cy, (col + 1) * cell.cx, (row + 1) * cell.cy};
}

bool ListViewState::paint(const Window& w, PaintContext& pc) const {
    auto& ws = WindowSystem::get();
    auto& l = pc.list;
    const SIZE cs = ws.clientSize(w);
    l.fillRect({0, 0, cs.cx, cs.cy}, sys(COLOR_WINDOW));
    int iw = 32, ih = 32;
    ImageListData* images = imageListOf(this->images);
    if (images) {
        iw = images->cx;
        ih = images->cy;
    }
    const int lineH = gfx::fontMetrics(pc.font).height;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const RECT cell = itemRect(ws, w, *this, i);
        if (cell.top >= cs.cy || cell.bottom <= 0) continue;
        const Item& it = items[static_cast<std::size_t>(i)];
        const int x = (cell.left + cell.right - iw) / 2;
        if (images && it.image >= 0 && it.image < static_cast<int>(images->images.size()) && images->images[static_cast<std::size_t>(it.image)])
            l.stretchBitmap({x, cell.top + 4, x + iw, cell.top + 4 + ih}, images->images[static_cast<std::size_t>(it.image)]);
        else
            l.frameRect({x, cell.top + 4, x + iw, cell.top + 4 + ih}, sys(COLOR_BTNSHADOW));
        const RECT text{cell.left + 2, cell.top + 8 + ih, cell.right - 2, cell.top + 8 + ih + lineH};
        const bool sel = it.state & LVIS_SELECTED;
        if (sel) l.fillRect(text, pc.focused ? sys(COLOR_HIGHLIGHT) : sys(COLOR_BTNFACE));
        label(l, text, it.text, pc.font, sel && pc.focused ? sys(COLOR_HIGHLIGHTTEXT) : sys(COLOR_WINDOWTEXT),
              DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    return true;
}

int itemAt(WindowSystem& ws, const Window& w, const ListViewState& s, POINT p) {
    for (int i = 0; i < static_cast<int>(s.items.size()); ++i)
        if (CRect(itemRect(ws, w, s, i)).PtInRect(p)) return i;
    return -1;
}

void ensureVisible(WindowSystem& ws, const Window& w, ListViewState& s, int index) {
    if (index < 0 || index >= static_cast<int>(s.items.size())) return;
    const int cols = columns(ws, w, s);
    const int rows = std::max(1, static_cast<int>(ws.clientSize(w).cy) / std::max(1, static_cast<int>(cellSize(w, s).cy)));
    const int row = index / cols;
    if (row < s.topRow) s.topRow = row;
    if (row >= s.topRow + rows) s.topRow = row - rows + 1;
}

LRESULT notifyItem(Window& w, UINT code, int item, UINT newState, UINT oldState, POINT at) {
    auto& ws = WindowSystem::get();
    if (w.destroying || !w.parent) return 0;
    Window* p = ws.find(w.parent);
    if (!p || p->destroying) return 0;
    NMLISTVIEW nm;
    nm.hdr.hwndFrom = w.handle;
    nm.hdr.idFrom = static_cast<UINT_PTR>(w.id);
    nm.hdr.code = code;
    nm.iItem = item;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = code == LVN_ITEMCHANGED ? LVIF_STATE : 0;
    nm.ptAction = at;
    if (item >= 0) nm.lParam = stateOf(w).items[static_cast<std::size_t>(item)].param;
    return SendMessage(w.parent, WM_NOTIFY, static_cast<WPARAM>(w.id), reinterpret_cast<LPARAM>(&nm));
}

// Changes an item's state bits and tells the parent when they changed.
void setState(HWND h, int index, UINT state, UINT mask, bool notify) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    ListViewState& s = stateOf(*w);
    auto apply = [&](int i, UINT to) {
        Item& it = s.items[static_cast<std::size_t>(i)];
        const UINT old = it.state;
        it.state = (old & ~mask) | (to & mask);
        if (it.state != old) {
            ws.touch();
            if (notify) notifyItem(*w, LVN_ITEMCHANGED, i, it.state, old, {});
        }
    };
    // One selection at most: selecting an item clears the others first.
    if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED)) {
        for (int i = 0; i < static_cast<int>(s.items.size()); ++i) {
            if (i != index && (s.items[static_cast<std::size_t>(i)].state & mask)) {
                apply(i, 0);
                if (!(w = ws.find(h))) return;
            }
        }
    }
    if (index < 0) {
        for (int i = 0; i < static_cast<int>(s.items.size()); ++i) apply(i, state);
    } else if (index < static_cast<int>(s.items.size())) {
        apply(index, state);
    }
}

int selected(const ListViewState& s) {
    for (std::size_t i = 0; i < s.items.size(); ++i)
        if (s.items[i].state & LVIS_SELECTED) return static_cast<int>(i);
    return -1;
}
}  // namespace

LRESULT ListViewProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w) return 0;
    ListViewState& s = stateOf(*w);
    const int count = static_cast<int>(s.items.size());
    const int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case LVM_SETIMAGELIST: {
        const HIMAGELIST old = s.images;
        s.images = HIMAGELIST(static_cast<int>(lParam));
        ws.touch();
        return old.value();
    }
    case LVM_GETITEMCOUNT:
        return count;
    case LVM_INSERTITEM: {
        const auto* item = reinterpret_cast<const LVITEM*>(lParam);
        if (!item) return -1;
        const int at = std::clamp(item->iItem, 0, count);
        Item it;
        if (item->mask & LVIF_TEXT) it.text = item->text;
        if (item->mask & LVIF_IMAGE) it.image = item->iImage;
        if (item->mask & LVIF_PARAM) it.param = item->lParam;
        s.items.insert(s.items.begin() + at, std::move(it));
        ws.touch();
        return at;
    }
    case LVM_SETITEM:
    case LVM_GETITEM: {
        auto* item = reinterpret_cast<LVITEM*>(lParam);
        if (!item || item->iItem < 0 || item->iItem >= count) return FALSE;
        Item& it = s.items[static_cast<std::size_t>(item->iItem)];
        if (msg == LVM_SETITEM) {
            if (item->mask & LVIF_TEXT) it.text = item->text;
            if (item->mask & LVIF_IMAGE) it.image = item->iImage;
            if (item->mask & LVIF_PARAM) it.param = item->lParam;
            ws.touch();
        } else {
            item->text = it.text;
            item->iImage = it.image;
            item->lParam = it.param;
            item->state = it.state & item->stateMask;
        }
        return TRUE;
    }
    case LVM_DELETEITEM:
        if (index < 0 || index >= count) return FALSE;
        s.items.erase(s.items.begin() + index);
        ws.touch();
        return TRUE;
    case LVM_DELETEALLITEMS:
        s.items.clear();
        s.topRow = 0;
        ws.touch();
        return TRUE;
    case LVM_GETNEXTITEM: {
        const UINT flags = static_cast<UINT>(lParam);
        for (int i = index < 0 ? 0 : index + 1; i < count; ++i) {
            const UINT st = s.items[static_cast<std::size_t>(i)].state;
            if ((flags & LVNI_SELECTED) && !(st & LVIS_SELECTED)) continue;
            if ((flags & LVNI_FOCUSED) && !(st & LVIS_FOCUSED)) continue;
            return i;
        }
        return -1;
    }
    case LVM_SETITEMSTATE: {
        const auto* item = reinterpret_cast<const LVITEM*>(lParam);
        if (!item) return FALSE;
        setState(h, index, item->state, item->stateMask, true);
        return TRUE;
    }
    case LVM_GETITEMSTATE:
        return (index >= 0 && index < count) ? s.items[static_cast<std::size_t>(index)].state & static_cast<UINT>(lParam)
                                             : 0;
    case LVM_GETITEMRECT:
        if (index < 0 || index >= count || !lParam) return FALSE;
        *reinterpret_cast<RECT*>(lParam) = itemRect(ws, *w, s, index);
        return TRUE;
    case LVM_HITTEST: {
        auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!info) return -1;
        info->iItem = itemAt(ws, *w, s, info->pt);
        info->flags = info->iItem >= 0 ? 0x6 /* on the item */ : 0x1 /* nowhere */;
        return info->iItem;
    }
    case LVM_ENSUREVISIBLE:
        ensureVisible(ws, *w, s, index);
        ws.touch();
        return TRUE;
    case LVM_REDRAWITEMS:
        ws.touch();
        return TRUE;
    case LVM_SETICONSPACING: {
        const LRESULT old = MAKELONG(static_cast<WORD>(cellSize(*w, s).cx), static_cast<WORD>(cellSize(*w, s).cy));
        const auto cx = static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lParam)));
        const auto cy = static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lParam)));
        s.spacingX = cx > 0 ? cx : 0;
        s.spacingY = cy > 0 ? cy : 0;
        ws.touch();
        return old;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (ws.focus != h) SetFocus(h);
        if (!(w = ws.find(h))) return 0;
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const int i = itemAt(ws, *w, stateOf(*w), p);
        if (msg == WM_LBUTTONDOWN) {
            // A click on empty space clears the selection; on an item selects it.
            if (i >= 0) setState(h, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED, true);
            else setState(h, -1, 0, LVIS_SELECTED, true);
            if ((w = ws.find(h))) notifyItem(*w, NM_CLICK, i, 0, 0, p);
        } else {
            notifyItem(*w, NM_DBLCLK, i, 0, 0, p);
        }
        return 0;
    }
    case WM_KEYDOWN: {
        if (count == 0) return 0;
        const int cols = columns(ws, *w, s);
        const int cur = selected(s);
        int to = cur;
        switch (wParam) {
        case VK_LEFT: to = std::max(0, cur - 1); break;
        case VK_RIGHT: to = std::min(count - 1, cur + 1); break;
        case VK_UP: to = cur - cols >= 0 ? cur - cols : cur; break;
        case VK_DOWN: to = cur < 0 ? 0 : (cur + cols < count ? cur + cols : cur); break;
        case VK_HOME: to = 0; break;
        case VK_END: to = count - 1; break;
        default: return 0;
        }
        if (to >= 0 && to != cur) {
            setState(h, to, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED, true);
            if ((w = ws.find(h))) ensureVisible(ws, *w, stateOf(*w), to);
        }
        return 0;
    }
    case WM_MOUSEWHEEL: {
        const int rows = -static_cast<short>(HIWORD(wParam)) / 120;
        const int cols = columns(ws, *w, s);
        const int lastRow = count == 0 ? 0 : (count - 1) / cols;
        s.topRow = std::clamp(s.topRow + rows, 0, lastRow);
        ws.touch();
        return 0;
    }
    case WMX_SELECT_ITEM: {
        auto* req = reinterpret_cast<SelectRequest*>(lParam);
        int i = -1;
        for (int k = 0; k < count; ++k)
            if (s.items[static_cast<std::size_t>(k)].text == *req->item) i = k;
        if (i < 0) {
            *req->error = "the list has no item \"" + *req->item + "\"";
            return FALSE;
        }
        req->actions->emplace_back(std::function<void()>([h, i] {
            auto& sys = WindowSystem::get();
            Window* lw = sys.find(h);
            if (!lw) return;
            ensureVisible(sys, *lw, stateOf(*lw), i);
            const RECT r = itemRect(sys, *lw, stateOf(*lw), i);
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

void clearImageLists() { imageLists().clear(); }

}  // namespace vtl::win::detail

using namespace vtl::win::detail;

HIMAGELIST ImageList_Create(int cx, int cy, UINT, int initial, int) {
    if (cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096) return {};
    const int h = gNextImageList++;
    ImageListData d;
    d.cx = cx;
    d.cy = cy;
    d.images.reserve(static_cast<std::size_t>(std::clamp(initial, 0, 1024)));
    imageLists().emplace(h, std::move(d));
    return HIMAGELIST(h);
}

BOOL ImageList_Destroy(HIMAGELIST list) { return imageLists().erase(list.value()) ? TRUE : FALSE; }

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP) {
    ImageListData* d = imageListOf(list);
    if (!d) return -1;
    d->images.push_back(image);
    return static_cast<int>(d->images.size()) - 1;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    ImageListData* d = imageListOf(list);
    return d ? static_cast<int>(d->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    ImageListData* d = imageListOf(list);
    if (!d) return FALSE;
    if (cx) *cx = d->cx;
    if (cy) *cy = d->cy;
    return TRUE;
}

HBITMAP ImageList_GetImage(HIMAGELIST list, int index) {
    ImageListData* d = imageListOf(list);
    if (!d || index < 0 || index >= static_cast<int>(d->images.size())) return {};
    return d->images[static_cast<std::size_t>(index)];
}

BOOL ImageList_RemoveAll(HIMAGELIST list) {
    ImageListData* d = imageListOf(list);
    if (!d) return FALSE;
    d->images.clear();
    return TRUE;
}

CImageList::~CImageList() { DeleteImageList(); }
BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList ? TRUE : FALSE;
}
BOOL CImageList::DeleteImageList() {
    const HIMAGELIST h = m_hImageList;
    m_hImageList = HIMAGELIST();
    return h ? ImageList_Destroy(h) : FALSE;
}
int CImageList::Add(HBITMAP image, HBITMAP mask) { return ImageList_Add(m_hImageList, image, mask); }
int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
BOOL CImageList::RemoveAll() { return ImageList_RemoveAll(m_hImageList); }

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(WS_EX_CLIENTEDGE, "SysListView32", "", style | WS_CHILD, rect, parent, id);
}
int CListCtrl::InsertItem(int index, const char* text, int image) {
    LVITEM item;
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.text = text ? text : "";
    item.iImage = image;
    return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
}
BOOL CListCtrl::DeleteItem(int index) {
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(static_cast<LONG_PTR>(index))));
}
BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
int CListCtrl::GetNextItem(int start, UINT flags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(static_cast<LONG_PTR>(start)), flags));
}
BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
    LVITEM item;
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(static_cast<LONG_PTR>(index)),
                                         reinterpret_cast<LPARAM>(&item)));
}
UINT CListCtrl::GetItemState(int index, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(static_cast<LONG_PTR>(index)), mask));
}
std::string CListCtrl::GetItemText(int index, int) const {
    LVITEM item;
    item.iItem = index;
    SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    return item.text;
}
BOOL CListCtrl::SetItemText(int index, int, const char* text) {
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.text = text ? text : "";
    return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)));
}
DWORD_PTR CListCtrl::GetItemData(int index) const {
    LVITEM item;
    item.iItem = index;
    SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<DWORD_PTR>(item.lParam);
}
BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
    LVITEM item;
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = static_cast<LPARAM>(data);
    return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item)));
}
CImageList* CListCtrl::SetImageList(CImageList* list, int kind) {
    CImageList* old = images_;
    images_ = list;
    SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), list ? list->m_hImageList.value() : 0);
    return old;
}
BOOL CListCtrl::GetItemRect(int index, RECT* rect, UINT) const {
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(static_cast<LONG_PTR>(index)),
                                         reinterpret_cast<LPARAM>(rect)));
}
BOOL CListCtrl::EnsureVisible(int index, BOOL) {
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(static_cast<LONG_PTR>(index))));
}
void CListCtrl::SetIconSpacing(int cx, int cy) {
    SendMessage(LVM_SETICONSPACING, 0, MAKELPARAM(static_cast<WORD>(cx), static_cast<WORD>(cy)));
}
int CListCtrl::HitTest(CPoint clientPoint) const {
    LVHITTESTINFO info;
    info.pt = clientPoint;
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}
BOOL CListCtrl::RedrawItems(int first, int last) {
    return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last));
}
