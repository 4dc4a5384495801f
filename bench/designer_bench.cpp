// The designer's surface and files against their baselines, in one run.
// Moving: a design of 1,000 drawn controls with 100 selected; one arrow-key step of the selection (the
// windows moved, the stored fractions updated, the step kept in the undo history) against moving the same
// 100 windows by a pixel in one deferred batch. Target: at most 3 times. A mouse drag ends in the same
// step: while the button is down only the selection's outline follows the mouse.
// Opening and saving: the 1,000-control design file read into a design and written back, against reading
// and writing the same file with the properties list alone. Target: at most 3 times. Opening in the
// designer also draws a window per control; that time is shown beside, without a target.
//
// Usage: bench_designer [--smoke] [Google Benchmark flags]. --smoke runs each case once at a small size.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frame/host.h"
#include "frame/vtlbase.h"
#include "ratio_reporter.h"
#include "vtlbase/properties_list.h"
#include "vtlbase/settings.h"
#include "vtlui/vtl_dlg_designer_data.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/dialog.h"
#include "win/resources.h"

extern "C" int DllMain(void* instance, unsigned reason);

namespace {
namespace fs = std::filesystem;

int gControls = 1000;
int gSelected = 100;
Vtl_String gDesignPath;

// A large connection's design: rows of a label and a field, ten pairs to a row, on a 1,600 x 2,000 surface.
void writeDesign(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    out << "nrOfControls=" << gControls << "\r\n";
    for (int i = 0; i < gControls; ++i) {
        const int pair = i / 2, column = pair % 10, row = pair / 10;
        const double x0 = (column * 160 + (i % 2 ? 90 : 0)) / 1600.0, y0 = (row * 24) / 2000.0;
        const double x1 = x0 + (i % 2 ? 60 : 86) / 1600.0, y1 = y0 + 20 / 2000.0;
        out << "type" << i << "=" << (i % 2 ? 2 : 0) << "\r\ntopLeftX" << i << "=" << x0 << "\r\ntopLeftY" << i << "=" << y0
            << "\r\nbottomRightX" << i << "=" << x1 << "\r\nbottomRightY" << i << "=" << y1 << "\r\ncontents" << i << "="
            << (i % 2 ? "cell" + std::to_string(i / 2) : "Value " + std::to_string(i / 2) + " [mm]") << "\r\ncomboList" << i
            << "=\r\n";
    }
}

// The design drawn in design mode on a dialog, its surface large enough for every move.
struct DrawnDesign {
    CDialog dialog;
    Vtl_DlgDesignerData design;
    DrawnDesign() {
        dialog.Create(227, AfxGetMainWnd());
        ::MoveWindow(dialog.m_hWnd, 0, 0, 1700, 2200, FALSE);
        design.initialize(&dialog, 33000, 33099, 1005, 1016, 1304, 1017, 1305, true);
        design.setDesignSurface({0, 0, 1600, 2000});
        design.readFromFile(gDesignPath, true);
        design.redrawAllControls();
        // Every tenth control: spread over the whole design.
        std::vector<int> selection;
        for (int i = 0; i < gSelected; ++i) selection.push_back(i * (gControls / gSelected));
        design.selectIndices(selection);
    }
    ~DrawnDesign() { dialog.DestroyWindow(); }
};

// The windows of the selected controls, found among the dialog's children by where they are.
std::vector<HWND> selectedWindows(DrawnDesign& d) {
    std::vector<HWND> windows;
    for (int i : d.design.getSelection()) {
        const Vtl_DesignerControl& c = *d.design.getControl(i);
        const POINT at{static_cast<LONG>(d.design.getTopLeftX(c) + 0.5) + 1, static_cast<LONG>(d.design.getTopLeftY(c) + 0.5) + 1};
        for (HWND w = ::GetWindow(d.dialog.m_hWnd, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
            RECT r;
            ::GetWindowRect(w, &r);
            POINT corner{r.left, r.top};
            ::ScreenToClient(d.dialog.m_hWnd, &corner);
            if (corner.x + 1 == at.x && corner.y + 1 == at.y) {
                windows.push_back(w);
                break;
            }
        }
    }
    return windows;
}

void BM_DeferredWindowMoves(benchmark::State& state) {
    DrawnDesign d;
    const std::vector<HWND> windows = selectedWindows(d);
    if (static_cast<int>(windows.size()) != gSelected) state.SkipWithError("windows not found");
    // The plain mover knows where its windows are: it keeps their rectangles itself.
    std::vector<RECT> rects;
    for (HWND w : windows) {
        RECT r;
        ::GetWindowRect(w, &r);
        POINT corner{r.left, r.top};
        ::ScreenToClient(d.dialog.m_hWnd, &corner);
        rects.push_back({corner.x, corner.y, corner.x + (r.right - r.left), corner.y + (r.bottom - r.top)});
    }
    int step = 1;
    for (auto _ : state) {
        HDWP batch = BeginDeferWindowPos(static_cast<int>(windows.size()));
        for (std::size_t k = 0; k < windows.size(); ++k) {
            RECT& r = rects[k];
            r.left += step;
            r.right += step;
            batch = DeferWindowPos(batch, windows[k], HWND(), r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
        EndDeferWindowPos(batch);
        step = -step;
    }
}

void BM_MoveSelection(benchmark::State& state) {
    DrawnDesign d;
    int step = 1;
    for (auto _ : state) {
        if (!d.design.moveCurCtrls(step, 0)) state.SkipWithError("not moved");
        step = -step;
    }
    if (!d.design.canUndo()) state.SkipWithError("no undo step");
}

void BM_PropertiesListReadWrite(benchmark::State& state) {
    for (auto _ : state) {
        Vtl_PropertiesList list;
        if (!list.readFromFile(gDesignPath) || !list.writeToFile(gDesignPath)) state.SkipWithError("file");
    }
}

void BM_DesignReadWrite(benchmark::State& state) {
    for (auto _ : state) {
        Vtl_DlgDesignerData design;
        if (!design.readFromFile(gDesignPath, true) || !design.writeToFile(gDesignPath)) state.SkipWithError("file");
        if (design.getNrControls() != gControls) state.SkipWithError("count");
    }
}

void BM_DesignOpenDrawn(benchmark::State& state) {
    CDialog dialog;
    dialog.Create(227, AfxGetMainWnd());
    for (auto _ : state) {
        Vtl_DlgDesignerData design;
        design.initialize(&dialog, 33000, 33099, 1005, 1016, 1304, 1017, 1305, true);
        design.readFromFile(gDesignPath, true);
        design.redrawAllControls();
        benchmark::DoNotOptimize(design.getNrDrawnControls());
    }
    dialog.DestroyWindow();
}
}  // namespace

int main(int argc, char** argv) {
    vtl::bench::BenchArgs args = vtl::bench::takeSmokeFlag(argc, argv);
    const bool smoke = args.smoke;
    if (smoke) {
        gControls = 100;
        gSelected = 10;
    }
    static const int anchor = 0;
    DllMain(vtl::win::instanceOfAddress(&anchor), 1);
    vtl::host::createMainWindow();
    // A library of its own in a temporary folder, removed at the end.
    std::string folder = (fs::temp_directory_path() / "bench-designer-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    gSettings.setLibDir(Vtl_String(folder + "/"));
    const fs::path root = fs::path(folder) / "Dialog Templates" / "Dialog Design";
    fs::create_directories(root);
    writeDesign(root / "Large.txt");
    gDesignPath = getDesignerRootFolder() + "Large.txt";

    std::vector<benchmark::internal::Benchmark*> all = {
        benchmark::RegisterBenchmark("BM_DeferredWindowMoves", BM_DeferredWindowMoves),
        benchmark::RegisterBenchmark("BM_MoveSelection", BM_MoveSelection),
        benchmark::RegisterBenchmark("BM_PropertiesListReadWrite", BM_PropertiesListReadWrite),
        benchmark::RegisterBenchmark("BM_DesignReadWrite", BM_DesignReadWrite),
        benchmark::RegisterBenchmark("BM_DesignOpenDrawn", BM_DesignOpenDrawn)};
    auto t = vtl::bench::runCases(args, all, benchmark::kMicrosecond);
    std::printf("\nDesigner%s: %d controls drawn, %d selected\n", smoke ? " (smoke size)" : "", gControls, gSelected);
    const bool move = vtl::bench::reportRatio("Move selection a step / deferred window moves", t["BM_MoveSelection"],
                                              t["BM_DeferredWindowMoves"], 3.0, 52);
    const bool files = vtl::bench::reportRatio("Design read + write / properties list read + write", t["BM_DesignReadWrite"],
                                               t["BM_PropertiesListReadWrite"], 3.0, 52);
    if (t["BM_DesignOpenDrawn"] > 0 && t["BM_PropertiesListReadWrite"] > 0)
        std::printf("%-52s %6.2f x   (no target: a window per control)\n", "Open with windows drawn / properties list read + write",
                    t["BM_DesignOpenDrawn"] / t["BM_PropertiesListReadWrite"]);
    std::error_code ec;
    fs::remove_all(folder, ec);
    DllMain(vtl::win::instanceOfAddress(&anchor), 0);
    return smoke || (move && files) ? 0 : 1;
}
