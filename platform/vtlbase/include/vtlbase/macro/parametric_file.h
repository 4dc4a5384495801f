#pragma once
// Parametric macro files of the library ("Macros\<name>.pmacro", JSON): the modules of a parametric
// macro (rules, geometry, variables, dimensions, equations) and its general macro settings. Placing one
// puts the macro and its geometry objects in the drawing, as the add-on does when a person inserts it.
#include <string>
#include <vector>

#include "host/object_id.h"
#include "vtlbase/export.h"
#include "vtlbase/macro/edit_constr_data.h"
#include "vtlbase/macro/macro_settings_data.h"

struct VTLBASE_API ParametricMacroFile {
    std::string caption;
    std::vector<ParametricModule> modules;  // geometry ids are filled in when the macro is placed
    MacroSettingsData settings;
};

// Reads the text of a parametric macro file; false with a reason for bad JSON or a field of the wrong type.
VTLBASE_API bool parametricMacroFromJson(const std::string& text, ParametricMacroFile& file, std::string& error);
// Reads "Macros\<name>.pmacro" of the library folder.
VTLBASE_API bool readLibraryParametricMacro(const Vtl_String& name, ParametricMacroFile& file, std::string& error);
// Puts the macro in the drawing (a macro object, one object per geometry row) with its settings; answers
// the macro's id.
VTLBASE_API AcDbObjectId placeParametricMacroFile(const ParametricMacroFile& file);
