// The text form of scripts, and a story run from it.
#include "win/script.h"
#include "win/testing.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

TEST(ScriptText, ReadsEveryStepKindWithItsLine) {
    const Script s = Script::parse(R"(# a story
wait dialog 200
click 1001
type "M20 \"bolt\""
key shift+TAB
keydown SPACE
keyup SPACE
click OK ctrl
drag point 1 2 to 1003
select 1092 "M20"
advance 50
wait messagebox contains "diameter"
answer YES
expect text 1001 "x"
close
resize 400 300
click 1204 in dialog 218
)",
                                   "story");
    EXPECT_EQ(s.stepCount(), 16u);
    const std::vector<std::string> expected = {
        "wait dialog 200", "click 1001", "type \"M20 \"bolt\"\"", "key shift+TAB", "keydown SPACE", "keyup SPACE",
        "click 1 ctrl+", "drag point 1 2 to 1003", "select 1092 \"M20\"", "advance 50",
        "wait messagebox contains \"diameter\"", "answer 6", "expect text 1001 \"x\"", "close", "resize 400 300",
        "click 1204 in dialog 218"};
    EXPECT_EQ(s.remainingSteps(), expected);
}

TEST(ScriptText, FaultsNameTheLine) {
    auto message = [](const char* text) {
        try {
            Script::parse(text, "s");
        } catch (const ScriptParseError& e) {
            return std::string(e.what());
        }
        return std::string("parsed");
    };
    EXPECT_EQ(message("click 1\nkey NOSUCH\n"), "s:2: unknown key \"NOSUCH\"");
    EXPECT_EQ(message("type unquoted\n"), "s:1: expected the text in quotes");
    EXPECT_EQ(message("jump 3\n"), "s:1: unknown step \"JUMP\"");
    EXPECT_EQ(message("click 1 2\n"), "s:1: unknown modifier \"2\"");
    EXPECT_EQ(message("answer MAYBE\n"), "s:1: unknown answer \"MAYBE\"");
    EXPECT_EQ(message("advance -5\n"), "s:1: negative time");
    EXPECT_EQ(message("click 1 in 218\n"), "s:1: expected \"dialog\" after \"in\"");
}

TEST_F(WinTest, AStoryInTextFormDrivesADialogAndReportsAFailedExpectation) {
    RecordingDialog dlg(200);
    Script s = Script::parse(R"(
wait dialog 200
type "abc"
expect text 1001 "abc"
click 1002
expect checked 1002 1
key TAB
expect focus 1003
expect disabled 1006
expect hidden 1005
expect text 1001 "wrong"
click OK
)",
                             "story");
    run(s, [&] { dlg.DoModal(); });
    ASSERT_EQ(s.errors().size(), 1u);
    EXPECT_NE(s.errors()[0].find("line 11"), std::string::npos);
    EXPECT_NE(s.errors()[0].find("is \"abc\", expected \"wrong\""), std::string::npos);
    EXPECT_EQ(s.remainingSteps(), (std::vector<std::string>{"expect text 1001 \"wrong\"", "click 1"}));
    // The failed story leaves the dialog unanswered; the fixture would report all of this.
    EXPECT_EQ(unansweredWaits(), (std::vector<std::string>{"unanswered dialog 200"}));
    expectUnanswered("unanswered dialog 200");
    EXPECT_EQ(problems().size(), 3u);  // the error and the two steps not reached
    vtl::win::testing::clearRecords();  // reported above already
    expectNothingUnanswered();
}

}  // namespace
}  // namespace vtl::test
