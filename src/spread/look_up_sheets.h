#pragma once
// Spreadsheet files as the spreadsheet layer reads them, and the sheets FROMTABLE looks values up in.
//
// loadSpreadsheetFile is the one place a file named by a module path becomes the contents of a grid; every
// reader of the layer (the formula dialog, the look-up cache, ReadSSFile) goes through it.
//
// The look-up cache keeps each sheet FROMTABLE has read (of any format the grid reads: its own, CSV, XLSX,
// ODS) in a hidden grid of its own, keyed by the file's path (with the workbook's sheet, if named) and its
// modification time and size: a sheet with thousands of look-ups into one table reads the file once, and
// a file changed on disk is read again at its next look-up (the file's time is looked at again when the
// last look is more than 10 ms old, so one recalculation sees one state of the file without a stat per
// look-up). Each cached sheet indexes its header row and, on first use, each key column (texts folded to
// one case), so a look-up costs a hash probe instead of a scan.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "frame/spread_control.h"
#include "frame/vtlbase.h"

namespace vtl::ui {

// The file on this machine a module path names (backslashes, drive folders, case as the platform finds
// it). A name without a folder or drive is taken relative to `baseFolder` (a native folder) when given,
// else to the library folder. Empty when the path names nothing (an unmapped drive). A workbook's sheet
// after '#' ("c:\Bolts.xlsx#M-bolts") stays on the resolved name.
std::string spreadsheetNativePath(const Vtl_String& modulePath, const std::string& baseFolder = {});

// Reads the file at a native path into the grid. False, and the grid unchanged, when it cannot be read.
// On success the grid remembers the file's folder, so names in its FROMTABLE formulas resolve beside it.
bool loadSpreadsheetFile(HWND grid, const std::string& nativePath);
// Writes the grid to a native path: a ".csv" name as CSV of the displayed texts (the header row first,
// comma-separated, UTF-8 with a byte-order mark, CR LF), through the file layer so that a failed write
// keeps the old file; a ".xlsx" or ".ods" name is refused (the grid writes neither format, and a file of
// its own under such a name would replace a workbook with one no program reads); any other name the
// grid's own format. False when nothing was written.
bool saveSpreadsheetFile(HWND grid, const std::string& nativePath);
// The CSV text saveSpreadsheetFile writes for the grid.
std::string spreadsheetCsv(HWND grid);
// The folder of the file last loaded into the grid by loadSpreadsheetFile (empty when none).
std::string spreadsheetFolderOf(HWND grid);
void forgetSpreadsheetGrid(HWND grid);

// Case-folded text of a cell's displayed text, as FROMTABLE compares keys and column names.
std::string foldKey(const std::string& text);

class LookUpSheet {
public:
    LookUpSheet(HWND grid, std::string path);
    ~LookUpSheet();
    LookUpSheet(const LookUpSheet&) = delete;
    LookUpSheet& operator=(const LookUpSheet&) = delete;

    HWND grid() const { return grid_; }
    const std::string& path() const { return path_; }
    // The first column whose header-row cell equals the text (case ignored, whole text); 0 when none.
    int findColumn(const std::string& text);
    // The first row whose cell in the column equals the text (case ignored, whole text); 0 when none.
    int findRow(int col, const std::string& text);

private:
    struct ColumnIndex {
        bool hasFormulas = false;  // texts may change with a recalculation: scanned, not indexed
        std::unordered_map<std::string, int> firstRow;
    };
    int scanRow(int col, const std::string& folded) const;

    HWND grid_;
    std::string path_;
    bool headersIndexed_ = false;
    std::unordered_map<std::string, int> firstColumn_;
    std::unordered_map<int, ColumnIndex> columns_;
};

// The cached sheet of a file (native path), read now when it is not cached or changed on disk; null
// when it cannot be read. The sheet stays valid until the next call for the same path or a clear.
LookUpSheet* lookUpSheet(const std::string& nativePath);
// Drops every cached sheet and its hidden grid (module unload, tests).
void clearLookUpSheets();
// How many times the cache read a file (for tests and benchmarks).
int lookUpSheetLoads();

}  // namespace vtl::ui
