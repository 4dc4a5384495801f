// The grid's file format: what a save keeps, and that a load either takes a whole file or changes
// nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "file/sheet_file.h"
#include "formula/engine.h"
#include "model/sheet.h"

namespace vtl::grid {
namespace {

std::string tempPath(const std::string& name) { return testing::TempDir() + "/grid_file_" + name; }

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
void writeAll(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
}

// A sheet with every kind of content and attribute.
void fill(Sheet& s) {
    s.setColCount(5);
    s.setRowCount(6);
    s.setText({0, 0}, "corner");
    s.setText({1, 0}, "Name\twith tab");
    s.setText({0, 2}, "row 2");
    s.setText({1, 1}, "multi\nline \\ text");
    s.setValue({2, 1}, "2.5");
    s.setTag({2, 1}, "tag");
    NumberType number;
    number.decimals = 3;
    number.minValue = -5;
    number.maxValue = 5;
    s.setCellType({3, 1, 3, 2}, number);
    s.setText({3, 1}, "1.25");
    s.setCellType({4, 1, 4, 1}, ComboBoxType::fromList(0, "a\tb\tc"));
    s.setText({4, 1}, "b");
    s.setCellType({5, 1, 5, 1}, CheckBoxType{0, "cap", {}});
    s.setText({5, 1}, "1");
    s.setCellType({1, 5, 1, 5}, StaticTextType{StaticTextType::kWordWrap});
    s.setCellType({2, 5, 2, 5}, ButtonType{0, "Press", {}});
    s.setCellType({3, 5, 3, 5}, PictureType{0, "pic.bmp"});
    EditType edit;
    edit.maxLength = 4;
    s.setCellType({4, 5, 4, 5}, edit);
    s.setLocked({1, 3, 2, 3}, true);
    LOGFONT bold = defaultCellFont();
    bold.lfWeight = 700;
    bold.lfItalic = true;
    bold.lfFaceName = "Courier New";
    s.setFont({1, 4, 3, 4}, bold);
    s.setColours({2, 2, 2, 2}, {0x00FF0000u, 0x000000FFu});
    s.setAlignment({1, 6, 1, 6}, Alignment::right);
    s.setAlignment({1, 6, 1, 6}, Alignment::bottom);
    s.addSpan({2, 6}, 3, 1);
    s.setColumnWidth(2, 12.5);
    s.setRowHeight(3, 30);
    s.setColumnWidth(0, 3);
    s.formulas().setFormula({5, 6}, "B1*2+UNREGISTERED(A1)", kRefStyleA1);
    s.formulas().setFormula({5, 5}, "B1*4", kRefStyleA1);
}

// Everything a save keeps, as one comparable text.
std::string describe(const Sheet& s) {
    std::ostringstream out;
    out << s.colCount() << 'x' << s.rowCount() << ';';
    for (int r = 0; r <= s.rowCount(); ++r) {
        out << "h" << s.rowHeightPixels(r) << ';';
        for (int c = 0; c <= s.colCount(); ++c) {
            const CellRef at{c, r};
            const LOGFONT f = s.font(at);
            const SpanInfo sp = s.span(at);
            out << '[' << s.text(at) << '|' << s.value(at) << '|' << s.formula(at) << '|' << s.tag(at) << '|'
                << s.cellKind(at) << '|' << s.isLocked(at) << '|' << f.lfFaceName << f.lfWeight << f.lfItalic << '|'
                << s.colours(at).back << ',' << s.colours(at).fore << '|' << int(s.alignment(at).horizontal)
                << int(s.alignment(at).vertical) << '|' << sp.state << sp.cols << sp.rows << ']';
        }
    }
    for (int c = 0; c <= s.colCount(); ++c) out << "w" << s.columnWidth(c) << ';';
    return out.str();
}

TEST(GridFile, SaveAndLoadKeepEveryCellProperty) {
    Sheet s;
    fill(s);
    ASSERT_EQ(s.text({5, 5}), "10");
    s.setText({2, 1}, "3");
    EXPECT_EQ(s.text({5, 5}), "12");
    const std::string path = tempPath("roundtrip.sss");
    ASSERT_TRUE(SheetFile::save(s, path));

    Sheet loaded;
    loaded.setSwitch(sw::autoCalc, false);
    loaded.setRefStyle(kRefStyleR1C1);
    loaded.setColCount(1);
    loaded.setRowCount(1);
    loaded.setText({1, 1}, "old");
    ASSERT_TRUE(SheetFile::load(path, loaded));
    EXPECT_EQ(describe(loaded), describe(s));
    // Settings stay the loading grid's; results show as saved, without recalculation.
    EXPECT_FALSE(loaded.switchOn(sw::autoCalc));
    EXPECT_EQ(loaded.refStyle(), kRefStyleR1C1);
    EXPECT_EQ(loaded.text({5, 5}), "12");
    EXPECT_EQ(loaded.text({5, 6}), "#NAME?");
    EXPECT_EQ(loaded.formulas().formulaText({5, 6}, kRefStyleA1), "B1*2+UNREGISTERED(A1)");
    // The loaded formulas are live: their dependencies work.
    loaded.setText({2, 1}, "10");
    EXPECT_TRUE(loaded.formulas().recalcCell({5, 5}));
    EXPECT_EQ(loaded.text({5, 5}), "40");
    // Saving the loaded sheet gives the same bytes back.
    const std::string again = tempPath("roundtrip2.sss");
    Sheet copy;
    ASSERT_TRUE(SheetFile::load(path, copy));
    ASSERT_TRUE(SheetFile::save(copy, again));
    EXPECT_EQ(readAll(again), readAll(path));
}

TEST(GridFile, AFailedLoadLeavesTheSheetAsItWas) {
    Sheet source;
    fill(source);
    const std::string good = tempPath("good.sss");
    ASSERT_TRUE(SheetFile::save(source, good));
    const std::string bytes = readAll(good);

    Sheet target;
    target.setColCount(8);
    target.setRowCount(10);
    target.setText({1, 1}, "mine");
    target.formulas().setFormula({2, 2}, "A1&\"!\"", kRefStyleA1);
    const std::string before = describe(target);

    const std::string bad = tempPath("bad.sss");
    std::string wrongVersion = bytes;
    wrongVersion.replace(wrongVersion.find("\t1\n"), 3, "\t2\n");
    std::string corrupt = bytes;
    corrupt[corrupt.find("Courier")] = 'K';
    std::string badIndex = bytes;
    badIndex.replace(badIndex.find("c\t"), 2, "c\t9");
    std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"truncated", bytes.substr(0, bytes.size() / 2)},
        {"no end line", bytes.substr(0, bytes.rfind("end\t"))},
        {"last byte gone", bytes.substr(0, bytes.size() - 1)},
        {"wrong version", wrongVersion},
        {"flipped byte", corrupt},
        {"cell outside the counts", badIndex},
        {"another format", "ID;PWXL;N;E\nC;Y1;X1;K\"x\"\nE\n"},
    };
    for (const auto& [name, data] : cases) {
        writeAll(bad, data);
        EXPECT_FALSE(SheetFile::load(bad, target)) << name;
        EXPECT_EQ(describe(target), before) << name;
    }
    EXPECT_FALSE(SheetFile::load(tempPath("missing.sss"), target));
    EXPECT_FALSE(SheetFile::deserialize("VTLGRID-SHEET\t1\nend\t1\t0\n", target));
    EXPECT_EQ(describe(target), before);
    EXPECT_TRUE(target.formulas().recalcAll());
    EXPECT_EQ(target.text({2, 2}), "mine!");
}

TEST(GridFile, SaveReportsFailureAndKeepsTheOldFile) {
    Sheet s;
    fill(s);
    const std::string path = tempPath("keep.sss");
    ASSERT_TRUE(SheetFile::save(s, path));
    const std::string before = readAll(path);
    EXPECT_FALSE(SheetFile::save(s, tempPath("no-such-folder/x.sss")));
    EXPECT_FALSE(SheetFile::save(s, ""));
    EXPECT_EQ(readAll(path), before);
    // A failed write leaves no temporary file behind and the target untouched.
    Sheet other;
    other.setColCount(1);
    other.setRowCount(1);
    ASSERT_TRUE(SheetFile::save(other, path));
    Sheet loaded;
    ASSERT_TRUE(SheetFile::load(path, loaded));
    EXPECT_EQ(loaded.colCount(), 1);
}

}  // namespace
}  // namespace vtl::grid
