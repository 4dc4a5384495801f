// The macro cuts dialog (new and edited cuts, the options of each type, the checks of OK, Escape against
// Cancel, picking another macro) and the select-macro dialog (labels, pictures and previews, the filter
// grid, the result and the panel setting).
#include <filesystem>
#include <fstream>
#include <optional>

#include "gfx/bmp.h"
#include "macro/macro_cuts_dialog.h"
#include "macro/select_macro_dialog.h"
#include "module_test_support.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/drawing/macro_cuts.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/settings.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"
#include "win/list_ctrl.h"

namespace vtl::test {
namespace {
using base::DrawingModel;
using base::Journal;
using ui::MacroCutsDialog;
using win::Script;
namespace fs = std::filesystem;

bool enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), id)); }
bool visible(int id) { return ::IsWindowVisible(::GetDlgItem(::GetActiveWindow(), id)); }
std::string textOf(int id) { return GetDlgItemText(::GetActiveWindow(), id); }

class MacroCuts : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        DrawingModel::get().reset();
        endPlate_ = place("EndPlate", {"Plate", "Bolts"});
        splice_ = place("BeamSplice", {"Flange plates", "Web plates"});
    }
    void TearDown() override {
        DrawingModel::get().reset();
        ModuleTest::TearDown();
    }
    AcDbObjectId place(const char* name, std::initializer_list<const char*> modules) {
        MacroData m;
        m.macroType = name;
        for (const char* module : modules) {
            MacroTabData t;
            t.moduleName = t.displayName = module;
            m.tabs.append(t);
        }
        return DrawingModel::get().placeMacro(m);
    }
    DlgMacroCutsData newCut(int type = 1) {
        DlgMacroCutsData c;
        c.macroObject = endPlate_;
        c.moduleName = "Plate";
        c.cutType = type;
        c.GetDefaultValues(type, c.varNames, c.values, c.usedFlags);
        return c;
    }
    ui::Vtl_Spread* grid() {
        return dynamic_cast<ui::Vtl_Spread*>(CWnd::FromHandle(::GetDlgItem(::GetActiveWindow(), MacroCutsDialog::kGridId)));
    }
    AcDbObjectId endPlate_, splice_;
};

TEST_F(MacroCuts, ANewCutShowsItsVariablesAndTheOptionsOfEachType) {
    DlgMacroCutsData cut = newCut();
    cut.varNames.append("Clearance");  // more names than values: the missing value shows 0
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroCutsDialog::IDD))
        .check([&] {
            EXPECT_EQ(GetWindowText(::GetActiveWindow()), dialString(1080).str());
            Vtl_StringArray labels, values;
            ASSERT_TRUE(grid());
            grid()->getColumnTexts(1, labels);
            grid()->getColumnTexts(3, values);
            EXPECT_EQ(labels, (Vtl_StringArray{dialString(1099), dialString(1100), "Clearance"}));
            EXPECT_EQ(values, (Vtl_StringArray{"0", "10", "0"}));
            EXPECT_TRUE(visible(1283));
            EXPECT_FALSE(visible(1290));
            EXPECT_FALSE(visible(1001));
            EXPECT_FALSE(enabled(1326));  // only with 1325 checked
            EXPECT_FALSE(enabled(1079));  // this macro
        })
        .click(win::ctrl(1325))
        .check([] {
            EXPECT_TRUE(enabled(1326));
            EXPECT_FALSE(enabled(1323));
        })
        .click(win::ctrl(1325))
        .click(win::ctrl(1323))
        .check([] {
            EXPECT_FALSE(enabled(1325));
            EXPECT_FALSE(enabled(1326));
        })
        .select(win::ctrl(1284), dialString(1087).str())
        .check([&] {
            EXPECT_TRUE(visible(1290));
            EXPECT_FALSE(visible(1283));
            EXPECT_FALSE(visible(1323));
            Vtl_StringArray labels;
            grid()->getColumnTexts(1, labels);
            EXPECT_EQ(labels, (Vtl_StringArray{dialString(1104) + "1", dialString(1104) + "2", dialString(1099)}));
            EXPECT_TRUE(visible(1001));  // radio 1288 from the record
            EXPECT_EQ(textOf(1124), dialString(1115).str());
        })
        .click(win::ctrl(1290))
        .check([] { EXPECT_FALSE(visible(1001)); })
        .click(win::ctrl(1289))
        .check([] {
            EXPECT_TRUE(visible(1001));
            EXPECT_EQ(textOf(1124), dialString(1114).str());
        })
        .click(win::ctrl(1001))
        .type("25")
        .click(win::ctrl(1000))
        .type("Rafter ends")
        .click(win::ctrl(IDOK));
    bool ok = false, escape = true;
    run(s, [&] { ok = StartDlgMacroCuts(cut, escape); });
    EXPECT_TRUE(ok);
    EXPECT_FALSE(escape);
    EXPECT_EQ(cut.cutType, 4);
    EXPECT_EQ(cut.cutName, "Rafter ends");
    EXPECT_TRUE(cut.option4Present);
    EXPECT_TRUE(cut.option4);
    EXPECT_EQ(cut.distance, "25");
    EXPECT_EQ(cut.varNames, (Vtl_StringArray{"Offset1", "Offset2", "PolyOffset"}));
    EXPECT_EQ(cut.values.length(), 3);
    EXPECT_EQ(cut.target, 1);
    EXPECT_EQ(cut.moduleName, "Plate");
}

TEST_F(MacroCuts, AnEditedCutKeepsNameTypeAndMacroAndEscapeDiffersFromCancel) {
    DlgMacroCutsData cut = newCut(3);
    cut.editMode = true;
    cut.cutName = "Web opening";
    cut.target = 2;
    cut.macroObject = splice_;
    cut.moduleName = "Web plates";
    cut.option5 = true;
    base::applyMacroCut(cut);
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroCutsDialog::IDD))
        .check([] {
            EXPECT_EQ(GetWindowText(::GetActiveWindow()), dialString(1079).str());
            EXPECT_FALSE(enabled(1284));
            EXPECT_FALSE(enabled(1000));
            for (int id : {1285, 1286, 1079, 1280, 1282}) EXPECT_FALSE(visible(id)) << id;
            EXPECT_EQ(textOf(1323), dialString(1113).str());
            EXPECT_EQ(::IsDlgButtonChecked(::GetActiveWindow(), 1323), BST_CHECKED);
        })
        .click(win::ctrl(1323))
        .click(win::ctrl(IDOK));
    bool ok = false, escape = true;
    run(s, [&] { ok = StartDlgMacroCuts(cut, escape); });
    // The name is the cut's own: its macro's use of it is no reason to refuse.
    EXPECT_TRUE(ok);
    EXPECT_FALSE(cut.option5);
    EXPECT_EQ(cut.target, 2);
    EXPECT_EQ(cut.moduleName, "Web plates");
    EXPECT_EQ(cut.cutName, "Web opening");

    const DlgMacroCutsData before = cut;
    Script esc;
    esc.waitFor(win::dialogWithTemplate(MacroCutsDialog::IDD)).click(win::ctrl(1323)).key(VK_ESCAPE);
    run(esc, [&] { ok = StartDlgMacroCuts(cut, escape); });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(escape);
    EXPECT_EQ(cut.option5, before.option5);
    Script cancel;
    cancel.waitFor(win::dialogWithTemplate(MacroCutsDialog::IDD)).click(win::ctrl(1323)).click(win::ctrl(IDCANCEL));
    run(cancel, [&] { ok = StartDlgMacroCuts(cut, escape); });
    EXPECT_FALSE(ok);
    EXPECT_FALSE(escape);
    EXPECT_EQ(cut.option5, before.option5);
}

TEST_F(MacroCuts, OkRefusesAMissingModuleAUsedNameOnTheOtherMacroAndGeneratedVariableNames) {
    DlgMacroCutsData existing = newCut(5);
    existing.macroObject = splice_;
    existing.moduleName = "Web plates";
    existing.cutName = "Corner";
    base::applyMacroCut(existing);

    DlgMacroCutsData cut = newCut(5);
    cut.cutName = "Corner";
    cut.moduleName = "";
    Script s;
    s.waitFor(win::dialogWithTemplate(MacroCutsDialog::IDD))
        .click(win::ctrl(IDOK))
        .waitFor(win::messageBoxWith(dialString(1090).str()))
        .answer(IDOK)
        // Another macro: the drawing's second macro is picked, its modules are offered.
        .click(win::ctrl(1286))
        .click(win::point(150, 100))
        .waitFor(win::dialogWithTemplate(MacroCutsDialog::IDD))
        .check([] {
            auto* modules = static_cast<CComboBox*>(CWnd::FromHandle(::GetDlgItem(::GetActiveWindow(), 1282)));
            ASSERT_EQ(modules->GetCount(), 2);
            EXPECT_EQ(modules->GetLBText(1), "Web plates");
            EXPECT_TRUE(enabled(1079));
        })
        .click(win::ctrl(1282))
        .type("Web plates")
        .click(win::ctrl(IDOK))
        .waitFor(win::messageBoxContaining(dialString(1092).str()))
        .answer(IDOK)
        // This macro again: its own modules, and its names are not checked here.
        .click(win::ctrl(1285))
        .check([] {
            auto* modules = static_cast<CComboBox*>(CWnd::FromHandle(::GetDlgItem(::GetActiveWindow(), 1282)));
            ASSERT_EQ(modules->GetCount(), 2);
            EXPECT_EQ(modules->GetLBText(0), "Plate");
            EXPECT_FALSE(enabled(1079));
        })
        .check([&] { Journal::get().clear(); })
        .click(win::ctrl(IDOK));
    bool ok = false, escape = false;
    run(s, [&] { ok = StartDlgMacroCuts(cut, escape); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(Journal::get().count("CutNameInUse"), 0);
    EXPECT_EQ(cut.target, 1);
    EXPECT_EQ(cut.macroObject, endPlate_);
    EXPECT_EQ(cut.moduleName, "Web plates");  // as typed

    DlgMacroCutsData generated = newCut(6);
    generated.varNames = Vtl_StringArray{"gen_Radius"};
    Script g;
    g.waitFor(win::dialogWithTemplate(MacroCutsDialog::IDD))
        .click(win::ctrl(IDOK))
        .waitFor(win::messageBoxContaining("\"gen_\""))
        .answer(IDOK)
        .click(win::ctrl(IDCANCEL));
    run(g, [&] { ok = StartDlgMacroCuts(generated, escape); });
    EXPECT_FALSE(ok);
}

// ---- Select macro ----

class SelectMacro : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        Journal::get().clear();
    }
    fs::path writeMacro(const std::string& module, const std::string& file, const std::string& properties,
                        const char* picture = nullptr) {
        const fs::path folder = libraryDir() / "Macros" / module;
        fs::create_directories(folder);
        std::ofstream(folder / file) << "VTL sample drawing\r\nProperties: " << properties << "\r\n";
        if (picture) gfx::writeBmpFile((folder / picture).string(), gfx::Image(40, 30, gfx::Rgba::of(RGB(0, 128, 0))));
        return folder;
    }
    ui::SelectMacroDialog* dialog() {
        return dynamic_cast<ui::SelectMacroDialog*>(CWnd::FromHandle(::GetActiveWindow()));
    }
    bool start(Script& s, Vtl_String& selected, bool& alternative) {
        bool ok = false;
        run(s, [&] {
            ok = StartDlgSelectMacro("", Vtl_StringArray(), AcArray<bool>(), 60, 60, selected, alternative, true);
        });
        return ok;
    }
};

TEST_F(SelectMacro, LabelsKeepTheirDigitsOnlyWhereStrippingWouldMakeThemEqual) {
    EXPECT_EQ(ui::SelectMacroDialog::labelsOf(Vtl_StringArray{"c:\\m\\Haunch1.dwg", "c:\\m\\Apex2.dwg"}),
              (Vtl_StringArray{"Haunch", "Apex"}));
    EXPECT_EQ(ui::SelectMacroDialog::labelsOf(Vtl_StringArray{"c:\\m\\Haunch1.dwg", "c:\\m\\Haunch2.dwg", "c:\\m\\Apex.dwg"}),
              (Vtl_StringArray{"Haunch1", "Haunch2", "Apex"}));
}

TEST_F(SelectMacro, APictureInAnotherCaseIsShownAndOnlyMacrosWithoutOneGetAPreview) {
    const fs::path folder = writeMacro("Beams", "M1.DWG", "Bolted", "M1.BMP");
    writeMacro("Beams", "Cleat.dwg", "Bolted");
    Vtl_String selected;
    bool alternative = false;
    Script s;
    s.waitFor(win::dialogWithTemplate(ui::SelectMacroDialog::IDD))
        .check([&] {
            ASSERT_TRUE(dialog());
            ASSERT_EQ(dialog()->pictures().length(), 2);
            EXPECT_TRUE(dialog()->pictures()[0].endsWith("Cleat.abm"));
            EXPECT_TRUE(dialog()->pictures()[1].endsWith("M1.bmp"));
            EXPECT_EQ(dialog()->labels(), (Vtl_StringArray{"Web cleats", "M"}));  // translated; digits stripped
        })
        .click(win::ctrl(IDOK))  // nothing selected: stays open
        .check([&] { EXPECT_TRUE(dialog()); })
        .click(win::ctrl(9091))
        .key(VK_END)
        .click(win::ctrl(IDOK));
    EXPECT_TRUE(start(s, selected, alternative));
    EXPECT_TRUE(fs::exists(folder / "Cleat.abm"));
    EXPECT_FALSE(fs::exists(folder / "M1.abm"));
    EXPECT_TRUE(selected.endsWith("Beams\\M1.dwg"));
    EXPECT_FALSE(alternative);
    // The result names the drawing on disk.
    EXPECT_TRUE(base::files::fileExists(selected.str()));

    // A double click on a picture chooses it as OK does.
    Script dbl;
    dbl.waitFor(win::dialogWithTemplate(ui::SelectMacroDialog::IDD))
        .doubleClick(win::located("first picture", []() -> std::optional<POINT> {
            auto* list = static_cast<CListCtrl*>(CWnd::FromHandle(::GetDlgItem(::GetActiveWindow(), 9091)));
            RECT r{};
            if (!list || !list->GetItemRect(0, &r)) return std::nullopt;
            POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            ::ClientToScreen(list->m_hWnd, &p);
            return p;
        }));
    EXPECT_TRUE(start(dbl, selected, alternative));
    EXPECT_TRUE(selected.endsWith("Beams\\Cleat.dwg"));
}

TEST_F(SelectMacro, SwitchingAModuleOffInTheGridRemovesItsMacrosAtOnceAndThePanelSettingIsKept) {
    writeMacro("Beams", "FinPlate.dwg", "Bolted; Shear", "FinPlate.bmp");
    writeMacro("Beams", "EndPlate.dwg", "Bolted; Moment", "EndPlate.bmp");
    writeMacro("Columns", "BasePlate.dwg", "Welded", "BasePlate.bmp");
    Vtl_String selected;
    bool alternative = true;
    Script s;
    s.waitFor(win::dialogWithTemplate(ui::SelectMacroDialog::IDD))
        .check([&] {
            EXPECT_EQ(dialog()->labels().length(), 3);
            EXPECT_TRUE(visible(1196));
            EXPECT_TRUE(enabled(1352));
            EXPECT_FALSE(visible(1353));
        })
        .click(win::ctrl(1196))
        .key(VK_HOME, win::ModCtrl)
        .key(VK_DOWN)
        .key(VK_SPACE)  // Columns off
        .check([&] { EXPECT_EQ(dialog()->labels(), (Vtl_StringArray{"End plate", "Fin plate"})); })
        .key(VK_UP)
        .key(VK_RIGHT)
        .key(VK_RIGHT)
        .key(VK_RIGHT)
        .key(VK_RIGHT)
        .key(VK_SPACE)  // Beams: Bolted, Moment, Shear; Moment off
        .check([&] { EXPECT_EQ(dialog()->labels(), Vtl_StringArray{"Fin plate"}); })
        .click(win::ctrl(1409))
        .check([&] {
            EXPECT_FALSE(visible(1196));
            EXPECT_FALSE(dialog()->large());
        })
        .click(win::ctrl(1352));
    EXPECT_TRUE(start(s, selected, alternative));
    EXPECT_TRUE(alternative);
    EXPECT_EQ(Journal::get().last("setModuleStatus")->text(), "setModuleStatus(Columns, off)");
    EXPECT_EQ(Journal::get().last("setModulePropStatus")->text(), "setModulePropStatus(Beams, Moment, off)");

    // Opened again: the panel stays hidden; without the other way the hint shows.
    alternative = false;
    Script again;
    again.waitFor(win::dialogWithTemplate(ui::SelectMacroDialog::IDD))
        .check([&] {
            EXPECT_FALSE(visible(1196));
            EXPECT_FALSE(enabled(1352));
            EXPECT_TRUE(visible(1353));
            EXPECT_EQ(dialog()->labels().length(), 3);  // a new filter: everything on
        })
        .click(win::ctrl(1409))
        .check([] { EXPECT_TRUE(visible(1196)); })
        .click(win::ctrl(IDCANCEL));
    EXPECT_FALSE(start(again, selected, alternative));
}

}  // namespace
}  // namespace vtl::test
