// The section library's catalogue of groups and types: its file read back as written, new group ids,
// names in the current language, and the names of the library's tables, drawings and pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/fixture.h"
#include "vtlbase/sections/dlg_edit_lib_data.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;

class SectionCatalogueTest : public Fixture {};

TEST_F(SectionCatalogueTest, TheFileReadsBackAsWrittenAndNewGroupsGetUnusedIds) {
    fs::create_directories(libraryDir() / "prof");
    DlgEditLibData data;
    data.groups.appendGroup(3, true, "ProfSectionI-big.bmp", Vtl_StringArray{"Balken", "Beams", "Poutres", "Traeger"});
    EXPECT_EQ(data.groups.appendNewGrp(), 1);
    EXPECT_EQ(data.groups.getId(1), 4);
    data.groups.setEnabled(1, false);
    SectionType t;
    t.active = 0;
    t.groupId = 3;
    t.table = "HEA";
    t.names = Vtl_StringArray{"", "HEA beams", "", ""};
    data.types.append(t);
    ASSERT_TRUE(data.writeToFile());

    DlgEditLibData back;
    ASSERT_TRUE(back.readFromFile());
    ASSERT_EQ(back.groups.length(), 2);
    EXPECT_EQ(back.groups.getName(0).str(), "Beams");
    EXPECT_EQ(back.groups.getName(1).str(), "New group");
    EXPECT_FALSE(back.groups.getEnabled(1));
    EXPECT_EQ(back.groups.getImage(0).str(), "ProfSectionI-big.bmp");
    ASSERT_EQ(back.types.length(), 1);
    EXPECT_EQ(back.types[0].active, 0);
    EXPECT_EQ(back.types[0].groupId, 3);
    EXPECT_EQ(back.types[0].getName().str(), "HEA beams");
    // Out-of-range indices change and give nothing.
    back.groups.setEnabled(7, true);
    EXPECT_FALSE(back.groups.removeAt(-1));
    EXPECT_EQ(back.groups.getName(9).str(), "");
    // A missing file leaves the record as it was.
    fs::remove(libraryDir() / "prof" / "Sections.lib");
    EXPECT_FALSE(back.readFromFile());
    EXPECT_EQ(back.groups.length(), 2);
}

TEST_F(SectionCatalogueTest, AvailableFilesAreTheLibrarysTablesDrawingsAndPictures) {
    for (const char* f : {"prof/IPE.pr", "prof/HEA.pr", "prof/Sections.lib", "User Sections/Rail.dwg",
                          "User Sections/Rail.bmp", "icons/ProfSectionI-big.bmp", "icons/ProfSectionI-small.bmp"}) {
        fs::create_directories((libraryDir() / f).parent_path());
        std::ofstream(libraryDir() / f) << "x";
    }
    DlgEditLibData data;
    data.GetAvailableFiles();
    EXPECT_EQ(data.tableNames, (Vtl_StringArray{"HEA", "IPE"}));
    EXPECT_EQ(data.drawingNames, (Vtl_StringArray{"Rail.dwg"}));
    EXPECT_EQ(data.pictureNames, (Vtl_StringArray{"ProfSectionI-big.bmp"}));
}

}  // namespace
}  // namespace vtl::test
