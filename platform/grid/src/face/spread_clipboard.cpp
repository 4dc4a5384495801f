// Copy, cut, paste and clear of the selection (or the active cell). Pasting writes each cell through
// its type as typing would, skips cells that cannot be edited, is cut at the counts (it never grows the
// grid), and tells the parent once.
#include "face/clipboard_text.h"
#include "face/spread.h"
#include "win/api.h"
#include "win/clipboard.h"

namespace vtl::grid {

bool Spread::copySelection() {
    const auto block = effectiveSelection();
    if (!block) return false;
    TextTable table;
    for (int r = block->row1; r <= block->row2; ++r) {
        auto& row = table.emplace_back();
        for (int c = block->col1; c <= block->col2; ++c) row.push_back(sheet_.text({c, r}));
    }
    win::setClipboardText(toClipboardText(table));
    return true;
}

bool Spread::cutSelection() {
    if (!copySelection()) return false;
    clearSelectionCells();
    return true;
}

bool Spread::paste() {
    const auto block = effectiveSelection();
    if (!block || !IsWindowEnabled(window_)) return false;
    const TextTable table = fromClipboardText(win::clipboardText());
    if (table.empty()) return false;
    if (editCell_) endEdit(true);
    if (!Spread::from(window_)) return false;
    bool changed = false;
    for (std::size_t r = 0; r < table.size(); ++r) {
        for (std::size_t c = 0; c < table[r].size(); ++c) {
            const CellRef cell{block->col1 + static_cast<int>(c), block->row1 + static_cast<int>(r)};
            if (cell.col > sheet_.colCount() || cell.row > sheet_.rowCount()) continue;
            if (!sheet_.isEditable(cell) || sheet_.span(cell).state == 2) continue;
            const CellType& type = sheet_.cellType(cell);
            if (std::holds_alternative<StaticTextType>(type) || std::holds_alternative<ButtonType>(type)) continue;
            const std::string before = sheet_.content(cell, ContentKind::value);
            const bool hadFormula = sheet_.hasFormula(cell);
            sheet_.setText(cell, table[r][c]);
            changed = changed || hadFormula || sheet_.content(cell, ContentKind::value) != before;
        }
    }
    if (!changed) return false;
    sheet_.setSwitch(sw::changed, true);
    repaint();
    notify(notify::valueChanged, {block->col1, block->row1});
    return true;
}

bool Spread::clearSelectionCells() {
    const auto block = effectiveSelection();
    if (!block || !IsWindowEnabled(window_)) return false;
    if (editCell_) return false;
    bool changed = false;
    for (int r = block->row1; r <= block->row2; ++r) {
        for (int c = block->col1; c <= block->col2; ++c) {
            const CellRef cell{c, r};
            if (!sheet_.isEditable(cell) || sheet_.span(cell).state == 2) continue;
            const CellType& type = sheet_.cellType(cell);
            if (std::holds_alternative<StaticTextType>(type) || std::holds_alternative<ButtonType>(type) ||
                std::holds_alternative<CheckBoxType>(type))
                continue;
            if (sheet_.content(cell, ContentKind::value).empty() && !sheet_.hasFormula(cell)) continue;
            sheet_.clearBlock({c, r, c, r});
            changed = true;
        }
    }
    if (!changed) return false;
    sheet_.setSwitch(sw::changed, true);
    repaint();
    notify(notify::valueChanged, {block->col1, block->row1});
    return true;
}

}  // namespace vtl::grid
