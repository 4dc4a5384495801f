// Dialog pages: child dialogs whose controls join their parent's navigation, and destruction that
// re-enters from a page's own handler.
#include "win/script.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

class PageHost : public CDialog {
public:
    PageHost() : CDialog(206) {}
    CDialog page;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        page.CreateAsChild(205, this);
        page.MoveWindow(10, 36, 200, 60);
        return TRUE;
    }
};

TEST_F(WinTest, TabWalksIntoAPageAndKeysInAPageReachTheOwningDialog) {
    PageHost dlg;
    std::vector<int> order;
    Script s;
    s.waitFor(dialogWithTemplate(206))
        .check([&] {
            EXPECT_EQ(dlg.page.GetParent(), &dlg);
            EXPECT_TRUE(dlg.page.GetExStyle() & WS_EX_CONTROLPARENT);
            CRect r;
            dlg.page.GetDlgItem(6001)->GetWindowRect(&r);
            dlg.ScreenToClient(&r);
            EXPECT_EQ(r.TopLeft(), CPoint(20, 46));  // page offset plus control position
        });
    for (int i = 0; i < 5; ++i) s.key(VK_TAB).check([&] { order.push_back(GetDlgCtrlID(GetFocus())); });
    s.click(ctrl(6002))
        .check([&] { EXPECT_EQ(dlg.page.IsDlgButtonChecked(6002), 1u); })
        .key(VK_ESCAPE);  // from inside the page, Escape cancels the dialog
    run(s, [&] { EXPECT_EQ(dlg.DoModal(), IDCANCEL); });
    EXPECT_EQ(order, (std::vector<int>{IDOK, IDCANCEL, 6001, 6002, 2001}));
    EXPECT_FALSE(dlg.page.m_hWnd);  // destroyed with its parent
}

TEST_F(WinTest, APageThatDestroysItsParentFromItsOwnDestroyHandlerIsTornDownOnce) {
    class Counting : public CDialog {
    public:
        int destroys = 0;
        int ncdestroys = 0;
        HWND alsoDestroy;
        void OnDestroy() override {
            ++destroys;
            if (alsoDestroy) ::DestroyWindow(alsoDestroy);
            CDialog::OnDestroy();
        }
        void OnNcDestroy() override {
            ++ncdestroys;
            CDialog::OnNcDestroy();
        }
    };
    Counting outer, page;
    ASSERT_TRUE(outer.Create(202, AfxGetMainWnd()));
    ASSERT_TRUE(page.CreateAsChild(205, &outer));
    page.alsoDestroy = outer.m_hWnd;
    page.DestroyWindow();
    EXPECT_FALSE(IsWindow(outer.m_hWnd));
    EXPECT_EQ(page.destroys, 1);
    EXPECT_EQ(page.ncdestroys, 1);
    EXPECT_EQ(outer.destroys, 1);
    EXPECT_EQ(outer.ncdestroys, 1);
}

}  // namespace
}  // namespace vtl::test
