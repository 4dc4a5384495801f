// What the macro cuts and select-macro dialogs ask of the drawing side: cut defaults and checks, cuts made
// and edited per macro and module, the macro filter over the library's macro drawings and the previews
// generated for macros without a picture.
#include <filesystem>
#include <fstream>

#include "gfx/bmp.h"
#include "support/fixture.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/drawing/macro_cuts.h"
#include "vtlbase/macro/macro_props_filter.h"
#include "vtlbase/settings.h"

namespace vtl::test {
namespace {
using base::DrawingModel;
using base::Journal;
namespace fs = std::filesystem;

class MacroChoiceData : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        DrawingModel::get().reset();
        Journal::get().clear();
    }
    void TearDown() override {
        DrawingModel::get().reset();
        Fixture::TearDown();
    }
    AcDbObjectId placeMacro(const char* name, std::initializer_list<const char*> modules) {
        MacroData m;
        m.macroType = name;
        for (const char* module : modules) {
            MacroTabData t;
            t.moduleName = t.displayName = module;
            m.tabs.append(t);
        }
        return DrawingModel::get().placeMacro(m);
    }
    void writeMacro(const std::string& module, const std::string& file, const std::string& properties) {
        const fs::path folder = libraryDir() / "Macros" / module;
        fs::create_directories(folder);
        std::ofstream(folder / file) << "VTL sample drawing\r\nProperties: " << properties << "\r\n";
    }
    static std::vector<std::string> names(const Vtl_StringArray& files) {
        std::vector<std::string> out;
        for (const Vtl_String& f : files) out.push_back(f.str().substr(f.str().rfind('\\') + 1));
        return out;
    }
};

TEST_F(MacroChoiceData, EachCutTypeStartsWithItsOwnVariablesAndGeneratedNamesAreRefused) {
    DlgMacroCutsData cut;
    Vtl_StringArray names, values;
    AcArray<bool> used;
    ASSERT_TRUE(cut.GetDefaultValues(4, names, values, used));
    EXPECT_EQ(names, (Vtl_StringArray{"Offset1", "Offset2", "PolyOffset"}));
    EXPECT_EQ(values.length(), 3);
    EXPECT_EQ(used.length(), 3);
    ASSERT_TRUE(cut.GetDefaultValues(6, names, values, used));
    EXPECT_EQ(names, (Vtl_StringArray{"Radius"}));
    EXPECT_FALSE(cut.GetDefaultValues(7, names, values, used));
    EXPECT_TRUE(names.isEmpty());
    EXPECT_TRUE(values.isEmpty());

    cut.varNames = Vtl_StringArray{"Offset", "LengthOffset"};
    EXPECT_TRUE(cut.AreVarNamesValid());
    cut.varNames.append("GEN_Offset");
    EXPECT_FALSE(cut.AreVarNamesValid());
    cut.varNames = Vtl_StringArray{"Offset", ""};
    EXPECT_FALSE(cut.AreVarNamesValid());
}

TEST_F(MacroChoiceData, CutsBelongToOneModuleOfOneMacroAndEditingReplacesTheCut) {
    const AcDbObjectId endPlate = placeMacro("EndPlate", {"Plate", "Bolts"});
    const AcDbObjectId splice = placeMacro("BeamSplice", {"Web plates"});
    DlgMacroCutsData cut;
    cut.macroObject = endPlate;
    cut.moduleName = "Plate";
    cut.cutName = "Beam end";
    cut.cutType = 1;
    ASSERT_TRUE(base::applyMacroCut(cut));

    bool inUse = false;
    cut.CutNameInUse(endPlate, "plate", "BEAM END", inUse);
    EXPECT_TRUE(inUse);
    cut.CutNameInUse(endPlate, "Bolts", "Beam end", inUse);
    EXPECT_FALSE(inUse);
    cut.CutNameInUse(splice, "Plate", "Beam end", inUse);
    EXPECT_FALSE(inUse);

    DlgMacroCutsData edited;
    ASSERT_TRUE(base::loadMacroCut(endPlate, "Plate", "Beam end", edited));
    EXPECT_TRUE(edited.editMode);
    edited.cutType = 5;
    ASSERT_TRUE(base::applyMacroCut(edited));
    EXPECT_EQ(base::macroCutNames(endPlate, "Plate"), std::vector<std::string>{"Beam end"});
    EXPECT_EQ(DrawingModel::get().macroCuts[endPlate.asOldId()][0].cutType, 5);

    // Nothing is made on an object that is no macro, nor without a module.
    DlgMacroCutsData stray = cut;
    const AcDbObjectId beam = DrawingModel::get().add(base::DrawingObjectKind::profile, "IPE-300");
    stray.macroObject = beam;
    EXPECT_FALSE(base::applyMacroCut(stray));
    stray.macroObject = splice;
    stray.moduleName = "";
    EXPECT_FALSE(base::applyMacroCut(stray));
    EXPECT_TRUE(base::macroCutNames(splice, "").empty());

    Vtl_StringArray modules;
    EXPECT_TRUE(cut.macroPicker.GetAllMods(endPlate, modules));
    EXPECT_EQ(modules, (Vtl_StringArray{"Plate", "Bolts"}));
    EXPECT_FALSE(cut.macroPicker.GetAllMods(beam, modules));
    EXPECT_TRUE(modules.isEmpty());
}

TEST_F(MacroChoiceData, TheFilterOffersMacrosByModuleAndPropertyWhateverTheCaseOfTheirFiles) {
    writeMacro("Beams", "FinPlate.dwg", "Bolted; Shear");
    writeMacro("Beams", "EndPlate.DWG", "Bolted; Welded; Moment");
    writeMacro("Columns", "BasePlate.dwg", "Welded");
    Vtl_MacroPropsFilter filter;
    filter.initialize(Vtl_StringArray(), AcArray<bool>(), 100, 80);
    EXPECT_EQ(filter.previewWidth, 100);
    Vtl_StringArray files;
    filter.getAllDwgFiles(files);
    EXPECT_EQ(names(files), (std::vector<std::string>{"EndPlate.DWG", "FinPlate.dwg", "BasePlate.dwg"}));

    Vtl_Array<Vtl_StringArray> modules;
    Vtl_Array<AcArray<bool>> states;
    Vtl_Array<Vtl_Array<int>> counts;
    ASSERT_TRUE(filter.getMergedProperties(modules, states, counts));
    ASSERT_EQ(modules.length(), 2);
    EXPECT_EQ(modules[0], (Vtl_StringArray{"Beams", "Bolted", "Moment", "Shear", "Welded"}));
    EXPECT_EQ(counts[0][0], 2);
    EXPECT_EQ(counts[0][1], 2);
    EXPECT_EQ(counts[0][2], 1);

    EXPECT_TRUE(filter.setModuleStatus("columns", false));
    filter.getFilteredMacros(files);
    EXPECT_EQ(names(files), (std::vector<std::string>{"EndPlate.DWG", "FinPlate.dwg"}));
    EXPECT_TRUE(filter.setModulePropStatus("Beams", "Moment", false));
    filter.getFilteredMacros(files);
    EXPECT_EQ(names(files), std::vector<std::string>{"FinPlate.dwg"});
    filter.getMergedProperties(modules, states, counts);
    EXPECT_FALSE(states[1][0]);
    EXPECT_FALSE(states[0][2]);
    EXPECT_TRUE(states[0][1]);
    EXPECT_FALSE(filter.setModulePropStatus("Beams", "Anchored", false));
    EXPECT_FALSE(filter.setModuleStatus("Bracing", false));

    // Modules named by the caller, in its order and states; a name that is no folder name lists nothing.
    filter.initialize(Vtl_StringArray{"Columns", "..\\Macros\\Beams"}, AcArray<bool>(), 100, 80);
    filter.getAllDwgFiles(files);
    EXPECT_EQ(names(files), std::vector<std::string>{"BasePlate.dwg"});
    AcArray<bool> off;
    off.append(false);
    filter.initialize(Vtl_StringArray{"Columns"}, off, 100, 80);
    filter.getFilteredMacros(files);
    EXPECT_TRUE(files.isEmpty());
}

TEST_F(MacroChoiceData, APreviewIsWrittenOnlyForAMacroWithoutAPictureInAnyCase) {
    writeMacro("Beams", "Cleat.dwg", "Bolted");
    writeMacro("Beams", "M1.DWG", "Bolted");
    const fs::path folder = libraryDir() / "Macros" / "Beams";
    gfx::writeBmpFile((folder / "M1.BMP").string(), gfx::Image(8, 8, gfx::Rgba::of(RGB(0, 0, 255))));
    Vtl_MacroPropsFilter filter;
    filter.initialize(Vtl_StringArray(), AcArray<bool>(), 64, 48);
    Vtl_StringArray files;
    filter.getAllDwgFiles(files);
    EXPECT_EQ(CreatePreviewBMPs(files, 64, 48), 1);
    EXPECT_TRUE(fs::exists(folder / "Cleat.abm"));
    EXPECT_FALSE(fs::exists(folder / "M1.abm"));
    EXPECT_FALSE(fs::exists(folder / "M1.ABM"));
    const gfx::Image preview = gfx::readBmpFile((folder / "Cleat.abm").string());
    EXPECT_EQ(preview.width(), 64);
    EXPECT_EQ(preview.height(), 48);
}

}  // namespace
}  // namespace vtl::test
