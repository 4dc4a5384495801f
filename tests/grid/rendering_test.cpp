// The grid as it is drawn: header bars with their labels, check-box pictures, cell colours, and the
// redraw switch holding changes back until it is on again.
#include <cstdlib>
#include <fstream>

#include "gfx/bitmap.h"
#include "gfx/image.h"
#include "gfx/png.h"
#include "grid_test_support.h"
#include "win/api.h"
#include "win/gdi.h"
#include "win/render.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

// A cell's rectangle in the coordinates of the rendered dialog.
RECT inImage(HWND dialog, HWND grid, int col, int row) {
    RECT cell, frame;
    SSGetCellRect(grid, col, row, &cell);
    POINT p{cell.left, cell.top};
    ClientToScreen(grid, &p);
    GetWindowRect(dialog, &frame);
    const int dx = p.x - frame.left - cell.left, dy = p.y - frame.top - cell.top;
    return {cell.left + dx, cell.top + dy, cell.right + dx, cell.bottom + dy};
}

int pixelsOf(const gfx::Image& image, const RECT& r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += image.pixel(x, y).colour() == colour;
    return n;
}

int darkPixels(const gfx::Image& image, const RECT& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const auto p = image.pixel(x, y);
            n += p.r + p.g + p.b < 200;
        }
    return n;
}

TEST_F(GridTest, TheGridDrawsHeadersCheckPicturesAndCellColours) {
    const COLORREF red = RGB(220, 0, 0), green = RGB(0, 160, 0);
    const HBITMAP clear = gfx::createBitmap(gfx::Image(13, 13, gfx::Rgba::of(green)));
    const HBITMAP set = gfx::createBitmap(gfx::Image(13, 13, gfx::Rgba::of(red)));
    GridDialog dlg;
    dlg.setUp = [&](HWND g) {
        SSSetColCount(g, 3);
        SSSetRowCount(g, 3);
        SSSetCellText(g, 1, SS_HEADER, "Size");
        SS_CELLTYPE t;
        SSSetTypeCheckBox(g, &t, 768, "", clear, set, clear, set);
        SSSetBlockType(g, 2, 1, 2, -1, &t);
        SSSetCellValue(g, 2, 1, "1");
        SSSetCellValue(g, 2, 2, "0");
        SSSetCellText(g, 1, 1, "HE 200 A");
        SSSetCellColor(g, 3, 3, RGB(255, 255, 0), 0x8000000B);
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] {
            const HWND g = dlg.grid();
            const gfx::Image image = renderWindow(dlg.m_hWnd);
            if (const char* dir = std::getenv("VTL_TEST_PNG_DIR")) {
                const auto png = gfx::encodePng(image);
                std::ofstream(std::string(dir) + "/grid.png", std::ios::binary)
                    .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
            }
            // Header bars in the button colour, with the given label and the default letters and numbers.
            const RECT sizeHeader = inImage(dlg.m_hWnd, g, 1, 0);
            const RECT bHeader = inImage(dlg.m_hWnd, g, 2, 0);
            const RECT rowHeader = inImage(dlg.m_hWnd, g, 0, 2);
            EXPECT_EQ(image.pixel(sizeHeader.left + 2, sizeHeader.top + 2).colour(), GetSysColor(COLOR_BTNFACE));
            EXPECT_GT(darkPixels(image, sizeHeader), 20);
            EXPECT_GT(darkPixels(image, bHeader), 8);
            EXPECT_GT(darkPixels(image, rowHeader), 8);
            EXPECT_GT(darkPixels(image, inImage(dlg.m_hWnd, g, 1, 1)), 30);  // "HE 200 A"
            // The set box shows the set picture, the clear box the clear one, whole.
            EXPECT_EQ(pixelsOf(image, inImage(dlg.m_hWnd, g, 2, 1), red), 13 * 13);
            EXPECT_EQ(pixelsOf(image, inImage(dlg.m_hWnd, g, 2, 2), green), 13 * 13);
            const RECT yellow = inImage(dlg.m_hWnd, g, 3, 3);
            EXPECT_GT(pixelsOf(image, yellow, RGB(255, 255, 0)), (yellow.right - yellow.left - 4) * (yellow.bottom - yellow.top - 4));

            // With redraw off a change stays unseen until redraw is on again.
            SSSetSwitch(g, SS_SWITCH_REDRAW, FALSE);
            SSSetCellColor(g, 3, 3, RGB(0, 0, 255), 0x8000000B);
            EXPECT_EQ(pixelsOf(renderWindow(dlg.m_hWnd), yellow, RGB(0, 0, 255)), 0);
            SSSetSwitch(g, SS_SWITCH_REDRAW, TRUE);
            EXPECT_GT(pixelsOf(renderWindow(dlg.m_hWnd), yellow, RGB(0, 0, 255)), 0);
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    DeleteObject(clear);
    DeleteObject(set);
}

TEST_F(GridTest, HiddenHeadersGiveTheCellsTheWholeWindowAndSpansDrawAsOneCell) {
    GridDialog dlg;
    dlg.setUp = [](HWND g) {
        SSSetSwitch(g, SS_SWITCH_COLUMN_HEADERS, FALSE);
        SSSetSwitch(g, SS_SWITCH_ROW_HEADERS, FALSE);
        SSSetColCount(g, 3);
        SSSetRowCount(g, 2);
        SSAddCellSpan(g, 1, 1, 2, 1);
        SSSetCellColor(g, 1, 1, RGB(255, 0, 255), 0x8000000B);
        SSSetCellColor(g, 2, 1, RGB(0, 255, 255), 0x8000000B);  // covered: never shown
    };
    Script s;
    s.waitFor(dialogWithTemplate(kGridDialog))
        .check([&] {
            RECT first;
            SSGetCellRect(dlg.grid(), 1, 1, &first);
            EXPECT_EQ(first.left, 0);
            EXPECT_EQ(first.top, 0);
            const gfx::Image image = renderWindow(dlg.m_hWnd);
            const RECT span = inImage(dlg.m_hWnd, dlg.grid(), 1, 1);
            EXPECT_EQ(span.right - span.left, SSGetColWidthPixels(dlg.grid(), 1) + SSGetColWidthPixels(dlg.grid(), 2));
            EXPECT_EQ(pixelsOf(image, span, RGB(0, 255, 255)), 0);
            EXPECT_GT(pixelsOf(image, span, RGB(255, 0, 255)), (span.right - span.left - 4) * (span.bottom - span.top - 4));
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

}  // namespace
}  // namespace vtl::test
