// The grid's paint pass, through CDC: the grey area, the cells of the visible rows and columns (spans as
// one rectangle, every cell type), the grid lines, the header bars, the active cell's frame and the
// scroll bars. The editor and the dropped list paint themselves.
#include <map>
#include <set>

#include "face/spread.h"
#include "face/spread_windows.h"
#include "win/api.h"
#include "win/dc.h"
#include "win/gdi.h"

namespace vtl::grid {
namespace {
COLORREF resolve(COLORREF colour, COLORREF fallback) {
    if (colour == kDefaultColour) return fallback;
    if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFFu));
    return colour;
}

void raisedEdge(CDC& dc, const RECT& r) {
    RECT e{r.left, r.top, r.right - 1, r.bottom - 1};
    dc.Draw3dRect(&e, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

void drawDownArrow(CDC& dc, const RECT& r, COLORREF ink) {
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2 - 1;
    for (int i = 0; i < 4; ++i) dc.FillSolidRect(cx - 3 + i, cy + i, 7 - 2 * i, 1, ink);
}

HBITMAP pictureFromFile(const std::string& path) {
    // Picture cells name a bitmap file; each file is read once.
    static std::map<std::string, HBITMAP> cache;
    if (auto it = cache.find(path); it != cache.end()) return it->second;
    CBitmap bitmap;
    HBITMAP h;
    if (bitmap.LoadFromFile(path)) h = bitmap.Detach();
    cache[path] = h;
    return h;
}

class Painter {
public:
    Painter(const Spread& spread, CDC& dc)
        : s_(spread), sheet_(spread.sheet()), l_(spread.layout()), dc_(dc), enabled_(IsWindowEnabled(spread.window())) {}

    void paint() {
        RECT client;
        GetClientRect(s_.window(), &client);
        const Cosmetics& look = sheet_.cosmetics();
        dc_.FillSolidRect(&client, resolve(look.greyArea.back, GetSysColor(COLOR_BTNSHADOW)));
        dc_.SetBkMode(TRANSPARENT);
        const RECT area = l_.cellArea();
        dc_.SaveDC();
        dc_.IntersectClipRect(&area);
        cells();
        headers();
        activeFrame();
        dc_.RestoreDC(-1);
        scrollBars();
    }

private:
    void cells() {
        const int lastCol = l_.lastVisibleColumn(), lastRow = l_.lastVisibleRow();
        const CellRef tl = l_.topLeft();
        std::set<std::pair<int, int>> drawnSpans;
        dc_.SaveDC();
        dc_.IntersectClipRect(l_.headerWidth(), l_.headerHeight(), l_.cellArea().right, l_.cellArea().bottom);
        for (int r = tl.row; r <= lastRow; ++r) {
            for (int c = tl.col; c <= lastCol; ++c) {
                CellRef cell{c, r};
                const SpanInfo span = sheet_.span(cell);
                if (span.state != 0) {
                    cell = span.state == 2 ? span.anchor : cell;
                    if (!drawnSpans.insert({cell.col, cell.row}).second) continue;
                }
                drawCell(cell, l_.cellRect(cell));
            }
        }
        dc_.RestoreDC(-1);
    }

    COLORREF gridLine() const { return resolve(sheet_.cosmetics().gridLineColour, RGB(192, 192, 192)); }

    void drawCell(CellRef cell, const RECT& r) {
        const Cosmetics& look = sheet_.cosmetics();
        const ColourPair own = sheet_.colours(cell);
        COLORREF back = resolve(own.back, GetSysColor(COLOR_WINDOW));
        COLORREF fore = resolve(own.fore, GetSysColor(COLOR_WINDOWTEXT));
        if (sheet_.isLocked(cell)) {
            // Explicit cell colours win over the locked-cell colours.
            if (own.back == kDefaultColour) back = resolve(look.lockedCells.back, back);
            if (own.fore == kDefaultColour) fore = resolve(look.lockedCells.fore, fore);
        }
        const bool active = s_.activeCell() == cell;
        if (s_.isSelected(cell) && !active) {
            back = resolve(look.selection.back, GetSysColor(COLOR_HIGHLIGHT));
            fore = resolve(look.selection.fore, GetSysColor(COLOR_HIGHLIGHTTEXT));
        }
        if (!enabled_) fore = GetSysColor(COLOR_GRAYTEXT);
        dc_.FillSolidRect(&r, back);
        // The grid lines: each cell draws its right and bottom edge.
        if (look.gridLineStyle != 0) {
            CPen pen(look.gridLineStyle == 2 ? PS_DOT : PS_SOLID, 1, gridLine());
            CPen* old = dc_.SelectObject(&pen);
            dc_.MoveTo(r.right - 1, r.top);
            dc_.LineTo(r.right - 1, r.bottom - 1);
            dc_.LineTo(r.left - 1, r.bottom - 1);
            dc_.SelectObject(old);
        }
        const RECT inner{r.left, r.top, r.right - 1, r.bottom - 1};
        if (s_.editCell() == cell && s_.editor()) {
            if (std::holds_alternative<ComboBoxType>(sheet_.cellType(cell))) comboButton(inner, true);
            return;  // the editor shows the text
        }
        dc_.SaveDC();
        dc_.IntersectClipRect(&inner);
        dc_.SelectFont(sheet_.fontHandle(cell));
        dc_.SetTextColor(fore);
        std::visit([&](const auto& type) { content(cell, inner, type, fore); }, sheet_.cellType(cell));
        dc_.RestoreDC(-1);
    }

    UINT textFormat(CellRef cell, UINT horizontalDefault, bool multiLine) const {
        const CellAlignment a = sheet_.alignment(cell);
        UINT f = DT_NOPREFIX;
        switch (a.horizontal) {
        case Alignment::left: f |= DT_LEFT; break;
        case Alignment::centre: f |= DT_CENTER; break;
        case Alignment::right: f |= DT_RIGHT; break;
        default: f |= horizontalDefault; break;
        }
        if (!multiLine) {
            f |= DT_SINGLELINE;
            switch (a.vertical) {
            case Alignment::top: break;
            case Alignment::bottom: f |= DT_BOTTOM; break;
            default: f |= DT_VCENTER; break;
            }
        }
        return f;
    }

    void text(CellRef cell, const RECT& r, const std::string& shown, UINT horizontalDefault, bool wrap = false) {
        const bool multiLine = wrap || shown.find('\n') != std::string::npos;
        RECT t{r.left + 3, r.top + 1, r.right - 3, r.bottom - 1};
        UINT f = textFormat(cell, horizontalDefault, multiLine);
        if (wrap) f |= DT_WORDBREAK;
        dc_.DrawText(shown, &t, f);
    }

    void content(CellRef cell, const RECT& r, const EditType&, COLORREF) { text(cell, r, sheet_.text(cell), DT_LEFT); }
    void content(CellRef cell, const RECT& r, const StaticTextType& type, COLORREF) {
        text(cell, r, sheet_.text(cell), (type.style & StaticTextType::kCentre) ? DT_CENTER : DT_LEFT, type.wordWrap());
    }
    void content(CellRef cell, const RECT& r, const NumberType& type, COLORREF) {
        text(cell, r, sheet_.text(cell), (type.style & NumberType::kRightAligned) ? DT_RIGHT : DT_LEFT);
    }
    void content(CellRef, const RECT& r, const PictureType& type, COLORREF) {
        if (type.fileName.empty()) return;
        if (const HBITMAP picture = pictureFromFile(type.fileName)) dc_.DrawBitmap(r.left + 1, r.top + 1, picture);
    }
    void content(CellRef cell, const RECT& r, const ComboBoxType&, COLORREF) {
        RECT t = r;
        t.right -= kComboButtonWidth;
        text(cell, t, sheet_.text(cell), DT_LEFT);
        comboButton(r, s_.dropCell() == cell);
    }
    void comboButton(const RECT& r, bool pushed) {
        const RECT b{r.right - kComboButtonWidth, r.top, r.right, r.bottom};
        dc_.FillSolidRect(&b, GetSysColor(COLOR_BTNFACE));
        if (pushed) {
            RECT e{b.left, b.top, b.right - 1, b.bottom - 1};
            dc_.Draw3dRect(&e, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        } else {
            raisedEdge(dc_, b);
        }
        drawDownArrow(dc_, b, enabled_ ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
    }
    void content(CellRef cell, const RECT& r, const CheckBoxType& type, COLORREF fore) {
        const bool set = CheckBoxType::isSet(sheet_.value(cell));
        const bool focusedCell = s_.activeCell() == cell && s_.focusDrawn();
        const CellAlignment a = sheet_.alignment(cell);
        int x = r.left + 3;
        if (a.horizontal == Alignment::centre) x = (r.left + r.right - kCheckSize) / 2;
        if (a.horizontal == Alignment::right) x = r.right - 3 - kCheckSize;
        int y = (r.top + r.bottom - kCheckSize) / 2;
        if (a.vertical == Alignment::top) y = r.top + 1;
        if (a.vertical == Alignment::bottom) y = r.bottom - 1 - kCheckSize;
        const int index = (focusedCell ? 2 : 0) + (set ? 1 : 0);
        const HBITMAP picture = type.pictures[static_cast<std::size_t>(index)] ? type.pictures[static_cast<std::size_t>(index)]
                                                                              : type.pictures[static_cast<std::size_t>(set ? 1 : 0)];
        if (picture) {
            dc_.DrawBitmap(x, y, picture);
        } else {
            // No pictures given: a plain box with a tick.
            const RECT box{x, y, x + kCheckSize, y + kCheckSize};
            dc_.FillSolidRect(&box, GetSysColor(COLOR_WINDOW));
            CBrush frame(enabled_ ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
            dc_.FrameRect(&box, &frame);
            if (set) {
                CPen pen(PS_SOLID, 2, enabled_ ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
                CPen* old = dc_.SelectObject(&pen);
                dc_.MoveTo(x + 3, y + 6);
                dc_.LineTo(x + 5, y + 9);
                dc_.LineTo(x + 10, y + 3);
                dc_.SelectObject(old);
            }
        }
        if (!type.caption.empty()) {
            dc_.SetTextColor(fore);
            RECT t{x + kCheckSize + 4, r.top + 1, r.right - 3, r.bottom - 1};
            dc_.DrawText(type.caption, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    void content(CellRef cell, const RECT& r, const ButtonType& type, COLORREF) {
        const RECT b{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        dc_.FillSolidRect(&b, GetSysColor(COLOR_BTNFACE));
        const bool pushed = s_.pressedButton() == cell;
        RECT e{b.left, b.top, b.right - 1, b.bottom - 1};
        if (pushed) dc_.Draw3dRect(&e, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        else dc_.Draw3dRect(&e, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        const int shift = pushed ? 1 : 0;
        int textLeft = b.left + 2;
        if (type.picture) {
            dc_.DrawBitmap(b.left + 3 + shift, b.top + 2 + shift, type.picture);
            BITMAP info;
            CBitmap bitmap;
            bitmap.Attach(type.picture);
            bitmap.GetBitmap(&info);
            bitmap.Detach();
            textLeft += info.bmWidth + 3;
        }
        dc_.SetTextColor(enabled_ && sheet_.isEditable(cell) ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
        RECT t{textLeft + shift, b.top + shift, b.right - 2 + shift, b.bottom + shift};
        dc_.DrawText(type.caption, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    void headerCell(CellRef cell, const RECT& r) {
        dc_.FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
        raisedEdge(dc_, r);
        const std::string label = shownText(sheet_, cell);
        dc_.SaveDC();
        RECT inner{r.left + 1, r.top + 1, r.right - 2, r.bottom - 2};
        dc_.IntersectClipRect(&inner);
        dc_.SelectFont(sheet_.fontHandle(cell));
        dc_.SetTextColor(enabled_ ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
        const auto* st = std::get_if<StaticTextType>(&sheet_.cellType(cell));
        const bool wrap = st && st->wordWrap();
        RECT t{inner.left + 2, inner.top, inner.right - 2, inner.bottom};
        UINT f = DT_CENTER | DT_NOPREFIX;
        if (wrap || label.find('\n') != std::string::npos) {
            f |= DT_WORDBREAK;
            // Several lines are centred down by hand: the platform centres single lines only.
            RECT measure = t;
            dc_.DrawText(label, &measure, f | DT_CALCRECT);
            const int h = measure.bottom - measure.top;
            t.top += std::max(0, (static_cast<int>(t.bottom - t.top) - h) / 2);
        } else {
            f |= DT_SINGLELINE | DT_VCENTER;
        }
        dc_.DrawText(label, &t, f);
        dc_.RestoreDC(-1);
    }

    void headers() {
        const CellRef tl = l_.topLeft();
        const int lastCol = l_.lastVisibleColumn(), lastRow = l_.lastVisibleRow();
        if (l_.headerHeight() > 0) {
            dc_.SaveDC();
            dc_.IntersectClipRect(l_.headerWidth(), 0, l_.cellArea().right, l_.headerHeight());
            std::set<int> drawn;
            for (int c = tl.col; c <= lastCol; ++c) {
                CellRef cell{c, 0};
                const SpanInfo span = sheet_.span(cell);
                if (span.state == 2) cell = span.anchor;
                if (!drawn.insert(cell.col).second) continue;
                headerCell(cell, l_.cellRect(cell));
            }
            dc_.RestoreDC(-1);
        }
        if (l_.headerWidth() > 0) {
            dc_.SaveDC();
            dc_.IntersectClipRect(0, l_.headerHeight(), l_.headerWidth(), l_.cellArea().bottom);
            std::set<int> drawn;
            for (int r = tl.row; r <= lastRow; ++r) {
                CellRef cell{0, r};
                const SpanInfo span = sheet_.span(cell);
                if (span.state == 2) cell = span.anchor;
                if (!drawn.insert(cell.row).second) continue;
                headerCell(cell, l_.cellRect(cell));
            }
            dc_.RestoreDC(-1);
        }
        if (l_.headerWidth() > 0 && l_.headerHeight() > 0) headerCell({0, 0}, l_.cellRect({0, 0}));
    }

    void activeFrame() {
        const auto active = s_.activeCell();
        if (!active || sheet_.operationMode() == kOperationList) return;
        dc_.SaveDC();
        dc_.IntersectClipRect(l_.headerWidth(), l_.headerHeight(), l_.cellArea().right, l_.cellArea().bottom);
        const RECT r = l_.cellRect(*active);
        const COLORREF ink = s_.focusDrawn() ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_BTNSHADOW);
        CBrush brush(ink);
        RECT outer{r.left - 1, r.top - 1, r.right, r.bottom};
        dc_.FrameRect(&outer, &brush);
        RECT inner{r.left, r.top, r.right - 1, r.bottom - 1};
        dc_.FrameRect(&inner, &brush);
        dc_.RestoreDC(-1);
    }

    void scrollBar(const RECT& bar, bool vertical) {
        if (bar.right <= bar.left || bar.bottom <= bar.top) return;
        dc_.FillSolidRect(&bar, GetSysColor(COLOR_SCROLLBAR));
        const int total = vertical ? sheet_.rowCount() : sheet_.colCount();
        const int first = vertical ? l_.topLeft().row : l_.topLeft().col;
        const int shown = vertical ? l_.visibleRows() : l_.visibleColumns();
        if (total <= 0) return;
        const int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
        const int thumb = std::max(8, static_cast<int>(static_cast<long long>(length) * std::min(shown, total) / total));
        const int at = static_cast<int>(static_cast<long long>(length - thumb) * (first - 1) / std::max(1, total - 1));
        const RECT t = vertical ? RECT{bar.left, bar.top + at, bar.right, bar.top + at + thumb}
                                : RECT{bar.left + at, bar.top, bar.left + at + thumb, bar.bottom};
        dc_.FillSolidRect(&t, GetSysColor(COLOR_BTNFACE));
        raisedEdge(dc_, t);
    }

    void scrollBars() {
        scrollBar(l_.vertScrollBar(), true);
        scrollBar(l_.horzScrollBar(), false);
        const RECT v = l_.vertScrollBar(), h = l_.horzScrollBar();
        if (v.right > v.left && h.right > h.left) {
            const RECT corner{v.left, h.top, v.right, h.bottom};
            dc_.FillSolidRect(&corner, GetSysColor(COLOR_BTNFACE));
        }
    }

    const Spread& s_;
    const Sheet& sheet_;
    SpreadLayout l_;
    CDC& dc_;
    bool enabled_;
};
}  // namespace

void paintSpread(HWND grid) {
    CPaintDC dc(CWnd::FromHandle(grid));
    const Spread* spread = Spread::from(grid);
    if (!spread || !spread->sheet().switchOn(sw::redraw)) return;
    Painter(*spread, dc).paint();
}

void paintDropList(HWND list) {
    CPaintDC dc(CWnd::FromHandle(list));
    const Spread* spread = Spread::from(list);
    RECT client;
    GetClientRect(list, &client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    if (!spread || !spread->dropCell()) return;
    const auto* combo = std::get_if<ComboBoxType>(&spread->sheet().cellType(*spread->dropCell()));
    if (!combo) return;
    dc.SelectFont(spread->sheet().fontHandle(*spread->dropCell()));
    dc.SetBkMode(TRANSPARENT);
    const int h = spread->dropItemHeight();
    for (int i = spread->dropListTop(), y = 0; i < static_cast<int>(combo->items.size()) && y < client.bottom; ++i, y += h) {
        RECT item{0, y, client.right, y + h};
        const bool hot = i == spread->dropListHover();
        if (hot) dc.FillSolidRect(&item, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(hot ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT));
        RECT t{item.left + 3, item.top, item.right - 3, item.bottom};
        dc.DrawText(combo->items[static_cast<std::size_t>(i)], &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void paintTip(HWND tip) {
    CPaintDC dc(CWnd::FromHandle(tip));
    const Spread* spread = Spread::from(tip);
    RECT client;
    GetClientRect(tip, &client);
    const ColourPair colours = spread ? spread->sheet().textTips().colours : ColourPair{};
    dc.FillSolidRect(&client, resolve(colours.back, GetSysColor(COLOR_INFOBK)));
    if (!spread || spread->tipWindow() != tip) return;
    dc.SelectFont(spread->tipFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(resolve(colours.fore, GetSysColor(COLOR_INFOTEXT)));
    RECT t{client.left + kTipPadX, client.top + kTipPadY, client.right - kTipPadX, client.bottom - kTipPadY};
    dc.DrawText(spread->tipText(), &t, DT_LEFT | DT_NOPREFIX);
}

}  // namespace vtl::grid
