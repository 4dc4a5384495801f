// Vtl_ProfValuesTable: a values table in memory, its file, and its transfer into and out of a grid.
#include "vtlui/vtl_prof_values_table.h"

#include <utility>

#include "frame/spread_control.h"
#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "vtlbase/macro_langs.h"

namespace {
constexpr int kSysNameColumn = 0;
constexpr int kActiveColumn = 1;
const Vtl_String kActive("1");
const Vtl_String kInactive("0");

// The table's file; empty for a name that could reach outside the "prof" folder.
Vtl_String tablePath(const Vtl_String& fileName) {
    std::string reason;
    if (!vtl::base::files::validFileName(fileName.view(), reason)) return Vtl_String();
    return gSettings.libDir() + "prof\\" + fileName;
}
}  // namespace

Vtl_ProfValuesTable::Vtl_ProfValuesTable() = default;
Vtl_ProfValuesTable::Vtl_ProfValuesTable(const Vtl_ProfValuesTable& other) = default;
Vtl_ProfValuesTable& Vtl_ProfValuesTable::operator=(const Vtl_ProfValuesTable& other) = default;
Vtl_ProfValuesTable::~Vtl_ProfValuesTable() = default;

bool Vtl_ProfValuesTable::readFromFile(const Vtl_String& fileName) {
    const Vtl_String path = tablePath(fileName);
    if (path.isEmpty()) return false;
    Vtl_String readName;
    Vtl_Array<Vtl_StringArray> read;
    if (!readFile(path, readName, read)) return false;
    typeName = readName;
    if (read.length() > 1) {
        if (read[0].length() > 0) shape = read[0][0];
        columnNames = std::move(read[1]);
        // Drop the two header lines in one move of the data rows.
        Vtl_Array<Vtl_StringArray> data(read.length() - 2);
        for (int i = 2; i < read.length(); ++i) data.append(std::move(read[i]));
        rows = std::move(data);
    } else {
        rows = std::move(read);
    }
    return true;
}

bool Vtl_ProfValuesTable::writeToFile(const Vtl_String& fileName) const {
    const Vtl_String path = tablePath(fileName);
    if (path.isEmpty()) return false;
    Vtl_Array<Vtl_StringArray> table(rows.length() + 2);
    table.append(Vtl_StringArray{shape});
    table.append(columnNames);
    for (const Vtl_StringArray& row : rows) table.append(row);
    return writeFile(path, table);
}

bool Vtl_ProfValuesTable::getColumn(Vtl_StringArray& out, const int& column) const {
    if (rows.isEmpty() || column < 0 || column >= rows[0].length()) return false;
    out.removeAll();
    out.setPhysicalLength(rows.length());
    for (const Vtl_StringArray& row : rows) out.append(column < row.length() ? row[column] : Vtl_String());
    return true;
}

bool Vtl_ProfValuesTable::getColumn(Vtl_StringArray& out, const Vtl_String& columnName) const {
    const int column = getColumnIdx(columnName);
    return column >= 0 && getColumn(out, column);
}

int Vtl_ProfValuesTable::getColumnIdx(const Vtl_String& columnName) const { return columnNames.find(columnName); }

bool Vtl_ProfValuesTable::getRow(Vtl_StringArray& out, const int& row) const {
    if (row < 0 || row >= rows.length()) return false;
    out = rows[row];
    return true;
}

bool Vtl_ProfValuesTable::deleteRow(const int& row) {
    if (row < 0 || row >= rows.length()) return false;
    return rows.removeAt(row);
}

bool Vtl_ProfValuesTable::insertRow(const int& row) {
    const int language = getColumnIdx(gMacroLangs.GetCurLanguage());
    Vtl_StringArray added;
    added.setLogicalLength(columnNames.length());
    if (row >= 0 && row < rows.length()) added = rows[row];

    // The display prefix: the copied display name up to its first number ("HEA " of "HEA 100").
    Vtl_String prefix = typeName;
    const bool hasLanguageCell = language >= 0 && language < added.length();
    if (hasLanguageCell) {
        Vtl_String display = added[language];
        int position = 0, count = 0;
        if (findFirstNumbers(display, position, count)) display = display.getSubStringAt(0, position);
        if (!display.isEmpty()) prefix = display;
    }
    const Vtl_String base = added.length() > 0 && !added[0].isEmpty() ? added[0] : Vtl_String("1");
    const Vtl_String name = findUnusedSysName(base);
    if (added.length() == 0) added.setLogicalLength(1);
    added[kSysNameColumn] = name;
    if (hasLanguageCell) added[language] = prefix + name;
    // A bad position prints the array's diagnostic and changes nothing.
    return rows.insertAt(row + 1, added);
}

void Vtl_ProfValuesTable::getSysNames(Vtl_StringArray& out) const { getSysNames(out, false); }
void Vtl_ProfValuesTable::getFilteredSysNames(Vtl_StringArray& out) const { getSysNames(out, true); }

void Vtl_ProfValuesTable::getSysNames(Vtl_StringArray& out, bool activeOnly) const {
    out.removeAll();
    Vtl_StringArray names, flags;
    if (!getColumn(names, kSysNameColumn) || !getColumn(flags, kActiveColumn) || names.length() != flags.length())
        return;
    const Vtl_String prefix = typeName + "-";
    for (int i = 0; i < names.length(); ++i)
        if (!activeOnly || flags[i] == kActive) out.append(prefix + names[i]);
}

Vtl_String Vtl_ProfValuesTable::findUnusedSysName(const Vtl_String& base) const {
    Vtl_StringArray names;
    getColumn(names, kSysNameColumn);
    return findNonExistingString(names, base);
}

bool Vtl_ProfValuesTable::findSysName(const Vtl_String& sysName, int& row) const {
    Vtl_StringArray names;
    if (!getColumn(names, kSysNameColumn)) return false;
    const int found = names.find(sysName);
    if (found < 0) return false;
    row = found;
    return true;
}

int Vtl_ProfValuesTable::getfilteredIdx(const int& row) const {
    Vtl_StringArray flags;
    if (!getColumn(flags, kActiveColumn) || row < 0 || row >= flags.length()) return -1;
    int inactiveBefore = 0;
    for (int i = 0; i < row; ++i)
        if (flags[i] != kActive) ++inactiveBefore;
    return row - inactiveBefore;
}

void Vtl_ProfValuesTable::removeInactiveEntries() {
    Vtl_Array<Vtl_StringArray> kept(rows.length());
    for (Vtl_StringArray& row : rows)
        if (row.length() < 2 || row[kActiveColumn] != kInactive) kept.append(std::move(row));
    rows = std::move(kept);
}

bool Vtl_ProfValuesTable::getFromSS(vtl::ui::Vtl_Spread& grid) {
    const int rowCount = grid.getRowCount();
    const int colCount = grid.getColCount();
    if (rowCount <= 0 || colCount <= 0) return false;
    Vtl_StringArray headers;
    if (!grid.getColHeaders(headers)) return false;
    Vtl_String type;
    grid.getCellText(vtl::ui::Vtl_Spread::HEADER, 1, type, SS_CONTENT_VALUE);
    Vtl_Array<Vtl_StringArray> read(rowCount);
    for (int r = 1; r <= rowCount; ++r) {
        Vtl_StringArray row(colCount);
        grid.getRow(r, row);
        read.append(std::move(row));
    }
    columnNames = std::move(headers);
    typeName = type;
    rows = std::move(read);
    return true;
}

bool Vtl_ProfValuesTable::setToSS(vtl::ui::Vtl_Spread& grid) const {
    if (!grid.isAttached()) return false;
    const HWND handle = grid.grid();
    // No drawing while the grid is filled.
    SSSetSwitch(handle, SS_SWITCH_REDRAW, FALSE);
    grid.setRowCount(0);
    grid.setColCount(0, false);
    if (rows.isEmpty()) {
        SSSetSwitch(handle, SS_SWITCH_REDRAW, TRUE);
        return false;
    }
    // A table larger than the grid can hold is not shown cut: the grid stays empty and the answer is no.
    // Columns first: the rows then come with their fonts in one pass.
    if (!grid.setColCount(columnNames.length(), false) || !grid.setRowCount(rows.length())) {
        grid.setRowCount(0);
        grid.setColCount(0, false);
        SSSetSwitch(handle, SS_SWITCH_REDRAW, TRUE);
        return false;
    }
    grid.setCheckColumn(2, false, false);
    grid.setColHeaders(columnNames);
    Vtl_StringArray headers(rows.length());
    for (int i = 0; i < rows.length(); ++i) headers.append(typeName);
    grid.setRowHeaders(headers);
    for (int i = 0; i < rows.length(); ++i) grid.setRow(i + 1, rows[i]);
    grid.autoFitAll();
    SSSetSwitch(handle, SS_SWITCH_CHANGED, FALSE);
    SSSetSwitch(handle, SS_SWITCH_REDRAW, TRUE);
    return true;
}
