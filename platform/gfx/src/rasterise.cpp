#include "gfx/rasterise.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <numbers>
#include <tuple>
#include <vector>

#include "cairo_surface.h"
#include "font_faces.h"
#include "gfx/mask.h"
#include "gfx/text_metrics.h"
#include "gfx/tracker.h"

namespace vtl::gfx {
namespace {

using detail::ContextPtr;
using detail::SurfacePtr;

// Device coordinates stay well inside Cairo's fixed-point range; sums never overflow.
LONG add(LONG a, LONG b) {
    constexpr std::int64_t kLimit = 1 << 22;
    return static_cast<LONG>(std::clamp<std::int64_t>(std::int64_t{a} + b, -kLimit, kLimit));
}
RECT offset(RECT r, POINT o) {
    return {add(r.left, o.x), add(r.top, o.y), add(r.right, o.x), add(r.bottom, o.y)};
}
POINT offset(POINT p, POINT o) {
    return {add(p.x, o.x), add(p.y, o.y)};
}
RECT intersect(const RECT& a, const RECT& b) {
    CRect r;
    r.IntersectRect(a, b);
    return r;
}
bool isEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

void setColour(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// Replays a list on one Cairo context, keeping the origin and clip stacks of the list.
class Painter {
public:
    Painter(cairo_t* cr, int width, int height) : cr_(cr), clips_{RECT{0, 0, width, height}} {
        cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
        cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_set_font_options(cr_, options);
        cairo_font_options_destroy(options);
    }

    void operator()(const op::FillRect& f) { fill(offset(f.rect, origin()), f.colour); }

    void operator()(const op::FrameRect& f) {
        frame(offset(f.rect, origin()), f.colour, std::max(1, f.width), f.style);
    }

    void operator()(const op::Line& l) {
        const POINT a = offset(l.from, origin());
        const POINT b = offset(l.to, origin());
        const int w = std::max(1, l.width);
        if (a.x == b.x && a.y == b.y) return;
        if (a.y == b.y || a.x == b.x) {  // exact pixels for the common case
            const bool horizontal = a.y == b.y;
            const int from = horizontal ? a.x : a.y;
            const int to = horizontal ? b.x : b.y;
            const int step = to > from ? 1 : -1;
            const int band = (horizontal ? a.y : a.x) - w / 2;
            // The pixels from the first point towards the last, the last one left out.
            const int low = step > 0 ? from : to + 1;
            const int high = step > 0 ? to : from + 1;
            const RECT& clip = clips_.back();
            begin();
            if (l.style == PenStyle::Dot) {  // every other pixel, counted from the first point; only those in the clip
                const int first = std::max(low, horizontal ? clip.left : clip.top);
                const int last = std::min(high, horizontal ? clip.right : clip.bottom);
                for (int i = first; i < last; ++i) {
                    if (((i - from) & 1) != 0) continue;
                    if (horizontal) {
                        cairo_rectangle(cr_, i, band, 1, w);
                    } else {
                        cairo_rectangle(cr_, band, i, w, 1);
                    }
                }
            } else if (horizontal) {
                cairo_rectangle(cr_, low, band, high - low, w);
            } else {
                cairo_rectangle(cr_, band, low, w, high - low);
            }
            finishFill(l.colour);
            return;
        }
        begin();
        cairo_set_line_width(cr_, w);
        if (l.style == PenStyle::Dot) {
            const double dash = 1;
            cairo_set_dash(cr_, &dash, 1, 0);
        }
        cairo_move_to(cr_, a.x + 0.5, a.y + 0.5);
        cairo_line_to(cr_, b.x + 0.5, b.y + 0.5);
        setColour(cr_, l.colour);
        cairo_stroke(cr_);
        cairo_set_dash(cr_, nullptr, 0, 0);
        end();
    }

    void operator()(const op::Polygon& p) {
        if (p.points.size() < 3) return;
        begin();
        const POINT first = offset(p.points[0], origin());
        cairo_move_to(cr_, first.x, first.y);
        for (std::size_t i = 1; i < p.points.size(); ++i) {
            const POINT q = offset(p.points[i], origin());
            cairo_line_to(cr_, q.x, q.y);
        }
        cairo_close_path(cr_);
        finishFill(p.colour);
    }

    void operator()(const op::Ellipse& e) {
        const RECT r = offset(e.rect, origin());
        if (isEmpty(r)) return;
        const double cx = (r.left + r.right) / 2.0;
        const double cy = (r.top + r.bottom) / 2.0;
        const double rx = (r.right - r.left) / 2.0;
        const double ry = (r.bottom - r.top) / 2.0;
        auto path = [&](double dx, double dy) {
            cairo_save(cr_);
            cairo_translate(cr_, cx, cy);
            cairo_scale(cr_, std::max(0.01, dx), std::max(0.01, dy));
            cairo_arc(cr_, 0, 0, 1, 0, 2 * std::numbers::pi);
            cairo_restore(cr_);
        };
        if (e.fill) {
            begin();
            path(rx, ry);
            finishFill(*e.fill);
        }
        if (e.frame) {
            begin();
            path(rx, ry);
            path(rx - 1, ry - 1);  // the ring between the two paths, even-odd
            finishFill(*e.frame);
        }
    }

    void operator()(const op::Text& t) {
        if (t.format & DT_CALCRECT) return;
        const RECT rect = offset(t.rect, origin());
        const TextLayout layout = layoutText(t.font, t.text, rect, t.format);
        const RECT clip = (t.format & DT_NOCLIP) ? clips_.back() : intersect(clips_.back(), rect);
        if (isEmpty(clip)) return;
        clips_.push_back(clip);
        if (t.opaque) {
            for (const TextLine& line : layout.lines) {
                fill({line.left, line.top, line.left + line.width, line.top + layout.metrics.height}, t.background);
            }
        }
        const bool bold = t.font.lfWeight >= 600;
        const bool italic = t.font.lfItalic;
        begin();
        cairo_set_font_face(cr_, detail::fontFace(bold, italic));
        cairo_set_font_size(cr_, emPixels(t.font));
        cairo_scaled_font_t* font = cairo_get_scaled_font(cr_);
        std::vector<cairo_glyph_t> glyphs;
        for (const TextLine& line : layout.lines) {
            const double baseline = line.top + layout.metrics.ascent;
            for (std::size_t i = 0; i < line.text.size(); ++i) {
                const char32_t c = line.text[i];
                if (c <= 0x20 || (c >= 0x7F && c < 0xA0)) continue;  // blanks and control characters
                glyphs.push_back({detail::glyphIndex(font, bold, italic, c), static_cast<double>(line.x[i]), baseline});
            }
        }
        setColour(cr_, t.colour);
        if (!glyphs.empty()) cairo_show_glyphs(cr_, glyphs.data(), static_cast<int>(glyphs.size()));
        end();
        for (const TextLine& line : layout.lines) {
            if (line.underline < 0) continue;
            const auto i = static_cast<std::size_t>(line.underline);
            const int right = i + 1 < line.x.size() ? line.x[i + 1] : line.left + line.width;
            const int y = line.top + layout.metrics.ascent + 1;
            fill({line.x[i], y, right, y + 1}, t.colour);
        }
        if (t.font.lfUnderline || t.font.lfStrikeOut) {
            for (const TextLine& line : layout.lines) {
                const int y = t.font.lfUnderline ? line.top + layout.metrics.ascent + 1
                                                 : line.top + layout.metrics.ascent * 2 / 3;
                fill({line.left, y, line.left + line.width, y + 1}, t.colour);
            }
        }
        clips_.pop_back();
    }

    void operator()(const op::Bitmap& b) {
        if (!b.image) return;
        const RECT dest = offset(b.dest, origin());
        const RECT& source = b.source;
        // Only the part of the source inside the image is drawn, where the full source would put it.
        const RECT part = intersect(source, {0, 0, b.image->width(), b.image->height()});
        if (isEmpty(dest) || isEmpty(source) || isEmpty(part)) return;
        cairo_surface_t* surface = surfaceFor(*b.image, part, b.transparent);
        begin();
        cairo_rectangle(cr_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top);
        cairo_clip(cr_);
        cairo_translate(cr_, dest.left, dest.top);
        cairo_scale(cr_, static_cast<double>(dest.right - dest.left) / (source.right - source.left),
                    static_cast<double>(dest.bottom - dest.top) / (source.bottom - source.top));
        cairo_set_source_surface(cr_, surface, part.left - source.left, part.top - source.top);
        cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
        cairo_paint(cr_);
        end();
    }

    void operator()(const op::Tracker& t) {
        const RECT r = offset(t.rect, origin());
        frame(r, t.colour, 1, PenStyle::Solid);
        for (const RECT& h : trackerHandleRects(r)) fill(h, t.colour);
    }

    void operator()(const op::PushClip& c) { clips_.push_back(intersect(clips_.back(), offset(c.rect, origin()))); }
    void operator()(const op::PopClip&) {
        if (clips_.size() > 1) clips_.pop_back();
    }
    void operator()(const op::PushOrigin& o) { origins_.push_back(offset(o.offset, origin())); }
    void operator()(const op::PopOrigin&) {
        if (!origins_.empty()) origins_.pop_back();
    }

private:
    POINT origin() const { return origins_.empty() ? POINT{0, 0} : origins_.back(); }

    // Starts a drawing step clipped to the current clip rectangle.
    void begin() {
        cairo_save(cr_);
        const RECT& c = clips_.back();
        cairo_rectangle(cr_, c.left, c.top, std::max(0, c.right - c.left), std::max(0, c.bottom - c.top));
        cairo_clip(cr_);
        cairo_new_path(cr_);
    }
    void end() { cairo_restore(cr_); }
    void finishFill(COLORREF c) {
        setColour(cr_, c);
        cairo_fill(cr_);
        end();
    }

    void fill(const RECT& r, COLORREF c) {
        if (isEmpty(r)) return;
        begin();
        cairo_rectangle(cr_, r.left, r.top, r.right - r.left, r.bottom - r.top);
        finishFill(c);
    }

    void frame(const RECT& r, COLORREF c, int w, PenStyle style) {
        if (isEmpty(r)) return;
        if (style == PenStyle::Dot) {                    // every other pixel along the edge, as a focus rectangle
            const RECT v = intersect(r, clips_.back());  // only the visible part is walked
            begin();
            auto dot = [&](int x, int y) {
                if (((x + y) & 1) == 0) cairo_rectangle(cr_, x, y, 1, 1);
            };
            for (int x = v.left; x < v.right; ++x) {
                dot(x, r.top);
                dot(x, r.bottom - 1);
            }
            for (int y = std::max(v.top, r.top + 1); y < std::min(v.bottom, r.bottom - 1); ++y) {
                dot(r.left, y);
                dot(r.right - 1, y);
            }
            finishFill(c);
            return;
        }
        begin();
        cairo_rectangle(cr_, r.left, r.top, r.right - r.left, r.bottom - r.top);
        const int inL = std::min(r.left + w, r.right);
        const int inT = std::min(r.top + w, r.bottom);
        const int inR = std::max(r.right - w, inL);
        const int inB = std::max(r.bottom - w, inT);
        if (inR > inL && inB > inT) cairo_rectangle(cr_, inL, inT, inR - inL, inB - inT);
        finishFill(c);  // even-odd: the band between the two rectangles
    }

    // A Cairo surface of the image (only its source part, masked when asked), made once per replay.
    cairo_surface_t* surfaceFor(const Image& image, const RECT& source, std::optional<COLORREF> transparent) {
        const auto key = std::make_tuple(&image, source.left, source.top, source.right, source.bottom,
                                         transparent ? static_cast<std::int64_t>(*transparent) : -1);
        if (const auto it = surfaces_.find(key); it != surfaces_.end()) return it->second.get();
        Image part(source.right - source.left, source.bottom - source.top);
        for (int y = source.top; y < source.bottom; ++y) {
            for (int x = source.left; x < source.right; ++x) part.at(x - source.left, y - source.top) = image.at(x, y);
        }
        if (transparent) part = withTransparentColour(std::move(part), *transparent);
        SurfacePtr surface = detail::surfaceFromImage(part);
        return surfaces_.emplace(key, std::move(surface)).first->second.get();
    }

    cairo_t* cr_;
    std::vector<RECT> clips_;
    std::vector<POINT> origins_;
    std::map<std::tuple<const Image*, int, int, int, int, std::int64_t>, SurfacePtr> surfaces_;
};

}  // namespace

void render(const DisplayList& list, Image& canvas) {
    if (canvas.empty()) return;
    const SurfacePtr surface = detail::surfaceFromImage(canvas);
    {
        const ContextPtr cr(cairo_create(surface.get()));
        Painter painter(cr.get(), canvas.width(), canvas.height());
        for (const DrawOp& o : list.ops()) std::visit(painter, o);
    }
    canvas = detail::imageFromSurface(surface.get());
}

Image render(const DisplayList& list, int width, int height, COLORREF background) {
    Image canvas(std::max(0, width), std::max(0, height), Rgba::of(background));
    render(list, canvas);
    return canvas;
}

}  // namespace vtl::gfx
