#pragma once
// EditConstrData: the parametric side of a connection macro in the drawing, as the constraints editor edits
// it. A parametric macro has modules; each module holds rules (geometric constraints with a value, a
// variable, flags, an enumeration and option pictures), the flexibility of its geometry, variables,
// dimensions and equations. The record is a working view of the current module; every operation applies
// its change to the macro kept by the drawing and records the request in the journal.
#include <cstdint>
#include <string>
#include <vector>

#include "host/object_id.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

struct VTLBASE_API ConstraintRule {
    Vtl_String id;
    Vtl_StringArray rowTexts;     // the texts of the rule's grid row (type, objects, value, variable)
    std::vector<int> kinds;       // property kinds: 0 value, 1 variable, 2 enumeration, 3 flags
    Vtl_String value;
    Vtl_String variable;
    bool flag1 = false;
    bool flag2 = false;
    Vtl_StringArray enumTexts;
    int enumIndex = 0;
    Vtl_StringArray pictures;     // option-button pictures, "%radioBreak%" closes a group
    std::vector<int> optionStates;
    bool offersCut = false;
};

struct VTLBASE_API ConstrGeometry {
    AcDbObjectId id;
    Vtl_String texts[3];
    int flexibility = 1;      // 1 fixed, 2 flexible, 3 free
    int constrState = -1;     // -1 none, 0 off, 1 on
};

struct VTLBASE_API ParametricModule {
    Vtl_String name;
    std::vector<ConstraintRule> rules;
    std::vector<ConstrGeometry> geometry;
    Vtl_StringArray varNames, varValues;
    std::vector<std::int16_t> varKinds;
    Vtl_StringArray dimNames, dimValues;
    Vtl_StringArray equations;
};

class VTLBASE_API EditConstrData {
public:
    static constexpr const char* kRadioBreak = "%radioBreak%";
    static constexpr const char* kMenuBreak = "%BREAK%";

    // The macro and its current module.
    AcDbObjectId macroId;
    Vtl_String currentModule;
    Vtl_StringArray moduleNames;
    // The current module's content (a copy; the operations below write it back to the drawing).
    Vtl_String currentRuleId;
    std::vector<ConstraintRule> rules;
    std::vector<ConstrGeometry> geometry;
    Vtl_StringArray varNames, varValues;
    std::vector<std::int16_t> varKinds;
    Vtl_StringArray dimNames, dimValues;
    Vtl_StringArray equations;
    int highlightedRule = -1;
    AcDbObjectId highlightedObject;

    // Gives the drawing a parametric macro (replacing one with that id) and opens its first module.
    static void placeParametricMacro(const AcDbObjectId& id, std::vector<ParametricModule> modules);
    static const std::vector<ParametricModule>* parametricMacro(const AcDbObjectId& id);
    static void forgetAll();

    // Opens the macro `id`: its module list and its first module. False when the drawing has no such macro.
    bool open(const AcDbObjectId& id);
    bool MacroGetModules();
    bool SetCurrentModule(const Vtl_String& name);
    bool RenameModule(const Vtl_String& newName);
    bool RemoveModule(const Vtl_String& name);
    // Commands 0-10 add a rule of that type, 11 adds a module, 12 and 13 leave the record alone.
    bool StartMacroCommand(int command);
    // Replaces the macro by the next one the person selects in the drawing (queued with queueSelection).
    bool SelectOtherMacro();
    static void queueSelection(const AcDbObjectId& id);
    bool ZoomCommand();

    bool UpdateConstraint(int rule);
    bool DeleteConstraint(int rule);
    bool SortConstraints(int column, int previousColumn);
    bool HighlightConstraint(int rule);
    void UnHighlightConstraints();
    bool ConstrContextMenu(int rule, Vtl_StringArray& items, std::vector<std::int32_t>& actions,
                           std::vector<int>& checked) const;
    bool ContextMenuAction(int rule, std::int32_t action);

    bool GetGeomFlexibility();
    bool UpdateGeomFlexibility(const AcDbObjectId& object, int oldChoice, int newChoice);
    bool UpdateConstrGeom(const AcDbObjectId& object, bool on);
    bool HighlightObject(const AcDbObjectId& object);
    void UnHighlightObject();

    bool VarNameInUse(const Vtl_String& name) const;
    bool UpdateVarsEqs();

    // The equations of a text typed one per line: line ends may be "\n", "\r", "\r\n" or "\n\r"; blank
    // lines are dropped and each equation trimmed of surrounding spaces.
    static Vtl_StringArray equationsFromText(const std::string& text);
    // The text the equation field shows: each equation followed by a line feed and a carriage return.
    static std::string textFromEquations(const Vtl_StringArray& equations);

private:
    ParametricModule* module();
    void load(const ParametricModule& m);
    void store(ParametricModule& m) const;
};

// The cut of a rule (its button on the rules page): shows what the rule cuts and lets the person confirm it
// (journalled as EditMacroCut). Answers true when it was left with Escape or Cancel: the key that closed
// it may still reach the window below, which should then let it pass once.
VTLBASE_API bool StartEditMacroCutDlg(const AcDbObjectId& macro, const Vtl_String& moduleName, const Vtl_String& ruleId);
