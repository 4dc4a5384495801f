// Window records and their objects: typed objects for handles, subclassing, text, show/enable and the
// focus, capture, parents and the JSON tree.
#include <nlohmann/json.hpp>

#include "win/button.h"
#include "win/edit.h"
#include "win/static.h"
#include "win/window_tree.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

class Hosted : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        ASSERT_TRUE(dlg.Create(200, AfxGetMainWnd()));
        dlg.ShowWindow(SW_SHOW);
    }
    void TearDown() override {
        dlg.DestroyWindow();
        WinTest::TearDown();
    }
    RecordingDialog dlg{200};
};

TEST_F(Hosted, FromHandleGivesObjectsOfTheControlsClassAndAttachedObjectsSeeMessagesFirst) {
    EXPECT_NE(dynamic_cast<CButton*>(dlg.GetDlgItem(1002)), nullptr);
    EXPECT_NE(dynamic_cast<CEdit*>(dlg.GetDlgItem(1001)), nullptr);
    EXPECT_NE(dynamic_cast<CStatic*>(CWnd::FromHandle(GetWindow(dlg.GetDlgItem(1006)->m_hWnd, GW_HWNDNEXT))),
              nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.GetDlgItem(1001)->m_hWnd), nullptr);

    // A subclassing object sees the edit's characters before the class and can swallow them.
    class NoDigits : public CEdit {
    protected:
        void OnChar(UINT ch, UINT repeat, UINT flags) override {
            if (ch < '0' || ch > '9') CEdit::OnChar(ch, repeat, flags);
        }
    } edit;
    ASSERT_TRUE(edit.SubclassDlgItem(1001, &dlg));
    EXPECT_EQ(CWnd::FromHandle(edit.m_hWnd), &edit);
    CDialog other;
    EXPECT_FALSE(other.Attach(edit.m_hWnd));  // one object per handle
    edit.SetFocus();
    for (char32_t c : std::u32string(U"a1b2")) deliverInput(InputEvent::character(c));
    EXPECT_EQ(edit.GetWindowText(), "ab");
    const HWND h = edit.UnsubclassWindow();
    EXPECT_TRUE(IsWindow(h));  // detaching leaves the window
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

TEST_F(Hosted, TextLengthsCountCodePointsAndBufferCopiesNeverSplitACharacter) {
    dlg.SetDlgItemText(1001, "Maß 30°");
    EXPECT_EQ(dlg.GetDlgItem(1001)->GetWindowTextLength(), 7);
    char buf[5];
    const LRESULT n = SendMessage(dlg.GetDlgItem(1001)->m_hWnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    EXPECT_EQ(n, 4);  // "Maß" is 4 bytes; the fifth would be the terminator
    EXPECT_STREQ(buf, "Maß");
    char small[4];
    SendMessage(dlg.GetDlgItem(1001)->m_hWnd, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small));
    EXPECT_STREQ(small, "Ma");  // "ß" would not fit whole

    BOOL ok = FALSE;
    dlg.SetDlgItemText(1004, " -42 ");
    EXPECT_EQ(static_cast<int>(dlg.GetDlgItemInt(1004, &ok)), -42);
    EXPECT_TRUE(ok);
    dlg.SetDlgItemText(1004, "12mm");
    EXPECT_EQ(dlg.GetDlgItemInt(1004, &ok), 0u);
    EXPECT_FALSE(ok);
    dlg.SetDlgItemText(1004, "99999999999");
    dlg.GetDlgItemInt(1004, &ok);
    EXPECT_FALSE(ok);
}

TEST_F(Hosted, HidingOrDisablingTheFocusedControlMovesTheFocusAway) {
    dlg.GetDlgItem(1004)->SetFocus();
    dlg.GetDlgItem(1004)->ShowWindow(SW_HIDE);
    // The focus goes to the dialog, which hands it to its first control.
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), 1001);
    dlg.GetDlgItem(1001)->EnableWindow(FALSE);
    EXPECT_EQ(GetFocus(), HWND());
    EXPECT_FALSE(dlg.GetDlgItem(1001)->SetFocus());  // a disabled window takes no focus
    EXPECT_EQ(GetFocus(), HWND());
    dlg.GetDlgItem(1001)->EnableWindow(TRUE);
    dlg.GetDlgItem(1004)->ShowWindow(SW_SHOW);
    EXPECT_TRUE(dlg.GetDlgItem(1004)->IsWindowVisible());
    dlg.ShowWindow(SW_HIDE);
    EXPECT_FALSE(dlg.GetDlgItem(1004)->IsWindowVisible());  // visible only with every ancestor
}

// A control's object hears its own WM_COMMAND notification before the dialog does, and may keep it.
class ClaimingButton : public CButton {
public:
    std::vector<std::string>* log = nullptr;
    bool claim = false;

protected:
    BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (msg == WM_COMMAND) {
            log->push_back("button " + std::to_string(HIWORD(wParam)));
            return claim ? TRUE : FALSE;
        }
        return CButton::OnChildNotify(msg, wParam, lParam, result);
    }
};

TEST_F(Hosted, ControlNotificationsReachTheControlsObjectFirst) {
    std::vector<std::string> log;
    ClaimingButton button;
    button.log = &log;
    ASSERT_TRUE(button.SubclassDlgItem(1003, &dlg));
    dlg.notifications.clear();
    button.SendMessage(BM_CLICK);
    ASSERT_EQ(dlg.countOf(1003, BN_CLICKED), 1);
    button.claim = true;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(dlg.countOf(1003, BN_CLICKED), 1);  // kept by the button
    EXPECT_EQ(log, (std::vector<std::string>{"button 0", "button 0"}));
    button.UnsubclassWindow();
}

// A class made from the edit class under another name behaves as an edit, with its own procedure first.
int gUpperCased = 0;
WNDPROC gBaseEditProc = nullptr;
LRESULT UpperEditProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR && wParam >= 'a' && wParam <= 'z') {
        ++gUpperCased;
        wParam -= 'a' - 'A';
    }
    return CallWindowProc(gBaseEditProc, h, msg, wParam, lParam);
}

TEST_F(Hosted, ASuperclassOfTheEditClassEditsUnderItsOwnName) {
    WNDCLASS wc;
    EXPECT_FALSE(GetClassInfo(nullptr, "NoSuchClass", &wc));
    ASSERT_TRUE(GetClassInfo(nullptr, "edit", &wc));  // names compare without case
    EXPECT_STREQ(wc.lpszClassName, "EDIT");
    gBaseEditProc = wc.lpfnWndProc;
    wc.lpfnWndProc = UpperEditProc;
    wc.lpszClassName = "UpperEdit";
    ASSERT_TRUE(RegisterClass(wc));
    const HWND h = CreateWindowEx(0, "UpperEdit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 150, 100, 22, dlg.m_hWnd, 1099);
    ::SetFocus(h);
    for (char32_t c : std::u32string(U"m20x")) deliverInput(InputEvent::character(c));
    EXPECT_EQ(GetWindowText(h), "M20X");
    EXPECT_EQ(gUpperCased, 2);
    EXPECT_EQ(GetClassName(h), "UpperEdit");
    DWORD a = 0, b = 0;
    SendMessage(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(a * 10 + b, 44u);
    DestroyWindow(h);
    EXPECT_TRUE(UnregisterClass("UpperEdit", nullptr));
}

TEST_F(Hosted, EditKeysMoveAndExtendTheSelectionInCodePoints) {
    auto* edit = static_cast<CEdit*>(dlg.GetDlgItem(1001));
    edit->SetWindowText("größe");
    edit->SetFocus();
    auto key = [](UINT vk, unsigned mods = ModNone) {
        deliverInput(InputEvent::key(InputEvent::Kind::KeyDown, vk, mods));
        deliverInput(InputEvent::key(InputEvent::Kind::KeyUp, vk, mods));
    };
    int a = 0, b = 0;
    key(VK_END);
    key(VK_LEFT, ModShift);
    key(VK_LEFT, ModShift);
    edit->GetSel(a, b);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 5);
    deliverInput(InputEvent::character(U'ß'));
    EXPECT_EQ(edit->GetWindowText(), "größ");
    key(VK_HOME);
    key(VK_DELETE);
    EXPECT_EQ(edit->GetWindowText(), "röß");
    EXPECT_TRUE(edit->GetModify());
    edit->SetReadOnly(TRUE);
    deliverInput(InputEvent::character(U'x'));
    key(VK_BACK);
    EXPECT_EQ(edit->GetWindowText(), "röß");
}

TEST_F(Hosted, TheWindowTreeShowsStateAndEscapesText) {
    dlg.SetDlgItemText(1001, "say \"hi\"\n\\");
    dlg.CheckDlgButton(1002, BST_INDETERMINATE);
    dlg.GetDlgItem(1001)->SetFocus();
    const auto tree = nlohmann::json::parse(windowTreeJson());
    EXPECT_EQ(tree["focus"], dlg.GetDlgItem(1001)->m_hWnd.value());
    const auto me = nlohmann::json::parse(windowTreeJson(dlg.m_hWnd));
    EXPECT_EQ(me["template"], 200);
    EXPECT_EQ(me["owner"], mainWindow().value());
    bool sawEdit = false, sawCheck = false;
    for (const auto& c : me["children"]) {
        if (c["id"] == 1001) {
            sawEdit = true;
            EXPECT_EQ(c["text"], "say \"hi\"\n\\");
            EXPECT_EQ(c["focused"], true);
        }
        if (c["id"] == 1002) {
            sawCheck = true;
            EXPECT_EQ(c["checked"], 2);
        }
        if (c["id"] == 1005) {
            EXPECT_EQ(c["visible"], false);
        }
    }
    EXPECT_TRUE(sawEdit && sawCheck);
}

TEST_F(Hosted, ParentsOwnersAndAncestorsFollowThePlatform) {
    const HWND edit = dlg.GetDlgItem(1001)->m_hWnd;
    EXPECT_EQ(GetParent(edit), dlg.m_hWnd);
    EXPECT_EQ(GetParent(dlg.m_hWnd), mainWindow());  // a pop-up's parent is its owner
    EXPECT_EQ(GetAncestor(edit, GA_ROOT), dlg.m_hWnd);
    EXPECT_EQ(GetAncestor(dlg.m_hWnd, GA_PARENT), HWND());
    EXPECT_EQ(GetWindow(dlg.m_hWnd, GW_OWNER), mainWindow());

    CStatic frame;
    ASSERT_TRUE(frame.Create("", WS_VISIBLE | SS_NOTIFY, CRect(100, 100, 200, 150), &dlg, 1500));
    EXPECT_EQ(SetParent(edit, frame.m_hWnd), dlg.m_hWnd);
    EXPECT_TRUE(IsChild(dlg.m_hWnd, edit));
    EXPECT_EQ(GetParent(edit), frame.m_hWnd);
    EXPECT_EQ(SetParent(frame.m_hWnd, edit), HWND());  // no cycles
    frame.DestroyWindow();
    EXPECT_FALSE(IsWindow(edit));  // went with its new parent
}

TEST_F(Hosted, ANotifyingLabelReportsClicksAndAPlainOneLetsThemThrough) {
    CStatic label;
    ASSERT_TRUE(label.Create("click", WS_VISIBLE | SS_NOTIFY, CRect(170, 100, 300, 120), &dlg, 1501));
    const POINT p = clickPoint(label.m_hWnd);
    deliverInput(InputEvent::mouse(InputEvent::Kind::MouseDown, p.x, p.y));
    deliverInput(InputEvent::mouse(InputEvent::Kind::MouseUp, p.x, p.y));
    EXPECT_EQ(dlg.countOf(1501, STN_CLICKED), 1);
    label.ModifyStyle(SS_NOTIFY, 0);
    EXPECT_EQ(WindowFromPoint(p), dlg.m_hWnd);
}

}  // namespace
}  // namespace vtl::test
