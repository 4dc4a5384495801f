// Section pictures by shape code, drawing and user section; user-section pictures derived by file time;
// the section combo with its extra last entry; the section picker answered by a script; picture buttons.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/dialog_helpers.h"
#include "common/section_pictures.h"
#include "gfx/bmp.h"
#include "gfx/image.h"
#include "module_test_support.h"
#include "vtlui/vtl_prof_values_table.h"
#include "vtlbase/sections/section_tables.h"
#include "vtlbase/sections/select_prof.h"
#include "win/combo_box.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using namespace vtl::ui;
using win::ctrl;

constexpr int kSectionHost = 9010;
constexpr int kCombo = 1250;
constexpr int kPicker = 1251;
constexpr int kPicture = 1159;

class SectionHost : public CDialog {
public:
    SectionHost() : CDialog(kSectionHost) {}
    CComboBox combo;
    CButtonST picture;
    Vtl_StringArray values;
    std::vector<bool> choices;  // what each click on the picker button answered

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        combo.SubclassDlgItem(kCombo, this);
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == kPicker && HIWORD(wParam) == BN_CLICKED) {
            choices.push_back(chooseOtherSection(&combo, values));
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
};

std::vector<std::string> comboItems(CComboBox& combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo.GetCount(); ++i) items.push_back(combo.GetLBText(i));
    return items;
}

class SectionPicturesTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        gSectionTables.reset();
    }
    void put(const fs::path& relative, const std::string& bytes) const {
        fs::create_directories((libraryDir() / relative).parent_path());
        std::ofstream(libraryDir() / relative, std::ios::binary) << bytes;
    }
    std::string bytesOf(const fs::path& relative) const {
        std::ifstream in(libraryDir() / relative, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void setTime(const fs::path& relative, int secondsAgo) const {
        fs::last_write_time(libraryDir() / relative, fs::file_time_type::clock::now() - std::chrono::seconds(secondsAgo));
    }
    // HEA: 100 active, 120 inactive, 140 active without a display name.
    void putHea() const {
        put("prof/HEA.pr",
            "1\r\nSysName\tI/O\tDutch\tEnglish\th\r\n100\t1\tHEA 100\tHEA 100\t96\r\n120\t0\tHEA 120\tHEA 120\t114\r\n"
            "140\t1\t\t\t133\r\n");
    }
};

TEST_F(SectionPicturesTest, PicturesAreNamedByShapeCodeOrDrawingAndFallBackToUnknown) {
    EXPECT_EQ(sectionShapeImageName(1), Vtl_String("ProfSectionI"));
    EXPECT_EQ(sectionShapeImageName(3), Vtl_String("ProfSectionHL"));
    EXPECT_EQ(sectionShapeImageName(10), Vtl_String("ProfSectionRectTube"));
    EXPECT_EQ(sectionShapeImageName(17), Vtl_String("ProfSectionCuttedI"));
    EXPECT_EQ(sectionShapeImageName(0), Vtl_String());
    EXPECT_EQ(sectionShapeImageName(18), Vtl_String());

    EXPECT_EQ(sectionImageFile("3", "", false), Vtl_String("Unknown-small.bmp"));
    put("icons/ProfSectionHL-small.bmp", "BM");
    put("icons/Sigma-big.bmp", "BM");
    EXPECT_EQ(sectionImageFile("3", "", false), Vtl_String("ProfSectionHL-small.bmp"));
    EXPECT_EQ(sectionImageFile("3", "", true), Vtl_String("Unknown-big.bmp"));
    EXPECT_EQ(sectionImageFile("Sigma.dwg", "", true), Vtl_String("Sigma-big.bmp"));
    EXPECT_EQ(sectionImageFile("Sigma.DWG", "", true), Vtl_String("Sigma-big.bmp"));
    EXPECT_EQ(sectionImageFile("Sigma.dwg", "", false), Vtl_String("Unknown-small.bmp"));
    EXPECT_EQ(sectionImageFile("not a code", "", false), Vtl_String("Unknown-small.bmp"));
    // A shape never derives a user-section picture, even when one of that name exists.
    put("User Sections/ProfSectionHL.bmp", "BM");
    EXPECT_EQ(sectionImageFile("3", "", true), Vtl_String("Unknown-big.bmp"));
    EXPECT_FALSE(fs::exists(libraryDir() / "icons" / "ProfSectionHL-automated.bmp"));
}

TEST_F(SectionPicturesTest, UserSectionPicturesAreDerivedFromTheirSourceWhenNewer) {
    put("icons/Unknown-small.bmp", "BM unknown");
    put("User Sections/Rail.bmp", "BM rail v1");
    EXPECT_EQ(sectionImageFile("", "User Sections\\Rail.dwg", false), Vtl_String("Rail-automated.bmp"));
    EXPECT_EQ(bytesOf("icons/Rail-automated.bmp"), "BM rail v1");
    // The big picture is never derived.
    EXPECT_EQ(sectionImageFile("", "User Sections\\Rail.dwg", true), Vtl_String("Unknown-big.bmp"));

    // A newer source replaces the derived picture; an older one does not.
    put("User Sections/Rail.bmp", "BM rail v2");
    setTime("icons/Rail-automated.bmp", 100);
    setTime("User Sections/Rail.bmp", 10);
    Vtl_String name;
    EXPECT_TRUE(refreshUserSectionImage("Rail", name));
    EXPECT_EQ(name, Vtl_String("Rail-automated.bmp"));
    EXPECT_EQ(bytesOf("icons/Rail-automated.bmp"), "BM rail v2");
    put("User Sections/Rail.bmp", "BM rail v3");
    setTime("User Sections/Rail.bmp", 500);
    EXPECT_TRUE(refreshUserSectionImage("Rail", name));
    EXPECT_EQ(bytesOf("icons/Rail-automated.bmp"), "BM rail v2");

    // No source: no picture. A name that would leave the folders writes nothing.
    EXPECT_FALSE(refreshUserSectionImage("Beam", name));
    EXPECT_EQ(name, Vtl_String("Beam-automated.bmp"));
    put("Escape.bmp", "BM");
    EXPECT_FALSE(refreshUserSectionImage("..\\Escape", name));
    EXPECT_FALSE(fs::exists(libraryDir() / "Escape-automated.bmp"));
}

TEST_F(SectionPicturesTest, AUserSectionWhosePictureCannotBeCopiedShowsUnknown) {
    // No "icons" folder: the copy fails, so no missing picture is named.
    put("User Sections/Rail.bmp", "BM rail");
    Vtl_String name;
    EXPECT_FALSE(refreshUserSectionImage("Rail", name));
    EXPECT_EQ(sectionImageFile("", "User Sections\\Rail.dwg", false), Vtl_String("Unknown-small.bmp"));
    EXPECT_FALSE(fs::exists(libraryDir() / "icons"));
}

TEST_F(SectionPicturesTest, TheComboListsActiveSizesWithAnExtraLastEntryThatIsNoValue) {
    putHea();
    EXPECT_EQ(sectionUserName("HEA-100"), Vtl_String("HEA 100"));
    EXPECT_EQ(sectionUserName("HEA-140"), Vtl_String("HEA-140"));  // no display name
    EXPECT_EQ(sectionUserName("HEA-999"), Vtl_String("HEA-999"));
    EXPECT_EQ(sectionUserName("XYZ-1"), Vtl_String("XYZ-1"));

    Vtl_StringArray display;
    Vtl_StringArray values = sectionSizesOfType("HEA-120", display);
    EXPECT_EQ(values, Vtl_StringArray({"HEA-100", "HEA-140"}));
    EXPECT_EQ(display, Vtl_StringArray({"HEA 100", "HEA-140", "*varies*"}));

    SectionHost dlg;
    win::Script s;
    s.waitFor(win::dialogWithTemplate(kSectionHost))
        .check([&] {
            Vtl_StringArray v;
            fillSectionCombo(&dlg.combo, v, "HEA-140");
            EXPECT_EQ(comboItems(dlg.combo), (std::vector<std::string>{"HEA 100", "HEA-140", "*varies*"}));
            EXPECT_EQ(dlg.combo.GetCurSel(), 1);
            Vtl_String value;
            ASSERT_TRUE(selectedSectionValue(&dlg.combo, v, value));
            EXPECT_EQ(value, Vtl_String("HEA-140"));
            dlg.combo.SetCurSel(2);
            EXPECT_FALSE(selectedSectionValue(&dlg.combo, v, value));
            EXPECT_EQ(value, Vtl_String("HEA-140"));

            // An inactive current section is not listed: the selection stays as it was.
            fillSectionCombo(&dlg.combo, v, "HEA-120");
            EXPECT_EQ(dlg.combo.GetCurSel(), -1);

            // A type without a table: only the extra entry, never a value.
            fillSectionCombo(&dlg.combo, v, "IPE-200");
            EXPECT_EQ(v.length(), 0);
            EXPECT_EQ(comboItems(dlg.combo), (std::vector<std::string>{"*varies*"}));
            dlg.combo.SetCurSel(0);
            EXPECT_FALSE(selectedSectionValue(&dlg.combo, v, value));

            // A user section is its one path.
            fillSectionCombo(&dlg.combo, v, "User Sections\\Rail A45.dwg");
            EXPECT_EQ(v, Vtl_StringArray({"User Sections\\Rail A45.dwg"}));
            EXPECT_EQ(comboItems(dlg.combo), (std::vector<std::string>{"Rail A45", "*varies*"}));
            ASSERT_TRUE(selectedSectionValue(&dlg.combo, v, value));
            EXPECT_EQ(value, Vtl_String("User Sections\\Rail A45.dwg"));
            EXPECT_FALSE(selectedSectionValue(nullptr, v, value));
        })
        .close();
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(SectionPicturesTest, ChoosingAnotherSectionRefillsTheComboOnlyWhenConfirmed) {
    putHea();
    put("prof/L.pr", "2\r\nSysName\tI/O\tEnglish\r\n50x50x5\t1\tL 50x50x5\r\n");
    put("User Sections/Rail A45.dwg", "x");
    SectionHost dlg;
    win::Script s;
    s.waitFor(win::dialogWithTemplate(kSectionHost))
        .check([&] { fillSectionCombo(&dlg.combo, dlg.values, "L-50x50x5"); })
        .click(ctrl(kPicker))
        .waitFor(win::dialogWithTemplate(base::kSelectProfTemplate))
        .select(ctrl(base::kSelectProfGroupId), "Beams and columns")
        .select(ctrl(base::kSelectProfSizeId), "HEA-140")
        .click(ctrl(IDOK))
        .waitFor(win::dialogWithTemplate(kSectionHost))
        .check([&] {
            EXPECT_EQ(dlg.choices, std::vector<bool>{true});
            EXPECT_EQ(dlg.values, Vtl_StringArray({"HEA-100", "HEA-140"}));
            EXPECT_EQ(dlg.combo.GetCurSel(), 1);
        })
        .click(ctrl(kPicker))
        .waitFor(win::dialogWithTemplate(base::kSelectProfTemplate))
        .select(ctrl(base::kSelectProfGroupId), "Angles")
        .click(ctrl(IDCANCEL))
        .waitFor(win::dialogWithTemplate(kSectionHost))
        .check([&] {
            EXPECT_EQ(dlg.choices, (std::vector<bool>{true, false}));
            EXPECT_EQ(dlg.values, Vtl_StringArray({"HEA-100", "HEA-140"}));
        })
        .click(ctrl(kPicker))
        .waitFor(win::dialogWithTemplate(base::kSelectProfTemplate))
        .select(ctrl(base::kSelectProfGroupId), "User sections")
        .select(ctrl(base::kSelectProfSizeId), "Rail A45")
        .click(ctrl(IDOK))
        .waitFor(win::dialogWithTemplate(kSectionHost))
        .check([&] {
            EXPECT_EQ(dlg.choices, (std::vector<bool>{true, false, true}));
            // The library folder is taken off the chosen drawing's path.
            EXPECT_EQ(dlg.values, Vtl_StringArray({"User Sections\\Rail A45.dwg"}));
            EXPECT_EQ(dlg.combo.GetCurSel(), 0);
        })
        .close();
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(SectionPicturesTest, PictureButtonsAreDisabledColouredAndBorderless) {
    put("icons/ProfSectionI-big.bmp", "");
    // A real picture for the button to load.
    {
        gfx::Image image(4, 4);
        gfx::writeBmpFile((libraryDir() / "icons" / "ProfSectionI-big.bmp").string(), image, 24);
    }
    SectionHost dlg;
    win::Script s;
    s.waitFor(win::dialogWithTemplate(kSectionHost))
        .check([&] {
            setupPictureButton(nullptr, &dlg.picture, kPicture, "ProfSectionI-big.bmp", true, true, true);
            EXPECT_EQ(dlg.picture.m_hWnd, HWND());
            setupPictureButton(&dlg, &dlg.picture, kPicture, "ProfSectionI-big.bmp", true, true, true);
            EXPECT_NE(dlg.picture.m_hWnd, HWND());
            EXPECT_TRUE(dlg.picture.HasPicture());
            EXPECT_EQ(dlg.picture.TransparentColour(), RGB(255, 255, 255));
            EXPECT_TRUE(dlg.picture.DrawsColoredWhenDisabled());
            EXPECT_FALSE(dlg.picture.HasBorder());
            EXPECT_FALSE(dlg.picture.IsWindowEnabled());
            setButtonPicture(&dlg.picture, gSettings.libDir() + "icons\\ProfSectionI-big.bmp", false);
            EXPECT_TRUE(dlg.picture.HasPicture());
            EXPECT_EQ(dlg.picture.TransparentColour(), RGB(192, 192, 192));
            setButtonPicture(&dlg.picture, "Missing.bmp", true);
            EXPECT_FALSE(dlg.picture.HasPicture());
        })
        .close();
    run(s, [&] { dlg.DoModal(); });
}

// The bundled library: every table reads with the standard columns and unique, mostly active sizes, and
// every shape it uses has both pictures (only reading: nothing is derived into the sample folder).
TEST_F(SectionPicturesTest, TheBundledLibraryHasTablesAndPicturesForItsSections) {
    gSettings.setLibDir(Vtl_String(VTL_SAMPLE_LIBRARY));
    Vtl_StringArray types;
    gSectionTables.getTypeNames(types);
    for (const char* expected : {"HEA", "HEB", "HEM", "IPE", "UPN", "UPE", "L", "LU", "RHS", "SHS", "CHS", "FL"})
        EXPECT_TRUE(types.contains(expected)) << expected;
    for (const Vtl_String& type : types) {
        Vtl_ProfValuesTable t;
        ASSERT_TRUE(t.readFromFile(type + ".pr")) << type.str();
        EXPECT_EQ(t.typeName, type);
        ASSERT_GE(t.columnNames.length(), 8) << type.str();
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(t.columnNames[c], Vtl_StringArray({"SysName", "I/O", "Dutch", "English", "French", "German"})[c]);
        Vtl_StringArray all, active;
        t.getSysNames(all);
        t.getFilteredSysNames(active);
        EXPECT_GT(active.length(), all.length() / 2) << type.str();
        EXPECT_FALSE(hasDuplicates(all)) << type.str();
        for (const Vtl_StringArray& row : t.rows) EXPECT_EQ(row.length(), t.columnNames.length()) << type.str();
        EXPECT_NE(sectionImageFile(t.shape, "", true), Vtl_String("Unknown-big.bmp")) << type.str();
    }
    EXPECT_EQ(sectionUserName("HEA-200"), Vtl_String("HEA 200"));
    for (int code = 1; code <= 17; ++code) {
        EXPECT_EQ(sectionImageFile(Vtl_String(code), "", true), sectionShapeImageName(code) + "-big.bmp");
        EXPECT_EQ(sectionImageFile(Vtl_String(code), "", false), sectionShapeImageName(code) + "-small.bmp");
    }
    EXPECT_TRUE(fileExists(gSettings.libDir() + "icons\\Unknown-big.bmp"));
    EXPECT_TRUE(fileExists(gSettings.libDir() + "icons\\Unknown-small.bmp"));
    EXPECT_TRUE(fileExists(gSettings.libDir() + "User Sections\\CraneRail A45.bmp"));
}

}  // namespace
}  // namespace vtl::test
