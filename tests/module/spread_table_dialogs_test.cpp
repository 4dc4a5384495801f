// The table dialogs through their exported start functions and scripts (startGridDialog, StartDlgGrid,
// StartDlgLookUp), and the bill receiver's feed.
#include "module_test_support.h"
#include "spread/table_dialogs.h"
#include "vtlbase/dialog_size.h"
#include "vtlui/ks_grid_dlg_data.h"
#include "vtlui/ks_look_up_dlg_data.h"
#include "vtlui/ks_ss_bill_output.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
using ui::KsGridDlg;
using ui::KsLookUpDlg;
using ui::KsStringArrayDlg;
using win::ctrl;
using win::Script;

HWND activeGrid() { return ::GetDlgItem(::GetActiveWindow(), KsStringArrayDlg::kGridId); }

Vtl_Array<Vtl_StringArray> boltRows() {
    Vtl_Array<Vtl_StringArray> table;
    table.append(Vtl_StringArray{"M16", "8.8", "90.4"});
    table.append(Vtl_StringArray{"M20", "8.8"});
    table.append(Vtl_StringArray{"M24", "10.9", "254.2"});
    return table;
}

std::vector<std::vector<std::string>> plain(const Vtl_Array<Vtl_StringArray>& table) {
    std::vector<std::vector<std::string>> out;
    for (const auto& row : table) {
        out.emplace_back();
        for (const auto& text : row) out.back().push_back(text.str());
    }
    return out;
}

class SpreadTableDialogsTest : public ModuleTest {};

TEST_F(SpreadTableDialogsTest, StringTableWithoutColumnsShowsNothing) {
    Vtl_Array<Vtl_StringArray> table = boltRows();
    EXPECT_FALSE(startGridDialog(Vtl_StringArray(), Vtl_StringArray(), table, true, "", "Bolts"));
    EXPECT_EQ(table.length(), 3);
}

TEST_F(SpreadTableDialogsTest, RowsOfAnotherLengthAreNotShownAndKeptInPlace) {
    Vtl_Array<Vtl_StringArray> table = boltRows();
    Script s;
    s.waitFor(win::dialogWithTemplate(KsStringArrayDlg::IDD))
        .check([] {
            EXPECT_EQ(GetWindowText(::GetActiveWindow()), "Bolts");
            EXPECT_EQ(SSGetRowCount(activeGrid()), 2);
            EXPECT_EQ(SSGetCellString(activeGrid(), 1, 2, 0), "M24");
            EXPECT_EQ(SSGetCellString(activeGrid(), 2, SS_HEADER, 0), "Grade");
            EXPECT_FALSE(SSGetSwitch(activeGrid(), SS_SWITCH_ROW_HEADERS));
        })
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_TRUE(startGridDialog({"Bolt", "Grade", "FtRd"}, {}, table, false, "", "Bolts")); });
    EXPECT_EQ(plain(table), plain(boltRows()));
    EXPECT_TRUE(hasDlgSize(KsStringArrayDlg::kDefaultName));

    // An edit of the last shown row changes that row only; the short row keeps its place.
    Script edit;
    edit.waitFor(win::dialogWithTemplate(KsStringArrayDlg::IDD))
        .click(cellOf(activeGrid, 3, 2))
        .key('A', win::ModCtrl)
        .type("260.0")
        .click(ctrl(IDOK));
    run(edit, [&] { EXPECT_TRUE(startGridDialog({"Bolt", "Grade", "FtRd"}, {}, table, false, "BOLTS", "Bolts")); });
    auto expected = plain(boltRows());
    expected[2][2] = "260.0";
    EXPECT_EQ(plain(table), expected);
    EXPECT_TRUE(hasDlgSize("BOLTS"));
}

TEST_F(SpreadTableDialogsTest, AddAndRemoveRowsAndCancelKeepsTheTable) {
    Vtl_Array<Vtl_StringArray> table = boltRows();
    Script s;
    s.waitFor(win::dialogWithTemplate(KsStringArrayDlg::IDD))
        .check([] {
            EXPECT_TRUE(SSGetSwitch(activeGrid(), SS_SWITCH_ROW_HEADERS));
            EXPECT_EQ(SSGetCellString(activeGrid(), SS_HEADER, 2, 0), "second");
        })
        .click(cellOf(activeGrid, 1, 1))
        .click(ctrl(KsStringArrayDlg::kAddId))
        .check([] {
            EXPECT_EQ(SSGetRowCount(activeGrid()), 3);
            int col = 0, row = 0;
            SSGetActiveCell(activeGrid(), &col, &row);
            EXPECT_EQ(row, 2);
            EXPECT_EQ(SSGetCellString(activeGrid(), 1, 3, 0), "M24");
        })
        .type("M30")
        .click(cellOf(activeGrid, 1, 1))
        .click(ctrl(KsStringArrayDlg::kRemoveId))
        .check([] { EXPECT_EQ(SSGetRowCount(activeGrid()), 2); })
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_TRUE(startGridDialog({"Bolt", "Grade", "FtRd"}, {"first", "second"}, table, true, "", "Bolts")); });
    ASSERT_EQ(table.length(), 3);
    EXPECT_EQ(table[0][0].str(), "M30");
    EXPECT_EQ(table[1].length(), 2);  // the short row, at its old index
    EXPECT_EQ(table[2][0].str(), "M24");

    const auto before = plain(table);
    Script cancel;
    cancel.waitFor(win::dialogWithTemplate(KsStringArrayDlg::IDD))
        .check([] {
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(::GetActiveWindow(), KsStringArrayDlg::kAddId)));
            SSSetCellText(activeGrid(), 1, 1, "changed");
        })
        .click(ctrl(IDCANCEL));
    run(cancel, [&] { EXPECT_FALSE(startGridDialog({"Bolt", "Grade", "FtRd"}, {}, table, false, "", "Bolts")); });
    EXPECT_EQ(plain(table), before);
}

TEST_F(SpreadTableDialogsTest, GridDialogShowsAndReadsItsFields) {
    KsGridDlgData data;
    Script s;
    s.waitFor(win::dialogWithTemplate(KsGridDlg::IDD))
        .check([] {
            const HWND d = ::GetActiveWindow();
            EXPECT_EQ(GetWindowText(d), "Grid");
            EXPECT_EQ(GetDlgItemText(d, KsGridDlg::kFirstCountId), "4");
            EXPECT_EQ(GetDlgItemText(d, KsGridDlg::kSecondLabelId), "1");
        })
        .click(ctrl(KsGridDlg::kFirstCountId))
        .key('A', win::ModCtrl)
        .type("six")
        .click(ctrl(KsGridDlg::kSecondDistancesId))
        .key('A', win::ModCtrl)
        .type("6000 2*7500")
        .click(ctrl(KsGridDlg::kOptionId))
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_TRUE(StartDlgGrid(data)); });
    EXPECT_EQ(data.firstCount, 0);
    EXPECT_EQ(data.secondDistances.str(), "6000 2*7500");
    EXPECT_EQ(data.secondCount, 3);
    EXPECT_TRUE(data.option);

    Script cancel;
    cancel.waitFor(win::dialogWithTemplate(KsGridDlg::IDD))
        .click(ctrl(KsGridDlg::kFirstLabelId))
        .type("X")
        .click(ctrl(IDCANCEL));
    run(cancel, [&] { EXPECT_FALSE(StartDlgGrid(data)); });
    EXPECT_EQ(data.firstLabel.str(), "A");
}

TEST_F(SpreadTableDialogsTest, LookUpDialogMatchCaseFollowsTheRadiosAndShowAllCloses) {
    KsLookUpDlgData data;
    data.list1 = {"HEA", "HEB", "IPE"};
    data.text1 = "IPE";
    data.option = true;
    Script s;
    s.waitFor(win::dialogWithTemplate(KsLookUpDlg::IDD))
        .check([] {
            const HWND d = ::GetActiveWindow();
            EXPECT_EQ(GetDlgItemText(d, KsLookUpDlg::kText1Id), "IPE");
            EXPECT_EQ(GetDlgItemText(d, KsLookUpDlg::kConditionId), "Starts with");
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, KsLookUpDlg::kMatchCaseId)));
        })
        .click(ctrl(KsLookUpDlg::kPartialId))
        .check([] { EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), KsLookUpDlg::kMatchCaseId))); })
        .select(ctrl(KsLookUpDlg::kSortId), "Descending")
        .click(ctrl(KsLookUpDlg::kShowAllId));
    run(s, [&] { EXPECT_TRUE(StartDlgLookUp(data)); });
    EXPECT_EQ(data.closedBy, KsLookUpDlgData::closedByShowAll);
    EXPECT_TRUE(data.secondOptionSet);
    EXPECT_TRUE(data.option);  // disabled, still written back
    EXPECT_EQ(data.choice2, 1);
    EXPECT_EQ(data.list1.length(), 3);

    Script ok;
    ok.waitFor(win::dialogWithTemplate(KsLookUpDlg::IDD))
        .click(ctrl(KsLookUpDlg::kExactId))
        .click(ctrl(KsLookUpDlg::kMatchCaseId))
        .click(ctrl(KsLookUpDlg::kText4Id))
        .type("300")
        .click(ctrl(IDOK));
    run(ok, [&] { EXPECT_TRUE(StartDlgLookUp(data)); });
    EXPECT_EQ(data.closedBy, KsLookUpDlgData::closedByOk);
    EXPECT_FALSE(data.secondOptionSet);
    EXPECT_FALSE(data.option);
    EXPECT_EQ(data.text4.str(), "300");
}

TEST(KsSSBillOutputTest, FeedEndsWithNoGridToFinish) {
    KsSSBillOutput bill;
    AcArray<int> widths;
    EXPECT_EQ(bill.init("Bill of materials", {"Job", "Hall 3"}, widths, widths), Acad::eOk);
    EXPECT_EQ(bill.onStartFeed(), Acad::eOk);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bill.onAddRow({"1", "IPE 300", "6000"}), Acad::eOk);
    Vtl_ListOutputCallback& base = bill;
    EXPECT_EQ(base.onNewPage(), Acad::eOk);
    EXPECT_EQ(base.onAddSubTotals({"Total"}, {"18000"}, true, 1), Acad::eOk);
    EXPECT_EQ(base.onAddSeperation(1), Acad::eOk);
    EXPECT_EQ(base.onEndFeed(), Acad::eInvalidInput);
    KsSSBillOutput copy(bill);
    copy = bill;
    EXPECT_EQ(copy.rowCount(), 0);
}

}  // namespace
}  // namespace vtl::test
