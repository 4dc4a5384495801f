// The section library's catalogue of groups and types.
#include "vtlbase/sections/dlg_edit_lib_data.h"

#include <algorithm>

#include "vtlbase/file_functions.h"
#include "vtlbase/macro_langs.h"
#include "vtlbase/settings.h"
#include "vtlbase/text_functions.h"

namespace {
const char* const kDefaultGroupNames[] = {"Nieuwe groep", "New group", "Nouveau groupe", "Neue Gruppe"};

Vtl_String nameIn(const Vtl_StringArray& names, const Vtl_String& fallback) {
    Vtl_StringArray languages;
    gMacroLangs.GetAllLanguages(languages);
    const int current = languages.find(gMacroLangs.GetCurLanguage());
    if (current >= 0 && current < names.length() && !names[current].isEmpty()) return names[current];
    const int english = languages.find("English");
    if (english >= 0 && english < names.length() && !names[english].isEmpty()) return names[english];
    for (const Vtl_String& n : names)
        if (!n.isEmpty()) return n;
    return fallback;
}

Vtl_StringArray baseNames(const Vtl_StringArray& files, int cut) {
    Vtl_StringArray names;
    for (const Vtl_String& f : files) {
        const Vtl_String name = getFileName(f);
        names.append(name.getSubStringAt(0, name.length() - cut));
    }
    sortNatural(names);
    return names;
}
}  // namespace

Vtl_String SectionGroupArray::getName(int i) const {
    return valid(i) ? nameIn(groups_[static_cast<std::size_t>(i)].names, Vtl_String()) : Vtl_String();
}
int SectionGroupArray::getId(int i) const { return valid(i) ? groups_[static_cast<std::size_t>(i)].id : -1; }
bool SectionGroupArray::getEnabled(int i) const { return valid(i) && groups_[static_cast<std::size_t>(i)].enabled; }
void SectionGroupArray::setEnabled(int i, bool enabled) {
    if (valid(i)) groups_[static_cast<std::size_t>(i)].enabled = enabled;
}
Vtl_String SectionGroupArray::getImage(int i) const {
    return valid(i) ? groups_[static_cast<std::size_t>(i)].image : Vtl_String();
}
void SectionGroupArray::setImage(int i, const Vtl_String& image) {
    if (valid(i)) groups_[static_cast<std::size_t>(i)].image = image;
}
void SectionGroupArray::getLangs(int i, Vtl_StringArray& names) const {
    names = valid(i) ? groups_[static_cast<std::size_t>(i)].names : Vtl_StringArray();
}
void SectionGroupArray::setLangs(int i, const Vtl_StringArray& names) {
    if (valid(i)) groups_[static_cast<std::size_t>(i)].names = names;
}

int SectionGroupArray::appendNewGrp() {
    int id = 0;
    for (const Group& g : groups_) id = std::max(id, g.id + 1);
    Vtl_StringArray names;
    for (const char* n : kDefaultGroupNames) names.append(n);
    appendGroup(id, true, Vtl_String(), names);
    return length() - 1;
}

void SectionGroupArray::appendGroup(int id, bool enabled, const Vtl_String& image, const Vtl_StringArray& names) {
    groups_.push_back({id, enabled, image, names});
}

bool SectionGroupArray::removeAt(int i) {
    if (!valid(i)) return false;
    groups_.erase(groups_.begin() + i);
    return true;
}

void SectionGroupArray::namesOfAllGroups(Vtl_StringArray& names, AcArray<int>& ids) const {
    names.removeAll();
    ids.removeAll();
    for (int i = 0; i < length(); ++i) {
        names.append(getName(i));
        ids.append(getId(i));
    }
}

Vtl_String SectionType::getName() const { return nameIn(names, table); }

void DlgEditLibData::GetAvailableFiles() {
    const Vtl_String lib = gSettings.libDir();
    const auto find = [&lib](const char* folder, const char* pattern) {
        Vtl_StringArray files;
        ObjectExportFindFiles(lib + folder, pattern, files);
        return files;
    };
    tableNames = baseNames(find("prof\\", "*.pr"), 3);
    drawingNames = baseNames(find("User Sections\\", "*.dwg"), 0);
    pictureNames = baseNames(find("icons\\", "*-big.bmp"), 0);
}

Vtl_String DlgEditLibData::catalogPath() { return gSettings.libDir() + "prof\\Sections.lib"; }

bool DlgEditLibData::readFromFile() {
    Vtl_String name;
    Vtl_Array<Vtl_StringArray> rows;
    if (!readFile(catalogPath(), name, rows)) return false;
    SectionGroupArray readGroups;
    Vtl_Array<SectionType> readTypes;
    for (const Vtl_StringArray& row : rows) {
        const auto cell = [&](int i) { return i < row.length() ? row[i] : Vtl_String(); };
        Vtl_StringArray names;
        if (cell(0) == Vtl_String("G") && row.length() >= 4) {
            for (int i = 4; i < row.length(); ++i) names.append(row[i]);
            readGroups.appendGroup(cell(1).toInt(), cell(2) != Vtl_String("0"), cell(3), names);
        } else if (cell(0) == Vtl_String("T") && row.length() >= 5) {
            SectionType t;
            t.active = cell(1) != Vtl_String("0") ? 1 : 0;
            t.picture = cell(2);
            t.groupId = cell(3).isEmpty() ? -1 : cell(3).toInt();
            t.table = cell(4);
            for (int i = 5; i < row.length(); ++i) t.names.append(row[i]);
            readTypes.append(t);
        }
    }
    groups = readGroups;
    types = readTypes;
    return true;
}

bool DlgEditLibData::writeToFile() const {
    Vtl_Array<Vtl_StringArray> rows;
    for (int i = 0; i < groups.length(); ++i) {
        Vtl_StringArray row;
        row.append("G");
        row.append(Vtl_String(groups.getId(i)));
        row.append(groups.getEnabled(i) ? "1" : "0");
        row.append(groups.getImage(i));
        Vtl_StringArray names;
        groups.getLangs(i, names);
        row.append(names);
        rows.append(row);
    }
    for (const SectionType& t : types) {
        Vtl_StringArray row;
        row.append("T");
        row.append(t.active ? "1" : "0");
        row.append(t.picture);
        row.append(Vtl_String(t.groupId));
        row.append(t.table);
        row.append(t.names);
        rows.append(row);
    }
    return writeFile(catalogPath(), rows);
}
