#include "macro/segmented_profile_dialog.h"

#include <algorithm>

#include "vtlbase/dialog_size.h"
#include "win/api.h"
#include "win/combo_box.h"

namespace vtl::ui {
namespace {
constexpr const char* kSizeKey = "DLG_MACRO_PROFSEGMENTED";
constexpr int kRecordControls[] = {SegmentedProfileDialog::kGridId,      SegmentedProfileDialog::kNameLabelId,
                                   SegmentedProfileDialog::kNameId,      SegmentedProfileDialog::kClearanceLabelId,
                                   SegmentedProfileDialog::kClearanceId, SegmentedProfileDialog::kBreakId,
                                   SegmentedProfileDialog::kInsertId,    SegmentedProfileDialog::kDeleteId,
                                   SegmentedProfileDialog::kPickId};
}  // namespace

SegmentedProfileDialog::SegmentedProfileDialog(const Vtl_Array<MacroProfSegmentedData>& profiles, CWnd* parent)
    : CDialog(IDD, parent), profiles_(profiles) {}

BOOL SegmentedProfileDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    grid_.attachToDlgItem(this, kGridId, false);
    grid_.setStyle(1);
    grid_.setOption(SS_SWITCH_ROW_HEADERS, false);  // the segment numbers are a column of their own
    grid_.setFitMode(1);  // the two columns share the grid's width
    insert_.SubclassDlgItem(kInsertId, this);
    insert_.SetBitmap(212, RGB(192, 192, 192));
    insert_.SetTooltipText(dialString(1025));
    delete_.SubclassDlgItem(kDeleteId, this);
    delete_.SetBitmap(206, RGB(192, 192, 192));
    delete_.SetTooltipText(dialString(1026));
    SetWindowText(dialString(1027).c_str());
    for (auto [id, text] : {std::pair{kListLabelId, 1028}, {kGridLabelId, 63}, {kNameLabelId, 1029}, {kClearanceLabelId, 266},
                            {kBreakId, 1030}, {kPickId, 1031}, {IDOK, 1}, {IDCANCEL, 2}})
        SetDlgItemText(id, dialString(text).c_str());
    getDlgSize(this, minWidth_, minHeight_, 1);
    resizer_.Init(this);
    using A = CResizer;
    using E = ResizeEdge;
    resizer_.Add(kListLabelId, A::parent(E::Left), A::parent(E::Top), A::parent(E::Left), A::parent(E::Top));
    resizer_.Add(kListId, A::parent(E::Left), A::parent(E::Top), A::parent(E::Right), A::parent(E::Top));
    for (int id : {kGridLabelId, kGridId}) resizer_.Add(id, A::parent(E::Left), A::parent(E::Top), A::parent(E::Right), A::parent(E::Bottom));
    for (int id : {kNameLabelId, kNameId, kClearanceLabelId, kClearanceId, kBreakId})
        resizer_.Add(id, A::parent(E::Right), A::parent(E::Top), A::parent(E::Right), A::parent(E::Top));
    for (int id : {kInsertId, kDeleteId, kPickId})
        resizer_.Add(id, A::parent(E::Right), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
    for (int id : {IDOK, IDCANCEL}) resizer_.Add(id, A::parent(E::Left), A::parent(E::Bottom), A::parent(E::Left), A::parent(E::Bottom));
    ChangeDlgSize(this, kSizeKey, 0);
    fillList();
    static_cast<CComboBox*>(GetDlgItem(kListId))->SetCurSel(profiles_.isEmpty() ? -1 : 0);
    show(profiles_.isEmpty() ? -1 : 0);
    return TRUE;
}

void SegmentedProfileDialog::fillList() {
    auto* list = static_cast<CComboBox*>(GetDlgItem(kListId));
    list->ResetContent();
    for (const MacroProfSegmentedData& p : profiles_) list->AddString((p.name + " - " + p.description).c_str());
}

void SegmentedProfileDialog::enableRecordControls(bool enable) {
    for (int id : kRecordControls) ::EnableWindow(::GetDlgItem(m_hWnd, id), enable);
}

void SegmentedProfileDialog::show(int index) {
    if (current_ >= 0 && current_ < profiles_.length()) collect();
    current_ = index;
    if (index < 0 || index >= profiles_.length()) {
        current_ = -1;
        enableRecordControls(false);
        grid_.setRowCount(0);
        return;
    }
    enableRecordControls(true);
    const MacroProfSegmentedData& p = profiles_[index];
    SetDlgItemText(kNameId, p.name.c_str());
    SetDlgItemText(kClearanceId, Vtl_String(p.clearance, 2).c_str());
    CheckDlgButton(kBreakId, p.breakAtEveryPoint ? BST_CHECKED : BST_UNCHECKED);
    grid_.setRedraw(false);
    grid_.setColCount(2, false);
    grid_.setColHeaders(Vtl_StringArray{dialString(1032) + " nr.", dialString(1033)});
    const int rows = std::min({p.segmentCount, p.segmentNumbers.length(), p.segmentValues.length()});
    grid_.setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        grid_.setCellText(1, r + 1, Vtl_String(p.segmentNumbers[r]));
        grid_.setCellText(2, r + 1, Vtl_String(p.segmentValues[r], 2));
    }
    grid_.applyFitMode();
    grid_.setRedraw(true);
}

void SegmentedProfileDialog::collect() {
    if (current_ < 0 || current_ >= profiles_.length()) return;
    MacroProfSegmentedData& p = profiles_[current_];
    p.name = Vtl_String(GetDlgItemText(kNameId));
    p.clearance = parseNumber(Vtl_String(GetDlgItemText(kClearanceId))).value_or(0);
    p.breakAtEveryPoint = IsDlgButtonChecked(kBreakId) == BST_CHECKED;
    p.segmentNumbers.removeAll();
    p.segmentValues.removeAll();
    const int rows = grid_.getRowCount();
    for (int r = 1; r <= rows; ++r) {
        Vtl_String number, value;
        grid_.getCellText(1, r, number);
        grid_.getCellText(2, r, value);
        p.segmentNumbers.append(number.toInt());
        p.segmentValues.append(parseNumber(value).value_or(0));
    }
    p.segmentCount = rows;
    // The list shows the name as it is now.
    auto* list = static_cast<CComboBox*>(GetDlgItem(kListId));
    const int selected = list->GetCurSel();
    fillList();
    list->SetCurSel(selected);
}

BOOL SegmentedProfileDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == kListId && code == CBN_SELCHANGE) {
        show(static_cast<CComboBox*>(GetDlgItem(kListId))->GetCurSel());
        return TRUE;
    }
    if (code == BN_CLICKED && current_ >= 0) {
        if (id == kInsertId) {
            int col = 1, row = 1;
            if (!grid_.getActiveCell(col, row) || row < 1) row = 1;
            grid_.insertRow(std::min(row, grid_.getRowCount() + 1), false, false);
            return TRUE;
        }
        if (id == kDeleteId) {
            int col = 1, row = 0;
            if (grid_.getActiveCell(col, row) && row >= 1 && row <= grid_.getRowCount()) grid_.deleteRow(row);
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT SegmentedProfileDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = minWidth_;
        info->ptMinTrackSize.y = minHeight_;
        return 0;
    }
    const LRESULT r = CDialog::WindowProc(msg, wParam, lParam);
    if (msg == WM_SIZE) {
        resizer_.Move();
        if (grid_.isAttached()) grid_.applyFitMode();
    }
    return r;
}

void SegmentedProfileDialog::OnOK() {
    collect();
    CDialog::OnOK();
}

void SegmentedProfileDialog::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    CDialog::OnDestroy();
}

}  // namespace vtl::ui
