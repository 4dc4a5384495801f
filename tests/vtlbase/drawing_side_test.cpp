// The drawing side: updates reach the macro instances and come back normalised, two macros edited
// together keep their own values where the record is mixed, every request is journalled, picks are
// answered by clicks in the drawing or cancelled, and the catalogue's lists map both ways.
#include <clocale>

#include "host/main_window.h"
#include "support/fixture.h"
#include "vtlbase/drawing/catalogue.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/drawing/macro_operations.h"
#include "win/api.h"
#include "win/keys.h"
#include "win/script.h"

namespace vtl::test {
namespace {
using base::DrawingModel;
using base::DrawingObjectKind;
using base::Journal;

MacroData plateMacro(const char* thickness) {
    MacroData m;
    m.macroType = "EndPlate";
    m.caption = "End plate";
    MacroTabData tab;
    tab.moduleName = "Plate";
    MacroCell tp;
    tp.name = "tp";
    tp.value = thickness;
    tab.cells.append(tp);
    MacroCell grade;
    grade.name = "grade";
    grade.value = "S355";
    grade.valueType = MacroCell::text;
    tab.cells.append(grade);
    MacroPatternProps rows;
    rows.name = "rows";
    rows.countText = "3";
    tab.patterns.append(rows);
    m.tabs.append(tab);
    return m;
}

class DrawingSide : public Fixture {};

TEST_F(DrawingSide, AnUpdateReachesTheInstanceAndComesBackNormalised) {
    MacroData m = plateMacro("15");
    const AcDbObjectId id = DrawingModel::get().placeMacro(m);
    ASSERT_EQ(m.objectIds.length(), 1);
    EXPECT_EQ(m.objectIds[0], id);
    m.tabs[0].cells[0].value = "12.5";
    m.tabs[0].patterns[0].countText = " 04";
    AcArray<int> c1, c2;
    c1.append(0);
    c1.append(MacroChange::patterns);
    c2.append(0);
    EXPECT_TRUE(UpdateModule("Plate", m, c1, c2));
    EXPECT_EQ(DrawingModel::get().instance(id)->tabs[0].cells[0].value.str(), "12.50");
    EXPECT_EQ(m.tabs[0].cells[0].value.str(), "12.50");  // the record shows what the drawing made of it
    EXPECT_EQ(m.tabs[0].patterns[0].countText.str(), "4");
    ASSERT_NE(Journal::get().last("UpdateModule"), nullptr);
    EXPECT_EQ(Journal::get().last("UpdateModule")->text(), "UpdateModule(Plate, 0 -1, 0) -> true");
    // Nothing changed: false, still journalled.
    EXPECT_FALSE(UpdateModule("Plate", m, c1, c2));
    EXPECT_FALSE(UpdateModule("Ghost", m, c1, c2));
    EXPECT_EQ(Journal::get().count("UpdateModule"), 3);
    // A number that is no number stays as the drawing had it.
    m.tabs[0].cells[0].value = "thick";
    UpdateModule("Plate", m, c1, c2);
    EXPECT_EQ(m.tabs[0].cells[0].value.str(), "12.50");
}

TEST_F(DrawingSide, TwoMacrosEditedTogetherKeepTheirOwnValuesWhereTheRecordIsMixed) {
    MacroData a = plateMacro("15"), b = plateMacro("20");
    DrawingModel::get().placeMacro(a);
    DrawingModel::get().placeMacro(b);
    MacroData both = a;
    both.macroCount = 2;
    both.objectIds.append(b.objectIds[0]);
    both.tabs[0].cells[0].value = mixedValueText();
    both.tabs[0].cells[1].value = "S235";
    AcArray<int> c1, c2;
    c1.append(0);
    c1.append(1);
    EXPECT_TRUE(UpdateModule("Plate", both, c1, c2));
    EXPECT_EQ(DrawingModel::get().instance(a.objectIds[0])->tabs[0].cells[0].value.str(), "15.00");
    EXPECT_EQ(DrawingModel::get().instance(b.objectIds[0])->tabs[0].cells[0].value.str(), "20.00");
    EXPECT_EQ(DrawingModel::get().instance(b.objectIds[0])->tabs[0].cells[1].value.str(), "S235");
    EXPECT_EQ(both.tabs[0].cells[0].value.str(), mixedValueText().str());  // still differing
    EXPECT_EQ(both.tabs[0].cells[1].value.str(), "S235");
}

// Two end plates of one kind, each with its own pattern spacing, bolt extras, array, cut and flexible
// button, merged into one record as the macro dialog edits them.
struct TwoPlates {
    MacroData a, b, both;
    TwoPlates() {
        a = plateMacro("15");
        b = plateMacro("20");
        MacroTabData& ta = a.tabs[0];
        MacroTabData& tb = b.tabs[0];
        ta.patterns[0].side1.values = Vtl_StringArray{"45", "90", "90"};
        tb.patterns[0].countText = "4";
        tb.patterns[0].side1.values = Vtl_StringArray{"50", "80", "80", "80"};
        ta.patterns[0].side2.values = Vtl_StringArray{"100"};
        tb.patterns[0].side2.values = Vtl_StringArray{"120"};
        ta.bolt.assembly = tb.bolt.assembly = "Hexagon bolt 8.8";
        ta.bolt.diameter = tb.bolt.diameter = "20";
        ta.bolt.washers = 1;
        tb.bolt.washers = 0;
        ta.bolt.slottedHoles.append(MacroSlottedHole{0, 0, "22", "40", "0", ""});
        tb.bolt.slottedHoles.append(MacroSlottedHole{1, 0, "26", "50", "0", ""});
        DynArrayData stiffeners;
        stiffeners.name = "stiffeners";
        stiffeners.values[0] = "2";
        ta.arrays.append(stiffeners);
        stiffeners.values[0] = "3";
        tb.arrays.append(stiffeners);
        ta.cuts.append(MacroCutData{"Notch", 1, 0});
        tb.cuts.append(MacroCutData{"Notch", 2, 0});
        MacroFlexFixGroup size;
        size.name = "size";
        size.buttons = Vtl_StringArray{"hp", "lp"};
        size.flexible.append(true);
        size.flexible.append(false);
        ta.flexFixGroups.append(size);
        size.flexible[0] = false;
        tb.flexFixGroups.append(size);
        DrawingModel::get().placeMacro(a);
        DrawingModel::get().placeMacro(b);
        Vtl_Array<MacroData> macros;
        macros.append(a);
        macros.append(b);
        EXPECT_TRUE(mergeMacros(macros, both));
    }
    const MacroTabData& drawnA() const { return DrawingModel::get().instance(a.objectIds[0])->tabs[0]; }
    const MacroTabData& drawnB() const { return DrawingModel::get().instance(b.objectIds[0])->tabs[0]; }
    // Applies a change of the record as the macro dialog does: the differences to the record before.
    bool update(const MacroTabData& before) {
        Vtl_StringArray names;
        AcArray<int> c1, c2;
        before.differences(both.tabs[0], names, c1, c2);
        return UpdateModule("Plate", both, c1, c2);
    }
};

TEST_F(DrawingSide, MacrosEditedTogetherTakeOnlyWhatChanged) {
    TwoPlates p;
    MacroTabData& record = p.both.tabs[0];
    EXPECT_EQ(record.patterns[0].countText.str(), mixedValueText().str());
    EXPECT_EQ(record.patterns[0].side2.values[0].str(), mixedValueText().str());
    EXPECT_EQ(record.bolt.washers, 2);  // the third state: they differ
    EXPECT_EQ(record.cuts[0].number, -1);

    // The count of bolt rows: each plate keeps its own spacing.
    MacroTabData before = record;
    record.patterns[0].countText = "5";
    EXPECT_TRUE(p.update(before));
    EXPECT_EQ(p.drawnA().patterns[0].countText.str(), "5");
    EXPECT_EQ(p.drawnB().patterns[0].countText.str(), "5");
    EXPECT_EQ(p.drawnA().patterns[0].side1.values, (Vtl_StringArray{"45", "90", "90"}));
    EXPECT_EQ(p.drawnB().patterns[0].side1.values, (Vtl_StringArray{"50", "80", "80", "80"}));
    EXPECT_EQ(p.drawnB().patterns[0].side2.values, Vtl_StringArray{"120"});
    EXPECT_EQ(record.patterns[0].countText.str(), "5");  // now shared

    // The bolt diameter: the washers and slotted holes stay each plate's own.
    before = record;
    record.bolt.diameter = "24";
    EXPECT_TRUE(p.update(before));
    EXPECT_EQ(p.drawnB().bolt.diameter.str(), "24");
    EXPECT_EQ(p.drawnA().bolt.washers, 1);
    EXPECT_EQ(p.drawnB().bolt.washers, 0);
    EXPECT_EQ(p.drawnB().bolt.slottedHoles[0].firstSize.str(), "26");
    EXPECT_EQ(p.drawnA().bolt.slottedHoles[0].active, 0);

    // One slotted-hole size typed over the varying ones reaches both; their other values stay.
    before = record;
    record.bolt.slottedHoles[0].length = "60";
    EXPECT_TRUE(p.update(before));
    EXPECT_EQ(p.drawnA().bolt.slottedHoles[0].length.str(), "60");
    EXPECT_EQ(p.drawnB().bolt.slottedHoles[0].length.str(), "60");
    EXPECT_EQ(p.drawnB().bolt.slottedHoles[0].firstSize.str(), "26");

    // The array's spacing, the cut and a flexible button: only the value changed travels.
    before = record;
    record.arrays[0].values[1] = "150";
    record.cuts[0].number = 3;
    record.flexFixGroups[0].flexible[1] = true;
    EXPECT_TRUE(p.update(before));
    EXPECT_EQ(p.drawnA().arrays[0].values[0].str(), "2");
    EXPECT_EQ(p.drawnB().arrays[0].values[0].str(), "3");
    EXPECT_EQ(p.drawnB().arrays[0].values[1].str(), "150");
    EXPECT_EQ(p.drawnA().cuts[0].number, 3);
    EXPECT_EQ(p.drawnB().cuts[0].number, 3);
    EXPECT_TRUE(p.drawnA().flexFixGroups[0].flexible[0]);
    EXPECT_FALSE(p.drawnB().flexFixGroups[0].flexible[0]);
    EXPECT_TRUE(p.drawnB().flexFixGroups[0].flexible[1]);
}

TEST_F(DrawingSide, APatternIsKnownByItsPlaceNotByItsEditableName) {
    MacroData m = plateMacro("15");
    DrawingModel::get().placeMacro(m);
    MacroTabData before = m.tabs[0];
    // A count typed into the name column by mistake renames the pattern; nothing is lost on the way.
    m.tabs[0].patterns[0].name = "4";
    Vtl_StringArray names;
    AcArray<int> c1, c2;
    before.differences(m.tabs[0], names, c1, c2);
    EXPECT_TRUE(UpdateModule("Plate", m, c1, c2));
    EXPECT_EQ(DrawingModel::get().instance(m.objectIds[0])->tabs[0].patterns[0].name.str(), "4");
    // Put right, the same pattern takes its name back and then its count.
    before = m.tabs[0];
    m.tabs[0].patterns[0].name = "rows";
    m.tabs[0].patterns[0].countText = "4";
    before.differences(m.tabs[0], names, c1, c2);
    EXPECT_TRUE(UpdateModule("Plate", m, c1, c2));
    EXPECT_EQ(DrawingModel::get().instance(m.objectIds[0])->tabs[0].patterns[0].name.str(), "rows");
    EXPECT_EQ(DrawingModel::get().instance(m.objectIds[0])->tabs[0].patterns[0].countText.str(), "4");
}

TEST_F(DrawingSide, NumbersAreNormalisedWithAPointWhateverTheLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale installed (scripts/setup makes one)";
    MacroData m = plateMacro("15");
    DrawingModel::get().placeMacro(m);
    m.tabs[0].cells[0].value = "12.5";
    AcArray<int> c1, c2;
    c1.append(0);
    const bool updated = UpdateModule("Plate", m, c1, c2);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_TRUE(updated);
    EXPECT_EQ(DrawingModel::get().instance(m.objectIds[0])->tabs[0].cells[0].value.str(), "12.50");
}

TEST_F(DrawingSide, ATestMayReplaceTheNormaliserAndRequestsAreJournalledInOrder) {
    DrawingModel::get().setNormaliser([](MacroTabData& tab) { tab.cells[0].value = "10.00"; });
    MacroData m = plateMacro("15");
    DrawingModel::get().placeMacro(m);
    AcArray<int> c1, c2;
    c1.append(0);
    UpdateModule("Plate", m, c1, c2);
    EXPECT_EQ(m.tabs[0].cells[0].value.str(), "10.00");
    clashInitDlgStarted(7);
    clashSetStatus(true);
    clashcheck(7, m.objectIds);
    m.changeView("Plate", 3);
    EXPECT_FALSE(m.reApply());
    swapBlockRefs(m, "Plate", "c:\\lib\\Images\\Haunch.dwg");
    EXPECT_EQ(m.tabs[0].currentImage.str(), "Haunch");
    clashDlgClosed(7);
    EXPECT_TRUE(DrawingModel::get().openClashDialogs.empty());
    EXPECT_FALSE(SelectOtherMacros(m));  // nobody selects: cancelled, record unchanged
    DrawingModel::get().queueSelection(plateMacro("30"));
    EXPECT_TRUE(SelectOtherMacros(m));
    EXPECT_EQ(m.tabs[0].cells[0].value.str(), "30");
    std::vector<std::string> ops;
    for (const auto& e : Journal::get().entries()) ops.push_back(e.operation);
    EXPECT_EQ(ops, (std::vector<std::string>{"UpdateModule", "clashInitDlgStarted", "clashSetStatus", "clashcheck", "changeView",
                                             "reApply", "swapBlockRefs", "clashDlgClosed", "SelectOtherMacros", "SelectOtherMacros"}));
    EXPECT_EQ(Journal::get().last("clashcheck")->text(), "clashcheck(7, 1) -> checked");
}

TEST_F(DrawingSide, PicksAreAnsweredByAClickInTheDrawingOrCancelled) {
    Vector2d point;
    AcDbObjectId plane;
    Vtl_String planeName;
    bool first = true, second = true;
    win::Script s;
    s.click(win::point(300, 250)).key(VK_ESCAPE);
    run(s, [&] {
        first = UserChooseSectionPoint("HEB 240", 0, point);
        second = UserSelectPlane(plane, planeName);
    });
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(Journal::get().last("UserChooseSectionPoint")->result, "picked");
    EXPECT_EQ(Journal::get().last("UserSelectPlane")->result, "cancelled");
    EXPECT_TRUE(plane.isNull());

    AcDbObjectId ucs;
    EXPECT_TRUE(createCoordSys(ucs));
    AcArray<AcDbObjectId> ids;
    Vtl_StringArray names;
    getAllCoordSys(ids, names);
    ASSERT_EQ(names.length(), 1);
    EXPECT_EQ(names[0].str(), "UCS 1");
    EraseObject(ucs);
    getAllCoordSys(ids, names);
    EXPECT_EQ(names.length(), 0);
    EXPECT_EQ(Journal::get().last("EraseObject")->result, "erased");
    AcDbObjectId none;
    EXPECT_FALSE(selectCoordSys(none));  // nothing to select: no pick at all
}

TEST_F(DrawingSide, TheCatalogueMapsOffsetTypesAndMergesDiameters) {
    const Vtl_StringArray types = getOffsetTypeStrings(false);
    ASSERT_EQ(types.length(), 14);
    EXPECT_EQ(types[13].str(), mixedValueText().str());
    EXPECT_EQ(getDlgOffsetType(5, false), 5);
    EXPECT_EQ(getDlgOffsetType(5, true), 13);
    EXPECT_LT(getProfOffsetType(13), 0);
    EXPECT_EQ(getProfOffsetType(getDlgOffsetType(12, false)), 12);
    EXPECT_EQ(getBasePlaneStrings(false).length(), 4);

    Vtl_StringArray assemblies, diameters;
    GetAssemblies(assemblies);
    ASSERT_GE(assemblies.length(), 3);
    GetDiameters(assemblies[1], diameters);
    EXPECT_EQ(diameters[0].str(), "16");
    MacroData m = plateMacro("15");
    m.tabs[0].bolt.assembly = mixedValueText();
    AcArray<double> merged;
    GetMergedDiameters(m, "Plate", merged);
    ASSERT_GT(merged.length(), 0);  // the diameters every assembly has
    for (int i = 0; i < merged.length(); ++i) EXPECT_TRUE(merged[i] == 16 || merged[i] == 20 || merged[i] == 24 || merged[i] == 30);
}

}  // namespace
}  // namespace vtl::test
