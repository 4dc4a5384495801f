// The values table: its file (shape line, column names, rows; Windows-1252 and CR LF; one-line, truncated,
// corrupt and missing files; names that would leave the "prof" folder), its columns, system names and
// active flags, new sizes, and the way into and out of a grid.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/command_line.h"
#include "module_test_support.h"
#include "vtlbase/macro_langs.h"
#include "vtlui/vtl_prof_values_table.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using vtl::ui::Vtl_Spread;

Vtl_StringArray arr(std::initializer_list<const char*> texts) {
    Vtl_StringArray out;
    for (const char* t : texts) out.append(Vtl_String(t));
    return out;
}

class ValuesTableTest : public ModuleTest {
protected:
    fs::path prof() const { return libraryDir() / "prof"; }
    void writeBytes(const std::string& name, const std::string& bytes) const {
        fs::create_directories(prof());
        std::ofstream(prof() / name, std::ios::binary) << bytes;
    }
    std::string readBytes(const fs::path& file) const {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // HEA with an English display column, four sizes with the flags "1", "0", "" and "yes".
    static Vtl_ProfValuesTable sample() {
        Vtl_ProfValuesTable t;
        t.typeName = "HEA";
        t.shape = "1";
        t.columnNames = arr({"SysName", "I/O", "English", "h"});
        t.rows.append(arr({"100", "1", "HEA 100", "96"}));
        t.rows.append(arr({"120", "0", "HEA 120", "114"}));
        t.rows.append(arr({"140", "", "HEA 140", "133"}));
        t.rows.append(arr({"160", "yes", "HEA 160", "152"}));
        t.rows.append(arr({"180", "1", "HEA 180", "171"}));
        return t;
    }
};

TEST_F(ValuesTableTest, AWindowsFileReadsAndWritesBackByteForByteWithTheTypeFromTheFileName) {
    // Windows-1252 accents, CR LF, a row longer and one shorter than the header.
    const std::string file = "1\r\nSysName\tI/O\tFrench\th\r\n100\t1\tPoutrelle \xE9paisse 100\t96\t9\r\n120\t0\r\n";
    writeBytes("hea.pr", file);  // found without regard to case, named as asked
    Vtl_ProfValuesTable t;
    ASSERT_TRUE(t.readFromFile("HEA.pr"));
    EXPECT_EQ(t.typeName, Vtl_String("HEA"));
    EXPECT_EQ(t.shape, Vtl_String("1"));
    EXPECT_EQ(t.columnNames, arr({"SysName", "I/O", "French", "h"}));
    ASSERT_EQ(t.rows.length(), 2);
    EXPECT_EQ(t.rows[0], arr({"100", "1", "Poutrelle \xC3\xA9paisse 100", "96", "9"}));
    EXPECT_EQ(t.rows[1], arr({"120", "0"}));

    ASSERT_TRUE(t.writeToFile("Copy.pr"));
    EXPECT_EQ(readBytes(prof() / "Copy.pr"), file);
    Vtl_ProfValuesTable back;
    ASSERT_TRUE(back.readFromFile("Copy.pr"));
    EXPECT_EQ(back.typeName, Vtl_String("Copy"));
    EXPECT_EQ(back.shape, t.shape);
    EXPECT_EQ(back.columnNames, t.columnNames);
    EXPECT_EQ(back.rows.length(), t.rows.length());
    for (int i = 0; i < t.rows.length(); ++i) EXPECT_EQ(back.rows[i], t.rows[i]);

    // An empty shape and empty cells survive too; a drawing shape is only stored.
    Vtl_ProfValuesTable blank = sample();
    blank.shape = "";
    blank.rows[0][3] = "";
    ASSERT_TRUE(blank.writeToFile("Blank.pr"));
    Vtl_ProfValuesTable blankBack;
    blankBack.shape = "9";
    ASSERT_TRUE(blankBack.readFromFile("Blank.pr"));
    EXPECT_EQ(blankBack.shape, Vtl_String(""));
    EXPECT_EQ(blankBack.rows[0], blank.rows[0]);
}

TEST_F(ValuesTableTest, OneLineEmptyTruncatedAndCorruptFilesReadWithoutLosingTheHeader) {
    Vtl_ProfValuesTable t = sample();
    writeBytes("One.pr", "only line\twith two cells");
    ASSERT_TRUE(t.readFromFile("One.pr"));
    EXPECT_EQ(t.typeName, Vtl_String("One"));
    EXPECT_EQ(t.shape, Vtl_String("1"));  // kept from before
    EXPECT_EQ(t.columnNames, sample().columnNames);
    ASSERT_EQ(t.rows.length(), 1);
    EXPECT_EQ(t.rows[0], arr({"only line", "with two cells"}));

    writeBytes("Empty.pr", "");
    ASSERT_TRUE(t.readFromFile("Empty.pr"));
    EXPECT_EQ(t.rows.length(), 0);

    // Cut off in the middle of a row: the short row reads, missing cells read as empty.
    writeBytes("Cut.pr", "4\r\nSysName\tI/O\tEnglish\th\r\n80\t1\tUPN 80\t80\r\n100\t1\tUP");
    ASSERT_TRUE(t.readFromFile("Cut.pr"));
    ASSERT_EQ(t.rows.length(), 2);
    Vtl_StringArray h;
    ASSERT_TRUE(t.getColumn(h, "h"));
    EXPECT_EQ(h, arr({"80", ""}));
    Vtl_StringArray names;
    t.getFilteredSysNames(names);
    EXPECT_EQ(names, arr({"Cut-80", "Cut-100"}));

    // Binary junk reads as text, never crashes; every byte is a character.
    writeBytes("Junk.pr", std::string("\x00\xFF\xFE\t\x81\r\r\n\x90\n", 10));
    ASSERT_TRUE(t.readFromFile("Junk.pr"));
    EXPECT_EQ(t.rows.length(), 0);
    EXPECT_EQ(t.columnNames.length(), 1);
}

TEST_F(ValuesTableTest, MissingFilesAndNamesOutsideTheFolderChangeNothing) {
    Vtl_ProfValuesTable t = sample();
    EXPECT_FALSE(t.readFromFile("Missing.pr"));
    EXPECT_EQ(t.typeName, Vtl_String("HEA"));
    EXPECT_EQ(t.rows.length(), 5);

    fs::create_directories(prof());
    std::ofstream(libraryDir() / "Outside.pr", std::ios::binary) << "1\r\nA\r\nb\r\n";
    EXPECT_FALSE(t.readFromFile("..\\Outside.pr"));
    EXPECT_FALSE(t.readFromFile("../Outside.pr"));
    EXPECT_EQ(t.rows.length(), 5);
    EXPECT_FALSE(t.writeToFile("..\\Evil.pr"));
    EXPECT_FALSE(t.writeToFile("sub\\Evil.pr"));
    EXPECT_FALSE(fs::exists(libraryDir() / "Evil.pr"));

    // A character Windows-1252 cannot hold fails the write and leaves the old file.
    ASSERT_TRUE(t.writeToFile("HEA.pr"));
    const std::string before = readBytes(prof() / "HEA.pr");
    Vtl_ProfValuesTable greek = t;
    greek.rows[0][2] = "\xCE\xA9 100";  // Omega
    EXPECT_FALSE(greek.writeToFile("HEA.pr"));
    EXPECT_EQ(readBytes(prof() / "HEA.pr"), before);
}

TEST_F(ValuesTableTest, ColumnsRowsAndCopiesFollowTheirBounds) {
    Vtl_ProfValuesTable t = sample();
    t.rows[1] = arr({"120", "0"});  // shorter than the header
    Vtl_StringArray out = arr({"stale"});
    EXPECT_FALSE(t.getColumn(out, -1));
    EXPECT_FALSE(t.getColumn(out, 4));  // row 0 has four cells
    EXPECT_EQ(out, arr({"stale"}));
    ASSERT_TRUE(t.getColumn(out, 3));
    EXPECT_EQ(out, arr({"96", "", "133", "152", "171"}));
    EXPECT_FALSE(t.getColumn(out, "Dutch"));
    EXPECT_EQ(t.getColumnIdx("h"), 3);
    EXPECT_EQ(t.getColumnIdx("H"), -1);

    EXPECT_FALSE(t.getRow(out, 5));
    ASSERT_TRUE(t.getRow(out, 4));
    EXPECT_EQ(out[0], Vtl_String("180"));
    EXPECT_FALSE(t.deleteRow(-1));
    EXPECT_FALSE(t.deleteRow(5));
    ASSERT_TRUE(t.deleteRow(0));
    EXPECT_EQ(t.rows[0][0], Vtl_String("120"));

    int row = -7;
    EXPECT_TRUE(t.findSysName("160", row));
    EXPECT_EQ(row, 2);
    EXPECT_FALSE(t.findSysName("HEA-160", row));
    EXPECT_FALSE(Vtl_ProfValuesTable().findSysName("160", row));

    // Copies are deep.
    Vtl_ProfValuesTable copy(t);
    copy.rows[0][0] = "999";
    Vtl_ProfValuesTable assigned;
    assigned = t;
    assigned.columnNames[0] = "x";
    EXPECT_EQ(t.rows[0][0], Vtl_String("120"));
    EXPECT_EQ(t.columnNames[0], Vtl_String("SysName"));
}

TEST_F(ValuesTableTest, OnlyTheExactFlagOneIsActiveAndOnlyZeroIsRemoved) {
    Vtl_ProfValuesTable t = sample();
    Vtl_StringArray names;
    t.getSysNames(names);
    EXPECT_EQ(names, arr({"HEA-100", "HEA-120", "HEA-140", "HEA-160", "HEA-180"}));
    t.getFilteredSysNames(names);
    EXPECT_EQ(names, arr({"HEA-100", "HEA-180"}));

    // An inactive row gets the position the next active row would have.
    EXPECT_EQ(t.getfilteredIdx(0), 0);
    EXPECT_EQ(t.getfilteredIdx(1), 1);
    EXPECT_EQ(t.getfilteredIdx(3), 1);
    EXPECT_EQ(t.getfilteredIdx(4), 1);
    EXPECT_EQ(t.getfilteredIdx(5), -1);
    EXPECT_EQ(t.getfilteredIdx(-1), -1);

    t.removeInactiveEntries();
    ASSERT_EQ(t.rows.length(), 4);
    t.getSysNames(names);
    EXPECT_EQ(names, arr({"HEA-100", "HEA-140", "HEA-160", "HEA-180"}));

    // A first row of one cell gives no system names at all.
    Vtl_ProfValuesTable narrow = sample();
    narrow.rows[0] = arr({"100"});
    narrow.getSysNames(names);
    EXPECT_EQ(names.length(), 0);
    EXPECT_EQ(narrow.getfilteredIdx(1), -1);
    Vtl_ProfValuesTable().getFilteredSysNames(names);
    EXPECT_EQ(names.length(), 0);
}

TEST_F(ValuesTableTest, InsertedSizesGetUnusedNamesBehindTheDisplayPrefix) {
    Vtl_ProfValuesTable t = sample();
    ASSERT_TRUE(t.insertRow(0));
    ASSERT_EQ(t.rows.length(), 6);
    EXPECT_EQ(t.rows[1], arr({"100_1", "1", "HEA 100_1", "96"}));
    ASSERT_TRUE(t.insertRow(0));
    EXPECT_EQ(t.rows[1][0], Vtl_String("100_2"));
    ASSERT_TRUE(t.insertRow(t.rows.length() - 1));  // appends a copy of the last
    EXPECT_EQ(t.rows.last(), arr({"180_1", "1", "HEA 180_1", "171"}));

    // At the top: an empty row named "1" with the type name as prefix.
    ASSERT_TRUE(t.insertRow(-1));
    EXPECT_EQ(t.rows[0], arr({"1", "", "HEA1", ""}));
    ASSERT_TRUE(t.insertRow(-1));
    EXPECT_EQ(t.rows[0][0], Vtl_String("1_1"));

    // A position past the end prints the diagnostic, inserts nothing and says so.
    const int before = t.rows.length();
    host::clearCommandLine();
    EXPECT_FALSE(t.insertRow(before));
    EXPECT_FALSE(t.insertRow(-2));
    EXPECT_EQ(t.rows.length(), before);
    EXPECT_NE(host::commandLineText().find("*Error* Invalid index passed to insert.\n"), std::string::npos);

    // Without a column for the current language only the name is set; the other cells stay empty.
    ASSERT_TRUE(gMacroLangs.SetCurLanguage("Dutch"));
    Vtl_ProfValuesTable other = sample();
    ASSERT_TRUE(other.insertRow(-1));
    EXPECT_EQ(other.rows[0], arr({"1", "", "", ""}));
    ASSERT_TRUE(other.insertRow(1));
    EXPECT_EQ(other.rows[2], arr({"100_1", "1", "HEA 100", "96"}));

    // A table without columns or rows still gets a named row.
    Vtl_ProfValuesTable bare;
    ASSERT_TRUE(bare.insertRow(-1));
    EXPECT_EQ(bare.rows[0], arr({"1"}));
}

TEST_F(ValuesTableTest, TheGridShowsTheTableAndGivesItBackCutToTheColumns) {
    Vtl_ProfValuesTable t = sample();
    t.rows[0].append("extra");           // longer than the header: not shown
    t.rows[1] = arr({"120", "0"});       // shorter
    GridHolder dlg;
    win::Script s;
    s.waitFor(win::dialogWithTemplate(kGridHolder))
        .check([&] {
            Vtl_Spread& g = dlg.spread;
            SSSetSwitch(g.grid(), SS_SWITCH_CHANGED, TRUE);
            ASSERT_TRUE(t.setToSS(g));
            EXPECT_EQ(g.getRowCount(), 5);
            EXPECT_EQ(g.getColCount(), 4);
            EXPECT_FALSE(SSGetSwitch(g.grid(), SS_SWITCH_CHANGED));
            EXPECT_TRUE(SSGetSwitch(g.grid(), SS_SWITCH_REDRAW));
            Vtl_StringArray headers;
            g.getColHeaders(headers);
            EXPECT_EQ(headers, t.columnNames);
            g.getRowHeaders(headers);
            EXPECT_EQ(headers, arr({"HEA", "HEA", "HEA", "HEA", "HEA"}));
            bool checked = false;
            ASSERT_TRUE(g.getCellCheck(2, 1, checked));
            EXPECT_TRUE(checked);
            ASSERT_TRUE(g.getCellCheck(2, 2, checked));
            EXPECT_FALSE(checked);

            // An edited cell comes back; every row has a cell per column.
            g.setCellText(4, 2, "114");
            Vtl_ProfValuesTable back;
            back.shape = "keep";
            ASSERT_TRUE(back.getFromSS(g));
            EXPECT_EQ(back.typeName, Vtl_String("HEA"));
            EXPECT_EQ(back.shape, Vtl_String("keep"));
            EXPECT_EQ(back.columnNames, t.columnNames);
            ASSERT_EQ(back.rows.length(), 5);
            EXPECT_EQ(back.rows[0], arr({"100", "1", "HEA 100", "96"}));
            EXPECT_EQ(back.rows[1], arr({"120", "0", "", "114"}));
            Vtl_StringArray active;
            back.getFilteredSysNames(active);
            EXPECT_EQ(active, arr({"HEA-100", "HEA-180"}));

            // An empty table empties the grid and fails; reading the empty grid fails, changing nothing.
            EXPECT_FALSE(Vtl_ProfValuesTable().setToSS(g));
            EXPECT_EQ(g.getRowCount(), 0);
            EXPECT_EQ(g.getColCount(), 0);
            EXPECT_TRUE(SSGetSwitch(g.grid(), SS_SWITCH_REDRAW));
            EXPECT_FALSE(back.getFromSS(g));
            EXPECT_EQ(back.rows.length(), 5);

            // A table wider than the grid can hold is not shown cut: the grid stays empty, the answer no.
            Vtl_ProfValuesTable wide = t;
            for (int c = 0; c < 16400; ++c) wide.columnNames.append(Vtl_String("v") + Vtl_String(c));
            EXPECT_FALSE(wide.setToSS(g));
            EXPECT_EQ(g.getColCount(), 0);
            EXPECT_EQ(g.getRowCount(), 0);
            EXPECT_TRUE(SSGetSwitch(g.grid(), SS_SWITCH_REDRAW));
        })
        .close();
    run(s, [&] { dlg.DoModal(); });

    // A grid that is not attached takes and gives nothing.
    Vtl_Spread loose;
    EXPECT_FALSE(t.setToSS(loose));
    EXPECT_FALSE(t.getFromSS(loose));
    EXPECT_EQ(t.rows.length(), 5);
}

}  // namespace
}  // namespace vtl::test
