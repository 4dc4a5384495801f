// The values table's file and grid transfer. Reading and writing a 100,000-row table (readFromFile then
// writeToFile) against plain C++ doing the same bytes line by line: read the file, split each line at
// TABs into strings, join them again and write the file. Target: at most 3 times the plain version.
// setToSS of a 10,000-row table against the grid's own SS... calls writing the same cells: at most 2 times;
// getFromSS against reading them is reported (no target).
//
// Usage: bench_prof_table [--smoke] [Google Benchmark flags]. --smoke runs each case once at a small size.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "frame/spread_control.h"
#include "spread/vtl_spread.h"
#include "vtlbase/settings.h"
#include "vtlui/vtl_prof_values_table.h"
#include "win/api.h"
#include "ratio_reporter.h"

namespace {
namespace fs = std::filesystem;
using vtl::ui::Vtl_Spread;

int gFileRows = 100000;
int gGridRows = 10000;
fs::path gLibrary;

// A realistic table: name, flag, four display names, twelve values.
std::string tableBytes(int rows) {
    std::string bytes = "1\r\nSysName\tI/O\tDutch\tEnglish\tFrench\tGerman\th\tb\ttw\ttf\tr\td\tA\tG\tIy\tIz\tWy\tWz\r\n";
    for (int r = 0; r < rows; ++r) {
        const std::string n = std::to_string(100 + r);
        bytes += n + "\t" + (r % 7 ? "1" : "0") + "\tHEA " + n + "\tHEA " + n + "\tHEA " + n + "\tHEA " + n;
        for (int v = 0; v < 12; ++v) {
            char value[32];
            std::snprintf(value, sizeof value, "\t%d.%d", r % 1000, v * 7 % 10);
            bytes += value;
        }
        bytes += "\r\n";
    }
    return bytes;
}

void BM_PlainSplitJoin(benchmark::State& state) {
    const fs::path in = gLibrary / "prof" / "Big.pr", out = gLibrary / "prof" / "PlainOut.pr";
    for (auto _ : state) {
        std::ifstream file(in, std::ios::binary);
        std::vector<std::vector<std::string>> rows;
        std::string line;
        while (std::getline(file, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            auto& row = rows.emplace_back();
            std::size_t start = 0;
            for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
                row.push_back(line.substr(start, tab - start));
            row.push_back(line.substr(start));
        }
        std::string joined;
        for (const auto& row : rows) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                if (i) joined += '\t';
                joined += row[i];
            }
            joined += "\r\n";
        }
        std::ofstream(out, std::ios::binary) << joined;
        benchmark::DoNotOptimize(rows.back());
    }
}

void BM_ValuesTable(benchmark::State& state) {
    for (auto _ : state) {
        Vtl_ProfValuesTable table;
        if (!table.readFromFile("Big.pr") || !table.writeToFile("TableOut.pr")) state.SkipWithError("file failed");
        benchmark::DoNotOptimize(table.rows.last());
    }
}

// A frame with a placeholder the wrapper attaches over.
struct Host {
    CWnd frame;
    Host() {
        vtl::grid::registerSpreadClass();
        frame.CreateEx(0, "VtlFrame", "bench", WS_POPUP, RECT{0, 0, 800, 600}, nullptr, 0);
        CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 0, 700, 500, frame.m_hWnd, 1196);
        spread.attachToDlgItem(&frame, 1196, true);
    }
    ~Host() { frame.DestroyWindow(); }
    Vtl_Spread spread;
};

Vtl_ProfValuesTable gridTable() {
    Vtl_ProfValuesTable table;
    table.readFromFile("Grid.pr");
    return table;
}

void BM_SetToSS(benchmark::State& state) {
    Host host;
    const Vtl_ProfValuesTable table = gridTable();
    for (auto _ : state) benchmark::DoNotOptimize(table.setToSS(host.spread));
}

void BM_GetFromSS(benchmark::State& state) {
    Host host;
    const Vtl_ProfValuesTable table = gridTable();
    table.setToSS(host.spread);
    for (auto _ : state) {
        Vtl_ProfValuesTable back;
        benchmark::DoNotOptimize(back.getFromSS(host.spread));
    }
}

// The same cells written, and read, with the grid's functions only.
void directWrite(HWND g, const Vtl_ProfValuesTable& table) {
    const int cols = table.columnNames.length();
    SSSetRowCount(g, 0);
    SSSetColCount(g, 0);
    SSSetColCount(g, cols);
    SSSetRowCount(g, table.rows.length());
    for (int r = 0; r < table.rows.length(); ++r)
        for (int c = 0; c < cols && c < table.rows[r].length(); ++c)
            SSSetCellText(g, c + 1, r + 1, table.rows[r][c].c_str());
}

void BM_DirectWrite(benchmark::State& state) {
    Host host;
    const Vtl_ProfValuesTable table = gridTable();
    for (auto _ : state) directWrite(host.spread.grid(), table);
}

// The cells of a grid written by directWrite, read back with the grid's functions only.
std::vector<std::vector<std::string>> directRead(HWND g, const Vtl_ProfValuesTable& table) {
    const int cols = table.columnNames.length();
    std::vector<std::vector<std::string>> rows;
    rows.reserve(static_cast<std::size_t>(table.rows.length()));
    for (int r = 1; r <= table.rows.length(); ++r) {
        auto& row = rows.emplace_back();
        for (int c = 1; c <= cols; ++c) row.push_back(SSGetCellString(g, c, r, SS_CONTENT_VALUE));
    }
    return rows;
}

void BM_DirectRead(benchmark::State& state) {
    Host host;
    const Vtl_ProfValuesTable table = gridTable();
    const HWND g = host.spread.grid();
    directWrite(g, table);
    for (auto _ : state) benchmark::DoNotOptimize(directRead(g, table));
}

}  // namespace

int main(int argc, char** argv) {
    vtl::bench::BenchArgs args = vtl::bench::takeSmokeFlag(argc, argv);
    const bool smoke = args.smoke;
    if (smoke) {
        gFileRows = 1000;
        gGridRows = 200;
    }
    char folder[] = "/tmp/vtl-prof-bench-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    gLibrary = folder;
    fs::create_directories(gLibrary / "prof");
    std::ofstream(gLibrary / "prof" / "Big.pr", std::ios::binary) << tableBytes(gFileRows);
    std::ofstream(gLibrary / "prof" / "Grid.pr", std::ios::binary) << tableBytes(gGridRows);
    gSettings.setLibDir(Vtl_String(gLibrary.string()));

    std::vector<benchmark::internal::Benchmark*> all = {
        benchmark::RegisterBenchmark("BM_PlainSplitJoin", BM_PlainSplitJoin),
        benchmark::RegisterBenchmark("BM_ValuesTable", BM_ValuesTable),
        benchmark::RegisterBenchmark("BM_DirectWrite", BM_DirectWrite),
        benchmark::RegisterBenchmark("BM_DirectRead", BM_DirectRead),
        benchmark::RegisterBenchmark("BM_SetToSS", BM_SetToSS),
        benchmark::RegisterBenchmark("BM_GetFromSS", BM_GetFromSS)};
    auto t = vtl::bench::runCases(args, all, benchmark::kMillisecond);
    // The grid transfers against the direct calls, taken in turn on one grid each, for the ratios.
    vtl::bench::InterleavedTimes toGrid, fromGrid;
    {
        Host wrapped, direct;
        const Vtl_ProfValuesTable table = gridTable();
        const int rounds = smoke ? 1 : 15;
        toGrid = vtl::bench::interleaved([&] { benchmark::DoNotOptimize(table.setToSS(wrapped.spread)); },
                                         [&] { directWrite(direct.spread.grid(), table); }, rounds);
        fromGrid = vtl::bench::interleaved(
            [&] {
                Vtl_ProfValuesTable back;
                benchmark::DoNotOptimize(back.getFromSS(wrapped.spread));
            },
            [&] { benchmark::DoNotOptimize(directRead(direct.spread.grid(), table)); }, rounds);
    }
    fs::remove_all(gLibrary);

    const double plain = t["BM_PlainSplitJoin"], table = t["BM_ValuesTable"];
    const double write = t["BM_DirectWrite"], read = t["BM_DirectRead"];
    std::printf("\nValues table%s: read + write of %d rows x 18 columns; grid transfer of %d rows\n",
                smoke ? " (smoke size)" : "", gFileRows, gGridRows);
    const bool ok = vtl::bench::reportRatio("readFromFile + writeToFile / plain split and join", table, plain, 3.0, 52);
    const bool grid = vtl::bench::reportRatio("setToSS / SSSetCellText of the same cells", toGrid.measuredMs,
                                              toGrid.baselineMs, 2.0, 52);
    std::printf("%-52s %6.2f x   (%.1f ms; taken in turn)\n", "getFromSS / SSGetCellString of the same cells",
                fromGrid.baselineMs > 0 ? fromGrid.measuredMs / fromGrid.baselineMs : 0, fromGrid.measuredMs);
    std::printf("%-52s %6.2f x   (the cases above, one after the other)\n", "  setToSS / direct, measured apart",
                write > 0 ? t["BM_SetToSS"] / write : 0);
    (void)read;
    return smoke || (ok && grid) ? 0 : 1;
}
