// The fixture itself: what it fails a test for.
#include "win/testing.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

void noop(HWND, UINT, UINT_PTR, DWORD) {}

TEST_F(WinTest, FixtureReportsAWindowLeftOpenAPendingTimerAndAnUndeclaredUnansweredWait) {
    CDialog left;
    ASSERT_TRUE(left.Create(202, AfxGetMainWnd()));
    const UINT_PTR timer = SetTimer(HWND(), 0, 10, noop);
    CDialog modal(201);
    Script s;
    run(s, [&] { modal.DoModal(); });

    const auto found = problems();
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].rfind("window left open: {", 0), 0u);
    EXPECT_NE(found[0].find("\"template\":202"), std::string::npos);
    EXPECT_EQ(found[1], "1 timer(s) still pending");
    EXPECT_EQ(found[2], "unanswered dialog 201 (not declared by the test)");

    left.DestroyWindow();
    KillTimer(HWND(), timer);
    expectUnanswered("unanswered dialog 201");
    EXPECT_TRUE(problems().empty());
}

TEST_F(WinTest, FixtureReportsADeclaredWaitThatNeverHappened) {
    expectUnanswered("unanswered dialog 5");
    EXPECT_EQ(problems(), (std::vector<std::string>{"declared but did not happen: unanswered dialog 5"}));
    expectNothingUnanswered();
}

}  // namespace
}  // namespace vtl::test
