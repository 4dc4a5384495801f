#pragma once
// Shared helpers of the grid window tests: a fixture with the test dialogs and the grid class
// registered, and a dialog holding a grid that records the grid's notifications.
#include <functional>
#include <string>
#include <vector>

#include "grid/ss.h"
#include "support/fixture.h"
#include "win/dialog.h"
#include "win/script.h"

namespace vtl::test {

class GridTest : public Fixture {
protected:
    void SetUp() override;
};

inline constexpr int kGridDialog = 300;
inline constexpr int kGridId = 1001;
inline constexpr int kOtherEditId = 1002;

// The dialog with grid 1001. Each notification is kept as "code (col,row)" with the cell the grid
// reports for it; onNotify may act on the grid from inside the handler.
class GridDialog : public CDialog {
public:
    GridDialog() : CDialog(kGridDialog) {}
    HWND grid() const { return ::GetDlgItem(m_hWnd, kGridId); }
    std::vector<std::string> events;
    std::function<void(WORD code)> onNotify;
    std::function<void(HWND grid)> setUp;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// The centre of a cell of the dialog's grid, found when the step is taken.
win::Target cellTarget(const GridDialog& dlg, int col, int row);
// The grid's cell text (kind 0) or value (kind 3).
std::string cellText(HWND grid, int col, int row);
std::string cellValue(HWND grid, int col, int row);

}  // namespace vtl::test
