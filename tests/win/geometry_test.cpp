// Rectangles: the top-level frame, client and screen coordinates, z-order, minimum tracking size and
// deferred batches.
#include "win/script.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

TEST_F(WinTest, TopLevelFrameHasFiveAndTwentyPixelInsetsSoChildRectsConvertExactly) {
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(200, AfxGetMainWnd()));
    CRect window, client;
    dlg.GetWindowRect(&window);
    dlg.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 320, 200));  // the template's client size
    EXPECT_EQ(window.Width(), 330);
    EXPECT_EQ(window.Height(), 225);

    // A control's window rectangle, taken relative to the dialog's window rectangle and shifted 5 left
    // and 20 up, is its rectangle in client coordinates.
    CRect item;
    dlg.GetDlgItem(1004)->GetWindowRect(&item);
    CRect relative(item.left - window.left - 5, item.top - window.top - 20, item.right - window.left - 5,
                   item.bottom - window.top - 20);
    EXPECT_EQ(relative, CRect(10, 100, 150, 122));
    CRect viaMapping = item;
    dlg.ScreenToClient(&viaMapping);
    EXPECT_EQ(viaMapping, relative);
    dlg.DestroyWindow();
}

TEST_F(WinTest, ResizingKeepsTheMinimumTrackingSizeAndReportsTheClientSize) {
    class Sized : public CDialog {
    public:
        std::vector<std::pair<int, int>> sizes;
        void OnGetMinMaxInfo(MINMAXINFO* info) override { info->ptMinTrackSize = {250, 150}; }
        void OnSize(UINT, int cx, int cy) override { sizes.emplace_back(cx, cy); }
    } dlg;
    ASSERT_TRUE(dlg.Create(203, AfxGetMainWnd()));
    dlg.sizes.clear();
    dlg.SetWindowPos(nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    CRect r;
    dlg.GetWindowRect(&r);
    EXPECT_EQ(r.Size(), CSize(250, 150));
    EXPECT_EQ(dlg.sizes, (std::vector<std::pair<int, int>>{{240, 125}}));

    // A person dragging the corner meets the same limit.
    Script s;
    s.waitFor(dialogWithTemplate(203)).resize(400, 300).resize(10, 10);
    WaitInfo wait;
    int steps = 0;
    run(s, [&] { runLoop(wait, [&] { return ++steps > 200; }); });
    dlg.GetWindowRect(&r);
    EXPECT_EQ(r.Size(), CSize(250, 150));
    EXPECT_NE(std::find(dlg.sizes.begin(), dlg.sizes.end(), std::pair<int, int>{390, 275}), dlg.sizes.end());
    expectUnanswered("unanswered main");
    dlg.DestroyWindow();
}

TEST_F(WinTest, DeferredBatchMovesEveryWindowWithoutChangingTheZOrder) {
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(203, AfxGetMainWnd()));
    const HWND before = GetWindow(dlg.m_hWnd, GW_CHILD);
    HDWP batch = BeginDeferWindowPos(2);
    batch = DeferWindowPos(batch, dlg.GetDlgItem(4003)->m_hWnd, HWND(), 50, 150, 60, 30, SWP_NOZORDER);
    batch = DeferWindowPos(batch, dlg.GetDlgItem(4002)->m_hWnd, HWND(), 50, 110, 60, 30, SWP_NOZORDER);
    CRect r;
    dlg.GetDlgItem(4003)->GetWindowRect(&r);
    dlg.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(10, 70, 110, 94));  // nothing moves before the batch ends
    ASSERT_TRUE(EndDeferWindowPos(batch));
    dlg.GetDlgItem(4003)->GetWindowRect(&r);
    dlg.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(50, 150, 110, 180));
    EXPECT_EQ(GetWindow(dlg.m_hWnd, GW_CHILD), before);
    EXPECT_FALSE(EndDeferWindowPos(batch));  // a batch ends once
    dlg.DestroyWindow();
}

TEST_F(WinTest, TopMostWindowsStayAboveAndHitTestingFollowsZOrder) {
    CDialog a, b;
    ASSERT_TRUE(a.Create(202, AfxGetMainWnd()));
    ASSERT_TRUE(b.Create(202, AfxGetMainWnd()));
    // Both are centred on the main window, so they overlap: the later one is on top.
    const POINT p = clickPoint(b.GetDlgItem(3001)->m_hWnd);
    EXPECT_EQ(GetAncestor(WindowFromPoint(p), GA_ROOT), b.m_hWnd);
    a.SetWindowPos(reinterpret_cast<const CWnd*>(0), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetAncestor(WindowFromPoint(p), GA_ROOT), a.m_hWnd);
    SetWindowPos(b.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    a.SetActiveWindow();  // activation brings a window up, but not above a top-most one
    EXPECT_EQ(GetAncestor(WindowFromPoint(p), GA_ROOT), b.m_hWnd);
    // A window owned by the top-most one is top-most itself: it comes up above its owner.
    CDialog owned;
    ASSERT_TRUE(owned.Create(202, &b));
    EXPECT_TRUE(GetWindowLongPtr(owned.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetAncestor(WindowFromPoint(clickPoint(owned.GetDlgItem(3001)->m_hWnd)), GA_ROOT), owned.m_hWnd);
    owned.DestroyWindow();
    a.DestroyWindow();
    b.DestroyWindow();
}

}  // namespace
}  // namespace vtl::test
