// What a hostile or damaged file or formula may cost: storage grows with the cells present, ranges are
// read only over the used area, built texts have a limit, and oversized files are refused unread.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "file/sheet_file.h"
#include "formula/engine.h"
#include "formula/value.h"
#include "model/sheet.h"

namespace vtl::grid {
namespace {

using Clock = std::chrono::steady_clock;
double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::string tempPath(const std::string& name) { return testing::TempDir() + "/grid_bounds_" + name; }

// The content of every cell of the block, for comparing two sheets.
std::string dump(const Sheet& s, int cols, int rows) {
    std::string out;
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= cols; ++c) {
            const std::string t = s.text({c, r});
            if (!t.empty()) out += std::to_string(c) + "," + std::to_string(r) + "=" + t + ";";
        }
    return out;
}

TEST(GridBounds, AWideSparseFileLoadsInStorageProportionalToItsCells) {
    // 16,384 columns, one cell at the far right of each of 1,000 rows: a file of some 12 KB.
    Sheet wide;
    wide.setColCount(kMaxCols);
    wide.setRowCount(1000);
    for (int r = 1; r <= 1000; ++r) wide.setText({kMaxCols, r}, "x");
    EXPECT_LT(wide.cellStorageBytes(), std::size_t{1} << 20);
    const std::string data = SheetFile::serialize(wide);
    EXPECT_LT(data.size(), std::size_t{20000});

    const auto start = Clock::now();
    Sheet loaded;
    ASSERT_TRUE(SheetFile::deserialize(data, loaded));
    EXPECT_LT(secondsSince(start), 2.0);
    // A dense row of the grid's width costs 16,385 cells (hundreds of kilobytes): 1,000 of them were
    // 777 MB. Now a row costs about its one cell.
    EXPECT_LT(loaded.cellStorageBytes(), std::size_t{1} << 20);
    EXPECT_EQ(loaded.text({kMaxCols, 1000}), "x");
    EXPECT_EQ(loaded.text({kMaxCols - 1, 1000}), "");
    EXPECT_EQ(loaded.usedEnd(), (CellRef{kMaxCols, 1000}));
    EXPECT_EQ(SheetFile::serialize(loaded), data);
}

TEST(GridBounds, SparseRowsKeepEveryCellThroughEditsAndTurnDenseWhenFilled) {
    // Two sheets take the same edits: one narrow (its rows dense from the start), one whose rows begin
    // sparse with a cell far right. Their first columns must read the same throughout.
    Sheet narrow, wide;
    narrow.setColCount(60);
    narrow.setRowCount(4);
    wide.setColCount(5000);
    wide.setRowCount(4);
    wide.setText({4990, 1}, "far");
    auto both = [&](auto edit) {
        edit(narrow);
        edit(wide);
        EXPECT_EQ(dump(narrow, 60, 4), dump(wide, 60, 4));
    };
    both([](Sheet& s) {
        for (int c = 1; c <= 50; c += 7) s.setText({c, 1}, "c" + std::to_string(c));
    });
    both([](Sheet& s) { s.insertCols(3, 2); });
    both([](Sheet& s) { s.deleteCols(10, 5); });
    both([](Sheet& s) { s.copyBlock({1, 1, 30, 1}, {2, 2}); });
    both([](Sheet& s) { s.swapBlocks({1, 1, 10, 1}, {1, 3}); });
    both([](Sheet& s) { s.clearBlock({5, 1, 20, 4}); });
    // The far cell moved with the column edits: +2 inserted, -5 deleted before it.
    EXPECT_EQ(wide.text({4987, 1}), "far");
    // Filling the sparse row from the left turns it dense again; every cell stays where it was written.
    for (int c = 1; c <= 4986; ++c) wide.setText({c, 1}, std::to_string(c));
    EXPECT_EQ(wide.text({1, 1}), "1");
    EXPECT_EQ(wide.text({2500, 1}), "2500");
    EXPECT_EQ(wide.text({4986, 1}), "4986");
    EXPECT_EQ(wide.text({4987, 1}), "far");
    EXPECT_EQ(wide.text({4988, 1}), "");
    // Cutting the width drops the far cells.
    ASSERT_TRUE(wide.setColCount(100));
    EXPECT_EQ(wide.text({100, 1}), "100");
    ASSERT_TRUE(wide.setColCount(5000));
    EXPECT_EQ(wide.text({4987, 1}), "");
    EXPECT_EQ(wide.text({101, 1}), "");
    EXPECT_EQ(wide.text({100, 1}), "100");
}

TEST(GridBounds, RangesAreReadOverTheUsedAreaWithTheSameResults) {
    Sheet s;
    s.setColCount(kMaxCols);
    s.setRowCount(kMaxRows);
    s.setValue({2, 1}, "4");
    s.setValue({3, 2}, "-1.5");
    s.setText({2, 3}, "label");
    s.setValue({1, 5}, "10");
    FormulaEngine& f = s.formulas();
    const auto start = Clock::now();
    // The formulas lie outside the ranges they read (A7, or B9 for column A).
    auto eval = [&](const std::string& formula, CellRef at = {1, 7}) {
        if (!f.setFormula(at, formula, kRefStyleA1)) return std::string("<parse error>");
        return s.text(at);
    };
    EXPECT_EQ(eval("SUM(A1:A1048576)", {2, 9}), "10");  // one column: read from the column's numbers
    EXPECT_EQ(eval("AVERAGE(A100:A1048576)", {2, 9}), "#DIV/0!");
    ASSERT_TRUE(f.setFormula({2, 9}, "", kRefStyleA1));
    // 17 billion cells each, before: minutes.
    EXPECT_EQ(eval("SUM(B1:XFD1048576)"), "2.5");
    EXPECT_EQ(eval("COUNT(B1:XFD1048576)"), "2");
    EXPECT_EQ(eval("COUNTA(B1:XFD1048576)"), "3");
    EXPECT_EQ(eval("AVERAGE(B1:XFD1048576)"), "1.25");
    EXPECT_EQ(eval("MIN(B1:XFD1048576)"), "-1.5");
    EXPECT_EQ(eval("MAX(XFD1048576:B1)"), "4");
    EXPECT_EQ(eval("AND(B1:XFD1048576)"), "TRUE");
    // Ranges wholly beyond the used area hold only empty cells.
    EXPECT_EQ(eval("SUM(G7:XFD1048576)"), "0");
    EXPECT_EQ(eval("COUNTA(G7:XFD1048576)"), "0");
    EXPECT_EQ(eval("AVERAGE(G7:XFD1048576)"), "#DIV/0!");
    EXPECT_LT(secondsSince(start), 5.0);

    // A formula over a huge range is recorded as one block: it follows a change anywhere in it.
    ASSERT_TRUE(f.setFormula({1, 8}, "SUM(B1:XFD1048576)", kRefStyleA1));
    EXPECT_EQ(s.text({1, 8}), "2.5");
    s.setValue({9000, 900000}, "100");
    EXPECT_EQ(s.text({1, 8}), "102.5");
    EXPECT_LT(secondsSince(start), 5.0);
}

TEST(GridBounds, TextsBuiltByFormulasStopAtTheCellTextLimit) {
    Sheet s;
    s.setColCount(10);
    s.setRowCount(10);
    FormulaEngine& f = s.formulas();
    s.setText({1, 1}, std::string(kMaxTextResult - 1, 'a'));
    // Up to the limit a join works; one character more is #VALUE!, for & and CONCATENATE alike.
    ASSERT_TRUE(f.setFormula({2, 1}, "A1&\"b\"", kRefStyleA1));
    EXPECT_EQ(s.text({2, 1}).size(), kMaxTextResult);
    ASSERT_TRUE(f.setFormula({3, 1}, "B1&\"c\"", kRefStyleA1));
    EXPECT_EQ(s.text({3, 1}), "#VALUE!");
    ASSERT_TRUE(f.setFormula({4, 1}, "CONCATENATE(A1,\"b\")", kRefStyleA1));
    EXPECT_EQ(s.text({4, 1}).size(), kMaxTextResult);
    ASSERT_TRUE(f.setFormula({5, 1}, "CONCATENATE(A1,\"bc\")", kRefStyleA1));
    EXPECT_EQ(s.text({5, 1}), "#VALUE!");
    // The limit counts characters, not bytes.
    std::string accented;
    for (std::size_t i = 0; i < kMaxTextResult - 1; ++i) accented += "\xC3\xA9";
    s.setText({1, 2}, accented);
    ASSERT_TRUE(f.setFormula({2, 2}, "A2&\"!\"", kRefStyleA1));
    EXPECT_EQ(s.text({2, 2}), accented + "!");

    // Four CONCATENATE formulas of 255 references each, each to the one before: unbounded, the last
    // would be 17 GB of text.
    s.setText({1, 3}, std::string(100, 'x'));
    auto joinOf = [](const std::string& ref) {
        std::string formula = "CONCATENATE(" + ref;
        for (int i = 1; i < 255; ++i) formula += "," + ref;
        return formula + ")";
    };
    const auto start = Clock::now();
    ASSERT_TRUE(f.setFormula({2, 3}, joinOf("A3"), kRefStyleA1));
    EXPECT_EQ(s.text({2, 3}).size(), 25500u);
    ASSERT_TRUE(f.setFormula({3, 3}, joinOf("B3"), kRefStyleA1));
    ASSERT_TRUE(f.setFormula({4, 3}, joinOf("C3"), kRefStyleA1));
    ASSERT_TRUE(f.setFormula({5, 3}, joinOf("D3"), kRefStyleA1));
    EXPECT_EQ(s.text({3, 3}), "#VALUE!");
    EXPECT_EQ(s.text({5, 3}), "#VALUE!");
    // The chain follows its source: one character gives 255, then 65,025 characters (over the limit).
    s.setText({1, 3}, "y");
    EXPECT_EQ(s.text({2, 3}), std::string(255, 'y'));
    EXPECT_EQ(s.text({3, 3}), "#VALUE!");
    s.setText({1, 3}, "");
    EXPECT_EQ(s.text({5, 3}), "");
    EXPECT_LT(secondsSince(start), 5.0);
}

TEST(GridBounds, AFileOverTheSizeLimitIsRefusedUnreadAndChangesNothing) {
    Sheet s;
    s.setColCount(3);
    s.setRowCount(3);
    s.setText({1, 1}, "kept");
    const std::string good = tempPath("good.vgs");
    ASSERT_TRUE(SheetFile::save(s, good));

    // 256 MB and one byte, made without writing them (a file with a hole).
    const std::string big = tempPath("big.vgs");
    const int fd = ::open(big.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, (off_t{256} << 20) + 1), 0);
    ::close(fd);
    const auto start = Clock::now();
    EXPECT_FALSE(SheetFile::load(big, s));
    EXPECT_LT(secondsSince(start), 0.5);  // reading 256 MB of zeros takes longer under the sanitizers
    EXPECT_EQ(s.text({1, 1}), "kept");
    EXPECT_EQ(s.colCount(), 3);
    EXPECT_TRUE(SheetFile::load(good, s));
    std::remove(big.c_str());
    std::remove(good.c_str());
}

}  // namespace
}  // namespace vtl::grid
