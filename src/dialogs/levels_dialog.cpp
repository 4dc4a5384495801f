#include "dialogs/levels_dialog.h"

#include "common/dialog_helpers.h"
#include "common/new_name_prompt.h"
#include "frame/export_guard.h"
#include "frame/module.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlui/vtlui.h"
#include "win/combo_box.h"

namespace vtl::ui {
namespace {
constexpr int kCaption = 1478;
constexpr int kPlusIcon = 212;
constexpr int kCrossIcon = 206;
constexpr int kAddTip = 131;
constexpr int kDeleteTip = 134;
constexpr int kNewLevelPrompt = 1475;
constexpr int kDecimals = 3;
// Labels and frame with their texts.
constexpr struct {
    int id;
    int text;
} kTexts[] = {{1081, 760}, {1123, 87}, {1124, 1473}, {1227, 593}, {1126, 1474}, {IDOK, 1}, {IDCANCEL, 2}};
}  // namespace

LevelsDialog::LevelsDialog(const KsLevelsDlgData& levels, CWnd* parent) : CDialog(IDD, parent), levels_(levels) {}

BOOL LevelsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(dialString(kCaption).c_str());
    for (const auto& t : kTexts) SetDlgItemText(t.id, dialString(t.text).c_str());
    setupIconButton(this, &addButton_, kAddId, kPlusIcon, dialString(kAddTip));
    setupIconButton(this, &deleteButton_, kDeleteId, kCrossIcon, dialString(kDeleteTip));
    fillLevels(0);
    showNoLevel();
    showLevel(0);
    return TRUE;
}

BOOL LevelsDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kLevelsId && code == CBN_SELCHANGE) {
        storeCurrentLevel();
        showLevel(static_cast<CComboBox*>(GetDlgItem(kLevelsId))->GetCurSel());
        return TRUE;
    }
    if (id == kAddId && code == BN_CLICKED) {
        onAdd();
        return TRUE;
    }
    if (id == kDeleteId && code == BN_CLICKED) {
        onDelete();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void LevelsDialog::OnOK() {
    storeCurrentLevel();
    CDialog::OnOK();
}

void LevelsDialog::fillLevels(int select) {
    Vtl_StringArray names;
    levels_.getNames(names);
    auto* list = static_cast<CComboBox*>(GetDlgItem(kLevelsId));
    FillCombo(list, names);
    list->SetCurSel(select);
}

void LevelsDialog::showLevel(int index) {
    Vtl_String name, reference;
    double value1 = 0, value2 = 0;
    if (!levels_.getLevelData(index, name, reference, value1, value2)) return;
    // The reference can be any other level.
    Vtl_StringArray others;
    levels_.getNames(others);
    if (const int own = others.find(name); own >= 0) others.removeAt(own);
    auto* references = static_cast<CComboBox*>(GetDlgItem(kReferenceId));
    FillCombo(references, others);
    references->SetCurSel(others.find(reference));
    SetDlgItemText(kNameId, name.c_str());
    SetDlgItemText(kValueId, Vtl_String(value1, kDecimals).c_str());
    SetDlgItemText(kAbsoluteId, Vtl_String(value2, kDecimals).c_str());
    levels_.currentLevel = index;
    levels_.newLevel = false;
    EnDisCtrl(this, kReferenceId, false);
    EnDisCtrl(this, kValueId, true);
}

void LevelsDialog::showNoLevel() {
    levels_.currentLevel = -1;
    levels_.newLevel = false;
    FillCombo(static_cast<CComboBox*>(GetDlgItem(kReferenceId)), Vtl_StringArray());
    for (int id : {kNameId, kValueId, kAbsoluteId}) SetDlgItemText(id, "");
    EnDisCtrl(this, kReferenceId, false);
    EnDisCtrl(this, kValueId, false);
}

void LevelsDialog::storeCurrentLevel() {
    const int current = levels_.currentLevel;
    if (current < 0) return;
    levels_.updateLevel(current, Vtl_String(GetDlgItemText(kValueId)).toDouble());
    if (levels_.newLevel) levels_.updateLevel(current, Vtl_String(GetDlgItemText(kReferenceId)));
}

bool LevelsDialog::askFreeName(Vtl_String& name) {
    Vtl_StringArray names;
    levels_.getNames(names);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        if (!askForNewName(this, kNewLevelPrompt, name)) return false;
        if (!names.contains(name) && name != Vtl_String(KsLevelsDlgData::kOrigin)) return true;
        warnNameInUse(this);
    }
    // Every answer was taken: taking the last one would give two levels one name.
    return false;
}

void LevelsDialog::onAdd() {
    storeCurrentLevel();
    Vtl_String name;
    if (!askFreeName(name)) return;
    int index = -1;
    levels_.addLevel(name, index);
    fillLevels(index);
    showLevel(index);
    levels_.newLevel = true;
    EnDisCtrl(this, kReferenceId, true);
}

void LevelsDialog::onDelete() {
    const int current = levels_.currentLevel;
    if (!levels_.deleteLevel(current)) return;
    fillLevels(-1);
    // The level before the deleted one is shown; before the first there is none.
    showNoLevel();
    showLevel(current - 1);
}

}  // namespace vtl::ui

bool StartDlgLevels(KsLevelsDlgData& levels) {
    return vtl::ui::guardExport("StartDlgLevels", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::LevelsDialog dlg(levels);
        if (dlg.DoModal() != IDOK) return false;
        levels = dlg.levels();
        return true;
    });
}
