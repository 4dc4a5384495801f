// FROMTABLE, the formula dialog and ReadSSFile on sheets written to the test's library folder: the look-up
// forms, the cache of looked-up sheets, nested and cyclic look-ups, the dialog's buttons and failures, and
// the spreadsheets of other programs (XLSX, ODS, CSV) read and written through them.
#include <filesystem>
#include <fstream>
#include <thread>

#include "frame/host.h"
#include "module_test_support.h"
#include "spread/ks_formula_dlg.h"
#include "spread/look_up_sheets.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/files/paths.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "workbook_writer.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using ui::KsFormulaDlg;
using win::ctrl;
using win::Script;

// A hidden grid for the life of a test.
struct HiddenGrid {
    HWND h;
    HiddenGrid(int cols = 8, int rows = 10) {
        grid::registerSpreadClass();
        h = CreateWindowEx(0, grid::kSpreadClassName, "", WS_POPUP, 0, 0, 400, 300, HWND(), 0);
        SSSetColCount(h, cols);
        SSSetRowCount(h, rows);
    }
    ~HiddenGrid() { DestroyWindow(h); }
    std::string text(int col, int row) const { return SSGetCellString(h, col, row, SS_CONTENT_TEXT); }
};

struct Formula {
    int col, row;
    std::string text;
};

// Writes a sheet: headers in row 0, rows of texts from row 1 (a number column when `numbers` holds its
// index), formulas in A1 style.
void writeSheet(const fs::path& path, const std::vector<std::string>& headers,
                const std::vector<std::vector<std::string>>& rows, const std::vector<Formula>& formulas = {},
                const std::vector<int>& numbers = {}) {
    HiddenGrid g(static_cast<int>(headers.size()), std::max<int>(static_cast<int>(rows.size()), 1));
    SSSetRefStyle(g.h, 1);
    SSSetSwitch(g.h, SS_SWITCH_AUTO_CALC, FALSE);
    for (std::size_t c = 0; c < headers.size(); ++c) SSSetCellText(g.h, static_cast<int>(c) + 1, SS_HEADER, headers[c].c_str());
    for (int col : numbers) {
        SS_CELLTYPE number;
        SSSetTypeNumber(g.h, &number, SS_NUMBER_RIGHT, 1, 99999, -99999);
        SSSetBlockType(g.h, col, 1, col, static_cast<int>(rows.size()), &number);
    }
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            SSSetCellText(g.h, static_cast<int>(c) + 1, static_cast<int>(r) + 1, rows[r][c].c_str());
    for (const Formula& f : formulas) ASSERT_TRUE(SSSetFormula(g.h, f.col, f.row, f.text.c_str(), FALSE)) << f.text;
    fs::create_directories(path.parent_path());
    ASSERT_EQ(SSSaveToFile(g.h, path.string().c_str()), 1);
}

class SpreadLookUpTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        folder_ = libraryDir() / "Sheets";
        writeSheet(folder_ / "Bolts.sss", {"Bolt", "Grade", "FtRd"},
                   {{"M16 8.8", "8.8", "90.4"}, {"M20 8.8", "8.8", "141.1"}, {"M20 8.8", "8.8", "999"},
                    {"M20 10.9", "10.9", "176.4"}, {"M20", "x", "1"}},
                   {}, {3});
        SetFromTableSilent(true);
    }
    void TearDown() override {
        base::files::clearDriveFolders();
        ModuleTest::TearDown();
    }
    std::string path(const char* name) const { return (folder_ / name).string(); }
    // Calculates a formula in a fresh caller grid and answers what the cell shows.
    std::string calc(const std::string& formula, HiddenGrid& caller, int col = 1, int row = 1) {
        SSSetRefStyle(caller.h, 1);
        ui::registerFromTable(caller.h);
        EXPECT_TRUE(SSSetFormula(caller.h, col, row, formula.c_str(), FALSE)) << formula;
        SSReCalc(caller.h);
        return caller.text(col, row);
    }
    fs::path folder_;
};

TEST_F(SpreadLookUpTest, KeyLookUpTakesTheFirstWholeMatchIgnoringCase) {
    HiddenGrid caller;
    const std::string file = "\"" + path("Bolts.sss") + "\"";
    EXPECT_EQ(calc("FROMTABLE(" + file + ",\"Bolt\",\"FtRd\",\"M20 8.8\")", caller), "141.1");  // first of two
    EXPECT_EQ(calc("FROMTABLE(" + file + ",\"bolt\",\"ftrd\",\"m20 10.9\")", caller), "176.4");
    // A key that is only the start of a cell's text matches the cell holding exactly it.
    EXPECT_EQ(calc("FROMTABLE(" + file + ",\"Bolt\",\"Grade\",\"M20\")", caller), "x");
    EXPECT_EQ(calc("FROMTABLE(" + file + ",\"Bolt\",\"FtRd\",\"M2\")", caller), "");
    EXPECT_EQ(calc("FROMTABLE(" + file + ",\"Bolt\",\"Nothing\",\"M16 8.8\")", caller), "");
    // The key may come from a cell of the caller; the numeric column answers a number.
    SSSetCellText(caller.h, 2, 1, "M16 8.8");
    EXPECT_EQ(calc("2*FROMTABLE(" + file + ",\"Bolt\",\"FtRd\",B1)", caller), "180.8");
    EXPECT_NE(host::commandLineText().find("Result is double: 90.400000\n"), std::string::npos);
    EXPECT_NE(host::commandLineText().find("Result is string: x\n"), std::string::npos);
}

TEST_F(SpreadLookUpTest, CellFormsAndBadArgumentsGiveEmptyResults) {
    HiddenGrid caller;
    const std::string file = "\"" + path("Bolts.sss") + "\"";
    EXPECT_EQ(calc("FROMTABLE(" + file + ",A2)", caller), "M20 8.8");
    EXPECT_EQ(calc("FROMTABLE(" + file + ")", caller), "");
    EXPECT_EQ(calc("FROMTABLE(12,A2)", caller), "");
    EXPECT_EQ(calc("FROMTABLE(" + file + ",\"A2\")", caller), "");  // a text is no cell
    EXPECT_EQ(calc("FROMTABLE(\"" + path("Missing.sss") + "\",A2)", caller), "");
    // Three arguments: the target's text goes into the third cell; a number there writes nothing.
    EXPECT_EQ(calc("FROMTABLE(" + file + ",C2,E5)", caller), "");
    EXPECT_EQ(caller.text(5, 5), "141.1");
    EXPECT_EQ(calc("FROMTABLE(" + file + ",C3,7)", caller, 1, 2), "");
    EXPECT_EQ(caller.text(7, 1), "");
}

TEST_F(SpreadLookUpTest, ThreeArgumentFormWithAutomaticCalculationTerminates) {
    HiddenGrid caller;
    // The written cell feeds the formula that writes it.
    SSSetRefStyle(caller.h, 1);
    ui::registerFromTable(caller.h);
    SSSetSwitch(caller.h, SS_SWITCH_AUTO_CALC, TRUE);
    const std::string formula = "FROMTABLE(\"" + path("Bolts.sss") + "\",C2,B3)&B3";
    ASSERT_TRUE(SSSetFormula(caller.h, 1, 1, formula.c_str(), TRUE));
    SSReCalc(caller.h);
    EXPECT_EQ(caller.text(2, 3), "141.1");
}

TEST_F(SpreadLookUpTest, LookedUpSheetIsReadOnceAndAgainWhenChangedOnDisk) {
    HiddenGrid caller(2, 200);
    SSSetRefStyle(caller.h, 1);
    ui::registerFromTable(caller.h);
    const std::string formula = "FROMTABLE(\"" + path("Bolts.sss") + "\",\"Bolt\",\"FtRd\",\"M16 8.8\")";
    for (int row = 1; row <= 200; ++row) SSSetFormula(caller.h, 1, row, formula.c_str(), FALSE);
    const int before = ui::lookUpSheetLoads();
    SSReCalc(caller.h);
    EXPECT_EQ(ui::lookUpSheetLoads() - before, 1);
    EXPECT_EQ(caller.text(1, 200), "90.4");

    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    writeSheet(folder_ / "Bolts.sss", {"Bolt", "FtRd"}, {{"M16 8.8", "94"}}, {}, {2});
    SSReCalc(caller.h);
    EXPECT_EQ(ui::lookUpSheetLoads() - before, 2);
    EXPECT_EQ(caller.text(1, 1), "94");
}

// A sheet whose value cell looks the key "k" up in `next` (the value column "X", the key column "Key").
void writeLink(const fs::path& file, const std::string& next) {
    writeSheet(file, {"X", "Key"}, {{"", "k"}}, {{1, 1, "FROMTABLE(\"" + next + "\",\"Key\",\"X\",B1)"}});
}
std::string linkFormula(const std::string& file) { return "FROMTABLE(\"" + file + "\",\"Key\",\"X\",\"k\")"; }

TEST_F(SpreadLookUpTest, SelfAndMutualLookUpsEndEmpty) {
    // A looks itself up; B and C look each other up (C by a name beside B).
    writeLink(folder_ / "A.sss", path("A.sss"));
    writeLink(folder_ / "B.sss", "C.sss");
    writeLink(folder_ / "C.sss", "B.sss");
    HiddenGrid caller;
    EXPECT_EQ(calc(linkFormula(path("A.sss")), caller), "");
    EXPECT_EQ(calc(linkFormula(path("B.sss")), caller), "");
    EXPECT_TRUE(ui::lookUpChain().empty());
    EXPECT_EQ(ui::currentCalcGrid(), HWND());
}

TEST_F(SpreadLookUpTest, DeepChainsStopAtTheDepthLimit) {
    // L0 -> L1 -> ... -> L19, the last holding a value: deeper than the limit, so the answer is empty;
    // a chain within the limit answers.
    for (int i = 0; i < 19; ++i) writeLink(folder_ / ("L" + std::to_string(i) + ".sss"), "L" + std::to_string(i + 1) + ".sss");
    writeSheet(folder_ / "L19.sss", {"X", "Key"}, {{"end", "k"}});
    HiddenGrid caller;
    EXPECT_EQ(calc(linkFormula(path("L0.sss")), caller), "");
    EXPECT_EQ(calc(linkFormula(path("L10.sss")), caller), "end");
}

TEST_F(SpreadLookUpTest, EachLookUpShowsItsDialogUnlessSilentAndCyclesOpenABoundedNumber) {
    SetFromTableSilent(false);
    writeLink(folder_ / "B.sss", "C.sss");
    writeLink(folder_ / "C.sss", "B.sss");
    int dialogs = 0;
    Script s;
    // The bench opens on B; its cell looks C up (one answering dialog); C's cell would look B up again,
    // which is refused without a dialog.
    s.waitFor(win::dialogWithTemplate(KsFormulaDlg::IDD))
        .check([&] {
            ++dialogs;
            EXPECT_EQ(GetDlgItemText(::GetActiveWindow(), KsFormulaDlg::kFileNameId), "C.sss");
        })
        .click(ctrl(IDCANCEL))
        .waitFor(win::dialogWithTemplate(KsFormulaDlg::IDD))
        .check([&] { ++dialogs; })
        .click(ctrl(IDCANCEL));
    KsFormulaDlg bench;
    bench.mode = KsFormulaDlg::kEvaluate;
    bench.fileName = path("B.sss");
    run(s, [&] { bench.DoModal(); });
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(bench.resultText.str(), "");
}

TEST_F(SpreadLookUpTest, BenchRecalculatesWithItsGridAsCallerAndRestoresTheCurrentGrid) {
    writeSheet(folder_ / "Check.sss", {"Result", "Input"}, {{"", "M20 10.9"}},
               {{1, 1, "FROMTABLE(\"Bolts.sss\",\"Bolt\",\"FtRd\",B1)"}});
    base::files::setDriveFolder('c', folder_.string());
    std::string atStart, afterRecalc, afterStyle;
    Script s;
    s.waitFor(win::dialogWithTemplate(KsFormulaDlg::IDD))
        .check([&] { atStart = SSGetCellString(::GetDlgItem(::GetActiveWindow(), KsFormulaDlg::kGridId), 1, 1, 0); })
        .click(ctrl(KsFormulaDlg::kRecalcId))
        .check([&] { afterRecalc = SSGetCellString(::GetDlgItem(::GetActiveWindow(), KsFormulaDlg::kGridId), 1, 1, 0); })
        .click(ctrl(KsFormulaDlg::kAutoCalcId))
        .check([] { EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(::GetActiveWindow(), KsFormulaDlg::kRecalcId))); })
        .click(ctrl(IDOK));
    KsFormulaDlg bench;
    bench.mode = KsFormulaDlg::kEvaluate;
    bench.fileName = "c:\\Check.sss";
    run(s, [&] { bench.DoModal(); });
    EXPECT_EQ(atStart, "176.4");
    EXPECT_EQ(afterRecalc, "176.4");
    EXPECT_EQ(bench.resultText.str(), "176.4");
    EXPECT_EQ(ui::currentCalcGrid(), HWND());
}

TEST_F(SpreadLookUpTest, BenchSavesAndLoadsAndReportsFailures) {
    const std::string saved = path("Saved.sss");
    Script s;
    s.waitFor(win::dialogWithTemplate(KsFormulaDlg::IDD))
        .check([&] {
            const HWND grid = ::GetDlgItem(::GetActiveWindow(), KsFormulaDlg::kGridId);
            EXPECT_EQ(SSGetRowCount(grid), 10);
            EXPECT_EQ(SSGetColCount(grid), 8);
            SSSetCellText(grid, 7, 2, "kept");
            SetDlgItemText(::GetActiveWindow(), KsFormulaDlg::kFileNameId, saved.c_str());
        })
        .click(ctrl(KsFormulaDlg::kSaveId))
        .check([&] {
            SSSetCellText(::GetDlgItem(::GetActiveWindow(), KsFormulaDlg::kGridId), 7, 2, "changed");
        })
        .click(ctrl(KsFormulaDlg::kLoadId))
        .check([&] {
            EXPECT_EQ(SSGetCellString(::GetDlgItem(::GetActiveWindow(), KsFormulaDlg::kGridId), 7, 2, 0), "kept");
            SetDlgItemText(::GetActiveWindow(), KsFormulaDlg::kFileNameId, "q:\\nowhere\\x.sss");
        })
        .click(ctrl(KsFormulaDlg::kLoadId))
        .click(ctrl(KsFormulaDlg::kSaveId))
        .click(ctrl(IDCANCEL));
    KsFormulaDlg bench;
    bench.mode = KsFormulaDlg::kEvaluate;
    run(s, [&] { bench.DoModal(); });
    EXPECT_TRUE(fs::exists(saved));
    EXPECT_EQ(host::commandLineText(), "Load failed\nSave failed\n");
}

TEST_F(SpreadLookUpTest, EvaluateSSReadsDriveCWhenMappedAndReportsTheFailureOtherwise) {
    expectUnanswered("unanswered dialog 133");
    run(*std::make_unique<Script>(), [] { EvaluateSS(); });
    EXPECT_EQ(host::commandLineText(), "Loading spreadsheet:c:\\a\\t3.sss\nLoad failed\n");
}

TEST_F(SpreadLookUpTest, SampleEndPlateCheckLooksUpTheSampleTables) {
    base::files::setDriveFolder('c', (fs::path(VTL_SAMPLE_LIBRARY) / "Spreadsheets").string());
    Script s;
    s.waitFor(win::dialogWithTemplate(KsFormulaDlg::IDD))
        .click(ctrl(KsFormulaDlg::kRecalcId))
        .check([] {
            const HWND grid = ::GetDlgItem(::GetActiveWindow(), KsFormulaDlg::kGridId);
            EXPECT_EQ(SSGetCellString(grid, 1, 3, 0), "355.00");   // PL 15 S355
            EXPECT_EQ(SSGetCellString(grid, 1, 4, 0), "1065.00");  // 15 x 200 x 355 N
            EXPECT_EQ(SSGetCellString(grid, 1, 5, 0), "564.40");   // the bolts govern
        })
        .click(ctrl(IDCANCEL));
    KsFormulaDlg bench;
    bench.mode = KsFormulaDlg::kEvaluate;
    bench.fileName = "c:\\a\\t3.sss";
    run(s, [&] { bench.DoModal(); });
    EXPECT_EQ(bench.resultText.str(), "564.40");  // 4 x M20 8.8: 4 x 0.9 x 800 x 245 / 1.25 N
}

TEST_F(SpreadLookUpTest, ReadSSFileGivesTheSheetOrNothing) {
    Vtl_String title = "old";
    Vtl_StringArray names{"old"};
    Vtl_Array<Vtl_StringArray> table;
    table.append(Vtl_StringArray{"old"});
    ReadSSFile(path("Bolts.sss").c_str(), title, names, table);
    EXPECT_EQ(title.str(), "M16 8.8");
    ASSERT_EQ(names.length(), 3);
    EXPECT_EQ(names[2].str(), "FtRd");
    ASSERT_EQ(table.length(), 5);
    EXPECT_EQ(table[3][2].str(), "176.4");

    host::clearCommandLine();
    ReadSSFile(path("Missing.sss").c_str(), title, names, table);
    EXPECT_EQ(title.str(), "");
    EXPECT_EQ(names.length(), 0);
    EXPECT_EQ(table.length(), 0);
    EXPECT_NE(host::commandLineText().find("Load failed\n"), std::string::npos);
}

// ---- spreadsheets of other programs ----

using samples::WorkbookCell;
using samples::WorkbookSheet;

void writeBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A bolt workbook: "Bolts" with a resistance formula and its cached result, "Preload" second.
void writeBoltWorkbook(const fs::path& path, double m20 = 141.1) {
    WorkbookSheet bolts{"Bolts", {}, {}};
    bolts.rows = {{WorkbookCell::Text("Bolt"), WorkbookCell::Text("As"), WorkbookCell::Text("FtRd")},
                  {WorkbookCell::Text("M16 8.8"), WorkbookCell::Number(157), WorkbookCell::Formula("ROUND(0.9*800*B2/1250,1)", 90.4)},
                  {WorkbookCell::Text("M20 8.8"), WorkbookCell::Number(245), WorkbookCell::Formula("ROUND(0.9*800*B3/1250,1)", m20)}};
    WorkbookSheet preload{"Preload", {{WorkbookCell::Text("Bolt"), WorkbookCell::Text("FpC")},
                                      {WorkbookCell::Text("M20 10.9"), WorkbookCell::Number(171.5)}}, {}};
    writeBytes(path, samples::writeXlsx({bolts, preload}));
}

TEST_F(SpreadLookUpTest, FromTableLooksIntoWorkbooksAndCsvThroughTheCache) {
    writeBoltWorkbook(folder_ / "Bolts.xlsx");
    writeBytes(folder_ / "Plates.ods",
               samples::writeOds({{"Plates",
                                   {{WorkbookCell::Text("Plate"), WorkbookCell::Text("fy")},
                                    {WorkbookCell::Text("PL 15 S355"), WorkbookCell::Number(355)}},
                                   {}}}));
    writeBytes(folder_ / "Nuts.csv", "Nut;Height\r\nM20;16,0\r\n");
    HiddenGrid caller(2, 300);
    SSSetRefStyle(caller.h, 1);
    ui::registerFromTable(caller.h);
    const std::string bolts = path("Bolts.xlsx");
    // Many look-ups of one workbook read it once.
    const std::string formula = "FROMTABLE(\"" + bolts + "\",\"Bolt\",\"FtRd\",\"m20 8.8\")";
    for (int row = 1; row <= 300; ++row) SSSetFormula(caller.h, 1, row, formula.c_str(), FALSE);
    const int before = ui::lookUpSheetLoads();
    SSReCalc(caller.h);
    EXPECT_EQ(ui::lookUpSheetLoads() - before, 1);
    EXPECT_EQ(caller.text(1, 300), "141.1");
    EXPECT_EQ(calc("2*FROMTABLE(\"" + bolts + "\",\"Bolt\",\"As\",\"M16 8.8\")", caller), "314");
    // A named sheet; a sheet the workbook does not have answers nothing.
    EXPECT_EQ(calc("FROMTABLE(\"" + bolts + "#preload\",\"Bolt\",\"FpC\",\"M20 10.9\")", caller, 2, 1), "171.5");
    EXPECT_EQ(calc("FROMTABLE(\"" + bolts + "#Nuts\",\"Bolt\",\"FpC\",\"M20 10.9\")", caller, 2, 1), "");
    EXPECT_EQ(calc("FROMTABLE(\"Plates.ods\",\"Plate\",\"fy\",\"PL 15 S355\")", caller, 2, 2), "");  // not beside
    EXPECT_EQ(calc("FROMTABLE(\"" + path("Plates.ods") + "\",\"Plate\",\"fy\",\"PL 15 S355\")", caller, 2, 2), "355");
    EXPECT_EQ(calc("FROMTABLE(\"" + path("Nuts.csv") + "\",\"Nut\",\"Height\",\"M20\")", caller, 2, 3), "16");

    // A workbook changed on disk is read again at its next look-up.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    writeBoltWorkbook(folder_ / "Bolts.xlsx", 150);
    const int loads = ui::lookUpSheetLoads();
    SSReCalc(caller.h);
    EXPECT_EQ(caller.text(1, 300), "150");
    EXPECT_GE(ui::lookUpSheetLoads() - loads, 1);
    EXPECT_LE(ui::lookUpSheetLoads() - loads, 5);  // each file (and sheet) of the caller once
}

TEST_F(SpreadLookUpTest, ReadSSFileReadsAWorkbookSheetAndRefusesADamagedOne) {
    writeBoltWorkbook(folder_ / "Bolts.xlsx");
    Vtl_String title;
    Vtl_StringArray names;
    Vtl_Array<Vtl_StringArray> table;
    ReadSSFile(path("Bolts.xlsx").c_str(), title, names, table);
    EXPECT_EQ(title.str(), "M16 8.8");
    ASSERT_EQ(names.length(), 3);
    EXPECT_EQ(names[2].str(), "FtRd");
    ASSERT_EQ(table.length(), 2);
    EXPECT_EQ(table[1][2].str(), "141.1");
    ReadSSFile((path("Bolts.xlsx") + "#Preload").c_str(), title, names, table);
    EXPECT_EQ(title.str(), "M20 10.9");

    std::string damaged = readBytes(folder_ / "Bolts.xlsx");
    damaged.resize(damaged.size() * 2 / 3);
    writeBytes(folder_ / "Damaged.xlsx", damaged);
    host::clearCommandLine();
    ReadSSFile(path("Damaged.xlsx").c_str(), title, names, table);
    EXPECT_EQ(title.str(), "");
    EXPECT_EQ(table.length(), 0);
    EXPECT_NE(host::commandLineText().find("Load failed\n"), std::string::npos);
}

TEST_F(SpreadLookUpTest, BenchSavesCsvOfTheShownTextsAndNeverOverAWorkbook) {
    writeBoltWorkbook(folder_ / "Bolts.xlsx");
    const std::string workbook = readBytes(folder_ / "Bolts.xlsx");
    const std::string csv = path("Results.csv");
    writeBytes(csv, "old");
    Script s;
    s.waitFor(win::dialogWithTemplate(KsFormulaDlg::IDD))
        .check([&] {
            const HWND grid = ::GetDlgItem(::GetActiveWindow(), KsFormulaDlg::kGridId);
            SSSetCellText(grid, 7, 1, "M20, \"8.8\"");  // (the bench's first 6 x 6 cells are numbers)
            SSSetCellText(grid, 8, 2, "two\nlines");
            SSSetCellText(grid, 1, 2, "2.5");  // a number cell of the bench shows two decimals
            SetDlgItemText(::GetActiveWindow(), KsFormulaDlg::kFileNameId, csv.c_str());
            base::files::failFileWriteAt(1);
        })
        .click(ctrl(KsFormulaDlg::kSaveId))  // the write fails: the old file stays
        .check([&] { EXPECT_EQ(readBytes(csv), "old"); })
        .click(ctrl(KsFormulaDlg::kSaveId))
        .check([&] { SetDlgItemText(::GetActiveWindow(), KsFormulaDlg::kFileNameId, path("Bolts.xlsx").c_str()); })
        .click(ctrl(KsFormulaDlg::kSaveId))  // refused: the workbook stays
        .click(ctrl(KsFormulaDlg::kLoadId))  // and loads into the bench
        .check([&] {
            const HWND grid = ::GetDlgItem(::GetActiveWindow(), KsFormulaDlg::kGridId);
            EXPECT_EQ(SSGetCellString(grid, 3, 0, 0), "FtRd");
            EXPECT_EQ(SSGetCellString(grid, 1, 2, 0), "M20 8.8");
        })
        .click(ctrl(IDCANCEL));
    KsFormulaDlg bench;
    bench.mode = KsFormulaDlg::kEvaluate;
    run(s, [&] { bench.DoModal(); });
    EXPECT_EQ(host::commandLineText(), "Save failed\nSave failed\n");
    EXPECT_EQ(readBytes(folder_ / "Bolts.xlsx"), workbook);
    EXPECT_EQ(readBytes(csv), "\xEF\xBB\xBF,,,,,,,\r\n,,,,,,\"M20, \"\"8.8\"\"\",\r\n2.50,,,,,,,\"two\nlines\"\r\n");
}

TEST_F(SpreadLookUpTest, SampleEndPlateCheckLooksUpTheSampleWorkbooks) {
    base::files::setDriveFolder('c', (fs::path(VTL_SAMPLE_LIBRARY) / "Spreadsheets").string());
    Script s;
    s.waitFor(win::dialogWithTemplate(KsFormulaDlg::IDD))
        .click(ctrl(KsFormulaDlg::kRecalcId))
        .check([] {
            const HWND grid = ::GetDlgItem(::GetActiveWindow(), KsFormulaDlg::kGridId);
            EXPECT_EQ(SSGetCellString(grid, 1, 2, 0), "376.40");   // shear of 4 M20 8.8
            EXPECT_EQ(SSGetCellString(grid, 1, 3, 0), "355.00");   // PL 15 S355 from the ODS table
            EXPECT_EQ(SSGetCellString(grid, 1, 5, 0), "564.40");   // the bolts govern
        })
        .click(ctrl(IDCANCEL));
    KsFormulaDlg bench;
    bench.mode = KsFormulaDlg::kEvaluate;
    bench.fileName = "c:\\a\\t4.sss";
    run(s, [&] { bench.DoModal(); });
    EXPECT_EQ(bench.resultText.str(), "564.40");
}

}  // namespace
}  // namespace vtl::test
