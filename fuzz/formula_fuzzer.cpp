// Formulas: up to four lines of input (A1 style, or R1C1 after a leading "~") become the formulas of C1:C4
// over a small sheet of numbers and texts (A1:B4); each is stored or refused, and the sheet calculates to a result or an error value in bounded
// time and memory, and a cell calculated alone reads as it did after the whole sheet was calculated.
#include <cstdio>
#include <cstdlib>

#include "fuzz_support.h"
#include "grid_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const HWND grid = vtl::fuzz::scratchGrid(0);
    static bool filled = false;
    if (!filled) {
        SSSetColCount(grid, 8);
        SSSetRowCount(grid, 8);
        const char* cells[4][2] = {{"12.5", "IPE 300"}, {"-3", "10.9"}, {"1e3", ""}, {"0", "M20"}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 2; ++c) SSSetCellText(grid, c + 1, r + 1, cells[r][c]);
        filled = true;
    }
    std::string_view text = vtl::fuzz::asText(data, size);
    // A leading "~" writes the formulas in R1C1 style, else A1.
    const bool r1c1 = !text.empty() && text.front() == '~';
    if (r1c1) text.remove_prefix(1);
    SSSetRefStyle(grid, r1c1 ? 2 : 1);
    for (int row = 1; row <= 4; ++row) {
        const std::size_t eol = text.find('\n');
        const std::string formula(text.substr(0, eol));
        SSSetFormula(grid, 3, row, formula.c_str(), FALSE);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    }
    SSReCalc(grid);
    static const bool show = std::getenv("VTL_FUZZ_SHOW") != nullptr;
    std::string values[4];
    for (int row = 1; row <= 4; ++row) {
        values[row - 1] = SSGetCellString(grid, 3, row, SS_CONTENT_VALUE);
        if (show) std::fprintf(stderr, "C%d = %s\n", row, values[row - 1].c_str());
    }
    // A full recalculation calculates a filled column as one block; each cell calculated alone must
    // read the same (unless a cycle is met: its cells may be reached in another order).
    bool cycle = false;
    for (const std::string& v : values) cycle = cycle || v.find("#CIRC!") != std::string::npos;
    for (int row = 1; row <= 4 && !cycle; ++row) {
        SSReCalcCell(grid, 3, row);
        const std::string again = SSGetCellString(grid, 3, row, SS_CONTENT_VALUE);
        if (again != values[row - 1]) {
            std::fprintf(stderr, "C%d reads %s after SSReCalc, %s alone\n", row, values[row - 1].c_str(), again.c_str());
            std::abort();
        }
    }
    for (int row = 1; row <= 4; ++row) SSSetFormula(grid, 3, row, "", FALSE);
    return 0;
}
