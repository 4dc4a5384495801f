#pragma once
// Which reader a file calls for, by the extension of its name (case ignored): ".csv" the CSV reader,
// ".xlsx" and ".ods" the workbook readers, anything else the grid's own format. A workbook's sheet is
// named after a '#': "Bolts.xlsx#M-bolts"; without one the first sheet is read.
//
// Every reader loads into a sheet of its own and the target takes it over only when the whole file was
// read, so a file that cannot be read, of any format, leaves the target as it was.
#include <string>
#include <string_view>

#include "grid/export.h"

namespace vtl::grid {

class Sheet;

enum class SheetFormat { own, csv, xlsx, ods };

struct SheetFileName {
    std::string path;   // the file
    std::string sheet;  // the sheet of a workbook; empty: the first
    SheetFormat format = SheetFormat::own;
};
VTLGRID_API SheetFileName parseSheetFileName(std::string_view name);

VTLGRID_API bool loadSheetFile(std::string_view name, Sheet& target);

}  // namespace vtl::grid
