// The clipboard's text form of a block of cells.
#include <gtest/gtest.h>

#include "face/clipboard_text.h"

namespace vtl::grid {
namespace {

TEST(ClipboardText, AnyCellTextSurvivesTheRoundTrip) {
    const TextTable table{{"plain", "", "tab\tinside"}, {"two\r\nlines", "\"quoted\" start", "end \"quote\""}, {"", "", ""}};
    const std::string text = toClipboardText(table);
    EXPECT_EQ(text.substr(0, 27), "plain\t\t\"tab\tinside\"\r\n\"two\r\n");
    EXPECT_EQ(fromClipboardText(text), table);
}

TEST(ClipboardText, RowsEndAtAnyLineBreakAndAFinalBreakAddsNoRow) {
    EXPECT_EQ(fromClipboardText("a\tb\r\nc\td\r\n"), (TextTable{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(fromClipboardText("a\nb\rc"), (TextTable{{"a"}, {"b"}, {"c"}}));
    EXPECT_EQ(fromClipboardText("a\t"), (TextTable{{"a", ""}}));
    EXPECT_EQ(fromClipboardText("\r\n"), (TextTable{{""}}));
    EXPECT_TRUE(fromClipboardText("").empty());
}

TEST(ClipboardText, AQuoteThatDoesNotCloseACellIsText) {
    // Text from other programs: quotes that are not a quoted cell stay as they are.
    EXPECT_EQ(fromClipboardText("\"open\tx"), (TextTable{{"\"open", "x"}}));
    EXPECT_EQ(fromClipboardText("\"a\"b\tc"), (TextTable{{"\"a\"b", "c"}}));
    EXPECT_EQ(fromClipboardText("5\" pipe"), (TextTable{{"5\" pipe"}}));
}

}  // namespace
}  // namespace vtl::grid
