#include "gfx/display_list.h"

#include <cstdio>

#include "gfx/bitmap.h"
#include "gfx/icon.h"
#include "gfx/text_metrics.h"

namespace vtl::gfx {
namespace {

std::string str(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}
std::string str(POINT p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}
std::string colour(COLORREF c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}
std::string pen(int width, PenStyle style) {
    return " width " + std::to_string(width) + (style == PenStyle::Dot ? " dot" : "");
}
std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out.push_back('\\');
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out.push_back(c);
        }
    }
    return out + "\"";
}
RECT whole(const Image* image) {
    return image ? RECT{0, 0, image->width(), image->height()} : RECT{};
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

TextStyle TextStyle::withFont(HFONT font) {
    TextStyle s;
    s.font = resolveFont(font);
    s.fontHandle = font;
    return s;
}

void DisplayList::fillRect(const RECT& rect, COLORREF c) {
    ops_.emplace_back(op::FillRect{rect, c});
}

void DisplayList::frameRect(const RECT& rect, COLORREF c, int width, PenStyle style) {
    ops_.emplace_back(op::FrameRect{rect, c, width, style});
}

void DisplayList::line(POINT from, POINT to, COLORREF c, int width, PenStyle style) {
    ops_.emplace_back(op::Line{from, to, c, width, style});
}

void DisplayList::polygon(std::vector<POINT> points, COLORREF c) {
    ops_.emplace_back(op::Polygon{std::move(points), c});
}

void DisplayList::ellipse(const RECT& rect, std::optional<COLORREF> fill, std::optional<COLORREF> frame) {
    ops_.emplace_back(op::Ellipse{rect, fill, frame});
}

void DisplayList::text(const RECT& rect, std::string_view utf8, const TextStyle& s) {
    ops_.emplace_back(
        op::Text{rect, std::string(utf8), s.font, s.fontHandle, s.colour, s.opaque, s.background, s.format});
}

void DisplayList::textOut(POINT at, std::string_view utf8, const TextStyle& s) {
    const SIZE size = textExtent(s.font, utf8);
    TextStyle style = s;
    style.format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    text({at.x, at.y, at.x + size.cx, at.y + size.cy}, utf8, style);
}

void DisplayList::bitmap(POINT at, HBITMAP handle, std::optional<COLORREF> transparent) {
    auto image = bitmapImage(handle);
    const RECT src = whole(image.get());
    ops_.emplace_back(op::Bitmap{
        std::move(image), handle, HICON(), {at.x, at.y, at.x + src.right, at.y + src.bottom}, src, transparent});
}

void DisplayList::bitmap(POINT at, std::shared_ptr<const Image> image, std::optional<COLORREF> transparent) {
    const RECT src = whole(image.get());
    ops_.emplace_back(op::Bitmap{
        std::move(image), HBITMAP(), HICON(), {at.x, at.y, at.x + src.right, at.y + src.bottom}, src, transparent});
}

void DisplayList::stretchBitmap(const RECT& dest, HBITMAP handle, std::optional<RECT> source,
                                std::optional<COLORREF> transparent) {
    auto image = bitmapImage(handle);
    const RECT src = source.value_or(whole(image.get()));
    ops_.emplace_back(op::Bitmap{std::move(image), handle, HICON(), dest, src, transparent});
}

void DisplayList::stretchBitmap(const RECT& dest, std::shared_ptr<const Image> image, std::optional<RECT> source,
                                std::optional<COLORREF> transparent) {
    const RECT src = source.value_or(whole(image.get()));
    ops_.emplace_back(op::Bitmap{std::move(image), HBITMAP(), HICON(), dest, src, transparent});
}

void DisplayList::icon(POINT at, HICON handle, int size) {
    auto image = iconImage(handle, size);
    const RECT src = whole(image.get());
    ops_.emplace_back(op::Bitmap{
        std::move(image), HBITMAP(), handle, {at.x, at.y, at.x + src.right, at.y + src.bottom}, src, std::nullopt});
}

void DisplayList::tracker(const RECT& rect, COLORREF c) {
    ops_.emplace_back(op::Tracker{rect, c});
}
void DisplayList::pushClip(const RECT& rect) {
    ops_.emplace_back(op::PushClip{rect});
}
void DisplayList::popClip() {
    ops_.emplace_back(op::PopClip{});
}
void DisplayList::pushOrigin(POINT offset) {
    ops_.emplace_back(op::PushOrigin{offset});
}
void DisplayList::popOrigin() {
    ops_.emplace_back(op::PopOrigin{});
}

void DisplayList::append(const DisplayList& other) {
    ops_.insert(ops_.end(), other.ops_.begin(), other.ops_.end());
}

std::vector<std::string> DisplayList::describe() const {
    std::vector<std::string> out;
    out.reserve(ops_.size());
    for (const DrawOp& o : ops_) out.push_back(gfx::describe(o));
    return out;
}

std::string describe(const DrawOp& o) {
    return std::visit(
        Overloaded{
            [](const op::FillRect& f) { return "fill " + str(f.rect) + " " + colour(f.colour); },
            [](const op::FrameRect& f) {
                return "frame " + str(f.rect) + " " + colour(f.colour) + pen(f.width, f.style);
            },
            [](const op::Line& l) {
                return "line " + str(l.from) + " " + str(l.to) + " " + colour(l.colour) + pen(l.width, l.style);
            },
            [](const op::Polygon& p) {
                std::string s = "polygon";
                for (POINT pt : p.points) s += " " + str(pt);
                return s + " " + colour(p.colour);
            },
            [](const op::Ellipse& e) {
                return "ellipse " + str(e.rect) + (e.fill ? " fill " + colour(*e.fill) : std::string()) +
                       (e.frame ? " frame " + colour(*e.frame) : std::string());
            },
            [](const op::Text& t) {
                char format[16];
                std::snprintf(format, sizeof format, "0x%X", t.format);
                return "text " + str(t.rect) + " " + quoted(t.text) + " font " + quoted(t.font.lfFaceName) + " " +
                       std::to_string(t.font.lfHeight) + " " + std::to_string(t.font.lfWeight) +
                       (t.font.lfItalic ? " italic" : "") + " " + colour(t.colour) +
                       (t.opaque ? " opaque " + colour(t.background) : std::string(" transparent")) + " format " +
                       format;
            },
            [](const op::Bitmap& b) {
                std::string s = "bitmap " + str(b.dest) + " from " + str(b.source);
                if (b.bitmap) s += " handle " + std::to_string(b.bitmap.value());
                if (b.icon) s += " icon " + std::to_string(b.icon.value());
                s += b.image ? " " + std::to_string(b.image->width()) + "x" + std::to_string(b.image->height())
                             : std::string(" none");
                if (b.transparent) s += " transparent " + colour(*b.transparent);
                return s;
            },
            [](const op::Tracker& t) { return "tracker " + str(t.rect) + " " + colour(t.colour); },
            [](const op::PushClip& c) { return "push clip " + str(c.rect); },
            [](const op::PopClip&) { return std::string("pop clip"); },
            [](const op::PushOrigin& o) { return "push origin " + str(o.offset); },
            [](const op::PopOrigin&) { return std::string("pop origin"); },
        },
        o);
}

}  // namespace vtl::gfx
