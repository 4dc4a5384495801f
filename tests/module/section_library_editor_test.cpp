// The section library editor through StartDlgEditLibSections and scripts: renames that must not lose or
// replace a table, stores that keep column names and unoffered shapes, the save question, new tables, the
// catalogue pages, and the grid layout dialog run from the values grid.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "library/section_library_editor.h"
#include "library/section_shapes.h"
#include "module_test_support.h"
#include "spread/grid_layout_dialog.h"
#include "vtlbase/sections/dlg_edit_lib_data.h"
#include "vtlui/vtl_prof_values_table.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/keys.h"
#include "win/list_box.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using ui::KsGridLayoutDlg;
using ui::LibraryCatalogPage;
using ui::SectionLibraryEditor;
using ui::ValuesTablePage;
using ui::Vtl_Spread;
using win::ctrl;
using win::Script;
constexpr int kInputText = 8069;
constexpr const char* kSaveQuestion = "Save the changes to";

// A visible window with that id below the root (pages sit inside the tab control).
HWND findShown(HWND root, int id) {
    for (HWND c = ::GetWindow(root, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(c) == id && ::IsWindowVisible(c)) return c;
        if (HWND deeper = findShown(c, id)) return deeper;
    }
    return HWND();
}
std::string selectedTable() {
    auto* tables = static_cast<CListBox*>(CWnd::FromHandle(findShown(::GetActiveWindow(), ValuesTablePage::kTableListId)));
    return tables->GetCurSel() < 0 ? std::string() : tables->GetText(tables->GetCurSel());
}
Vtl_Spread& valuesGrid() {
    return *static_cast<Vtl_Spread*>(CWnd::FromHandle(findShown(::GetActiveWindow(), ValuesTablePage::kGridId)));
}

class SectionLibraryEditorTest : public ModuleTest {
protected:
    fs::path prof() const { return libraryDir() / "prof"; }
    void writeTable(const std::string& name, const std::string& shape, int sizes) const {
        fs::create_directories(prof());
        std::ofstream out(prof() / (name + ".pr"), std::ios::binary);
        out << shape << "\r\nSysName\tI/O\tDutch\tEnglish\tFrench\tGerman\tHeight\tWidth\r\n";
        for (int i = 1; i <= sizes; ++i)
            out << 100 * i << "\t1\t" << name << " " << 100 * i << "\t" << name << " " << 100 * i << "\t\t\t" << 96 * i
                << "\t" << 100 * i << "\r\n";
    }
    std::string read(const std::string& file) const {
        std::ifstream in(prof() / file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    Vtl_ProfValuesTable table(const std::string& name) const {
        Vtl_ProfValuesTable t;
        EXPECT_TRUE(t.readFromFile(Vtl_String(name) + ".pr")) << name;
        return t;
    }
    // Beams with HEA and IPE, the sigma purlin of a drawing that is no longer in the library.
    DlgEditLibData catalogue() const {
        writeTable("HEA", "1", 3);
        writeTable("IPE", "1", 2);
        writeTable("SIGMA", "Gone.dwg", 2);
        DlgEditLibData data;
        data.groups.appendGroup(0, true, "ProfSectionI-big.bmp", Vtl_StringArray{"Balken", "Beams", "Poutres", "Traeger"});
        SectionType t;
        t.table = "HEA";
        t.groupId = 0;
        t.names = Vtl_StringArray{"HEA", "HEA", "HEA", "HEA"};
        data.types.append(t);
        return data;
    }
    Script& rename(Script& s, const std::string& name) {
        return s.click(ctrl(ValuesTablePage::kRenameId))
            .waitFor(win::dialogWithTemplate(kInputText))
            .key('A', win::ModCtrl)
            .type(name)
            .key(VK_RETURN);
    }
};

TEST_F(SectionLibraryEditorTest, ARenameNeverReplacesAnotherTableNorLeavesTheFolder) {
    DlgEditLibData data = catalogue();
    const std::string hea = read("HEA.pr"), ipe = read("IPE.pr");
    Script s;
    s.waitFor(win::dialogWithTemplate(SectionLibraryEditor::IDD)).check([] {
        EXPECT_EQ(valuesGrid().getRowCount(), 3);
        EXPECT_EQ(valuesGrid().getCurrentRow(), 2);  // HEA-200
    });
    rename(s, "ipe").waitFor(win::messageBoxContaining("already used")).answer(IDOK);
    rename(s, "A-B").waitFor(win::messageBoxContaining("cannot contain \"-\"")).answer(IDOK);
    rename(s, "..\\x").waitFor(win::messageBoxContaining("cannot be used as a file name")).answer(IDOK);
    s.key(VK_ESCAPE);
    bool ok = true;
    win::runWithScript(s, [&] { ok = StartDlgEditLibSections(data, "HEA-200"); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(read("HEA.pr"), hea);
    EXPECT_EQ(read("IPE.pr"), ipe);
    EXPECT_FALSE(fs::exists(libraryDir() / "x.pr"));
    EXPECT_FALSE(fs::exists(prof() / "A-B.pr"));
}

TEST_F(SectionLibraryEditorTest, ARenameWritesTheNewFileFirstAndTypesFollowIt) {
    DlgEditLibData data = catalogue();
    // A folder in the way makes the write fail: the old table stays, under its old name.
    fs::create_directories(prof() / "Blocked.pr" / "inside");
    Script s;
    s.waitFor(win::dialogWithTemplate(SectionLibraryEditor::IDD));
    rename(s, "Blocked").waitFor(win::messageBoxContaining("could not be written")).answer(IDOK);
    s.check([this] {
        EXPECT_EQ(selectedTable(), "HEA");
        EXPECT_EQ(table("HEA").rows.length(), 3);
    });
    rename(s, "HEAA");
    s.click(ctrl(IDOK));
    bool ok = false;
    win::runWithScript(s, [&] { ok = StartDlgEditLibSections(data, "HEA-100"); });
    ASSERT_TRUE(ok);
    EXPECT_FALSE(fs::exists(prof() / "HEA.pr"));
    EXPECT_EQ(table("HEAA").rows.length(), 3);
    EXPECT_EQ(data.types[0].table.str(), "HEAA");
    EXPECT_TRUE(data.tableNames.contains("HEAA"));
    EXPECT_FALSE(data.tableNames.contains("HEA"));
}

TEST_F(SectionLibraryEditorTest, StoringKeepsColumnNamesWithoutRowsAndAShapeTheListDoesNotOffer) {
    DlgEditLibData data = catalogue();
    Script s;
    s.waitFor(win::dialogWithTemplate(SectionLibraryEditor::IDD));
    // Every row of IPE deleted: the question on leaving it, then Yes.
    s.select(ctrl(ValuesTablePage::kTableListId), "IPE");
    for (int i = 0; i < 2; ++i) s.click(ctrl(ValuesTablePage::kDeleteRowId));
    s.select(ctrl(ValuesTablePage::kTableListId), "SIGMA")
        .waitFor(win::messageBoxContaining(kSaveQuestion))
        .answer(IDYES)
        .check([] { EXPECT_EQ(valuesGrid().getRowCount(), 2); });
    // A changed size of the sigma purlin, stored on OK.
    s.click(cellOf([] { return valuesGrid().grid(); }, 1, 1))
        .key('A', win::ModCtrl)
        .type("141x1.5")
        .click(ctrl(IDOK))
        .waitFor(win::messageBoxContaining("<SIGMA>"))
        .answer(IDYES);
    bool ok = false;
    win::runWithScript(s, [&] { ok = StartDlgEditLibSections(data, "IPE-100"); });
    ASSERT_TRUE(ok);
    const Vtl_ProfValuesTable ipe = table("IPE");
    EXPECT_EQ(ipe.rows.length(), 0);
    EXPECT_EQ(ipe.columnNames.length(), 8);
    EXPECT_EQ(ipe.shape.str(), "1");
    const Vtl_ProfValuesTable sigma = table("SIGMA");
    EXPECT_EQ(sigma.shape.str(), "Gone.dwg");
    EXPECT_EQ(sigma.rows[0][0].str(), "141x1.5");
}

TEST_F(SectionLibraryEditorTest, TheSaveQuestionKeepsTheEditorAndTheTableUntilAnswered) {
    DlgEditLibData data = catalogue();
    const std::string hea = read("HEA.pr");
    Script s;
    s.waitFor(win::dialogWithTemplate(SectionLibraryEditor::IDD))
        .click(ctrl(ValuesTablePage::kRowDownId))  // a row move is an edit
        .select(ctrl(ValuesTablePage::kTableListId), "IPE")
        .waitFor(win::messageBoxContaining(kSaveQuestion))
        .answer(IDCANCEL)
        .check([] { EXPECT_EQ(valuesGrid().getRowCount(), 3); })
        .click(ctrl(IDOK))
        .waitFor(win::messageBoxContaining("<HEA>"))
        .answer(IDCANCEL)
        .check([] { EXPECT_TRUE(::IsWindow(::GetActiveWindow())); })
        .click(ctrl(IDOK))
        .waitFor(win::messageBoxContaining("<HEA>"))
        .answer(IDNO);
    bool ok = false;
    win::runWithScript(s, [&] { ok = StartDlgEditLibSections(data, "HEA-100"); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(read("HEA.pr"), hea);
}

TEST_F(SectionLibraryEditorTest, NewTablesGetDistinctNamesAndOnlyStoredOnesReachTheDiskOnCancel) {
    DlgEditLibData data = catalogue();
    const DlgEditLibData before = data;
    Script s;
    s.waitFor(win::dialogWithTemplate(SectionLibraryEditor::IDD))
        .click(ctrl(ValuesTablePage::kNewId))
        .click(ctrl(ValuesTablePage::kNewId))
        .waitFor(win::messageBoxContaining("<NewType>"))
        .answer(IDYES)
        .check([] {
            EXPECT_EQ(selectedTable(), "NewType_1");
            EXPECT_EQ(valuesGrid().getColCount(), 8);
            EXPECT_TRUE(valuesGrid().isChanged());
        })
        .key(VK_ESCAPE);
    bool ok = true;
    win::runWithScript(s, [&] { ok = StartDlgEditLibSections(data, "HEA-100"); });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(fs::exists(prof() / "NewType.pr"));
    EXPECT_FALSE(fs::exists(prof() / "NewType_1.pr"));
    EXPECT_EQ(table("NewType").columnNames[6].str(), "Value1");
    EXPECT_EQ(data.types.length(), before.types.length());
    EXPECT_TRUE(data.tableNames.isEmpty());
}

TEST_F(SectionLibraryEditorTest, GroupsAndTypesAreEditedAndHandedBackOnOk) {
    DlgEditLibData data = catalogue();
    Script s;
    s.waitFor(win::dialogWithTemplate(SectionLibraryEditor::IDD))
        .click(ctrl(LibraryCatalogPage::kNewId))
        .click(ctrl(LibraryCatalogPage::kEnabledId))  // the new group off
        .click(tabItemOf([] { return findShown(::GetActiveWindow(), SectionLibraryEditor::kTabId); }, 1))
        .click(ctrl(LibraryCatalogPage::kNewId))
        .click(ctrl(LibraryCatalogPage::kNewId))
        .select(ctrl(LibraryCatalogPage::kGroupId), "Beams")
        .select(ctrl(LibraryCatalogPage::kTableId), "IPE")
        .click(ctrl(IDOK));
    bool ok = false;
    win::runWithScript(s, [&] { ok = StartDlgEditLibSections(data, ""); });
    ASSERT_TRUE(ok);
    ASSERT_EQ(data.groups.length(), 2);
    EXPECT_FALSE(data.groups.getEnabled(1));
    EXPECT_EQ(data.groups.getName(1).str(), "New group");
    ASSERT_EQ(data.types.length(), 3);
    EXPECT_EQ(data.types[1].getName().str(), data.types[2].getName().str());
    EXPECT_EQ(data.types[1].groupId, -1);
    EXPECT_EQ(data.types[2].groupId, 0);
    EXPECT_EQ(data.types[2].table.str(), "IPE");
}

TEST_F(SectionLibraryEditorTest, TheLayoutDialogKeepsTypedHeadersAndRefusesNegativeCounts) {
    EXPECT_EQ(KsGridLayoutDlg::typedCount("-3", KsGridLayoutDlg::kMaxColumns), 0);
    EXPECT_EQ(KsGridLayoutDlg::typedCount("abc", KsGridLayoutDlg::kMaxColumns), 0);
    EXPECT_EQ(KsGridLayoutDlg::typedCount("99999", KsGridLayoutDlg::kMaxColumns), KsGridLayoutDlg::kMaxColumns);
    DlgEditLibData data = catalogue();
    const auto preview = [] { return ::GetDlgItem(::GetActiveWindow(), KsGridLayoutDlg::kColumnPreviewId); };
    const auto previewCols = [preview] { return static_cast<Vtl_Spread*>(CWnd::FromHandle(preview()))->getColCount(); };
    Script s;
    s.waitFor(win::dialogWithTemplate(SectionLibraryEditor::IDD))
        .click(ctrl(ValuesTablePage::kLayoutId))
        .waitFor(win::dialogWithTemplate(KsGridLayoutDlg::IDD))
        .check([=] { EXPECT_EQ(previewCols(), 8); })
        .click(ctrl(KsGridLayoutDlg::kColumnCountId))
        .key('A', win::ModCtrl)
        .type("10")
        .click(cellOf(preview, 7, 1))
        .key('A', win::ModCtrl)
        .type("Mass")
        .click(ctrl(KsGridLayoutDlg::kColumnCountId))
        .key('A', win::ModCtrl)
        .type("-3")
        .check([=] { EXPECT_EQ(previewCols(), 0); })
        .key('A', win::ModCtrl)
        .type("10")
        .click(ctrl(IDOK))
        .check([] {
            Vtl_String header;
            valuesGrid().getCellText(7, Vtl_Spread::HEADER, header, 3);
            EXPECT_EQ(header.str(), "Mass");
            valuesGrid().getCellText(8, Vtl_Spread::HEADER, header, 3);
            EXPECT_EQ(header.str(), "Width");  // a drawing's table names no dimensions: kept
            valuesGrid().getCellText(1, Vtl_Spread::HEADER, header, 3);
            EXPECT_EQ(header.str(), "SysName");
            EXPECT_EQ(valuesGrid().getColCount(), 10);
            EXPECT_TRUE(valuesGrid().isChanged());
        })
        // Cancel of the layout leaves the grid as it is.
        .click(ctrl(ValuesTablePage::kLayoutId))
        .waitFor(win::dialogWithTemplate(KsGridLayoutDlg::IDD))
        .click(ctrl(KsGridLayoutDlg::kRowCountId))
        .key('A', win::ModCtrl)
        .type("1")
        .click(ctrl(IDCANCEL))
        .check([] { EXPECT_EQ(valuesGrid().getRowCount(), 2); })
        .key(VK_ESCAPE);
    win::runWithScript(s, [&] { StartDlgEditLibSections(data, "SIGMA-100"); });
}

TEST_F(SectionLibraryEditorTest, ShapeTextsConvertBothWaysAndUnknownTextsGiveMinusOne) {
    for (int code = ui::kFirstShapeCode; code <= ui::kLastShapeCode; ++code)
        EXPECT_EQ(ui::shapeFromDisplayText(ui::shapeCodeText(code)).toInt(), code);
    EXPECT_EQ(ui::shapeDisplayText("3").str(), "<HL>");
    EXPECT_EQ(ui::shapeFromDisplayText("Rail.dwg").str(), "Rail.dwg");
    EXPECT_EQ(ui::shapeFromDisplayText("<Nope>").str(), "-1");
    EXPECT_EQ(ui::shapeCode("Gone.dwg"), 0);
    EXPECT_EQ(ui::shapeCode("18"), 0);
    const Vtl_StringArray columns = ui::expectedColumnNames("4");
    ASSERT_EQ(columns.length(), 10);
    EXPECT_EQ(columns[7].str(), "Leg1");
    EXPECT_EQ(columns[8].str(), "Leg2");
    EXPECT_EQ(ui::expectedColumnNames("Rail.dwg").length(), 6);
}

TEST_F(SectionLibraryEditorTest, AShapeWithFewerColumnsAsksBeforeCuttingAndDeleteAsksBeforeRemoving) {
    DlgEditLibData data = catalogue();
    Script s;
    s.waitFor(win::dialogWithTemplate(SectionLibraryEditor::IDD))
        // Round (one dimension): 7 columns expected, the table has 8; No keeps them.
        .select(ctrl(ValuesTablePage::kShapeId), "<Round>")
        .waitFor(win::messageBoxContaining("Remove the extra columns?"))
        .answer(IDNO)
        .check([] {
            EXPECT_EQ(valuesGrid().getColCount(), 8);
            Vtl_String header;
            valuesGrid().getCellText(7, Vtl_Spread::HEADER, header, 3);
            EXPECT_EQ(header.str(), "Diameter");
            valuesGrid().getCellText(8, Vtl_Spread::HEADER, header, 3);
            EXPECT_EQ(header.str(), "Width");
        })
        .select(ctrl(ValuesTablePage::kShapeId), "<Rectangle>")  // as many columns: no question
        .select(ctrl(ValuesTablePage::kShapeId), "<Round>")
        .waitFor(win::messageBoxContaining("Remove the extra columns?"))
        .answer(IDYES)
        .check([] { EXPECT_EQ(valuesGrid().getColCount(), 7); })
        // Deleting the table: No keeps it, Yes removes the file and shows the first table.
        .click(ctrl(ValuesTablePage::kDeleteId))
        .waitFor(win::messageBoxContaining("<HEA>"))
        .answer(IDNO)
        .click(ctrl(ValuesTablePage::kDeleteId))
        .waitFor(win::messageBoxContaining("<HEA>"))
        .answer(IDYES)
        .check([] {
            EXPECT_EQ(selectedTable(), "IPE");
            EXPECT_FALSE(valuesGrid().isChanged());
        })
        .click(ctrl(IDOK));
    bool ok = false;
    win::runWithScript(s, [&] { ok = StartDlgEditLibSections(data, "HEA-100"); });
    EXPECT_TRUE(ok);
    EXPECT_FALSE(fs::exists(prof() / "HEA.pr"));
    EXPECT_TRUE(fs::exists(prof() / "IPE.pr"));
    EXPECT_FALSE(data.tableNames.contains("HEA"));
}

}  // namespace
}  // namespace vtl::test
