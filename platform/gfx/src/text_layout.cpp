#include "gfx/text_layout.h"

#include <algorithm>

#include "gfx/utf8.h"

namespace vtl::gfx {
namespace {

struct Glyph {
    char32_t c;
    bool underline;
};
using Run = std::vector<Glyph>;

bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t';
}

// Half of a possibly negative amount, rounded toward the left/top.
int half(int v) {
    return v >= 0 ? v / 2 : -((1 - v) / 2);
}

// Removes prefix marks: "&&" is "&", "&x" is an underlined x, a final "&" vanishes.
Run withoutPrefixes(const std::u32string& text, bool process) {
    Run out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (process && text[i] == U'&') {
            if (i + 1 < text.size()) {
                out.push_back({text[i + 1], text[i + 1] != U'&'});
                ++i;
            }
            continue;
        }
        out.push_back({text[i], false});
    }
    return out;
}

std::vector<Run> paragraphs(const Run& text, bool single) {
    std::vector<Run> out(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i].c;
        if (!single && (c == U'\n' || c == U'\r')) {
            if (c == U'\r' && i + 1 < text.size() && text[i + 1].c == U'\n') ++i;
            out.emplace_back();
            continue;
        }
        out.back().push_back(text[i]);
    }
    return out;
}

class Measure {
public:
    Measure(const LOGFONT& font, unsigned format)
        : font_(font), tab_(format & DT_EXPANDTABS ? std::max(1, 8 * fontMetrics(font).averageCharWidth) : 0) {}
    // The advance of `c` when it starts at `x` (from the line's start).
    int advance(char32_t c, int x) const {
        if (c == U'\t' && tab_ > 0) return (x / tab_ + 1) * tab_ - x;
        return charAdvance(font_, c);
    }
    int width(const Run& run, std::size_t from, std::size_t to) const {
        int x = 0;
        for (std::size_t i = from; i < to; ++i) x += advance(run[i].c, x);
        return x;
    }

private:
    const LOGFONT& font_;
    int tab_;
};

// Greedy wrapping at spaces: the spaces where a line breaks are dropped.
std::vector<Run> wrap(const Run& p, int maxWidth, const Measure& m) {
    std::vector<Run> lines;
    std::size_t s = 0;
    std::size_t e = 0;  // end of what fits, trailing spaces excluded
    std::size_t k = 0;
    int x = 0;  // width of [s, k)
    while (k < p.size()) {
        while (k < p.size() && isSpace(p[k].c)) x += m.advance(p[k++].c, x);
        const std::size_t word = k;
        while (k < p.size() && !isSpace(p[k].c)) x += m.advance(p[k++].c, x);
        if (word == k) break;
        if (x <= maxWidth || e == s) {
            e = k;
            continue;
        }
        lines.emplace_back(p.begin() + static_cast<std::ptrdiff_t>(s), p.begin() + static_cast<std::ptrdiff_t>(e));
        s = e = k = word;
        x = 0;
    }
    lines.emplace_back(p.begin() + static_cast<std::ptrdiff_t>(s), p.begin() + static_cast<std::ptrdiff_t>(e));
    return lines;
}

void addEllipsis(Run& line, int maxWidth, const Measure& m) {
    if (m.width(line, 0, line.size()) <= maxWidth) return;
    const Run dots(3, Glyph{U'.', false});
    const int dotsWidth = m.width(dots, 0, dots.size());
    while (!line.empty() && m.width(line, 0, line.size()) + dotsWidth > maxWidth) line.pop_back();
    line.insert(line.end(), dots.begin(), dots.end());
}

}  // namespace

TextLayout layoutText(const LOGFONT& font, std::string_view utf8, const RECT& rect, unsigned format) {
    TextLayout layout;
    layout.metrics = fontMetrics(font);
    const Measure m(font, format);
    const int maxWidth = rect.right - rect.left;
    const bool single = (format & DT_SINGLELINE) != 0;

    std::vector<Run> lines;
    for (const Run& p : paragraphs(withoutPrefixes(decodeUtf8(utf8), !(format & DT_NOPREFIX)), single)) {
        if (format & DT_WORDBREAK && !single) {
            for (Run& l : wrap(p, maxWidth, m)) lines.push_back(std::move(l));
        } else {
            lines.push_back(p);
        }
    }
    if (format & DT_END_ELLIPSIS) {
        for (Run& l : lines) addEllipsis(l, maxWidth, m);
    }

    const int lineHeight = layout.metrics.height;
    int top = rect.top;
    if (single && (format & DT_VCENTER)) top = rect.top + half(rect.bottom - rect.top - lineHeight);
    if (single && (format & DT_BOTTOM) && !(format & DT_VCENTER)) top = rect.bottom - lineHeight;

    for (const Run& run : lines) {
        TextLine line;
        line.width = m.width(run, 0, run.size());
        if (format & DT_CENTER) {
            line.left = rect.left + half(maxWidth - line.width);
        } else if (format & DT_RIGHT) {
            line.left = rect.right - line.width;
        } else {
            line.left = rect.left;
        }
        line.top = top;
        int x = 0;
        for (const Glyph& g : run) {
            if (g.underline && line.underline < 0) line.underline = static_cast<int>(line.text.size());
            line.text.push_back(g.c);
            line.x.push_back(line.left + x);
            x += m.advance(g.c, x);
        }
        top += lineHeight;
        layout.lines.push_back(std::move(line));
    }

    const auto& ls = layout.lines;
    RECT b{ls.front().left, ls.front().top, ls.front().left + ls.front().width, ls.back().top + lineHeight};
    for (const TextLine& l : ls) {
        b.left = std::min<LONG>(b.left, l.left);
        b.right = std::max<LONG>(b.right, l.left + l.width);
    }
    layout.bounds = b;
    return layout;
}

}  // namespace vtl::gfx
