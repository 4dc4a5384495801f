// Modal dialogs answered by scripts: at depth 1 and 2, unanswered, ended during initialisation, and the
// check box state machine.
#include "win/button.h"
#include "win/script.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

class NameDialog : public RecordingDialog {
public:
    NameDialog() : RecordingDialog(200) {}
    std::string name;
    bool cancelHandlerRan = false;
    int innerResult = 0;
    std::string innerText;
    int depthInInner = 0;

protected:
    void OnOK() override {
        name = GetDlgItemText(1001);
        CDialog::OnOK();
    }
    void OnCancel() override {
        cancelHandlerRan = true;
        CDialog::OnCancel();
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == 1003 && HIWORD(wParam) == BN_CLICKED) {
            class Inner : public CDialog {
            public:
                explicit Inner(CWnd* parent) : CDialog(201, parent) {}
                std::string text;
                void OnOK() override {
                    text = GetDlgItemText(2001);
                    CDialog::OnOK();
                }
            } inner(this);
            innerResult = static_cast<int>(inner.DoModal());
            innerText = inner.text;
            return TRUE;
        }
        return RecordingDialog::OnCommand(wParam, lParam);
    }
};

TEST_F(WinTest, ModalDialogAnsweredByScriptDisablesItsOwnerWhileOpen) {
    NameDialog dlg;
    Script s;
    s.waitFor(dialogWithTemplate(200))
        .check([&] {
            EXPECT_FALSE(IsWindowEnabled(mainWindow()));
            EXPECT_EQ(loopDepth(), 1);
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1001);  // first tab stop
        })
        .type("HE 300 B")
        .click(ctrl(IDOK));
    INT_PTR result = 0;
    run(s, [&] { result = dlg.DoModal(); });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.name, "HE 300 B");
    EXPECT_TRUE(s.finished());
    EXPECT_TRUE(IsWindowEnabled(mainWindow()));
    EXPECT_FALSE(dlg.m_hWnd);
    EXPECT_EQ(GetActiveWindow(), mainWindow());
}

TEST_F(WinTest, ModalDialogOpenedFromAHandlerIsAnsweredAtDepthTwo) {
    NameDialog dlg;
    Script s;
    s.waitFor(dialogWithTemplate(200))
        .click(ctrl(1003))
        .waitFor(dialogWithTemplate(201))
        .check([&] {
            EXPECT_EQ(loopDepth(), 2);
            EXPECT_FALSE(IsWindowEnabled(dlg.m_hWnd));  // the outer dialog is the inner one's owner
        })
        .type("inner text")
        .key(VK_RETURN)  // Enter is the default button
        .waitFor(dialogWithTemplate(200))
        .check([&] {
            EXPECT_EQ(loopDepth(), 1);
            EXPECT_EQ(dlg.innerResult, IDOK);
            EXPECT_EQ(dlg.innerText, "inner text");
            // The focus comes back to the control that had it before the inner dialog opened.
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1003);
        })
        .key(VK_ESCAPE);
    INT_PTR result = 0;
    run(s, [&] { result = dlg.DoModal(); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(dlg.cancelHandlerRan);
    EXPECT_TRUE(s.finished());
}

TEST_F(WinTest, UnansweredWaitIsRecordedAndEndsTheLoopAsCancelledWithoutTheCancelHandler) {
    NameDialog dlg;
    Script s;
    s.waitFor(dialogWithTemplate(200)).click(ctrl(1003));  // opens the inner dialog, then nothing more
    INT_PTR result = 0;
    run(s, [&] { result = dlg.DoModal(); });
    EXPECT_EQ(dlg.innerResult, IDCANCEL);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(dlg.cancelHandlerRan);
    EXPECT_EQ(unansweredWaits(), (std::vector<std::string>{"unanswered dialog 201", "unanswered dialog 200"}));
    expectUnanswered("unanswered dialog 201");
    expectUnanswered("unanswered dialog 200");
}

TEST_F(WinTest, DialogEndedDuringInitialisationNeverWaits) {
    class EndsAtInit : public CDialog {
    public:
        EndsAtInit() : CDialog(201) {}
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            EndDialog(IDOK);
            return TRUE;
        }
    } dlg;
    Script s;
    INT_PTR result = 0;
    run(s, [&] { result = dlg.DoModal(); });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(unansweredWaits().empty());
    EXPECT_TRUE(IsWindowEnabled(mainWindow()));
}

TEST_F(WinTest, MissingTemplateFailsDoModal) {
    CDialog dlg(999);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(IsWindowEnabled(mainWindow()));
}

TEST_F(WinTest, ThreeStateCheckBoxChangesBeforeTheHandlerAndSwitchedToTwoStateNeverShowsIndeterminate) {
    class CheckDialog : public CDialog {
    public:
        CheckDialog() : CDialog(200) {}
        std::vector<int> seenInHandler;
        bool makeTwoState = false;
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
            if (LOWORD(wParam) == 1002 && HIWORD(wParam) == BN_CLICKED) {
                auto* box = static_cast<CButton*>(GetDlgItem(1002));
                seenInHandler.push_back(box->GetCheck());
                if (makeTwoState) box->SetButtonStyle(BS_AUTOCHECKBOX);
                return TRUE;
            }
            return CDialog::OnCommand(wParam, lParam);
        }
    } dlg;
    Script s;
    s.waitFor(dialogWithTemplate(200))
        .click(ctrl(1002))
        .click(ctrl(1002))
        .click(ctrl(1002))
        .check([&] {
            EXPECT_EQ(dlg.seenInHandler, (std::vector<int>{1, 2, 0}));
            auto* box = static_cast<CButton*>(dlg.GetDlgItem(1002));
            box->SetCheck(BST_INDETERMINATE);
            dlg.makeTwoState = true;
        })
        .click(ctrl(1002))
        .click(ctrl(1002))
        .click(ctrl(1002))
        .check([&] {
            EXPECT_EQ(dlg.seenInHandler, (std::vector<int>{1, 2, 0, 0, 1, 0}));
            auto* box = static_cast<CButton*>(dlg.GetDlgItem(1002));
            box->SetCheck(BST_INDETERMINATE);  // a two-state box cannot take it
            EXPECT_EQ(box->GetCheck(), BST_CHECKED);
        })
        .key(VK_SPACE)  // the focused box toggles on Space too
        .check([&] { EXPECT_EQ(dlg.seenInHandler.back(), 0); })
        .click(ctrl(IDCANCEL));
    run(s, [&] { dlg.DoModal(); });
    EXPECT_TRUE(s.finished());
}

TEST_F(WinTest, AutomaticRadioButtonsAreExclusiveWithinTheirGroupOnly) {
    CDialog dlg(204);
    Script s;
    s.waitFor(dialogWithTemplate(204))
        .click(ctrl(5004))
        .click(ctrl(5002))
        .check([&] {
            EXPECT_EQ(dlg.IsDlgButtonChecked(5002), 1u);
            EXPECT_EQ(dlg.IsDlgButtonChecked(5004), 1u);  // another group
        })
        .click(ctrl(5003))
        .check([&] {
            EXPECT_EQ(dlg.IsDlgButtonChecked(5002), 0u);
            EXPECT_EQ(dlg.IsDlgButtonChecked(5003), 1u);
        })
        .key(VK_UP)  // arrows move through the group and check as they go
        .check([&] {
            EXPECT_EQ(GetDlgCtrlID(GetFocus()), 5002);
            EXPECT_EQ(dlg.IsDlgButtonChecked(5002), 1u);
            EXPECT_EQ(dlg.IsDlgButtonChecked(5003), 0u);
        })
        .click(ctrl(IDOK));
    run(s, [&] { EXPECT_EQ(dlg.DoModal(), IDOK); });
}

}  // namespace
}  // namespace vtl::test
