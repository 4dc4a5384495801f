#include "frame/sample_dialog.h"

#include "frame/export_guard.h"
#include "frame/module.h"
#include "win/button.h"
#include "win/window_tree.h"

namespace vtl::ui {

SampleDialog::SampleDialog(VtlSampleData& data, CWnd* parent) : CDialog(kTemplate, parent), data_(data) {}

BOOL SampleDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(1001, data_.name.c_str());
    static_cast<CButton*>(GetDlgItem(1002))->SetCheck(data_.option);
    data_.windowTreeJson = vtl::win::windowTreeJson(m_hWnd);
    return TRUE;
}

void SampleDialog::OnOK() {
    data_.name = GetDlgItemText(1001);
    data_.option = static_cast<CButton*>(GetDlgItem(1002))->GetCheck();
    CDialog::OnOK();
}

}  // namespace vtl::ui

bool StartDlgSample(VtlSampleData& data) {
    return vtl::ui::guardExport("StartDlgSample", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        VtlSampleData edited = data;
        vtl::ui::SampleDialog dlg(edited);
        if (dlg.DoModal() != IDOK) return false;
        data = edited;
        return true;
    });
}
