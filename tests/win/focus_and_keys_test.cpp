// Focus, keyboard and mouse: Tab order, the order of focus notifications, Enter and Escape, a dialog taking
// keys over before navigation, and which buttons a mouse message names and carries.
#include "win/edit.h"
#include "win/script.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

int focusedId() { return GetDlgCtrlID(GetFocus()); }

TEST_F(WinTest, TabWalksVisibleEnabledTabStopsInTemplateOrderAndShiftTabWalksBack) {
    RecordingDialog dlg(200);
    std::vector<int> forward, backward;
    Script s;
    s.waitFor(dialogWithTemplate(200)).check([&] { SetDlgItemText(dlg.m_hWnd, 1004, "abcd"); });
    for (int i = 0; i < 7; ++i) s.key(VK_TAB).check([&] { forward.push_back(focusedId()); });
    for (int i = 0; i < 3; ++i) s.key(VK_TAB, ModShift).check([&] { backward.push_back(focusedId()); });
    s.click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    // 1005 is hidden, 1006 disabled, the label no tab stop; the walk wraps round.
    EXPECT_EQ(forward, (std::vector<int>{1002, 1003, 1004, IDOK, IDCANCEL, 1001, 1002}));
    EXPECT_EQ(backward, (std::vector<int>{1001, IDCANCEL, IDOK}));
}

TEST_F(WinTest, TabbingIntoAnEditSelectsItsWholeText) {
    RecordingDialog dlg(200);
    Script s;
    s.waitFor(dialogWithTemplate(200))
        .check([&] { SetDlgItemText(dlg.m_hWnd, 1004, "abcd"); })
        .click(ctrl(1003))
        .key(VK_TAB)
        .check([&] {
            int a = -1, b = -1;
            static_cast<CEdit*>(dlg.GetDlgItem(1004))->GetSel(a, b);
            EXPECT_EQ(a, 0);
            EXPECT_EQ(b, 4);
        })
        .type("x")
        .check([&] { EXPECT_EQ(dlg.GetDlgItemText(1004), "x"); })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
}

TEST_F(WinTest, EditLosingTheFocusSendsKillFocusOnceBeforeTheNewControlHearsSetFocus) {
    RecordingDialog dlg(200);
    Script s;
    s.waitFor(dialogWithTemplate(200))
        .check([&] { dlg.notifications.clear(); })
        .type("ab")
        .click(ctrl(1004))
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    std::vector<Notification> edits;
    for (const auto& n : dlg.notifications)
        if (n.id == 1001 || n.id == 1004) edits.push_back(n);
    // While the old edit reports losing the focus, the focus is already on the new control.
    const std::vector<Notification> expected = {
        {1001, EN_UPDATE, 1001}, {1001, EN_CHANGE, 1001}, {1001, EN_UPDATE, 1001},
        {1001, EN_CHANGE, 1001}, {1001, EN_KILLFOCUS, 1004}, {1004, EN_SETFOCUS, 1004},
        {1004, EN_KILLFOCUS, IDCANCEL}};
    EXPECT_EQ(edits, expected);
    EXPECT_EQ(dlg.countOf(1001, EN_KILLFOCUS), 1);
}

TEST_F(WinTest, AWindowBeingDestroyedSendsNoNotifications) {
    class Watch : public RecordingDialog {
    public:
        Watch() : RecordingDialog(202) {}
        void OnDestroy() override {
            SetDlgItemText(3002, "changed during teardown");  // would be EN_CHANGE
            CDialog::OnDestroy();
        }
    } dlg;
    ASSERT_TRUE(dlg.Create(202, AfxGetMainWnd()));
    dlg.GetDlgItem(3002)->SetFocus();
    dlg.notifications.clear();
    dlg.DestroyWindow();
    EXPECT_TRUE(dlg.notifications.empty());  // neither EN_KILLFOCUS nor EN_CHANGE
    EXPECT_EQ(GetFocus(), mainWindow());  // the focus went back with the activation
}

TEST_F(WinTest, EnterPressesTheDefaultButtonAndEscapeCancels) {
    RecordingDialog first(200);
    Script s;
    s.waitFor(dialogWithTemplate(200)).key(VK_RETURN);
    run(s, [&] { EXPECT_EQ(first.DoModal(), IDOK); });
    EXPECT_EQ(first.countOf(IDOK, BN_CLICKED), 1);

    RecordingDialog second(200);
    Script t;
    t.waitFor(dialogWithTemplate(200)).click(ctrl(1003)).key(VK_RETURN).key(VK_ESCAPE);
    run(t, [&] { EXPECT_EQ(second.DoModal(), IDCANCEL); });
    // Enter on a focused push button presses that button, not the default one.
    EXPECT_EQ(second.countOf(1003, BN_CLICKED), 2);
    EXPECT_EQ(second.countOf(IDOK, BN_CLICKED), 0);
}

TEST_F(WinTest, ADialogCanTakeTabOverBeforeNavigation) {
    class OwnTab : public RecordingDialog {
    public:
        OwnTab() : RecordingDialog(200) {}
        int tabs = 0;
        BOOL PreTranslateMessage(MSG* msg) override {
            if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && GetKeyState(VK_SHIFT) >= 0) {
                ++tabs;
                GetDlgItem(1004)->SetFocus();  // always to 1004
                return TRUE;
            }
            return CDialog::PreTranslateMessage(msg);
        }
    } dlg;
    Script s;
    s.waitFor(dialogWithTemplate(200))
        .key(VK_TAB)
        .check([&] { EXPECT_EQ(focusedId(), 1004); })
        .key(VK_TAB, ModShift)  // left to ordinary navigation
        .check([&] { EXPECT_EQ(focusedId(), 1003); })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.tabs, 1);
}

TEST_F(WinTest, ClicksOnDisabledControlsDoNothing) {
    RecordingDialog dlg(200);
    Script s;
    s.waitFor(dialogWithTemplate(200)).click(ctrl(1006)).click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_EQ(dlg.countOf(1006, BN_CLICKED), 0);
}

TEST_F(WinTest, EditHonoursNumberStyleLimitAndCodePointPositions) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "VtlFrame", "p", WS_POPUP | WS_VISIBLE, CRect(10, 10, 400, 300), nullptr, 0));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_NUMBER, CRect(0, 0, 100, 20), &parent, 77));
    edit.SetFocus();
    for (char32_t c : std::u32string(U"1a2")) deliverInput(InputEvent::character(c));
    EXPECT_EQ(edit.GetWindowText(), "12");
    edit.SetWindowText("x");  // code may still set letters
    EXPECT_EQ(edit.GetWindowText(), "x");

    CEdit limited;
    ASSERT_TRUE(limited.Create(WS_VISIBLE, CRect(0, 30, 100, 50), &parent, 78));
    limited.SetLimitText(3);
    limited.SetFocus();
    for (char32_t c : std::u32string(U"éèêë")) deliverInput(InputEvent::character(c));
    EXPECT_EQ(limited.GetWindowText(), "éèê");
    limited.SetSel(1, 2);
    limited.ReplaceSel("ü");
    EXPECT_EQ(limited.GetWindowText(), "éüê");
    int a = 0, b = 0;
    limited.GetSel(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 2);
    deliverInput(InputEvent::key(InputEvent::Kind::KeyDown, VK_BACK));
    EXPECT_EQ(limited.GetWindowText(), "éê");
}

}  // namespace
}  // namespace vtl::test

namespace vtl::test {
namespace {
// Records the mouse messages a control receives, with their button and key flags.
class MouseRecorder : public CWnd {
public:
    std::vector<std::pair<UINT, WPARAM>> seen;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) seen.emplace_back(msg, wParam);
        return CWnd::WindowProc(msg, wParam, lParam);
    }
};

TEST_F(WinTest, MouseMessagesNameTheirButtonAndCarryTheButtonsHeld) {
    RecordingDialog dlg(200);
    ASSERT_TRUE(dlg.Create(200, AfxGetMainWnd()));
    dlg.ShowWindow(SW_SHOW);
    MouseRecorder label;
    ASSERT_TRUE(label.SubclassDlgItem(1001, &dlg));
    RECT r;
    ::GetWindowRect(label.m_hWnd, &r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    using K = win::InputEvent::Kind;
    using B = win::InputEvent::Button;
    const auto mouse = [](K kind, int px, int py, B button = B::Left) {
        win::deliverInput(win::InputEvent::mouse(kind, px, py, button));
    };

    // A drag with the left button: the moves while it is held say so, the release does not.
    mouse(K::MouseDown, x, y);
    mouse(K::MouseMove, x + 1, y);
    mouse(K::MouseUp, x + 1, y);
    mouse(K::MouseMove, x, y);
    // The middle button has messages of its own.
    mouse(K::MouseDown, x, y, B::Middle);
    mouse(K::MouseUp, x, y, B::Middle);
    mouse(K::MouseDown, x, y, B::Right);
    mouse(K::MouseUp, x, y, B::Right);
    const std::vector<std::pair<UINT, WPARAM>> expected{
        {WM_LBUTTONDOWN, MK_LBUTTON}, {WM_MOUSEMOVE, MK_LBUTTON}, {WM_LBUTTONUP, 0},
        {WM_MOUSEMOVE, 0},           {WM_MBUTTONDOWN, MK_MBUTTON}, {WM_MBUTTONUP, 0},
        {WM_RBUTTONDOWN, MK_RBUTTON}, {WM_RBUTTONUP, 0}};
    EXPECT_EQ(label.seen, expected);
    label.UnsubclassWindow();
    dlg.DestroyWindow();
}
}  // namespace
}  // namespace vtl::test
