#include "vtlbase/macro/macro_parts.h"

#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/text_functions.h"
#include "vtlbase/ui_text.h"

Vtl_String mixedValueText() { return dialString(695); }

bool MacroPatternProps::getCount(const Vtl_String& text, int& count) const {
    // A whole number, blanks around it allowed; anything else (a formula, the mixed text) is no count.
    const std::string& s = text.str();
    const auto first = s.find_first_not_of(" \t");
    const auto last = s.find_last_not_of(" \t");
    if (first == std::string::npos) {
        count = -1;
        return false;
    }
    const std::string digits = s.substr(first, last - first + 1);
    std::size_t used = 0;
    try {
        const long value = std::stol(digits, &used);
        if (used == digits.size() && value >= 0 && value <= 1000000) {
            count = static_cast<int>(value);
            return true;
        }
    } catch (...) {
    }
    count = -1;
    return false;
}

void MacroBoltData::getHoleColumns(AcArray<bool>& used, Vtl_StringArray& texts) const {
    used = holeColumnsUsed;
    texts = holeColumnTexts;
}

bool MacroBoltData::setHoleColumns(const AcArray<bool>& used, const Vtl_StringArray& texts) {
    if (used.length() != texts.length()) return false;
    holeColumnsUsed = used;
    holeColumnTexts = texts;
    return true;
}

void DynArrayData::getEntryColumns(AcArray<int>& choices, AcArray<bool>& flags, Vtl_StringArray& texts) const {
    choices.removeAll();
    flags.removeAll();
    texts.removeAll();
    for (const DynArrayEntry& e : entries) {
        choices.append(e.choice);
        flags.append(e.flag);
        texts.append(e.text);
    }
}

bool DynArrayData::setEntryColumns(const AcArray<int>& choices, const AcArray<bool>& flags, const Vtl_StringArray& texts) {
    if (choices.length() != flags.length() || choices.length() != texts.length()) return false;
    Vtl_Array<DynArrayEntry> rows;
    for (int i = 0; i < choices.length(); ++i) {
        DynArrayEntry e;
        e.choice = choices[i];
        e.flag = flags[i];
        e.text = texts[i];
        if (i < entries.length()) e.reference = entries[i].reference;
        rows.append(e);
    }
    entries = rows;
    return true;
}

bool DynArrayData::setEntryAction(int row, KsEntryAction action) {
    if (row < 0 || row >= entries.length()) return false;
    lastEntryRow = row;
    lastEntryAction = action;
    return true;
}

void DynArrayData::getValidDimNames(const AcArray<AcDbObjectId>& ids, const Vtl_String& moduleName, int kind, bool first,
                                    bool second, bool third, Vtl_StringArray& names) {
    names.removeAll();
    if (!first && !second && !third) return;
    // The third dimension measures round a centre (polar) or along a path; the other kinds have none.
    if (third && kind != KsArrayPolar && kind != KsArrayPath && kind != KsArrayMixed) return;
    for (int k = 0; k < ids.length(); ++k) {
        const MacroData* macro = vtl::base::DrawingModel::get().instance(ids[k]);
        int t = 0;
        if (!macro || !macro->findTab(moduleName, t)) continue;
        for (const MacroCell& c : macro->tabs[t].cells)
            if (c.valueType == MacroCell::number && !c.readOnly && !names.contains(c.name)) names.append(c.name);
    }
}

int MacroFlexFixGroup::indexOf(const Vtl_String& button) const {
    for (int i = 0; i < buttons.length(); ++i)
        if (buttons[i] == button) return i;
    return -1;
}
