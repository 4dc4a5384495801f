#pragma once
// The built-in advance widths behind text measurement, in 1/2048 em, and the face's vertical metrics.

namespace vtl::gfx::detail {

constexpr int kUnitsPerEm = 2048;
constexpr int kAscentUnits = 1901;
constexpr int kDescentUnits = 483;

// Zero for control characters and combining marks; one em for wide East Asian characters; the
// replacement glyph's width for any other code point outside the table.
int advanceUnits(char32_t c, bool bold);

}  // namespace vtl::gfx::detail
