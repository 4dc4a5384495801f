#pragma once
// What the macro cuts dialog works on: one cut of a macro (its type, name, options and variables) and the
// macro it belongs to. The cuts live in the drawing per macro instance and module; every request is
// recorded in the journal.
#include <string>
#include <vector>

#include "host/ac_array.h"
#include "host/object_id.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

// Lists the modules of a macro instance and lets the person pick another macro in the drawing.
class VTLBASE_API MacrosInDlgData {
public:
    // The module names (tabs) of the macro instance; false and an empty list for any other object.
    bool GetAllMods(const AcDbObjectId& macroObject, Vtl_StringArray& modules) const;
    // A pick in the drawing: on success `macroObject` names the picked macro instance.
    bool UserSelectMacro(AcDbObjectId& macroObject);
};

// One cut of a macro. Types: 1 profile against plate, 2 profile against profile, 3 profile inside profile,
// 4 three-segment cut, 5 chamfer, 6 fillet. The options mean what the drawing makes of them; the dialog
// stores them only.
class VTLBASE_API DlgMacroCutsData {
public:
    Vtl_String cutName;
    int cutType = 1;
    bool editMode = false;
    Vtl_StringArray varNames;
    Vtl_StringArray values;
    AcArray<bool> usedFlags;
    bool option1 = false;
    bool option2 = false;
    bool option3 = false;
    bool option4Present = false;
    bool option4 = false;
    int listChoice = 0;
    bool option5 = false;
    Vtl_String distance;
    MacrosInDlgData macroPicker;
    int target = 1;  // 1 this macro, 2 another macro
    Vtl_String moduleName;
    AcDbObjectId macroObject;

    // The variables a new cut of the type starts with; false (lists emptied) for a type outside 1 to 6.
    bool GetDefaultValues(int type, Vtl_StringArray& names, Vtl_StringArray& values, AcArray<bool>& usedFlags) const;
    // False when a variable name is empty or starts with "gen_" (the drawing's own generated names).
    bool AreVarNamesValid() const;
    // Whether the module of the macro already has a cut of that name (names compared without regard to case).
    bool CutNameInUse(const AcDbObjectId& macro, const Vtl_String& module, const Vtl_String& name, bool& inUse) const;
};

namespace vtl::base {
// Makes the cut in the drawing on the record's macro and module (a new one, or the one of that name when the
// record is in edit mode). False when the macro object is no macro instance or the module name is empty.
VTLBASE_API bool applyMacroCut(const DlgMacroCutsData& cut);
// The names of the cuts of a module of a macro instance, in the order they were made.
VTLBASE_API std::vector<std::string> macroCutNames(const AcDbObjectId& macro, const std::string& module);
// The record of an existing cut, ready for the dialog in edit mode; false when there is none of that name.
VTLBASE_API bool loadMacroCut(const AcDbObjectId& macro, const std::string& module, const std::string& name,
                              DlgMacroCutsData& cut);
}  // namespace vtl::base
