#pragma once
// Text measurement from metrics built into this library, the same on every machine: per-character
// advance widths of one sans face (a regular and a bold table, in 1/2048 em) scaled to the font's size,
// each advance rounded to whole pixels. No font file or font service is consulted.
//
// Size: a negative lfHeight is the em size in pixels; a positive one is the cell height (ascent plus
// descent) in pixels; 0 means 11 pixels em (the dialog font). Weights of 600 and more use the bold
// table; italic does not change widths. Control characters and combining marks are zero wide.
#include <string_view>
#include <vector>

#include "gfx/export.h"
#include "gfx/font.h"
#include "gfx/geometry.h"

namespace vtl::gfx {

struct FontMetrics {
    int ascent = 0;            // baseline to top of the cell, pixels
    int descent = 0;           // baseline to bottom of the cell
    int height = 0;            // line height: ascent + descent
    int averageCharWidth = 0;  // the advance of 'x'
    friend bool operator==(const FontMetrics&, const FontMetrics&) = default;
};

VTLGFX_API FontMetrics fontMetrics(const LOGFONT& font);
// An unknown handle measures as the default GUI font.
VTLGFX_API FontMetrics fontMetrics(HFONT font);
// The line height alone (fontMetrics(font).height), for measuring many texts.
VTLGFX_API int lineHeight(const LOGFONT& font);
// The em size in pixels the face is drawn at (fractional for a cell height).
VTLGFX_API double emPixels(const LOGFONT& font);

VTLGFX_API int charAdvance(const LOGFONT& font, char32_t c);
// Width (sum of advances) and height (line height) of one line of UTF-8 text; line breaks are not
// interpreted.
VTLGFX_API SIZE textExtent(const LOGFONT& font, std::string_view utf8);
VTLGFX_API SIZE textExtent(HFONT font, std::string_view utf8);
// x of every caret position of a line: one more than its code points, starting at 0.
VTLGFX_API std::vector<int> caretPositions(const LOGFONT& font, std::string_view utf8);

// The description of a live font, else of the default GUI font.
VTLGFX_API LOGFONT resolveFont(HFONT font);

}  // namespace vtl::gfx
