// The bundled sample library's connection macros: they load, every part kind and value type is there,
// and every control of their designed dialogs names something its tab has, so each one binds.
#include <filesystem>
#include <set>

#include "module_test_support.h"
#include "vtlbase/drawing/catalogue.h"
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

// Whether the designed control would bind to the tab, by its type.
std::string unbound(const MacroTabData& tab, const Vtl_DesignerControl& c) {
    int i = 0;
    const Vtl_String& name = c.contents;
    switch (c.type) {
    case 0:
    case 1:
        return "";
    case 2:
    case 3:
        return tab.findCellWithName(name, i) ? "" : "no cell " + name.str();
    case 4:
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
        return tab.findPatternWithName(name, i) ? "" : "no pattern " + name.str();
    case 5: {
        int count = 0;
        return tab.findPatternWithName(name, i) && tab.patterns[i].getCount(tab.patterns[i].countText, count) ? ""
                                                                                                             : "no counted pattern " + name.str();
    }
    case 13:
    case 14:
    case 15:
    case 16:
    case 17:
        return tab.findProfDataWithGroup(name, i) ? "" : "no profile group " + name.str();
    case 18:
    case 19:
    case 21:
    case 22:
    case 24:
        return tab.findArrayWithName(name, i) ? "" : "no array " + name.str();
    case 25:
    case 26:
        return tab.findCellWithName(c.cellBtnPart1, i) && tab.cells[i].readOnly ? "" : "no read-only cell " + c.cellBtnPart1.str();
    case 27:
        return tab.imageFlag ? "" : "no images";
    case 28:
        return tab.findCutWithName(name, i) ? "" : "no cut " + name.str();
    case 29:
        return tab.findCellWithName(c.listText, i) ? "" : "no cell " + c.listText.str();
    case 30:
        return tab.hasBtnFlexFix(name) ? "" : "no flexible button " + name.str();
    default:
        return "type " + std::to_string(c.type) + " binds nothing";
    }
}

TEST_F(SampleLibrary, EveryMacroLoadsAndEveryDesignedControlBinds) {
    const Vtl_StringArray names = libraryMacroNames();
    ASSERT_GE(names.length(), 5);
    std::set<int> kinds, valueTypes;
    bool readOnly = false, textCount = false, arrays = false, cuts = false, flexible = false;
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
                textCount = textCount || !p.getCount(p.countText, count);
            }
            arrays = arrays || !tab.arrays.isEmpty();
            cuts = cuts || !tab.cuts.isEmpty();
            flexible = flexible || !tab.flexFixGroups.isEmpty();
            if (!tab.bolt.assembly.isEmpty()) {
                EXPECT_TRUE(assemblies.contains(tab.bolt.assembly)) << tab.bolt.assembly.str();
                Vtl_StringArray diameters;
                GetDiameters(tab.bolt.assembly, diameters);
                EXPECT_TRUE(diameters.contains(tab.bolt.diameter)) << name.str() << " " << tab.bolt.diameter.str();
            }
            if (tab.designFile.isEmpty()) continue;
            Vtl_DlgDesignerData design;
            ASSERT_TRUE(design.readFromFile(tab.designFile, true)) << tab.designFile.str();
            EXPECT_TRUE(design.hasImage()) << tab.designFile.str();
            for (int i = 0; i < design.getNrControls(); ++i)
                EXPECT_EQ(unbound(tab, *design.getControl(i)), "") << name.str() << " / " << tab.moduleName.str() << " control " << i;
        }
    }
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(valueTypes, (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(readOnly && textCount && arrays && cuts && flexible);
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

}  // namespace
}  // namespace vtl::test
