// The layout check: text a control cuts, measured where its class draws it; controls outside their parent;
// siblings covering each other, with backdrops behind them allowed; hidden windows left alone.
#include "win/layout_check.h"

#include <algorithm>

#include "gfx/text_metrics.h"
#include "win/api.h"
#include "win/tab_ctrl.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

constexpr int kLayoutDialog = 230;

class LayoutCheck : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        ASSERT_TRUE(dlg.Create(kLayoutDialog, AfxGetMainWnd()));
        dlg.ShowWindow(SW_SHOW);
    }
    void TearDown() override {
        dlg.DestroyWindow();
        WinTest::TearDown();
    }
    HWND add(const char* cls, const char* text, DWORD style, RECT r, int id, HWND parent = HWND(), DWORD exStyle = 0) {
        return CreateWindowEx(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, parent ? parent : dlg.m_hWnd, id);
    }
    std::vector<std::string> layout() const { return layoutProblems(dlg.m_hWnd); }
    // The problems that mention `what`.
    std::vector<std::string> about(const std::string& what) const {
        std::vector<std::string> out;
        for (const auto& p : layout())
            if (p.find(what) != std::string::npos) out.push_back(p);
        return out;
    }
    static int width(const char* text) { return gfx::textExtent(HFONT(), text).cx; }
    static std::string all(const std::vector<std::string>& v) {
        std::string out;
        for (const auto& s : v) out += s + "\n";
        return out;
    }
    CDialog dlg;
};

TEST_F(LayoutCheck, ALabelIsCutWhenItsLineOrItsWrappedLinesDoNotFitItsRectangle) {
    const int w = width("Plate thickness");
    add("STATIC", "Plate thickness", SS_LEFTNOWORDWRAP, {10, 10, 10 + w, 26}, 101);
    add("STATIC", "Plate thickness", SS_LEFTNOWORDWRAP, {10, 30, 10 + w - 1, 46}, 102);
    // Wrapped at the space into two lines of 13 pixels.
    const int narrow = std::max(width("Plate"), width("thickness")) + 2;
    add("STATIC", "Plate thickness", SS_LEFT, {10, 50, 10 + narrow, 76}, 103);
    add("STATIC", "Plate thickness", SS_LEFT, {10, 80, 10 + narrow, 96}, 104);
    // A word wider than its label cannot be wrapped; right-aligned text spills to the left.
    add("STATIC", "Stiffener", SS_LEFT, {10, 100, 30, 190}, 105);
    add("STATIC", "Stiffener", SS_RIGHT, {200, 10, 220, 100}, 106);
    add("STATIC", "", SS_LEFT, {200, 110, 202, 112}, 107);  // no text, nothing to cut

    const auto problems = layout();
    ASSERT_EQ(problems.size(), 4u) << all(problems);
    EXPECT_EQ(problems[0], "STATIC 102 \"Plate thickness\": text cut: needs " + std::to_string(w) + "x13 pixels, has " +
                               std::to_string(w - 1) + "x16");
    EXPECT_EQ(problems[1], "STATIC 104 \"Plate thickness\": text cut: needs " +
                               std::to_string(std::max(width("Plate"), width("thickness"))) +
                               "x26 pixels as 2 lines, has " + std::to_string(narrow) + "x16 (one line would need " +
                               std::to_string(w) + ")");
    EXPECT_NE(problems[2].find("STATIC 105 \"Stiffener\": text cut"), std::string::npos);
    EXPECT_NE(problems[3].find("STATIC 106 \"Stiffener\": text cut"), std::string::npos);
}

TEST_F(LayoutCheck, ButtonTextFitsInsideTheEdgeAndCheckBoxTextBesideTheBox) {
    const int w = width("Calculate");
    add("BUTTON", "Calculate", BS_PUSHBUTTON, {10, 10, 10 + w + 4, 34}, 201);
    add("BUTTON", "Calculate", BS_PUSHBUTTON, {10, 40, 10 + w + 3, 64}, 202);
    // The default button's black frame takes one more pixel each side.
    add("BUTTON", "Calculate", BS_DEFPUSHBUTTON, {10, 70, 10 + w + 6, 94}, 203);
    add("BUTTON", "Calculate", BS_DEFPUSHBUTTON, {10, 100, 10 + w + 5, 124}, 204);
    // The box and its gap take 17 pixels before the text.
    const int c = width("Use stiffeners");
    add("BUTTON", "Use stiffeners", BS_AUTOCHECKBOX, {150, 10, 150 + 17 + c, 30}, 205);
    add("BUTTON", "Use stiffeners", BS_AUTOCHECKBOX, {150, 40, 150 + 16 + c, 60}, 206);
    add("BUTTON", "Use stiffeners", BS_AUTORADIOBUTTON, {150, 70, 150 + 16 + c, 90}, 207);
    add("BUTTON", "", BS_AUTOCHECKBOX, {150, 100, 160, 110}, 208);  // the box itself is cut

    const auto problems = layout();
    ASSERT_EQ(problems.size(), 5u) << all(problems);
    EXPECT_EQ(problems[0].rfind("BUTTON 202 \"Calculate\": text cut", 0), 0u) << problems[0];
    EXPECT_EQ(problems[1].rfind("BUTTON 204 \"Calculate\": text cut", 0), 0u) << problems[1];
    EXPECT_EQ(problems[2].rfind("BUTTON 206 \"Use stiffeners\": text beside the box cut", 0), 0u) << problems[2];
    EXPECT_EQ(problems[3].rfind("BUTTON 207 \"Use stiffeners\": text beside the box cut", 0), 0u) << problems[3];
    EXPECT_EQ(problems[4], "BUTTON 208: box cut: needs 13x13 pixels, has 10x10");
}

TEST_F(LayoutCheck, AGroupBoxCaptionMustEndInsideTheFrame) {
    const int w = width("Bolts");
    // The caption starts 8 pixels in; the gap after it and the frame's edge take 4 more.
    add("BUTTON", "Bolts", BS_GROUPBOX, {10, 10, 10 + 8 + w + 4, 100}, 301);
    add("BUTTON", "Bolts", BS_GROUPBOX, {100, 10, 100 + 8 + w + 3, 100}, 302);
    const auto problems = layout();
    ASSERT_EQ(problems.size(), 1u) << all(problems);
    EXPECT_EQ(problems[0].rfind("BUTTON 302 \"Bolts\": caption cut", 0), 0u) << problems[0];
}

TEST_F(LayoutCheck, AComboIsCutWhenTheDropButtonCoversItsTextAndAnEditWhenItsWholeTextDoesNotShow) {
    const char* item = "M20 grade 8.8";
    const int w = width(item);
    // The field's text starts 4 pixels in and ends 20 before the right edge, at the drop button.
    const HWND fits = add("COMBOBOX", "", CBS_DROPDOWNLIST, {10, 10, 10 + w + 24, 200}, 401);
    const HWND cut = add("COMBOBOX", "", CBS_DROPDOWNLIST, {10, 40, 10 + w + 23, 200}, 402);
    for (HWND h : {fits, cut}) {
        SendMessage(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessage(h, CB_SETCURSEL, 0, 0);
    }
    // A drop-down's field is its edit.
    add("COMBOBOX", "M20 grade 8.8 galvanised", CBS_DROPDOWN, {10, 70, 90, 200}, 403);
    // An edit shows its whole text inside its client area, borders excluded.
    const int n = width("1250.75");
    add("EDIT", "1250.75", ES_AUTOHSCROLL, {150, 10, 150 + n + 6, 32}, 404, HWND(), WS_EX_CLIENTEDGE);
    add("EDIT", "1250.75", ES_AUTOHSCROLL, {150, 40, 150 + n + 5, 62}, 405, HWND(), WS_EX_CLIENTEDGE);
    add("EDIT", "1250.75", ES_PASSWORD, {150, 70, 150 + n + 6, 92}, 406, HWND(), WS_EX_CLIENTEDGE);  // stars

    const auto problems = layout();
    ASSERT_EQ(problems.size(), 3u) << all(problems);
    EXPECT_EQ(problems[0].rfind("COMBOBOX 402 \"M20 grade 8.8\": field text cut", 0), 0u) << problems[0];
    EXPECT_EQ(problems[1].rfind("COMBOBOX 403 \"M20 grade 8.8 galvanised\": field text cut", 0), 0u) << problems[1];
    EXPECT_EQ(problems[2], "EDIT 405 \"1250.75\": text cut: needs " + std::to_string(n) + "x13 pixels, has " +
                               std::to_string(n - 1) + "x13");
}

TEST_F(LayoutCheck, AMultiLineEditScrollsItsTextButMustShowALineAndItsWords) {
    const std::string notes = "Bolts checked for shear and bearing; plate checked for bending.\r\nSee the report.";
    add("EDIT", notes.c_str(), ES_MULTILINE, {10, 10, 200, 40}, 501);  // more lines than it shows: fine
    add("EDIT", notes.c_str(), ES_MULTILINE, {10, 50, 200, 58}, 502);  // not one line
    add("EDIT", "Stiffeners", ES_MULTILINE, {10, 70, 30, 120}, 503);   // a word wider than it
    const auto problems = layout();
    ASSERT_EQ(problems.size(), 2u) << all(problems);
    EXPECT_EQ(problems[0].rfind("EDIT 502 ", 0), 0u) << problems[0];
    EXPECT_EQ(problems[1].rfind("EDIT 503 \"Stiffeners\": text cut", 0), 0u) << problems[1];
}

TEST_F(LayoutCheck, AControlSticksOutOfItsParentByAnyPart) {
    add("EDIT", "", 0, {250, 10, 301, 32}, 601);  // one pixel past the right edge
    add("EDIT", "", 0, {10, -1, 60, 21}, 602);    // one above the top
    add("EDIT", "", 0, {0, 178, 300, 200}, 603);  // along the bottom-right corner: inside
    const HWND page = add("#32770", "", DS_CONTROL, {10, 40, 110, 100}, 604);
    add("EDIT", "", 0, {50, 10, 120, 32}, 605, page);
    const auto problems = layout();
    ASSERT_EQ(problems.size(), 3u) << all(problems);
    EXPECT_EQ(problems[0], "EDIT 601: outside its parent's client area (0,0)-(300,200): at (250,10)-(301,32)");
    EXPECT_EQ(problems[1], "EDIT 602: outside its parent's client area (0,0)-(300,200): at (10,-1)-(60,21)");
    EXPECT_EQ(problems[2],
              "EDIT 605 (in #32770 604): outside its parent's client area (0,0)-(100,60): at (50,10)-(120,32)");
}

TEST_F(LayoutCheck, OverlappingSiblingsAreReportedOnceAndTouchingOnesNot) {
    add("EDIT", "", 0, {10, 10, 110, 32}, 701);
    add("EDIT", "", 0, {100, 20, 200, 42}, 702);
    add("EDIT", "", 0, {10, 50, 110, 72}, 703);
    add("EDIT", "", 0, {110, 50, 210, 72}, 704);  // touches 703
    add("EDIT", "", 0, {10, 72, 110, 94}, 705);   // touches 703 below
    const auto problems = layout();
    ASSERT_EQ(problems.size(), 1u) << all(problems);
    EXPECT_EQ(problems[0], "EDIT 701: overlaps EDIT 702 by 10x12 pixels at (100,20)-(110,32)");
}

TEST_F(LayoutCheck, PicturesFramesAndGroupBoxesBehindOthersAreBackdropsButNotInFront) {
    // Created first is on top: labels and edits, then the backdrops they lie on.
    add("STATIC", "Plate", SS_LEFT, {20, 20, 60, 36}, 801);
    add("EDIT", "", 0, {20, 40, 100, 62}, 802);
    add("STATIC", "", SS_BITMAP, {10, 10, 150, 80}, 803);
    add("STATIC", "", SS_ETCHEDFRAME, {5, 5, 155, 85}, 804);
    add("BUTTON", "Bolts", BS_GROUPBOX, {0, 0, 160, 90}, 805);
    EXPECT_EQ(layout(), std::vector<std::string>()) << all(layout());

    // A picture or group box in front paints over what lies behind it.
    add("EDIT", "", 0, {180, 20, 260, 42}, 806);
    add("EDIT", "", 0, {180, 120, 260, 142}, 807);
    SetWindowPos(add("STATIC", "", SS_OWNERDRAW, {170, 10, 290, 60}, 808), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(add("BUTTON", "Nuts", BS_GROUPBOX, {170, 100, 290, 150}, 809), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
    const auto problems = layout();
    ASSERT_EQ(problems.size(), 2u) << all(problems);
    EXPECT_EQ(problems[0].rfind("BUTTON 809 \"Nuts\": overlaps EDIT 807", 0), 0u) << problems[0];
    EXPECT_EQ(problems[1].rfind("STATIC 808: overlaps EDIT 806", 0), 0u) << problems[1];
}

TEST_F(LayoutCheck, ATabControlBehindIsABackdropForItsDisplayAreaOnly) {
    add("#32770", "", DS_CONTROL, {14, 36, 190, 150}, 901);
    add("BUTTON", "Help", BS_PUSHBUTTON, {150, 12, 190, 32}, 902);  // over the tab row
    const HWND tabs = add("SysTabControl32", "", 0, {10, 10, 194, 154}, 903);
    static_cast<CTabCtrl*>(CWnd::FromHandle(tabs))->InsertItem(0, "General");
    RECT area;
    GetWindowRect(tabs, &area);
    dlg.ScreenToClient(&area);
    SendMessage(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    ASSERT_TRUE(area.left <= 14 && area.top <= 36 && area.right >= 190 && area.bottom >= 150)
        << "the page lies in the display area";
    const auto problems = layout();
    ASSERT_EQ(problems.size(), 1u) << all(problems);
    EXPECT_EQ(problems[0].rfind("BUTTON 902 \"Help\": overlaps SysTabControl32 903", 0), 0u) << problems[0];
}

TEST_F(LayoutCheck, HiddenWindowsAndEverythingInsideThemAreIgnored) {
    add("EDIT", "", 0, {10, 10, 110, 32}, 1001);
    ShowWindow(add("EDIT", "A long text in a field far too narrow", 0, {10, 10, 40, 32}, 1002), SW_HIDE);
    const HWND page = add("#32770", "", DS_CONTROL, {10, 40, 110, 100}, 1003);
    add("STATIC", "A label much too long for its place", SS_LEFTNOWORDWRAP, {0, 0, 20, 16}, 1004, page);
    add("EDIT", "", 0, {90, 40, 200, 62}, 1005, page);
    ASSERT_EQ(about("1004").size(), 1u) << all(layout());
    ShowWindow(page, SW_HIDE);
    EXPECT_EQ(layout(), std::vector<std::string>()) << all(layout());
    ShowWindow(page, SW_SHOW);
    ShowWindow(dlg.m_hWnd, SW_HIDE);
    EXPECT_EQ(layout(), std::vector<std::string>());  // a hidden dialog shows nothing
}

}  // namespace
}  // namespace vtl::test
