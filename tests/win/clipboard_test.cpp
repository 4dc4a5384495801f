// Clipboard text and the movable memory blocks behind it; cut, copy and paste in edits.
#include <cstring>

#include "win/clipboard.h"
#include "win/edit.h"
#include "win/window_tree.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

TEST_F(WinTest, MemoryBlocksGrowKeepTheirBytesAndRefuseUnreasonableSizes) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    ASSERT_TRUE(block);
    std::memcpy(GlobalLock(block), "abc", 4);
    EXPECT_FALSE(GlobalReAlloc(block, 64, GMEM_MOVEABLE));  // not while locked
    GlobalUnlock(block);
    ASSERT_EQ(GlobalReAlloc(block, 64, GMEM_MOVEABLE), block);
    EXPECT_EQ(GlobalSize(block), 64u);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(block)), "abc");
    GlobalUnlock(block);
    EXPECT_FALSE(GlobalAlloc(GMEM_MOVEABLE, std::size_t{1} << 40));
    EXPECT_EQ(GlobalFree(block), HGLOBAL());
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(liveGlobalBlocks(), 0);
}

TEST_F(WinTest, TheClipboardOwnsWhatItIsGivenAndOnlyWhileOpen) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(block), "HE100", 6);
    GlobalUnlock(block);
    EXPECT_FALSE(SetClipboardData(CF_TEXT, block));  // not open
    ASSERT_TRUE(OpenClipboard(mainWindow()));
    EXPECT_FALSE(OpenClipboard(mainWindow()));
    EmptyClipboard();
    EXPECT_EQ(SetClipboardData(CF_TEXT, block), block);
    EXPECT_EQ(GlobalFree(block), block);  // the clipboard's now
    CloseClipboard();
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(clipboardText(), "HE100");
    setClipboardText("replaced");
    EXPECT_EQ(clipboardText(), "replaced");
    EXPECT_EQ(liveGlobalBlocks(), 1);
}

TEST_F(WinTest, EditsCutCopyAndPasteOneLine) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "VtlFrame", "p", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 100), nullptr, 0));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 200, 22), &parent, 1));
    edit.SetWindowText("HE 200 A");
    edit.SetFocus();
    auto ctrlKey = [](UINT vk) {
        deliverInput(InputEvent::key(InputEvent::Kind::KeyDown, vk, ModCtrl));
        deliverInput(InputEvent::key(InputEvent::Kind::KeyUp, vk, ModCtrl));
    };
    edit.SetSel(3, 6);
    ctrlKey('X');
    EXPECT_EQ(clipboardText(), "200");
    EXPECT_EQ(edit.GetWindowText(), "HE  A");
    ctrlKey('A');
    ctrlKey('C');
    EXPECT_EQ(clipboardText(), "HE  A");
    setClipboardText("IPE 300\nsecond line");
    edit.SetSel(0, 2);
    ctrlKey('V');
    EXPECT_EQ(edit.GetWindowText(), "IPE 300  A");  // a single-line edit takes the first line
    edit.SetReadOnly(TRUE);
    ctrlKey('X');
    EXPECT_EQ(edit.GetWindowText(), "IPE 300  A");
}

TEST_F(WinTest, ALongTextScrollsTheCaretIntoView) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "VtlFrame", "p", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 100), nullptr, 0));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 60, 22), &parent, 1));
    edit.SetFocus();
    for (char32_t c : std::u32string(U"0123456789abcdefghij")) deliverInput(InputEvent::character(c));
    const std::string json = windowTreeJson(edit.m_hWnd);
    EXPECT_NE(json.find("\"scroll\":"), std::string::npos);  // scrolled to keep the caret shown
    edit.SetSel(0, 0);
    EXPECT_EQ(windowTreeJson(edit.m_hWnd).find("\"scroll\":"), std::string::npos);  // back at the start
}

}  // namespace
}  // namespace vtl::test
