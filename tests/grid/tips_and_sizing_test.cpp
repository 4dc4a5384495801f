// The mouse over a grid without pressing: text tips over cells whose text is cut off. And the header
// borders: dragged to size a column or row, double-clicked to fit it to its content.
#include "gfx/text_metrics.h"
#include "grid_test_support.h"
#include "model/sheet.h"
#include "win/api.h"
#include "win/gdi.h"
#include "win/input.h"
#include "win/render.h"
#include "win/testing.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
using namespace vtl::win;
using Events = std::vector<std::string>;

const std::string kLong = "HE 200 A, S355 JR, length 12500 mm";

// The grid's point (client coordinates) in screen coordinates.
POINT onScreen(HWND grid, POINT client) {
    ClientToScreen(grid, &client);
    return client;
}

POINT cellCentre(HWND grid, int col, int row) {
    RECT r;
    SSGetCellRect(grid, col, row, &r);
    return onScreen(grid, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void moveMouse(POINT screen) { deliverInput(InputEvent::mouse(InputEvent::Kind::MouseMove, screen.x, screen.y)); }

// The shown text tip, if any.
HWND tipWindow() {
    for (HWND h : testing::liveTopLevelWindows())
        if (GetClassName(h) == "fpSpreadTip70" && IsWindowVisible(h)) return h;
    return HWND();
}

void tipsOn(HWND g, int delay) {
    SS_TEXTTIP tip;
    tip.mode = 1;
    tip.delayMs = delay;
    SSSetTextTip(g, &tip);
}

// Column 1 holds a text too wide for it, column 2 one that fits.
void tipGrid(HWND g) {
    SSSetColCount(g, 3);
    SSSetRowCount(g, 4);
    SSSetCellText(g, 1, 1, kLong.c_str());
    SSSetCellText(g, 2, 1, "HE 200");
    tipsOn(g, 400);
}

TEST_F(GridTest, ATipShowsACutOffTextAfterTheDelayAndGoesWhenTheMouseLeavesItsCell) {
    GridDialog dlg;
    dlg.setUp = tipGrid;
    HWND shown;
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] { moveMouse(cellCentre(dlg.grid(), 2, 1)); })
        .advance(1000)
        .check([&] { EXPECT_FALSE(tipWindow()) << "the text fits"; })
        .check([&] { moveMouse(cellCentre(dlg.grid(), 1, 1)); })
        .advance(399)
        .check([&] { EXPECT_FALSE(tipWindow()) << "before the delay"; })
        .advance(1)
        .check([&] {
            shown = tipWindow();
            ASSERT_TRUE(shown);
            EXPECT_EQ(GetWindowText(shown), kLong);
            EXPECT_NE(GetActiveWindow(), shown);
            // Below the cursor, wide enough for the whole text in the cell's font, in the info colours.
            RECT r;
            GetWindowRect(shown, &r);
            const POINT cursor = cellCentre(dlg.grid(), 1, 1);
            EXPECT_GT(r.top, cursor.y);
            EXPECT_GE(r.right - r.left, gfx::textExtent(grid::defaultCellFont(), kLong).cx);
            const gfx::Image image = renderWindow(shown);
            EXPECT_EQ(image.pixel(image.width() / 2, 1).colour(), GetSysColor(COLOR_INFOBK));
        })
        .check([&] {
            // Moving on the same cell keeps the tip; moving to another cell takes it away at once.
            POINT p = cellCentre(dlg.grid(), 1, 1);
            moveMouse({p.x + 5, p.y});
            EXPECT_EQ(tipWindow(), shown);
            moveMouse(cellCentre(dlg.grid(), 1, 2));
            EXPECT_FALSE(tipWindow());
            EXPECT_FALSE(IsWindow(shown));
        })
        .check([&] { moveMouse(cellCentre(dlg.grid(), 1, 1)); })
        .advance(400)
        .check([&] {
            ASSERT_TRUE(tipWindow());
            moveMouse(clickPoint(::GetDlgItem(dlg.m_hWnd, IDOK)));  // off the grid
        })
        .advance(150)
        .check([&] { EXPECT_FALSE(tipWindow()) << "the mouse left the grid"; })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_TRUE(dlg.events.empty());
}

TEST_F(GridTest, NoTipShowsWhileTipsAreOff) {
    GridDialog dlg;
    dlg.setUp = [](HWND g) {
        tipGrid(g);
        SS_TEXTTIP off;
        off.mode = 0;
        off.delayMs = 10;
        SSSetTextTip(g, &off);
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] { moveMouse(cellCentre(dlg.grid(), 1, 1)); })
        .advance(2000)
        .check([&] {
            EXPECT_FALSE(tipWindow());
            // Turned on while the mouse rests there: the next move over the cell brings the tip.
            tipsOn(dlg.grid(), 10);
            const POINT p = cellCentre(dlg.grid(), 1, 1);
            moveMouse({p.x + 1, p.y});
        })
        .advance(10)
        .check([&] {
            EXPECT_TRUE(tipWindow());
            // Off again: the tip goes with the setting.
            SS_TEXTTIP off;
            SSSetTextTip(dlg.grid(), &off);
            EXPECT_FALSE(tipWindow());
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(GridTest, ATipGoesOnAClickOrKeyAndStaysAwayUntilTheMouseMovesToAnotherCell) {
    GridDialog dlg;
    dlg.setUp = [](HWND g) {
        tipGrid(g);
        SSSetCellText(g, 2, SS_HEADER, "Nominal section designation");
        SSSetCellText(g, 3, 2, "first line\nsecond line");  // two lines: more than the row holds
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] { moveMouse(cellCentre(dlg.grid(), 1, 1)); })
        .advance(400)
        .check([&] { ASSERT_TRUE(tipWindow()); })
        .click(cellTarget(dlg, 1, 1))
        .check([&] { EXPECT_FALSE(tipWindow()) << "a click takes it away"; })
        .advance(1000)
        .check([&] {
            EXPECT_FALSE(tipWindow()) << "not again on the same cell";
            moveMouse(cellCentre(dlg.grid(), 3, 2));
        })
        .advance(400)
        .check([&] { EXPECT_EQ(GetWindowText(tipWindow()), "first line\nsecond line"); })
        .check([&] { ASSERT_TRUE(SSGetEditMode(dlg.grid())); })  // the click was on the active cell
        .key(VK_RIGHT)
        .check([&] { EXPECT_FALSE(tipWindow()) << "a key in the editor takes it away"; })
        .key(VK_ESCAPE)
        .check([&] { moveMouse(cellCentre(dlg.grid(), 2, SS_HEADER)); })
        .advance(400)
        .check([&] { EXPECT_EQ(GetWindowText(tipWindow()), "Nominal section designation"); })
        .key(VK_DOWN)
        .check([&] { EXPECT_FALSE(tipWindow()) << "a key on the grid takes it away"; })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(GridTest, ATipUsesItsOwnFontAndColoursAndGoesWithItsGrid) {
    GridDialog dlg;
    const COLORREF back = RGB(20, 90, 200);
    dlg.setUp = [&](HWND g) {
        tipGrid(g);
        SS_TEXTTIP tip;
        tip.mode = 2;
        tip.delayMs = 50;
        tip.hasFont = true;
        tip.font = grid::defaultCellFont();
        tip.font.lfHeight = -30;
        tip.back = back;
        tip.fore = RGB(255, 255, 255);
        SSSetTextTip(g, &tip);
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] { moveMouse(cellCentre(dlg.grid(), 1, 1)); })
        .advance(50)
        .check([&] {
            const HWND tip = tipWindow();
            ASSERT_TRUE(tip);
            RECT r;
            GetClientRect(tip, &r);
            LOGFONT big = grid::defaultCellFont();
            big.lfHeight = -30;
            EXPECT_GE(r.bottom, gfx::fontMetrics(big).height);
            EXPECT_GE(r.right, gfx::textExtent(big, kLong).cx);
            const gfx::Image image = renderWindow(tip);
            EXPECT_EQ(image.pixel(image.width() - 3, 2).colour(), back);
            ::DestroyWindow(dlg.grid());
            EXPECT_FALSE(IsWindow(tip));
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

// The border at the right edge of a column header, or the bottom edge of a row header, on the screen.
Target columnBorder(const GridDialog& dlg, int col, int dx = 0) {
    return located("border of column " + std::to_string(col), [&dlg, col, dx]() -> std::optional<POINT> {
        RECT r;
        if (!SSGetCellRect(dlg.grid(), col, SS_HEADER, &r)) return std::nullopt;
        return onScreen(dlg.grid(), {r.right + dx, (r.top + r.bottom) / 2});
    });
}

Target rowBorder(const GridDialog& dlg, int row, int dy = 0) {
    return located("border of row " + std::to_string(row), [&dlg, row, dy]() -> std::optional<POINT> {
        RECT r;
        if (!SSGetCellRect(dlg.grid(), SS_HEADER, row, &r)) return std::nullopt;
        return onScreen(dlg.grid(), {(r.left + r.right) / 2, r.bottom + dy});
    });
}

Target offset(Target from, int dx, int dy) {
    return located(from.text + " moved", [from, dx, dy]() -> std::optional<POINT> {
        auto p = from.locate();
        if (!p) return std::nullopt;
        return POINT{p->x + dx, p->y + dy};
    });
}

void sizingGrid(HWND g) {
    SSSetColCount(g, 4);
    SSSetRowCount(g, 4);
    SSSetCellText(g, 2, 3, kLong.c_str());
    SSSetCellText(g, 3, 2, "one\ntwo\nthree");
}

TEST_F(GridTest, DraggingAColumnBorderSizesTheColumnToTheCursor) {
    GridDialog dlg;
    dlg.setUp = sizingGrid;
    int width1 = 0;
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] { width1 = SSGetColWidthPixels(dlg.grid(), 1); })
        // Grabbed 2 pixels left of the border: the border keeps that distance to the cursor.
        .drag(columnBorder(dlg, 1, -2), offset(columnBorder(dlg, 1, -2), 30, 5))
        .check([&] {
            EXPECT_EQ(SSGetColWidthPixels(dlg.grid(), 1), width1 + 30);
            EXPECT_EQ(::GetCapture(), HWND());
        })
        // Past the column's left edge: width 0, never less.
        .drag(columnBorder(dlg, 2), offset(columnBorder(dlg, 2), -200, 0))
        .check([&] { EXPECT_EQ(SSGetColWidthPixels(dlg.grid(), 2), 0); })
        // Column 2 now ends where column 1 does: the border found there opens column 2 again.
        .drag(columnBorder(dlg, 1), offset(columnBorder(dlg, 1), 25, 0))
        .check([&] {
            EXPECT_EQ(SSGetColWidthPixels(dlg.grid(), 2), 25);
            EXPECT_EQ(SSGetColWidthPixels(dlg.grid(), 1), width1 + 30);
        })
        // The capture keeps the drag going beyond the grid's window (400 pixels wide).
        .drag(columnBorder(dlg, 3), offset(columnBorder(dlg, 3), 400, 0))
        .check([&] {
            EXPECT_EQ(SSGetColWidthPixels(dlg.grid(), 3), width1 + 400);
            // Sizes are no values: no changed mark, no selection of the column.
            EXPECT_FALSE(SSGetSwitch(dlg.grid(), SS_SWITCH_CHANGED));
            int c1, r1, c2, r2;
            EXPECT_FALSE(SSGetSelectBlock(dlg.grid(), &c1, &r1, &c2, &r2));
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_TRUE(dlg.events.empty());
}

TEST_F(GridTest, DoubleClickingABorderFitsTheColumnOrRowToItsContent) {
    GridDialog dlg;
    dlg.setUp = sizingGrid;
    const LOGFONT font = grid::defaultCellFont();
    const int lineHeight = gfx::fontMetrics(font).height;
    int row1Height = 0;
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] { row1Height = SSGetRowHeightPixels(dlg.grid(), 1); })
        // A header text wider than every cell decides.
        .check([&] { SSSetCellText(dlg.grid(), 3, SS_HEADER, "Profile designation (long)"); })
        .doubleClick(columnBorder(dlg, 3))
        .check([&] {
            EXPECT_EQ(SSGetColWidthPixels(dlg.grid(), 3),
                      gfx::textExtent(font, "Profile designation (long)").cx + 6);
        })
        .doubleClick(columnBorder(dlg, 2))
        .check([&] { EXPECT_EQ(SSGetColWidthPixels(dlg.grid(), 2), gfx::textExtent(font, kLong).cx + 6); })
        .doubleClick(rowBorder(dlg, 2))
        .check([&] { EXPECT_EQ(SSGetRowHeightPixels(dlg.grid(), 2), 3 * lineHeight + 2); })
        .drag(rowBorder(dlg, 1), offset(rowBorder(dlg, 1), 0, 12))
        .check([&] {
            EXPECT_EQ(SSGetRowHeightPixels(dlg.grid(), 1), row1Height + 12);
            EXPECT_FALSE(SSGetSwitch(dlg.grid(), SS_SWITCH_CHANGED));
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_TRUE(dlg.events.empty());
}

TEST_F(GridTest, WithoutHeadersThereIsNoBorderToDrag) {
    GridDialog dlg;
    dlg.setUp = [](HWND g) {
        sizingGrid(g);
        SSSetSwitch(g, SS_SWITCH_COLUMN_HEADERS, FALSE);
        SSSetSwitch(g, SS_SWITCH_ROW_HEADERS, FALSE);
    };
    int width = 0;
    // Where the border of column 1 is, in the top row of cells.
    const Target border = located("right edge of cell 1,1", [&dlg]() -> std::optional<POINT> {
        RECT r;
        if (!SSGetCellRect(dlg.grid(), 1, 1, &r)) return std::nullopt;
        return onScreen(dlg.grid(), {r.right, (r.top + r.bottom) / 2});
    });
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] { width = SSGetColWidthPixels(dlg.grid(), 1); })
        .doubleClick(border)
        .drag(border, offset(border, 40, 0))
        .check([&] {
            EXPECT_EQ(SSGetColWidthPixels(dlg.grid(), 1), width);
            EXPECT_EQ(SSGetColWidthPixels(dlg.grid(), 2), width);
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

}  // namespace
}  // namespace vtl::test

namespace vtl::test {
namespace {

// The block measures agree with the cell measure over every kind of cell: plain, several lines, a
// trailing CR, non-ASCII text, a larger font, a check box, a list, a wrapping header and a span.
TEST_F(GridTest, BlockMeasuresAreTheLargestOfTheCellMeasures) {
    GridDialog dlg;
    dlg.setUp = [](HWND g) {
        sizingGrid(g);
        SSSetCellText(g, 1, 1, "Stütze Ø18 – über");
        SSSetCellText(g, 4, 4, "trailing\r");
        SS_CELLTYPE t;
        SSSetTypeCheckBox(g, &t, 768, "with caption", HBITMAP(), HBITMAP(), HBITMAP(), HBITMAP());
        SSSetCellType(g, 1, 4, &t);
        SSSetTypeComboBox(g, &t, 0x100000, "S235\tS355 long item");
        SSSetCellType(g, 4, 1, &t);
        SSSetCellValue(g, 4, 1, "1");
        SSSetTypeStaticText(g, &t, 140);
        SSSetBlockType(g, 1, SS_HEADER, 4, SS_HEADER, &t);
        SSSetCellText(g, 2, SS_HEADER, "A header that wraps over lines");
        LOGFONT big = grid::defaultCellFont();
        big.lfHeight = 24;
        const HFONT font = CreateFontIndirect(big);
        SSSetBlockFont(g, 3, 4, 3, 4, font);
        DeleteObject(font);
        SSSetCellText(g, 3, 4, "big");
        SSAddCellSpan(g, 1, 3, 2, 1);
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] {
            const HWND g = dlg.grid();
            double widths[5] = {};
            ASSERT_TRUE(SSGetPreferredColWidths(g, SS_HEADER, 4, SS_HEADER, 4, widths));
            for (int c = 0; c <= 4; ++c) {
                double widest = 0, w = 0;
                for (int r = 0; r <= 4; ++r)
                    if (SSGetPreferredCellSize(g, c, r, &w, nullptr)) widest = std::max(widest, w);
                EXPECT_DOUBLE_EQ(widths[c], widest) << c;
                double block = -1;
                EXPECT_TRUE(SSGetPreferredBlockSize(g, c, SS_HEADER, c, 4, &block, nullptr));
                EXPECT_DOUBLE_EQ(block, widest) << c;
            }
            double heights[5] = {};
            ASSERT_TRUE(SSGetPreferredRowHeights(g, SS_HEADER, 4, SS_HEADER, 4, heights));
            for (int r = 0; r <= 4; ++r) {
                double tallest = 0, h = 0;
                for (int c = 0; c <= 4; ++c)
                    if (SSGetPreferredCellSize(g, c, r, nullptr, &h)) tallest = std::max(tallest, h);
                double block = -1;
                EXPECT_TRUE(SSGetPreferredBlockSize(g, SS_HEADER, r, 4, r, nullptr, &block));
                EXPECT_DOUBLE_EQ(block, tallest) << r;
                EXPECT_DOUBLE_EQ(heights[r], tallest) << r;  // the one-pass measure of every row
            }
            EXPECT_FALSE(SSGetPreferredRowHeights(g, 1, 9, 1, 4, heights));
            // The single-cell measure is the same with or without the other side asked for.
            double w1 = 0, h1 = 0, w2 = 0, h2 = 0;
            SSGetPreferredCellSize(g, 2, SS_HEADER, &w1, &h1);
            SSGetPreferredCellSize(g, 2, SS_HEADER, &w2, nullptr);
            SSGetPreferredCellSize(g, 2, SS_HEADER, nullptr, &h2);
            EXPECT_DOUBLE_EQ(w1, w2);
            EXPECT_DOUBLE_EQ(h1, h2);
            EXPECT_FALSE(SSGetPreferredBlockSize(g, 1, 1, 9, 1, &w1, nullptr));
            // The reused-buffer read gives what the plain read gives.
            std::string text = "old";
            EXPECT_TRUE(SSGetCellString(g, 1, 1, SS_CONTENT_TEXT, text));
            EXPECT_EQ(text, SSGetCellString(g, 1, 1, SS_CONTENT_TEXT));
            EXPECT_TRUE(SSGetCellString(g, 4, 1, SS_CONTENT_TEXT, text));
            EXPECT_EQ(text, "S355 long item");
            EXPECT_TRUE(SSGetCellString(g, 2, 2, SS_CONTENT_TEXT, text));
            EXPECT_EQ(text, "");
            std::vector<std::string> row = {"stale", "stale", "stale", "stale", "stale", "stale"};
            ASSERT_TRUE(SSGetRowStrings(g, 1, 1, 4, SS_CONTENT_TEXT, row));
            EXPECT_EQ(row, (std::vector<std::string>{SSGetCellString(g, 1, 1, 0), "", "", "S355 long item"}));
            EXPECT_FALSE(SSGetRowStrings(g, 9, 1, 4, SS_CONTENT_TEXT, row));
            EXPECT_FALSE(SSGetRowStrings(g, 1, 3, 2, SS_CONTENT_TEXT, row));
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

}  // namespace
}  // namespace vtl::test
