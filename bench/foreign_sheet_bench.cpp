// Spreadsheets of other programs. Targets, each a ratio in the same run:
//  - loading a 100,000 x 10 XLSX (two text columns from shared strings, eight number columns) into a grid
//    (SSLoadFromFile) at most 1.5 times liborcus loading the same file into its own document model
//    (measured only when that model's development files are installed);
//  - 10,000 FROMTABLE look-ups into an ODS plate table through the look-up cache (the file named as a
//    formula names it, the sheet from the cache, value and key columns found by name, the key's row, the
//    cell's text read) at most 5 times the same 10,000 look-ups in plain hash maps: a map of file name to
//    table, each table a map of column name to index, a map of key to row and the rows' texts, names and
//    keys folded to one case as FROMTABLE folds them.
//
// Usage: bench_foreign_sheets [--smoke] [Google Benchmark flags]. --smoke runs each case once, small.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "frame/spread_control.h"
#include "ratio_reporter.h"
#include "spread/look_up_sheets.h"
#include "win/api.h"
#include "workbook_writer.h"

#ifdef VTL_HAVE_ORCUS_MODEL
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/document.hpp>
#include <orcus/spreadsheet/factory.hpp>
#endif

namespace {
namespace fs = std::filesystem;
using vtl::samples::WorkbookCell;
using vtl::samples::WorkbookSheet;

int gRows = 100000;
constexpr int kCols = 10;
constexpr int kLookUps = 10000;
std::string gXlsx;
std::string gOds;
std::vector<std::string> gKeys;

void writeFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

void makeFiles() {
    const fs::path folder = fs::temp_directory_path() / "vtl_foreign_bench";
    fs::create_directories(folder);
    WorkbookSheet big{"Data", {}, {}};
    big.rows.reserve(static_cast<std::size_t>(gRows) + 1);
    std::vector<WorkbookCell> header;
    for (int c = 0; c < kCols; ++c) header.push_back(WorkbookCell::Text("Column " + std::to_string(c + 1)));
    big.rows.push_back(header);
    const char* grades[] = {"S235", "S275", "S355", "S460"};
    for (int r = 1; r <= gRows; ++r) {
        std::vector<WorkbookCell> row;
        row.push_back(WorkbookCell::Text("PL " + std::to_string(r % 60 + 5)));
        row.push_back(WorkbookCell::Text(grades[r % 4]));
        for (int c = 2; c < kCols; ++c) row.push_back(WorkbookCell::Number(r * 0.25 + c));
        big.rows.push_back(std::move(row));
    }
    gXlsx = (folder / "big.xlsx").string();
    writeFile(gXlsx, vtl::samples::writeXlsx({big}));

    WorkbookSheet plates{"Plates", {{WorkbookCell::Text("Plate"), WorkbookCell::Text("Thickness"), WorkbookCell::Text("fy")}}, {}};
    for (int t = 5; t <= 100; ++t)
        for (const char* grade : grades) {
            const std::string key = "PL " + std::to_string(t) + " " + grade;
            plates.rows.push_back({WorkbookCell::Text(key), WorkbookCell::Number(t), WorkbookCell::Number(235 + t)});
            gKeys.push_back(key);
        }
    gOds = (folder / "plates.ods").string();
    writeFile(gOds, vtl::samples::writeOds({plates}));
}

void BM_Load_Grid(benchmark::State& state) {
    vtl::grid::registerSpreadClass();
    const HWND grid = CreateWindowEx(0, vtl::grid::kSpreadClassName, "", WS_POPUP, 0, 0, 640, 480, HWND(), 0);
    for (auto _ : state) {
        if (!SSLoadFromFile(grid, gXlsx.c_str())) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(SSGetRowCount(grid));
    }
    DestroyWindow(grid);
}

#ifdef VTL_HAVE_ORCUS_MODEL
void BM_Load_OrcusModel(benchmark::State& state) {
    for (auto _ : state) {
        orcus::spreadsheet::document doc{{1048576, 16384}};
        orcus::spreadsheet::import_factory factory(doc);
        orcus::orcus_xlsx reader(&factory);
        reader.read_file(gXlsx);
        benchmark::DoNotOptimize(doc.get_sheet_count());
    }
}
#endif

void BM_LookUp_Cache(benchmark::State& state) {
    const Vtl_String name(gOds);
    std::size_t shown = 0;
    for (auto _ : state) {
        for (int i = 0; i < kLookUps; ++i) {
            const std::string path = vtl::ui::spreadsheetNativePath(name, std::string());
            vtl::ui::LookUpSheet* sheet = vtl::ui::lookUpSheet(path);
            const int col = sheet->findColumn("fy");
            const int row = sheet->findRow(sheet->findColumn("Plate"), gKeys[static_cast<std::size_t>(i) % gKeys.size()]);
            std::string text;
            SSGetCellString(sheet->grid(), col, row, SS_CONTENT_TEXT, text);
            shown += text.size();
        }
    }
    benchmark::DoNotOptimize(shown);
}

// The plain-C++ equivalent of the cache: tables by file name, columns and keys hashed.
struct PlainTable {
    std::unordered_map<std::string, int> columns;
    std::unordered_map<std::string, int> keys;  // of the key column
    std::vector<std::vector<std::string>> rows;
};

void BM_LookUp_HashMap(benchmark::State& state) {
    std::unordered_map<std::string, PlainTable> files;
    PlainTable& table = files[gOds];
    table.columns = {{"plate", 0}, {"thickness", 1}, {"fy", 2}};
    for (std::size_t i = 0; i < gKeys.size(); ++i) {
        table.keys.emplace(vtl::ui::foldKey(gKeys[i]), static_cast<int>(i));
        table.rows.push_back({gKeys[i], std::to_string(5 + i / 4), std::to_string(240 + i / 4)});
    }
    std::size_t shown = 0;
    for (auto _ : state) {
        for (int i = 0; i < kLookUps; ++i) {
            const PlainTable& t = files.find(gOds)->second;
            const int col = t.columns.find(vtl::ui::foldKey("fy"))->second;
            const int keyCol = t.columns.find(vtl::ui::foldKey("Plate"))->second;
            const int row = t.keys.find(vtl::ui::foldKey(gKeys[static_cast<std::size_t>(i) % gKeys.size()]))->second;
            const std::string text = t.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
            shown += text.size() + static_cast<std::size_t>(keyCol);
        }
    }
    benchmark::DoNotOptimize(shown);
}
}  // namespace

int main(int argc, char** argv) {
    auto args = vtl::bench::takeSmokeFlag(argc, argv);
    if (args.smoke) gRows = 1000;
    makeFiles();
    std::vector<benchmark::internal::Benchmark*> cases;
    cases.push_back(benchmark::RegisterBenchmark("BM_Load_Grid", BM_Load_Grid));
#ifdef VTL_HAVE_ORCUS_MODEL
    cases.push_back(benchmark::RegisterBenchmark("BM_Load_OrcusModel", BM_Load_OrcusModel));
#endif
    cases.push_back(benchmark::RegisterBenchmark("BM_LookUp_Cache", BM_LookUp_Cache));
    cases.push_back(benchmark::RegisterBenchmark("BM_LookUp_HashMap", BM_LookUp_HashMap));
    auto times = vtl::bench::runCases(args, cases, benchmark::kMillisecond);
    vtl::ui::clearLookUpSheets();
    std::printf("\nSpreadsheets of other programs%s: %d x %d XLSX, %d look-ups into a %zu-row ODS table\n",
                args.smoke ? " (smoke size)" : "", gRows, kCols, kLookUps, gKeys.size());
    bool ok = true;
#ifdef VTL_HAVE_ORCUS_MODEL
    ok &= vtl::bench::reportRatio("XLSX into a grid (grid / liborcus's model)", times["BM_Load_Grid"],
                                  times["BM_Load_OrcusModel"], 1.5, 56);
#else
    std::printf("XLSX into a grid: liborcus's spreadsheet model is not installed, no baseline\n");
#endif
    ok &= vtl::bench::reportRatio("FROMTABLE look-ups (cache / hash map)", times["BM_LookUp_Cache"],
                                  times["BM_LookUp_HashMap"], 5.0, 56);
    return args.smoke || ok ? 0 : 1;
}
