// Display lists as recorded values, and the pixels the rasteriser makes of them.
#include "gfx/display_list.h"

#include <gtest/gtest.h>

#include "gfx/bitmap.h"
#include "gfx/png.h"
#include "gfx/rasterise.h"
#include "gfx/testing.h"
#include "gfx/text_faces.h"
#include "gfx/tracker.h"

namespace vtl::gfx {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class DisplayLists : public ::testing::Test {
protected:
    void TearDown() override { testing::reset(); }
};

// The set of pixels of one colour, as "x,y" strings in row order.
std::vector<POINT> pixelsOf(const Image& image, COLORREF c) {
    std::vector<POINT> out;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.at(x, y) == Rgba::of(c)) out.push_back({x, y});
        }
    }
    return out;
}

// The bounding box of the pixels that are not `background`.
RECT inkBox(const Image& image, COLORREF background) {
    RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.at(x, y) == Rgba::of(background)) continue;
            box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                   std::max<LONG>(box.bottom, y + 1)};
        }
    }
    return box;
}

TEST_F(DisplayLists, RecordInspectableValues) {
    const HFONT f = CreateFont(15, 0, 0, 0, FW_BOLD, false, false, false, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                               CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma");
    const HBITMAP b = createBitmap(Image(3, 2, Rgba::of(kRed)));
    DisplayList list;
    list.fillRect({0, 0, 10, 10}, kRed);
    list.pushOrigin({5, 6});
    list.pushClip({1, 2, 3, 4});
    TextStyle style = TextStyle::withFont(f);
    style.format = DT_CENTER | DT_SINGLELINE | DT_VCENTER;
    list.text({4, 2, 60, 20}, "Say \"hi\"", style);
    list.bitmap({1, 1}, b, RGB(192, 192, 192));
    list.popClip();
    list.popOrigin();
    list.tracker({10, 10, 20, 20});
    EXPECT_EQ(list.describe(),
              (std::vector<std::string>{
                  "fill 0,0,10,10 #FF0000",
                  "push origin 5,6",
                  "push clip 1,2,3,4",
                  "text 4,2,60,20 \"Say \\\"hi\\\"\" font \"Tahoma\" 15 700 #000000 transparent format 0x25",
                  "bitmap 1,1,4,3 from 0,0,3,2 handle " + std::to_string(b.value()) + " 3x2 transparent #C0C0C0",
                  "pop clip",
                  "pop origin",
                  "tracker 10,10,20,20 #000000",
              }));
    // A list owns what it draws: deleting the font and bitmap leaves it unchanged.
    const DisplayList copy = list;
    DeleteObject(f);
    DeleteObject(b);
    EXPECT_EQ(copy.describe(), list.describe());
    EXPECT_EQ(std::get<op::Text>(copy.ops()[3]).font.lfWeight, FW_BOLD);
    EXPECT_TRUE(std::get<op::Bitmap>(copy.ops()[4]).image);

    DisplayList twice = list;
    twice.append(list);
    EXPECT_EQ(twice.size(), 2 * list.size());
}

TEST_F(DisplayLists, ShapesLandOnExactPixels) {
    DisplayList list;
    list.fillRect({2, 3, 5, 5}, kRed);           // 3 x 2 pixels, right and bottom edges outside
    list.frameRect({10, 10, 16, 15}, kBlue, 2);  // inside the rectangle
    list.line({0, 20}, {4, 20}, kBlack);         // the last point is left out
    list.line({30, 9}, {30, 6}, kBlack);         // drawn upwards: 9, 8, 7
    Image image = render(list, 40, 30);
    EXPECT_EQ(pixelsOf(image, kRed), (std::vector<POINT>{{2, 3}, {3, 3}, {4, 3}, {2, 4}, {3, 4}, {4, 4}}));
    EXPECT_EQ(pixelsOf(image, kBlue).size(), 30u - 2u * 1u);  // 6 x 5 frame two thick: all but a 2 x 1 hole
    EXPECT_EQ(image.at(12, 12), Rgba::of(kWhite));
    EXPECT_EQ(image.at(13, 12), Rgba::of(kWhite));
    EXPECT_EQ(image.at(15, 14), Rgba::of(kBlue));
    EXPECT_EQ(image.at(16, 14), Rgba::of(kWhite));
    EXPECT_EQ(pixelsOf(image, kBlack),
              (std::vector<POINT>{{30, 7}, {30, 8}, {30, 9}, {0, 20}, {1, 20}, {2, 20}, {3, 20}}));

    // Dotted: every other pixel of the edge (a focus rectangle), and of a line from its first point.
    DisplayList dots;
    dots.frameRect({0, 0, 4, 3}, kRed, 1, PenStyle::Dot);
    dots.line({9, 5}, {4, 5}, kBlue, 1, PenStyle::Dot);
    const Image d = render(dots, 10, 6);
    EXPECT_EQ(pixelsOf(d, kRed), (std::vector<POINT>{{0, 0}, {2, 0}, {3, 1}, {0, 2}, {2, 2}}));
    EXPECT_EQ(pixelsOf(d, kBlue), (std::vector<POINT>{{5, 5}, {7, 5}, {9, 5}}));

    // Coordinates far outside the canvas are clamped, never overflowed.
    DisplayList huge;
    huge.pushOrigin({INT32_MAX, INT32_MIN});
    huge.pushOrigin({INT32_MAX, INT32_MIN});
    huge.fillRect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, kRed);
    huge.popOrigin();
    huge.popOrigin();
    huge.fillRect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, kBlue);
    huge.frameRect({-5000000, -5000000, 5000000, 5000000}, kRed, 1, PenStyle::Dot);
    EXPECT_EQ(pixelsOf(render(huge, 8, 8), kBlue).size(), 64u);

    // A filled polygon covers the pixels inside its corners, like a rectangle.
    DisplayList tri;
    tri.polygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}}, kRed);
    EXPECT_EQ(pixelsOf(render(tri, 6, 6), kRed).size(), 16u);
}

TEST_F(DisplayLists, OriginsAndClipsNestAndUnwind) {
    DisplayList window;  // a window's own list, in its client coordinates
    window.fillRect({0, 0, 100, 100}, kRed);
    DisplayList screen;
    screen.pushOrigin({10, 20});
    screen.pushClip({0, 0, 4, 3});
    screen.append(window);
    screen.popClip();
    screen.pushOrigin({1, 1});
    screen.fillRect({0, 0, 1, 1}, kBlue);  // offsets add up: at 11, 21
    screen.popOrigin();
    screen.popOrigin();
    screen.popOrigin();  // an extra pop is ignored
    screen.popClip();
    screen.fillRect({0, 0, 1, 1}, kBlack);
    const Image image = render(screen, 40, 40);
    EXPECT_EQ(inkBox(image, kWhite), (RECT{0, 0, 14, 23}));
    EXPECT_EQ(pixelsOf(image, kRed).size(), 12u - 1u);
    EXPECT_EQ(image.at(11, 21), Rgba::of(kBlue));
    EXPECT_EQ(image.at(0, 0), Rgba::of(kBlack));
}

TEST_F(DisplayLists, TextIsPlacedByTheBuiltInMetricsAndClipped) {
    TextStyle style;
    style.font = *fontDescription(defaultGuiFont());
    const SIZE size = textExtent(style.font, "Hello");
    DisplayList list;
    list.text({10, 10, 200, 40}, "Hello", style);
    const Image image = render(list, 220, 60);
    const RECT ink = inkBox(image, kWhite);
    // The ink lies within the line's cell (the face's bearings may leave a pixel or two blank).
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.left, 12);
    EXPECT_LE(ink.right, 10 + size.cx + 1);
    EXPECT_GE(ink.right, 10 + size.cx - 3);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 10 + size.cy);

    // Clipped to its rectangle unless told otherwise; an opaque background fills the line's cell.
    DisplayList clipped;
    style.opaque = true;
    style.background = kBlue;
    clipped.text({10, 10, 20, 40}, "Hello", style);
    const Image c = render(clipped, 220, 60);
    EXPECT_EQ(inkBox(c, kWhite), (RECT{10, 10, 20, 10 + size.cy}));
    style.format = DT_NOCLIP;
    DisplayList unclipped;
    unclipped.text({10, 10, 20, 40}, "Hello", style);
    EXPECT_EQ(inkBox(render(unclipped, 220, 60), kWhite), (RECT{10, 10, 10 + size.cx, 10 + size.cy}));

    // Centred text: the ink is centred within a pixel or two.
    DisplayList centred;
    TextStyle cs;
    cs.format = DT_CENTER | DT_SINGLELINE | DT_VCENTER;
    centred.text({0, 0, 200, 60}, "Hello", cs);
    const RECT ci = inkBox(render(centred, 200, 60), kWhite);
    EXPECT_NEAR((ci.left + ci.right) / 2.0, 100, 2.5);
    EXPECT_NEAR((ci.top + ci.bottom) / 2.0, 30, 3.5);
}

TEST_F(DisplayLists, TextStillDrawsWithoutTheFontFiles) {
    EXPECT_FALSE(textFaceFile().empty()) << "fonts-dejavu-core is a build dependency";
    testing::setFontFolders({"/nonexistent"});
    EXPECT_TRUE(textFaceFile().empty());
    TextStyle style;
    DisplayList list;
    list.text({0, 0, 100, 20}, "Fallback", style);
    const Image image = render(list, 100, 20);
    const RECT ink = inkBox(image, kWhite);
    if (ink.right > ink.left) {
        EXPECT_LE(ink.right, textExtent(style.font, "Fallback").cx + 2) << "placed by the built-in metrics";
    }
    testing::reset();
    EXPECT_FALSE(textFaceFile().empty());
}

TEST_F(DisplayLists, BitmapsWithTransparencyAndStretching) {
    Image picture(3, 2, Rgba::of(kRed));
    picture.at(1, 0) = Rgba::of(RGB(192, 192, 192));
    picture.at(2, 1) = kTransparent;
    const HBITMAP b = createBitmap(picture);
    DisplayList list;
    list.fillRect({0, 0, 20, 20}, kBlue);
    list.bitmap({2, 2}, b, RGB(192, 192, 192));
    list.stretchBitmap({10, 10, 16, 14}, b);                  // twice as large, nearest pixel
    list.stretchBitmap({0, 10, 2, 11}, b, RECT{1, 0, 3, 1});  // a part of it
    const Image image = render(list, 20, 20);
    EXPECT_EQ(image.at(2, 2), Rgba::of(kRed));
    EXPECT_EQ(image.at(3, 2), Rgba::of(kBlue)) << "the transparent colour shows what is below";
    EXPECT_EQ(image.at(4, 3), Rgba::of(kBlue)) << "so do transparent pixels";
    EXPECT_EQ(image.at(5, 2), Rgba::of(kBlue)) << "nothing beyond the bitmap";
    EXPECT_EQ(image.at(12, 10), Rgba::of(RGB(192, 192, 192)));
    EXPECT_EQ(image.at(13, 11), Rgba::of(RGB(192, 192, 192)));
    EXPECT_EQ(image.at(14, 12), Rgba::of(kBlue));
    EXPECT_EQ(image.at(11, 13), Rgba::of(kRed));
    EXPECT_EQ(image.at(0, 10), Rgba::of(RGB(192, 192, 192)));
    EXPECT_EQ(image.at(1, 10), Rgba::of(kRed));
    // A deleted handle records nothing to draw; a source beyond the image draws only what exists.
    DisplayList none;
    none.bitmap({0, 0}, HBITMAP(12345));
    none.stretchBitmap({0, 0, 10, 10}, b, RECT{-5, -5, 5, 5});
    const Image n = render(none, 20, 20);
    EXPECT_EQ(inkBox(n, kWhite), (RECT{5, 5, 8, 7}));
}

TEST_F(DisplayLists, TrackerFrameAndHandlesOutside) {
    const RECT r{10, 10, 31, 21};
    DisplayList list;
    list.tracker(r);
    const Image image = render(list, 50, 40);
    const auto handles = trackerHandleRects(r);
    for (const RECT& h : handles) {
        EXPECT_EQ(h.right - h.left, kTrackerHandleSize);
        EXPECT_EQ(h.bottom - h.top, kTrackerHandleSize);
        CRect overlap;
        EXPECT_FALSE(overlap.IntersectRect(h, r)) << "handles lie outside the rectangle";
        for (int y = h.top; y < h.bottom; ++y) {
            for (int x = h.left; x < h.right; ++x) EXPECT_EQ(image.at(x, y), Rgba::of(kBlack));
        }
    }
    EXPECT_EQ(handles[static_cast<int>(TrackerHandle::Top)], (RECT{18, 5, 23, 10}));
    EXPECT_EQ(handles[static_cast<int>(TrackerHandle::BottomRight)], (RECT{31, 21, 36, 26}));
    EXPECT_EQ(image.at(10, 15), Rgba::of(kBlack)) << "the frame is on the edge pixels";
    EXPECT_EQ(image.at(30, 15), Rgba::of(kBlack));
    EXPECT_EQ(image.at(11, 15), Rgba::of(kWhite));
    EXPECT_EQ(image.at(20, 15), Rgba::of(kWhite));
}

TEST_F(DisplayLists, CanvasesEncodeAsPngOfTheirSize) {
    DisplayList list;
    list.fillRect({0, 0, 3, 3}, kRed);
    const Image canvas = render(list, 33, 17, kBlue);
    const std::vector<std::uint8_t> png = encodePng(canvas);
    const Image back = decodePng(png);
    EXPECT_EQ(back.width(), 33);
    EXPECT_EQ(back.height(), 17);
    EXPECT_EQ(back, canvas);
    EXPECT_EQ(back.at(32, 16), Rgba::of(kBlue));
    // Drawing over an existing canvas keeps what is not drawn over.
    Image over = canvas;
    DisplayList more;
    more.fillRect({10, 10, 11, 11}, kBlack);
    render(more, over);
    EXPECT_EQ(over.at(10, 10), Rgba::of(kBlack));
    EXPECT_EQ(over.at(1, 1), Rgba::of(kRed));
}

}  // namespace
}  // namespace vtl::gfx
