#pragma once
// The parts of a macro tab: cells, patterns, bolts, profiles, arrays, cuts and flexible/fixed groups.
// Every part is a plain value (copying copies everything). A reference is the binding key of an item in
// an open macro dialog: > 0 the id of the designed control showing it, < 0 minus the grid row showing it,
// 0 not shown.
#include <optional>

#include "host/ac_array.h"
#include "host/object_id.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

// The text shown for a value that differs between the macros edited together (UI string 695).
VTLBASE_API Vtl_String mixedValueText();

// A named value of a macro module.
struct VTLBASE_API MacroCell {
    enum ValueType { number = 1, text = 2, list = 3, editableList = 4, yesNo = 5 };
    Vtl_String name;
    Vtl_String label;
    Vtl_String value;
    int valueType = number;
    bool readOnly = false;
    int reference = 0;
    Vtl_StringArray items;  // the choices of list cells
    friend bool operator==(const MacroCell&, const MacroCell&) = default;
};

// One side of a bolt or hole pattern.
struct VTLBASE_API MacroPatternSide {
    int firstValueSwitch = 0;  // 1 on, 0 off, -1 mixed
    Vtl_String firstValue;
    Vtl_String secondValue;
    int distribution = 0;  // -1 mixed
    bool sideOption = false;
    Vtl_StringArray values;
    friend bool operator==(const MacroPatternSide&, const MacroPatternSide&) = default;
};

struct VTLBASE_API MacroPatternProps {
    Vtl_String label;
    Vtl_String name;
    Vtl_String countText;
    bool shown = true;
    bool hasButton = false;
    int nameReference = 0;
    int countReference = 0;
    int buttonReference = 0;
    int kind = 1;  // 1: side 1 only; 2: both sides
    MacroPatternSide side1;
    MacroPatternSide side2;
    int options[4] = {0, 0, 0, 0};  // 1 yes, 0 no, -1 mixed
    // The count the text holds, or -1 when it is not a whole number.
    bool getCount(const Vtl_String& text, int& count) const;
    friend bool operator==(const MacroPatternProps&, const MacroPatternProps&) = default;
};

struct VTLBASE_API MacroSlottedHole {
    int active = 0;   // 0, 1, 2 indeterminate
    int choice = 0;   // -1 the last item
    Vtl_String firstSize;
    Vtl_String length;
    Vtl_String angle;
    Vtl_String fourth;
    friend bool operator==(const MacroSlottedHole&, const MacroSlottedHole&) = default;
};

struct VTLBASE_API MacroBoltData {
    Vtl_String assembly, diameter, holeTolerance, penetrationLength, addedLength;
    int assemblyReference = 0, diameterReference = 0, holeToleranceReference = 0, penetrationReference = 0,
        addedLengthReference = 0;
    // Tri-states: 0, 1, 2 indeterminate.
    int boltedInWorkshop = 0, countersunk = 0, flipOrientation = 0, tapped = 0;
    // 0, 1, 2 indeterminate; -1 not available (written back as -1).
    int nut1 = 0, nut2 = 0, washer1 = 0, washer2 = 0, washers = 0;
    int optionCount = 0;
    bool option = false;
    AcArray<bool> holeColumnsUsed;
    Vtl_StringArray holeColumnTexts;
    Vtl_Array<MacroSlottedHole> slottedHoles;

    void getHoleColumns(AcArray<bool>& used, Vtl_StringArray& texts) const;
    // The two lists must have the same length; false (nothing changed) otherwise.
    bool setHoleColumns(const AcArray<bool>& used, const Vtl_StringArray& texts);
    int slottedHoleCount() const { return slottedHoles.length(); }
    friend bool operator==(const MacroBoltData&, const MacroBoltData&) = default;
};

struct VTLBASE_API Vector2d {
    double x = 0;
    double y = 0;
    friend bool operator==(const Vector2d&, const Vector2d&) = default;
};

struct VTLBASE_API MacroProfData {
    Vtl_String groupName;
    Vtl_String sectionName;
    bool offsetTypeMixed = false;
    int offsetType = 3;  // centred
    double offsetX = 0;
    double offsetY = 0;
    int onOneSegment = 0;
    int segmentNumber = 0;
    bool sectionPointChosen = false;
    Vector2d sectionPoint;
    Vtl_String rotation = "0";
    int option = 0;
    Vtl_String plane;
    AcDbObjectId planeObject;
    int morphed = 0;
    Vtl_String secondSection;
    Vtl_String morphValue1, morphValue2;
    int referenceChoice = 0;
    int sectionReference = 0, labelReference = 0, offsetTypeReference = 0, rotationReference = 0,
        advancedReference = 0;
    AcDbObjectId objectId;  // the profile object this record describes
    friend bool operator==(const MacroProfData&, const MacroProfData&) = default;
};

struct VTLBASE_API MacroProfSegmentedData {
    Vtl_String name;
    Vtl_String description;
    double clearance = 0;
    bool breakAtEveryPoint = false;
    AcArray<int> segmentNumbers;
    AcArray<double> segmentValues;
    int segmentCount = 0;
    friend bool operator==(const MacroProfSegmentedData&, const MacroProfSegmentedData&) = default;
};

enum KsUIArrayType { KsArrayMixed = -1, KsArrayLinear = 0, KsArrayRectangular = 1, KsArrayPolar = 2, KsArrayPath = 3 };
enum KsEntryAction { KsEntryNone = 0, KsEntrySelect = 1 };

struct VTLBASE_API DynArrayEntry {
    int choice = 0;
    bool flag = false;
    Vtl_String text;
    int reference = 0;
    friend bool operator==(const DynArrayEntry&, const DynArrayEntry&) = default;
};

struct VTLBASE_API DynArrayData {
    int kind = KsArrayLinear;
    Vtl_String name;
    Vtl_String label;
    Vtl_String designName;
    Vtl_String values[4];
    Vtl_String kind1Value;
    Vtl_String firstDimension, secondDimension, thirdDimension;
    int option = 0;  // 1, 0, -1 mixed
    Vtl_Array<DynArrayEntry> entries;
    int nameReference = 0, buttonReference = 0;
    int valueReferences[4] = {0, 0, 0, 0};
    int lastEntryAction = KsEntryNone;
    int lastEntryRow = -1;

    void getEntryColumns(AcArray<int>& choices, AcArray<bool>& flags, Vtl_StringArray& texts) const;
    // The three lists must have the same length; the entries become exactly those rows.
    bool setEntryColumns(const AcArray<int>& choices, const AcArray<bool>& flags, const Vtl_StringArray& texts);
    bool setEntryAction(int row, KsEntryAction action);
    // The names a dimension of an array of `kind` can take in the module `moduleName` of the macros `ids`
    // stand for: the number cells of that module (the first and second dimension), and for the third
    // dimension only those of the polar and path kinds' distances and angles. Exactly one of the three
    // flags asks; the names are the cells' names in the module's order, each once.
    static void getValidDimNames(const AcArray<AcDbObjectId>& ids, const Vtl_String& moduleName, int kind, bool first,
                                 bool second, bool third, Vtl_StringArray& names);
    friend bool operator==(const DynArrayData&, const DynArrayData&) = default;
};

struct VTLBASE_API MacroCutData {
    Vtl_String name;
    int number = 0;
    int reference = 0;
    friend bool operator==(const MacroCutData&, const MacroCutData&) = default;
};

// A group of variables whose flexible/fixed state the user toggles with buttons (flexible = status 1).
struct VTLBASE_API MacroFlexFixGroup {
    Vtl_String name;
    Vtl_StringArray buttons;
    AcArray<bool> flexible;
    int reference = 0;
    int indexOf(const Vtl_String& button) const;
    friend bool operator==(const MacroFlexFixGroup&, const MacroFlexFixGroup&) = default;
};
