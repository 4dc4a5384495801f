// The grid layout dialog: counts, header sizes and header texts of a grid.
#include "spread/grid_layout_dialog.h"

#include <algorithm>

#include "frame/spread_control.h"

namespace vtl::ui {
namespace {
constexpr int kCaption = 1369;
constexpr struct {
    int id;
    int text;
} kTexts[] = {{1016, 1373}, {1018, 1374}, {1020, 1375}, {1022, 1376}, {1027, 1372}, {IDOK, 1}, {IDCANCEL, 2}};
constexpr int kExplanationId = 1026;
}  // namespace

int KsGridLayoutDlg::typedCount(const Vtl_String& text, int maximum) {
    const auto number = parseNumber(text);
    if (!number) return 0;
    return static_cast<int>(std::clamp(*number, 0.0, static_cast<double>(maximum)));
}

BOOL KsGridLayoutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(dialString(kCaption).c_str());
    for (const auto& t : kTexts) SetDlgItemText(t.id, dialString(t.text).c_str());
    SetDlgItemText(kExplanationId, (dialString(1370) + "\n" + dialString(1371)).c_str());
    columnPreview_.attachToDlgItem(this, kColumnPreviewId, false);
    rowPreview_.attachToDlgItem(this, kRowPreviewId, false);
    setUpColumnPreview();
    setUpRowPreview();
    SetDlgItemText(kColumnCountId, Vtl_String(columnCount).c_str());
    SetDlgItemText(kRowCountId, Vtl_String(rowCount).c_str());
    SetDlgItemText(kHeaderHeightId, Vtl_String(headerRowHeight).c_str());
    SetDlgItemText(kHeaderWidthId, Vtl_String(headerColumnWidth).c_str());
    ready_ = true;
    return TRUE;
}

void KsGridLayoutDlg::setUpColumnPreview() {
    HWND g = columnPreview_.grid();
    columnPreview_.setRedraw(false);
    SSSetColCount(g, columnCount);
    SSSetRowCount(g, 1);
    columnPreview_.setOption(SS_SWITCH_HORZ_SCROLLBAR, true);
    columnPreview_.setOption(SS_SWITCH_VERT_SCROLLBAR, false);
    columnPreview_.showHeaders(false, false);
    SSSetRowHeightPixels(g, 1, headerRowHeight);
    fillPreview(columnPreview_, true, columnCount, columnTexts, columnTextsKept);
    columnPreview_.setRedraw(true);
}

void KsGridLayoutDlg::setUpRowPreview() {
    HWND g = rowPreview_.grid();
    rowPreview_.setRedraw(false);
    SSSetColCount(g, 1);
    SSSetRowCount(g, rowCount);
    rowPreview_.setOption(SS_SWITCH_HORZ_SCROLLBAR, false);
    rowPreview_.setOption(SS_SWITCH_VERT_SCROLLBAR, true);
    rowPreview_.showHeaders(false, false);
    SSSetColWidthPixels(g, 1, headerColumnWidth);
    fillPreview(rowPreview_, false, rowCount, rowTexts, rowTextsKept);
    rowPreview_.setRedraw(true);
}

void KsGridLayoutDlg::fillPreview(Vtl_Spread& preview, bool columns, int count, const Vtl_StringArray& texts,
                                  const Vtl_StringArray& kept) {
    for (int i = 1; i <= count; ++i) {
        Vtl_String text;
        if (i <= kept.length())
            text = kept[i - 1];
        else if (i <= texts.length())
            text = texts[i - 1];
        if (columns)
            SSSetCellValue(preview.grid(), i, 1, text.c_str());
        else
            SSSetCellValue(preview.grid(), 1, i, text.c_str());
    }
}

void KsGridLayoutDlg::savePreview(Vtl_Spread& preview, bool columns, Vtl_StringArray& texts, Vtl_StringArray& kept) {
    // A cell still being typed in belongs to the texts.
    preview.setEditing(false);
    const int count = columns ? preview.getColCount() : preview.getRowCount();
    texts.removeAll();
    for (int i = 1; i <= count; ++i) {
        Vtl_String text;
        preview.getCellText(columns ? i : 1, columns ? 1 : i, text, 0);
        texts.append(text);
    }
    if (kept.length() < count) kept.setLogicalLength(count);
    for (int i = 0; i < count; ++i) kept[i] = texts[i];
}

BOOL KsGridLayoutDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == EN_CHANGE && ready_) {
        const Vtl_String text(GetDlgItemText(id));
        switch (id) {
        case kColumnCountId:
            savePreview(columnPreview_, true, columnTexts, columnTextsKept);
            columnCount = typedCount(text, kMaxColumns);
            setUpColumnPreview();
            return TRUE;
        case kRowCountId:
            savePreview(rowPreview_, false, rowTexts, rowTextsKept);
            rowCount = typedCount(text, kMaxRows);
            setUpRowPreview();
            return TRUE;
        case kHeaderHeightId:
            headerRowHeight = typedCount(text, kMaxHeaderPixels);
            SSSetRowHeightPixels(columnPreview_.grid(), 1, headerRowHeight);
            return TRUE;
        case kHeaderWidthId:
            headerColumnWidth = typedCount(text, kMaxHeaderPixels);
            SSSetColWidthPixels(rowPreview_.grid(), 1, headerColumnWidth);
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void KsGridLayoutDlg::OnOK() {
    savePreview(columnPreview_, true, columnTexts, columnTextsKept);
    savePreview(rowPreview_, false, rowTexts, rowTextsKept);
    CDialog::OnOK();
}

bool runGridLayoutDialog(Vtl_Spread& grid, CWnd* parent) {
    if (!grid.isAttached()) return false;
    KsGridLayoutDlg dlg(parent);
    HWND g = grid.grid();
    dlg.columnCount = grid.getColCount();
    dlg.rowCount = grid.getRowCount();
    dlg.headerRowHeight = SSGetRowHeightPixels(g, Vtl_Spread::HEADER);
    dlg.headerColumnWidth = SSGetColWidthPixels(g, Vtl_Spread::HEADER);
    for (int c = 1; c <= dlg.columnCount; ++c) {
        Vtl_String text;
        grid.getCellText(c, Vtl_Spread::HEADER, text, 3);
        dlg.columnTexts.append(text);
    }
    for (int r = 1; r <= dlg.rowCount; ++r) {
        Vtl_String text;
        grid.getCellText(Vtl_Spread::HEADER, r, text, 3);
        dlg.rowTexts.append(text);
    }
    if (dlg.DoModal() != IDOK) return false;
    grid.setRedraw(false);
    grid.setColCount(dlg.columnCount, false);
    grid.setRowCount(dlg.rowCount);
    SSSetColWidthPixels(g, Vtl_Spread::HEADER, dlg.headerColumnWidth);
    SSSetRowHeightPixels(g, Vtl_Spread::HEADER, dlg.headerRowHeight);
    for (int r = 1; r <= dlg.rowCount; ++r)
        SSSetCellValue(g, Vtl_Spread::HEADER, r, r <= dlg.rowTexts.length() ? dlg.rowTexts[r - 1].c_str() : "");
    for (int c = 1; c <= dlg.columnCount; ++c)
        SSSetCellValue(g, c, Vtl_Spread::HEADER, c <= dlg.columnTexts.length() ? dlg.columnTexts[c - 1].c_str() : "");
    grid.setRedraw(true);
    grid.setChanged(true);
    return true;
}

}  // namespace vtl::ui
