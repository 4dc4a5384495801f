// The property lists of the macro dialog: the values of a macro saved under a name in the library's
// property-list folder, and loaded again into this or another macro of the same kind.
#include "dialogs/ks_open_save_filtered_dlg.h"
#include "frame/host.h"
#include "frame/module.h"
#include "macro/macro_dialog.h"
#include "vtlbase/drawing/macro_operations.h"
#include "win/api.h"
#include "win/message_box.h"
#include "win/tab_ctrl.h"

namespace vtl::ui {
namespace {
constexpr int kAppliedInPart = 1507, kSkipped = 1508, kEntries = 1509, kCheckValues = 1510;
constexpr int kCannotRead = 20200, kCannotWrite = 20201;
}  // namespace

void MacroDialog::onPropertyList(bool load) {
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    const int current = tabs ? tabs->GetCurSel() : -1;
    if (current < 0 || current >= macro_.tabs.length() || !macro_.propListAllowed(macro_.tabs[current].moduleName)) return;
    if (load) loadPropertyList();
    else savePropertyList();
}

void MacroDialog::bringRecordUpToDate() {
    bool updated = false;
    for (int i = 0; i < macro_.tabs.length(); ++i) {
        MacroTabPage* p = page(i);
        if (!p || !p->m_hWnd) continue;
        const MacroTabData before = macro_.tabs[i];
        p->collect(macro_.tabs[i]);
        Vtl_StringArray names;
        AcArray<int> changes1, changes2;
        before.differences(macro_.tabs[i], names, changes1, changes2);
        if (changes1.isEmpty() && changes2.isEmpty()) continue;
        const Vtl_String module = macro_.tabs[i].moduleName;
        UpdateModule(module, macro_, changes1, changes2);
        updated = true;
    }
    clashcheck(dialogId_, macro_.objectIds);
    // The pages show what the drawing made of the values.
    if (updated) reloadAllPages(true);
}

bool MacroDialog::choosePropertyList(bool save, Vtl_String& name, Vtl_String& path) {
    KsOpenSaveFilteredDlg chooser(this);
    chooser.saveMode = save;
    macro_.getPropFiles(chooser.folder, chooser.extension, chooser.allNames, chooser.filteredNames);
    {
        KsTempResourceOverride::Scope resources(resourceOverride());
        NestedLoop waiting(this);
        if (chooser.DoModal() != IDOK) return false;
    }
    name = chooser.chosenName;
    path = chooser.pathOf(name);
    return !path.isEmpty();
}

void MacroDialog::savePropertyList() {
    bringRecordUpToDate();
    Vtl_String name, path;
    if (!choosePropertyList(true, name, path)) return;
    if (!macro_.writeToFile(path)) {
        const Vtl_String text = dialString(kCannotWrite) + " " + path;
        ::MessageBox(m_hWnd, text.c_str(), dialString(1127).c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
}

void MacroDialog::loadPropertyList() {
    Vtl_String name, path;
    if (!choosePropertyList(false, name, path)) return;
    const MacroData before = macro_;
    int skipped = 0;
    if (!macro_.readFromFile(path, skipped)) {
        // Nothing was taken from the file: the macro keeps every value it had.
        const Vtl_String text = dialString(kCannotRead) + " " + name;
        ::MessageBox(m_hWnd, text.c_str(), dialString(1126).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Vtl_Array<AcArray<int>> table1, table2;
    macro_.differences(before, table1, table2);
    if (skipped != 0) {
        const Vtl_String text = dialString(kAppliedInPart) + ".\n" + dialString(kSkipped) + " " + Vtl_String(skipped) + " " +
                                dialString(kEntries) + ".\n\n" + dialString(kCheckValues);
        ::MessageBox(m_hWnd, text.c_str(), dialString(1126).c_str(), MB_OK | MB_ICONINFORMATION);
    }
    for (AcArray<int>& list : table1) list.removeEvery(MacroChange::fromPropertyList);
    setAllToMacro(macro_, table1, table2);
    reloadAllPages(false);
    clashcheck(dialogId_, macro_.objectIds);
}

}  // namespace vtl::ui
