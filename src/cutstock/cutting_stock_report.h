#pragma once
// The cutting-stock report: for every profile of the job the newest ".shp" and ".buy" stock files are
// loaded into lists 2 and 3 of the record, and a line per kind says which file was loaded, of what date, or
// that there is none. A profile without a stock folder gets the "none" lines; the folder is not created. A
// file that cannot be read leaves the profile's rows as they were and is reported as missing.
#include "frame/vtlbase.h"
#include "vtlbase/cutstock/dlg_csp2_data.h"

namespace vtl::ui {

// Loads the newest stock files into `data` and answers the report's lines: a rule line, then per profile
// its ".shp" line, an empty line, its ".buy" line and a rule line.
Vtl_StringArray loadNewestStock(DlgCSP2Data& data);

}  // namespace vtl::ui
