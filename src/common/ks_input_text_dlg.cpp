#include "common/ks_input_text_dlg.h"

#include "win/edit.h"

namespace vtl::ui {

BOOL KsInputTextDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(caption.c_str());
    SetDlgItemText(kPromptId, prompt.c_str());
    SetDlgItemText(kEditId, text.c_str());
    if (!okText.isEmpty()) SetDlgItemText(IDOK, okText.c_str());
    if (!cancelText.isEmpty()) SetDlgItemText(IDCANCEL, cancelText.c_str());
    auto* edit = static_cast<CEdit*>(GetDlgItem(kEditId));
    if (!showEdit) {
        edit->ShowWindow(SW_HIDE);
        return TRUE;
    }
    GotoDlgCtrl(edit);
    edit->SetSel(0, -1);
    SendDlgItemMessage(kEditId, EM_SCROLLCARET, 0, 0);
    return FALSE;  // the focus is set
}

void KsInputTextDlg::OnOK() {
    const Vtl_String typed(GetDlgItemText(kEditId));
    if (showEdit && typed.isEmpty()) {
        GotoDlgCtrl(GetDlgItem(kEditId));  // stays open, ready for the text
        return;
    }
    text = typed;
    accepted = true;
    CDialog::OnOK();
}

}  // namespace vtl::ui
