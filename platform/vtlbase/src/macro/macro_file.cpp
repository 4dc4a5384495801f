// Macro records as JSON. Every field has a key; missing keys keep their defaults, keys of the wrong type
// fail the whole read.
#include "vtlbase/macro/macro_file.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "vtlbase/file_functions.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/settings.h"

namespace {
using nlohmann::json;

json texts(const Vtl_StringArray& a) {
    json out = json::array();
    for (const Vtl_String& s : a) out.push_back(s.str());
    return out;
}

void read(const json& j, const char* key, Vtl_String& into) {
    if (j.contains(key)) into = Vtl_String(j.at(key).get<std::string>());
}
// A whole number that an int holds; anything else (1e300, 2^40, 1.5) fails the read instead of being cut.
int intOf(const json& v) {
    if (v.is_number_integer()) {
        if (v.is_number_unsigned()) {
            const auto u = v.get<std::uint64_t>();
            if (u <= static_cast<std::uint64_t>(std::numeric_limits<int>::max())) return static_cast<int>(u);
        } else {
            const auto i = v.get<std::int64_t>();
            if (i >= std::numeric_limits<int>::min() && i <= std::numeric_limits<int>::max()) return static_cast<int>(i);
        }
    } else if (v.is_number_float()) {
        const double d = v.get<double>();
        if (std::isfinite(d) && d == std::trunc(d) && d >= std::numeric_limits<int>::min() && d <= std::numeric_limits<int>::max())
            return static_cast<int>(d);
    } else {
        return v.get<int>();  // the library's own type error
    }
    throw std::runtime_error("the number " + v.dump() + " is not a whole number of a usable size");
}
void read(const json& j, const char* key, int& into) {
    if (j.contains(key)) into = intOf(j.at(key));
}
void read(const json& j, const char* key, double& into) {
    if (j.contains(key)) into = j.at(key).get<double>();
}
void read(const json& j, const char* key, bool& into) {
    if (j.contains(key)) into = j.at(key).get<bool>();
}
void read(const json& j, const char* key, Vtl_StringArray& into) {
    if (!j.contains(key)) return;
    into.removeAll();
    for (const json& s : j.at(key)) into.append(Vtl_String(s.get<std::string>()));
}
template <class T, class F>
void readArray(const json& j, const char* key, Vtl_Array<T>& into, F each) {
    if (!j.contains(key)) return;
    into.removeAll();
    for (const json& item : j.at(key)) {
        T value;
        each(item, value);
        into.append(value);
    }
}

json side(const MacroPatternSide& s) {
    return {{"firstValueSwitch", s.firstValueSwitch}, {"firstValue", s.firstValue.str()}, {"secondValue", s.secondValue.str()},
            {"distribution", s.distribution},         {"sideOption", s.sideOption},       {"values", texts(s.values)}};
}
void side(const json& j, MacroPatternSide& s) {
    read(j, "firstValueSwitch", s.firstValueSwitch);
    read(j, "firstValue", s.firstValue);
    read(j, "secondValue", s.secondValue);
    read(j, "distribution", s.distribution);
    read(j, "sideOption", s.sideOption);
    read(j, "values", s.values);
}

json tabJson(const MacroTabData& t) {
    json j = {{"kind", t.kind},           {"module", t.moduleName.str()},   {"display", t.displayName.str()},
              {"design", t.designFile.str()}, {"imageFlag", t.imageFlag},   {"imageFolder", t.imageFolder.str()},
              {"currentImage", t.currentImage.str()}};
    j["cells"] = json::array();
    for (const MacroCell& c : t.cells)
        j["cells"].push_back({{"name", c.name.str()}, {"label", c.label.str()}, {"value", c.value.str()},
                              {"valueType", c.valueType}, {"readOnly", c.readOnly}, {"items", texts(c.items)}});
    j["patterns"] = json::array();
    for (const MacroPatternProps& p : t.patterns)
        j["patterns"].push_back({{"label", p.label.str()}, {"name", p.name.str()}, {"count", p.countText.str()},
                                 {"shown", p.shown}, {"hasButton", p.hasButton}, {"kind", p.kind},
                                 {"side1", side(p.side1)}, {"side2", side(p.side2)},
                                 {"options", {p.options[0], p.options[1], p.options[2], p.options[3]}}});
    const MacroBoltData& b = t.bolt;
    json holes = json::array();
    for (const MacroSlottedHole& h : b.slottedHoles)
        holes.push_back({{"active", h.active}, {"choice", h.choice}, {"firstSize", h.firstSize.str()},
                         {"length", h.length.str()}, {"angle", h.angle.str()}, {"fourth", h.fourth.str()}});
    json used = json::array();
    for (int i = 0; i < b.holeColumnsUsed.length(); ++i) used.push_back(b.holeColumnsUsed[i]);
    j["bolt"] = {{"assembly", b.assembly.str()}, {"diameter", b.diameter.str()}, {"holeTolerance", b.holeTolerance.str()},
                 {"penetrationLength", b.penetrationLength.str()}, {"addedLength", b.addedLength.str()},
                 {"boltedInWorkshop", b.boltedInWorkshop}, {"countersunk", b.countersunk},
                 {"flipOrientation", b.flipOrientation}, {"tapped", b.tapped}, {"nut1", b.nut1}, {"nut2", b.nut2},
                 {"washer1", b.washer1}, {"washer2", b.washer2}, {"washers", b.washers}, {"optionCount", b.optionCount},
                 {"option", b.option}, {"holeColumnsUsed", used}, {"holeColumnTexts", texts(b.holeColumnTexts)},
                 {"slottedHoles", holes}};
    j["profiles"] = json::array();
    for (const MacroProfData& p : t.profiles) {
        json prof = {{"group", p.groupName.str()}, {"section", p.sectionName.str()}, {"offsetType", p.offsetType},
                     {"offsetX", p.offsetX}, {"offsetY", p.offsetY}, {"onOneSegment", p.onOneSegment},
                     {"segmentNumber", p.segmentNumber}, {"rotation", p.rotation.str()}, {"option", p.option},
                     {"plane", p.plane.str()}, {"morphed", p.morphed}, {"secondSection", p.secondSection.str()},
                     {"morphValue1", p.morphValue1.str()}, {"morphValue2", p.morphValue2.str()},
                     {"referenceChoice", p.referenceChoice}};
        // A point of the section picked to place the profile by (only when one was picked).
        if (p.sectionPointChosen) prof["sectionPoint"] = json::array({p.sectionPoint.x, p.sectionPoint.y});
        j["profiles"].push_back(prof);
    }
    j["arrays"] = json::array();
    for (const DynArrayData& a : t.arrays) {
        json entries = json::array();
        for (const DynArrayEntry& e : a.entries) entries.push_back({{"choice", e.choice}, {"flag", e.flag}, {"text", e.text.str()}});
        j["arrays"].push_back({{"kind", a.kind}, {"name", a.name.str()}, {"label", a.label.str()}, {"design", a.designName.str()},
                               {"values", {a.values[0].str(), a.values[1].str(), a.values[2].str(), a.values[3].str()}},
                               {"kind1Value", a.kind1Value.str()}, {"firstDimension", a.firstDimension.str()},
                               {"secondDimension", a.secondDimension.str()}, {"thirdDimension", a.thirdDimension.str()},
                               {"option", a.option}, {"entries", entries}});
    }
    j["cuts"] = json::array();
    for (const MacroCutData& c : t.cuts) j["cuts"].push_back({{"name", c.name.str()}, {"number", c.number}});
    j["flexFixGroups"] = json::array();
    for (const MacroFlexFixGroup& g : t.flexFixGroups) {
        json flexible = json::array();
        for (int i = 0; i < g.flexible.length(); ++i) flexible.push_back(g.flexible[i]);
        j["flexFixGroups"].push_back({{"name", g.name.str()}, {"buttons", texts(g.buttons)}, {"flexible", flexible}});
    }
    j["segmentedProfiles"] = json::array();
    for (const MacroProfSegmentedData& s : t.segmentedProfiles) {
        json numbers = json::array(), values = json::array();
        for (int i = 0; i < s.segmentNumbers.length(); ++i) numbers.push_back(s.segmentNumbers[i]);
        for (int i = 0; i < s.segmentValues.length(); ++i) values.push_back(s.segmentValues[i]);
        j["segmentedProfiles"].push_back({{"name", s.name.str()}, {"description", s.description.str()},
                                          {"clearance", s.clearance}, {"breakAtEveryPoint", s.breakAtEveryPoint},
                                          {"segmentNumbers", numbers}, {"segmentValues", values}});
    }
    return j;
}

void tabFrom(const json& j, MacroTabData& t) {
    read(j, "kind", t.kind);
    read(j, "module", t.moduleName);
    read(j, "display", t.displayName);
    read(j, "design", t.designFile);
    read(j, "imageFlag", t.imageFlag);
    read(j, "imageFolder", t.imageFolder);
    read(j, "currentImage", t.currentImage);
    readArray(j, "cells", t.cells, [](const json& c, MacroCell& cell) {
        read(c, "name", cell.name);
        read(c, "label", cell.label);
        read(c, "value", cell.value);
        read(c, "valueType", cell.valueType);
        read(c, "readOnly", cell.readOnly);
        read(c, "items", cell.items);
        if (cell.valueType < MacroCell::number || cell.valueType > MacroCell::yesNo) throw std::runtime_error("cell \"" + cell.name.str() + "\" has an unknown value type");
    });
    readArray(j, "patterns", t.patterns, [](const json& p, MacroPatternProps& pattern) {
        read(p, "label", pattern.label);
        read(p, "name", pattern.name);
        read(p, "count", pattern.countText);
        read(p, "shown", pattern.shown);
        read(p, "hasButton", pattern.hasButton);
        read(p, "kind", pattern.kind);
        if (p.contains("side1")) side(p.at("side1"), pattern.side1);
        if (p.contains("side2")) side(p.at("side2"), pattern.side2);
        if (p.contains("options"))
            for (std::size_t i = 0; i < 4 && i < p.at("options").size(); ++i) pattern.options[i] = intOf(p.at("options")[i]);
    });
    if (j.contains("bolt")) {
        const json& b = j.at("bolt");
        MacroBoltData& bolt = t.bolt;
        read(b, "assembly", bolt.assembly);
        read(b, "diameter", bolt.diameter);
        read(b, "holeTolerance", bolt.holeTolerance);
        read(b, "penetrationLength", bolt.penetrationLength);
        read(b, "addedLength", bolt.addedLength);
        read(b, "boltedInWorkshop", bolt.boltedInWorkshop);
        read(b, "countersunk", bolt.countersunk);
        read(b, "flipOrientation", bolt.flipOrientation);
        read(b, "tapped", bolt.tapped);
        read(b, "nut1", bolt.nut1);
        read(b, "nut2", bolt.nut2);
        read(b, "washer1", bolt.washer1);
        read(b, "washer2", bolt.washer2);
        read(b, "washers", bolt.washers);
        read(b, "optionCount", bolt.optionCount);
        read(b, "option", bolt.option);
        read(b, "holeColumnTexts", bolt.holeColumnTexts);
        if (b.contains("holeColumnsUsed")) {
            bolt.holeColumnsUsed.removeAll();
            for (const json& u : b.at("holeColumnsUsed")) bolt.holeColumnsUsed.append(u.get<bool>());
        }
        if (bolt.holeColumnsUsed.length() != bolt.holeColumnTexts.length()) throw std::runtime_error("hole columns do not pair up");
        readArray(b, "slottedHoles", bolt.slottedHoles, [](const json& h, MacroSlottedHole& hole) {
            read(h, "active", hole.active);
            read(h, "choice", hole.choice);
            read(h, "firstSize", hole.firstSize);
            read(h, "length", hole.length);
            read(h, "angle", hole.angle);
            read(h, "fourth", hole.fourth);
        });
    }
    readArray(j, "profiles", t.profiles, [](const json& p, MacroProfData& prof) {
        read(p, "group", prof.groupName);
        read(p, "section", prof.sectionName);
        read(p, "offsetType", prof.offsetType);
        read(p, "offsetX", prof.offsetX);
        read(p, "offsetY", prof.offsetY);
        read(p, "onOneSegment", prof.onOneSegment);
        read(p, "segmentNumber", prof.segmentNumber);
        read(p, "rotation", prof.rotation);
        read(p, "option", prof.option);
        read(p, "plane", prof.plane);
        read(p, "morphed", prof.morphed);
        read(p, "secondSection", prof.secondSection);
        read(p, "morphValue1", prof.morphValue1);
        read(p, "morphValue2", prof.morphValue2);
        read(p, "referenceChoice", prof.referenceChoice);
        if (p.contains("sectionPoint")) {
            const json& point = p.at("sectionPoint");
            if (!point.is_array() || point.size() != 2) throw std::runtime_error("a section point has two numbers");
            prof.sectionPointChosen = true;
            prof.sectionPoint = {point[0].get<double>(), point[1].get<double>()};
        }
    });
    readArray(j, "arrays", t.arrays, [](const json& a, DynArrayData& array) {
        read(a, "kind", array.kind);
        read(a, "name", array.name);
        read(a, "label", array.label);
        read(a, "design", array.designName);
        if (a.contains("values"))
            for (std::size_t i = 0; i < 4 && i < a.at("values").size(); ++i) array.values[i] = Vtl_String(a.at("values")[i].get<std::string>());
        read(a, "kind1Value", array.kind1Value);
        read(a, "firstDimension", array.firstDimension);
        read(a, "secondDimension", array.secondDimension);
        read(a, "thirdDimension", array.thirdDimension);
        read(a, "option", array.option);
        readArray(a, "entries", array.entries, [](const json& e, DynArrayEntry& entry) {
            read(e, "choice", entry.choice);
            read(e, "flag", entry.flag);
            read(e, "text", entry.text);
        });
    });
    readArray(j, "cuts", t.cuts, [](const json& c, MacroCutData& cut) {
        read(c, "name", cut.name);
        read(c, "number", cut.number);
    });
    readArray(j, "flexFixGroups", t.flexFixGroups, [](const json& g, MacroFlexFixGroup& group) {
        read(g, "name", group.name);
        read(g, "buttons", group.buttons);
        if (g.contains("flexible"))
            for (const json& f : g.at("flexible")) group.flexible.append(f.get<bool>());
        while (group.flexible.length() < group.buttons.length()) group.flexible.append(false);
    });
    readArray(j, "segmentedProfiles", t.segmentedProfiles, [](const json& s, MacroProfSegmentedData& seg) {
        read(s, "name", seg.name);
        read(s, "description", seg.description);
        read(s, "clearance", seg.clearance);
        read(s, "breakAtEveryPoint", seg.breakAtEveryPoint);
        if (s.contains("segmentNumbers"))
            for (const json& n : s.at("segmentNumbers")) seg.segmentNumbers.append(intOf(n));
        if (s.contains("segmentValues"))
            for (const json& v : s.at("segmentValues")) seg.segmentValues.append(v.get<double>());
        if (seg.segmentNumbers.length() != seg.segmentValues.length()) throw std::runtime_error("segments do not pair up");
        seg.segmentCount = seg.segmentNumbers.length();
    });
}
}  // namespace

std::string macroToJson(const MacroData& m) {
    json j = {{"format", "vtl-macro"},
              {"version", 1},
              {"macroType", m.macroType.str()},
              {"caption", m.caption.str()},
              {"filterList1", texts(m.filterList1)},
              {"filterList2", texts(m.filterList2)},
              {"currentFilter1", m.currentFilter1},
              {"currentFilter2", m.currentFilter2},
              {"firstTab", m.firstTabName.str()},
              {"macroCount", m.macroCount},
              {"groupNames", texts(m.groupNames)},
              {"groupIndex", m.groupIndex},
              {"moduleNames", texts(m.moduleNames)},
              {"propertyListsAllowed", m.propertyListsAllowed}};
    j["tabs"] = json::array();
    for (const MacroTabData& t : m.tabs) j["tabs"].push_back(tabJson(t));
    return j.dump(2);
}

bool macroFromJson(const std::string& text, MacroData& macro, std::string& error) {
    try {
        const json j = json::parse(text);
        if (!j.is_object() || j.value("format", "") != "vtl-macro") {
            error = "not a macro file";
            return false;
        }
        if (j.value("version", 0) != 1) {
            error = "macro file version " + std::to_string(j.value("version", 0)) + " is not supported";
            return false;
        }
        MacroData m;
        read(j, "macroType", m.macroType);
        read(j, "caption", m.caption);
        read(j, "filterList1", m.filterList1);
        read(j, "filterList2", m.filterList2);
        read(j, "currentFilter1", m.currentFilter1);
        read(j, "currentFilter2", m.currentFilter2);
        read(j, "firstTab", m.firstTabName);
        read(j, "macroCount", m.macroCount);
        read(j, "groupNames", m.groupNames);
        read(j, "groupIndex", m.groupIndex);
        read(j, "moduleNames", m.moduleNames);
        read(j, "propertyListsAllowed", m.propertyListsAllowed);
        readArray(j, "tabs", m.tabs, [](const json& t, MacroTabData& tab) { tabFrom(t, tab); });
        macro = m;
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

bool readMacroFile(const Vtl_String& path, MacroData& macro, std::string& error) {
    std::string text;
    if (!vtl::base::files::readText(path.view(), text, error)) return false;
    return macroFromJson(text, macro, error);
}

bool writeMacroFile(const Vtl_String& path, const MacroData& macro, std::string& error) {
    return vtl::base::files::writeText(path.view(), macroToJson(macro) + "\n", error);
}

namespace {
Vtl_String macroFolder() { return gSettings.libDir() + Vtl_String("Macros\\"); }
}  // namespace

Vtl_StringArray libraryMacroNames() {
    Vtl_StringArray names;
    for (const std::string& file : vtl::base::files::findFiles(macroFolder().view(), "*.macro"))
        names.append(removeExtension(Vtl_String(file)));
    return names;
}

bool readLibraryMacro(const Vtl_String& name, MacroData& macro, std::string& error) {
    MacroData read;
    if (!readMacroFile(macroFolder() + name + Vtl_String(".macro"), read, error)) return false;
    const Vtl_String designs = gSettings.libDir() + Vtl_String("Dialog Templates\\Dialog Design\\");
    for (MacroTabData& tab : read.tabs) {
        const std::string& d = tab.designFile.str();
        if (!d.empty() && d.find(':') == std::string::npos && d.front() != '\\' && d.front() != '/')
            tab.designFile = designs + tab.designFile + Vtl_String(".txt");
    }
    macro = read;
    return true;
}
