#include "dialogs/macro_settings_dialog.h"

#include <algorithm>

#include "common/dialog_helpers.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"
#include "win/tab_ctrl.h"

namespace vtl::ui {
namespace {
constexpr DWORD kListStyle = 0x400000;
constexpr int kFitEqualWidths = 1;
constexpr int kDecimals = 2;
constexpr COLORREF kPictureTransparent = RGB(192, 192, 192);

Vtl_String number(double v) { return Vtl_String(v, kDecimals); }
double numberIn(const CWnd* page, int id) { return Vtl_String(page->GetDlgItemText(id)).toDouble(); }

void setTexts(CWnd* page, std::initializer_list<std::pair<int, int>> texts) {
    for (const auto& [id, text] : texts) page->SetDlgItemText(id, dialString(text).c_str());
}

void setUpPicture(CDialog* page, CButtonST& picture, int id, const char* file) {
    picture.SubclassDlgItem(static_cast<UINT>(id), page);
    picture.SetBitmapFile(gSettings.libDir() + "icons\\" + file, kPictureTransparent);
    picture.DrawBorder(false);
    picture.DrawColoredWhenDisabled(true);  // an illustration, not a control to click
    picture.EnableWindow(FALSE);
}

void setUpGrid(Vtl_Spread& grid, CWnd* page, int id, const Vtl_StringArray& headers) {
    grid.attachInPlaceOfDlgItem(page, id, true);
    grid.setStyle(1);
    grid.setColCount(headers.length(), false);
    grid.setColHeaders(headers);
    grid.setFitMode(kFitEqualWidths);
    grid.applyFitMode();
}

// A new row after the active one (at the end without one), made active.
void addGridRow(Vtl_Spread& grid) {
    const int rows = grid.getRowCount();
    int row = grid.getCurrentRow();
    row = row >= 1 && row <= rows ? row + 1 : rows + 1;
    if (!grid.insertRow(row, false, false)) return;
    grid.setActiveCell(1, row);
    ::SetFocus(grid.grid());
}

void deleteGridRow(Vtl_Spread& grid) {
    const int row = grid.getCurrentRow();
    if (row >= 1 && row <= grid.getRowCount()) grid.deleteRow(row);
}

void closeEditor(Vtl_Spread& grid) {
    if (grid.isEditing()) grid.setEditing(false);
}

// The lists of a filter hold one flag and one value list per name.
void normalise(MacroFilterList& list, std::size_t values) {
    const auto n = static_cast<std::size_t>(list.names.length());
    list.enabled.resize(n, false);
    list.values.resize(n);
    for (auto& v : list.values)
        if (v.size() < values) v.resize(values, 0.0);
    list.pairs.resize(n);
}
}  // namespace

// ---- a filter group ----

void MacroFilterGroup::init(CDialog* page) {
    page_ = page;
    combo_.SubclassDlgItem(static_cast<UINT>(ids_.combo), page);
    if (list_.names.isEmpty()) {
        for (int id : {ids_.combo, ids_.enable, ids_.group}) EnDisCtrl(page, id, false);
        for (int id : ids_.values) EnDisCtrl(page, id, false);
        return;
    }
    for (int i = 0; i < list_.names.length(); ++i) combo_.AddItem(list_.names[i], list_.enabled[static_cast<std::size_t>(i)]);
    combo_.SetCurSel(0);
    show(0);
}

void MacroFilterGroup::show(int index) {
    if (index < 0 || index >= list_.names.length()) return;
    shown_ = index;
    page_->CheckDlgButton(ids_.enable, list_.enabled[static_cast<std::size_t>(index)] ? BST_CHECKED : BST_UNCHECKED);
    if (showValues) showValues(index);
    updateEnabling();
}

void MacroFilterGroup::store() {
    if (!page_ || shown_ < 0 || shown_ >= list_.names.length()) return;
    const bool on = page_->IsDlgButtonChecked(ids_.enable) == BST_CHECKED;
    list_.enabled[static_cast<std::size_t>(shown_)] = on;
    combo_.SetItemCheck(shown_, on);
    if (storeValues) storeValues(shown_);
}

void MacroFilterGroup::updateEnabling() {
    const bool on = page_->IsDlgButtonChecked(ids_.enable) == BST_CHECKED;
    for (int id : ids_.values) EnDisCtrl(page_, id, on);
}

void MacroFilterGroup::onSelectionChanged() {
    store();
    show(combo_.GetCurSel());
}

void MacroFilterGroup::onEnableClicked() {
    store();
    updateEnabling();
}

// ---- what the pages share ----

BOOL MacroSettingsPage::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        // Escape in any page cancels the dialog (a grid would keep it to cancel its cell's typing).
        if (CWnd* dialog = getDlgOwner(this)) ::PostMessage(dialog->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

// ---- page 0: angles ----

MacroAnglesPage::MacroAnglesPage(MacroSettingsData& s)
    : MacroSettingsPage(IDD, s),
      axis_(s.axisAngle, {1140, 1151, 1146, {1144, 1145, 1147, 1148, 1149, 1150}}),
      section_(s.sectionAngle, {1141, 1152, 1153, {1001, 1155, 1154}}) {}

BOOL MacroAnglesPage::OnInitDialog() {
    CDialog::OnInitDialog();
    setTexts(this, {{1351, 922}, {1140, 923}, {1141, 924}, {1146, 925}, {1144, 928}, {1145, 929}, {1147, 926},
                    {1148, 927}, {1153, 930}});
    CheckDlgButton(1351, settings_.autoPropose ? BST_CHECKED : BST_UNCHECKED);
    setUpPicture(this, pictures_[0], 1158, "MacroFilterAngle90.bmp");
    setUpPicture(this, pictures_[1], 1157, "MacroFilterAngle180.bmp");
    setUpPicture(this, pictures_[2], 1159, "MacroFilterSectionAngle.bmp");
    setupIconButton(this, &add_, 1155, 212, dialString(920));
    setupIconButton(this, &delete_, 1154, 206, dialString(921));
    setUpGrid(grid_, this, 1001, {dialString(931), dialString(932)});
    normalise(settings_.axisAngle, 3);
    normalise(settings_.sectionAngle, 0);

    axis_.showValues = [this](int i) {
        const auto& v = settings_.axisAngle.values[static_cast<std::size_t>(i)];
        CheckDlgButton(1144, settings_.axisAngle.mode(i) == 0 ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(1145, settings_.axisAngle.mode(i) != 0 ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemText(1149, number(v[1]).c_str());
        SetDlgItemText(1150, number(v[2]).c_str());
    };
    axis_.storeValues = [this](int i) {
        settings_.axisAngle.values[static_cast<std::size_t>(i)] = {IsDlgButtonChecked(1145) == BST_CHECKED ? 1.0 : 0.0,
                                                                  numberIn(this, 1149), numberIn(this, 1150)};
    };
    section_.showValues = [this](int i) {
        const auto& table = settings_.sectionAngle.pairs[static_cast<std::size_t>(i)];
        grid_.setRedraw(false);
        grid_.setRowCount(static_cast<int>(table.size()));
        for (std::size_t r = 0; r < table.size(); ++r) {
            grid_.setCellText(1, static_cast<int>(r) + 1, number(table[r].first));
            grid_.setCellText(2, static_cast<int>(r) + 1, number(table[r].second));
        }
        grid_.setRedraw(true);
    };
    section_.storeValues = [this](int i) {
        closeEditor(grid_);
        std::vector<std::pair<double, double>> table;
        for (int row = 1; row <= grid_.getRowCount(); ++row) {
            Vtl_String a, b;
            grid_.getCellText(1, row, a);
            grid_.getCellText(2, row, b);
            const double x = a.toDouble(), y = b.toDouble();
            if (x != 0 || y != 0) table.emplace_back(x, y);  // rows of two zeros are dropped
        }
        settings_.sectionAngle.pairs[static_cast<std::size_t>(i)] = std::move(table);
    };
    axis_.init(this);
    section_.init(this);
    return FALSE;
}

void MacroAnglesPage::store() {
    settings_.autoPropose = IsDlgButtonChecked(1351) == BST_CHECKED;
    axis_.store();
    section_.store();
}

BOOL MacroAnglesPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == CBN_SELCHANGE && id == 1151) return axis_.onSelectionChanged(), TRUE;
    if (code == CBN_SELCHANGE && id == 1152) return section_.onSelectionChanged(), TRUE;
    if (code == BN_CLICKED) {
        if (id == 1146) return axis_.onEnableClicked(), TRUE;
        if (id == 1153) return section_.onEnableClicked(), TRUE;
        if (id == 1155) return addGridRow(grid_), TRUE;
        if (id == 1154) return deleteGridRow(grid_), TRUE;
    }
    return MacroSettingsPage::OnCommand(wParam, lParam);
}

// ---- page 1: distances ----

MacroDistancesPage::MacroDistancesPage(MacroSettingsData& s)
    : MacroSettingsPage(IDD, s),
      path_(s.pathDistance, {1159, 1174, 1160, {1161, 1162, 1163, 1164}}),
      size_(s.sectionSize, {1166, 1173, 1167, {1168, 1169, 1170, 1171, 1175, 1176, 1177, 1178}}) {}

BOOL MacroDistancesPage::OnInitDialog() {
    CDialog::OnInitDialog();
    setTexts(this, {{1179, 1351}, {1159, 933}, {1160, 934}, {1161, 935}, {1163, 936}, {1166, 937}, {1167, 934},
                    {1168, 938}, {1170, 939}, {1175, 940}, {1177, 941}});
    CheckDlgButton(1179, settings_.checkPath ? BST_CHECKED : BST_UNCHECKED);
    setUpPicture(this, pictures_[0], 1165, "MacroFilterPathDistance.bmp");
    setUpPicture(this, pictures_[1], 1172, "MacroFilterSectionSize.bmp");
    normalise(settings_.pathDistance, 2);
    normalise(settings_.sectionSize, 4);
    static constexpr int kPathIds[] = {1162, 1164};
    static constexpr int kSizeIds[] = {1169, 1171, 1176, 1178};
    path_.showValues = [this](int i) {
        for (std::size_t k = 0; k < 2; ++k)
            SetDlgItemText(kPathIds[k], number(settings_.pathDistance.values[static_cast<std::size_t>(i)][k]).c_str());
    };
    path_.storeValues = [this](int i) {
        for (std::size_t k = 0; k < 2; ++k) settings_.pathDistance.values[static_cast<std::size_t>(i)][k] = numberIn(this, kPathIds[k]);
    };
    size_.showValues = [this](int i) {
        for (std::size_t k = 0; k < 4; ++k)
            SetDlgItemText(kSizeIds[k], number(settings_.sectionSize.values[static_cast<std::size_t>(i)][k]).c_str());
    };
    size_.storeValues = [this](int i) {
        for (std::size_t k = 0; k < 4; ++k) settings_.sectionSize.values[static_cast<std::size_t>(i)][k] = numberIn(this, kSizeIds[k]);
    };
    path_.init(this);
    size_.init(this);
    return FALSE;
}

void MacroDistancesPage::store() {
    settings_.checkPath = IsDlgButtonChecked(1179) == BST_CHECKED;
    path_.store();
    size_.store();
}

BOOL MacroDistancesPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == CBN_SELCHANGE && id == 1174) return path_.onSelectionChanged(), TRUE;
    if (code == CBN_SELCHANGE && id == 1173) return size_.onSelectionChanged(), TRUE;
    if (code == BN_CLICKED && id == 1160) return path_.onEnableClicked(), TRUE;
    if (code == BN_CLICKED && id == 1167) return size_.onEnableClicked(), TRUE;
    return MacroSettingsPage::OnCommand(wParam, lParam);
}

// ---- page 2: dialogs ----

BOOL MacroDialogsPage::OnInitDialog() {
    CDialog::OnInitDialog();
    setTexts(this, {{1175, 957}, {1280, 958}, {1281, 959}, {1318, 960}});
    setupIconButton(this, &add_, 1088, 212, dialString(961));
    setupIconButton(this, &delete_, 1089, 206, dialString(962));
    setUpGrid(grid_, this, 1001, {dialString(85)});
    Vtl_StringArray designs;
    getModuleImages(designs);
    FillCombo(static_cast<CComboBox*>(GetDlgItem(1322)), designs);
    FillCombo(static_cast<CComboBox*>(GetDlgItem(1282)), settings_.entries);
    settings_.entryTexts.resize(static_cast<std::size_t>(settings_.entries.length()));
    const bool usable = !settings_.entries.isEmpty() && settings_.entries.length() == settings_.designs.length();
    if (!usable)
        for (int id : {1282, 1001, 1088, 1089, 1322}) EnDisCtrl(this, id, false);
    static_cast<CComboBox*>(GetDlgItem(1282))->SetCurSel(settings_.entries.isEmpty() ? -1 : 0);
    show(settings_.entries.isEmpty() ? -1 : 0);
    return FALSE;
}

void MacroDialogsPage::show(int entry) {
    shown_ = entry;
    const Vtl_StringArray none;
    const Vtl_StringArray& lines = entry >= 0 && entry < static_cast<int>(settings_.entryTexts.size())
                                       ? settings_.entryTexts[static_cast<std::size_t>(entry)] : none;
    grid_.setRowCount(lines.length());
    grid_.setColumn(1, lines, false);
    SetDlgItemText(1322, entry >= 0 && entry < settings_.designs.length() ? settings_.designs[entry].c_str() : "");
}

void MacroDialogsPage::store() {
    // The texts and designs go together: a record whose lists differ in length is left as it is.
    if (shown_ < 0 || settings_.entries.length() != settings_.designs.length()) return;
    closeEditor(grid_);
    Vtl_StringArray lines;
    grid_.getColumnTexts(1, lines);
    settings_.entryTexts[static_cast<std::size_t>(shown_)] = lines;
    settings_.designs[shown_] = Vtl_String(GetDlgItemText(1322));
}

BOOL MacroDialogsPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == 1282 && code == CBN_SELCHANGE) {
        store();
        show(static_cast<CComboBox*>(GetDlgItem(1282))->GetCurSel());
        return TRUE;
    }
    if (code == BN_CLICKED && id == 1088) return addGridRow(grid_), TRUE;
    if (code == BN_CLICKED && id == 1089) return deleteGridRow(grid_), TRUE;
    return MacroSettingsPage::OnCommand(wParam, lParam);
}

// ---- page 3: variables ----

BOOL MacroVariablesPage::OnInitDialog() {
    CDialog::OnInitDialog();
    setTexts(this, {{1363, 1388}, {1365, 1392}, {1367, 1407}});
    SetDlgItemText(1175, (dialString(942) + ".\n" + dialString(943) + ".").c_str());
    auto* sort = static_cast<CComboBox*>(GetDlgItem(1364));
    auto* size = static_cast<CComboBox*>(GetDlgItem(1366));
    auto* columns = static_cast<CComboBox*>(GetDlgItem(1368));
    FillCombo(sort, {dialString(1385), dialString(1386), dialString(1387)});
    FillCombo(size, {dialString(1389), dialString(1390), dialString(1391)});
    FillCombo(columns, {Vtl_String("0"), Vtl_String("1"), Vtl_String("2"), Vtl_String("3")});
    sort->SetCurSel(settings_.choice1 >= 0 && settings_.choice1 < 3 ? settings_.choice1 : -1);
    size->SetCurSel(settings_.choice2 >= 0 && settings_.choice2 < 3 ? settings_.choice2 : -1);
    columns->SetWindowText(Vtl_String(settings_.number).c_str());
    setupIconButton(this, &add_, 1088, 212, dialString(896));
    setupIconButton(this, &delete_, 1089, 206, dialString(897));
    setUpGrid(grid_, this, 1001, {dialString(87), dialString(86)});
    const int rows = settings_.listTexts.length();
    grid_.setRowCount(rows);
    grid_.setColumn(1, settings_.listTexts, false);
    for (int row = 1; row <= rows; ++row)
        grid_.setCellText(2, row, row - 1 < static_cast<int>(settings_.listNumbers.size())
                                      ? number(settings_.listNumbers[static_cast<std::size_t>(row - 1)]) : Vtl_String());
    return FALSE;
}

void MacroVariablesPage::store() {
    settings_.choice1 = static_cast<CComboBox*>(GetDlgItem(1364))->GetCurSel();
    settings_.choice2 = static_cast<CComboBox*>(GetDlgItem(1366))->GetCurSel();
    settings_.number = Vtl_String(GetDlgItemText(1368)).toInt();
    closeEditor(grid_);
    Vtl_StringArray names, values;
    grid_.getColumnTexts(1, names);
    grid_.getColumnTexts(2, values);
    settings_.listTexts = names;
    settings_.listNumbers.clear();
    for (const Vtl_String& v : values) settings_.listNumbers.push_back(v.toDouble());
}

BOOL MacroVariablesPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id == 1088) return addGridRow(grid_), TRUE;
    if (HIWORD(wParam) == BN_CLICKED && id == 1089) return deleteGridRow(grid_), TRUE;
    return MacroSettingsPage::OnCommand(wParam, lParam);
}

// ---- page 4: groups ----

BOOL MacroGroupsPage::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(1180, (dialString(947) + " " + dialString(948) + ".").c_str());
    SetDlgItemText(1181, (dialString(949) + " \"" + dialString(956) + "\" " + dialString(950) + ". " + dialString(951) +
                          " " + dialString(952) + ".").c_str());
    SetDlgItemText(1175, (dialString(953) + " " + ::string(10320) + " " + dialString(954) + ".").c_str());
    SetDlgItemText(1182, settings_.text1.c_str());
    SetDlgItemText(1018, settings_.text2.c_str());
    setUpGrid(grid_, this, 1196, {dialString(944), dialString(945), dialString(946)});
    const int rows = std::max(settings_.tableA.length(), settings_.tableB.length());
    grid_.setRowCount(rows);
    Vtl_StringArray choices{dialString(956)};
    for (int k = 1; k <= rows; ++k) choices.append(Vtl_String(k));
    for (int row = 1; row <= rows; ++row) {
        grid_.setCellText(1, row, row - 1 < settings_.tableA.length() ? settings_.tableA[row - 1] : Vtl_String());
        grid_.setCellText(2, row, row - 1 < settings_.tableB.length() ? settings_.tableB[row - 1] : Vtl_String());
        grid_.setComboCell(3, row, choices, kListStyle);
        const int choice = row - 1 < static_cast<int>(settings_.tableChoice.size()) ? settings_.tableChoice[static_cast<std::size_t>(row - 1)] : 0;
        grid_.setCellValue(3, row, Vtl_String(std::clamp(choice, 0, rows)));
    }
    return FALSE;
}

void MacroGroupsPage::store() {
    settings_.text1 = Vtl_String(GetDlgItemText(1182));
    settings_.text2 = Vtl_String(GetDlgItemText(1018));
    closeEditor(grid_);
    grid_.getColumnTexts(1, settings_.tableA);
    grid_.getColumnTexts(2, settings_.tableB);
    Vtl_StringArray items;
    grid_.getColumnValues(3, items);
    settings_.tableChoice.clear();
    for (const Vtl_String& v : items) settings_.tableChoice.push_back(v.toInt());
}

// ---- the dialog ----

MacroSettingsDlg::MacroSettingsDlg(const MacroSettingsData& settings, CWnd* parent) : CDialog(IDD, parent), settings_(settings) {}

MacroSettingsDlg::~MacroSettingsDlg() = default;

BOOL MacroSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(dialString(916).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    const int tabTexts[] = {917, 918, 919, 875, 755};
    for (int i = 0; i < 5; ++i) tabs->InsertItem(i, dialString(tabTexts[i]).c_str());
    angles_ = std::make_unique<MacroAnglesPage>(settings_);
    distances_ = std::make_unique<MacroDistancesPage>(settings_);
    dialogs_ = std::make_unique<MacroDialogsPage>(settings_);
    variables_ = std::make_unique<MacroVariablesPage>(settings_);
    groups_ = std::make_unique<MacroGroupsPage>(settings_);
    pages_ = {angles_.get(), distances_.get(), dialogs_.get(), variables_.get(), groups_.get()};
    const UINT templates[] = {MacroAnglesPage::IDD, MacroDistancesPage::IDD, MacroDialogsPage::IDD,
                              MacroVariablesPage::IDD, MacroGroupsPage::IDD};
    RECT item, client;
    tabs->GetItemRect(0, &item);
    tabs->GetClientRect(&client);
    const int left = item.left, top = item.bottom + 2;
    const int width = std::max(0, static_cast<int>(client.right - client.left) - left - 3);
    const int height = std::max(0, static_cast<int>(client.bottom - client.top) - top - 2);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->CreateAsChild(templates[i], tabs);
        pages_[i]->MoveWindow(left, top, width, height);
    }
    showPage(0);
    return TRUE;
}

void MacroSettingsDlg::showPage(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return;
    for (auto* p : pages_) p->ShowWindow(SW_HIDE);
    pages_[static_cast<std::size_t>(index)]->ShowWindow(SW_SHOW);
    static_cast<CTabCtrl*>(GetDlgItem(kTabId))->SetCurSel(index);
}

BOOL MacroSettingsDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam == static_cast<WPARAM>(kTabId) && header && header->code == TCN_SELCHANGE) {
        showPage(static_cast<CTabCtrl*>(GetDlgItem(kTabId))->GetCurSel());
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

void MacroSettingsDlg::storePages() {
    for (auto* p : pages_)
        if (p && p->m_hWnd) p->store();
}

void MacroSettingsDlg::OnOK() {
    storePages();
    CDialog::OnOK();
}

void MacroSettingsDlg::OnCancel() {
    // The working copy takes the pages' values either way; the caller stores it only after OK.
    storePages();
    CDialog::OnCancel();
}

}  // namespace vtl::ui
