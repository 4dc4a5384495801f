#include "macro/pattern_dialog.h"

#include <algorithm>

#include "macro/macro_tab_page.h"
#include "vtlbase/controls/control_functions.h"
#include "win/api.h"
#include "win/combo_box.h"

namespace vtl::ui {
namespace {
constexpr int kMixedItem = 3;  // the fourth distribution: the mixed text
constexpr DWORD kEditableList = 0x400002;
constexpr int kDistributions[] = {994, 1055, 996, 695};
constexpr struct {
    int id;
    int text;
} kTexts[] = {{IDOK, 285}, {IDCANCEL, 2}, {1273, 1051}, {1274, 1052}, {1276, 1053}, {1277, 1054}};
}  // namespace

PatternDialog::PatternDialog(MacroTabPage* owner, int patternIndex, const MacroPatternProps& pattern, CWnd* parent)
    : CDialog(IDD, parent), owner_(owner), index_(patternIndex), pattern_(pattern) {}

void PatternDialog::setUpGrid(Vtl_Spread& grid, int placeholder) {
    grid.attachToDlgItem(this, placeholder, false);
    grid.setStyle(1);
    grid.setOption(SS_SWITCH_ROW_HEADERS, true);
    grid.setOption(SS_SWITCH_COLUMN_HEADERS, false);
    grid.setColCount(1, false);
    grid.setFitMode(4, 0, 36);  // the row numbers narrow, the distances the rest
}

BOOL PatternDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    setUpGrid(grid1_, kSide1.grid);
    setUpGrid(grid2_, kSide2.grid);
    SetWindowText(dialString(1034).c_str());
    for (const auto& t : kTexts) SetDlgItemText(t.id, dialString(t.text).c_str());
    // Escape closes; there is no Cancel to click.
    ::ShowWindow(::GetDlgItem(m_hWnd, IDCANCEL), SW_HIDE);
    for (const SideIds& ids : {kSide1, kSide2}) {
        SetDlgItemText(ids.distributionLabel, dialString(1042).c_str());
        SetDlgItemText(ids.firstSwitch, dialString(1043).c_str());
        SetDlgItemText(ids.option, dialString(1402).c_str());
        SetDlgItemText(ids.secondLabel, dialString(1360).c_str());
        auto* combo = static_cast<CComboBox*>(GetDlgItem(ids.distribution));
        for (int text : kDistributions) combo->AddString(dialString(text).c_str());
    }
    fill();
    initialised_ = true;
    return TRUE;
}

int PatternDialog::triState(int id) const {
    const auto state = ::SendMessage(::GetDlgItem(m_hWnd, id), BM_GETCHECK, 0, 0);
    return state == BST_CHECKED ? 1 : state == BST_INDETERMINATE ? -1 : 0;
}

void PatternDialog::setTriState(int id, int value) {
    ::SendMessage(::GetDlgItem(m_hWnd, id), BM_SETCHECK, value > 0 ? BST_CHECKED : value < 0 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
}

void PatternDialog::fillSide(const SideIds& ids, const MacroPatternSide& side, Vtl_Spread& grid) {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(ids.distribution));
    combo->SetCurSel(side.distribution < 0 ? kMixedItem : side.distribution);
    setTriState(ids.firstSwitch, side.firstValueSwitch);
    SetDlgItemText(ids.firstValue, side.firstValue.c_str());
    SetDlgItemText(ids.secondValue, side.secondValue.c_str());
    setTriState(ids.option, side.sideOption ? 1 : 0);
    grid.setRedraw(false);
    grid.setRowCount(side.values.length());
    const Vtl_StringArray choices{dialString(1359), dialString(695)};
    for (int r = 1; r <= side.values.length(); ++r) grid.setComboCell(1, r, choices, kEditableList);
    grid.setColumn(1, side.values, false);
    grid.setChanged(false);
    grid.applyFitMode();
    grid.setRedraw(true);
}

void PatternDialog::fill() {
    if (pattern_.kind == 1) {
        for (int id : {1361, 1280, 1281, 1360, 1267, 1268, 1269, 1273, 1274, 1276, 1277}) EnDisCtrl(this, id, false);
    } else {
        fillSide(kSide2, pattern_.side2, grid2_);
    }
    fillSide(kSide1, pattern_.side1, grid1_);
    // The first distance is typed only while its switch is on.
    EnDisCtrl(this, kSide1.firstValue, triState(kSide1.firstSwitch) == 1);
    if (pattern_.kind != 1) EnDisCtrl(this, kSide2.firstValue, triState(kSide2.firstSwitch) == 1);
    for (int i = 0; i < 4; ++i) setTriState(kOptionIds[i], pattern_.options[i]);
    if (pattern_.kind == 2) enableDependentOptions();
    // A side that is not used still shows its list.
    if (pattern_.kind == 1) {
        const bool was = initialised_;
        initialised_ = false;
        fillSide(kSide2, pattern_.side2, grid2_);
        EnDisCtrl(this, kSide2.firstValue, false);
        initialised_ = was;
    }
}

void PatternDialog::enableDependentOptions() {
    const bool on = triState(1274) == 1;
    EnDisCtrl(this, 1276, on);
    EnDisCtrl(this, 1277, on);
}

void PatternDialog::collectSide(const SideIds& ids, MacroPatternSide& side, Vtl_Spread& grid) {
    const int chosen = static_cast<CComboBox*>(GetDlgItem(ids.distribution))->GetCurSel();
    side.distribution = chosen == kMixedItem ? -1 : chosen;
    side.firstValueSwitch = triState(ids.firstSwitch);
    side.firstValue = Vtl_String(GetDlgItemText(ids.firstValue));
    side.secondValue = Vtl_String(GetDlgItemText(ids.secondValue));
    side.sideOption = triState(ids.option) == 1;
    if (grid.isEditing()) grid.setEditing(false);
    Vtl_StringArray values;
    grid.getColumnTexts(1, values);
    side.values = values;
}

void PatternDialog::collect() {
    collectSide(kSide1, pattern_.side1, grid1_);
    collectSide(kSide2, pattern_.side2, grid2_);
    for (int i = 0; i < 4; ++i) pattern_.options[i] = triState(kOptionIds[i]);
}

void PatternDialog::apply() {
    if (!initialised_) return;
    collect();
    ++applied_;
    if (owner_) owner_->storePattern(index_, pattern_);
}

BOOL PatternDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (!initialised_) return CDialog::OnCommand(wParam, lParam);
    if (code == BN_CLICKED) {
        // A mixed state can be kept, not chosen: after a click the box has two states.
        if (id == kSide1.firstSwitch || id == kSide2.firstSwitch || std::find(std::begin(kOptionIds), std::end(kOptionIds), id) != std::end(kOptionIds))
            disableTriState(GetDlgItem(id));
        for (const SideIds& ids : {kSide1, kSide2}) {
            if (id != ids.firstSwitch) continue;
            EnDisCtrl(this, ids.firstValue, triState(id) == 1);
            apply();
            return TRUE;
        }
        if (id == 1274) {
            enableDependentOptions();
            apply();
            return TRUE;
        }
        if (id == kSide1.option || id == kSide2.option || id == 1273 || id == 1276 || id == 1277) {
            apply();
            return TRUE;
        }
    }
    if (code == CBN_SELCHANGE && (id == kSide1.distribution || id == kSide2.distribution)) {
        apply();
        return TRUE;
    }
    if (code == EN_CHANGE && (id == kSide1.firstValue || id == kSide1.secondValue || id == kSide2.firstValue || id == kSide2.secondValue)) {
        apply();
        return TRUE;
    }
    if ((id == kSide1.grid || id == kSide2.grid) && code == SSN_VALUE_CHANGED) {
        apply();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void PatternDialog::OnOK() {
    apply();
    CDialog::OnOK();
}

}  // namespace vtl::ui
