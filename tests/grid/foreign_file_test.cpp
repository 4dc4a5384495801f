// Spreadsheets of other programs: CSV (separator, decimal sign and encoding detected), XLSX and ODS read
// into the cell model, and every file that cannot be read leaving the sheet as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "file/csv_text.h"
#include "file/sheet_formats.h"
#include "file/zip_stored.h"
#include "model/sheet.h"
#include "workbook_writer.h"

namespace vtl::grid {
namespace {
using samples::WorkbookCell;
using samples::WorkbookSheet;

std::string tempPath(const std::string& name) { return testing::TempDir() + "/foreign_" + name; }
std::string writeFile(const std::string& name, const std::string& data) {
    const std::string path = tempPath(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
    return path;
}

// A sheet with content that a failed load must leave alone.
void fillMarker(Sheet& s) {
    s.setColCount(2);
    s.setRowCount(2);
    s.setText({1, 1}, "keep");
    s.setText({2, 0}, "Header");
}
void expectMarker(const Sheet& s) {
    EXPECT_EQ(s.colCount(), 2);
    EXPECT_EQ(s.rowCount(), 2);
    EXPECT_EQ(s.text({1, 1}), "keep");
    EXPECT_EQ(s.text({2, 0}), "Header");
}

TEST(ForeignFileTest, CsvQuotedSeparatorsQuotesAndLineBreaks) {
    const std::string path = writeFile("quoted.csv",
                                       "Bolt,Note,As\r\n"
                                       "M20,\"washer, both sides\",245\r\n"
                                       "M24,\"two\r\nlines, \"\"quoted\"\"\",353\r\n"
                                       "M30,007,561\r\n");
    Sheet s;
    ASSERT_TRUE(loadSheetFile(path, s));
    EXPECT_EQ(s.colCount(), 3);
    EXPECT_EQ(s.rowCount(), 3);
    EXPECT_EQ(s.text({1, 0}), "Bolt");  // the first record is the header row
    EXPECT_EQ(s.text({3, 0}), "As");
    EXPECT_EQ(s.text({2, 1}), "washer, both sides");
    EXPECT_EQ(s.text({2, 2}), "two\nlines, \"quoted\"");
    EXPECT_EQ(s.text({3, 2}), "353");
    EXPECT_EQ(s.text({2, 3}), "007");  // a number that would not show the same stays text
    EXPECT_EQ(s.cellKind({2, 3}), EditType::kKind);
    EXPECT_EQ(s.cellKind({3, 3}), NumberType::kKind);  // plain numbers are number cells
    EXPECT_EQ(s.numericValue({3, 3}), 561.0);
}

TEST(ForeignFileTest, SemicolonCsvWithDecimalCommasInWindows1252) {
    // "Güte" and "Ø" in Windows-1252; a semicolon separator; decimal commas read as numbers.
    const std::string path = writeFile("semicolon.csv",
                                       "Gr\xFC\x65\xDF\x65;\xD8 mm;fy\n"
                                       "S235;12,5;235\n"
                                       "S355;-3,25;355\n");
    Sheet s;
    ASSERT_TRUE(loadSheetFile(path, s));
    EXPECT_EQ(s.colCount(), 3);
    EXPECT_EQ(s.text({1, 0}), "Gr\xC3\xBC\x65\xC3\x9F\x65");
    EXPECT_EQ(s.text({2, 0}), "\xC3\x98 mm");
    EXPECT_EQ(s.text({2, 1}), "12.5");
    EXPECT_EQ(s.numericValue({2, 2}), -3.25);
    EXPECT_EQ(s.text({3, 2}), "355");
}

TEST(ForeignFileTest, CsvLayoutDetection) {
    // Commas inside a semicolon file's cells do not make it a comma file; a point anywhere keeps commas.
    EXPECT_EQ(detectCsvLayout("a;b;c\n1,5;2,5;x\n3;4;y,z\n").separator, ';');
    EXPECT_TRUE(detectCsvLayout("a;b\n1,5;2\n").decimalComma);
    EXPECT_FALSE(detectCsvLayout("a;b\n1,5;2.5\n").decimalComma);
    EXPECT_FALSE(detectCsvLayout("a,b\n1,5\n").decimalComma);
    EXPECT_EQ(detectCsvLayout("a\tb\tc\n1\t2\t3\n").separator, '\t');
    EXPECT_EQ(detectCsvLayout("\"x;y\",b\n1,2\n").separator, ',');
    // UTF-8 with and without a byte-order mark; CR line ends.
    EXPECT_EQ(decodeCsvBytes("\xEF\xBB\xBF\xC3\x98\r\n"), "\xC3\x98\n");
    EXPECT_EQ(decodeCsvBytes("\x80\r"), "\xE2\x82\xAC\n");
}

TEST(ForeignFileTest, XlsxSharedStringsDatesAndCachedFormulaResults) {
    WorkbookSheet first{"Bolts", {}, {}};
    first.rows = {{WorkbookCell::Text("Bolt"), WorkbookCell::Text("As"), WorkbookCell::Text("Checked"),
                   WorkbookCell::Text("Twice")},
                  {WorkbookCell::Text("M20 8.8"), WorkbookCell::Number(245), WorkbookCell::Date(2024, 3, 1),
                   WorkbookCell::Formula("B2*2", 490)},
                  {WorkbookCell::Text("M20 8.8"), WorkbookCell::Number(0.1), WorkbookCell::Date(1999, 12, 31),
                   WorkbookCell::Formula("B3*2", 0.2)}};
    first.widths = {12.5};
    WorkbookSheet second{"Plates", {{WorkbookCell::Text("Plate")}, {WorkbookCell::Text("PL 10")}}, {}};
    const std::string path = writeFile("bolts.xlsx", samples::writeXlsx({first, second}));

    Sheet s;
    ASSERT_TRUE(loadSheetFile(path, s));
    EXPECT_EQ(s.colCount(), 4);
    EXPECT_EQ(s.rowCount(), 2);
    EXPECT_EQ(s.text({1, 0}), "Bolt");
    EXPECT_EQ(s.text({1, 1}), "M20 8.8");
    EXPECT_EQ(s.text({1, 2}), "M20 8.8");  // one shared string, two cells
    EXPECT_EQ(s.text({2, 1}), "245");
    EXPECT_EQ(s.text({2, 2}), "0.1");
    EXPECT_EQ(s.cellKind({2, 2}), NumberType::kKind);
    EXPECT_EQ(s.cellKind({3, 1}), EditType::kKind);  // a date is text
    EXPECT_EQ(s.text({3, 1}), "2024-03-01");
    EXPECT_EQ(s.text({3, 2}), "1999-12-31");
    EXPECT_EQ(s.text({4, 1}), "490");
    EXPECT_FALSE(s.hasFormula({4, 1}));  // the cached value, not the formula
    EXPECT_EQ(s.text({4, 2}), "0.2");
    EXPECT_NEAR(s.columnWidth(1), 12.5, 0.2);  // the file's width in characters

    // A sheet named after '#', case ignored; a name the file has not fails and changes nothing.
    Sheet plates;
    ASSERT_TRUE(loadSheetFile(path + "#plates", plates));
    EXPECT_EQ(plates.text({1, 0}), "Plate");
    EXPECT_EQ(plates.text({1, 1}), "PL 10");
    fillMarker(plates);
    EXPECT_FALSE(loadSheetFile(path + "#Nuts", plates));
    expectMarker(plates);
}

TEST(ForeignFileTest, OdsMergedCellsBecomeSpans) {
    WorkbookSheet sheet{"Plates", {}, {}};
    sheet.rows = {{WorkbookCell::Text("Plate"), WorkbookCell::Text("Grade"), WorkbookCell::Text("fy")},
                  {WorkbookCell::Text("PL 10"), WorkbookCell::Text("S355"), WorkbookCell::Number(355)},
                  {WorkbookCell::Text("PL 12"), {}, WorkbookCell::Number(355)},
                  {WorkbookCell::Text("Thicker plates on request"), {}, {}},
                  {WorkbookCell::Text("Delivered"), WorkbookCell::Date(2025, 11, 3), {}}};
    sheet.merges = {{1, 1, 2, 1}, {3, 0, 1, 3}};  // grade over two rows; a note over three columns
    const std::string path = writeFile("plates.ods", samples::writeOds({sheet}));

    Sheet s;
    ASSERT_TRUE(loadSheetFile(path, s));
    EXPECT_EQ(s.colCount(), 3);
    EXPECT_EQ(s.rowCount(), 4);
    EXPECT_EQ(s.text({3, 0}), "fy");
    EXPECT_EQ(s.text({2, 1}), "S355");
    EXPECT_EQ(s.text({3, 2}), "355");
    const SpanInfo grade = s.span({2, 2});
    EXPECT_EQ(grade.state, 2);
    EXPECT_EQ(grade.anchor, (CellRef{2, 1}));
    EXPECT_EQ(grade.rows, 2);
    const SpanInfo note = s.span({1, 3});
    EXPECT_EQ(note.state, 1);
    EXPECT_EQ(note.cols, 3);
    EXPECT_EQ(s.text({2, 4}), "2025-11-03");
}

TEST(ForeignFileTest, OdsRepeatedCellsAndRowsKeepPositionsAndMerges) {
    // As spreadsheet programs save: empty cells and rows repeated, a merge followed by its covered cell.
    const std::string content =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
        "<table:table table:name=\"T\"><table:table-column table:number-columns-repeated=\"4\"/>"
        "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>A</text:p></table:table-cell>"
        "<table:table-cell table:number-columns-repeated=\"2\"/>"
        "<table:table-cell office:value-type=\"string\"><text:p>D</text:p></table:table-cell></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"2\"><table:table-cell table:number-columns-repeated=\"4\"/>"
        "</table:table-row>"
        "<table:table-row><table:table-cell table:number-columns-spanned=\"2\" table:number-rows-spanned=\"1\" "
        "office:value-type=\"string\"><text:p>merged</text:p></table:table-cell><table:covered-table-cell/>"
        "<table:table-cell office:value-type=\"float\" office:value=\"5\"><text:p>5</text:p></table:table-cell>"
        "</table:table-row></table:table></office:spreadsheet></office:body></office:document-content>";
    const std::string path = writeFile(
        "repeated.ods", zipStored({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}}));
    Sheet s;
    ASSERT_TRUE(loadSheetFile(path, s));
    EXPECT_EQ(s.text({1, 0}), "A");
    EXPECT_EQ(s.text({4, 0}), "D");
    EXPECT_EQ(s.text({1, 3}), "merged");
    EXPECT_EQ(s.text({3, 3}), "5");
    EXPECT_EQ(s.span({2, 3}).state, 2);
    EXPECT_EQ(s.span({1, 3}).cols, 2);
}

TEST(ForeignFileTest, UnreadableFilesFailAndLeaveTheSheet) {
    WorkbookSheet sheet{"S", {{WorkbookCell::Text("a")}, {WorkbookCell::Number(1)}}, {}};
    const std::string good = samples::writeXlsx({sheet});
    // An encrypted workbook is a compound document, not a zip archive.
    std::string encrypted = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    encrypted.resize(4096, '\0');
    const std::string truncated = good.substr(0, good.size() / 2);
    std::string damaged = good;
    for (std::size_t i = 200; i < damaged.size() && i < 700; ++i) damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
    // A zip whose directory promises far more than it holds.
    std::string bomb = good;
    const std::size_t directory = bomb.rfind(std::string("PK\x01\x02", 4));
    ASSERT_NE(directory, std::string::npos);
    bomb[directory + 24 + 3] = '\x7F';
    // A stored entry whose directory gives a packed size of gigabytes, the rest of the archive as it was.
    std::string oversized = good;
    oversized[directory + 20 + 3] = '\xC2';
    // An entry whose local header disagrees with the directory about its size.
    std::string disagreeing = good;
    const std::size_t localHeader = disagreeing.find(std::string("PK\x03\x04", 4), 4);
    ASSERT_NE(localHeader, std::string::npos);
    disagreeing[localHeader + 18] = static_cast<char>(disagreeing[localHeader + 18] ^ 0x10);
    // A password-protected ODS keeps its parts encrypted inside the zip: content.xml is no XML.
    const std::string encryptedOds = zipStored({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                                                {"content.xml", std::string("\x8f\x12\xa0\x00\xfe<\x9c\x01", 8) + good}});
    const std::pair<const char*, std::string> files[] = {
        {"encrypted.ods", encryptedOds},
        {"encrypted.xlsx", encrypted}, {"truncated.xlsx", truncated}, {"damaged.xlsx", damaged},
        {"bomb.xlsx", bomb},           {"empty.ods", ""},           {"text.ods", "not a zip at all"},
        {"xlsx-as.ods", good},         {"oversized.xlsx", oversized}, {"disagreeing.xlsx", disagreeing}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        Sheet s;
        fillMarker(s);
        EXPECT_FALSE(loadSheetFile(writeFile(name, bytes), s));
        expectMarker(s);
    }
    Sheet s;
    fillMarker(s);
    EXPECT_FALSE(loadSheetFile(tempPath("missing.csv"), s));
    expectMarker(s);
}

TEST(ForeignFileTest, SheetNamesOnlyAfterWorkbookExtensions) {
    const SheetFileName named = parseSheetFileName("c:/t/Bolts.XLSX#M bolts");
    EXPECT_EQ(named.path, "c:/t/Bolts.XLSX");
    EXPECT_EQ(named.sheet, "M bolts");
    EXPECT_EQ(named.format, SheetFormat::xlsx);
    EXPECT_EQ(parseSheetFileName("/t/No#1.csv").path, "/t/No#1.csv");
    EXPECT_EQ(parseSheetFileName("/t/No#1.csv").format, SheetFormat::csv);
    EXPECT_EQ(parseSheetFileName("/t/a.sss#x").format, SheetFormat::own);
    EXPECT_EQ(parseSheetFileName("/t/a.ods#").path, "/t/a.ods#");
}

}  // namespace
}  // namespace vtl::grid
