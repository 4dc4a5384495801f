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
