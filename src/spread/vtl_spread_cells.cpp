// Vtl_Spread: counts and bulk transfer, single cells, rows and columns, selection, search and replace.
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>

#include "common/ks_input_text_dlg.h"
#include "spread/text_search.h"
#include "spread/vtl_spread.h"
#include "win/api.h"

namespace vtl::ui {
namespace {
Vtl_String doubleText(double value) { return Vtl_String(value, 2); }
}  // namespace

// ---- counts and bulk transfer ----

int Vtl_Spread::getRowCount() const { return attached_ ? SSGetRowCount(m_hWnd) : -1; }
int Vtl_Spread::getColCount() const { return attached_ ? SSGetColCount(m_hWnd) : -1; }

bool Vtl_Spread::setRowCount(int n) {
    if (!attached_ || n < 0) return false;
    const int r = getRowCount();
    if (!SSSetRowCount(m_hWnd, n)) return false;
    if (n <= r) return true;
    // New rows copy the last row; a grid that had no row gets empty rows (row 0 holds the column
    // headers, which are no data).
    if (r >= 1) {
        for (int i = r + 1; i <= n; ++i) SSCopyBlock(m_hWnd, SS_HEADER, r, getColCount(), r, SS_HEADER, i);
    }
    // A block of no columns would be read by the grid as its corners swapped (the header row): only
    // blocks that hold cells are given fonts.
    const int cols = getColCount();
    if (r == 0) {
        if (cols >= 1) setFont(1, HEADER, cols, HEADER, true, true);
        setFont(HEADER, 1, HEADER, n, true, true);
        if (cols >= 1) setFont(1, 1, cols, n, false, false);
    } else {
        setFont(HEADER, r, HEADER, n, true, true);
        if (cols >= 1) setFont(1, r, cols, n, false, false);
    }
    return true;
}

bool Vtl_Spread::setColCount(int n, bool copyLast) {
    if (!attached_ || n < 0) return false;
    const int c = getColCount();
    if (!SSSetColCount(m_hWnd, n)) return false;
    if (n <= c) return true;
    if (copyLast && c >= 1) {
        for (int i = c + 1; i <= n; ++i) SSCopyBlock(m_hWnd, c, SS_HEADER, c, getRowCount(), i, SS_HEADER);
    }
    const int rows = getRowCount();
    if (c == 0) {
        setFont(1, HEADER, n, HEADER, true, true);
        if (rows >= 1) setFont(HEADER, 1, HEADER, rows, true, true);
        if (rows >= 1) setFont(1, 1, n, rows, false, false);
    } else {
        setFont(c, HEADER, n, HEADER, true, true);
        if (rows >= 1) setFont(c, 1, n, rows, false, false);
    }
    return true;
}

bool Vtl_Spread::setColumn(int col, const Vtl_StringArray& strings, bool asValue) {
    if (!colOk(col)) return false;
    const int rows = getRowCount();
    for (int k = 0; k < strings.length() && k + 1 <= rows; ++k) {
        if (asValue) SSSetCellValue(m_hWnd, col, k + 1, strings[k].c_str());
        else SSSetCellText(m_hWnd, col, k + 1, strings[k].c_str());
    }
    return true;
}

bool Vtl_Spread::setColumnInts(int col, const Vtl_Array<int>& ints) {
    if (!colOk(col)) return false;
    const int rows = getRowCount();
    // Each number's decimal text straight into its cell.
    char text[16];
    for (int k = 0; k < ints.length() && k + 1 <= rows; ++k) {
        char* end = std::to_chars(text, text + sizeof text - 1, ints[k]).ptr;
        *end = '\0';
        SSSetCellText(m_hWnd, col, k + 1, text);
    }
    return true;
}

bool Vtl_Spread::setColumnDoubles(int col, const Vtl_Array<double>& doubles) {
    Vtl_StringArray texts;
    for (double v : doubles) texts.append(doubleText(v));
    return setColumn(col, texts, false);
}

bool Vtl_Spread::setColumnBools(int col, const AcArray<bool>& bools) {
    Vtl_StringArray texts;
    for (int i = 0; i < bools.length(); ++i) texts.append(bools[i] ? "1" : "0");
    return setColumn(col, texts, false);
}

bool Vtl_Spread::setColumnIndexes(int col, const Vtl_Array<int>& ints) {
    Vtl_StringArray texts;
    const int rows = getRowCount();
    for (int v : ints) texts.append(Vtl_String(v < 0 || v > rows ? 0 : v));
    return setColumn(col, texts, true);
}

bool Vtl_Spread::getColumn(int col, Vtl_StringArray& strings, int kind) const {
    if (!colOk(col)) return false;
    strings.removeAll();
    const int rows = getRowCount();
    for (int r = 1; r <= rows; ++r) strings.append(SSGetCellString(m_hWnd, col, r, kind));
    return true;
}

bool Vtl_Spread::getColumnInts(int col, Vtl_Array<int>& ints) const {
    if (!colOk(col)) return false;
    ints.removeAll();
    const int rows = getRowCount();
    std::string value;  // one buffer for every cell
    for (int r = 1; r <= rows; ++r) {
        SSGetCellString(m_hWnd, col, r, SS_CONTENT_VALUE, value);
        ints.append(Vtl_String(value).toInt());
    }
    return true;
}

bool Vtl_Spread::getColumnDoubles(int col, Vtl_Array<double>& doubles) const {
    if (!colOk(col)) return false;
    doubles.removeAll();
    const int rows = getRowCount();
    std::string value;
    for (int r = 1; r <= rows; ++r) {
        SSGetCellString(m_hWnd, col, r, SS_CONTENT_VALUE, value);
        doubles.append(Vtl_String(value).toDouble());
    }
    return true;
}

bool Vtl_Spread::getColumnBools(int col, AcArray<bool>& bools) const {
    Vtl_StringArray values;
    if (!getColumnValues(col, values)) return false;
    bools.removeAll();
    for (const Vtl_String& v : values) bools.append(v.str() == "1");
    return true;
}

bool Vtl_Spread::setRow(int row, const Vtl_StringArray& strings) {
    if (!rowOk(row)) return false;
    const int cols = getColCount();
    for (int k = 0; k < strings.length() && k + 1 <= cols; ++k) SSSetCellText(m_hWnd, k + 1, row, strings[k].c_str());
    return true;
}

bool Vtl_Spread::getRow(int row, Vtl_StringArray& strings) const {
    if (!rowOk(row)) return false;
    strings.removeAll();
    const int cols = getColCount();
    for (int c = 1; c <= cols; ++c) strings.append(SSGetCellString(m_hWnd, c, row, SS_CONTENT_VALUE));
    return true;
}

bool Vtl_Spread::getTable(Vtl_Array<Vtl_StringArray>& table) const {
    if (!attached_) return false;
    table.removeAll();
    const int rows = getRowCount();
    for (int r = 1; r <= rows; ++r) {
        Vtl_StringArray row;
        getRow(r, row);
        table.append(std::move(row));
    }
    return true;
}

// ---- single cells ----

bool Vtl_Spread::getCellText(int col, int row, Vtl_String& text, int kind) const {
    text = "";
    if (!attached_) return false;
    const int length = SSGetCellContentLength(m_hWnd, col, row, kind);
    if (length <= 0) return false;
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int got = SSGetCellContent(m_hWnd, col, row, kind, buffer.data(), length + 1);
    if (got <= 0) return false;
    buffer.resize(static_cast<std::size_t>(got));
    text = Vtl_String(buffer);
    return true;
}

bool Vtl_Spread::setCellText(int col, int row, const Vtl_String& text) {
    return attached_ && SSSetCellText(m_hWnd, col, row, text.c_str());
}

bool Vtl_Spread::setCellValue(int col, int row, const Vtl_String& value) {
    return attached_ && SSSetCellValue(m_hWnd, col, row, value.c_str());
}

bool Vtl_Spread::setCellDouble(int col, int row, double value) { return setCellText(col, row, doubleText(value)); }

bool Vtl_Spread::getCellDouble(int col, int row, double& value) const {
    Vtl_String text;
    getCellText(col, row, text, SS_CONTENT_VALUE);
    if (!attached_) return false;
    value = text.toDouble();
    return true;
}

bool Vtl_Spread::setCellCheck(int col, int row, bool checked) { return setCellText(col, row, checked ? "1" : "0"); }

bool Vtl_Spread::getCellCheck(int col, int row, bool& checked) const {
    Vtl_String value;
    if (!getCellText(col, row, value, SS_CONTENT_VALUE)) return false;
    if (value.str() == "1") checked = true;
    else if (value.str() == "0") checked = false;
    else return false;
    return true;
}

bool Vtl_Spread::addSpan(int col, int row, int cols, int rows) {
    return attached_ && SSAddCellSpan(m_hWnd, col, row, cols, rows);
}

int Vtl_Spread::getCellKind(int col, int row) const {
    SS_CELLTYPE type;
    if (!attached_ || !SSGetCellType(m_hWnd, col, row, &type)) return 0;
    return type.kind;
}

// ---- rows and columns ----

bool Vtl_Spread::askName(int titleRowOrCol, Vtl_String& name) {
    KsInputTextDlg dlg(parent_);
    dlg.caption = dialString(1150);
    dlg.prompt = dialString(1151);
    dlg.prompt += " ";
    dlg.prompt += dialString(titleRowOrCol);
    dlg.prompt += ":";
    dlg.text = dialString(171);
    dlg.okText = "Ok";
    dlg.DoModal();
    name = dlg.text;
    return dlg.accepted;
}

bool Vtl_Spread::insertRow(int row, bool ask, bool copyNext) {
    if (!attached_ || row > getRowCount() + 1) return false;
    if (row < 1) return false;  // no row goes in before the data (0 and HEADER are the header row)
    const HWND self = m_hWnd;
    // A grid at its row limit refuses the row instead of pushing its last row off.
    const int rows = getRowCount();
    if (!SSSetRowCount(self, rows + 1)) return false;
    if (!SSInsertRow(self, row)) {
        SSSetRowCount(self, rows);
        return false;
    }
    setRowFont(row);
    SSSetSwitch(self, SS_SWITCH_CHANGED, TRUE);
    if (copyNext && row + 1 <= getRowCount()) SSCopyBlock(self, SS_HEADER, row + 1, getColCount(), row + 1, SS_HEADER, row);
    if (ask) {
        Vtl_String name;
        askName(1152, name);
        if (::IsWindow(self)) SSSetCellText(self, SS_HEADER, row, name.c_str());
    }
    return true;
}

bool Vtl_Spread::insertCol(int col, bool ask, bool copyNext) {
    if (!attached_ || col > getColCount() + 1) return false;
    if (col < 1) return false;
    const HWND self = m_hWnd;
    const int cols = getColCount();
    if (!SSSetColCount(self, cols + 1)) return false;
    if (!SSInsertCol(self, col)) {
        SSSetColCount(self, cols);
        return false;
    }
    setColFont(col);
    SSSetSwitch(self, SS_SWITCH_CHANGED, TRUE);
    if (copyNext && col + 1 <= getColCount()) SSCopyBlock(self, col + 1, SS_HEADER, col + 1, getRowCount(), col, SS_HEADER);
    if (ask) {
        Vtl_String name;
        askName(1153, name);
        if (::IsWindow(self)) SSSetCellText(self, col, SS_HEADER, name.c_str());
    }
    return true;
}

bool Vtl_Spread::insertRowAfterCurrent(bool copyNext) {
    // An empty grid has no current row: the new row is its first.
    const int rows = getRowCount();
    return insertRow(rows <= 0 ? 1 : std::clamp(getCurrentRow(), 0, rows) + 1, false, copyNext);
}

bool Vtl_Spread::deleteRow(int row) {
    if (!attached_ || row < 1 || !SSDeleteRow(m_hWnd, row)) return false;
    SSSetRowCount(m_hWnd, getRowCount() - 1);
    SSSetSwitch(m_hWnd, SS_SWITCH_CHANGED, TRUE);
    return true;
}

bool Vtl_Spread::deleteCol(int col) {
    if (!attached_ || col < 1 || !SSDeleteCol(m_hWnd, col)) return false;
    SSSetColCount(m_hWnd, getColCount() - 1);
    SSSetSwitch(m_hWnd, SS_SWITCH_CHANGED, TRUE);
    return true;
}

bool Vtl_Spread::deleteCurrentRow() { return deleteRow(getCurrentRow()); }

bool Vtl_Spread::swapRows(int first, int last, int dest) {
    if (!attached_ || dest < 1 || dest > getRowCount() || first < 1 || last < first || last > getRowCount()) return false;
    const int col = std::max(getCurrentCol(), 1);
    // The row headers move with their rows.
    if (!SSSwapBlocks(m_hWnd, SS_HEADER, first, getColCount(), last, SS_HEADER, dest)) return false;
    selectBlock(col, dest, col, dest);
    SSSetActiveCell(m_hWnd, col, dest);
    SSSetSwitch(m_hWnd, SS_SWITCH_CHANGED, TRUE);
    return true;
}

bool Vtl_Spread::moveCurrentRowUp() {
    const int r = getCurrentRow();
    return swapRows(r, r, r - 1);
}

bool Vtl_Spread::moveCurrentRowDown() {
    const int r = getCurrentRow();
    return swapRows(r, r, r + 1);
}

bool Vtl_Spread::setChecksInSelection(bool checked) {
    if (!attached_) return false;
    POINT first, last;
    getSelection(first, last);
    const int c2 = last.x < 0 ? getColCount() : last.x;
    const int r2 = last.y < 0 ? getRowCount() : last.y;
    const char* value = checked ? "1" : "0";
    bool changed = false;
    for (int r = std::max(1, std::min<int>(first.y, r2)); r <= std::max<int>(first.y, r2); ++r) {
        for (int c = std::max(1, std::min<int>(first.x, c2)); c <= std::max<int>(first.x, c2); ++c) {
            if (getCellKind(c, r) != 12 || SSGetCellString(m_hWnd, c, r, SS_CONTENT_VALUE) == value) continue;
            SSSetCellValue(m_hWnd, c, r, value);
            changed = true;
            // A ticked or cleared box unlocks or locks the cell that depends on it.
            if (c == checkColumn_ && dependentColumn_ > 0) applyCheckDependency(r);
        }
    }
    if (changed) SSSetSwitch(m_hWnd, SS_SWITCH_CHANGED, TRUE);
    return true;
}

// ---- selection and focus ----

bool Vtl_Spread::getActiveCell(int& col, int& row) const {
    col = row = 1;
    if (!attached_) return false;
    if (!SSGetActiveCell(m_hWnd, &col, &row)) {
        col = row = 1;
        SSSetActiveCell(m_hWnd, 1, 1);
    }
    return true;
}

bool Vtl_Spread::getSelection(POINT& first, POINT& last) const {
    if (!attached_) return false;
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (SSGetSelectBlock(m_hWnd, &c1, &r1, &c2, &r2)) {
        first = {c1, r1};
        last = {c2, r2};
        return true;
    }
    // No block: the active cell is both corners.
    int col = 1, row = 1;
    SSGetActiveCell(m_hWnd, &col, &row);
    first = last = {col, row};
    return true;
}

int Vtl_Spread::getCurrentCol() const {
    POINT first{}, last{};
    return getSelection(first, last) ? first.x : 0;
}

int Vtl_Spread::getCurrentRow() const {
    POINT first{}, last{};
    return getSelection(first, last) ? first.y : 0;
}

bool Vtl_Spread::selectBlock(int c1, int r1, int c2, int r2) {
    return attached_ && SSSetSelectBlock(m_hWnd, c1, r1, c2, r2);
}

bool Vtl_Spread::selectRow(int row) { return selectBlock(HEADER, row, getColCount(), row); }

bool Vtl_Spread::setActiveCell(int col, int row) { return attached_ && SSSetActiveCell(m_hWnd, col, row); }

bool Vtl_Spread::getCellRect(int col, int row, RECT& rect) const { return attached_ && SSGetCellRect(m_hWnd, col, row, &rect); }

bool Vtl_Spread::getNotifyCell(int& col, int& row) const { return attached_ && SSGetNotifyCell(m_hWnd, &col, &row); }

bool Vtl_Spread::getEditSelection(int& start, int& end) const {
    return attached_ && SSGetEditSel(m_hWnd, &start, &end);
}

bool Vtl_Spread::setEditSelection(int start, int end) { return attached_ && SSSetEditSel(m_hWnd, start, end); }

bool Vtl_Spread::isEditing() const { return attached_ && SSGetEditMode(m_hWnd); }

bool Vtl_Spread::setEditing(bool on) { return attached_ && SSSetEditMode(m_hWnd, on ? TRUE : FALSE); }

// ---- search and replace ----

namespace {
// Whether a person reads the cell as text: check boxes and buttons show pictures and captions, not their
// stored values.
bool searchable(HWND grid, int col, int row) {
    SS_CELLTYPE type;
    if (!SSGetCellType(grid, col, row, &type)) return true;
    return type.kind != SS_KIND_CHECK_BOX && type.kind != SS_KIND_BUTTON;
}

// The first column from `fromCol` on whose shown text holds the text, or 0. The row's texts are read at
// once into `texts`, whose strings are reused from row to row.
int findInRowWith(HWND grid, const TextSearch& search, int row, int fromCol, int cols, std::vector<std::string>& texts) {
    const int first = std::max(fromCol, 1);
    if (first > cols || !SSGetRowStrings(grid, row, first, cols, SS_CONTENT_TEXT, texts)) return 0;
    for (int c = first; c <= cols; ++c)
        if (search.in(texts[static_cast<std::size_t>(c - first)]) && searchable(grid, c, row)) return c;
    return 0;
}
}  // namespace

bool Vtl_Spread::findInRow(const Vtl_String& text, int row, int fromCol, int& foundCol) const {
    if (!attached_ || row < 0 || row > getRowCount() || text.isEmpty()) return false;
    std::vector<std::string> texts;
    const int c = findInRowWith(m_hWnd, TextSearch(text), row, fromCol, getColCount(), texts);
    if (c) foundCol = c;
    return c != 0;
}

bool Vtl_Spread::findFrom(const Vtl_String& text, int fromCol, int fromRow, int& foundCol, int& foundRow) const {
    if (!attached_ || text.isEmpty()) return false;
    const TextSearch search(text);
    const int rows = getRowCount(), cols = getColCount();
    std::vector<std::string> texts;
    for (int r = std::max(fromRow, 0), from = fromCol; r <= rows; ++r, from = 1) {
        if (const int c = findInRowWith(m_hWnd, search, r, from, cols, texts)) {
            foundCol = c;
            foundRow = r;
            return true;
        }
    }
    return false;
}

int Vtl_Spread::findInCell(const Vtl_String& text, int col, int row, int from) const {
    if (!attached_ || !searchable(m_hWnd, col, row)) return -1;
    return Vtl_String(SSGetCellString(m_hWnd, col, row, SS_CONTENT_TEXT)).findSubString(text, false, from);
}

bool Vtl_Spread::selectFoundText(const Vtl_String& text, int col, int row, int position) {
    const int at = findInCell(text, col, row, std::max(position, 0));
    if (at < 0) return false;
    SetFocus();
    int activeCol = 0, activeRow = 0;
    const bool sameCell = SSGetActiveCell(m_hWnd, &activeCol, &activeRow) && activeCol == col && activeRow == row;
    if (!sameCell) SSSetActiveCell(m_hWnd, col, row);
    // A cell without a text editor (a list, a locked label) is found as a whole: it is made active.
    if (!SSGetEditMode(m_hWnd)) SSSetEditMode(m_hWnd, TRUE);
    if (!SSGetEditMode(m_hWnd)) return true;
    return SSSetEditSel(m_hWnd, at, at + text.length());
}

bool Vtl_Spread::replaceSelectedText(const Vtl_String& text) {
    int start = 0, end = 0;
    if (!attached_ || !SSGetEditSel(m_hWnd, &start, &end) || start == end) return false;
    int col = 0, row = 0;
    getActiveCell(col, row);
    Vtl_String value(SSGetCellString(m_hWnd, col, row, SS_CONTENT_TEXT));
    value.removeAt(std::min(start, end), std::abs(end - start));
    value.insertAt(std::min(start, end), text);
    return SSSetCellText(m_hWnd, col, row, value.c_str());
}

bool Vtl_Spread::replaceInCell(int col, int row, const Vtl_String& find, const Vtl_String& replace) {
    if (!attached_ || !searchable(m_hWnd, col, row)) return false;
    Vtl_String value(SSGetCellString(m_hWnd, col, row, SS_CONTENT_TEXT));
    if (value.replaceSubString(find, replace, false) == 0) return false;
    return SSSetCellText(m_hWnd, col, row, value.c_str());
}

bool Vtl_Spread::notifyUserChange(int col, int row) { return attached_ && SSNotifyValueChanged(m_hWnd, col, row); }

int Vtl_Spread::replaceInAllCells(const Vtl_String& find, const Vtl_String& replace) {
    if (!attached_ || find.isEmpty()) return 0;
    const HWND self = m_hWnd;
    int count = 0;
    int col = 1, row = 1, foundCol = 0, foundRow = 0;
    while (findFrom(find, col, row, foundCol, foundRow)) {
        if (replaceInCell(foundCol, foundRow, find, replace)) {
            ++count;
            // The dialog may rebuild its grid when it hears of the change: then the search ends here.
            if (!notifyUserChange(foundCol, foundRow) || !::IsWindow(self)) break;
        }
        col = foundCol + 1;
        row = foundRow;
    }
    return count;
}

}  // namespace vtl::ui
