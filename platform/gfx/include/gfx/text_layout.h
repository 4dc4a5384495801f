#pragma once
// Placing text in a rectangle as the platform's DrawText does, with the built-in metrics: alignment,
// single line or several (line breaks, optional word wrapping), mnemonic prefixes ("&x" underlines x,
// "&&" is "&"), tab expansion and an end ellipsis. The rasteriser draws exactly this layout.
#include <string>
#include <string_view>
#include <vector>

#include "gfx/export.h"
#include "gfx/font.h"
#include "gfx/geometry.h"
#include "gfx/text_metrics.h"

// Format flags, with the platform's values.
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;      // single line only, as on the platform
constexpr unsigned DT_BOTTOM = 0x8;       // single line only
constexpr unsigned DT_WORDBREAK = 0x10;   // wrap at spaces; a word wider than the rectangle overflows
constexpr unsigned DT_SINGLELINE = 0x20;  // line breaks are ordinary (zero-width) characters
constexpr unsigned DT_EXPANDTABS = 0x40;  // tab stops every 8 average character widths
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;  // callers measure with TextLayout::bounds and draw nothing
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;

namespace vtl::gfx {

struct TextLine {
    std::u32string text;  // the code points drawn (prefix marks removed, ellipsis added)
    std::vector<int> x;   // left edge of each code point, in the rectangle's coordinates
    int left = 0;         // the line's cell: left, top, width; its height is the font's line height
    int top = 0;
    int width = 0;
    int underline = -1;  // index in `text` of the mnemonic character, or -1
};

struct TextLayout {
    std::vector<TextLine> lines;  // at least one, possibly empty
    FontMetrics metrics;
    RECT bounds{};  // the box of all line cells
};

VTLGFX_API TextLayout layoutText(const LOGFONT& font, std::string_view utf8, const RECT& rect, unsigned format);

}  // namespace vtl::gfx
