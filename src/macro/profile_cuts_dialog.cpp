#include "macro/profile_cuts_dialog.h"

#include <algorithm>

#include "frame/export_guard.h"
#include "frame/module.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/list_box.h"

namespace vtl::ui {

ProfileCutsDialog::ProfileCutsDialog(DlgProfCutsData& data, CWnd* parent)
    : CAdUiBaseDialog(IDD, parent), data_(data), preview_(profCutsPreview()) {}

BOOL ProfileCutsDialog::OnInitDialog() {
    CAdUiBaseDialog::OnInitDialog();
    other_.SubclassDlgItem(kOtherProfileId, this);
    other_.SetBitmap(217, RGB(192, 192, 192));
    other_.SetTooltipText(dialString(1121));
    SetDlgItemText(kOtherProfileId, dialString(1124).c_str());
    delete_.SubclassDlgItem(kDeleteId, this);
    delete_.SetBitmap(206, RGB(192, 192, 192));
    delete_.SetTooltipText(dialString(1122));
    SetWindowText(dialString(1123).c_str());
    SetDlgItemText(IDOK, dialString(285).c_str());
    SetDlgItemText(kNoPreviewId, dialString(1125).c_str());
    ::ShowWindow(::GetDlgItem(m_hWnd, IDCANCEL), SW_HIDE);
    fillList();
    CheckDlgButton(kNoPreviewId, preview_ ? BST_UNCHECKED : BST_CHECKED);
    selectCut(0);
    return TRUE;
}

void ProfileCutsDialog::fillList() {
    auto* list = static_cast<CListBox*>(GetDlgItem(kListId));
    list->ResetContent();
    Vtl_StringArray descs;
    data_.getCutDescs(descs);
    for (const Vtl_String& d : descs) list->AddString(d.c_str());
}

void ProfileCutsDialog::selectCut(int index) {
    auto* list = static_cast<CListBox*>(GetDlgItem(kListId));
    const int count = list->GetCount();
    if (count == 0) {
        current_ = -1;
        list->SetCurSel(-1);
        return;
    }
    current_ = std::clamp(index, 0, count - 1);
    list->SetCurSel(current_);
    if (preview_) data_.drawCutPreview(current_);
}

void ProfileCutsDialog::onSelectionChanged() {
    if (preview_ && current_ >= 0) data_.removeCutPreview(current_);
    const int chosen = static_cast<CListBox*>(GetDlgItem(kListId))->GetCurSel();
    current_ = chosen;
    if (preview_ && chosen >= 0) data_.drawCutPreview(chosen);
}

void ProfileCutsDialog::onDelete() {
    const int chosen = static_cast<CListBox*>(GetDlgItem(kListId))->GetCurSel();
    if (chosen < 0) return;
    if (preview_ && current_ >= 0) data_.removeCutPreview(current_);
    data_.removeCut(chosen);
    fillList();
    selectCut(chosen);
}

void ProfileCutsDialog::onOtherProfile() {
    if (preview_) data_.removeAllCutPreviews();
    const int keep = std::max(current_, 0);
    ShowWindow(SW_HIDE);
    BeginEditorCommand();
    bool picked = false;
    try {
        picked = data_.selectOtherProf();
    } catch (...) {
        CompleteEditorCommand();
        ShowWindow(SW_SHOW);
        throw;
    }
    if (picked) {
        fillList();
        selectCut(keep);
    } else if (preview_ && current_ >= 0) {
        data_.drawCutPreview(current_);
    }
    CompleteEditorCommand();
    ShowWindow(SW_SHOW);
}

BOOL ProfileCutsDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == kListId && code == LBN_SELCHANGE) {
        onSelectionChanged();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case kNoPreviewId: {
            const bool on = IsDlgButtonChecked(kNoPreviewId) != BST_CHECKED;
            if (on == preview_) return TRUE;
            // The drawing shows what the check says at once.
            if (!on) data_.removeAllCutPreviews();
            preview_ = on;
            if (on && current_ >= 0) data_.drawCutPreview(current_);
            return TRUE;
        }
        case kDeleteId:
            onDelete();
            return TRUE;
        case kOtherProfileId:
            onOtherProfile();
            return TRUE;
        default:
            break;
        }
    }
    return CAdUiBaseDialog::OnCommand(wParam, lParam);
}

void ProfileCutsDialog::OnOK() {
    profCutsPreview() = preview_;
    CAdUiBaseDialog::OnOK();
}

void ProfileCutsDialog::OnDestroy() {
    if (preview_) data_.removeAllCutPreviews();
    CAdUiBaseDialog::OnDestroy();
}

}  // namespace vtl::ui

bool StartEditProfCutsDlg(DlgProfCutsData& data) {
    return vtl::ui::guardExport("StartEditProfCutsDlg", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::ProfileCutsDialog dlg(data);
        return dlg.DoModal() == IDOK;
    });
}
