// Locks, fonts, colours, alignment, sizes and measurement, switches and settings.
#include <gtest/gtest.h>

#include "gfx/text_metrics.h"
#include "model/sheet.h"

namespace vtl::grid {
namespace {

struct Sized : Sheet {
    Sized(int cols, int rows) {
        setColCount(cols);
        setRowCount(rows);
    }
};

TEST(GridAttributes, LockOfASpanAnchorGovernsItsCells) {
    Sized s(3, 2);
    EXPECT_TRUE(s.isEditable({1, 1}));
    ASSERT_TRUE(s.addSpan({1, 1}, 2, 1));
    s.setLocked({1, 1, 1, 1}, true);
    EXPECT_FALSE(s.isEditable({1, 1}));
    EXPECT_FALSE(s.isLocked({2, 1}));
    EXPECT_FALSE(s.isEditable({2, 1}));  // covered by a locked anchor
    EXPECT_TRUE(s.isEditable({3, 1}));
    s.setLocked({1, 1, -1, -1}, true);  // -1: to the last column and row
    EXPECT_TRUE(s.isLocked({3, 2}));
    EXPECT_FALSE(s.isLocked({0, 1}));  // the block started at column 1
    EXPECT_FALSE(s.isEditable({9, 9}));
}

TEST(GridAttributes, FontDescriptionOutlivesTheCallersHandle) {
    Sized s(2, 2);
    LOGFONT bold = defaultCellFont();
    bold.lfWeight = FW_BOLD;
    HFONT handle = CreateFontIndirect(bold);
    ASSERT_TRUE(s.setFont({HEADER, 1, 2, 1}, handle));
    DeleteObject(handle);
    EXPECT_EQ(s.font({0, 1}).lfWeight, FW_BOLD);
    EXPECT_EQ(s.font({2, 1}).lfFaceName, "Tahoma");
    EXPECT_EQ(s.font({1, 2}), defaultCellFont());
    EXPECT_FALSE(s.setFont({1, 1, 1, 1}, handle));  // a deleted handle is refused
    EXPECT_EQ(s.font({1, 1}).lfWeight, FW_BOLD);
    const HFONT own = s.fontHandle({1, 1});
    ASSERT_TRUE(own);
    EXPECT_EQ(gfx::fontDescription(own)->lfWeight, FW_BOLD);
    EXPECT_EQ(s.fontHandle({2, 1}), own);  // shared by cells with the same font
}

TEST(GridAttributes, AttributesAreIndependentPerCell) {
    // Changing one attribute of cells that share a style must not touch the others' attributes.
    Sized s(3, 3);
    s.setColours({1, 1, 3, 3}, {RGB(0xDC, 0xDC, 0xDC), systemColour(11)});
    s.setLocked({2, 2, 2, 2}, true);
    s.setAlignment({1, 1, 1, 3}, Alignment::centre);
    s.setAlignment({1, 1, 1, 3}, Alignment::vCentre);
    s.setColours({3, 3, 3, 3}, {});
    EXPECT_EQ(s.colours({2, 2}).back, RGB(0xDC, 0xDC, 0xDC));
    EXPECT_EQ(s.colours({2, 2}).fore, 0x8000000Bu);
    EXPECT_EQ(s.colours({3, 3}).back, kDefaultColour);
    EXPECT_TRUE(s.isLocked({2, 2}));
    EXPECT_FALSE(s.isLocked({2, 1}));
    EXPECT_EQ(s.alignment({1, 2}), (CellAlignment{Alignment::centre, Alignment::vCentre}));
    EXPECT_EQ(s.alignment({2, 2}), CellAlignment{});
    s.setAlignment({1, 2, 1, 2}, Alignment::standard);
    EXPECT_EQ(s.alignment({1, 2}), CellAlignment{});
    EXPECT_FALSE(s.setAlignment({1, 1, 1, 1}, static_cast<Alignment>(9)));
    EXPECT_FALSE(s.setColours({4, 4, 5, 5}, {}));
}

TEST(GridAttributes, PixelSizesRoundTripExactly) {
    Sized s(2, 2);
    for (int px : {0, 1, 7, 17, 18, 64, 133, 999}) {
        ASSERT_TRUE(s.setColumnWidthPixels(1, px));
        EXPECT_EQ(s.columnWidthPixels(1), px);
        ASSERT_TRUE(s.setRowHeightPixels(HEADER, px));
        EXPECT_EQ(s.rowHeightPixels(0), px);
    }
    const int a = gfx::fontMetrics(defaultCellFont()).averageCharWidth;
    EXPECT_DOUBLE_EQ(s.pixelsToColumnUnits(a * 10), 10.0);
    EXPECT_EQ(s.columnUnitsToPixels(2.5), static_cast<int>(2.5 * a + 0.5));
    EXPECT_EQ(Sheet::rowUnitsToPixels(12), 16);
    EXPECT_DOUBLE_EQ(Sheet::pixelsToRowUnits(16), 12.0);
    EXPECT_EQ(s.columnWidthPixels(0), 40);
    EXPECT_EQ(s.columnWidthPixels(2), 64);
    EXPECT_EQ(s.rowHeightPixels(1), gfx::fontMetrics(defaultCellFont()).height + 2);
    EXPECT_FALSE(s.setColumnWidth(3, 1));
    EXPECT_FALSE(s.setRowHeight(1, -1));
}

TEST(GridAttributes, PreferredSizeFollowsTextFontAndType) {
    Sized s(4, 2);
    const LOGFONT font = defaultCellFont();
    const int line = gfx::fontMetrics(font).height;
    s.setText({1, 1}, "wide text\r\nx");
    const SIZE two = s.preferredSizePixels({1, 1});
    EXPECT_EQ(two.cx, gfx::textExtent(font, "wide text").cx + 6);
    EXPECT_EQ(two.cy, 2 * line + 2);
    EXPECT_EQ(s.preferredSizePixels({2, 1}), (SIZE{6, line + 2}));  // empty
    LOGFONT bold = font;
    bold.lfWeight = FW_BOLD;
    s.setFont({1, 2, 1, 2}, bold);
    s.setText({1, 2}, "wide text");
    EXPECT_EQ(s.preferredSizePixels({1, 2}).cx, gfx::textExtent(bold, "wide text").cx + 6);
    s.setCellType({2, 2, 2, 2}, CheckBoxType{768, "", {}});
    s.setValue({2, 2}, "1");
    EXPECT_EQ(s.preferredSizePixels({2, 2}), (SIZE{19, std::max(15, line + 2)}));
    s.setCellType({3, 2, 3, 2}, ComboBoxType::fromList(0, "abc"));
    s.setText({3, 2}, "abc");
    EXPECT_EQ(s.preferredSizePixels({3, 2}).cx, gfx::textExtent(font, "abc").cx + 6 + 16);
    // Word-wrapping labels wrap at the column width.
    s.setCellType({4, 1, 4, 1}, StaticTextType{0x8C});
    s.setText({4, 1}, "one two three");
    s.setColumnWidthPixels(4, gfx::textExtent(font, "one two").cx + 6);
    EXPECT_EQ(s.preferredSizePixels({4, 1}).cy, 2 * line + 2);
    // Covered cells need nothing.
    s.addSpan({1, 1}, 2, 1);
    EXPECT_EQ(s.preferredSizePixels({2, 1}), SIZE{});
    EXPECT_DOUBLE_EQ(s.preferredWidth({1, 2}), s.pixelsToColumnUnits(s.preferredSizePixels({1, 2}).cx));
}

TEST(GridAttributes, SwitchesSettingsAndReset) {
    Sheet s;
    for (int n : {3, 4, 7, 8, 10, 11}) EXPECT_TRUE(s.switchOn(n)) << n;
    for (int n : {0, 12, 13, 30, 63}) EXPECT_FALSE(s.switchOn(n)) << n;
    s.setSwitch(30, true);
    s.setSwitch(8, false);
    s.setSwitch(64, true);  // ignored
    s.setSwitch(-1, true);
    EXPECT_TRUE(s.switchOn(30));
    EXPECT_FALSE(s.switchOn(8));
    EXPECT_FALSE(s.switchOn(64));
    s.setOperationMode(kOperationList);
    s.cosmetics().selection = {0x6A240A, 0xFFFFFF};
    TextTipSettings tips;
    tips.mode = 1;
    tips.delayMs = 0;
    tips.font = defaultCellFont();
    s.setTextTips(tips);
    s.setColCount(2);
    s.setRowCount(2);
    s.setText({1, 1}, "x");
    EXPECT_EQ(s.textTips().delayMs, 0);
    s.reset();
    EXPECT_EQ(s.rowCount(), 0);
    EXPECT_TRUE(s.switchOn(8));
    EXPECT_FALSE(s.switchOn(30));
    EXPECT_EQ(s.operationMode(), kOperationNormal);
    EXPECT_EQ(s.cosmetics().selection, ColourPair{});
    EXPECT_FALSE(s.textTips().font);
    s.setColCount(2);
    s.setRowCount(2);
    EXPECT_EQ(s.text({1, 1}), "");
}

}  // namespace
}  // namespace vtl::grid
