// The grid's programming interface on a live grid window: results and failures of each family of calls,
// and that the program's calls never notify the parent nor set the changed mark.
#include "grid_test_support.h"
#include "gfx/bitmap.h"
#include "gfx/image.h"
#include "win/api.h"
#include "win/pump.h"

namespace vtl::test {
namespace {

// Runs body on a grid in a shown dialog, then closes the dialog.
void withGrid(GridDialog& dlg, Fixture& f, const std::function<void(HWND)>& body) {
    win::Script s;
    s.waitFor(win::dialogWithTemplate(kGridDialog)).check([&] { body(dlg.grid()); }).click(win::ctrl(IDCANCEL));
    win::runWithScript(s, [&] { dlg.DoModal(); });
    (void)f;
}

TEST_F(GridTest, CountsAndStructureKeepTheCountsAndRefuseTheHeader) {
    GridDialog dlg;
    withGrid(dlg, *this, [&](HWND g) {
        EXPECT_TRUE(SSIsGrid(g));
        EXPECT_FALSE(SSIsGrid(dlg.GetDlgItem(kOtherEditId)->m_hWnd));
        EXPECT_EQ(SSGetRowCount(g), 0);
        EXPECT_FALSE(SSGetActiveCell(g, nullptr, nullptr));  // no data cell yet
        ASSERT_TRUE(SSSetColCount(g, 3));
        ASSERT_TRUE(SSSetRowCount(g, 4));
        int c = 0, r = 0;
        EXPECT_TRUE(SSGetActiveCell(g, &c, &r));
        EXPECT_EQ(c * 10 + r, 11);
        for (int row = 1; row <= 4; ++row) SSSetCellText(g, 1, row, ("r" + std::to_string(row)).c_str());
        EXPECT_TRUE(SSInsertRow(g, 2));
        EXPECT_EQ(SSGetRowCount(g), 4);
        EXPECT_EQ(cellText(g, 1, 2), "");
        EXPECT_EQ(cellText(g, 1, 3), "r2");
        EXPECT_EQ(cellText(g, 1, 4), "r3");  // r4 fell off the end
        EXPECT_FALSE(SSInsertRow(g, 0));
        EXPECT_FALSE(SSInsertRow(g, SS_HEADER));
        EXPECT_FALSE(SSDeleteRow(g, 5));
        EXPECT_TRUE(SSDeleteRow(g, 1));
        EXPECT_EQ(cellText(g, 1, 1), "");
        EXPECT_EQ(cellText(g, 1, 4), "");
        // Shrinking drops the cells; growing again gives empty ones.
        SSSetRowCount(g, 1);
        SSSetRowCount(g, 4);
        EXPECT_EQ(cellText(g, 1, 2), "");
        // The active cell follows a shrink.
        SSSetActiveCell(g, 3, 4);
        SSSetRowCount(g, 2);
        SSGetActiveCell(g, &c, &r);
        EXPECT_EQ(c * 10 + r, 32);
        EXPECT_FALSE(SSSetActiveCell(g, 4, 1));
        EXPECT_FALSE(SSSetActiveCell(g, 0, 1));
    });
    EXPECT_TRUE(dlg.events.empty());
}

TEST_F(GridTest, ContentIsReadByLengthThenIntoABufferThatNeverSplitsACharacter) {
    GridDialog dlg;
    withGrid(dlg, *this, [&](HWND g) {
        SSSetColCount(g, 2);
        SSSetRowCount(g, 2);
        EXPECT_TRUE(SSSetCellText(g, 1, 1, "Maß 20"));
        EXPECT_EQ(SSGetCellContentLength(g, 1, 1, SS_CONTENT_TEXT), 7);
        char buffer[8];
        EXPECT_EQ(SSGetCellContent(g, 1, 1, SS_CONTENT_TEXT, buffer, 8), 7);
        EXPECT_STREQ(buffer, "Maß 20");
        char small[4];
        EXPECT_EQ(SSGetCellContent(g, 1, 1, SS_CONTENT_TEXT, small, 4), 2);  // "Ma", not half of "ß"
        EXPECT_STREQ(small, "Ma");
        EXPECT_TRUE(SSSetCellTag(g, 2, 2, "row-id 7"));
        EXPECT_EQ(SSGetCellTag(g, 2, 2, buffer, 8), 7);
        EXPECT_STREQ(buffer, "row-id ");
        EXPECT_EQ(SSGetCellContentLength(g, 2, 2, 9), 0);  // no such kind
        // Header texts by 0 and by SS_HEADER alike.
        EXPECT_TRUE(SSSetCellText(g, SS_HEADER, 2, "Second"));
        EXPECT_EQ(cellText(g, 0, 2), "Second");
        EXPECT_FALSE(SSSetCellText(g, 3, 1, "outside"));
        EXPECT_EQ(cellText(g, 3, 1), "");
        // A program's "=..." text is text, a formula is stored without its "=".
        SSSetCellText(g, 2, 1, "=A1");
        EXPECT_EQ(SSGetCellString(g, 2, 1, SS_CONTENT_FORMULA), "");
        SSSetCellFormula(g, 2, 1, "=A1+1");
        EXPECT_EQ(SSGetCellString(g, 2, 1, SS_CONTENT_FORMULA), "A1+1");
    });
}

TEST_F(GridTest, TypeRecordsRoundTripAndDecideTextAndValue) {
    GridDialog dlg;
    withGrid(dlg, *this, [&](HWND g) {
        SSSetColCount(g, 4);
        SSSetRowCount(g, 3);
        const HBITMAP clear = gfx::createBitmap(gfx::Image(13, 13, gfx::Rgba::of(RGB(255, 255, 255))));
        const HBITMAP set = gfx::createBitmap(gfx::Image(13, 13, gfx::Rgba::of(RGB(0, 0, 0))));
        SS_CELLTYPE t;
        SSSetTypeCheckBox(g, &t, 768, "", clear, set, clear, set);
        ASSERT_TRUE(SSSetBlockType(g, 1, 1, 1, -1, &t));
        SS_CELLTYPE back;
        ASSERT_TRUE(SSGetCellType(g, 1, 3, &back));
        EXPECT_EQ(back.kind, SS_KIND_CHECK_BOX);
        EXPECT_EQ(back.style, 768u);
        EXPECT_EQ(back.pictures[1], set);

        SSSetTypeComboBox(g, &t, 0x100000, "M12\tM16\tM20");
        SSSetCellType(g, 2, 1, &t);
        SSSetCellText(g, 2, 1, "M16");
        EXPECT_EQ(cellValue(g, 2, 1), "1");
        SSSetCellValue(g, 2, 1, "2");
        EXPECT_EQ(cellText(g, 2, 1), "M20");
        SSGetCellType(g, 2, 1, &back);
        EXPECT_EQ(back.kind, SS_KIND_COMBO_BOX);
        EXPECT_EQ(back.items, "M12\tM16\tM20");

        SSSetTypeNumber(g, &t, 0x10000200, 2, 9999, -9999);
        SSSetCellType(g, 3, 1, &t);
        SSSetCellValue(g, 3, 1, "3.5");
        EXPECT_EQ(cellText(g, 3, 1), "3.50");
        SSGetCellType(g, 3, 1, &back);
        EXPECT_EQ(back.kind, SS_KIND_NUMBER);
        EXPECT_EQ(back.maxValue, 9999);
        EXPECT_EQ(back.minValue, -9999);

        SSSetTypeButton(g, &t, 0, "Edit...", HBITMAP());
        SSSetCellType(g, 4, 1, &t);
        SSSetCellText(g, 4, 1, "data");
        EXPECT_EQ(cellText(g, 4, 1), "Edit...");
        EXPECT_EQ(cellValue(g, 4, 1), "data");

        SS_CELLTYPE none;
        EXPECT_FALSE(SSSetCellType(g, 1, 1, &none));  // an unfilled record
        EXPECT_FALSE(SSSetCellType(g, 1, 1, nullptr));
        DeleteObject(clear);
        DeleteObject(set);
    });
}

TEST_F(GridTest, LocksSpansAndColoursAsThePaintAndTheKeysSeeThem) {
    GridDialog dlg;
    withGrid(dlg, *this, [&](HWND g) {
        SSSetColCount(g, 4);
        SSSetRowCount(g, 3);
        EXPECT_TRUE(SSAddCellSpan(g, 1, 2, 2, 1));
        EXPECT_FALSE(SSAddCellSpan(g, 2, 2, 2, 1));  // overlaps
        int ac = 0, ar = 0, cols = 0, rows = 0;
        EXPECT_EQ(SSGetCellSpan(g, 2, 2, &ac, &ar, &cols, &rows), 2);
        EXPECT_EQ(ac * 1000 + ar * 100 + cols * 10 + rows, 1221);
        EXPECT_EQ(SSGetCellSpan(g, 3, 2, nullptr, nullptr, nullptr, nullptr), 0);
        // A covered cell's rectangle is its anchor's, which covers the span.
        RECT anchor, covered;
        SSGetCellRect(g, 1, 2, &anchor);
        SSGetCellRect(g, 2, 2, &covered);
        EXPECT_EQ(anchor.right - anchor.left, SSGetColWidthPixels(g, 1) + SSGetColWidthPixels(g, 2));
        // Making a covered cell active makes its anchor active.
        EXPECT_TRUE(SSSetActiveCell(g, 2, 2));
        int c = 0, r = 0;
        SSGetActiveCell(g, &c, &r);
        EXPECT_EQ(c * 10 + r, 12);
        EXPECT_TRUE(SSSetBlockLock(g, 1, 2, 1, 2, TRUE));
        EXPECT_TRUE(SSGetCellLock(g, 1, 2));
        EXPECT_FALSE(SSGetCellLock(g, 2, 2));
        EXPECT_FALSE(SSSetEditMode(g, TRUE));  // the anchor is locked
        EXPECT_TRUE(SSRemoveCellSpan(g, 2, 2));
        EXPECT_EQ(SSGetCellSpan(g, 1, 2, nullptr, nullptr, nullptr, nullptr), 0);

        EXPECT_TRUE(SSSetCellColor(g, 3, 3, 0xDCDCDC, 0x8000000B));
        COLORREF back = 0, fore = 0;
        EXPECT_TRUE(SSGetCellColor(g, 3, 3, &back, &fore));
        EXPECT_EQ(back, 0xDCDCDCu);
        EXPECT_EQ(fore, 0x8000000Bu);
        EXPECT_FALSE(SSGetCellColor(g, 5, 3, &back, &fore));
    });
}

TEST_F(GridTest, EditModeFromTheProgramKeepsASelectionInCodePoints) {
    GridDialog dlg;
    withGrid(dlg, *this, [&](HWND g) {
        SSSetColCount(g, 2);
        SSSetRowCount(g, 2);
        SSSetCellText(g, 2, 1, "Ünïcode");
        int a = -1, b = -1;
        EXPECT_FALSE(SSGetEditSel(g, &a, &b));
        SSSetActiveCell(g, 2, 1);
        ::SetFocus(g);
        ASSERT_TRUE(SSSetEditMode(g, TRUE));
        EXPECT_TRUE(SSGetEditMode(g));
        EXPECT_TRUE(SSIsGridWindow(::GetFocus()));
        EXPECT_EQ(GetClassName(::GetFocus()).rfind("fpSpr", 0), 0u);
        EXPECT_TRUE(SSSetEditSel(g, 1, 100));
        SSGetEditSel(g, &a, &b);
        EXPECT_EQ(a * 10 + b, 17);
        // A program write to the cell being edited shows in the editor.
        SSSetCellText(g, 2, 1, "Ab");
        SSGetEditSel(g, &a, &b);
        EXPECT_EQ(a * 10 + b, 12);
        EXPECT_TRUE(SSSetEditMode(g, FALSE));
        EXPECT_FALSE(SSGetEditMode(g));
        EXPECT_EQ(cellText(g, 2, 1), "Ab");
        EXPECT_EQ(::GetFocus(), g);
    });
    EXPECT_TRUE(dlg.events.empty());
}

TEST_F(GridTest, SwitchesAreKeptByNumberAndTheProgramNeverSetsTheChangedMark) {
    GridDialog dlg;
    withGrid(dlg, *this, [&](HWND g) {
        EXPECT_TRUE(SSGetSwitch(g, SS_SWITCH_COLUMN_HEADERS));
        EXPECT_FALSE(SSGetSwitch(g, 21));
        EXPECT_TRUE(SSSetSwitch(g, 21, TRUE));
        EXPECT_TRUE(SSGetSwitch(g, 21));
        EXPECT_FALSE(SSSetSwitch(g, 64, TRUE));
        SSSetColCount(g, 2);
        SSSetRowCount(g, 2);
        SSSetCellText(g, 1, 1, "x");
        SSCopyBlock(g, 1, 1, 1, 1, 2, 2);
        EXPECT_EQ(cellText(g, 2, 2), "x");
        EXPECT_FALSE(SSGetSwitch(g, SS_SWITCH_CHANGED));
        EXPECT_TRUE(SSSetOperationMode(g, SS_MODE_LIST));
        int c1, r1, c2, r2;
        ASSERT_TRUE(SSGetSelectBlock(g, &c1, &r1, &c2, &r2));
        EXPECT_EQ((std::vector<int>{c1, r1, c2, r2}), (std::vector<int>{1, 1, -1, 1}));
        EXPECT_FALSE(SSSetSelectBlock(g, 1, 1, 3, 1));
        EXPECT_TRUE(SSReset(g));
        EXPECT_EQ(SSGetColCount(g), 0);
        EXPECT_FALSE(SSGetSwitch(g, 21));
        EXPECT_FALSE(SSGetSelectBlock(g, &c1, &r1, &c2, &r2));
    });
    EXPECT_TRUE(dlg.events.empty());
}

TEST_F(GridTest, WholeRowsShownCountFromTheFirstShownRowWithoutCutOrHiddenRows) {
    GridDialog dlg;
    withGrid(dlg, *this, [&](HWND g) {
        SSSetSwitch(g, SS_SWITCH_HORZ_SCROLLBAR, FALSE);
        SSSetColCount(g, 2);
        SSSetRowCount(g, 40);
        for (int r = 1; r <= 40; ++r) SSSetRowHeightPixels(g, r, 20);
        RECT area, firstRow;
        ASSERT_TRUE(SSGetClientRect(g, &area));
        ASSERT_TRUE(SSGetCellRect(g, 1, 1, &firstRow));
        const int room = static_cast<int>(area.bottom - firstRow.top);
        ASSERT_NE(room % 20, 0) << "the last row shown is cut";
        int first = 0, whole = -1;
        ASSERT_TRUE(SSGetWholeRowsShown(g, &first, &whole));
        EXPECT_EQ(first, 1);
        EXPECT_EQ(whole, room / 20);
        // A hidden row takes no room and does not count.
        SSSetRowHeightPixels(g, 2, 0);
        SSGetWholeRowsShown(g, &first, &whole);
        EXPECT_EQ(whole, room / 20);
        // Scrolled to the last row: it is the last one shown whole.
        SSSetActiveCell(g, 1, 40);
        SSGetWholeRowsShown(g, &first, &whole);
        EXPECT_GT(first, 1);
        EXPECT_EQ(first + whole - 1, 40);
        // Rows lower than the room fit none whole; fewer rows than the room shows all of them.
        SSSetActiveCell(g, 1, 1);
        SSSetRowHeightPixels(g, 1, room + 1);
        SSGetWholeRowsShown(g, &first, &whole);
        EXPECT_EQ(whole, 0);
        SSSetRowHeightPixels(g, 1, 20);
        SSSetRowCount(g, 2);
        SSGetWholeRowsShown(g, &first, &whole);
        EXPECT_EQ(whole, 1);  // row 2 is hidden
        EXPECT_FALSE(SSGetWholeRowsShown(dlg.GetDlgItem(kOtherEditId)->m_hWnd, &first, &whole));
    });
}

TEST_F(GridTest, CallsOnAHandleThatIsNoGridFail) {
    const HWND none;
    EXPECT_FALSE(SSSetRowCount(none, 3));
    EXPECT_EQ(SSGetRowCount(none), 0);
    EXPECT_EQ(SSGetCellString(none, 1, 1, SS_CONTENT_TEXT), "");
    EXPECT_FALSE(SSSetCellText(mainWindow(), 1, 1, "x"));
    EXPECT_FALSE(SSIsGridWindow(mainWindow()));
}

}  // namespace
}  // namespace vtl::test
