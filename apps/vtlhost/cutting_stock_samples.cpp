#include "cutting_stock_samples.h"

#include <chrono>
#include <filesystem>
#include <ostream>

#include "vtlbase/files/paths.h"
#include "vtlbase/settings.h"
#include "vtlui/vtlui.h"

namespace vtlhost {
namespace {
using Rows = std::initializer_list<std::initializer_list<const char*>>;

Vtl_Array<Vtl_StringArray> table(Rows rows) {
    Vtl_Array<Vtl_StringArray> t;
    for (const auto& r : rows) {
        Vtl_StringArray row;
        for (const char* c : r) row.append(Vtl_String(c));
        t.append(row);
    }
    return t;
}

void columns(DlgCSP2List& list, std::initializer_list<const char*> names) {
    for (const char* n : names) list.columnNames.append(Vtl_String(n));
}

// The sample stock files and when they were written (UTC).
struct Dated {
    const char* file;
    int year, month, day, hour, minute;
};
constexpr Dated kStockDates[] = {
    {"IPE 300/Stock1.shp", 2026, 1, 12, 7, 40},  {"IPE 300/Stock2.shp", 2026, 3, 2, 9, 15},
    {"IPE 300/Stock1.buy", 2026, 2, 20, 14, 5},  {"HEA 200/Stock1.shp", 2026, 2, 3, 10, 30},
    {"HEA 200/Stock2.shp", 2026, 3, 5, 16, 30},  {"HEA 200/Stock1.buy", 2026, 1, 28, 8, 0},
    {"L 100x100x10/Stock1.shp", 2026, 2, 27, 11, 0},
};
}  // namespace

DlgCSP2Data sampleCuttingJob(bool restricted) {
    DlgCSP2Data job;
    job.restricted = restricted;
    const int ipe = job.addProfile("IPE 300");
    job.addProfile("HEA 200");
    job.addProfile("L 100x100x10");
    columns(job.list1, {"Length", "Quantity", "Part mark"});
    columns(job.list2, {"Length", "Quantity", "Location"});
    columns(job.list3, {"Length", "Available", "Price / m"});
    job.list1.replaceRowsOf(ipe, table({{"5400", "4", "B101"}, {"6250", "6", "B102"}, {"3900", "2", "B103"}}));
    return job;
}

void dateSampleStockFiles() {
    namespace fs = std::filesystem;
    using namespace std::chrono;
    const fs::path root = vtl::base::files::resolve((gSettings.libDir() + "Cutting Stock").view());
    for (const Dated& d : kStockDates) {
        const sys_days day = year_month_day{year{d.year}, month{static_cast<unsigned>(d.month)}, std::chrono::day{static_cast<unsigned>(d.day)}};
        const sys_time<seconds> when = day + hours{d.hour} + minutes{d.minute};
        std::error_code ec;
        fs::last_write_time(root / d.file, file_clock::from_sys(when), ec);
    }
}

void printCuttingJob(const DlgCSP2Data& job, std::ostream& out, const char* indent) {
    static const char* const kKinds[] = {"to cut", "stock", "to buy"};
    for (int i = 0; i < job.profileCount() && i < job.profileIds.length(); ++i) {
        out << indent << job.profileNames[i] << " (id " << job.profileIds[i] << ")\n";
        for (int n = 1; n <= DlgCSP2Data::kLists; ++n) {
            Vtl_Array<Vtl_StringArray> rows;
            job.list(n).rowsOf(job.profileIds[i], rows);
            out << indent << "  " << kKinds[n - 1] << ":" << (rows.isEmpty() ? " (none)" : "") << "\n";
            for (const Vtl_StringArray& row : rows) {
                out << indent << "    ";
                for (int c = 0; c < row.length(); ++c) out << (c ? " | " : "") << row[c];
                out << "\n";
            }
        }
    }
}

void playCuttingStock(bool restricted, std::ostream& out, const std::function<void(const std::function<void()>&)>& play) {
    dateSampleStockFiles();
    DlgCSP2Data job = sampleCuttingJob(restricted);
    out << "Opened the cutting stock of the job Hall 3" << (restricted ? " (restricted)" : "") << "\n";
    bool ok = false;
    play([&] { ok = StartDlgCSP2(job); });
    out << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n\nJob handed back:\n";
    printCuttingJob(job, out, "  ");
}

}  // namespace vtlhost
