// Find and replace in a grid against plain C++ doing the same over a vector of the same strings.
// Find next: a 100,000-cell grid (10 columns) whose only occurrence is in the last cell, found from the
// first cell, against a scan that compares every string ignoring ASCII case. Target: at most 3 times.
// Replace all: 10,000 of those cells hold the text once; every one is replaced (the grid written back),
// against the same replacement on the strings. Target: at most 5 times.
//
// Usage: bench_find_replace [--smoke] [Google Benchmark flags]. --smoke runs each case once at a small size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frame/spread_control.h"
#include "spread/vtl_spread.h"
#include "win/api.h"
#include "ratio_reporter.h"

namespace {
using vtl::ui::Vtl_Spread;

constexpr int kCols = 10;
int gRows = 10000;
int gOccurrences = 10000;

// Realistic cell texts: a member list of a steel structure.
std::string cellText(int index) {
    static const char* kinds[] = {"HEA 200", "IPE 300", "PL 10x120", "L 80x8", "HEB 160"};
    return std::string(kinds[index % 5]) + " pos. " + std::to_string(index);
}

std::vector<std::string> findSheet() {
    std::vector<std::string> cells;
    for (int i = 0; i < gRows * kCols; ++i) cells.push_back(cellText(i));
    cells.back() += " S355";
    return cells;
}

std::vector<std::string> replaceSheet() {
    std::vector<std::string> cells;
    const int every = gRows * kCols / gOccurrences;
    for (int i = 0; i < gRows * kCols; ++i) cells.push_back(cellText(i) + (i % every == 0 ? " S235 JR" : ""));
    return cells;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool containsIgnoringCase(const std::string& hay, const std::string& lowerNeedle) {
    return std::search(hay.begin(), hay.end(), lowerNeedle.begin(), lowerNeedle.end(),
                       [](char a, char b) { return lower(a) == b; }) != hay.end();
}

// A frame with a placeholder the wrapper attaches over.
struct Host {
    CWnd frame;
    Vtl_Spread spread;
    Host() {
        vtl::grid::registerSpreadClass();
        frame.CreateEx(0, "VtlFrame", "bench", WS_POPUP, RECT{0, 0, 800, 600}, nullptr, 0);
        CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 0, 700, 500, frame.m_hWnd, 1196);
        spread.attachToDlgItem(&frame, 1196, true);
    }
    ~Host() { frame.DestroyWindow(); }
    void fill(const std::vector<std::string>& cells) {
        const HWND g = spread.grid();
        SSSetColCount(g, kCols);
        SSSetRowCount(g, gRows);
        for (int i = 0; i < static_cast<int>(cells.size()); ++i)
            SSSetCellText(g, i % kCols + 1, i / kCols + 1, cells[static_cast<std::size_t>(i)].c_str());
    }
};

void BM_PlainScan(benchmark::State& state) {
    const auto cells = findSheet();
    const std::string needle = "s355";
    for (auto _ : state) {
        std::size_t found = cells.size();
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (containsIgnoringCase(cells[i], needle)) {
                found = i;
                break;
            }
        benchmark::DoNotOptimize(found);
    }
}

void BM_FindNext(benchmark::State& state) {
    Host host;
    host.fill(findSheet());
    for (auto _ : state) {
        int col = 0, row = 0;
        if (!host.spread.findFrom("S355", 1, 1, col, row) || col != kCols || row != gRows) state.SkipWithError("not found");
        benchmark::DoNotOptimize(row);
    }
}

void BM_PlainReplace(benchmark::State& state) {
    const auto original = replaceSheet();
    const std::string needle = "s235", replacement = "S355";
    for (auto _ : state) {
        state.PauseTiming();
        auto cells = original;
        state.ResumeTiming();
        int count = 0;
        for (std::string& cell : cells) {
            std::string lowered = cell;
            std::transform(lowered.begin(), lowered.end(), lowered.begin(), lower);
            bool changed = false;
            for (std::size_t at = lowered.find(needle); at != std::string::npos; at = lowered.find(needle, at + replacement.size())) {
                cell.replace(at, needle.size(), replacement);
                lowered.replace(at, needle.size(), replacement);
                changed = true;
            }
            count += changed;
        }
        benchmark::DoNotOptimize(count);
    }
}

void BM_ReplaceAll(benchmark::State& state) {
    Host host;
    const auto cells = replaceSheet();
    for (auto _ : state) {
        state.PauseTiming();
        host.fill(cells);
        state.ResumeTiming();
        if (host.spread.replaceInAllCells("S235", "S355") != gOccurrences) state.SkipWithError("count");
    }
}

}  // namespace

int main(int argc, char** argv) {
    vtl::bench::BenchArgs args = vtl::bench::takeSmokeFlag(argc, argv);
    const bool smoke = args.smoke;
    if (smoke) {
        gRows = 100;
        gOccurrences = 100;
    }
    std::vector<benchmark::internal::Benchmark*> all = {
        benchmark::RegisterBenchmark("BM_PlainScan", BM_PlainScan), benchmark::RegisterBenchmark("BM_FindNext", BM_FindNext),
        benchmark::RegisterBenchmark("BM_PlainReplace", BM_PlainReplace),
        benchmark::RegisterBenchmark("BM_ReplaceAll", BM_ReplaceAll)};
    auto t = vtl::bench::runCases(args, all, benchmark::kMillisecond);
    std::printf("\nFind and replace%s: %d cells, the occurrence in the last; %d occurrences replaced\n",
                smoke ? " (smoke size)" : "", gRows * kCols, gOccurrences);
    const bool find = vtl::bench::reportRatio("Find next / plain scan", t["BM_FindNext"], t["BM_PlainScan"], 3.0);
    const bool replace = vtl::bench::reportRatio("Replace all / plain replace", t["BM_ReplaceAll"], t["BM_PlainReplace"], 5.0);
    return smoke || (find && replace) ? 0 : 1;
}
