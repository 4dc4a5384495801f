#include "spread_samples.h"

#include <algorithm>
#include <map>
#include <ostream>

#include "host/command_line.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/files/paths.h"
#include "vtlbase/settings.h"
#include "vtlbase/vtl_array.h"
#include "vtlui/ks_grid_dlg_data.h"
#include "vtlui/ks_look_up_dlg_data.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/keys.h"

namespace vtlhost {
namespace {
using vtl::win::ctrl;
using vtl::win::dialogWithTemplate;
constexpr int kFormulaTemplate = 133;
constexpr int kStringTableTemplate = 208;
constexpr int kGridTemplate = 242;
constexpr int kLookUpTemplate = 244;

struct SheetTable {
    Vtl_String title;
    Vtl_StringArray names;
    Vtl_Array<Vtl_StringArray> rows;
};

// Reads a sheet for the host's own use: what the reader prints (the scratch library's path) stays off
// the story's report.
SheetTable readSheetAt(const Vtl_String& path) {
    SheetTable t;
    const bool echo = vtl::host::commandLineEcho();
    vtl::host::setCommandLineEcho(false);
    ReadSSFile(path, t.title, t.names, t.rows);
    vtl::host::setCommandLineEcho(echo);
    return t;
}
SheetTable readSheet(const std::string& file) { return readSheetAt(gSettings.libDir() + "Spreadsheets\\" + Vtl_String(file)); }

void printTable(const Vtl_StringArray& names, const Vtl_Array<Vtl_StringArray>& rows, std::ostream& out) {
    out << "  ";
    for (int i = 0; i < names.length(); ++i) out << (i ? " | " : "") << names[i].str();
    out << "\n";
    for (const auto& row : rows) {
        out << "  ";
        for (int i = 0; i < row.length(); ++i) out << (i ? " | " : "") << row[i].str();
        out << "\n";
    }
}

// The criteria a detailer looks a plate up by: the plate table's columns as the fields, its plates as the
// values offered for the condition.
KsLookUpDlgData plateLookUp() {
    KsLookUpDlgData data;
    const SheetTable plates = readSheet("Plates.sss");
    data.list1 = data.list2 = data.list3 = data.list4 = plates.names;
    for (const auto& row : plates.rows)
        if (row.length() > 0) data.list5.append(row[0]);
    data.text1 = "Plate";
    return data;
}

void printLookUp(const KsLookUpDlgData& d, std::ostream& out) {
    out << "  field 1: " << d.text1.str() << "\n  field 2: " << d.text2.str() << "\n  field 3: " << d.text3.str()
        << "\n  field 4: " << d.text4.str() << "\n  condition: " << d.choice1 << " " << d.text5.str()
        << "\n  sort: " << d.choice2 << "\n  partial match: " << (d.secondOptionSet ? "yes" : "no")
        << "\n  match case: " << (d.option ? "yes" : "no") << "\n  closed by: " << d.closedBy << "\n";
}

// A sheet the story saved, as it is on disk: its first three columns.
void printSavedSheet(const std::string& name, std::ostream& out) {
    const SheetTable sheet = readSheetAt(Vtl_String(name));
    out << "\nThe sheet " << name << " as it is on disk afterwards:\n";
    Vtl_Array<Vtl_StringArray> firstColumns;
    for (const auto& row : sheet.rows) {
        Vtl_StringArray shown;
        bool any = false;
        for (int i = 0; i < std::min(row.length(), 3); ++i) {
            shown.append(row[i]);
            any = any || !row[i].isEmpty();
        }
        if (any) firstColumns.append(shown);
    }
    Vtl_StringArray names;
    for (int i = 0; i < std::min(sheet.names.length(), 3); ++i) names.append(sheet.names[i]);
    printTable(names, firstColumns, out);
}

// Results saved as CSV for another spreadsheet program, as the files hold them.
void printCsvFiles(const std::string& folder, std::ostream& out) {
    for (const std::string& file : vtl::base::files::findFiles(folder, "*.csv")) {
        std::string text, error;
        if (!vtl::base::files::readBinary(folder + "/" + file, text, error)) continue;
        out << "\nThe CSV file c:\\a\\" << file << " (UTF-8, CR LF):\n";
        if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            out << "  " << text.substr(start, end - start) << "\n";
    }
}

}  // namespace

void mapSpreadsheetDrive() {
    vtl::base::files::setDriveFolder('c', vtl::base::files::resolve((gSettings.libDir() + "Spreadsheets").str()));
}

void registerSpreadEntries(std::vector<GalleryEntry>& entries) {
    mapSpreadsheetDrive();
    entries.push_back({"formulas",
                       "The formula dialog as the evaluation bench on c:\\a\\t3.sss, an end-plate check whose cells "
                       "look bolt and plate resistances up in the library's tables with FROMTABLE; recalculated, "
                       "and with the A1 reference style; the bolt table of an XLSX workbook loaded from its file, and "
                       "the check c:\\a\\t4.sss looking into Bolts.xlsx and Plates.ods.",
                       kFormulaTemplate,
                       [] {
                           SetFromTableSilent(true);
                           EvaluateSS();
                       },
                       {{"evaluated", nullptr},
                        {"recalculated", [](vtl::win::Script& s) { s.click(ctrl(1107)); }},
                        {"a1-style", [](vtl::win::Script& s) { s.click(ctrl(1006)); }},
                        {"auto-calculate", [](vtl::win::Script& s) { s.click(ctrl(1106)); }},
                        {"workbook-table",
                         [](vtl::win::Script& s) {
                             // the office's bolt table as XLSX, loaded from its file
                             s.click(ctrl(1000)).key('A', vtl::win::ModCtrl).type("c:\\Bolts.xlsx").click(ctrl(1087));
                         }},
                        {"workbook-check",
                         [](vtl::win::Script& s) {
                             // the end-plate check looking into Bolts.xlsx and Plates.ods, recalculated
                             s.click(ctrl(1000)).key('A', vtl::win::ModCtrl).type("c:\\a\\t4.sss").click(ctrl(1087));
                             s.click(ctrl(1106)).click(ctrl(1107));  // automatic calculation off, recalculate
                         }}},
                       [](vtl::win::Script& s) { s.click(ctrl(IDCANCEL)); }});
    shelve(entries, GalleryGroup::Spreadsheets, "Formula bench (end-plate check)");
    entries.push_back({"formulas-look-up",
                       "The formula dialog answering one FROMTABLE call: the bench's first cell looks the tension "
                       "resistance of an M20 8.8 bolt up in Bolts.sss, shown here.",
                       kFormulaTemplate,
                       [] {
                           SetFromTableSilent(false);
                           EvaluateSS();
                           SetFromTableSilent(true);
                       },
                       {{"answering", nullptr}},
                       [](vtl::win::Script& s) {
                           s.click(ctrl(IDCANCEL)).waitFor(dialogWithTemplate(kFormulaTemplate)).click(ctrl(IDCANCEL));
                       }});
    shelve(entries, GalleryGroup::Spreadsheets, "A FROMTABLE look-up answered");
    entries.push_back({"string-table",
                       "A table of texts in a grid (startGridDialog): the bolt table of the library, rows added "
                       "and removed.",
                       kStringTableTemplate,
                       [] {
                           SheetTable t = readSheet("Bolts.sss");
                           startGridDialog(t.names, Vtl_StringArray(), t.rows, true, "", "Bolts");
                       },
                       {{"bolts", nullptr},
                        {"row-added", [](vtl::win::Script& s) { s.click(ctrl(1196)).click(ctrl(1088)); }}},
                       [](vtl::win::Script& s) { s.click(ctrl(IDCANCEL)); }});
    shelve(entries, GalleryGroup::Spreadsheets, "Table of texts (bolt table)");
    entries.push_back({"building-grid", "The parameters of a building grid in two directions (StartDlgGrid).",
                       kGridTemplate,
                       [] {
                           KsGridDlgData data;
                           StartDlgGrid(data);
                       },
                       {{"defaults", nullptr}},
                       [](vtl::win::Script& s) { s.click(ctrl(IDCANCEL)); }});
    shelve(entries, GalleryGroup::Engineering, "Building grid");
    entries.push_back({"look-up",
                       "The criteria of a look-up (StartDlgLookUp) offered the plate table's columns as fields and its "
                       "plates as values; exact matching with match case, and partial matching.",
                       kLookUpTemplate,
                       [] {
                           KsLookUpDlgData data = plateLookUp();
                           StartDlgLookUp(data);
                       },
                       {{"exact", nullptr}, {"partial", [](vtl::win::Script& s) { s.click(ctrl(1397)); }}},
                       [](vtl::win::Script& s) { s.click(ctrl(IDCANCEL)); }});
    shelve(entries, GalleryGroup::Spreadsheets, "Look-up criteria");
}

void playEvaluateSheet(std::ostream& out, const Play& play) {
    out << "Opened the evaluation bench on c:\\a\\t3.sss (drive c: is the library's Spreadsheets folder)\n";
    // The sheets of c:\a as they were, to show those the story saved.
    const std::string folder = vtl::base::files::resolve((gSettings.libDir() + "Spreadsheets\\a").str());
    std::map<std::string, std::string> before;
    for (const std::string& file : vtl::base::files::findFiles(folder, "*.sss")) {
        std::string bytes, error;
        if (vtl::base::files::readBinary(folder + "/" + file, bytes, error)) before[file] = std::move(bytes);
    }
    vtl::host::clearCommandLine();
    play([] { EvaluateSS(); });
    for (const std::string& file : vtl::base::files::findFiles(folder, "*.sss")) {
        std::string bytes, error;
        if (!vtl::base::files::readBinary(folder + "/" + file, bytes, error)) continue;
        const auto was = before.find(file);
        if (was == before.end() || was->second != bytes) printSavedSheet("c:\\a\\" + file, out);
    }
    printCsvFiles(folder, out);
}

bool playStringTable(const std::string& file, std::ostream& out, const Play& play) {
    SheetTable t = readSheet(file);
    if (t.names.isEmpty()) {
        out << "Cannot read the spreadsheet Spreadsheets\\" << file << "\n";
        return false;
    }
    out << "Read Spreadsheets\\" << file << ": " << t.names.length() << " columns, " << t.rows.length() << " rows\n";
    bool ok = false;
    play([&] { ok = startGridDialog(t.names, Vtl_StringArray(), t.rows, true, "", Vtl_String(file)); });
    out << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n\nThe caller's table:\n";
    printTable(t.names, t.rows, out);
    return true;
}

void playBuildingGrid(std::ostream& out, const Play& play) {
    KsGridDlgData d;
    bool ok = false;
    out << "Opened the building grid dialog\n";
    play([&] { ok = StartDlgGrid(d); });
    out << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n\nRecord handed back:\n  first: " << d.firstCount
        << " lines, distances " << d.firstDistances.str() << ", first label " << d.firstLabel.str()
        << "\n  second: " << d.secondCount << " lines, distances " << d.secondDistances.str() << ", first label "
        << d.secondLabel.str() << "\n  option: " << (d.option ? "yes" : "no") << "\n";
}

void playLookUp(std::ostream& out, const Play& play) {
    KsLookUpDlgData d = plateLookUp();
    bool ok = false;
    out << "Opened the look-up criteria on the plate table\n";
    play([&] { ok = StartDlgLookUp(d); });
    out << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n\nRecord handed back:\n";
    printLookUp(d, out);
}

}  // namespace vtlhost
