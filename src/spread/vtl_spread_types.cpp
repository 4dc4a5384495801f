// Vtl_Spread: fonts, cell types, locks with the check dependency, and the scans for editable cells.
#include "spread/vtl_spread.h"
#include "win/font.h"
#include "win/gdi.h"

namespace vtl::ui {

// ---- fonts ----

bool Vtl_Spread::setFont(int c1, int r1, int c2, int r2, bool bold, bool alsoTips) {
    if (!attached_) return false;
    LOGFONT lf;
    lf.lfHeight = fontHeight_;
    lf.lfWeight = bold ? 700 : 400;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    lf.lfStrikeOut = FALSE;
    lf.lfFaceName = fontFace_.str();
    const HFONT font = CreateFontIndirect(lf);
    SSSetBlockFont(m_hWnd, c1, r1, c2, r2, font);
    if (alsoTips) {
        SS_TEXTTIP tip;
        SSGetTextTip(m_hWnd, &tip);
        tip.mode = 1;  // shown
        tip.delayMs = 0;
        tip.font = lf;
        tip.hasFont = true;
        SSSetTextTip(m_hWnd, &tip);
    }
    DeleteObject(font);  // the grid keeps its own copy
    return true;
}

bool Vtl_Spread::setHeaderFonts() {
    if (!attached_) return false;
    setFont(1, HEADER, getColCount(), HEADER, true, true);
    setFont(HEADER, 1, HEADER, getRowCount(), true, true);
    return true;
}

bool Vtl_Spread::setRowFont(int row) { return setFont(1, row, getColCount(), row, false, false); }
bool Vtl_Spread::setColFont(int col) { return setFont(col, 1, col, getRowCount(), false, false); }

// ---- cell types ----

bool Vtl_Spread::setEditBlock(int c1, int r1, int c2, int r2, DWORD style, int maxLength) {
    if (!attached_) return false;
    SS_CELLTYPE type;
    SSSetTypeEdit(m_hWnd, &type, style, maxLength & 0xFFFF, 0, 1);
    return SSSetBlockType(m_hWnd, c1, r1, c2, r2, &type);
}

bool Vtl_Spread::setComboColumn(int col, const Vtl_StringArray& items, bool editable) {
    if (!attached_ || col < 1 || col > getColCount()) return false;
    std::string list;
    for (int i = 0; i < items.length(); ++i) {
        if (i) list += '\t';
        list += items[i].str();
    }
    SS_CELLTYPE type;
    SSSetTypeComboBox(m_hWnd, &type, editable ? 0x100002 : 0x100000, list.c_str());
    SSSetBlockType(m_hWnd, col, 1, col, getRowCount(), &type);
    return true;
}

bool Vtl_Spread::setComboCell(int col, int row, const Vtl_StringArray& items, DWORD style) {
    if (!attached_) return false;
    std::string list;
    for (int i = 0; i < items.length(); ++i) {
        if (i) list += '\t';
        list += items[i].str();
    }
    SS_CELLTYPE type;
    SSSetTypeComboBox(m_hWnd, &type, style, list.c_str());
    return SSSetCellType(m_hWnd, col, row, &type);
}

bool Vtl_Spread::setAlignment(int c1, int r1, int c2, int r2, int alignment) {
    return attached_ && SSSetBlockAlign(m_hWnd, c1, r1, c2, r2, alignment);
}

bool Vtl_Spread::setCheckColumn(int col, bool align, bool spanHeader) {
    if (!attached_) return false;
    loadCheckPictures();
    SS_CELLTYPE type;
    SSSetTypeCheckBox(m_hWnd, &type, kCheckBoxStyle, "", boxOff_.GetSafeHandle(), boxOn_.GetSafeHandle(),
                      boxOff_.GetSafeHandle(), boxOn_.GetSafeHandle());
    SSSetBlockType(m_hWnd, col, 1, col, getRowCount(), &type);
    if (align) {
        SSSetBlockAlign(m_hWnd, col, 1, col, getRowCount(), SS_ALIGN_CENTER);
        SSSetBlockAlign(m_hWnd, col, 1, col, getRowCount(), SS_ALIGN_VCENTER);
    }
    if (spanHeader) SSAddCellSpan(m_hWnd, col, SS_HEADER, 2, 1);
    return true;
}

bool Vtl_Spread::setCheckCell(int col, int row, bool align) {
    if (!attached_) return false;
    loadCheckPictures();
    SS_CELLTYPE type;
    SSSetTypeCheckBox(m_hWnd, &type, kCheckBoxStyle, "", boxOff_.GetSafeHandle(), boxOn_.GetSafeHandle(),
                      boxOff_.GetSafeHandle(), boxOn_.GetSafeHandle());
    SSSetCellType(m_hWnd, col, row, &type);
    if (align) {
        SSSetBlockAlign(m_hWnd, col, row, col, row, SS_ALIGN_CENTER);
        SSSetBlockAlign(m_hWnd, col, row, col, row, SS_ALIGN_VCENTER);
    }
    return true;
}

bool Vtl_Spread::setCheckPairs(const Vtl_StringArray& labels, const AcArray<bool>& checks, int row) {
    if (!attached_) return false;
    for (int k = 0; k < labels.length(); ++k) {
        SSSetCellText(m_hWnd, 2 * k + 2, row, labels[k].c_str());
        if (k < checks.length()) SSSetCellValue(m_hWnd, 2 * k + 1, row, checks[k] ? "1" : "0");
    }
    return true;
}

bool Vtl_Spread::setButtonCell(int col, int row, const Vtl_String& caption) {
    if (!attached_) return false;
    SS_CELLTYPE type;
    SSSetTypeButton(m_hWnd, &type, 0, caption.c_str(), HBITMAP());
    SSSetCellType(m_hWnd, col, row, &type);
    SSSetSwitch(m_hWnd, SS_SWITCH_CHANGED, TRUE);
    return true;
}

// ---- locks ----

bool Vtl_Spread::setCellLock(int col, int row, bool locked) {
    if (!attached_) return false;
    SSSetCellLock(m_hWnd, col, row, locked);
    return true;
}

bool Vtl_Spread::lockColumn(int col) {
    if (!attached_) return false;
    return SSSetBlockLock(m_hWnd, col, 1, col, getRowCount(), TRUE);
}

void Vtl_Spread::applyCheckDependency(int row) {
    bool checked = false;
    if (getCellCheck(checkColumn_, row, checked)) setCellLock(dependentColumn_, row, !checked);
}

bool Vtl_Spread::setCheckDependency(int checkCol, int depCol) {
    const int cols = getColCount();
    if (!attached_ || checkCol < 1 || depCol < 1 || checkCol > cols || depCol > cols) return false;
    checkColumn_ = checkCol;
    dependentColumn_ = depCol;
    for (int r = 1; r <= getRowCount(); ++r) applyCheckDependency(r);
    return true;
}

bool Vtl_Spread::isCellEditable(int col, int row) const {
    if (SSGetCellLock(m_hWnd, col, row)) return false;
    int ac = 0, ar = 0;
    if (SSGetCellSpan(m_hWnd, col, row, &ac, &ar, nullptr, nullptr) != 0 && SSGetCellLock(m_hWnd, ac, ar)) return false;
    return true;
}

// The scans meet each span once, at its anchor: a covered cell can never be the active cell.
bool Vtl_Spread::findFirstEditableCell(int& col, int& row) const {
    if (!attached_) return false;
    for (int r = 1; r <= getRowCount(); ++r)
        for (int c = 1; c <= getColCount(); ++c)
            if (SSGetCellSpan(m_hWnd, c, r, nullptr, nullptr, nullptr, nullptr) != 2 && isCellEditable(c, r)) {
                col = c;
                row = r;
                return true;
            }
    return false;
}

bool Vtl_Spread::findLastEditableCell(int& col, int& row) const {
    if (!attached_) return false;
    for (int r = getRowCount(); r >= 1; --r)
        for (int c = getColCount(); c >= 1; --c)
            if (SSGetCellSpan(m_hWnd, c, r, nullptr, nullptr, nullptr, nullptr) != 2 && isCellEditable(c, r)) {
                col = c;
                row = r;
                return true;
            }
    return false;
}

bool Vtl_Spread::noEditableCellAfter(int col, int row) const {
    if (!attached_ || row > getRowCount()) return true;
    auto editableAfter = [&](int c, int r) {
        int ac = 0, ar = 0;
        const int span = SSGetCellSpan(m_hWnd, c, r, &ac, &ar, nullptr, nullptr);
        if (span == 0) return !SSGetCellLock(m_hWnd, c, r);
        return !SSGetCellLock(m_hWnd, ac, ar) && (ac > col || ar > row);
    };
    for (int c = col + 1; c <= getColCount(); ++c)
        if (editableAfter(c, row)) return false;
    for (int r = row + 1; r <= getRowCount(); ++r)
        for (int c = 1; c <= getColCount(); ++c)
            if (editableAfter(c, r)) return false;
    return true;
}

}  // namespace vtl::ui
