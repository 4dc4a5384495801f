#include "vtlbase/drawing/catalogue.h"

#include <algorithm>
#include <cstdlib>

#include "vtlbase/ui_text.h"

namespace {
struct Assembly {
    const char* name;
    std::vector<double> diameters;
};

// A small bolt catalogue: assemblies and the diameters each comes in (millimetres).
const std::vector<Assembly>& assemblies() {
    static const std::vector<Assembly> list = {
        {"Hexagon bolt 8.8", {12, 16, 20, 24, 27, 30, 36}},
        {"Hexagon bolt 10.9", {16, 20, 24, 27, 30}},
        {"HV set 10.9", {12, 16, 20, 22, 24, 27, 30, 36}},
        {"Anchor bolt 4.6", {16, 20, 24, 30, 36, 42}},
    };
    return list;
}

Vtl_String diameterText(double d) { return Vtl_String(static_cast<int>(d)); }

constexpr int kOffsetTypes = 13;
}  // namespace

void GetAssemblies(Vtl_StringArray& out) {
    out.removeAll();
    for (const Assembly& a : assemblies()) out.append(a.name);
}

void GetDiameters(const Vtl_String& assembly, Vtl_StringArray& out) {
    out.removeAll();
    for (const Assembly& a : assemblies())
        if (assembly.equal(a.name, false))
            for (double d : a.diameters) out.append(diameterText(d));
}

void GetMergedDiameters(const MacroData& macro, const Vtl_String& moduleName, AcArray<double>& out) {
    out.removeAll();
    int t = 0;
    if (!macro.findTab(moduleName, t)) return;
    // Every macro edited together has this tab's assembly; a mixed assembly offers the diameters all share.
    const Vtl_String& assembly = macro.tabs[t].bolt.assembly;
    std::vector<double> shared;
    bool first = true;
    for (const Assembly& a : assemblies()) {
        const bool wanted = assembly == mixedValueText() || assembly.equal(a.name, false);
        if (!wanted) continue;
        if (first) {
            shared = a.diameters;
            first = false;
        } else {
            std::vector<double> both;
            for (double d : shared)
                if (std::find(a.diameters.begin(), a.diameters.end(), d) != a.diameters.end()) both.push_back(d);
            shared = both;
        }
    }
    for (double d : shared) out.append(d);
}

Vtl_StringArray getOffsetTypeStrings(bool) {
    // Indices 3 and 5 to 12 are the nine positions of the advanced dialog's 3 x 3 buttons.
    Vtl_StringArray names{"Free offset", "Top of steel", "Bottom of steel", "Centre",      "Centre of gravity",
                          "Top centre",  "Bottom centre", "Middle left",    "Middle right", "Top left",
                          "Top right",   "Bottom left",  "Bottom right"};
    names.append(mixedValueText());
    return names;
}

int getDlgOffsetType(int offsetType, bool mixed) {
    if (mixed || offsetType < 0 || offsetType >= kOffsetTypes) return kOffsetTypes;
    return offsetType;
}

int getProfOffsetType(int index) { return index >= 0 && index < kOffsetTypes ? index : -1; }

Vtl_StringArray getBasePlaneStrings(bool) {
    Vtl_StringArray names{"Plane (pick)"};
    names.append(dialString(697));
    names.append("Coordinate system");
    names.append(mixedValueText());
    return names;
}
