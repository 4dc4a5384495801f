#pragma once
// MacroSettingsData: the general settings of a macro object that decide which macros are proposed
// automatically: angle, path-distance and section-size filters, per-entry dialog designs and further lists.
// GetMacroSettings and SetMacroSettings read and store them on the macro in the drawing (journalled).
#include <utility>
#include <vector>

#include "host/object_id.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

struct VTLBASE_API MacroFilterList {
    Vtl_StringArray names;
    std::vector<bool> enabled;
    std::vector<std::vector<double>> values;                      // numbers per name
    std::vector<std::vector<std::pair<double, double>>> pairs;    // number pairs per name (tables)
    int mode(int index) const;
};

struct VTLBASE_API MacroSettingsData {
    bool autoPropose = true;
    MacroFilterList axisAngle, sectionAngle;
    bool checkPath = false;
    MacroFilterList pathDistance, sectionSize;
    Vtl_StringArray entries;                 // page 2: entries with a design and texts each
    Vtl_StringArray designs;
    std::vector<Vtl_StringArray> entryTexts;
    int choice1 = 0, choice2 = 0, number = 0;
    Vtl_StringArray listTexts;
    std::vector<double> listNumbers;
    Vtl_String text1, text2;
    Vtl_StringArray tableA, tableB;
    std::vector<int> tableChoice;

    // Drops the section-angle rows whose two numbers are both zero.
    void dropEmptySectionAngleRows();
};

VTLBASE_API bool GetMacroSettings(const AcDbObjectId& macro, MacroSettingsData& settings);
VTLBASE_API bool SetMacroSettings(const AcDbObjectId& macro, const MacroSettingsData& settings);
// Gives a macro of the drawing the settings it was placed with (not a request of the module: no journal).
// What the drawing holds for a macro, read without a request of the module (reports); false for no macro.
VTLBASE_API bool peekMacroSettings(const AcDbObjectId& macro, MacroSettingsData& settings);
VTLBASE_API void placeMacroSettings(const AcDbObjectId& macro, const MacroSettingsData& settings);
