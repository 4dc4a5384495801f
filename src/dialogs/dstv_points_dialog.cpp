#include "dialogs/dstv_points_dialog.h"

#include <algorithm>
#include <string>

#include "common/new_name_prompt.h"
#include "dialogs/dstv_point_editor.h"
#include "frame/export_guard.h"
#include "frame/host.h"
#include "vtlui/vtlui.h"
#include "win/message_box.h"

namespace vtl::ui {
namespace {
constexpr int kCaption = 863;
constexpr int kNewGroupPrompt = 864;
constexpr int kCannotReadText = 20120;
constexpr int kCannotWriteText = 20121;
constexpr struct {
    int id;
    int text;
} kTexts[] = {{DstvPointsDialog::kMakeStandardId, 861}, {DstvPointsDialog::kEditId, 862}, {IDOK, 285}};
}  // namespace

BOOL DstvPointsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(dialString(kCaption).c_str());
    for (const auto& t : kTexts) SetDlgItemText(t.id, dialString(t.text).c_str());
    groups_.SubclassDlgItem(kGroupsId, this);
    fillGroups(0);
    return TRUE;
}

BOOL DstvPointsDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case kNewId: onNew(); return TRUE;
        case kDeleteId: onDelete(); return TRUE;
        case kMakeStandardId: onMakeStandard(); return TRUE;
        case kEditId: onEdit(); return TRUE;
        default: break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void DstvPointsDialog::fillGroups(int position) {
    Vtl_StringArray names;
    getAllDstvPointsFiles(names);
    groups_.ResetContent();
    const Vtl_String standard = removeExtension(getStandardDstvPointsFile());
    for (const Vtl_String& name : names) groups_.AddItem(name, false);
    // Group names are file names: the standard one is found without regard to case.
    if (const int at = names.find(standard, false); !standard.isEmpty() && at >= 0) groups_.SetItemCheck(at, true);
    groups_.SetCurSel(names.isEmpty() ? -1 : std::min(position, names.length() - 1));
}

int DstvPointsDialog::selectedPosition() const { return groups_.GetCurSel(); }

bool DstvPointsDialog::selectedGroup(Vtl_String& name) const {
    const int at = selectedPosition();
    if (at < 0) return false;
    name = Vtl_String(groups_.GetLBText(at));
    return !name.isEmpty();
}

void DstvPointsDialog::onNew() {
    Vtl_String name;
    if (!askForNewName(this, kNewGroupPrompt, name)) return;
    // The name becomes a file in the group folder: it may not lead out of it.
    if (!warnInvalidFileName(name)) return;
    Vtl_StringArray names;
    getAllDstvPointsFiles(names);
    if (names.contains(name, false)) {
        warnNameInUse(this);
        return;
    }
    std::string error;
    if (!base::files::createFolder(getDstvPointsFolder().view(), error)) {
        acutPrintf("*Error* %s\n", error.c_str());
        return;
    }
    // Made only when no file of that name exists, so a group is never emptied by a new one.
    if (!base::files::createNewFile(groupFilePath(name).view(), error)) {
        if (base::files::fileExists(groupFilePath(name).view())) warnNameInUse(this);
        else acutPrintf("*Error* %s\n", error.c_str());
        return;
    }
    fillGroups(selectedPosition());
}

void DstvPointsDialog::onDelete() {
    Vtl_String name;
    if (!selectedGroup(name)) return;
    const Vtl_String path = groupFilePath(name);
    if (path.isEmpty()) return;
    deleteFile(path);
    fillGroups(selectedPosition());
}

void DstvPointsDialog::onMakeStandard() {
    Vtl_String name;
    if (!selectedGroup(name)) return;
    setStandardDstvPointsFile(name);
    fillGroups(selectedPosition());
}

void DstvPointsDialog::onEdit() {
    Vtl_String name;
    if (!selectedGroup(name)) return;
    Vtl_Array<Vtl_DstvPointInfo> points;
    // A group that cannot be read is not opened: saving the editor would replace what the file holds.
    if (!readFromFile(name, points)) {
        warnAboutGroup(name, kCannotReadText);
        return;
    }
    DstvPointEditor editor(points, this);
    if (editor.DoModal() != IDOK) return;
    if (!writeToFile(name, editor.points())) warnAboutGroup(name, kCannotWriteText);
}

void DstvPointsDialog::warnAboutGroup(const Vtl_String& group, int textId) {
    const Vtl_String text = "\"" + group + "\": " + dialString(textId) + ".";
    ::MessageBox(m_hWnd, text.c_str(), dialString(kCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace vtl::ui

void StartDSTVPointsDlg() {
    // The current resources stay as they are: the module's templates are found through the chain of
    // registered modules.
    vtl::ui::guardExport("StartDSTVPointsDlg", [] {
        vtl::ui::DstvPointsDialog dlg;
        dlg.DoModal();
    });
}
