// The SS... functions for formulas, recalculation, registered functions and files. The engine and the
// file format are window-free; here their records meet the window side: value records with text in
// movable blocks, the grid behind a handle, and repainting after a change.
#include <vector>

#include "face/spread.h"
#include "file/sheet_file.h"
#include "file/sheet_formats.h"
#include "formula/engine.h"
#include "grid/spread.h"
#include "grid/ss.h"
#include "win/api.h"

using vtl::grid::CellRef;
using vtl::grid::FunctionValue;
using vtl::grid::Spread;

namespace {
Spread* grid(HWND h) {
    Spread* s = h ? Spread::from(h) : nullptr;
    return s && s->window() == h ? s : nullptr;
}

// Repaints a grid after its cells changed, unless a callback destroyed it meanwhile.
void changed(HWND h) {
    if (Spread* s = grid(h)) s->modelChanged();
}

// The cells whose formulas are calling a registered function, innermost last.
struct Calling {
    HWND grid;
    CellRef cell;
};
std::vector<Calling>& calling() {
    static std::vector<Calling> stack;
    return stack;
}

HGLOBAL textBlock(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GHND, text.size() + 1);
    if (!block) return block;
    if (char* p = static_cast<char*>(GlobalLock(block))) {
        std::copy(text.begin(), text.end(), p);
        p[text.size()] = '\0';
        GlobalUnlock(block);
    }
    return block;
}

std::string blockText(HGLOBAL block) {
    if (!block) return {};
    const char* p = static_cast<const char*>(GlobalLock(block));
    if (!p) return {};
    const std::size_t size = GlobalSize(block);
    std::size_t n = 0;
    while (n < size && p[n] != '\0') ++n;
    std::string text(p, n);
    GlobalUnlock(block);
    return text;
}

SS_VALUE toRecord(const FunctionValue& v) {
    SS_VALUE r;
    r.status = v.status;
    r.type = v.type;
    r.longValue = v.asLong;
    r.doubleValue = v.asDouble;
    if (v.type == FunctionValue::text) r.text = textBlock(v.asText);
    r.col = v.reference.col1;
    r.row = v.reference.row1;
    r.col2 = v.reference.col2;
    r.row2 = v.reference.row2;
    return r;
}

FunctionValue fromRecord(const SS_VALUE& r) {
    FunctionValue v;
    v.status = r.status;
    v.type = r.type;
    v.asLong = r.longValue;
    v.asDouble = r.doubleValue;
    if (r.type == SS_VALUE_TYPE_TEXT) v.asText = blockText(r.text);
    v.reference = {r.col, r.row, r.col2, r.row2};
    return v;
}

struct CallingGuard {
    CallingGuard(HWND h, CellRef cell) { calling().push_back({h, cell}); }
    ~CallingGuard() { calling().pop_back(); }
    CallingGuard(const CallingGuard&) = delete;
    CallingGuard& operator=(const CallingGuard&) = delete;
};
}  // namespace

BOOL SSAddCustomFunctionExt(HWND h, const char* name, int minArgs, int maxArgs, SS_CUSTFUNC function, unsigned flags) {
    Spread* s = grid(h);
    if (!s || !name || !function) return FALSE;
    const unsigned engineFlags = (flags & SS_CUSTFUNC_WANTCELLREF) ? vtl::grid::kPassReferences : 0u;
    auto call = [h, function](const vtl::grid::CustomCall& c, FunctionValue& result,
                              std::span<const FunctionValue> arguments) -> bool {
        std::vector<SS_VALUE> records;
        records.reserve(arguments.size());
        for (const FunctionValue& a : arguments) records.push_back(toRecord(a));
        SS_VALUE out;
        out.status = SS_VALUE_STATUS_EMPTY;
        BOOL ok = FALSE;
        {
            CallingGuard guard(h, c.cell);
            ok = function(&out, records.data(), static_cast<int>(records.size()));
        }
        for (SS_VALUE& r : records) {
            if (r.text) GlobalFree(r.text);
        }
        result = fromRecord(out);
        if (out.text) GlobalFree(out.text);
        return ok != FALSE;
    };
    return s->sheet().formulas().registerFunction(name, minArgs, maxArgs, engineFlags, call) ? TRUE : FALSE;
}

BOOL SSSetFormula(HWND h, int col, int row, const char* formula, BOOL buildDependencies) {
    Spread* s = grid(h);
    if (!s) return FALSE;
    vtl::grid::Sheet& sheet = s->sheet();
    const bool ok = sheet.formulas().setFormula({col, row}, formula ? formula : "", sheet.refStyle(), buildDependencies != FALSE);
    if (ok) changed(h);
    return ok ? TRUE : FALSE;
}

BOOL SSSetCellFormula(HWND h, int col, int row, const char* formula) { return SSSetFormula(h, col, row, formula, TRUE); }

BOOL SSReCalcCell(HWND h, int col, int row) {
    Spread* s = grid(h);
    if (!s || !s->sheet().hasFormula({col, row})) return FALSE;
    const bool ok = s->sheet().formulas().recalcCell({col, row});
    changed(h);
    return ok ? TRUE : FALSE;
}

BOOL SSReCalc(HWND h) {
    Spread* s = grid(h);
    if (!s) return FALSE;
    if (!s->sheet().hasFormulaEngine()) return TRUE;  // no formula was ever set
    const bool ok = s->sheet().formulas().recalcAll();
    changed(h);
    return ok ? TRUE : FALSE;
}

BOOL SSGetCalcCell(HWND* h, int* col, int* row) {
    if (calling().empty()) return FALSE;
    const Calling& c = calling().back();
    if (h) *h = c.grid;
    if (col) *col = c.cell.col;
    if (row) *row = c.cell.row;
    return TRUE;
}

int SSSaveToFile(HWND h, const char* fileName) {
    Spread* s = grid(h);
    if (!s || !fileName) return 0;
    return vtl::grid::SheetFile::save(s->sheet(), fileName) ? 1 : 0;
}

std::size_t vtl::grid::spreadsheetFilePartLength(std::string_view fileName) {
    return vtl::grid::parseSheetFileName(fileName).path.size();
}

int SSLoadFromFile(HWND h, const char* fileName) {
    Spread* s = grid(h);
    if (!s || !fileName) return 0;
    if (!vtl::grid::loadSheetFile(fileName, s->sheet())) return 0;
    s->structureChanged();
    return 1;
}
