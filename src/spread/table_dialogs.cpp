#include "spread/table_dialogs.h"

#include <algorithm>

#include "frame/export_guard.h"
#include "frame/module.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/dialog_size.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"

namespace vtl::ui {
namespace {
constexpr int kOkText = 1;
constexpr int kCancelText = 2;
constexpr int kAddText = 606;
constexpr int kRemoveText = 607;
constexpr DWORD kEditStyle = 0x110000;
constexpr int kMaxCellText = 200;
constexpr int kFitEqualWidths = 1;
constexpr COLORREF kGreyBack = 0xC0C0C0;
constexpr COLORREF kGreyFore = 0x8000000B;

Vtl_String comboText(CWnd* dlg, int id) { return Vtl_String(dlg->GetDlgItemText(id)); }

CComboBox* combo(CWnd* dlg, int id) { return static_cast<CComboBox*>(dlg->GetDlgItem(id)); }
}  // namespace

// ---- the table of texts ----

KsStringArrayDlg::KsStringArrayDlg(const Vtl_StringArray& columnNames, const Vtl_StringArray& rowLabels,
                                   const Vtl_Array<Vtl_StringArray>& rows, bool allowAddRemove,
                                   const Vtl_String& dialogName, const Vtl_String& caption, CWnd* parent)
    : CDialog(IDD, parent), columnNames_(columnNames), rowLabels_(rowLabels), rows_(rows),
      allowAddRemove_(allowAddRemove), dialogName_(dialogName.isEmpty() ? Vtl_String(kDefaultName) : dialogName),
      caption_(caption) {}

BOOL KsStringArrayDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    grid_.attachToDlgItem(this, kGridId, false);
    grid_.setStyle(1);
    grid_.setFitMode(kFitEqualWidths);
    int width = 0, height = 0;
    if (getDlgSize(this, width, height)) minTrack_ = {width, height};
    layout_.init(m_hWnd);
    layout_.setFlags(kGridId, 6, 6);
    layout_.setFlags(IDOK, 3, 5);
    layout_.setFlags(IDCANCEL, 3, 5);
    layout_.setFlags(kAddId, 5, 5);
    layout_.setFlags(kRemoveId, 5, 5);
    ChangeDlgSize(this, dialogName_);

    SetWindowText(caption_.c_str());
    const struct {
        int id, text;
    } texts[] = {{IDOK, kOkText}, {IDCANCEL, kCancelText}, {kAddId, kAddText}, {kRemoveId, kRemoveText}};
    for (const auto& t : texts) SetDlgItemText(t.id, dialString(t.text).c_str());
    if (!allowAddRemove_)
        for (int id : {kAddId, kRemoveId})
            if (CWnd* button = GetDlgItem(id)) button->ShowWindow(SW_HIDE);
    setUpGrid();
    layout_.resize();
    return TRUE;
}

void KsStringArrayDlg::setUpGrid() {
    const HWND h = grid_.grid();
    grid_.setRedraw(false);
    const struct {
        int number;
        bool on;
    } switches[] = {{12, false}, {25, true}, {7, false}, {21, true}, {26, false}, {13, true},
                    {32, true},  {18, true}, {0, true},  {11, true}, {10, false}, {22, true}};
    for (const auto& s : switches) SSSetSwitch(h, s.number, s.on ? TRUE : FALSE);
    SSSetOperationMode(h, SS_MODE_LIST);
    SSSetGridLines(h, 1, static_cast<COLORREF>(-1));
    SSSetGrayAreaColor(h, kGreyBack, kGreyFore);
    const int cols = columnNames_.length();
    const int rows = rows_.length();
    grid_.setColCount(cols, false);
    SSSetSwitch(h, SS_SWITCH_ROW_HEADERS, rowLabels_.isEmpty() ? FALSE : TRUE);
    grid_.setRowCount(rows);
    grid_.setFontFace("Tahoma", 15);
    grid_.setHeaderFonts();
    if (rows > 0) grid_.setFont(1, 1, cols, rows, false, false);
    grid_.setColHeaders(columnNames_);
    if (!rowLabels_.isEmpty()) grid_.setRowHeaders(rowLabels_);
    if (rows > 0) grid_.setEditBlock(1, 1, rows_[0].length(), rows, kEditStyle, kMaxCellText);
    for (int k = 0; k < rows; ++k)
        for (int l = 0; l < rows_[k].length(); ++l) grid_.setCellText(l + 1, k + 1, rows_[k][l]);
    grid_.applyFitMode();
    grid_.setRedraw(true);
    grid_.setChanged(false);
}

BOOL KsStringArrayDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == kAddId) {
            onAdd();
            return TRUE;
        }
        if (LOWORD(wParam) == kRemoveId) {
            onRemove();
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void KsStringArrayDlg::onAdd() {
    int col = 1, row = 0;
    if (!grid_.getActiveCell(col, row) || grid_.getRowCount() <= 0) row = grid_.getRowCount();
    col = std::max(col, 1);
    const int added = std::clamp(row, 0, grid_.getRowCount()) + 1;
    // insertRow grows the count by one and gives the new row the grid's font.
    if (!grid_.insertRow(added, false, false)) return;
    grid_.setEditBlock(1, added, grid_.getColCount(), added, kEditStyle, kMaxCellText);
    grid_.SetFocus();
    grid_.setActiveCell(std::min(col, grid_.getColCount()), added);
}

void KsStringArrayDlg::onRemove() {
    if (grid_.getRowCount() < 1) return;
    int col = 1, row = 1;
    if (!grid_.getActiveCell(col, row)) return;
    if (!grid_.deleteRow(row)) return;
    grid_.SetFocus();
    const int rows = grid_.getRowCount();
    if (rows < 1) return;
    grid_.setActiveCell(col, std::min(row, rows));
    grid_.setEditing(true);
    Vtl_String text;
    grid_.getCellText(col, std::min(row, rows), text);
    grid_.setEditSelection(0, text.length());
}

void KsStringArrayDlg::OnOK() {
    if (grid_.isEditing()) grid_.setEditing(false);  // what is being typed counts
    rows_.removeAll();
    const int cols = grid_.getColCount();
    for (int row = 1; row <= grid_.getRowCount(); ++row) {
        Vtl_StringArray line;
        for (int col = 1; col <= cols; ++col) {
            Vtl_String text;
            grid_.getCellText(col, row, text);
            line.append(text);
        }
        rows_.append(std::move(line));
    }
    CDialog::OnOK();
}

LRESULT KsStringArrayDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE: {
        const LRESULT r = CDialog::WindowProc(msg, wParam, lParam);
        if (layout_.count() > 0) {
            layout_.resize();
            grid_.applyFitMode();
        }
        return r;
    }
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = minTrack_;
        return 0;
    case WM_DESTROY: WriteDlgSize(this, dialogName_); break;
    default: break;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

// ---- the building grid ----

KsGridDlg::KsGridDlg(const KsGridDlgData& data, CWnd* parent) : CDialog(IDD, parent), data_(data) {}

BOOL KsGridDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(dialString(1463).c_str());
    const struct {
        int id, text;
    } texts[] = {{1372, 1464}, {1366, 1466}, {1368, 1467}, {1370, 1468}, {1375, 1465}, {1373, 1466},
                 {1376, 1467}, {1378, 1468}, {kOptionId, 1469}, {IDOK, kOkText}, {IDCANCEL, kCancelText}};
    for (const auto& t : texts) SetDlgItemText(t.id, dialString(t.text).c_str());
    SetDlgItemText(kFirstCountId, std::to_string(data_.firstCount).c_str());
    SetDlgItemText(kFirstDistancesId, data_.firstDistances.c_str());
    SetDlgItemText(kFirstLabelId, data_.firstLabel.c_str());
    SetDlgItemText(kSecondCountId, std::to_string(data_.secondCount).c_str());
    SetDlgItemText(kSecondDistancesId, data_.secondDistances.c_str());
    SetDlgItemText(kSecondLabelId, data_.secondLabel.c_str());
    CheckDlgButton(kOptionId, data_.option ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void KsGridDlg::OnOK() {
    data_.firstCount = Vtl_String(GetDlgItemText(kFirstCountId)).toInt();
    data_.firstDistances = GetDlgItemText(kFirstDistancesId);
    data_.firstLabel = GetDlgItemText(kFirstLabelId);
    data_.secondCount = Vtl_String(GetDlgItemText(kSecondCountId)).toInt();
    data_.secondDistances = GetDlgItemText(kSecondDistancesId);
    data_.secondLabel = GetDlgItemText(kSecondLabelId);
    data_.option = IsDlgButtonChecked(kOptionId) == BST_CHECKED;
    CDialog::OnOK();
}

// ---- the look-up criteria ----

KsLookUpDlg::KsLookUpDlg(const KsLookUpDlgData& data, CWnd* parent) : CDialog(IDD, parent), data_(data) {}

BOOL KsLookUpDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(dialString(1499).c_str());
    const struct {
        int id, text;
    } texts[] = {{1395, 1500}, {1123, 87},   {1388, 95},   {1390, 96},       {1392, 1501},       {kExactId, 1516},
                 {kPartialId, 1517}, {kMatchCaseId, 1502}, {kShowAllId, 1503}, {IDOK, kOkText}, {IDCANCEL, kCancelText}};
    for (const auto& t : texts) SetDlgItemText(t.id, dialString(t.text).c_str());
    SetDlgItemText(1385, ::string(2262).c_str());
    SetDlgItemText(1124, ::string(2263).c_str());
    const struct {
        int id;
        const Vtl_StringArray& items;
        const Vtl_String& text;
    } combos[] = {{kText1Id, data_.list1, data_.text1}, {kText2Id, data_.list2, data_.text2},
                  {kText3Id, data_.list3, data_.text3}, {kText4Id, data_.list4, data_.text4},
                  {kText5Id, data_.list5, data_.text5}};
    for (const auto& c : combos) {
        FillCombo(combo(this, c.id), c.items);
        SetDlgItemText(c.id, c.text.c_str());
    }
    FillCombo(combo(this, kConditionId), Vtl_StringArray{dialString(88), dialString(89), dialString(1511)});
    combo(this, kConditionId)->SetCurSel(data_.choice1);
    FillCombo(combo(this, kSortId), Vtl_StringArray{dialString(1504), dialString(1505), dialString(1506)});
    combo(this, kSortId)->SetCurSel(data_.choice2);
    CheckRadioButton(kExactId, kPartialId, data_.secondOptionSet ? kPartialId : kExactId);
    CheckDlgButton(kMatchCaseId, data_.option ? BST_CHECKED : BST_UNCHECKED);
    enableMatchCase();
    return TRUE;
}

void KsLookUpDlg::enableMatchCase() { EnDisCtrl(this, kMatchCaseId, IsDlgButtonChecked(kExactId) == BST_CHECKED); }

BOOL KsLookUpDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        if (id == kExactId || id == kPartialId) {
            enableMatchCase();
            return TRUE;
        }
        if (id == kShowAllId) {
            readFields();
            data_.closedBy = KsLookUpDlgData::closedByShowAll;
            EndDialog(IDOK);
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void KsLookUpDlg::readFields() {
    data_.text1 = comboText(this, kText1Id);
    data_.text2 = comboText(this, kText2Id);
    data_.text3 = comboText(this, kText3Id);
    data_.text4 = comboText(this, kText4Id);
    data_.text5 = comboText(this, kText5Id);
    data_.choice1 = combo(this, kConditionId)->GetCurSel();
    data_.choice2 = combo(this, kSortId)->GetCurSel();
    data_.secondOptionSet = IsDlgButtonChecked(kPartialId) == BST_CHECKED;
    data_.option = IsDlgButtonChecked(kMatchCaseId) == BST_CHECKED;
}

void KsLookUpDlg::OnOK() {
    readFields();
    data_.closedBy = KsLookUpDlgData::closedByOk;
    CDialog::OnOK();
}

}  // namespace vtl::ui

// ---- records ----

KsGridDlgData::KsGridDlgData() = default;
KsGridDlgData::KsGridDlgData(const KsGridDlgData& other) = default;
KsGridDlgData& KsGridDlgData::operator=(const KsGridDlgData& other) = default;
KsGridDlgData::~KsGridDlgData() = default;

KsLookUpDlgData::KsLookUpDlgData() = default;
KsLookUpDlgData::KsLookUpDlgData(const KsLookUpDlgData& other) = default;
KsLookUpDlgData& KsLookUpDlgData::operator=(const KsLookUpDlgData& other) = default;
KsLookUpDlgData::~KsLookUpDlgData() = default;

// ---- exports ----

bool startGridDialog(const Vtl_StringArray& columnNames, const Vtl_StringArray& rowLabels,
                     Vtl_Array<Vtl_StringArray>& table, bool allowAddRemove, Vtl_String dialogName, Vtl_String caption) {
    return vtl::ui::guardExport("startGridDialog", false, [&] {
        if (columnNames.isEmpty()) return false;
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        // Rows that do not hold one text per column are not shown; they keep their place in the table.
        Vtl_Array<Vtl_StringArray> shown;
        std::vector<std::pair<int, Vtl_StringArray>> kept;
        for (int i = 0; i < table.length(); ++i) {
            if (table[i].length() == columnNames.length()) shown.append(table[i]);
            else kept.emplace_back(i, table[i]);
        }
        vtl::ui::KsStringArrayDlg dlg(columnNames, rowLabels, shown, allowAddRemove, dialogName, caption);
        if (dlg.DoModal() != IDOK) return false;
        Vtl_Array<Vtl_StringArray> result = dlg.rows();
        for (auto& [index, row] : kept) result.insertAt(std::min(index, result.length()), row);
        table = result;
        return true;
    });
}

bool StartDlgGrid(KsGridDlgData& data) {
    return vtl::ui::guardExport("StartDlgGrid", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::KsGridDlg dlg(data);
        if (dlg.DoModal() != IDOK) return false;
        data = dlg.data();
        return true;
    });
}

bool StartDlgLookUp(KsLookUpDlgData& data) {
    return vtl::ui::guardExport("StartDlgLookUp", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::KsLookUpDlg dlg(data);
        if (dlg.DoModal() != IDOK) return false;
        data = dlg.data();
        return true;
    });
}
