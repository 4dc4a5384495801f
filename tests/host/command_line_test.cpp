// The command line: printf formatting of any length, the kept text, echo, and the counted requests.
#include <string>

#include "host/command_line.h"
#include "host/testing.h"
#include "support/fixture.h"

namespace vtl::test {
namespace {

using HostCommandLine = Fixture;

TEST_F(HostCommandLine, FormatsAsPrintfAndKeepsEverythingPrintedInOrder) {
    EXPECT_EQ(acutPrintf("Loading spreadsheet:%s\n", "c:\\a\\t3.sss"), 32);
    acutPrintf("Result is long: %i\n", -42);
    acutPrintf("Result is double: %f\n", 2.5);
    acutPrintf("%s|%5d|%-3s|%c%%", "", 7, "x", 'z');
    EXPECT_EQ(host::commandLineText(),
              "Loading spreadsheet:c:\\a\\t3.sss\nResult is long: -42\nResult is double: 2.500000\n|    7|x  |z%");
    host::clearCommandLine();
    EXPECT_EQ(host::commandLineText(), "");
    EXPECT_EQ(acutPrintf(nullptr), -1);
    EXPECT_EQ(acutPrintf("%s", ""), 0);
    EXPECT_EQ(host::commandLineText(), "");
}

TEST_F(HostCommandLine, LongTextsArriveWhole) {
    // Around and far beyond any first buffer, with arguments before and after the long one.
    for (std::size_t n : {510u, 511u, 512u, 513u, 100000u}) {
        host::clearCommandLine();
        std::string long_(n, 'a');
        long_.back() = 'b';
        EXPECT_EQ(acutPrintf("<%d:%s:%d>", 1, long_.c_str(), 2), static_cast<int>(n + 6));
        EXPECT_EQ(host::commandLineText(), "<1:" + long_ + ":2>");
    }
}

TEST_F(HostCommandLine, KeepsABoundedTailCutAtALineEnd) {
    const std::string line(999, 'x');
    const int lines = static_cast<int>(2 * host::kCommandLineKeep / 1000);
    for (int i = 0; i < lines; ++i) acutPrintf("%s\n", line.c_str());
    acutPrintf("last\n");
    const std::string text = host::commandLineText();
    EXPECT_LE(text.size(), host::kCommandLineKeep);
    EXPECT_GE(text.size(), host::kCommandLineKeep / 2);
    EXPECT_EQ(text.substr(0, 1000), line + "\n");  // whole lines only
    EXPECT_EQ(text.substr(text.size() - 5), "last\n");
}

TEST_F(HostCommandLine, EchoesToStandardOutputOnlyWhenAsked) {
    ::testing::internal::CaptureStdout();
    acutPrintf("quiet\n");
    host::setCommandLineEcho(true);
    acutPrintf("Save failed\n");
    host::setCommandLineEcho(false);
    acutPrintf("quiet again\n");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Save failed\n");
    EXPECT_EQ(host::commandLineText(), "quiet\nSave failed\nquiet again\n");
}

TEST_F(HostCommandLine, PromptsAndDisplayUpdatesAreCountedAndResetWithTheText) {
    EXPECT_EQ(acedPostCommandPrompt(), Acad::eOk);
    acedPostCommandPrompt();
    acedUpdateDisplay();
    acutPrintf("x");
    host::setCommandLineEcho(true);
    EXPECT_EQ(host::commandPromptCount(), 2);
    EXPECT_EQ(host::displayUpdateCount(), 1);
    EXPECT_EQ(host::commandLineText(), "x");  // a prompt adds no text
    host::testing::reset();
    EXPECT_EQ(host::commandPromptCount(), 0);
    EXPECT_EQ(host::displayUpdateCount(), 0);
    EXPECT_EQ(host::commandLineText(), "");
    EXPECT_FALSE(host::commandLineEcho());
}

}  // namespace
}  // namespace vtl::test
