// The simple library editor: the name pattern and prefixes found in a table, where a new size goes, the
// cells it gets, refused names and tube checks; and the dialog through StartDlgEditLibSimple and scripts.
#include "library/edit_lib_simple.h"
#include "module_test_support.h"
#include "vtlui/vtl_prof_values_table.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
using ui::EditLibSimpleDialog;
using ui::SimpleSizeBuilder;
using win::ctrl;
using win::Script;
using Result = SimpleSizeBuilder::AddResult;

Vtl_StringArray row(std::initializer_list<const char*> cells) {
    Vtl_StringArray out;
    for (const char* c : cells) out.append(c);
    return out;
}

// Angles: sizes named height x width x thickness, display names "L " + name.
Vtl_ProfValuesTable angles() {
    Vtl_ProfValuesTable t;
    t.typeName = "L";
    t.shape = "2";
    t.columnNames = row({"SysName", "I/O", "Dutch", "English", "French", "German", "h", "b", "t", "r1", "A"});
    t.rows.append(row({"40x40x4", "1", "L 40x40x4", "L 40x40x4", "L 40x40x4", "L 40x40x4", "40", "40", "4", "6", "3.08"}));
    t.rows.append(row({"50x30x5", "0", "L 50x30x5", "L 50x30x5", "L 50x30x5", "L 50x30x5", "50", "30", "5", "5", "3.78"}));
    t.rows.append(row({"50x50x5", "1", "L 50x50x5", "L 50x50x5", "L 50x50x5", "L 50x50x5", "50", "50", "5", "7", "4.8"}));
    t.rows.append(row({"60x40x6", "1", "L 60x40x6", "L 60x40x6", "L 60x40x6", "L 60x40x6", "60", "40", "6", "6", "5.68"}));
    t.rows.append(row({"60x60x6", "1", "L 60x60x6", "L 60x60x6", "L 60x60x6", "L 60x60x6", "60", "60", "6", "8", "6.91"}));
    return t;
}

std::vector<std::string> names(const Vtl_ProfValuesTable& t) {
    std::vector<std::string> out;
    for (const auto& r : t.rows) out.push_back(r[0].str());
    return out;
}

class EditLibSimpleTest : public ModuleTest {};

TEST_F(EditLibSimpleTest, FindsTheNamePatternAndPrefixesFromTheStartingSize) {
    SimpleSizeBuilder b(angles(), "60x40x6");
    EXPECT_EQ(b.templateRow(), 3);
    // 60 -> h, 40 -> b, 6 -> t (the first free column holding 6; r1 holds 6 too).
    EXPECT_EQ(b.partMap(), (std::vector<int>{0, 1, 2}));
    ASSERT_EQ(b.prefixes().length(), 4);
    EXPECT_EQ(b.prefixes()[1].str(), "L ");
    EXPECT_EQ(b.valueFieldCount(), 5);
    EXPECT_EQ(b.buildName(row({"100", "50", "6", "9", "8.71"})).str(), "100x50x6");
    // A size that is not in the table starts from the first row.
    EXPECT_EQ(SimpleSizeBuilder(angles(), "999").templateRow(), 0);
    // Equal parts map to different columns.
    SimpleSizeBuilder equal(angles(), "50x50x5");
    EXPECT_EQ(equal.partMap(), (std::vector<int>{0, 1, 2}));
}

TEST_F(EditLibSimpleTest, UnequalSizesGoToTheirSortedPlaceAndTheResultCountsActiveRowsOnly) {
    SimpleSizeBuilder b(angles(), "60x40x6");
    int index = -2;
    ASSERT_EQ(b.addSize("55x35x5", false, row({"55", "35", "5", "5", "4.1"}), index), Result::added);
    EXPECT_EQ(names(b.table()), (std::vector<std::string>{"40x40x4", "50x30x5", "50x50x5", "55x35x5", "60x40x6", "60x60x6"}));
    EXPECT_EQ(index, 2);  // the inactive 50x30x5 before it does not count
    const Vtl_StringArray& added = b.table().rows[3];
    EXPECT_EQ(added[1].str(), "1");
    EXPECT_EQ(added[2].str(), "L 55x35x5");
    EXPECT_EQ(added[5].str(), "L 55x35x5");
    EXPECT_EQ(added[9].str(), "5");
    EXPECT_EQ(added[10].str(), "4.1");
}

TEST_F(EditLibSimpleTest, EqualLeggedSizesFollowTheEqualLeggedSizeBeforeThem) {
    SimpleSizeBuilder b(angles(), "50x50x5");
    int index = -1;
    // 55x55x5 sorts after 50x50x5: directly after it, though 50x30x5 ... 60x40x6 sort around it.
    ASSERT_EQ(b.addSize("55x55x5", false, row({"55", "55", "5", "7", "5.3"}), index), Result::added);
    EXPECT_EQ(names(b.table()), (std::vector<std::string>{"40x40x4", "50x30x5", "50x50x5", "55x55x5", "60x40x6", "60x60x6"}));
    // One sorting before every equal-legged size goes after row 0.
    ASSERT_EQ(b.addSize("30x30x3", false, row({"30", "30", "3", "5", "1.74"}), index), Result::added);
    EXPECT_EQ(names(b.table())[1], "30x30x3");
    EXPECT_EQ(index, 1);
}

TEST_F(EditLibSimpleTest, EmptyOrUsedNamesAndThinTubesAddNothing) {
    SimpleSizeBuilder b(angles(), "40x40x4");
    int index = 7;
    EXPECT_EQ(b.addSize("", true, row({"1"}), index), Result::emptyName);
    EXPECT_EQ(b.addSize("50x50x5", true, row({"1"}), index), Result::nameInUse);
    EXPECT_EQ(b.table().rows.length(), 5);
    EXPECT_EQ(index, -1);

    Vtl_ProfValuesTable tubes;
    tubes.typeName = "RHS";
    tubes.shape = "10";
    tubes.columnNames = row({"SysName", "I/O", "Dutch", "English", "French", "German", "h", "b", "t", "r"});
    tubes.rows.append(row({"0", "0", "x", "x", "x", "x", "0", "0", "0", "0"}));  // inactive, before the place
    tubes.rows.append(row({"100x50x4", "1", "RHS 100x50x4", "RHS 100x50x4", "RHS 100x50x4", "RHS 100x50x4", "100", "50", "4", "8"}));
    SimpleSizeBuilder t(tubes, "100x50x4");
    EXPECT_EQ(t.addSize("120x60x5", false, row({"120", "60", "5", "5"}), index), Result::badTubeRadius);
    EXPECT_EQ(t.table().rows.length(), 2);
    // Corrected, the size is added exactly once.
    EXPECT_EQ(t.addSize("120x60x5", false, row({"120", "60", "5", "10"}), index), Result::added);
    EXPECT_EQ(t.table().rows.length(), 3);
    EXPECT_EQ(index, 1);
}

TEST_F(EditLibSimpleTest, CellsAreMappedWithinTheRowOnly) {
    // Names that match no pattern and more than eight value columns.
    Vtl_ProfValuesTable t;
    t.typeName = "RAIL";
    t.shape = "Rail.dwg";
    t.columnNames = row({"SysName", "I/O", "Dutch", "English", "French", "German", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
    t.rows.append(row({"A45", "0", "Kraanrail A45", "Crane rail A45", "Rail A45", "Kranschiene A45", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    SimpleSizeBuilder b(t, "A45");
    EXPECT_TRUE(b.partMap().empty());
    EXPECT_EQ(b.valueFieldCount(), 8);
    int index = -1;
    ASSERT_EQ(b.addSize("A55", true, row({"11", "12", "13", "14", "15", "16", "17", "18"}), index), Result::added);
    const Vtl_StringArray& added = b.table().rows[1];
    ASSERT_EQ(added.length(), 16);
    EXPECT_EQ(added[1].str(), "1");
    EXPECT_EQ(added[3].str(), "A55");
    EXPECT_EQ(added[13].str(), "18");
    EXPECT_EQ(added[14].str(), "9");   // beyond the eight fields: as copied
    EXPECT_EQ(added[15].str(), "10");
    // An empty table has no size to start from.
    Vtl_ProfValuesTable empty = t;
    empty.rows.removeAll();
    SimpleSizeBuilder none(empty, "");
    EXPECT_EQ(none.addSize("A1", true, row({}), index), Result::noTemplate);
    EXPECT_EQ(index, -1);
}

TEST_F(EditLibSimpleTest, TheDialogBuildsTheNameFromTheValuesAndRefusesAUsedTypedName) {
    Vtl_ProfValuesTable table = angles();
    int index = -1;
    Script s;
    s.waitFor(win::dialogWithTemplate(EditLibSimpleDialog::IDD)).check([] {
        HWND dlg = ::GetActiveWindow();
        EXPECT_EQ(GetWindowText(dlg), "New section size");
        EXPECT_EQ(GetDlgItemText(dlg, EditLibSimpleDialog::kNameId), "L 60x40x6");
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg, EditLibSimpleDialog::kNameId)));
        EXPECT_EQ(GetDlgItemText(dlg, EditLibSimpleDialog::labelId(0)), "A. Height:");
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dlg, EditLibSimpleDialog::editId(4))));
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dlg, EditLibSimpleDialog::editId(5))));
    });
    s.click(ctrl(EditLibSimpleDialog::editId(0))).key('A', win::ModCtrl).type("100");
    s.click(ctrl(EditLibSimpleDialog::editId(1))).key('A', win::ModCtrl).type("50");
    s.check([] { EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), EditLibSimpleDialog::kNameId), "L 100x50x6"); });
    // A typed name already in the table is refused; the dialog stays open.
    s.click(ctrl(EditLibSimpleDialog::kTypedId))
        .click(ctrl(EditLibSimpleDialog::kNameId))
        .key('A', win::ModCtrl)
        .type("50x50x5")
        .click(ctrl(IDOK))
        .waitFor(win::messageBoxWith("This name is already used.\nPlease choose another name."))
        .answer(IDOK)
        .click(ctrl(EditLibSimpleDialog::kBuiltId))
        .click(ctrl(IDOK));
    bool ok = false;
    win::runWithScript(s, [&] { ok = StartDlgEditLibSimple("60x40x6", table, index); });
    ASSERT_TRUE(ok);
    EXPECT_EQ(names(table).back(), "100x50x6");
    EXPECT_EQ(table.rows.last()[3].str(), "L 100x50x6");
    EXPECT_EQ(index, 4);
}

TEST_F(EditLibSimpleTest, CancelLeavesTheTableAndIndex) {
    Vtl_ProfValuesTable table = angles();
    int index = 42;
    Script s;
    s.waitFor(win::dialogWithTemplate(EditLibSimpleDialog::IDD))
        .click(ctrl(EditLibSimpleDialog::editId(0)))
        .type("9")
        .click(ctrl(IDCANCEL));
    bool ok = true;
    win::runWithScript(s, [&] { ok = StartDlgEditLibSimple("40x40x4", table, index); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(table.rows.length(), 5);
    EXPECT_EQ(index, 42);
}

}  // namespace
}  // namespace vtl::test
