#include "dialogs/constraints_dialog.h"

#include <algorithm>

#include "common/dialog_helpers.h"
#include "common/ks_input_text_dlg.h"
#include "dialogs/macro_settings_dialog.h"
#include "frame/export_guard.h"
#include "frame/host.h"
#include "frame/module.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/macro/macro_settings_data.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/pump.h"
#include "win/tab_ctrl.h"

namespace vtl::ui {
namespace {
constexpr const char* kSizeKey = "DLG_EDIT_MACRO";
constexpr int kTabTexts[] = {873, 874, 875, 876};

KsConstraintsDlg*& editorSlot() {
    static KsConstraintsDlg* editor = nullptr;
    return editor;
}

// Counts a sub-dialog or host command of the editor while it runs.
class NestedScope {
public:
    explicit NestedScope(int& count) : count_(count) { ++count_; }
    ~NestedScope() { --count_; }
    NestedScope(const NestedScope&) = delete;
    NestedScope& operator=(const NestedScope&) = delete;

private:
    int& count_;
};

// Destroys the modeless editor and frees it once no handler of it runs. When the window will not go,
// the editor stays as it is (usable) and the command line says so.
bool endEditor() {
    KsConstraintsDlg* editor = editorSlot();
    if (!editor) return false;
    editorSlot() = nullptr;  // the editor's own destroy handler must not free it a second time
    if (editor->m_hWnd && !editor->DestroyWindow()) {
        editorSlot() = editor;
        acutPrintf("Erase window failed\n");
        acedPostCommandPrompt();
        return false;
    }
    vtl::win::deleteLater(std::unique_ptr<CWnd>(editor));
    acedPostCommandPrompt();
    return true;
}
}  // namespace

KsConstraintsDlg* modelessConstraintsEditor() { return editorSlot(); }

void closeConstraintsEditorForUnload() { endEditor(); }

KsConstraintsDlg::KsConstraintsDlg(const EditConstrData& data, CWnd* parent) : CAdUiBaseDialog(IDD, parent), data_(data) {}

KsConstraintsDlg::~KsConstraintsDlg() = default;

BOOL KsConstraintsDlg::OnInitDialog() {
    CAdUiBaseDialog::OnInitDialog();
    SetWindowText(dialString(869).c_str());
    // The pick picture beside the button's text.
    select_.SubclassDlgItem(static_cast<UINT>(kSelectId), this);
    select_.SetBitmap(217, RGB(192, 192, 192));
    select_.SetTooltipText(dialString(865));
    SetDlgItemText(kSelectId, dialString(870).c_str());
    setupIconButton(this, &addModule_, kAddModuleId, 212, dialString(866));
    setupIconButton(this, &removeModule_, kRemoveModuleId, 206, dialString(867));
    setupIconButton(this, &zoom_, kZoomId, 234, dialString(868));
    SetDlgItemText(kRenameId, dialString(871).c_str());
    SetDlgItemText(kSettingsId, dialString(872).c_str());
    SetDlgItemText(IDOK, dialString(285).c_str());

    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    for (int i = 0; i < 4; ++i) tabs->InsertItem(i, dialString(kTabTexts[i]).c_str());
    rules_ = std::make_unique<KsRulesPage>(*this);
    geometry_ = std::make_unique<KsGeometryPage>(*this);
    variables_ = std::make_unique<KsVariablesPage>(*this);
    commands_ = std::make_unique<KsCommandsPage>(*this);
    rules_->CreateAsChild(KsRulesPage::IDD, tabs);
    geometry_->CreateAsChild(KsGeometryPage::IDD, tabs);
    variables_->CreateAsChild(KsVariablesPage::IDD, tabs);
    commands_->CreateAsChild(KsCommandsPage::IDD, tabs);

    getDlgSize(this, minWidth_, minHeight_);
    layout_.init(m_hWnd);
    layout_.setFlags(kSelectId, 3, 3);
    layout_.setFlags(kModulesId, 6, 3);
    for (int id : {kAddModuleId, kRenameId, kRemoveModuleId}) layout_.setFlags(id, 5, 3);
    layout_.setFlags(kTabId, 6, 6);
    layout_.setFlags(kSettingsId, 3, 5);
    layout_.setFlags(kZoomId, 3, 5);
    layout_.setFlags(IDOK, 5, 5);
    ChangeDlgSize(this, kSizeKey);
    layout_.resize();
    placePages();

    int current = 0;
    for (int i = 0; i < data_.moduleNames.length(); ++i)
        if (data_.moduleNames[i] == data_.currentModule) current = i;
    fillModules(current);
    refreshPages(rulesPage);
    return TRUE;
}

void KsConstraintsDlg::fillModules(int select) {
    data_.MacroGetModules();
    auto* combo = static_cast<CComboBox*>(GetDlgItem(kModulesId));
    combo->ResetContent();
    for (const Vtl_String& name : data_.moduleNames) combo->AddString(name.c_str());
    combo->SetCurSel(select >= 0 && select < data_.moduleNames.length() ? select : -1);
}

void KsConstraintsDlg::placePages() {
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    if (!tabs || tabs->GetItemCount() == 0) return;
    RECT item, client;
    tabs->GetItemRect(0, &item);
    tabs->GetClientRect(&client);
    const int left = item.left;
    const int top = item.bottom + 2;
    const int width = std::max(0, static_cast<int>(client.right - client.left) - left - 3);
    const int height = std::max(0, static_cast<int>(client.bottom - client.top) - top - 2);
    for (CWnd* page : {static_cast<CWnd*>(rules_.get()), static_cast<CWnd*>(geometry_.get()),
                       static_cast<CWnd*>(variables_.get()), static_cast<CWnd*>(commands_.get())})
        if (page && page->m_hWnd) page->MoveWindow(left, top, width, height);
}

void KsConstraintsDlg::refreshPages(int page) {
    // The pages show the record as it is now; the shown page is built as it is shown. Nothing is left:
    // what the pages held belonged to the record before.
    rules_->forgetSelection();
    if (page != rulesPage) rules_->build();
    if (page != geometryPage) geometry_->prepare();
    if (page != variablesPage) variables_->build();
    shown_ = -1;
    showPage(page < rulesPage || page > commandsPage ? rulesPage : page);
}

void KsConstraintsDlg::storeAll() {
    if (rules_ && rules_->m_hWnd) rules_->storeEdits();
    if (variables_ && variables_->m_hWnd) variables_->storeEdits();
}

void KsConstraintsDlg::leavePage(int index) {
    switch (index) {
    case rulesPage: rules_->leave(); break;
    case geometryPage: geometry_->leave(); break;
    case variablesPage: variables_->storeEdits(); break;
    default: break;
    }
}

void KsConstraintsDlg::preparePage(int index) {
    switch (index) {
    case rulesPage:
        rules_->storeEdits();
        rules_->build();
        break;
    case geometryPage: geometry_->prepare(); break;
    case variablesPage: variables_->build(); break;
    default: break;
    }
}

void KsConstraintsDlg::showPage(int index) {
    if (index < rulesPage || index > commandsPage) return;
    CWnd* pages[] = {rules_.get(), geometry_.get(), variables_.get(), commands_.get()};
    for (CWnd* p : pages) p->ShowWindow(SW_HIDE);
    if (shown_ >= 0) leavePage(shown_);
    preparePage(index);
    pages[index]->ShowWindow(SW_SHOW);
    shown_ = index;
    static_cast<CTabCtrl*>(GetDlgItem(kTabId))->SetCurSel(index);
}

bool KsConstraintsDlg::runHostCommand(const std::function<bool()>& command) {
    NestedScope scope(nestedLoops_);
    BeginEditorCommand();
    bool ok = false;
    try {
        ok = command();
    } catch (...) {
        CompleteEditorCommand();
        throw;
    }
    CompleteEditorCommand();
    return ok;
}

void KsConstraintsDlg::startCommand(int command) {
    storeAll();
    if (!runHostCommand([&] { return data_.StartMacroCommand(command); })) return;
    if (command >= 0 && command <= 10) {
        int current = 0;
        for (int i = 0; i < data_.moduleNames.length(); ++i)
            if (data_.moduleNames[i] == data_.currentModule) current = i;
        fillModules(current);
        refreshPages(rulesPage);
    } else if (command == 11) {
        fillModules(data_.moduleNames.length() - 1);
        if (!data_.moduleNames.isEmpty()) data_.SetCurrentModule(data_.moduleNames[data_.moduleNames.length() - 1]);
        refreshPages(shown_);
    }
}

void KsConstraintsDlg::onModuleChanged() {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(kModulesId));
    const int chosen = combo->GetCurSel();
    if (chosen < 0 || chosen >= data_.moduleNames.length()) return;
    if (shown_ >= 0) leavePage(shown_);
    storeAll();
    data_.currentModule = data_.moduleNames[chosen];
    data_.SetCurrentModule(data_.currentModule);
    refreshPages(shown_);
}

void KsConstraintsDlg::onSelectMacro() {
    storeAll();
    if (!runHostCommand([&] { return data_.SelectOtherMacro(); })) return;
    int current = 0;
    for (int i = 0; i < data_.moduleNames.length(); ++i)
        if (data_.moduleNames[i] == data_.currentModule) current = i;
    fillModules(current);
    refreshPages(shown_);
}

void KsConstraintsDlg::onRename() {
    const HWND self = m_hWnd;
    KsInputTextDlg input(this);
    input.caption = dialString(877);
    input.prompt = dialString(878);
    input.text = data_.currentModule;
    input.okText = dialString(1);
    input.cancelText = dialString(2);
    {
        NestedScope scope(nestedLoops_);
        input.DoModal();
    }
    if (!::IsWindow(self) || !input.accepted) return;  // the editor may have been closed meanwhile
    storeAll();
    const int position = static_cast<CComboBox*>(GetDlgItem(kModulesId))->GetCurSel();
    if (!data_.RenameModule(input.text)) return;
    fillModules(position);
    if (position >= 0 && position < data_.moduleNames.length()) data_.SetCurrentModule(data_.moduleNames[position]);
    refreshPages(shown_);
}

void KsConstraintsDlg::onRemoveModule() {
    const int position = static_cast<CComboBox*>(GetDlgItem(kModulesId))->GetCurSel();
    if (position < 0 || position >= data_.moduleNames.length()) return;
    storeAll();
    if (!data_.RemoveModule(data_.moduleNames[position])) return;
    // The same position, one less when it was the last; an empty list leaves no module current.
    const int next = std::min(position, data_.moduleNames.length() - 1);
    fillModules(next);
    if (next >= 0) data_.SetCurrentModule(data_.moduleNames[next]);
    refreshPages(shown_);
}

void KsConstraintsDlg::onSettings() {
    MacroSettingsData settings;
    if (!GetMacroSettings(data_.macroId, settings)) return;
    const HWND self = m_hWnd;
    MacroSettingsDlg dialog(settings, this);
    INT_PTR result = IDCANCEL;
    {
        NestedScope scope(nestedLoops_);
        result = dialog.DoModal();
    }
    if (result == IDOK) SetMacroSettings(data_.macroId, dialog.settings());
    if (::IsWindow(self)) ::SetFocus(::GetDlgItem(self, kSettingsId));
}

void KsConstraintsDlg::onZoom() {
    if (zooming_) return;
    zooming_ = true;
    try {
        runHostCommand([&] { return data_.ZoomCommand(); });
    } catch (...) {
        zooming_ = false;
        throw;
    }
    zooming_ = false;
}

void KsConstraintsDlg::finish(bool ok) {
    if (modeless_) {
        // The editor goes now; this handler is still on the stack, so nothing of it is touched after.
        EndDlgEditConstraints();
        return;
    }
    EndDialog(ok ? IDOK : IDCANCEL);
}

void KsConstraintsDlg::OnOK() { finish(true); }

void KsConstraintsDlg::OnCancel() { finish(false); }

BOOL KsConstraintsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == kModulesId && code == CBN_SELCHANGE) {
        onModuleChanged();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case kSelectId: onSelectMacro(); return TRUE;
        case kAddModuleId: startCommand(11); return TRUE;
        case kRenameId: onRename(); return TRUE;
        case kRemoveModuleId: onRemoveModule(); return TRUE;
        case kSettingsId: onSettings(); return TRUE;
        case kZoomId: onZoom(); return TRUE;
        default: break;
        }
    }
    return CAdUiBaseDialog::OnCommand(wParam, lParam);
}

BOOL KsConstraintsDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam == static_cast<WPARAM>(kTabId) && header && header->code == TCN_SELCHANGE) {
        showPage(static_cast<CTabCtrl*>(GetDlgItem(kTabId))->GetCurSel());
        return TRUE;
    }
    return CAdUiBaseDialog::OnNotify(wParam, lParam, result);
}

LRESULT KsConstraintsDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE: {
        const LRESULT r = CAdUiBaseDialog::WindowProc(msg, wParam, lParam);
        if (layout_.count() > 0) {
            layout_.resize();
            placePages();
        }
        return r;
    }
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minWidth_, minHeight_};
        return 0;
    case WM_DESTROY:
        if (shown_ >= 0 && rules_) {
            leavePage(shown_);
            storeAll();
        }
        WriteDlgSize(this, kSizeKey);
        // Destroyed by someone else (its owner went): the modeless editor is forgotten and freed too.
        if (modeless_ && editorSlot() == this) {
            editorSlot() = nullptr;
            vtl::win::deleteLater(std::unique_ptr<CWnd>(this));
        }
        break;
    default: break;
    }
    return CAdUiBaseDialog::WindowProc(msg, wParam, lParam);
}

}  // namespace vtl::ui

using vtl::ui::KsConstraintsDlg;

bool StartDlgEditConstrModal(EditConstrData& data) {
    return vtl::ui::guardExport("StartDlgEditConstrModal", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        KsConstraintsDlg dialog(data);
        return dialog.DoModal() == IDOK;
    });
}

bool StartDlgEditConstraints(EditConstrData& data) {
    return vtl::ui::guardExport("StartDlgEditConstraints", false, [&] {
        if (vtl::ui::editorSlot()) return true;  // one editor at a time: the open one stays as it is
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        auto dialog = std::make_unique<KsConstraintsDlg>(data, adsw_acadMainWnd());
        dialog->setModeless(true);
        if (!dialog->Create(KsConstraintsDlg::IDD, adsw_acadMainWnd())) return false;
        vtl::ui::editorSlot() = dialog.release();
        vtl::ui::editorSlot()->ShowWindow(SW_SHOW);
        vtl::host::focusMainWindow();
        return true;
    });
}

void EndDlgEditConstraints() {
    vtl::ui::guardExport("EndDlgEditConstraints", [] { vtl::ui::endEditor(); });
}
