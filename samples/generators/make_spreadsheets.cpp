// Writes the sample library's spreadsheet files (Spreadsheets\*.sss) in the grid control's own format:
//   Bolts.sss   metric bolts by size and property class: tensile stress area, design tension and shear
//               resistance per bolt (partial factor 1.25; shear plane through the thread)
//   Plates.sss  plates by thickness and steel grade: yield strength by the thickness ranges of the grades
//   a\t3.sss    an end-plate check that looks both tables up with FROMTABLE (drive c: of the demo host is
//               the Spreadsheets folder, so its files are "c:\Bolts.sss" and "c:\Plates.sss")
//   Bolts.xlsx  the bolt table as another spreadsheet program keeps it: the sheet "Bolts" (the resistances
//               as formulas with their results) and the sheet "Preload" (preloaded 10.9 bolts)
//   Plates.ods  the plate table likewise, with a note merged over its last row
//   a\t4.sss    the same end-plate check looking up "c:\Bolts.xlsx" and "c:\Plates.ods"
// Run by hand after a change; the files are committed:
//   <build>/bin/vtl_make_spreadsheets samples/library
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "grid/spread.h"
#include "grid/ss.h"
#include "win/api.h"
#include "workbook_writer.h"

namespace {
namespace fs = std::filesystem;

struct Bolt {
    const char* size;
    int diameter;
    double area;  // tensile stress area, mm2
};
constexpr Bolt kBolts[] = {{"M12", 12, 84.3}, {"M16", 16, 157}, {"M20", 20, 245}, {"M22", 22, 303},
                           {"M24", 24, 353},  {"M27", 27, 459}, {"M30", 30, 561}, {"M36", 36, 817}};
struct Grade {
    const char* name;
    double fub;    // ultimate strength, N/mm2
    double alpha;  // shear factor through the thread
};
constexpr Grade kGrades[] = {{"4.6", 400, 0.6}, {"8.8", 800, 0.6}, {"10.9", 1000, 0.5}};

constexpr int kThicknesses[] = {8, 10, 12, 15, 20, 25, 30, 40};
struct SteelGrade {
    const char* name;
    int upTo16, upTo40;  // yield strength up to 16 mm and up to 40 mm, N/mm2
};
constexpr SteelGrade kSteelGrades[] = {{"S235", 235, 225}, {"S275", 275, 265}, {"S355", 355, 345}};

std::string fixed(double v, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    return buffer;
}

HWND newGrid(int cols, int rows) {
    const HWND g = CreateWindowEx(0, vtl::grid::kSpreadClassName, "", WS_POPUP, 0, 0, 800, 600, HWND(), 0);
    SSSetColCount(g, cols);
    SSSetRowCount(g, rows);
    return g;
}

void numberColumn(HWND g, int col, int rows, int decimals) {
    SS_CELLTYPE number;
    SSSetTypeNumber(g, &number, SS_NUMBER_RIGHT, decimals, 99999, -99999);
    SSSetBlockType(g, col, 1, col, rows, &number);
}

bool save(HWND g, const fs::path& path) {
    fs::create_directories(path.parent_path());
    const bool ok = SSSaveToFile(g, path.string().c_str()) == 1;
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.string().c_str());
    DestroyWindow(g);
    return ok;
}

bool writeBolts(const fs::path& folder) {
    const int rows = static_cast<int>(std::size(kBolts) * std::size(kGrades));
    const HWND g = newGrid(6, rows);
    const char* headers[] = {"Bolt", "Grade", "Diameter", "As", "FtRd", "FvRd"};
    for (int c = 0; c < 6; ++c) SSSetCellText(g, c + 1, SS_HEADER, headers[c]);
    numberColumn(g, 3, rows, 0);
    for (int c = 4; c <= 6; ++c) numberColumn(g, c, rows, 1);
    SSSetColWidthPixels(g, 1, 80);
    int row = 1;
    for (const Grade& grade : kGrades) {
        for (const Bolt& bolt : kBolts) {
            const double ft = 0.9 * grade.fub * bolt.area / 1.25 / 1000;
            const double fv = grade.alpha * grade.fub * bolt.area / 1.25 / 1000;
            SSSetCellText(g, 1, row, (std::string(bolt.size) + " " + grade.name).c_str());
            SSSetCellText(g, 2, row, grade.name);
            SSSetCellValue(g, 3, row, std::to_string(bolt.diameter).c_str());
            SSSetCellValue(g, 4, row, fixed(bolt.area, 1).c_str());
            SSSetCellValue(g, 5, row, fixed(ft, 1).c_str());
            SSSetCellValue(g, 6, row, fixed(fv, 1).c_str());
            ++row;
        }
    }
    return save(g, folder / "Bolts.sss");
}

bool writePlates(const fs::path& folder) {
    const int rows = static_cast<int>(std::size(kThicknesses) * std::size(kSteelGrades));
    const HWND g = newGrid(4, rows);
    const char* headers[] = {"Plate", "Thickness", "Grade", "fy"};
    for (int c = 0; c < 4; ++c) SSSetCellText(g, c + 1, SS_HEADER, headers[c]);
    numberColumn(g, 2, rows, 0);
    numberColumn(g, 4, rows, 0);
    SSSetColWidthPixels(g, 1, 90);
    int row = 1;
    for (const auto& grade : kSteelGrades) {
        for (int t : kThicknesses) {
            SSSetCellText(g, 1, row, ("PL " + std::to_string(t) + " " + grade.name).c_str());
            SSSetCellValue(g, 2, row, std::to_string(t).c_str());
            SSSetCellText(g, 3, row, grade.name);
            SSSetCellValue(g, 4, row, std::to_string(t <= 16 ? grade.upTo16 : grade.upTo40).c_str());
            ++row;
        }
    }
    return save(g, folder / "Plates.sss");
}

// The check of a flush end plate with four bolts in tension: the bench calculates cell (1, 1); the
// formulas of column 4 are what the reference-style buttons copy into column 1.
bool writeCheck(const fs::path& folder, const std::string& name, const std::string& bolts, const std::string& plates) {
    const HWND g = newGrid(4, 8);
    SSSetRefStyle(g, 1);
    SSSetSwitch(g, SS_SWITCH_AUTO_CALC, FALSE);  // FROMTABLE is the module's: the sheet is saved uncalculated
    const char* headers[] = {"Result", "Input", "What", "Formula"};
    for (int c = 0; c < 4; ++c) SSSetCellText(g, c + 1, SS_HEADER, headers[c]);
    const struct {
        const char* input;
        const char* what;
        std::string formula;
    } rows[] = {
        {"M20 8.8", "Tension resistance of 4 bolts (kN)", "4*FROMTABLE(\"" + bolts + "\",\"Bolt\",\"FtRd\",$B$1)"},
        {"", "Shear resistance of 4 bolts (kN)", "4*FROMTABLE(\"" + bolts + "\",\"Bolt\",\"FvRd\",$B$1)"},
        {"PL 15 S355", "Yield strength of the plate (N/mm2)", "FROMTABLE(\"" + plates + "\",\"Plate\",\"fy\",$B$3)"},
        {"200", "Plate tension resistance, width B4 (kN)",
         "FROMTABLE(\"" + plates + "\",\"Plate\",\"Thickness\",$B$3)*$B$4*$A$3/1000"},
        {"", "Governing tension resistance (kN)", "MIN($A$1,$A$4)"},
    };
    SS_CELLTYPE number;
    SSSetTypeNumber(g, &number, SS_NUMBER_RIGHT, 2, 99999, -99999);
    SSSetBlockType(g, 1, 1, 1, 5, &number);
    for (int r = 0; r < 5; ++r) {
        SSSetCellText(g, 2, r + 1, rows[r].input);
        SSSetCellText(g, 3, r + 1, rows[r].what);
        SSSetFormula(g, 1, r + 1, rows[r].formula.c_str(), FALSE);
        SSSetFormula(g, 4, r + 1, rows[r].formula.c_str(), FALSE);
    }
    SSSetColWidthPixels(g, 2, 90);
    SSSetColWidthPixels(g, 3, 272);
    return save(g, folder / "a" / name);
}

bool writeBytes(const fs::path& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f) std::fclose(f);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.string().c_str());
    return ok;
}

using vtl::samples::WorkbookCell;
using vtl::samples::WorkbookSheet;

// The bolt table of Bolts.sss as a workbook: the resistances are formulas over the tensile stress area
// (column D) with their results, as a spreadsheet program saves them.
bool writeBoltWorkbook(const fs::path& folder) {
    WorkbookSheet bolts{"Bolts", {}, {}, {11, 8, 9, 9, 9, 9}};
    bolts.rows.push_back({WorkbookCell::Text("Bolt"), WorkbookCell::Text("Grade"), WorkbookCell::Text("Diameter"),
                          WorkbookCell::Text("As"), WorkbookCell::Text("FtRd"), WorkbookCell::Text("FvRd")});
    for (const Grade& grade : kGrades) {
        for (const Bolt& bolt : kBolts) {
            const std::string row = std::to_string(bolts.rows.size() + 1);
            const double ft = std::round(0.9 * grade.fub * bolt.area / 1.25 / 100) / 10;
            const double fv = std::round(grade.alpha * grade.fub * bolt.area / 1.25 / 100) / 10;
            bolts.rows.push_back(
                {WorkbookCell::Text(std::string(bolt.size) + " " + grade.name), WorkbookCell::Text(grade.name),
                 WorkbookCell::Number(bolt.diameter), WorkbookCell::Number(bolt.area),
                 WorkbookCell::Formula("ROUND(0.9*" + fixed(grade.fub, 0) + "*D" + row + "/1250,1)", ft),
                 WorkbookCell::Formula("ROUND(" + fixed(grade.alpha, 1) + "*" + fixed(grade.fub, 0) + "*D" + row + "/1250,1)", fv)});
        }
    }
    // Preloaded bolts of class 10.9: Fp,C = 0.7 fub As.
    WorkbookSheet preload{"Preload", {}, {}};
    preload.rows.push_back({WorkbookCell::Text("Bolt"), WorkbookCell::Text("As"), WorkbookCell::Text("FpC")});
    for (const Bolt& bolt : kBolts) {
        const std::string row = std::to_string(preload.rows.size() + 1);
        preload.rows.push_back({WorkbookCell::Text(std::string(bolt.size) + " 10.9"), WorkbookCell::Number(bolt.area),
                                WorkbookCell::Formula("ROUND(0.7*1000*B" + row + "/1000,1)",
                                                      std::round(0.7 * 1000 * bolt.area / 100) / 10)});
    }
    return writeBytes(folder / "Bolts.xlsx", vtl::samples::writeXlsx({bolts, preload}));
}

bool writePlateWorkbook(const fs::path& folder) {
    WorkbookSheet plates{"Plates", {}, {}};
    plates.rows.push_back({WorkbookCell::Text("Plate"), WorkbookCell::Text("Thickness"), WorkbookCell::Text("Grade"),
                           WorkbookCell::Text("fy")});
    for (const auto& grade : kSteelGrades)
        for (int t : kThicknesses)
            plates.rows.push_back({WorkbookCell::Text("PL " + std::to_string(t) + " " + grade.name), WorkbookCell::Number(t),
                                   WorkbookCell::Text(grade.name), WorkbookCell::Number(t <= 16 ? grade.upTo16 : grade.upTo40)});
    const int note = static_cast<int>(plates.rows.size());
    plates.rows.push_back({WorkbookCell::Text("Thicker plates and other grades on request"), {}, {}, {}});
    plates.merges.push_back({note, 0, 1, 4});
    return writeBytes(folder / "Plates.ods", vtl::samples::writeOds({plates}));
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <library folder>\n", argv[0]);
        return 2;
    }
    vtl::grid::registerSpreadClass();
    const fs::path folder = fs::path(argv[1]) / "Spreadsheets";
    const bool ok = writeBolts(folder) && writePlates(folder) &&
                    writeCheck(folder, "t3.sss", "c:\\Bolts.sss", "c:\\Plates.sss") && writeBoltWorkbook(folder) &&
                    writePlateWorkbook(folder) && writeCheck(folder, "t4.sss", "c:\\Bolts.xlsx", "c:\\Plates.ods");
    return ok ? 0 : 1;
}
