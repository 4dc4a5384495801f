// The control helpers on a real dialog, driven through the input layer: filling, enabling, sizing and
// owner look-up; tri-state boxes made two-state by a click; a coloured label acting for its check box;
// picture buttons (image check, icon with tooltip, file picture with its transparent colour, grey or
// coloured when disabled); a check combo's marks; a picture combo.
#include <algorithm>
#include <gtest/gtest.h>

#include <filesystem>

#include "controls_support.h"
#include "gfx/bmp.h"
#include "vtlbase/controls/bitmap_picker_combo.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/check_combo_box.h"
#include "vtlbase/controls/color_static.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/settings.h"
#include "win/input.h"
#include "win/keys.h"
#include "win/pump.h"
#include "win/testing.h"

namespace vtl::test {
namespace {
using win::ctrl;
using win::Script;

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// An 8 x 8 picture: a magenta (transparent) border around a blue centre.
std::string writePicture(const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::create_directories(folder);
    gfx::Image image(8, 8, gfx::Rgba::of(kMagenta));
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) image.at(x, y) = gfx::Rgba::of(kBlue);
    gfx::writeBmpFile((folder / name).string(), image);
    return (folder / name).string();
}

TEST_F(ControlsTest, FillEnableShowResizeAndFindTheOwner) {
    HelperDialog dlg(31000);
    CDialog page;
    CComboBox combo;
    CListBox list;
    dlg.onInit = [&](HelperDialog& d) {
        combo.SubclassDlgItem(1005, &d);
        list.SubclassDlgItem(1317, &d);
        combo.AddString("old");
        combo.SetCurSel(0);
        FillCombo(&combo, Vtl_StringArray{"HEA", "HEB", "IPE"});
        FillList(&list, Vtl_StringArray{"one", "two"});
        FillCombo(nullptr, Vtl_StringArray{"x"});  // nothing to fill: no effect
        page.CreateAsChild(31003, &d);
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(31000))
        .check([&] {
            EXPECT_EQ(combo.GetCount(), 3);
            EXPECT_EQ(combo.GetLBText(2), "IPE");
            EXPECT_EQ(combo.GetCurSel(), -1);  // the old selection went with the old items
            EXPECT_EQ(list.GetCount(), 2);
            EXPECT_EQ(list.GetText(1), "two");

            EXPECT_TRUE(EnDisCtrl(&dlg, 1299, false));
            EXPECT_TRUE(ShowOrHideCtrl(&dlg, 1095, false));
            EXPECT_FALSE(EnDisCtrl(&dlg, 4711, true));
            EXPECT_FALSE(ShowOrHideCtrl(nullptr, 1095, true));

            const RECT before = childRect(dlg.GetDlgItem(1317)->m_hWnd);
            EXPECT_TRUE(resizeCtrl(&dlg, 1317, 0, 10, 5, -30));
            const RECT after = childRect(dlg.GetDlgItem(1317)->m_hWnd);
            EXPECT_EQ(after.top, before.top + 10);
            EXPECT_EQ(after.right, before.right + 5);
            EXPECT_EQ(after.bottom, before.bottom - 30);
            EXPECT_EQ(after.left, before.left);
            EXPECT_TRUE(resizeCtrl(&dlg, 1317, 0, 0, 0, -500));  // never inverted
            const RECT flat = childRect(dlg.GetDlgItem(1317)->m_hWnd);
            EXPECT_EQ(flat.bottom, flat.top);

            CWnd* pageEdit = page.GetDlgItem(1500);
            ASSERT_NE(pageEdit, nullptr);
            EXPECT_EQ(getDlgOwner(pageEdit), &dlg);
            EXPECT_EQ(getDlgOwner(&page), &dlg);
            EXPECT_EQ(getDlgOwner(nullptr), nullptr);
            EXPECT_EQ(GetWndClassName(pageEdit->m_hWnd), Vtl_String("EDIT"));
            EXPECT_EQ(GetWndClassName(dlg.m_hWnd), Vtl_String("#32770"));
            EXPECT_EQ(GetWndClassName(HWND()), Vtl_String());
        })
        .check([&] {
            EXPECT_FALSE(dlg.GetDlgItem(1299)->IsWindowEnabled());
            EXPECT_FALSE(dlg.GetDlgItem(1095)->IsWindowVisible());
        })
        .select(ctrl(1005), "HEB")
        .check([&] { EXPECT_EQ(combo.GetCurSel(), 1); })
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_EQ(dlg.DoModal(), IDOK); });
    EXPECT_EQ(dlg.countOf(1005, CBN_SELCHANGE), 1);
}

TEST_F(ControlsTest, ATriStateBoxClickedIntoTwoStateNeverShowsMixedAndALabelTogglesItsBox) {
    HelperDialog dlg(31000);
    CColorStatic label;
    std::vector<int> seen;  // the state of 1095 as its click handler sees it
    dlg.onInit = [&](HelperDialog& d) {
        label.SubclassDlgItem(8669, &d);
        label.SetTextColor(RGB(200, 0, 0));
        label.SetBkColor(RGB(255, 255, 0));
        d.CheckDlgButton(1095, BST_CHECKED);
        d.CheckDlgButton(8713, BST_INDETERMINATE);
    };
    dlg.onCommand = [&](HelperDialog& d, int id, int code) {
        if (id == 1095 && code == BN_CLICKED) {
            disableTriState(d.GetDlgItem(1095));
            seen.push_back(static_cast<int>(d.IsDlgButtonChecked(1095)));
            return true;
        }
        if (id == 8669 && code == STN_CLICKED) {
            changeCheckStatus(d.GetDlgItem(8713));
            return true;
        }
        return false;
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(31000))
        .check([&] {
            // The label paints itself in its colours.
            EXPECT_GT(countPixels(label.m_hWnd, [](COLORREF c) { return c == RGB(255, 255, 0); }), 100);
            EXPECT_GT(countPixels(label.m_hWnd, [](COLORREF c) { return c == RGB(200, 0, 0); }), 0);
        })
        .click(ctrl(1095))  // checked -> (3-state: mixed) -> clear as a two-state box
        .click(ctrl(1095))
        .click(ctrl(1095))
        .click(ctrl(8669))  // mixed -> checked, and the dialog hears the box
        .check([&] { EXPECT_EQ(dlg.IsDlgButtonChecked(8713), BST_CHECKED); })
        .click(ctrl(8669))
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_EQ(dlg.DoModal(), IDOK); });
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(dlg.countOf(8713, BN_CLICKED), 2);
    EXPECT_EQ(label.GetTextColor(), RGB(200, 0, 0));
}

TEST_F(ControlsTest, PictureButtonsCheckShowTheirPictureAndTooltipAndGreyWhenDisabled) {
    const std::string picture = writePicture(libraryDir() / "icons", "Test.bmp");
    HelperDialog dlg(31000);
    CButtonST imageCheck, iconButton, fileButton;
    std::vector<int> checkAtClick;
    dlg.onInit = [&](HelperDialog& d) {
        EXPECT_TRUE(CreateImageCheck(&d, imageCheck, 1292, 237, "Clash check"));
        EXPECT_FALSE(CreateImageCheck(&d, imageCheck, 4711, 237, "none"));
        iconButton.SubclassDlgItem(1299, &d);
        iconButton.SetFlat(false);
        iconButton.SetFlatFocus(false);
        EXPECT_TRUE(iconButton.SetIcon(212));
        iconButton.SetTooltipText("Open a design");
        fileButton.SubclassDlgItem(1178, &d);
        fileButton.DrawBorder(false);
        fileButton.DrawColoredWhenDisabled(true);
        EXPECT_FALSE(fileButton.SetBitmapFile(gSettings.libDir() + "icons\\Missing.bmp", kMagenta));
        EXPECT_FALSE(fileButton.HasPicture());
        // The module's spelling of the path, with another case: found as the platform would.
        EXPECT_TRUE(fileButton.SetBitmapFile(gSettings.libDir() + "ICONS\\test.bmp", kMagenta));
        fileButton.SetTooltipText("");
        fileButton.EnableWindow(FALSE);
    };
    dlg.onCommand = [&](HelperDialog& d, int id, int code) {
        if (id == 1292 && code == BN_CLICKED) checkAtClick.push_back(static_cast<int>(d.IsDlgButtonChecked(1292)));
        return false;
    };
    int colouredDisabled = 0, greyDisabled = 0;
    Script s;
    s.waitFor(win::dialogWithTemplate(31000))
        .check([&] {
            EXPECT_EQ(imageCheck.GetTooltipText(), Vtl_String("Clash check"));
            EXPECT_TRUE(imageCheck.IsTooltipActive());
            EXPECT_TRUE(imageCheck.PictureBitmap());
            EXPECT_EQ(iconButton.GetTooltipText(), Vtl_String("Open a design"));
            EXPECT_TRUE(iconButton.PictureIcon());
            // The icon (a green plus) in its small form, beside its text "Open" and not over it.
            const auto icon = pixelsWhere(iconButton.m_hWnd, [](COLORREF c) {
                return GetGValue(c) > GetRValue(c) + 60 && GetGValue(c) > GetBValue(c) + 60;
            });
            const auto text = pixelsWhere(iconButton.m_hWnd, [](COLORREF c) { return c == RGB(0, 0, 0); });
            ASSERT_FALSE(icon.empty());
            ASSERT_FALSE(text.empty());
            const auto [top, bottom] = std::minmax_element(icon.begin(), icon.end(), [](POINT a, POINT b) { return a.y < b.y; });
            const auto [left, right] = std::minmax_element(icon.begin(), icon.end(), [](POINT a, POINT b) { return a.x < b.x; });
            EXPECT_LE(bottom->y - top->y, 15);
            EXPECT_LE(right->x - left->x, 15);
            const auto textLeft = std::min_element(text.begin(), text.end(), [](POINT a, POINT b) { return a.x < b.x; });
            EXPECT_LT(right->x, textLeft->x);
            EXPECT_FALSE(fileButton.IsTooltipActive());
            EXPECT_EQ(fileButton.GetTooltipText(), Vtl_String());
            // The file picture: its centre drawn, its transparent border never; coloured while disabled.
            EXPECT_EQ(countPixels(fileButton.m_hWnd, [](COLORREF c) { return c == kMagenta; }), 0);
            colouredDisabled = countPixels(fileButton.m_hWnd, [](COLORREF c) { return c == kBlue; });
            fileButton.DrawColoredWhenDisabled(false);
            greyDisabled = countPixels(fileButton.m_hWnd, [](COLORREF c) { return c == kBlue; });
            // Resting on the icon button shows its tooltip after the delay.
            RECT r;
            ::GetWindowRect(iconButton.m_hWnd, &r);
            win::deliverInput(win::InputEvent::mouse(win::InputEvent::Kind::MouseMove, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
            win::advance(1000);
            int visibleTips = 0;
            for (HWND h : win::testing::liveTopLevelWindows())
                visibleTips += ::GetClassName(h) == "tooltips_class32" && ::IsWindowVisible(h);
            EXPECT_EQ(visibleTips, 1);
        })
        .click(ctrl(1292))
        .click(ctrl(1292))
        .key(VK_SPACE)  // the focused image check toggles from the keyboard too
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_EQ(dlg.DoModal(), IDOK); });
    EXPECT_EQ(colouredDisabled, 16);
    EXPECT_EQ(greyDisabled, 0);
    EXPECT_EQ(checkAtClick, (std::vector<int>{1, 0, 1}));
}

TEST_F(ControlsTest, ACheckComboKeepsEachMarkWithItsItemAndDrawsIt) {
    HelperDialog dlg(31000);
    CCheckComboBox combo;
    auto markedPixels = [&] {
        // Pixels in the text colour: the tick and, unless highlighted, the text.
        return countPixels(combo.m_hWnd, [](COLORREF c) { return c == GetSysColor(COLOR_WINDOWTEXT); });
    };
    int tickedDrawn = 0, clearDrawn = 0;
    dlg.onInit = [&](HelperDialog& d) {
        combo.SubclassDlgItem(1108, &d);
        FillCombo(&combo, Vtl_StringArray{"Slot nr: 1", "Slot nr: 2", "Slot nr: 3"});
        EXPECT_TRUE(combo.SetItemCheck(1, true));
        EXPECT_FALSE(combo.SetItemCheck(3, true));
        EXPECT_FALSE(combo.SetItemCheck(-1, true));
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(31000))
        .select(ctrl(1108), "Slot nr: 2")
        .check([&] {
            EXPECT_EQ(combo.GetCurSel(), 1);
            tickedDrawn = markedPixels();
            combo.SetItemCheck(1, false);
            clearDrawn = markedPixels();
            combo.SetItemCheck(1, true);
        })
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_EQ(dlg.DoModal(), IDOK); });
    EXPECT_EQ(dlg.countOf(1108, CBN_SELCHANGE), 1);
    EXPECT_GT(tickedDrawn, clearDrawn);  // the tick is drawn only while marked

    // Marks follow their items through deletions, insertions and refills.
    HelperDialog again(31000);
    again.onInit = [&](HelperDialog& d) {
        CCheckComboBox c;
        c.SubclassDlgItem(1108, &d);
        c.AddItem("a");
        c.AddItem("b", true);
        c.AddItem("c");
        c.DeleteString(0);
        EXPECT_TRUE(c.GetItemCheck(0));  // "b"
        c.InsertString(0, "z");
        EXPECT_FALSE(c.GetItemCheck(0));
        EXPECT_TRUE(c.GetItemCheck(1));
        EXPECT_EQ(c.GetCheckedCount(), 1);
        FillCombo(&c, Vtl_StringArray{"x", "y"});
        EXPECT_EQ(c.GetCheckedCount(), 0);
        EXPECT_FALSE(c.GetItemCheck(5));
        c.UnsubclassWindow();
    };
    Script s2;
    s2.waitFor(win::dialogWithTemplate(31000)).click(ctrl(IDOK));
    run(s2, [&] { again.DoModal(); });
}

TEST_F(ControlsTest, APictureComboShowsEachItemsPictureBesideItsLabel) {
    const std::string picture = writePicture(libraryDir() / "icons", "CutChamfer.bmp");
    HelperDialog dlg(31000);
    CBitmapPickerCombo combo;
    int bluePixels = -1;
    dlg.onInit = [&](HelperDialog& d) {
        combo.SubclassDlgItem(1284, &d);
        EXPECT_EQ(combo.AddBitmap(gSettings.libDir() + "icons\\Missing.bmp", "Fillet"), 0);
        EXPECT_EQ(combo.AddBitmap(gSettings.libDir() + "icons\\CutChamfer.bmp", "Chamfer"), 1);
        EXPECT_TRUE(combo.ItemPicture(0));  // an empty frame keeps the row's layout
        EXPECT_FALSE(combo.ItemPicture(2));
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(31000))
        .select(ctrl(1284), "Chamfer")
        .check([&] { bluePixels = countPixels(combo.m_hWnd, [](COLORREF c) { return c == kBlue; }); })
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_EQ(dlg.DoModal(), IDOK); });
    EXPECT_EQ(bluePixels, 16);         // the 8 x 8 picture fits unscaled: its 4 x 4 centre shows
    EXPECT_EQ(dlg.countOf(1284, CBN_SELCHANGE), 1);
}

}  // namespace
}  // namespace vtl::test
