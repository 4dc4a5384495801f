#include "macro/profile_features_dialog.h"

#include "common/section_pictures.h"
#include "frame/export_guard.h"
#include "frame/module.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"

namespace vtl::ui {

ProfileFeaturesDialog::ProfileFeaturesDialog(const DlgProfFeaturesData& data, CWnd* parent) : CDialog(IDD, parent), data_(data) {}

bool ProfileFeaturesDialog::switchOn() const { return !data_.switchText.isEmpty() && IsDlgButtonChecked(kSwitchId) == BST_CHECKED; }

void ProfileFeaturesDialog::setValue(int controlId, const Vtl_String& value) {
    if (controlId == kValue1Id || controlId == kValue3ListId) {
        auto* combo = static_cast<CComboBox*>(GetDlgItem(controlId));
        int index = -1;
        for (int i = 0; i < combo->GetCount(); ++i)
            if (combo->GetLBText(i) == value.str()) index = i;
        combo->SetCurSel(index);
        return;
    }
    SetDlgItemText(controlId, value.c_str());
}

Vtl_String ProfileFeaturesDialog::valueOf(int controlId) const {
    if (controlId == kValue1Id || controlId == kValue3ListId) {
        auto* combo = static_cast<CComboBox*>(GetDlgItem(controlId));
        const int index = combo->GetCurSel();
        return index >= 0 ? Vtl_String(combo->GetLBText(index)) : Vtl_String();
    }
    return Vtl_String(GetDlgItemText(controlId));
}

BOOL ProfileFeaturesDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(data_.caption.c_str());
    SetDlgItemText(kSectionLabelId, dialString(1003).c_str());
    SetDlgItemText(kChooseSectionId, dialString(969).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());
    SetDlgItemText(kLabel1Id, data_.label1.c_str());
    SetDlgItemText(kLabel2Id, data_.label2.c_str());
    SetDlgItemText(kLabel3Id, data_.label3.c_str());
    SetDlgItemText(kLabel4Id, data_.label4.c_str());
    SetDlgItemText(kSwitchId, data_.switchText.c_str());
    fillSectionCombo(static_cast<CComboBox*>(GetDlgItem(kSectionId)), sectionValues_, data_.section);
    FillCombo(static_cast<CComboBox*>(GetDlgItem(kValue1Id)), data_.list);
    if (data_.row3AsList) FillCombo(static_cast<CComboBox*>(GetDlgItem(kValue3ListId)), data_.list);
    ::ShowWindow(::GetDlgItem(m_hWnd, data_.row3AsList ? kValue3Id : kValue3ListId), SW_HIDE);
    // A row without a label is not part of this feature.
    const struct {
        const Vtl_String& label;
        int labelId, valueId;
        const Vtl_String& value;
    } rows[] = {{data_.label1, kLabel1Id, kValue1Id, data_.value1},
                {data_.label2, kLabel2Id, kValue2Id, data_.value2},
                {data_.label3, kLabel3Id, row3Control(), data_.value3},
                {data_.label4, kLabel4Id, kValue4Id, data_.value4}};
    for (const auto& r : rows) {
        if (r.label.isEmpty()) {
            ::ShowWindow(::GetDlgItem(m_hWnd, r.labelId), SW_HIDE);
            ::ShowWindow(::GetDlgItem(m_hWnd, r.valueId), SW_HIDE);
        } else {
            setValue(r.valueId, r.value);
        }
    }
    if (data_.switchText.isEmpty()) {
        ::ShowWindow(::GetDlgItem(m_hWnd, kSwitchId), SW_HIDE);
    } else {
        CheckDlgButton(kSwitchId, data_.switchOn ? BST_CHECKED : BST_UNCHECKED);
        showRow3();
    }
    return TRUE;
}

void ProfileFeaturesDialog::showRow3() {
    // The alternative label and value hold while the switch is on (when there is an alternative at all).
    if (data_.label3Alternative.isEmpty() || data_.label3.isEmpty()) return;
    const bool on = switchOn();
    SetDlgItemText(kLabel3Id, (on ? data_.label3Alternative : data_.label3).c_str());
    setValue(row3Control(), on ? data_.value3Alternative : data_.value3);
}

BOOL ProfileFeaturesDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == BN_CLICKED && id == kSwitchId) {
        // The value typed for the row so far belongs to the side that was shown.
        if (!data_.label3.isEmpty() && !data_.label3Alternative.isEmpty()) {
            const bool nowOn = switchOn();
            (nowOn ? data_.value3 : data_.value3Alternative) = valueOf(row3Control());
        }
        showRow3();
        return TRUE;
    }
    if (code == BN_CLICKED && id == kChooseSectionId) {
        chooseOtherSection(static_cast<CComboBox*>(GetDlgItem(kSectionId)), sectionValues_);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void ProfileFeaturesDialog::OnOK() {
    Vtl_String section;
    if (selectedSectionValue(static_cast<CComboBox*>(GetDlgItem(kSectionId)), sectionValues_, section)) data_.section = section;
    if (!data_.switchText.isEmpty()) data_.switchOn = switchOn();
    if (!data_.label1.isEmpty()) data_.value1 = valueOf(kValue1Id);
    if (!data_.label2.isEmpty()) data_.value2 = valueOf(kValue2Id);
    if (!data_.label3.isEmpty()) (switchOn() ? data_.value3Alternative : data_.value3) = valueOf(row3Control());
    if (!data_.label4.isEmpty()) data_.value4 = valueOf(kValue4Id);
    CDialog::OnOK();
}

}  // namespace vtl::ui

bool StartDlgProfFeatures(DlgProfFeaturesData& data) {
    return vtl::ui::guardExport("StartDlgProfFeatures", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::ProfileFeaturesDialog dlg(data);
        if (dlg.DoModal() != IDOK) return false;
        data = dlg.data();
        return true;
    });
}
