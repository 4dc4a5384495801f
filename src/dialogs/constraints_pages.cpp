// The four pages of the constraints editor: rules, geometry, variables and commands.
#include <algorithm>
#include <initializer_list>

#include "common/dialog_helpers.h"
#include "dialogs/constraints_dialog.h"
#include "frame/host.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/text_functions.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"
#include "win/message_box.h"

namespace vtl::ui {
namespace {
constexpr DWORD kListStyle = 0x400000;
constexpr COLORREF kOptionTransparent = RGB(255, 0, 255);
constexpr COLORREF kCommandTransparent = RGB(192, 192, 192);
constexpr int kFitEqualWidths = 1;
constexpr int kFitGivenWidths = 5;
constexpr int kRowNumberWidth = 30;
constexpr int kKindWidth = 84;
constexpr int kRuleNameWidth = 96;
constexpr int kRuleValueWidth = 80;
constexpr int kRuleVariableWidth = 96;
constexpr int kVariableKinds[] = {900, 895, 893, 901, 902, 1325, 1326, 1327};
constexpr int kFlexibilityChoices[] = {893, 894, 895};
constexpr UINT kMenuFlags = 8;
constexpr std::size_t kMenuCommands = 6;

Vtl_StringArray texts(const int* numbers, std::size_t count) {
    Vtl_StringArray out;
    for (std::size_t i = 0; i < count; ++i) out.append(dialString(numbers[i]));
    return out;
}

bool lists(const ConstraintRule& r, int kind) { return std::find(r.kinds.begin(), r.kinds.end(), kind) != r.kinds.end(); }

// A rule can be shown when every kind it lists is known and has its data.
bool showable(const ConstraintRule& r) {
    for (int kind : r.kinds) {
        if (kind < 0 || kind > 3) return false;
        if (kind == 2 && r.enumTexts.isEmpty()) return false;
    }
    return true;
}

// A picture of the rule's list: a name in the library's icon folder, or a full path.
Vtl_String picturePath(const Vtl_String& name) {
    if (name.hasSubString("\\") || name.hasSubString("/") || name.hasSubString(":")) return name;
    return gSettings.libDir() + "icons\\" + name;
}

// The listed columns (0: the row numbers) at their widths in pixels; the others share what is left.
void fitGivenWidths(Vtl_Spread& grid, std::initializer_list<std::pair<int, int>> columnWidths) {
    Vtl_Array<int> columns, widths;
    for (const auto& [column, width] : columnWidths) {
        columns.append(column);
        widths.append(width);
    }
    grid.setFitColumns(kFitGivenWidths, columns, widths);
}

void setUpGrid(Vtl_Spread& grid, CWnd* page, int id, const Vtl_StringArray& headers) {
    grid.attachInPlaceOfDlgItem(page, id, true);
    grid.setStyle(1);
    grid.setFontFace("Tahoma", 15);
    grid.setColCount(headers.length(), false);
    grid.setColHeaders(headers);
    grid.setFitMode(kFitEqualWidths);
    // Cells the page does not let a person edit read as plain text.
    grid.setLockColors(RGB(255, 255, 255), RGB(0, 0, 0));
}
}  // namespace

// ---- what the pages share ----

EditConstrData& KsConstraintsPage::data() { return owner_.data(); }

BOOL KsConstraintsPage::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        if (keepEscape()) return FALSE;
        // Escape anywhere on a page is the editor's OK. Posted: the page may go with the editor.
        ::PostMessage(owner_.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void KsConstraintsPage::layoutChildren() {
    layout_.init(m_hWnd);
    layout_.setAllFlags(3, 3);
}

LRESULT KsConstraintsPage::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SIZE) {
        const LRESULT r = CDialog::WindowProc(msg, wParam, lParam);
        if (layout_.count() > 0) layout_.resize();
        for (Vtl_Spread* g : grids_) g->applyFitMode();
        return r;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

// ---- rules ----

BOOL KsRulesPage::OnInitDialog() {
    CDialog::OnInitDialog();
    const struct {
        int id, text;
    } labels[] = {{kGroupId, 879}, {kValueLabelId, 880}, {kVariableLabelId, 221}, {kEnumLabelId, 228},
                  {kFlag1Id, 881}, {kFlag2Id, 1328},       {kCutId, 862}};
    for (const auto& l : labels) SetDlgItemText(l.id, dialString(l.text).c_str());
    setUpGrid(grid_, this, kGridId, {dialString(87), dialString(883), ::string(20450), ::string(2333)});
    grid_.setOption(SS_SWITCH_ROW_HEADERS, false);
    // The objects of a rule ("Stiffener, Column web") take the room the name, value and variable leave.
    fitGivenWidths(grid_, {{1, kRuleNameWidth}, {3, kRuleValueWidth}, {4, kRuleVariableWidth}});
    grids_.push_back(&grid_);
    setupIconButton(this, &delete_, kDeleteId, 206, dialString(882));
    for (std::size_t i = 0; i < options_.size(); ++i) {
        options_[i].SubclassDlgItem(static_cast<UINT>(kOptionIds[i]), this);
        options_[i].SetCheckBox(true);
        options_[i].SetTooltipText(Vtl_String("Enum ") + Vtl_String(static_cast<int>(i) + 1));
    }
    layoutChildren();
    layout_.setFlags(kGridId, 6, 6);
    for (int id : {kGroupId}) layout_.setFlags(id, 6, 5);
    for (int id : {kValueLabelId, kValueId, kVariableLabelId, kVariableId, kEnumLabelId, kEnumId, kFlag1Id, kFlag2Id, kCutId})
        layout_.setFlags(id, 3, 5);
    for (int id : kOptionIds) layout_.setFlags(id, 3, 5);
    layout_.setFlags(kDeleteId, 5, 5);
    hideProperties();
    return FALSE;
}

void KsRulesPage::fillGrid() {
    const auto& rules = data().rules;
    grid_.setRedraw(false);
    grid_.setRowCount(static_cast<int>(rules.size()));
    for (std::size_t i = 0; i < rules.size(); ++i) {
        Vtl_StringArray row = rules[i].rowTexts;
        while (row.length() < 4) row.append(Vtl_String());
        grid_.setRow(static_cast<int>(i) + 1, row);
    }
    // The rows are the drawing's: read only here, edited below the grid.
    if (!rules.empty()) grid_.setEditBlock(1, 1, 4, static_cast<int>(rules.size()), 0, 0);
    for (int row = 1; row <= static_cast<int>(rules.size()); ++row)
        for (int col = 1; col <= 4; ++col) grid_.setCellLock(col, row, true);
    grid_.setChanged(false);
    grid_.applyFitMode();
    grid_.setRedraw(true);
}

void KsRulesPage::build() {
    fillGrid();
    const auto& rules = data().rules;
    int select = rules.empty() ? -1 : 0;
    for (std::size_t i = 0; i < rules.size(); ++i)
        if (rules[i].id == data().currentRuleId) select = static_cast<int>(i);
    current_ = -1;
    selectRule(select);
    if (current_ >= 0) grid_.setActiveCell(1, current_ + 1);
}

void KsRulesPage::hideProperties() {
    for (std::size_t i = 0; i < options_.size(); ++i) {
        options_[i].SetCheck(BST_UNCHECKED);
        options_[i].ClearPicture();
        options_[i].EnableWindow(FALSE);
    }
    for (int id : {kValueId, kValueLabelId, kVariableId, kVariableLabelId, kEnumId, kEnumLabelId, kFlag1Id, kFlag2Id, kCutId})
        ShowOrHideCtrl(this, id, false);
    ShowOrHideCtrl(this, kDeleteId, !data().rules.empty());
    optionsInUse_ = 0;
    firstGroupSize_ = 0;
    secondGroupStart_ = -1;
}

void KsRulesPage::selectRule(int p) {
    if (p == current_ && p >= 0) return;
    auto& rules = data().rules;
    // The first column shows every rule's first text as the drawing has it now.
    for (std::size_t i = 0; i < rules.size(); ++i)
        grid_.setCellText(1, static_cast<int>(i) + 1, rules[i].rowTexts.isEmpty() ? Vtl_String() : rules[i].rowTexts[0]);
    hideProperties();
    if (p < 0 || p >= static_cast<int>(rules.size()) || !showable(rules[static_cast<std::size_t>(p)])) {
        current_ = -1;
        return;
    }
    const ConstraintRule& r = rules[static_cast<std::size_t>(p)];
    ShowOrHideCtrl(this, kCutId, r.offersCut);
    if (lists(r, 0)) {
        ShowOrHideCtrl(this, kValueId, true);
        ShowOrHideCtrl(this, kValueLabelId, true);
        SetDlgItemText(kValueId, r.value.c_str());
    }
    if (lists(r, 1)) {
        ShowOrHideCtrl(this, kVariableId, true);
        ShowOrHideCtrl(this, kVariableLabelId, true);
        SetDlgItemText(kVariableId, r.variable.c_str());
    }
    shownVariable_ = r.variable;
    if (lists(r, 3)) {
        ShowOrHideCtrl(this, kFlag1Id, true);
        ShowOrHideCtrl(this, kFlag2Id, true);
        CheckDlgButton(kFlag1Id, r.flag1 ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(kFlag2Id, r.flag2 ? BST_CHECKED : BST_UNCHECKED);
    }
    if (lists(r, 2)) {
        ShowOrHideCtrl(this, kEnumId, true);
        ShowOrHideCtrl(this, kEnumLabelId, true);
        auto* combo = static_cast<CComboBox*>(GetDlgItem(kEnumId));
        FillCombo(combo, r.enumTexts);
        combo->SetCurSel(r.enumIndex >= 0 && r.enumIndex < r.enumTexts.length() ? r.enumIndex : -1);
    }
    // The pictures go on the option buttons in order; a break closes a group, whose button named by its
    // option state is checked. Pictures beyond the fifth button, and states outside their group, are left.
    int used = 0, groupStart = 0, groups = 0;
    const int buttons = static_cast<int>(options_.size());
    for (const Vtl_String& picture : r.pictures) {
        if (picture == EditConstrData::kRadioBreak) {
            const int state = groups < static_cast<int>(r.optionStates.size()) ? r.optionStates[static_cast<std::size_t>(groups)] : 0;
            if (groups == 0) {
                firstGroupSize_ = used;
                secondGroupStart_ = used < buttons ? used : -1;
            }
            if (state >= groupStart + 1 && state <= used) options_[static_cast<std::size_t>(state - 1)].SetCheck(BST_CHECKED);
            groupStart = used;
            ++groups;
            if (groups >= 2) break;  // two groups at most
            continue;
        }
        if (used >= buttons) continue;
        options_[static_cast<std::size_t>(used)].SetBitmapFile(picturePath(picture), kOptionTransparent);
        options_[static_cast<std::size_t>(used)].EnableWindow(TRUE);
        ++used;
    }
    optionsInUse_ = used;
    EnDisCtrl(this, kFlag2Id, IsDlgButtonChecked(kFlag1Id) == BST_CHECKED);
    current_ = p;
    data().currentRuleId = r.id;
    data().HighlightConstraint(p);
    acedUpdateDisplay();
}

int KsRulesPage::checkedOption() const {
    int last = 0;
    for (int i = 0; i < optionsInUse_; ++i)
        if (options_[static_cast<std::size_t>(i)].GetCheck() == BST_CHECKED) last = i + 1;
    return last;
}

void KsRulesPage::storeEdits() {
    auto& rules = data().rules;
    if (rules.empty() || current_ < 0 || current_ >= static_cast<int>(rules.size())) return;
    ConstraintRule& r = rules[static_cast<std::size_t>(current_)];
    bool changed = false;
    if (lists(r, 0)) {
        const Vtl_String value(GetDlgItemText(kValueId));
        if (value != r.value) r.value = value, changed = true;
    }
    if (lists(r, 1)) {
        const Vtl_String variable(GetDlgItemText(kVariableId));
        if (variable != r.variable) r.variable = variable, changed = true;
    }
    if (lists(r, 3)) {
        const bool f1 = IsDlgButtonChecked(kFlag1Id) == BST_CHECKED, f2 = IsDlgButtonChecked(kFlag2Id) == BST_CHECKED;
        if (f1 != r.flag1 || f2 != r.flag2) r.flag1 = f1, r.flag2 = f2, changed = true;
    }
    if (lists(r, 2)) {
        const int index = static_cast<const CComboBox*>(GetDlgItem(kEnumId))->GetCurSel();
        if (index >= 0 && index != r.enumIndex) r.enumIndex = index, changed = true;
    }
    if (optionsInUse_ > 0) {
        const int option = checkedOption();
        if (r.optionStates.size() != 1) {
            acutPrintf("*Error* Array size mismatch.\n");
        } else if (r.optionStates[0] != option) {
            r.optionStates[0] = option;
            changed = true;
        }
    }
    if (!changed) return;
    if (data().UpdateConstraint(current_) && current_ < static_cast<int>(data().rules.size())) {
        Vtl_StringArray row = data().rules[static_cast<std::size_t>(current_)].rowTexts;
        while (row.length() < 4) row.append(Vtl_String());
        grid_.setRow(current_ + 1, row);
    }
}

void KsRulesPage::leave() {
    data().UnHighlightConstraints();
    acedUpdateDisplay();
}

void KsRulesPage::onRowChanged(int row) {
    if (row < 1 || row > static_cast<int>(data().rules.size()) || row - 1 == current_) return;
    storeEdits();
    grid_.setActiveCell(1, row);
    selectRule(row - 1);
    ::SetFocus(grid_.grid());
}

void KsRulesPage::onHeaderClicked(int col) {
    if (col < 1 || col > 4 || col == lastSort_) return;
    storeEdits();
    const int previous = lastSort_ >= 1 ? lastSort_ : col % 4 + 1;
    if (!data().SortConstraints(col, previous)) return;
    lastSort_ = col;
    build();
}

void KsRulesPage::onRightClick(int col, int row) {
    if (col < 1 || col > 3 || row < 1 || row > static_cast<int>(data().rules.size())) return;
    if (row - 1 != current_) {
        storeEdits();
        selectRule(row - 1);
    }
    grid_.setActiveCell(col, row);
    if (current_ < 0) return;
    Vtl_StringArray items;
    std::vector<int> checked;
    menuActions_.clear();
    if (!data().ConstrContextMenu(current_, items, menuActions_, checked)) return;
    std::vector<int> levels;
    std::vector<KsPopupMenuItem> entries;
    std::size_t commands = 0;
    for (int i = 0; i < items.length(); ++i) {
        KsPopupMenuItem item;
        item.text = items[i];
        if (items[i] == EditConstrData::kMenuBreak) {
            item.kind = KsPopupMenu::separator;
        } else {
            // Only the first six commands can be chosen.
            if (commands++ >= kMenuCommands) continue;
            item.kind = std::find(checked.begin(), checked.end(), i) != checked.end() ? KsPopupMenu::checked : KsPopupMenu::command;
        }
        levels.push_back(1);
        entries.push_back(item);
    }
    POINT at{};
    ::GetCursorPos(&at);
    menu_.show(kMenuFlags, at.x, at.y, m_hWnd, levels, entries);
}

void KsRulesPage::onMenuCommand(int item) {
    if (item < 0 || item >= static_cast<int>(menuActions_.size()) || current_ < 0) return;
    const std::int32_t action = menuActions_[static_cast<std::size_t>(item)];
    const int rule = current_;
    if (owner_.runHostCommand([&] { return data().ContextMenuAction(rule, action); })) build();
}

void KsRulesPage::onDelete() {
    if (current_ < 0) return;
    const int deleted = current_;
    if (!data().DeleteConstraint(deleted)) return;
    fillGrid();
    const int count = static_cast<int>(data().rules.size());
    int next = deleted - 1;
    if (next < 0 || next >= count) next = count > 0 ? 0 : -1;
    current_ = -1;
    selectRule(next);
    if (current_ >= 0) grid_.setActiveCell(1, current_ + 1);
}

void KsRulesPage::onOptionClicked(int index) {
    // The button toggled itself; in the first group exactly the clicked one stays checked.
    if (firstGroupSize_ <= 0 || index >= firstGroupSize_) return;
    for (int i = 0; i < firstGroupSize_; ++i)
        options_[static_cast<std::size_t>(i)].SetCheck(i == index ? BST_CHECKED : BST_UNCHECKED);
}

void KsRulesPage::onVariableLeft() {
    const Vtl_String name(GetDlgItemText(kVariableId));
    if (name == shownVariable_ || name.isEmpty()) return;
    shownVariable_ = name;
    const Vtl_String quoted = Vtl_String("\"") + name + "\"";
    Vtl_String text, caption;
    if (data().VarNameInUse(name)) {
        text = quoted + "\n" + dialString(857) + ".\n" + dialString(858) + ".";
        caption = dialString(856);
    } else if (name.endsWith("+") || name.endsWith("-") || name.endsWith("*") || name.endsWith("/")) {
        text = quoted + "\n" + dialString(1455) + ".\n" + dialString(1456) + ".\n\n" + dialString(888) + ".";
        caption = dialString(884);
    } else if (startsWithNumber(name)) {
        text = quoted + " " + dialString(885) + " " + dialString(886) + ".\n" + dialString(887) + ".\n\n" + dialString(888) + ".";
        caption = dialString(884);
    } else {
        return;
    }
    ::MessageBox(m_hWnd, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void KsRulesPage::onCut() {
    if (current_ < 0) return;
    const HWND self = m_hWnd;
    const bool pass = StartEditMacroCutDlg(data().macroId, data().currentModule, data().currentRuleId);
    if (::IsWindow(self)) passEscape_ = pass;
}

bool KsRulesPage::keepEscape() {
    if (!passEscape_) return false;
    passEscape_ = false;
    return true;
}

BOOL KsRulesPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == kGridId) {
        int col = 0, row = 0;
        grid_.getNotifyCell(col, row);
        if (code == SSN_ACTIVE_CELL_CHANGED) onRowChanged(row);
        else if (code == SSN_CELL_CLICKED && row <= 0) onHeaderClicked(col);
        else if (code == SSN_CELL_RIGHT_CLICKED) onRightClick(col, row);
        return TRUE;
    }
    if (const int item = KsPopupMenu::positionOf(static_cast<UINT>(id)); item >= 0 && item < static_cast<int>(kMenuCommands)) {
        onMenuCommand(item);
        return TRUE;
    }
    if (id == kVariableId && code == EN_KILLFOCUS) {
        onVariableLeft();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        if (id == kDeleteId) return onDelete(), TRUE;
        if (id == kCutId) return onCut(), TRUE;
        if (id == kFlag1Id) return EnDisCtrl(this, kFlag2Id, IsDlgButtonChecked(kFlag1Id) == BST_CHECKED), TRUE;
        for (std::size_t i = 0; i < kOptionIds.size(); ++i)
            if (id == kOptionIds[i]) return onOptionClicked(static_cast<int>(i)), TRUE;
    }
    return KsConstraintsPage::OnCommand(wParam, lParam);
}

// ---- geometry ----

BOOL KsGeometryPage::OnInitDialog() {
    CDialog::OnInitDialog();
    setUpGrid(grid_, this, kGridId, {dialString(889), dialString(890), dialString(891), dialString(892)});
    grids_.push_back(&grid_);
    layoutChildren();
    layout_.setFlags(kGridId, 6, 6);
    return FALSE;
}

void KsGeometryPage::prepare() {
    if (data().GetGeomFlexibility()) build();
}

void KsGeometryPage::build() {
    building_ = true;
    const auto& geometry = data().geometry;
    const int rows = static_cast<int>(geometry.size());
    grid_.setRedraw(false);
    grid_.setRowCount(rows);
    Vtl_StringArray headers;
    for (int i = 0; i < rows; ++i) {
        const ConstrGeometry& g = geometry[static_cast<std::size_t>(i)];
        const int row = i + 1;
        headers.append(g.texts[2]);
        grid_.setCellText(1, row, g.texts[0]);
        grid_.setCellText(2, row, g.texts[1]);
        grid_.setCellLock(1, row, true);
        grid_.setCellLock(2, row, true);
        grid_.setComboCell(3, row, texts(kFlexibilityChoices, std::size(kFlexibilityChoices)), kListStyle);
        grid_.setCellValue(3, row, Vtl_String(std::clamp(g.flexibility, 1, 3) - 1));
        if (g.constrState == 0 || g.constrState == 1) {
            grid_.setCheckCell(4, row, true);
            grid_.setCellCheck(4, row, g.constrState == 1);
        } else {
            grid_.setCellText(4, row, Vtl_String());
            grid_.setCellLock(4, row, true);
        }
    }
    if (rows > 0) grid_.setRowHeaders(headers);
    grid_.setChanged(false);
    grid_.applyFitMode();
    grid_.setRedraw(true);
    building_ = false;
}

void KsGeometryPage::leave() {
    data().UnHighlightObject();
    acedUpdateDisplay();
}

void KsGeometryPage::onRowSelected(int row) {
    const auto& geometry = data().geometry;
    if (row < 1 || row > static_cast<int>(geometry.size())) return;
    data().UnHighlightObject();
    data().HighlightObject(geometry[static_cast<std::size_t>(row - 1)].id);
    acedUpdateDisplay();
}

BOOL KsGeometryPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id != kGridId || building_) return KsConstraintsPage::OnCommand(wParam, lParam);
    int col = 0, row = 0;
    grid_.getNotifyCell(col, row);
    const auto& geometry = data().geometry;
    if (code == SSN_ACTIVE_CELL_CHANGED || (code == SSN_CELL_CLICKED && row >= 1)) onRowSelected(row);
    if (row < 1 || row > static_cast<int>(geometry.size())) return TRUE;
    const ConstrGeometry g = geometry[static_cast<std::size_t>(row - 1)];
    if (code == SSN_VALUE_CHANGED && col == 3) {
        Vtl_Array<int> choices;
        grid_.getColumnInts(3, choices);
        const int choice = row - 1 < choices.length() ? choices[row - 1] : -1;
        if (choice >= 0 && choice + 1 != g.flexibility && data().UpdateGeomFlexibility(g.id, g.flexibility, choice + 1)) build();
    } else if ((code == SSN_CHECK_SET || code == SSN_CHECK_CLEARED) && col == 4 && (g.constrState == 0 || g.constrState == 1)) {
        if (data().UpdateConstrGeom(g.id, code == SSN_CHECK_SET)) build();
    }
    return TRUE;
}

// ---- variables ----

BOOL KsVariablesPage::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(1130, dialString(875).c_str());
    SetDlgItemText(1133, dialString(898).c_str());
    SetDlgItemText(1134, dialString(899).c_str());
    setUpGrid(variables_, this, kVariablesId, {dialString(87), dialString(86), dialString(101)});
    setUpGrid(dimensions_, this, kDimensionsId, {dialString(87), dialString(86)});
    // Row numbers need little room, and a kind ("Distance") with its drop button more than an equal share.
    fitGivenWidths(variables_, {{0, kRowNumberWidth}, {3, kKindWidth}});
    fitGivenWidths(dimensions_, {{0, kRowNumberWidth}});
    grids_ = {&variables_, &dimensions_};
    setupIconButton(this, &add_, kAddId, 212, dialString(896));
    setupIconButton(this, &delete_, kDeleteId, 206, dialString(897));
    layoutChildren();
    layout_.setFlags(1130, 6, 6);
    layout_.setFlags(kVariablesId, 6, 6);
    layout_.setFlags(kAddId, 5, 3);
    layout_.setFlags(kDeleteId, 5, 3);
    layout_.setFlags(1133, 5, 6);
    layout_.setFlags(kDimensionsId, 5, 6);
    layout_.setFlags(1134, 6, 5);
    layout_.setFlags(kEquationsId, 6, 5);
    return FALSE;
}

void KsVariablesPage::build() {
    const EditConstrData& d = data();
    const Vtl_StringArray kinds = texts(kVariableKinds, std::size(kVariableKinds));
    variables_.setRedraw(false);
    variables_.setRowCount(d.varNames.length());
    for (int i = 0; i < d.varNames.length(); ++i) {
        const int row = i + 1;
        variables_.setCellText(1, row, d.varNames[i]);
        variables_.setCellText(2, row, i < d.varValues.length() ? d.varValues[i] : Vtl_String());
        variables_.setComboCell(3, row, kinds, kListStyle);
        const int kind = i < static_cast<int>(d.varKinds.size()) ? d.varKinds[static_cast<std::size_t>(i)] : 0;
        variables_.setCellValue(3, row, Vtl_String(std::clamp(kind, 0, kinds.length() - 1)));
    }
    variables_.setChanged(false);
    variables_.applyFitMode();
    variables_.setRedraw(true);

    dimensions_.setRedraw(false);
    dimensions_.setRowCount(d.dimNames.length());
    dimensions_.setColumn(1, d.dimNames, false);
    dimensions_.setColumn(2, d.dimValues, false);
    for (int row = 1; row <= d.dimNames.length(); ++row)
        for (int col = 1; col <= 2; ++col) dimensions_.setCellLock(col, row, true);
    dimensions_.applyFitMode();
    dimensions_.setRedraw(true);

    SetDlgItemText(kEquationsId, EditConstrData::textFromEquations(d.equations).c_str());
}

void KsVariablesPage::storeEdits() {
    if (variables_.isEditing()) variables_.setEditing(false);
    Vtl_StringArray names, values;
    Vtl_Array<int> kinds;
    variables_.getColumnTexts(1, names);
    variables_.getColumnTexts(2, values);
    variables_.getColumnInts(3, kinds);
    std::vector<std::int16_t> kinds16;
    for (int i = 0; i < names.length(); ++i) kinds16.push_back(static_cast<std::int16_t>(i < kinds.length() && kinds[i] >= 0 ? kinds[i] : 0));
    const Vtl_StringArray equations = EditConstrData::equationsFromText(GetDlgItemText(kEquationsId));
    EditConstrData& d = data();
    // Only a change goes to the drawing.
    if (names == d.varNames && values == d.varValues && kinds16 == d.varKinds && equations == d.equations) return;
    d.varNames = names;
    d.varValues = values;
    d.varKinds = kinds16;
    d.equations = equations;
    d.UpdateVarsEqs();
}

void KsVariablesPage::addRow() {
    const int rows = variables_.getRowCount();
    int row = variables_.getCurrentRow();
    row = row >= 1 && row <= rows ? row + 1 : rows + 1;
    if (!variables_.insertRow(row, false, false)) return;
    variables_.setFontFace("Tahoma", 15);
    variables_.setRowFont(row);
    const Vtl_StringArray kinds = texts(kVariableKinds, std::size(kVariableKinds));
    variables_.setComboCell(3, row, kinds, kListStyle);
    variables_.setCellValue(3, row, Vtl_String(0));
    variables_.setActiveCell(1, row);
    ::SetFocus(variables_.grid());
}

void KsVariablesPage::deleteRow() {
    const int rows = variables_.getRowCount();
    if (rows < 1) return;
    int col = 1, row = 1;
    variables_.getActiveCell(col, row);
    if (row < 1 || row > rows) return;
    variables_.deleteRow(row);
    const int left = variables_.getRowCount();
    if (left < 1) return;
    variables_.setActiveCell(col, std::min(row, left));
    variables_.setEditSelection(0, -1);
}

BOOL KsVariablesPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id == kAddId) return addRow(), TRUE;
    if (HIWORD(wParam) == BN_CLICKED && id == kDeleteId) return deleteRow(), TRUE;
    return KsConstraintsPage::OnCommand(wParam, lParam);
}

// ---- commands ----

namespace {
struct CommandButton {
    int id;
    const char* picture;
    int text;
    bool shown;
};
constexpr CommandButton kCommands[] = {
    {1024, "Parallel.bmp", 903, true},  {1025, "Perpendicular.bmp", 904, true}, {1026, "Coincident.bmp", 905, true},
    {1027, "Symmetric.bmp", 906, false}, {1028, "Tangent.bmp", 907, true},     {1029, "Concentric.bmp", 908, true},
    {1030, "EqualRadius.bmp", 909, true}, {1031, "Distance.bmp", 910, true},   {1032, "Angle.bmp", 911, true},
    {1033, "Radius.bmp", 912, true},     {1034, nullptr, 0, false},            {1035, "AddModule.bmp", 913, true},
    {1036, "BoltPattern.bmp", 914, true}, {1037, "CoordSys.bmp", 915, true}};
}  // namespace

BOOL KsCommandsPage::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const CommandButton& c : kCommands) {
        if (!c.shown) {
            ShowOrHideCtrl(this, c.id, false);
            continue;
        }
        auto button = std::make_unique<CButtonST>();
        button->SubclassDlgItem(static_cast<UINT>(c.id), this);
        button->SetPictureAboveText(true);
        button->SetBitmapFile(gSettings.libDir() + "icons\\" + c.picture, kCommandTransparent);
        button->SetWindowText(dialString(c.text).c_str());
        buttons_.push_back(std::move(button));
    }
    return FALSE;
}

BOOL KsCommandsPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED)
        for (std::size_t i = 0; i < std::size(kCommands); ++i)
            if (kCommands[i].id == id) {
                owner_.startCommand(static_cast<int>(i));
                return TRUE;
            }
    return KsConstraintsPage::OnCommand(wParam, lParam);
}

}  // namespace vtl::ui
