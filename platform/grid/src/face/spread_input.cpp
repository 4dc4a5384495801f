// What a person does to a grid: clicks, drags, keys and typing, and the notifications each causes; the
// text tip over a cut-off cell; dragging and fitting header borders.
// Each action updates the state first and notifies after; a handler of the parent may rebuild or destroy
// the grid, so every step after a notification checks that the grid is still there.
#include <algorithm>
#include <memory>
#include <string_view>

#include "face/spread.h"
#include "face/spread_windows.h"
#include "gfx/text_metrics.h"
#include "gfx/utf8.h"
#include "win/api.h"
#include "win/font.h"
#include "win/gdi.h"
#include "win/keys.h"

namespace vtl::grid {
namespace {
bool alive(HWND grid) { return Spread::from(grid) != nullptr; }

// How far below the cursor the tip's top edge goes, clear of the cursor's arrow.
constexpr int kTipBelowCursor = 20;

// The cell or header cell a hit lands on, if any.
std::optional<CellRef> hoveredCell(const SpreadHit& hit) {
    using Area = SpreadHit::Area;
    switch (hit.area) {
    case Area::cell:
    case Area::columnHeader:
    case Area::rowHeader:
    case Area::corner:
        return hit.cell;
    default:
        return std::nullopt;
    }
}
}  // namespace

void Spread::moveActiveByUser(CellRef to, bool extend) {
    const HWND self = window_;
    const auto previous = activeCell();
    if (!previous) return;
    to = {std::clamp(to.col, 1, sheet_.colCount()), std::clamp(to.row, 1, sheet_.rowCount())};
    to = anchorOf(to);
    if (editCell_ && *editCell_ != to) {
        endEdit(true);
        if (!alive(self) || !activeCell()) return;
    }
    if (extend && !isList()) {
        if (!selectionStart_) selectionStart_ = *previous;
        selection_ = Block{selectionStart_->col, selectionStart_->row, to.col, to.row};
    } else {
        selectionStart_ = to;
        if (isList()) selection_ = Block{1, to.row, -1, to.row};
        else selection_.reset();
    }
    active_ = to;
    ensureVisible(to);
    repaint();
    if (to != *previous) {
        notify(notify::activeCellChanged, to);
        if (!alive(self)) return;
    }
    if (sheet_.switchOn(sw::permanentEdit) && !editCell_ && active_ == to && editableAs(to, false)) beginPermanentEdit();
}

std::optional<CellRef> Spread::nextTabCell(CellRef from, bool backwards) const {
    const long long cols = sheet_.colCount(), rows = sheet_.rowCount();
    const long long total = cols * rows;
    long long at = (from.row - 1) * cols + (from.col - 1);
    for (long long step = 1; step < total; ++step) {
        const long long i = backwards ? at - step : at + step;
        if (i < 0 || i >= total) return std::nullopt;  // no wrapping past the grid's ends
        const CellRef cell{static_cast<int>(i % cols) + 1, static_cast<int>(i / cols) + 1};
        if (sheet_.span(cell).state == 2) continue;
        if (sheet_.isEditable(cell)) return cell;
    }
    return std::nullopt;
}

void Spread::toggleCheck(CellRef cell) {
    if (!std::holds_alternative<CheckBoxType>(sheet_.cellType(cell)) || !sheet_.isEditable(cell)) return;
    const std::string next = CheckBoxType::toggled(sheet_.value(cell));
    sheet_.setValue(cell, next);
    sheet_.setSwitch(sw::changed, true);
    repaint();
    notify(next == "1" ? notify::checkSet : notify::checkCleared, cell);
}

void Spread::pressButton(CellRef cell) {
    if (!std::holds_alternative<ButtonType>(sheet_.cellType(cell)) || !sheet_.isEditable(cell)) return;
    notify(notify::buttonClicked, cell);
}

// ---- mouse ----

void Spread::mouseDown(POINT p, bool right, bool shift, bool /*ctrl*/) {
    const HWND self = window_;
    if (!IsWindowEnabled(self)) return;
    hideTip(false);
    if (dropList_) closeDropList(std::nullopt);
    if (!hasFocus()) {
        SetFocus(self);
        if (!alive(self)) return;
    }
    const SpreadLayout l = layout();
    const SpreadHit hit = l.hitTest(p);
    using Area = SpreadHit::Area;
    if (hit.area == Area::vertScrollBar || hit.area == Area::horzScrollBar) {
        const bool vertical = hit.area == Area::vertScrollBar;
        const RECT bar = vertical ? l.vertScrollBar() : l.horzScrollBar();
        const bool forward = vertical ? p.y >= (bar.top + bar.bottom) / 2 : p.x >= (bar.left + bar.right) / 2;
        if (vertical) scrollBy(0, forward ? l.visibleRows() : -l.visibleRows());
        else scrollBy(forward ? l.visibleColumns() : -l.visibleColumns(), 0);
        return;
    }
    if (!right) {
        // A press on a header border holds it until the button is released; it is no click on a cell.
        if (const auto border = l.borderAt(p)) {
            borderDrag_ = BorderDrag{*border, (border->column ? p.x : p.y) - border->edge};
            SetCapture(self);
            return;
        }
    }
    if (hit.area == Area::none || hit.area == Area::greyArea) return;
    if (right) {
        // As spreadsheets do, a right click on a cell outside the selection makes it the active cell (and a
        // click on a row header selects that row), so that a context menu acts where the user clicked.
        if (hit.area == Area::cell && !isSelected(hit.cell)) {
            moveActiveByUser(hit.cell, false);
            if (!alive(self)) return;
        } else if (hit.area == Area::rowHeader && sheet_.colCount() > 0 && !isSelected({1, hit.cell.row})) {
            moveActiveByUser({activeCell() ? activeCell()->col : 1, hit.cell.row}, false);
            if (!alive(self)) return;
            setSelection({1, hit.cell.row, -1, hit.cell.row});
        }
        notify(notify::cellRightClicked, hit.cell);
        return;
    }
    switch (hit.area) {
    case Area::corner:
        if (editCell_) endEdit(true);
        if (!alive(self)) return;
        if (!isList() && sheet_.rowCount() > 0 && sheet_.colCount() > 0) setSelection({1, 1, -1, -1});
        break;
    case Area::columnHeader:
        if (editCell_) endEdit(true);
        if (!alive(self)) return;
        if (!isList() && sheet_.rowCount() > 0) setSelection({hit.cell.col, 1, hit.cell.col, -1});
        break;
    case Area::rowHeader:
        if (sheet_.colCount() > 0) {
            moveActiveByUser({activeCell() ? activeCell()->col : 1, hit.cell.row}, false);
            if (!alive(self)) return;
            setSelection({1, hit.cell.row, -1, hit.cell.row});
        }
        break;
    case Area::cell: {
        const bool wasActive = activeCell() == hit.cell && !editCell_;
        moveActiveByUser(hit.cell, shift);
        if (!alive(self) || activeCell() != hit.cell) return;
        const CellType& type = sheet_.cellType(hit.cell);
        if (std::holds_alternative<CheckBoxType>(type)) {
            toggleCheck(hit.cell);
            if (!alive(self)) return;
        } else if (std::holds_alternative<ButtonType>(type) && sheet_.isEditable(hit.cell)) {
            pressed_ = hit.cell;
            SetCapture(self);
            repaint();
        } else if (std::holds_alternative<ComboBoxType>(type) && hit.onComboButton) {
            dropDown();
            if (!alive(self)) return;
        } else if (wasActive && !shift) {
            // A second click on the active cell edits it.
            beginEdit();
        } else if (!shift && !isList()) {
            dragging_ = true;
            SetCapture(self);
        }
        break;
    }
    default:
        return;
    }
    notify(notify::cellClicked, hit.cell);
}

void Spread::mouseMove(POINT p, bool buttonDown) {
    if (borderDrag_) {
        // The cursor decides the size: the border follows it, kept at the distance it was grabbed from.
        const SpreadLayout l = layout();
        const SpreadBorder& b = borderDrag_->border;
        const int start = b.column ? l.columnLeft(b.index) : l.rowTop(b.index);
        resizeByUser(b, (b.column ? p.x : p.y) - borderDrag_->grab - start);
        return;
    }
    if (buttonDown || dragging_ || pressed_ || GetCapture() == window_) {
        hideTip(false);
    } else {
        hover(p);
        return;
    }
    // Dragging lasts from the press to the release (the capture is held), whatever the move reports.
    if (!dragging_ || !selectionStart_) return;
    const SpreadHit hit = layout().hitTest(p);
    if (hit.area != SpreadHit::Area::cell) return;
    const Block block{selectionStart_->col, selectionStart_->row, hit.cell.col, hit.cell.row};
    if (hit.cell == *selectionStart_) {
        if (selection_) {
            selection_.reset();
            repaint();
        }
    } else if (selection_ != block) {
        selection_ = block;
        repaint();
    }
}

void Spread::mouseUp(POINT p) {
    if (borderDrag_) {
        mouseMove(p, true);
        borderDrag_.reset();
        if (GetCapture() == window_) ReleaseCapture();
        return;
    }
    dragging_ = false;
    const auto pressed = pressed_;
    pressed_.reset();
    if (GetCapture() == window_) ReleaseCapture();
    if (!pressed) return;
    repaint();
    const SpreadHit hit = layout().hitTest(p);
    if (hit.area == SpreadHit::Area::cell && hit.cell == *pressed) pressButton(*pressed);
}

void Spread::doubleClick(POINT p) {
    hideTip(false);
    if (!IsWindowEnabled(window_)) return;
    if (const auto border = layout().borderAt(p)) {
        resizeByUser(*border, fittedSize(*border));
        return;
    }
    const SpreadHit hit = layout().hitTest(p);
    if (hit.area != SpreadHit::Area::cell) return;
    // The second click of a double click: check boxes and buttons take it as another click.
    const CellType& type = sheet_.cellType(hit.cell);
    if (std::holds_alternative<CheckBoxType>(type) || std::holds_alternative<ButtonType>(type)) {
        mouseDown(p, false, false, false);
        return;
    }
    if (activeCell() == hit.cell) beginEdit();
}

void Spread::captureLost() {
    borderDrag_.reset();
    dragging_ = false;
}

// ---- header borders ----

void Spread::resizeByUser(const SpreadBorder& border, int pixels) {
    pixels = std::max(0, pixels);
    const int now = border.column ? sheet_.columnWidthPixels(border.index) : sheet_.rowHeightPixels(border.index);
    if (pixels == now) return;
    const bool set = border.column ? sheet_.setColumnWidthPixels(border.index, pixels)
                                   : sheet_.setRowHeightPixels(border.index, pixels);
    if (!set) return;
    if (editor_) placeEditor();
    repaint();
}

int Spread::fittedSize(const SpreadBorder& border) const {
    // The widest (tallest) content of the column (row), its header cell included. A span over several
    // columns (rows) sizes none of them, and covered cells need nothing.
    int best = 0;
    const int count = border.column ? sheet_.rowCount() : sheet_.colCount();
    for (int i = 0; i <= count; ++i) {
        const CellRef cell = border.column ? CellRef{border.index, i} : CellRef{i, border.index};
        const SpanInfo span = sheet_.span(cell);
        if (span.state == 2 || (span.state == 1 && (border.column ? span.cols : span.rows) > 1)) continue;
        const SIZE size = contentSize(sheet_, cell);
        best = std::max(best, static_cast<int>(border.column ? size.cx : size.cy));
    }
    return best;
}

// ---- text tip ----

HFONT Spread::tipFont() const { return tipFont_ ? tipFont_->GetSafeHandle() : HFONT(); }

void Spread::hover(POINT p) {
    const TextTipSettings& tips = sheet_.textTips();
    std::optional<CellRef> cell;
    if (tips.mode != 0 && !dropList_ && IsWindowEnabled(window_)) cell = hoveredCell(layout().hitTest(p));
    if (!cell) {
        hideTip(true);
        return;
    }
    if (cell == tipCell_) return;  // still on the cell: the delay runs on, or the tip stays
    hideTip(true);
    tipCell_ = cell;
    if (!layout().textCutOff(*cell)) return;
    tipWaiting_ = true;
    SetTimer(window_, kTipTimer, static_cast<UINT>(std::max(0, tips.delayMs)), nullptr);
}

bool Spread::mouseOnTipCell() const {
    if (!tipCell_) return false;
    POINT at;
    GetCursorPos(&at);
    const HWND under = WindowFromPoint(at);
    // The tip itself may lie over the cell.
    if (under != window_ && (!tip_ || under != tip_)) return false;
    const HWND capture = GetCapture();
    if (capture && capture != window_) return false;
    ScreenToClient(window_, &at);
    return hoveredCell(layout().hitTest(at)) == tipCell_;
}

void Spread::timer(UINT_PTR id) {
    if (id != kTipTimer) return;
    if (!mouseOnTipCell() || sheet_.textTips().mode == 0) {
        hideTip(true);
        return;
    }
    if (!tipWaiting_) return;  // watching the mouse
    tipWaiting_ = false;
    showTip();
    SetTimer(window_, kTipTimer, kTipWatchMs, nullptr);
}

void Spread::showTip() {
    if (!tipCell_ || tip_) return;
    const TextTipSettings& tips = sheet_.textTips();
    const LOGFONT font = tips.font ? *tips.font : sheet_.font(*tipCell_);
    std::string text = shownText(sheet_, *tipCell_);
    // The window's size: the widest line and every line, in the tip's font, with the margin and border.
    int widest = 0, lines = 0;
    for (std::string_view rest = text;;) {
        const auto lf = rest.find('\n');
        std::string_view line = rest.substr(0, lf);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        widest = std::max(widest, static_cast<int>(gfx::textExtent(font, line).cx));
        ++lines;
        if (lf == std::string_view::npos) break;
        rest.remove_prefix(lf + 1);
    }
    constexpr DWORD style = WS_POPUP | WS_BORDER;
    constexpr DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    RECT frame{0, 0, widest + 2 * kTipPadX, lines * gfx::fontMetrics(font).height + 2 * kTipPadY};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    // Below the cursor, kept on the screen: above the cursor when there is no room below.
    POINT cursor;
    GetCursorPos(&cursor);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int x = std::max(0, std::min(static_cast<int>(cursor.x), screenWidth - width));
    int y = cursor.y + kTipBelowCursor;
    if (y + height > screenHeight) y = std::max(0, static_cast<int>(cursor.y) - height - 2);
    auto tipFont = std::make_unique<CFont>();
    tipFont->CreateFontIndirect(&font);
    const HWND tip = CreateWindowEx(exStyle, kTipClassName, text.c_str(), style, x, y, width, height,
                                    GetAncestor(window_, GA_ROOT), 0);
    if (!tip) return;
    tip_ = tip;
    tipText_ = std::move(text);
    tipFont_ = std::move(tipFont);
    ShowWindow(tip, SW_SHOWNA);
}

void Spread::hideTip(bool forget) {
    tipWaiting_ = false;
    if (tip_) {
        const HWND tip = tip_;
        tip_ = HWND();
        DestroyWindow(tip);
    }
    tipText_.clear();
    tipFont_.reset();
    if (forget) tipCell_.reset();
    // A tip put away while the mouse stays on its cell stays away until the mouse leaves the cell; the
    // timer watches for that.
    if (tipCell_) SetTimer(window_, kTipTimer, kTipWatchMs, nullptr);
    else KillTimer(window_, kTipTimer);
}

// ---- keys ----

bool Spread::keyDown(UINT key, bool shift, bool ctrl, bool alt) {
    const HWND self = window_;
    hideTip(false);
    if (!IsWindowEnabled(self)) return false;
    if (dropList_) {
        const auto* combo = dropCell_ ? std::get_if<ComboBoxType>(&sheet_.cellType(*dropCell_)) : nullptr;
        const int count = combo ? static_cast<int>(combo->items.size()) : 0;
        switch (key) {
        case VK_UP:
        case VK_DOWN:
            if (alt) {
                closeDropList(dropHover_ >= 0 ? std::optional<int>(dropHover_) : std::nullopt);
                return true;
            }
            dropHover_ = std::clamp(dropHover_ + (key == VK_UP ? -1 : 1), 0, std::max(0, count - 1));
            dropTop_ = std::clamp(dropTop_, std::max(0, dropHover_ - kDropListRows + 1), dropHover_);
            InvalidateRect(dropList_, nullptr, TRUE);
            return true;
        case VK_RETURN:
        case VK_F4:
            closeDropList(dropHover_ >= 0 ? std::optional<int>(dropHover_) : std::nullopt);
            return true;
        case VK_ESCAPE:
        case VK_TAB:
            closeDropList(std::nullopt);
            return true;
        default:
            return true;
        }
    }
    const auto active = activeCell();
    if (!active) return false;

    if (editCell_) {
        switch (key) {
        case VK_RETURN:
        case VK_ESCAPE: {
            endEdit(key == VK_RETURN);
            Spread* s = Spread::from(self);
            if (s && s->sheet_.switchOn(sw::permanentEdit)) s->beginEdit();
            return true;
        }
        case VK_TAB:
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
            endEdit(true);
            if (!alive(self)) return true;
            break;  // and move as outside edit mode
        default:
            if (alt && key == VK_DOWN) return dropDown();
            return false;
        }
    }

    const SpreadLayout l = layout();
    const CellRef at = *active;
    auto move = [&](int col, int row) {
        moveActiveByUser({col, row}, shift);
        return true;
    };
    switch (key) {
    case VK_LEFT:
        return move(isList() ? at.col : at.col - 1, at.row);
    case VK_RIGHT: {
        const SpanInfo span = sheet_.span(at);
        return move(isList() ? at.col : at.col + (span.state == 1 ? span.cols : 1), at.row);
    }
    case VK_UP:
        if (alt) return dropDown();
        return move(at.col, at.row - 1);
    case VK_DOWN: {
        if (alt) return dropDown();
        const SpanInfo span = sheet_.span(at);
        return move(at.col, at.row + (span.state == 1 ? span.rows : 1));
    }
    case VK_PRIOR:
        scrollBy(0, -l.visibleRows());
        return move(at.col, at.row - l.visibleRows());
    case VK_NEXT:
        scrollBy(0, l.visibleRows());
        return move(at.col, at.row + l.visibleRows());
    case VK_HOME:
        return ctrl ? move(1, 1) : move(1, at.row);
    case VK_END:
        return ctrl ? move(sheet_.colCount(), sheet_.rowCount()) : move(sheet_.colCount(), at.row);
    case VK_TAB: {
        if (ctrl || alt) return false;
        if (const auto next = nextTabCell(at, shift)) {
            moveActiveByUser(*next, false);
            return true;
        }
        // Past the last (or before the first) cell the focus leaves the grid.
        const HWND parent = GetParent(self);
        if (parent) SendMessage(parent, WM_NEXTDLGCTL, shift ? 1 : 0, 0);
        return true;
    }
    case VK_F2:
        return beginEdit();
    case VK_F4:
        return dropDown();
    case VK_SPACE: {
        const CellType& type = sheet_.cellType(at);
        if (std::holds_alternative<CheckBoxType>(type)) {
            toggleCheck(at);
            return true;
        }
        if (std::holds_alternative<ButtonType>(type)) {
            pressButton(at);
            return true;
        }
        return false;
    }
    case VK_DELETE:
        return clearSelectionCells();
    default:
        break;
    }
    if (ctrl) {
        switch (key) {
        case 'C':
        case VK_INSERT:
            return copySelection();
        case 'X':
            return cutSelection();
        case 'V':
            return paste();
        case 'A':
            if (!isList()) return setSelection({1, 1, -1, -1});
            return false;
        default:
            break;
        }
    } else if (shift && key == VK_INSERT) {
        return paste();
    }
    return false;
}

void Spread::character(char32_t ch) {
    hideTip(false);
    if (editCell_ || dropList_ || ch < 0x20 || ch == 0x7F) return;
    if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) return;
    const auto active = activeCell();
    if (!active) return;
    const CellType& type = sheet_.cellType(*active);
    if (std::holds_alternative<CheckBoxType>(type) || std::holds_alternative<ButtonType>(type)) return;
    if (const auto* combo = std::get_if<ComboBoxType>(&type); combo && !combo->editable()) {
        // A list-only combo chooses the next item starting with the typed letter.
        if (!sheet_.isEditable(*active) || combo->items.empty()) return;
        const std::string typed = gfx::encodeUtf8(std::u32string(1, ch));
        auto lower = [](std::string s) {
            for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return s;
        };
        const std::string value = sheet_.value(*active);
        const int current = value.empty() ? -1 : std::atoi(value.c_str());
        const int n = static_cast<int>(combo->items.size());
        for (int step = 1; step <= n; ++step) {
            const int i = ((current < 0 ? -1 : current) + step + n) % n;
            if (lower(combo->items[static_cast<std::size_t>(i)]).rfind(lower(typed), 0) == 0) {
                if (i == current) return;
                sheet_.setValue(*active, std::to_string(i));
                sheet_.setSwitch(sw::changed, true);
                repaint();
                notify(notify::valueChanged, *active);
                return;
            }
        }
        return;
    }
    // Typing on a cell starts editing it with what was typed.
    beginEdit(gfx::encodeUtf8(std::u32string(1, ch)));
}

}  // namespace vtl::grid
