#pragma once
// Workbooks and CSV text of other spreadsheet programs read into the grid's cell model, through one adapter
// on liborcus's import interfaces: each format's parser calls the adapter, which writes the grid's sheet.
//
// What a sheet keeps: the first row of the file becomes the header row, the rest the data rows; every cell
// its text (numbers in their shortest form with '.', booleans as TRUE and FALSE, dates as ISO text
// "2024-03-01" with " 12:30" or " 12:30:15" when they hold a time); a formula its cached result (no
// formula); merged cells a span (a merge reaching from the first row into the data rows keeps its
// values but no span). Not kept: styles, sizes, other sheets.
//
// Only this header's .cpp includes liborcus.
#include <string>
#include <string_view>

#include "grid/export.h"

#include "file/csv_text.h"

namespace vtl::grid {

class Sheet;

enum class WorkbookFormat { xlsx, ods };

// Reads the sheet named `sheetName` (case ignored; empty: the first sheet) of a workbook held in memory
// into `sheet`, a fresh sheet. False when the bytes are no readable workbook of the format, the sheet is
// not in it or it exceeds the grid's size; `sheet` is then to be thrown away.
VTLGRID_API bool importWorkbook(WorkbookFormat format, std::string_view bytes, const std::string& sheetName, Sheet& sheet);
// Reads decoded CSV text (see csv_text.h) into `sheet`, a fresh sheet. False when it exceeds the grid.
VTLGRID_API bool importCsv(std::string_view text, const CsvLayout& layout, Sheet& sheet);

}  // namespace vtl::grid
