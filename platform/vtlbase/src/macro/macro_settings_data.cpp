#include "vtlbase/macro/macro_settings_data.h"

#include <algorithm>
#include <map>

#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"

using vtl::base::DrawingModel;
using vtl::base::Journal;

namespace vtl::base::detail {
std::map<AcDbObjectId::OldId, MacroSettingsData>& storedMacroSettings() {
    static std::map<AcDbObjectId::OldId, MacroSettingsData> all;
    return all;
}
}  // namespace vtl::base::detail

int MacroFilterList::mode(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= values.size() || values[static_cast<std::size_t>(index)].empty())
        return 0;
    return values[static_cast<std::size_t>(index)].front() != 0 ? 1 : 0;
}

void MacroSettingsData::dropEmptySectionAngleRows() {
    for (auto& table : sectionAngle.pairs)
        table.erase(std::remove_if(table.begin(), table.end(),
                                   [](const std::pair<double, double>& p) { return p.first == 0 && p.second == 0; }),
                    table.end());
}

namespace {
bool isMacro(const AcDbObjectId& id) {
    const auto* o = DrawingModel::get().find(id);
    return o && !o->erased && o->kind == vtl::base::DrawingObjectKind::macro;
}
}  // namespace

bool GetMacroSettings(const AcDbObjectId& macro, MacroSettingsData& settings) {
    const bool ok = isMacro(macro);
    if (ok) {
        auto& all = vtl::base::detail::storedMacroSettings();
        const auto it = all.find(macro.asOldId());
        settings = it == all.end() ? MacroSettingsData{} : it->second;
    }
    Journal::get().record("GetMacroSettings", {std::to_string(macro.asOldId())}, ok ? "true" : "false");
    return ok;
}

bool SetMacroSettings(const AcDbObjectId& macro, const MacroSettingsData& settings) {
    const bool ok = isMacro(macro);
    if (ok) vtl::base::detail::storedMacroSettings()[macro.asOldId()] = settings;
    std::string enabled;
    for (bool e : settings.axisAngle.enabled) enabled += e ? '1' : '0';
    Journal::get().record("SetMacroSettings", {std::to_string(macro.asOldId()), "axis " + enabled},
                          ok ? "true" : "false");
    return ok;
}

void placeMacroSettings(const AcDbObjectId& macro, const MacroSettingsData& settings) {
    vtl::base::detail::storedMacroSettings()[macro.asOldId()] = settings;
}

bool peekMacroSettings(const AcDbObjectId& macro, MacroSettingsData& settings) {
    if (!isMacro(macro)) return false;
    const auto& all = vtl::base::detail::storedMacroSettings();
    const auto it = all.find(macro.asOldId());
    settings = it == all.end() ? MacroSettingsData{} : it->second;
    return true;
}
