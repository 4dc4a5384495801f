// The grid's cell model against a plain std::vector<std::vector<std::string>> doing the same work.
//
//  1. Time: grow a 10-column grid from 1 row to N rows, each new row a copy of the last (header cell
//     included), then write and read back every cell as text. Target: at most 3 times the plain table.
//  2. Memory: M short text cells (10 columns). Target: peak allocated bytes at most 2 times the plain
//     table's. Bytes are counted by the global operator new of this program.
//
// Usage: bench_grid_model [--smoke] [Google Benchmark flags]. --smoke runs each case once at a small size.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "model/sheet.h"
#include "alloc_counter.h"
#include "ratio_reporter.h"

namespace {
using vtl::grid::Block;
using vtl::grid::CellRef;
using vtl::grid::HEADER;
using vtl::grid::Sheet;
using Plain = std::vector<std::vector<std::string>>;

constexpr int kCols = 10;
int gRows = 100000;        // case 1
int gMemoryRows = 100000;  // case 2: gMemoryRows x 10 cells

// A short cell text ("r123c4") written into buf; no allocation.
std::string_view cellText(char (&buf)[32], int row, int col) {
    char* p = buf;
    *p++ = 'r';
    p = std::to_chars(p, buf + 20, row).ptr;
    *p++ = 'c';
    p = std::to_chars(p, buf + 31, col).ptr;
    return {buf, static_cast<std::size_t>(p - buf)};
}

std::size_t growWriteReadSheet(int rows) {
    Sheet sheet;
    sheet.setColCount(kCols);
    sheet.setRowCount(1);
    char buf[32];
    for (int c = 0; c <= kCols; ++c) sheet.setText({c, 1}, cellText(buf, 1, c));
    for (int r = 1; r < rows; ++r) {
        sheet.setRowCount(r + 1);
        sheet.copyBlock({HEADER, r, kCols, r}, {HEADER, r + 1});
    }
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= kCols; ++c) sheet.setText({c, r}, cellText(buf, r, c));
    }
    std::size_t total = 0;
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= kCols; ++c) total += sheet.text({c, r}).size();
    }
    return total;
}

std::size_t growWriteReadPlain(int rows) {
    Plain table(1, std::vector<std::string>(kCols + 1));
    char buf[32];
    for (int c = 0; c <= kCols; ++c) table[0][static_cast<std::size_t>(c)] = cellText(buf, 1, c);
    for (int r = 1; r < rows; ++r) table.push_back(table.back());
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= kCols; ++c) table[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c)] = cellText(buf, r, c);
    }
    std::size_t total = 0;
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= kCols; ++c) {
            const std::string text = table[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c)];
            total += text.size();
        }
    }
    return total;
}

void BM_GrowWriteRead_Sheet(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(growWriteReadSheet(gRows));
}
void BM_GrowWriteRead_Plain(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(growWriteReadPlain(gRows));
}

using vtl::bench::peakBytes;

std::size_t memorySheet() {
    return peakBytes([] {
        Sheet sheet;
        sheet.setColCount(kCols);
        sheet.setRowCount(gMemoryRows);
        char buf[32];
        for (int r = 1; r <= gMemoryRows; ++r) {
            for (int c = 1; c <= kCols; ++c) sheet.setText({c, r}, cellText(buf, r, c));
        }
        benchmark::DoNotOptimize(sheet.text({kCols, gMemoryRows}));
    });
}

std::size_t memoryPlain() {
    return peakBytes([] {
        Plain table(static_cast<std::size_t>(gMemoryRows), std::vector<std::string>(kCols));
        char buf[32];
        for (int r = 1; r <= gMemoryRows; ++r) {
            for (int c = 1; c <= kCols; ++c) table[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] = cellText(buf, r, c);
        }
        benchmark::DoNotOptimize(table.back().back());
    });
}

}  // namespace

int main(int argc, char** argv) {
    bool smoke = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0) {
            smoke = true;
        } else {
            args.push_back(argv[i]);
        }
    }
    if (smoke) {
        gRows = 1000;
        gMemoryRows = 1000;
    }
    auto* a = benchmark::RegisterBenchmark("BM_GrowWriteRead_Plain", BM_GrowWriteRead_Plain)
                  ->Unit(benchmark::kMillisecond);
    auto* b = benchmark::RegisterBenchmark("BM_GrowWriteRead_Sheet", BM_GrowWriteRead_Sheet)
                  ->Unit(benchmark::kMillisecond);
    if (smoke) {
        a->Iterations(1);
        b->Iterations(1);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    vtl::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const std::size_t sheetBytes = memorySheet();
    const std::size_t plainBytes = memoryPlain();

    std::printf("\nGrid cell model against a plain vector<vector<string>>%s\n", smoke ? " (smoke size)" : "");
    std::printf("  grow 1 -> %d rows x %d columns copying the last row, write and read every cell\n", gRows, kCols);
    std::printf("  %d short text cells: peak bytes sheet %zu, plain %zu\n", gMemoryRows * kCols, sheetBytes,
                plainBytes);
    bool ok = true;
    const double plainTime = reporter.times["BM_GrowWriteRead_Plain"];
    const double sheetTime = reporter.times["BM_GrowWriteRead_Sheet"];
    ok &= vtl::bench::reportRatio("time: grow, write, read (sheet / plain)", sheetTime, plainTime, 3.0);
    ok &= vtl::bench::reportRatio("memory: peak bytes (sheet / plain)", static_cast<double>(sheetBytes),
                                  static_cast<double>(plainBytes), 2.0);
    // At the smoke size the figures are noise; only a full run judges the targets.
    return smoke || ok ? 0 : 1;
}
