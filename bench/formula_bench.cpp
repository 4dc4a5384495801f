// The grid's formula engine and file format, each against a baseline measured in the same run.
//
//  1. Enter and fully calculate N formulas in two sheets: a chain A(i) = A(i-1)+1 and sliding sums
//     B(i) = SUM(A(i):A(i+9)). Peer: ixion single-threaded, the same sheets (only when built with it).
//     Target: at least 40 times faster than the peer for entering plus calculating each sheet, with the
//     same results. The calculation of the sliding sums against a plain loop summing the same windows
//     over a std::vector<double>: at most 10 times.
//  2. A change of one cell recalculates what depends on it: the first cell of the chain (everything
//     depends on it) and one cell under 10 of the sliding sums, each against a full recalculation of
//     the same sheet. Target for the sums: a change at least 1,000 times cheaper, measured as the cost
//     of one change among 1,000 typed one after another down the column (each a separate write with
//     automatic calculation, its dependents calculated before the next). Also shown: a single change
//     timed alone (dominated by the first touch of the code and data it needs, see docs/decisions.md)
//     and changes spread over the whole column (every 100th row at full size: each touches memory no
//     change before it touched).
//  3. Memory: peak bytes of the sliding-sums sheet against the same sheet holding numbers only (the
//     sums' results written as numbers). Target: at most 2 times. Counted by this program's operator new.
//  4. A chain of 1,000,000 cells calculated on the default stack (entered from its end, so that the
//     first cell asked for needs the whole chain).
//  5. Save and load of an N x 10 sheet of short texts. Baseline: plain stdio writing the same bytes one
//     cell record at a time (fputs) and reading them back line by line (fgets into strings). Target: at
//     most 1.5 times the baseline.
//
// Usage: bench_formula [--smoke]. --smoke runs each case once at a small size.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "alloc_counter.h"
#include "file/sheet_file.h"
#include "formula/engine.h"
#include "model/sheet.h"

#ifdef VTL_HAVE_IXION
#include <pthread.h>

#include <functional>
#include <ixion/address.hpp>
#include <ixion/document.hpp>
#endif

namespace {
using clk = std::chrono::steady_clock;
using vtl::grid::Sheet;

double ms(clk::time_point a, clk::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

struct Timing {
    double enter = 0;
    double calc = 0;
    std::string check;
    double total() const { return enter + calc; }
};

std::string a1(char col, int row) { return col + std::to_string(row); }

// Two columns and room for n formulas; formulas are calculated only when asked (or, with `automatic`,
// as they change).
void prepare(Sheet& sheet, int n, bool automatic) {
    sheet.setColCount(2);
    sheet.setRowCount(n + 10);
    sheet.setSwitch(vtl::grid::sw::autoCalc, automatic);
}

Timing gridChain(int n) {
    Sheet sheet;
    prepare(sheet, n, false);
    auto& f = sheet.formulas();
    const auto t0 = clk::now();
    sheet.setText({1, 1}, "1");
    for (int i = 2; i <= n; ++i) f.setFormula({1, i}, a1('A', i - 1) + "+1", vtl::grid::kRefStyleA1);
    const auto t1 = clk::now();
    f.recalcAll();
    const auto t2 = clk::now();
    return {ms(t0, t1), ms(t1, t2), sheet.text({1, n})};
}

void enterSums(Sheet& sheet, int n) {
    auto& f = sheet.formulas();
    for (int i = 1; i <= n + 9; ++i) sheet.setText({1, i}, std::to_string(i));
    for (int i = 1; i <= n; ++i) f.setFormula({2, i}, "SUM(" + a1('A', i) + ":" + a1('A', i + 9) + ")", vtl::grid::kRefStyleA1);
}

Timing gridSums(int n) {
    Sheet sheet;
    prepare(sheet, n, false);
    auto& f = sheet.formulas();
    const auto t0 = clk::now();
    enterSums(sheet, n);
    const auto t1 = clk::now();
    f.recalcAll();
    const auto t2 = clk::now();
    return {ms(t0, t1), ms(t1, t2), sheet.text({2, 1}) + " " + sheet.text({2, n})};
}

// The sliding sums as a plain loop over the same numbers: the floor for calculating them.
double plainSums(int n, std::string& check) {
    std::vector<double> a(static_cast<std::size_t>(n) + 9);
    for (std::size_t i = 0; i < a.size(); ++i) a[i] = static_cast<double>(i + 1);
    std::vector<double> out(static_cast<std::size_t>(n));
    const auto t0 = clk::now();
    for (std::size_t i = 0; i < out.size(); ++i) {
        double s = 0;
        for (std::size_t k = 0; k < 10; ++k) s += a[i + k];
        out[i] = s;
    }
    const auto t1 = clk::now();
    check = std::to_string(static_cast<long long>(out.front())) + " " + std::to_string(static_cast<long long>(out.back()));
    return ms(t0, t1);
}

// One cell changed with automatic calculation on, against a full recalculation of the same sheet.
struct Incremental {
    double full = 0;
    double change = 0;
    double typed = 0;     // per change, over many changes one after another down the column
    double repeated = 0;  // per change, over many changes spread over the column
    bool right = false;
};

Incremental chainChange(int n) {
    Sheet sheet;
    prepare(sheet, n, false);
    auto& f = sheet.formulas();
    sheet.setText({1, 1}, "1");
    for (int i = 2; i <= n; ++i) f.setFormula({1, i}, a1('A', i - 1) + "+1", vtl::grid::kRefStyleA1);
    f.recalcAll();
    Incremental out;
    auto t0 = clk::now();
    f.recalcAll();
    out.full = ms(t0, clk::now());
    sheet.setSwitch(vtl::grid::sw::autoCalc, true);
    t0 = clk::now();
    sheet.setText({1, 1}, "2");
    out.change = ms(t0, clk::now());
    out.right = sheet.text({1, n}) == std::to_string(n + 1);
    return out;
}

Incremental sumsChange(int n) {
    Sheet sheet;
    prepare(sheet, n, false);
    auto& f = sheet.formulas();
    enterSums(sheet, n);
    f.recalcAll();
    Incremental out;
    auto t0 = clk::now();
    f.recalcAll();
    out.full = ms(t0, clk::now());
    sheet.setSwitch(vtl::grid::sw::autoCalc, true);
    // A(k) lies under the sums of rows k-9 .. k; it grows by 1000.
    const int k = n / 2;
    t0 = clk::now();
    sheet.setText({1, k}, std::to_string(k + 1000));
    out.change = ms(t0, clk::now());
    auto sum = [](long long first) { return std::to_string(10 * first + 45); };
    out.right = sheet.text({2, k}) == std::to_string(10LL * k + 45 + 1000) &&
                sheet.text({2, k - 9}) == std::to_string(10LL * (k - 9) + 45 + 1000) &&
                sheet.text({2, k - 10}) == sum(k - 10) && sheet.text({2, k + 1}) == sum(k + 1);
    // Then numbers typed one after another down the column from row `top`, each recalculated as it
    // changes; then one number after another spread over the whole column.
    const int changes = std::min(1000, n / 20);
    std::vector<std::string> values;
    for (int i = 0; i < changes; ++i) values.push_back(std::to_string(3 * i + 7));
    const int top = n / 4;
    t0 = clk::now();
    for (int i = 0; i < changes; ++i) sheet.setText({1, top + i}, values[static_cast<std::size_t>(i)]);
    out.typed = ms(t0, clk::now()) / changes;
    // The sums over the typed rows: A(top + i) = 3i + 7.
    auto typedA = [&](long long r) { return r >= top && r < top + changes ? 3 * (r - top) + 7 : r; };
    for (const int r : {top - 9, top - 1, top, top + changes / 2, top + changes - 1}) {
        long long expected = 0;
        for (int k = r; k < r + 10; ++k) expected += typedA(k);
        out.right = out.right && sheet.text({2, r}) == std::to_string(expected);
    }
    t0 = clk::now();
    for (int i = 0; i < changes; ++i) sheet.setText({1, 10 + i * (n / changes)}, values[static_cast<std::size_t>(i)]);
    out.repeated = ms(t0, clk::now()) / changes;
    return out;
}

using vtl::bench::peakBytes;

std::size_t sumsBytes(int n) {
    return peakBytes([n] {
        Sheet sheet;
        prepare(sheet, n, false);
        enterSums(sheet, n);
        sheet.formulas().recalcAll();
    });
}

std::size_t numbersBytes(int n) {
    return peakBytes([n] {
        Sheet sheet;
        prepare(sheet, n, true);
        for (int i = 1; i <= n + 9; ++i) sheet.setText({1, i}, std::to_string(i));
        for (int i = 1; i <= n; ++i) sheet.setText({2, i}, std::to_string(10LL * i + 45));
    });
}

#ifdef VTL_HAVE_IXION
// ixion calculates a chain recursively and overflows the default 8 MB stack on it; the peer gets a
// thread with a 1 GiB stack.
Timing onBigStack(const std::function<Timing()>& work) {
    struct Job {
        const std::function<Timing()>* work;
        Timing result;
    } job{&work, {}};
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, std::size_t{1} << 30);
    pthread_t thread;
    auto run = [](void* p) -> void* {
        auto* j = static_cast<Job*>(p);
        j->result = (*j->work)();
        return nullptr;
    };
    if (pthread_create(&thread, &attr, run, &job) == 0) pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    return job.result;
}

Timing ixionChain(int n) {
    ixion::document doc;
    doc.append_sheet("s");
    const auto t0 = clk::now();
    doc.set_numeric_cell("A1", 1);
    for (int i = 2; i <= n; ++i) doc.set_formula_cell(a1('A', i), a1('A', i - 1) + "+1");
    const auto t1 = clk::now();
    doc.calculate(0);
    const auto t2 = clk::now();
    return {ms(t0, t1), ms(t1, t2), std::to_string(static_cast<long long>(doc.get_numeric_value(a1('A', n))))};
}

Timing ixionSums(int n) {
    ixion::document doc;
    doc.append_sheet("s");
    const auto t0 = clk::now();
    for (int i = 1; i <= n + 9; ++i) doc.set_numeric_cell(a1('A', i), i);
    for (int i = 1; i <= n; ++i) doc.set_formula_cell(a1('B', i), "SUM(" + a1('A', i) + ":" + a1('A', i + 9) + ")");
    const auto t1 = clk::now();
    doc.calculate(0);
    const auto t2 = clk::now();
    return {ms(t0, t1), ms(t1, t2),
            std::to_string(static_cast<long long>(doc.get_numeric_value("B1"))) + " " +
                std::to_string(static_cast<long long>(doc.get_numeric_value(a1('B', n))))};
}
#endif

bool report(const char* what, double ratio, double target, bool atMost) {
    const bool ok = atMost ? ratio <= target : ratio >= target;
    std::printf("  %-52s %8.2f x   (target %s %g)  %s\n", what, ratio, atMost ? "<=" : ">=", target,
                ok ? "ok" : "OFF TARGET");
    return ok;
}

void printTiming(const char* who, const char* sheet, const Timing& t) {
    std::printf("  %-6s %-12s enter %9.1f ms  calculate %9.1f ms  total %9.1f ms  (%s)\n", who, sheet, t.enter, t.calc,
                t.total(), t.check.c_str());
}

// ---- files ----
struct FileTiming {
    double grid = 0;
    double plain = 0;
    std::size_t bytes = 0;
};

FileTiming files(int rows, const std::string& dir) {
    Sheet sheet;
    sheet.setColCount(10);
    sheet.setRowCount(rows);
    char buf[32];
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= 10; ++c) {
            std::snprintf(buf, sizeof buf, "r%dc%d", r, c);
            sheet.setText({c, r}, buf);
        }
    }
    const std::string path = dir + "/bench_grid.sss";
    const std::string plainPath = dir + "/bench_plain.txt";
    FileTiming out;
    auto t0 = clk::now();
    const bool saved = vtl::grid::SheetFile::save(sheet, path);
    Sheet loaded;
    const bool ok = saved && vtl::grid::SheetFile::load(path, loaded);
    auto t1 = clk::now();
    out.grid = ms(t0, t1);
    if (!ok || loaded.text({10, rows}) != sheet.text({10, rows})) std::printf("  FILE ROUND TRIP FAILED\n");

    // The same bytes through plain stdio, one record per cell line.
    const std::string bytes = vtl::grid::SheetFile::serialize(sheet);
    out.bytes = bytes.size();
    std::vector<std::string> records;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t nl = bytes.find('\n', pos);
        records.push_back(bytes.substr(pos, nl + 1 - pos));
        pos = nl + 1;
    }
    t0 = clk::now();
    if (std::FILE* f = std::fopen(plainPath.c_str(), "wb")) {
        for (const std::string& rec : records) std::fputs(rec.c_str(), f);
        std::fclose(f);
    }
    std::vector<std::string> back;
    if (std::FILE* f = std::fopen(plainPath.c_str(), "rb")) {
        char line[4096];
        while (std::fgets(line, sizeof line, f)) back.emplace_back(line);
        std::fclose(f);
    }
    t1 = clk::now();
    out.plain = ms(t0, t1);
    if (back.size() != records.size()) std::printf("  PLAIN ROUND TRIP FAILED\n");
    std::filesystem::remove(path);
    std::filesystem::remove(plainPath);
    return out;
}

template <class F>
auto best(int runs, F f) {
    auto result = f();
    for (int i = 1; i < runs; ++i) {
        auto r = f();
        if (r.total() < result.total()) result = r;
    }
    return result;
}
}  // namespace

int main(int argc, char** argv) {
    bool smoke = false;
    for (int i = 1; i < argc; ++i) smoke = smoke || std::strcmp(argv[i], "--smoke") == 0;
    const int n = smoke ? 1000 : 100000;
    const int longChain = smoke ? 10000 : 1000000;
    const int runs = smoke ? 1 : 3;
    bool ok = true;

    std::printf("Formula engine: %d formulas per sheet%s\n", n, smoke ? " (smoke size)" : "");
    const Timing chain = best(runs, [&] { return gridChain(n); });
    const Timing sums = best(runs, [&] { return gridSums(n); });
    printTiming("grid", "chain", chain);
    printTiming("grid", "sliding sums", sums);
    std::string loopCheck;
    double loop = plainSums(n, loopCheck);
    for (int i = 1; i < runs; ++i) loop = std::min(loop, plainSums(n, loopCheck));
    std::printf("  %-6s %-12s                      calculate %9.3f ms                      (%s)\n", "loop", "sliding sums",
                loop, loopCheck.c_str());
    if (loopCheck != sums.check) {
        std::printf("  SLIDING SUMS DIFFER FROM THE PLAIN LOOP\n");
        ok = false;
    }
    ok &= report("sliding sums: grid calculate / plain loop", sums.calc / loop, 10, true);
#ifdef VTL_HAVE_IXION
    // The peer runs once per sheet, on a big stack.
    const Timing ixChain = onBigStack([n] { return ixionChain(n); });
    const Timing ixSums = onBigStack([n] { return ixionSums(n); });
    printTiming("ixion", "chain", ixChain);
    printTiming("ixion", "sliding sums", ixSums);
    if (ixChain.check != chain.check || ixSums.check != sums.check) {
        std::printf("  RESULTS DIFFER FROM THE PEER\n");
        ok = false;
    }
    ok &= report("chain: ixion / grid (enter + calculate)", ixChain.total() / chain.total(), 40, false);
    ok &= report("sliding sums: ixion / grid (enter + calculate)", ixSums.total() / sums.total(), 40, false);
#else
    std::printf("  ixion not found at configure time: no peer comparison\n");
#endif

    {
        auto pick = [](Incremental a, const Incremental& b) {
            a.full = std::min(a.full, b.full);
            a.change = std::min(a.change, b.change);
            a.typed = std::min(a.typed, b.typed);
            a.repeated = std::min(a.repeated, b.repeated);
            a.right = a.right && b.right;
            return a;
        };
        Incremental c = chainChange(n), s = sumsChange(n);
        for (int i = 1; i < runs; ++i) {
            c = pick(c, chainChange(n));
            s = pick(s, sumsChange(n));
        }
        std::printf("\nOne cell changed, automatic calculation (against a full recalculation)\n");
        std::printf("  chain, first cell:          %9.3f ms (full %9.3f ms): %s\n", c.change, c.full,
                    c.right ? "ok" : "WRONG RESULT");
        std::printf("  sliding sums, one number:   %9.4f ms (full %9.3f ms): %s\n", s.change, s.full,
                    s.right ? "ok" : "WRONG RESULT");
        ok &= c.right && s.right;
        std::printf("  %-52s %8.2f x   (everything depends on it)\n", "chain: change / full recalculation",
                    c.full > 0 ? c.change / c.full : 0);
        ok &= report("sliding sums: full recalculation / typed change", s.typed > 0 ? s.full / s.typed : 0, 1000, false);
        std::printf("    (%.5f ms a change, %d changes typed one after another down the column)\n", s.typed,
                    std::min(1000, n / 20));
        std::printf("  %-52s %8.2f x   (one change alone: first touch of code and data)\n",
                    "sliding sums: full recalculation / single change", s.change > 0 ? s.full / s.change : 0);
        std::printf("  %-52s %8.2f x   (%.5f ms a change, one in every %d rows: memory not yet touched)\n",
                    "sliding sums: full recalculation / spread change", s.repeated > 0 ? s.full / s.repeated : 0,
                    s.repeated, n / std::min(1000, n / 20));
    }

    {
        const std::size_t sumBytes = sumsBytes(n);
        const std::size_t numBytes = numbersBytes(n);
        std::printf("\nMemory: %d sliding sums %zu bytes, the same sheet of numbers %zu bytes\n", n, sumBytes, numBytes);
        ok &= report("sliding sums / numbers only (peak bytes)", static_cast<double>(sumBytes) / static_cast<double>(numBytes),
                     2, true);
    }

    {
        Sheet sheet;
        sheet.setColCount(1);
        sheet.setRowCount(longChain);
        sheet.setSwitch(vtl::grid::sw::autoCalc, false);
        sheet.setText({1, 1}, "1");
        auto& f = sheet.formulas();
        const auto t0 = clk::now();
        for (int r = longChain; r >= 2; --r) f.setFormula({1, r}, "R[-1]C+1", vtl::grid::kRefStyleR1C1, false);
        const auto t1 = clk::now();
        f.recalcCell({1, longChain});
        const auto t2 = clk::now();
        const bool right = sheet.text({1, longChain}) == std::to_string(longChain);
        std::printf("  chain of %d entered from its end: enter %.1f ms, calculate %.1f ms on the default stack: %s\n",
                    longChain, ms(t0, t1), ms(t1, t2), right ? "ok" : "WRONG RESULT");
        ok &= right;
    }

    const int fileRows = smoke ? 1000 : 100000;
    const std::string dir = std::filesystem::temp_directory_path().string();
    FileTiming ft = files(fileRows, dir);
    for (int i = 1; i < runs; ++i) {
        const FileTiming again = files(fileRows, dir);
        if (again.grid < ft.grid) ft.grid = again.grid;
        if (again.plain < ft.plain) ft.plain = again.plain;
    }
    std::printf("\nFiles: %d x 10 short texts, %zu bytes: grid save+load %.1f ms, plain stdio %.1f ms\n", fileRows,
                ft.bytes, ft.grid, ft.plain);
    ok &= report("save + load: grid / plain stdio", ft.grid / ft.plain, 1.5, true);
    return smoke || ok ? 0 : 1;
}
