// The find and replace dialog of a grid, played as a person does: F3 and F5 in the grid, the dialog's
// buttons and keys, the question at the end of the sheet, and the dialog going with its grid.
#include "common/ks_find_replace_dlg.h"
#include "module_test_support.h"
#include "spread/text_search.h"
#include "vtlbase/dialog_size.h"
#include "win/api.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
using namespace vtl::ui;
using win::Script;
constexpr int kFind = KsFindReplaceDlg::IDD;

std::string cellText(const GridHolder& dlg, int col, int row) {
    return SSGetCellString(dlg.spread.grid(), col, row, SS_CONTENT_VALUE);
}

std::pair<int, int> editSelection(const GridHolder& dlg) {
    int a = -1, b = -1;
    EXPECT_TRUE(dlg.spread.getEditSelection(a, b));
    return {a, b};
}

std::pair<int, int> activeCell(const GridHolder& dlg) {
    int c = 0, r = 0;
    dlg.spread.getActiveCell(c, r);
    return {c, r};
}

// A grid of steel grades: three columns, three rows.
void gradesGrid(Vtl_Spread& g) {
    g.setStyle(1);
    g.setColCount(3, false);
    g.setRowCount(3);
    g.setCellText(1, 1, "Plate");
    g.setCellText(2, 1, "PL 10 S235");
    g.setCellText(3, 2, "s235 JR and S235 J0");
    g.setCellText(1, 3, "HEA 200");
}

// Opens the dialog with F3 in the grid and types the find and replacement texts into it.
void openWith(Script& s, GridHolder& dlg, const std::string& find, const std::string& replacement = "") {
    s.waitFor(win::dialogWithTemplate(kGridHolder))
        .click(cellOf(dlg, 1, 1))
        .key(VK_F3)
        .waitFor(win::dialogWithTemplate(kFind))
        .type(find);
    if (!replacement.empty()) s.click(win::ctrl(KsFindReplaceDlg::kReplaceWithId)).type(replacement);
}

TEST(TextSearch, FindsWhatTheTextsOwnSearchFindsIgnoringCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"PL 10 S235", "s235"}, {"s235 JR", "S235 jr"}, {"HEA 200", "hea 2001"}, {"Stütze Ø18", "STÜTZE ø"},
        {"Stütze", "stutze"},   {"ÄÖÜ", "äöü"},         {"Ωmega", "ωM"},        {"abc", ""},
        {"xx", "xxx"},          {"aéb", "É"},            {"äb", "B"},            {"Zürich 1x", "X"}};
    for (const auto& [text, needle] : cases)
        EXPECT_EQ(TextSearch(needle).in(text), Vtl_String(text).hasSubString(needle, false)) << text << " / " << needle;
}

TEST_F(ModuleTest, F3OpensTheFindDialogOnceAndThenFindsEveryOccurrenceIgnoringCase) {
    GridHolder dlg;
    dlg.setUp = gradesGrid;
    bool permanentEditBefore = true;
    Script s;
    s.waitFor(win::dialogWithTemplate(kGridHolder)).check([&] {
        SSSetSwitch(dlg.spread.grid(), SS_SWITCH_PERMANENT_EDIT, FALSE);
        SSSetSwitch(dlg.spread.grid(), 20, TRUE);
        permanentEditBefore = dlg.spread.getOption(SS_SWITCH_PERMANENT_EDIT);
    });
    openWith(s, dlg, "S235");
    s.check([&] {
         // Opening searched nothing; the dialog stays on top and the grid edits permanently.
         ASSERT_NE(dlg.spread.findDialog(), nullptr);
         EXPECT_TRUE(GetWindowLongPtr(dlg.spread.findDialog()->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
         EXPECT_EQ(GetWindowText(dlg.spread.findDialog()->m_hWnd), dialString(1136).str());
         EXPECT_TRUE(dlg.spread.getOption(SS_SWITCH_PERMANENT_EDIT));
         EXPECT_FALSE(dlg.spread.getOption(20));
         EXPECT_EQ(activeCell(dlg), std::make_pair(1, 1));
     })
        .key(VK_RETURN)  // Find next: the occurrence itself is selected, not the rest of the cell
        .check([&] {
            EXPECT_EQ(activeCell(dlg), std::make_pair(2, 1));
            EXPECT_EQ(editSelection(dlg), std::make_pair(6, 10));
        })
        .key(VK_F3)  // from the grid now: the next cell, in another case
        .check([&] {
            EXPECT_EQ(activeCell(dlg), std::make_pair(3, 2));
            EXPECT_EQ(editSelection(dlg), std::make_pair(0, 4));
        })
        .click(win::ctrlIn(kFind, IDOK))  // the same cell, after the selection
        .check([&] { EXPECT_EQ(editSelection(dlg), std::make_pair(12, 16)); })
        .click(win::ctrlIn(kFind, IDOK))
        .waitFor(win::messageBoxContaining(dialString(1143).str()))
        .answer(IDNO)
        .waitFor(win::dialogWithTemplate(kFind))  // the message box is gone
        .check([&] { EXPECT_EQ(activeCell(dlg), std::make_pair(3, 2)); })
        .click(win::ctrlIn(kFind, IDOK))
        .waitFor(win::messageBoxContaining(dialString(1143).str()))
        .answer(IDYES)
        .waitFor(win::dialogWithTemplate(kGridHolder))  // found from the first cell again
        .check([&] {
            EXPECT_EQ(activeCell(dlg), std::make_pair(2, 1));
            EXPECT_EQ(editSelection(dlg), std::make_pair(6, 10));
            EXPECT_FALSE(dlg.spread.isChanged());  // finding changes nothing
        })
        .click(win::ctrlIn(kFind, IDCANCEL))
        .check([&] {
            // Closing from its own button: the grid forgets it and edits as before.
            EXPECT_EQ(dlg.spread.findDialog(), nullptr);
            EXPECT_EQ(dlg.spread.getOption(SS_SWITCH_PERMANENT_EDIT), permanentEditBefore);
            EXPECT_FALSE(dlg.spread.getOption(20));
            EXPECT_TRUE(hasDlgSize(KsFindReplaceDlg::kSizeKey));
        })
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(ModuleTest, ATextFoundNowhereIsReportedAndAnEmptyTextSearchesNothing) {
    GridHolder dlg;
    dlg.setUp = gradesGrid;
    Script s;
    openWith(s, dlg, "S355");
    s.key(VK_RETURN)
        .waitFor(win::messageBoxContaining(dialString(1143).str()))
        .answer(IDYES)
        .waitFor(win::messageBoxWith(dialString(1145).str()))
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(kFind))  // the message box is gone
        .click(win::ctrlIn(kFind, KsFindReplaceDlg::kFindId))
        .key(VK_END)
        .key(VK_BACK, win::ModNone).key(VK_BACK).key(VK_BACK).key(VK_BACK)
        .click(win::ctrlIn(kFind, IDOK))  // empty: no question, no message
        .click(win::ctrlIn(kFind, KsFindReplaceDlg::kReplaceId))
        .click(win::ctrlIn(kFind, KsFindReplaceDlg::kReplaceAllId))
        .waitFor(win::messageBoxWith(dialString(1147).str() + " 0 " + dialString(1148).str()))
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(kFind))  // the message box is gone
        .check([&] {
            EXPECT_EQ(cellText(dlg, 2, 1), "PL 10 S235");
            EXPECT_FALSE(dlg.spread.isChanged());
        })
        .key(VK_ESCAPE)
        .check([&] { EXPECT_EQ(dlg.spread.findDialog(), nullptr); })
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(ModuleTest, ReplaceChangesOnlyAnOccurrenceItFoundAndSelected) {
    GridHolder dlg;
    dlg.setUp = [](Vtl_Spread& g) {
        g.setStyle(1);
        g.setColCount(2, false);
        g.setRowCount(2);
        g.setCellText(1, 1, "grade S235 JR");
        g.setCellText(2, 2, "aéb");
    };
    Script s;
    openWith(s, dlg, "s235", "S355");
    s.click(win::ctrl(KsFindReplaceDlg::kReplaceId))
        .check([&] {
            EXPECT_EQ(cellText(dlg, 1, 1), "grade S355 JR");
            EXPECT_TRUE(dlg.spread.isChanged());
            EXPECT_EQ(editSelection(dlg), std::make_pair(10, 10));  // the caret after the replacement
        })
        .key(VK_F5)  // nothing left: the question, No, and nothing changes
        .waitFor(win::messageBoxContaining(dialString(1143).str()))
        .answer(IDNO)
        .waitFor(win::dialogWithTemplate(kFind))  // the message box is gone
        .check([&] {
            EXPECT_EQ(cellText(dlg, 1, 1), "grade S355 JR");
            EXPECT_EQ(cellText(dlg, 2, 2), "aéb");
            // A selection in the editor that is not the find text is never replaced.
            dlg.spread.setEditSelection(0, 5);
        })
        .click(win::ctrlIn(kFind, KsFindReplaceDlg::kReplaceId))
        .waitFor(win::messageBoxContaining(dialString(1143).str()))
        .answer(IDYES)
        .waitFor(win::messageBoxWith(dialString(1145).str()))
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(kFind))  // the message box is gone
        .check([&] { EXPECT_EQ(cellText(dlg, 1, 1), "grade S355 JR"); })
        // Positions count characters: "é" replaced in "aéb" leaves "axb".
        .click(win::ctrlIn(kFind, KsFindReplaceDlg::kFindId))
        .key(VK_END).key(VK_BACK).key(VK_BACK).key(VK_BACK).key(VK_BACK)
        .type("É")
        .click(win::ctrl(KsFindReplaceDlg::kReplaceWithId))
        .key(VK_END).key(VK_BACK).key(VK_BACK).key(VK_BACK).key(VK_BACK)
        .type("x")
        .click(win::ctrl(KsFindReplaceDlg::kReplaceId))
        .check([&] { EXPECT_EQ(cellText(dlg, 2, 2), "axb"); })
        .click(win::ctrlIn(kFind, IDCANCEL))
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(ModuleTest, ReplaceAllChangesEachCellOnceAndCountsCells) {
    GridHolder dlg;
    dlg.setUp = [](Vtl_Spread& g) {
        g.setStyle(1);
        g.setColCount(3, false);
        g.setRowCount(3);
        g.setCellText(1, 1, "ab and AB");
        g.setCellText(3, 1, "cab");
        g.setCellText(2, 3, "none");
    };
    Script s;
    openWith(s, dlg, "ab", "abab");
    s.click(win::ctrl(KsFindReplaceDlg::kReplaceAllId))
        .waitFor(win::messageBoxWith(dialString(1147).str() + " 2 " + dialString(1148).str()))
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(kFind))  // the message box is gone
        .check([&] {
            // Both occurrences of the first cell, whatever their case; a replacement holding the text is
            // not searched again.
            EXPECT_EQ(cellText(dlg, 1, 1), "abab and abab");
            EXPECT_EQ(cellText(dlg, 3, 1), "cabab");
            EXPECT_EQ(cellText(dlg, 2, 3), "none");
            EXPECT_TRUE(dlg.spread.isChanged());
        })
        .click(win::ctrl(IDCANCEL))
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(ModuleTest, TheFindDialogGoesWithItsGrid) {
    GridHolder dlg;
    dlg.setUp = gradesGrid;
    HWND find = HWND();
    Script s;
    openWith(s, dlg, "HEA");
    s.check([&] { find = dlg.spread.findDialog()->m_hWnd; })
        .check([&] {
            // Opened below the grid's last row, it hides none of them.
            RECT find, lastRow;
            GetWindowRect(dlg.spread.findDialog()->m_hWnd, &find);
            ASSERT_TRUE(dlg.spread.getCellRect(1, 3, lastRow));
            POINT corner{0, lastRow.bottom};
            ClientToScreen(dlg.spread.grid(), &corner);
            EXPECT_GE(find.top, corner.y);
            // The grid's dialog closes with the find dialog open.
            ::PostMessage(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        })
        .advance(10);
    run(s, [&] { dlg.DoModal(); });
    EXPECT_FALSE(::IsWindow(find));
    EXPECT_EQ(dlg.spread.findDialog(), nullptr);
    // The grid is gone with its dialog: it answers as a grid never attached.
    EXPECT_FALSE(dlg.spread.isAttached());
    EXPECT_EQ(dlg.spread.getRowCount(), -1);
    Vtl_String text = "x";
    EXPECT_FALSE(dlg.spread.getCellText(1, 3, text));
    EXPECT_EQ(text.str(), "");
    // A grid that is gone leaves nothing to search: the dialog of a closed grid does nothing.
    KsFindReplaceDlg orphan(HWND{});
    EXPECT_FALSE(orphan.findNext(true));
    EXPECT_EQ(orphan.replaceAll(), 0);
}

}  // namespace
}  // namespace vtl::test
