#include "vtlbase/drawing/macro_cuts.h"

#include <algorithm>

#include "host/pick.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"

using vtl::base::DrawingModel;
using vtl::base::DrawingObjectKind;
using vtl::base::Journal;

namespace {
std::string macroText(const AcDbObjectId& id) {
    const auto* o = DrawingModel::get().find(id);
    return std::to_string(id.asOldId()) + (o ? " " + o->name : std::string());
}

// The variables each cut type starts with, and what they start at (mm).
struct Defaults {
    std::vector<const char*> names;
    std::vector<const char*> values;
};

const Defaults* defaultsOf(int type) {
    static const Defaults table[] = {
        {{"Offset", "LengthOffset"}, {"0", "10"}},                      // profile against plate
        {{"Offset", "CenterOffset"}, {"0", "0"}},                       // profile against profile
        {{"InsideOffset", "OutsideOffset"}, {"2", "2"}},                // profile inside profile
        {{"Offset1", "Offset2", "PolyOffset"}, {"15", "15", "0"}},      // three segments
        {{"Offset1", "Offset2"}, {"20", "20"}},                         // chamfer
        {{"Radius"}, {"15"}},                                           // fillet
    };
    return type >= 1 && type <= 6 ? &table[type - 1] : nullptr;
}

std::vector<DlgMacroCutsData>* cutsOf(const AcDbObjectId& macro) {
    auto& all = DrawingModel::get().macroCuts;
    const auto it = all.find(macro.asOldId());
    return it == all.end() ? nullptr : &it->second;
}
}  // namespace

bool MacrosInDlgData::GetAllMods(const AcDbObjectId& macroObject, Vtl_StringArray& modules) const {
    modules.removeAll();
    MacroData* macro = DrawingModel::get().instance(macroObject);
    if (macro)
        for (const MacroTabData& t : macro->tabs) modules.append(t.moduleName);
    Journal::get().record("GetAllMods", {macroText(macroObject)}, macro ? std::to_string(modules.length()) : "none");
    return macro != nullptr;
}

bool MacrosInDlgData::UserSelectMacro(AcDbObjectId& macroObject) {
    POINT p{};
    const auto macros = DrawingModel::get().objects(DrawingObjectKind::macro);
    const bool picked = !macros.empty() && vtl::host::getPoint("Select a macro: ", p);
    // The drawing shows its macros left to right; the click picks by position.
    if (picked) {
        const int index = std::clamp(static_cast<int>(p.x) / 100, 0, static_cast<int>(macros.size()) - 1);
        macroObject = macros[static_cast<std::size_t>(index)]->id;
    }
    Journal::get().record("UserSelectMacro", {}, picked ? macroText(macroObject) : "cancelled");
    return picked;
}

bool DlgMacroCutsData::GetDefaultValues(int type, Vtl_StringArray& names, Vtl_StringArray& vals,
                                        AcArray<bool>& used) const {
    names.removeAll();
    vals.removeAll();
    used.removeAll();
    const Defaults* d = defaultsOf(type);
    if (d) {
        for (const char* n : d->names) {
            names.append(Vtl_String(n));
            used.append(true);
        }
        for (const char* v : d->values) vals.append(Vtl_String(v));
    }
    Journal::get().record("GetDefaultValues", {std::to_string(type)}, d ? std::to_string(names.length()) : "none");
    return d != nullptr;
}

bool DlgMacroCutsData::AreVarNamesValid() const {
    const bool valid = std::none_of(varNames.begin(), varNames.end(), [](const Vtl_String& n) {
        return n.isEmpty() || n.startsWith("gen_", false);
    });
    Journal::get().record("AreVarNamesValid", {}, valid ? "true" : "false");
    return valid;
}

bool DlgMacroCutsData::CutNameInUse(const AcDbObjectId& macro, const Vtl_String& module, const Vtl_String& name,
                                    bool& inUse) const {
    inUse = false;
    if (const auto* cuts = cutsOf(macro))
        inUse = std::any_of(cuts->begin(), cuts->end(), [&](const DlgMacroCutsData& c) {
            return c.moduleName.equal(module, false) && c.cutName.equal(name, false);
        });
    Journal::get().record("CutNameInUse", {macroText(macro), module.str(), name.str()}, inUse ? "true" : "false");
    return true;
}

namespace vtl::base {

bool applyMacroCut(const DlgMacroCutsData& cut) {
    const bool valid = DrawingModel::get().instance(cut.macroObject) != nullptr && !cut.moduleName.isEmpty();
    std::string result = "refused";
    if (valid) {
        auto& cuts = DrawingModel::get().macroCuts[cut.macroObject.asOldId()];
        const auto same = std::find_if(cuts.begin(), cuts.end(), [&](const DlgMacroCutsData& c) {
            return c.moduleName.equal(cut.moduleName, false) && c.cutName.equal(cut.cutName, false);
        });
        DlgMacroCutsData stored = cut;
        stored.editMode = false;
        if (same != cuts.end()) {
            *same = stored;
            result = "changed";
        } else {
            cuts.push_back(stored);
            result = "made";
        }
    }
    Journal::get().record("applyMacroCut",
                          {macroText(cut.macroObject), cut.moduleName.str(), cut.cutName.str(), std::to_string(cut.cutType)},
                          result);
    return valid;
}

std::vector<std::string> macroCutNames(const AcDbObjectId& macro, const std::string& module) {
    std::vector<std::string> names;
    if (const auto* cuts = cutsOf(macro))
        for (const DlgMacroCutsData& c : *cuts)
            if (c.moduleName.equal(Vtl_String(module), false)) names.push_back(c.cutName.str());
    return names;
}

bool loadMacroCut(const AcDbObjectId& macro, const std::string& module, const std::string& name, DlgMacroCutsData& cut) {
    const auto* cuts = cutsOf(macro);
    if (!cuts) return false;
    for (const DlgMacroCutsData& c : *cuts)
        if (c.moduleName.equal(Vtl_String(module), false) && c.cutName.equal(Vtl_String(name), false)) {
            cut = c;
            cut.editMode = true;
            return true;
        }
    return false;
}

}  // namespace vtl::base
