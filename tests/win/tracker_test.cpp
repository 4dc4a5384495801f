// The rectangle tracker, driven by the pointer sequences of scripts: a handle drag, a move, a rubber
// band, and Escape restoring the rectangle.
#include "gfx/image.h"
#include "win/dc.h"
#include "win/render.h"
#include "win/script.h"
#include "win/tracker.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

// A surface that tracks like a designer: a press on the tracker moves or resizes it, a press elsewhere
// draws a rubber band.
class Surface : public CWnd {
public:
    CRectTracker tracker;
    CRect band;
    std::vector<BOOL> results;
    bool drawTracker = false;

protected:
    void OnPaint() override {
        CPaintDC dc(this);
        if (drawTracker) tracker.Draw(&dc);
    }
    void OnLButtonDown(UINT, CPoint point) override {
        if (tracker.HitTest(point) != CRectTracker::hitNothing) {
            results.push_back(tracker.Track(this, point));
        } else {
            CRectTracker rubber;
            const BOOL ok = rubber.TrackRubberBand(this, point);
            if (ok) band = rubber.m_rect;
            results.push_back(ok);
        }
    }
};

class TrackerTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        ASSERT_TRUE(surface.CreateEx(0, "VtlFrame", "Designer", WS_POPUP | WS_VISIBLE, CRect(100, 100, 500, 400),
                                     nullptr, 0));
        surface.tracker.m_rect = CRect(50, 50, 150, 100);
    }
    void TearDown() override {
        surface.DestroyWindow();
        WinTest::TearDown();
    }
    // A point of the surface's client area, in screen pixels.
    Target at(int x, int y) { return point(100 + x, 100 + y); }
    Surface surface;
};

TEST_F(TrackerTest, HandlesLieFivePixelsOutsideTheRectangle) {
    const CRectTracker& t = surface.tracker;
    EXPECT_EQ(t.HitTest({47, 47}), CRectTracker::hitTopLeft);
    EXPECT_EQ(t.HitTest({152, 102}), CRectTracker::hitBottomRight);
    EXPECT_EQ(t.HitTest({100, 47}), CRectTracker::hitTop);
    EXPECT_EQ(t.HitTest({44, 75}), CRectTracker::hitNothing);
    EXPECT_EQ(t.HitTest({47, 75}), CRectTracker::hitLeft);
    EXPECT_EQ(t.HitTest({60, 60}), CRectTracker::hitMiddle);
    EXPECT_EQ(t.HitTest({160, 60}), CRectTracker::hitNothing);
    CRect r;
    t.GetTrueRect(&r);
    EXPECT_EQ(r, CRect(45, 45, 155, 105));
}

TEST_F(TrackerTest, DraggingAHandleResizesAndDraggingInsideMoves) {
    Script s;
    s.drag(at(152, 102), at(182, 142))  // bottom-right handle
        .drag(at(60, 60), at(70, 40));  // the middle
    play(s);
    EXPECT_EQ(surface.results, (std::vector<BOOL>{TRUE, TRUE}));
    EXPECT_EQ(surface.tracker.m_rect, CRect(60, 30, 190, 120));
}

TEST_F(TrackerTest, ADragByADistanceMovesFromTheStartPointWithTheModifiersHeld) {
    Script s;
    s.dragBy(at(60, 60), 25, -10);
    play(s);
    EXPECT_EQ(surface.tracker.m_rect, CRect(75, 40, 175, 90));
    const Script parsed = Script::parse("drag point 1 2 by 30 -4 shift\n", "s");
    EXPECT_EQ(parsed.remainingSteps(), (std::vector<std::string>{"drag point 1 2 by 30 -4 shift+"}));
}

TEST_F(TrackerTest, DrawingShowsTheOutlineAroundTheRectangleAndTheEightHandles) {
    surface.drawTracker = true;
    const gfx::Image image = renderWindow(surface.m_hWnd);
    auto black = [&](int x, int y) { return image.pixel(x, y) == gfx::Rgba::of(RGB(0, 0, 0)); };
    // The outline lies one pixel outside, so a child window filling the rectangle leaves it visible.
    EXPECT_TRUE(black(49, 75));
    EXPECT_TRUE(black(150, 75));
    EXPECT_TRUE(black(100, 49));
    EXPECT_FALSE(black(50, 75));
    EXPECT_FALSE(black(100, 75));
    // Handles: corners diagonally outside, edge handles centred on their edge.
    for (POINT p : {POINT{46, 46}, POINT{152, 46}, POINT{152, 102}, POINT{46, 102}, POINT{99, 46}, POINT{152, 74},
                    POINT{99, 102}, POINT{46, 74}})
        EXPECT_TRUE(black(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_FALSE(black(46, 60));  // between two handles: only the outline one pixel further in
}

TEST_F(TrackerTest, ARubberBandIsNormalisedAndEscapeRestoresTheRectangle) {
    Script s;
    s.drag(at(300, 250), at(200, 180));  // drawn up and to the left
    play(s);
    EXPECT_EQ(surface.band, CRect(200, 180, 300, 250));

    // Press on the handle, move, then Escape before releasing: the press starts the tracker's loop, which
    // takes the rest from the script.
    const POINT p{100 + 152, 100 + 102};
    Script esc;
    esc.check([&] {
           deliverInput(InputEvent::mouse(InputEvent::Kind::MouseMove, p.x + 40, p.y + 40));
           EXPECT_EQ(surface.tracker.m_rect, CRect(50, 50, 190, 140));
       })
        .key(VK_ESCAPE);
    run(esc, [&] { deliverInput(InputEvent::mouse(InputEvent::Kind::MouseDown, p.x, p.y)); });
    EXPECT_EQ(surface.results.back(), FALSE);
    EXPECT_EQ(surface.tracker.m_rect, CRect(50, 50, 150, 100));
    deliverInput(InputEvent::mouse(InputEvent::Kind::MouseUp, p.x, p.y));
}

TEST_F(TrackerTest, AnUnansweredTrackIsCancelled) {
    Script s;
    run(s, [&] {
        const POINT p{100 + 60, 100 + 60};
        deliverInput(InputEvent::mouse(InputEvent::Kind::MouseDown, p.x, p.y));
    });
    EXPECT_EQ(surface.results, (std::vector<BOOL>{FALSE}));
    EXPECT_EQ(surface.tracker.m_rect, CRect(50, 50, 150, 100));
    expectUnanswered("unanswered tracker");
}

}  // namespace
}  // namespace vtl::test
