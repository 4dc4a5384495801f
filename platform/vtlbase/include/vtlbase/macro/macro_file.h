#pragma once
// Macro files: a macro record as JSON (".macro"), as the library keeps its connection macros. Reading a
// bad file fails with a reason and leaves the record as it was.
#include <string>

#include "vtlbase/export.h"
#include "vtlbase/macro/macro_data.h"

VTLBASE_API bool readMacroFile(const Vtl_String& path, MacroData& macro, std::string& error);
VTLBASE_API bool writeMacroFile(const Vtl_String& path, const MacroData& macro, std::string& error);
// The same as text, for tests and tools.
VTLBASE_API bool macroFromJson(const std::string& text, MacroData& macro, std::string& error);
VTLBASE_API std::string macroToJson(const MacroData& macro);

// The connection macros of the library folder ("Macros\<name>.macro"), names without extension, sorted.
VTLBASE_API Vtl_StringArray libraryMacroNames();
// Reads one of them; a design named without folder becomes the full path of that design below the
// library's designed dialogs ("...\Dialog Templates\Dialog Design\<name>.txt").
VTLBASE_API bool readLibraryMacro(const Vtl_String& name, MacroData& macro, std::string& error);
