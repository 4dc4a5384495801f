#pragma once
// MacroData: the record of a connection macro (or of several macros of one kind edited together) that the
// macro dialog edits: its tabs, filter lists, the drawing objects it stands for and its state flags. Copying
// copies everything.
#include "vtlbase/macro/macro_tab_data.h"

class VTLBASE_API MacroData {
public:
    Vtl_String macroType;  // the kind of macro ("EndPlate"): property lists belong to one kind
    Vtl_String caption;
    Vtl_StringArray filterList1, filterList2;
    int currentFilter1 = 0, currentFilter2 = 0;
    Vtl_Array<MacroTabData> tabs;
    Vtl_String firstTabName;
    int macroCount = 1;  // macros edited together
    Vtl_StringArray groupNames;
    int groupIndex = -1;
    Vtl_StringArray moduleNames;
    AcArray<AcDbObjectId> objectIds;
    bool temporaryObject = false;
    bool closed = false;
    bool busy = false;  // set while the drawing works on the macro; closing the dialog waits for it
    bool currentProfGroupSet = false;
    Vtl_String currentProfGroup;
    bool propertyListsAllowed = true;

    bool findTab(const Vtl_String& moduleName, int& index) const;
    // Property lists can be used for the tab of that module of this macro.
    bool propListAllowed(const Vtl_String& moduleName) const;
    // The property-list folder (ending in a separator) and extension (".prl"), every list there, and those
    // made for this kind of macro (names without folder and extension).
    void getPropFiles(Vtl_String& folder, Vtl_String& extension, Vtl_StringArray& allNames,
                      Vtl_StringArray& filteredNames) const;
    // Loads a property list into the record; entries that name nothing of this macro are skipped and
    // counted. False (record unchanged) when the file cannot be read or is for another kind of macro.
    bool readFromFile(const Vtl_String& path, int& skipped);
    bool writeToFile(const Vtl_String& path) const;
    // Per tab, the two change lists of MacroTabData::differences from `old` to this record.
    void differences(const MacroData& old, Vtl_Array<AcArray<int>>& table1, Vtl_Array<AcArray<int>>& table2) const;
    // Drawing-side requests: recorded in the journal.
    void changeView(const Vtl_String& moduleName, int view);
    bool reApply();
    bool getMergedPropsOfGroup(const Vtl_String& moduleName, const Vtl_String& group, MacroProfData& merged) const;
    bool setMergedPropsOfGroup(const Vtl_String& moduleName, const Vtl_String& group, const MacroProfData& merged);

    friend bool operator==(const MacroData&, const MacroData&) = default;
};

// One record for several macros of one kind edited together: values they share as they are, values that
// differ as the mixed text; the object ids of all of them. False when they are not of one kind with the
// same tabs and cells.
VTLBASE_API bool mergeMacros(const Vtl_Array<MacroData>& macros, MacroData& merged);
