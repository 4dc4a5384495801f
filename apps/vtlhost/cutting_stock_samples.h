#pragma once
// The cutting stock's side of the demo host: the sample job "Hall 3" (the record a caller hands to
// StartDlgCSP2), the dates of the library's sample stock files, and the report of a job for stories.
#include <functional>
#include <iosfwd>
#include <string>

#include "vtlbase/cutstock/dlg_csp2_data.h"

namespace vtlhost {

// The sample job: IPE 300 with its lengths to cut, HEA 200 and L 100x100x10 still without any, no stock
// loaded yet. `restricted` as a caller asking only for the shop stock would hand it in.
DlgCSP2Data sampleCuttingJob(bool restricted = false);
// Gives the sample stock files of the current library folder their dates (a checkout gives every file the
// same time, and the newest file of a kind is what opening and the report take). Files that are missing
// are passed over.
void dateSampleStockFiles();
// Every profile with its three lists, a row a line.
void printCuttingJob(const DlgCSP2Data& job, std::ostream& out, const char* indent);
// Plays a story on the sample job (`restricted` or not) and reports the record handed back.
void playCuttingStock(bool restricted, std::ostream& out, const std::function<void(const std::function<void()>&)>& play);

}  // namespace vtlhost
