#pragma once
// The grid's own file format: UTF-8 text, one record per line, fields separated by tabs (text fields
// escaped: \\ \t \n \r), so that a file can be read and compared by eye:
//
//   VTLGRID-SHEET <tab> 1                 format and version
//   counts, then the attribute tables (fonts, colour pairs, cell types, styles: entry 0 of each is the
//   default and is not written), column widths and row heights that are not default, spans, then one
//   line per cell that holds anything: column, row, style, stored text, formula (R1C1), tag
//   end <tab> <lines> <tab> <checksum>    the number of lines before it and a checksum over their bytes
//
// The stored text of a formula cell is its last result, so a loaded sheet shows results without
// recalculating. Not kept: switches, operation mode, reference style, the face's colours and settings,
// registered functions, and the picture handles of check box and button types (process-local).
//
// Loading reads the whole file into a new sheet and takes it over only when every line checked out, so
// a missing, truncated, corrupt or other-version file leaves the sheet as it was. Saving writes a
// temporary file beside the target, flushes it to disk and renames it over the target.
#include <string>
#include <string_view>

#include "grid/export.h"

namespace vtl::grid {

class Sheet;

class VTLGRID_API SheetFile {
public:
    static constexpr int kVersion = 1;
    static std::string serialize(const Sheet& sheet);
    // All or nothing: false and the sheet unchanged unless `data` is a complete file of this version.
    static bool deserialize(std::string_view data, Sheet& sheet);
    static bool save(const Sheet& sheet, const std::string& path);
    static bool load(const std::string& path, Sheet& sheet);

    // The whole file (at most 256 MiB); false when it cannot be read.
    static bool readBytes(const std::string& path, std::string& data);
    // Takes the cells, sizes, spans and attribute tables of a completely read sheet over into `target`;
    // switches and settings stay the target's, and its formula engine (if any) reads the new content.
    static void adopt(Sheet& loaded, Sheet& target, bool anyFormula);
};

}  // namespace vtl::grid
