#include "grid_test_support.h"

#include <span>

#include "grid/spread.h"
#include "win/api.h"
#include "win/resources.h"

std::span<const vtl::win::EmbeddedFile> test_grid_resources();

namespace vtl::test {

void GridTest::SetUp() {
    Fixture::SetUp();
    static const int anchor = 0;
    const HINSTANCE self = win::instanceOfAddress(&anchor);
    if (!win::hasResources(self)) win::registerResources(self, test_grid_resources());
    grid::registerSpreadClass();
}

BOOL GridDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (setUp) setUp(grid());
    events.clear();
    return TRUE;
}

BOOL GridDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kGridId) {
        int col = -1, row = -1;
        SSGetNotifyCell(grid(), &col, &row);
        events.push_back(std::to_string(HIWORD(wParam)) + " (" + std::to_string(col) + "," + std::to_string(row) + ")");
        if (onNotify) onNotify(HIWORD(wParam));
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

win::Target cellTarget(const GridDialog& dlg, int col, int row) {
    return win::located("cell " + std::to_string(col) + "," + std::to_string(row), [&dlg, col, row]() -> std::optional<POINT> {
        const HWND grid = dlg.grid();
        RECT r;
        if (!SSGetCellRect(grid, col, row, &r)) return std::nullopt;
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(grid, &p);
        return p;
    });
}

std::string cellText(HWND grid, int col, int row) { return SSGetCellString(grid, col, row, SS_CONTENT_TEXT); }
std::string cellValue(HWND grid, int col, int row) { return SSGetCellString(grid, col, row, SS_CONTENT_VALUE); }

}  // namespace vtl::test
