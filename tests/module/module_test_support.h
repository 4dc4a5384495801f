#pragma once
// The module's test fixture: the module attached as the host would (its resources registered), the test
// dialogs registered beside it, and a dialog holding a Vtl_Spread over placeholder 1196.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "frame/vtlbase.h"
#include "vtlbase/macro/macro_parts.h"
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
    bool inPlace = false;  // attachInPlaceOfDlgItem rather than attachToDlgItem
    std::function<void(ui::Vtl_Spread&)> setUp;
    std::vector<std::string> events;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// The centre of a cell of the holder's grid, found when the step is taken.
win::Target cellOf(const GridHolder& dlg, int col, int row);
// The centre of a cell of any grid, found when the step is taken.
win::Target cellOf(std::function<HWND()> grid, int col, int row);
// The centre of tab item `index` of a tab control, found when the step is taken.
win::Target tabItemOf(std::function<HWND()> tabs, int index);

// A cell of a macro tab labelled with its name.
MacroCell cell(const char* name, const char* value, int type = MacroCell::number, bool readOnly = false);

// Writes a design into the library's designer root (the library folder must be gSettings' libDir) over a blank picture of `width` x `height`, from
// "type x0 y0 x1 y1 contents [list]" lines (fractions of the picture); answers its full module path.
Vtl_String writeDesign(const std::filesystem::path& libraryDir, const std::string& name, const std::vector<std::string>& controls,
                       int width = 300, int height = 200);

}  // namespace vtl::test
