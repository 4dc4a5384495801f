// What a person does to a grid through the input layer (clicks, keys, typing, the clipboard) and the
// notifications the parent hears, in the order the actions cause them.
#include "grid_test_support.h"
#include "win/api.h"
#include "win/clipboard.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
using namespace vtl::win;
using Events = std::vector<std::string>;

// A 4 x 5 grid: column 1 check boxes, column 2 free text, column 3 a list-only combo, column 4 buttons.
void standardGrid(HWND g) {
    SSSetColCount(g, 4);
    SSSetRowCount(g, 5);
    SS_CELLTYPE t;
    SSSetTypeCheckBox(g, &t, 768, "", HBITMAP(), HBITMAP(), HBITMAP(), HBITMAP());
    SSSetBlockType(g, 1, 1, 1, -1, &t);
    SSSetTypeComboBox(g, &t, 0x100000, "M12\tM16\tM20");
    SSSetBlockType(g, 3, 1, 3, -1, &t);
    SSSetTypeButton(g, &t, 0, "...", HBITMAP());
    SSSetBlockType(g, 4, 1, 4, -1, &t);
    for (int r = 1; r <= 5; ++r) SSSetCellValue(g, 1, r, "0");
}

TEST_F(GridTest, AClickMovesTheActiveCellThenToggledChecksReportSetAndCleared) {
    GridDialog dlg;
    dlg.setUp = standardGrid;
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] { SSSetCellLock(dlg.grid(), 1, 4, TRUE); })
        .click(cellTarget(dlg, 2, 3))
        .click(cellTarget(dlg, 1, 2))
        .click(cellTarget(dlg, 1, 2))
        .click(cellTarget(dlg, 1, 4))  // locked: becomes active, does not toggle
        .key(VK_SPACE)
        .check([&] {
            EXPECT_EQ(cellValue(dlg.grid(), 1, 2), "0");
            EXPECT_EQ(cellValue(dlg.grid(), 1, 4), "0");
            EXPECT_TRUE(SSGetSwitch(dlg.grid(), SS_SWITCH_CHANGED));
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.events, (Events{"63 (2,3)", "64 (2,3)",                // active cell, then the click
                                  "63 (1,2)", "59 (1,2)", "64 (1,2)",    // moved, ticked, clicked
                                  "60 (1,2)", "64 (1,2)",                // cleared: no move this time
                                  "63 (1,4)", "64 (1,4)"}));
}

TEST_F(GridTest, TypingStartsEditingEnterCommitsAndEscapeCancels) {
    GridDialog dlg;
    dlg.setUp = standardGrid;
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .click(cellTarget(dlg, 2, 2))
        .type("HE 2")
        .check([&] {
            EXPECT_TRUE(SSGetEditMode(dlg.grid()));
            EXPECT_TRUE(SSIsGridWindow(::GetFocus()));
            int a = -1, b = -1;
            EXPECT_TRUE(SSGetEditSel(dlg.grid(), &a, &b));
            EXPECT_EQ(a * 10 + b, 44);
            EXPECT_EQ(cellText(dlg.grid(), 2, 2), "");  // not committed yet
        })
        .type("00")
        .key(VK_RETURN)
        .check([&] {
            EXPECT_FALSE(SSGetEditMode(dlg.grid()));
            EXPECT_EQ(cellText(dlg.grid(), 2, 2), "HE 200");
            EXPECT_TRUE(SSGetSwitch(dlg.grid(), SS_SWITCH_CHANGED));
            SSSetSwitch(dlg.grid(), SS_SWITCH_CHANGED, FALSE);
        })
        .key(VK_F2)
        .key(VK_BACK)
        .type("1")
        .key(VK_ESCAPE)
        .check([&] { EXPECT_EQ(cellText(dlg.grid(), 2, 2), "HE 200"); })
        .key(VK_F2)
        .key(VK_RETURN)  // nothing changed: nothing to tell
        .check([&] { EXPECT_FALSE(SSGetSwitch(dlg.grid(), SS_SWITCH_CHANGED)); })
        .type("x")
        .key(VK_DOWN)  // moving commits first
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.events, (Events{"63 (2,2)", "64 (2,2)", "61 (2,2)", "61 (2,2)", "63 (2,3)"}));
    EXPECT_EQ(cellText(dlg.grid(), 2, 2), "");  // the dialog is gone: nothing to read
}

TEST_F(GridTest, TabWalksTheUnlockedCellsAndLeavesTheGridAfterTheLast) {
    GridDialog dlg;
    dlg.setUp = [](HWND g) {
        SSSetColCount(g, 3);
        SSSetRowCount(g, 2);
        SSSetBlockLock(g, 2, 1, 2, -1, TRUE);
    };
    std::vector<std::string> visited;
    auto record = [&] {
        int c = 0, r = 0;
        SSGetActiveCell(dlg.grid(), &c, &r);
        visited.push_back(SSIsGridWindow(::GetFocus()) ? std::to_string(c) + "," + std::to_string(r) : "out");
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog)).click(cellTarget(dlg, 1, 1));
    for (int i = 0; i < 4; ++i) s.key(VK_TAB).check(record);
    s.click(cellTarget(dlg, 3, 2)).key(VK_TAB, ModShift).check(record).click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(visited, (std::vector<std::string>{"3,1", "1,2", "3,2", "out", "1,2"}));
}

TEST_F(GridTest, ACopiedBlockPastesBackThroughEachCellsType) {
    GridDialog dlg;
    dlg.setUp = [](HWND g) {
        standardGrid(g);
        SSSetCellValue(g, 1, 1, "1");
        SSSetCellText(g, 2, 1, "two\twords");
        SSSetCellText(g, 3, 1, "M20");
        SSSetCellText(g, 2, 2, "plain");
        SSSetCellText(g, 3, 2, "M12");
        SSSetCellLock(g, 2, 4, TRUE);
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] { SSSetSelectBlock(dlg.grid(), 1, 1, 3, 2); })
        .key('C', ModCtrl)
        .check([&] { EXPECT_EQ(clipboardText(), "1\t\"two\twords\"\tM20\r\n0\tplain\tM12\r\n"); })
        .click(cellTarget(dlg, 1, 3))
        .key('V', ModCtrl)
        .click(ctrl(IDCANCEL));
    dlg.onNotify = [&](WORD code) {
        if (code != SSN_VALUE_CHANGED) return;
        EXPECT_EQ(cellValue(dlg.grid(), 1, 3), "1");
        EXPECT_EQ(cellText(dlg.grid(), 2, 3), "two\twords");
        EXPECT_EQ(cellValue(dlg.grid(), 3, 3), "2");  // the list-only combo chose its item
        EXPECT_EQ(cellText(dlg.grid(), 2, 4), "");    // locked: skipped
        EXPECT_EQ(cellText(dlg.grid(), 3, 4), "M12");
        EXPECT_TRUE(SSGetSwitch(dlg.grid(), SS_SWITCH_CHANGED));
    };
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.events, (Events{"63 (1,3)", "59 (1,3)", "64 (1,3)", "61 (1,3)"}));
}

TEST_F(GridTest, AComboCellDropsItsListAndAClickedItemIsItsNewValue) {
    GridDialog dlg;
    dlg.setUp = standardGrid;
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] { SSSetActiveCell(dlg.grid(), 3, 2); })
        .click(cellTarget(dlg, 3, 2))
        .key(VK_DOWN, ModAlt)
        .check([&] { EXPECT_EQ(GetClassName(::GetCapture()), "fpSpreadList70"); })
        .key(VK_DOWN)
        .key(VK_DOWN)
        .key(VK_RETURN)
        .check([&] { EXPECT_EQ(cellText(dlg.grid(), 3, 2), "M16"); })
        .key(VK_F4)
        .key(VK_ESCAPE)
        .type("m")  // the next item starting with the letter
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.events, (Events{"64 (3,2)", "61 (3,2)", "61 (3,2)"}));
}

TEST_F(GridTest, AButtonCellReportsItsClickWhenTheMouseIsReleasedOnIt) {
    GridDialog dlg;
    dlg.setUp = standardGrid;
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .click(cellTarget(dlg, 4, 2))
        .drag(cellTarget(dlg, 4, 3), cellTarget(dlg, 2, 3))  // released elsewhere: no click
        .key(VK_SPACE)
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.events, (Events{"63 (4,2)", "64 (4,2)", "62 (4,2)", "63 (4,3)", "64 (4,3)", "62 (4,3)"}));
}

TEST_F(GridTest, DraggingAcrossCellsSelectsTheBlockTheyMake) {
    GridDialog dlg;
    dlg.setUp = [](HWND g) {
        SSSetColCount(g, 4);
        SSSetRowCount(g, 4);
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .drag(cellTarget(dlg, 2, 1), cellTarget(dlg, 4, 3))
        .check([&] {
            int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
            ASSERT_TRUE(SSGetSelectBlock(dlg.grid(), &c1, &r1, &c2, &r2));
            EXPECT_EQ((std::vector<int>{c1, r1, c2, r2}), (std::vector<int>{2, 1, 4, 3}));
            EXPECT_FALSE(::GetCapture());
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(GridTest, ListGridsSelectWholeRowsAndEditingSurvivesFocusLossInPermanentEditMode) {
    GridDialog dlg;
    dlg.setUp = [](HWND g) {
        SSSetColCount(g, 3);
        SSSetRowCount(g, 3);
        SSSetCellText(g, 2, 3, "find me here");
        SSSetOperationMode(g, SS_MODE_LIST);
        SSSetSwitch(g, SS_SWITCH_PERMANENT_EDIT, TRUE);
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .click(cellTarget(dlg, 2, 3))
        .check([&] {
            int c1, r1, c2, r2;
            ASSERT_TRUE(SSGetSelectBlock(dlg.grid(), &c1, &r1, &c2, &r2));
            EXPECT_EQ((std::vector<int>{c1, r1, c2, r2}), (std::vector<int>{1, 3, -1, 3}));
            EXPECT_TRUE(SSGetEditMode(dlg.grid()));  // permanent edit: the active cell edits
            SSSetEditSel(dlg.grid(), 5, 7);
        })
        .click(ctrl(kOtherEditId))
        .check([&] {
            EXPECT_TRUE(SSGetEditMode(dlg.grid()));
            int a = -1, b = -1;
            EXPECT_TRUE(SSGetEditSel(dlg.grid(), &a, &b));
            EXPECT_EQ(a * 10 + b, 57);
            SSSetSwitch(dlg.grid(), SS_SWITCH_PERMANENT_EDIT, FALSE);
            EXPECT_FALSE(SSGetEditMode(dlg.grid()));
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(GridTest, AParentMayRebuildOrDestroyTheGridFromInsideANotification) {
    GridDialog dlg;
    dlg.setUp = standardGrid;
    bool rebuild = true;
    dlg.onNotify = [&](WORD code) {
        if (code == SSN_ACTIVE_CELL_CHANGED && rebuild) {
            // Rebuilt from nothing: the clicked check cell is a new cell and is not toggled.
            SSSetRowCount(dlg.grid(), 0);
            standardGrid(dlg.grid());
            rebuild = false;
        }
        if (code == SSN_VALUE_CHANGED) ::DestroyWindow(dlg.grid());
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .click(cellTarget(dlg, 1, 3))
        .check([&] { EXPECT_EQ(cellValue(dlg.grid(), 1, 3), "0"); })
        .click(cellTarget(dlg, 2, 3))
        .type("x")
        .key(VK_RETURN)  // commits, and the grid is destroyed by the handler
        .check([&] { EXPECT_FALSE(dlg.grid()); })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.events, (Events{"63 (1,3)", "63 (2,3)", "64 (2,3)", "61 (2,3)"}));
}

TEST_F(GridTest, ANumberCellRefusesTypedValuesOutsideItsBounds) {
    GridDialog dlg;
    dlg.setUp = [](HWND g) {
        SSSetColCount(g, 1);
        SSSetRowCount(g, 1);
        SS_CELLTYPE t;
        SSSetTypeNumber(g, &t, 0x200, 2, 100, -100);
        SSSetCellType(g, 1, 1, &t);
        SSSetCellValue(g, 1, 1, "5");
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .click(cellTarget(dlg, 1, 1))
        .type("250")
        .key(VK_RETURN)
        .type("abc")
        .key(VK_RETURN)
        .type("42.125")
        .key(VK_RETURN)
        .click(ctrl(IDCANCEL));
    dlg.onNotify = [&](WORD code) {
        if (code == SSN_VALUE_CHANGED) {
            EXPECT_EQ(cellText(dlg.grid(), 1, 1), "42.13");
        }
    };
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.events, (Events{"64 (1,1)", "61 (1,1)"}));
}

}  // namespace
}  // namespace vtl::test

namespace vtl::test {
namespace {
using namespace vtl::win;

TEST_F(GridTest, ARightClickMakesTheCellActiveUnlessItLiesInTheSelection) {
    GridDialog dlg;
    dlg.setUp = standardGrid;
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .click(cellTarget(dlg, 2, 1))
        .rightClick(cellTarget(dlg, 2, 3))  // outside the selection: the clicked cell becomes active
        .check([&] {
            int col = 0, row = 0;
            SSGetActiveCell(dlg.grid(), &col, &row);
            EXPECT_EQ(col * 10 + row, 23);
            SSSetSelectBlock(dlg.grid(), 1, 1, 2, 5);
        })
        .rightClick(cellTarget(dlg, 1, 4))  // inside the selection: the selection stays for the menu
        .check([&] {
            int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
            EXPECT_TRUE(SSGetSelectBlock(dlg.grid(), &c1, &r1, &c2, &r2));
            EXPECT_EQ(c1 * 1000 + r1 * 100 + c2 * 10 + r2, 1125);
            // A program's change made for the person is heard as typing is: notification and mark.
            SSSetSwitch(dlg.grid(), SS_SWITCH_CHANGED, FALSE);
            EXPECT_TRUE(SSNotifyValueChanged(dlg.grid(), 2, 4));
            EXPECT_TRUE(SSGetSwitch(dlg.grid(), SS_SWITCH_CHANGED));
            EXPECT_FALSE(SSNotifyValueChanged(dlg.grid(), 9, 4));
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.events, (Events{"63 (2,1)", "64 (2,1)", "63 (2,3)", "65 (2,3)", "65 (1,4)", "61 (2,4)"}));
}

}  // namespace
}  // namespace vtl::test
