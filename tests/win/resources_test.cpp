// Dialog templates in their text form and the resource chain.
#include "win/dialog_template.h"
#include "win/resources.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

TEST(DialogTemplates, ReadControlsWithDefaultStylesAddedAndRemovedStyles) {
    const auto t = parseDialogTemplates(R"(
DIALOG 7 200 100
CAPTION "Caption \"quoted\""
FONT 9 "Tahoma"
BEGIN
  LTEXT "Label" -1 1 2 30 10
  EDITTEXT 10 5 5 50 20 ES_NUMBER | NOT WS_BORDER WS_EX_CLIENTEDGE
  CONTROL "" 11 "fpSpread70" 0 30 200 70 WS_BORDER
  AUTO3STATE "Three" 12 0 0 10 10 NOT WS_TABSTOP
END
)", "t.dlg");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].caption, "Caption \"quoted\"");
    EXPECT_EQ(t[0].fontFace, "Tahoma");
    ASSERT_EQ(t[0].controls.size(), 4u);
    const auto& edit = t[0].controls[1];
    EXPECT_EQ(edit.className, "EDIT");
    EXPECT_EQ(edit.style & (ES_NUMBER | WS_BORDER | WS_TABSTOP | WS_VISIBLE), ES_NUMBER | WS_TABSTOP | WS_VISIBLE);
    EXPECT_EQ(edit.exStyle, WS_EX_CLIENTEDGE);
    EXPECT_EQ(t[0].controls[2].className, "fpSpread70");
    EXPECT_EQ(t[0].controls[2].rect, (RECT{0, 30, 200, 100}));
    EXPECT_EQ(t[0].controls[3].style & (BS_TYPEMASK | WS_TABSTOP), BS_AUTO3STATE);
}

TEST(DialogTemplates, FaultsNameTheFileAndLine) {
    auto lineOf = [](const char* text) {
        try {
            parseDialogTemplates(text, "bad.dlg");
        } catch (const TemplateError& e) {
            EXPECT_NE(std::string(e.what()).find("bad.dlg:"), std::string::npos);
            return e.line();
        }
        return 0;
    };
    EXPECT_EQ(lineOf("DIALOG 1 10 10\nBEGIN\n  PUSHBUTTON \"x\" 1 0 0 10 10 WS_NOSUCH\nEND\n"), 3);
    EXPECT_EQ(lineOf("DIALOG 1 10 10\nBEGIN\n  PUSHBUTTON \"x\" one 0 0 10 10\nEND\n"), 3);
    EXPECT_EQ(lineOf("DIALOG 1 10 10\nBEGIN\n  EDITTEXT 5 0 0\nEND\n"), 3);
    EXPECT_EQ(lineOf("DIALOG 1 10 10\nBEGIN\n"), 2);
    EXPECT_EQ(lineOf("CAPTION \"x\"\n"), 1);
    EXPECT_EQ(lineOf("DIALOG 1 10 10\nDIALOG 1 10 10\n"), 2);
    EXPECT_EQ(lineOf("DIALOG 1 10 10\nCAPTION \"open\n"), 2);
    // Positions and sizes beyond 16 bits would overflow the control's rectangle.
    EXPECT_EQ(lineOf("DIALOG 1 10 10\nBEGIN\n  EDITTEXT 5 2147483647 0 10 10\nEND\n"), 3);
    EXPECT_EQ(lineOf("DIALOG 1 10 10\nBEGIN\n  EDITTEXT 5 0 0 40000 10\nEND\n"), 3);
    EXPECT_EQ(lineOf("DIALOG 1 10 99999\n"), 1);
}

const unsigned char kFirst[] = "DIALOG 300 10 10\nCAPTION \"first\"\n";
const unsigned char kSecond[] = "DIALOG 300 10 10\nCAPTION \"second\"\nDIALOG 301 10 10\n";
const EmbeddedFile kFirstSet[] = {{"a.dlg", kFirst, sizeof(kFirst) - 1}};
const EmbeddedFile kSecondSet[] = {{"b.dlg", kSecond, sizeof(kSecond) - 1}};

TEST_F(WinTest, LookUpsSearchTheCurrentResourceHandleFirstThenTheChain) {
    auto* one = reinterpret_cast<HINSTANCE>(0x1000);
    auto* two = reinterpret_cast<HINSTANCE>(0x2000);
    registerResources(one, kFirstSet);
    registerResources(two, kSecondSet);
    EXPECT_EQ(findDialogTemplate(300)->caption, "first");  // chain order
    AfxSetResourceHandle(two);
    EXPECT_EQ(findDialogTemplate(300)->caption, "second");
    EXPECT_NE(findDialogTemplate(301), nullptr);
    unregisterResources(two);
    EXPECT_EQ(AfxGetResourceHandle(), nullptr);
    EXPECT_EQ(findDialogTemplate(301), nullptr);
    unregisterResources(one);
    EXPECT_EQ(findDialogTemplate(300), nullptr);
}

}  // namespace
}  // namespace vtl::test
