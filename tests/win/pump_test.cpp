// The pump: thread and window timers on the virtual clock, posted messages, and input posted from another
// thread while a modal dialog waits on the real clock.
#include <atomic>
#include <chrono>
#include <nlohmann/json.hpp>
#include <thread>

#include "win/script.h"
#include "win/testing.h"
#include "win/threads.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

std::vector<std::uint64_t> gFiredAt;
UINT_PTR gTimer = 0;

// Like a delayed close: each firing kills its own timer and starts a fresh one, three times in all.
void rearmingProc(HWND, UINT msg, UINT_PTR id, DWORD) {
    EXPECT_EQ(msg, WM_TIMER);
    EXPECT_EQ(id, gTimer);
    gFiredAt.push_back(nowMs());
    KillTimer(HWND(), id);
    gTimer = gFiredAt.size() < 3 ? SetTimer(HWND(), 0, 50, rearmingProc) : 0;
}

TEST_F(WinTest, ThreadTimerThatRearmsItselfFiresOnTheVirtualClock) {
    gFiredAt.clear();
    gTimer = SetTimer(HWND(), 0, 50, rearmingProc);
    ASSERT_NE(gTimer, 0u);
    advance(49);
    EXPECT_TRUE(gFiredAt.empty());
    advance(1);
    EXPECT_EQ(gFiredAt, (std::vector<std::uint64_t>{50}));
    advance(200);
    EXPECT_EQ(gFiredAt, (std::vector<std::uint64_t>{50, 100, 150}));
    EXPECT_EQ(testing::pendingTimerCount(), 0);
    EXPECT_EQ(nowMs(), 250u);
}

TEST_F(WinTest, WindowTimersRepeatInOrderAndDieWithTheirWindow) {
    class Ticking : public CDialog {
    public:
        std::vector<std::pair<UINT_PTR, std::uint64_t>> ticks;
        void OnTimer(UINT_PTR id) override { ticks.emplace_back(id, nowMs()); }
    } dlg;
    ASSERT_TRUE(dlg.Create(202, AfxGetMainWnd()));
    dlg.SetTimer(1, 30, nullptr);
    dlg.SetTimer(2, 20, nullptr);
    advance(60);
    const std::vector<std::pair<UINT_PTR, std::uint64_t>> expected = {{2, 20}, {1, 30}, {2, 40}, {1, 60}, {2, 60}};
    EXPECT_EQ(dlg.ticks, expected);
    dlg.DestroyWindow();
    EXPECT_EQ(testing::pendingTimerCount(), 0);
}

TEST_F(WinTest, ScriptAdvanceFiresTimersInsideAModalLoop) {
    class Waiting : public CDialog {
    public:
        Waiting() : CDialog(201) {}
        int ticks = 0;
        BOOL OnInitDialog() override {
            SetTimer(5, 100, nullptr);
            return CDialog::OnInitDialog();
        }
        void OnTimer(UINT_PTR) override {
            if (++ticks == 2) {
                KillTimer(5);
                EndDialog(IDOK);
            }
        }
    } dlg;
    Script s;
    s.waitFor(dialogWithTemplate(201)).advance(150).check([&] { EXPECT_EQ(dlg.ticks, 1); }).advance(50);
    run(s, [&] { EXPECT_EQ(dlg.DoModal(), IDOK); });
    EXPECT_EQ(nowMs(), 200u);
}

TEST_F(WinTest, PostedMessagesArriveInOrderFromThePump) {
    class Posting : public CDialog {
    public:
        std::vector<UINT> got;
        LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override {
            if (msg >= WM_APP) got.push_back(msg);
            return CDialog::WindowProc(msg, w, l);
        }
    } dlg;
    ASSERT_TRUE(dlg.Create(202, AfxGetMainWnd()));
    dlg.PostMessage(WM_APP + 1);
    dlg.PostMessage(WM_APP + 2);
    EXPECT_TRUE(dlg.got.empty());
    processPending();
    EXPECT_EQ(dlg.got, (std::vector<UINT>{WM_APP + 1, WM_APP + 2}));
    dlg.DestroyWindow();
}

// Finds the OK button of the dialog in a published frame and returns its centre.
std::optional<POINT> okButtonIn(const std::string& json, int templateId) {
    if (json.empty()) return std::nullopt;  // nothing published yet
    const auto tree = nlohmann::json::parse(json);
    for (const auto& w : tree["windows"]) {
        if (!w.contains("template") || w["template"] != templateId || !w["visible"]) continue;
        for (const auto& c : w["children"]) {
            if (c["id"] == IDOK) {
                const auto& r = c["rect"];
                return POINT{(r[0].get<int>() + r[2].get<int>()) / 2, (r[1].get<int>() + r[3].get<int>()) / 2};
            }
        }
    }
    return std::nullopt;
}

TEST_F(WinTest, AnotherThreadPostsAClickWhileAModalDialogWaitsOnTheRealClock) {
    setClockMode(ClockMode::Real);
    PostedInputSource source;
    ScopedInputSource scope(source);
    std::atomic<bool> clicked{false};
    std::thread person([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            auto frame = latestFrame();
            if (auto p = okButtonIn(frame->windowTreeJson, 201)) {
                postInput(InputEvent::mouse(InputEvent::Kind::MouseDown, p->x, p->y));
                postInput(InputEvent::mouse(InputEvent::Kind::MouseUp, p->x, p->y));
                clicked = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        source.stop();  // give up: the dialog ends as unanswered and the test fails below
    });
    CDialog dlg(201);
    const INT_PTR result = dlg.DoModal();
    person.join();
    EXPECT_TRUE(clicked);
    EXPECT_EQ(result, IDOK);
}

}  // namespace
}  // namespace vtl::test
