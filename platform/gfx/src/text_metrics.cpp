#include "gfx/text_metrics.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
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

int lineHeight(const LOGFONT& font) {
    const Scale s = scaleOf(font);
    const int ascent = s.round(kAscentUnits);
    // A cell height is kept exactly; an em size rounds each part.
    return ascent + (font.lfHeight > 0 ? static_cast<int>(s.num) - ascent : s.round(kDescentUnits));
}

FontMetrics fontMetrics(const LOGFONT& font) {
    const Scale s = scaleOf(font);
    FontMetrics m;
    m.ascent = s.round(kAscentUnits);
    m.height = lineHeight(font);
    m.descent = m.height - m.ascent;
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
    // The advances of the ASCII characters, looked up once: most texts measured are plain ASCII.
    static const auto ascii = [] {
        std::array<std::array<std::uint16_t, 128>, 2> table{};
        for (int b = 0; b < 2; ++b)
            for (char32_t c = 0; c < 128; ++c) table[b][c] = static_cast<std::uint16_t>(detail::advanceUnits(c, b == 1));
        return table;
    }();
    // The ASCII advances in pixels, one table per size and weight, made when first needed and kept: the
    // sizes in use are few, and a lookup costs no rounding.
    using PixelTable = std::array<int, 128>;
    static std::array<std::atomic<const PixelTable*>, 2 * 2 * (kMaxPixels + 1)> tables{};
    const bool emScale = s.den == kUnitsPerEm;
    std::atomic<const PixelTable*>& slot = tables[static_cast<std::size_t>((s.num * 2 + (emScale ? 1 : 0)) * 2 + (bold ? 1 : 0))];
    const PixelTable* pixels = slot.load(std::memory_order_acquire);
    if (!pixels) {
        auto made = std::make_unique<PixelTable>();
        for (int c = 0; c < 128; ++c) (*made)[c] = s.round(ascii[bold ? 1 : 0][c]);
        const PixelTable* expected = nullptr;
        if (slot.compare_exchange_strong(expected, made.get(), std::memory_order_acq_rel)) pixels = made.release();
        else pixels = expected;
    }
    std::int64_t width = 0;
    std::size_t i = 0;
    for (; i < utf8.size() && static_cast<unsigned char>(utf8[i]) < 0x80; ++i)
        width += (*pixels)[static_cast<unsigned char>(utf8[i])];
    // The rest, from the first byte that is no ASCII character, is decoded.
    if (i < utf8.size())
        for (char32_t c : decodeUtf8(utf8.substr(i))) width += s.round(detail::advanceUnits(c, bold));
    return {static_cast<LONG>(std::min<std::int64_t>(width, INT32_MAX)), lineHeight(font)};
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
