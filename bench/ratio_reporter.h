#pragma once
// A console reporter that also keeps each benchmark's real time per iteration by name, for the ratios the
// benchmarks print against their baselines. With --benchmark_repetitions the median of the repetitions is
// kept (also when only aggregates are reported); otherwise the single run's time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vtl::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                times[name] = run.GetAdjustedRealTime();
                medians_.insert(name);
            } else if (run.run_type == Run::RT_Iteration && !medians_.count(name)) {
                times[name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;

private:
    std::set<std::string> medians_;
};

// Prints a measured time against its baseline's as a ratio with its target, and answers whether the
// target was met. A time that was not measured (a filter left the case out, say) fails, never passes.
inline bool reportRatio(const char* what, double measured, double baseline, double target, int width = 44) {
    if (measured <= 0 || baseline <= 0) {
        std::printf("%-*s %6s     (target <= %.1f)  NOT MEASURED\n", width, what, "-", target);
        return false;
    }
    const double ratio = measured / baseline;
    const bool ok = ratio <= target;
    std::printf("%-*s %6.2f x   (target <= %.1f)  %s\n", width, what, ratio, target, ok ? "ok" : "OVER TARGET");
    return ok;
}

// The ratio of `measured` to `baseline`, each run once per round in turn, as the ratio of their median
// times. Taken in turn, both see the same state of a shared machine (its load and clock drift over
// seconds), which two cases measured one after the other do not.
struct InterleavedTimes {
    double measuredMs = 0;
    double baselineMs = 0;
};
inline InterleavedTimes interleaved(const std::function<void()>& measured, const std::function<void()>& baseline,
                                    int rounds) {
    using clk = std::chrono::steady_clock;
    std::vector<double> m, b;
    const auto time = [](const std::function<void()>& work) {
        const auto t0 = clk::now();
        work();
        return std::chrono::duration<double, std::milli>(clk::now() - t0).count();
    };
    for (int i = 0; i < rounds; ++i) {
        m.push_back(time(measured));
        b.push_back(time(baseline));
    }
    const auto median = [](std::vector<double>& v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    };
    return {median(m), median(b)};
}

// A benchmark program's command line: --smoke (each case once, at a small size) taken out, the rest left
// for Google Benchmark.
struct BenchArgs {
    bool smoke = false;
    std::vector<char*> rest;
};

inline BenchArgs takeSmokeFlag(int argc, char** argv) {
    BenchArgs args;
    for (int i = 0; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--smoke") args.smoke = true;
        else args.rest.push_back(argv[i]);
    }
    return args;
}

// Runs the cases, each reported in `unit` (once when smoking), and answers each case's time by name.
inline std::map<std::string, double> runCases(BenchArgs& args, const std::vector<benchmark::internal::Benchmark*>& cases,
                                              benchmark::TimeUnit unit) {
    for (auto* c : cases) {
        c->Unit(unit);
        if (args.smoke) c->Iterations(1);
    }
    int count = static_cast<int>(args.rest.size());
    benchmark::Initialize(&count, args.rest.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.times;
}

}  // namespace vtl::bench
