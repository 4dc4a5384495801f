#pragma once
// Asks the user for one line of text (template 8069): the caller fills the fields, runs the dialog and
// reads `accepted` and `text`. While the edit is shown, OK is refused as long as it is empty.
#include "frame/vtlbase.h"
#include "win/dialog.h"

namespace vtl::ui {

class KsInputTextDlg : public CDialog {
public:
    static constexpr UINT IDD = 8069;
    static constexpr int kPromptId = 8600;
    static constexpr int kEditId = 8003;

    explicit KsInputTextDlg(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    Vtl_String caption;
    Vtl_String prompt;
    Vtl_String text;        // shown at opening; the entered text after OK
    Vtl_String okText;      // empty keeps the template's caption
    Vtl_String cancelText;  // empty keeps the template's caption
    bool showEdit = true;
    bool accepted = false;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};

}  // namespace vtl::ui
