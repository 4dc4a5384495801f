#pragma once
// The section library editor (template 209): three pages in a tab control, the section groups (8138) and
// section types (8139) of the library's catalogue, and the values tables of the types (8716), one ".pr"
// file each, read and written in the library's "prof\" folder while the editor runs. The catalogue is a
// copy of the caller's record, handed back on OK.
#include <array>
#include <functional>
#include <memory>

#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/resizer.h"
#include "vtlbase/sections/dlg_edit_lib_data.h"
#include "vtlui/vtl_prof_values_table.h"
#include "win/dialog.h"

namespace vtl::ui {

// A page of the editor: Escape anywhere on it cancels the editor, Enter outside a grid is the editor's OK.
class LibraryPage : public CDialog {
protected:
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void postToEditor(int command);
};

// Pages 1 and 2: a list of groups (or types) with a mark for the enabled (active) ones, and the fields of
// the one selected.
class LibraryCatalogPage : public LibraryPage {
public:
    static constexpr UINT kGroupsIDD = 8138;
    static constexpr UINT kTypesIDD = 8139;
    static constexpr int kGroupListId = 1194;
    static constexpr int kTypeListId = 1199;
    static constexpr int kNewId = 1189;
    static constexpr int kDeleteId = 1190;
    static constexpr int kEnabledId = 1185;
    static constexpr int kPictureId = 1195;
    static constexpr int kGroupId = 1196;
    static constexpr int kTableId = 1198;
    static constexpr int kNamesGridId = 1193;

    LibraryCatalogPage(bool types, DlgEditLibData& data) : types_(types), data_(data) {}

    // Writes what the fields show into the entry shown.
    void store();
    // The group and values-table lists of the types page, from the record as it now is; with `storeFirst`
    // what the page shows is stored before.
    void refreshLists(bool storeFirst = true);
    int current() const { return current_; }
    Vtl_Spread& namesGrid() { return names_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    int count() const;
    int listId() const { return types_ ? kTypeListId : kGroupListId; }
    Vtl_String listText(int i) const;
    void fillList(int select);
    void show(int i);
    void enableFields();
    void onNew();
    void onDelete();

    bool types_;
    DlgEditLibData& data_;
    int current_ = -1;
    Vtl_Spread names_;
    Vtl_StringArray groupNames_;
    AcArray<int> groupIds_;
};

// Page 3: the values tables.
class ValuesTablePage : public LibraryPage {
public:
    static constexpr UINT IDD = 8716;
    static constexpr int kTableListId = 1248;
    static constexpr int kNewId = 1189;
    static constexpr int kDeleteId = 1190;
    static constexpr int kLayoutId = 1200;
    static constexpr int kRenameId = 1201;
    static constexpr int kShapeFrameId = 1203;
    static constexpr int kShapeId = 1202;
    static constexpr int kGridId = 1196;
    static constexpr int kCopyId = 1199;
    static constexpr int kPasteId = 1198;
    static constexpr int kInsertRowId = 1204;
    static constexpr int kDeleteRowId = 1205;
    static constexpr int kRowUpId = 1206;
    static constexpr int kRowDownId = 1207;
    static constexpr int kFindId = 1208;

    ValuesTablePage(DlgEditLibData& data, const Vtl_String& sysName) : data_(data), sysName_(sysName) {}

    // With the grid changed, asks whether to store the table: Yes stores it, No lets the changes go.
    // False when the person cancels or the table cannot be stored: the table stays shown.
    bool askSave();
    Vtl_Spread& grid() { return grid_; }
    int current() const { return current_; }
    Vtl_String currentName() const;
    // Called before and after a table changes its name, so that what shows table names can keep up.
    std::function<void()> beforeTableRenamed;
    std::function<void()> afterTableRenamed;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void fillTableList(int select);
    void loadTable(int i);
    void showNoTable();
    // Writes the grid as table `name`; reports a failure to the person. True when written.
    bool storeTable(const Vtl_String& name);
    Vtl_String shownShape() const;
    void setRowHeaders();
    void bringColumnsInLine(bool ask);
    void enableTableControls();
    void onTableChosen();
    void onNew();
    void onDelete();
    void onRename();
    void onLayout();
    void onGridButton(int id);
    // A name typed for a table: a plain file name, no "-", not another table's. Warns and answers false.
    bool acceptableTableName(const Vtl_String& name) const;

    DlgEditLibData& data_;
    Vtl_String sysName_;
    int current_ = -1;
    Vtl_String storedShape_;
    Vtl_Spread grid_;
    std::array<CButtonST, 7> icons_;
};

class SectionLibraryEditor : public CDialog {
public:
    static constexpr UINT IDD = 209;
    static constexpr int kTabId = 8097;

    SectionLibraryEditor(const DlgEditLibData& data, const Vtl_String& sysName, CWnd* parent = nullptr);

    const DlgEditLibData& data() const { return data_; }
    ValuesTablePage& tablesPage() { return tables_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void placePages();
    void showTab(int tab);

    DlgEditLibData data_;
    Vtl_String sysName_;
    LibraryCatalogPage groups_;
    LibraryCatalogPage types_;
    ValuesTablePage tables_;
    CResizer resizer_;
    int minWidth_ = 380;
    int minHeight_ = 370;
};

}  // namespace vtl::ui
