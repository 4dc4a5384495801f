#include "macro/macro_dialog.h"

#include <algorithm>

#include "frame/host.h"
#include "frame/module.h"
#include "macro/macro_profile_page.h"
#include "vtlui/vtlui.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/drawing/macro_operations.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/tab_ctrl.h"

namespace vtl::ui {
namespace {
constexpr int kSelectOther = 1176, kViewA = 1181, kViewB = 1182, kViewC = 1183, kViewD = 1184;
constexpr int kClashCheck = 1292, kReApply = 1293, kLoadList = 1299, kSaveList = 1302;
constexpr int kFilter1 = 1177, kFilter2 = 1178, kFilter1Label = 1179, kFilter2Label = 1180;
constexpr int kMinTrackWidth = 280, kMinTrackHeight = 300;

struct ImageButton {
    int id;
    int bitmap;
    int tooltip;
};
constexpr ImageButton kImageButtons[] = {{kSelectOther, 217, 973}, {kViewA, 218, 974}, {kViewB, 220, 975},
                                         {kViewC, 222, 976},       {kViewD, 221, 977}, {kLoadList, 232, 978},
                                         {kSaveList, 233, 979},    {kClashCheck, 237, 980}};
}  // namespace

namespace {
unsigned long long nextSerial() {
    static unsigned long long serial = 0;
    return ++serial;
}
}  // namespace

MacroDialog::MacroDialog(const MacroData& macro, int dialogId, CWnd* parent)
    : CDialog(IDD, parent), macro_(macro), dialogId_(dialogId), serial_(nextSerial()) {}

MacroDialog::~MacroDialog() = default;

MacroTabPage* MacroDialog::page(int tabIndex) const {
    if (tabIndex < 0 || tabIndex >= static_cast<int>(pages_.size())) return nullptr;
    return pages_[static_cast<std::size_t>(tabIndex)].get();
}

Vtl_String MacroDialog::sizeKey() const {
    Vtl_String key = "DLG_MACRO_EDITVARS_";
    if (macro_.macroCount == 1) {
        if (!macro_.moduleNames.isEmpty()) key += macro_.moduleNames[0];
    } else if (macro_.groupIndex >= 0 && macro_.groupIndex < macro_.groupNames.length()) {
        key += Vtl_String("GROUP_") + macro_.groupNames[macro_.groupIndex];
    } else {
        key += Vtl_String(macro_.macroCount) + Vtl_String("_MACROS");
    }
    return key;
}

BOOL MacroDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(macro_.caption.c_str());
    SetDlgItemText(IDOK, dialString(285).c_str());
    SetDlgItemText(kFilter1Label, dialString(755).c_str());
    SetDlgItemText(kFilter2Label, dialString(981).c_str());
    SetDlgItemText(kReApply, dialString(982).c_str());
    for (const ImageButton& b : kImageButtons) {
        auto button = std::make_unique<CButtonST>();
        button->SubclassDlgItem(static_cast<UINT>(b.id), this);
        button->SetBitmap(b.bitmap, RGB(192, 192, 192));
        button->SetTooltipText(dialString(b.tooltip));
        if (b.id == kClashCheck) {
            button->SetCheckBox(true);
            button->SetCheck(clashGetStatus() ? BST_CHECKED : BST_UNCHECKED);
        }
        buttons_.push_back(std::move(button));
    }
    fillFilters();

    // Controls follow the dialog's edges as it is resized.
    resizer_.Init(this);
    using A = CResizer;
    using E = ResizeEdge;
    resizer_.Add(kTabId, A::parent(E::Left), A::parent(E::Top), A::parent(E::Right), A::parent(E::Bottom));
    for (int id : {kSelectOther, kViewA, kViewB, kViewC, kViewD, kClashCheck, kReApply})
        resizer_.Add(id, A::parent(E::Left), A::parent(E::Bottom), A::parent(E::Left), A::parent(E::Bottom));
    resizer_.Add(kFilter1Label, A::parent(E::Left), A::parent(E::Bottom), A::parent(E::CentreX), A::parent(E::Bottom));
    resizer_.Add(kFilter1, A::parent(E::Left), A::parent(E::Bottom), A::control(kFilter1Label, E::Right), A::parent(E::Bottom));
    resizer_.Add(kFilter2Label, A::control(kFilter1Label, E::Right), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
    resizer_.Add(kFilter2, A::control(kFilter2Label, E::Left), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
    for (int id : {kLoadList, kSaveList, IDOK})
        resizer_.Add(id, A::parent(E::Right), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));

    getDlgSize(this, minWidth_, minHeight_);
    minWidth_ = std::max(minWidth_, 50);
    minHeight_ = std::max(minHeight_, 50);
    buildTabs();
    ChangeDlgSize(this, sizeKey());
    clashInitDlgStarted(dialogId_);
    clashResetInfo(dialogId_, macro_.objectIds);
    if (CWnd* clash = GetDlgItem(kClashCheck)) static_cast<CButton*>(clash)->SetCheck(clashGetStatus() ? BST_CHECKED : BST_UNCHECKED);
    clashcheck(dialogId_, macro_.objectIds);
    return FALSE;  // the shown page has the focus
}

void MacroDialog::fillFilters() {
    auto* first = static_cast<CComboBox*>(GetDlgItem(kFilter1));
    auto* second = static_cast<CComboBox*>(GetDlgItem(kFilter2));
    first->ResetContent();
    second->ResetContent();
    for (const Vtl_String& f : macro_.filterList1) first->AddString(f.c_str());
    for (const Vtl_String& f : macro_.filterList2) second->AddString(f.c_str());
    first->SetCurSel(macro_.currentFilter1);
    second->SetCurSel(macro_.currentFilter2);
}

void MacroDialog::buildTabs() {
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    const int selected = std::max(0, tabs->GetCurSel());
    tabs->DeleteAllItems();
    for (auto& p : pages_)
        if (p && p->m_hWnd) p->DestroyWindow();
    pages_.clear();
    pageKinds_.clear();
    for (int i = 0; i < macro_.tabs.length(); ++i) {
        const MacroTabData& t = macro_.tabs[i];
        std::unique_ptr<MacroTabPage> p;
        UINT templateId = MacroTabPage::IDD;
        if (t.kind == 0 || t.kind == 1 || t.kind == 3) {
            p = std::make_unique<MacroTabPage>(i);
        } else if (t.kind == 2) {
            auto profiles = std::make_unique<MacroProfilePage>(i);
            // A macro being placed stands for one temporary object: the page erases it after its advanced dialog.
            if (macro_.temporaryObject && macro_.objectIds.length() == 1) profiles->setTemporaryObject(macro_.objectIds[0]);
            templateId = MacroProfilePage::IDD;
            p = std::move(profiles);
        }
        pageKinds_.push_back(t.kind);
        tabs->InsertItem(i, t.displayName.c_str());
        if (p) p->CreateAsChild(templateId, tabs);
        pages_.push_back(std::move(p));
    }
    placePages();
    tabs->SetCurSel(selected < tabs->GetItemCount() ? selected : 0);
    if (!macro_.firstTabName.isEmpty() && !shownOnce_) {
        int first = 0;
        if (macro_.findTab(macro_.firstTabName, first)) tabs->SetCurSel(first);
    }
    fitWindow();
    previousTab_ = -1;  // the pages it had are gone: nothing to remember of them
    showTab();
    const bool lists = macro_.tabs.length() > 0 && macro_.propListAllowed(macro_.tabs[std::max(0, tabs->GetCurSel())].moduleName);
    ::EnableWindow(::GetDlgItem(m_hWnd, kLoadList), lists);
    ::EnableWindow(::GetDlgItem(m_hWnd, kSaveList), lists);
}

void MacroDialog::placePages() {
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    if (!tabs || tabs->GetItemCount() == 0) return;
    RECT item, client;
    tabs->GetItemRect(0, &item);
    tabs->GetClientRect(&client);
    const int top = item.bottom + 2;
    const int left = item.left;
    const int width = client.right - item.left - client.left - 3;
    const int height = client.bottom - client.top - top - 2;
    for (auto& p : pages_)
        if (p && p->m_hWnd) p->MoveWindow(left, top, std::max(0, width), std::max(0, height));
    if (emptyTabNote_) ::MoveWindow(emptyTabNote_, left + 10, top + 10, std::max(0, width - 20), 40, TRUE);
}

void MacroDialog::showEmptyTabNote(bool show) {
    if (!emptyTabNote_ && show) {
        auto* tabs = GetDlgItem(kTabId);
        emptyTabNote_ = CreateWindowEx(0, "STATIC", "This kind of tab has nothing to edit in this dialog.",
                                       WS_CHILD | SS_LEFT, 0, 0, 10, 10, tabs->m_hWnd, kEmptyTabNoteId);
        ::SendMessage(emptyTabNote_, WM_SETFONT, ::SendMessage(m_hWnd, WM_GETFONT), 0);
        placePages();
    }
    if (emptyTabNote_) ::ShowWindow(emptyTabNote_, show ? SW_SHOW : SW_HIDE);
}

void MacroDialog::fitWindow() {
    int w = 0, h = 0;
    for (auto& p : pages_) {
        if (!p) continue;
        const SIZE s = p->wantedSize();
        w = std::max(w, static_cast<int>(s.cx));
        h = std::max(h, static_cast<int>(s.cy));
    }
    wanted_ = {std::max(w + 47, minWidth_), std::max(h + 160, minHeight_)};
    RECT r;
    GetWindowRect(&r);
    MoveWindow(r.left, r.top, wanted_.cx, wanted_.cy);
    placePages();
}

TabFocusState& MacroDialog::focusState(const Vtl_String& moduleName) {
    for (TabFocusState& s : focusStates_)
        if (s.moduleName == moduleName) return s;
    TabFocusState s;
    s.moduleName = moduleName;
    focusStates_.push_back(s);
    return focusStates_.back();
}

void MacroDialog::showTab() {
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    const int selected = tabs->GetCurSel();
    // The focus is remembered where it still is in the page (a click on a tab item moved it already: it was
    // remembered as the button went down).
    if (MacroTabPage* previous = page(previousTab_); previous && previousTab_ < macro_.tabs.length() &&
                                                      ::IsChild(previous->m_hWnd, ::GetFocus()))
        previous->rememberFocus(focusState(macro_.tabs[previousTab_].moduleName));
    if (MacroTabPage* previous = page(previousTab_); previous && previousTab_ != selected) previous->applyPendingEdit();
    for (auto& p : pages_)
        if (p && p->m_hWnd) p->ShowWindow(SW_HIDE);
    MacroTabPage* shown = page(selected);
    if (shown) {
        shown->ShowWindow(SW_SHOW);
        if (!shownOnce_) shown->focusFirstControl();
        else shown->restoreFocus(focusState(macro_.tabs[selected].moduleName));
    }
    showEmptyTabNote(!shown && selected >= 0 && selected < macro_.tabs.length());
    shownOnce_ = true;
    previousTab_ = selected;
}

void MacroDialog::pageDesignChanged() {
    fitWindow();
    showTab();
}

void MacroDialog::reloadAllPages(bool keepFocus) {
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    const int current = tabs->GetCurSel();
    MacroTabPage* shown = page(current);
    // Only a focus that is still on the page is kept: an apply started by leaving the page (a click on a
    // tab item) must not overwrite what was remembered as the focus left.
    const bool keep = keepFocus && shown && ::IsChild(shown->m_hWnd, ::GetFocus());
    if (keep) shown->rememberFocus(focusState(macro_.tabs[current].moduleName));
    for (auto& p : pages_)
        if (p && p->m_hWnd) p->reload();
    if (keep) shown->restoreFocus(focusState(macro_.tabs[current].moduleName));
    if (CWnd* clash = GetDlgItem(kClashCheck)) static_cast<CButton*>(clash)->SetCheck(clashGetStatus() ? BST_CHECKED : BST_UNCHECKED);
}

BOOL MacroDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam == static_cast<WPARAM>(kTabId) && header && header->code == TCN_SELCHANGE) {
        showTab();
        *result = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

BOOL MacroDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    const int current = tabs ? tabs->GetCurSel() : -1;
    const Vtl_String module = current >= 0 && current < macro_.tabs.length() ? macro_.tabs[current].moduleName : Vtl_String();
    if (code == BN_CLICKED) {
        switch (id) {
        case kSelectOther:
            onSelectOtherMacros();
            return TRUE;
        case kViewA:
        case kViewB:
        case kViewC:
        case kViewD: {
            static constexpr int views[] = {3, 0, 1, 2};
            macro_.changeView(module, views[id - kViewA]);
            return TRUE;
        }
        case kClashCheck:
            clashSetStatus(static_cast<CButton*>(GetDlgItem(kClashCheck))->GetCheck() == BST_CHECKED);
            return TRUE;
        case kReApply:
            if (macro_.reApply()) close(true);
            return TRUE;
        case kLoadList:
        case kSaveList:
            onPropertyList(id == kLoadList);
            return TRUE;
        default:
            break;
        }
    }
    if (code == CBN_SELCHANGE && (id == kFilter1 || id == kFilter2)) {
        onFilterChanged(id == kFilter1);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void MacroDialog::onFilterChanged(bool first) {
    macro_.currentFilter1 = static_cast<CComboBox*>(GetDlgItem(kFilter1))->GetCurSel();
    macro_.currentFilter2 = static_cast<CComboBox*>(GetDlgItem(kFilter2))->GetCurSel();
    UpdateAllFilterModified(macro_, first);
    buildTabs();
    fillFilters();
}

void MacroDialog::onSelectOtherMacros() {
    ShowWindow(SW_HIDE);
    const bool chosen = SelectOtherMacros(macro_);
    ShowWindow(SW_SHOW);
    if (!chosen) return;
    buildTabs();
    fillFilters();
    clashResetInfo(dialogId_, macro_.objectIds);
}

BOOL MacroDialog::PreTranslateMessage(MSG* msg) {
    // A click on a tab item takes the focus before the tab changes: remember where it was first.
    if (msg->message == WM_LBUTTONDOWN && msg->hwnd == ::GetDlgItem(m_hWnd, kTabId)) {
        auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
        const int current = tabs->GetCurSel();
        if (MacroTabPage* p = page(current); p && ::IsChild(p->m_hWnd, ::GetFocus()))
            p->rememberFocus(focusState(macro_.tabs[current].moduleName));
    }
    return CDialog::PreTranslateMessage(msg);
}

LRESULT MacroDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kAnswerMessage:
        return 1;
    case WM_SIZE: {
        const LRESULT r = CDialog::WindowProc(msg, wParam, lParam);
        sized_ = true;
        resizer_.Move();
        placePages();
        return r;
    }
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (sized_ && wanted_.cx > 0) info->ptMinTrackSize = {wanted_.cx, wanted_.cy};
        else info->ptMinTrackSize = {kMinTrackWidth, kMinTrackHeight};
        return 0;
    }
    case WM_DESTROY:
        WriteDlgSize(this, sizeKey());
        clashDlgClosed(dialogId_);
        for (auto& p : pages_)
            if (p && p->m_hWnd) p->DestroyWindow();
        break;
    default:
        break;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

void MacroDialog::close(bool applyTyped) {
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    const int current = tabs->GetCurSel();
    // Closing with the Close button keeps a value still being typed into the grid, as it keeps one typed
    // into a field (leaving the field applies it).
    if (MacroTabPage* shown = page(current); shown && applyTyped) shown->applyPendingEdit();
    if (current >= 0 && current < macro_.tabs.length()) macro_.changeView(macro_.tabs[current].moduleName, 3);
    macro_.closed = true;
    if (dialogId_ < 0) {
        acedPostCommandPrompt();
        EndDialog(IDOK);
    } else {
        EndDlgMacroModeless(dialogId_);
    }
}

// The Close button (Enter on a page applies the page instead: the page takes the key first).
void MacroDialog::OnOK() { close(true); }

void MacroDialog::OnCancel() { close(false); }

}  // namespace vtl::ui
