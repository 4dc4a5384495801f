#pragma once
// A display list: drawing operations recorded in a device's pixel coordinates, replayed by the rasteriser.
// A value: copy it, append one list to another, inspect its operations (ops(), describe()).
//
// Coordinates follow the platform: rectangles include left/top and exclude right/bottom; a line leaves out
// its last point. Push/pop pairs nest: an origin offset moves every later coordinate (offsets add up), a
// clip rectangle (in the current origin's coordinates) narrows drawing until its pop. Pops without a push
// are ignored.
//
// Text keeps the font's description (resolved from a handle when recorded) and bitmaps keep their pixels,
// so a list stays drawable after its fonts and bitmaps are deleted.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "gfx/color.h"
#include "gfx/export.h"
#include "gfx/font.h"
#include "gfx/geometry.h"
#include "gfx/handles.h"
#include "gfx/image.h"
#include "gfx/text_layout.h"

namespace vtl::gfx {

enum class PenStyle { Solid, Dot };

namespace op {
struct FillRect {
    RECT rect;
    COLORREF colour;
};
// A frame drawn inside the rectangle, `width` pixels thick.
struct FrameRect {
    RECT rect;
    COLORREF colour;
    int width = 1;
    PenStyle style = PenStyle::Solid;
};
struct Line {
    POINT from;
    POINT to;
    COLORREF colour;
    int width = 1;
    PenStyle style = PenStyle::Solid;
};
// Filled with the alternate (even-odd) rule; vertices are pixel corners.
struct Polygon {
    std::vector<POINT> points;
    COLORREF colour;
};
struct Ellipse {
    RECT rect;
    std::optional<COLORREF> fill;
    std::optional<COLORREF> frame;  // 1 pixel, inside the rectangle
};
// Laid out by layoutText(font, text, rect, format); clipped to rect unless DT_NOCLIP. An opaque background
// fills each line's cell.
struct Text {
    RECT rect;
    std::string text;  // UTF-8
    LOGFONT font;
    HFONT fontHandle;  // the handle it was recorded from, if any (for inspection)
    COLORREF colour;
    bool opaque;
    COLORREF background;
    unsigned format;
};
// `source` (in image pixels) drawn into `dest`, stretched by nearest pixel when the sizes differ; pixels of
// the transparent colour, and transparent pixels of the image, are not drawn.
struct Bitmap {
    std::shared_ptr<const Image> image;  // null when the handle was not live: nothing is drawn
    HBITMAP bitmap;                      // where the pixels came from, for inspection
    HICON icon;
    RECT dest;
    RECT source;
    std::optional<COLORREF> transparent;
};
// A solid 1-pixel frame on the rectangle's edge pixels and eight handles outside it (gfx/tracker.h).
struct Tracker {
    RECT rect;
    COLORREF colour;
};
struct PushClip {
    RECT rect;
};
struct PopClip {};
struct PushOrigin {
    POINT offset;
};
struct PopOrigin {};
}  // namespace op

using DrawOp = std::variant<op::FillRect, op::FrameRect, op::Line, op::Polygon, op::Ellipse, op::Text, op::Bitmap,
                            op::Tracker, op::PushClip, op::PopClip, op::PushOrigin, op::PopOrigin>;

// How text is drawn: font, colour, background mode and DT_ format flags.
struct TextStyle {
    LOGFONT font;  // the default description measures as the dialog font
    HFONT fontHandle;
    COLORREF colour = RGB(0, 0, 0);
    bool opaque = false;
    COLORREF background = RGB(255, 255, 255);
    unsigned format = DT_LEFT | DT_TOP;

    // The style with the font of a handle (the default GUI font for an unknown one).
    VTLGFX_API static TextStyle withFont(HFONT font);
};

class VTLGFX_API DisplayList {
public:
    void fillRect(const RECT& rect, COLORREF colour);
    void frameRect(const RECT& rect, COLORREF colour, int width = 1, PenStyle style = PenStyle::Solid);
    void line(POINT from, POINT to, COLORREF colour, int width = 1, PenStyle style = PenStyle::Solid);
    void polygon(std::vector<POINT> points, COLORREF colour);
    void ellipse(const RECT& rect, std::optional<COLORREF> fill, std::optional<COLORREF> frame);
    void text(const RECT& rect, std::string_view utf8, const TextStyle& style);
    // One unclipped line with its top-left at `at` (the platform's TextOut).
    void textOut(POINT at, std::string_view utf8, const TextStyle& style);
    void bitmap(POINT at, HBITMAP bitmap, std::optional<COLORREF> transparent = std::nullopt);
    void bitmap(POINT at, std::shared_ptr<const Image> image, std::optional<COLORREF> transparent = std::nullopt);
    // `source` defaults to the whole image.
    void stretchBitmap(const RECT& dest, HBITMAP bitmap, std::optional<RECT> source = std::nullopt,
                       std::optional<COLORREF> transparent = std::nullopt);
    void stretchBitmap(const RECT& dest, std::shared_ptr<const Image> image, std::optional<RECT> source = std::nullopt,
                       std::optional<COLORREF> transparent = std::nullopt);
    // The icon's image for `size` (see iconImage) at its own size.
    void icon(POINT at, HICON icon, int size = 16);
    void tracker(const RECT& rect, COLORREF colour = RGB(0, 0, 0));
    void pushClip(const RECT& rect);
    void popClip();
    void pushOrigin(POINT offset);
    void popOrigin();

    void append(const DisplayList& other);
    void clear() { ops_.clear(); }
    const std::vector<DrawOp>& ops() const { return ops_; }
    std::size_t size() const { return ops_.size(); }
    bool empty() const { return ops_.empty(); }

    // One line per operation, e.g. `fill 0,0,10,10 #FF0000` or `text 4,2,60,20 "OK" ...`; colours #RRGGBB.
    std::vector<std::string> describe() const;

private:
    std::vector<DrawOp> ops_;
};

VTLGFX_API std::string describe(const DrawOp& op);

}  // namespace vtl::gfx
