// Tooltips: a tool's text shows near the cursor once it has rested on the tool for the delay, and goes
// when the cursor leaves the tool, on a click, or when the tooltip is switched off.
#include "win/button.h"
#include "win/input.h"
#include "win/tool_tip.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

// A button that hands its messages to its tooltip, as a control with a tip does.
class TippedButton : public CButton {
public:
    CToolTipCtrl* tip = nullptr;

protected:
    BOOL PreTranslateMessage(MSG* msg) override {
        if (tip) tip->RelayEvent(msg);
        return CButton::PreTranslateMessage(msg);
    }
};

POINT centre(HWND h) {
    RECT r;
    ::GetWindowRect(h, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void moveTo(POINT p) { deliverInput(InputEvent::mouse(InputEvent::Kind::MouseMove, p.x, p.y)); }

TEST_F(WinTest, ATooltipShowsAfterTheDelayOnItsToolAndGoesWhenTheCursorLeaves) {
    RecordingDialog dlg(200);
    ASSERT_TRUE(dlg.Create(200, AfxGetMainWnd()));
    dlg.ShowWindow(SW_SHOW);
    TippedButton button;
    ASSERT_TRUE(button.SubclassDlgItem(1003, &dlg));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&dlg));
    tip.AddTool(&button, "Opens the inner dialog");
    tip.SetDelayTime(300);
    button.tip = &tip;

    moveTo(centre(button.m_hWnd));
    advance(299);
    EXPECT_FALSE(::IsWindowVisible(tip.m_hWnd));
    advance(1);
    ASSERT_TRUE(::IsWindowVisible(tip.m_hWnd));
    RECT shown;
    ::GetWindowRect(tip.m_hWnd, &shown);
    EXPECT_GT(shown.top, centre(button.m_hWnd).y);  // below the cursor
    EXPECT_GT(shown.right - shown.left, 40);         // wide enough for its text

    // Leaving the tool takes it away at the next check.
    moveTo(centre(::GetDlgItem(dlg.m_hWnd, 1001)));
    advance(100);
    EXPECT_FALSE(::IsWindowVisible(tip.m_hWnd));

    // Back on the tool, a click takes it away; switched off, it never shows.
    moveTo(centre(button.m_hWnd));
    advance(300);
    EXPECT_TRUE(::IsWindowVisible(tip.m_hWnd));
    const POINT p = centre(button.m_hWnd);
    deliverInput(InputEvent::mouse(InputEvent::Kind::MouseDown, p.x, p.y));
    deliverInput(InputEvent::mouse(InputEvent::Kind::MouseUp, p.x, p.y));
    EXPECT_FALSE(::IsWindowVisible(tip.m_hWnd));
    tip.Activate(FALSE);
    moveTo(centre(::GetDlgItem(dlg.m_hWnd, 1001)));
    moveTo(centre(button.m_hWnd));
    advance(1000);
    EXPECT_FALSE(::IsWindowVisible(tip.m_hWnd));

    tip.DestroyWindow();
    button.UnsubclassWindow();
    dlg.DestroyWindow();
}

}  // namespace
}  // namespace vtl::test
