#pragma once
// The grid's clipboard format: plain text, cells separated by TAB and rows by CR LF. A cell holding a
// TAB, a line break or a leading quote is quoted ("..." with inner quotes doubled), so that any cell
// text survives a copy and paste.
#include <string>
#include <string_view>
#include <vector>

#include "grid/export.h"

namespace vtl::grid {
using TextTable = std::vector<std::vector<std::string>>;

VTLGRID_API std::string toClipboardText(const TextTable& table);
// Rows at CR LF, LF or CR; a final line break ends the last row rather than adding an empty one.
VTLGRID_API TextTable fromClipboardText(std::string_view text);
}  // namespace vtl::grid
