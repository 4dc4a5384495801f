#include "dialogs/ks_open_save_filtered_dlg.h"

#include "common/dialog_helpers.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/files/paths.h"
#include "win/api.h"
#include "win/list_box.h"
#include "win/message_box.h"

namespace vtl::ui {
namespace {
constexpr const char* kSizeKey = "DLG_OPENSAVEFILTERED";
constexpr int kDeleteIcon = 206;
constexpr int kLoadCaption = 1126, kSaveCaption = 1127;
constexpr int kOpenText = 841, kSaveText = 842, kCancelText = 2, kFilteredText = 1498;
constexpr int kExists = 1128, kNotListed = 1129, kOverwrite = 1130, kOverwriteCaption = 1131;
constexpr int kDeleteQuestion = 1132, kDeleteQuestionEnd = 1133, kCannotUndo = 1134, kDeleteCaption = 1135;
}  // namespace

Vtl_String KsOpenSaveFilteredDlg::pathOf(const Vtl_String& name) const {
    std::string reason;
    if (!base::files::validFileName(name.view(), reason)) return {};
    return folder + name + extension;
}

BOOL KsOpenSaveFilteredDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    setupIconButton(this, &deleteButton_, kDeleteId, kDeleteIcon, Vtl_String("Selectie verwijderen..."));
    getDlgSize(this, minWidth_, minHeight_, 1);
    resizer_.Init(this);
    using A = CResizer;
    using E = ResizeEdge;
    resizer_.Add(kListId, A::parent(E::Left), A::parent(E::Top), A::parent(E::Right), A::parent(E::Bottom));
    resizer_.Add(kDeleteId, A::parent(E::Right), A::parent(E::Top), A::parent(E::Right), A::parent(E::Top));
    for (int id : {kNameId, kFilteredId})
        resizer_.Add(id, A::parent(E::Left), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
    for (int id : {IDOK, IDCANCEL})
        resizer_.Add(id, A::parent(E::Right), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
    fillList();
    SetWindowText(dialString(saveMode ? kSaveCaption : kLoadCaption).c_str());
    // Loading takes a name from the list only.
    if (!saveMode) EnDisCtrl(this, kNameId, false);
    SetDlgItemText(kFilteredId, dialString(kFilteredText).c_str());
    SetDlgItemText(IDOK, dialString(saveMode ? kSaveText : kOpenText).c_str());
    SetDlgItemText(IDCANCEL, dialString(kCancelText).c_str());
    ChangeDlgSize(this, kSizeKey, 0);
    return TRUE;
}

const Vtl_StringArray& KsOpenSaveFilteredDlg::shownNames() const { return showFiltered_ ? filteredNames : allNames; }

void KsOpenSaveFilteredDlg::fillList() {
    showFiltered_ = static_cast<CButton*>(GetDlgItem(kFilteredId))->GetCheck() == BST_CHECKED;
    FillList(static_cast<CListBox*>(GetDlgItem(kListId)), shownNames());
}

bool KsOpenSaveFilteredDlg::selectedName(Vtl_String& name) const {
    const int at = static_cast<CListBox*>(GetDlgItem(kListId))->GetCurSel();
    const Vtl_StringArray& names = shownNames();
    if (at < 0 || at >= names.length()) return false;
    name = names[at];
    return !name.isEmpty();
}

BOOL KsOpenSaveFilteredDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == kListId && code == LBN_SELCHANGE) {
        Vtl_String name;
        if (selectedName(name)) SetDlgItemText(kNameId, name.c_str());
        return TRUE;
    }
    if (id == kListId && code == LBN_DBLCLK) {
        OnOK();
        return TRUE;
    }
    if (id == kFilteredId && code == BN_CLICKED) {
        fillList();
        return TRUE;
    }
    if (id == kDeleteId && code == BN_CLICKED) {
        onDelete();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT KsOpenSaveFilteredDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE: {
        const LRESULT r = CDialog::WindowProc(msg, wParam, lParam);
        resizer_.Move();
        return r;
    }
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {minWidth_, minHeight_};
        return 0;
    }
    case WM_DESTROY:
        WriteDlgSize(this, kSizeKey);
        break;
    default:
        break;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

void KsOpenSaveFilteredDlg::OnOK() {
    chosenName = Vtl_String(GetDlgItemText(kNameId));
    if (chosenName.isEmpty()) return;
    if (!saveMode) {
        // A name that is no file of the folder is never handed on to be read.
        if (pathOf(chosenName).isEmpty()) return;
        EndDialog(IDOK);
        return;
    }
    if (!warnInvalidFileName(chosenName)) return;
    const Vtl_String path = pathOf(chosenName);
    if (path.isEmpty()) return;
    if (fileExists(path)) {
        Vtl_String text = dialString(kExists) + "\n";
        if (!allNames.contains(chosenName)) text += dialString(kNotListed) + "\n";
        text += Vtl_String("\n") + dialString(kOverwrite) + "\n";
        if (::MessageBox(m_hWnd, text.c_str(), dialString(kOverwriteCaption).c_str(), MB_YESNOCANCEL | MB_ICONEXCLAMATION) != IDYES)
            return;
    }
    EndDialog(IDOK);
}

void KsOpenSaveFilteredDlg::onDelete() {
    Vtl_String name;
    if (!selectedName(name)) return;
    const Vtl_String path = pathOf(name);
    // A name that leads out of the folder deletes nothing.
    if (path.isEmpty()) return;
    const Vtl_String text = dialString(kDeleteQuestion) + " \"" + name + "\" " + dialString(kDeleteQuestionEnd) + "\n" +
                            dialString(kCannotUndo) + "\n";
    if (::MessageBox(m_hWnd, text.c_str(), dialString(kDeleteCaption).c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    if (!deleteFile(path)) return;
    if (const int at = allNames.find(name); at >= 0) allNames.removeAt(at);
    if (const int at = filteredNames.find(name); at >= 0) filteredNames.removeAt(at);
    fillList();
}

}  // namespace vtl::ui
