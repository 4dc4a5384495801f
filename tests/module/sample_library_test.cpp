// The bundled sample library's connection macros: they load, every part kind and value type is there, the
// values are consistent (spacings, weights), and the pages built from them show every value once.
#include <filesystem>
#include <set>

#include "macro/macro_dialog.h"
#include "macro/macro_profile_page.h"
#include "module_test_support.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/catalogue.h"
#include "vtlbase/dstv/dlg_dstv_points.h"
#include "vtlbase/levels/ks_levels_dlg_data.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlbase/settings.h"
#include "vtlui/vtl_dlg_designer_data.h"

namespace vtl::test {
namespace {

class SampleLibrary : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        gSettings.setLibDir(Vtl_String(VTL_SAMPLE_LIBRARY));
    }
};

// What a tab of a sample macro leaves unshown or shows twice once its page is built: a designed control
// that bound to nothing (removed), a value with no control and no grid row, a profile group on a page that
// never collects it, a bolt value with a designed control beside the page's own.
std::vector<std::string> pageProblems(const MacroTabData& tab, ui::MacroTabPage& page) {
    std::vector<std::string> problems;
    const std::string where = tab.moduleName.str() + ": ";
    if (!tab.designFile.isEmpty()) {
        Vtl_DlgDesignerData file;
        if (!file.readFromFile(tab.designFile, true)) problems.push_back(where + "design " + tab.designFile.str() + " unreadable");
        else if (file.getNrControls() != page.design().getNrDrawnControls())
            problems.push_back(where + std::to_string(file.getNrControls() - page.design().getNrDrawnControls()) +
                               " designed control(s) bound to nothing");
    }
    for (const MacroCell& c : tab.cells)
        if (c.reference == 0) problems.push_back(where + "cell " + c.name.str() + " shown nowhere");
    for (const MacroPatternProps& p : tab.patterns) {
        int count = 0;
        if (p.nameReference == 0) problems.push_back(where + "pattern " + p.name.str() + " shown nowhere");
        if (p.getCount(p.countText, count) && p.countReference == 0) problems.push_back(where + "count of " + p.name.str() + " shown nowhere");
    }
    for (const DynArrayData& a : tab.arrays)
        if (a.buttonReference == 0) problems.push_back(where + "array " + a.name.str() + " shown nowhere");
    if (!tab.profiles.isEmpty() && !dynamic_cast<const ui::MacroProfilePage*>(&page))
        problems.push_back(where + "profiles on a page that never collects them");
    const bool ownBoltControls = tab.kind == 1 && !page.hideBoltControls;
    if (ownBoltControls && (tab.bolt.assemblyReference > 0 || tab.bolt.diameterReference > 0))
        problems.push_back(where + "the bolt assembly or diameter shown twice");
    return problems;
}

TEST_F(SampleLibrary, EveryMacroLoadsAndItsPagesShowEveryValueOnce) {
    const Vtl_StringArray names = libraryMacroNames();
    ASSERT_GE(names.length(), 5);
    std::set<int> kinds, valueTypes;
    bool readOnly = false, textCount = false, arrays = false, cuts = false, flexible = false, images = false;
    Vtl_StringArray assemblies;
    GetAssemblies(assemblies);
    for (const Vtl_String& name : names) {
        MacroData m;
        std::string error;
        ASSERT_TRUE(readLibraryMacro(name, m, error)) << name.str() << ": " << error;
        EXPECT_FALSE(m.caption.isEmpty());
        for (const MacroTabData& tab : m.tabs) {
            kinds.insert(tab.kind);
            for (const MacroCell& c : tab.cells) {
                valueTypes.insert(c.valueType);
                readOnly = readOnly || c.readOnly;
            }
            for (const MacroPatternProps& p : tab.patterns) {
                int count = 0;
                const bool numeric = p.getCount(p.countText, count);
                textCount = textCount || !numeric;
                // A pattern's spacing has a value for each of its bolts.
                if (numeric) {
                    EXPECT_EQ(p.side1.values.length(), count) << name.str() << " " << p.name.str();
                }
            }
            arrays = arrays || !tab.arrays.isEmpty();
            cuts = cuts || !tab.cuts.isEmpty();
            flexible = flexible || !tab.flexFixGroups.isEmpty();
            images = images || tab.imageFlag;
            if (!tab.bolt.assembly.isEmpty()) {
                EXPECT_TRUE(assemblies.contains(tab.bolt.assembly)) << tab.bolt.assembly.str();
                Vtl_StringArray diameters;
                GetDiameters(tab.bolt.assembly, diameters);
                EXPECT_TRUE(diameters.contains(tab.bolt.diameter)) << name.str() << " " << tab.bolt.diameter.str();
            }
            // A plate weight is the plate's steel: 7850 kg/m3.
            int tp = 0, bp = 0, hb = 0, et = 0, eb = 0, weight = 0;
            if (tab.findCellWithName("weight", weight) && tab.findCellWithName("tp", tp) && tab.findCellWithName("bp", bp) &&
                tab.findCellWithName("hb", hb) && tab.findCellWithName("et", et) && tab.findCellWithName("eb", eb)) {
                const double kg = tab.cells[tp].value.toDouble() * tab.cells[bp].value.toDouble() *
                                  (tab.cells[hb].value.toDouble() + tab.cells[et].value.toDouble() + tab.cells[eb].value.toDouble()) * 7.85e-6;
                EXPECT_NEAR(tab.cells[weight].value.toDouble(), kg, 0.006) << name.str();
            }
        }

        // The pages as the dialog builds them.
        base::DrawingModel::get().placeMacro(m);
        ui::MacroDialog dlg(m);
        win::Script s;
        s.waitFor(win::dialogWithTemplate(ui::MacroDialog::IDD))
            .check([&] {
                for (int t = 0; t < dlg.macro().tabs.length(); ++t) {
                    ui::MacroTabPage* page = dlg.page(t);
                    if (!page) {
                        ADD_FAILURE() << name.str() << " tab " << t << " has no page";
                        continue;
                    }
                    for (const std::string& p : pageProblems(dlg.macro().tabs[t], *page)) ADD_FAILURE() << name.str() << " " << p;
                }
            })
            .click(win::ctrl(IDOK));
        run(s, [&] { dlg.DoModal(); });
    }
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(valueTypes, (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(readOnly && textCount && arrays && cuts && flexible && images);
}

TEST_F(SampleLibrary, TwoEndPlatesOfOneKindDifferSoTheyShowMixedValuesTogether) {
    MacroData a, b;
    std::string error;
    ASSERT_TRUE(readLibraryMacro("EndPlate", a, error));
    ASSERT_TRUE(readLibraryMacro("EndPlate-2", b, error));
    EXPECT_EQ(a.macroType.str(), b.macroType.str());
    Vtl_Array<AcArray<int>> t1, t2;
    b.differences(a, t1, t2);
    EXPECT_FALSE(t1[0].isEmpty());
    // The end plates' picture folder holds drawings with their pictures.
    const std::filesystem::path images = std::filesystem::path(VTL_SAMPLE_LIBRARY) / "Images" / "End plates";
    int drawings = 0;
    for (const auto& e : std::filesystem::directory_iterator(images)) {
        if (e.path().extension() != ".dwg") continue;
        ++drawings;
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(e.path()).replace_extension(".bmp"))) << e.path();
    }
    EXPECT_GE(drawings, 3);
}

TEST_F(SampleLibrary, TheModelsLevelsRiseFromTheFoundationToTheRoofAndTheDstvGroupsReadWithAStandardOne) {
    KsLevelsDlgData levels;
    ASSERT_TRUE(levels.readFromFile(gSettings.libDir() + "Levels\\Office building.lvl"));
    ASSERT_GE(levels.count(), 4);
    double below = -1e9;
    for (int i = 0; i < levels.count(); ++i) {
        Vtl_String name, reference;
        double value1 = 0, value2 = 0;
        ASSERT_TRUE(levels.getLevelData(i, name, reference, value1, value2));
        EXPECT_GT(value2, below) << name.str();
        below = value2;
        if (i == 0) EXPECT_LT(value2, 0) << "the foundation lies below the ground floor";
    }
    DlgDstvPoints groups;
    Vtl_StringArray names;
    groups.getAllDstvPointsFiles(names);
    ASSERT_EQ(names.length(), 2);
    EXPECT_TRUE(names.contains(removeExtension(groups.getStandardDstvPointsFile()), false));
    for (const Vtl_String& name : names) {
        Vtl_Array<Vtl_DstvPointInfo> points;
        EXPECT_TRUE(groups.readFromFile(name, points)) << name.str();
        EXPECT_GE(points.length(), 2) << name.str();
    }
}

}  // namespace
}  // namespace vtl::test
