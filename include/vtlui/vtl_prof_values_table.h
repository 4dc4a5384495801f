#pragma once
// Vtl_ProfValuesTable: one section type's values table, the file library folder + "prof\" + type + ".pr".
// Line 1 holds the shape (a shape code 1 to 17, or the name of a drawing ending in ".dwg"), line 2 the
// column names, then one row per size. Column 0 ("SysName") is the size's name, unique in the file;
// column 1 ("I/O") its active flag, "1" or "0"; then one display-name column per language, named as
// gMacroLangs names the languages; then the size's values. A size's system name, under which the add-on
// stores a chosen size, is type name + "-" + its "SysName" ("HEA-100"). The type name is the file's name
// without ".pr"; it is not written into the file.
#include "vtlbase/vtl_array.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"
#include "vtlui/export.h"

namespace vtl::ui {
class Vtl_Spread;
}

class VTLUI_API Vtl_ProfValuesTable {
public:
    Vtl_ProfValuesTable();
    Vtl_ProfValuesTable(const Vtl_ProfValuesTable& other);
    Vtl_ProfValuesTable& operator=(const Vtl_ProfValuesTable& other);
    virtual ~Vtl_ProfValuesTable();

    // Reads library folder + "prof\" + fileName ("HEA.pr"); the type name becomes the file's name without
    // ".pr". A file of one line keeps that line as the only row (shape and column names unchanged).
    // False, with the table unchanged, when the file cannot be read or the name is no plain file name.
    bool readFromFile(const Vtl_String& fileName);
    // Writes the shape, the column names and the rows there (Windows-1252, CR LF, replacing the file
    // atomically). False when the name is no plain file name or the write fails; the table is unchanged.
    bool writeToFile(const Vtl_String& fileName) const;

    // One cell per row of the column (empty where a row is shorter). False without rows, or for a column
    // outside row 0's cells.
    bool getColumn(Vtl_StringArray& out, const int& column) const;
    bool getColumn(Vtl_StringArray& out, const Vtl_String& columnName) const;
    // The first column of that exact name, or -1.
    int getColumnIdx(const Vtl_String& columnName) const;
    bool getRow(Vtl_StringArray& out, const int& row) const;
    bool deleteRow(const int& row);
    // Inserts after `row` a copy of it (an empty row for a position outside the table) as a new size: its
    // "SysName" an unused name derived from the copied one ("1" for none), its display name in the
    // current language that name behind the copied display name's prefix (the text before its first
    // number; else the type name). Valid positions are -1 (insert at the top) to the last row; any other
    // prints "*Error* Invalid index passed to insert.\n", inserts nothing and answers false.
    bool insertRow(const int& row);

    // System names of all rows / of the rows whose "I/O" flag is exactly "1". Empty when row 0 has fewer
    // than two cells.
    void getSysNames(Vtl_StringArray& out) const;
    void getFilteredSysNames(Vtl_StringArray& out) const;
    // A size name derived from base that no row uses yet.
    Vtl_String findUnusedSysName(const Vtl_String& base) const;
    // The row whose "SysName" cell is exactly sysName.
    bool findSysName(const Vtl_String& sysName, int& row) const;
    // The row's position among the active rows: row minus the rows before it that are not active (the row
    // itself is not checked). -1 outside the table.
    int getfilteredIdx(const int& row) const;
    // Removes the rows whose "I/O" flag is exactly "0"; rows with another flag stay.
    void removeInactiveEntries();

    // The table from the grid: column names from its column headers, the type name from the header of
    // row 1, one row per grid row with a cell per grid column; the shape stays. False, unchanged, for a
    // grid without rows or columns.
    bool getFromSS(vtl::ui::Vtl_Spread& grid);
    // The table into the grid: one grid row per row under the column names, "I/O" as check boxes, the
    // type name as every row header, columns fitted, the grid's changed mark cleared. Cells beyond the
    // column names are not shown. False (an empty grid) for a table without rows.
    bool setToSS(vtl::ui::Vtl_Spread& grid) const;

    Vtl_String typeName;
    Vtl_String shape;
    Vtl_StringArray columnNames;
    Vtl_Array<Vtl_StringArray> rows;

private:
    void getSysNames(Vtl_StringArray& out, bool activeOnly) const;
};
