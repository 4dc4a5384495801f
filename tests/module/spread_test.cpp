// Vtl_Spread on a real dialog: attaching over the placeholder, growth of rows and columns with their
// fonts, bulk transfer, checks, search, the context menu, the keys it takes, Tab results, the check
// dependency acting on a person's click, and fit mode 1 after a resize.
#include "gfx/font.h"
#include "module_test_support.h"
#include "win/api.h"
#include "win/keys.h"
#include "win/menu.h"

namespace vtl::test {
namespace {
using namespace vtl::ui;
using win::Script;

// Runs body on the holder's attached grid inside the shown dialog.
void withHolder(Fixture& f, GridHolder& dlg, const std::function<void(Vtl_Spread&)>& body) {
    Script s;
    s.waitFor(win::dialogWithTemplate(kGridHolder)).check([&] { body(dlg.spread); }).click(win::ctrl(IDCANCEL));
    win::runWithScript(s, [&] { dlg.DoModal(); });
    (void)f;
}

int weightOf(HWND grid, int col, int row) {
    const auto lf = gfx::fontDescription(SSGetCellFont(grid, col, row));
    return lf ? lf->lfWeight : -1;
}

Vtl_StringArray texts(std::initializer_list<const char*> list) {
    Vtl_StringArray a;
    for (const char* t : list) a.append(t);
    return a;
}

TEST_F(ModuleTest, AttachingReplacesThePlaceholderAndEveryCallFailsBefore) {
    Vtl_Spread loose;
    EXPECT_EQ(loose.getRowCount(), -1);
    EXPECT_FALSE(loose.setRowCount(3));
    Vtl_String text = "x";
    EXPECT_FALSE(loose.getCellText(1, 1, text));
    EXPECT_EQ(text.str(), "");
    EXPECT_FALSE(loose.attachToDlgItem(nullptr, kGridPlaceholder, false));

    GridHolder dlg;
    RECT placeholderInDialog{};
    Script s;
    s.waitFor(win::dialogWithTemplate(kGridHolder))
        .check([&] {
            const HWND grid = ::GetDlgItem(dlg.m_hWnd, kGridPlaceholder);
            EXPECT_EQ(grid, dlg.spread.grid());
            EXPECT_EQ(GetClassName(grid), "fpSpread70");
            EXPECT_TRUE(dlg.spread.isAttached());
            EXPECT_EQ(dlg.spread.getRowCount(), 0);
            EXPECT_EQ(dlg.spread.getColCount(), 0);
            // The window rectangle, taken relative to the dialog's, moves 5 left and 20 up.
            RECT g, outer;
            GetWindowRect(grid, &g);
            GetWindowRect(dlg.m_hWnd, &outer);
            placeholderInDialog = {g.left - outer.left, g.top - outer.top, 0, 0};
            POINT client{0, 0};
            ClientToScreen(dlg.m_hWnd, &client);
            EXPECT_EQ(g.left - client.x, 10 + (client.x - outer.left) - 5);
            EXPECT_EQ(g.top - client.y, 10 + (client.y - outer.top) - 20);
            EXPECT_FALSE(dlg.spread.attachToDlgItem(&dlg, 4711, false));
        })
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(ModuleTest, AGridAttachedInPlaceTakesItsPlaceholdersPlaceInTheTabOrder) {
    for (const bool inPlace : {false, true}) {
        GridHolder dlg;
        dlg.inPlace = inPlace;
        Script s;
        s.waitFor(win::dialogWithTemplate(kGridHolder))
            .check([&] {
                // The placeholder is the dialog's first control, before the edit field.
                const HWND first = ::GetWindow(dlg.m_hWnd, GW_CHILD);
                EXPECT_EQ(first == dlg.spread.grid(), inPlace);
                if (inPlace) EXPECT_EQ(::GetWindow(first, GW_HWNDNEXT), ::GetDlgItem(dlg.m_hWnd, 1002));
                // Attached either way, and in the same rectangle.
                EXPECT_TRUE(dlg.spread.isAttached());
                EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, kGridPlaceholder), dlg.spread.grid());
            })
            .click(win::ctrl(IDCANCEL));
        run(s, [&] { dlg.DoModal(); });
    }
    GridHolder none;
    EXPECT_FALSE(none.spread.attachInPlaceOfDlgItem(nullptr, kGridPlaceholder, false));
}

TEST_F(ModuleTest, GrowingRowsCopiesTheLastRowButNeverTheHeadersAndSetsFonts) {
    GridHolder dlg;
    withHolder(*this, dlg, [&](Vtl_Spread& g) {
        ASSERT_TRUE(g.setColCount(2, false));
        // Columns made while the grid has no rows have bold headers too.
        EXPECT_EQ(weightOf(g.grid(), 1, 0), 700);
        EXPECT_EQ(weightOf(g.grid(), 2, 0), 700);
        ASSERT_TRUE(g.setColHeaders(texts({"A", "B"})));
        ASSERT_TRUE(g.setRowCount(3));
        Vtl_StringArray row;
        g.getRow(2, row);
        EXPECT_EQ(row[0].str(), "");  // not the header texts
        EXPECT_EQ(weightOf(g.grid(), 1, 0), 700);
        EXPECT_EQ(weightOf(g.grid(), 0, 3), 700);
        EXPECT_EQ(weightOf(g.grid(), 2, 3), 400);
        g.setRow(3, texts({"x", "y", "ignored"}));
        g.setRowCount(5);
        g.getRow(5, row);
        EXPECT_EQ(row.length(), 2);
        EXPECT_EQ(row[1].str(), "y");  // the last row copied
        // Columns copy only when asked.
        g.setColCount(3, false);
        EXPECT_EQ(SSGetCellString(g.grid(), 3, 3, 0), "");
        g.setCellText(3, 3, "col 3");
        g.setColCount(4, true);
        EXPECT_EQ(SSGetCellString(g.grid(), 4, 3, 0), "col 3");  // the last column copied
        // Bulk columns: shorter arrays leave the rest, longer ones are cut at the count.
        Vtl_Array<double> doubles;
        doubles.append(3.14159);
        doubles.append(-2);
        EXPECT_TRUE(g.setColumnDoubles(1, doubles));
        Vtl_StringArray col;
        g.getColumnTexts(1, col);
        EXPECT_EQ(col[0].str(), "3.14");
        EXPECT_EQ(col[1].str(), "-2.00");
        EXPECT_EQ(col[2].str(), "x");
        Vtl_Array<int> indexes;
        for (int v : {2, -1, 9}) indexes.append(v);
        g.setColumnIndexes(2, indexes);
        Vtl_Array<int> ints;
        g.getColumnInts(2, ints);
        EXPECT_EQ(ints[0] * 100 + ints[1] * 10 + ints[2], 200);  // outside 0..row count becomes 0
        EXPECT_FALSE(g.setColumn(5, col, false));
        EXPECT_FALSE(g.getRow(6, row));
        Vtl_Array<Vtl_StringArray> table;
        EXPECT_TRUE(g.getTable(table));
        EXPECT_EQ(table.length(), 5);
        EXPECT_EQ(table[4][0].str(), "x");
    });
}

TEST_F(ModuleTest, ChecksReadOnlyOneAndZeroAndSearchesNeverWrap) {
    GridHolder dlg;
    withHolder(*this, dlg, [&](Vtl_Spread& g) {
        g.setColCount(3, false);
        g.setRowCount(3);
        g.setCheckColumn(1, true, true);
        EXPECT_EQ(g.getCellKind(1, 2), 12);
        int spanCols = 0, spanRows = 0;
        EXPECT_EQ(SSGetCellSpan(g.grid(), 1, 0, nullptr, nullptr, &spanCols, &spanRows), 1);
        EXPECT_EQ(spanCols * 10 + spanRows, 21);  // one header over the box column and the one beside it
        g.setCellCheck(1, 1, true);
        g.setCellText(1, 2, "x");
        bool checked = false;
        EXPECT_TRUE(g.getCellCheck(1, 1, checked));
        EXPECT_TRUE(checked);
        EXPECT_FALSE(g.getCellCheck(1, 2, checked));
        EXPECT_TRUE(checked);  // left unchanged
        g.selectBlock(1, 1, -1, -1);
        g.setChecksInSelection(false);
        EXPECT_TRUE(g.getCellCheck(1, 2, checked));
        EXPECT_FALSE(checked);

        g.setCellText(2, 1, "HE 200 A");
        g.setCellText(3, 3, "IPE 200 S235");
        int col = 0, row = 0;
        EXPECT_TRUE(g.findFrom("200", 3, 1, col, row));
        EXPECT_EQ(col * 10 + row, 33);
        EXPECT_FALSE(g.findFrom("HE", 1, 3, col, row));  // from the last row: no wrap to row 1
        EXPECT_FALSE(g.findInRow("HE", 4, 1, col));
        EXPECT_EQ(g.findInCell("200", 2, 1), 3);
        EXPECT_TRUE(g.replaceInCell(2, 1, "A", "B"));
        EXPECT_EQ(SSGetCellString(g.grid(), 2, 1, 0), "HE 200 B");
        // The search ignores case; a replacement in a cell without the text writes nothing.
        EXPECT_TRUE(g.findFrom("ipe", 1, 1, col, row));
        EXPECT_EQ(col * 10 + row, 33);
        EXPECT_EQ(g.findInCell("s235", 3, 3), 8);
        EXPECT_EQ(g.findInCell("200", 3, 3, 5), -1);
        EXPECT_FALSE(g.replaceInCell(1, 3, "IPE", "HEA"));
        // Only the occurrence found is selected in the editor, searched from the position given.
        g.setCellText(3, 3, "IPE 200 and 200");
        ASSERT_TRUE(g.selectFoundText("200", 3, 3, 5));
        int a = 0, b = 0;
        EXPECT_TRUE(g.getEditSelection(a, b));
        EXPECT_EQ(a * 100 + b, 1215);
        EXPECT_FALSE(g.selectFoundText("HEA", 3, 3, 0));
        EXPECT_TRUE(g.replaceSelectedText("300"));
        EXPECT_EQ(SSGetCellString(g.grid(), 3, 3, 0), "IPE 200 and 300");
    });
}

TEST_F(ModuleTest, InsertAndDeleteKeepCountsAndRefuseTheHeaderRow) {
    GridHolder dlg;
    withHolder(*this, dlg, [&](Vtl_Spread& g) {
        g.setColCount(2, false);
        g.setRowCount(3);
        for (int r = 1; r <= 3; ++r) g.setCellText(1, r, Vtl_String(r));
        SSSetSwitch(g.grid(), SS_SWITCH_CHANGED, FALSE);
        g.selectRow(2);  // the current column is the header now
        EXPECT_FALSE(g.insertCol(g.getCurrentCol(), false, false));
        EXPECT_FALSE(g.insertRow(0, false, false));
        EXPECT_FALSE(g.insertRow(Vtl_Spread::HEADER, false, false));
        EXPECT_EQ(g.getRowCount(), 3);
        EXPECT_FALSE(SSGetSwitch(g.grid(), SS_SWITCH_CHANGED));
        EXPECT_TRUE(g.insertRow(2, false, true));  // copies the row pushed down
        EXPECT_EQ(g.getRowCount(), 4);
        EXPECT_EQ(SSGetCellString(g.grid(), 1, 2, 0), "2");
        EXPECT_EQ(SSGetCellString(g.grid(), 1, 4, 0), "3");
        EXPECT_TRUE(SSGetSwitch(g.grid(), SS_SWITCH_CHANGED));
        EXPECT_FALSE(g.insertRow(6, false, false));
        EXPECT_TRUE(g.deleteRow(1));
        EXPECT_EQ(g.getRowCount(), 3);
        EXPECT_FALSE(g.deleteRow(7));
        EXPECT_EQ(g.getRowCount(), 3);
        g.selectBlock(1, 1, 1, 1);
        EXPECT_TRUE(g.moveCurrentRowDown());
        EXPECT_EQ(SSGetCellString(g.grid(), 1, 2, 0), "2");
        EXPECT_EQ(g.getCurrentRow(), 2);
        EXPECT_FALSE(g.swapRows(1, 1, 9));
    });
}

TEST_F(ModuleTest, EveryEditThroughTheWrapperSetsTheChangedMarkAndBadIndexesFail) {
    GridHolder dlg;
    withHolder(*this, dlg, [&](Vtl_Spread& g) {
        const HWND h = g.grid();
        // An empty grid takes its first row after the (missing) current one.
        g.setColCount(2, false);
        EXPECT_TRUE(g.insertRowAfterCurrent(false));
        EXPECT_EQ(g.getRowCount(), 1);
        g.setRowCount(3);
        g.setRowHeaders(texts({"A", "B", "C"}));
        for (int r = 1; r <= 3; ++r) g.setCellText(1, r, Vtl_String(r));
        // Moving a row takes its header along and marks the grid changed.
        g.setChanged(false);
        g.selectBlock(1, 1, 1, 1);
        EXPECT_TRUE(g.moveCurrentRowDown());
        EXPECT_EQ(SSGetCellString(h, SS_HEADER, 2, 0), "A");
        EXPECT_EQ(SSGetCellString(h, 1, 2, 0), "1");
        EXPECT_TRUE(g.isChanged());
        // Checks set through the selection mark it too, and follow the check dependency.
        g.setColCount(3, false);
        g.setCheckColumn(2, false, false);
        for (int r = 1; r <= 3; ++r) g.setCellCheck(2, r, false);
        g.setCheckDependency(2, 3);
        g.setChanged(false);
        g.selectBlock(2, 1, 2, -1);
        g.setChecksInSelection(false);  // all were clear already: no change
        EXPECT_FALSE(g.isChanged());
        g.setChecksInSelection(true);
        EXPECT_TRUE(g.isChanged());
        EXPECT_FALSE(SSGetCellLock(h, 3, 2));
        g.setChanged(false);
        EXPECT_TRUE(g.deleteRow(3));
        EXPECT_TRUE(g.isChanged());
        // Negative indexes other than the header fail; the header row and column still work.
        Vtl_StringArray row;
        EXPECT_FALSE(g.getRow(-2, row));
        EXPECT_FALSE(g.setColumn(-1, texts({"x"}), false));
        EXPECT_FALSE(g.deleteRow(-1));
        EXPECT_FALSE(g.deleteCol(Vtl_Spread::HEADER));
        EXPECT_FALSE(g.swapRows(-1, 1, 2));
        EXPECT_EQ(g.getRowCount(), 2);
        EXPECT_TRUE(g.getRow(Vtl_Spread::HEADER, row));
        EXPECT_TRUE(g.getColumn(Vtl_Spread::HEADER, row, 0));
        // At the grid's row limit an insert is refused and the last row stays.
        ASSERT_TRUE(SSSetRowCount(h, 1048576));
        SSSetCellText(h, 1, 1048576, "last");
        EXPECT_FALSE(g.insertRow(1, false, false));
        EXPECT_EQ(g.getRowCount(), 1048576);
        EXPECT_EQ(SSGetCellString(h, 1, 1048576, 0), "last");
        EXPECT_EQ(SSGetCellString(h, 1, 2, 0), "1");
        SSSetRowCount(h, 2);
    });
}

TEST_F(ModuleTest, TheContextMenuNumbersItsCommandsAndRunsTheChosenAction) {
    GridHolder dlg;
    dlg.setUp = [](Vtl_Spread& g) {
        g.setColCount(2, false);
        g.setRowCount(2);
        g.setCellText(1, 1, "first");
        g.setContextMenu({Vtl_Spread::copy, Vtl_Spread::separator, Vtl_Spread::insertRowEntry,
                          Vtl_Spread::insertColEntry});
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(kGridHolder))
        .rightClick(cellOf(dlg, 1, 1))
        .click(win::menuItem(dialString(774).str()))
        .check([&] {
            EXPECT_EQ(dlg.spread.getRowCount(), 3);
            EXPECT_EQ(SSGetCellString(dlg.spread.grid(), 1, 1, 0), "first");  // copied from the row pushed down
            EXPECT_EQ(SSGetCellString(dlg.spread.grid(), 1, 2, 0), "first");
            EXPECT_TRUE(SSGetSwitch(dlg.spread.grid(), SS_SWITCH_CHANGED));
        })
        .rightClick(cellOf(dlg, 2, 1))
        .click(win::menuItem(dialString(1156).str()))  // insert a column: asks its name
        .waitFor(win::dialogWithTemplate(8069))
        .check([&] { EXPECT_EQ(GetWindowText(::GetActiveWindow()), dialString(1150).str()); })
        .key(VK_DELETE)
        .type("Bolts")
        .click(win::ctrl(IDOK))
        .check([&] {
            // At the column right-clicked: the click made its cell active.
            EXPECT_EQ(dlg.spread.getColCount(), 3);
            EXPECT_EQ(SSGetCellString(dlg.spread.grid(), 2, 0, 0), "Bolts");
            EXPECT_EQ(SSGetCellString(dlg.spread.grid(), 1, 0, 0), "");
        })
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    // Commands map back to their entries: 32811 copy, 32812 insert row, 32816 insert column.
    EXPECT_EQ(KsPopupMenu::positionOf(32812), 1);
}

TEST_F(ModuleTest, TabResultsLeaveAtTheEndsAndAnAllLockedGridAtOnce) {
    GridHolder dlg;
    dlg.setUp = [](Vtl_Spread& g) {
        g.setColCount(3, false);
        g.setRowCount(2);
        g.setCellLock(1, 1, true);
        g.setCellLock(3, 2, true);
    };
    std::vector<int> results;
    auto tab = [&](int col, int row) {
        return [&, col, row] {
            SSSetActiveCell(dlg.spread.grid(), col, row);
            int result = -1;
            EXPECT_TRUE(dlg.spread.handleTabKey(VK_TAB, result));
            results.push_back(result);
        };
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(kGridHolder))
        .click(cellOf(dlg, 2, 1))
        .check(tab(2, 2))  // the last editable cell
        .keyDown(VK_SHIFT)
        .check(tab(2, 1))  // the first editable cell
        .keyUp(VK_SHIFT)
        .check(tab(3, 1))
        .check([&] {
            int result = -1;
            EXPECT_FALSE(dlg.spread.handleTabKey(VK_RETURN, result));
            EXPECT_EQ(result, 1);
            SSSetBlockLock(dlg.spread.grid(), 1, 1, -1, -1, TRUE);
        })
        .check(tab(2, 2))
        .keyDown(VK_SHIFT)
        .check(tab(2, 2))
        .keyUp(VK_SHIFT)
        .click(win::ctrl(1002))
        .check([&] {
            int result = -1;
            EXPECT_FALSE(dlg.spread.handleTabKey(VK_TAB, result));  // the focus is not in a grid
            EXPECT_EQ(result, 1);
        })
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(results, (std::vector<int>{2, 3, 0, 2, 3}));
}

TEST_F(ModuleTest, ACheckClickUnlocksTheDependentCellAndMovesThere) {
    GridHolder dlg;
    dlg.setUp = [](Vtl_Spread& g) {
        g.setColCount(3, false);
        g.setRowCount(3);
        g.setCheckColumn(2, false, false);
        g.setCellText(2, 1, "1");
        g.setCellText(2, 2, "0");
        g.setCellText(2, 3, "x");
        g.setCellLock(3, 3, true);
        EXPECT_FALSE(g.setCheckDependency(2, 4));
        EXPECT_TRUE(g.setCheckDependency(2, 3));
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(kGridHolder))
        .check([&] {
            EXPECT_FALSE(SSGetCellLock(dlg.spread.grid(), 3, 1));
            EXPECT_TRUE(SSGetCellLock(dlg.spread.grid(), 3, 2));
            EXPECT_TRUE(SSGetCellLock(dlg.spread.grid(), 3, 3));  // "x": as it was
        })
        .click(cellOf(dlg, 2, 2))
        .check([&] {
            EXPECT_FALSE(SSGetCellLock(dlg.spread.grid(), 3, 2));
            int col = 0, row = 0;
            dlg.spread.getActiveCell(col, row);
            EXPECT_EQ(col * 10 + row, 32);
        })
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    // The dialog hears the grid's notifications after the rule acted.
    EXPECT_EQ(dlg.events, (std::vector<std::string>{"63 (2,2)", "59 (2,2)", "64 (2,2)"}));
}

TEST_F(ModuleTest, F8TogglesPermanentEditAndAResizeReappliesTheFitMode) {
    GridHolder dlg;
    dlg.setUp = [](Vtl_Spread& g) {
        g.setStyle(1);
        g.setColCount(3, false);
        g.setRowCount(2);
        g.setFitMode(1);
        g.applyFitMode();
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(kGridHolder))
        .check([&] { EXPECT_TRUE(SSGetSwitch(dlg.spread.grid(), SS_SWITCH_PERMANENT_EDIT)); })
        .click(cellOf(dlg, 1, 1))
        .key(VK_F8)
        .check([&] { EXPECT_FALSE(SSGetSwitch(dlg.spread.grid(), SS_SWITCH_PERMANENT_EDIT)); })
        .check([&] {
            const HWND grid = dlg.spread.grid();
            ::MoveWindow(grid, 10, 10, 416, 200, TRUE);
            RECT client;
            SSGetClientRect(grid, &client);
            const int share = (client.right - client.left) / 4;  // three columns and the header
            for (int c = 0; c <= 3; ++c) EXPECT_EQ(SSGetColWidthPixels(grid, c), share) << c;
        })
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(ModuleTest, AutoFitWidensColumnsToTheirTextAndWrapsHeaders) {
    GridHolder dlg;
    withHolder(*this, dlg, [&](Vtl_Spread& g) {
        g.setColCount(2, false);
        g.setRowCount(2);
        g.setCellText(1, 2, "A much longer cell text");
        g.setColHeaders(texts({"Short", "Header"}));
        const double before = SSGetColWidth(g.grid(), 1);
        EXPECT_TRUE(g.autoFitAll());
        EXPECT_GT(SSGetColWidth(g.grid(), 1), before);
        EXPECT_DOUBLE_EQ(SSGetColWidth(g.grid(), 1), g.getMaxTextWidth(1));
        SS_CELLTYPE type;
        SSGetCellType(g.grid(), 1, 0, &type);
        EXPECT_EQ(type.kind, SS_KIND_STATIC_TEXT);
        EXPECT_EQ(type.style, 140u);
    });
}

}  // namespace
}  // namespace vtl::test
