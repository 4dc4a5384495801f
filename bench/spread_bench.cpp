// Vtl_Spread against the SS... functions doing the same work directly on a grid window. Target: the
// wrapper at most 2 times the direct calls in each case.
//  - fill: grow a 10-column grid from 0 to N rows (header fonts bold, data fonts normal), write every
//    column from a string array, then read the whole table back;
//  - each bulk transfer alone on a grid of N rows: setRow and getRow for every row, setColumn and
//    getColumn (texts and values), setColumnInts/getColumnInts, setColumnDoubles/getColumnDoubles, the
//    headers (setRowHeaders/getRowHeaders) and getTable; the direct side writes and reads the same cells
//    one call each, converting numbers the same way.
//
// Usage: bench_spread [--smoke] [Google Benchmark flags]. --smoke runs each case once at a small size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
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

// A grid of gRows x kCols attached to a wrapper, filled with texts.
struct Filled {
    Host host;
    Vtl_Spread spread;
    HWND g = nullptr;
    Filled() {
        CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 0, 700, 500, host.frame.m_hWnd, 1196);
        spread.attachToDlgItem(&host.frame, 1196, true);
        spread.setColCount(kCols, false);
        spread.setRowCount(gRows);
        g = spread.grid();
        char text[32];
        for (int r = 1; r <= gRows; ++r)
            for (int c = 1; c <= kCols; ++c) {
                std::snprintf(text, sizeof text, "r%dc%d", r, c);
                SSSetCellText(g, c, r, text);
            }
    }
};

Vtl_StringArray rowTexts(int r) {
    Vtl_StringArray row;
    char text[32];
    for (int c = 1; c <= kCols; ++c) {
        std::snprintf(text, sizeof text, "w%dc%d", r, c);
        row.append(text);
    }
    return row;
}

// ---- rows ----
void BM_SetRow_Direct(benchmark::State& state) {
    Filled f;
    std::vector<Vtl_StringArray> rows;
    for (int r = 1; r <= gRows; ++r) rows.push_back(rowTexts(r));
    for (auto _ : state)
        for (int r = 1; r <= gRows; ++r) {
            const Vtl_StringArray& row = rows[static_cast<std::size_t>(r - 1)];
            for (int c = 1; c <= kCols; ++c) SSSetCellText(f.g, c, r, row[c - 1].c_str());
        }
}
void BM_SetRow_Wrapper(benchmark::State& state) {
    Filled f;
    std::vector<Vtl_StringArray> rows;
    for (int r = 1; r <= gRows; ++r) rows.push_back(rowTexts(r));
    for (auto _ : state)
        for (int r = 1; r <= gRows; ++r) f.spread.setRow(r, rows[static_cast<std::size_t>(r - 1)]);
}
void BM_GetRow_Direct(benchmark::State& state) {
    Filled f;
    for (auto _ : state)
        for (int r = 1; r <= gRows; ++r) {
            Vtl_StringArray row;
            for (int c = 1; c <= kCols; ++c) row.append(SSGetCellString(f.g, c, r, SS_CONTENT_VALUE));
            benchmark::DoNotOptimize(row);
        }
}
void BM_GetRow_Wrapper(benchmark::State& state) {
    Filled f;
    for (auto _ : state)
        for (int r = 1; r <= gRows; ++r) {
            Vtl_StringArray row;
            f.spread.getRow(r, row);
            benchmark::DoNotOptimize(row);
        }
}

// ---- columns of texts ----
void BM_SetColumn_Direct(benchmark::State& state) {
    Filled f;
    const auto data = columns();
    for (auto _ : state)
        for (int c = 1; c <= kCols; ++c) {
            const Vtl_StringArray& col = data[static_cast<std::size_t>(c - 1)];
            for (int r = 1; r <= gRows; ++r) SSSetCellText(f.g, c, r, col[r - 1].c_str());
        }
}
void BM_SetColumn_Wrapper(benchmark::State& state) {
    Filled f;
    const auto data = columns();
    for (auto _ : state)
        for (int c = 1; c <= kCols; ++c) f.spread.setColumn(c, data[static_cast<std::size_t>(c - 1)], false);
}
void BM_GetColumn_Direct(benchmark::State& state) {
    Filled f;
    for (auto _ : state)
        for (int c = 1; c <= kCols; ++c) {
            Vtl_StringArray col;
            for (int r = 1; r <= gRows; ++r) col.append(SSGetCellString(f.g, c, r, SS_CONTENT_TEXT));
            benchmark::DoNotOptimize(col);
        }
}
void BM_GetColumn_Wrapper(benchmark::State& state) {
    Filled f;
    for (auto _ : state)
        for (int c = 1; c <= kCols; ++c) {
            Vtl_StringArray col;
            f.spread.getColumnTexts(c, col);
            benchmark::DoNotOptimize(col);
        }
}

// ---- columns of numbers ----
void BM_Ints_Direct(benchmark::State& state) {
    Filled f;
    Vtl_Array<int> ints;
    for (int r = 1; r <= gRows; ++r) ints.append(r * 7);
    for (auto _ : state)
        for (int c = 1; c <= kCols; ++c) {
            for (int r = 1; r <= gRows; ++r) SSSetCellText(f.g, c, r, std::to_string(ints[r - 1]).c_str());
            Vtl_Array<int> back;
            for (int r = 1; r <= gRows; ++r) back.append(std::atoi(SSGetCellString(f.g, c, r, SS_CONTENT_VALUE).c_str()));
            benchmark::DoNotOptimize(back);
        }
}
void BM_Ints_Wrapper(benchmark::State& state) {
    Filled f;
    Vtl_Array<int> ints;
    for (int r = 1; r <= gRows; ++r) ints.append(r * 7);
    for (auto _ : state)
        for (int c = 1; c <= kCols; ++c) {
            f.spread.setColumnInts(c, ints);
            Vtl_Array<int> back;
            f.spread.getColumnInts(c, back);
            benchmark::DoNotOptimize(back);
        }
}
void BM_Doubles_Direct(benchmark::State& state) {
    Filled f;
    Vtl_Array<double> doubles;
    for (int r = 1; r <= gRows; ++r) doubles.append(r * 0.25);
    char text[64];
    for (auto _ : state)
        for (int c = 1; c <= kCols; ++c) {
            for (int r = 1; r <= gRows; ++r) {
                std::snprintf(text, sizeof text, "%.2f", doubles[r - 1]);
                SSSetCellText(f.g, c, r, text);
            }
            Vtl_Array<double> back;
            for (int r = 1; r <= gRows; ++r) back.append(std::strtod(SSGetCellString(f.g, c, r, SS_CONTENT_VALUE).c_str(), nullptr));
            benchmark::DoNotOptimize(back);
        }
}
void BM_Doubles_Wrapper(benchmark::State& state) {
    Filled f;
    Vtl_Array<double> doubles;
    for (int r = 1; r <= gRows; ++r) doubles.append(r * 0.25);
    for (auto _ : state)
        for (int c = 1; c <= kCols; ++c) {
            f.spread.setColumnDoubles(c, doubles);
            Vtl_Array<double> back;
            f.spread.getColumnDoubles(c, back);
            benchmark::DoNotOptimize(back);
        }
}

// ---- headers and the whole table ----
void BM_Headers_Direct(benchmark::State& state) {
    Filled f;
    const auto data = columns();
    const Vtl_StringArray& names = data[0];
    for (auto _ : state) {
        for (int r = 1; r <= gRows; ++r) SSSetCellText(f.g, SS_HEADER, r, names[r - 1].c_str());
        Vtl_StringArray back;
        for (int r = 1; r <= gRows; ++r) back.append(SSGetCellString(f.g, SS_HEADER, r, SS_CONTENT_TEXT));
        benchmark::DoNotOptimize(back);
    }
}
void BM_Headers_Wrapper(benchmark::State& state) {
    Filled f;
    const auto data = columns();
    for (auto _ : state) {
        f.spread.setRowHeaders(data[0]);
        Vtl_StringArray back;
        f.spread.getRowHeaders(back);
        benchmark::DoNotOptimize(back);
    }
}
void BM_Table_Direct(benchmark::State& state) {
    Filled f;
    for (auto _ : state) {
        Vtl_Array<Vtl_StringArray> table;
        for (int r = 1; r <= gRows; ++r) {
            Vtl_StringArray row;
            for (int c = 1; c <= kCols; ++c) row.append(SSGetCellString(f.g, c, r, SS_CONTENT_VALUE));
            table.append(std::move(row));
        }
        benchmark::DoNotOptimize(table);
    }
}
void BM_Table_Wrapper(benchmark::State& state) {
    Filled f;
    for (auto _ : state) {
        Vtl_Array<Vtl_StringArray> table;
        f.spread.getTable(table);
        benchmark::DoNotOptimize(table);
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
    struct Pair {
        const char* what;
        const char* direct;
        const char* wrapper;
    };
    const Pair pairs[] = {
        {"fill: grow, setColumn each, getTable", "BM_Direct", "BM_Wrapper"},
        {"setRow, every row", "BM_SetRow_Direct", "BM_SetRow_Wrapper"},
        {"getRow, every row", "BM_GetRow_Direct", "BM_GetRow_Wrapper"},
        {"setColumn, every column", "BM_SetColumn_Direct", "BM_SetColumn_Wrapper"},
        {"getColumnTexts, every column", "BM_GetColumn_Direct", "BM_GetColumn_Wrapper"},
        {"setColumnInts + getColumnInts", "BM_Ints_Direct", "BM_Ints_Wrapper"},
        {"setColumnDoubles + getColumnDoubles", "BM_Doubles_Direct", "BM_Doubles_Wrapper"},
        {"setRowHeaders + getRowHeaders", "BM_Headers_Direct", "BM_Headers_Wrapper"},
        {"getTable", "BM_Table_Direct", "BM_Table_Wrapper"},
    };
    using Fn = void (*)(benchmark::State&);
    const std::map<std::string, Fn> functions = {
        {"BM_Direct", BM_Direct}, {"BM_Wrapper", BM_Wrapper},
        {"BM_SetRow_Direct", BM_SetRow_Direct}, {"BM_SetRow_Wrapper", BM_SetRow_Wrapper},
        {"BM_GetRow_Direct", BM_GetRow_Direct}, {"BM_GetRow_Wrapper", BM_GetRow_Wrapper},
        {"BM_SetColumn_Direct", BM_SetColumn_Direct}, {"BM_SetColumn_Wrapper", BM_SetColumn_Wrapper},
        {"BM_GetColumn_Direct", BM_GetColumn_Direct}, {"BM_GetColumn_Wrapper", BM_GetColumn_Wrapper},
        {"BM_Ints_Direct", BM_Ints_Direct}, {"BM_Ints_Wrapper", BM_Ints_Wrapper},
        {"BM_Doubles_Direct", BM_Doubles_Direct}, {"BM_Doubles_Wrapper", BM_Doubles_Wrapper},
        {"BM_Headers_Direct", BM_Headers_Direct}, {"BM_Headers_Wrapper", BM_Headers_Wrapper},
        {"BM_Table_Direct", BM_Table_Direct}, {"BM_Table_Wrapper", BM_Table_Wrapper},
    };
    std::vector<benchmark::internal::Benchmark*> cases;
    for (const Pair& p : pairs) {
        cases.push_back(benchmark::RegisterBenchmark(p.direct, functions.at(p.direct)));
        cases.push_back(benchmark::RegisterBenchmark(p.wrapper, functions.at(p.wrapper)));
    }
    vtl::bench::BenchArgs bench{smoke, args};
    auto times = vtl::bench::runCases(bench, cases, benchmark::kMillisecond);
    std::printf("\nVtl_Spread against direct SS... calls%s: %d rows x %d columns\n", smoke ? " (smoke size)" : "", gRows,
                kCols);
    bool ok = true;
    for (const Pair& p : pairs) {
        const std::string label = std::string(p.what) + " (wrapper / direct)";
        ok &= vtl::bench::reportRatio(label.c_str(), times[p.wrapper], times[p.direct], 2.0, 56);
    }
    return smoke || ok ? 0 : 1;
}
