// The shared dialog components: the child layout's arithmetic on a real resizable dialog, pop-up menus
// built from outline lists, the text input dialog answered by scripts, and the file helpers.
#include <filesystem>

#include "common/dialog_helpers.h"
#include "common/ks_child_layout.h"
#include "common/ks_input_text_dlg.h"
#include "common/ks_popup_menu.h"
#include "gfx/bmp.h"
#include "gfx/image.h"
#include "module_test_support.h"
#include "win/edit.h"
#include "win/api.h"
#include "win/keys.h"

namespace vtl::test {
namespace {
using namespace vtl::ui;
using win::Script;

RECT placeOf(HWND dialog, int id) {
    RECT r;
    const HWND h = ::GetDlgItem(dialog, id);
    GetWindowRect(h, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(HWND(), dialog, corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

class LayoutDialog : public CDialog {
public:
    LayoutDialog() : CDialog(kLayoutDialog) {}
    KsChildLayout layout;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        layout.init(m_hWnd);
        layout.setFlags(2001, KsChildLayout::kKeepSize, 0);
        layout.setFlags(2003, KsChildLayout::kKeepSize | KsChildLayout::kKeepLeading, 0);
        layout.setFlags(2005, KsChildLayout::kKeepSize | KsChildLayout::kFollowTrailing, 0);
        layout.setFlags(2006, KsChildLayout::kKeepLeading | KsChildLayout::kFollowTrailing, 0);
        return TRUE;
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SIZE) layout.resize();
        return CDialog::WindowProc(msg, wParam, lParam);
    }
};

LRESULT PlainProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProc(h, msg, wParam, lParam); }

TEST_F(ModuleTest, ChildLayoutMovesEachControlByItsFlagsAndRestoresExactly) {
    WNDCLASS toolbar;
    toolbar.lpfnWndProc = PlainProc;
    toolbar.lpszClassName = "ToolbarWindow32";
    RegisterClass(toolbar);
    LayoutDialog dlg;
    std::vector<RECT> before, after, restored;
    const int ids[] = {2000, 2001, 2003, 2005, 2006, 2007};
    auto take = [&](std::vector<RECT>& into) {
        into.clear();
        for (int id : ids) into.push_back(placeOf(dlg.m_hWnd, id));
    };
    RECT outer{};
    Script s;
    s.waitFor(win::dialogWithTemplate(kLayoutDialog))
        .check([&] {
            EXPECT_EQ(dlg.layout.count(), 5);  // the toolbar is not registered
            take(before);
            ::GetWindowRect(dlg.m_hWnd, &outer);
            // 100 pixels wider: width ratio 500 / 400.
            ::MoveWindow(dlg.m_hWnd, outer.left, outer.top, outer.right - outer.left + 100, outer.bottom - outer.top, TRUE);
            take(after);
            ::MoveWindow(dlg.m_hWnd, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top, TRUE);
            take(restored);
        })
        .close();
    run(s, [&] { dlg.DoModal(); });
    const int w = outer.right - outer.left;
    const double sx = static_cast<double>(w + 100) / w;
    auto scaled = [&](int v) { return static_cast<int>(v * sx); };
    // 0: both edges scale.
    EXPECT_EQ(after[0].left, scaled(before[0].left));
    EXPECT_EQ(after[0].right, scaled(before[0].right));
    // 1: moves in proportion, keeps its width.
    EXPECT_EQ(after[1].left, scaled(before[1].left));
    EXPECT_EQ(after[1].right - after[1].left, before[1].right - before[1].left);
    // 3: untouched; 5: 100 to the right, same width; 6: same left, 100 wider.
    EXPECT_EQ(after[2].left, before[2].left);
    EXPECT_EQ(after[2].right, before[2].right);
    EXPECT_EQ(after[3].left, before[3].left + 100);
    EXPECT_EQ(after[3].right, before[3].right + 100);
    EXPECT_EQ(after[4].left, before[4].left);
    EXPECT_EQ(after[4].right, before[4].right + 100);
    // The toolbar never moves; heights never change (vertical flags 0 with the height unchanged).
    EXPECT_EQ(after[5].left, before[5].left);
    EXPECT_EQ(after[5].right, before[5].right);
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].top, before[i].top) << i;
        EXPECT_EQ(restored[i].left, before[i].left) << i;
        EXPECT_EQ(restored[i].right, before[i].right) << i;
        EXPECT_EQ(restored[i].bottom, before[i].bottom) << i;
    }
}

TEST_F(ModuleTest, ChildLayoutOfAParentWithoutExtentMovesByOffsetsOnly) {
    const HWND parent = CreateWindowEx(0, "VtlFrame", "", WS_POPUP, 10, 10, 0, 0, HWND(), 0);
    const HWND child = CreateWindowEx(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE, 5, 6, 0, 0, parent, 3000);
    KsChildLayout layout;
    layout.init(parent);
    EXPECT_EQ(layout.setFlags(3000, KsChildLayout::kFollowTrailing, KsChildLayout::kFollowTrailing), 1);
    EXPECT_EQ(layout.setFlags(3999, 0, 0), 0);
    ::MoveWindow(parent, 10, 10, 200, 100, TRUE);
    layout.resize();
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);
    DestroyWindow(parent);
    // Initialised again without a parent, it forgets the children it had and moves nothing.
    EXPECT_EQ(layout.count(), 1);
    layout.init(HWND());
    EXPECT_EQ(layout.count(), 0);
    layout.resize();
}

std::vector<std::string> describe(HMENU menu) {
    std::vector<std::string> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (const HMENU sub = GetSubMenu(menu, i)) {
            std::string inner;
            for (const auto& s : describe(sub)) inner += (inner.empty() ? "" : ",") + s;
            out.push_back(GetMenuString(menu, static_cast<UINT>(i), MF_BYPOSITION) + "[" + inner + "]");
        } else if (GetMenuItemID(menu, i) == 0) {
            out.push_back("-");
        } else {
            const UINT id = GetMenuItemID(menu, i);
            const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
            std::string mark = (state & MF_GRAYED) ? "~" : (state & MF_CHECKED) ? "*" : "";
            out.push_back(mark + GetMenuString(menu, id, MF_BYCOMMAND) + "=" + std::to_string(id));
        }
    }
    return out;
}

TEST_F(ModuleTest, PopupMenusFollowTheOutlineAndRunOutOfIdsAfterTen) {
    KsPopupMenu menu;
    menu.build({1, 1, 2, 2, 1, 1}, {{"a", 1}, {"sub", 6}, {"b", 1}, {"c", 4}, {"", 5}, {"d", 2}});
    EXPECT_EQ(describe(menu.root()), (std::vector<std::string>{"a=32811", "sub[b=32812,~c=32816]", "-", "*d=32817"}));
    EXPECT_EQ(menu.itemText(32816).str(), "c");
    EXPECT_EQ(menu.itemText(32800).str(), "");

    // A hidden command uses an id; levels deeper than the current depth are skipped.
    menu.build({1, 1, 3, 1}, {{"x", 1}, {"hidden", 7}, {"deep", 1}, {"y", 3}});
    EXPECT_EQ(describe(menu.root()), (std::vector<std::string>{"x=32811", "*y=32816"}));

    // Eleven commands: the eleventh and everything after it are dropped.
    std::vector<int> levels;
    std::vector<KsPopupMenuItem> items;
    for (int i = 0; i < 11; ++i) {
        levels.push_back(1);
        items.push_back({Vtl_String(i), 1});
    }
    levels.insert(levels.end(), {1, 1});
    items.push_back({"", 5});
    items.push_back({"late", 6});
    menu.build(levels, items);
    const auto built = describe(menu.root());
    ASSERT_EQ(built.size(), 10u);
    EXPECT_EQ(built.back(), "9=32804");
    EXPECT_EQ(KsPopupMenu::positionOf(32804), 9);
    EXPECT_EQ(KsPopupMenu::positionOf(32813), -1);
}

TEST_F(ModuleTest, TheTextInputDialogRefusesAnEmptyLineUnlessTheEditIsHidden) {
    KsInputTextDlg ask;
    ask.caption = "Name";
    ask.prompt = "First line\nSecond line";
    ask.text = "preset";
    Script s;
    s.waitFor(win::dialogWithTemplate(KsInputTextDlg::IDD))
        .check([&] {
            int a = -1, b = -1;
            static_cast<CEdit*>(ask.GetDlgItem(KsInputTextDlg::kEditId))->GetSel(a, b);
            EXPECT_EQ(a * 10 + b, 6);  // the whole preset selected
            EXPECT_EQ(ask.GetDlgItemText(KsInputTextDlg::kPromptId), "First line\nSecond line");
        })
        .key(VK_DELETE)
        .click(win::ctrl(IDOK))  // empty: stays open
        .check([&] { EXPECT_TRUE(::IsWindow(ask.m_hWnd)); })
        .type("Level 2")
        .key(VK_RETURN);
    run(s, [&] { EXPECT_EQ(ask.DoModal(), IDOK); });
    EXPECT_TRUE(ask.accepted);
    EXPECT_EQ(ask.text.str(), "Level 2");

    KsInputTextDlg hidden;
    hidden.showEdit = false;
    hidden.text = "kept";
    hidden.okText = "Ok";
    Script h;
    h.waitFor(win::dialogWithTemplate(KsInputTextDlg::IDD))
        .check([&] {
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hidden.m_hWnd, KsInputTextDlg::kEditId)));
            EXPECT_EQ(hidden.GetDlgItemText(IDOK), "Ok");
        })
        .click(win::ctrl(IDOK));
    run(h, [&] { hidden.DoModal(); });
    EXPECT_TRUE(hidden.accepted);
    EXPECT_EQ(hidden.text.str(), "kept");

    KsInputTextDlg cancelled;
    cancelled.text = "before";
    Script c;
    c.waitFor(win::dialogWithTemplate(KsInputTextDlg::IDD)).type("x").click(win::ctrl(IDCANCEL));
    run(c, [&] { cancelled.DoModal(); });
    EXPECT_FALSE(cancelled.accepted);
    EXPECT_EQ(cancelled.text.str(), "before");
}

TEST_F(ModuleTest, FileHelpersMatchPatternsAndMeasureBitmaps) {
    const auto folder = libraryDir() / "Pictures";
    std::filesystem::create_directories(folder);
    gfx::writeBmpFile((folder / "Plate.bmp").string(), gfx::Image(37, 21, gfx::Rgba::of(RGB(1, 2, 3))));
    EXPECT_TRUE(fileExists((folder / "Plate.bmp").string()));
    EXPECT_TRUE(fileExists((folder / "pl*.BMP").string()));
    EXPECT_TRUE(fileExists((folder / "Plat?.bmp").string()));
    EXPECT_FALSE(fileExists((folder / "*.txt").string()));
    EXPECT_FALSE(fileExists((libraryDir() / "missing" / "*.bmp").string()));
    int w = -1, h = -1;
    EXPECT_TRUE(getBitmapFileSize((folder / "Plate.bmp").string(), w, h));
    EXPECT_EQ(w * 100 + h, 3721);
    EXPECT_FALSE(getBitmapFileSize((folder / "none.bmp").string(), w, h));
    EXPECT_EQ(w + h, 0);
    EXPECT_FALSE(setupIconButton(nullptr, nullptr, 1, 1, ""));
    EXPECT_FALSE(enableDlgItem(nullptr, 1, true));
}

}  // namespace
}  // namespace vtl::test
