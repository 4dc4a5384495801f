#pragma once
// Small workbooks in the formats of other spreadsheet programs (XLSX and ODS), written from cells: the
// sample library's tables and the readers' tests are made by this, never by hand. Texts go to the shared
// strings (XLSX), dates are whole days, formulas are written with their cached result. Zip entries are
// stored (not deflated, grid/src/file/zip_stored.h): every reader accepts them, and the files stay
// reproducible byte for byte.
#include <string>
#include <utility>
#include <vector>

namespace vtl::samples {

struct WorkbookCell {
    enum class Kind { empty, text, number, date, formula };
    Kind kind = Kind::empty;
    std::string text;      // text; a formula's text in A1 style without '='
    double number = 0;     // number; a formula's cached result
    int year = 0, month = 0, day = 0;

    static WorkbookCell Text(std::string t) { return {Kind::text, std::move(t)}; }
    static WorkbookCell Number(double v) { return {Kind::number, {}, v}; }
    static WorkbookCell Date(int y, int m, int d) { return {Kind::date, {}, 0, y, m, d}; }
    static WorkbookCell Formula(std::string f, double cached) { return {Kind::formula, std::move(f), cached}; }
};

struct WorkbookMerge {
    int row = 0, col = 0;  // from 0
    int rows = 1, cols = 1;
};

struct WorkbookSheet {
    std::string name;
    std::vector<std::vector<WorkbookCell>> rows;
    std::vector<WorkbookMerge> merges;
    std::vector<double> widths;  // column widths in characters (XLSX only), from the first column
};

std::string writeXlsx(const std::vector<WorkbookSheet>& sheets);
std::string writeOds(const std::vector<WorkbookSheet>& sheets);

}  // namespace vtl::samples
