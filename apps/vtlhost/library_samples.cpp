#include "library_samples.h"

#include <algorithm>
#include <map>
#include <ostream>

#include "vtlbase/sections/dlg_edit_lib_data.h"
#include "vtlbase/sections/section_tables.h"
#include "vtlbase/sections/select_prof.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/settings.h"
#include "vtlui/vtl_prof_values_table.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/keys.h"
#include "win/messages.h"

namespace vtlhost {
namespace {
using vtl::win::ctrl;
constexpr int kSimpleTemplate = 226;
constexpr int kEditorTemplate = 209;
constexpr int kLayoutTemplate = 176;
constexpr int kInputTextTemplate = 8069;

void printRow(const Vtl_StringArray& row, std::ostream& out) {
    out << "  ";
    for (int i = 0; i < row.length(); ++i) out << (i ? " | " : "") << row[i].str();
    out << "\n";
}

void openNewSize(const char* type, const char* size) {
    Vtl_ProfValuesTable table;
    if (!table.readFromFile(Vtl_String(type) + ".pr")) return;
    int index = -1;
    StartDlgEditLibSimple(size, table, index);
}
// Item `index` of the editor's tab control.
vtl::win::Target editorTab(int index) {
    return vtl::win::located("tab " + std::to_string(index), [index]() -> std::optional<POINT> {
        const HWND tabs = ::GetDlgItem(::GetActiveWindow(), 8097);
        RECT r;
        if (!tabs || !::SendMessage(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
            return std::nullopt;
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ::ClientToScreen(tabs, &p);
        return p;
    });
}

void openSectionLibrary(const char* sysName) {
    DlgEditLibData data;
    data.readFromFile();
    StartDlgEditLibSections(data, sysName);
}

void printCatalogue(const DlgEditLibData& data, std::ostream& out) {
    out << "Groups:\n";
    Vtl_StringArray groupNames;
    AcArray<int> ids;
    data.groups.namesOfAllGroups(groupNames, ids);
    for (int i = 0; i < data.groups.length(); ++i)
        out << "  " << groupNames[i].str() << (data.groups.getEnabled(i) ? "" : " (off)") << ", picture "
            << data.groups.getImage(i).str() << "\n";
    out << "Types:\n";
    for (const SectionType& t : data.types) {
        std::string group = "none";
        for (int g = 0; g < ids.length(); ++g)
            if (ids[g] == t.groupId) group = groupNames[g].str();
        out << "  " << t.getName().str() << (t.active ? "" : " (off)") << ": table " << t.table.str() << ", group " << group
            << ", picture " << t.picture.str() << "\n";
    }
}
}  // namespace

bool playSectionLibrary(const std::vector<std::string>& args, std::ostream& out, const LibraryPlay& play) {
    std::vector<std::string> rest = args;
    const bool thenSelector = !rest.empty() && rest.back() == "then-selector";
    if (thenSelector) rest.pop_back();
    const Vtl_String section = rest.empty() ? Vtl_String() : Vtl_String(rest.front());
    DlgEditLibData data;
    if (!data.readFromFile()) {
        out << "The section catalogue prof\\Sections.lib cannot be read\n";
        return false;
    }
    out << "Opened the section library editor (" << data.groups.length() << " groups, " << data.types.length() << " types)"
        << (section.isEmpty() ? std::string() : " on " + section.str()) << "\n";
    DlgEditLibData files;
    files.GetAvailableFiles();
    std::map<std::string, Vtl_StringArray> linesBefore;
    for (const Vtl_String& name : files.tableNames)
        ObjectExportReadFile(gSettings.libDir() + "prof\\" + name + ".pr", linesBefore[name.str()]);
    bool ok = false, chosen = false;
    DlgSelectProfData selection;
    play([&] {
        ok = StartDlgEditLibSections(data, section);
        if (thenSelector) chosen = DlgSelectProf(selection, true);
    });
    out << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n";
    if (ok) {
        out << "\nCatalogue handed back:\n";
        printCatalogue(data, out);
        if (!data.writeToFile()) out << "The catalogue cannot be stored back\n";
    }
    // The values tables new or changed, as now stored: a new one whole, a changed one by its column names
    // and first size.
    DlgEditLibData after;
    after.GetAvailableFiles();
    for (const Vtl_String& name : after.tableNames) {
        const bool added = !files.tableNames.contains(name);
        Vtl_StringArray lines;
        ObjectExportReadFile(gSettings.libDir() + "prof\\" + name + ".pr", lines);
        if (!added && lines == linesBefore[name.str()]) continue;
        Vtl_ProfValuesTable table;
        if (!table.readFromFile(name + ".pr")) continue;
        out << "\n" << (added ? "New" : "Changed") << " values table " << name.str() << " (shape " << table.shape.str()
            << ", " << table.rows.length() << " sizes):\n";
        printRow(table.columnNames, out);
        for (int r = 0; r < table.rows.length() && (added || r < 1); ++r) printRow(table.rows[r], out);
    }
    for (const Vtl_String& name : files.tableNames)
        if (!after.tableNames.contains(name)) out << "\nValues table " << name.str() << " removed\n";
    if (thenSelector) {
        out << "\nSection selector ended with " << (chosen ? "OK" : "Cancel") << "\n";
        Vtl_String userName;
        if (chosen) {
            out << "  profName: " << selection.profName.str() << "\n";
            if (gSectionTables.getUserName(selection.profName, userName)) out << "  shown as: " << userName.str() << "\n";
        }
    }
    return true;
}

bool playNewSize(const std::string& type, const std::string& size, std::ostream& out, const LibraryPlay& play) {
    Vtl_ProfValuesTable table;
    if (!table.readFromFile(Vtl_String(type) + ".pr")) {
        out << "The section table prof\\" << type << ".pr cannot be read\n";
        return false;
    }
    const int before = table.rows.length();
    out << "Opened the new-size editor on the section table " << type << " (" << before << " sizes) from the size "
        << size << "\n";
    int index = -1;
    bool ok = false;
    play([&] { ok = StartDlgEditLibSimple(Vtl_String(size), table, index); });
    out << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n";
    if (!ok) return true;
    out << "\nSizes now " << table.rows.length() << ", the new size at " << index << " among the active sizes\n";
    // The rows around the new one, as the table now reads.
    Vtl_StringArray active;
    table.getFilteredSysNames(active);
    if (index >= 0 && index < active.length()) {
        int row = -1;
        const Vtl_String sys = active[index].getSubStringAt(table.typeName.length() + 1);
        table.findSysName(sys, row);
        for (int r = std::max(0, row - 1); r <= std::min(table.rows.length() - 1, row + 1); ++r) printRow(table.rows[r], out);
    }
    if (!table.writeToFile(Vtl_String(type) + ".pr")) out << "The section table cannot be stored back\n";
    return true;
}

void registerLibraryEntries(std::vector<GalleryEntry>& entries) {
    entries.push_back({"new-section-size",
                       "The new-size editor on the unequal angles (LU), starting from L 100x65x7: the angle's "
                       "picture, its values A to H and the name built from them; a free name; a name in use.",
                       kSimpleTemplate, [] { openNewSize("LU", "100x65x7"); },
                       {{"opened", nullptr},
                        {"from-values", [](vtl::win::Script& s) {
                             s.click(ctrl(1302)).key('A', vtl::win::ModCtrl).type("50").click(ctrl(1304)).key('A', vtl::win::ModCtrl).type("6");
                         }},
                        {"free-name", [](vtl::win::Script& s) {
                             s.click(ctrl(1359)).click(ctrl(1000)).key('A', vtl::win::ModCtrl).type("100x50x6 special");
                         }},
                        {"name-in-use", [](vtl::win::Script& s) {
                             s.click(ctrl(1000)).key('A', vtl::win::ModCtrl).type("100x65x8").click(ctrl(IDOK))
                                 .waitFor(vtl::win::messageBoxContaining("already used"));
                         }}},
                       [](vtl::win::Script& s) { s.answer(IDOK).key(VK_ESCAPE); }});
    shelve(entries, GalleryGroup::SectionLibrary, "New section size (unequal angles)");
    entries.push_back({"section-library",
                       "The section library editor on the sample library: the section groups and types of its "
                       "catalogue, each with its picture and names per language, and the values tables of the types.",
                       kEditorTemplate, [] { openSectionLibrary(""); },
                       {{"groups", nullptr},
                        {"types", [](vtl::win::Script& s) { s.click(editorTab(1)); }},
                        {"types-angles", [](vtl::win::Script& s) { s.select(ctrl(1199), "[x] Unequal angle"); }}}});
    shelve(entries, GalleryGroup::SectionLibrary, "Section library editor");
    entries.push_back({"section-library-tables",
                       "The values tables of the section library editor opened on HEA-200: the HEA table in the grid "
                       "with its shape, the save question after an edit, the rename and the grid layout dialog.",
                       kEditorTemplate, [] { openSectionLibrary("HEA-200"); },
                       {{"hea", nullptr},
                        {"sigma-drawing-shape", [](vtl::win::Script& s) { s.select(ctrl(1248), "SIGMA"); }},
                        {"save-question", [](vtl::win::Script& s) {
                             s.click(ctrl(1205)).select(ctrl(1248), "IPE").waitFor(vtl::win::messageBoxContaining("Save the changes"));
                         }},
                        {"rename", [](vtl::win::Script& s) {
                             s.answer(IDNO).click(ctrl(1201)).waitFor(vtl::win::dialogWithTemplate(kInputTextTemplate));
                         }},
                        {"grid-layout", [](vtl::win::Script& s) {
                             s.key(VK_ESCAPE)
                                 .waitFor(vtl::win::dialogWithTemplate(kEditorTemplate))
                                 .click(ctrl(1200))
                                 .waitFor(vtl::win::dialogWithTemplate(kLayoutTemplate));
                         }}},
                       [](vtl::win::Script& s) {
                           s.key(VK_ESCAPE).waitFor(vtl::win::dialogWithTemplate(kEditorTemplate)).key(VK_ESCAPE);
                       }});
    shelve(entries, GalleryGroup::SectionLibrary, "Values tables of the section library");
}

}  // namespace vtlhost
