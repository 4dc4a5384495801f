// The dropped list of a combo cell: a pop-up below the cell holding the capture while it is open. A
// choice of a list-only combo stores the item's index; an editable combo takes the item's text.
#include <algorithm>

#include "face/spread.h"
#include "face/spread_windows.h"
#include "gfx/text_metrics.h"
#include "win/api.h"
#include "win/gdi.h"

namespace vtl::grid {

int Spread::dropItemHeight() const {
    const CellRef cell = dropCell_ ? *dropCell_ : CellRef{1, 1};
    return gfx::fontMetrics(sheet_.font(cell)).height + 2;
}

bool Spread::dropDown() {
    if (dropList_) return true;
    const auto active = activeCell();
    if (!active || !IsWindowEnabled(window_)) return false;
    const auto* combo = std::get_if<ComboBoxType>(&sheet_.cellType(*active));
    if (!combo || !sheet_.isEditable(*active) || combo->items.empty()) return false;
    if (combo->editable() && !editCell_) beginEdit();
    ensureVisible(*active);
    dropCell_ = *active;
    const std::string value = sheet_.value(*active);
    const int count = static_cast<int>(combo->items.size());
    dropHover_ = value.empty() ? -1 : std::clamp(std::atoi(value.c_str()), -1, count - 1);
    dropTop_ = std::clamp(dropHover_ - kDropListRows + 1, 0, std::max(0, count - kDropListRows));
    if (dropHover_ >= 0 && dropHover_ < dropTop_) dropTop_ = dropHover_;
    const RECT cell = layout().cellRect(*active);
    POINT below{cell.left, cell.bottom};
    ClientToScreen(window_, &below);
    const int shown = std::min(count, kDropListRows);
    const HWND list = CreateWindowEx(WS_EX_TOPMOST, kDropListClassName, "", WS_POPUP | WS_BORDER, below.x, below.y,
                                     std::max(40, static_cast<int>(cell.right - cell.left)), shown * dropItemHeight() + 2,
                                     GetAncestor(window_, GA_ROOT), 0);
    if (!list) {
        dropCell_.reset();
        return false;
    }
    dropList_ = list;
    ShowWindow(list, SW_SHOWNA);
    SetCapture(list);
    repaint();
    return true;
}

void Spread::closeDropList(std::optional<int> chosen) {
    if (!dropList_) return;
    const HWND list = dropList_;
    const auto cell = dropCell_;
    dropList_ = HWND();
    dropCell_.reset();
    dropHover_ = -1;
    if (GetCapture() == list) ReleaseCapture();
    DestroyWindow(list);
    repaint();
    if (!cell || !chosen || !sheet_.contains(*cell)) return;
    const auto* combo = std::get_if<ComboBoxType>(&sheet_.cellType(*cell));
    if (!combo || *chosen < 0 || *chosen >= static_cast<int>(combo->items.size())) return;
    if (combo->editable() && editCell_ == cell && editor_) {
        // The item becomes the editor's text and is committed at once.
        SetWindowText(editor_, combo->items[static_cast<std::size_t>(*chosen)].c_str());
        const HWND self = window_;
        endEdit(true);
        if (Spread* s = Spread::from(self); s && s->sheet_.switchOn(sw::permanentEdit)) s->beginEdit();
        return;
    }
    const std::string index = std::to_string(*chosen);
    if (sheet_.value(*cell) == index) return;
    sheet_.setValue(*cell, index);
    sheet_.setSwitch(sw::changed, true);
    repaint();
    notify(notify::valueChanged, *cell);
}

}  // namespace vtl::grid
