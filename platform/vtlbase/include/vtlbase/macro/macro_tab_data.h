#pragma once
// MacroTabData: one module of a connection macro, shown as one tab of the macro dialog: its cells,
// patterns, bolts, profiles, arrays, cuts, flexible/fixed groups and segmented profiles, and the designed
// dialog that shows them.
#include "vtlbase/macro/macro_parts.h"

// Negative codes in the first change list of `differences` for parts that are not cells.
namespace MacroChange {
inline constexpr int patterns = -1;        // the changed pattern indices are in the second list
inline constexpr int bolt = -2;
inline constexpr int profiles = -3;
inline constexpr int arrays = -4;
inline constexpr int cuts = -5;
inline constexpr int image = -6;
inline constexpr int flexFix = -7;
inline constexpr int segmented = -8;
inline constexpr int fromPropertyList = -12;  // the values came from a property list
inline constexpr int profileGroup = -13;      // a profile group was changed through its merged record
}  // namespace MacroChange

class VTLBASE_API MacroTabData {
public:
    int kind = 0;  // 0, 1 (bolts), 3: a page of values; 2: a profile page
    Vtl_String moduleName;
    Vtl_String displayName;
    Vtl_String designFile;  // full module path of the design, empty without one
    bool imageFlag = false;
    Vtl_String imageFolder;
    Vtl_String currentImage;
    int imageReference = 0;
    Vtl_Array<MacroCell> cells;
    Vtl_Array<MacroPatternProps> patterns;
    MacroBoltData bolt;
    Vtl_Array<MacroProfData> profiles;
    Vtl_Array<DynArrayData> arrays;
    Vtl_Array<MacroCutData> cuts;
    Vtl_Array<MacroFlexFixGroup> flexFixGroups;
    Vtl_Array<MacroProfSegmentedData> segmentedProfiles;

    bool findCellWithName(const Vtl_String& name, int& index) const;
    bool findPatternWithName(const Vtl_String& name, int& index) const;
    // By the pattern's button reference (a control id, or minus its grid row).
    bool findPatternWithBtnId(int reference, int& index) const;
    bool findProfDataWithGroup(const Vtl_String& group, int& index) const;
    bool findProfDataWithCtrlResId(int resourceId, int& index) const;
    bool findArrayWithName(const Vtl_String& name, int& index) const;
    bool findArrayWithBtnId(int reference, int& index) const;
    bool findCutWithName(const Vtl_String& name, int& index) const;
    bool findFlexFixGroup(const Vtl_String& group, int& index) const;
    bool hasBtnFlexFix(const Vtl_String& button) const;
    // Sets the button's state; true when it changed.
    bool flexFixBtnClicked(const Vtl_String& group, const Vtl_String& button, bool flexible);

    // One record for all profiles of a group: equal fields as they are, differing texts as the mixed text,
    // a differing offset type as the mixed flag, differing numbers as -1 (the first member's offsets).
    bool getMergedPropsOfGroup(const Vtl_String& group, MacroProfData& merged) const;
    // Writes a merged record to every profile of the group; mixed values leave each member's own.
    bool setMergedPropsOfGroup(const Vtl_String& group, const MacroProfData& merged);
    void getProfGroups(Vtl_StringArray& groups) const;
    void getProfIdsOfGroup(const Vtl_String& group, AcArray<AcDbObjectId>& ids) const;
    bool getProfDataIndx(const AcDbObjectId& id, int& index) const;
    // False when some group has no advanced button bound (the page then shows its common panel).
    bool advBtnForEveryGroup() const;
    bool hasSegmentedProfs() const { return !segmentedProfiles.isEmpty(); }

    // Every binding key of the tab back to 0.
    void removeAllDlgReferences();
    // What changed from this (old) tab to `now`: the names of the changed items, the changed cell indices
    // with negative codes for other parts (MacroChange), and the changed pattern indices. References are
    // not values and never count as changes.
    void differences(const MacroTabData& now, Vtl_StringArray& names, AcArray<int>& changed1, AcArray<int>& changed2) const;

    friend bool operator==(const MacroTabData&, const MacroTabData&) = default;
};
