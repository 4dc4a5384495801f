#include "vtlbase/drawing/macro_operations.h"

#include <algorithm>
#include <cmath>

#include "host/pick.h"
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

bool contains(const AcArray<int>& list, int value) {
    for (int i = 0; i < list.length(); ++i)
        if (list[i] == value) return true;
    return false;
}

// Keeps the binding keys of `into` while taking the values of `from`.
template <class T, class KeepReferences>
void takeValues(T& into, const T& from, KeepReferences keep) {
    T copy = from;
    keep(copy, into);
    into = copy;
}

// Brings the changed parts of a tab of the record into the instance's tab; a mixed text leaves the
// instance's own value. True when the instance changed.
bool apply(MacroTabData& inst, const MacroTabData& tab, const AcArray<int>& changes1, const AcArray<int>& changes2) {
    const MacroTabData before = inst;
    const Vtl_String mixed = mixedValueText();
    for (int k = 0; k < changes1.length(); ++k) {
        const int i = changes1[k];
        if (i < 0 || i >= tab.cells.length()) continue;
        int j = 0;
        if (!inst.findCellWithName(tab.cells[i].name, j) || inst.cells[j].readOnly) continue;
        const Vtl_String& value = tab.cells[i].value;
        // A number cell of the drawing takes numbers only; other text leaves the value it had.
        if (value == mixed || (inst.cells[j].valueType == MacroCell::number && !isNumber(value))) continue;
        inst.cells[j].value = value;
    }
    for (int k = 0; k < changes2.length(); ++k) {
        const int i = changes2[k];
        if (i < 0 || i >= tab.patterns.length()) continue;
        int j = 0;
        if (!inst.findPatternWithName(tab.patterns[i].name, j)) continue;
        takeValues(inst.patterns[j], tab.patterns[i], [](MacroPatternProps& to, const MacroPatternProps& keep) {
            to.nameReference = keep.nameReference;
            to.countReference = keep.countReference;
            to.buttonReference = keep.buttonReference;
        });
        if (tab.patterns[i].countText == mixed) inst.patterns[j].countText = before.patterns[j].countText;
    }
    if (contains(changes1, MacroChange::bolt)) {
        MacroBoltData& b = inst.bolt;
        const MacroBoltData& t = tab.bolt;
        for (auto [to, from] : {std::pair{&b.assembly, &t.assembly}, {&b.diameter, &t.diameter},
                                {&b.holeTolerance, &t.holeTolerance}, {&b.penetrationLength, &t.penetrationLength},
                                {&b.addedLength, &t.addedLength}})
            if (!(*from == mixed)) *to = *from;
        for (auto [to, from] : {std::pair{&b.boltedInWorkshop, t.boltedInWorkshop}, {&b.countersunk, t.countersunk},
                                {&b.flipOrientation, t.flipOrientation}, {&b.tapped, t.tapped}, {&b.nut1, t.nut1},
                                {&b.nut2, t.nut2}, {&b.washer1, t.washer1}, {&b.washer2, t.washer2},
                                {&b.washers, t.washers}})
            if (from != 2) *to = from;  // the indeterminate state leaves each macro's own
        if (t.optionCount > 0) b.option = t.option;
        b.holeColumnsUsed = t.holeColumnsUsed;
        b.holeColumnTexts = t.holeColumnTexts;
        b.slottedHoles = t.slottedHoles;
    }
    if (contains(changes1, MacroChange::profiles) || contains(changes1, MacroChange::profileGroup)) {
        for (const MacroProfData& p : tab.profiles) {
            int j = 0;
            if (inst.getProfDataIndx(p.objectId, j)) inst.profiles[j] = p;
        }
    }
    if (contains(changes1, MacroChange::arrays)) inst.arrays = tab.arrays;
    if (contains(changes1, MacroChange::cuts)) inst.cuts = tab.cuts;
    if (contains(changes1, MacroChange::image)) {
        inst.imageFlag = tab.imageFlag;
        inst.imageFolder = tab.imageFolder;
        inst.currentImage = tab.currentImage;
    }
    if (contains(changes1, MacroChange::flexFix)) inst.flexFixGroups = tab.flexFixGroups;
    if (contains(changes1, MacroChange::segmented)) inst.segmentedProfiles = tab.segmentedProfiles;
    DrawingModel::get().normalise(inst);
    return !(inst == before);
}

// The record shows what the instances now hold: a value they share, or the mixed text.
void readBack(MacroTabData& tab, const std::vector<const MacroTabData*>& instances) {
    if (instances.empty()) return;
    const Vtl_String mixed = mixedValueText();
    for (MacroCell& c : tab.cells) {
        std::optional<Vtl_String> shared;
        bool same = true;
        for (const MacroTabData* inst : instances) {
            int j = 0;
            if (!inst->findCellWithName(c.name, j)) continue;
            if (!shared) shared = inst->cells[j].value;
            else same = same && *shared == inst->cells[j].value;
        }
        if (shared) c.value = same ? *shared : mixed;
    }
    for (MacroPatternProps& p : tab.patterns) {
        int j = 0;
        if (instances.size() == 1 && instances.front()->findPatternWithName(p.name, j))
            p.countText = instances.front()->patterns[j].countText;
    }
}
}  // namespace

bool UpdateModule(const Vtl_String& moduleName, MacroData& macro, const AcArray<int>& changes1, const AcArray<int>& changes2) {
    int t = 0;
    bool changed = false;
    if (macro.findTab(moduleName, t)) {
        std::vector<const MacroTabData*> instances;
        for (int k = 0; k < macro.objectIds.length(); ++k) {
            MacroData* inst = DrawingModel::get().instance(macro.objectIds[k]);
            int it = 0;
            if (!inst || !inst->findTab(moduleName, it)) continue;
            changed = apply(inst->tabs[it], macro.tabs[t], changes1, changes2) || changed;
            instances.push_back(&inst->tabs[it]);
        }
        readBack(macro.tabs[t], instances);
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
        for (int k = 0; k < macro.objectIds.length(); ++k) {
            MacroData* inst = DrawingModel::get().instance(macro.objectIds[k]);
            int it = 0;
            if (inst && inst->findTab(macro.tabs[t].moduleName, it)) changed = apply(inst->tabs[it], macro.tabs[t], c1, c2) || changed;
        }
    }
    Journal::get().record("setAllToMacro", {macro.caption.str(), lists}, changed ? "true" : "false");
}

void swapBlockRefs(MacroData& macro, const Vtl_String& moduleName, const Vtl_String& drawingPath) {
    int t = 0;
    if (macro.findTab(moduleName, t)) macro.tabs[t].currentImage = removeExtension(getFileName(drawingPath));
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
