#include "vtlbase/drawing/macro_operations.h"

#include <algorithm>
#include <cmath>

#include "host/pick.h"
#include "macro/macro_merge.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/text_functions.h"

namespace {
using vtl::base::DrawingModel;
using vtl::base::DrawingObjectKind;
using vtl::base::Journal;

std::string listText(const AcArray<int>& list) {
    std::string out;
    for (int i = 0; i < list.length(); ++i) out += (i ? " " : "") + std::to_string(list[i]);
    return out;
}

std::string idsText(const AcArray<AcDbObjectId>& ids) {
    std::string out;
    for (int i = 0; i < ids.length(); ++i) out += (i ? " " : "") + std::to_string(ids[i].asOldId());
    return out;
}

// The merge of the tabs of `moduleName` of the macro instances `ids` stands for, with each tab.
struct Instances {
    std::vector<MacroTabData*> tabs;
    MacroTabData merged;
};
void remerge(Instances& instances) {
    if (instances.tabs.empty()) return;
    instances.merged = *instances.tabs.front();
    for (std::size_t k = 1; k < instances.tabs.size(); ++k) vtl::base::mergeTab(instances.merged, *instances.tabs[k]);
}

Instances instancesOf(const AcArray<AcDbObjectId>& ids, const Vtl_String& moduleName) {
    Instances out;
    for (int k = 0; k < ids.length(); ++k) {
        MacroData* inst = DrawingModel::get().instance(ids[k]);
        int t = 0;
        if (!inst || !inst->findTab(moduleName, t)) continue;
        out.tabs.push_back(&inst->tabs[t]);
    }
    remerge(out);
    return out;
}

// Each instance takes what the record changed against what they held together, and normalises it as a
// drawing would; each keeps what the person did not change. True when some instance changed.
bool applyChanges(Instances& instances, const MacroTabData& record, const AcArray<int>& changes1, const AcArray<int>& changes2) {
    bool changed = false;
    for (MacroTabData* inst : instances.tabs) {
        const MacroTabData before = *inst;
        vtl::base::writeChanges(*inst, record, instances.merged, changes1, changes2);
        DrawingModel::get().normalise(*inst);
        changed = !(*inst == before) || changed;
    }
    remerge(instances);
    return changed;
}
}  // namespace

bool UpdateModule(const Vtl_String& moduleName, MacroData& macro, const AcArray<int>& changes1, const AcArray<int>& changes2) {
    int t = 0;
    bool changed = false;
    if (macro.findTab(moduleName, t)) {
        Instances instances = instancesOf(macro.objectIds, moduleName);
        changed = applyChanges(instances, macro.tabs[t], changes1, changes2);
        // The record shows what the instances hold now: what they share, and the mixed text elsewhere.
        if (!instances.tabs.empty()) vtl::base::readBackMerged(macro.tabs[t], instances.merged);
    }
    Journal::get().record("UpdateModule", {moduleName.str(), listText(changes1), listText(changes2)}, changed ? "true" : "false");
    return changed;
}

void clashInitDlgStarted(int dialogId) {
    DrawingModel::get().openClashDialogs.push_back(dialogId);
    Journal::get().record("clashInitDlgStarted", {std::to_string(dialogId)}, "");
}

void clashResetInfo(int dialogId, const AcArray<AcDbObjectId>& ids) {
    Journal::get().record("clashResetInfo", {std::to_string(dialogId), idsText(ids)}, "");
}

void clashcheck(int dialogId, const AcArray<AcDbObjectId>& ids) {
    Journal::get().record("clashcheck", {std::to_string(dialogId), idsText(ids)}, DrawingModel::get().clashStatus ? "checked" : "off");
}

bool clashGetStatus() { return DrawingModel::get().clashStatus; }

void clashSetStatus(bool on) {
    DrawingModel::get().clashStatus = on;
    Journal::get().record("clashSetStatus", {on ? "true" : "false"}, "");
}

void clashDlgClosed(int dialogId) {
    auto& open = DrawingModel::get().openClashDialogs;
    if (const auto it = std::find(open.begin(), open.end(), dialogId); it != open.end()) open.erase(it);
    Journal::get().record("clashDlgClosed", {std::to_string(dialogId)}, "");
}

bool SelectOtherMacros(MacroData& macro) {
    auto next = DrawingModel::get().takeSelection();
    if (next) macro = *next;
    Journal::get().record("SelectOtherMacros", {macro.caption.str()}, next ? "true" : "false");
    return next.has_value();
}

void UpdateAllFilterModified(MacroData& macro, bool first) {
    Journal::get().record("UpdateAllFilterModified",
                          {first ? "first" : "second", std::to_string(macro.currentFilter1), std::to_string(macro.currentFilter2)}, "");
}

void setAllToMacro(MacroData& macro, const Vtl_Array<AcArray<int>>& table1, const Vtl_Array<AcArray<int>>& table2) {
    std::string lists;
    bool changed = false;
    for (int t = 0; t < macro.tabs.length(); ++t) {
        const AcArray<int> none;
        const AcArray<int>& c1 = t < table1.length() ? table1[t] : none;
        const AcArray<int>& c2 = t < table2.length() ? table2[t] : none;
        lists += (t ? " / " : "") + listText(c1) + " | " + listText(c2);
        if (c1.isEmpty() && c2.isEmpty()) continue;
        Instances instances = instancesOf(macro.objectIds, macro.tabs[t].moduleName);
        changed = applyChanges(instances, macro.tabs[t], c1, c2) || changed;
    }
    Journal::get().record("setAllToMacro", {macro.caption.str(), lists}, changed ? "true" : "false");
}

void swapBlockRefs(MacroData& macro, const Vtl_String& moduleName, const Vtl_String& drawingPath) {
    const Vtl_String image = removeExtension(getFileName(drawingPath));
    int t = 0;
    if (macro.findTab(moduleName, t)) macro.tabs[t].currentImage = image;
    // Every instance the record stands for now shows that drawing.
    for (int k = 0; k < macro.objectIds.length(); ++k) {
        MacroData* inst = DrawingModel::get().instance(macro.objectIds[k]);
        int it = 0;
        if (inst && inst->findTab(moduleName, it)) inst->tabs[it].currentImage = image;
    }
    Journal::get().record("swapBlockRefs", {moduleName.str(), drawingPath.str()}, "");
}

void EraseObject(const AcDbObjectId& id) {
    const bool erased = DrawingModel::get().erase(id);
    Journal::get().record("EraseObject", {std::to_string(id.asOldId())}, erased ? "erased" : "none");
}

bool UserChooseSectionPoint(const Vtl_String& sectionName, double rotation, Vector2d& point) {
    POINT p{};
    const bool picked = vtl::host::getPoint("Pick a point of section " + sectionName.str() + ": ", p);
    if (picked) {
        // The section's own axes: the click in drawing units, turned by the rotation.
        const double c = std::cos(rotation), s = std::sin(rotation);
        point = {p.x * c + p.y * s, -p.x * s + p.y * c};
    }
    Journal::get().record("UserChooseSectionPoint", {sectionName.str(), std::to_string(rotation)}, picked ? "picked" : "cancelled");
    return picked;
}

bool UserSelectPlane(AcDbObjectId& object, Vtl_String& plane) {
    POINT p{};
    const bool picked = vtl::host::getPoint("Select a plane: ", p);
    if (picked) {
        const std::string name = "plane at " + std::to_string(p.x) + "," + std::to_string(p.y);
        object = DrawingModel::get().add(DrawingObjectKind::plane, name);
        plane = Vtl_String(name);
    }
    Journal::get().record("UserSelectPlane", {}, picked ? plane.str() : "cancelled");
    return picked;
}

bool selectCoordSys(AcDbObjectId& id) {
    POINT p{};
    const auto systems = DrawingModel::get().objects(DrawingObjectKind::coordinateSystem);
    const bool picked = !systems.empty() && vtl::host::getPoint("Select a coordinate system: ", p);
    // The drawing shows its coordinate systems left to right; the click picks by position.
    if (picked) {
        const int index = std::clamp(static_cast<int>(p.x) / 100, 0, static_cast<int>(systems.size()) - 1);
        id = systems[static_cast<std::size_t>(index)]->id;
    }
    Journal::get().record("selectCoordSys", {}, picked ? DrawingModel::get().find(id)->name : "cancelled");
    return picked;
}

bool createCoordSys(AcDbObjectId& id) {
    const int n = static_cast<int>(DrawingModel::get().objects(DrawingObjectKind::coordinateSystem).size()) + 1;
    id = DrawingModel::get().add(DrawingObjectKind::coordinateSystem, "UCS " + std::to_string(n));
    Journal::get().record("createCoordSys", {}, DrawingModel::get().find(id)->name);
    return true;
}

void getAllCoordSys(AcArray<AcDbObjectId>& ids, Vtl_StringArray& names) {
    ids.removeAll();
    names.removeAll();
    for (const auto* o : DrawingModel::get().objects(DrawingObjectKind::coordinateSystem)) {
        ids.append(o->id);
        names.append(o->name);
    }
}

void ZoomCommand() { Journal::get().record("ZoomCommand", {}, ""); }
