#pragma once
// The spreadsheet layer's side of the demo host: the library's spreadsheet files (Spreadsheets\: a bolt
// table, a plate table and an end-plate check that looks them up), drive c: mapped onto that folder so the
// evaluation bench finds its sheet "c:\a\t3.sss", the gallery entries of the formula and table dialogs, and
// the stories that open them.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "gallery.h"

namespace vtlhost {

// Maps drive c: onto the current library's Spreadsheets folder.
void mapSpreadsheetDrive();
void registerSpreadEntries(std::vector<GalleryEntry>& entries);

using Play = std::function<void(const std::function<void()>&)>;
// `open evaluate-sheet`: the evaluation bench on c:\a\t3.sss; reports the evaluated cell and what the
// command line got.
void playEvaluateSheet(std::ostream& out, const Play& play);
// `open string-table <file>`: a spreadsheet file of the library read into a table (ReadSSFile), edited in
// the string-table dialog, and the caller's table printed.
bool playStringTable(const std::string& file, std::ostream& out, const Play& play);
// `open building-grid`: the building grid dialog on the defaults; prints the record.
void playBuildingGrid(std::ostream& out, const Play& play);
// `open look-up`: the look-up criteria with the plate table's names and grades offered; prints the record.
void playLookUp(std::ostream& out, const Play& play);

}  // namespace vtlhost
