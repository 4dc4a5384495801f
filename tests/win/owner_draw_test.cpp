// Owner drawing: owner-drawn buttons and combo boxes ask their parent with WM_DRAWITEM, which a CWnd parent
// hands back to the control's object; what it draws through the device context is what the screen shows.
#include <gtest/gtest.h>

#include <vector>

#include "win/button.h"
#include "win/combo_box.h"
#include "win/dc.h"
#include "win/render.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {

struct Drawn {
    UINT type;
    UINT id;
    int item;
    UINT state;
};

class RedButton : public CButton {
public:
    std::vector<Drawn> drawn;
    void DrawItem(DRAWITEMSTRUCT* d) override {
        drawn.push_back({d->CtlType, d->CtlID, static_cast<int>(d->itemID), d->itemState});
        CDC dc;
        ASSERT_TRUE(dc.Attach(d->hDC));
        dc.FillSolidRect(&d->rcItem, RGB(255, 0, 0));
        dc.Detach();
    }
};

class ItemCombo : public CComboBox {
public:
    std::vector<Drawn> drawn;
    void DrawItem(DRAWITEMSTRUCT* d) override {
        drawn.push_back({d->CtlType, d->CtlID, static_cast<int>(d->itemID), d->itemState});
        CDC dc;
        ASSERT_TRUE(dc.Attach(d->hDC));
        dc.FillSolidRect(&d->rcItem, RGB(0, 0, 255));
        dc.Detach();
    }
};

int countColour(const gfx::Image& image, COLORREF colour) {
    int n = 0;
    for (const auto& p : image.pixels()) n += p.colour() == colour;
    return n;
}

TEST_F(WinTest, OwnerDrawnControlsDrawThroughTheirObjects) {
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(202));
    RedButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(120, 10, 160, 40), &dlg, 3100));
    ItemCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CRect(10, 70, 110, 170),
                             &dlg, 3101));
    combo.AddString("a");
    combo.AddString("b");
    combo.SetCurSel(1);
    // Without an object the button still draws a plain face.
    const HWND plain = CreateWindowEx(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 170, 10, 20, 20,
                                      dlg.m_hWnd, 3102);
    ASSERT_TRUE(plain);

    gfx::Image image = win::renderWindow(dlg.m_hWnd);
    ASSERT_EQ(button.drawn.size(), 1u);
    EXPECT_EQ(button.drawn[0].type, ODT_BUTTON);
    EXPECT_EQ(button.drawn[0].id, 3100u);
    EXPECT_EQ(button.drawn[0].state & ODS_DISABLED, 0u);
    EXPECT_EQ(countColour(image, RGB(255, 0, 0)), 40 * 30);
    ASSERT_EQ(combo.drawn.size(), 1u);  // the field shows the selected item
    EXPECT_EQ(combo.drawn[0].type, ODT_COMBOBOX);
    EXPECT_EQ(combo.drawn[0].item, 1);
    EXPECT_TRUE(combo.drawn[0].state & ODS_COMBOBOXEDIT);
    EXPECT_GT(countColour(image, RGB(0, 0, 255)), 0);

    button.EnableWindow(FALSE);
    combo.drawn.clear();
    combo.ShowDropDown(TRUE);  // the dropped list: one call per item, the current one selected
    win::renderScreen();
    EXPECT_TRUE(button.drawn.back().state & ODS_DISABLED);
    std::vector<int> listed;
    for (const Drawn& d : combo.drawn)
        if (!(d.state & ODS_COMBOBOXEDIT)) listed.push_back(d.item * 10 + ((d.state & ODS_SELECTED) ? 1 : 0));
    EXPECT_EQ(listed, (std::vector<int>{0, 11}));
    combo.ShowDropDown(FALSE);
    dlg.DestroyWindow();
}

}  // namespace
}  // namespace vtl::test
