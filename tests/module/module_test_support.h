#pragma once
// The module's test fixture: the module attached as the host would (its resources registered), the test
// dialogs registered beside it, and a dialog holding a Vtl_Spread over placeholder 1196.
#include <functional>
#include <string>
#include <vector>

#include "spread/vtl_spread.h"
#include "support/fixture.h"
#include "win/dialog.h"
#include "win/script.h"

namespace vtl::test {

class ModuleTest : public Fixture {
protected:
    void SetUp() override;
    void TearDown() override;
};

inline constexpr int kGridHolder = 9001;
inline constexpr int kGridPlaceholder = 1196;
inline constexpr int kLayoutDialog = 9002;

// Attaches its grid in OnInitDialog, runs `setUp` on it, and records the grid's notifications as
// "code (col,row)".
class GridHolder : public CDialog {
public:
    GridHolder() : CDialog(kGridHolder) {}
    ui::Vtl_Spread spread;
    bool parentIsChild = false;
    std::function<void(ui::Vtl_Spread&)> setUp;
    std::vector<std::string> events;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// The centre of a cell of the holder's grid, found when the step is taken.
win::Target cellOf(const GridHolder& dlg, int col, int row);

}  // namespace vtl::test
