// Combo boxes, list boxes, tab controls, tooltips and static pictures: the notifications a person's
// actions cause, in the order they cause them.
#include "win/combo_box.h"
#include "win/list_box.h"
#include "win/list_ctrl.h"
#include "win/script.h"
#include "win/static.h"
#include "win/tab_ctrl.h"
#include "win/tool_tip.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

// Records WM_COMMAND and WM_NOTIFY with the texts of the combo boxes at that moment.
class ControlsDialog : public RecordingDialog {
public:
    ControlsDialog() : RecordingDialog(207) {}
    std::vector<std::string> events;
    bool refuseTabChange = false;
    std::vector<std::string> itemsOnDrop;

    CComboBox& list() { return *static_cast<CComboBox*>(GetDlgItem(7001)); }
    CComboBox& combo() { return *static_cast<CComboBox*>(GetDlgItem(7002)); }
    CListBox& listBox() { return *static_cast<CListBox*>(GetDlgItem(7003)); }
    CTabCtrl& tabs() { return *static_cast<CTabCtrl*>(GetDlgItem(7004)); }

protected:
    BOOL OnInitDialog() override {
        RecordingDialog::OnInitDialog();
        for (const char* s : {"M12", "M16", "M20", "M24", "M27", "M30", "M36", "M42"}) {
            list().AddString(s);
            combo().AddString(s);
        }
        for (const char* s : {"HE 100 A", "HE 200 A", "IPE 200", "UPN 100", "L 50x5", "L 60x6"}) listBox().AddString(s);
        tabs().InsertItem(0, "General");
        tabs().InsertItem(1, "Bolts");
        tabs().InsertItem(2, "Profiles");
        events.clear();
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == 7001 || id == 7002 || id == 7003) {
            const char* names7001[] = {"", "SELCHANGE", "DBLCLK", "SETFOCUS", "KILLFOCUS", "EDITCHANGE",
                                       "EDITUPDATE", "DROPDOWN", "CLOSEUP", "SELENDOK", "SELENDCANCEL"};
            std::string name = (id == 7003) ? (code == LBN_SELCHANGE ? "SELCHANGE" : code == LBN_DBLCLK ? "DBLCLK" : "LB" + std::to_string(code))
                                            : (code <= 10 ? names7001[code] : std::to_string(code));
            if (id == 7002 && code == CBN_DROPDOWN) {
                // The parent may fill the list as it drops.
                itemsOnDrop.push_back(std::to_string(combo().GetCount()));
            }
            events.push_back(std::to_string(id) + " " + name + " \"" + GetDlgItemText(id) + "\"");
        }
        return RecordingDialog::OnCommand(wParam, lParam);
    }
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->idFrom == 7004) {
            events.push_back(std::string(hdr->code == TCN_SELCHANGING ? "SELCHANGING " : "SELCHANGE ") +
                             std::to_string(tabs().GetCurSel()));
            *result = hdr->code == TCN_SELCHANGING && refuseTabChange;
            return TRUE;
        }
        return FALSE;
    }
};

TEST_F(WinTest, DropDownListReportsTheChoiceBeforeItsTextChanges) {
    ControlsDialog dlg;
    Script s;
    s.waitFor(dialogWithTemplate(207))
        .check([&] { dlg.events.clear(); })  // the first control has the focus from the start
        .select(ctrl(7001), "M36")  // the list shows six items: M36 needs scrolling into view
        .check([&] {
            EXPECT_EQ(dlg.list().GetCurSel(), 6);
            EXPECT_EQ(dlg.GetDlgItemText(7001), "M36");
            EXPECT_FALSE(dlg.list().GetDroppedState());
        })
        .key(VK_UP)
        .click(ctrl(7001))   // drop
        .click(ctrl(1))      // a click outside closes the list and is eaten
        .check([&] { EXPECT_EQ(dlg.countOf(IDOK, BN_CLICKED), 0); })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    const std::vector<std::string> expected = {
        "7001 DROPDOWN \"\"",     "7001 SELENDOK \"\"",     "7001 CLOSEUP \"\"",
        "7001 SELCHANGE \"\"",   "7001 SELCHANGE \"M36\"", "7001 DROPDOWN \"M30\"",  "7001 SELENDCANCEL \"M30\"",
        "7001 CLOSEUP \"M30\"",  "7001 KILLFOCUS \"M30\""};
    EXPECT_EQ(dlg.events, expected);
}

TEST_F(WinTest, DropDownComboReportsTypingAndArrowSelectionAndLosingTheFocus) {
    ControlsDialog dlg;
    Script s;
    s.waitFor(dialogWithTemplate(207))
        .click(ctrl(kComboEditId))  // the combo box's edit field
        .type("M1")
        .key(VK_DOWN)
        .check([&] {
            EXPECT_EQ(dlg.combo().GetCurSel(), 0);
            EXPECT_EQ(dlg.GetDlgItemText(7002), "M12");
        })
        .select(ctrl(7002), "M20")
        .key(VK_TAB)
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    std::vector<std::string> comboEvents;
    for (const auto& e : dlg.events)
        if (e.rfind("7002", 0) == 0) comboEvents.push_back(e);
    const std::vector<std::string> expected = {
        "7002 SETFOCUS \"\"",       "7002 EDITUPDATE \"M\"",    "7002 EDITCHANGE \"M\"",   "7002 EDITUPDATE \"M1\"",
        "7002 EDITCHANGE \"M1\"",   "7002 SELCHANGE \"M1\"",    "7002 DROPDOWN \"M12\"",   "7002 SELENDOK \"M12\"",
        "7002 CLOSEUP \"M12\"",     "7002 SELCHANGE \"M12\"",   "7002 KILLFOCUS \"M20\""};
    EXPECT_EQ(comboEvents, expected);
    EXPECT_EQ(dlg.itemsOnDrop, (std::vector<std::string>{"8"}));
}

TEST_F(WinTest, ComboKeepsItsFieldHeightAndTheRestAsDropDownHeight) {
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Create(207, AfxGetMainWnd()));
    CRect r, dropped;
    dlg.list().GetWindowRect(&r);
    EXPECT_EQ(r.Height(), 22);
    dlg.list().GetDroppedControlRect(&dropped);
    EXPECT_EQ(dropped.Height(), 120);
    dlg.list().MoveWindow(10, 10, 150, 20);  // a run-time size sets the drop-down height
    dlg.list().GetDroppedControlRect(&dropped);
    EXPECT_EQ(dropped.Height(), 22);
    EXPECT_EQ(dlg.list().SetCurSel(99), CB_ERR);
    EXPECT_EQ(dlg.list().GetCurSel(), -1);
    EXPECT_EQ(dlg.list().FindStringExact(-1, "m20"), 2);  // without regard to case
    EXPECT_EQ(dlg.list().SelectString(-1, "M2"), 2);
    EXPECT_EQ(dlg.list().GetWindowText(), "M20");
    dlg.list().SetWindowText("M42");  // a drop-down list selects the item with that text
    EXPECT_EQ(dlg.list().GetCurSel(), 7);
    dlg.combo().SetWindowText("M99");  // a drop-down shows any text in its field
    EXPECT_EQ(dlg.combo().GetWindowText(), "M99");
    EXPECT_EQ(dlg.combo().GetCurSel(), -1);
    EXPECT_TRUE(dlg.events.empty());  // none of this was a person's doing
    dlg.DestroyWindow();
}

TEST_F(WinTest, ListBoxSelectsByClickKeysAndTypingAndReportsDoubleClicks) {
    ControlsDialog dlg;
    Script s;
    s.waitFor(dialogWithTemplate(207))
        .check([&] { dlg.events.clear(); })
        .select(ctrl(7003), "L 60x6")  // below the visible rows: scrolled into view first
        .check([&] {
            EXPECT_EQ(dlg.listBox().GetCurSel(), 5);
            EXPECT_EQ(dlg.listBox().GetTopIndex(), 2);
        })
        .key(VK_HOME)
        .type("u")
        .doubleClick(ctrl(7003))
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    // Focus, the click, Home, typing "u" (UPN 100), the double click's first click, the double click, and
    // the focus leaving for Cancel.
    const std::vector<std::string> expected = {"7001 KILLFOCUS \"\"", "7003 LB4 \"\"",       "7003 SELCHANGE \"\"", "7003 SELCHANGE \"\"",
                                               "7003 SELCHANGE \"\"", "7003 SELCHANGE \"\"", "7003 DBLCLK \"\"",
                                               "7003 LB5 \"\""};
    EXPECT_EQ(dlg.events, expected);
}

TEST_F(WinTest, TabControlAsksBeforeChangingAndReportsAfter) {
    ControlsDialog dlg;
    Script s;
    s.waitFor(dialogWithTemplate(207))
        .check([&] {
            EXPECT_EQ(dlg.tabs().GetCurSel(), 0);
            CRect item0, item1;
            ASSERT_TRUE(dlg.tabs().GetItemRect(0, &item0));
            ASSERT_TRUE(dlg.tabs().GetItemRect(1, &item1));
            EXPECT_EQ(item0.left, 2);
            EXPECT_EQ(item1.left, item0.right);
            CRect display(0, 0, 220, 120);
            dlg.tabs().AdjustRect(FALSE, &display);
            EXPECT_GE(display.top, item0.bottom);
            CRect back = display;
            dlg.tabs().AdjustRect(TRUE, &back);
            EXPECT_EQ(back, CRect(0, 0, 220, 120));
        })
        .check([&] { dlg.events.clear(); })
        .click(ctrl(7008))
        .select(ctrl(7004), "Profiles")
        .check([&] { dlg.refuseTabChange = true; })
        .select(ctrl(7004), "Bolts")
        .check([&] {
            EXPECT_EQ(dlg.tabs().GetCurSel(), 2);
            dlg.refuseTabChange = false;
        })
        .key(VK_LEFT)
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    const std::vector<std::string> expected = {"7001 KILLFOCUS \"\"", "SELCHANGING 0", "SELCHANGE 2", "SELCHANGING 2", "SELCHANGING 2",
                                               "SELCHANGE 1"};
    EXPECT_EQ(dlg.events, expected);
}

TEST_F(WinTest, TooltipsKeepTheirTextsAndStaticsTheirPictures) {
    ControlsDialog dlg;
    ASSERT_TRUE(dlg.Create(207, AfxGetMainWnd()));
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&dlg));
    EXPECT_TRUE(tips.AddTool(dlg.GetDlgItem(7005), "Open the menu"));
    tips.AddTool(dlg.GetDlgItem(7006), "Ask a question");
    tips.UpdateTipText("Show the menu", dlg.GetDlgItem(7005));
    EXPECT_EQ(tips.GetText(dlg.GetDlgItem(7005)), "Show the menu");
    EXPECT_EQ(tips.GetToolCount(), 2);
    tips.DelTool(dlg.GetDlgItem(7006));
    EXPECT_EQ(tips.GetText(dlg.GetDlgItem(7006)), "");
    tips.Activate(FALSE);
    EXPECT_FALSE(tips.IsActive());

    CStatic picture;
    ASSERT_TRUE(picture.Create("", WS_VISIBLE | SS_BITMAP, CRect(10, 200, 42, 232), &dlg, 7100));
    EXPECT_EQ(picture.SetBitmap(HBITMAP(5)), HBITMAP());
    EXPECT_EQ(picture.SetBitmap(HBITMAP(6)), HBITMAP(5));
    EXPECT_EQ(picture.GetBitmap(), HBITMAP(6));
    picture.SetIcon(HICON(9));
    EXPECT_EQ(picture.GetIcon(), HICON(9));
    tips.DestroyWindow();
    dlg.DestroyWindow();
}

}  // namespace
}  // namespace vtl::test

namespace vtl::test {
namespace {
using namespace vtl::win;

TEST_F(WinTest, AListWithPicturesSelectsOneItemAndReportsClicksAndDoubleClicks) {
    class Thumbnails : public CDialog {
    public:
        Thumbnails() : CDialog(206) {}
        CListCtrl list;
        CImageList images;
        std::vector<std::string> events;

    protected:
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            images.Create(64, 48, ILC_COLOR24, 4, 4);
            list.Create(WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SINGLESEL, CRect(10, 40, 310, 150), this, 9091);
            list.SetImageList(&images);
            for (const char* name : {"End plate", "Fin plate", "Base plate", "Splice", "Haunch"})
                list.InsertItem(list.GetItemCount(), name, images.Add(HBITMAP()));
            return TRUE;
        }
        BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override {
            const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if (nm->hdr.idFrom != 9091) return FALSE;
            if (nm->hdr.code == NM_CLICK) events.push_back("click " + std::to_string(nm->iItem));
            if (nm->hdr.code == NM_DBLCLK) events.push_back("dblclick " + std::to_string(nm->iItem));
            if (nm->hdr.code == LVN_ITEMCHANGED)
                events.push_back("changed " + std::to_string(nm->iItem) +
                                 ((nm->uNewState & LVIS_SELECTED) ? " selected" : " cleared"));
            return TRUE;
        }
    } dlg;
    Script s;
    s.waitFor(dialogWithTemplate(206))
        .check([&] {
            CRect first, second;
            dlg.list.GetItemRect(0, &first);
            dlg.list.GetItemRect(1, &second);
            EXPECT_EQ(second.left, first.right);  // one row, left to right
            EXPECT_GE(first.Height(), 48);          // room for the picture and its label
            EXPECT_EQ(dlg.list.GetNextItem(-1, LVNI_SELECTED), -1);
        })
        .select(ctrl(9091), "Haunch")  // in the second row, below the visible one: scrolled into view
        .select(ctrl(9091), "Splice")
        .check([&] {
            EXPECT_EQ(dlg.list.GetNextItem(-1, LVNI_SELECTED), 3);
            EXPECT_EQ(dlg.list.GetItemState(4, LVIS_SELECTED), 0u);
        })
        .key(VK_LEFT)
        .check([&] {
            EXPECT_EQ(dlg.list.GetNextItem(-1, LVNI_SELECTED), 2);
            // A double click on the selected item, where a person would make it.
            CRect r;
            dlg.list.GetItemRect(2, &r);
            CPoint p = r.CenterPoint();
            dlg.list.ClientToScreen(&p);
            deliverInput(InputEvent::mouse(InputEvent::Kind::DoubleClick, p.x, p.y));
            deliverInput(InputEvent::mouse(InputEvent::Kind::MouseUp, p.x, p.y));
        })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    const std::vector<std::string> expected = {"changed 4 selected", "click 4",           "changed 4 cleared",
                                               "changed 3 selected", "click 3",           "changed 3 cleared",
                                               "changed 2 selected", "dblclick 2"};
    EXPECT_EQ(dlg.events, expected);
}

}  // namespace
}  // namespace vtl::test
