#include "face/spread.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "face/spread_windows.h"
#include "win/api.h"
#include "win/font.h"
#include "win/gdi.h"

namespace vtl::grid {
namespace {
std::unordered_map<HWND, Spread*>& registry() {
    static std::unordered_map<HWND, Spread*> spreads;
    return spreads;
}

// The grid found last: callers work on one grid at a time, often cell by cell.
struct LastFound {
    HWND window;
    Spread* spread = nullptr;
};
LastFound lastFound;

SIZE clientSize(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// Clamps a cell into the data area; none when the grid has no data cell.
std::optional<CellRef> clampToData(const Sheet& sheet, CellRef cell) {
    if (sheet.rowCount() < 1 || sheet.colCount() < 1) return std::nullopt;
    return CellRef{std::clamp(cell.col, 1, sheet.colCount()), std::clamp(cell.row, 1, sheet.rowCount())};
}
}  // namespace

Spread::Spread(HWND window) : window_(window) {
    registry()[window] = this;
    lastFound = {};
}

Spread::~Spread() {
    registry().erase(window_);
    lastFound = {};
    KillTimer(window_, kTipTimer);
    if (tip_) DestroyWindow(tip_);
    if (dropList_) DestroyWindow(dropList_);
    if (editor_) DestroyWindow(editor_);
}

Spread* Spread::from(HWND window) {
    if (lastFound.spread && lastFound.window == window) return lastFound.spread;
    auto& spreads = registry();
    if (auto it = spreads.find(window); it != spreads.end()) {
        lastFound = {window, it->second};
        return it->second;
    }
    // The editor, the dropped list and the tip lead to their grid.
    for (auto& [h, spread] : spreads)
        if (spread->editor_ == window || spread->dropList_ == window || spread->tip_ == window) return spread;
    return nullptr;
}

bool Spread::isSpreadWindow(HWND window) { return window && from(window) != nullptr; }

SpreadLayout Spread::layout() const { return SpreadLayout(sheet_, topLeft_, clientSize(window_)); }

// ---- program changes ----

void Spread::modelChanged() {
    // What the tip showed may have changed or moved: it comes again with the next mouse move.
    hideTip(true);
    if (active_) active_ = clampToData(sheet_, *active_);
    if (editCell_ && (!sheet_.contains(*editCell_) || editCell_->row < 1 || editCell_->col < 1)) {
        editCell_.reset();
        destroyEditor();
    } else if (editCell_ && editor_) {
        // A program write to the cell being edited shows in the editor; the selection is clamped.
        const std::string text = sheet_.text(*editCell_);
        if (GetWindowText(editor_) != text) {
            DWORD a = 0, b = 0;
            SendMessage(editor_, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
            SetWindowText(editor_, text.c_str());
            SendMessage(editor_, EM_SETSEL, a, static_cast<LPARAM>(b));
        }
    }
    if (dropCell_ && !sheet_.contains(*dropCell_)) closeDropList(std::nullopt);
    topLeft_.col = std::clamp(topLeft_.col, 1, std::max(1, sheet_.colCount()));
    topLeft_.row = std::clamp(topLeft_.row, 1, std::max(1, sheet_.rowCount()));
    if (editor_) placeEditor();
    repaint();
}

void Spread::structureChanged() {
    if (selection_) {
        // A selection outside the shrunk grid goes.
        const Block& b = *selection_;
        const bool rowsOk = b.row2 == -1 || std::max(b.row1, b.row2) <= sheet_.rowCount();
        const bool colsOk = b.col2 == -1 || std::max(b.col1, b.col2) <= sheet_.colCount();
        if (!rowsOk || !colsOk) selection_.reset();
    }
    if (!active_ && sheet_.rowCount() >= 1 && sheet_.colCount() >= 1) active_ = CellRef{1, 1};
    modelChanged();
}

void Spread::setRedraw(bool on) {
    const bool was = sheet_.switchOn(sw::redraw);
    sheet_.setSwitch(sw::redraw, on);
    if (on && (!was || dirty_)) {
        dirty_ = false;
        if (editor_) placeEditor();
        InvalidateRect(window_, nullptr, TRUE);
    }
}

void Spread::repaint() {
    if (!sheet_.switchOn(sw::redraw)) {
        dirty_ = true;
        return;
    }
    InvalidateRect(window_, nullptr, TRUE);
    if (editor_) InvalidateRect(editor_, nullptr, TRUE);
}

void Spread::reset() {
    if (editCell_) endEdit(false);
    closeDropList(std::nullopt);
    hideTip(true);
    borderDrag_.reset();
    sheet_.reset();
    active_.reset();
    selection_.reset();
    selectionStart_.reset();
    pressed_.reset();
    topLeft_ = {1, 1};
    lastNotify_ = {};
    repaint();
}

// ---- active cell and selection ----

std::optional<CellRef> Spread::activeCell() const {
    if (sheet_.rowCount() < 1 || sheet_.colCount() < 1) return std::nullopt;
    return active_ ? active_ : std::optional<CellRef>(CellRef{1, 1});
}

CellRef Spread::anchorOf(CellRef cell) const {
    const SpanInfo span = sheet_.span(cell);
    return span.state == 2 ? span.anchor : cell;
}

bool Spread::setActiveCell(CellRef cell) {
    cell = {headerToZero(cell.col), headerToZero(cell.row)};
    if (cell.col < 1 || cell.row < 1 || cell.col > sheet_.colCount() || cell.row > sheet_.rowCount()) return false;
    cell = anchorOf(cell);
    if (editCell_ && *editCell_ != cell) endEdit(true);
    if (!Spread::from(window_)) return false;
    active_ = cell;
    ensureVisible(cell);
    if (sheet_.switchOn(sw::permanentEdit) && !editCell_ && editableAs(cell, false)) beginPermanentEdit();
    repaint();
    return true;
}

bool Spread::setSelection(const Block& block) {
    Block b{headerToZero(block.col1), headerToZero(block.row1), headerToZero(block.col2), headerToZero(block.row2)};
    auto valid = [](int v, int count, bool far) { return (far && v == -1) || (v >= 0 && v <= count); };
    if (!valid(b.col1, sheet_.colCount(), false) || !valid(b.row1, sheet_.rowCount(), false) ||
        !valid(b.col2, sheet_.colCount(), true) || !valid(b.row2, sheet_.rowCount(), true))
        return false;
    selection_ = b;
    repaint();
    return true;
}

std::optional<Block> Spread::effectiveSelection() const {
    if (selection_) {
        Block b = *selection_;
        if (b.col2 == -1) b.col2 = sheet_.colCount();
        if (b.row2 == -1) b.row2 = sheet_.rowCount();
        return Block{std::max(1, std::min(b.col1, b.col2)), std::max(1, std::min(b.row1, b.row2)),
                     std::max(b.col1, b.col2), std::max(b.row1, b.row2)};
    }
    if (auto a = activeCell()) return Block{a->col, a->row, a->col, a->row};
    return std::nullopt;
}

bool Spread::isSelected(CellRef cell) const {
    if (!selection_) return false;
    Block b = *selection_;
    if (b.col2 == -1) b.col2 = sheet_.colCount();
    if (b.row2 == -1) b.row2 = sheet_.rowCount();
    return cell.col >= std::min(b.col1, b.col2) && cell.col <= std::max(b.col1, b.col2) &&
           cell.row >= std::min(b.row1, b.row2) && cell.row <= std::max(b.row1, b.row2);
}

// ---- focus ----

bool Spread::hasFocus() const {
    const HWND f = GetFocus();
    return f && (f == window_ || f == editor_);
}

bool Spread::focusDrawn() const { return hasFocus() || (editor_ && dropList_); }

void Spread::gotFocus() {
    if (refocusing_) return;
    if (editor_) {
        // Editing went on while the focus was away: the editor takes it back.
        refocusing_ = true;
        SetFocus(editor_);
        refocusing_ = false;
        repaint();
        return;
    }
    if (sheet_.switchOn(sw::permanentEdit) && !editCell_) {
        if (auto a = activeCell(); a && editableAs(*a, false)) {
            active_ = a;
            beginPermanentEdit();
            return;
        }
    }
    repaint();
}

void Spread::lostFocus(HWND to) {
    if (refocusing_) return;
    if (to && (to == window_ || to == editor_ || to == dropList_)) return;
    if (dropList_) closeDropList(std::nullopt);
    if (!Spread::from(window_)) return;
    // Editing survives the focus going elsewhere only in permanent edit mode.
    if (editCell_ && !sheet_.switchOn(sw::permanentEdit)) endEdit(true);
    if (Spread::from(window_)) repaint();
}

// ---- view ----

void Spread::setTopLeft(CellRef cell) {
    const CellRef clamped{std::clamp(cell.col, 1, std::max(1, sheet_.colCount())),
                          std::clamp(cell.row, 1, std::max(1, sheet_.rowCount()))};
    if (clamped == topLeft_) return;
    hideTip(false);
    topLeft_ = clamped;
    if (editor_) placeEditor();
    repaint();
}

void Spread::ensureVisible(CellRef cell) {
    if (cell.col < 1 || cell.row < 1) return;
    CellRef tl = topLeft_;
    if (cell.col < tl.col) tl.col = cell.col;
    if (cell.row < tl.row) tl.row = cell.row;
    // Scroll forward until the cell's far edge fits (or it is the first visible one).
    const SIZE client = clientSize(window_);
    if (cell.row > tl.row) {
        // A cell far below starts the search a row above the first top row that can show it, so the
        // steps below stay few however many rows lie between.
        const SpreadLayout start(sheet_, tl, client);
        const int room = start.cellArea().bottom - start.cellArea().top;
        int top = cell.row, used = sheet_.rowHeightPixels(cell.row);
        while (top > tl.row && used + sheet_.rowHeightPixels(top - 1) <= room) used += sheet_.rowHeightPixels(--top);
        tl.row = std::max(tl.row, top - 1);
    }
    for (;;) {
        const SpreadLayout l(sheet_, tl, client);
        const RECT r = l.cellRect(cell);
        const RECT area = l.cellArea();
        bool moved = false;
        if (r.right > area.right && tl.col < cell.col) {
            ++tl.col;
            moved = true;
        }
        if (r.bottom > area.bottom && tl.row < cell.row) {
            ++tl.row;
            moved = true;
        }
        if (!moved) break;
    }
    setTopLeft(tl);
}

void Spread::scrollBy(int cols, int rows) { setTopLeft({topLeft_.col + cols, topLeft_.row + rows}); }

// ---- notifications ----

void Spread::notify(WORD code, CellRef cell) {
    lastNotify_ = cell;
    const HWND parent = GetParent(window_);
    if (!parent) return;
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(window_)), code), HandleToParam(window_));
}

}  // namespace vtl::grid
