// The macro dialog as a detailer meets it in the first minutes: the page's size with its grid, the
// end-plate variant combo, typing into designed editable combos, coming back to a tab, two controls for
// one bolt value, diameters an assembly does not offer, the buttons that open the sub-dialogs, numbers under
// a decimal-comma locale, and an error inside the dialog.
#include <clocale>
#include <filesystem>
#include <fstream>
#include <string>

#include "host/command_line.h"
#include "macro/macro_dialog.h"
#include "module_test_support.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/drawing/macro_operations.h"
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

// The first grid among the descendants of the active window (the shown page's).
HWND firstGridIn(HWND h) {
    for (HWND c = ::GetWindow(h, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (GetClassName(c) == "fpSpread70" && ::IsWindowVisible(c)) return c;
        if (const HWND found = firstGridIn(c)) return found;
    }
    return HWND();
}
HWND firstGridOfActiveWindow() { return firstGridIn(::GetActiveWindow()); }

MacroTabData tabOf(const char* module, int kind = 0) {
    MacroTabData t;
    t.kind = kind;
    t.moduleName = module;
    t.displayName = module;
    return t;
}

class MacroPage : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        gSettings.setLibDir(Vtl_String(libraryDir().string()));
        host::clearCommandLine();
    }
    Vtl_String design(const std::string& name, const std::vector<std::string>& controls, int width = 300, int height = 200) {
        return writeDesign(libraryDir(), name, controls, width, height);
    }
    // Opens the dialog modally on `m` (placed in the drawing first) and plays the script.
    void runDialog(MacroData& m, Script& s) {
        DrawingModel::get().placeMacro(m);
        dialog_ = std::make_unique<MacroDialog>(m);
        run(s, [&] { dialog_->DoModal(); });
    }
    MacroDialog& dlg() { return *dialog_; }
    MacroTabData& recordTab(int i) { return dialog_->macro().tabs[i]; }
    const MacroTabData& drawnTab(const MacroData& m, int i) { return DrawingModel::get().instance(m.objectIds[0])->tabs[i]; }
    win::Target tabItem(int index) {
        return tabItemOf([this] { return ::GetDlgItem(dialog_->m_hWnd, MacroDialog::kTabId); }, index);
    }
    win::Target gridCell(int tab, int col, int row) {
        return cellOf([this, tab] { return dialog_->page(tab)->grid().grid(); }, col, row);
    }
    static int focusId() { return ::GetDlgCtrlID(::GetFocus()); }

    std::unique_ptr<MacroDialog> dialog_;
};

TEST_F(MacroPage, AHiddenPageCountsItsGridInTheSizeItAsksFor) {
    MacroData m;
    MacroTabData all = tabOf("All");
    all.designFile = design("All", {"2 0.1 0.1 0.4 0.2 a"});
    all.cells.append(cell("a", "1.00"));
    MacroTabData some = tabOf("Some");
    some.designFile = design("Some", {"2 0.1 0.1 0.4 0.2 b"});
    for (const char* name : {"b", "c", "d", "e"}) some.cells.append(cell(name, "2.00"));
    m.tabs.append(all);
    m.tabs.append(some);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            // The second page is hidden, yet it asks for its picture, its grid and nothing for bolts.
            MacroTabPage* hidden = dlg().page(1);
            ASSERT_FALSE(hidden->IsWindowVisible());
            EXPECT_TRUE(hidden->gridVisible());
            EXPECT_EQ(hidden->wantedSize().cy, 200 + 130 - 20);
            // Every value of the first has its control: no grid and no room for one.
            EXPECT_FALSE(dlg().page(0)->gridVisible());
            EXPECT_EQ(dlg().page(0)->wantedSize().cy, 200 - 20);
            RECT r;
            dlg().GetWindowRect(&r);
            EXPECT_GE(r.bottom - r.top, 200 + 130 - 20 + 160);
        })
        .click(tabItem(1))
        .check([&] {
            // Shown, the grid has room for all four rows.
            const HWND grid = dlg().page(1)->grid().grid();
            RECT client;
            ::GetClientRect(grid, &client);
            RECT last;
            ASSERT_TRUE(SSGetCellRect(grid, 3, 3, &last));
            EXPECT_LE(last.bottom, client.bottom);
        })
        .click(win::ctrl(IDOK));
    runDialog(m, s);
}

TEST_F(MacroPage, ChoosingAnImageSwapsToTheChosenDrawingAndTheMixedItemSwapsNothing) {
    fs::create_directories(libraryDir() / "Images" / "Variants");
    for (const char* name : {"Flush", "Extended"}) std::ofstream(libraryDir() / "Images" / "Variants" / (std::string(name) + ".dwg")) << "drawing";
    MacroData m;
    MacroTabData plate = tabOf("Plate");
    plate.designFile = design("Img", {"27 0.1 0.1 0.6 0.2 image Images\\Variants"});
    plate.imageFlag = true;
    plate.currentImage = "Flush";
    plate.cells.append(cell("tp", "10.00"));
    m.tabs.append(plate);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .select(win::ctrl(33000), "Extended")
        .check([&] {
            const auto* swap = Journal::get().last("swapBlockRefs");
            ASSERT_NE(swap, nullptr);
            EXPECT_EQ(swap->arguments[1], "Images\\Variants\\Extended.dwg");
            EXPECT_EQ(recordTab(0).currentImage.str(), "Extended");
            EXPECT_EQ(GetDlgItemText(dlg().page(0)->m_hWnd, 33000), "Extended");
        })
        .select(win::ctrl(33000), dialString(695).str())
        .check([&] { EXPECT_EQ(Journal::get().count("swapBlockRefs"), 1); })
        .click(win::ctrl(IDOK));
    runDialog(m, s);
}

TEST_F(MacroPage, TextTypedIntoADesignedEditableComboIsAppliedAndTabGoesOn) {
    MacroData m;
    MacroTabData plate = tabOf("Plate");
    plate.designFile = design("Combo", {"3 0.1 0.1 0.5 0.2 grade", "3 0.1 0.3 0.5 0.4 weld"});
    plate.cells.append(cell("grade", "S355", MacroCell::list));
    plate.cells[0].items = Vtl_StringArray{"S235", "S355"};
    plate.cells.append(cell("weld", "a6", MacroCell::editableList));
    plate.cells[1].items = Vtl_StringArray{"a4", "a6"};
    plate.cells.append(cell("mark", "EP1", MacroCell::text));
    m.tabs.append(plate);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(33000))
        .key(VK_HOME)
        .key(VK_END, win::ModShift)
        .type("S420")
        .key(VK_TAB)
        .check([&] {
            // Leaving the field applied the typed grade, and Tab went on to the next combo.
            EXPECT_EQ(recordTab(0).cells[0].value.str(), "S420");
            EXPECT_EQ(drawnTab(m, 0).cells[0].value.str(), "S420");
            EXPECT_EQ(::GetDlgCtrlID(::GetParent(::GetFocus())), 33001);
        })
        .key(VK_HOME)
        .key(VK_END, win::ModShift)
        .type("a7")
        .key(VK_TAB)
        .check([&] {
            EXPECT_EQ(recordTab(0).cells[1].value.str(), "a7");
            EXPECT_TRUE(ui::Vtl_Spread::isSpreadFocused());  // on to the grid with the part mark
            EXPECT_EQ(Journal::get().count("UpdateModule"), 2);
        })
        .click(win::ctrl(IDOK));
    runDialog(m, s);
    EXPECT_EQ(m.tabs[0].cells[1].value.str(), "a6");  // the caller's record is its own until the dialog hands it back
}

TEST_F(MacroPage, ComingBackToATabRestoresTheCaretAndTheActiveCellAfterTyping) {
    MacroData m;
    MacroTabData plate = tabOf("Plate");
    plate.designFile = design("Edits", {"2 0.1 0.1 0.4 0.2 tp", "2 0.1 0.3 0.4 0.4 bp"});
    plate.cells.append(cell("tp", "15.00"));
    plate.cells.append(cell("bp", "200.00"));
    MacroTabData stiffeners = tabOf("Stiffeners");
    for (const char* name : {"ts", "cs", "ls"}) stiffeners.cells.append(cell(name, "10.00"));
    m.tabs.append(plate);
    m.tabs.append(stiffeners);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(33001))
        .key(VK_HOME)
        .key(VK_END, win::ModShift)
        .type("250")
        .click(tabItem(1))  // the edit is left: the value applies as the tab changes
        .check([&] { EXPECT_EQ(recordTab(0).cells[1].value.str(), "250.00"); })
        .click(gridCell(1, 3, 2))
        .type("12")
        .click(tabItem(0))
        .check([&] {
            EXPECT_EQ(recordTab(1).cells[1].value.str(), "12.00");
            EXPECT_EQ(focusId(), 33001);
            DWORD a = 0, b = 0;
            ::SendMessage(::GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
            EXPECT_EQ(a, 3u);
            EXPECT_EQ(b, 3u);
        })
        .click(tabItem(1))
        .check([&] {
            EXPECT_TRUE(ui::Vtl_Spread::isSpreadFocused());
            int col = 0, row = 0;
            SSGetActiveCell(dlg().page(1)->grid().grid(), &col, &row);
            EXPECT_EQ(col, 3);
            EXPECT_EQ(row, 2);
        })
        .click(win::ctrl(IDOK));
    runDialog(m, s);
}

TEST_F(MacroPage, TheCloseButtonKeepsAValueStillBeingTypedIntoTheGridAndEscapeDropsIt) {
    for (const bool escape : {false, true}) {
        MacroData m;
        MacroTabData plate = tabOf("Plate");
        plate.cells.append(cell("tp", "15.00"));
        m.tabs.append(plate);
        Script s;
        s.waitFor(win::dialogWithTemplate(MacroDialog::IDD)).click(gridCell(0, 3, 1)).type("18");
        if (escape) s.key(VK_ESCAPE);
        else s.click(win::ctrl(IDOK));
        runDialog(m, s);
        EXPECT_EQ(drawnTab(m, 0).cells[0].value.str(), escape ? "15.00" : "18.00") << (escape ? "Escape" : "Close");
        EXPECT_TRUE(dlg().macro().closed);
    }
}

MacroTabData boltTab(const char* assembly, const char* diameter) {
    MacroTabData bolts = tabOf("Bolts", 1);
    MacroPatternProps rows;
    rows.name = "rows";
    rows.label = "Bolt rows";
    rows.countText = "3";
    bolts.patterns.append(rows);
    bolts.bolt.assembly = assembly;
    bolts.bolt.diameter = diameter;
    return bolts;
}

TEST_F(MacroPage, WhereTwoControlsShowTheBoltAssemblyTheOneChosenLastIsApplied) {
    MacroData m;
    MacroTabData bolts = boltTab("Hexagon bolt 8.8", "20");
    bolts.designFile = design("Pair", {"7 0.1 0.1 0.6 0.2 rows", "8 0.1 0.3 0.6 0.4 rows"});
    m.tabs.append(bolts);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .select(win::ctrl(33000), "HV set 10.9")
        .check([&] {
            EXPECT_EQ(recordTab(0).bolt.assembly.str(), "HV set 10.9");
            EXPECT_EQ(drawnTab(m, 0).bolt.assembly.str(), "HV set 10.9");
            // The page's own combo shows what was applied.
            EXPECT_EQ(GetDlgItemText(dlg().page(0)->m_hWnd, MacroTabPage::kAssemblyId), "HV set 10.9");
        })
        .select(win::ctrl(MacroTabPage::kAssemblyId), "Hexagon bolt 10.9")
        .check([&] {
            EXPECT_EQ(recordTab(0).bolt.assembly.str(), "Hexagon bolt 10.9");
            EXPECT_EQ(GetDlgItemText(dlg().page(0)->m_hWnd, 33000), "Hexagon bolt 10.9");
        })
        .click(win::ctrl(33001))
        .key(VK_HOME)
        .key(VK_END, win::ModShift)
        .type("24")
        .key(VK_TAB)
        .check([&] {
            EXPECT_EQ(drawnTab(m, 0).bolt.diameter.str(), "24");
            EXPECT_EQ(GetDlgItemText(dlg().page(0)->m_hWnd, MacroTabPage::kDiameterId), "24");
        })
        .click(win::ctrl(IDOK));
    runDialog(m, s);
}

TEST_F(MacroPage, ADiameterTheNewAssemblyDoesNotComeInGivesWayToTheNearestItHas) {
    MacroData m;
    m.tabs.append(boltTab("Hexagon bolt 8.8", "36"));
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .select(win::ctrl(MacroTabPage::kAssemblyId), "Hexagon bolt 10.9")
        .check([&] {
            auto* diameter = static_cast<CComboBox*>(dlg().page(0)->GetDlgItem(MacroTabPage::kDiameterId));
            EXPECT_EQ(diameter->FindStringExact(-1, "36"), CB_ERR);
            EXPECT_EQ(diameter->GetLBText(diameter->GetCurSel()), "30");
            EXPECT_EQ(drawnTab(m, 0).bolt.diameter.str(), "30");
            EXPECT_EQ(drawnTab(m, 0).bolt.assembly.str(), "Hexagon bolt 10.9");
        })
        .click(win::ctrl(IDOK));
    runDialog(m, s);
}

TEST_F(MacroPage, ACountThatDiffersBetweenMacrosEditedTogetherCanStillBeSet) {
    Vtl_Array<MacroData> both;
    for (const char* count : {"3", "4"}) {
        MacroData m;
        m.macroType = "EndPlate";
        MacroTabData bolts = boltTab("Hexagon bolt 8.8", "20");
        bolts.designFile = design("Count", {"5 0.1 0.1 0.3 0.2 rows"});
        bolts.patterns[0].countText = count;
        bolts.patterns[0].side1.values = count[0] == '3' ? Vtl_StringArray{"45", "90", "90"} : Vtl_StringArray{"50", "80", "80", "80"};
        m.tabs.append(bolts);
        DrawingModel::get().placeMacro(m);
        both.append(m);
    }
    MacroData merged;
    ASSERT_TRUE(mergeMacros(both, merged));
    dialog_ = std::make_unique<MacroDialog>(merged);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            // The count field shows that the counts differ; the grid row keeps the name only.
            EXPECT_EQ(GetDlgItemText(dlg().page(0)->m_hWnd, 33000), dialString(695).str());
            EXPECT_EQ(SSGetCellString(dlg().page(0)->grid().grid(), 3, 1, SS_CONTENT_TEXT), "rows");
        })
        .click(win::ctrl(33000))
        .key(VK_HOME)
        .key(VK_END, win::ModShift)
        .type("5")
        .key(VK_TAB)
        .click(win::ctrl(IDOK));
    run(s, [&] { dialog_->DoModal(); });
    for (const MacroData& m : both) {
        const MacroPatternProps& rows = drawnTab(m, 0).patterns[0];
        EXPECT_EQ(rows.countText.str(), "5");
        EXPECT_EQ(rows.side1.values.length(), &m == &both[0] ? 3 : 4);  // each keeps its own spacing
    }
}

TEST_F(MacroPage, F12OpensTheDesignerOnTheTabsDesignAndThePageShowsWhatWasSavedThere) {
    MacroData m;
    MacroTabData plate = tabOf("Plate");
    plate.cells.append(cell("tp", "10.00"));
    plate.cells.append(cell("bp", "200.00"));
    plate.designFile = design("Plate", {"2 0.5 0.1 0.8 0.2 tp"});
    m.tabs.append(plate);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            EXPECT_EQ(GetDlgItemText(dlg().page(0)->m_hWnd, 33000), "10.00");
            EXPECT_TRUE(dlg().page(0)->gridVisible());  // bp has no designed control yet
        })
        .click(gridCell(0, 3, 1))
        .key(VK_F12)
        .waitFor(win::dialogWithTemplate(227))
        .check([] {
            EXPECT_EQ(GetWindowText(::GetActiveWindow()), "Dialog designer - <Plate>");
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), 33000), "tp");  // the design, not the values
        })
        .click(win::ctrl(1300))
        .click(win::ctrl(1304))
        .key('A', win::ModCtrl)
        .type("bp")
        .click(win::ctrl(IDOK))
        .waitFor(win::messageBoxContaining("Save the changes to"))
        .answer(IDYES)
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            MacroTabPage* page = dlg().page(0);
            EXPECT_EQ(page->design().getNrDrawnControls(), 2);
            EXPECT_EQ(GetDlgItemText(page->m_hWnd, 33001), "200.00");
            EXPECT_FALSE(page->gridVisible());  // every value has its control now
            EXPECT_EQ(recordTab(0).cells[1].reference, 33001);
        })
        .click(win::ctrl(33001))
        .key('A', win::ModCtrl)
        .type("250")
        .key(VK_TAB)
        .check([&] { EXPECT_EQ(recordTab(0).cells[1].value.str(), "250.00"); })
        .click(win::ctrl(IDOK));
    runDialog(m, s);
    EXPECT_EQ(drawnTab(m, 0).cells[1].value.str(), "250.00");
}

TEST_F(MacroPage, EveryButtonOfAPageOpensItsDialog) {
    MacroData m;
    m.macroType = "EndPlate";  // property lists are offered for a macro of a known kind
    MacroTabData bolts = boltTab("Hexagon bolt 8.8", "20");
    bolts.patterns[0].hasButton = true;
    bolts.designFile = design("Buttons", {"6 0.1 0.1 0.3 0.2 rows"});
    DynArrayData stiffeners;
    stiffeners.name = "stiffeners";
    stiffeners.label = "Stiffeners";
    bolts.arrays.append(stiffeners);
    MacroTabData profiles = tabOf("Profiles", 2);
    MacroProfData beam;
    beam.groupName = "Beam";
    beam.sectionName = "IPE-300";
    profiles.profiles.append(beam);
    m.tabs.append(bolts);
    m.tabs.append(profiles);
    // Each dialog opens over the macro dialog and closes with Escape, changing nothing.
    auto opensAndCloses = [&](Script& s, int templateId) {
        s.waitFor(win::dialogWithTemplate(templateId)).key(VK_ESCAPE).waitFor(win::dialogWithTemplate(MacroDialog::IDD));
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD)).click(win::ctrl(MacroTabPage::kAdvancedId));
    opensAndCloses(s, 8140);
    s.click(win::ctrl(33000));
    opensAndCloses(s, 222);
    s.click(gridCell(0, 2, 2));
    opensAndCloses(s, 236);
    s.click(win::ctrl(1299));
    opensAndCloses(s, 231);
    s.click(win::ctrl(1302));
    opensAndCloses(s, 231);
    s.check([&] { EXPECT_EQ(host::commandLineText().find("not available"), std::string::npos) << host::commandLineText(); })
        .click(tabItem(1))
        .check([&] {
            // The profile tab has its page, with its own advanced dialog; no tab says it is empty.
            ASSERT_TRUE(dlg().page(1));
            EXPECT_TRUE(::IsWindowVisible(dlg().page(1)->m_hWnd));
            const HWND note = ::GetDlgItem(::GetDlgItem(dlg().m_hWnd, MacroDialog::kTabId), MacroDialog::kEmptyTabNoteId);
            EXPECT_FALSE(note && ::IsWindowVisible(note));
        })
        .click(win::ctrl(1114));
    opensAndCloses(s, 220);
    s.check([&] { EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dlg().page(1)->m_hWnd, 1210))); })
        .click(win::ctrl(IDOK));
    runDialog(m, s);
    // Nothing was changed: nothing went to the drawing.
    EXPECT_EQ(Journal::get().count("UpdateModule"), 0);
}

TEST_F(MacroPage, TheViewButtonsAskForTheirOwnViews) {
    MacroData m;
    m.tabs.append(tabOf("Plate"));
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([] { Journal::get().clear(); })
        .click(win::ctrl(1181))
        .click(win::ctrl(1182))
        .click(win::ctrl(1183))
        .click(win::ctrl(1184))
        .check([] {
            std::vector<std::string> views;
            for (const auto& e : Journal::get().entries())
                if (e.operation == "changeView") views.push_back(e.text());
            EXPECT_EQ(views, (std::vector<std::string>{"changeView(Plate, 3)", "changeView(Plate, 0)", "changeView(Plate, 1)",
                                                       "changeView(Plate, 2)"}));
        })
        .click(win::ctrl(IDOK));
    runDialog(m, s);
}

TEST_F(MacroPage, NumbersKeepTheirPointUnderADecimalCommaLocaleAndAreNeverCut) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale installed (scripts/setup makes one)";
    MacroData m;
    MacroTabData plate = tabOf("Plate");
    plate.cells.append(cell("tp", "15.00"));
    plate.cells.append(cell("length", "1.00"));
    m.tabs.append(plate);
    const std::string huge = "1645504557321206042154969182557350504982735865633579863348609024";  // 2^210, held exactly
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(gridCell(0, 3, 1))
        .type("12.5")
        .key(VK_RETURN)
        .click(gridCell(0, 3, 2))
        .type(huge)
        .key(VK_RETURN)
        .click(win::ctrl(IDOK));
    runDialog(m, s);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(dlg().macro().tabs[0].cells[0].value.str(), "12.50");
    EXPECT_EQ(drawnTab(m, 0).cells[0].value.str(), "12.50");
    EXPECT_EQ(drawnTab(m, 0).cells[1].value.str(), huge + ".00");
}

TEST_F(MacroPage, AnErrorInsideTheDialogEndsItOnTheCommandLineAndNothingIsLeftOpen) {
    MacroData m;
    MacroTabData plate = tabOf("Plate");
    plate.cells.append(cell("tp", "15.00"));
    m.tabs.append(plate);
    DrawingModel::get().placeMacro(m);
    DrawingModel::get().setNormaliser([](MacroTabData&) { throw std::runtime_error("the drawing is locked"); });
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD)).click(cellOf(firstGridOfActiveWindow, 3, 1)).type("18").key(VK_RETURN);
    MacroData handed = m;
    run(s, [&] { StartDlgMacro(handed); });
    EXPECT_EQ(host::commandLineText(), "*Error* StartDlgMacro failed: the drawing is locked\n");
    EXPECT_TRUE(::IsWindowEnabled(mainWindow()));
}

}  // namespace
}  // namespace vtl::test
