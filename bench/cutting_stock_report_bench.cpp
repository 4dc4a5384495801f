// The cutting-stock report over a job of 200 profiles with 20 stock files each (10 ".shp", 10 ".buy", of
// different times, 30 rows apiece): finding the newest file of each kind per profile, reading both and
// putting their rows into the job, against plain C++ listing the same folders, taking the same file times
// and reading and splitting the same files at byte 191. Target: at most 3 times the plain version.
//
// Usage: bench_cutting_stock_report [--smoke] [Google Benchmark flags]. --smoke runs each case once at a
// small size.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cutstock/cutting_stock_report.h"
#include "vtlbase/settings.h"
#include "ratio_reporter.h"

namespace {
namespace fs = std::filesystem;

int gProfiles = 200;
int gFilesPerKind = 10;
constexpr int kRowsPerFile = 30;
fs::path gLibrary;

std::string profileName(int p) { return "HEA " + std::to_string(100 + p * 20); }

void writeStock() {
    const auto now = fs::file_time_type::clock::now();
    for (int p = 0; p < gProfiles; ++p) {
        const fs::path folder = gLibrary / "Cutting Stock" / profileName(p);
        fs::create_directories(folder);
        for (const char* ext : {".shp", ".buy"})
            for (int f = 1; f <= gFilesPerKind; ++f) {
                std::string bytes;
                for (int r = 0; r < kRowsPerFile; ++r)
                    bytes += std::to_string(6000 + 500 * (r % 13)) + "\xBF" + std::to_string(1 + r % 9) + "\xBFRack " +
                             std::to_string(r % 4) + " S\xFC" "d\r\n";
                const fs::path file = folder / ("Stock" + std::to_string(f) + ext);
                std::ofstream(file, std::ios::binary) << bytes;
                // Times out of name order, so the newest is no simple pick by name.
                fs::last_write_time(file, now - std::chrono::minutes((f * 7) % gFilesPerKind + 1));
            }
    }
}

DlgCSP2Data job() {
    DlgCSP2Data d;
    for (int p = 0; p < gProfiles; ++p) d.addProfile(Vtl_String(profileName(p)));
    return d;
}

using Rows = std::vector<std::vector<std::string>>;

Rows readSplit(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    Rows rows;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        auto& row = rows.emplace_back();
        std::size_t start = 0;
        for (std::size_t sep; (sep = line.find('\xBF', start)) != std::string::npos; start = sep + 1)
            row.push_back(line.substr(start, sep - start));
        row.push_back(line.substr(start));
    }
    return rows;
}

void BM_PlainNewestFiles(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<Rows> shop, buy;
        for (int p = 0; p < gProfiles; ++p) {
            const fs::path folder = gLibrary / "Cutting Stock" / profileName(p);
            fs::path newestShop, newestBuy;
            fs::file_time_type shopTime{}, buyTime{};
            for (const auto& entry : fs::directory_iterator(folder)) {
                if (!entry.is_regular_file()) continue;
                const auto ext = entry.path().extension();
                const auto t = entry.last_write_time();
                if (ext == ".shp" && (newestShop.empty() || t > shopTime)) newestShop = entry.path(), shopTime = t;
                if (ext == ".buy" && (newestBuy.empty() || t > buyTime)) newestBuy = entry.path(), buyTime = t;
            }
            if (!newestShop.empty()) shop.push_back(readSplit(newestShop));
            if (!newestBuy.empty()) buy.push_back(readSplit(newestBuy));
        }
        benchmark::DoNotOptimize(shop.back());
        benchmark::DoNotOptimize(buy.back());
    }
}

void BM_Report(benchmark::State& state) {
    const DlgCSP2Data start = job();
    for (auto _ : state) {
        state.PauseTiming();
        DlgCSP2Data d = start;
        state.ResumeTiming();
        const Vtl_StringArray lines = vtl::ui::loadNewestStock(d);
        if (d.list2.rows.length() != gProfiles * kRowsPerFile) state.SkipWithError("rows missing");
        benchmark::DoNotOptimize(lines.length());
    }
}

}  // namespace

int main(int argc, char** argv) {
    vtl::bench::BenchArgs args = vtl::bench::takeSmokeFlag(argc, argv);
    const bool smoke = args.smoke;
    if (smoke) {
        gProfiles = 5;
        gFilesPerKind = 3;
    }
    char folder[] = "/tmp/vtl-cutstock-bench-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    gLibrary = folder;
    writeStock();
    gSettings.setLibDir(Vtl_String(gLibrary.string()));

    std::vector<benchmark::internal::Benchmark*> all = {
        benchmark::RegisterBenchmark("BM_PlainNewestFiles", BM_PlainNewestFiles),
        benchmark::RegisterBenchmark("BM_Report", BM_Report)};
    auto t = vtl::bench::runCases(args, all, benchmark::kMillisecond);
    fs::remove_all(gLibrary);

    std::printf("\nCutting-stock report%s: %d profiles, %d stock files each, %d rows a file\n", smoke ? " (smoke size)" : "",
                gProfiles, 2 * gFilesPerKind, kRowsPerFile);
    const bool ok = vtl::bench::reportRatio("report / plain listing, times and reads", t["BM_Report"],
                                            t["BM_PlainNewestFiles"], 3.0, 52);
    return smoke || ok ? 0 : 1;
}
