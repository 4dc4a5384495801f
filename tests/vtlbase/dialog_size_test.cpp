// Dialog sizes and flags: restored by name, position only with flag 1, clamped to the screen, kept in the
// user's settings file (written whole, readable by a later process) and robust against a damaged file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/fixture.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/testing.h"
#include "win/api.h"
#include "win/window_tree.h"
#include "win/wnd.h"

namespace {

class DialogSize : public vtl::test::Fixture {
protected:
    void TearDown() override {
        for (auto* w : {&a_, &b_}) {
            if (w->GetSafeHwnd() && IsWindow(w->GetSafeHwnd())) w->DestroyWindow();
        }
        Fixture::TearDown();
    }
    CWnd& open(CWnd& w, int x, int y, int width, int height) {
        EXPECT_TRUE(w.CreateEx(0, "VtlFrame", "dialog", WS_POPUP | WS_VISIBLE, CRect(x, y, x + width, y + height),
                               nullptr, 0));
        return w;
    }
    static RECT rectOf(CWnd& w) {
        RECT r{};
        GetWindowRect(w.GetSafeHwnd(), &r);
        return r;
    }
    static std::string settingsFileText() {
        std::ifstream in(vtl::base::dialogSettingsFile());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    CWnd a_;
    CWnd b_;
};

TEST_F(DialogSize, RestoresSizeAndPositionByName) {
    CWnd& first = open(a_, 40, 50, 300, 200);
    int w = 50;
    int h = 50;
    ASSERT_TRUE(getDlgSize(&first, w, h, 1));
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 200);
    EXPECT_FALSE(hasDlgSize("DLG_SS_STRINGARRAY"));
    first.MoveWindow(100, 120, 420, 260);
    ASSERT_TRUE(WriteDlgSize(&first, "DLG_SS_STRINGARRAY"));
    EXPECT_TRUE(hasDlgSize("DLG_SS_STRINGARRAY"));
    first.DestroyWindow();

    CWnd& again = open(b_, 10, 10, 300, 200);
    EXPECT_FALSE(ChangeDlgSize(&again, "DLG_OTHER", 0));  // nothing stored: unchanged
    EXPECT_EQ(rectOf(again), (RECT{10, 10, 310, 210}));
    ASSERT_TRUE(ChangeDlgSize(&again, "DLG_SS_STRINGARRAY", 0));
    EXPECT_EQ(rectOf(again), (RECT{100, 120, 520, 380}));

    again.MoveWindow(0, 0, 300, 200);
    ASSERT_TRUE(ChangeDlgSize(&again, "DLG_SS_STRINGARRAY", 1));  // position only
    EXPECT_EQ(rectOf(again), (RECT{100, 120, 400, 320}));

    EXPECT_FALSE(getDlgSize(nullptr, w, h));
    EXPECT_FALSE(WriteDlgSize(&again, ""));
}

TEST_F(DialogSize, ARestoredRectangleIsBroughtOntoTheScreen) {
    const SIZE screen = vtl::win::screenSize();
    CWnd& w = open(a_, 0, 0, 200, 100);
    w.MoveWindow(screen.cx - 50, screen.cy + 400, 200, 100);  // mostly off the screen
    ASSERT_TRUE(WriteDlgSize(&w, "DLG_FINDREPLACE"));
    w.MoveWindow(-500, -500, screen.cx + 300, 100);
    ASSERT_TRUE(WriteDlgSize(&w, "DLG_WIDE"));

    w.MoveWindow(0, 0, 200, 100);
    ASSERT_TRUE(ChangeDlgSize(&w, "DLG_FINDREPLACE", 1));
    EXPECT_EQ(rectOf(w), (RECT{screen.cx - 200, screen.cy - 100, screen.cx, screen.cy}));
    ASSERT_TRUE(ChangeDlgSize(&w, "DLG_WIDE", 0));
    EXPECT_EQ(rectOf(w), (RECT{0, 0, screen.cx, 100}));
}

TEST_F(DialogSize, KeepsFlagsAndNamesWithAnyCharacters) {
    bool large = false;
    EXPECT_FALSE(readDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", large));
    EXPECT_FALSE(large);
    ASSERT_TRUE(writeDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", true));
    ASSERT_TRUE(readDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", large));
    EXPECT_TRUE(large);
    ASSERT_TRUE(writeDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", false));
    ASSERT_TRUE(readDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", large));
    EXPECT_FALSE(large);

    // Module names typed by a person end up in dialog names.
    const Vtl_String odd = "DLG_MACRO_EDITVARS_Plaat [a]=b\\c\nd é";
    ASSERT_TRUE(writeDlgRegBool(odd, "k=]\\", true));
    CWnd& w = open(a_, 5, 6, 70, 80);
    ASSERT_TRUE(WriteDlgSize(&w, odd));

    vtl::base::testing::reset();  // forget the memory: read back from the file
    ASSERT_FALSE(vtl::base::dialogSettingsFile().empty());
    bool flag = false;
    ASSERT_TRUE(readDlgRegBool(odd, "k=]\\", flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(hasDlgSize(odd));
    EXPECT_FALSE(hasDlgSize("DLG_MACRO_EDITVARS_Plaat [a]"));
    ASSERT_TRUE(readDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", large));
}

TEST_F(DialogSize, TheSettingsFileLivesInTheUsersConfigurationFolder) {
    const std::filesystem::path expected =
        std::filesystem::path(getenv("XDG_CONFIG_HOME")) / "vtlui" / "dialogs.ini";
    EXPECT_EQ(vtl::base::dialogSettingsFile(), expected.string());
    CWnd& w = open(a_, 1, 2, 30, 40);
    ASSERT_TRUE(WriteDlgSize(&w, "DLG_EDIT_MACRO"));
    EXPECT_NE(settingsFileText().find("[DLG_EDIT_MACRO]\nrect=1 2 30 40\n"), std::string::npos);
    // Nothing is left beside it.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(expected.parent_path())) ++files;
    EXPECT_EQ(files, 1);

    // What another process wrote meanwhile survives the next write.
    {
        std::ofstream out(expected, std::ios::app);
        out << "[DLG_OTHER_PROCESS]\nflag.X=1\n";
    }
    ASSERT_TRUE(writeDlgRegBool("DLG_EDIT_MACRO", "Y", true));
    bool x = false;
    EXPECT_TRUE(readDlgRegBool("DLG_OTHER_PROCESS", "X", x));
    EXPECT_TRUE(x);
}

TEST_F(DialogSize, ADamagedFileIsReadAsFarAsItMakesSense) {
    const std::filesystem::path file = std::filesystem::path(getenv("XDG_CONFIG_HOME")) / "vtlui" / "dialogs.ini";
    std::filesystem::create_directories(file.parent_path());
    {
        std::ofstream out(file, std::ios::binary);
        out << "rect=1 2 3 4\n[DLG_A]\r\nrect=10 20 30 40\r\nrect=1 2 -3 4\nrect=1 2 3\nrect=9999999999 1 2 3\n"
               "flag.B=2\nflag.C=1\n[\n[DLG_BROKEN\\]\nrect=1 1 1 1\n[DLG_C]\nrect=5 5 x 5\n\x01\xff garbage\n";
    }
    CWnd& w = open(a_, 0, 0, 10, 10);
    ASSERT_TRUE(ChangeDlgSize(&w, "DLG_A", 0));
    EXPECT_EQ(rectOf(w), (RECT{10, 20, 40, 60}));
    bool v = false;
    EXPECT_FALSE(readDlgRegBool("DLG_A", "B", v));
    EXPECT_TRUE(readDlgRegBool("DLG_A", "C", v));
    EXPECT_FALSE(hasDlgSize("DLG_C"));
    EXPECT_FALSE(hasDlgSize("DLG_BROKEN]"));
}

TEST_F(DialogSize, WithoutAFileTheRecordsLiveInMemory) {
    vtl::base::setDialogSettingsFile("");
    EXPECT_EQ(vtl::base::dialogSettingsFile(), "");
    ASSERT_TRUE(writeDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", true));
    bool large = false;
    EXPECT_TRUE(readDlgRegBool("DLG_SELECT_MACRO", "LARGE_DLG", large));
    EXPECT_TRUE(large);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(getenv("XDG_CONFIG_HOME")) / "vtlui"));
}

}  // namespace
