// gSectionTables: values tables read on demand and kept while their files do not change.
#include "vtlbase/sections/section_tables.h"

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

#include "vtlbase/file_functions.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/files/paths.h"
#include "vtlbase/macro_langs.h"
#include "vtlbase/settings.h"
#include "vtlbase/text_functions.h"

Vtl_SectionTables gSectionTables;

namespace {
using Clock = std::chrono::system_clock;

struct Table {
    Clock::time_point time;
    Vtl_String shape;
    Vtl_StringArray columns;
    Vtl_Array<Vtl_StringArray> rows;               // data rows only
    std::unordered_map<std::string, int> bySize;   // "SysName" cell -> first row holding it
};

// Keyed by the table's module path, so tables of another library folder never mix in.
std::map<std::string, Table>& cache() {
    static std::map<std::string, Table> tables;
    return tables;
}

Vtl_String tablePath(const Vtl_String& typeName) { return gSettings.libDir() + "prof\\" + typeName + ".pr"; }

// The table of a type, read again when its file changed; nullptr when there is none.
const Table* tableOf(const Vtl_String& typeName) {
    std::string reason;
    if (typeName.isEmpty() || !vtl::base::files::validFileName(typeName.view(), reason)) return nullptr;
    const Vtl_String path = tablePath(typeName);
    auto& tables = cache();
    const auto time = vtl::base::files::fileTime(path.view());
    if (!time) {
        tables.erase(path.str());
        return nullptr;
    }
    if (const auto found = tables.find(path.str()); found != tables.end() && found->second.time == *time)
        return &found->second;
    Vtl_String readName;
    Vtl_Array<Vtl_StringArray> rows;
    if (!readFile(path, readName, rows)) {
        tables.erase(path.str());
        return nullptr;
    }
    Table table;
    table.time = *time;
    if (rows.length() > 0 && rows[0].length() > 0) table.shape = rows[0][0];
    if (rows.length() > 1) table.columns = rows[1];
    for (int i = 2; i < rows.length(); ++i) table.rows.append(std::move(rows[i]));
    for (int i = 0; i < table.rows.length(); ++i)
        if (table.rows[i].length() > 0) table.bySize.emplace(table.rows[i][0].str(), i);
    return &(tables[path.str()] = std::move(table));
}

// The display name of a row: the current language's column, else the English one.
Vtl_String displayName(const Table& table, const Vtl_StringArray& row) {
    for (const Vtl_String& language : {gMacroLangs.GetCurLanguage(), Vtl_String("English")}) {
        const int column = table.columns.find(language);
        if (column >= 0 && column < row.length() && !row[column].isEmpty()) return row[column];
    }
    return Vtl_String();
}
}  // namespace

namespace vtl::base {
Vtl_String sectionTypeOf(const Vtl_String& sysName) {
    const int dash = sysName.findSubString("-");
    return dash < 0 ? sysName : sysName.getSubStringAt(0, dash);
}
}  // namespace vtl::base

bool Vtl_SectionTables::getUserName(const Vtl_String& sysName, Vtl_String& userName) const {
    const int dash = sysName.findSubString("-");
    if (dash < 0) return false;
    const Table* table = tableOf(sysName.getSubStringAt(0, dash));
    if (!table) return false;
    const auto row = table->bySize.find(sysName.getSubStringAt(dash + 1).str());
    if (row == table->bySize.end()) return false;
    Vtl_String name = displayName(*table, table->rows[row->second]);
    if (name.isEmpty()) return false;
    userName = name;
    return true;
}

bool Vtl_SectionTables::findTable(const Vtl_String& sysName, Vtl_String& typeName, Vtl_String& shape) const {
    const Vtl_String type = vtl::base::sectionTypeOf(sysName);
    const Table* table = tableOf(type);
    if (!table) return false;
    typeName = type;
    shape = table->shape;
    return true;
}

void Vtl_SectionTables::getTypeNames(Vtl_StringArray& typeNames) const {
    typeNames.removeAll();
    for (const auto& file : vtl::base::files::findFiles((gSettings.libDir() + "prof\\").view(), "*.pr"))
        typeNames.append(removeExtension(Vtl_String(file)));
    sortNatural(typeNames);
}

bool Vtl_SectionTables::getShape(const Vtl_String& typeName, Vtl_String& shape) const {
    const Table* table = tableOf(typeName);
    if (!table) return false;
    shape = table->shape;
    return true;
}

bool Vtl_SectionTables::getSizes(const Vtl_String& typeName, bool activeOnly, Vtl_StringArray& sysNames,
                                 Vtl_StringArray& userNames) const {
    sysNames.removeAll();
    userNames.removeAll();
    const Table* table = tableOf(typeName);
    if (!table) return false;
    for (const Vtl_StringArray& row : table->rows) {
        if (row.length() == 0 || row[0].isEmpty()) continue;
        if (activeOnly && (row.length() < 2 || row[1] != Vtl_String("1"))) continue;
        const Vtl_String sysName = typeName + "-" + row[0];
        const Vtl_String name = displayName(*table, row);
        sysNames.append(sysName);
        userNames.append(name.isEmpty() ? sysName : name);
    }
    return true;
}

void Vtl_SectionTables::reset() { cache().clear(); }
