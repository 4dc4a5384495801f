#pragma once
// A zip archive of stored (not deflated) entries, in the order given: what the workbook reader hands a
// repaired workbook on in, and what the sample and test workbooks are written as.
#include <string>
#include <utility>
#include <vector>

#include "grid/export.h"

namespace vtl::grid {

VTLGRID_API std::string zipStored(const std::vector<std::pair<std::string, std::string>>& entries);

}  // namespace vtl::grid
