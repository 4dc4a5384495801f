#include "common/new_name_prompt.h"

#include "common/ks_input_text_dlg.h"
#include "win/message_box.h"

namespace vtl::ui {
namespace {
constexpr int kNameCaption = 87;
constexpr int kProposedName = 171;
constexpr int kOkText = 1;
constexpr int kCancelText = 2;
constexpr int kInUseCaption = 856;
constexpr int kInUseText = 857;
constexpr int kChooseAnotherText = 858;
}  // namespace

bool askForNewName(CWnd* parent, int promptText, Vtl_String& name) {
    KsInputTextDlg input(parent);
    input.caption = dialString(kNameCaption);
    input.prompt = dialString(promptText);
    input.text = dialString(kProposedName);
    input.okText = dialString(kOkText);
    input.cancelText = dialString(kCancelText);
    input.DoModal();
    if (!input.accepted) return false;
    name = input.text;
    return true;
}

void warnNameInUse(CWnd* parent) {
    const Vtl_String text = dialString(kInUseText) + ".\n" + dialString(kChooseAnotherText) + ".";
    MessageBox(parent ? parent->m_hWnd : HWND(), text.c_str(), dialString(kInUseCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace vtl::ui
