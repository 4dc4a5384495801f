// Designed dialogs at run time, in a real host dialog: windows of every kind over the picture, values
// (check boxes with the mixed state, fixed choice lists, combos whose contents is no item), read-only
// state, flexible buttons, the designed tab order with its results at both ends, the background picture,
// and designs whose list file or picture is missing.
#include <filesystem>
#include <fstream>

#include "gfx/bmp.h"
#include "gfx/image.h"
#include "module_test_support.h"
#include "vtlui/vtl_dlg_designer_data.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/dc.h"
#include "win/keys.h"
#include "win/render.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using win::Script;

constexpr int kHost = 9003;

// Draws a design over its picture and lets Tab walk the designed order; the ends move on to OK or back.
class DesignHost : public CDialog {
public:
    explicit DesignHost(Vtl_String path) : CDialog(kHost), path_(std::move(path)) {}
    Vtl_DlgDesignerData data;
    std::function<void(Vtl_DlgDesignerData&)> bind;  // what a caller binds before drawing
    bool loaded = false;
    std::vector<int> tabResults;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        data.initialize(this, 33000, 33099, 0, 0, 0, 0, 0, false);
        loaded = data.readFromFile(path_, true);
        if (bind) bind(data);
        data.redrawAllControls();
        data.setFocusToCtrl(true);
        return FALSE;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
            Vtl_TabMsgHandle result = Vtl_TabNotHandled;
            if (data.handleTabKey(static_cast<int>(msg->wParam), result)) {
                tabResults.push_back(result);
                // Past the last control the dialog's OK button is next; before the first nothing is.
                if (result == Vtl_TabAfterLast) GotoDlgCtrl(GetDlgItem(IDOK));
                return TRUE;
            }
        }
        return CDialog::PreTranslateMessage(msg);
    }
    BOOL OnEraseBkgnd(CDC* dc) override {
        data.OnEraseBkgnd(dc);
        return TRUE;
    }

private:
    Vtl_String path_;
};

class DesignerRuntime : public ModuleTest {
protected:
    fs::path root() const { return libraryDir() / "Dialog Templates" / "Dialog Design"; }
    // Writes a design of controls given as "type x0 y0 x1 y1 contents [list]" lines over a 300 x 200 picture.
    Vtl_String writeDesign(const std::string& name, const std::vector<std::string>& controls, bool picture = true) {
        fs::create_directories(root());
        std::ofstream file(root() / (name + ".txt"), std::ios::binary);
        file << "nrOfControls=" << controls.size() << "\r\n";
        for (std::size_t i = 0; i < controls.size(); ++i) {
            std::istringstream in(controls[i]);
            std::string type, x0, y0, x1, y1, contents, list;
            in >> type >> x0 >> y0 >> x1 >> y1 >> contents >> list;
            for (auto* s : {&contents, &list}) std::replace(s->begin(), s->end(), '_', ' ');
            file << "type" << i << "=" << type << "\r\ntopLeftX" << i << "=" << x0 << "\r\ntopLeftY" << i << "=" << y0
                 << "\r\nbottomRightX" << i << "=" << x1 << "\r\nbottomRightY" << i << "=" << y1 << "\r\ncontents" << i
                 << "=" << contents << "\r\ncomboList" << i << "=" << list << "\r\n";
        }
        if (picture) {
            gfx::Image image(300, 200, gfx::Rgba::of(RGB(255, 255, 255)));
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 10; ++x) image.at(x, y) = gfx::Rgba::of(RGB(200, 0, 0));
            gfx::writeBmpFile((root() / (name + ".bmp")).string(), image);
        }
        return getDesignerRootFolder() + Vtl_String(name + ".txt");
    }
    static HWND window(DesignHost& host, int index) { return ::GetDlgItem(host.m_hWnd, 33000 + index); }
};

TEST_F(DesignerRuntime, ValuesOfEveryKindAndTheMixedState) {
    const Vtl_String path = writeDesign("Values", {
        "2 0.1 0.05 0.4 0.15 tp",                  // 33000 edit
        "3 0.1 0.2 0.4 0.3 M30 M12;M16",           // 33001 editable combo, contents no item
        "29 0.5 0.05 0.9 0.15 Slotted 1",          // 33002 check box, checked from its list text
        "28 0.5 0.2 0.9 0.3 2",                    // 33003 fixed choices
        "4 0.1 0.4 0.4 0.6 3",                     // 33004 bolt count: multi-line
        "13 0.5 0.4 0.9 0.5 a x;y",                // 33005 drop-down list, 20 pixels high
    });
    DesignHost host(path);
    host.bind = [](Vtl_DlgDesignerData& d) { d.getControlWrite(1)->items = Vtl_StringArray{"M12", "M16"}; };
    const Vtl_String mixed = dialString(695);
    Script s;
    s.waitFor(win::dialogWithTemplate(kHost))
        .check([&] {
            ASSERT_TRUE(host.loaded);
            ASSERT_EQ(host.data.getNrDrawnControls(), 6);
            Vtl_String v;
            // The check box: from its list text, then mixed, numbers, text.
            EXPECT_TRUE(host.data.getCtrlValue(33002, v));
            EXPECT_EQ(v.str(), "1");
            EXPECT_TRUE(host.data.setCtrlValue(33002, mixed));
            EXPECT_EQ(SendMessage(window(host, 2), BM_GETCHECK), BST_INDETERMINATE);
            host.data.getCtrlValue(33002, v);
            EXPECT_EQ(v.str(), mixed.str());
            host.data.setCtrlValue(33002, "2.5");
            host.data.getCtrlValue(33002, v);
            EXPECT_EQ(v.str(), "1");
            host.data.setCtrlValue(33002, "abc");
            host.data.getCtrlValue(33002, v);
            EXPECT_EQ(v.str(), "0");
            EXPECT_EQ(GetWindowLongPtr(window(host, 2), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG_PTR>(BS_AUTOCHECKBOX));
            // The editable combo shows a contents that is none of its items.
            EXPECT_EQ(GetWindowText(window(host, 1)), "M30");
            EXPECT_EQ(SendMessage(window(host, 1), CB_GETCOUNT), 2);
            // Fixed choices: five items, the last the mixed one, which reads and writes as -1.
            host.data.getCtrlValue(33003, v);
            EXPECT_EQ(v.str(), "2");
            EXPECT_EQ(GetWindowText(window(host, 3)), dialString(1397).str());
            host.data.setCtrlValue(33003, "-1");
            EXPECT_EQ(GetWindowText(window(host, 3)), mixed.str());
            host.data.getCtrlValue(33003, v);
            EXPECT_EQ(v.str(), "-1");
            // Styles and sizes.
            EXPECT_TRUE(GetWindowLongPtr(window(host, 4), GWL_STYLE) & ES_MULTILINE);
            EXPECT_TRUE(host.data.isTypeBoltCount(33004));
            RECT r;
            GetWindowRect(window(host, 5), &r);
            SendMessage(window(host, 5), CB_SHOWDROPDOWN, TRUE);
            RECT dropped;
            SendMessage(window(host, 5), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            EXPECT_GE(dropped.bottom - dropped.top, 200);
            SendMessage(window(host, 5), CB_SHOWDROPDOWN, FALSE);
            // Read-only only for edits and combos.
            EXPECT_TRUE(host.data.setCtrlReadOnly(33000, true));
            EXPECT_FALSE(IsWindowEnabled(window(host, 0)));
            EXPECT_FALSE(host.data.setCtrlReadOnly(33002, true));
            EXPECT_FALSE(host.data.setCtrlValue(33099, "x"));
            // Drawing again replaces the windows instead of doubling them.
            host.data.redrawAllControls();
            EXPECT_EQ(host.data.getNrDrawnControls(), 6);
            int children = 0;
            for (HWND c = GetWindow(host.m_hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children += GetDlgCtrlID(c) >= 33000;
            EXPECT_EQ(children, 6);
        })
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { host.DoModal(); });
}

TEST_F(DesignerRuntime, TabFollowsRowsAndReportsBothEnds) {
    // B starts above A's bottom: one row, ordered left to right. C is the next row.
    const Vtl_String path = writeDesign("Order", {
        "2 0.5 0.10 0.8 0.20 A",
        "2 0.1 0.15 0.4 0.25 B",
        "0 0.1 0.26 0.4 0.3 label",
        "2 0.1 0.40 0.4 0.50 C",
    });
    DesignHost host(path);
    std::vector<int> focused;
    auto record = [&] { focused.push_back(GetDlgCtrlID(::GetFocus())); };
    Script s;
    s.waitFor(win::dialogWithTemplate(kHost)).check(record);
    for (int i = 0; i < 3; ++i) s.key(VK_TAB).check(record);
    s.click(win::ctrl(33001)).key(VK_TAB, win::ModShift).check(record).click(win::ctrl(IDCANCEL));
    run(s, [&] { host.DoModal(); });
    EXPECT_EQ(host.data.getControl(0)->tabOrder * 100 + host.data.getControl(1)->tabOrder * 10 + host.data.getControl(3)->tabOrder, 213);
    EXPECT_EQ(host.data.getControl(2)->tabOrder, 0);  // a label has no place
    EXPECT_EQ(focused, (std::vector<int>{33001, 33000, 33003, IDOK, 33001}));
    EXPECT_EQ(host.tabResults, (std::vector<int>{0, 0, 2, 3}));
}

TEST_F(DesignerRuntime, ABottomEdgeAboveItsTopOrMissingStillEndsTheTabOrder) {
    // A damaged file: B's bottom lies above its top, C has no bottom at all. Sorting must end and number all.
    const Vtl_String path = writeDesign("Damaged", {
        "2 0.1 0.10 0.4 0.18 A",
        "2 0.1 0.40 0.4 0.08 B",
        "2 0.5 0.40 0.8 0.50 B2",
        "2 0.1 0.60 0.4 x C",
    });
    Vtl_DlgDesignerData data;
    ASSERT_TRUE(data.readFromFile(path, false));
    data.sortAllControls();
    std::vector<int> orders;
    for (int i = 0; i < 4; ++i) orders.push_back(data.getControl(i)->tabOrder);
    EXPECT_EQ(orders, (std::vector<int>{1, 2, 3, 4}));  // B and B2 start level: one row, left to right
}

TEST_F(DesignerRuntime, FlexibleButtonsByGroupAndStatusTwoUnchecks) {
    const Vtl_String path = writeDesign("Flex", {
        "30 0.1 0.1 0.2 0.2 tp g;;mark;",
        "30 0.3 0.1 0.4 0.2 d g",
        "30 0.5 0.1 0.6 0.2 e h",
    });
    DesignHost host(path);
    Script s;
    s.waitFor(win::dialogWithTemplate(kHost))
        .check([&] {
            Vtl_StringArray groups;
            host.data.getFlexBtnsGroups(groups);
            ASSERT_EQ(groups.length(), 2);
            EXPECT_EQ(groups[1].str(), "h");
            AcArray<int> all, marked;
            EXPECT_TRUE(host.data.getFlexBtnsInGroup("g", all, marked));
            EXPECT_EQ(all.length(), 2);
            EXPECT_EQ(marked.length(), 1);
            EXPECT_EQ(marked[0], 0);
            EXPECT_TRUE(host.data.setFlexBtnStatus("g", "d", 1));
            int status = -1;
            host.data.getFlexBtnStatus(1, status);
            EXPECT_EQ(status, 1);
            EXPECT_TRUE(host.data.setFlexBtnStatus("g", "d", 2));
            host.data.getFlexBtnStatus(1, status);
            EXPECT_EQ(status, 0);
            int two = 2;
            EXPECT_TRUE(host.data.getSetFlexBtnStatus(true, 1, two));
            EXPECT_EQ(two, 0);  // the caller's variable too
            EXPECT_FALSE(host.data.setFlexBtnStatus("g", "zz", 1));
            Vtl_String group, name;
            EXPECT_TRUE(host.data.getFlexBtnGroupName(33002, group, name));
            EXPECT_EQ(group.str() + name.str(), "he");
            EXPECT_TRUE(SendMessage(window(host, 0), BM_GETIMAGE, IMAGE_ICON));  // the flexible-button icon
            host.data.hideAllFlexBtns("g");
            EXPECT_FALSE(IsWindowVisible(window(host, 0)));
            EXPECT_TRUE(IsWindowVisible(window(host, 2)));
        })
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { host.DoModal(); });
}

TEST_F(DesignerRuntime, ThePictureShowsBehindTheControlsWithWhiteTransparent) {
    const Vtl_String path = writeDesign("Picture", {"2 0.5 0.5 0.8 0.6 tp"});
    DesignHost host(path);
    Script s;
    s.waitFor(win::dialogWithTemplate(kHost))
        .check([&] {
            const gfx::Image image = win::renderWindow(host.m_hWnd);
            POINT origin{0, 0};
            ClientToScreen(host.m_hWnd, &origin);
            RECT frame;
            GetWindowRect(host.m_hWnd, &frame);
            const int x = origin.x - frame.left, y = origin.y - frame.top;
            EXPECT_EQ(image.pixel(x + 5, y + 5).colour(), RGB(200, 0, 0));         // the picture's red corner
            EXPECT_EQ(image.pixel(x + 50, y + 50).colour(), GetSysColor(COLOR_BTNFACE));  // white: transparent
        })
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { host.DoModal(); });
}

TEST_F(DesignerRuntime, MissingListFilesLeaveCombosEmptyAndAMissingPictureDrawsNothing) {
    fs::create_directories(libraryDir() / "Lists" / "folder.txt");  // a folder where a file is expected
    const Vtl_String lists = writeDesign("Lists", {
        "3 0.1 0.1 0.4 0.2 M20 " + (libraryDir() / "Lists" / "missing.txt").string(),
        "13 0.1 0.3 0.4 0.4 x " + (libraryDir() / "Lists" / "folder.txt").string(),
    });
    DesignHost withLists(lists);
    Script s;
    s.waitFor(win::dialogWithTemplate(kHost))
        .check([&] {
            EXPECT_EQ(withLists.data.getNrDrawnControls(), 2);
            EXPECT_EQ(SendMessage(window(withLists, 0), CB_GETCOUNT), 0);
            EXPECT_EQ(SendMessage(window(withLists, 1), CB_GETCOUNT), 0);
        })
        .click(win::ctrl(IDCANCEL));
    run(s, [&] { withLists.DoModal(); });

    const Vtl_String bare = writeDesign("Bare", {"2 0.1 0.1 0.4 0.2 tp"}, false);
    DesignHost withoutPicture(bare);
    Script t;
    t.waitFor(win::dialogWithTemplate(kHost))
        .check([&] {
            EXPECT_TRUE(withoutPicture.loaded);
            EXPECT_FALSE(withoutPicture.data.hasImage());
            EXPECT_EQ(withoutPicture.data.getNrDrawnControls(), 0);  // nothing drawn at no size
            Vtl_String v;
            EXPECT_FALSE(withoutPicture.data.getCtrlValue(33000, v));  // so the caller shows the value elsewhere
        })
        .click(win::ctrl(IDCANCEL));
    run(t, [&] { withoutPicture.DoModal(); });
}

}  // namespace
}  // namespace vtl::test
