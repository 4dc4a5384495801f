// Edit mode: the editor window over the active cell, loading it, and committing or cancelling it.
#include <algorithm>

#include "face/spread.h"
#include "face/spread_windows.h"
#include "formula/engine.h"
#include "model/number_text.h"
#include "win/api.h"

namespace vtl::grid {
namespace {
constexpr int kEditorId = 0;  // no id of its own: a dialog's controls (IDOK is 1) never meet it

// Cells the editor can open on: free text, numbers and editable combos.
bool textEditable(const CellType& type) {
    if (std::holds_alternative<EditType>(type) || std::holds_alternative<NumberType>(type)) return true;
    if (const auto* combo = std::get_if<ComboBoxType>(&type)) return combo->editable();
    return false;
}
}  // namespace

bool Spread::editableAs(CellRef cell, bool /*forTyping*/) const {
    if (cell.col < 1 || cell.row < 1 || !sheet_.contains(cell)) return false;
    if (!sheet_.isEditable(cell) || !IsWindowEnabled(window_)) return false;
    return textEditable(sheet_.cellType(cell));
}

bool Spread::beginEdit(const std::optional<std::string>& initial, bool selectAll) {
    if (editCell_) return true;
    const auto cell = activeCell();
    if (!cell || !editableAs(*cell, initial.has_value())) return false;
    active_ = cell;
    std::string text;
    if (initial) {
        text = *initial;
    } else if (sheet_.hasFormula(*cell) && sheet_.switchOn(sw::userFormulas)) {
        text = "=" + sheet_.formulas().formulaText(*cell, sheet_.refStyle());
    } else {
        text = sheet_.text(*cell);
    }
    editCell_ = cell;
    ensureVisible(*cell);
    createEditor(text, selectAll && !initial);
    repaint();
    return true;
}

void Spread::createEditor(const std::string& text, bool selectAll) {
    destroyEditor();
    editor_ = CreateWindowEx(0, kEditorClassName, text.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 1, 1,
                             window_, kEditorId);
    if (!editor_) return;
    SendMessage(editor_, WM_SETFONT, static_cast<WPARAM>(sheet_.fontHandle(*editCell_).value()), 0);
    if (const auto* edit = std::get_if<EditType>(&sheet_.cellType(*editCell_)); edit && edit->maxLength > 0)
        SendMessage(editor_, EM_LIMITTEXT, static_cast<WPARAM>(edit->maxLength), 0);
    // Placed over its cell before the caret is set, so that the editor scrolls its text for the cell's
    // width (set at the creation size, a text that fits would stay scrolled out of sight).
    placeEditor();
    const int length = static_cast<int>(codePointCount(text));
    SendMessage(editor_, EM_SETSEL, static_cast<WPARAM>(selectAll ? 0 : length), length);
    if (GetFocus() == window_) {
        refocusing_ = true;
        SetFocus(editor_);
        refocusing_ = false;
    }
}

void Spread::destroyEditor() {
    if (!editor_) return;
    const HWND editor = editor_;
    const bool hadFocus = GetFocus() == editor;
    editor_ = HWND();
    if (hadFocus) {
        refocusing_ = true;
        SetFocus(window_);
        refocusing_ = false;
    }
    DestroyWindow(editor);
}

void Spread::placeEditor() {
    if (!editor_ || !editCell_) return;
    const SpreadLayout l = layout();
    RECT r = l.cellRect(*editCell_);
    r.right -= 1;  // the grid lines stay visible
    r.bottom -= 1;
    if (std::holds_alternative<ComboBoxType>(sheet_.cellType(*editCell_))) r.right -= kComboButtonWidth;
    r.left = std::max(r.left, l.headerWidth());
    r.top = std::max(r.top, l.headerHeight());
    MoveWindow(editor_, r.left, r.top, std::max(0, r.right - r.left), std::max(0, r.bottom - r.top), TRUE);
}

bool Spread::endEdit(bool commit) {
    if (!editCell_) return false;
    const CellRef cell = *editCell_;
    const std::string typed = editor_ ? GetWindowText(editor_) : std::string();
    editCell_.reset();
    destroyEditor();
    repaint();
    if (!commit || !sheet_.contains(cell)) return false;

    bool changed = false;
    if (sheet_.switchOn(sw::userFormulas) && typed.size() > 1 && typed[0] == '=') {
        // A formula that does not parse is refused and the cell keeps its content.
        FormulaEngine& formulas = sheet_.formulas();
        if (!sheet_.hasFormula(cell) || formulas.formulaText(cell, sheet_.refStyle()) != typed.substr(1))
            changed = formulas.setFormula(cell, typed, sheet_.refStyle());
    } else if (typed != sheet_.text(cell)) {
        if (const auto* number = std::get_if<NumberType>(&sheet_.cellType(cell)); number && !typed.empty()) {
            // A number cell refuses text that is no number or lies outside its bounds.
            const auto value = parseNumber(typed);
            if (!value || !number->inBounds(*value)) return false;
            if (sheet_.text(cell) == number->displayText(number->storeText(typed))) return false;
        }
        changed = sheet_.setText(cell, typed);
    }
    if (!changed) return false;
    sheet_.setSwitch(sw::changed, true);
    repaint();
    notify(notify::valueChanged, cell);
    return true;
}

std::string Spread::editorText() const { return editor_ ? GetWindowText(editor_) : std::string(); }

std::optional<std::pair<int, int>> Spread::editSelection() const {
    if (!editor_) return std::nullopt;
    DWORD a = 0, b = 0;
    SendMessage(editor_, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return std::pair<int, int>{static_cast<int>(a), static_cast<int>(b)};
}

bool Spread::setEditSelection(int start, int end) {
    if (!editor_) return false;
    const int length = static_cast<int>(codePointCount(GetWindowText(editor_)));
    start = std::clamp(start, 0, length);
    end = end < 0 ? length : std::clamp(end, 0, length);
    SendMessage(editor_, EM_SETSEL, static_cast<WPARAM>(start), end);
    return true;
}

}  // namespace vtl::grid
