// The SS... functions: each finds the grid behind the handle, acts on its cell model or its window
// state, and repaints what changed.
#include <cstring>

#include "face/spread.h"
#include "formula/engine.h"
#include "grid/ss.h"
#include "model/number_text.h"
#include "win/api.h"

using vtl::grid::Block;
using vtl::grid::CellRef;
using vtl::grid::Sheet;
using vtl::grid::Spread;

namespace {
Spread* grid(HWND h) {
    Spread* s = h ? Spread::from(h) : nullptr;
    return s && s->window() == h ? s : nullptr;
}

Block block(int col1, int row1, int col2, int row2) { return {col1, row1, col2, row2}; }

// A model change made by the program: repaint and keep the window state consistent.
template <class Change>
BOOL change(HWND h, Change&& act) {
    Spread* s = grid(h);
    if (!s) return FALSE;
    const bool ok = act(*s, s->sheet());
    if (ok) s->modelChanged();
    return ok ? TRUE : FALSE;
}

template <class Change>
BOOL structure(HWND h, Change&& act) {
    Spread* s = grid(h);
    if (!s) return FALSE;
    const bool ok = act(s->sheet());
    if (ok) s->structureChanged();
    return ok ? TRUE : FALSE;
}

int copyOut(const std::string& text, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    const std::string_view fitted = vtl::grid::firstCodePoints(text, text.size());
    std::size_t n = std::min<std::size_t>(fitted.size(), static_cast<std::size_t>(size - 1));
    // Never end inside a multi-byte character.
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

vtl::grid::CellType toModelType(const SS_CELLTYPE& t) {
    using namespace vtl::grid;
    switch (t.kind) {
    case SS_KIND_STATIC_TEXT:
        return StaticTextType{t.style};
    case SS_KIND_COMBO_BOX:
        return ComboBoxType::fromList(t.style, t.items);
    case SS_KIND_BUTTON: {
        ButtonType b;
        b.style = t.style;
        b.caption = t.caption;
        b.picture = t.pictures[0];
        return b;
    }
    case SS_KIND_PICTURE: {
        PictureType p;
        p.style = t.style;
        p.fileName = t.fileName;
        return p;
    }
    case SS_KIND_CHECK_BOX: {
        CheckBoxType c;
        c.style = t.style;
        c.caption = t.caption;
        for (std::size_t i = 0; i < 4; ++i) c.pictures[i] = t.pictures[i];
        return c;
    }
    case SS_KIND_NUMBER: {
        NumberType n;
        n.style = t.style;
        n.decimals = std::clamp(t.decimals, 0, 15);
        n.minValue = std::min(t.minValue, t.maxValue);
        n.maxValue = std::max(t.minValue, t.maxValue);
        return n;
    }
    default: {
        EditType e;
        e.style = t.style;
        e.maxLength = std::max(0, t.maxLength);
        e.charSet = t.charSet;
        e.charCase = t.charCase;
        return e;
    }
    }
}

SS_CELLTYPE fromModelType(const vtl::grid::CellType& type) {
    using namespace vtl::grid;
    SS_CELLTYPE t;
    t.kind = static_cast<std::uint8_t>(kindOf(type));
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            t.style = v.style;
            if constexpr (std::is_same_v<T, EditType>) {
                t.maxLength = v.maxLength;
                t.charSet = v.charSet;
                t.charCase = v.charCase;
            } else if constexpr (std::is_same_v<T, ComboBoxType>) {
                t.items = v.itemList();
            } else if constexpr (std::is_same_v<T, CheckBoxType>) {
                t.caption = v.caption;
                for (std::size_t i = 0; i < 4; ++i) t.pictures[i] = v.pictures[i];
            } else if constexpr (std::is_same_v<T, ButtonType>) {
                t.caption = v.caption;
                t.pictures[0] = v.picture;
            } else if constexpr (std::is_same_v<T, PictureType>) {
                t.fileName = v.fileName;
            } else if constexpr (std::is_same_v<T, NumberType>) {
                t.decimals = v.decimals;
                t.minValue = v.minValue;
                t.maxValue = v.maxValue;
            }
        },
        type);
    return t;
}

vtl::grid::ContentKind contentKind(int kind) { return static_cast<vtl::grid::ContentKind>(kind); }
bool validKind(int kind) { return kind >= SS_CONTENT_TEXT && kind <= SS_CONTENT_VALUE; }
}  // namespace

// ---- the window class ----

BOOL SSIsGrid(HWND h) { return grid(h) ? TRUE : FALSE; }
BOOL SSIsGridWindow(HWND window) { return Spread::isSpreadWindow(window) ? TRUE : FALSE; }

// ---- counts and structure ----

int SSGetColCount(HWND h) { return grid(h) ? grid(h)->sheet().colCount() : 0; }
int SSGetRowCount(HWND h) { return grid(h) ? grid(h)->sheet().rowCount() : 0; }
BOOL SSSetColCount(HWND h, int count) { return structure(h, [&](Sheet& s) { return s.setColCount(count); }); }
BOOL SSSetRowCount(HWND h, int count) { return structure(h, [&](Sheet& s) { return s.setRowCount(count); }); }
BOOL SSInsertRow(HWND h, int row) { return structure(h, [&](Sheet& s) { return s.insertRows(row, 1); }); }
BOOL SSDeleteRow(HWND h, int row) { return structure(h, [&](Sheet& s) { return s.deleteRows(row, 1); }); }
BOOL SSInsertCol(HWND h, int col) { return structure(h, [&](Sheet& s) { return s.insertCols(col, 1); }); }
BOOL SSDeleteCol(HWND h, int col) { return structure(h, [&](Sheet& s) { return s.deleteCols(col, 1); }); }

// ---- sizes ----

double SSGetColWidth(HWND h, int col) { return grid(h) ? grid(h)->sheet().columnWidth(col) : 0.0; }
BOOL SSSetColWidth(HWND h, int col, double units) {
    return change(h, [&](Spread&, Sheet& s) { return s.setColumnWidth(col, units); });
}
int SSGetColWidthPixels(HWND h, int col) { return grid(h) ? grid(h)->sheet().columnWidthPixels(col) : 0; }
BOOL SSSetColWidthPixels(HWND h, int col, int pixels) {
    return change(h, [&](Spread&, Sheet& s) { return s.setColumnWidthPixels(col, pixels); });
}
double SSGetRowHeight(HWND h, int row) { return grid(h) ? grid(h)->sheet().rowHeight(row) : 0.0; }
BOOL SSSetRowHeight(HWND h, int row, double units) {
    return change(h, [&](Spread&, Sheet& s) { return s.setRowHeight(row, units); });
}
int SSGetRowHeightPixels(HWND h, int row) { return grid(h) ? grid(h)->sheet().rowHeightPixels(row) : 0; }
BOOL SSSetRowHeightPixels(HWND h, int row, int pixels) {
    return change(h, [&](Spread&, Sheet& s) { return s.setRowHeightPixels(row, pixels); });
}

BOOL SSGetPreferredCellSize(HWND h, int col, int row, double* width, double* height) {
    Spread* s = grid(h);
    if (!s || !s->sheet().contains({col, row})) return FALSE;
    if (width) *width = s->sheet().preferredWidth({col, row});
    if (height) *height = s->sheet().preferredHeight({col, row});
    return TRUE;
}

BOOL SSGetPreferredBlockSize(HWND h, int col1, int row1, int col2, int row2, double* width, double* height) {
    Spread* s = grid(h);
    if (!s || !s->sheet().contains({col1, row1}) || !s->sheet().contains({col2, row2})) return FALSE;
    const Sheet& sheet = s->sheet();
    const SIZE largest = sheet.largestPreferredSizePixels(block(col1, row1, col2, row2), width != nullptr, height != nullptr);
    if (width) *width = sheet.pixelsToColumnUnits(largest.cx);
    if (height) *height = sheet.pixelsToRowUnits(largest.cy);
    return TRUE;
}

BOOL SSGetPreferredColWidths(HWND h, int col1, int col2, int row1, int row2, double* widths) {
    Spread* s = grid(h);
    if (!s || !widths || !s->sheet().contains({col1, row1}) || !s->sheet().contains({col2, row2})) return FALSE;
    const Sheet& sheet = s->sheet();
    const std::vector<int> pixels = sheet.largestPreferredWidthsPixels(block(col1, row1, col2, row2));
    for (std::size_t k = 0; k < pixels.size(); ++k) widths[k] = sheet.pixelsToColumnUnits(pixels[k]);
    return TRUE;
}

BOOL SSGetPreferredRowHeights(HWND h, int row1, int row2, int col1, int col2, double* heights) {
    Spread* s = grid(h);
    if (!s || !heights || !s->sheet().contains({col1, row1}) || !s->sheet().contains({col2, row2})) return FALSE;
    const Sheet& sheet = s->sheet();
    const std::vector<int> pixels = sheet.largestPreferredHeightsPixels(block(col1, row1, col2, row2));
    for (std::size_t k = 0; k < pixels.size(); ++k) heights[k] = sheet.pixelsToRowUnits(pixels[k]);
    return TRUE;
}

BOOL SSGetClientRect(HWND h, RECT* rect) {
    Spread* s = grid(h);
    if (!s || !rect) return FALSE;
    *rect = s->layout().cellArea();
    return TRUE;
}

BOOL SSGetCellRect(HWND h, int col, int row, RECT* rect) {
    Spread* s = grid(h);
    if (!s || !rect || !s->sheet().contains({col, row})) return FALSE;
    *rect = s->layout().cellRect({vtl::grid::headerToZero(col), vtl::grid::headerToZero(row)});
    return TRUE;
}

BOOL SSGetWholeRowsShown(HWND h, int* firstRow, int* count) {
    Spread* s = grid(h);
    if (!s) return FALSE;
    const vtl::grid::SpreadLayout l = s->layout();
    if (firstRow) *firstRow = l.topLeft().row;
    if (count) *count = l.wholeRowsShown();
    return TRUE;
}

// ---- content ----

BOOL SSSetCellText(HWND h, int col, int row, const char* text) {
    return change(h, [&](Spread&, Sheet& s) { return s.setText({col, row}, text ? text : ""); });
}
BOOL SSSetCellValue(HWND h, int col, int row, const char* value) {
    return change(h, [&](Spread&, Sheet& s) { return s.setValue({col, row}, value ? value : ""); });
}

std::string SSGetCellString(HWND h, int col, int row, int kind) {
    Spread* s = grid(h);
    if (!s || !validKind(kind)) return {};
    if (kind == SS_CONTENT_FORMULA) {
        // Kept as R1C1 text; shown in the grid's reference style.
        Sheet& sheet = s->sheet();
        if (!sheet.hasFormula({col, row})) return {};
        return sheet.formulas().formulaText({col, row}, sheet.refStyle());
    }
    return s->sheet().content({col, row}, contentKind(kind));
}
BOOL SSGetCellString(HWND h, int col, int row, int kind, std::string& out) {
    Spread* s = grid(h);
    if (!s || !validKind(kind)) {
        out.clear();
        return FALSE;
    }
    if (kind == SS_CONTENT_FORMULA) {
        out = SSGetCellString(h, col, row, kind);
        return TRUE;
    }
    s->sheet().content({col, row}, contentKind(kind), out);
    return TRUE;
}
BOOL SSGetRowStrings(HWND h, int row, int col1, int col2, int kind, std::vector<std::string>& out) {
    Spread* s = grid(h);
    if (!s || !validKind(kind) || col2 < col1 || !s->sheet().contains({col1, row}) || !s->sheet().contains({col2, row}))
        return FALSE;
    out.resize(static_cast<std::size_t>(col2 - col1 + 1));
    for (int c = col1; c <= col2; ++c) {
        std::string& text = out[static_cast<std::size_t>(c - col1)];
        if (kind == SS_CONTENT_FORMULA) text = SSGetCellString(h, c, row, kind);
        else s->sheet().content({c, row}, contentKind(kind), text);
    }
    return TRUE;
}
int SSGetCellContentLength(HWND h, int col, int row, int kind) {
    return static_cast<int>(SSGetCellString(h, col, row, kind).size());
}
int SSGetCellContent(HWND h, int col, int row, int kind, char* buffer, int size) {
    return copyOut(SSGetCellString(h, col, row, kind), buffer, size);
}
BOOL SSSetCellTag(HWND h, int col, int row, const char* tag) {
    return change(h, [&](Spread&, Sheet& s) { return s.setTag({col, row}, tag ? tag : ""); });
}
int SSGetCellTag(HWND h, int col, int row, char* buffer, int size) {
    return copyOut(SSGetCellString(h, col, row, SS_CONTENT_TAG), buffer, size);
}
BOOL SSClearBlock(HWND h, int col1, int row1, int col2, int row2) {
    return change(h, [&](Spread&, Sheet& s) { return s.clearBlock(block(col1, row1, col2, row2)); });
}

// ---- colours and fonts ----

BOOL SSSetCellColor(HWND h, int col, int row, COLORREF back, COLORREF fore) {
    return SSSetBlockColor(h, col, row, col, row, back, fore);
}
BOOL SSGetCellColor(HWND h, int col, int row, COLORREF* back, COLORREF* fore) {
    Spread* s = grid(h);
    if (!s || !s->sheet().contains({col, row})) return FALSE;
    const auto pair = s->sheet().colours({col, row});
    if (back) *back = pair.back;
    if (fore) *fore = pair.fore;
    return TRUE;
}
BOOL SSSetBlockColor(HWND h, int col1, int row1, int col2, int row2, COLORREF back, COLORREF fore) {
    return change(h, [&](Spread&, Sheet& s) { return s.setColours(block(col1, row1, col2, row2), {back, fore}); });
}
BOOL SSSetBlockFont(HWND h, int col1, int row1, int col2, int row2, HFONT font) {
    return change(h, [&](Spread&, Sheet& s) { return s.setFont(block(col1, row1, col2, row2), font); });
}
HFONT SSGetCellFont(HWND h, int col, int row) {
    Spread* s = grid(h);
    if (!s || !s->sheet().contains({col, row})) return HFONT();
    return s->sheet().fontHandle({col, row});
}

// ---- cell types ----

void SSSetTypeEdit(HWND, SS_CELLTYPE* type, DWORD style, int maxLength, int charSet, int charCase) {
    if (!type) return;
    *type = SS_CELLTYPE{};
    type->kind = SS_KIND_EDIT;
    type->style = style;
    type->maxLength = maxLength;
    type->charSet = charSet;
    type->charCase = charCase;
}
void SSSetTypeStaticText(HWND, SS_CELLTYPE* type, DWORD style) {
    if (!type) return;
    *type = SS_CELLTYPE{};
    type->kind = SS_KIND_STATIC_TEXT;
    type->style = style;
}
void SSSetTypeComboBox(HWND, SS_CELLTYPE* type, DWORD style, const char* items) {
    if (!type) return;
    *type = SS_CELLTYPE{};
    type->kind = SS_KIND_COMBO_BOX;
    type->style = style;
    type->items = items ? items : "";
}
void SSSetTypeCheckBox(HWND, SS_CELLTYPE* type, DWORD style, const char* caption, HBITMAP clear, HBITMAP set,
                       HBITMAP focusedClear, HBITMAP focusedSet) {
    if (!type) return;
    *type = SS_CELLTYPE{};
    type->kind = SS_KIND_CHECK_BOX;
    type->style = style;
    type->caption = caption ? caption : "";
    type->pictures[0] = clear;
    type->pictures[1] = set;
    type->pictures[2] = focusedClear;
    type->pictures[3] = focusedSet;
}
void SSSetTypeButton(HWND, SS_CELLTYPE* type, DWORD style, const char* caption, HBITMAP picture) {
    if (!type) return;
    *type = SS_CELLTYPE{};
    type->kind = SS_KIND_BUTTON;
    type->style = style;
    type->caption = caption ? caption : "";
    type->pictures[0] = picture;
}
void SSSetTypePicture(HWND, SS_CELLTYPE* type, DWORD style, const char* fileName) {
    if (!type) return;
    *type = SS_CELLTYPE{};
    type->kind = SS_KIND_PICTURE;
    type->style = style;
    type->fileName = fileName ? fileName : "";
}
void SSSetTypeNumber(HWND, SS_CELLTYPE* type, DWORD style, int decimals, double maxValue, double minValue) {
    if (!type) return;
    *type = SS_CELLTYPE{};
    type->kind = SS_KIND_NUMBER;
    type->style = style;
    type->decimals = decimals;
    type->maxValue = maxValue;
    type->minValue = minValue;
}
BOOL SSSetCellType(HWND h, int col, int row, const SS_CELLTYPE* type) {
    return SSSetBlockType(h, col, row, col, row, type);
}
BOOL SSSetBlockType(HWND h, int col1, int row1, int col2, int row2, const SS_CELLTYPE* type) {
    if (!type || type->kind == 0) return FALSE;
    return change(h, [&](Spread&, Sheet& s) { return s.setCellType(block(col1, row1, col2, row2), toModelType(*type)); });
}
BOOL SSGetCellType(HWND h, int col, int row, SS_CELLTYPE* type) {
    Spread* s = grid(h);
    if (!s || !type || !s->sheet().contains({col, row})) return FALSE;
    *type = fromModelType(s->sheet().cellType({col, row}));
    return TRUE;
}

// ---- locks ----

BOOL SSSetCellLock(HWND h, int col, int row, BOOL locked) { return SSSetBlockLock(h, col, row, col, row, locked); }
BOOL SSGetCellLock(HWND h, int col, int row) {
    Spread* s = grid(h);
    return s && s->sheet().isLocked({col, row}) ? TRUE : FALSE;
}
BOOL SSSetBlockLock(HWND h, int col1, int row1, int col2, int row2, BOOL locked) {
    return change(h, [&](Spread&, Sheet& s) { return s.setLocked(block(col1, row1, col2, row2), locked != FALSE); });
}

// ---- spans ----

BOOL SSAddCellSpan(HWND h, int col, int row, int cols, int rows) {
    return change(h, [&](Spread&, Sheet& s) { return s.addSpan({col, row}, cols, rows); });
}
int SSGetCellSpan(HWND h, int col, int row, int* anchorCol, int* anchorRow, int* cols, int* rows) {
    Spread* s = grid(h);
    if (!s) return 0;
    const auto span = s->sheet().span({col, row});
    if (anchorCol) *anchorCol = span.anchor.col;
    if (anchorRow) *anchorRow = span.anchor.row;
    if (cols) *cols = span.cols;
    if (rows) *rows = span.rows;
    return span.state;
}
BOOL SSRemoveCellSpan(HWND h, int col, int row) {
    return change(h, [&](Spread&, Sheet& s) { return s.removeSpan({col, row}); });
}

// ---- blocks ----

BOOL SSCopyBlock(HWND h, int col1, int row1, int col2, int row2, int destCol, int destRow) {
    return change(h, [&](Spread&, Sheet& s) { return s.copyBlock(block(col1, row1, col2, row2), {destCol, destRow}); });
}
BOOL SSSwapBlocks(HWND h, int col1, int row1, int col2, int row2, int destCol, int destRow) {
    return change(h, [&](Spread&, Sheet& s) { return s.swapBlocks(block(col1, row1, col2, row2), {destCol, destRow}); });
}
BOOL SSSetBlockAlign(HWND h, int col1, int row1, int col2, int row2, int alignment) {
    if (alignment < SS_ALIGN_DEFAULT || alignment > SS_ALIGN_VCENTER) return FALSE;
    return change(h, [&](Spread&, Sheet& s) {
        return s.setAlignment(block(col1, row1, col2, row2), static_cast<vtl::grid::Alignment>(alignment));
    });
}

// ---- active cell, selection, edit mode ----

BOOL SSGetActiveCell(HWND h, int* col, int* row) {
    Spread* s = grid(h);
    const auto cell = s ? s->activeCell() : std::nullopt;
    if (!cell) return FALSE;
    if (col) *col = cell->col;
    if (row) *row = cell->row;
    return TRUE;
}
BOOL SSSetActiveCell(HWND h, int col, int row) {
    Spread* s = grid(h);
    return s && s->setActiveCell({col, row}) ? TRUE : FALSE;
}
BOOL SSGetSelectBlock(HWND h, int* col1, int* row1, int* col2, int* row2) {
    Spread* s = grid(h);
    const auto b = s ? s->selection() : std::nullopt;
    if (!b) return FALSE;
    if (col1) *col1 = b->col1;
    if (row1) *row1 = b->row1;
    if (col2) *col2 = b->col2;
    if (row2) *row2 = b->row2;
    return TRUE;
}
BOOL SSSetSelectBlock(HWND h, int col1, int row1, int col2, int row2) {
    Spread* s = grid(h);
    return s && s->setSelection(block(col1, row1, col2, row2)) ? TRUE : FALSE;
}
BOOL SSClearSelection(HWND h) {
    Spread* s = grid(h);
    if (!s) return FALSE;
    s->clearSelection();
    s->repaint();
    return TRUE;
}
BOOL SSSetEditMode(HWND h, BOOL on) {
    Spread* s = grid(h);
    if (!s) return FALSE;
    if (on) return s->beginEdit() ? TRUE : FALSE;
    // Ending edit mode from the program commits without telling the parent: it asked for it.
    if (!s->editing()) return TRUE;
    const auto cell = *s->editCell();
    const std::string typed = s->editorText();
    s->endEdit(false);
    if (typed != s->sheet().text(cell)) {
        s->sheet().setText(cell, typed);
        s->modelChanged();
    }
    return TRUE;
}
BOOL SSGetEditMode(HWND h) {
    Spread* s = grid(h);
    return s && s->editing() ? TRUE : FALSE;
}
BOOL SSGetEditSel(HWND h, int* start, int* end) {
    Spread* s = grid(h);
    const auto sel = s ? s->editSelection() : std::nullopt;
    if (!sel) return FALSE;
    if (start) *start = sel->first;
    if (end) *end = sel->second;
    return TRUE;
}
BOOL SSSetEditSel(HWND h, int start, int end) {
    Spread* s = grid(h);
    return s && s->setEditSelection(start, end) ? TRUE : FALSE;
}

// ---- behaviour and looks ----

BOOL SSSetSwitch(HWND h, int number, BOOL on) {
    Spread* s = grid(h);
    if (!s || number < 0 || number >= vtl::grid::sw::count) return FALSE;
    if (number == vtl::grid::sw::redraw) {
        s->setRedraw(on != FALSE);
        return TRUE;
    }
    s->sheet().setSwitch(number, on != FALSE);
    if (number == vtl::grid::sw::permanentEdit && !on && s->editing() && !s->hasFocus()) s->endEdit(true);
    if (Spread* again = grid(h)) again->modelChanged();
    return TRUE;
}
BOOL SSGetSwitch(HWND h, int number) {
    Spread* s = grid(h);
    return s && s->sheet().switchOn(number) ? TRUE : FALSE;
}
BOOL SSSetOperationMode(HWND h, int mode) {
    return change(h, [&](Spread& sp, Sheet& s) {
        s.setOperationMode(mode);
        if (mode == vtl::grid::kOperationList) {
            if (const auto a = sp.activeCell()) sp.setSelection({1, a->row, -1, a->row});
        }
        return true;
    });
}
int SSGetOperationMode(HWND h) { return grid(h) ? grid(h)->sheet().operationMode() : 0; }
BOOL SSSetGrayAreaColor(HWND h, COLORREF back, COLORREF fore) {
    return change(h, [&](Spread&, Sheet& s) { return s.cosmetics().greyArea = {back, fore}, true; });
}
BOOL SSSetLockColor(HWND h, COLORREF back, COLORREF fore) {
    return change(h, [&](Spread&, Sheet& s) { return s.cosmetics().lockedCells = {back, fore}, true; });
}
BOOL SSSetSelColor(HWND h, COLORREF back, COLORREF fore) {
    return change(h, [&](Spread&, Sheet& s) { return s.cosmetics().selection = {back, fore}, true; });
}
BOOL SSSetGridLines(HWND h, int style, COLORREF colour) {
    return change(h, [&](Spread&, Sheet& s) {
        s.cosmetics().gridLineStyle = style;
        s.cosmetics().gridLineColour = colour;
        return true;
    });
}
BOOL SSSetAppearance(HWND h, int appearance) {
    return change(h, [&](Spread&, Sheet& s) { return s.cosmetics().appearance = appearance, true; });
}
BOOL SSSetActionKey(HWND h, int action, BOOL shift, BOOL ctrl, int key) {
    if (action < 0 || action > 2) return FALSE;
    return change(h, [&](Spread&, Sheet& s) {
        s.cosmetics().actionKeys[static_cast<std::size_t>(action)] = {key, shift != FALSE, ctrl != FALSE};
        return true;
    });
}
BOOL SSSetBackColorStyle(HWND h, int style) {
    return change(h, [&](Spread&, Sheet& s) { return s.cosmetics().backColourStyle = style, true; });
}
BOOL SSSetCellNoteIndicator(HWND h, int indicator) {
    return change(h, [&](Spread&, Sheet& s) { return s.cosmetics().noteIndicator = indicator, true; });
}
BOOL SSSetDisplaySetting(HWND h, int first, int second) {
    return change(h, [&](Spread&, Sheet& s) {
        s.cosmetics().displayFirst = first;
        s.cosmetics().displaySecond = second;
        return true;
    });
}
BOOL SSSetTextTip(HWND h, const SS_TEXTTIP* tip) {
    if (!tip) return FALSE;
    return change(h, [&](Spread&, Sheet& s) {
        vtl::grid::TextTipSettings t;
        t.mode = tip->mode;
        t.delayMs = tip->delayMs;
        if (tip->hasFont) t.font = tip->font;
        t.colours = {tip->back, tip->fore};
        s.setTextTips(t);
        return true;
    });
}
BOOL SSGetTextTip(HWND h, SS_TEXTTIP* tip) {
    Spread* s = grid(h);
    if (!s || !tip) return FALSE;
    const auto& t = s->sheet().textTips();
    *tip = SS_TEXTTIP{};
    tip->mode = t.mode;
    tip->delayMs = t.delayMs;
    tip->hasFont = t.font.has_value();
    if (t.font) tip->font = *t.font;
    tip->back = t.colours.back;
    tip->fore = t.colours.fore;
    return TRUE;
}
BOOL SSSetRefStyle(HWND h, int style) {
    if (style < 0 || style > 2) return FALSE;
    return change(h, [&](Spread&, Sheet& s) { return s.setRefStyle(style), true; });
}
int SSGetRefStyle(HWND h) { return grid(h) ? grid(h)->sheet().refStyle() : 0; }
BOOL SSReset(HWND h) {
    Spread* s = grid(h);
    if (!s) return FALSE;
    s->reset();
    return TRUE;
}

// ---- clipboard ----

BOOL SSCopySelection(HWND h) { return grid(h) && grid(h)->copySelection() ? TRUE : FALSE; }
BOOL SSCutSelection(HWND h) { return grid(h) && grid(h)->cutSelection() ? TRUE : FALSE; }
BOOL SSPasteSelection(HWND h) { return grid(h) && grid(h)->paste() ? TRUE : FALSE; }

// ---- notifications ----

BOOL SSNotifyValueChanged(HWND h, int col, int row) {
    Spread* s = grid(h);
    if (!s || !s->sheet().contains({col, row})) return FALSE;
    const HWND self = h;
    s->sheet().setSwitch(vtl::grid::sw::changed, true);
    s->notify(vtl::grid::notify::valueChanged, {col, row});
    return IsWindow(self);
}

BOOL SSGetNotifyCell(HWND h, int* col, int* row) {
    Spread* s = grid(h);
    if (!s) return FALSE;
    if (col) *col = s->lastNotifyCell().col;
    if (row) *row = s->lastNotifyCell().row;
    return TRUE;
}
