// The designer's editing surface, played through the mouse and the keyboard: selecting (click, Shift, Ctrl,
// rubber band), moving several controls at once and keeping them on the surface, handles, the arrow keys,
// aligning, sizes, the property fields, undo and redo of every kind of edit, and what follows the mouse
// while its button is down.
#include <filesystem>
#include <memory>

#include "designer/designer_dialog.h"
#include "module_test_support.h"
#include "vtlbase/properties_list.h"
#include "win/api.h"
#include "win/keys.h"
#include "win/render.h"
#include "gfx/image.h"

namespace vtl::test {
namespace {
using ui::DlgDesigner;
using win::ctrl;
using win::Script;

constexpr int kDesigner = DlgDesigner::IDD;
constexpr int kInput = 8069;

class DesignerSurface : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        // On a 400 x 200 picture: a label (40,20)-(140,40), two fields (160,20)-(220,40) and (160,60)-(220,80),
        // a combo (240,60)-(320,90).
        path = writeDesign(libraryDir(), "Plate",
                           {"0 0.1 0.1 0.35 0.2 Length", "2 0.4 0.1 0.55 0.2 L", "2 0.4 0.3 0.55 0.4 W",
                            "3 0.6 0.3 0.8 0.45 grade"},
                           400, 200);
    }
    void open(Script& s) {
        dlg = std::make_unique<DlgDesigner>(path);
        run(s, [&] { dlg->DoModal(); });
    }
    Vtl_DlgDesignerData& design() { return dlg->design(); }
    // A point of the designer's client area.
    win::Target at(int x, int y) {
        return win::located("designer point", [this, x, y]() -> std::optional<POINT> {
            POINT p{x, y};
            ::ClientToScreen(dlg->m_hWnd, &p);
            return p;
        });
    }
    // Control i's window in the designer's client coordinates.
    RECT rectOf(int i) {
        RECT r;
        ::GetWindowRect(::GetDlgItem(dlg->m_hWnd, 33000 + i), &r);
        POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
        ::MapWindowPoints(HWND(), dlg->m_hWnd, corners, 2);
        return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    }
    std::string text(int id) { return ::GetDlgItemText(dlg->m_hWnd, id); }
    std::vector<int> selection() { return design().getSelection(); }
    // The stored fractions of the design file on disk, by key.
    double stored(const std::string& key) {
        Vtl_PropertiesList list;
        list.readFromFile(path);
        double v = -1;
        list.getProperty(Vtl_String(key), v);
        return v;
    }

    Vtl_String path;
    std::unique_ptr<DlgDesigner> dlg;
};

TEST_F(DesignerSurface, ClicksSelectShiftAddsCtrlTogglesAndARubberBandTakesOnlyWholeControls) {
    Script s;
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .check([&] {
            EXPECT_EQ(selection(), std::vector<int>{});
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg->m_hWnd, DlgDesigner::kContentsField)));
        })
        .click(ctrl(33001))
        .check([&] {
            EXPECT_EQ(selection(), std::vector<int>{1});
            EXPECT_EQ(text(DlgDesigner::kContentsField), "L");
            EXPECT_EQ(text(DlgDesigner::kContentsLabel), "Cell name");
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg->m_hWnd, DlgDesigner::kListField)));  // an edit has no list
            EXPECT_EQ(text(DlgDesigner::kTabOrderField), "1");
        })
        .click(ctrl(33002), win::ModShift)
        .check([&] {
            EXPECT_EQ(selection(), (std::vector<int>{1, 2}));
            EXPECT_EQ(text(DlgDesigner::kContentsField), "");  // no current control: the fields are blank
        })
        .click(ctrl(33001), win::ModCtrl)
        .check([&] { EXPECT_EQ(selection(), std::vector<int>{2}); })
        .click(at(390, 190), win::ModCtrl)  // empty surface with Ctrl: nothing happens
        .check([&] { EXPECT_EQ(selection(), std::vector<int>{2}); })
        .click(at(390, 190))
        .check([&] { EXPECT_EQ(selection(), std::vector<int>{}); })
        // Just outside a control that is not selected there is no handle: the press starts a rubber band.
        .drag(at(222, 30), at(260, 30))
        .check([&] {
            EXPECT_EQ(rectOf(1), (RECT{160, 20, 220, 40}));
            EXPECT_EQ(selection(), std::vector<int>{});
        })
        .drag(at(150, 10), at(230, 85))
        .check([&] { EXPECT_EQ(selection(), (std::vector<int>{1, 2})); })
        .drag(at(30, 10), at(200, 45))  // the label wholly, the first field only in part
        .check([&] { EXPECT_EQ(selection(), std::vector<int>{0}); })
        .click(ctrl(33000))
        .check([&] {
            EXPECT_EQ(text(DlgDesigner::kContentsLabel), "Text");
            EXPECT_EQ(text(DlgDesigner::kListLabel), "Cell name (optional)");
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg->m_hWnd, DlgDesigner::kListField)));
            EXPECT_EQ(text(DlgDesigner::kTabOrderField), "-");  // labels are not in the tab order
        })
        .click(ctrl(IDOK));  // nothing changed: Close asks nothing
    open(s);
    EXPECT_FALSE(design().isModified());
}

TEST_F(DesignerSurface, SeveralControlsMoveTogetherStayOnTheSurfaceAndAHandleSizesOnlyItsControl) {
    Script s;
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .click(ctrl(33000))
        .click(ctrl(33001), win::ModShift)
        .click(ctrl(33002), win::ModShift)
        .dragBy(ctrl(33001), 30, 50)
        .check([&] {
            EXPECT_EQ(rectOf(0), (RECT{70, 70, 170, 90}));
            EXPECT_EQ(rectOf(1), (RECT{190, 70, 250, 90}));
            EXPECT_EQ(rectOf(2), (RECT{190, 110, 250, 130}));
            EXPECT_EQ(rectOf(3), (RECT{240, 60, 320, 82}));  // not selected: stays (a combo's field is 22 high)
        })
        // Dragged far down, the selection stops at the bottom of the surface, above the strip.
        .dragBy(ctrl(33001), 0, 400)
        .check([&] {
            RECT frame;
            ::GetWindowRect(::GetDlgItem(dlg->m_hWnd, DlgDesigner::kTypeFrame), &frame);
            POINT top{frame.left, frame.top};
            ::ScreenToClient(dlg->m_hWnd, &top);
            EXPECT_LE(rectOf(2).bottom, top.y);
            EXPECT_EQ(rectOf(2).bottom - rectOf(0).top, 60);  // the relative places are kept
        })
        .key('Z', win::ModCtrl)
        // The arrow keys move the selection a pixel, Ctrl ten; a run of them is one step of the history.
        .key(VK_RIGHT)
        .key(VK_RIGHT, win::ModCtrl)
        .key(VK_UP)
        .check([&] { EXPECT_EQ(rectOf(0), (RECT{81, 69, 181, 89})); })
        .key('Z', win::ModCtrl)
        .check([&] { EXPECT_EQ(rectOf(0), (RECT{70, 70, 170, 90})); })
        // A handle of the current control sizes that control alone.
        .click(at(390, 190))
        .click(ctrl(33001))
        .drag(at(252, 80), at(282, 80))  // the right handle of (190,70)-(250,90)
        .check([&] {
            EXPECT_EQ(rectOf(1), (RECT{190, 70, 280, 90}));
            EXPECT_EQ(rectOf(0), (RECT{70, 70, 170, 90}));
        })
        .key(VK_DOWN, win::ModShift)  // Shift and an arrow: one pixel taller
        .check([&] { EXPECT_EQ(rectOf(1), (RECT{190, 70, 280, 91})); })
        .click(ctrl(IDOK))
        .waitFor(win::messageBoxContaining("Save the changes to"))
        .answer(IDYES);
    open(s);
    // The file holds what the windows showed, as fractions of the picture.
    EXPECT_DOUBLE_EQ(stored("topLeftX0"), 70.0 / 400);
    EXPECT_DOUBLE_EQ(stored("topLeftY2"), 110.0 / 200);
    EXPECT_DOUBLE_EQ(stored("bottomRightX1"), 280.0 / 400);
    EXPECT_DOUBLE_EQ(stored("bottomRightY1"), 91.0 / 200);
    EXPECT_DOUBLE_EQ(stored("bottomRightY3"), 0.45);  // the combo keeps its designed height
}

TEST_F(DesignerSurface, AligningFollowsTheLeftmostPlacingBesideWantsExactlyTwoAndSizesMustBePixels) {
    Script s;
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .click(ctrl(33000))
        .click(ctrl(33002), win::ModShift)
        .click(ctrl(DlgDesigner::kAlignBottoms))  // the field takes the label's bottom, keeping its height
        .check([&] { EXPECT_EQ(rectOf(2), (RECT{160, 20, 220, 40})); })
        .click(ctrl(DlgDesigner::kPlaceBeside))  // directly right of the label, with its top and bottom
        .check([&] {
            EXPECT_EQ(rectOf(2), (RECT{140, 20, 200, 40}));
            EXPECT_EQ(selection(), (std::vector<int>{0, 2}));
        })
        .click(ctrl(33003), win::ModShift)
        .click(ctrl(DlgDesigner::kPlaceBeside))  // three selected: nothing
        .check([&] { EXPECT_EQ(rectOf(3), (RECT{240, 60, 320, 82})); })
        .click(at(390, 190))
        .click(ctrl(33003))
        .click(ctrl(DlgDesigner::kPlaceBeside))  // one selected: nothing
        .check([&] { EXPECT_EQ(rectOf(3), (RECT{240, 60, 320, 82})); })
        .click(ctrl(DlgDesigner::kWidth))
        .waitFor(win::dialogWithTemplate(kInput))
        .check([&] { EXPECT_EQ(::GetWindowText(::GetActiveWindow()), "Width"); })
        .type("none")
        .key(VK_RETURN)
        .waitFor(win::dialogWithTemplate(kDesigner))
        .check([&] { EXPECT_EQ(rectOf(3), (RECT{240, 60, 320, 82})); })  // no number: nothing changes
        .click(ctrl(DlgDesigner::kWidth))
        .waitFor(win::dialogWithTemplate(kInput))
        .type("45")
        .key(VK_RETURN)
        .waitFor(win::dialogWithTemplate(kDesigner))
        .check([&] { EXPECT_EQ(rectOf(3), (RECT{240, 60, 285, 82})); })
        .click(ctrl(DlgDesigner::kHeight))
        .waitFor(win::dialogWithTemplate(kInput))
        .check([&] { EXPECT_EQ(::GetDlgItemText(::GetActiveWindow(), 8003), "18"); })
        .key(VK_ESCAPE)
        .waitFor(win::dialogWithTemplate(kDesigner))
        .key(VK_ESCAPE)  // swallowed: the designer stays
        .check([&] { EXPECT_TRUE(::IsWindowVisible(dlg->m_hWnd)); })
        .click(ctrl(IDOK))
        .waitFor(win::messageBoxContaining("Save the changes to"))
        .answer(IDNO);
    open(s);
    EXPECT_DOUBLE_EQ(stored("bottomRightX3"), 0.8);  // No: nothing written
}

TEST_F(DesignerSurface, EveryEditIsUndoneAndRedoneAndTheDesignIsUnmodifiedWhereItWasRead) {
    Script s;
    s.waitFor(win::dialogWithTemplate(kDesigner))
        // A new type draws a new window; undo brings the old one back.
        .click(ctrl(33000))
        .select(ctrl(DlgDesigner::kTypeList), "Edit (cell)")
        .check([&] {
            EXPECT_EQ(::GetClassName(::GetDlgItem(dlg->m_hWnd, 33000)), "EDIT");
            EXPECT_EQ(text(DlgDesigner::kContentsLabel), "Cell name");
            EXPECT_EQ(selection(), std::vector<int>{0});
        })
        .key('Z', win::ModCtrl)
        .check([&] {
            EXPECT_EQ(::GetClassName(::GetDlgItem(dlg->m_hWnd, 33000)), "STATIC");
            EXPECT_EQ(text(DlgDesigner::kContentsLabel), "Text");
            EXPECT_FALSE(design().isModified());
        })
        // Typing into a field is one step, whatever its length.
        .click(ctrl(33001))
        .click(ctrl(DlgDesigner::kContentsField))
        .key('A', win::ModCtrl)
        .type("Lp")
        .check([&] {
            EXPECT_EQ(::GetWindowText(::GetDlgItem(dlg->m_hWnd, 33001)), "Lp");
            EXPECT_TRUE(design().isModified());
        })
        .key('Z', win::ModCtrl)
        .check([&] {
            EXPECT_EQ(::GetWindowText(::GetDlgItem(dlg->m_hWnd, 33001)), "L");
            EXPECT_EQ(text(DlgDesigner::kContentsField), "L");
        })
        .key('Y', win::ModCtrl)
        .check([&] { EXPECT_EQ(design().getControl(1)->contents.str(), "Lp"); })
        .key('Z', win::ModCtrl)
        // Add, copy and delete, each undone and redone with the same ids.
        .click(ctrl(DlgDesigner::kAdd))
        .check([&] {
            ASSERT_EQ(design().getNrControls(), 5);
            EXPECT_EQ(design().getControl(4)->resourceId, 33004);
            EXPECT_EQ(design().getControl(4)->contents.str(), "New");
            EXPECT_EQ(rectOf(4), (RECT{80, 40, 110, 58}));  // 0.2 of the picture, 30 x 18
            EXPECT_EQ(selection(), std::vector<int>{4});
        })
        .click(ctrl(DlgDesigner::kUndo))
        .check([&] { EXPECT_EQ(design().getNrControls(), 4); })
        .click(ctrl(DlgDesigner::kRedo))
        .check([&] { EXPECT_EQ(design().getControl(4)->resourceId, 33004); })
        .click(ctrl(DlgDesigner::kUndo))
        .click(ctrl(33001))
        .click(ctrl(33002), win::ModShift)
        .click(ctrl(DlgDesigner::kCopy))
        .check([&] {
            ASSERT_EQ(design().getNrControls(), 6);
            EXPECT_EQ(rectOf(4), (RECT{180, 40, 240, 60}));
            EXPECT_EQ(rectOf(5), (RECT{180, 80, 240, 100}));
            EXPECT_EQ(selection(), (std::vector<int>{4, 5}));
        })
        .key('Z', win::ModCtrl)
        .check([&] { EXPECT_EQ(selection(), (std::vector<int>{1, 2})); })
        .click(at(390, 190))
        .click(ctrl(33002))
        .key(VK_DELETE)
        .check([&] {
            ASSERT_EQ(design().getNrControls(), 3);
            EXPECT_EQ(design().getControl(2)->contents.str(), "grade");
            EXPECT_EQ(::GetDlgItem(dlg->m_hWnd, 33002), HWND());
        })
        .key('Z', win::ModCtrl)
        .check([&] {
            ASSERT_EQ(design().getNrControls(), 4);
            EXPECT_EQ(design().getControl(2)->contents.str(), "W");
            EXPECT_EQ(design().getControl(2)->resourceId, 33002);
            EXPECT_EQ(rectOf(2), (RECT{160, 60, 220, 80}));
            EXPECT_FALSE(design().isModified());  // back where it was read
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg->m_hWnd, DlgDesigner::kUndo)));
        })
        .click(ctrl(IDOK));
    open(s);
}

TEST_F(DesignerSurface, TheRubberBandAndADraggedSelectionShowWhileTheButtonIsDown) {
    auto screen = [&](int x, int y) {
        POINT p{x, y};
        ::ClientToScreen(dlg->m_hWnd, &p);
        return p;
    };
    // Dark pixels along a horizontal line of the picture (the band's or outline's dotted edge).
    auto darkAlong = [&](int y, int x0, int x1) {
        RECT window;
        ::GetWindowRect(dlg->m_hWnd, &window);
        const POINT origin = screen(0, 0);
        const gfx::Image image = win::renderWindow(dlg->m_hWnd);
        int dark = 0;
        for (int x = x0; x < x1; ++x) {
            const gfx::Rgba p = image.pixel(origin.x - window.left + x, origin.y - window.top + y);
            if (p.r < 80 && p.g < 80 && p.b < 80) ++dark;
        }
        return dark;
    };
    // The press starts the band's loop, which takes the rest from the script; the release (a click's) ends it.
    auto press = [&](int x, int y) {
        const POINT p = screen(x, y);
        win::deliverInput(win::InputEvent::mouse(win::InputEvent::Kind::MouseDown, p.x, p.y));
    };
    auto moveTo = [&](int x, int y) {
        const POINT p = screen(x, y);
        win::deliverInput(win::InputEvent::mouse(win::InputEvent::Kind::MouseMove, p.x, p.y));
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .check([&] { press(250, 100); })
        .check([&] {
            moveTo(350, 150);
            EXPECT_GT(darkAlong(149, 260, 340), 20);  // the band's bottom edge (its last row)
        })
        .click(at(350, 150))
        .check([&] { EXPECT_LT(darkAlong(149, 260, 340), 5); })  // gone with the button
        // The selection's outline follows the mouse while it is dragged.
        .click(ctrl(33001))
        .check([&] { press(190, 30); })
        .check([&] {
            moveTo(190, 130);
            EXPECT_GT(darkAlong(139, 165, 215), 10);  // the outline's bottom edge, 100 pixels down
            EXPECT_EQ(rectOf(1), (RECT{160, 20, 220, 40}));  // the control itself moves on release
        })
        .click(at(190, 130))
        .check([&] { EXPECT_EQ(rectOf(1), (RECT{160, 120, 220, 140})); })
        .key('Z', win::ModCtrl)
        .click(ctrl(IDOK));
    open(s);
}

TEST_F(DesignerSurface, ADesignWhoseIdRangeIsUsedUpGivesANewControlIdZero) {
    std::vector<std::string> controls;
    for (int i = 0; i < 100; ++i) controls.push_back("2 0.01 0.01 0.02 0.02 c" + std::to_string(i));
    path = writeDesign(libraryDir(), "Full", controls, 400, 200);
    Script s;
    s.waitFor(win::dialogWithTemplate(kDesigner))
        .click(ctrl(DlgDesigner::kAdd))
        .check([&] {
            ASSERT_EQ(design().getNrControls(), 101);
            EXPECT_EQ(design().getControl(100)->resourceId, 0);
            EXPECT_EQ(selection(), std::vector<int>{100});  // selected by its place, not its id
        })
        .key(VK_DELETE)
        .check([&] { EXPECT_EQ(design().getNrControls(), 100); })
        .click(ctrl(IDOK))
        .waitFor(win::messageBoxContaining("Save the changes to"))
        .answer(IDNO);
    open(s);
}

}  // namespace
}  // namespace vtl::test
