// Property lists: the macro dialog saves a macro's values under a name and loads them into another macro
// of the same kind, through the open/save dialog over the library's property lists; that dialog never
// reads, writes or deletes a file outside its folder.
#include <filesystem>
#include <fstream>
#include <string>

#include "dialogs/ks_open_save_filtered_dlg.h"
#include "macro/macro_dialog.h"
#include "module_test_support.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/settings.h"
#include "win/api.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using base::DrawingModel;
using base::Journal;
using ui::KsOpenSaveFilteredDlg;
using ui::MacroDialog;
using win::Script;

constexpr int kChooser = KsOpenSaveFilteredDlg::IDD;

// The chooser is still the active window (its list is there).
bool chooserShown() { return ::GetDlgItem(::GetActiveWindow(), KsOpenSaveFilteredDlg::kListId) != HWND(); }

MacroData plateMacro(const char* thickness, const char* grade) {
    MacroData m;
    m.macroType = "EndPlate";
    m.caption = "End plate";
    MacroTabData t;
    t.moduleName = t.displayName = "Plate";
    t.cells.append(cell("tp", thickness));
    MacroCell g = cell("grade", grade, MacroCell::list);
    g.items = Vtl_StringArray{"S235", "S355", "S460"};
    t.cells.append(g);
    m.tabs.append(t);
    return m;
}

class PropertyLists : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        gSettings.setLibDir(Vtl_String(libraryDir().string()));
        fs::create_directories(listsDir());
    }
    fs::path listsDir() const { return libraryDir() / "Property Lists"; }
    void runMacro(MacroData& m, Script& s) {
        DrawingModel::get().placeMacro(m);
        MacroDialog dlg(m);
        run(s, [&] { dlg.DoModal(); });
    }
    void runChooser(KsOpenSaveFilteredDlg& dlg, Script& s) {
        dlg.folder = Vtl_String(listsDir().string()) + "\\";
        dlg.extension = ".prl";
        run(s, [&] { dlg.DoModal(); });
    }
};

TEST_F(PropertyLists, SavedFromOneEndPlateAndLoadedIntoAnotherWithTheSkippedEntriesReported) {
    MacroData heavy = plateMacro("20.00", "S460");
    Script save;
    save.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(1302))
        .waitFor(win::dialogWithTemplate(kChooser))
        .check([] { EXPECT_EQ(GetWindowText(::GetActiveWindow()), "Save property list"); })
        .click(win::ctrl(KsOpenSaveFilteredDlg::kNameId))
        .type("Heavy plates")
        .click(win::ctrl(IDOK))
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(IDOK));
    runMacro(heavy, save);
    const fs::path file = listsDir() / "Heavy plates.prl";
    ASSERT_TRUE(fs::exists(file));
    // A value of a module this macro does not have is kept in the file; loading skips it.
    std::ofstream(file, std::ios::app) << "Gusset|cell|t=12\r\n";

    MacroData light = plateMacro("10.00", "S235");
    Script load;
    load.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(1299))
        .waitFor(win::dialogWithTemplate(kChooser))
        .check([] { EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), KsOpenSaveFilteredDlg::kNameId))); })
        .click(win::ctrl(IDOK))  // nothing chosen: stays open
        .check([] { EXPECT_TRUE(chooserShown()); })
        .click(win::ctrl(KsOpenSaveFilteredDlg::kFilteredId))  // only the lists of end plates
        .select(win::ctrl(KsOpenSaveFilteredDlg::kListId), "Heavy plates")
        .click(win::ctrl(IDOK))
        .waitFor(win::messageBoxContaining("Skipped: 1 entries"))
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .check([&] {
            const MacroTabData& drawn = DrawingModel::get().instance(light.objectIds[0])->tabs[0];
            EXPECT_EQ(drawn.cells[0].value.str(), "20.00");
            EXPECT_EQ(drawn.cells[1].value.str(), "S460");
            ASSERT_NE(Journal::get().last("setAllToMacro"), nullptr);
            EXPECT_EQ(Journal::get().last("setAllToMacro")->result, "true");
        })
        .click(win::ctrl(IDOK));
    runMacro(light, load);
}

TEST_F(PropertyLists, AListOfAnotherKindOfMacroChangesNothingAndSaysSo) {
    std::ofstream(listsDir() / "Base.prl") << "macroType=BasePlate\r\nPlate|cell|tp=30\r\n";
    MacroData m = plateMacro("15.00", "S355");
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(1299))
        .waitFor(win::dialogWithTemplate(kChooser))
        .select(win::ctrl(KsOpenSaveFilteredDlg::kListId), "Base")
        .click(win::ctrl(IDOK))
        .waitFor(win::messageBoxContaining("keeps its values"))
        .answer(IDOK)
        .waitFor(win::dialogWithTemplate(MacroDialog::IDD))
        .click(win::ctrl(IDOK));
    runMacro(m, s);
    EXPECT_EQ(DrawingModel::get().instance(m.objectIds[0])->tabs[0].cells[0].value.str(), "15.00");
    EXPECT_EQ(Journal::get().count("setAllToMacro"), 0);
}

TEST_F(PropertyLists, ANameLeadingOutOfTheFolderIsNeverDeletedNorOpened) {
    const fs::path outside = libraryDir() / "victim.prl";
    std::ofstream(outside) << "macroType=EndPlate\r\n";
    KsOpenSaveFilteredDlg dlg;
    dlg.allNames = Vtl_StringArray{"..\\victim"};
    Script s;
    s.waitFor(win::dialogWithTemplate(kChooser))
        .select(win::ctrl(KsOpenSaveFilteredDlg::kListId), "..\\victim")
        .click(win::ctrl(KsOpenSaveFilteredDlg::kDeleteId))  // no question: there is nothing it may delete
        .click(win::ctrl(IDOK))                              // nor open
        .check([] { EXPECT_TRUE(chooserShown()); })
        .click(win::ctrl(IDCANCEL));
    runChooser(dlg, s);
    EXPECT_TRUE(fs::exists(outside));
    EXPECT_EQ(dlg.allNames.length(), 1);
}

TEST_F(PropertyLists, DeletingAndOverwritingAskFirst) {
    std::ofstream(listsDir() / "Old.prl") << "macroType=EndPlate\r\n";
    std::ofstream(listsDir() / "Hidden.prl") << "macroType=EndPlate\r\n";
    KsOpenSaveFilteredDlg dlg;
    dlg.saveMode = true;
    dlg.allNames = Vtl_StringArray{"Old"};
    dlg.filteredNames = Vtl_StringArray{};
    Script s;
    s.waitFor(win::dialogWithTemplate(kChooser))
        .select(win::ctrl(KsOpenSaveFilteredDlg::kListId), "Old")
        .check([] { EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), KsOpenSaveFilteredDlg::kNameId), "Old"); })
        .click(win::ctrl(KsOpenSaveFilteredDlg::kFilteredId))  // the field keeps the name
        .check([] { EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), KsOpenSaveFilteredDlg::kNameId), "Old"); })
        .click(win::ctrl(KsOpenSaveFilteredDlg::kFilteredId))
        .select(win::ctrl(KsOpenSaveFilteredDlg::kListId), "Old")
        .click(win::ctrl(KsOpenSaveFilteredDlg::kDeleteId))
        .waitFor(win::messageBoxContaining("\"Old\""))
        .answer(IDYES)
        .waitFor(win::dialogWithTemplate(kChooser))
        .click(win::ctrl(KsOpenSaveFilteredDlg::kNameId))
        .key('A', win::ModCtrl)
        .type("Hidden")  // on disk, not in the list
        .click(win::ctrl(IDOK))
        .waitFor(win::messageBoxContaining("The name is not in the list."))
        .answer(IDNO)
        .waitFor(win::dialogWithTemplate(kChooser))
        .click(win::ctrl(IDOK))
        .waitFor(win::messageBoxContaining("Overwrite it?"))
        .answer(IDYES);
    runChooser(dlg, s);
    EXPECT_FALSE(fs::exists(listsDir() / "Old.prl"));
    EXPECT_TRUE(dlg.allNames.isEmpty());
    EXPECT_EQ(dlg.chosenName.str(), "Hidden");
}

}  // namespace
}  // namespace vtl::test
