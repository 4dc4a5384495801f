// Built-in text metrics and the layout of text in a rectangle.
#include <gtest/gtest.h>

#include "gfx/font.h"
#include "gfx/text_layout.h"
#include "gfx/text_metrics.h"
#include "gfx/utf8.h"

namespace vtl::gfx {
namespace {

LOGFONT font(int height, int weight = FW_NORMAL, const char* face = "Tahoma") {
    LOGFONT f;
    f.lfHeight = height;
    f.lfWeight = weight;
    f.lfFaceName = face;
    return f;
}

TEST(TextMetrics, PinnedValuesThatLayoutsDependOn) {
    // The dialog font: 11 pixels em.
    const LOGFONT gui = *fontDescription(defaultGuiFont());
    EXPECT_EQ(fontMetrics(gui), (FontMetrics{10, 3, 13, 7}));
    EXPECT_EQ(textExtent(gui, "OK"), (SIZE{16, 13}));
    EXPECT_EQ(textExtent(gui, "Cancel"), (SIZE{38, 13}));
    EXPECT_EQ(textExtent(HFONT(), "Cancel"), (SIZE{38, 13})) << "no font is the dialog font";
    // The grids' font: cell height 15, bold.
    EXPECT_EQ(fontMetrics(font(15, FW_BOLD)), (FontMetrics{12, 3, 15, 8}));
    EXPECT_EQ(textExtent(font(15, FW_BOLD), "Profile 1"), (SIZE{60, 15}));
    EXPECT_EQ(textExtent(font(15), "Profile 1"), (SIZE{54, 15}));
    // The face name does not matter; the same text measures the same everywhere.
    EXPECT_EQ(textExtent(font(-11, FW_NORMAL, "Verdana"), "OK"), textExtent(gui, "OK"));
}

TEST(TextMetrics, GrowWithHeightAndWeight) {
    const std::string text = "The quick brown fox 0123456789";
    int previous = 0;
    for (int h : {-8, -11, -13, -16, -24, -48}) {
        const SIZE regular = textExtent(font(h), text);
        const SIZE bold = textExtent(font(h, FW_BOLD), text);
        EXPECT_GT(regular.cx, previous) << h;
        EXPECT_GT(bold.cx, regular.cx) << h;
        EXPECT_LT(bold.cx, regular.cx * 120 / 100) << "bold is only slightly wider";
        EXPECT_EQ(bold.cy, regular.cy);
        EXPECT_GE(regular.cy, -h);
        previous = regular.cx;
    }
    EXPECT_EQ(fontMetrics(font(20)).height, 20) << "a positive height is the cell height";
    // Absurd heights are clamped, not overflowed.
    EXPECT_GT(textExtent(font(INT32_MIN), "W").cx, 0);
    EXPECT_EQ(textExtent(font(INT32_MIN), "W"), textExtent(font(-4096), "W"));
}

TEST(TextMetrics, CodePointsNotBytes) {
    const LOGFONT f = font(-11);
    // Each code point advances once, whatever its UTF-8 length; control characters and combining marks take
    // no room; broken UTF-8 measures as replacement characters.
    EXPECT_EQ(textExtent(f, "\xC3\xA9").cx, charAdvance(f, U'\u00E9'));
    EXPECT_EQ(textExtent(f, "e\xCC\x81").cx, charAdvance(f, U'e'));
    EXPECT_EQ(textExtent(f, "a\tb\n").cx, textExtent(f, "ab").cx);
    EXPECT_EQ(textExtent(f, "\xFF").cx, charAdvance(f, U'\uFFFD'));
    EXPECT_EQ(charAdvance(f, U'\u4E2D'), 11) << "wide characters are one em";
    EXPECT_EQ(caretPositions(f, "A\xC3\xA9").size(), 3u);
    EXPECT_EQ(caretPositions(f, "OK").back(), textExtent(f, "OK").cx);

    EXPECT_EQ(decodeUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), U"a\u00E9\u20AC\U0001F600");
    EXPECT_EQ(decodeUtf8("\xC0\xAF"), U"\uFFFD") << "overlong";
    EXPECT_EQ(decodeUtf8("\xED\xA0\x80"), U"\uFFFD") << "surrogate";
    EXPECT_EQ(decodeUtf8("\xE2\x82"), U"\uFFFD") << "truncated";
    EXPECT_EQ(decodeUtf8("\x80x"), U"\uFFFDx");
    EXPECT_EQ(encodeUtf8(U"a\u00E9\U0001F600"), "a\xC3\xA9\xF0\x9F\x98\x80");
}

std::string text(const TextLine& line) {
    return encodeUtf8(line.text);
}

TEST(TextLayout, AlignmentAndVerticalCentre) {
    const LOGFONT f = font(-11);
    const int w = textExtent(f, "OK").cx;
    const RECT r{10, 20, 110, 60};
    auto first = [&](unsigned format) { return layoutText(f, "OK", r, format).lines.at(0); };
    EXPECT_EQ(first(DT_LEFT).left, 10);
    EXPECT_EQ(first(DT_CENTER).left, 10 + (100 - w) / 2);
    EXPECT_EQ(first(DT_RIGHT).left, 110 - w);
    EXPECT_EQ(first(DT_TOP).top, 20);
    EXPECT_EQ(first(DT_SINGLELINE | DT_VCENTER).top, 20 + (40 - 13) / 2);
    EXPECT_EQ(first(DT_SINGLELINE | DT_BOTTOM).top, 60 - 13);
    EXPECT_EQ(first(DT_VCENTER).top, 20) << "vertical alignment needs a single line, as on the platform";
    EXPECT_EQ(layoutText(f, "OK", {0, 0, w - 7, 13}, DT_CENTER).lines[0].left, -4) << "overflowing text centres too";
    const TextLine line = first(DT_RIGHT);
    EXPECT_EQ(line.x, (std::vector<int>{110 - w, 110 - w + charAdvance(f, U'O')}));
}

TEST(TextLayout, LinesWrappingPrefixesAndEllipsis) {
    const LOGFONT f = font(-11);
    const int two = textExtent(f, "aaa bbb").cx;
    const RECT r{0, 0, two, 100};
    // Word wrap at spaces; the breaking spaces vanish; a word wider than the rectangle keeps its line.
    TextLayout l = layoutText(f, "aaa bbb ccc", r, DT_WORDBREAK);
    ASSERT_EQ(l.lines.size(), 2u);
    EXPECT_EQ(text(l.lines[0]), "aaa bbb");
    EXPECT_EQ(text(l.lines[1]), "ccc");
    EXPECT_EQ(l.lines[1].top, 13);
    EXPECT_EQ(l.bounds, (RECT{0, 0, two, 26}));
    l = layoutText(f, "aaa bbbbbbbbbbbbbbbbbbbbbbbb c", r, DT_WORDBREAK);
    ASSERT_EQ(l.lines.size(), 3u);
    EXPECT_EQ(text(l.lines[1]), "bbbbbbbbbbbbbbbbbbbbbbbb");
    EXPECT_GT(l.lines[1].width, two);
    // Line breaks: CR LF, LF, CR; a single line keeps them as invisible characters.
    EXPECT_EQ(layoutText(f, "a\r\nb\nc\rd", r, 0).lines.size(), 4u);
    EXPECT_EQ(layoutText(f, "a\r\nb", r, DT_SINGLELINE).lines.size(), 1u);
    EXPECT_EQ(layoutText(f, "", r, 0).lines.size(), 1u);
    // Prefixes: "&x" underlines x, "&&" is "&".
    l = layoutText(f, "Save &as && close", r, DT_SINGLELINE);
    EXPECT_EQ(text(l.lines[0]), "Save as & close");
    EXPECT_EQ(l.lines[0].underline, 5);
    EXPECT_EQ(text(layoutText(f, "Save &as", r, DT_NOPREFIX).lines[0]), "Save &as");
    // The end ellipsis keeps within the width.
    l = layoutText(f, "a rather long caption", {0, 0, 40, 13}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(l.lines[0].width, 40);
    EXPECT_EQ(text(l.lines[0]).substr(text(l.lines[0]).size() - 3), "...");
    // Tabs expand to stops of 8 average widths.
    l = layoutText(f, "a\tb", r, DT_EXPANDTABS);
    EXPECT_EQ(l.lines[0].x[2], 8 * fontMetrics(f).averageCharWidth);
}

}  // namespace
}  // namespace vtl::gfx
