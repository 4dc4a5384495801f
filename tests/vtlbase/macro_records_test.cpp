// Macro records: differences of every kind, merged profile groups with differing members, property lists
// with skipped entries, macro files good and bad, and value copies.
#include <cmath>
#include <filesystem>
#include <fstream>

#include "support/fixture.h"
#include "vtlbase/macro/macro_data.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlbase/settings.h"

namespace vtl::test {
namespace {

MacroCell cell(const char* name, const char* value, int type = MacroCell::number, bool readOnly = false) {
    MacroCell c;
    c.name = name;
    c.label = name;
    c.value = value;
    c.valueType = type;
    c.readOnly = readOnly;
    return c;
}

MacroProfData profile(const char* group, const char* section, int offsetType, double x, const char* rotation) {
    MacroProfData p;
    p.groupName = group;
    p.sectionName = section;
    p.offsetType = offsetType;
    p.offsetX = x;
    p.rotation = rotation;
    return p;
}

MacroData sampleMacro() {
    MacroData m;
    m.macroType = "EndPlate";
    m.caption = "End plate";
    MacroTabData plate;
    plate.kind = 0;
    plate.moduleName = "Plate";
    plate.cells.append(cell("tp", "15.00"));
    plate.cells.append(cell("grade", "S355", MacroCell::list));
    plate.cells.append(cell("weight", "12.40", MacroCell::number, true));
    MacroPatternProps rows;
    rows.name = "rows";
    rows.countText = "3";
    plate.patterns.append(rows);
    plate.profiles.append(profile("Beam", "IPE 300", 3, 0, "0"));
    plate.profiles.append(profile("Beam", "IPE 300", 3, 0, "0"));
    MacroCutData cut;
    cut.name = "notch";
    plate.cuts.append(cut);
    MacroFlexFixGroup g;
    g.name = "edge";
    g.buttons.append("e1");
    g.flexible.append(false);
    plate.flexFixGroups.append(g);
    DynArrayData array;
    array.name = "stiffeners";
    array.values[0] = "2";
    plate.arrays.append(array);
    m.tabs.append(plate);
    MacroTabData bolts;
    bolts.kind = 1;
    bolts.moduleName = "Bolts";
    bolts.bolt.assembly = "Hexagon bolt 8.8";
    bolts.bolt.diameter = "20";
    m.tabs.append(bolts);
    return m;
}

class MacroRecords : public Fixture {};

TEST_F(MacroRecords, DifferencesNameEveryKindOfChangeButNeverAReference) {
    const MacroTabData old = sampleMacro().tabs[0];
    Vtl_StringArray names;
    AcArray<int> c1, c2;
    auto diff = [&](const MacroTabData& now) {
        old.differences(now, names, c1, c2);
        std::string out;
        for (int i = 0; i < c1.length(); ++i) out += std::to_string(c1[i]) + " ";
        out += "|";
        for (int i = 0; i < c2.length(); ++i) out += " " + std::to_string(c2[i]);
        return out;
    };
    MacroTabData now = old;
    now.cells[0].reference = 33005;
    now.patterns[0].countReference = -2;
    now.profiles[0].sectionReference = 33007;
    EXPECT_EQ(diff(now), "|");  // references are no values
    now.cells[1].value = "S235";
    EXPECT_EQ(diff(now), "1 |");
    EXPECT_EQ(names[0].str(), "grade");
    now.patterns[0].countText = "4";
    EXPECT_EQ(diff(now), "1 -1 | 0");
    now = old;
    now.bolt.holeTolerance = "2";
    now.profiles[1].rotation = "90";
    now.arrays[0].values[1] = "150";
    now.cuts[0].number = 2;
    now.currentImage = "Haunch";
    now.flexFixGroups[0].flexible[0] = true;
    MacroProfSegmentedData seg;
    now.segmentedProfiles.append(seg);
    EXPECT_EQ(diff(now), "-2 -3 -4 -5 -6 -7 -8 |");
    // Cells added or removed count as changed.
    now = old;
    now.cells.append(cell("extra", "1"));
    EXPECT_EQ(diff(now), "3 |");

    // Per tab for the whole macro.
    MacroData before = sampleMacro(), after = before;
    after.tabs[1].bolt.diameter = "24";
    Vtl_Array<AcArray<int>> t1, t2;
    after.differences(before, t1, t2);
    ASSERT_EQ(t1.length(), 2);
    EXPECT_TRUE(t1[0].isEmpty());
    ASSERT_EQ(t1[1].length(), 1);
    EXPECT_EQ(t1[1][0], MacroChange::bolt);
}

TEST_F(MacroRecords, MergedGroupsShowDifferencesAsMixedAndKeepEachMembersOwnOnWrite) {
    MacroTabData tab = sampleMacro().tabs[0];
    tab.profiles[1].sectionName = "IPE 330";
    tab.profiles[1].offsetType = 5;
    tab.profiles[1].offsetX = 12.5;
    tab.profiles.append(profile("Column", "HEB 240", 3, 0, "90"));
    MacroProfData merged;
    ASSERT_TRUE(tab.getMergedPropsOfGroup("Beam", merged));
    EXPECT_EQ(merged.sectionName.str(), mixedValueText().str());
    EXPECT_TRUE(merged.offsetTypeMixed);
    EXPECT_TRUE(std::isnan(merged.offsetX));
    EXPECT_EQ(merged.rotation.str(), "0");  // shared
    EXPECT_FALSE(tab.getMergedPropsOfGroup("Brace", merged));

    // Writing back: a changed shared field goes to both, the mixed ones leave each member's own.
    merged.rotation = "180";
    EXPECT_TRUE(tab.setMergedPropsOfGroup("Beam", merged));
    EXPECT_EQ(tab.profiles[0].sectionName.str(), "IPE 300");
    EXPECT_EQ(tab.profiles[1].sectionName.str(), "IPE 330");
    EXPECT_EQ(tab.profiles[1].offsetType, 5);
    EXPECT_EQ(tab.profiles[1].offsetX, 12.5);
    EXPECT_EQ(tab.profiles[0].rotation.str(), "180");
    EXPECT_EQ(tab.profiles[1].rotation.str(), "180");
    EXPECT_EQ(tab.profiles[2].rotation.str(), "90");  // another group
    Vtl_StringArray groups;
    tab.getProfGroups(groups);
    EXPECT_EQ(groups.length(), 2);
}

TEST_F(MacroRecords, PropertyListsRoundTripAndCountWhatTheyCannotApply) {
    gSettings.setLibDir(Vtl_String(libraryDir().string()));
    MacroData m = sampleMacro();
    const Vtl_String path = Vtl_String((libraryDir() / "Property Lists" / "Heavy.prl").string());
    std::filesystem::create_directories(libraryDir() / "Property Lists");
    m.tabs[0].cells[0].value = "20.00";
    m.tabs[1].bolt.diameter = "24";
    ASSERT_TRUE(m.writeToFile(path));

    MacroData loaded = sampleMacro();
    int skipped = -1;
    ASSERT_TRUE(loaded.readFromFile(path, skipped));
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(loaded.tabs[0].cells[0].value.str(), "20.00");
    EXPECT_EQ(loaded.tabs[1].bolt.diameter.str(), "24");
    EXPECT_EQ(loaded.tabs[0].cells[2].value.str(), "12.40");  // read-only: never written

    // Entries for a module, cell or part this macro lacks, and a read-only cell, are skipped and counted.
    {
        std::ofstream out(path.str(), std::ios::app);
        out << "Plate|cell|missing=1\r\nGhost|cell|tp=3\r\nPlate|cell|weight=99\r\nPlate|nonsense=1\r\n";
    }
    loaded = sampleMacro();
    ASSERT_TRUE(loaded.readFromFile(path, skipped));
    EXPECT_EQ(skipped, 4);
    EXPECT_EQ(loaded.tabs[0].cells[0].value.str(), "20.00");  // the rest applied
    EXPECT_EQ(loaded.tabs[0].cells[2].value.str(), "12.40");

    // A list for another kind of macro, or no file, changes nothing.
    MacroData other = sampleMacro();
    other.macroType = "BasePlate";
    EXPECT_FALSE(other.readFromFile(path, skipped));
    EXPECT_EQ(other.tabs[0].cells[0].value.str(), "15.00");
    EXPECT_FALSE(other.readFromFile(path + Vtl_String("x"), skipped));

    Vtl_String folder, extension;
    Vtl_StringArray all, mine;
    other.writeToFile(Vtl_String((libraryDir() / "Property Lists" / "Base.prl").string()));
    m.getPropFiles(folder, extension, all, mine);
    EXPECT_EQ(extension.str(), ".prl");
    EXPECT_EQ(all.length(), 2);
    ASSERT_EQ(mine.length(), 1);
    EXPECT_EQ(mine[0].str(), "Heavy");
    EXPECT_TRUE(m.propListAllowed("Plate"));
    EXPECT_FALSE(m.propListAllowed("Ghost"));
}

TEST_F(MacroRecords, MacroFilesRoundTripAndBadOnesLeaveTheRecordAlone) {
    MacroData m = sampleMacro();
    m.tabs[0].bolt.holeColumnsUsed.append(true);
    m.tabs[0].bolt.holeColumnTexts.append("Column 1");
    m.tabs[0].cells[1].items = Vtl_StringArray{"S235", "S355"};
    MacroData back;
    std::string error;
    ASSERT_TRUE(macroFromJson(macroToJson(m), back, error)) << error;
    EXPECT_EQ(back, m);

    const MacroData untouched = back;
    for (const char* bad : {"not json", "{\"format\":\"other\"}", "{\"format\":\"vtl-macro\",\"version\":7}",
                            "{\"format\":\"vtl-macro\",\"version\":1,\"tabs\":[{\"cells\":[{\"valueType\":\"x\"}]}]}",
                            "{\"format\":\"vtl-macro\",\"version\":1,\"tabs\":[{\"cells\":[{\"valueType\":9}]}]}",
                            "{\"format\":\"vtl-macro\",\"version\":1,\"tabs\":[{\"bolt\":{\"holeColumnsUsed\":[true]}}]}",
                            // Whole numbers an int cannot hold fail the read rather than wrap or overflow.
                            "{\"format\":\"vtl-macro\",\"version\":1,\"macroCount\":1e300}",
                            "{\"format\":\"vtl-macro\",\"version\":1,\"groupIndex\":-9223372036854775808}",
                            "{\"format\":\"vtl-macro\",\"version\":1,\"tabs\":[{\"kind\":4294967297}]}",
                            "{\"format\":\"vtl-macro\",\"version\":1,\"tabs\":[{\"cuts\":[{\"number\":18446744073709551615}]}]}",
                            "{\"format\":\"vtl-macro\",\"version\":1,\"currentFilter1\":1.5}"}) {
        error.clear();
        EXPECT_FALSE(macroFromJson(bad, back, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
        EXPECT_EQ(back, untouched) << bad;
    }
    EXPECT_FALSE(readMacroFile(Vtl_String((libraryDir() / "none.macro").string()), back, error));
}

TEST_F(MacroRecords, CopiesAreDeepAndCountsComeFromWholeNumbersOnly) {
    MacroData a = sampleMacro();
    a.busy = true;
    MacroData b = a;
    b.tabs[0].cells[0].value = "99";
    EXPECT_EQ(a.tabs[0].cells[0].value.str(), "15.00");
    EXPECT_TRUE(b.busy);
    int count = 0;
    MacroPatternProps p;
    EXPECT_TRUE(p.getCount(" 4 ", count));
    EXPECT_EQ(count, 4);
    EXPECT_FALSE(p.getCount("n+1", count));
    EXPECT_EQ(count, -1);
    EXPECT_FALSE(p.getCount(mixedValueText(), count));
    EXPECT_FALSE(p.getCount("-2", count));
    MacroTabData tab = a.tabs[0];
    EXPECT_TRUE(tab.flexFixBtnClicked("edge", "e1", true));
    EXPECT_FALSE(tab.flexFixBtnClicked("edge", "e1", true));  // no change
    EXPECT_FALSE(tab.flexFixBtnClicked("edge", "zz", true));
    tab.cells[0].reference = 33001;
    tab.arrays[0].valueReferences[2] = -4;
    tab.removeAllDlgReferences();
    EXPECT_EQ(tab.cells[0].reference + tab.arrays[0].valueReferences[2], 0);
}

}  // namespace
}  // namespace vtl::test
