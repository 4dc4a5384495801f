// The file functions the module calls: tables, line files, properties, searches and path texts.
#include <filesystem>
#include <fstream>

#include "support/fixture.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/properties_list.h"
#include "win/messages.h"
#include "win/script.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;

class FileFunctions : public Fixture {
protected:
    Vtl_String lib(const std::string& rest) { return Vtl_String(libraryDir().string() + "\\" + rest); }
};

TEST_F(FileFunctions, TablesRoundTripEveryRowAsWritten) {
    fs::create_directories(libraryDir() / "prof");
    Vtl_Array<Vtl_StringArray> rows;
    rows.append(Vtl_StringArray{""});                                    // the shape row may be empty
    rows.append(Vtl_StringArray{"SysName", "I/O", "Dutch", "English"});
    rows.append(Vtl_StringArray{"HEA 100", "1", "", "¿é"});               // an empty cell in the middle
    rows.append(Vtl_StringArray{"HEA 120", "1"});                         // shorter than the header
    ASSERT_TRUE(writeFile(lib("prof\\HEA.pr"), rows));
    Vtl_String type;
    Vtl_Array<Vtl_StringArray> back;
    ASSERT_TRUE(readFile(lib("PROF\\hea.PR"), type, back));
    EXPECT_EQ(back, rows);
    EXPECT_EQ(type.str(), "hea");  // the name as the module gave it
    Vtl_Array<Vtl_StringArray> kept = rows;
    EXPECT_FALSE(readFile(lib("prof\\missing.pr"), type, kept));
    EXPECT_EQ(kept, rows);
    // A tab or line break inside a cell becomes a blank rather than a new cell or row.
    Vtl_Array<Vtl_StringArray> odd;
    odd.append(Vtl_StringArray{"a\tb", "c\r\nd"});
    ASSERT_TRUE(writeFile(lib("prof\\odd.pr"), odd));
    ASSERT_TRUE(readFile(lib("prof\\odd.pr"), type, back));
    ASSERT_EQ(back.length(), 1);
    EXPECT_EQ(back[0], (Vtl_StringArray{"a b", "c  d"}));
}

TEST_F(FileFunctions, LineFilesKeepTheStockSeparatorAsACharacter) {
    std::ofstream(libraryDir() / "stock.shp", std::ios::binary) << "a\xBF" "b\xBF" "12\r\n6000\xBF" "2\xBF" "3\r\n";
    Vtl_StringArray lines;
    ASSERT_TRUE(ObjectExportReadFile(lib("Stock.SHP"), lines));
    EXPECT_EQ(lines, (Vtl_StringArray{"a¿b¿12", "6000¿2¿3"}));
    ASSERT_TRUE(ObjectExportWriteFile(lib("copy.shp"), lines));
    Vtl_StringArray again;
    ASSERT_TRUE(ObjectExportReadFile(lib("copy.shp"), again));
    EXPECT_EQ(again, lines);
    std::ofstream(libraryDir() / "empty.buy");
    ASSERT_TRUE(ObjectExportReadFile(lib("empty.buy"), again));
    EXPECT_EQ(again.length(), 0);
    EXPECT_FALSE(ObjectExportReadFile(lib("none.buy"), again));
}

TEST_F(FileFunctions, PropertiesReadBackExactlyAndMissingKeysLeaveValuesAlone) {
    Vtl_PropertiesList p;
    p.setProperty("nrOfControls", 2);
    p.setProperty("topLeftX0", 0.1 + 0.2);
    p.setProperty("comboList0", "a;b=c\\d");
    p.setProperty("contents0", "line\nbreak");
    p.setProperty("nrOfControls", 3);  // replaced, keeps its place
    ASSERT_TRUE(p.writeToFile(lib("design.txt")));
    Vtl_PropertiesList q;
    ASSERT_TRUE(q.readFromFile(lib("design.txt")));
    int n = 0;
    double x = 0;
    Vtl_String combo, contents;
    EXPECT_TRUE(q.getProperty("nrOfControls", n));
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(q.getProperty("topLeftX0", x));
    EXPECT_EQ(x, 0.1 + 0.2);
    EXPECT_TRUE(q.getProperty("comboList0", combo));
    EXPECT_EQ(combo.str(), "a;b=c\\d");
    EXPECT_TRUE(q.getProperty("contents0", contents));
    EXPECT_EQ(contents.str(), "line break");
    int untouched = 7;
    EXPECT_FALSE(q.getProperty("type9", untouched));
    EXPECT_EQ(untouched, 7);
    q.setProperty("type0", "not a number");
    EXPECT_TRUE(q.getProperty("type0", untouched));
    EXPECT_EQ(untouched, 0);
    EXPECT_FALSE(q.readFromFile(lib("missing.txt")));
}

TEST_F(FileFunctions, PropertiesReadFromAFileKeepTheLastOfDuplicateKeysInTheFirstPlace) {
    ASSERT_TRUE(ObjectExportWriteFile(lib("dup.txt"), Vtl_StringArray{"a=1", "no key here", "b=2", "a=3", "=empty key"}));
    Vtl_PropertiesList p;
    ASSERT_TRUE(p.readFromFile(lib("dup.txt")));
    ASSERT_EQ(p.count(), 3);
    EXPECT_EQ(p.entries()[0], (std::pair<std::string, std::string>{"a", "3"}));
    EXPECT_EQ(p.entries()[1].first, "b");
    EXPECT_EQ(p.entries()[2].first, "");
    p.setProperty("b", 5);
    int b = 0;
    EXPECT_TRUE(p.getProperty("b", b));
    EXPECT_EQ(b, 5);
    p.clear();
    EXPECT_FALSE(p.getProperty("b", b));
    p.setProperty("c", 1);
    EXPECT_EQ(p.entries().front().first, "c");
}

TEST_F(FileFunctions, SearchesGiveFullModulePathsAndPathTextsSplitAsTheModuleExpects) {
    fs::create_directories(libraryDir() / "Cutting Stock" / "HE 200 A");
    for (const char* n : {"Stock1.shp", "stock12.SHP", "Stock2.buy"}) std::ofstream(libraryDir() / "Cutting Stock" / "HE 200 A" / n);
    Vtl_StringArray found;
    ObjectExportFindFiles(lib("Cutting Stock\\HE 200 A"), "Stock*.shp", found);
    ASSERT_EQ(found.length(), 2);
    EXPECT_EQ(found[0].str(), lib("Cutting Stock\\HE 200 A\\Stock1.shp").str());
    Vtl_StringArray all;
    ObjectExportFindFilesRecursive(lib("Cutting Stock"), "*.buy", all);
    EXPECT_EQ(all, (Vtl_StringArray{lib("Cutting Stock\\HE 200 A\\Stock2.buy")}));
    Vtl_FileTime t;
    EXPECT_TRUE(ObjectExportGetFileTime(found[0], t));

    EXPECT_EQ(changeExtension("c:\\lib\\Design.txt", "bmp").str(), "c:\\lib\\Design.bmp");
    EXPECT_EQ(changeExtension("c:\\lib.d\\Design", "dwg").str(), "c:\\lib.d\\Design.dwg");
    EXPECT_EQ(removeExtension("a\\b.c\\d.e.f").str(), "a\\b.c\\d.e");
    EXPECT_EQ(getFileName("a\\b\\c.txt").str(), "c.txt");
    EXPECT_EQ(getPath("a\\b\\c.txt").str(), "a\\b\\");
    EXPECT_EQ(ensureEndBSlash("a\\b").str(), "a\\b\\");
    EXPECT_EQ(ensureEndBSlash("a\\b\\").str(), "a\\b\\");
    EXPECT_TRUE(deleteFile(found[0]));
    EXPECT_FALSE(deleteFile(found[0]));
}

TEST_F(FileFunctions, AnInvalidNameIsRefusedWithAWarningAPersonAnswers) {
    win::Script s;
    s.waitFor(win::messageBoxContaining("cannot be used as a file name")).answer(IDOK);
    bool valid = true;
    run(s, [&] { valid = warnInvalidFileName("a/b"); });
    EXPECT_FALSE(valid);
    EXPECT_TRUE(warnInvalidFileName("HE 200 A"));
}

}  // namespace
}  // namespace vtl::test
