// FROMTABLE's key look-up (the 4-argument form) into a table of N rows, N look-ups:
//   BM_CachedLookUps   the look-ups through the look-up cache, from a cold cache (one file read and
//                      index included)
//   BM_PlainMap        baseline: the same file read into a grid, its key and value columns copied into a
//                      std::unordered_map, then the same look-ups in the map
//   BM_LoadPerCall     the look-ups with the file read again for each (the cache emptied before every
//                      call), measured on N / 100 calls and scaled to N
//   BM_SheetRecalc     a caller sheet of N FROMTABLE formulas recalculated (the grid engine's part on top)
// Target: cached at most 5 times the plain map; the speed-up over reading per call is reported.
//
// Usage: bench_lookup [--smoke] [Google Benchmark flags]. --smoke runs each case once at a small size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "frame/spread_control.h"
#include "spread/ks_formula_dlg.h"
#include "spread/look_up_sheets.h"
#include "vtlbase/dialog_size.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/clipboard.h"
#include "ratio_reporter.h"

namespace {
namespace fs = std::filesystem;

int gRows = 10000;
std::string gFile;
std::vector<std::string> gKeys;  // the keys looked up, in a scattered order

HWND newGrid(int cols, int rows) {
    const HWND g = CreateWindowEx(0, vtl::grid::kSpreadClassName, "", WS_POPUP, 0, 0, 800, 600, HWND(), 0);
    SSSetColCount(g, cols);
    SSSetRowCount(g, rows);
    return g;
}

std::string keyOf(int i) {
    char text[32];
    std::snprintf(text, sizeof text, "M%d-%05d", 12 + i % 25, i);
    return text;
}

void writeTable() {
    const fs::path folder = fs::temp_directory_path() / "vtl_lookup_bench";
    fs::create_directories(folder);
    gFile = (folder / "Table.sss").string();
    const HWND g = newGrid(3, gRows);
    SSSetCellText(g, 1, SS_HEADER, "Bolt");
    SSSetCellText(g, 2, SS_HEADER, "Grade");
    SSSetCellText(g, 3, SS_HEADER, "FtRd");
    SS_CELLTYPE number;
    SSSetTypeNumber(g, &number, SS_NUMBER_RIGHT, 1, 1e9, -1e9);
    SSSetBlockType(g, 3, 1, 3, gRows, &number);
    for (int r = 1; r <= gRows; ++r) {
        SSSetCellText(g, 1, r, keyOf(r).c_str());
        SSSetCellText(g, 2, r, "8.8");
        SSSetCellValue(g, 3, r, std::to_string(r % 1000 + 0.5).c_str());
    }
    SSSaveToFile(g, gFile.c_str());
    DestroyWindow(g);
    gKeys.clear();
    for (int i = 0; i < gRows; ++i) gKeys.push_back(keyOf(static_cast<int>((static_cast<long long>(i) * 7919) % gRows) + 1));
}

HGLOBAL textBlock(const std::string& text) {
    const HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(h), text.c_str(), text.size() + 1);
    GlobalUnlock(h);
    return h;
}

// The arguments of every look-up, made once: the engine hands them in ready.
struct Calls {
    std::vector<std::array<SS_VALUE, 4>> args;
    explicit Calls(int count) {
        for (int i = 0; i < count; ++i) {
            std::array<SS_VALUE, 4> a{};
            const std::string texts[] = {gFile, "Bolt", "FtRd", gKeys[static_cast<std::size_t>(i)]};
            for (int k = 0; k < 4; ++k) {
                a[static_cast<std::size_t>(k)].type = SS_VALUE_TYPE_TEXT;
                a[static_cast<std::size_t>(k)].text = textBlock(texts[k]);
            }
            args.push_back(a);
        }
    }
    ~Calls() {
        for (auto& a : args)
            for (auto& v : a) GlobalFree(v.text);
    }
};

double sum = 0;

void lookUp(HWND caller, std::array<SS_VALUE, 4>& a) {
    SS_VALUE result{};
    vtl::ui::answerFromTable(caller, &result, a.data(), 4);
    sum += result.doubleValue;
    if (result.status == SS_VALUE_STATUS_OK && result.type == SS_VALUE_TYPE_TEXT) GlobalFree(result.text);
}

void BM_CachedLookUps(benchmark::State& state) {
    Calls calls(gRows);
    const HWND caller = newGrid(2, 2);
    for (auto _ : state) {
        vtl::ui::clearLookUpSheets();
        for (auto& a : calls.args) lookUp(caller, a);
    }
    DestroyWindow(caller);
}

void BM_PlainMap(benchmark::State& state) {
    for (auto _ : state) {
        const HWND g = newGrid(0, 0);
        SSLoadFromFile(g, gFile.c_str());
        std::unordered_map<std::string, double> map;
        const int rows = SSGetRowCount(g);
        map.reserve(static_cast<std::size_t>(rows));
        std::string key, value;
        for (int r = 1; r <= rows; ++r) {
            SSGetCellString(g, 1, r, SS_CONTENT_TEXT, key);
            SSGetCellString(g, 3, r, SS_CONTENT_VALUE, value);
            map.emplace(vtl::ui::foldKey(key), std::strtod(value.c_str(), nullptr));
        }
        for (const std::string& k : gKeys) {
            const auto found = map.find(vtl::ui::foldKey(k));
            if (found != map.end()) sum += found->second;
        }
        DestroyWindow(g);
    }
}

void BM_LoadPerCall(benchmark::State& state) {
    Calls calls(std::max(gRows / 100, 1));
    const HWND caller = newGrid(2, 2);
    for (auto _ : state) {
        for (auto& a : calls.args) {
            vtl::ui::clearLookUpSheets();
            lookUp(caller, a);
        }
    }
    DestroyWindow(caller);
}

void BM_SheetRecalc(benchmark::State& state) {
    const HWND caller = newGrid(1, gRows);
    vtl::ui::registerFromTable(caller);
    SSSetSwitch(caller, SS_SWITCH_AUTO_CALC, FALSE);
    SSSetRefStyle(caller, 1);
    for (int r = 1; r <= gRows; ++r) {
        const std::string f = "FROMTABLE(\"" + gFile + "\",\"Bolt\",\"FtRd\",\"" + gKeys[static_cast<std::size_t>(r - 1)] + "\")";
        SSSetFormula(caller, 1, r, f.c_str(), FALSE);
    }
    for (auto _ : state) {
        vtl::ui::clearLookUpSheets();
        SSReCalc(caller);
    }
    DestroyWindow(caller);
}
}  // namespace

int main(int argc, char** argv) {
    auto args = vtl::bench::takeSmokeFlag(argc, argv);
    if (args.smoke) gRows = 500;
    vtl::grid::registerSpreadClass();
    vtl::base::setDialogSettingsFile("");
    SetFromTableSilent(true);
    writeTable();
    const auto times = vtl::bench::runCases(
        args,
        {benchmark::RegisterBenchmark("BM_CachedLookUps", BM_CachedLookUps),
         benchmark::RegisterBenchmark("BM_PlainMap", BM_PlainMap),
         benchmark::RegisterBenchmark("BM_LoadPerCall", BM_LoadPerCall),
         benchmark::RegisterBenchmark("BM_SheetRecalc", BM_SheetRecalc)},
        benchmark::kMillisecond);
    auto at = [&](const char* name) {
        const auto found = times.find(name);
        return found == times.end() ? 0.0 : found->second;
    };
    const double cached = at("BM_CachedLookUps"), map = at("BM_PlainMap");
    const double perCall = at("BM_LoadPerCall") * (gRows / std::max(gRows / 100, 1));
    std::printf("\nFROMTABLE key look-ups%s: %d look-ups into a %d-row table\n", args.smoke ? " (smoke size)" : "",
                gRows, gRows);
    const bool ok = vtl::bench::reportRatio("time (cached / plain unordered_map)", cached, map, 5.0);
    if (cached > 0) std::printf("%-44s %6.0f x   faster than reading the file per call\n", "speed-up of the cache", perCall / cached);
    if (map > 0) std::printf("%-44s %6.2f x   (the grid engine's share; reported)\n", "sheet recalculation / plain map", at("BM_SheetRecalc") / map);
    std::error_code ec;
    fs::remove_all(fs::path(gFile).parent_path(), ec);
    return args.smoke || ok ? 0 : 1;
}
