#include <cmath>
#include <limits>

#include "vtlbase/macro/macro_tab_data.h"

#include "macro/macro_merge.h"

namespace {
// Copies of the parts with every binding key 0: what `differences` compares.
MacroCell plain(MacroCell c) {
    c.reference = 0;
    return c;
}
MacroPatternProps plain(MacroPatternProps p) {
    p.nameReference = p.countReference = p.buttonReference = 0;
    return p;
}
MacroBoltData plain(MacroBoltData b) {
    b.assemblyReference = b.diameterReference = b.holeToleranceReference = b.penetrationReference = b.addedLengthReference = 0;
    return b;
}
MacroProfData plain(MacroProfData p) {
    p.sectionReference = p.labelReference = p.offsetTypeReference = p.rotationReference = p.advancedReference = 0;
    return p;
}
DynArrayData plain(DynArrayData a) {
    a.nameReference = a.buttonReference = 0;
    for (int& r : a.valueReferences) r = 0;
    for (DynArrayEntry& e : a.entries) e.reference = 0;
    return a;
}
MacroCutData plain(MacroCutData c) {
    c.reference = 0;
    return c;
}
MacroFlexFixGroup plain(MacroFlexFixGroup g) {
    g.reference = 0;
    return g;
}

template <class T>
bool sameArrays(const Vtl_Array<T>& a, const Vtl_Array<T>& b) {
    if (a.length() != b.length()) return false;
    for (int i = 0; i < a.length(); ++i)
        if (!(plain(a[i]) == plain(b[i]))) return false;
    return true;
}

// Merging: a field keeps its value when every member agrees, else it becomes the mixed marker (texts and
// whole numbers as every merge of macros does, macro_merge.h).
using vtl::base::mergeText;
void mergeInt(int& into, int next) { vtl::base::mergeNumber(into, next); }
void mergeDouble(double& into, double next) {
    if (!(into == next)) into = std::numeric_limits<double>::quiet_NaN();
}
void applyText(Vtl_String& member, const Vtl_String& merged) {
    if (!(merged == mixedValueText())) member = merged;
}
void applyInt(int& member, int merged) {
    if (merged != -1) member = merged;
}
void applyDouble(double& member, double merged) {
    if (!std::isnan(merged)) member = merged;
}
}  // namespace

bool MacroTabData::findCellWithName(const Vtl_String& name, int& index) const {
    for (int i = 0; i < cells.length(); ++i)
        if (cells[i].name == name) return index = i, true;
    return false;
}

bool MacroTabData::findPatternWithName(const Vtl_String& name, int& index) const {
    for (int i = 0; i < patterns.length(); ++i)
        if (patterns[i].name == name) return index = i, true;
    return false;
}

bool MacroTabData::findPatternWithBtnId(int reference, int& index) const {
    if (reference == 0) return false;
    for (int i = 0; i < patterns.length(); ++i)
        if (patterns[i].buttonReference == reference) return index = i, true;
    return false;
}

bool MacroTabData::findProfDataWithGroup(const Vtl_String& group, int& index) const {
    for (int i = 0; i < profiles.length(); ++i)
        if (profiles[i].groupName == group) return index = i, true;
    return false;
}

bool MacroTabData::findProfDataWithCtrlResId(int resourceId, int& index) const {
    if (resourceId == 0) return false;
    for (int i = 0; i < profiles.length(); ++i) {
        const MacroProfData& p = profiles[i];
        if (p.sectionReference == resourceId || p.labelReference == resourceId || p.offsetTypeReference == resourceId ||
            p.rotationReference == resourceId || p.advancedReference == resourceId)
            return index = i, true;
    }
    return false;
}

bool MacroTabData::findArrayWithName(const Vtl_String& name, int& index) const {
    for (int i = 0; i < arrays.length(); ++i)
        if (arrays[i].name == name) return index = i, true;
    return false;
}

bool MacroTabData::findArrayWithBtnId(int reference, int& index) const {
    if (reference == 0) return false;
    for (int i = 0; i < arrays.length(); ++i)
        if (arrays[i].buttonReference == reference) return index = i, true;
    return false;
}

bool MacroTabData::findCutWithName(const Vtl_String& name, int& index) const {
    for (int i = 0; i < cuts.length(); ++i)
        if (cuts[i].name == name) return index = i, true;
    return false;
}

bool MacroTabData::findFlexFixGroup(const Vtl_String& group, int& index) const {
    for (int i = 0; i < flexFixGroups.length(); ++i)
        if (flexFixGroups[i].name == group) return index = i, true;
    return false;
}

bool MacroTabData::hasBtnFlexFix(const Vtl_String& button) const {
    for (const MacroFlexFixGroup& g : flexFixGroups)
        if (g.indexOf(button) >= 0) return true;
    return false;
}

bool MacroTabData::flexFixBtnClicked(const Vtl_String& group, const Vtl_String& button, bool flexible) {
    int g = 0;
    if (!findFlexFixGroup(group, g)) return false;
    MacroFlexFixGroup& ff = flexFixGroups[g];
    const int b = ff.indexOf(button);
    if (b < 0) return false;
    while (ff.flexible.length() < ff.buttons.length()) ff.flexible.append(false);
    if (ff.flexible[b] == flexible) return false;
    ff.flexible[b] = flexible;
    return true;
}

bool MacroTabData::getMergedPropsOfGroup(const Vtl_String& group, MacroProfData& merged) const {
    bool first = true;
    int members = 0;
    for (const MacroProfData& p : profiles) {
        if (!(p.groupName == group)) continue;
        ++members;
        if (first) {
            merged = p;
            first = false;
            continue;
        }
        mergeText(merged.sectionName, p.sectionName);
        if (merged.offsetType != p.offsetType || p.offsetTypeMixed) merged.offsetTypeMixed = true;
        mergeDouble(merged.offsetX, p.offsetX);
        mergeDouble(merged.offsetY, p.offsetY);
        mergeInt(merged.onOneSegment, p.onOneSegment);
        mergeInt(merged.segmentNumber, p.segmentNumber);
        mergeText(merged.rotation, p.rotation);
        mergeInt(merged.option, p.option);
        mergeText(merged.plane, p.plane);
        if (!(merged.planeObject == p.planeObject)) merged.planeObject = AcDbObjectId();
        merged.morphed = std::max(merged.morphed, p.morphed);
        mergeText(merged.secondSection, p.secondSection);
        mergeText(merged.morphValue1, p.morphValue1);
        mergeText(merged.morphValue2, p.morphValue2);
        mergeInt(merged.referenceChoice, p.referenceChoice);
    }
    if (members > 1) merged.objectId = AcDbObjectId();
    return !first;
}

bool MacroTabData::setMergedPropsOfGroup(const Vtl_String& group, const MacroProfData& merged) {
    bool any = false;
    for (MacroProfData& p : profiles) {
        if (!(p.groupName == group)) continue;
        any = true;
        applyText(p.sectionName, merged.sectionName);
        if (!merged.offsetTypeMixed) {
            p.offsetType = merged.offsetType;
            p.offsetTypeMixed = false;
        }
        applyDouble(p.offsetX, merged.offsetX);
        applyDouble(p.offsetY, merged.offsetY);
        applyInt(p.onOneSegment, merged.onOneSegment);
        applyInt(p.segmentNumber, merged.segmentNumber);
        applyText(p.rotation, merged.rotation);
        applyInt(p.option, merged.option);
        applyText(p.plane, merged.plane);
        if (!merged.planeObject.isNull()) p.planeObject = merged.planeObject;
        if (merged.sectionPointChosen) {
            p.sectionPointChosen = true;
            p.sectionPoint = merged.sectionPoint;
        }
        applyText(p.secondSection, merged.secondSection);
        applyText(p.morphValue1, merged.morphValue1);
        applyText(p.morphValue2, merged.morphValue2);
        applyInt(p.referenceChoice, merged.referenceChoice);
        p.sectionReference = merged.sectionReference;
        p.labelReference = merged.labelReference;
        p.offsetTypeReference = merged.offsetTypeReference;
        p.rotationReference = merged.rotationReference;
        p.advancedReference = merged.advancedReference;
    }
    return any;
}

void MacroTabData::getProfGroups(Vtl_StringArray& groups) const {
    groups.removeAll();
    for (const MacroProfData& p : profiles) {
        bool known = false;
        for (const Vtl_String& g : groups) known = known || g == p.groupName;
        if (!known) groups.append(p.groupName);
    }
}

void MacroTabData::getProfIdsOfGroup(const Vtl_String& group, AcArray<AcDbObjectId>& ids) const {
    ids.removeAll();
    for (const MacroProfData& p : profiles)
        if (p.groupName == group) ids.append(p.objectId);
}

bool MacroTabData::getProfDataIndx(const AcDbObjectId& id, int& index) const {
    for (int i = 0; i < profiles.length(); ++i)
        if (profiles[i].objectId == id) return index = i, true;
    return false;
}

bool MacroTabData::advBtnForEveryGroup() const {
    Vtl_StringArray groups;
    getProfGroups(groups);
    for (const Vtl_String& g : groups) {
        int i = 0;
        if (findProfDataWithGroup(g, i) && profiles[i].advancedReference == 0) return false;
    }
    return true;
}

void MacroTabData::removeAllDlgReferences() {
    imageReference = 0;
    for (MacroCell& c : cells) c.reference = 0;
    for (MacroPatternProps& p : patterns) p.nameReference = p.countReference = p.buttonReference = 0;
    bolt.assemblyReference = bolt.diameterReference = bolt.holeToleranceReference = 0;
    bolt.penetrationReference = bolt.addedLengthReference = 0;
    for (MacroProfData& p : profiles) p.sectionReference = p.labelReference = p.offsetTypeReference = p.rotationReference = p.advancedReference = 0;
    for (DynArrayData& a : arrays) {
        a.nameReference = a.buttonReference = 0;
        for (int& r : a.valueReferences) r = 0;
        for (DynArrayEntry& e : a.entries) e.reference = 0;
    }
    for (MacroCutData& c : cuts) c.reference = 0;
    for (MacroFlexFixGroup& g : flexFixGroups) g.reference = 0;
}

void MacroTabData::differences(const MacroTabData& now, Vtl_StringArray& names, AcArray<int>& changed1,
                               AcArray<int>& changed2) const {
    names.removeAll();
    changed1.removeAll();
    changed2.removeAll();
    const int cellCount = std::max(cells.length(), now.cells.length());
    for (int i = 0; i < cellCount; ++i) {
        const bool both = i < cells.length() && i < now.cells.length();
        if (both && plain(cells[i]) == plain(now.cells[i])) continue;
        changed1.append(i);
        names.append(i < now.cells.length() ? now.cells[i].name : cells[i].name);
    }
    const int patternCount = std::max(patterns.length(), now.patterns.length());
    for (int i = 0; i < patternCount; ++i) {
        const bool both = i < patterns.length() && i < now.patterns.length();
        if (both && plain(patterns[i]) == plain(now.patterns[i])) continue;
        changed2.append(i);
        names.append(i < now.patterns.length() ? now.patterns[i].name : patterns[i].name);
    }
    if (!changed2.isEmpty()) changed1.append(MacroChange::patterns);
    auto part = [&](bool same, int code, const char* name) {
        if (same) return;
        changed1.append(code);
        names.append(name);
    };
    part(plain(bolt) == plain(now.bolt), MacroChange::bolt, "bolt");
    part(sameArrays(profiles, now.profiles), MacroChange::profiles, "profiles");
    part(sameArrays(arrays, now.arrays), MacroChange::arrays, "arrays");
    part(sameArrays(cuts, now.cuts), MacroChange::cuts, "cuts");
    part(imageFlag == now.imageFlag && imageFolder == now.imageFolder && currentImage == now.currentImage,
         MacroChange::image, "image");
    part(sameArrays(flexFixGroups, now.flexFixGroups), MacroChange::flexFix, "flexible/fixed");
    part(segmentedProfiles == now.segmentedProfiles, MacroChange::segmented, "segmented profiles");
}
