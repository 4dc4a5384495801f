// The section library editor on a 10,000-row values table: opening it on the table, changing one cell and
// storing the table (the save question answered Yes on OK), against reading, changing the same cell and
// writing the table with Vtl_ProfValuesTable alone. Target: at most 3 times. Reports medians.
//
// Usage: bench_section_library [--runs N] [--smoke]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frame/host.h"
#include "library/section_library_editor.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/sections/dlg_edit_lib_data.h"
#include "vtlbase/settings.h"
#include "vtlui/vtl_prof_values_table.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/pump.h"
#include "win/resources.h"
#include "win/script.h"
#include "ratio_reporter.h"

namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
double ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

std::string tableBytes(int rows) {
    std::string bytes = "1\r\nSysName\tI/O\tDutch\tEnglish\tFrench\tGerman\th\tb\ttw\ttf\tr\td\tA\tG\tIy\tIz\tWy\tWz\r\n";
    for (int r = 0; r < rows; ++r) {
        const std::string n = std::to_string(100 + r);
        bytes += n + "\t1\tHEA " + n + "\tHEA " + n + "\tHEA " + n + "\tHEA " + n;
        for (int v = 0; v < 12; ++v) bytes += "\t" + std::to_string(r % 1000) + "." + std::to_string(v * 7 % 10);
        bytes += "\r\n";
    }
    return bytes;
}

// The values grid of the editor's page shown.
HWND findShown(HWND root, int id) {
    for (HWND c = ::GetWindow(root, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(c) == id && ::IsWindowVisible(c)) return c;
        if (HWND deeper = findShown(c, id)) return deeper;
    }
    return HWND();
}

// One size's height changed, as the plain reader, changer and writer of the table would.
void plainChange(int run) {
    Vtl_ProfValuesTable table;
    if (!table.readFromFile("BIG.pr")) std::fprintf(stderr, "read failed\n");
    table.rows[5000 % table.rows.length()][6] = Vtl_String(std::to_string(200 + run % 50));
    if (!table.writeToFile("BIG.pr")) std::fprintf(stderr, "write failed\n");
}

void editorChange(int run) {
    vtl::win::Script s;
    s.waitFor(vtl::win::dialogWithTemplate(vtl::ui::SectionLibraryEditor::IDD))
        .check([run] {
            auto* grid = static_cast<vtl::ui::Vtl_Spread*>(
                CWnd::FromHandle(findShown(::GetActiveWindow(), vtl::ui::ValuesTablePage::kGridId)));
            const int row = 5000 % grid->getRowCount() + 1;
            grid->setCellText(7, row, Vtl_String(std::to_string(200 + run % 50)));
            grid->setChanged(true);
        })
        .click(vtl::win::ctrl(IDOK))
        .waitFor(vtl::win::messageBoxContaining("Save the changes"))
        .answer(IDYES);
    DlgEditLibData data;
    bool ok = false;
    vtl::win::runWithScript(s, [&] { ok = StartDlgEditLibSections(data, "BIG-5100"); });
    if (!ok) std::fprintf(stderr, "the editor did not end with OK\n");
}
}  // namespace

extern "C" int DllMain(void* instance, unsigned reason);

int main(int argc, char** argv) {
    int runs = 15;
    int rows = 10000;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0) {
            runs = 1;
            rows = 200;
        }
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    }
    static const int anchor = 0;
    DllMain(vtl::win::instanceOfAddress(&anchor), 1);
    vtl::host::createMainWindow();
    vtl::base::setDialogSettingsFile("");
    char folder[] = "/tmp/vtl-section-library-bench-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    fs::create_directories(fs::path(folder) / "prof");
    std::ofstream(fs::path(folder) / "prof" / "BIG.pr", std::ios::binary) << tableBytes(rows);
    gSettings.setLibDir(Vtl_String(folder));

    std::vector<double> plain, editor;
    for (int r = 0; r < runs; ++r) {
        auto t0 = Clock::now();
        plainChange(r);
        plain.push_back(ms(t0, Clock::now()));
        t0 = Clock::now();
        editorChange(r);
        editor.push_back(ms(t0, Clock::now()));
        vtl::win::processPending();
    }
    fs::remove_all(folder);
    const double p = median(plain), e = median(editor);
    std::printf("Section library editor on a %d-row values table (%d runs): editor %.1f ms, table alone %.1f ms\n", rows,
                runs, e, p);
    const bool ok = vtl::bench::reportRatio("open, change one cell, store / read, change, write", e, p, 3.0, 52);
    DllMain(vtl::win::instanceOfAddress(&anchor), 0);
    return runs <= 1 || ok ? 0 : 1;
}
