// Vtl_Spread against the SS... functions doing the same work directly on a grid window: grow a 10-column
// grid from 0 to N rows (header fonts bold, data fonts normal), write every column from a string array,
// then read the whole table back. Target: the wrapper at most 2 times the direct calls.
//
// Usage: bench_spread [--smoke] [Google Benchmark flags]. --smoke runs each case once at a small size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "frame/spread_control.h"
#include "spread/vtl_spread.h"
#include "win/api.h"
#include "win/font.h"
#include "ratio_reporter.h"

namespace {
using vtl::ui::Vtl_Spread;

constexpr int kCols = 10;
int gRows = 50000;

std::vector<Vtl_StringArray> columns() {
    std::vector<Vtl_StringArray> out(kCols);
    for (int c = 0; c < kCols; ++c)
        for (int r = 1; r <= gRows; ++r) {
            char text[32];
            std::snprintf(text, sizeof text, "r%dc%d", r, c);
            out[static_cast<std::size_t>(c)].append(text);
        }
    return out;
}

// A window holding a placeholder the wrapper attaches over, and a bare grid for the direct calls.
struct Host {
    CWnd frame;
    Host() {
        vtl::grid::registerSpreadClass();
        frame.CreateEx(0, "VtlFrame", "bench", WS_POPUP, RECT{0, 0, 800, 600}, nullptr, 0);
    }
    ~Host() { frame.DestroyWindow(); }
};

void BM_Direct(benchmark::State& state) {
    Host host;
    const auto data = columns();
    for (auto _ : state) {
        const HWND g = CreateWindowEx(0, "fpSpread70", "", WS_CHILD | WS_VISIBLE, 0, 0, 700, 500, host.frame.m_hWnd, 1196);
        LOGFONT lf;
        lf.lfHeight = 15;
        lf.lfFaceName = "Tahoma";
        lf.lfWeight = 700;
        const HFONT bold = CreateFontIndirect(lf);
        lf.lfWeight = 400;
        const HFONT normal = CreateFontIndirect(lf);
        SSSetColCount(g, kCols);
        SSSetRowCount(g, gRows);
        SSSetBlockFont(g, 1, SS_HEADER, kCols, SS_HEADER, bold);
        SSSetBlockFont(g, SS_HEADER, 1, SS_HEADER, gRows, bold);
        SSSetBlockFont(g, 1, 1, kCols, gRows, normal);
        for (int c = 1; c <= kCols; ++c) {
            const Vtl_StringArray& col = data[static_cast<std::size_t>(c - 1)];
            for (int r = 1; r <= gRows; ++r) SSSetCellText(g, c, r, col[r - 1].c_str());
        }
        std::vector<std::vector<std::string>> table;
        table.reserve(static_cast<std::size_t>(gRows));
        for (int r = 1; r <= gRows; ++r) {
            auto& row = table.emplace_back();
            for (int c = 1; c <= kCols; ++c) row.push_back(SSGetCellString(g, c, r, SS_CONTENT_VALUE));
        }
        benchmark::DoNotOptimize(table.back().back());
        DeleteObject(bold);
        DeleteObject(normal);
        DestroyWindow(g);
    }
}

void BM_Wrapper(benchmark::State& state) {
    Host host;
    const auto data = columns();
    for (auto _ : state) {
        CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 0, 700, 500, host.frame.m_hWnd, 1196);
        Vtl_Spread spread;
        spread.attachToDlgItem(&host.frame, 1196, true);
        spread.setColCount(kCols, false);
        spread.setRowCount(gRows);
        for (int c = 1; c <= kCols; ++c) spread.setColumn(c, data[static_cast<std::size_t>(c - 1)], false);
        Vtl_Array<Vtl_StringArray> table;
        spread.getTable(table);
        benchmark::DoNotOptimize(table.last());
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool smoke = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0) smoke = true;
        else args.push_back(argv[i]);
    }
    if (smoke) gRows = 500;
    auto* a = benchmark::RegisterBenchmark("BM_Direct", BM_Direct)->Unit(benchmark::kMillisecond);
    auto* b = benchmark::RegisterBenchmark("BM_Wrapper", BM_Wrapper)->Unit(benchmark::kMillisecond);
    if (smoke) {
        a->Iterations(1);
        b->Iterations(1);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    vtl::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double direct = reporter.times["BM_Direct"], wrapper = reporter.times["BM_Wrapper"];
    std::printf("\nVtl_Spread against direct SS... calls%s: 0 -> %d rows x %d columns, setColumn each, getTable\n",
                smoke ? " (smoke size)" : "", gRows, kCols);
    const bool ok = vtl::bench::reportRatio("time (wrapper / direct)", wrapper, direct, 2.0);
    return smoke || ok ? 0 : 1;
}
