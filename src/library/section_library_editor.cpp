// The section library editor: groups, types and values tables of the section library.
#include "library/section_library_editor.h"

#include <algorithm>

#include "common/dialog_helpers.h"
#include "common/ks_input_text_dlg.h"
#include "common/new_name_prompt.h"
#include "frame/export_guard.h"
#include "frame/module.h"
#include "library/section_shapes.h"
#include "spread/grid_layout_dialog.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/files/paths.h"
#include "vtlbase/macro_langs.h"
#include "vtlbase/sections/section_tables.h"
#include "vtlui/vtlui.h"
#include "win/button.h"
#include "win/combo_box.h"
#include "win/keys.h"
#include "win/list_box.h"
#include "win/message_box.h"
#include "win/tab_ctrl.h"

namespace vtl::ui {
namespace {
constexpr const char* kSizeKey = "DLG_EDIT_SECTIONLIB";
constexpr const char* kMarkOn = "[x] ";
constexpr const char* kMarkOff = "[  ] ";
const char* const kNewTypeNames[] = {"Nieuw type", "New type", "Nouveau type", "New type"};
constexpr int kTableCaption = 784;
constexpr int kNotWritten = 20350;
constexpr int kCheckFolder = 20351;
constexpr int kNoDash = 20352;
constexpr int kNoColumns = 20353;

Vtl_String profPath(const Vtl_String& name) { return gSettings.libDir() + "prof\\" + name + ".pr"; }

void message(CWnd* owner, const Vtl_String& text, UINT icon = MB_ICONEXCLAMATION) {
    ::MessageBox(owner ? owner->m_hWnd : HWND(), text.c_str(), dialString(kTableCaption).c_str(), MB_OK | icon);
}

CComboBox* combo(CWnd* page, int id) { return static_cast<CComboBox*>(page->GetDlgItem(id)); }
CListBox* list(CWnd* page, int id) { return static_cast<CListBox*>(page->GetDlgItem(id)); }

Vtl_String comboText(CWnd* page, int id) {
    CComboBox* c = combo(page, id);
    const int at = c->GetCurSel();
    return at >= 0 ? Vtl_String(c->GetLBText(at)) : Vtl_String();
}

// A names grid: one column headed "Name", a row per language.
void setUpNamesGrid(CDialog* page, Vtl_Spread& grid, int id) {
    grid.attachToDlgItem(page, id, true);
    grid.setStyle(1);
    grid.setFitMode(1);
    Vtl_StringArray languages;
    gMacroLangs.GetAllLanguages(languages);
    grid.setColCount(1, false);
    grid.setRowCount(languages.length());
    grid.setColHeaders(Vtl_StringArray{dialString(87)});
    grid.setRowHeaders(languages);
    // The language names in full, the names in the rest of the width.
    constexpr int kHeaderWidth = 84;
    constexpr int kScrollBarWidth = 18;
    RECT client;
    grid.GetClientRect(&client);
    SSSetColWidthPixels(grid.grid(), Vtl_Spread::HEADER, kHeaderWidth);
    SSSetColWidthPixels(grid.grid(), 1,
                        std::max(40, static_cast<int>(client.right - client.left) - kHeaderWidth - kScrollBarWidth - 2));
}
}  // namespace

// ---- pages ----

void LibraryPage::postToEditor(int command) {
    CWnd* tabs = GetParent();
    CWnd* editor = tabs ? tabs->GetParent() : nullptr;
    // Posted: the page goes with the editor.
    if (editor && editor->m_hWnd) ::PostMessage(editor->m_hWnd, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

BOOL LibraryPage::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN)) {
        // Typing in a grid cell is the grid's: Enter and Escape end it.
        if (Vtl_Spread::isSpreadFocused()) return FALSE;
        postToEditor(msg->wParam == VK_ESCAPE ? IDCANCEL : IDOK);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void LibraryPage::OnOK() { postToEditor(IDOK); }
void LibraryPage::OnCancel() { postToEditor(IDCANCEL); }

// ---- pages 1 and 2 ----

int LibraryCatalogPage::count() const { return types_ ? data_.types.length() : data_.groups.length(); }

Vtl_String LibraryCatalogPage::listText(int i) const {
    const bool on = types_ ? data_.types[i].active != 0 : data_.groups.getEnabled(i);
    return Vtl_String(on ? kMarkOn : kMarkOff) + (types_ ? data_.types[i].getName() : data_.groups.getName(i));
}

BOOL LibraryCatalogPage::OnInitDialog() {
    CDialog::OnInitDialog();
    constexpr struct {
        int id, groups, types;
    } kTexts[] = {{kNewId, 758, 764}, {kDeleteId, 759, 765}, {1108, 760, 760}, {1081, 760, 760}, {kEnabledId, 761, 761},
                  {1186, 762, 762}, {1187, 769, 769}, {1192, 770, 770}, {1188, 763, 771}};
    for (const auto& t : kTexts)
        if (GetDlgItem(t.id)) SetDlgItemText(t.id, dialString(types_ ? t.types : t.groups).c_str());
    setUpNamesGrid(this, names_, kNamesGridId);
    // The frames stay behind what they frame, the grid made at run time included.
    for (int frame : {1108, 1081, 1188})
        if (HWND h = ::GetDlgItem(m_hWnd, frame)) ::SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FillCombo(combo(this, kPictureId), data_.pictureNames);
    if (types_) refreshLists();
    fillList(count() > 0 ? 0 : -1);
    show(count() > 0 ? 0 : -1);
    return TRUE;
}

void LibraryCatalogPage::refreshLists(bool storeFirst) {
    if (!types_) return;
    if (storeFirst) store();
    data_.groups.namesOfAllGroups(groupNames_, groupIds_);
    FillCombo(combo(this, kGroupId), groupNames_);
    FillCombo(combo(this, kTableId), data_.tableNames);
    if (current_ >= 0) show(current_);
}

void LibraryCatalogPage::fillList(int select) {
    CListBox* l = list(this, listId());
    l->ResetContent();
    for (int i = 0; i < count(); ++i) l->AddString(listText(i).c_str());
    l->SetCurSel(select);
}

void LibraryCatalogPage::show(int i) {
    current_ = i >= 0 && i < count() ? i : -1;
    Vtl_StringArray names;
    bool on = false;
    Vtl_String picture;
    if (current_ >= 0 && types_) {
        const SectionType& t = data_.types[current_];
        on = t.active != 0;
        picture = t.picture;
        names = t.names;
        int group = -1;
        for (int g = 0; g < groupIds_.length(); ++g)
            if (groupIds_[g] == t.groupId) group = g;
        combo(this, kGroupId)->SetCurSel(group);
        combo(this, kTableId)->SetCurSel(data_.tableNames.find(t.table));
    } else if (current_ >= 0) {
        on = data_.groups.getEnabled(current_);
        picture = data_.groups.getImage(current_);
        data_.groups.getLangs(current_, names);
    }
    static_cast<CButton*>(GetDlgItem(kEnabledId))->SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(kPictureId, picture.c_str());
    Vtl_StringArray column;
    for (int r = 0; r < names_.getRowCount(); ++r) column.append(r < names.length() ? names[r] : Vtl_String());
    names_.setColumn(1, column, false);
    names_.setChanged(false);
    enableFields();
}

void LibraryCatalogPage::enableFields() {
    const bool any = current_ >= 0;
    const bool on = any && static_cast<CButton*>(GetDlgItem(kEnabledId))->GetCheck() == BST_CHECKED;
    EnDisCtrl(this, kEnabledId, any);
    EnDisCtrl(this, kDeleteId, any);
    for (int id : {kPictureId, kGroupId, kTableId})
        if (GetDlgItem(id)) EnDisCtrl(this, id, on);
    names_.EnableWindow(on);
}

void LibraryCatalogPage::store() {
    if (current_ < 0 || current_ >= count()) return;
    const bool on = static_cast<CButton*>(GetDlgItem(kEnabledId))->GetCheck() == BST_CHECKED;
    const Vtl_String picture(GetDlgItemText(kPictureId));
    names_.setEditing(false);
    Vtl_StringArray names;
    names_.getColumnTexts(1, names);
    if (types_) {
        SectionType& t = data_.types[current_];
        t.active = on ? 1 : 0;
        t.picture = picture;
        const int group = combo(this, kGroupId)->GetCurSel();
        t.groupId = group >= 0 && group < groupIds_.length() ? groupIds_[group] : -1;
        // A table the list does not offer (its file gone) stays named until another is chosen.
        if (const Vtl_String table = comboText(this, kTableId); !table.isEmpty()) t.table = table;
        t.names = names;
    } else {
        data_.groups.setEnabled(current_, on);
        data_.groups.setImage(current_, picture);
        data_.groups.setLangs(current_, names);
    }
    CListBox* l = list(this, listId());
    l->DeleteString(static_cast<UINT>(current_));
    l->InsertString(current_, listText(current_).c_str());
    l->SetCurSel(current_);
}

void LibraryCatalogPage::onNew() {
    store();
    if (types_) {
        SectionType t;
        for (const char* n : kNewTypeNames) t.names.append(n);
        data_.types.append(t);
    } else {
        data_.groups.appendNewGrp();
    }
    fillList(count() - 1);
    show(count() - 1);
}

void LibraryCatalogPage::onDelete() {
    if (current_ < 0) return;
    if (types_)
        data_.types.removeAt(current_);
    else
        data_.groups.removeAt(current_);
    const int next = std::min(current_, count() - 1);
    current_ = -1;
    fillList(next);
    show(next);
}

BOOL LibraryCatalogPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == listId() && code == LBN_SELCHANGE) {
        const int chosen = list(this, listId())->GetCurSel();
        store();
        list(this, listId())->SetCurSel(chosen);
        show(chosen);
        return TRUE;
    }
    if (id == kNewId && code == BN_CLICKED) {
        onNew();
        return TRUE;
    }
    if (id == kDeleteId && code == BN_CLICKED) {
        onDelete();
        return TRUE;
    }
    if (id == kEnabledId && code == BN_CLICKED) {
        enableFields();
        store();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

// ---- page 3 ----

BOOL ValuesTablePage::OnInitDialog() {
    CDialog::OnInitDialog();
    constexpr struct {
        int id, text;
    } kTexts[] = {{kNewId, 779}, {kDeleteId, 780}, {kLayoutId, 781}, {kRenameId, 782}, {kShapeFrameId, 783}};
    for (const auto& t : kTexts) SetDlgItemText(t.id, dialString(t.text).c_str());
    constexpr int kIconIds[] = {kCopyId, kPasteId, kInsertRowId, kDeleteRowId, kRowUpId, kRowDownId, kFindId};
    constexpr int kIcons[] = {223, 224, 225, 226, 227, 228, 238};
    for (std::size_t i = 0; i < icons_.size(); ++i)
        setupIconButton(this, &icons_[i], kIconIds[i], kIcons[i], dialString(772 + static_cast<int>(i)));

    Vtl_StringArray shapes;
    for (int code = kFirstShapeCode; code <= kLastShapeCode; ++code) shapes.append(shapeCodeText(code));
    shapes.append(data_.drawingNames);
    FillCombo(combo(this, kShapeId), shapes);

    grid_.attachToDlgItem(this, kGridId, true);
    grid_.setStyle(0);
    grid_.setFitMode(0);
    grid_.setColCount(1, false);
    grid_.setRowCount(4);
    grid_.setContextMenu({2, 3, 1, 4, 5, 1, 6, 7, 1, 8, 9});
    grid_.setOption(25, true);

    const Vtl_String type = vtl::base::sectionTypeOf(sysName_);
    int select = sysName_.isEmpty() ? -1 : data_.tableNames.find(type, false);
    if (select < 0 && !data_.tableNames.isEmpty()) select = 0;
    fillTableList(select);
    if (select >= 0) {
        loadTable(select);
        Vtl_StringArray sizes;
        grid_.getColumnTexts(1, sizes);
        for (int r = 0; r < sizes.length(); ++r)
            if ((data_.tableNames[select] + "-" + sizes[r]).equal(sysName_, false)) {
                grid_.setActiveCell(1, r + 1);
                break;
            }
    } else {
        showNoTable();
    }
    return TRUE;
}

Vtl_String ValuesTablePage::currentName() const {
    return current_ >= 0 && current_ < data_.tableNames.length() ? data_.tableNames[current_] : Vtl_String();
}

void ValuesTablePage::fillTableList(int select) {
    FillList(list(this, kTableListId), data_.tableNames);
    list(this, kTableListId)->SetCurSel(select);
}

void ValuesTablePage::loadTable(int i) {
    current_ = i;
    Vtl_ProfValuesTable table;
    // A missing or unreadable file shows as an empty grid.
    table.readFromFile(currentName() + ".pr");
    storedShape_ = table.shape;
    table.setToSS(grid_);
    combo(this, kShapeId)->SetCurSel(table.shape.isEmpty() ? -1 : combo(this, kShapeId)->FindStringExact(-1, shapeDisplayText(table.shape).c_str()));
    grid_.setChanged(false);
    enableTableControls();
}

void ValuesTablePage::showNoTable() {
    current_ = -1;
    storedShape_ = Vtl_String();
    grid_.setRowCount(0);
    grid_.setColCount(0, false);
    grid_.setChanged(false);
    combo(this, kShapeId)->SetCurSel(-1);
    enableTableControls();
}

void ValuesTablePage::enableTableControls() {
    const bool any = current_ >= 0;
    for (int id : {kDeleteId, kLayoutId, kRenameId, kCopyId, kPasteId, kShapeFrameId, kShapeId, kInsertRowId,
                   kDeleteRowId, kRowUpId, kRowDownId, kFindId})
        EnDisCtrl(this, id, any);
    grid_.EnableWindow(any);
}

Vtl_String ValuesTablePage::shownShape() const {
    // A stored shape the list does not offer (a drawing no longer there, an unknown code) is kept.
    CComboBox* shapes = combo(const_cast<ValuesTablePage*>(this), kShapeId);
    const int at = shapes->GetCurSel();
    return at >= 0 ? shapeFromDisplayText(Vtl_String(shapes->GetLBText(at))) : storedShape_;
}

bool ValuesTablePage::storeTable(const Vtl_String& name) {
    grid_.setEditing(false);
    Vtl_ProfValuesTable table;
    if (!table.getFromSS(grid_)) {
        // Without rows the column names are still the table's; without columns there is nothing to keep.
        if (grid_.getColCount() <= 0) {
            message(this, dialString(kNoColumns));
            return false;
        }
        grid_.getColHeaders(table.columnNames);
    }
    table.typeName = name;
    table.shape = shownShape();
    if (!table.writeToFile(name + ".pr")) {
        message(this, dialString(kNotWritten) + " " + name + ".pr\n" + dialString(kCheckFolder));
        return false;
    }
    storedShape_ = table.shape;
    grid_.setChanged(false);
    return true;
}

bool ValuesTablePage::askSave() {
    if (current_ < 0 || !grid_.isChanged()) return true;
    const Vtl_String text = dialString(785) + " <" + currentName() + "> " + dialString(786);
    switch (::MessageBox(m_hWnd, text.c_str(), dialString(784).c_str(), MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return storeTable(currentName());
    case IDNO:
        grid_.setChanged(false);
        return true;
    default:
        return false;
    }
}

void ValuesTablePage::setRowHeaders() {
    Vtl_StringArray headers;
    for (int r = 0; r < grid_.getRowCount(); ++r) headers.append(currentName());
    grid_.setRowHeaders(headers);
}

void ValuesTablePage::bringColumnsInLine(bool ask) {
    const Vtl_String shape = shownShape();
    const Vtl_StringArray expected = expectedColumnNames(shape);
    if (grid_.getColCount() < expected.length()) grid_.setColCount(expected.length(), false);
    for (int c = 0; c < expected.length(); ++c) grid_.setCellText(c + 1, Vtl_Spread::HEADER, expected[c]);
    if (ask && shapeCode(shape) > 0 && grid_.getColCount() > expected.length()) {
        const Vtl_String text = dialString(793) + " " + shapeDisplayText(shape) + " " + dialString(794) + "\n" + dialString(795);
        if (::MessageBox(m_hWnd, text.c_str(), dialString(792).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES)
            grid_.setColCount(expected.length(), false);
    }
}

void ValuesTablePage::onTableChosen() {
    const int chosen = list(this, kTableListId)->GetCurSel();
    if (chosen == current_) return;
    if (!askSave()) {
        list(this, kTableListId)->SetCurSel(current_);
        return;
    }
    loadTable(chosen);
}

void ValuesTablePage::onNew() {
    if (!askSave()) return;
    const Vtl_String name = findNonExistingString(data_.tableNames, dialString(779));
    Vtl_ProfValuesTable table;
    table.typeName = name;
    table.columnNames.append("SysName");
    table.columnNames.append("I/O");
    Vtl_StringArray languages;
    gMacroLangs.GetAllLanguages(languages);
    table.columnNames.append(languages);
    table.columnNames.append(dialString(86) + "1");
    table.columnNames.append(dialString(86) + "2");
    Vtl_StringArray row;
    for (const char* cell : {"", "1", "", "", "", "", "0", "0"}) row.append(cell);
    table.rows.append(row);
    table.setToSS(grid_);
    grid_.setChanged(true);
    data_.tableNames.append(name);
    current_ = data_.tableNames.length() - 1;
    storedShape_ = Vtl_String("-1");
    fillTableList(current_);
    enableTableControls();
}

void ValuesTablePage::onDelete() {
    if (current_ < 0) return;
    const Vtl_String name = currentName();
    const Vtl_String text = dialString(788) + " <" + name + "> " + dialString(789);
    if (::MessageBox(m_hWnd, text.c_str(), dialString(787).c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    std::string reason;
    if (vtl::base::files::validFileName(name.str(), reason)) deleteFile(profPath(name));
    data_.tableNames.removeAt(current_);
    grid_.setChanged(false);
    const int next = data_.tableNames.isEmpty() ? -1 : 0;
    fillTableList(next);
    if (next >= 0)
        loadTable(next);
    else
        showNoTable();
}

bool ValuesTablePage::acceptableTableName(const Vtl_String& name) const {
    std::string reason;
    if (!warnInvalidFileName(name) || !vtl::base::files::validFileName(name.str(), reason)) return false;
    if (name.hasSubString("-")) {
        message(const_cast<ValuesTablePage*>(this), dialString(kNoDash));
        return false;
    }
    for (int i = 0; i < data_.tableNames.length(); ++i)
        if (i != current_ && data_.tableNames[i].equal(name, false)) {
            warnNameInUse(const_cast<ValuesTablePage*>(this));
            return false;
        }
    return true;
}

void ValuesTablePage::onRename() {
    if (current_ < 0) return;
    const Vtl_String old = currentName();
    KsInputTextDlg input(this);
    input.caption = dialString(790);
    input.prompt = dialString(791);
    input.text = old;
    input.okText = dialString(1);
    input.cancelText = dialString(2);
    input.DoModal();
    if (!input.accepted || input.text == old || !acceptableTableName(input.text)) return;
    const Vtl_String name = input.text;
    // The new file is written before the old one goes, so a failed write loses nothing. A change of case
    // only goes through a temporary name, as the file system may not tell the two names apart.
    if (name.equal(old, false)) {
        const Vtl_String temporary = findNonExistingString(data_.tableNames, old + "_rename");
        if (!storeTable(temporary)) return;
        deleteFile(profPath(old));
        if (!storeTable(name)) return;
        deleteFile(profPath(temporary));
    } else {
        if (!storeTable(name)) return;
        deleteFile(profPath(old));
    }
    if (beforeTableRenamed) beforeTableRenamed();
    data_.tableNames[current_] = name;
    // Types that used the table follow it.
    for (SectionType& t : data_.types)
        if (t.table == old) t.table = name;
    fillTableList(current_);
    loadTable(current_);
    if (afterTableRenamed) afterTableRenamed();
}

void ValuesTablePage::onLayout() {
    if (current_ < 0) return;
    if (!runGridLayoutDialog(grid_, this)) return;
    setRowHeaders();
    bringColumnsInLine(false);
    grid_.autoFitAll();
    grid_.setChanged(true);
}

void ValuesTablePage::onGridButton(int id) {
    if (current_ < 0) return;
    switch (id) {
    case kCopyId:
        SSCopySelection(grid_.grid());
        return;
    case kPasteId:
        SSPasteSelection(grid_.grid());
        break;
    case kInsertRowId:
        grid_.insertRowAfterCurrent(true);
        setRowHeaders();
        break;
    case kDeleteRowId:
        grid_.deleteCurrentRow();
        break;
    case kRowUpId:
        grid_.moveCurrentRowUp();
        break;
    case kRowDownId:
        grid_.moveCurrentRowDown();
        break;
    case kFindId:
        grid_.runFind(false);
        return;
    default:
        return;
    }
    grid_.setChanged(true);
}

BOOL ValuesTablePage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kTableListId && code == LBN_SELCHANGE) {
        onTableChosen();
        return TRUE;
    }
    if (id == kShapeId && code == CBN_SELCHANGE) {
        bringColumnsInLine(true);
        grid_.setChanged(true);
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case kNewId:
            onNew();
            return TRUE;
        case kDeleteId:
            onDelete();
            return TRUE;
        case kRenameId:
            onRename();
            return TRUE;
        case kLayoutId:
            onLayout();
            return TRUE;
        case kCopyId:
        case kPasteId:
        case kInsertRowId:
        case kDeleteRowId:
        case kRowUpId:
        case kRowDownId:
        case kFindId:
            onGridButton(id);
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

// ---- the editor ----

SectionLibraryEditor::SectionLibraryEditor(const DlgEditLibData& data, const Vtl_String& sysName, CWnd* parent)
    : CDialog(IDD, parent), data_(data), sysName_(sysName), groups_(false, data_), types_(true, data_), tables_(data_, sysName) {}

BOOL SectionLibraryEditor::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(dialString(754).c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());
    const bool recorded = hasDlgSize(kSizeKey);
    if (recorded) getDlgSize(this, minWidth_, minHeight_, 1);
    data_.GetAvailableFiles();
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    for (int t : {755, 756, 757}) tabs->InsertItem(tabs->GetItemCount(), dialString(t).c_str());
    groups_.CreateAsChild(LibraryCatalogPage::kGroupsIDD, tabs);
    types_.CreateAsChild(LibraryCatalogPage::kTypesIDD, tabs);
    tables_.CreateAsChild(ValuesTablePage::IDD, tabs);
    // The types page keeps what it shows before the table names change under it, then shows the new ones.
    tables_.beforeTableRenamed = [this] { types_.store(); };
    tables_.afterTableRenamed = [this] { types_.refreshLists(false); };
    resizer_.Init(this);
    using A = CResizer;
    using E = ResizeEdge;
    resizer_.Add(kTabId, A::parent(E::Left), A::parent(E::Top), A::parent(E::Right), A::parent(E::Bottom));
    for (int id : {IDOK, IDCANCEL})
        resizer_.Add(id, A::parent(E::Right), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
    const int first = sysName_.isEmpty() ? 0 : 2;
    tabs->SetCurSel(first);
    showTab(first);
    if (!recorded) MoveWindow(100, 100, 526, 403);
    ChangeDlgSize(this, kSizeKey, 0);
    placePages();
    return TRUE;
}

void SectionLibraryEditor::placePages() {
    auto* tabs = static_cast<CTabCtrl*>(GetDlgItem(kTabId));
    if (!tabs || tabs->GetItemCount() == 0) return;
    RECT item, client;
    tabs->GetItemRect(0, &item);
    tabs->GetClientRect(&client);
    const int top = item.bottom + 2;
    const int left = item.left;
    const int width = std::max(0, static_cast<int>(client.right - client.left - left - 3));
    const int height = std::max(0, static_cast<int>(client.bottom - client.top - top - 2));
    for (CDialog* page : {static_cast<CDialog*>(&groups_), static_cast<CDialog*>(&types_), static_cast<CDialog*>(&tables_)})
        if (page->m_hWnd) page->MoveWindow(left, top, width, height);
}

void SectionLibraryEditor::showTab(int tab) {
    groups_.ShowWindow(SW_HIDE);
    types_.ShowWindow(SW_HIDE);
    tables_.ShowWindow(SW_HIDE);
    if (tab == 0) {
        groups_.ShowWindow(SW_SHOW);
    } else if (tab == 1) {
        groups_.store();
        types_.refreshLists(true);
        types_.ShowWindow(SW_SHOW);
    } else if (tab == 2) {
        tables_.ShowWindow(SW_SHOW);
    }
}

BOOL SectionLibraryEditor::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam == static_cast<WPARAM>(kTabId) && header && header->code == TCN_SELCHANGE) {
        showTab(static_cast<CTabCtrl*>(GetDlgItem(kTabId))->GetCurSel());
        *result = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

void SectionLibraryEditor::OnOK() {
    if (!tables_.askSave()) return;
    groups_.store();
    types_.store();
    CDialog::OnOK();
}

LRESULT SectionLibraryEditor::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE: {
        const LRESULT r = CDialog::WindowProc(msg, wParam, lParam);
        resizer_.Move();
        placePages();
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

}  // namespace vtl::ui

bool StartDlgEditLibSections(DlgEditLibData& data, const Vtl_String& sysName) {
    return vtl::ui::guardExport("StartDlgEditLibSections", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::SectionLibraryEditor dlg(data, sysName);
        if (dlg.DoModal() != IDOK) return false;
        data = dlg.data();
        return true;
    });
}
