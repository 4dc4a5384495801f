#include "text_metrics.h"

#include <cstdlib>

#include "gfx/font.h"
#include "utf8.h"

namespace vtl::win::detail {
namespace {
int fontPixelHeight(HFONT font) {
    const auto d = gfx::fontDescription(font);
    const int h = d ? std::abs(d->lfHeight) : 11;
    return h == 0 ? 11 : h;
}
}  // namespace

// An average advance of 0.6 of the font height per character, the same on every machine.
SIZE textExtent(HFONT font, std::string_view text) {
    const int h = fontPixelHeight(font);
    const int chars = codePointCount(text);
    return {(chars * h * 6 + 9) / 10, lineHeight(font)};
}

int lineHeight(HFONT font) { return fontPixelHeight(font) + fontPixelHeight(font) / 3 + 1; }
}  // namespace vtl::win::detail
