// A model's levels: absolute levels through chains of references, deleting a level that others stand
// on, and the levels file.
#include <filesystem>
#include <fstream>

#include "support/fixture.h"
#include "vtlbase/levels/ks_levels_dlg_data.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;

struct Shown {
    std::string name, reference;
    double value1 = 0, value2 = 0;
};
Shown level(const KsLevelsDlgData& levels, int index) {
    Vtl_String name, reference;
    Shown s;
    EXPECT_TRUE(levels.getLevelData(index, name, reference, s.value1, s.value2)) << index;
    s.name = name.str();
    s.reference = reference.str();
    return s;
}

KsLevelsDlgData building() {
    KsLevelsDlgData levels;
    int i = -1;
    levels.addLevel("Ground floor", i);
    levels.addLevel("First floor", i);
    levels.updateLevel(i, Vtl_String("Ground floor"));
    levels.updateLevel(i, 4200.0);
    levels.addLevel("Roof", i);
    levels.updateLevel(i, Vtl_String("First floor"));
    levels.updateLevel(i, 3600.0);
    return levels;
}

class LevelsData : public Fixture {};

TEST_F(LevelsData, AbsoluteLevelsAddUpTheReferencesAndCirclesOrMissingLevelsEndAtTheOrigin) {
    KsLevelsDlgData levels = building();
    levels.updateLevel(0, 100.0);
    EXPECT_EQ(level(levels, 2).value2, 7900.0);
    EXPECT_EQ(level(levels, 2).reference, "First floor");
    // "wcs" and a name no level has stand for the origin; references name levels exactly.
    levels.updateLevel(1, Vtl_String("wcs"));
    EXPECT_EQ(level(levels, 2).value2, 7800.0);
    levels.updateLevel(1, Vtl_String("ground floor"));
    EXPECT_EQ(level(levels, 2).value2, 7800.0);
    // A circle ends where it closes instead of running for ever.
    levels.updateLevel(1, Vtl_String("Ground floor"));
    levels.updateLevel(0, Vtl_String("Roof"));
    EXPECT_EQ(level(levels, 2).value2, 3600.0 + 4200.0 + 100.0);
    Vtl_String name, reference;
    double v1 = -1, v2 = -1;
    EXPECT_FALSE(levels.getLevelData(3, name, reference, v1, v2));
    EXPECT_FALSE(levels.getLevelData(-1, name, reference, v1, v2));
    EXPECT_EQ(v1, -1);
    EXPECT_FALSE(levels.updateLevel(3, 1.0));
    EXPECT_FALSE(levels.deleteLevel(-1));
}

TEST_F(LevelsData, DeletingALevelKeepsTheAbsoluteLevelsOfThoseMeasuredFromIt) {
    KsLevelsDlgData levels = building();
    ASSERT_TRUE(levels.deleteLevel(1));  // First floor
    ASSERT_EQ(levels.count(), 2);
    const Shown roof = level(levels, 1);
    EXPECT_EQ(roof.name, "Roof");
    EXPECT_EQ(roof.reference, "Ground floor");
    EXPECT_EQ(roof.value1, 7800.0);
    EXPECT_EQ(roof.value2, 7800.0);
    Vtl_StringArray names;
    levels.getNames(names);
    EXPECT_EQ(names, (Vtl_StringArray{"Ground floor", "Roof"}));
}

TEST_F(LevelsData, TheLevelsFileRoundTripsAndADamagedOneChangesNothing) {
    KsLevelsDlgData levels = building();
    levels.updateLevel(0, -0.5);
    const Vtl_String path(libraryDir().string() + "\\Levels\\Model.lvl");
    fs::create_directories(libraryDir() / "Levels");
    ASSERT_TRUE(levels.writeToFile(path));
    std::ifstream in(libraryDir() / "Levels" / "Model.lvl", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "Ground floor\t\t-0.5\r\nFirst floor\tGround floor\t4200\r\nRoof\tFirst floor\t3600\r\n");
    KsLevelsDlgData back;
    ASSERT_TRUE(back.readFromFile(path));
    ASSERT_EQ(back.count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(level(back, i).name, level(levels, i).name);
        EXPECT_EQ(level(back, i).reference, level(levels, i).reference);
        EXPECT_EQ(level(back, i).value1, level(levels, i).value1);
    }
    for (const char* damaged : {"Roof\tGround floor\r\n", "Roof\t\tlow\r\n", "\t\t100\r\n"}) {
        std::ofstream(libraryDir() / "Levels" / "Model.lvl", std::ios::binary) << damaged;
        EXPECT_FALSE(back.readFromFile(path)) << damaged;
        EXPECT_EQ(back.count(), 3) << damaged;
    }
}

}  // namespace
}  // namespace vtl::test
