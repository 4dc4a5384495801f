#include "vtlbase/macro/macro_data.h"

#include "macro/macro_merge.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/properties_list.h"
#include "vtlbase/settings.h"

namespace {
constexpr const char* kExtension = ".prl";
constexpr const char* kTypeKey = "macroType";

// Property-list keys: "<module>|<part>|<name>|<field>".
std::string key(const Vtl_String& module, const char* part, const Vtl_String& name, const char* field = "") {
    std::string k = module.str() + "|" + part + "|" + name.str();
    if (*field) k += std::string("|") + field;
    return k;
}

std::vector<std::string> split(const std::string& s) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto bar = s.find('|', start);
        parts.push_back(s.substr(start, bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return parts;
}

Vtl_String propertyFolder() { return gSettings.libDir() + Vtl_String("Property Lists\\"); }

// The bolt fields a property list carries.
Vtl_String* boltField(MacroBoltData& b, const std::string& name) {
    if (name == "assembly") return &b.assembly;
    if (name == "diameter") return &b.diameter;
    if (name == "holeTolerance") return &b.holeTolerance;
    if (name == "penetrationLength") return &b.penetrationLength;
    if (name == "addedLength") return &b.addedLength;
    return nullptr;
}
}  // namespace

bool MacroData::findTab(const Vtl_String& moduleName, int& index) const {
    for (int i = 0; i < tabs.length(); ++i)
        if (tabs[i].moduleName == moduleName) return index = i, true;
    return false;
}

bool MacroData::propListAllowed(const Vtl_String& moduleName) const {
    int index = 0;
    return propertyListsAllowed && !macroType.isEmpty() && findTab(moduleName, index);
}

void MacroData::getPropFiles(Vtl_String& folder, Vtl_String& extension, Vtl_StringArray& allNames,
                             Vtl_StringArray& filteredNames) const {
    folder = propertyFolder();
    extension = kExtension;
    allNames.removeAll();
    filteredNames.removeAll();
    for (const std::string& file : vtl::base::files::findFiles(folder.view(), std::string("*") + kExtension)) {
        const Vtl_String path = folder + Vtl_String(file);
        const Vtl_String name = removeExtension(Vtl_String(file));
        allNames.append(name);
        Vtl_PropertiesList list;
        Vtl_String type;
        if (list.readFromFile(path) && list.getProperty(kTypeKey, type) && type == macroType) filteredNames.append(name);
    }
}

bool MacroData::writeToFile(const Vtl_String& path) const {
    Vtl_PropertiesList list;
    list.setProperty(kTypeKey, macroType);
    for (const MacroTabData& tab : tabs) {
        for (const MacroCell& c : tab.cells)
            if (!c.readOnly) list.setProperty(key(tab.moduleName, "cell", c.name), c.value);
        for (const MacroPatternProps& p : tab.patterns) list.setProperty(key(tab.moduleName, "pattern", p.name, "count"), p.countText);
        if (!tab.bolt.assembly.isEmpty() || !tab.bolt.diameter.isEmpty()) {
            MacroBoltData bolt = tab.bolt;
            for (const char* field : {"assembly", "diameter", "holeTolerance", "penetrationLength", "addedLength"})
                list.setProperty(key(tab.moduleName, "bolt", "bolt", field), *boltField(bolt, field));
        }
        Vtl_StringArray groups;
        tab.getProfGroups(groups);
        for (const Vtl_String& g : groups) {
            MacroProfData merged;
            tab.getMergedPropsOfGroup(g, merged);
            list.setProperty(key(tab.moduleName, "profile", g, "section"), merged.sectionName);
            list.setProperty(key(tab.moduleName, "profile", g, "rotation"), merged.rotation);
        }
        for (const DynArrayData& a : tab.arrays)
            for (int v = 0; v < 4; ++v) list.setProperty(key(tab.moduleName, "array", a.name, ("value" + std::to_string(v + 1)).c_str()), a.values[v]);
        for (const MacroCutData& c : tab.cuts) list.setProperty(key(tab.moduleName, "cut", c.name), c.number);
    }
    return list.writeToFile(path);
}

bool MacroData::readFromFile(const Vtl_String& path, int& skipped) {
    skipped = 0;
    Vtl_PropertiesList list;
    if (!list.readFromFile(path)) return false;
    Vtl_String type;
    if (!list.getProperty(kTypeKey, type) || !(type == macroType)) return false;
    MacroData next = *this;
    for (const auto& [k, value] : list.entries()) {
        if (k == kTypeKey) continue;
        const auto parts = split(k);
        int t = 0;
        if (parts.size() < 3 || !next.findTab(Vtl_String(parts[0]), t)) {
            ++skipped;
            continue;
        }
        MacroTabData& tab = next.tabs[t];
        const std::string& part = parts[1];
        const Vtl_String name(parts[2]);
        const std::string field = parts.size() > 3 ? parts[3] : "";
        const Vtl_String v(value);
        int i = 0;
        bool used = false;
        if (part == "cell" && tab.findCellWithName(name, i) && !tab.cells[i].readOnly) {
            tab.cells[i].value = v;
            used = true;
        } else if (part == "pattern" && field == "count" && tab.findPatternWithName(name, i)) {
            tab.patterns[i].countText = v;
            used = true;
        } else if (part == "bolt") {
            if (Vtl_String* f = boltField(tab.bolt, field)) {
                *f = v;
                used = true;
            }
        } else if (part == "profile" && tab.findProfDataWithGroup(name, i) && (field == "section" || field == "rotation")) {
            MacroProfData merged;
            tab.getMergedPropsOfGroup(name, merged);
            (field == "section" ? merged.sectionName : merged.rotation) = v;
            used = tab.setMergedPropsOfGroup(name, merged);
        } else if (part == "array" && tab.findArrayWithName(name, i) && field.size() == 6 && field.rfind("value", 0) == 0 &&
                   field[5] >= '1' && field[5] <= '4') {
            tab.arrays[i].values[field[5] - '1'] = v;
            used = true;
        } else if (part == "cut" && tab.findCutWithName(name, i)) {
            tab.cuts[i].number = v.toInt();
            used = true;
        }
        if (!used) ++skipped;
    }
    *this = next;
    return true;
}

void MacroData::differences(const MacroData& old, Vtl_Array<AcArray<int>>& table1, Vtl_Array<AcArray<int>>& table2) const {
    table1.removeAll();
    table2.removeAll();
    for (int t = 0; t < tabs.length(); ++t) {
        AcArray<int> c1, c2;
        Vtl_StringArray names;
        int o = 0;
        if (old.findTab(tabs[t].moduleName, o)) {
            old.tabs[o].differences(tabs[t], names, c1, c2);
        } else {
            // A tab the old record did not have: all of it is new.
            const MacroTabData none;
            none.differences(tabs[t], names, c1, c2);
        }
        table1.append(c1);
        table2.append(c2);
    }
}

void MacroData::changeView(const Vtl_String& moduleName, int view) {
    vtl::base::Journal::get().record("changeView", {moduleName.str(), std::to_string(view)}, "");
}

bool MacroData::reApply() {
    vtl::base::Journal::get().record("reApply", {caption.str()}, "false");
    return false;
}

bool MacroData::getMergedPropsOfGroup(const Vtl_String& moduleName, const Vtl_String& group, MacroProfData& merged) const {
    int t = 0;
    return findTab(moduleName, t) && tabs[t].getMergedPropsOfGroup(group, merged);
}

bool MacroData::setMergedPropsOfGroup(const Vtl_String& moduleName, const Vtl_String& group, const MacroProfData& merged) {
    int t = 0;
    return findTab(moduleName, t) && tabs[t].setMergedPropsOfGroup(group, merged);
}

bool mergeMacros(const Vtl_Array<MacroData>& macros, MacroData& merged) {
    if (macros.isEmpty()) return false;
    MacroData out = macros[0];
    for (int m = 1; m < macros.length(); ++m) {
        const MacroData& other = macros[m];
        if (!(other.macroType == out.macroType) || other.tabs.length() != out.tabs.length()) return false;
        for (int t = 0; t < out.tabs.length(); ++t) {
            MacroTabData& tab = out.tabs[t];
            const MacroTabData& next = other.tabs[t];
            if (!(tab.moduleName == next.moduleName) || tab.cells.length() != next.cells.length() ||
                tab.patterns.length() != next.patterns.length())
                return false;
            vtl::base::mergeTab(tab, next);
        }
        for (int i = 0; i < other.objectIds.length(); ++i) out.objectIds.append(other.objectIds[i]);
    }
    out.macroCount = macros.length();
    merged = out;
    return true;
}
