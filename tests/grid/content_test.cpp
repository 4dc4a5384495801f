// Cell content: text, value, formula and tag, and how each cell type stores and shows them.
#include <gtest/gtest.h>

#include <clocale>

#include "model/sheet.h"

namespace vtl::grid {
namespace {

struct Sized : Sheet {
    Sized(int cols, int rows) {
        setColCount(cols);
        setRowCount(rows);
    }
};

TEST(GridContent, HeaderAddressingAndRangesNeverFail) {
    Sheet s;
    s.setColCount(3);
    s.setRowCount(2);
    EXPECT_TRUE(s.setText({HEADER, 1}, "row one"));
    EXPECT_EQ(s.text({0, 1}), "row one");
    EXPECT_TRUE(s.setValue({2, HEADER}, "B"));
    EXPECT_EQ(s.value({2, 0}), "B");
    EXPECT_TRUE(s.setText({HEADER, HEADER}, "corner"));
    EXPECT_EQ(s.text({0, 0}), "corner");
    // Outside the counts: writes refused, reads empty, nothing made.
    EXPECT_FALSE(s.setText({4, 1}, "x"));
    EXPECT_FALSE(s.setText({1, 3}, "x"));
    EXPECT_FALSE(s.setText({-1, 1}, "x"));
    EXPECT_EQ(s.text({4, 1}), "");
    EXPECT_EQ(s.text({1, 3}), "");
    EXPECT_EQ(s.cellKind({99, 99}), EditType::kKind);
    EXPECT_FALSE(s.isLocked({99, 99}));
}

TEST(GridContent, ContentKindsAreIndependent) {
    Sized s(2, 2);
    s.setText({1, 1}, "=not a formula");
    EXPECT_EQ(s.content({1, 1}, ContentKind::text), "=not a formula");
    EXPECT_FALSE(s.hasFormula({1, 1}));
    s.setTag({1, 1}, "tag");
    s.setFormula({2, 2}, "=A1+1");
    EXPECT_EQ(s.content({2, 2}, ContentKind::formula), "A1+1");
    EXPECT_EQ(s.content({2, 2}, ContentKind::text), "");  // not calculated yet
    EXPECT_EQ(s.content({1, 1}, ContentKind::tag), "tag");
    EXPECT_EQ(s.content({2, 2}, ContentKind::tag), "");
    // Writing text keeps the tag and replaces a formula.
    s.setText({1, 1}, "plain");
    EXPECT_EQ(s.tag({1, 1}), "tag");
    s.setText({2, 2}, "7");
    EXPECT_FALSE(s.hasFormula({2, 2}));
    EXPECT_EQ(s.formula({2, 2}), "");
}

TEST(GridContent, FormulaCachedResultIsTheEnginesSeam) {
    Sized s(3, 3);
    EXPECT_FALSE(s.setFormulaResult({1, 1}, "5"));  // no formula there
    s.setFormula({1, 1}, "B1*2");
    s.setFormula({3, 2}, "=SUM(A1:B1)");
    EXPECT_TRUE(s.setFormulaResult({1, 1}, "10"));
    EXPECT_EQ(s.text({1, 1}), "10");
    EXPECT_EQ(s.formula({1, 1}), "B1*2");
    EXPECT_EQ(s.numericValue({1, 1}), 10.0);
    const auto cells = s.formulaCells();
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0], (CellRef{1, 1}));
    EXPECT_EQ(cells[1], (CellRef{3, 2}));
    s.setFormula({1, 1}, "");
    EXPECT_FALSE(s.hasFormula({1, 1}));
    EXPECT_EQ(s.text({1, 1}), "");
}

TEST(GridContent, ListOnlyComboStoresTheIndexAndShowsTheItem) {
    Sized s(1, 3);
    s.setCellType({1, 1, 1, 3}, ComboBoxType::fromList(0x100000, "red\tgreen\tblue"));
    EXPECT_EQ(s.cellKind({1, 2}), ComboBoxType::kKind);
    s.setText({1, 1}, "green");
    EXPECT_EQ(s.text({1, 1}), "green");
    EXPECT_EQ(s.value({1, 1}), "1");
    s.setText({1, 2}, "purple");  // no such item: no choice
    EXPECT_EQ(s.text({1, 2}), "");
    EXPECT_EQ(s.value({1, 2}), "");
    s.setValue({1, 3}, "2");
    EXPECT_EQ(s.text({1, 3}), "blue");
    // An index beyond the items shows nothing but is kept, so indexes written and read back round-trip.
    s.setValue({1, 3}, "7");
    EXPECT_EQ(s.text({1, 3}), "");
    EXPECT_EQ(s.value({1, 3}), "7");
}

TEST(GridContent, EditableComboKeepsTypedText) {
    Sized s(1, 2);
    s.setCellType({1, 1, 1, 2}, ComboBoxType::fromList(0x100002, "a\tb"));
    s.setText({1, 1}, "typed");
    EXPECT_EQ(s.text({1, 1}), "typed");
    EXPECT_EQ(s.value({1, 1}), "");
    s.setText({1, 2}, "b");
    EXPECT_EQ(s.value({1, 2}), "1");
    s.setValue({1, 2}, "0");
    EXPECT_EQ(s.text({1, 2}), "a");
    EXPECT_EQ(std::get<ComboBoxType>(s.cellType({1, 1})).itemList(), "a\tb");
}

TEST(GridContent, CheckBoxKeepsMixedTextVerbatim) {
    Sized s(1, 3);
    s.setCellType({1, 1, 1, 3}, CheckBoxType{768, "", {}});
    EXPECT_EQ(s.cellKind({1, 1}), 12);
    s.setValue({1, 1}, "1");
    s.setText({1, 2}, "0");
    s.setText({1, 3}, "<mixed>");
    EXPECT_EQ(s.value({1, 1}), "1");
    EXPECT_EQ(s.text({1, 2}), "0");
    EXPECT_EQ(s.value({1, 3}), "<mixed>");  // not normalised to "0"
    EXPECT_FALSE(CheckBoxType::isSet(s.value({1, 3})));
    EXPECT_EQ(CheckBoxType::toggled(s.value({1, 3})), "1");
    EXPECT_EQ(CheckBoxType::toggled("1"), "0");
}

TEST(GridContent, NumberCellsParseAndFormatWithoutTheLocale) {
    // A desktop locale with a decimal comma must not change what is written or read.
    const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    Sized s(2, 2);
    NumberType number;
    number.decimals = 2;
    number.minValue = -9999;
    number.maxValue = 9999;
    s.setCellType({1, 1, 2, 2}, number);
    EXPECT_EQ(s.cellKind({1, 1}), NumberType::kKind);
    s.setText({1, 1}, "3.5");
    EXPECT_EQ(s.text({1, 1}), "3.50");
    EXPECT_EQ(s.value({1, 1}), "3.5");
    EXPECT_EQ(s.numericValue({1, 1}), 3.5);
    s.setValue({2, 1}, " -0.001 ");
    EXPECT_EQ(s.text({2, 1}), "0.00");  // no "-0.00"
    s.setText({1, 2}, "12,5");          // not a number here: the cell empties
    EXPECT_EQ(s.text({1, 2}), "");
    EXPECT_FALSE(s.numericValue({1, 2}));
    s.setText({2, 2}, "123456");  // program writes are not clamped to the bounds
    EXPECT_EQ(s.value({2, 2}), "123456");
    EXPECT_FALSE(std::get<NumberType>(s.cellType({2, 2})).inBounds(123456));
    if (german) std::setlocale(LC_NUMERIC, "C");
}

TEST(GridContent, FixedDecimalsRoundTheWrittenNumberHalfAwayFromZero) {
    // 42.125 and 9.995 have no exact binary form; what shows must be what rounding the typed digits gives.
    Sized s(1, 1);
    NumberType number;
    number.decimals = 2;
    s.setCellType({1, 1, 1, 1}, number);
    const std::pair<const char*, const char*> cases[] = {
        {"42.125", "42.13"}, {"-42.125", "-42.13"}, {"9.995", "10.00"}, {"-0.005", "-0.01"},
        {"0.004", "0.00"},   {"-0.004", "0.00"},    {"1e20", "100000000000000000000.00"}, {"7", "7.00"}};
    for (const auto& [written, shown] : cases) {
        s.setText({1, 1}, written);
        EXPECT_EQ(s.text({1, 1}), shown) << written;
    }
    number.decimals = 0;
    s.setCellType({1, 1, 1, 1}, number);
    s.setText({1, 1}, "2.5");
    EXPECT_EQ(s.text({1, 1}), "3");
}

TEST(GridContent, ButtonShowsItsCaptionAndKeepsData) {
    Sized s(1, 1);
    s.setCellType({1, 1, 1, 1}, ButtonType{0, "Edit...", {}});
    s.setText({1, 1}, "-3");
    EXPECT_EQ(s.text({1, 1}), "Edit...");
    EXPECT_EQ(s.value({1, 1}), "-3");
    EXPECT_EQ(s.cellKind({1, 1}), ButtonType::kKind);
}

TEST(GridContent, EditMaximumLengthCountsCodePoints) {
    EditType edit{0x110000, 3, 0, 1};
    EXPECT_EQ(edit.clip("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"), "\xC3\xA9\xC3\xA9\xC3\xA9");  // three "é", whole
    EXPECT_EQ(edit.clip("ab"), "ab");
    EXPECT_EQ(EditType{}.clip("unlimited text"), "unlimited text");
    // The program's own writes are kept whole.
    Sized s(1, 1);
    s.setCellType({1, 1, 1, 1}, edit);
    s.setText({1, 1}, "abcdef");
    EXPECT_EQ(s.text({1, 1}), "abcdef");
}

TEST(GridContent, ClearBlockEmptiesContentButKeepsTagsAndAttributes) {
    Sized s(2, 2);
    s.setText({1, 1}, "a");
    s.setFormula({2, 1}, "1+1");
    s.setTag({2, 1}, "t");
    s.setLocked({1, 1, 2, 1}, true);
    EXPECT_TRUE(s.clearBlock({1, 1, -1, 1}));
    EXPECT_EQ(s.text({1, 1}), "");
    EXPECT_FALSE(s.hasFormula({2, 1}));
    EXPECT_EQ(s.tag({2, 1}), "t");
    EXPECT_TRUE(s.isLocked({2, 1}));
    EXPECT_FALSE(s.clearBlock({5, 5, 6, 6}));
}

}  // namespace
}  // namespace vtl::grid
