// The parametric side of a macro: modules renamed, removed and added, rules updated, sorted and deleted,
// geometry flexibility, variables and equations stored back to the drawing, each request journalled; and
// the general macro settings kept per macro object.
#include "support/fixture.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/macro/edit_constr_data.h"
#include "vtlbase/macro/macro_settings_data.h"
#include "vtlbase/macro/parametric_file.h"
#include "vtlbase/settings.h"

#include <cstdlib>

namespace vtl::test {
namespace {
using base::DrawingModel;
using base::DrawingObjectKind;
using base::Journal;

ConstraintRule rule(const char* id, const char* type, const char* value) {
    ConstraintRule r;
    r.id = id;
    r.rowTexts.append(Vtl_String(type));
    r.rowTexts.append(Vtl_String("Flange, Stiffener"));
    r.rowTexts.append(Vtl_String(value));
    r.rowTexts.append(Vtl_String(""));
    r.kinds = {0, 1};
    r.value = value;
    return r;
}

AcDbObjectId stiffenerMacro() {
    const AcDbObjectId id = DrawingModel::get().add(DrawingObjectKind::macro, "Stiffener");
    ParametricModule web;
    web.name = "Stiffener";
    web.rules = {rule("C1", "Distance", "10"), rule("C2", "Angle", "90"), rule("C3", "Coincident", "")};
    ConstrGeometry g;
    g.id = DrawingModel::get().add(DrawingObjectKind::profile, "PL 10x90");
    g.texts[0] = "Plate";
    g.constrState = 0;
    web.geometry = {g};
    web.varNames.append(Vtl_String("tf"));
    web.varValues.append(Vtl_String("14.6"));
    web.varKinds = {0};
    web.dimNames.append(Vtl_String("d1"));
    web.dimValues.append(Vtl_String("10"));
    ParametricModule snipe;
    snipe.name = "Snipe";
    EditConstrData::placeParametricMacro(id, {web, snipe});
    return id;
}

class EditConstr : public Fixture {};

TEST_F(EditConstr, ModulesAreRenamedAddedAndRemovedInTheDrawing) {
    EditConstrData d;
    ASSERT_TRUE(d.open(stiffenerMacro()));
    EXPECT_EQ(d.moduleNames.length(), 2);
    EXPECT_EQ(d.currentModule, Vtl_String("Stiffener"));
    EXPECT_EQ(d.rules.size(), 3u);

    EXPECT_TRUE(d.RenameModule("Web stiffener"));
    EXPECT_EQ(d.moduleNames[0], Vtl_String("Web stiffener"));
    EXPECT_FALSE(d.RenameModule("Snipe")) << "module names stay unique";
    EXPECT_FALSE(d.RenameModule("  "));

    EXPECT_TRUE(d.StartMacroCommand(11));
    EXPECT_EQ(d.moduleNames.length(), 3);
    EXPECT_EQ(d.moduleNames[2], Vtl_String("Module 3"));

    EXPECT_TRUE(d.SetCurrentModule("Snipe"));
    EXPECT_TRUE(d.rules.empty());
    EXPECT_FALSE(d.SetCurrentModule("No such module"));
    EXPECT_EQ(d.currentModule, Vtl_String("Snipe"));

    EXPECT_TRUE(d.RemoveModule("Snipe"));
    EXPECT_TRUE(d.currentModule.isEmpty());
    EXPECT_EQ(d.moduleNames.length(), 2);
    EXPECT_FALSE(d.RemoveModule("Snipe"));
    EXPECT_EQ(Journal::get().count("RemoveModule"), 2);
    EXPECT_EQ(Journal::get().last("RenameModule")->result, "false");
}

TEST_F(EditConstr, RuleEditsReachTheDrawingAndTheJournal) {
    const AcDbObjectId id = stiffenerMacro();
    EditConstrData d;
    ASSERT_TRUE(d.open(id));
    d.rules[0].value = "12";
    d.rules[0].variable = "gap";
    EXPECT_TRUE(d.UpdateConstraint(0));
    const auto& stored = (*EditConstrData::parametricMacro(id))[0].rules[0];
    EXPECT_EQ(stored.value, Vtl_String("12"));
    EXPECT_EQ(stored.rowTexts[2], Vtl_String("12"));
    EXPECT_EQ(stored.rowTexts[3], Vtl_String("gap"));
    EXPECT_FALSE(d.UpdateConstraint(3));
    EXPECT_FALSE(d.UpdateConstraint(-1));

    EXPECT_TRUE(d.SortConstraints(1, 2));
    EXPECT_EQ(d.rules[0].id, Vtl_String("C2"));  // Angle, Coincident, Distance
    EXPECT_EQ(d.rules[2].id, Vtl_String("C1"));
    EXPECT_FALSE(d.SortConstraints(5, 1));

    EXPECT_TRUE(d.DeleteConstraint(0));
    EXPECT_EQ((*EditConstrData::parametricMacro(id))[0].rules.size(), 2u);
    EXPECT_FALSE(d.DeleteConstraint(2));

    EXPECT_TRUE(d.StartMacroCommand(7));
    ASSERT_EQ(d.rules.size(), 3u);
    EXPECT_EQ(d.rules.back().rowTexts[0], Vtl_String("Distance"));
    EXPECT_NE(d.rules.back().id, d.rules[0].id);
    EXPECT_FALSE(d.StartMacroCommand(14));

    const auto* update = Journal::get().last("UpdateConstraint");
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(update->result, "false");
    EXPECT_EQ(Journal::get().count("UpdateConstraint"), 3);
}

TEST_F(EditConstr, ContextMenuOffersCheckedItemsAndItsActionsApply) {
    EditConstrData d;
    ASSERT_TRUE(d.open(stiffenerMacro()));
    d.rules[1].flag1 = true;
    Vtl_StringArray items;
    std::vector<std::int32_t> actions;
    std::vector<int> checked;
    ASSERT_TRUE(d.ConstrContextMenu(1, items, actions, checked));
    EXPECT_EQ(items[2], Vtl_String(EditConstrData::kMenuBreak));
    EXPECT_EQ(actions.size(), 4u);
    EXPECT_EQ(checked, std::vector<int>{3});
    EXPECT_TRUE(d.ContextMenuAction(1, 2));
    EXPECT_EQ(d.rules[1].value, Vtl_String("-90"));
    EXPECT_TRUE(d.ContextMenuAction(1, 3));
    EXPECT_FALSE(d.rules[1].flag1);
    EXPECT_FALSE(d.ConstrContextMenu(7, items, actions, checked));
    EXPECT_TRUE(items.isEmpty());
}

TEST_F(EditConstr, GeometryFlexibilityAndConstraintStates) {
    EditConstrData d;
    ASSERT_TRUE(d.open(stiffenerMacro()));
    const AcDbObjectId plate = d.geometry[0].id;
    EXPECT_TRUE(d.UpdateGeomFlexibility(plate, 1, 3));
    EXPECT_FALSE(d.UpdateGeomFlexibility(plate, 3, 4));
    EXPECT_EQ(d.geometry[0].flexibility, 3);
    EXPECT_TRUE(d.UpdateConstrGeom(plate, true));
    EXPECT_EQ(d.geometry[0].constrState, 1);
    EXPECT_FALSE(d.UpdateConstrGeom(AcDbObjectId::fromOldId(999), true));
    d.HighlightObject(plate);
    d.UnHighlightObject();
    d.UnHighlightObject();  // nothing highlighted: no second request
    EXPECT_EQ(Journal::get().count("UnHighlightObject"), 1);
}

TEST_F(EditConstr, VariablesAndEquationsAreStored) {
    const AcDbObjectId id = stiffenerMacro();
    EditConstrData d;
    ASSERT_TRUE(d.open(id));
    EXPECT_TRUE(d.VarNameInUse("tf"));
    EXPECT_TRUE(d.VarNameInUse("d1"));
    EXPECT_FALSE(d.VarNameInUse("ts"));
    d.varNames.append(Vtl_String("ts"));
    d.equations = EditConstrData::equationsFromText("ts = tf\n\r\n\rd1 = 2 * ts\r\n");
    EXPECT_TRUE(d.UpdateVarsEqs());
    const auto& m = (*EditConstrData::parametricMacro(id))[0];
    EXPECT_EQ(m.varNames.length(), 2);
    EXPECT_EQ(m.varValues.length(), 2);
    EXPECT_EQ(m.varKinds.size(), 2u);
    ASSERT_EQ(m.equations.length(), 2);
    EXPECT_EQ(m.equations[1], Vtl_String("d1 = 2 * ts"));
    EXPECT_EQ(Journal::get().last("UpdateVarsEqs")->arguments.back(), "ts = tf; d1 = 2 * ts");
}

TEST_F(EditConstr, EquationsReadBackWithoutStrayLineEndCharacters) {
    Vtl_StringArray eqs;
    eqs.append(Vtl_String("ts = tf"));
    eqs.append(Vtl_String("h = hw - 2 * ts"));
    const std::string shown = EditConstrData::textFromEquations(eqs);
    EXPECT_EQ(shown, "ts = tf\n\rh = hw - 2 * ts\n\r");
    EXPECT_EQ(EditConstrData::equationsFromText(shown), eqs);
    // Whatever line ends a field gives back, and blank or space-only lines between.
    EXPECT_EQ(EditConstrData::equationsFromText("ts = tf\r\n  \r\nh = hw - 2 * ts"), eqs);
    EXPECT_EQ(EditConstrData::equationsFromText("ts = tf\rh = hw - 2 * ts\r"), eqs);
    EXPECT_TRUE(EditConstrData::equationsFromText("\n\r\n").isEmpty());
}

TEST_F(EditConstr, SelectingAnotherMacroNeedsAParametricOne) {
    const AcDbObjectId first = stiffenerMacro();
    const AcDbObjectId second = stiffenerMacro();
    EditConstrData d;
    ASSERT_TRUE(d.open(first));
    EXPECT_FALSE(d.SelectOtherMacro()) << "nothing selected";
    EditConstrData::queueSelection(AcDbObjectId::fromOldId(4242));
    EXPECT_FALSE(d.SelectOtherMacro());
    EXPECT_EQ(d.macroId, first);
    EditConstrData::queueSelection(second);
    EXPECT_TRUE(d.SelectOtherMacro());
    EXPECT_EQ(d.macroId, second);
}

TEST_F(EditConstr, MacroSettingsAreKeptPerMacroAndOnlyWhenStored) {
    const AcDbObjectId a = DrawingModel::get().add(DrawingObjectKind::macro, "Base plate");
    const AcDbObjectId b = DrawingModel::get().add(DrawingObjectKind::macro, "End plate");
    MacroSettingsData s;
    ASSERT_TRUE(GetMacroSettings(a, s));
    EXPECT_TRUE(s.axisAngle.names.isEmpty());
    s.axisAngle.names.append(Vtl_String("Column"));
    s.axisAngle.enabled = {true};
    s.axisAngle.values = {{1, 80, 100}};
    s.sectionAngle.names.append(Vtl_String("Beam"));
    s.sectionAngle.pairs = {{{0, 0}, {0, 45}, {90, 0}}};
    s.dropEmptySectionAngleRows();
    EXPECT_EQ(s.sectionAngle.pairs[0].size(), 2u);
    EXPECT_EQ(s.axisAngle.mode(0), 1);
    EXPECT_EQ(s.axisAngle.mode(3), 0);
    ASSERT_TRUE(SetMacroSettings(a, s));

    MacroSettingsData back;
    ASSERT_TRUE(GetMacroSettings(a, back));
    EXPECT_EQ(back.axisAngle.values, s.axisAngle.values);
    ASSERT_TRUE(GetMacroSettings(b, back));
    EXPECT_TRUE(back.axisAngle.names.isEmpty());

    const AcDbObjectId profile = DrawingModel::get().add(DrawingObjectKind::profile, "HEA 200");
    EXPECT_FALSE(SetMacroSettings(profile, s));
    EXPECT_FALSE(GetMacroSettings(profile, back));
    EXPECT_EQ(Journal::get().last("SetMacroSettings")->result, "false");
}

TEST_F(EditConstr, TheLibrarysStiffenerPlacesWithItsModulesGeometryAndSettings) {
    unsetenv("VTL_LIBDIR");  // the bundled library; the fixture puts the variable back
    gSettings.setLibDir("");
    ParametricMacroFile file;
    std::string error;
    ASSERT_TRUE(readLibraryParametricMacro("Stiffener", file, error)) << error;
    ASSERT_EQ(file.modules.size(), 3u);
    const ParametricModule& stiffener = file.modules[0];
    EXPECT_EQ(stiffener.equations[0], Vtl_String("t_stiff = t_flange"));
    EXPECT_EQ(stiffener.rules[3].pictures.length(), 7);
    EXPECT_TRUE(stiffener.rules[3].offersCut);

    const AcDbObjectId id = placeParametricMacroFile(file);
    EditConstrData d;
    ASSERT_TRUE(d.open(id));
    EXPECT_EQ(d.moduleNames.length(), 3);
    ASSERT_EQ(d.geometry.size(), 4u);
    EXPECT_FALSE(d.geometry[0].id.isNull());
    EXPECT_NE(d.geometry[0].id, d.geometry[1].id);
    MacroSettingsData s;
    ASSERT_TRUE(GetMacroSettings(id, s));
    EXPECT_EQ(s.axisAngle.names.length(), 2);
    EXPECT_EQ(s.entries.length(), s.designs.length());

    EXPECT_FALSE(readLibraryParametricMacro("..\\Stiffener", file, error));
    EXPECT_FALSE(readLibraryParametricMacro("NoSuchMacro", file, error));
    EXPECT_FALSE(parametricMacroFromJson("{\"modules\": [{\"name\": 3}]}", file, error));
    EXPECT_FALSE(error.empty());
}
}  // namespace
}  // namespace vtl::test
