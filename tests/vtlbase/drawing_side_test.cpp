// The drawing side: updates reach the macro instances and come back normalised, two macros edited
// together keep their own values where the record is mixed, every request is journalled, picks are
// answered by clicks in the drawing or cancelled, and the catalogue's lists map both ways.
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
