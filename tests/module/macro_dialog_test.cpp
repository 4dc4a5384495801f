// The macro dialog through its start function and scripts: pages built from the record, designed
// controls bound or moved to the grid, patterns with formula counts, bolt controls, applying changes to
// the drawing (journal and record), the value solver, and two macros edited together.
#include <filesystem>
#include <fstream>

#include "gfx/bmp.h"
#include "gfx/image.h"
#include "macro/macro_dialog.h"
#include "module_test_support.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/drawing/macro_operations.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlbase/settings.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using base::DrawingModel;
using base::Journal;
using ui::MacroDialog;
using ui::MacroTabPage;
using win::Script;

class MacroDialogTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        gSettings.setLibDir(Vtl_String(libraryDir().string()));
    }
    Vtl_String design(const std::string& name, const std::vector<std::string>& controls) {
        return writeDesign(libraryDir(), name, controls);
    }

    static MacroTabPage* shownPage(MacroDialog& dlg) {
        for (int i = 0; i < dlg.macro().tabs.length(); ++i)
            if (MacroTabPage* p = dlg.page(i); p && p->IsWindowVisible()) return p;
        return nullptr;
    }
    static HWND gridOf(MacroTabPage* page) { return page->grid().grid(); }
    static std::string gridText(HWND grid, int col, int row) { return SSGetCellString(grid, col, row, SS_CONTENT_TEXT); }
};

TEST_F(MacroDialogTest, DesignedControlsBindAndWhatTheyCannotShowGoesToTheGrid) {
    MacroData m;
    m.caption = "Plate";
    MacroTabData plate;
    plate.moduleName = "Plate";
    plate.displayName = "Plate";
    plate.designFile = design("Plate", {"2 0.1 0.1 0.4 0.2 tp", "2 0.1 0.3 0.4 0.4 nothing", "0 0.5 0.1 0.9 0.2 Label ghost"});
    plate.cells.append(cell("tp", "15.00"));
    plate.cells.append(cell("bp", "200.00"));
    plate.cells.append(cell("grade", "S355", MacroCell::list));
    plate.cells[2].items = Vtl_StringArray{"S235", "S355"};
    m.tabs.append(plate);
    MacroDialog dlg(m);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            MacroTabPage* page = shownPage(dlg);
            ASSERT_NE(page, nullptr);
            EXPECT_EQ(page->design().getNrControls(), 2);  // "nothing" names no cell: removed
            EXPECT_EQ(GetWindowText(::GetDlgItem(page->m_hWnd, 33000)), "15.00");
            // The label names a missing cell: it stays, empty.
            EXPECT_EQ(GetWindowText(::GetDlgItem(page->m_hWnd, 33001)), "");
            const HWND grid = gridOf(page);
            ASSERT_EQ(SSGetRowCount(grid), 2);
            EXPECT_EQ(gridText(grid, 1, 1), "bp");
            EXPECT_EQ(gridText(grid, 3, 1), "200.00");
            SS_CELLTYPE type;
            SSGetCellType(grid, 3, 2, &type);
            EXPECT_EQ(type.kind, SS_KIND_COMBO_BOX);
            EXPECT_EQ(dlg.macro().tabs[0].cells[1].reference, -1);
            EXPECT_EQ(dlg.macro().tabs[0].cells[0].reference, 33000);
            EXPECT_EQ(GetWindowText(dlg.m_hWnd), "Plate");
        })
        .click(win::ctrl(IDOK));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_TRUE(dlg.macro().closed);
    EXPECT_EQ(Journal::get().last("changeView")->text(), "changeView(Plate, 3)");
}

TEST_F(MacroDialogTest, PatternsWithFormulaCountsSpanTheirNameAndLoseTheirCountControl) {
    MacroData m;
    MacroTabData bolts;
    bolts.kind = 1;
    bolts.moduleName = "Bolts";
    bolts.designFile = design("Bolts", {"5 0.1 0.1 0.3 0.2 rows", "5 0.1 0.3 0.3 0.4 extra"});
    MacroPatternProps rows, extra;
    rows.name = "rows";
    rows.label = "Rows";
    rows.countText = "3";
    extra.name = "extra";
    extra.label = "Extra rows";
    extra.countText = "rows-2";
    extra.hasButton = true;
    bolts.patterns.append(rows);
    bolts.patterns.append(extra);
    bolts.bolt.assembly = "Hexagon bolt 8.8";
    bolts.bolt.diameter = "20";
    m.tabs.append(bolts);
    MacroDialog dlg(m);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            MacroTabPage* page = shownPage(dlg);
            ASSERT_NE(page, nullptr);
            EXPECT_EQ(page->design().getNrControls(), 1);  // the formula count has no count control
            const HWND grid = gridOf(page);
            // Both patterns have their names in the grid; the formula one spans columns 3-4, with a button.
            ASSERT_EQ(SSGetRowCount(grid), 2);
            EXPECT_EQ(gridText(grid, 3, 2), "extra");
            EXPECT_EQ(SSGetCellSpan(grid, 3, 2, nullptr, nullptr, nullptr, nullptr), 1);
            EXPECT_EQ(gridText(grid, 4, 2), "");
            EXPECT_EQ(gridText(grid, 2, 2), dialString(1324).str());
            EXPECT_EQ(gridText(grid, 4, 1), "");  // the numeric count is in its designed control
            // Bolt controls show on a bolt tab; hiding them takes their strip from the page's height.
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, MacroTabPage::kAssemblyId)));
            EXPECT_EQ(GetDlgItemText(page->m_hWnd, MacroTabPage::kAssemblyId), "Hexagon bolt 8.8");
            const int withBolts = page->wantedSize().cy;
            page->hideBoltControls = true;
            EXPECT_EQ(withBolts - page->wantedSize().cy, MacroTabPage::kBoltStrip);
        })
        .click(win::ctrl(IDOK));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(MacroDialogTest, APatternWithADesignedButtonKeepsItsNameInTheGrid) {
    MacroData m;
    MacroTabData bolts;
    bolts.kind = 1;
    bolts.moduleName = "Bolts";
    // The button is drawn on the picture, the name and count are not: they go to the pattern's grid row.
    bolts.designFile = design("Bolts", {"6 0.1 0.1 0.3 0.2 rows"});
    MacroPatternProps rows;
    rows.name = "rows";
    rows.label = "Rows";
    rows.countText = "3";
    rows.hasButton = true;
    bolts.patterns.append(rows);
    m.tabs.append(bolts);
    MacroDialog dlg(m);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            MacroTabPage* page = shownPage(dlg);
            ASSERT_NE(page, nullptr);
            EXPECT_GT(dlg.macro().tabs[0].patterns[0].buttonReference, 0);
            const HWND grid = gridOf(page);
            ASSERT_EQ(SSGetRowCount(grid), 1);
            EXPECT_EQ(gridText(grid, 1, 1), "Rows");
            EXPECT_EQ(gridText(grid, 3, 1), "rows");
            EXPECT_EQ(gridText(grid, 4, 1), "3");
        })
        .click(win::ctrl(IDOK));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.macro().tabs[0].patterns[0].name.str(), "rows");
}

TEST_F(MacroDialogTest, AnApplyWithoutChangesCallsNothingAndLeavesApplyingOn) {
    MacroData m;
    MacroTabData plate;
    plate.moduleName = "Plate";
    plate.designFile = design("Only", {"2 0.1 0.1 0.4 0.2 tp", "2 0.1 0.3 0.4 0.4 bp"});
    plate.cells.append(cell("tp", "15.00"));
    plate.cells.append(cell("bp", "200.00"));
    m.tabs.append(plate);
    DrawingModel::get().placeMacro(m);
    MacroDialog dlg(m);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            MacroTabPage* page = shownPage(dlg);
            ASSERT_NE(page, nullptr);
            EXPECT_FALSE(page->gridVisible());  // every value has its control: no grid
            int w = 0, h = 0;
            page->design().getImageSize(w, h);
            EXPECT_EQ(page->wantedSize().cy, h - 20);
        })
        .click(win::ctrl(33000))
        .key(VK_TAB)  // leaves tp unchanged: nothing to update
        .check([&] { EXPECT_EQ(Journal::get().count("UpdateModule"), 0); })
        .check([&] { ::SendMessage(::GetFocus(), EM_SETSEL, 0, -1); })
        .type("250.5")
        .key(VK_RETURN)
        .check([&] {
            ASSERT_EQ(Journal::get().count("UpdateModule"), 1);
            EXPECT_EQ(dlg.macro().tabs[0].cells[1].value.str(), "250.50");  // normalised by the drawing
            EXPECT_EQ(GetWindowText(::GetDlgItem(shownPage(dlg)->m_hWnd, 33001)), "250.50");
        })
        .click(win::ctrl(IDOK));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(MacroDialogTest, TwoMacrosTogetherKeepTheirDifferingValuesThroughAnApply) {
    auto plate = [&](const char* tp, const char* assembly) {
        MacroData m;
        m.macroType = "Plate";
        MacroTabData t;
        t.kind = 1;
        t.moduleName = "Plate";
        t.cells.append(cell("tp", tp));
        t.cells.append(cell("bp", "200.00"));
        t.cells.append(cell("ok", "1", MacroCell::yesNo));
        t.bolt.assembly = assembly;
        t.bolt.diameter = "20";
        m.tabs.append(t);
        DrawingModel::get().placeMacro(m);
        return m;
    };
    Vtl_Array<MacroData> both;
    both.append(plate("15.00", "Hexagon bolt 8.8"));
    both.append(plate("20.00", "HV set 10.9"));
    MacroData merged;
    ASSERT_TRUE(mergeMacros(both, merged));
    const Vtl_String mixed = dialString(695);
    EXPECT_EQ(merged.tabs[0].cells[0].value.str(), mixed.str());
    MacroDialog dlg(merged);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            MacroTabPage* page = shownPage(dlg);
            ASSERT_NE(page, nullptr);
            const HWND grid = gridOf(page);
            EXPECT_EQ(gridText(grid, 3, 1), mixed.str());
            // The mixed assembly keeps the diameters both share.
            auto* assembly = static_cast<CComboBox*>(CWnd::FromHandle(::GetDlgItem(page->m_hWnd, MacroTabPage::kAssemblyId)));
            auto* diameter = static_cast<CComboBox*>(CWnd::FromHandle(::GetDlgItem(page->m_hWnd, MacroTabPage::kDiameterId)));
            EXPECT_EQ(assembly->GetLBText(assembly->GetCurSel()), mixed.str());
            // Choosing the mixed item (as the combo reports a choice) leaves the shared diameters.
            const int before = diameter->GetCount();
            ASSERT_GT(before, 0);
            ::SendMessage(page->m_hWnd, WM_COMMAND, MAKEWPARAM(MacroTabPage::kAssemblyId, CBN_SELCHANGE),
                          HandleToParam(assembly->m_hWnd));
            EXPECT_EQ(diameter->GetCount(), before);
            EXPECT_EQ(Journal::get().count("UpdateModule"), 0);  // nothing changed
        })
        .click(win::located("bp", [&]() -> std::optional<POINT> {
            RECT r;
            const HWND grid = gridOf(shownPage(dlg));
            if (!SSGetCellRect(grid, 3, 2, &r)) return std::nullopt;
            POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            ClientToScreen(grid, &p);
            return p;
        }))
        .type("250")
        .key(VK_RETURN)
        .check([&] {
            ASSERT_EQ(Journal::get().count("UpdateModule"), 1);
            EXPECT_EQ(Journal::get().last("UpdateModule")->arguments[1], "1");  // only bp changed
            EXPECT_EQ(dlg.macro().tabs[0].cells[0].value.str(), mixed.str());
            EXPECT_EQ(DrawingModel::get().instance(both[0].objectIds[0])->tabs[0].cells[0].value.str(), "15.00");
            EXPECT_EQ(DrawingModel::get().instance(both[1].objectIds[0])->tabs[0].cells[0].value.str(), "20.00");
            EXPECT_EQ(DrawingModel::get().instance(both[1].objectIds[0])->tabs[0].cells[1].value.str(), "250.00");
        })
        .click(win::ctrl(IDOK));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(MacroDialogTest, TheValueSolverSplitsATypedTotalOverItsCell) {
    MacroData m;
    MacroTabData t;
    t.moduleName = "Plate";
    t.designFile = design("Solver", {"2 0.1 0.1 0.4 0.2 gap", "25 0.5 0.1 0.6 0.2 ... total;gap;;2;"});
    t.cells.append(cell("gap", "10.00"));
    t.cells.append(cell("total", "100.00", MacroCell::number, true));
    m.tabs.append(t);
    DrawingModel::get().placeMacro(m);
    MacroDialog dlg(m);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(33001))
        .waitFor(win::dialogWithTemplate(8069))
        .check([&] { EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), 8003), "105.00000"); })  // 100 + 10 / 2
        .key(VK_DELETE)
        .type("130")
        .click(win::ctrl(IDOK))
        .check([&] {
            // (130 - 100) * 2 = 60 goes to the gap, applied and normalised by the drawing.
            EXPECT_EQ(dlg.macro().tabs[0].cells[0].value.str(), "60.00");
            EXPECT_EQ(Journal::get().count("UpdateModule"), 1);
        })
        .click(win::ctrl(IDOK));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(MacroDialogTest, TheSampleEndPlateOpensWithEveryTabAndAnswersItsMessage) {
    gSettings.setLibDir(Vtl_String(VTL_SAMPLE_LIBRARY));
    MacroData m;
    std::string error;
    ASSERT_TRUE(readLibraryMacro("EndPlate", m, error)) << error;
    DrawingModel::get().placeMacro(m);
    MacroData edited = m;
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            const HWND dlg = ::GetActiveWindow();
            EXPECT_EQ(::SendMessage(dlg, MacroDialog::kAnswerMessage), 1);
            EXPECT_EQ(GetWindowText(dlg), "End plate connection");
        })
        .click(win::ctrl(1181))  // a view button
        .click(win::ctrl(1292))  // clash check on
        .key(VK_ESCAPE);
    run(s, [&] { StartDlgMacro(edited); });
    EXPECT_TRUE(edited.closed);
    EXPECT_TRUE(clashGetStatus());
    EXPECT_EQ(Journal::get().count("clashInitDlgStarted"), 1);
    EXPECT_EQ(Journal::get().count("clashDlgClosed"), 1);
    EXPECT_GE(Journal::get().count("changeView"), 2);
}

}  // namespace
}  // namespace vtl::test
