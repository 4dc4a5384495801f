// Modeless dialogs living in the host's main loop, closing themselves from their own handlers.
#include "win/script.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

// A modeless dialog that owns itself through a registry slot, as the module's modeless dialogs do: its
// Close button and its close box destroy the window and hand the object to deleteLater from inside the
// handler.
class SelfClosing;
std::unique_ptr<SelfClosing> gOpen;
bool gHandlerFinished = false;
bool gDeletedBeforeHandlerFinished = false;
int gDeleted = 0;

class SelfClosing : public CDialog {
public:
    ~SelfClosing() override {
        ++gDeleted;
        if (!gHandlerFinished) gDeletedBeforeHandlerFinished = true;
    }
    void closeFromHandler() {
        DestroyWindow();
        deleteLater(std::move(gOpen));
        gHandlerFinished = true;  // still inside the handler: the object must be alive
        EXPECT_EQ(m_hWnd, HWND());
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == 3001) {
            closeFromHandler();
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
    void OnCancel() override { closeFromHandler(); }
};

void runMainLoopUntilClosed() {
    WaitInfo wait;
    wait.kind = WaitKind::MainLoop;
    runLoop(wait, [] { return !gOpen; });
}

class ModelessTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        gHandlerFinished = gDeletedBeforeHandlerFinished = false;
        gDeleted = 0;
        gOpen = std::make_unique<SelfClosing>();
        ASSERT_TRUE(gOpen->Create(202, AfxGetMainWnd()));
    }
    void TearDown() override {
        gOpen.reset();
        WinTest::TearDown();
    }
};

TEST_F(ModelessTest, DestroyedFromItsOwnButtonHandlerIsFreedOnlyAfterTheHandler) {
    EXPECT_TRUE(IsWindowVisible(gOpen->m_hWnd));
    EXPECT_TRUE(IsWindowEnabled(mainWindow()));  // modeless: the host stays usable
    Script s;
    s.waitFor(dialogWithTemplate(202)).click(ctrl(3001));
    run(s, runMainLoopUntilClosed);
    processPending();
    EXPECT_EQ(gDeleted, 1);
    EXPECT_FALSE(gDeletedBeforeHandlerFinished);
}

TEST_F(ModelessTest, TheCloseBoxClosesItAsCancel) {
    Script s;
    s.waitFor(dialogWithTemplate(202)).close();
    run(s, runMainLoopUntilClosed);
    processPending();
    EXPECT_EQ(gDeleted, 1);
    EXPECT_FALSE(gDeletedBeforeHandlerFinished);
}

TEST_F(ModelessTest, EscapeReachesAModelessDialogThroughTheHostLoop) {
    Script s;
    s.waitFor(dialogWithTemplate(202)).click(ctrl(3002)).type("abc").key(VK_ESCAPE);
    run(s, runMainLoopUntilClosed);
    processPending();
    EXPECT_EQ(gDeleted, 1);
}

TEST_F(ModelessTest, HandlesAreNeverReusedAndDeadHandlesAreRecognised) {
    const HWND old = gOpen->m_hWnd;
    gOpen->DestroyWindow();
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(CWnd::FromHandle(old), nullptr);
    CDialog another;
    ASSERT_TRUE(another.Create(202, AfxGetMainWnd()));
    EXPECT_GT(another.m_hWnd.value(), old.value());
    another.DestroyWindow();
}

}  // namespace
}  // namespace vtl::test
