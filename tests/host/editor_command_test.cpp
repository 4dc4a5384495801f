// Host dialogs stepping aside for a pick in the drawing (BeginEditorCommand / CompleteEditorCommand), and
// the pick itself, driven by scripts.
#include <span>

#include "host/command_line.h"
#include "host/dialogs.h"
#include "host/pick.h"
#include "support/fixture.h"
#include "win/keys.h"
#include "win/pump.h"
#include "win/resources.h"
#include "win/script.h"

std::span<const vtl::win::EmbeddedFile> test_host_resources();

namespace vtl::test {
namespace {
using namespace vtl::win;

constexpr int kPicking = 300;
constexpr int kOuter = 301;
constexpr int kModeless = 302;
constexpr int kPickButton = 1002;
constexpr int kOpenButton = 1101;

// A dialog whose Pick button steps aside for a point in the drawing.
class PickingDialog : public CAcUiDialog {
public:
    explicit PickingDialog(CWnd* parent = nullptr) : CAcUiDialog(kPicking, parent) {}
    bool endWhileAside = false;  // ends with Cancel after the pick, without CompleteEditorCommand
    int picks = 0;
    bool picked = false;
    POINT point;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == kPickButton && HIWORD(wParam) == BN_CLICKED) {
            BeginEditorCommand();
            ++picks;
            picked = host::getPoint("\nPick a point: ", point);
            if (endWhileAside) {
                EndDialog(IDCANCEL);
            } else {
                CompleteEditorCommand();
            }
            return TRUE;
        }
        return CAcUiDialog::OnCommand(wParam, lParam);
    }
};

class HostEditorCommand : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        static const int anchor = 0;
        const HINSTANCE self = instanceOfAddress(&anchor);
        if (!hasResources(self)) registerResources(self, test_host_resources());
    }
    POINT clientOfMain(int x, int y) const {
        POINT p{x, y};
        ScreenToClient(mainWindow(), &p);
        return p;
    }
};

TEST_F(HostEditorCommand, AModalDialogStepsAsideForAPickAndComesBackAsItWas) {
    PickingDialog dlg;
    Script s;
    s.waitFor(dialogWithTemplate(kPicking))
        .click(ctrl(kPickButton))
        .check([&] {
            // The drawing has the input; the dialog is out of the way.
            EXPECT_FALSE(IsWindowVisible(dlg.m_hWnd));
            EXPECT_TRUE(IsWindowEnabled(mainWindow()));
            EXPECT_EQ(GetActiveWindow(), mainWindow());
            EXPECT_EQ(GetFocus(), mainWindow());
            EXPECT_TRUE(dlg.editorCommandActive());
            ASSERT_NE(currentWait(), nullptr);
            EXPECT_EQ(currentWait()->describe(), "pick Pick a point:");
        })
        .click(point(300, 200))
        .check([&] {
            EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
            EXPECT_FALSE(IsWindowEnabled(mainWindow()));
            EXPECT_EQ(GetActiveWindow(), dlg.m_hWnd);
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), kPickButton);  // the focus is back where it was
            EXPECT_FALSE(dlg.editorCommandActive());
            EXPECT_FALSE(host::pickInProgress());
        })
        .click(ctrl(IDOK));
    INT_PTR result = 0;
    run(s, [&] { result = dlg.DoModal(); });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(s.finished());
    EXPECT_TRUE(dlg.picked);
    EXPECT_EQ(dlg.point, clientOfMain(300, 200));
    EXPECT_EQ(dlg.point, (POINT{295, 180}));  // inside the frame's 5-pixel border and 20-pixel caption
    EXPECT_EQ(host::commandLineText(), "\nPick a point: ");
    EXPECT_TRUE(IsWindowEnabled(mainWindow()));
}

TEST_F(HostEditorCommand, EscapeCancelsThePickAndTheDialogCarriesOn) {
    PickingDialog dlg;
    Script s;
    s.waitFor(dialogWithTemplate(kPicking))
        .click(ctrl(kPickButton))
        .rightClick(point(300, 200))  // only the left button picks
        .key(VK_ESCAPE)
        .check([&] {
            EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
            EXPECT_FALSE(IsWindowEnabled(mainWindow()));
        })
        .click(ctrl(kPickButton))
        .click(point(40, 60))
        .click(ctrl(IDOK));
    INT_PTR result = 0;
    run(s, [&] { result = dlg.DoModal(); });
    EXPECT_EQ(result, IDOK);  // Escape ended the pick, not the dialog
    EXPECT_EQ(dlg.picks, 2);
    EXPECT_TRUE(dlg.picked);
    EXPECT_EQ(dlg.point, clientOfMain(40, 60));
}

TEST_F(HostEditorCommand, APickWithoutAnswerIsRecordedAndCancelled) {
    expectUnanswered("unanswered pick Pick a point:");
    expectUnanswered("unanswered dialog 300");
    PickingDialog dlg;
    Script s;
    s.waitFor(dialogWithTemplate(kPicking)).click(ctrl(kPickButton));
    INT_PTR result = 0;
    run(s, [&] { result = dlg.DoModal(); });
    EXPECT_EQ(dlg.picks, 1);
    EXPECT_FALSE(dlg.picked);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(mainWindow()));
}

TEST_F(HostEditorCommand, ADialogThatEndsWhileAsideLeavesTheMainWindowAsItsRunFoundIt) {
    // On its own: the main window is enabled again when the run ends.
    {
        PickingDialog dlg;
        dlg.endWhileAside = true;
        Script s;
        s.waitFor(dialogWithTemplate(kPicking)).click(ctrl(kPickButton)).click(point(300, 200));
        run(s, [&] { EXPECT_EQ(dlg.DoModal(), IDCANCEL); });
        EXPECT_TRUE(s.finished());
        EXPECT_TRUE(IsWindowEnabled(mainWindow()));
    }
    // Inside another modal dialog: the main window stays disabled while the outer dialog runs.
    class Outer : public CDialog {
    public:
        Outer() : CDialog(kOuter) {}
        bool innerPicked = false;

    protected:
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
            if (LOWORD(wParam) == kOpenButton && HIWORD(wParam) == BN_CLICKED) {
                PickingDialog inner(this);
                inner.endWhileAside = true;
                inner.DoModal();
                innerPicked = inner.picked;
                return TRUE;
            }
            return CDialog::OnCommand(wParam, lParam);
        }
    } outer;
    Script s;
    s.waitFor(dialogWithTemplate(kOuter))
        .click(ctrl(kOpenButton))
        .waitFor(dialogWithTemplate(kPicking))
        .click(ctrl(kPickButton))
        .check([&] {
            EXPECT_TRUE(IsWindowEnabled(mainWindow()));
            EXPECT_FALSE(IsWindowEnabled(outer.m_hWnd));
        })
        .click(point(300, 200))
        .waitFor(dialogWithTemplate(kOuter))
        .check([&] {
            EXPECT_FALSE(IsWindowEnabled(mainWindow()));
            EXPECT_TRUE(IsWindowEnabled(outer.m_hWnd));
        })
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_EQ(outer.DoModal(), IDOK); });
    EXPECT_TRUE(s.finished());
    EXPECT_TRUE(outer.innerPicked);
    EXPECT_TRUE(IsWindowEnabled(mainWindow()));
}

TEST_F(HostEditorCommand, AModelessDialogStepsAsideWithoutDisablingTheMainWindowAfterwards) {
    CAcUiTabMainDialog dlg;
    ASSERT_TRUE(dlg.Create(kModeless));
    dlg.GetDlgItem(1201)->SetFocus();
    bool picked = false;
    POINT p;
    Script s;
    s.check([&] {
         EXPECT_FALSE(IsWindowVisible(dlg.m_hWnd));
         EXPECT_EQ(GetFocus(), mainWindow());
     })
        .click(point(500, 400));
    run(s, [&] {
        dlg.BeginEditorCommand();
        dlg.BeginEditorCommand();  // a second begin changes nothing
        picked = host::getPoint("Where? ", p);
        dlg.CompleteEditorCommand();
        dlg.CompleteEditorCommand();
    });
    EXPECT_TRUE(s.finished());
    EXPECT_TRUE(picked);
    EXPECT_EQ(p, clientOfMain(500, 400));
    EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
    EXPECT_TRUE(IsWindowEnabled(mainWindow()));
    EXPECT_EQ(GetActiveWindow(), dlg.m_hWnd);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1201);
    dlg.DestroyWindow();
}

TEST_F(HostEditorCommand, APickTakesOnlyAClickInTheMainWindowsClientArea) {
    bool picked = false;
    POINT p;
    Script s;
    s.click(point(400, 10))  // the main window's caption
        .click(point(2, 300))  // its left border
        .click(point(401, 301));
    run(s, [&] { picked = host::getPoint("Point: ", p); });
    EXPECT_TRUE(picked);
    EXPECT_EQ(p, clientOfMain(401, 301));
    EXPECT_EQ(GetFocus(), mainWindow());

    // With the main window disabled no click could reach the drawing: no wait, nothing printed.
    host::clearCommandLine();
    EnableWindow(mainWindow(), FALSE);
    EXPECT_FALSE(host::getPoint("Point: ", p));
    EXPECT_EQ(host::commandLineText(), "");
    EnableWindow(mainWindow(), TRUE);
}

}  // namespace
}  // namespace vtl::test
