// Counts, insert and delete, block copy and swap, spans: what moves with a row or column and what does not.
#include <gtest/gtest.h>

#include <string>

#include "model/sheet.h"

namespace vtl::grid {
namespace {

struct Sized : Sheet {
    Sized(int cols, int rows) {
        setColCount(cols);
        setRowCount(rows);
    }
    // Fills data cells with "cR" texts and header cells with labels.
    void fill() {
        for (int r = 0; r <= rowCount(); ++r) {
            for (int c = 0; c <= colCount(); ++c) setText({c, r}, std::to_string(c) + "," + std::to_string(r));
        }
    }
    std::string column(int c) const {
        std::string out;
        for (int r = 1; r <= rowCount(); ++r) out += (r > 1 ? "|" : "") + text({c, r});
        return out;
    }
};

TEST(GridStructure, ShrinkingDiscardsCellsSizesAndSpans) {
    Sized s(3, 4);
    s.fill();
    s.setRowHeightPixels(4, 40);
    s.setColumnWidthPixels(3, 90);
    s.setLocked({3, 4, 3, 4}, true);
    ASSERT_TRUE(s.addSpan({2, 3}, 2, 1));
    EXPECT_TRUE(s.setRowCount(2));
    EXPECT_TRUE(s.setColCount(2));
    EXPECT_EQ(s.spanCount(), 0u);  // its anchor row went
    EXPECT_TRUE(s.setRowCount(4));
    EXPECT_TRUE(s.setColCount(3));
    EXPECT_EQ(s.text({1, 3}), "");
    EXPECT_EQ(s.text({3, 1}), "");
    EXPECT_EQ(s.text({3, 0}), "");  // header cells beyond the count go too
    EXPECT_EQ(s.text({2, 2}), "2,2");
    EXPECT_FALSE(s.isLocked({3, 4}));
    EXPECT_EQ(s.rowHeightPixels(4), s.rowHeightPixels(1));
    EXPECT_EQ(s.columnWidthPixels(3), 64);
    EXPECT_FALSE(s.setRowCount(-1));
    EXPECT_FALSE(s.setRowCount(kMaxRows + 1));
    EXPECT_FALSE(s.setColCount(kMaxCols + 1));
}

TEST(GridStructure, InsertRowKeepsTheCountAndMovesEverythingOfTheRow) {
    Sized s(2, 3);
    s.fill();
    s.setRowHeightPixels(2, 30);
    s.setLocked({1, 2, 1, 2}, true);
    s.setTag({2, 2}, "t");
    ASSERT_TRUE(s.insertRows(2));
    EXPECT_EQ(s.rowCount(), 3);
    EXPECT_EQ(s.column(1), "1,1||1,2");  // the last row fell off
    EXPECT_EQ(s.text({0, 2}), "");        // the inserted row's header cell is empty too
    EXPECT_EQ(s.text({0, 3}), "0,2");
    EXPECT_FALSE(s.isLocked({1, 2}));
    EXPECT_TRUE(s.isLocked({1, 3}));
    EXPECT_EQ(s.tag({2, 3}), "t");
    EXPECT_EQ(s.rowHeightPixels(3), 30);
    EXPECT_EQ(s.rowHeightPixels(2), s.rowHeightPixels(1));
}

TEST(GridStructure, InsertAndDeleteRangesAreChecked) {
    Sized s(2, 3);
    s.fill();
    EXPECT_FALSE(s.insertRows(0));
    EXPECT_FALSE(s.insertRows(HEADER));
    EXPECT_FALSE(s.insertRows(4));
    EXPECT_FALSE(s.insertCols(0));
    EXPECT_FALSE(s.insertCols(3));
    EXPECT_FALSE(s.deleteRows(0));
    EXPECT_FALSE(s.deleteRows(4));
    EXPECT_FALSE(s.deleteRows(2, 3));  // reaches past the last row
    EXPECT_FALSE(s.deleteCols(HEADER));
    EXPECT_EQ(s.column(1), "1,1|1,2|1,3");
    EXPECT_EQ(s.text({0, 1}), "0,1");
    EXPECT_TRUE(s.insertRows(3, 10));  // cut at the end
    EXPECT_EQ(s.column(1), "1,1|1,2|");
}

TEST(GridStructure, DeleteRowsShiftsUpAndLeavesEmptyRowsAtTheEnd) {
    Sized s(2, 4);
    s.fill();
    ASSERT_TRUE(s.deleteRows(1, 2));
    EXPECT_EQ(s.rowCount(), 4);
    EXPECT_EQ(s.column(2), "2,3|2,4||");
    EXPECT_EQ(s.text({0, 1}), "0,3");
}

TEST(GridStructure, InsertAndDeleteColumns) {
    Sized s(3, 2);
    s.fill();
    s.setColumnWidthPixels(2, 100);
    ASSERT_TRUE(s.insertCols(2));
    EXPECT_EQ(s.text({1, 1}), "1,1");
    EXPECT_EQ(s.text({2, 1}), "");
    EXPECT_EQ(s.text({2, 0}), "");
    EXPECT_EQ(s.text({3, 1}), "2,1");
    EXPECT_EQ(s.text({3, 0}), "2,0");
    EXPECT_EQ(s.columnWidthPixels(3), 100);
    EXPECT_EQ(s.text({4, 1}), "");  // column 3 fell off
    ASSERT_TRUE(s.deleteCols(1, 2));
    EXPECT_EQ(s.text({1, 1}), "2,1");
    EXPECT_EQ(s.columnWidthPixels(1), 100);
    EXPECT_EQ(s.text({2, 1}), "");
}

TEST(GridStructure, ColumnsGrownAfterRowsWereWrittenAreUsable) {
    Sized s(1, 2);
    s.setText({1, 1}, "a");
    s.setColCount(5);
    EXPECT_TRUE(s.setText({5, 1}, "e"));
    EXPECT_EQ(s.text({5, 1}), "e");
    EXPECT_EQ(s.text({1, 1}), "a");
    ASSERT_TRUE(s.insertCols(1, 2));
    EXPECT_EQ(s.text({3, 1}), "a");
    EXPECT_EQ(s.text({5, 1}), "");
}

TEST(GridStructure, CopyRowWithHeaderCellAndAttributes) {
    Sized s(3, 1);
    s.fill();
    s.setCellType({2, 1, 2, 1}, CheckBoxType{768, "", {}});
    s.setLocked({3, 1, 3, 1}, true);
    s.setFormula({1, 1}, "A0");
    s.setFormulaResult({1, 1}, "x");
    ASSERT_TRUE(s.addSpan({1, 1}, 2, 1));
    s.setRowCount(3);
    for (int r = 2; r <= 3; ++r) ASSERT_TRUE(s.copyBlock({HEADER, r - 1, 3, r - 1}, {HEADER, r}));
    EXPECT_EQ(s.text({0, 3}), "0,1");
    EXPECT_EQ(s.text({3, 3}), "3,1");
    EXPECT_EQ(s.formula({1, 3}), "A0");
    EXPECT_EQ(s.text({1, 3}), "x");
    EXPECT_EQ(s.cellKind({2, 3}), 12);
    EXPECT_TRUE(s.isLocked({3, 2}));
    EXPECT_EQ(s.span({1, 2}).state, 0);  // spans are not copied
    EXPECT_EQ(s.spanCount(), 1u);
    // The copy is independent of its source.
    s.setFormula({1, 1}, "B7");
    EXPECT_EQ(s.formula({1, 2}), "A0");
}

TEST(GridStructure, OverlappingCopyBehavesLikeThroughATemporary) {
    Sized s(1, 5);
    s.fill();
    ASSERT_TRUE(s.copyBlock({1, 1, 1, 3}, {1, 2}));
    EXPECT_EQ(s.column(1), "1,1|1,1|1,2|1,3|1,5");
    s.fill();
    ASSERT_TRUE(s.copyBlock({1, 3, 1, 5}, {1, 2}));
    EXPECT_EQ(s.column(1), "1,1|1,3|1,4|1,5|1,5");
    s.fill();
    ASSERT_TRUE(s.copyBlock({1, 4, 1, 5}, {1, 5}));  // cut at the count
    EXPECT_EQ(s.column(1), "1,1|1,2|1,3|1,4|1,4");
    Sized wide(4, 1);
    wide.fill();
    ASSERT_TRUE(wide.copyBlock({1, 1, 3, 1}, {2, 1}));
    EXPECT_EQ(wide.text({1, 1}) + wide.text({2, 1}) + wide.text({4, 1}), "1,11,13,1");
}

TEST(GridStructure, CopyOfEmptyCellsEmptiesTheTarget) {
    Sized s(2, 2);
    s.setText({1, 2}, "old");
    s.setText({2, 1}, "keep row made");
    ASSERT_TRUE(s.copyBlock({1, 1, 1, 1}, {1, 2}));
    EXPECT_EQ(s.text({1, 2}), "");
}

TEST(GridStructure, SwapBlocks) {
    Sized s(2, 4);
    s.fill();
    s.setLocked({1, 1, 1, 1}, true);
    ASSERT_TRUE(s.swapBlocks({1, 1, 2, 1}, {1, 3}));
    EXPECT_EQ(s.column(1), "1,3|1,2|1,1|1,4");
    EXPECT_TRUE(s.isLocked({1, 3}));
    EXPECT_FALSE(s.isLocked({1, 1}));
    EXPECT_FALSE(s.swapBlocks({1, 1, 1, 2}, {1, 2}));  // overlap
    EXPECT_FALSE(s.swapBlocks({1, 3, 1, 4}, {1, 4}));  // second block beyond the count
    EXPECT_FALSE(s.swapBlocks({1, 1, 1, 1}, {3, 1}));
    EXPECT_EQ(s.column(1), "1,3|1,2|1,1|1,4");
}

TEST(GridStructure, SpansAddGetRemove) {
    Sized s(5, 5);
    ASSERT_TRUE(s.addSpan({1, 1}, 2, 2));
    const SpanInfo anchor = s.span({1, 1});
    EXPECT_EQ(anchor.state, 1);
    EXPECT_EQ(anchor.cols, 2);
    EXPECT_EQ(anchor.rows, 2);
    const SpanInfo covered = s.span({2, 2});
    EXPECT_EQ(covered.state, 2);
    EXPECT_EQ(covered.anchor, (CellRef{1, 1}));
    EXPECT_EQ(s.span({3, 1}).state, 0);
    EXPECT_FALSE(s.addSpan({2, 2}, 2, 1));  // overlaps
    EXPECT_FALSE(s.addSpan({0, 1}, 2, 1));  // header column and data
    EXPECT_FALSE(s.addSpan({1, 0}, 1, 2));  // header row and data
    EXPECT_FALSE(s.addSpan({3, 3}, 1, 1));
    EXPECT_FALSE(s.addSpan({6, 1}, 2, 1));  // anchor beyond the count
    EXPECT_TRUE(s.addSpan({5, HEADER}, 2, 1));  // a header span may reach past the last column
    EXPECT_EQ(s.span({5, 0}).state, 1);
    EXPECT_TRUE(s.removeSpan({2, 1}));  // any cell of the span
    EXPECT_EQ(s.span({1, 1}).state, 0);
    EXPECT_FALSE(s.removeSpan({1, 1}));
}

TEST(GridStructure, SpansFollowInsertAndDelete) {
    Sized s(6, 6);
    ASSERT_TRUE(s.addSpan({2, 2}, 1, 3));  // rows 2..4
    ASSERT_TRUE(s.addSpan({4, 5}, 2, 1));
    ASSERT_TRUE(s.insertRows(3));           // inside the first: it grows
    EXPECT_EQ(s.span({2, 2}).rows, 4);
    EXPECT_EQ(s.span({4, 6}).state, 1);     // the second moved down
    ASSERT_TRUE(s.deleteRows(4, 2));        // cuts the first
    EXPECT_EQ(s.span({2, 2}).rows, 2);
    ASSERT_TRUE(s.deleteCols(4));           // removes the second's anchor
    EXPECT_EQ(s.spanCount(), 1u);
    ASSERT_TRUE(s.deleteRows(2, 1));        // and now the first's
    EXPECT_EQ(s.spanCount(), 0u);
    ASSERT_TRUE(s.addSpan({1, 6}, 1, 2));   // a 2-row span reaching beyond the last row
    ASSERT_TRUE(s.insertRows(6));           // its anchor falls off
    EXPECT_EQ(s.spanCount(), 0u);
}

}  // namespace
}  // namespace vtl::grid
