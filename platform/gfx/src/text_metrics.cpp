#include "gfx/text_metrics.h"

#include <algorithm>
#include <cstdint>

#include "advance_table.h"
#include "gfx/utf8.h"

namespace vtl::gfx {
namespace {

using detail::kAscentUnits;
using detail::kDescentUnits;
using detail::kUnitsPerEm;

constexpr std::int64_t kMaxPixels = 4096;  // sizes beyond this are clamped
constexpr std::int64_t kDefaultEm = 11;

// Pixels per font unit as a fraction num / den.
struct Scale {
    std::int64_t num;
    std::int64_t den;
    int round(std::int64_t units) const { return static_cast<int>((units * num + den / 2) / den); }
};

Scale scaleOf(const LOGFONT& f) {
    const std::int64_t h = f.lfHeight;
    if (h < 0) return {std::min(-h, kMaxPixels), kUnitsPerEm};
    if (h > 0) return {std::min(h, kMaxPixels), kAscentUnits + kDescentUnits};
    return {kDefaultEm, kUnitsPerEm};
}

bool isBold(const LOGFONT& f) {
    return f.lfWeight >= 600;
}

}  // namespace

FontMetrics fontMetrics(const LOGFONT& font) {
    const Scale s = scaleOf(font);
    FontMetrics m;
    m.ascent = s.round(kAscentUnits);
    // A cell height is kept exactly; an em size rounds each part.
    m.descent = font.lfHeight > 0 ? static_cast<int>(s.num) - m.ascent : s.round(kDescentUnits);
    m.height = m.ascent + m.descent;
    m.averageCharWidth = charAdvance(font, U'x');
    return m;
}

FontMetrics fontMetrics(HFONT font) {
    return fontMetrics(resolveFont(font));
}

double emPixels(const LOGFONT& font) {
    const Scale s = scaleOf(font);
    return static_cast<double>(s.num) * kUnitsPerEm / static_cast<double>(s.den);
}

int charAdvance(const LOGFONT& font, char32_t c) {
    return scaleOf(font).round(detail::advanceUnits(c, isBold(font)));
}

SIZE textExtent(const LOGFONT& font, std::string_view utf8) {
    const Scale s = scaleOf(font);
    const bool bold = isBold(font);
    std::int64_t width = 0;
    for (char32_t c : decodeUtf8(utf8)) width += s.round(detail::advanceUnits(c, bold));
    return {static_cast<LONG>(std::min<std::int64_t>(width, INT32_MAX)), fontMetrics(font).height};
}

SIZE textExtent(HFONT font, std::string_view utf8) {
    return textExtent(resolveFont(font), utf8);
}

std::vector<int> caretPositions(const LOGFONT& font, std::string_view utf8) {
    const Scale s = scaleOf(font);
    const bool bold = isBold(font);
    const std::u32string text = decodeUtf8(utf8);
    std::vector<int> x;
    x.reserve(text.size() + 1);
    int at = 0;
    x.push_back(at);
    for (char32_t c : text) {
        at += s.round(detail::advanceUnits(c, bold));
        x.push_back(at);
    }
    return x;
}

LOGFONT resolveFont(HFONT font) {
    if (auto d = fontDescription(font)) return *d;
    return *fontDescription(defaultGuiFont());
}

}  // namespace vtl::gfx
