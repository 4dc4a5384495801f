#include "macro/macro_merge.h"

#include <algorithm>
#include <tuple>

#include "vtlbase/text_functions.h"

namespace vtl::base {
namespace {
constexpr int kMixedNumber = -1;
constexpr int kMixedSwitch = 2;  // the third state of the bolts' three-state switches

// ---- merging: a value all share stays, a differing one is marked ----

void mergeTexts(Vtl_StringArray& into, const Vtl_StringArray& next) {
    if (into.length() != next.length()) return;  // another shape: the first macro's
    for (int i = 0; i < into.length(); ++i) mergeText(into[i], next[i]);
}
template <class T, class Merge>
void mergeRecords(Vtl_Array<T>& into, const Vtl_Array<T>& next, Merge merge) {
    if (into.length() != next.length()) return;
    for (int i = 0; i < into.length(); ++i) merge(into[i], next[i]);
}

void mergeSide(MacroPatternSide& into, const MacroPatternSide& next) {
    mergeNumber(into.firstValueSwitch, next.firstValueSwitch);
    mergeText(into.firstValue, next.firstValue);
    mergeText(into.secondValue, next.secondValue);
    mergeNumber(into.distribution, next.distribution);
    mergeTexts(into.values, next.values);
}

void mergePattern(MacroPatternProps& into, const MacroPatternProps& next) {
    mergeText(into.label, next.label);
    mergeText(into.name, next.name);
    mergeText(into.countText, next.countText);
    mergeNumber(into.kind, next.kind);
    mergeSide(into.side1, next.side1);
    mergeSide(into.side2, next.side2);
    for (int i = 0; i < 4; ++i) mergeNumber(into.options[i], next.options[i]);
}

void mergeBolt(MacroBoltData& into, const MacroBoltData& next) {
    mergeText(into.assembly, next.assembly);
    mergeText(into.diameter, next.diameter);
    mergeText(into.holeTolerance, next.holeTolerance);
    mergeText(into.penetrationLength, next.penetrationLength);
    mergeText(into.addedLength, next.addedLength);
    for (auto [a, b] : {std::pair{&into.boltedInWorkshop, next.boltedInWorkshop}, {&into.countersunk, next.countersunk},
                        {&into.flipOrientation, next.flipOrientation}, {&into.tapped, next.tapped}, {&into.nut1, next.nut1},
                        {&into.nut2, next.nut2}, {&into.washer1, next.washer1}, {&into.washer2, next.washer2},
                        {&into.washers, next.washers}})
        mergeNumber(*a, b, kMixedSwitch);
    mergeTexts(into.holeColumnTexts, next.holeColumnTexts);
    mergeRecords(into.slottedHoles, next.slottedHoles, [](MacroSlottedHole& a, const MacroSlottedHole& b) {
        mergeNumber(a.active, b.active, kMixedSwitch);
        mergeText(a.firstSize, b.firstSize);
        mergeText(a.length, b.length);
        mergeText(a.angle, b.angle);
        mergeText(a.fourth, b.fourth);
    });
}

void mergeArray(DynArrayData& into, const DynArrayData& next) {
    mergeNumber(into.kind, next.kind, KsArrayMixed);
    mergeText(into.name, next.name);
    mergeText(into.label, next.label);
    mergeText(into.designName, next.designName);
    for (int i = 0; i < 4; ++i) mergeText(into.values[i], next.values[i]);
    mergeText(into.kind1Value, next.kind1Value);
    mergeText(into.firstDimension, next.firstDimension);
    mergeText(into.secondDimension, next.secondDimension);
    mergeText(into.thirdDimension, next.thirdDimension);
    mergeNumber(into.option, next.option);
    mergeRecords(into.entries, next.entries, [](DynArrayEntry& a, const DynArrayEntry& b) {
        mergeNumber(a.choice, b.choice);
        mergeText(a.text, b.text);
    });
}

// ---- writing back: only what the record changed against the merge ----

void takeText(Vtl_String& macro, const Vtl_String& now, const Vtl_String& merged) {
    if (!(now == merged) && !(now == mixedValueText())) macro = now;
}
void takeNumber(int& macro, int now, int merged, int mixed = kMixedNumber) {
    if (now != merged && now != mixed) macro = now;
}
template <class T>
void takeValue(T& macro, const T& now, const T& merged) {
    if (!(now == merged)) macro = now;
}
void takeTexts(Vtl_StringArray& macro, const Vtl_StringArray& now, const Vtl_StringArray& merged) {
    if (now.length() == merged.length() && macro.length() == merged.length()) {
        for (int i = 0; i < now.length(); ++i) takeText(macro[i], now[i], merged[i]);
        return;
    }
    if (now == merged) return;
    // A list of another length replaces the macro's; an element left mixed keeps the macro's own there.
    Vtl_StringArray out = now;
    for (int i = 0; i < out.length(); ++i)
        if (out[i] == mixedValueText()) out[i] = i < macro.length() ? macro[i] : Vtl_String();
    macro = out;
}
template <class T>
void takeFlags(AcArray<T>& macro, const AcArray<T>& now, const AcArray<T>& merged) {
    if (now.length() == merged.length() && macro.length() == merged.length()) {
        for (int i = 0; i < now.length(); ++i)
            if (now[i] != merged[i]) macro[i] = now[i];
        return;
    }
    bool same = now.length() == merged.length();
    for (int i = 0; same && i < now.length(); ++i) same = now[i] == merged[i];
    if (!same) macro = now;
}
// Element by element when the shapes agree; a list of another length replaces the macro's.
template <class T, class Take>
void takeRecords(Vtl_Array<T>& macro, const Vtl_Array<T>& now, const Vtl_Array<T>& merged, Take take) {
    if (now.length() == merged.length() && macro.length() == merged.length()) {
        for (int i = 0; i < now.length(); ++i) take(macro[i], now[i], merged[i]);
        return;
    }
    if (now.length() != merged.length()) macro = now;
}

void takeSide(MacroPatternSide& macro, const MacroPatternSide& now, const MacroPatternSide& merged) {
    takeNumber(macro.firstValueSwitch, now.firstValueSwitch, merged.firstValueSwitch);
    takeText(macro.firstValue, now.firstValue, merged.firstValue);
    takeText(macro.secondValue, now.secondValue, merged.secondValue);
    takeNumber(macro.distribution, now.distribution, merged.distribution);
    takeValue(macro.sideOption, now.sideOption, merged.sideOption);
    takeTexts(macro.values, now.values, merged.values);
}

void takePattern(MacroPatternProps& macro, const MacroPatternProps& now, const MacroPatternProps& merged) {
    takeText(macro.name, now.name, merged.name);
    takeText(macro.countText, now.countText, merged.countText);
    takeValue(macro.shown, now.shown, merged.shown);
    takeNumber(macro.kind, now.kind, merged.kind);
    takeSide(macro.side1, now.side1, merged.side1);
    takeSide(macro.side2, now.side2, merged.side2);
    for (int i = 0; i < 4; ++i) takeNumber(macro.options[i], now.options[i], merged.options[i]);
}

void takeBolt(MacroBoltData& macro, const MacroBoltData& now, const MacroBoltData& merged) {
    takeText(macro.assembly, now.assembly, merged.assembly);
    takeText(macro.diameter, now.diameter, merged.diameter);
    takeText(macro.holeTolerance, now.holeTolerance, merged.holeTolerance);
    takeText(macro.penetrationLength, now.penetrationLength, merged.penetrationLength);
    takeText(macro.addedLength, now.addedLength, merged.addedLength);
    for (auto [to, n, m] : {std::tuple{&macro.boltedInWorkshop, now.boltedInWorkshop, merged.boltedInWorkshop},
                            {&macro.countersunk, now.countersunk, merged.countersunk},
                            {&macro.flipOrientation, now.flipOrientation, merged.flipOrientation},
                            {&macro.tapped, now.tapped, merged.tapped}, {&macro.nut1, now.nut1, merged.nut1},
                            {&macro.nut2, now.nut2, merged.nut2}, {&macro.washer1, now.washer1, merged.washer1},
                            {&macro.washer2, now.washer2, merged.washer2}, {&macro.washers, now.washers, merged.washers}})
        takeNumber(*to, n, m, kMixedSwitch);
    takeValue(macro.optionCount, now.optionCount, merged.optionCount);
    takeValue(macro.option, now.option, merged.option);
    takeFlags(macro.holeColumnsUsed, now.holeColumnsUsed, merged.holeColumnsUsed);
    takeTexts(macro.holeColumnTexts, now.holeColumnTexts, merged.holeColumnTexts);
    takeRecords(macro.slottedHoles, now.slottedHoles, merged.slottedHoles,
                [](MacroSlottedHole& to, const MacroSlottedHole& n, const MacroSlottedHole& m) {
                    takeNumber(to.active, n.active, m.active, kMixedSwitch);
                    takeValue(to.choice, n.choice, m.choice);
                    takeText(to.firstSize, n.firstSize, m.firstSize);
                    takeText(to.length, n.length, m.length);
                    takeText(to.angle, n.angle, m.angle);
                    takeText(to.fourth, n.fourth, m.fourth);
                });
}

void takeArray(DynArrayData& macro, const DynArrayData& now, const DynArrayData& merged) {
    takeNumber(macro.kind, now.kind, merged.kind, KsArrayMixed);
    takeText(macro.name, now.name, merged.name);
    takeText(macro.designName, now.designName, merged.designName);
    for (int i = 0; i < 4; ++i) takeText(macro.values[i], now.values[i], merged.values[i]);
    takeText(macro.kind1Value, now.kind1Value, merged.kind1Value);
    takeText(macro.firstDimension, now.firstDimension, merged.firstDimension);
    takeText(macro.secondDimension, now.secondDimension, merged.secondDimension);
    takeText(macro.thirdDimension, now.thirdDimension, merged.thirdDimension);
    takeNumber(macro.option, now.option, merged.option);
    takeRecords(macro.entries, now.entries, merged.entries, [](DynArrayEntry& to, const DynArrayEntry& n, const DynArrayEntry& m) {
        takeNumber(to.choice, n.choice, m.choice);
        takeValue(to.flag, n.flag, m.flag);
        takeText(to.text, n.text, m.text);
    });
    takeValue(macro.lastEntryAction, now.lastEntryAction, merged.lastEntryAction);
    takeValue(macro.lastEntryRow, now.lastEntryRow, merged.lastEntryRow);
}

bool names(const AcArray<int>& list, int code) {
    for (int i = 0; i < list.length(); ++i)
        if (list[i] == code) return true;
    return false;
}
}  // namespace

void mergeText(Vtl_String& into, const Vtl_String& next) {
    if (!(into == next)) into = mixedValueText();
}

void mergeNumber(int& into, int next, int mixed) {
    if (into != next) into = mixed;
}

void mergeTab(MacroTabData& into, const MacroTabData& next) {
    mergeRecords(into.cells, next.cells, [](MacroCell& a, const MacroCell& b) { mergeText(a.value, b.value); });
    mergeRecords(into.patterns, next.patterns, mergePattern);
    mergeBolt(into.bolt, next.bolt);
    for (const MacroProfData& p : next.profiles) into.profiles.append(p);
    mergeRecords(into.arrays, next.arrays, mergeArray);
    mergeRecords(into.cuts, next.cuts, [](MacroCutData& a, const MacroCutData& b) { mergeNumber(a.number, b.number); });
    mergeText(into.imageFolder, next.imageFolder);
    mergeText(into.currentImage, next.currentImage);
    // Flexible/fixed states and segmented profiles have no mixed state: the first macro's are shown.
}

void writeChanges(MacroTabData& macro, const MacroTabData& record, const MacroTabData& merged, const AcArray<int>& changes1,
                  const AcArray<int>& changes2) {
    const Vtl_String mixed = mixedValueText();
    for (int k = 0; k < changes1.length(); ++k) {
        const int i = changes1[k];
        if (i < 0 || i >= record.cells.length()) continue;
        int j = 0;
        if (!macro.findCellWithName(record.cells[i].name, j) || macro.cells[j].readOnly) continue;
        const Vtl_String& value = record.cells[i].value;
        // A number cell of the drawing takes numbers only; other text leaves the value it had.
        if (value == mixed || (macro.cells[j].valueType == MacroCell::number && !isNumber(value))) continue;
        macro.cells[j].value = value;
    }
    // Patterns by position: their names can be edited, their places cannot.
    for (int k = 0; k < changes2.length(); ++k) {
        const int i = changes2[k];
        if (i < 0 || i >= record.patterns.length() || i >= macro.patterns.length() || i >= merged.patterns.length()) continue;
        takePattern(macro.patterns[i], record.patterns[i], merged.patterns[i]);
    }
    if (names(changes1, MacroChange::bolt)) takeBolt(macro.bolt, record.bolt, merged.bolt);
    if (names(changes1, MacroChange::profiles) || names(changes1, MacroChange::profileGroup)) {
        for (const MacroProfData& p : record.profiles) {
            int j = 0;
            if (macro.getProfDataIndx(p.objectId, j)) macro.profiles[j] = p;
        }
    }
    if (names(changes1, MacroChange::arrays)) takeRecords(macro.arrays, record.arrays, merged.arrays, takeArray);
    if (names(changes1, MacroChange::cuts))
        takeRecords(macro.cuts, record.cuts, merged.cuts, [](MacroCutData& to, const MacroCutData& n, const MacroCutData& m) {
            takeNumber(to.number, n.number, m.number);
        });
    if (names(changes1, MacroChange::image)) {
        takeValue(macro.imageFlag, record.imageFlag, merged.imageFlag);
        takeText(macro.imageFolder, record.imageFolder, merged.imageFolder);
        takeText(macro.currentImage, record.currentImage, merged.currentImage);
    }
    if (names(changes1, MacroChange::flexFix))
        takeRecords(macro.flexFixGroups, record.flexFixGroups, merged.flexFixGroups,
                    [](MacroFlexFixGroup& to, const MacroFlexFixGroup& n, const MacroFlexFixGroup& m) {
                        takeFlags(to.flexible, n.flexible, m.flexible);
                    });
    if (names(changes1, MacroChange::segmented))
        takeRecords(macro.segmentedProfiles, record.segmentedProfiles, merged.segmentedProfiles,
                    [](MacroProfSegmentedData& to, const MacroProfSegmentedData& n, const MacroProfSegmentedData& m) {
                        takeValue(to, n, m);
                    });
}

void readBackMerged(MacroTabData& record, const MacroTabData& merged) {
    for (MacroCell& c : record.cells) {
        int j = 0;
        if (merged.findCellWithName(c.name, j)) c.value = merged.cells[j].value;
    }
    for (int i = 0; i < record.patterns.length() && i < merged.patterns.length(); ++i) {
        MacroPatternProps& p = record.patterns[i];
        const int nameReference = p.nameReference, countReference = p.countReference, buttonReference = p.buttonReference;
        p = merged.patterns[i];
        p.nameReference = nameReference;
        p.countReference = countReference;
        p.buttonReference = buttonReference;
    }
    MacroBoltData bolt = merged.bolt;
    bolt.assemblyReference = record.bolt.assemblyReference;
    bolt.diameterReference = record.bolt.diameterReference;
    bolt.holeToleranceReference = record.bolt.holeToleranceReference;
    bolt.penetrationReference = record.bolt.penetrationReference;
    bolt.addedLengthReference = record.bolt.addedLengthReference;
    record.bolt = bolt;
    if (record.arrays.length() == merged.arrays.length()) {
        for (int i = 0; i < record.arrays.length(); ++i) {
            DynArrayData a = merged.arrays[i];
            const DynArrayData& keys = record.arrays[i];
            a.nameReference = keys.nameReference;
            a.buttonReference = keys.buttonReference;
            std::copy(std::begin(keys.valueReferences), std::end(keys.valueReferences), std::begin(a.valueReferences));
            for (int e = 0; e < a.entries.length() && e < keys.entries.length(); ++e) a.entries[e].reference = keys.entries[e].reference;
            record.arrays[i] = a;
        }
    }
    for (int i = 0; i < record.cuts.length() && i < merged.cuts.length(); ++i) record.cuts[i].number = merged.cuts[i].number;
    for (int i = 0; i < record.flexFixGroups.length() && i < merged.flexFixGroups.length(); ++i)
        record.flexFixGroups[i].flexible = merged.flexFixGroups[i].flexible;
    record.imageFlag = merged.imageFlag;
    record.imageFolder = merged.imageFolder;
    record.currentImage = merged.currentImage;
    record.segmentedProfiles = merged.segmentedProfiles;
}

}  // namespace vtl::base
