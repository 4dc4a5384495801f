// ExportStartDlgInfo: read-only lines of text in a modal dialog with one button.
#include "vtlbase/dialog_services.h"
#include "win/dialog.h"

namespace {
class InfoDialog : public CDialog {
public:
    InfoDialog(const Vtl_StringArray& lines, const Vtl_String& title, const Vtl_String& button)
        : CDialog(vtl::base::kInfoDialogTemplate), lines_(lines), title_(title), button_(button) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (title_.length() > 0) SetWindowText(title_.str());
        if (button_.length() > 0) SetDlgItemText(IDOK, button_.c_str());
        std::string text;
        for (int i = 0; i < lines_.length(); ++i) {
            if (i > 0) text += "\r\n";
            text += lines_[i].str();
        }
        SetDlgItemText(vtl::base::kInfoDialogTextId, text.c_str());
        if (CWnd* ok = GetDlgItem(IDOK)) GotoDlgCtrl(ok);
        return FALSE;
    }

private:
    const Vtl_StringArray& lines_;
    Vtl_String title_;
    Vtl_String button_;
};
}  // namespace

void ExportStartDlgInfo(const Vtl_StringArray& lines, const Vtl_String& title, const Vtl_String& buttonText) {
    vtl::base::ensureVtlbaseResources();
    InfoDialog dialog(lines, title, buttonText);
    dialog.DoModal();
}
