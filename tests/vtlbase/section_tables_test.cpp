// The library's section tables (user names by system name in the current language, sizes and shapes,
// tables read again when their files change) and the section selector answered by scripts.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "support/fixture.h"
#include "vtlbase/macro_langs.h"
#include "vtlbase/sections/section_tables.h"
#include "vtlbase/sections/select_prof.h"
#include "vtlbase/settings.h"
#include "win/api.h"
#include "win/dialog.h"
#include "win/keys.h"
#include "win/list_box.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using win::ctrl;
using win::Script;

class SectionTablesTest : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        gSectionTables.reset();
    }
    void TearDown() override {
        gSectionTables.reset();
        Fixture::TearDown();
    }
    void put(const fs::path& relative, const std::string& bytes) const {
        fs::create_directories((libraryDir() / relative).parent_path());
        std::ofstream(libraryDir() / relative, std::ios::binary) << bytes;
    }
    void putLibrary() const {
        put("prof/HEA.pr",
            "1\r\nSysName\tI/O\tDutch\tEnglish\th\r\n100\t1\tHEA 100 nl\tHEA 100\t96\r\n120\t0\tHEA 120\tHEA 120\t114\r\n"
            "140\t1\t\t\t133\r\n");
        put("prof/IPE.pr", "1\r\nSysName\tI/O\tEnglish\r\n80\t1\tIPE 80\r\n");
        put("prof/L.pr", "2\r\nSysName\tI/O\tEnglish\r\n50x50x5\t1\tL 50x50x5\r\n");
        put("prof/SIGMA.pr", "Sigma.dwg\r\nSysName\tI/O\tEnglish\r\n200x2\t1\tSigma 200x2\r\n");
        put("User Sections/Rail.dwg", "x");
        put("User Sections/Rail.bmp", "x");
    }
    static std::vector<std::string> listItems(HWND dialog, int id) {
        std::vector<std::string> items;
        const LRESULT n = SendDlgItemMessage(dialog, id, id == kSelectGroup ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            std::string item;
            SendDlgItemMessage(dialog, id, id == kSelectGroup ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i),
                               reinterpret_cast<LPARAM>(&item));
            items.push_back(item);
        }
        return items;
    }
    static int selectionOf(HWND dialog, int id) {
        return static_cast<int>(SendDlgItemMessage(dialog, id, id == kSelectGroup ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
    }
    static constexpr int kSelectGroup = base::kSelectProfGroupId;
};

TEST_F(SectionTablesTest, UserNamesFollowTheLanguageAndTheFile) {
    putLibrary();
    Vtl_String name;
    ASSERT_TRUE(gSectionTables.getUserName("HEA-100", name));
    EXPECT_EQ(name, Vtl_String("HEA 100"));
    ASSERT_TRUE(gMacroLangs.SetCurLanguage("Dutch"));
    ASSERT_TRUE(gSectionTables.getUserName("HEA-100", name));
    EXPECT_EQ(name, Vtl_String("HEA 100 nl"));
    ASSERT_TRUE(gSectionTables.getUserName("HEA-120", name));
    EXPECT_EQ(name, Vtl_String("HEA 120"));
    ASSERT_TRUE(gSectionTables.getUserName("IPE-80", name));  // no Dutch column: English
    EXPECT_EQ(name, Vtl_String("IPE 80"));
    name = "unchanged";
    EXPECT_FALSE(gSectionTables.getUserName("HEA-140", name));  // no display name at all
    EXPECT_FALSE(gSectionTables.getUserName("HEA-999", name));
    EXPECT_FALSE(gSectionTables.getUserName("HEM-100", name));
    EXPECT_FALSE(gSectionTables.getUserName("HEA", name));
    EXPECT_FALSE(gSectionTables.getUserName("..\\prof\\HEA-100", name));
    EXPECT_EQ(name, Vtl_String("unchanged"));

    // A table written again is read again.
    put("prof/HEA.pr", "1\r\nSysName\tI/O\tDutch\r\n100\t1\tHE 100 A\r\n");
    fs::last_write_time(libraryDir() / "prof" / "HEA.pr", fs::file_time_type::clock::now() + std::chrono::seconds(5));
    ASSERT_TRUE(gSectionTables.getUserName("HEA-100", name));
    EXPECT_EQ(name, Vtl_String("HE 100 A"));
    // A table removed is gone.
    fs::remove(libraryDir() / "prof" / "HEA.pr");
    EXPECT_FALSE(gSectionTables.getUserName("HEA-100", name));
}

TEST_F(SectionTablesTest, TypesShapesAndSizesOfTheLibrary) {
    putLibrary();
    put("prof/HEA10.pr", "1\r\n");
    put("prof/HEA9.pr", "1\r\n");
    Vtl_StringArray types;
    gSectionTables.getTypeNames(types);
    EXPECT_EQ(types, Vtl_StringArray({"HEA", "HEA9", "HEA10", "IPE", "L", "SIGMA"}));
    Vtl_String type, shape;
    ASSERT_TRUE(gSectionTables.findTable("SIGMA-200x2", type, shape));
    EXPECT_EQ(type, Vtl_String("SIGMA"));
    EXPECT_EQ(shape, Vtl_String("Sigma.dwg"));
    EXPECT_FALSE(gSectionTables.findTable("HEM-100", type, shape));
    ASSERT_TRUE(gSectionTables.getShape("HEA9", shape));
    EXPECT_EQ(shape, Vtl_String("1"));

    Vtl_StringArray sysNames, userNames;
    ASSERT_TRUE(gSectionTables.getSizes("HEA", true, sysNames, userNames));
    EXPECT_EQ(sysNames, Vtl_StringArray({"HEA-100", "HEA-140"}));
    EXPECT_EQ(userNames, Vtl_StringArray({"HEA 100", "HEA-140"}));
    ASSERT_TRUE(gSectionTables.getSizes("HEA", false, sysNames, userNames));
    EXPECT_EQ(sysNames.length(), 3);
    ASSERT_TRUE(gSectionTables.getSizes("HEA9", false, sysNames, userNames));
    EXPECT_EQ(sysNames.length(), 0);
    EXPECT_FALSE(gSectionTables.getSizes("HEM", false, sysNames, userNames));
    EXPECT_EQ(base::sectionTypeOf("L-50x50x5"), Vtl_String("L"));
    EXPECT_EQ(base::sectionTypeOf("RHS"), Vtl_String("RHS"));
}

TEST_F(SectionTablesTest, TheSelectorStartsOnTheInitialSectionAndNeedsASizeToConfirm) {
    putLibrary();
    DlgSelectProfData data;
    data.initialName = "HEA-140";
    bool confirmed = false;
    Script s;
    s.waitFor(win::dialogWithTemplate(base::kSelectProfTemplate))
        .check([] {
            const HWND d = GetActiveWindow();
            EXPECT_EQ(listItems(d, kSelectGroup),
                      (std::vector<std::string>{"Beams and columns", "Angles", "Other sections", "User sections"}));
            EXPECT_EQ(selectionOf(d, kSelectGroup), 0);
            EXPECT_EQ(listItems(d, base::kSelectProfTypeId), (std::vector<std::string>{"HEA", "IPE"}));
            EXPECT_EQ(selectionOf(d, base::kSelectProfTypeId), 0);
            EXPECT_EQ(listItems(d, base::kSelectProfSizeId), (std::vector<std::string>{"HEA 100", "HEA-140"}));
            EXPECT_EQ(selectionOf(d, base::kSelectProfSizeId), 1);
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDOK)));
        })
        .select(ctrl(base::kSelectProfTypeId), "IPE")
        .check([] {
            const HWND d = GetActiveWindow();
            EXPECT_EQ(selectionOf(d, base::kSelectProfSizeId), -1);
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDOK)));
        })
        .key(VK_RETURN)  // no size: stays open
        .check([] { EXPECT_EQ(selectionOf(GetActiveWindow(), base::kSelectProfTypeId), 1); })
        .doubleClick(win::located("the first size", [] {
            const HWND list = GetDlgItem(GetActiveWindow(), base::kSelectProfSizeId);
            RECT r;
            GetWindowRect(list, &r);
            return std::optional<POINT>(POINT{r.left + 20, r.top + 8});
        }));
    run(s, [&] { confirmed = DlgSelectProf(data, true); });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(data.profName, Vtl_String("IPE-80"));
}

TEST_F(SectionTablesTest, TheSelectorOffersUserSectionsOnlyWhenAskedAndCancelChangesNothing) {
    putLibrary();
    DlgSelectProfData data;
    data.initialName = gSettings.libDir() + "User Sections\\Rail.dwg";
    data.profName = "before";
    Script user;
    user.waitFor(win::dialogWithTemplate(base::kSelectProfTemplate))
        .check([] {
            const HWND d = GetActiveWindow();
            EXPECT_EQ(selectionOf(d, kSelectGroup), 3);
            EXPECT_EQ(listItems(d, base::kSelectProfSizeId), (std::vector<std::string>{"Rail"}));
        })
        .select(ctrl(base::kSelectProfSizeId), "Rail")
        .click(ctrl(IDOK));
    bool confirmed = false;
    run(user, [&] { confirmed = DlgSelectProf(data, true); });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(data.profName, gSettings.libDir() + "User Sections\\Rail.dwg");

    data.profName = "before";
    Script without;
    without.waitFor(win::dialogWithTemplate(base::kSelectProfTemplate))
        .check([] {
            const HWND d = GetActiveWindow();
            EXPECT_EQ(listItems(d, kSelectGroup), (std::vector<std::string>{"Beams and columns", "Angles", "Other sections"}));
            EXPECT_EQ(selectionOf(d, kSelectGroup), 0);
        })
        .select(ctrl(base::kSelectProfSizeId), "HEA 100")
        .click(ctrl(IDCANCEL));
    run(without, [&] { confirmed = DlgSelectProf(data, false); });
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(data.profName, Vtl_String("before"));
}

}  // namespace
}  // namespace vtl::test
